#include "CalendarDayText.h"

#include "basTimeText.h"

namespace CalendarDayText {

QTime ParseStartTime(const QString &text)
{
    return basTimeText::ParseTimeText(text);
}

QString SortKey(const QTime &start, const QString &name)
{
    return start.toString(QStringLiteral("HHmm")) + QLatin1Char(' ') + name;
}

QString TimedLine(const QString &sortKey)
{
    const int hour = sortKey.mid(0, 2).toInt();
    const QString minutes = sortKey.mid(2, 2);
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    const QString time = QString::number(hour12) + QLatin1Char(':') + minutes
        + (hour < 12 ? QLatin1Char('a') : QLatin1Char('p'));
    // The key's blank stays in front of the name: time, two blanks, name.
    return time + QLatin1Char(' ') + sortKey.mid(4);
}

QStringList SortedEntries(const QStringList &entries)
{
    QStringList sorted;
    for (const QString &entry : entries) {
        const QString lower = entry.toLower();
        qsizetype passed = -1;
        for (qsizetype j = sorted.size() - 1; j >= 0; --j) {
            if (lower.compare(sorted[j].toLower(), Qt::CaseSensitive) < 0)
                passed = j;
            else
                break;
        }
        if (passed >= 0)
            sorted.insert(passed, entry);
        else
            sorted.append(entry);
    }
    return sorted;
}

QString LookupDate(int month, int day, int year)
{
    return QStringLiteral("%1/%2/%3").arg(month).arg(day).arg(year);
}

} // namespace CalendarDayText
