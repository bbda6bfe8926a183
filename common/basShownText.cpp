#include "basShownText.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace quillon {

namespace basShownText {

namespace {

const QRegularExpression &PlaceMarker()
{
    static const QRegularExpression marker(QStringLiteral("%([1-9])"));
    return marker;
}

// The form as a pattern: its words literally, each %N any text (the shortest that fits).
QRegularExpression Pattern(const QString &form, QList<int> &numbers)
{
    QString pattern = QStringLiteral("^");
    qsizetype from = 0;
    for (const QRegularExpressionMatch &place : PlaceMarker().globalMatch(form)) {
        pattern += QRegularExpression::escape(form.mid(from, place.capturedStart() - from)) + QStringLiteral("(.*?)");
        numbers << place.captured(1).toInt();
        from = place.capturedEnd();
    }
    pattern += QRegularExpression::escape(form.mid(from)) + QLatin1Char('$');
    return QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption);
}

qsizetype LiteralLength(const char *form)
{
    return QString::fromUtf8(form).remove(PlaceMarker()).size();
}

QString Line(const QString &line, const char *context, const std::vector<const char *> &forms, int depth);

QString Filled(const QString &translated, const QList<int> &numbers, const QRegularExpressionMatch &match,
               const char *context, const std::vector<const char *> &forms, int depth)
{
    QString result;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &place : PlaceMarker().globalMatch(translated)) {
        result += translated.mid(from, place.capturedStart() - from);
        const auto index = numbers.indexOf(place.captured(1).toInt());
        result += index < 0 ? place.captured(0) : Line(match.captured(int(index) + 1), context, forms, depth + 1);
        from = place.capturedEnd();
    }
    return result + translated.mid(from);
}

QString Line(const QString &line, const char *context, const std::vector<const char *> &forms, int depth)
{
    // Words within words go no deeper than the forms themselves nest.
    if (line.isEmpty() || depth > 4)
        return line;
    for (const char *form : forms) {
        QList<int> numbers;
        const QRegularExpressionMatch match = Pattern(QString::fromUtf8(form), numbers).match(line);
        if (match.hasMatch())
            return Filled(QCoreApplication::translate(context, form), numbers, match, context, forms, depth);
    }
    return line;
}

} // namespace

QString Of(const QString &english, const char *context, std::span<const char *const> forms)
{
    // The most specific form first: "%1: %2 failed" before "%1: %2".
    std::vector<const char *> ordered(forms.begin(), forms.end());
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const char *a, const char *b) { return LiteralLength(a) > LiteralLength(b); });
    QStringList lines = english.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = Line(line, context, ordered, 0);
    return lines.join(QLatin1Char('\n'));
}

} // namespace basShownText

} // namespace quillon
