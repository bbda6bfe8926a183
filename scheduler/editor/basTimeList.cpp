#include "basTimeList.h"

#include "basLocale.h"
#include "basTimeText.h"

namespace quillon {

namespace basTimeList {

QList<QTime> Times()
{
    QList<QTime> times;
    times.reserve(kEntries);
    for (int hour = 0; hour < 24; ++hour) {
        for (int minute : {0, 30})
            times << QTime(hour, minute);
    }
    return times;
}

QStringList LoadTimes()
{
    QStringList texts;
    texts.reserve(kEntries);
    for (const QTime &time : Times())
        texts << basLocale::ShownTime(time);
    return texts;
}

QTime NextTimePeriod(const QTime &time)
{
    if (!time.isValid())
        return {};
    if (time.minute() >= 30)
        return QTime((time.hour() + 1) % 24, 0);
    return QTime(time.hour(), 30);
}

QString GetNextTimePeriod(const QString &timeText)
{
    const QTime next = NextTimePeriod(basTimeText::ParseTimeText(timeText));
    if (!next.isValid())
        return QString();
    return QStringLiteral("%1:%2").arg(next.hour()).arg(next.minute());
}

int ToSecondsNumber(const QString &timeText)
{
    const QTime time = basTimeText::ParseTimeText(timeText);
    if (!time.isValid())
        return -1;
    return time.hour() * 10000 + time.minute() * 100 + time.second();
}

int ToMinutesNumber(const QTime &time)
{
    return time.isValid() ? time.hour() * 100 + time.minute() : -1;
}

int ToMinutesNumber(const QString &timeText)
{
    return ToMinutesNumber(basTimeText::ParseTimeText(timeText));
}

} // namespace basTimeList

} // namespace quillon
