#include "ICalendarReadAhead.h"

#include <utility>

namespace quillon {

namespace ICalendarReadAhead {

Reading::Reading(const ICalendarLines::Text &text, ICalendarReader::ReadOptions options)
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

Reading::~Reading()
{
    Stop();
    m_thread.join();
}

void Reading::Take(ICalendarReader::CalendarEvent &&event)
{
    const std::lock_guard lock(m_mutex);
    if (m_stop)
        return;
    ++m_read;
    m_days += event.Dates.size();
    m_events.push_back(std::move(event));
    m_changed.notify_all();
}

bool Reading::Next(ICalendarReader::CalendarEvent &event)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_events.empty() || m_ended; });
    if (m_events.empty())
        return false;
    event = std::move(m_events.front());
    m_events.pop_front();
    return true;
}

qint64 Reading::DaysAtLeast(qint64 days)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this, days] { return m_days >= days || m_ended; });
    return m_days;
}

qsizetype Reading::EventsRead()
{
    const std::lock_guard lock(m_mutex);
    return m_read;
}

QStringList Reading::Finish()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_ended; });
    if (m_error)
        std::rethrow_exception(m_error);
    return m_warnings;
}

void Reading::Stop()
{
    const std::lock_guard lock(m_mutex);
    m_stop = true;
    m_events.clear();
    m_changed.notify_all();
}

} // namespace ICalendarReadAhead

} // namespace quillon
