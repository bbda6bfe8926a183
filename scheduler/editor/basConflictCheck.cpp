#include "basConflictCheck.h"

#include "EventStore.h"
#include "basTimeList.h"
#include "basTimeText.h"

#include <QHash>

#include <algorithm>

namespace basConflictCheck {

namespace {

// Month abbreviations of the line are fixed, whatever the locale.
constexpr const char *kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

} // namespace

bool Overlaps(int newStart, int newEnd, int existingStart, int existingEnd)
{
    const bool startInside = existingStart <= newStart && newStart < existingEnd;
    const bool endInside = existingStart < newEnd && newEnd <= existingEnd;
    const bool encloses = newStart < existingStart && existingEnd < newEnd && existingStart < existingEnd;
    return startInside || endInside || encloses;
}

QString ConflictLine(const QDate &day, const basDatabase::EventRecord &existing)
{
    return QStringLiteral("%1-%2-%3  %4 - %5  %6")
        .arg(day.day())
        .arg(QLatin1String(kMonths[day.month() - 1]))
        .arg(day.year())
        .arg(basTimeText::FormatTimeText(existing.StartTime), basTimeText::FormatTimeText(existing.EndTime),
             existing.EventName);
}

bool FindConflicts(basDatabase::EventStore &store, const QList<QDate> &dates, const QTime &start,
                   const QTime &end, qint64 ownId, QStringList &lines)
{
    lines.clear();
    QList<QDate> days;
    for (const QDate &day : dates) {
        if (day.isValid() && !days.contains(day))
            days << day;
    }
    if (days.isEmpty())
        return true;
    const auto [first, last] = std::minmax_element(days.begin(), days.end());
    QList<basDatabase::DatedEvent> stored;
    if (!store.GetEventsInRange(*first, *last, stored))
        return false;

    QHash<QDate, QList<const basDatabase::EventRecord *>> byDay;
    for (const basDatabase::DatedEvent &occurrence : stored)
        byDay[occurrence.Date] << &occurrence.Event;

    const int newStart = basTimeList::ToMinutesNumber(start);
    const int newEnd = basTimeList::ToMinutesNumber(end);
    for (const QDate &day : days) {
        auto found = byDay.find(day);
        if (found == byDay.end())
            continue;
        QList<const basDatabase::EventRecord *> events = found.value();
        std::stable_sort(events.begin(), events.end(),
                         [](const auto *a, const auto *b) { return a->EventID < b->EventID; });
        for (const basDatabase::EventRecord *existing : events) {
            if (existing->EventID == ownId || existing->AllDayEvent)
                continue;
            if (!existing->StartTime.isValid() || !existing->EndTime.isValid())
                continue;
            if (Overlaps(newStart, newEnd, basTimeList::ToMinutesNumber(existing->StartTime),
                         basTimeList::ToMinutesNumber(existing->EndTime)))
                lines << ConflictLine(day, *existing);
        }
    }
    return true;
}

} // namespace basConflictCheck
