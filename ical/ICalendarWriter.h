// Writing events as a calendar file: every event one VEVENT with its first day as
// DTSTART and the others as RDATE (all-day days in one run as one event of that many
// days), times as floating local times. The events stored for one series (see
// EventSeries) are one VEVENT again: its first occurrence the master, the others
// RDATEs, each that differs from it (time, length, name, all-day ...) a VEVENT with
// RECURRENCE-ID; an evening until 23:59 and the next morning from 00:00 are one
// occurrence past midnight.
#pragma once

#include "EventStore.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace quillon {

namespace ICalendarWriter {

struct OutgoingEvent {
    // A further event of the same series, in the same terms.
    struct Part {
        basDatabase::EventRecord Event;
        QList<QDate> Dates;
        QString CssColor;
    };
    QString Uid;
    basDatabase::EventRecord Event; // in its file form (ICalendarFingerprint::FileForm)
    QList<QDate> Dates;             // ascending, each once, at least one
    QString CssColor;               // COLOR, or empty for none
    QString Origin;                 // X-QUILLON-ORIGIN: a tag of the event's source, or empty
    QList<Part> Others;             // the series' other events, if any
    // The series' own iCalendar text (see ICalendarKept), written in its place when
    // given; the fields above then only name it.
    QByteArray Kept;
};

// The whole file, lines ending in CRLF. stamp is the DTSTAMP of every event.
QByteArray WriteCalendar(const QList<OutgoingEvent> &events, const QDateTime &stamp);

} // namespace ICalendarWriter

} // namespace quillon
