#include "basMonthMarks.h"

namespace quillon {

namespace basMonthMarks {

namespace {
constexpr std::int32_t Rgb(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

constexpr std::int32_t kNavy = Rgb(0, 0, 128);
constexpr std::int32_t kBlack = Rgb(0, 0, 0);
constexpr std::int32_t kWhite = Rgb(255, 255, 255);
constexpr std::int32_t kLightSkyBlue = Rgb(135, 206, 250);

// A button face of a dark style, on which navy and black would not be read.
bool IsDark(std::int32_t color)
{
    const int red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
    return 0.299 * red + 0.587 * green + 0.114 * blue < 110;
}
} // namespace

QList<StyleSetDefinition> StyleSets(std::int32_t buttonFace)
{
    // Days with events: bold navy numbers. Days without: plain, white on the dark colours.
    struct Base {
        const char *name;
        std::int32_t back;
        std::int32_t plainText;
    };
    const bool dark = IsDark(buttonFace);
    const Base bases[] = {
        {"Normal", buttonFace, dark ? kWhite : kBlack},         {"Green", Rgb(0, 128, 0), kWhite},
        {"Purple", Rgb(128, 0, 128), kWhite},   {"White", kWhite, kBlack},
        {"Red", Rgb(255, 0, 0), kWhite},        {"Gray", Rgb(128, 128, 128), kWhite},
    };
    QList<StyleSetDefinition> sets;
    for (const Base &base : bases) {
        const bool onDarkFace = dark && base.back == buttonFace;
        sets.append({StyleSetName(QLatin1String(base.name), 1), base.back, onDarkFace ? kLightSkyBlue : kNavy, true});
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
