// A calendar read on a thread of its own while its events are taken, one at a time and
// in the order of ReadCalendar's list, on the thread that stores them: the second core
// reads the file while the first writes what is read so far.
#pragma once

#include "ICalendarReader.h"

#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace quillon {

namespace ICalendarReadAhead {

class Reading {
public:
    // Starts the read. The text must not be read elsewhere meanwhile when it is read from
    // its file. options.Cancelled is asked on the reading thread.
    Reading(const ICalendarLines::Text &text, ICalendarReader::ReadOptions options);
    // Stops a read still going and waits for its thread.
    ~Reading();
    Reading(const Reading &) = delete;
    Reading &operator=(const Reading &) = delete;

    // The next event, waited for; false once the read has ended (see Finish).
    bool Next(ICalendarReader::CalendarEvent &event);
    // Waits until the events read have at least days days between them, or the read has
    // ended; the days read until then.
    qint64 DaysAtLeast(qint64 days);
    // How many events have been read so far (taken or not).
    qsizetype EventsRead();
    // Once Next has said there are no more: the read's warnings, or what it threw
    // (ICalendarReader::Cancelled, basOperation::Failure) thrown again.
    QStringList Finish();
    // The events are no longer wanted (storing them failed, or was stopped).
    void Stop();

private:
    void Take(ICalendarReader::CalendarEvent &&event);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<ICalendarReader::CalendarEvent> m_events; // read, not taken yet
    qsizetype m_read = 0;
    qint64 m_days = 0;
    bool m_ended = false;
    std::atomic_bool m_stop = false;
    QStringList m_warnings;
    std::exception_ptr m_error;
    std::thread m_thread; // last: started once the rest is made
};

} // namespace ICalendarReadAhead

} // namespace quillon
