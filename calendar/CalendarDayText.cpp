#include "CalendarDayText.h"

#include "basLocale.h"
#include "basTimeText.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quillon {

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
    const QString time = basLocale::CompactTime(QTime(sortKey.mid(0, 2).toInt(), sortKey.mid(2, 2).toInt()));
    // The key's blank stays in front of the name: time, two blanks, name.
    return time + QLatin1Char(' ') + sortKey.mid(4);
}

QStringList SortedEntries(const QStringList &entries)
{
    // Each entry's lower-case text once, then a stable sort: ties keep their order of
    // arrival, and thousands of events on one day stay fast.
    std::vector<std::pair<QString, qsizetype>> keyed;
    keyed.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i)
        keyed.emplace_back(entries[i].toLower(), i);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
        return a.first.compare(b.first, Qt::CaseSensitive) < 0;
    });
    QStringList sorted;
    sorted.reserve(entries.size());
    for (const auto &entry : keyed)
        sorted.append(entries[entry.second]);
    return sorted;
}

QString LookupDate(int month, int day, int year)
{
    return QStringLiteral("%1/%2/%3").arg(month).arg(day).arg(year);
}

} // namespace CalendarDayText

} // namespace quillon
