#include "MonthEvents.h"

#include "EventStore.h"

namespace quillon {

bool MonthEvents::Read(QDate firstDate, QDate lastDate)
{
    m_first = firstDate;
    m_last = lastDate;
    m_events.clear();
    if (!m_store)
        return false;
    QList<basDatabase::DatedEvent> events;
    if (m_store->GetEventsInRange(firstDate, lastDate, events))
        for (const basDatabase::DatedEvent &dated : events)
            m_events[dated.Date].append({dated.Event.AllDayEvent, dated.Event.StartTime, dated.Event.EventName});
    return true;
}

bool MonthEvents::Covers(QDate date) const
{
    return m_first.isValid() && date >= m_first && date <= m_last;
}

} // namespace quillon
