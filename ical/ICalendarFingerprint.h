// What an event says, as one short text: a re-import compares it with what the last
// import (or export) of the same UID said, and leaves the event alone when they agree.
#pragma once

#include "EventStore.h"

#include <QDate>
#include <QList>
#include <QString>

namespace quillon {

namespace ICalendarFingerprint {

// The event as a calendar file carries it: an all-day event without times, colour or
// icon; a timed event with one of the 16 colours or none, an icon of 101-156 or none,
// and an end that is not before its start.
basDatabase::EventRecord FileForm(const basDatabase::EventRecord &event);

// Equal for two events exactly when their file forms and their sets of days are equal.
QString Fingerprint(const basDatabase::EventRecord &event, const QList<QDate> &dates);

} // namespace ICalendarFingerprint

} // namespace quillon
