#include "ReminderPlan.h"

#include "EventStore.h"

#include <algorithm>

namespace quillon {

namespace ReminderPlan {

namespace {
// The largest step by which a zone's clocks go back (summer time is one hour, a few
// zones' two).
constexpr qint64 kLongestStepBackSecs = 3 * 60 * 60;

// The instant of a local time. One that comes twice, on the night the clocks go back,
// is its first (QDateTime takes the second).
QDateTime InstantOf(QDate date, QTime time, const QTimeZone &zone)
{
    const QDateTime taken(date, time, zone);
    if (!taken.isValid())
        return taken;
    const int before = zone.offsetFromUtc(taken.addSecs(-kLongestStepBackSecs));
    const int offset = taken.offsetFromUtc();
    if (before <= offset)
        return taken;
    const QDateTime earlier = taken.addSecs(offset - before);
    return earlier.date() == date && earlier.time() == time ? earlier : taken;
}
} // namespace

Key KeyOf(const ReminderOccurrence &occurrence)
{
    return {occurrence.EventID, occurrence.Start.toMSecsSinceEpoch()};
}

ReminderOccurrence FromStored(const basDatabase::DatedEvent &dated, const QTimeZone &zone)
{
    const basDatabase::EventRecord &event = dated.Event;
    ReminderOccurrence occurrence;
    occurrence.EventID = event.EventID;
    occurrence.EventName = event.EventName;
    occurrence.AllDayEvent = event.AllDayEvent;
    occurrence.Minutes = event.Reminder.value_or(0);
    if (event.AllDayEvent) {
        occurrence.Start = InstantOf(dated.Date, QTime(0, 0), zone);
        occurrence.End = InstantOf(dated.Date.addDays(1), QTime(0, 0), zone);
        occurrence.Due = InstantOf(dated.Date, kAllDayBase, zone).addSecs(-qint64(occurrence.Minutes) * 60);
    } else {
        occurrence.Start = InstantOf(dated.Date, event.StartTime, zone);
        // The store splits an event past midnight into days ending at 11:59 PM.
        occurrence.End = InstantOf(dated.Date, event.EndTime, zone);
        if (occurrence.End < occurrence.Start)
            occurrence.End = occurrence.Start;
        occurrence.Due = occurrence.Start.addSecs(-qint64(occurrence.Minutes) * 60);
    }
    return occurrence;
}

Plan Make(const QList<ReminderOccurrence> &occurrences, const QSet<Key> &shown, const QDateTime &now)
{
    Plan plan;
    // In milliseconds since the epoch: each comparison of two QDateTimes in local time
    // would convert them again.
    const qint64 nowMs = now.toMSecsSinceEpoch();
    const qint64 endedLimit = nowMs - kMissedLimitSecs * 1000;
    qint64 wakeMs = nowMs + kLookAheadSecs * 1000;
    const ReminderOccurrence *next = nullptr;
    for (const ReminderOccurrence &occurrence : occurrences) {
        if (shown.contains(KeyOf(occurrence)))
            continue;
        const qint64 dueMs = occurrence.Due.toMSecsSinceEpoch();
        if (dueMs <= nowMs) {
            if (occurrence.End.toMSecsSinceEpoch() >= endedLimit)
                plan.Due.append(occurrence);
        } else if (dueMs < wakeMs) {
            wakeMs = dueMs;
            next = &occurrence;
        }
    }
    plan.WakeAt = next ? next->Due : now.addSecs(kLookAheadSecs);
    plan.WakeIsReminder = next != nullptr;
    std::stable_sort(plan.Due.begin(), plan.Due.end(), [](const ReminderOccurrence &a, const ReminderOccurrence &b) {
        const qint64 aDue = a.Due.toMSecsSinceEpoch();
        const qint64 bDue = b.Due.toMSecsSinceEpoch();
        return aDue != bDue ? aDue < bDue : a.EventID < b.EventID;
    });
    return plan;
}

std::pair<QDate, QDate> Window(const QDateTime &now, int longestMinutes)
{
    // Back: events that ended within the missed limit (a day, and one more for the
    // zones' sake). Ahead: every start whose reminder falls within the look-ahead.
    const QDate first = now.date().addDays(-2);
    const QDate last = now.addSecs(qint64(std::max(longestMinutes, 0)) * 60 + kLookAheadSecs).date().addDays(1);
    return {first, last};
}

} // namespace ReminderPlan

std::optional<ReminderPlan::Plan> ReminderPlanner::Replan(const QDateTime &now)
{
    int longest = 0;
    if (!m_store.GetLongestReminder(longest))
        return std::nullopt;
    const auto [first, last] = ReminderPlan::Window(now, longest);
    QList<basDatabase::DatedEvent> stored;
    QList<basDatabase::EventStore::FiredReminder> fired;
    if (!m_store.GetRemindersInRange(first, last, stored)
        || !m_store.GetFiredReminders(QDateTime(first.addDays(-1), QTime(0, 0)), fired))
        return std::nullopt;
    QSet<ReminderPlan::Key> shown;
    shown.reserve(fired.size());
    for (const auto &one : std::as_const(fired))
        shown.insert({one.EventId, one.Occurrence.toMSecsSinceEpoch()});
    QList<ReminderOccurrence> occurrences;
    occurrences.reserve(stored.size());
    const QTimeZone zone = QTimeZone::systemTimeZone();
    for (const basDatabase::DatedEvent &dated : std::as_const(stored))
        occurrences.append(ReminderPlan::FromStored(dated, zone));
    return ReminderPlan::Make(occurrences, shown, now);
}

bool ReminderPlanner::MarkShown(const QList<ReminderOccurrence> &occurrences)
{
    QList<basDatabase::EventStore::FiredReminder> fired;
    for (const ReminderOccurrence &occurrence : occurrences)
        fired.append({occurrence.EventID, occurrence.Start});
    return m_store.RecordFiredReminders(fired);
}

} // namespace quillon
