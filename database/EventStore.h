// The event store: one object owning its connection to dbcalndr.sqlite, its prepared
// statements and its transaction depth. The operations keep their names and their
// report names ("basDatabase.<operation>", with the last step reached); they take and
// return typed values. Text forms ("m/dd/yyyy", "h:mm AM/PM") live where text is shown.
// Each operation returns true when done; on failure it reports once and returns false.
#pragma once

#include "EventRecords.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QTime>

#include <functional>
#include <memory>
#include <optional>

namespace quillon {

namespace basDatabase {

class EventStore {
public:
    EventStore();
    ~EventStore();
    EventStore(const EventStore &) = delete;
    EventStore &operator=(const EventStore &) = delete;

    // The data folder's dbcalndr.sqlite.
    static QString DatabasePath();

    // Opens an existing store file (never creates one); reports why it could not. An
    // empty path is the data folder's file.
    bool OpenDatabaseConnection(const QString &path = DatabasePath());
    void CloseDatabaseConnection();
    bool IsOpen() const;
    // The Qt SQL connection name of this store (unique per object), for tools that
    // measure the connection itself.
    QString ConnectionName() const;

    // A timed event needs a valid start and end time (Type mismatch otherwise, nothing
    // written). A date repeated in the list is stored once.
    bool AddEventToDatabase(const EventRecord &event, const QList<QDate> &dates, qint64 &eventId);
    bool AddEventDate(qint64 eventId, QDate date);
    bool DeleteEventDate(qint64 eventId, QDate date);
    // Lowers the counts of the dates stored with the event. When done, deletedDates (if
    // given) holds the dates the event was on.
    bool DeleteEventFromDatabase(qint64 eventId, QList<QDate> *deletedDates = nullptr);
    // Only the dates that come or go change their counts. When done, previousDates (if
    // given) holds the dates the event was on before, read in the same transaction.
    bool UpdateEventInDatabase(qint64 eventId, const EventRecord &event, const QList<QDate> &dates,
                               QList<QDate> *previousDates = nullptr);

    bool GetDates(QDate firstDate, QDate lastDate, QList<DayRecord> &dayRecords);
    bool GetEventsByDate(QDate date, QList<qint64> &eventIds);
    bool GetEventData(qint64 eventId, EventRecord &event);
    // Whether there is an event of the id (none is no fault: no report).
    bool EventExists(qint64 eventId, bool &exists);
    bool GetAllDatesForEvent(qint64 eventId, QList<QDate> &dates);
    // Every occurrence from firstDate to lastDate in one query, ordered by date, then
    // all-day events first, then start time, then event id. A row whose time cannot be
    // read is left out and reported once per call, naming the event and the date.
    bool GetEventsInRange(QDate firstDate, QDate lastDate, QList<DatedEvent> &events);

    // Never reports: any failure reads as no fact.
    QString GetFactOfTheDay(QDate date);
    // A number that changes each time another connection (another program) has stored
    // a change since this store last asked; -1 when the store is closed or cannot say.
    // Reports nothing.
    qint64 ChangesByOthers();

    bool DecrementEventCount(QDate date);
    bool IncrementEventCount(QDate date);
    bool UpdateDateNotes(QDate date, const QString &notes);

    // Every event with its stored dates (ascending), in the order of their ids, in a few
    // queries however many there are: what a calendar file export writes. An event of
    // firstDateOnly comes with its first date only (its days are written from its
    // series' text: the export needs to know only that it has some).
    struct EventWithDates {
        EventRecord Event;
        QList<QDate> Dates;
    };
    bool GetAllEvents(QList<EventWithDates> &events, const QSet<qint64> &firstDateOnly = {});

    // Runs work as one transaction: committed when work returns true, rolled back when
    // it returns false or throws. The store's operations inside join it, so a file of
    // events goes in whole or not at all.
    bool RunInTransaction(const std::function<bool()> &work);
    // The same for work that adds about days occurrences (a calendar file's events):
    // when they are many against those stored, the index of the occurrences by date is
    // made anew once before the commit instead of taking each one at its own place.
    bool RunAddingDays(qint64 days, const std::function<bool()> &work);
    // The same while the days are still being counted (a file read as its events are
    // stored): daysAtLeast(enough) returns their number once it is known, or once it is
    // at least enough, which is all that decides.
    bool RunAddingDays(const std::function<qint64(qint64 enough)> &daysAtLeast, const std::function<bool()> &work);

