// Calendar files in and out of the event store. An import is all or nothing: one
// transaction, and a file that cannot be read whole changes nothing. Each event keeps
// the UID it has in the file and the file's canonical path as its source (table
// EventUids): a UID is unique within its source only, so importing the same file again
// changes nothing, a changed file updates the events it brought, and another file that
// reuses a UID brings events of its own. A row from before sources (empty source) goes
// to the first file that brings its UID again, unless the UID is the store's own.
#pragma once

#include "ICalendarReader.h"

#include <QString>
#include <QTimeZone>
#include <QStringList>

#include <functional>

namespace quillon {

namespace basDatabase {
class EventStore;
}

namespace basICalendar {

struct ImportSummary {
    int Added = 0;
    int Updated = 0;
    int Unchanged = 0;
    QStringList Warnings;
    // Some day of today's month gained or lost an event.
    bool TouchesCurrentMonth = false;
    // After a failed import whose file was read: which event the store refused (the
    // store's own report says why).
    QString Refusal;
    // The import was stopped through options.Cancelled; nothing was written or reported.
    bool Cancelled = false;
};

// How the text of the file becomes events: ICalendarReader::ReadCalendar, or a caller's
// way of running it (on another thread, say); it throws what ReadCalendar throws.
using CalendarReading = std::function<ICalendarReader::CalendarContents(const ICalendarLines::Text &text,
                                                                         const ICalendarReader::ReadOptions &options)>;

// Told now and then while the events read are stored (how many so far, of how many:
// without a caller's reading, those read so far while the file is still read); false
// stops the import, and nothing is written.
using StoringProgress = std::function<bool(qsizetype stored, qsizetype total)>;

// Reads the file and writes its events. On failure (the file missing, too large, not
// iCalendar, truncated, an event the store cannot take, a store error) the report
// "basICalendar.ImportCalendarFile" names the file, the line and the reason, nothing is
// written and the result is false. options.Today empty means the suite's today.
// Without read, the file is read on a thread of its own (options.Cancelled is asked
// there) while the events read so far are stored, in the order and with the warnings of
// a read whole first; a flaw met late in the file takes back what was stored.
// Cancelled through options.Cancelled or storing, nothing is written and nothing
// reported either.
bool ImportCalendarFile(basDatabase::EventStore &store, const QString &path, ImportSummary &summary,
                        ICalendarReader::ReadOptions options = {}, const CalendarReading &read = {},
                        const StoringProgress &storing = {});

// Keeps the store's index of occurrences in line with the series' texts as the world
// around them moves: when the times were worked out in another zone, each series whose
// text names a zone (or UTC) is read again in this one (the 9:00 call from Berlin is at
// 3:00 in New York; a floating time stays); and when today has moved a month or more
// past the day the rules without end were last laid out from, those are laid out again
// to kOpenRuleYears after today. A store that has said neither yet takes both as they
// are; the user's own events of a store from before texts were kept get theirs, once. changed (if given) tells whether some event moved or gained days. Reports under
// "basICalendar.KeepIndexCurrent".
bool KeepIndexCurrent(basDatabase::EventStore &store, const QTimeZone &zone = QTimeZone::systemTimeZone(),
                      QDate today = {}, bool *changed = nullptr);

struct ExportOptions {
    // With both set, the church-year days of these years (1900-2100) go along as
    // all-day events with their name and colour.
    int ChurchYearFrom = 0;
    int ChurchYearTo = 0;
};

struct ExportSummary {
    int Events = 0;
    int ChurchDays = 0;
    // Events that could not be written ("event 12 \"Name\": no date"), one a line.
    QStringList LeftOut;
    // Events written with a UID the store could not keep (it is read-only): the next
    // export gives them another.
    int UidsNotKept = 0;
};

// Writes every event with at least one date and, when timed, readable times (the file
// replaced whole, never half written). An event without a UID gets one now, kept in
// EventUids (source empty: the store's own) so that the next export gives it the same
// one; a read-only store still exports (summary.UidsNotKept). An event from another
// file carries X-QUILLON-ORIGIN, so that reading the export back into this store finds
// it again. Reports under "basICalendar.ExportCalendarFile".
bool ExportCalendarFile(basDatabase::EventStore &store, const QString &path, ExportSummary &summary,
                        const ExportOptions &options = {});

} // namespace basICalendar

} // namespace quillon
