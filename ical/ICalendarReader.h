// Reading a calendar file into the store's terms: every VEVENT becomes one event record
// and its days, with times in the local time zone. libical parses the text, expands the
// rules and converts the file's time zones; this file decides what each piece means for
// the store.
#pragma once

#include "EventStore.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

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

struct ReadOptions {
    QTimeZone LocalZone = QTimeZone::systemTimeZone();
    QDate Today;
};

struct CalendarEvent {
    QString Uid;
    int Line = 0; // the line of its BEGIN:VEVENT
    basDatabase::EventRecord Event;
    QList<QDate> Dates; // ascending, each once
};

struct CalendarContents {
    QList<CalendarEvent> Events;
    QStringList Warnings; // "line N: ..." for what was taken with a change or left out
};

// Throws basOperation::Failure with "line N: reason" when the text is not a calendar,
// is cut short, or holds an event the store cannot take.
CalendarContents ReadCalendar(const QByteArray &text, const ReadOptions &options);

} // namespace ICalendarReader
