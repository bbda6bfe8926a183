// The scheduler main window's state and its reads and writes of the event store: the
// shown day with its events, colour, notes and fact; the marks of the displayed months;
// notes the store refused; changes other programs stored; and whether the desktop
// calendar needs drawing again. No widgets: the rules are tested on a store alone.
#pragma once

#include "Event.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

namespace quillon {

namespace basDatabase {
class EventStore;
} // namespace basDatabase

class DayPage {
public:
    // One all-day event of the shown day, in the order added.
    struct AllDayEvent {
        qint64 EventID = 0;
        QString EventName;
    };
    // A day's row as the window shows it.
    struct Day {
        QString DateColor; // liturgical colour name, or empty
        QString DateText;  // the church-year name of the day, or empty
        QString Notes;
        bool NotesUnsaved = false; // notes the store refused earlier, not what it holds
    };
    // A day of the displayed months that carries a mark.
    struct Mark {
        QDate Date;
        QString DateColor;
        qint64 EventCount = 0;
    };

    explicit DayPage(basDatabase::EventStore &store) : m_store(store) {}

    basDatabase::EventStore &Store() { return m_store; }

    // The window's run: opens the store (which reports why it could not) with today as
    // the last day seen and nothing pending; Close ends it.
    bool Open(QDate today);
    void Close();
    bool IsOpen() const;

    QDate CurrentDate() const { return m_currentDate; }
    void SetCurrentDate(QDate date) { m_currentDate = date; }
    // The first start of the program: the fact pane welcomes instead of a fact, once.
    bool FirstRun() const { return m_firstRun; }
    void SetFirstRun(bool firstRun) { m_firstRun = firstRun; }
    QDate LastKnownToday() const { return m_lastKnownToday; }
    // Whether the calendar day moved on since the last one seen; a clock set back is no
    // new day.
    bool IsNewDay(QDate today) const { return today > m_lastKnownToday; }
    void DaySeen(QDate today) { m_lastKnownToday = today; }

    const QList<AllDayEvent> &AllDayEvents() const { return m_allDayEvents; }
    void ClearAllDayEvents() { m_allDayEvents.clear(); }
    // One event appears once: a second with the same id throws kDuplicateKey.
    void AddAllDayEvent(qint64 eventId, const QString &name);

    // The desktop calendar needs drawing again: set by a change touching the month it
    // shows, cleared only by a redraw (Refresh), read when the window closes.
    bool CalendarRefreshNeeded() const { return m_calendarRefreshNeeded; }
    void NoteEventDatesChanged(const QList<QDate> &dates);
    void Redrawn() { m_calendarRefreshNeeded = false; }

    // The events on a day, all-day and timed, in the store's order; none when it could
    // not be read (the store said why).
    QList<Event> EventsOn(QDate date);
    // The day's row, with the notes the store refused earlier in place of its own; the
    // notes then belong to that day. Nothing when it could not be read: the notes then
    // belong to no day, so none are stored for a day they were not read from.
    std::optional<Day> ReadDay(QDate date);
    std::optional<QList<Mark>> ReadMarks(QDate firstDate, QDate lastDate);
    QString FactOfTheDay(QDate date);

    // Other programs' changes: WatchChanges takes the store's version now; ChangedByOthers
    // is true once when it moved since.
    void WatchChanges();
    bool ChangedByOthers();

    // The day the notes box holds notes for; invalid when none.
    QDate NotesDate() const { return m_notesDate; }
    // Stores the text for NotesDate; false when there is no such day, the store is
    // closed or it refused (and said why).
    bool StoreNotes(const QString &text);
    // Keeps the text for NotesDate after the store refused it: shown again for that day.
    void KeepUnsaved(const QString &text);
    // One more try for every other day's refused notes; what is still refused remains.
    void RetryUnsaved();
    QMap<QDate, QString> Unsaved() const; // in the order of the days
    // The user let the refused notes go: none is tried again.
    void ForgetUnsaved();

private:
    basDatabase::EventStore &m_store;
    QDate m_currentDate;
    bool m_firstRun = false;
    QDate m_lastKnownToday;
    QList<AllDayEvent> m_allDayEvents;
    bool m_calendarRefreshNeeded = false;
    QDate m_notesDate;
    QHash<QDate, QString> m_unsavedNotes;
    qint64 m_storeVersion = -1;
};

} // namespace quillon
