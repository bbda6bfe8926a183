// Reminders planning: which reminders are due now and when the next one falls due, from
// the events with a reminder and the ones already shown. Pure rules over values (the
// clock is always passed in) plus a planner that reads them from the store.
#pragma once

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QTimeZone>

#include <optional>
#include <utility>

namespace quillon {

namespace basDatabase {
class EventStore;
struct DatedEvent;
} // namespace basDatabase

// One occurrence of an event with a reminder.
struct ReminderOccurrence {
    qint64 EventID = 0;
    QString EventName;
    bool AllDayEvent = false;
    QDateTime Start; // local; an all-day event's day at 0:00
    QDateTime End;   // local; an all-day event's next day at 0:00
    int Minutes = 0;
    QDateTime Due;

    bool operator==(const ReminderOccurrence &) const = default;
};

namespace ReminderPlan {

// An all-day event's reminder counts back from this time on its day.
inline const QTime kAllDayBase{9, 0};
// A reminder missed for an event that ended longer ago than this is not shown any more.
inline constexpr qint64 kMissedLimitSecs = 24 * 60 * 60;
// With nothing due sooner the planner looks again after this long (its window).
inline constexpr qint64 kLookAheadSecs = 24 * 60 * 60;

// (event id, start of the occurrence in ms since the epoch): what "shown" is kept by.
using Key = std::pair<qint64, qint64>;
Key KeyOf(const ReminderOccurrence &occurrence);

// The times in zone (the system's when not given). A zone passed in is much cheaper than
// the C library's local time, which looks at the zone file on every conversion.
ReminderOccurrence FromStored(const basDatabase::DatedEvent &dated, const QTimeZone &zone = QTimeZone::systemTimeZone());

struct Plan {
    // Due now and not shown yet, in order of their due time (then event id).
    QList<ReminderOccurrence> Due;
    // When to look again: the next reminder's due time, at the latest the end of the window.
    QDateTime WakeAt;
    // Whether WakeAt is a reminder's due time (not only the window's end).
    bool WakeIsReminder = false;
};

Plan Make(const QList<ReminderOccurrence> &occurrences, const QSet<Key> &shown, const QDateTime &now);

// The dates whose occurrences can be due or missed around now, for reminders of up to
// longestMinutes.
std::pair<QDate, QDate> Window(const QDateTime &now, int longestMinutes);

} // namespace ReminderPlan

// Plans from the store. The store reports its own failures; the planner says only that
// it could not plan.
class ReminderPlanner {
public:
    explicit ReminderPlanner(basDatabase::EventStore &store) : m_store(store) {}

    std::optional<ReminderPlan::Plan> Replan(const QDateTime &now);
    // Records the occurrences as shown, for as long as their events are kept: a clock
    // set back however far must not bring one back.
    bool MarkShown(const QList<ReminderOccurrence> &occurrences);

private:
    basDatabase::EventStore &m_store;
};

} // namespace quillon
