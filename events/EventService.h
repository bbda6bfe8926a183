// The one owner of the rules for writing events: save (add or change), delete, the
// conflict check and "does this change touch the month the desktop calendar shows".
// Windows, quillon-db and the calendar-file import write events only through it. The
// store reports its own failures (under "basDatabase.<operation>"); the service passes
// on only whether it worked.
#pragma once

#include "Event.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <functional>
#include <optional>

namespace quillon {

namespace basDatabase {
class EventStore;
struct EventRecord;
} // namespace basDatabase

// One existing timed event that a draft runs into on one of its days.
struct EventConflict {
    QDate Date;
    qint64 EventID = 0;
    QString EventName;
    QTime StartTime;
    QTime EndTime;

    bool operator==(const EventConflict &) const = default;
};

// One event a search found: on its next day from today on, or else on its last day.
struct FoundEvent {
    qint64 EventID = 0;
    QDate Date;
    bool Past = false; // none of its days is today or later
    QString EventName;
    bool AllDayEvent = false;
    QTime StartTime;
    QTime EndTime;
    QString EventColor;
    QString Location;

    bool operator==(const FoundEvent &) const = default;
};

struct SearchResult {
    QList<FoundEvent> Events;
    int Total = 0; // how many there are, when more were found than asked for
};

// A calendar an event can be written to.
struct CalendarChoice {
    qint64 Id = 0; // 0: this computer
    QString Name;

    bool operator==(const CalendarChoice &) const = default;
};

class EventService {
public:
    // localZone is the zone the store's times are in (the system's).
    explicit EventService(basDatabase::EventStore &store, QTimeZone localZone = QTimeZone::systemTimeZone())
        : m_store(store), m_localZone(std::move(localZone))
    {
    }

    // Which of a repeating event's occurrences: the one of a day, it and those after it, or all.
    enum class Occurrences { OnlyThis, ThisAndFollowing, All };

    // Who says what a saved event's iCalendar text is: the change itself, written into
    // the kept text of its series; or a calendar file, whose import keeps its own text.
    enum class Text { FromChange, FromFile };

    struct Saved {
        qint64 EventID = 0;
        // The draft's dates and, for a change, the days the event left: each once, in
        // date order. Those are the days whose calendar shows something new.
        QList<QDate> TouchedDates;
    };

    // The stored event with its dates, or nothing when the store could not read it.
    std::optional<Event> Load(qint64 eventId);
    // A deleted event back as it was (for an undo): the user's own with the iCalendar text it
    // had, so its UID and every property it carried return; a calendar's as a new event of
    // that calendar. The new event's id, or nothing when the store refused.
    std::optional<Saved> Restore(const Event &gone);
    // Every occurrence from the first to the last day, by day (all-day first) and time,
    // each with Dates holding its one day; nothing when the store could not read them.
    std::optional<QList<Event>> Between(QDate first, QDate last);
    // Whether a change of the event made here still waits to be sent to its calendar's
    // server: nothing when none waits (or the store could not say), else why the last
    // try failed (empty before a try).
    std::optional<QString> WaitingToBeSent(qint64 eventId);
    // Whether an event of the id is stored; nothing when the store could not say.
    std::optional<bool> Exists(qint64 eventId);
    // Where the event takes place, as its iCalendar text says; empty when it says nothing
    // or cannot be read.
    QString LocationOf(qint64 eventId);
    // This computer, then each calendar the server lets the user write to, by name.
    // Only this computer when the store could not say.
    QList<CalendarChoice> WritableCalendars();
    // Where new events go: a writable calendar, or this computer (0).
    qint64 NewEventsCalendar();
    bool SetNewEventsCalendar(qint64 calendar);
    // Whether the event is one look of a series whose occurrences differ (a moved or
    // renamed occurrence, say): deleting it may mean the series.
    bool IsOneLookOfSeveral(qint64 eventId);
    // Only the stored dates, in date order.
    std::optional<QList<QDate>> DatesOf(qint64 eventId);
    // Adds the draft (EventID 0) or changes the stored event, with its dates, in one
    // transaction of the store. Nothing when the store refused it.
    // The kept iCalendar text of the event's series follows the change; a series of
    // several looks, or a change the text cannot take, gives up its text (its events
    // are then written from the store's terms).
    std::optional<Saved> Save(const Event &draft, Text text = Text::FromChange);
    // The dates the event was on, or nothing when the store refused.
    std::optional<QList<QDate>> Delete(qint64 eventId);
    // Saves the change of a repeating event's occurrence of day: OnlyThis gives it a look of
    // its own (an override in the kept text, RECURRENCE-ID), on moveTo when valid;
    // ThisAndFollowing ends the series before day and makes the change a series of its
    // own from there; All saves the series. An event of one day saves as Save does. The
    // event the change was saved as, or nothing when the store refused.
    std::optional<Saved> SaveOccurrence(const Event &edited, QDate day, Occurrences which, QDate moveTo = {});
    // Gives each of the user's own events that has no iCalendar text yet (a store from
    // before texts were kept) its text, in the system's zone, keeping a UID an export gave
    // it. False when the store refused; nothing is then changed.
    bool GiveOwnEventsTheirTexts();
    // Deletes the occurrences of the event from day (those after it, too, or all: the
    // series as DeleteSeries does). A rule then ends before day; the kept text takes the
    // days off as EXDATE. The dates deleted, or nothing when the store refused.
    std::optional<QList<QDate>> DeleteOccurrences(qint64 eventId, QDate day, Occurrences which);
    // Deletes the event and, when a calendar file gave it as one look of a series, the
    // series' other looks with it, in one transaction: the user deletes what the file
    // called one event. The dates all of them were on, or nothing when the store refused.
    std::optional<QList<QDate>> DeleteSeries(qint64 eventId);
    // The name of the read-only calendar the event came from (its address when it has no
    // name): such an event is the server's, shown read-only and never deleted here.
    // Empty for the user's own events and a writable calendar's; nothing when the store
    // could not say.
    std::optional<QString> ReadOnlyCalendarOf(qint64 eventId);

