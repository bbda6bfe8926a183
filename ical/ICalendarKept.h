// The iCalendar text a file gave each series, kept with its events so that an export
// writes what the suite does not show (a rule, a zone, a place, attendees, the
// properties of other programs, a second alarm) as it came; EventComponent keeps it in
// step with the user's changes.
#pragma once

#include "ICalendarLines.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QTimeZone>

#include <optional>

namespace quillon {

namespace ICalendarKept {

// How the reader tells series apart: the UID, and of our own exports the origin with it.
QString SeriesKey(const QString &origin, const QString &seriesUid);

// Every series of the file as a calendar of its own: its VEVENTs (the master and its
// changed occurrences, in the order of the file) with the VTIMEZONEs they name, by
// SeriesKey. Events without a UID are left out: the reader makes one up for them. Each
// calendar is put together when asked for: all of a large file's at once would hold its
// text twice over while its events are stored.
class SeriesTexts {
public:
    SeriesTexts() = default;
    explicit SeriesTexts(const ICalendarLines::Text &text);
    // The series' calendar; none when the file has no series of that key.
    std::optional<QByteArray> Of(const QString &seriesKey) const;
    qsizetype size() const { return m_events.size(); }

private:
    QHash<QByteArray, QByteArray> m_zones;   // VTIMEZONE blocks by TZID
    QHash<QString, QByteArray> m_events;     // the VEVENT blocks of each series
};

// The parts of kept texts a calendar file is made of.
struct Pieces {
    QList<QByteArray> Zones; // whole VTIMEZONE blocks
    QList<QByteArray> ZoneIds;
    QByteArray Events; // the VEVENT blocks
    QList<QByteArray> NamedZones; // the TZIDs the events name
};
// originTag, when given, is written into each VEVENT that has none (X-QUILLON-ORIGIN).
Pieces Split(const QByteArray &kept, const QString &originTag);

// The VTIMEZONE block of a zone the system knows (libical's from the system's zone data),
// under its own name; empty for one it does not know.
QByteArray SystemZone(const QByteArray &tzid);

} // namespace ICalendarKept

} // namespace quillon
