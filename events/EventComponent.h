// An event's iCalendar text (its series: the VEVENTs and the time zones they use) and
// the user's changes: what EventService writes into it when an event changes, so that
// the text stays what the store shows, with everything else it said as it came.
#pragma once

#include "Event.h"
#include "EventRecords.h"
#include "Recurrence.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>

#include <optional>

namespace quillon {

namespace EventComponent {

// A series of one look as the store had it and as it has it now.
struct Change {
    basDatabase::EventRecord Before;
    QList<QDate> DatesBefore;
    basDatabase::EventRecord After;
    QList<QDate> DatesAfter;
    // What the event's text says besides: the place, and the repeat rule. Changed (and
    // written) when they differ.
    QString LocationBefore;
    QString LocationAfter;
    std::optional<Recurrence> RuleBefore;
    std::optional<Recurrence> RuleAfter;
    QDate RuleStartAfter; // where RuleAfter counts from; empty: the series' start
    // The event is one look of a series of several: one made of changed occurrences has
    // each written into its own override; the series' own look keeps the rule it cannot show.
    bool OneLookOfSeveral = false;
};

// One occurrence of a series changed on its own: the occurrence of Day (as the store
// shows it), which the series gives in the look of Series, takes the look of After on
// MovedTo.
struct OccurrenceChange {
    basDatabase::EventRecord Series;
    QDate Day;
    basDatabase::EventRecord After;
    QDate MovedTo;
    QString LocationBefore;
    QString LocationAfter;
};

// What the master VEVENT of a kept text says of the things the store does not hold: the
// place, and the repeat rule when the editor can show it.
struct Extras {
    QString Location;
    std::optional<Recurrence> Rule;
    QDate RuleStart; // the local day of DTSTART
};
Extras ExtrasOf(const QByteArray &kept, const QTimeZone &localZone);
// The UID of the master VEVENT; empty when the text has none or cannot be read.
QString UidOf(const QByteArray &kept);

// A new event's text: its RuleStart (or first day) as DTSTART (timed in the zone, which every reader
// knows by its name), a rule as RRULE with the days it gives but the event lacks as
// EXDATE, the other days as RDATE; the fields the suite shows as their properties.
QByteArray Created(const Event &event, const QString &uid, const QDateTime &stamp, const QTimeZone &zone);

// The kept text with the change written into it: the name, notes, colour, icon and
// reminder where they changed, the times moved by as much as they moved, days ticked
// off as EXDATE and new ones as RDATE; SEQUENCE one higher, DTSTAMP and LAST-MODIFIED
// the stamp. Everything else stays as it came. Empty when the change cannot be written
// into it (an event that became all-day, say): the series is then written anew.
QByteArray Updated(const QByteArray &kept, const Change &change, const QDateTime &stamp, const QTimeZone &localZone);

// The kept text with the occurrence written as an override (RECURRENCE-ID: the series'
// own instance of the day), or into the override the day already has; SEQUENCE, DTSTAMP
// and LAST-MODIFIED as for Updated. Empty when the text cannot take it.
QByteArray Overridden(const QByteArray &kept, const OccurrenceChange &change, const QDateTime &stamp,
                      const QTimeZone &localZone);

// The kept text without the occurrences of the days (local): an override of the day goes,
// and the series' instance it stood for is excluded (EXDATE) as is any other of the day.
QByteArray Cancelled(const QByteArray &kept, const QList<QDate> &days, const QDateTime &stamp,
                     const QTimeZone &localZone);

} // namespace EventComponent

} // namespace quillon
