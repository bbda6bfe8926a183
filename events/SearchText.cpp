#include "SearchText.h"

#include <QChar>
#include <QRegularExpression>

namespace quillon {

namespace SearchText {

namespace {

// Letters with their mark inside them, which decomposition leaves whole, spelt as a
// person without the key types them.
const char *SpeltOut(char32_t c)
{
    switch (c) {
    case U'ß': case U'ẞ': return "ss";
    case U'æ': case U'Æ': return "ae";
    case U'œ': case U'Œ': return "oe";
    case U'ø': case U'Ø': return "o";
    case U'ł': case U'Ł': return "l";
    case U'đ': case U'Đ': return "d";
    case U'ħ': case U'Ħ': return "h";
    case U'ı': return "i";
    case U'þ': case U'Þ': return "th";
    default: return nullptr;
    }
}

} // namespace

QString Fold(const QString &text)
{
    const QList<uint> decomposed = text.normalized(QString::NormalizationForm_KD).toUcs4();
    QString plain;
    plain.reserve(decomposed.size());
    for (const uint code : decomposed) {
        const auto c = static_cast<char32_t>(code);
        switch (QChar::category(c)) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            continue;
        default:
            break;
        }
        if (const char *spelt = SpeltOut(c))
            plain += QLatin1String(spelt);
        else
            plain += QStringView(QChar::fromUcs4(c));
    }
    return plain.toCaseFolded();
}

QStringList Words(const QString &query)
{
    static const QRegularExpression kWhitespace(QStringLiteral("\\s+"));
    QStringList words;
    for (const QString &word : Fold(query).split(kWhitespace, Qt::SkipEmptyParts))
        if (!words.contains(word))
            words.append(word);
    return words;
}

QString IndexText(const QString &name, const QString &notes, const QString &place)
{
    return Fold(name) + QLatin1Char('\n') + Fold(notes) + QLatin1Char('\n') + Fold(place);
}

} // namespace SearchText

} // namespace quillon
