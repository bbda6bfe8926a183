// The editor's half-hour time list and the two whole-number forms of a time that the
// editor's checks compare.
#pragma once

#include <QString>
#include <QStringList>
#include <QTime>

namespace quillon {

namespace basTimeList {

inline constexpr int kEntries = 48;

// 0:00, 0:30 ... 23:30.
QList<QTime> Times();
// The same in the locale's form: "12:00 AM", "12:30 AM" ... "11:30 PM" under en_US.
QStringList LoadTimes();

// The next half-hour boundary strictly after the time, as "h:m" on the 24-hour clock
// with the minute in plain decimal: 9:15 AM gives "9:30", 9:30 AM "10:0", 11:45 PM "0:0".
// Empty when the text is not a time.
QString GetNextTimePeriod(const QString &timeText);
QTime NextTimePeriod(const QTime &time);

// 9:30 AM is 93000, 5:30 PM 173000, 12:00 AM 0; -1 when the text is not a time.
int ToSecondsNumber(const QString &timeText);
// 9:30 AM is 930, 5:30 PM 1730, 12:00 AM 0; -1 when the text is not a time.
int ToMinutesNumber(const QString &timeText);
int ToMinutesNumber(const QTime &time);

} // namespace basTimeList

} // namespace quillon
