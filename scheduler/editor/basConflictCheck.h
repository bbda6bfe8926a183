// Finding the timed events that a new or changed event runs into on its days.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

namespace basDatabase {
class EventStore;
struct EventRecord;
} // namespace basDatabase

namespace basConflictCheck {

// Times compared as whole numbers hhmm. A new span conflicts with an existing one when
// its start or its end falls inside it, or when it encloses it; spans that only touch
// do not, and an existing span of no length never does.
bool Overlaps(int newStart, int newEnd, int existingStart, int existingEnd);

// "5-Jan-2004  9:00 AM - 10:30 AM  Staff meeting".
QString ConflictLine(const QDate &day, const basDatabase::EventRecord &existing);

// One line per conflicting occurrence, in the order of the dates and, within a day, of
// the event ids. The event ownId (0 for a new event) and all-day events are passed over.
// All the dates are read in one query; false when it failed (the store has reported).
bool FindConflicts(basDatabase::EventStore &store, const QList<QDate> &dates, const QTime &start,
                   const QTime &end, qint64 ownId, QStringList &lines);

} // namespace basConflictCheck
