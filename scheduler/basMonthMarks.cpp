#include "basMonthMarks.h"

namespace quillon {

namespace basMonthMarks {

namespace {
constexpr std::int32_t Rgb(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

constexpr std::int32_t kNavy = Rgb(0, 0, 128);
constexpr std::int32_t kBlack = Rgb(0, 0, 0);
constexpr std::int32_t kWhite = Rgb(255, 255, 255);
} // namespace

QList<StyleSetDefinition> StyleSets(std::int32_t buttonFace)
{
    // Days with events: bold navy numbers. Days without: plain, white on the dark colours.
    struct Base {
        const char *name;
        std::int32_t back;
        std::int32_t plainText;
    };
    const Base bases[] = {
        {"Normal", buttonFace, kBlack},         {"Green", Rgb(0, 128, 0), kWhite},
        {"Purple", Rgb(128, 0, 128), kWhite},   {"White", kWhite, kBlack},
        {"Red", Rgb(255, 0, 0), kWhite},        {"Gray", Rgb(128, 128, 128), kWhite},
    };
    QList<StyleSetDefinition> sets;
    for (const Base &base : bases) {
        sets.append({StyleSetName(QLatin1String(base.name), 1), base.back, kNavy, true});
        sets.append({StyleSetName(QLatin1String(base.name), 0), base.back, base.plainText, false});
    }
    return sets;
}

QString StyleSetName(const QString &dateColor, qint64 eventCount)
{
    return (dateColor.isEmpty() ? QStringLiteral("Normal") : dateColor)
        + (eventCount > 0 ? QStringLiteral("Events") : QStringLiteral("NoEvents"));
}

} // namespace basMonthMarks

} // namespace quillon
