// A calendar read on a thread of its own while its events are taken, one at a time and
// in the order of ReadCalendar's list, on the thread that stores them: the second core
// reads the file, and works out what the storing asks of each event, while the first
// writes what is read so far.
#pragma once

#include "ICalendarReader.h"

#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

namespace quillon {

namespace ICalendarReadAhead {

// Item: what prepare makes of each event, on the reading thread.
template<typename Item>
class Reading {
public:
    using Prepare = std::function<Item(ICalendarReader::CalendarEvent &&event)>;

    // Starts the read. The text must not be read elsewhere meanwhile when it is read from
    // its file. options.Cancelled is asked on the reading thread.
    Reading(const ICalendarLines::Text &text, ICalendarReader::ReadOptions options, Prepare prepare)
        : m_prepare(std::move(prepare))
    {
        const std::function<bool()> cancelled = std::move(options.Cancelled);
        options.Cancelled = [this, cancelled] { return m_stop.load() || (cancelled && cancelled()); };
        m_thread = std::thread([this, text, options] {
            QStringList warnings;
            std::exception_ptr error;
            try {
                warnings = ICalendarReader::ReadCalendarInOrder(
                    text, options, [this](ICalendarReader::CalendarEvent &&event) { Take(std::move(event)); });
            } catch (...) {
                error = std::current_exception();
            }
            const std::lock_guard lock(m_mutex);
            m_warnings = std::move(warnings);
            m_error = error;
            m_ended = true;
            m_changed.notify_all();
        });
    }
    // Stops a read still going and waits for its thread.
    ~Reading()
    {
        Stop();
        m_thread.join();
    }
    Reading(const Reading &) = delete;
    Reading &operator=(const Reading &) = delete;

    // The next event, waited for; false once the read has ended (see Finish).
    bool Next(Item &item)
    {
        std::unique_lock lock(m_mutex);
        m_taking = true;
        m_changed.wait(lock, [this] { return !m_items.empty() || m_ended; });
        if (m_items.empty())
            return false;
        item = std::move(m_items.front());
        m_items.pop_front();
        m_changed.notify_all();
        return true;
    }
    // Waits until the events read have at least days days between them, or the read has
    // ended; the days read until then.
    qint64 DaysAtLeast(qint64 days)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this, days] { return m_days >= days || m_ended; });
        return m_days;
    }
    // How many events have been read so far (taken or not).
    qsizetype EventsRead()
    {
        const std::lock_guard lock(m_mutex);
        return m_read;
    }
    // Once Next has said there are no more: the read's warnings, or what it threw
    // (ICalendarReader::Cancelled, basOperation::Failure) thrown again.
    QStringList Finish()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_ended; });
        if (m_error)
            std::rethrow_exception(m_error);
        return m_warnings;
    }
    // The events are no longer wanted (storing them failed, or was stopped).
    void Stop()
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        m_items.clear();
        m_changed.notify_all();
    }

private:
    void Take(ICalendarReader::CalendarEvent &&event)
    {
        if (m_stop)
            return;
        const qsizetype days = event.Dates.size();
        Item item = m_prepare(std::move(event));
        std::unique_lock lock(m_mutex);
        // Once the events are taken, the read keeps only so far ahead of them: the events
        // of a large file never stand all together. (Until then they may have to, for
        // DaysAtLeast.)
        m_changed.wait(lock, [this] { return !m_taking || m_items.size() < kAhead || m_stop; });
        if (m_stop)
            return;
        ++m_read;
        m_days += days;
        m_items.push_back(std::move(item));
        m_changed.notify_all();
    }

    static constexpr size_t kAhead = 4096; // events read, not taken yet
    const Prepare m_prepare;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Item> m_items; // read, not taken yet
    qsizetype m_read = 0;
    qint64 m_days = 0;
    bool m_ended = false;
    bool m_taking = false; // Next has been asked
    std::atomic_bool m_stop = false;
    QStringList m_warnings;
    std::exception_ptr m_error;
    std::thread m_thread; // last: started once the rest is made
};

} // namespace ICalendarReadAhead

} // namespace quillon
