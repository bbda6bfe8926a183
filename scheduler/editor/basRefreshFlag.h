// Whether a change of events touches the month the desktop calendar shows, and so
// whether the calendar needs drawing again when the scheduler closes.
#pragma once

#include <QDate>
#include <QList>

namespace basRefreshFlag {

// True when some valid date lies in today's month of today's year.
bool CurrentMonthChanged(const QList<QDate> &dates);

// Sets the flag when the dates touch the shown month; never clears it (only the
// calendar's refresh does).
void NoteChangedDates(bool &calendarRefreshNeeded, const QList<QDate> &dates);

} // namespace basRefreshFlag
