// The iCalendar text a file gave each series, kept with its events so that an export
// writes what the suite does not show (a rule, a zone, a place, attendees, the
// properties of other programs, a second alarm) as it came, with the user's changes
// put into it.
#pragma once

#include "EventRecords.h"
#include "ICalendarLines.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QTimeZone>

namespace quillon {

namespace ICalendarKept {

// How the reader tells series apart: the UID, and of our own exports the origin with it.
QString SeriesKey(const QString &origin, const QString &seriesUid);

// Every series of the file as a calendar of its own: its VEVENTs (the master and its
// changed occurrences, in the order of the file) with the VTIMEZONEs they name, by
// SeriesKey. Events without a UID are left out: the reader makes one up for them.
QHash<QString, QByteArray> SeriesTexts(const ICalendarLines::Text &text);

// What the store has of a series of one look now, against what its kept text said.
struct Change {
    basDatabase::EventRecord Before; // in file form, as the kept text reads
    QList<QDate> DatesBefore;
    basDatabase::EventRecord After; // in file form, as the store has it
    QList<QDate> DatesAfter;
    QString CssColor; // COLOR of After, or empty
};

// The kept text with the change written into it: the name, notes, colour, icon and
// reminder where they changed, the times moved by as much as they moved, days ticked
// off as EXDATE and new ones as RDATE; SEQUENCE one higher, DTSTAMP and LAST-MODIFIED
// the stamp. Everything else stays as it came. Empty when the change cannot be written
// into it (an event that became all-day, say): the series is then written anew.
QByteArray Updated(const QByteArray &kept, const Change &change, const QDateTime &stamp, const QTimeZone &localZone);

// The parts of kept texts a calendar file is made of.
struct Pieces {
    QList<QByteArray> Zones; // whole VTIMEZONE blocks
    QList<QByteArray> ZoneIds;
    QByteArray Events; // the VEVENT blocks
};
// originTag, when given, is written into each VEVENT that has none (X-QUILLON-ORIGIN).
Pieces Split(const QByteArray &kept, const QString &originTag);

} // namespace ICalendarKept

} // namespace quillon
