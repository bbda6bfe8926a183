#include "basTimeText.h"

#include <QRegularExpression>

namespace quillon {

namespace basTimeText {

QTime ParseTimeText(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*(?:([AaPp])\\.?[Mm]?\\.?)?$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return {};
    int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt();
    const int second = match.hasCaptured(3) ? match.captured(3).toInt() : 0;
    if (minute > 59 || second > 59)
        return {};
    if (match.hasCaptured(4)) {
        const bool pm = match.captured(4).compare(QLatin1String("p"), Qt::CaseInsensitive) == 0;
        // "0:00 AM" is how all-day events are kept; 0 with PM is no time at all.
        if (hour > 12 || (hour == 0 && pm))
            return {};
        hour %= 12;
        if (pm)
            hour += 12;
    } else if (hour > 23) {
        return {};
    }
    return QTime(hour, minute, second);
}

QString FormatTimeText(const QTime &time)
{
    if (!time.isValid())
        return QString();
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2 %3")
        .arg(hour12)
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QLatin1String("AM") : QLatin1String("PM"));
}

} // namespace basTimeText

} // namespace quillon
