// The store's records as plain values: what readers of events need without the store.
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

namespace quillon {

namespace basDatabase {

// One event as stored. StartTime and EndTime are null for an all-day event read from a
// row that has none; an all-day event is stored as 0:00 to 23:59.
struct EventRecord {
    qint64 EventID = 0; // 0 until the store has given it an id
    QString EventName;
    bool AllDayEvent = false;
    QTime StartTime;
    QTime EndTime;
    QString EventColor; // one of the 16 colour names, or empty for the default
    int EventIcon = 0;  // 0 for none, else 101..156
    QString Notes;
    bool Recurring = false;
    // Minutes before the start (for an all-day event, before 9:00 on its day) at which
    // the launcher reminds of it; none when empty.
    std::optional<int> Reminder;

    bool operator==(const EventRecord &) const = default;
};

// One row of Dates.
struct DayRecord {
    QDate DateKey;
    QString DateColor; // liturgical colour name, or empty
    qint64 EventCount = 0;
    QString DateNotes;
    QString DateText; // the church-year name of the day, or empty

    bool operator==(const DayRecord &) const = default;
};

// One occurrence of an event on a day, as GetEventsInRange gives it.
struct DatedEvent {
    QDate Date;
    EventRecord Event;
};

} // namespace basDatabase

} // namespace quillon
