// An event as the user (or a calendar file) describes it: what the editor fills in,
// EventService saves and calendar files carry. The typed fields are what this suite
// shows and edits; Component is the event's iCalendar as it was last kept (its series:
// the master VEVENT, its changed occurrences and the time zones they use), which holds
// every property the suite does not show. Saving writes the fields into it and leaves
// the rest as it came.
#pragma once

#include "Recurrence.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

namespace quillon {

struct Event {
    qint64 EventID = 0; // the stored event being changed; 0 for a new one
    QString EventName;
    bool AllDayEvent = false;
    QTime StartTime;
    QTime EndTime;
    QString EventColor; // a colour name as stored ("Blue"), empty for the default
    int EventIcon = 0;  // 0 for none, else 101..156
    QString Notes;
    QString Location;
    bool Recurring = false; // the days were picked by hand (kept as RDATEs)
    // Minutes before the start (an all-day event: before 9:00 on its day); none when empty.
    std::optional<int> Reminder;
    // A repeat rule; the days it gives (less those ticked off, with any picked besides) are
    // in Dates.
    std::optional<Recurrence> Rule;
    // With a Rule: the day it starts and counts from (DTSTART), itself perhaps ticked off.
    QDate RuleStart;
    QList<QDate> Dates;
    // The writable calendar (subscription) the event belongs to; 0 for this computer.
    qint64 Calendar = 0;
    // The kept iCalendar text of the series (a VCALENDAR); empty for an event never stored
    // with one.
    QByteArray Component;

    bool operator==(const Event &) const = default;
};

} // namespace quillon
