// The event store: the one connection to dbcalndr.sqlite and every operation on it.
// Every value crosses this interface as text; dates in the one form of basDateText
// ("m/dd/yyyy" out, m/d/yyyy with or without leading zeros in). Operations return
// true when done; on failure they report under "basDatabase.<operation>" with the
// last step reached and return false. Callers pass plain text (no doubled apostrophes).
#pragma once

#include <QString>
#include <QStringList>

namespace basDatabase {

bool OpenDatabaseConnection();
void CloseDatabaseConnection();
// The path OpenDatabaseConnection opens: the data folder's dbcalndr.sqlite.
QString DatabasePath();

// eventValues: 0 EventName, 1 AllDayEvent ("1"/"0"), 2 StartTime, 3 EndTime (as
// "h:mm AM"/"h:mm PM"), 4 EventColor, 5 EventIcon, 6 Notes, 7 Recurring ("1"/"0").
bool AddEventToDatabase(const QStringList &eventValues, const QStringList &dates, QString &eventId);
bool AddEventDate(const QString &eventId, const QString &date);
bool DeleteEventDate(const QString &eventId, const QString &date);
// Lowers the counts of the dates stored with the event, whatever dates holds.
bool DeleteEventFromDatabase(const QString &eventId, const QStringList &dates);
bool UpdateEventInDatabase(const QString &eventId, const QStringList &eventValues, const QStringList &dates);

// Result lists start as one empty entry; callers skip empty entries.
bool GetDates(const QString &firstDate, const QString &lastDate, QStringList &dayRecords);
bool GetEventsByDate(const QString &date, QStringList &eventIds);
// eventRecord: 0 EventID, 1 EventName, 2 AllDayEvent ("True"/"False"), 3 StartTime,
// 4 EndTime ("h:mm AM/PM"), 5 EventColor, 6 EventIcon, 7 Notes, 8 Recurring.
bool GetEventData(const QString &eventId, QStringList &eventRecord);
bool GetAllDatesForEvent(const QString &eventId, QStringList &dates);
// Never reports: any failure reads as no fact.
QString GetFactOfTheDay(const QString &date);

bool DecrementEventCount(const QString &date);
bool IncrementEventCount(const QString &date);
bool UpdateDateNotes(const QString &date, const QString &notes);

// The liturgical colour name of a day ("" when none). No trap of its own: a failure
// throws basOperation::Failure to the caller's trap (the renderer's GetDateColor).
QString QueryDateColor(const QString &date);

// Day records: DateKey|DateColor|EventCount|DateNotes|DateText. A "|" (or the escape
// character U+001B) inside a field is escaped, so a record always has five fields and
// ordinary text reads the same through GetField. SplitDayRecord gives the exact texts.
inline constexpr int kDayRecordFields = 5;
QString JoinDayRecord(const QStringList &fields);
QStringList SplitDayRecord(const QString &record); // always kDayRecordFields entries

// The Qt SQL connection name of the one connection (for tools that measure it).
inline constexpr auto kConnectionName = "basDatabase";

} // namespace basDatabase