    // Search (EventServiceSearch.cpp). The events whose name, notes or place hold every
    // word of text, case and accents folded: those with a day from today on first, by
    // that day, then the past ones, the latest first; at most limit. Events the search
    // has not seen yet, or that changed since, are read for it first (the first search of
    // a store does them all). Nothing when the store refused; a text without words finds
    // no event.
    std::optional<SearchResult> Search(const QString &text, QDate today, int limit);
    // Reads for the search what changed since it last looked; false when the store refused.
    bool UpdateSearchIndex();

    // The timed events the draft overlaps on its days, in the order of the dates and,
    // within a day, of the event ids. The draft itself, all-day events and an all-day
    // draft never conflict. Empty, too, when the store could not be read (it has said
    // why).
    QList<EventConflict> Conflicts(const Event &draft);

    // A new span conflicts with an existing one when its start or end falls inside it
    // or when it encloses it; spans that only touch do not, nor does an existing span
    // of no length. Compared to the minute.
    static bool Overlaps(QTime newStart, QTime newEnd, QTime existingStart, QTime existingEnd);
    // Whether one of the dates lies in today's month and year, the month the desktop
    // calendar shows. Invalid dates are skipped.
    static bool TouchesShownMonth(const QList<QDate> &touchedDates, QDate today);

    // The draft in the store's terms and back. An all-day event spans the whole day and
    // has neither colour nor icon.
    static basDatabase::EventRecord ToRecord(const Event &draft);
    static Event ToDraft(const basDatabase::EventRecord &record, const QList<QDate> &dates);

private:
    std::optional<Saved> SplitAt(const Event &edited, QDate day);
    // Deletes one look of a series of several; the kept text takes its days off.
    std::optional<QList<QDate>> DeleteLook(qint64 eventId, const QList<QDate> &days);
    // Moves the event (a series of one look) to the draft's calendar: its text becomes a
    // resource there, queued for the server, and leaves the calendar it was in.
    bool PlaceInCalendar(qint64 eventId, const Event &draft);
    // Gives an event of this computer its text, under its UID (a new one when empty).
    bool KeepNewText(qint64 eventId, const Event &draft, QString uid = {});
    // Runs update, writing the change into the text of the event's series.
    bool KeepText(const Event &draft, const basDatabase::EventRecord &after, const std::function<bool()> &update);

    basDatabase::EventStore &m_store;
    QTimeZone m_localZone;
};

} // namespace quillon