    // The UID by which calendar files know an event, the source that gave it (a file's
    // canonical path; empty for the store's own UIDs and rows from before sources), and
    // the fingerprint of what the file said about it when it was last imported or
    // exported. An event has at most one.
    struct EventUid {
        QString Source;
        QString Uid;
        qint64 EventId = 0;
        QString Fingerprint;
    };
    bool GetEventUids(QList<EventUid> &uids);
    // Gives the event this source and UID with the fingerprint: adds the row, or moves
    // it to eventId; whatever UID the event had before goes.
    bool SetEventUid(const QString &source, const QString &uid, qint64 eventId, const QString &fingerprint);
    // SetEventUid for each row in order, reported as it is; the UIDs of events added in
    // this transaction are written many by one statement.
    bool SetEventUids(const QList<EventUid> &uids);
    // The iCalendar text a calendar file gave a series (its VEVENTs and the time zones
    // they use), kept under the key its events have in EventUids: the source and the
    // UID without a part number. It goes with the last event of the series.
    struct SeriesText {
        QString Source;
        QString Uid;
        QByteArray Component;
        int Sequence = 0;
    };
    bool SetSeries(const SeriesText &series);
    // SetSeries for each in order, many by one statement; reported as SetSeries.
    bool SetSeriesTexts(const QList<SeriesText> &series);
    bool GetAllSeries(QList<SeriesText> &series);
    // The user's own events (none of a file or a subscription) that have no text yet: the
    // events of a store from before texts were kept. In id order.
    bool GetOwnEventsWithoutText(QList<qint64> &eventIds);
    // What the store knows of an event's series: whether the event has a UID (and its
    // source), whether the series has a kept text, and whether it is stored as events of
    // several looks.
    struct EventSeries {
        bool HasUid = false;
        bool HasText = false;
        bool SeveralLooks = false;
        SeriesText Series; // Source and Uid (of the series) when the event has a UID; the rest with the text
    };
    bool GetSeriesOfEvent(qint64 eventId, EventSeries &series);
    bool DeleteSeries(const QString &source, const QString &uid);
    // A value of the store's own arrangement (StoreValues); found false when it has none.
    bool GetStoreValue(const QString &name, QString &value, bool &found);
    bool SetStoreValue(const QString &name, const QString &value);
    // Whether a write can begin: false for a store SQLite opened read-only (a file the
    // user may not write). Takes and gives back the write lock.
    bool IsWritable();
    // The database's own reason for the last statement of this store that failed ("database
    // or disk is full"), for a caller that names what it was doing; empty when none failed.
    QString LastFailure() const;

    // Every occurrence from firstDate to lastDate of an event with a reminder, ordered
    // by date and event id; rows whose time cannot be read are left out silently (the
    // other reads name them). Also the largest reminder stored (0 when none).
    bool GetRemindersInRange(QDate firstDate, QDate lastDate, QList<DatedEvent> &events);
    bool GetLongestReminder(int &minutes);
    // The reminders already shown: each event with the start of its occurrence (UTC).
    struct FiredReminder {
        qint64 EventId = 0;
        QDateTime Occurrence;
        bool operator==(const FiredReminder &) const = default;
    };
    // Those of events with a reminder whose occurrence starts at or after since.
    bool GetFiredReminders(const QDateTime &since, QList<FiredReminder> &fired);
    // Records them in one transaction (one already recorded is no error). They go only
    // with their event.
    bool RecordFiredReminders(const QList<FiredReminder> &fired);

    // The liturgical colour name of a day ("" when none). No trap of its own: a failure
    // throws basOperation::Failure to the caller's trap.
    QString QueryDateColor(QDate date);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace basDatabase

} // namespace quillon
