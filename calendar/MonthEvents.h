// The events of the days the renderer draws, read from the store with one query for
// the whole grid and handed out per day.
#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QTime>

namespace quillon {

namespace basDatabase {
class EventStore;
} // namespace basDatabase

class MonthEvents {
public:
    // What a day's cell shows of one event.
    struct DayEvent {
        bool AllDay = false;
        QTime Start;
        QString Name;
    };

    // Without a store every read fails; the grid then shows the days alone.
    explicit MonthEvents(basDatabase::EventStore *store) : m_store(store) {}
    basDatabase::EventStore *Store() const { return m_store; }

    // Reads the events of firstDate to lastDate. Read or not, these days are done: a
    // failed read leaves them empty, so it is reported once, not once per day. False
    // without a store; a store's own refusal it has reported itself (true then).
    bool Read(QDate firstDate, QDate lastDate);
    // Whether the last read took in the date.
    bool Covers(QDate date) const;
    // The day's events in the store's order: all-day first, then timed by start time.
    QList<DayEvent> On(QDate date) const { return m_events.value(date); }

private:
    basDatabase::EventStore *m_store = nullptr;
    QDate m_first;
    QDate m_last;
    QHash<QDate, QList<DayEvent>> m_events;
};

} // namespace quillon
