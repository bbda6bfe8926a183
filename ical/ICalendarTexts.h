// Every text of reading and writing calendar files that a person reads (an import's
// warnings, why a file was refused, what an export left out), in English as it is logged
// and kept; Shown gives it in the user's language.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <span>

namespace quillon {

namespace ICalendarTexts {

// --- The file as a whole -------------------------------------------------------------

inline constexpr auto kAtLine = QT_TRANSLATE_NOOP("ICalendarTexts", "line %1: %2");
inline constexpr auto kUtf16Unreadable =
    QT_TRANSLATE_NOOP("ICalendarTexts", "line 1: this is UTF-16 text that cannot be read; save it as UTF-8");
inline constexpr auto kReadAsLatin1 = QT_TRANSLATE_NOOP("ICalendarTexts", "the file is not UTF-8; read as Latin-1 (Windows-1252)");
inline constexpr auto kChangedWhileRead = QT_TRANSLATE_NOOP("ICalendarTexts", "the file changed while it was read");
inline constexpr auto kNotText = QT_TRANSLATE_NOOP("ICalendarTexts", "this is not a text file");
inline constexpr auto kNotICalendar =
    QT_TRANSLATE_NOOP("ICalendarTexts", "this is not an iCalendar file (it does not start with BEGIN:VCALENDAR)");
inline constexpr auto kNestedTooDeep = QT_TRANSLATE_NOOP("ICalendarTexts", "components nested more than %1 deep");
inline constexpr auto kBeginOutside = QT_TRANSLATE_NOOP("ICalendarTexts", "BEGIN:%1 outside of a calendar");
inline constexpr auto kEndWithoutBegin = QT_TRANSLATE_NOOP("ICalendarTexts", "END:%1 without BEGIN:%1");
inline constexpr auto kEndNotExpected =
    QT_TRANSLATE_NOOP("ICalendarTexts", "END:%1 where END:%2 (of line %3) was expected");
inline constexpr auto kTextAfterEnd = QT_TRANSLATE_NOOP("ICalendarTexts", "text after the end of the calendar");
inline constexpr auto kEmpty = QT_TRANSLATE_NOOP("ICalendarTexts", "the file is empty");
inline constexpr auto kTruncated = QT_TRANSLATE_NOOP("ICalendarTexts", "BEGIN:%1 has no END:%1; the file is truncated");
inline constexpr auto kLibicalUnreadable = QT_TRANSLATE_NOOP("ICalendarTexts", "libical could not read the file as iCalendar");
inline constexpr auto kTooManyDays = QT_TRANSLATE_NOOP("ICalendarTexts", "the file gives more than %1 days of events");

// --- Lines mended or left out ----------------------------------------------------------

//: %2 is the reading library's own (English) message
inline constexpr auto kIgnored = QT_TRANSLATE_NOOP("ICalendarTexts", "line %1: %2 (ignored)");
inline constexpr auto kStrayJoined =
    QT_TRANSLATE_NOOP("ICalendarTexts", "line %1: a line that is no property, read as the rest of line %2");
inline constexpr auto kStrayLeftOut = QT_TRANSLATE_NOOP("ICalendarTexts", "line %1: a line that is no property (left out)");
inline constexpr auto kCountAndUntil =
    QT_TRANSLATE_NOOP("ICalendarTexts", "line %1: the repeat rule has both COUNT and UNTIL; read up to its UNTIL");

// --- Time zones ------------------------------------------------------------------------

inline constexpr auto kZoneLeftOut =
    QT_TRANSLATE_NOOP("ICalendarTexts", "line %1: the time zone \"%2\" of the file is left out: %3");
inline constexpr auto kClockChangeWithoutStart = QT_TRANSLATE_NOOP("ICalendarTexts", "a change of clock has no DTSTART");
inline constexpr auto kUnknownZone =
    QT_TRANSLATE_NOOP("ICalendarTexts", "line %1: unknown time zone \"%2\"; its times are taken as local times");

// --- Events left out ---------------------------------------------------------------------

//: %3 is why the event was left out
inline constexpr auto kSkipped = QT_TRANSLATE_NOOP("ICalendarTexts", "line %1, UID \"%2\": %3; skipped");
inline constexpr auto kOlderVersion =
    QT_TRANSLATE_NOOP("ICalendarTexts", "line %1: an older version of the event with the UID \"%2\" (left out)");
inline constexpr auto kOlderChange = QT_TRANSLATE_NOOP(
    "ICalendarTexts", "line %1: an older version of a changed occurrence of the event with the UID \"%2\" (left out)");
inline constexpr auto kCancelled = QT_TRANSLATE_NOOP("ICalendarTexts", "line %1: a cancelled event (left out)");
inline constexpr auto kNoDayLeft = QT_TRANSLATE_NOOP("ICalendarTexts", "line %1: \"%2\" has no day left (left out)");
inline constexpr auto kDaysOutside = QT_TRANSLATE_NOOP("ICalendarTexts", "line %1: \"%2\": days outside 1900-2100 left out");
inline constexpr auto kEndless =
    QT_TRANSLATE_NOOP("ICalendarTexts", "line %1: \"%2\" repeats without end; dates taken up to %3");
inline constexpr auto kDatesOverLimit =
    QT_TRANSLATE_NOOP("ICalendarTexts", "its dates could not be worked out within the limit");
inline constexpr auto kChangesOverLimit =
    QT_TRANSLATE_NOOP("ICalendarTexts", "its changed occurrences could not be worked out within the limit");
inline constexpr auto kNoStart = QT_TRANSLATE_NOOP("ICalendarTexts", "the event has no DTSTART");
inline constexpr auto kStartNoDate = QT_TRANSLATE_NOOP("ICalendarTexts", "the event's DTSTART is no date");
inline constexpr auto kEndNoDate = QT_TRANSLATE_NOOP("ICalendarTexts", "the event's DTEND is no date");
inline constexpr auto kEndsBeforeStart = QT_TRANSLATE_NOOP("ICalendarTexts", "ends before it starts");
inline constexpr auto kNegativeDuration = QT_TRANSLATE_NOOP("ICalendarTexts", "the event's DURATION is negative");
inline constexpr auto kDurationTooLong =
    QT_TRANSLATE_NOOP("ICalendarTexts", "its DURATION of %1 days is longer than the years 1900-2100");
//: %1 is a property's name (EXDATE, DTSTART)
inline constexpr auto kNoDate = QT_TRANSLATE_NOOP("ICalendarTexts", "%1 is no date");
inline constexpr auto kRdateNoDate = QT_TRANSLATE_NOOP("ICalendarTexts", "RDATE is no date");
inline constexpr auto kRecurrenceIdNoDate = QT_TRANSLATE_NOOP("ICalendarTexts", "RECURRENCE-ID is no date");

// --- Repeat rules ------------------------------------------------------------------------

inline constexpr auto kRuleUnreadable = QT_TRANSLATE_NOOP("ICalendarTexts", "its repeat rule \"%1\" cannot be read");
inline constexpr auto kNoFreq = QT_TRANSLATE_NOOP("ICalendarTexts", "the RRULE has no valid FREQ");
//: %1 is why the rule can never match
inline constexpr auto kNeverMatches = QT_TRANSLATE_NOOP("ICalendarTexts", "its repeat rule can never match (%1)");
inline constexpr auto kEndsOnNoDate = QT_TRANSLATE_NOOP("ICalendarTexts", "its repeat rule ends on no date");
inline constexpr auto kRuleOverLimit =
    QT_TRANSLATE_NOOP("ICalendarTexts", "its repeat rule could not be expanded within the limit");
inline constexpr auto kTooManyDates = QT_TRANSLATE_NOOP("ICalendarTexts", "the RRULE of \"%1\" gives more than %2 dates");
inline constexpr auto kNoDateAtAll = QT_TRANSLATE_NOOP("ICalendarTexts", "its repeat rule gives no date at all");
inline constexpr auto kIntervalNotPositive = QT_TRANSLATE_NOOP("ICalendarTexts", "INTERVAL=%1 is no positive number");
inline constexpr auto kNoSecond = QT_TRANSLATE_NOOP("ICalendarTexts", "BYSECOND=%1 names no second");
inline constexpr auto kNoMinute = QT_TRANSLATE_NOOP("ICalendarTexts", "BYMINUTE=%1 names no minute");
inline constexpr auto kNoHour = QT_TRANSLATE_NOOP("ICalendarTexts", "BYHOUR=%1 names no hour");
inline constexpr auto kNoMonthDay = QT_TRANSLATE_NOOP("ICalendarTexts", "BYMONTHDAY=%1 names no day of a month");
inline constexpr auto kNoYearDay = QT_TRANSLATE_NOOP("ICalendarTexts", "BYYEARDAY=%1 names no day of a year");
inline constexpr auto kNoWeek = QT_TRANSLATE_NOOP("ICalendarTexts", "BYWEEKNO=%1 names no week of a year");
inline constexpr auto kNoMonth = QT_TRANSLATE_NOOP("ICalendarTexts", "BYMONTH=%1 names no month");
inline constexpr auto kLeapMonth =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYMONTH=%1L names a leap month, which the Gregorian calendar has not");
inline constexpr auto kWeekNumberNotYearly = QT_TRANSLATE_NOOP("ICalendarTexts", "BYWEEKNO fits only a yearly rule");
inline constexpr auto kYearDayMisfit =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYYEARDAY does not fit a daily, weekly or monthly rule");
inline constexpr auto kMonthDayWeekly = QT_TRANSLATE_NOOP("ICalendarTexts", "BYMONTHDAY does not fit a weekly rule");
inline constexpr auto kNotGregorian = QT_TRANSLATE_NOOP("ICalendarTexts", "RSCALE=%1: only Gregorian rules are expanded");
inline constexpr auto kNoWeekday = QT_TRANSLATE_NOOP("ICalendarTexts", "BYDAY names no weekday");
inline constexpr auto kNumberedWeekday =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYDAY=%1: a numbered weekday fits only a monthly or yearly rule");
inline constexpr auto kWeekdaysInMonth =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYDAY=%1: a month has at most %2 of each weekday");
inline constexpr auto kWeekdaysInYear = QT_TRANSLATE_NOOP("ICalendarTexts", "BYDAY=%1: a year has at most %2 of each weekday");
inline constexpr auto kMonthDayInNoMonth =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYMONTHDAY=%1 falls in none of the months BYMONTH=%2");
inline constexpr auto kYearDayInNoMonth =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYYEARDAY=%1 falls in none of the months BYMONTH=%2");
inline constexpr auto kPositionsPerSecond =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYSETPOS=%1 asks for more occurrences than one second holds");
inline constexpr auto kPositionsPerMinute =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYSETPOS=%1 asks for more occurrences than one minute holds");
inline constexpr auto kPositionsPerHour =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYSETPOS=%1 asks for more occurrences than one hour holds");
inline constexpr auto kPositionsPerDay =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYSETPOS=%1 asks for more occurrences than one day holds");
inline constexpr auto kPositionsPerWeek =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYSETPOS=%1 asks for more occurrences than one week holds");
inline constexpr auto kPositionsPerMonth =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYSETPOS=%1 asks for more occurrences than one month holds");
inline constexpr auto kPositionsPerYear =
    QT_TRANSLATE_NOOP("ICalendarTexts", "BYSETPOS=%1 asks for more occurrences than one year holds");
// A time zone's rule that libical is not given: why.
inline constexpr auto kZoneRuleNotYearly = QT_TRANSLATE_NOOP("ICalendarTexts", "its rule is not yearly");
//: %2 is a part of the rule (BYDAY, BYMONTH)
inline constexpr auto kZoneRuleTooMany = QT_TRANSLATE_NOOP("ICalendarTexts", "its rule has more than %1 %2 values");
inline constexpr auto kZoneStartNoDate = QT_TRANSLATE_NOOP("ICalendarTexts", "its start is no date");
inline constexpr auto kZoneRuleNoChange =
    QT_TRANSLATE_NOOP("ICalendarTexts", "its rule gives no change within two years of its start");

// --- Importing and exporting a file ------------------------------------------------------

inline constexpr auto kFolderUnreachable =
    QT_TRANSLATE_NOOP("ICalendarTexts", "%1: the folder %2 does not exist or cannot be entered (no permission)");
inline constexpr auto kFileNotFound = QT_TRANSLATE_NOOP("ICalendarTexts", "%1: file not found");
inline constexpr auto kFileUnreadable = QT_TRANSLATE_NOOP("ICalendarTexts", "%1: the file cannot be read (no permission)");
inline constexpr auto kFileTooLarge =
    QT_TRANSLATE_NOOP("ICalendarTexts", "%1: the file is larger than %2 MB (%3 bytes); nothing was imported");
inline constexpr auto kFileChanged =
    QT_TRANSLATE_NOOP("ICalendarTexts", "%1: the file changed while it was read; nothing was imported");
//: %2 is why the file was refused
inline constexpr auto kNothingImported = QT_TRANSLATE_NOOP("ICalendarTexts", "%1: %2; nothing was imported");
inline constexpr auto kNotStored =
    QT_TRANSLATE_NOOP("ICalendarTexts", "%1: line %2: \"%3\" could not be stored: %4; nothing was imported");
inline constexpr auto kStoreRefused =
    QT_TRANSLATE_NOOP("ICalendarTexts", "%1: line %2: the store did not take \"%3\"; nothing was imported");
inline constexpr auto kChurchDaysLeftOut =
    QT_TRANSLATE_NOOP("ICalendarTexts", "%1 church-year days left out (the store has them already)");
inline constexpr auto kNoFolder = QT_TRANSLATE_NOOP("ICalendarTexts", "%1: the folder %2 does not exist");
inline constexpr auto kDiskFull =
    QT_TRANSLATE_NOOP("ICalendarTexts", "%1: the disk is full (%2 bytes free, %3 needed); the file was not written");
//: %2 is the system's reason
inline constexpr auto kNotWritten =
    QT_TRANSLATE_NOOP("ICalendarTexts", "%1: the file could not be written (%2); it was not changed");
inline constexpr auto kChurchYearRange =
    QT_TRANSLATE_NOOP("ICalendarTexts", "The church-year range %1-%2 is not within 1900-2100");
inline constexpr auto kEventWithoutDate = QT_TRANSLATE_NOOP("ICalendarTexts", "event %1 \"%2\": no date");
inline constexpr auto kEventWithoutTime = QT_TRANSLATE_NOOP("ICalendarTexts", "event %1 \"%2\": no readable time");

// All of the above, for a text that may hold any of them (a refresh's message).
std::span<const char *const> Forms();

// A text made of the above, line by line, in the user's language; libical's, the store's
// and the system's own words stay as they are.
QString Shown(const QString &english);

} // namespace ICalendarTexts

} // namespace quillon
