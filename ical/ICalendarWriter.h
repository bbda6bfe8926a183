// Writing events as a calendar file: every event one VEVENT with its first day as
// DTSTART and the others as RDATE (all-day days in one run as one event of that many
// days), times as floating local times.
#pragma once

#include "EventStore.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace ICalendarWriter {

struct OutgoingEvent {
    QString Uid;
    basDatabase::EventRecord Event; // in its file form (ICalendarFingerprint::FileForm)
    QList<QDate> Dates;             // ascending, each once, at least one
    QString CssColor;               // COLOR, or empty for none
    QString Origin;                 // X-QUILLON-ORIGIN: a tag of the event's source, or empty
};

// The whole file, lines ending in CRLF. stamp is the DTSTAMP of every event.
QByteArray WriteCalendar(const QList<OutgoingEvent> &events, const QDateTime &stamp);

} // namespace ICalendarWriter
