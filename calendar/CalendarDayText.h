// The texts of one day's cell: the sort keys of timed events, their order, and the
// lines "9:30a  Staff meeting" the calendar shows.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

namespace quillon {

namespace CalendarDayText {

// A start time as the store gives it ("9:30 AM", "12:00 PM"); also 24-hour "14:05".
// Invalid when the text is no time.
QTime ParseStartTime(const QString &text);

// "HhNn name": 0930 Staff meeting.
QString SortKey(const QTime &start, const QString &name);

// A sorted key back into a shown line: "9:30a  Staff meeting", "12:00p  Lunch".
QString TimedLine(const QString &sortKey);

// Sorted on the lower-case text: ascending start times, equal times by name
// without regard to case, exact ties in their order of arrival.
QStringList SortedEntries(const QStringList &entries);

// The day's lookup key: month/day/year without leading zeros (1/5/2009).
QString LookupDate(int month, int day, int year);

} // namespace CalendarDayText

} // namespace quillon
