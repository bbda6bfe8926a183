// Reading a calendar file into the store's terms: every VEVENT becomes one event record
// and its days, with times in the local time zone. libical parses the text, expands the
// rules and converts the file's time zones; this file decides what each piece means for
// the store.
#pragma once

#include "EventRecords.h"
#include "ICalendarLines.h"
#include "ICalendarRecurrence.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include <functional>
#include <memory>

class QFile;

namespace quillon {

namespace ICalendarReader {

// Larger files are refused before they are read.
inline constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;
// No rule of one event may give more occurrences than this.
inline constexpr int kMaxOccurrences = 100000;
// Nor all events of one file more days than this.
inline constexpr qint64 kMaxDates = 5000000;
// The days the store keeps.
inline const QDate kFirstDate(1900, 1, 1);
inline const QDate kLastDate(2100, 12, 31);
// A rule without end stops this many years after today.
inline constexpr int kOpenRuleYears = 5;
// The work one event's rules and dates may take, in steps of about 50 ns (see
// ICalendarRecurrence.h; a day of the event counts with the store's writing of it), so
// about 0.75 s: an event that needs more is skipped. A daily event over the two stored
// centuries takes 9,000,000.
inline constexpr qint64 kMaxEventSteps = 15000000;
// And all events of a file together, about 1.5 s, and more for each byte of the file, so
// that a small file of hostile rules cannot add up their limits, while a large feed of
// ordinary events (a few hundred bytes each, a daily one over ten years taking about
// 450,000 steps) is never cut short.
inline constexpr qint64 kMaxFileSteps = 30000000;
inline constexpr qint64 kFileStepsPerByte = 1000;
// What an event may still take when the file's steps are spent: enough for a simple one.
inline constexpr qint64 kMinEventSteps = 50000;

struct ReadOptions {
    QTimeZone LocalZone = QTimeZone::systemTimeZone();
    QDate Today;
    // Asked now and then while the rules are expanded; true stops the read (Cancelled).
    std::function<bool()> Cancelled;
};

// Thrown by ReadCalendar when options.Cancelled said to stop.
using Cancelled = ICalendarRecurrence::Cancelled;

struct CalendarEvent {
    QString Uid;
    QString Origin; // X-QUILLON-ORIGIN: which source our own export said it came from
    int Line = 0;   // the line of its BEGIN:VEVENT
    basDatabase::EventRecord Event;
    QList<QDate> Dates; // ascending, each once
};

struct CalendarContents {
    QList<CalendarEvent> Events;
    QStringList Warnings; // "line N: ..." for what was taken with a change or left out
};

// Throws basOperation::Failure with "line N: reason" when the text is not a calendar, is
// cut short, or gives more than the limits allow. An event (or a changed occurrence)
// that cannot be read, whose rule can never match or needs more work than the limits
// allow, is skipped with a warning ("line N, UID \"...\": reason; skipped"); a time
// zone that cannot be read is left out. Properties of unknown names are ignored. Of two
// versions of an event (one UID), the highest SEQUENCE is read, of equal ones the later.
CalendarContents ReadCalendar(const QByteArray &text, const ReadOptions &options);
// The same for a text in memory or read from its file a part at a time (see FileText).
CalendarContents ReadCalendar(const ICalendarLines::Text &text, const ReadOptions &options);

// Takes each event of a read as soon as it is read whole.
using EventTaker = std::function<void(CalendarEvent &&event)>;
// The same read, handing each event to take instead of keeping them in a list, so that
// the reader never holds a large calendar's events together: in the order of the file,
// except that a series with changed occurrences comes once they are applied (after the
// others of its part of the file; those sent without their series last). expect, when
// given, is told once before the first how many series come (each may give several
// events). Returns the warnings. What throws ends the read; the events taken until
// then are to be dropped.
QStringList ReadCalendar(const QByteArray &text, const ReadOptions &options, const EventTaker &take,
                         const std::function<void(qsizetype)> &expect = {});

// The same read, handing each event as soon as those before it are handed: the events
// of ReadCalendar's list in the order of that list, and its warnings, without holding
// them all. What throws ends the read, as ReadCalendar's does (past kMaxDates at its end,
// nothing more being handed); the events taken until then are to be dropped.
QStringList ReadCalendarInOrder(const ICalendarLines::Text &text, const ReadOptions &options, const EventTaker &take);

// The first size bytes of the open file as the text ReadCalendar takes: read from the
// file as it goes when it is UTF-8 with LF or CRLF line ends, so that a large file never
// stands whole in memory (the file must then stay as it is until the read is done);
// otherwise read whole, to be converted.
ICalendarLines::Text FileText(const std::shared_ptr<QFile> &file, qsizetype size);

// The text as UTF-8 with LF or CRLF line ends: UTF-16 converted, a byte order mark
// dropped, text that is not UTF-8 read as Windows-1252 (one note says so), lines ended
// by CR alone given CRLF. ReadCalendar does this first.
QByteArray AsUtf8(const QByteArray &text, QStringList &notes);

} // namespace ICalendarReader

} // namespace quillon
