#include "EventStore.h"

#include "StoreQuery.h"

#include "basConnection.h"
#include "basErrorHandler.h"
#include "basOperation.h"
#include "basStoredForms.h"
#include "platform/basPlatform.h"

#include <QDir>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <map>
#include <optional>
#include <utility>

namespace quillon {

namespace basDatabase {

namespace {

using basOperation::Failure;
using basOperation::Steps;

using basOperation::kNoCurrentRecord;

QString IsoDate(QDate date) { return basStoredForms::DateText(date); }
QDate DateFromIso(const QVariant &value) { return basStoredForms::ReadDate(value); }
QTime StoredTime(const QVariant &value) { return basStoredForms::ReadTime(value); }
QVariant TimeParameter(const QTime &time) { return basStoredForms::TimeText(time); }

// From this many days on, a new event's days are written by one statement.
constexpr qsizetype kDaysCountedTogether = 3;

// An all-day event spans the whole day.
const QTime kAllDayStart(0, 0);
const QTime kAllDayEnd(23, 59);

void CheckEventId(qint64 id)
{
    if (id <= 0)
        basOperation::ThrowTypeMismatch();
}

QString Text(const QVariant &value) { return value.isNull() ? QString() : value.toString(); }

// SQL of the store's own, no value in it: the series UID of an EventUids UID (the part
// before EventSeries' separator, char(31)), and whether a UID is one of a series' (itself
// or one of its parts, found through the key's index).
const QString kSeriesUidOf =
    QStringLiteral("CASE WHEN instr(%1, char(31)) > 0 THEN substr(%1, 1, instr(%1, char(31)) - 1) ELSE %1 END");
// The other parts of a series (UIDs after the series' own and char(31)), as a range of
// the (Source, Uid) key; asked apart from the series' own UID, as an OR of the two would
// keep SQLite from the key and read every UID of the source.
const QString kPartOfSeriesUid = QStringLiteral("%1 > %2 || char(31) AND %1 < %2 || char(32)");

// A series' text, bound for CAST(? AS TEXT): its UTF-8 as it is, which SQLite takes as
// its own text without converting it; any other as Qt reads it (what is broken replaced,
// a byte order mark in front dropped), which is what was always stored.
QVariant ComponentParameter(const QByteArray &component)
{
    if (QByteArrayView(component).isValidUtf8() && !component.startsWith("\xEF\xBB\xBF"))
        return component;
    return QString::fromUtf8(component);
}

// NULL for no reminder. A reminder after the start is none a person can use.
QVariant ReminderParameter(const std::optional<int> &minutes)
{
    if (!minutes)
        return QVariant(QMetaType::fromType<int>());
    if (*minutes < 0)
        basOperation::ThrowTypeMismatch();
    return *minutes;
}

// The nine columns of an event as bound parameters, in column order. A timed event
// without both times is refused before anything is written.
QList<QVariant> EventParameters(const EventRecord &event)
{
    if (event.AllDayEvent) {
        return {event.EventName, 1, TimeParameter(kAllDayStart), TimeParameter(kAllDayEnd), QString(), QString(),
                event.Notes, event.Recurring ? 1 : 0, ReminderParameter(event.Reminder)};
    }
    if (!event.StartTime.isValid() || !event.EndTime.isValid())
        basOperation::ThrowTypeMismatch();
    return {event.EventName,
            0,
            TimeParameter(event.StartTime),
            TimeParameter(event.EndTime),
            event.EventColor,
            event.EventIcon == 0 ? QString() : QString::number(event.EventIcon),
            event.Notes,
            event.Recurring ? 1 : 0,
            ReminderParameter(event.Reminder)};
}

// An event row read with the columns EventID, EventName, AllDayEvent, StartTime,
// EndTime, EventColor, EventIcon, Notes, Recurring, Reminder from position first.
EventRecord EventFromRow(const QSqlQuery &query, int first)
{
    EventRecord event;
    event.EventID = query.value(first).toLongLong();
    event.EventName = Text(query.value(first + 1));
    event.AllDayEvent = query.value(first + 2).toLongLong() != 0;
    event.StartTime = StoredTime(query.value(first + 3));
    event.EndTime = StoredTime(query.value(first + 4));
    event.EventColor = Text(query.value(first + 5));
    bool ok = false;
    const int icon = Text(query.value(first + 6)).trimmed().toInt(&ok);
    event.EventIcon = ok ? icon : 0;
    event.Notes = Text(query.value(first + 7));
    event.Recurring = query.value(first + 8).toLongLong() != 0;
    const QVariant reminder = query.value(first + 9);
    bool whole = false;
    const qlonglong minutes = reminder.isNull() ? -1 : reminder.toLongLong(&whole);
    if (whole && minutes >= 0 && minutes <= std::numeric_limits<int>::max())
        event.Reminder = static_cast<int>(minutes);
    return event;
}

// Each date once, in the order given.
QList<QDate> DistinctDates(const QList<QDate> &dates)
{
    // Most come in order, each day once (and most events have one day).
    if (std::all_of(dates.cbegin(), dates.cend(), [](QDate date) { return date.isValid(); })
        && std::adjacent_find(dates.cbegin(), dates.cend(), [](QDate a, QDate b) { return a >= b; }) == dates.cend())
        return dates;
    QList<QDate> result;
    QSet<QDate> seen;
    for (const QDate &date : dates) {
        if (!date.isValid())
            basOperation::ThrowTypeMismatch();
        if (!seen.contains(date)) {
            seen.insert(date);
            result.append(date);
        }
    }
    return result;
}

// Ends a statement's reading as soon as the operation is done with it, so that no
// reader keeps an old snapshot of the file open.
class Finisher {
public:
    explicit Finisher(QSqlQuery &query) : m_query(query) {}
    ~Finisher() { m_query.finish(); }
    Finisher(const Finisher &) = delete;
    Finisher &operator=(const Finisher &) = delete;

private:
    QSqlQuery &m_query;
};

} // namespace

struct EventStore::Impl {
    QString connectionName;
    // Prepared statements of the open connection, kept for its lifetime: a 365-date
    // save runs the same two statements hundreds of times. Each ? is given a name of its
    // own, and its value is bound by that name: for a value bound by position Qt makes
    // up the name each time, which cost more than SQLite's work on a short statement.
    struct Statement {
        QSqlQuery query;
        QStringList names;
    };
    std::map<QString, Statement> statements;
    // Depth of the transactions in progress; nested operations join the outer one.
    int transactionDepth = 0;
    // The database's own reason for the last statement that failed.
    QString lastFailure;
    // The counts the events added in the transaction raise, by stored date, written once
    // before its commit (or before anything reads or changes a count): a file of events
    // raises a few hundred days thousands of times. And the days of the transaction known
    // to have a sound count or no row yet, whose counts need not be looked at again.
    QHash<qint64, qint64> raisedCounts; // by Julian day
    QSet<qint64> soundDays;
    // The events the transaction added that have no UID yet (none can have one before
    // SetEventUid gives it one: ids are never used again).
    QSet<qint64> addedWithoutUid;

    [[noreturn]] void Fail(const QSqlError &error)
    {
        lastFailure = basConnection::ErrorText(error);
        basConnection::ThrowError(error);
    }

    // Named after the object: unique among the stores alive, and the name goes with
    // the store.
    Impl() : connectionName(QStringLiteral("basDatabase.%1").arg(reinterpret_cast<quintptr>(this), 0, 16)) {}

    QSqlDatabase Connection() const
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (!db.isValid() || !db.isOpen())
            throw Failure(basOperation::kDatabaseError, QStringLiteral("The database connection is not open"));
        return db;
    }

    // The SQL (the store's own) with each ? outside a quoted text as :vN, N from 0.
    static QString WithNamedValues(const QString &sql, QStringList &names)
    {
        QString named;
        named.reserve(sql.size() + 16);
        bool quoted = false;
        for (const QChar c : sql) {
            if (c == QLatin1Char('\''))
                quoted = !quoted;
            if (c == QLatin1Char('?') && !quoted) {
                names.append(QStringLiteral(":v%1").arg(names.size()));
                named += names.last();
            } else {
                named += c;
            }
        }
        return named;
    }

    Statement &PreparedStatement(const QString &sql)
    {
        auto found = statements.find(sql);
        if (found == statements.end()) {
            Statement statement{QSqlQuery(Connection()), {}};
            statement.query.setForwardOnly(true);
            if (!statement.query.prepare(WithNamedValues(sql, statement.names)))
                Fail(statement.query.lastError());
            found = statements.emplace(sql, std::move(statement)).first;
        }
        return found->second;
    }

    QSqlQuery &Prepared(const QString &sql) { return PreparedStatement(sql).query; }

    // Runs a cached statement with its values bound in order. The caller reads the
    // rows (if any) while the Finisher it holds keeps the statement's read lock short.
    QSqlQuery &Run(const QString &sql, std::initializer_list<QVariant> values = {}) { return RunBound(sql, values); }
    QSqlQuery &Run(const QString &sql, const QList<QVariant> &values) { return RunBound(sql, values); }

    template <typename Values>
    QSqlQuery &RunBound(const QString &sql, const Values &values)
    {
        Statement &statement = PreparedStatement(sql);
        QSqlQuery &query = statement.query;
        qsizetype position = 0;
        for (const QVariant &value : values) {
            if (position < statement.names.size())
                query.bindValue(statement.names[position], value);
            else
                query.bindValue(int(position), value);
            ++position;
        }
        if (!query.exec())
            Fail(query.lastError());
        return query;
    }

    // The file opened and which file it was, so that a file put in its place (a copy
    // restored, the store deleted) is noticed before anything is written.
    QString path;
    std::optional<basPlatform::FileId> identity;
    // Whether the days can be given to a statement as one JSON array.
    bool countsDaysTogether = false;

    void Open(const QString &file)
    {
        Discard();
        try {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
            if (!db.isValid())
                throw Failure(basOperation::kDatabaseError, QStringLiteral("The SQLite driver of Qt SQL is missing"));
            basConnection::ConfigureConnection(db, file);
            basConnection::OpenAndVerify(db, file);
            // Pages of a large import stay in memory until its commit (SQLite's 2 MB would
            // write them out and read them back); a small store never fills it.
            QSqlQuery(QStringLiteral("PRAGMA cache_size = -8192"), db);
            // A statement that writes many rows keeps its undo journal in memory, not in a
            // temporary file written page by page.
            QSqlQuery(QStringLiteral("PRAGMA temp_store = MEMORY"), db);
            // SQLite built without JSON (before 3.38, or by choice) counts each day alone.
            countsDaysTogether = QSqlQuery(QStringLiteral("SELECT json_valid('[]')"), db).next();
        } catch (...) {
            Discard();
            throw;
        }
        path = file;
        identity = basPlatform::FileIdentity(file);
    }

    // Before a write: the file at the path must still be the one opened. Otherwise our
    // connection is closed at once (its journal goes with it, so that it is never
    // applied to the other file), the file now there is opened, and the write fails.
    void EnsureSameFile()
    {
        if (transactionDepth > 0 || !identity || basPlatform::FileIdentity(path) == identity)
            return;
        const QString file = path;
        // SQLite leaves the journal of a file that moved where it was, beside the path,
        // and the next program to open the file now there would apply it to that file.
        // Emptied first, it is harmless.
        try {
            QSqlQuery(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), Connection());
        } catch (const Failure &) {
        }
        Discard();
        QString text = QStringLiteral("The database file %1 was replaced or deleted while it was open, "
                                      "so this change was not written")
                           .arg(QDir::toNativeSeparators(file));
        try {
            Open(file);
            text += QStringLiteral(". The file now there is open from here on: make the change again.");
        } catch (const Failure &failure) {
            text += QStringLiteral("; nothing can be stored until it is back (%1).").arg(failure.description());
        }
        lastFailure = text;
        throw Failure(basOperation::kDatabaseError, text);
    }

    void Discard()
    {
        path.clear();
        identity.reset();
        statements.clear();
        transactionDepth = 0;
        raisedCounts.clear();
        soundDays.clear();
        addedWithoutUid.clear();
        {
            QSqlDatabase db = QSqlDatabase::database(connectionName, false);
            if (db.isValid())
                db.close();
        }
        if (QSqlDatabase::contains(connectionName))
            QSqlDatabase::removeDatabase(connectionName);
    }

    // The day's EventCount, or nothing when the day has no row. A null count is a
    // broken row and fails as a type mismatch.
    std::optional<qint64> DayEventCount(const QString &iso)
    {
        QSqlQuery &query = Run(QStringLiteral("SELECT EventCount FROM Dates WHERE DateKey = ?"), {iso});
        Finisher finish(query);
        if (!query.next())
            return std::nullopt;
        const QVariant count = query.value(0);
        if (count.isNull())
            basOperation::ThrowTypeMismatch();
        return count.toLongLong();
    }

    // AddEventDate's row without the day's count, reported as AddEventDate is, inside
    // a transaction of the caller's.
    bool InsertEventDate(qint64 eventId, QDate date)
    {
        return basOperation::Trap("basDatabase.AddEventDate", false, [&](Steps &step) {
            step(10);
            CheckEventId(eventId);
            const QString iso = IsoDate(date);
            step(20);
            // Bound by name: Qt makes up a name for each value bound by position.
            QSqlQuery &insert =
                Prepared(QStringLiteral("INSERT INTO EventDates (EventId, EventDate) VALUES (:event, :date)"));
            insert.bindValue(QStringLiteral(":event"), eventId);
            insert.bindValue(QStringLiteral(":date"), iso);
            if (!insert.exec())
                Fail(insert.lastError());
            step(30);
            return true;
        });
    }

    // The days as a JSON array of stored dates, for the statements that take many days
    // at once. In UTF-8, bound as bytes and read as text (CAST): SQLite keeps its texts
    // in UTF-8, and would convert a QString's UTF-16.
    static QByteArray DayList(const QList<QDate> &days)
    {
        // Written into its room at once: appended piece by piece, a year's list cost more
        // than its statement.
        QByteArray list(days.size() * (basStoredForms::kDateTextMax + 3) + 2, Qt::Uninitialized);
        char *at = list.data();
        *at++ = '[';
        for (const QDate &date : days) {
            if (at - list.data() > 1)
                *at++ = ',';
            *at++ = '"';
            at += basStoredForms::WriteDateText(date, at);
            *at++ = '"';
        }
        *at++ = ']';
        list.truncate(at - list.data());
        return list;
    }

    // InsertEventDate for each of the (distinct) days of DayList, in one statement, so
    // reported as AddEventDate is.
    bool InsertEventDates(qint64 eventId, const QByteArray &list)
    {
        return basOperation::Trap("basDatabase.AddEventDate", false, [&](Steps &step) {
            step(10);
            CheckEventId(eventId);
            step(20);
            Run(QStringLiteral("INSERT INTO EventDates (EventId, EventDate) SELECT ?, value FROM json_each(CAST(? AS TEXT))"),
                {eventId, list});
            step(30);
            return true;
        });
    }

    // The (distinct) days' counts raised by one when the transaction commits; or, when
    // one of them has a broken row (a null count), nothing, and that day. list is
    // DayList(days), or empty.
    std::optional<QDate> RaiseLater(const QList<QDate> &days, const QByteArray &list)
    {
        QList<QDate> unseen;
        for (const QDate &date : days) {
            if (!soundDays.contains(date.toJulianDay()))
                unseen.append(date);
        }
        std::optional<QDate> broken;
        if (!unseen.isEmpty() && !list.isEmpty() && countsDaysTogether) {
            QSqlQuery &query = Run(QStringLiteral("SELECT key FROM json_each(CAST(? AS TEXT)) WHERE EXISTS "
                                                  "(SELECT 1 FROM Dates WHERE DateKey = value AND EventCount IS NULL) "
                                                  "ORDER BY key LIMIT 1"),
                                   {unseen.size() == days.size() ? list : DayList(unseen)});
            Finisher finish(query);
            if (query.next())
                broken = unseen.at(query.value(0).toLongLong());
        } else {
            for (const QDate &date : std::as_const(unseen)) {
                QSqlQuery &query = Run(QStringLiteral("SELECT 1 FROM Dates WHERE DateKey = ? AND EventCount IS NULL"),
                                       {IsoDate(date)});
                Finisher finish(query);
                if (query.next()) {
                    broken = date;
                    break;
                }
            }
        }
        if (broken)
            return broken;
        for (const QDate &date : days) {
            soundDays.insert(date.toJulianDay());
            ++raisedCounts[date.toJulianDay()];
        }
        return std::nullopt;
    }

    // The counts RaiseLater kept back, written now: by one statement for all of them (a
    // JSON object of day and count), or one a day where SQLite has no JSON. A day whose
    // count is broken (null) is not raised, and all of it fails.
    void WriteRaisedCounts()
    {
        if (countsDaysTogether && raisedCounts.size() > 1) {
            QByteArray counts = "{";
            counts.reserve(raisedCounts.size() * 20 + 2);
            for (auto it = raisedCounts.cbegin(); it != raisedCounts.cend(); ++it) {
                char day[basStoredForms::kDateTextMax];
                counts += counts.size() > 1 ? ",\"" : "\"";
                counts.append(day, basStoredForms::WriteDateText(QDate::fromJulianDay(it.key()), day));
                counts += "\":";
                counts += QByteArray::number(it.value());
            }
            counts += '}';
            QSqlQuery &upsert =
                Run(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                                   "SELECT key, '', value, '', '' FROM json_each(CAST(? AS TEXT)) WHERE true ON CONFLICT (DateKey) DO UPDATE "
                                   "SET EventCount = EventCount + excluded.EventCount WHERE EventCount IS NOT NULL"),
                    {counts});
            if (upsert.numRowsAffected() != raisedCounts.size())
                basOperation::ThrowTypeMismatch();
            raisedCounts.clear();
            return;
        }
        for (auto it = raisedCounts.cbegin(); it != raisedCounts.cend(); ++it) {
            QSqlQuery &upsert =
                Run(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                                   "VALUES (?, '', ?, '', '') ON CONFLICT (DateKey) DO UPDATE "
                                   "SET EventCount = EventCount + excluded.EventCount WHERE EventCount IS NOT NULL"),
                    {IsoDate(QDate::fromJulianDay(it.key())), it.value()});
            if (upsert.numRowsAffected() == 0)
                basOperation::ThrowTypeMismatch();
        }
        raisedCounts.clear();
    }

    // The event's stored dates; a stored text that is no date is left out (check
    // lists it).
    QList<QDate> StoredDatesOf(qint64 id)
    {
        QList<QDate> dates;
        QSqlQuery &query =
            Run(QStringLiteral("SELECT EventDate FROM EventDates WHERE EventId = ? ORDER BY EventDate"), {id});
        Finisher finish(query);
        while (query.next()) {
            const QDate date = DateFromIso(query.value(0));
            if (date.isValid())
                dates.append(date);
        }
        return dates;
    }

    // All or nothing for the statements of one operation. The outermost operation owns the
    // transaction (BEGIN IMMEDIATE takes the write lock at once, so the busy timeout
    // applies and no reader-to-writer upgrade can deadlock). Nested operations join it:
    // when one fails, the operation around it fails too and everything rolls back, so no
    // savepoint is needed. Leaving the outermost one without Commit rolls back.
    class Transaction {
    public:
        explicit Transaction(Impl &store) : m_store(store)
        {
            m_store.EnsureSameFile();
            if (m_store.transactionDepth == 0)
                m_store.Run(QStringLiteral("BEGIN IMMEDIATE"));
            m_outermost = m_store.transactionDepth == 0;
            ++m_store.transactionDepth;
        }
        ~Transaction()
        {
            if (m_done)
                return;
            --m_store.transactionDepth;
            if (!m_outermost)
                return;
            m_store.raisedCounts.clear();
            m_store.soundDays.clear();
            m_store.addedWithoutUid.clear();
            try {
                m_store.Run(QStringLiteral("ROLLBACK"));
            } catch (...) {
                // SQLite rolls back by itself when the connection closes; nothing better
                // can be done from a destructor.
            }
        }
        Transaction(const Transaction &) = delete;
        Transaction &operator=(const Transaction &) = delete;

        void Commit()
        {
            if (m_outermost) {
                m_store.WriteRaisedCounts();
                m_store.Run(QStringLiteral("COMMIT"));
                m_store.soundDays.clear();
                m_store.addedWithoutUid.clear();
            }
            m_done = true;
            --m_store.transactionDepth;
        }

    private:
        Impl &m_store;
        bool m_outermost = false;
        bool m_done = false;
    };
};

EventStore::EventStore() : d(std::make_unique<Impl>()) {}

EventStore::~EventStore() { d->Discard(); }

QString EventStore::DatabasePath()
{
    return basPlatform::DataFile(QString::fromLatin1(basPlatform::kDatabaseFileName));
}

QString EventStore::ConnectionName() const { return d->connectionName; }

bool EventStore::OpenDatabaseConnection(const QString &path)
{
    return basOperation::Trap("basDatabase.OpenDatabaseConnection", false, [&](Steps &step) {
        step(10);
        const QString file = path.isEmpty() ? DatabasePath() : path;
        step(50);
        d->Open(file);
        // Events are private; journal files made later take the database's rights.
        step(55);
        for (const char *suffix : {"", "-wal", "-shm"})
            basPlatform::MakeOwnerOnly(file + QLatin1String(suffix));
        step(60);
        return true;
    });
}

void EventStore::CloseDatabaseConnection() { d->Discard(); }

bool EventStore::IsOpen() const
{
    const QSqlDatabase db = QSqlDatabase::database(d->connectionName, false);
    return db.isValid() && db.isOpen();
}

bool EventStore::AddEventToDatabase(const EventRecord &event, const QList<QDate> &dates, qint64 &eventId)
{
    eventId = 0;
    qint64 newId = 0;
    const bool done = basOperation::Trap("basDatabase.AddEventToDatabase", false, [&](Steps &step) {
        step(10);
        const QList<QVariant> values = EventParameters(event);
        const QList<QDate> days = DistinctDates(dates);
        step(20);
        Impl::Transaction transaction(*d);
        QSqlQuery &insert =
            d->Run(QStringLiteral("INSERT INTO Events (EventName, AllDayEvent, StartTime, EndTime, "
                                  "EventColor, EventIcon, Notes, Recurring, Reminder) VALUES (?,?,?,?,?,?,?,?,?)"),
                   {values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7], values[8]});
        step(30);
        bool ok = false;
        newId = insert.lastInsertId().toLongLong(&ok);
        if (!ok || newId <= 0)
            throw Failure(basOperation::kDatabaseError, QStringLiteral("The new event has no id"));
        step(40);
        // What AddEventDate does for each day: the rows written (by one statement when
        // there are several), the counts raised when the transaction commits. A broken
        // day's count is reported by IncrementEventCount, and all of the event goes.
        const QByteArray list = days.size() < kDaysCountedTogether || !d->countsDaysTogether ? QByteArray() : Impl::DayList(days);
        if (list.isEmpty()) {
            for (const QDate &date : days) {
                if (!d->InsertEventDate(newId, date))
                    return false;
            }
        } else if (!d->InsertEventDates(newId, list)) {
            return false;
        }
        std::optional<QDate> broken;
        const auto raise = [&](const QList<QDate> &rest, const QByteArray &restList) {
            return basOperation::Trap("basDatabase.IncrementEventCount", false, [&](Steps &count) {
                count(20);
                broken = d->RaiseLater(rest, restList);
                return true;
            });
        };
        if (!raise(days, list))
            return false;
        if (broken) {
            // Reported by IncrementEventCount; were it mended meanwhile, raised there.
            if (!IncrementEventCount(*broken))
                return false;
            QList<QDate> rest = days;
            rest.removeOne(*broken);
            if (!raise(rest, QByteArray()) || broken)
                return false;
        }
        step(50);
        transaction.Commit();
        if (d->transactionDepth > 0)
            d->addedWithoutUid.insert(newId);
        return true;
    });
    if (done)
        eventId = newId;
    return done;
}

bool EventStore::AddEventDate(qint64 eventId, QDate date)
{
    return basOperation::Trap("basDatabase.AddEventDate", false, [&](Steps &step) {
        step(10);
        // A bad id or date is refused before any transaction begins.
        CheckEventId(eventId);
        IsoDate(date);
        step(20);
        Impl::Transaction transaction(*d);
        // Reports its own failure (the event's id, the date, the row) under this name.
        if (!d->InsertEventDate(eventId, date))
            return false;
        step(30);
        if (!IncrementEventCount(date))
            return false;
        step(40);
        transaction.Commit();
        return true;
    });
}

bool EventStore::DeleteEventDate(qint64 eventId, QDate date)
{
    return basOperation::Trap("basDatabase.DeleteEventDate", false, [&](Steps &step) {
        step(10);
        CheckEventId(eventId);
        const QString iso = IsoDate(date);
        step(20);
        Impl::Transaction transaction(*d);
        QSqlQuery &remove =
            d->Run(QStringLiteral("DELETE FROM EventDates WHERE EventId = ? AND EventDate = ?"), {eventId, iso});
        step(30);
        // Only an occurrence that was there lowers the day's count.
        if (remove.numRowsAffected() > 0 && !DecrementEventCount(date))
            return false;
        step(40);
        transaction.Commit();
        return true;
    });
}

bool EventStore::DeleteEventFromDatabase(qint64 eventId, QList<QDate> *deletedDates)
{
    QList<QDate> stored;
    const bool done = basOperation::Trap("basDatabase.DeleteEventFromDatabase", false, [&](Steps &step) {
        step(10);
        CheckEventId(eventId);
        step(20);
        Impl::Transaction transaction(*d);
        stored = d->StoredDatesOf(eventId);
        step(30);
        // The kept text of its series goes with the last event of it; the event's
        // EventDates and EventUids rows go with it (ON DELETE CASCADE).
        d->Run(QStringLiteral("DELETE FROM Series WHERE (Source, Uid) IN (SELECT Source, ") + kSeriesUidOf.arg(QStringLiteral("Uid"))
                   + QStringLiteral(" FROM EventUids WHERE EventId = ?) AND NOT EXISTS (SELECT 1 FROM EventUids u "
                                    "WHERE u.Source = Series.Source AND u.EventId <> ? AND u.Uid = Series.Uid) "
                                    "AND NOT EXISTS (SELECT 1 FROM EventUids u WHERE u.Source = Series.Source AND u.EventId <> ? AND ")
                   + kPartOfSeriesUid.arg(QStringLiteral("u.Uid"), QStringLiteral("Series.Uid")) + QLatin1Char(')'),
               {eventId, eventId, eventId});
        d->Run(QStringLiteral("DELETE FROM Events WHERE EventID = ?"), {eventId});
        step(40);
        for (const QDate &date : std::as_const(stored)) {
            if (!DecrementEventCount(date))
                return false;
        }
        step(50);
        transaction.Commit();
        return true;
    });
    if (done && deletedDates)
        *deletedDates = stored;
    return done;
}

bool EventStore::UpdateEventInDatabase(qint64 eventId, const EventRecord &event, const QList<QDate> &dates,
                                       QList<QDate> *previousDates)
{
    QList<QDate> stored;
    const bool done = basOperation::Trap("basDatabase.UpdateEventInDatabase", false, [&](Steps &step) {
        step(10);
        CheckEventId(eventId);
        const QList<QVariant> values = EventParameters(event);
        const QList<QDate> wanted = DistinctDates(dates);
        step(20);
        Impl::Transaction transaction(*d);
        QSqlQuery &update =
            d->Run(QStringLiteral("UPDATE Events SET EventName = ?, AllDayEvent = ?, StartTime = ?, "
                                  "EndTime = ?, EventColor = ?, EventIcon = ?, Notes = ?, Recurring = ?, Reminder = ? "
                                  "WHERE EventID = ?"),
                   {values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7], values[8],
                    eventId});
        if (update.numRowsAffected() == 0)
            throw Failure(kNoCurrentRecord, QStringLiteral("No event with the id %1").arg(eventId));
        step(30);
        stored = d->StoredDatesOf(eventId);
        step(40);
        for (const QDate &date : std::as_const(stored)) {
            if (!wanted.contains(date) && !DeleteEventDate(eventId, date))
                return false;
        }
        step(50);
        for (const QDate &date : wanted) {
            if (!stored.contains(date) && !AddEventDate(eventId, date))
                return false;
        }
        step(60);
        transaction.Commit();
        return true;
    });
    if (done && previousDates)
        *previousDates = stored;
    return done;
}

bool EventStore::GetDates(QDate firstDate, QDate lastDate, QList<DayRecord> &dayRecords)
{
    dayRecords.clear();
    QList<DayRecord> records;
    const bool done = basOperation::Trap("basDatabase.GetDates", false, [&](Steps &step) {
        step(10);
        const QString first = IsoDate(firstDate);
        const QString last = IsoDate(lastDate);
        step(20);
        d->WriteRaisedCounts();
        // A hidden calendar's events do not count for the day, as the views do not show them.
        QSqlQuery &query = d->Run(
            QStringLiteral("SELECT DateKey, DateColor, CASE WHEN EXISTS (SELECT 1 FROM Subscriptions c WHERE NOT %1) "
                           "THEN EventCount - (SELECT count(*) FROM EventDates x JOIN Events v ON v.EventID = x.EventId "
                           "JOIN Subscriptions c ON c.SubscriptionId = v.SubscriptionId "
                           "WHERE x.EventDate = DateKey AND NOT %1) ELSE EventCount END, DateNotes, DateText "
                           "FROM Dates WHERE DateKey BETWEEN ? AND ? ORDER BY DateKey")
                .arg(StoreQuery::CalendarShown(QStringLiteral("c"))),
            {first, last});
        Finisher finish(query);
        step(30);
        while (query.next()) {
            DayRecord day;
            day.DateKey = DateFromIso(query.value(0));
            // A key that is no date is no day of the range (check lists it).
            if (!day.DateKey.isValid())
                continue;
            day.DateColor = Text(query.value(1));
            const QVariant count = query.value(2);
            day.EventCount = count.isNull() ? 0 : count.toLongLong();
            day.DateNotes = Text(query.value(3));
            day.DateText = Text(query.value(4));
            records.append(day);
        }
        step(40);
        return true;
    });
    if (done)
        dayRecords = records;
    return done;
}

bool EventStore::GetEventsByDate(QDate date, QList<qint64> &eventIds)
{
    eventIds.clear();
    return basOperation::Trap("basDatabase.GetEventsByDate", false, [&](Steps &step) {
        step(10);
        const QString iso = IsoDate(date);
        step(20);
        QSqlQuery &query =
            d->Run(QStringLiteral("SELECT EventId FROM EventDates WHERE EventDate = ? ORDER BY EventId"), {iso});
        Finisher finish(query);
        step(30);
        while (query.next())
            eventIds.append(query.value(0).toLongLong());
        return true;
    });
}

bool EventStore::GetEventData(qint64 eventId, EventRecord &event)
{
    event = EventRecord{};
    return basOperation::Trap("basDatabase.GetEventData", false, [&](Steps &step) {
        step(10);
        CheckEventId(eventId);
        step(20);
        QSqlQuery &query =
            d->Run(QStringLiteral("SELECT EventID, EventName, AllDayEvent, StartTime, EndTime, EventColor, "
                                  "EventIcon, Notes, Recurring, Reminder FROM Events WHERE EventID = ?"),
                   {eventId});
        Finisher finish(query);
        step(30);
        if (!query.next())
            throw Failure(kNoCurrentRecord, QStringLiteral("No event with the id %1").arg(eventId));
        step(40);
        event = EventFromRow(query, 0);
        return true;
    });
}

bool EventStore::EventExists(qint64 eventId, bool &exists)
{
    exists = false;
    bool any = false;
    const bool done = basOperation::Trap("basDatabase.EventExists", false, [&](Steps &step) {
        step(10);
        QSqlQuery &query = d->Run(QStringLiteral("SELECT 1 FROM Events WHERE EventID = ?"), {eventId});
        Finisher finish(query);
        step(20);
        any = query.next();
        return true;
    });
    exists = done && any;
    return done;
}

bool EventStore::GetAllDatesForEvent(qint64 eventId, QList<QDate> &dates)
{
    dates.clear();
    return basOperation::Trap("basDatabase.GetAllDatesForEvent", false, [&](Steps &step) {
        step(10);
        CheckEventId(eventId);
        step(20);
        dates = d->StoredDatesOf(eventId);
        return true;
    });
}

bool EventStore::GetEventsInRange(QDate firstDate, QDate lastDate, QList<DatedEvent> &events)
{
    events.clear();
    QList<DatedEvent> found;
    QStringList skipped;
    const bool done = basOperation::Trap("basDatabase.GetEventsInRange", false, [&](Steps &step) {
        step(10);
        const QString first = IsoDate(firstDate);
        const QString last = IsoDate(lastDate);
        step(20);
        // Stored times are "HH:mm", so their text order is their time order. All-day
        // events go by id alone, whatever an older file holds in their times. A hidden
        // calendar's events are left out, and a calendar's timed events without a colour
        // of their own take the calendar's.
        static const QString shown =
            QStringLiteral("SELECT e.EventDate, v.EventID, v.EventName, v.AllDayEvent, v.StartTime, v.EndTime, %1, "
                           "v.EventIcon, v.Notes, v.Recurring, v.Reminder "
                           "FROM EventDates e JOIN Events v ON v.EventID = e.EventId "
                           "LEFT JOIN Subscriptions c ON c.SubscriptionId = v.SubscriptionId "
                           "WHERE e.EventDate BETWEEN ? AND ? AND %2 "
                           "ORDER BY e.EventDate, v.AllDayEvent DESC, "
                           "CASE WHEN v.AllDayEvent <> 0 THEN '' ELSE v.StartTime END, v.EventID")
                .arg(StoreQuery::ShownColor(QStringLiteral("v"), QStringLiteral("c")),
                     StoreQuery::CalendarShown(QStringLiteral("c")));
        QSqlQuery &query = d->Run(shown, {first, last});
        Finisher finish(query);
        step(30);
        while (query.next()) {
            const QString storedDate = Text(query.value(0));
            DatedEvent dated{DateFromIso(query.value(0)), EventFromRow(query, 1)};
            if (!dated.Date.isValid()) {
                skipped.append(QStringLiteral("event %1 \"%2\" on \"%3\" (not a date)")
                                   .arg(dated.Event.EventID)
                                   .arg(dated.Event.EventName, storedDate));
                continue;
            }
            if (!dated.Event.AllDayEvent && (!dated.Event.StartTime.isValid() || !dated.Event.EndTime.isValid())) {
                skipped.append(QStringLiteral("event %1 \"%2\" on %3 (no readable %4 time)")
                                   .arg(dated.Event.EventID)
                                   .arg(dated.Event.EventName, dated.Date.toString(Qt::ISODate),
                                        dated.Event.StartTime.isValid() ? QStringLiteral("end")
                                                                        : QStringLiteral("start")));
                continue;
            }
            found.append(std::move(dated));
        }
        step(40);
        return true;
    });
    if (!done)
        return false;
    events = std::move(found);
    if (!skipped.isEmpty()) {
        // One report for the whole call, of a size a message box can show; the other
        // events are there.
        constexpr qsizetype kNamed = 10;
        if (skipped.size() > kNamed) {
            const qsizetype more = skipped.size() - kNamed;
            skipped.resize(kNamed);
            skipped.append(QStringLiteral("and %1 more").arg(more));
        }
        basErrorHandler::ReportError(QStringLiteral("basDatabase.GetEventsInRange"),
                                     {basOperation::kTypeMismatch,
                                      QStringLiteral("Type mismatch: left out %1").arg(skipped.join(QStringLiteral(", "))),
                                      40},
                                     true, QString());
    }
    return true;
}

QString EventStore::GetFactOfTheDay(QDate date)
{
    return basOperation::TrapSilently(QString(), [&](Steps &step) {
        step(10);
        if (!date.isValid())
            return QString();
        const QString monthDay =
            QStringLiteral("%1-%2").arg(date.month(), 2, 10, QLatin1Char('0')).arg(date.day(), 2, 10, QLatin1Char('0'));
        step(20);
        QSqlQuery &query = d->Run(
            QStringLiteral("SELECT FactOfTheDay FROM FactOfTheDay WHERE MonthDay = ? ORDER BY rowid"), {monthDay});
        Finisher finish(query);
        while (query.next()) {
            const QString fact = Text(query.value(0));
            if (!fact.isEmpty())
                return fact;
        }
        return QString();
    });
}

qint64 EventStore::ChangesByOthers()
{
    try {
        QSqlQuery &query = d->Run(QStringLiteral("PRAGMA data_version"));
        Finisher finish(query);
        return query.next() ? query.value(0).toLongLong() : -1;
    } catch (const Failure &) {
        return -1;
    }
}

bool EventStore::DecrementEventCount(QDate date)
{
    return basOperation::Trap("basDatabase.DecrementEventCount", false, [&](Steps &step) {
        step(10);
        const QString iso = IsoDate(date);
        step(20);
        Impl::Transaction transaction(*d);
        d->WriteRaisedCounts();
        const std::optional<qint64> count = d->DayEventCount(iso);
        step(30);
        if (count) {
            d->Run(QStringLiteral("UPDATE Dates SET EventCount = ? WHERE DateKey = ?"),
                   {std::max<qint64>(*count - 1, 0), iso});
        }
        step(40);
        transaction.Commit();
        return true;
    });
}

bool EventStore::IncrementEventCount(QDate date)
{
    return basOperation::Trap("basDatabase.IncrementEventCount", false, [&](Steps &step) {
        step(10);
        const QString iso = IsoDate(date);
        step(20);
        d->EnsureSameFile();
        d->WriteRaisedCounts();
        // A new day gets its row with count 1; a day with a row gets +1. A null count
        // is a broken row: nothing changes and the operation fails.
        QSqlQuery &upsert =
            d->Run(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                                  "VALUES (?, '', 1, '', '') ON CONFLICT (DateKey) DO UPDATE "
                                  "SET EventCount = EventCount + 1 WHERE EventCount IS NOT NULL"),
                   {iso});
        step(30);
        if (upsert.numRowsAffected() == 0)
            basOperation::ThrowTypeMismatch();
        return true;
    });
}

bool EventStore::UpdateDateNotes(QDate date, const QString &notes)
{
    return basOperation::Trap("basDatabase.UpdateDateNotes", false, [&](Steps &step) {
        step(10);
        const QString iso = IsoDate(date);
        step(20);
        d->EnsureSameFile();
        d->WriteRaisedCounts();
        d->Run(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                              "VALUES (?, '', 0, ?, '') ON CONFLICT (DateKey) DO UPDATE SET DateNotes = excluded.DateNotes"),
               {iso, notes});
        step(30);
        return true;
    });
}

bool EventStore::GetRemindersInRange(QDate firstDate, QDate lastDate, QList<DatedEvent> &events)
{
    events.clear();
    QList<DatedEvent> found;
    const bool done = basOperation::Trap("basDatabase.GetRemindersInRange", false, [&](Steps &step) {
        step(10);
        const QString first = IsoDate(firstDate);
        const QString last = IsoDate(lastDate);
        step(20);
        // The few days of the range first (the date index), then each event by its key:
        // the work grows with the occurrences in range, not with the events stored.
        // CROSS JOIN keeps that order whatever the planner guesses.
        QSqlQuery &query =
            d->Run(QStringLiteral("SELECT e.EventDate, v.EventID, v.EventName, v.AllDayEvent, v.StartTime, "
                                  "v.EndTime, v.EventColor, v.EventIcon, '', v.Recurring, v.Reminder "
                                  "FROM EventDates e CROSS JOIN Events v ON v.EventID = e.EventId "
                                  "WHERE v.Reminder IS NOT NULL AND e.EventDate BETWEEN ? AND ? "
                                  "ORDER BY e.EventDate, v.EventID"),
                   {first, last});
        Finisher finish(query);
        step(30);
        while (query.next()) {
            DatedEvent dated{DateFromIso(query.value(0)), EventFromRow(query, 1)};
            if (!dated.Date.isValid() || !dated.Event.Reminder)
                continue;
            if (!dated.Event.AllDayEvent && (!dated.Event.StartTime.isValid() || !dated.Event.EndTime.isValid()))
                continue;
            found.append(std::move(dated));
        }
        return true;
    });
    if (done)
        events = std::move(found);
    return done;
}

bool EventStore::GetLongestReminder(int &minutes)
{
    minutes = 0;
    return basOperation::Trap("basDatabase.GetLongestReminder", false, [&](Steps &step) {
        step(10);
        QSqlQuery &query = d->Run(QStringLiteral("SELECT MAX(Reminder) FROM Events WHERE Reminder IS NOT NULL"));
        Finisher finish(query);
        if (query.next() && !query.value(0).isNull())
            minutes = static_cast<int>(std::clamp<qlonglong>(query.value(0).toLongLong(), 0, std::numeric_limits<int>::max()));
        return true;
    });
}

namespace {
QString InstantText(const QDateTime &instant) { return instant.toUTC().toString(Qt::ISODate); }
} // namespace

bool EventStore::GetFiredReminders(const QDateTime &since, QList<FiredReminder> &fired)
{
    fired.clear();
    QList<FiredReminder> found;
    const bool done = basOperation::Trap("basDatabase.GetFiredReminders", false, [&](Steps &step) {
        step(10);
        // ISO UTC texts sort as their instants. The records stay as long as their events:
        // read through each event with a reminder and its records from since on, by the
        // key, so the look does not grow with the years of records before.
        QSqlQuery &query = d->Run(QStringLiteral("SELECT f.EventId, f.Occurrence FROM Events AS e "
                                                 "CROSS JOIN FiredReminders AS f ON f.EventId = e.EventID "
                                                 "WHERE e.Reminder IS NOT NULL AND f.Occurrence >= ?"),
                                  {InstantText(since)});
        Finisher finish(query);
        step(20);
        while (query.next()) {
            const QDateTime occurrence = QDateTime::fromString(Text(query.value(1)), Qt::ISODate);
            if (occurrence.isValid())
                found.append(FiredReminder{query.value(0).toLongLong(), occurrence});
        }
        return true;
    });
    if (done)
        fired = std::move(found);
    return done;
}

bool EventStore::RecordFiredReminders(const QList<FiredReminder> &fired)
{
    return basOperation::Trap("basDatabase.RecordFiredReminders", false, [&](Steps &step) {
        step(10);
        Impl::Transaction transaction(*d);
        step(20);
        // An event deleted since it was planned has nothing to record.
        for (const FiredReminder &one : fired)
            d->Run(QStringLiteral("INSERT OR IGNORE INTO FiredReminders (EventId, Occurrence) "
                                  "SELECT EventID, ? FROM Events WHERE EventID = ?"),
                   {InstantText(one.Occurrence), one.EventId});
        step(30);
        transaction.Commit();
        return true;
    });
}

QString EventStore::QueryDateColor(QDate date)
{
    const QString iso = IsoDate(date);
    QSqlQuery &query = d->Run(QStringLiteral("SELECT DateColor FROM Dates WHERE DateKey = ?"), {iso});
    Finisher finish(query);
    return query.next() ? Text(query.value(0)) : QString();
}

bool EventStore::GetAllEvents(QList<EventWithDates> &events, const QSet<qint64> &firstDateOnly)
{
    events.clear();
    QList<EventWithDates> found;
    const bool done = basOperation::Trap("basDatabase.GetAllEvents", false, [&](Steps &step) {
        step(10);
        QHash<qint64, qsizetype> position;
        {
            QSqlQuery &query =
                d->Run(QStringLiteral("SELECT EventID, EventName, AllDayEvent, StartTime, EndTime, EventColor, "
                                      "EventIcon, Notes, Recurring, Reminder FROM Events ORDER BY EventID"));
            Finisher finish(query);
            while (query.next()) {
                EventWithDates event{EventFromRow(query, 0), {}};
                position.insert(event.Event.EventID, found.size());
                found.append(std::move(event));
            }
        }
        step(20);
        // Each event's dates in one row, as a list: a year-long series has hundreds, and
        // a row read costs far more than its text. There are as many parts as dates
        // unless a date's text has a comma: that event's dates are read one by one. A
        // date that is no date is left out (check lists it). Given as one list of ids
        // (where the store can), the events of firstDateOnly are read apart, each its
        // first date.
        QList<qsizetype> odd;
        const bool apart = !firstDateOnly.isEmpty() && d->countsDaysTogether;
        QString wanted = QStringLiteral("[");
        QString firsts = QStringLiteral("[");
        if (apart) {
            for (const EventWithDates &event : std::as_const(found)) {
                QString &list = firstDateOnly.contains(event.Event.EventID) ? firsts : wanted;
                if (list.size() > 1)
                    list += QLatin1Char(',');
                list += QString::number(event.Event.EventID);
            }
        }
        {
            QSqlQuery &query =
                apart ? d->Run(QStringLiteral("SELECT EventId, group_concat(EventDate, ','), count(*) FROM EventDates "
                                              "WHERE EventId IN (SELECT value FROM json_each(?)) GROUP BY EventId"),
                               {wanted + QLatin1Char(']')})
                      : d->Run(QStringLiteral(
                            "SELECT EventId, group_concat(EventDate, ','), count(*) FROM EventDates GROUP BY EventId"));
            Finisher finish(query);
            while (query.next()) {
                const auto at = position.constFind(query.value(0).toLongLong());
                if (at == position.cend())
                    continue;
                const QString list = query.value(1).toString();
                const QList<QStringView> days = QStringView(list).split(QLatin1Char(','));
                if (days.size() != query.value(2).toLongLong()) {
                    odd.append(*at);
                    continue;
                }
                QList<QDate> &dates = found[*at].Dates;
                dates.reserve(days.size());
                for (const QStringView day : days) {
                    if (const QDate date = basStoredForms::ReadDateText(day); date.isValid())
                        dates.append(date);
                }
                // Ascending, as their texts are.
                if (!std::is_sorted(dates.cbegin(), dates.cend()))
                    std::sort(dates.begin(), dates.end());
            }
        }
        if (apart) {
            QSqlQuery &query = d->Run(QStringLiteral("SELECT j.value, (SELECT EventDate FROM EventDates d WHERE d.EventId = j.value "
                                                     "ORDER BY EventDate LIMIT 1) FROM json_each(?) j"),
                                      {firsts + QLatin1Char(']')});
            Finisher finish(query);
            while (query.next()) {
                const auto at = position.constFind(query.value(0).toLongLong());
                if (at == position.cend() || query.value(1).isNull())
                    continue;
                // A first text that is no date may have dates after it: all are read.
                if (const QDate date = DateFromIso(query.value(1)); date.isValid())
                    found[*at].Dates.append(date);
                else
                    odd.append(*at);
            }
        }
        for (const qsizetype at : std::as_const(odd)) {
            QSqlQuery &query =
                d->Run(QStringLiteral("SELECT EventDate FROM EventDates WHERE EventId = ? ORDER BY EventDate"),
                       {found[at].Event.EventID});
            Finisher finish(query);
            while (query.next()) {
                if (const QDate date = DateFromIso(query.value(0)); date.isValid())
                    found[at].Dates.append(date);
            }
        }
        return true;
    });
    if (done)
        events = std::move(found);
    return done;
}

bool EventStore::RunInTransaction(const std::function<bool()> &work)
{
    if (d->transactionDepth == 0)
        d->lastFailure.clear();
    return basOperation::Trap("basDatabase.RunInTransaction", false, [&](Steps &step) {
        step(10);
        Impl::Transaction transaction(*d);
        step(20);
        // An operation inside that failed has reported itself.
        if (!work())
            return false;
        step(30);
        transaction.Commit();
        return true;
    });
}

namespace {
// An import of fewer days takes each into the index of the days by date; from this many
// on, and at least a part of those stored (1 / kStoredDaysPerNewIndex), one sort of all
// of them costs less.
constexpr qint64 kDaysForNewIndex = 5000;
constexpr qint64 kStoredDaysPerNewIndex = 4;
const QString kDaysIndex = QStringLiteral("EventDatesByDate");
} // namespace

bool EventStore::RunAddingDays(qint64 days, const std::function<bool()> &work)
{
    return RunAddingDays([days](qint64) { return days; }, work);
}

bool EventStore::RunAddingDays(const std::function<qint64(qint64 enough)> &daysAtLeast, const std::function<bool()> &work)
{
    if (d->transactionDepth > 0 || daysAtLeast(kDaysForNewIndex) < kDaysForNewIndex)
        return RunInTransaction(work);
    d->lastFailure.clear();
    return basOperation::Trap("basDatabase.RunInTransaction", false, [&](Steps &step) {
        step(10);
        Impl::Transaction transaction(*d);
        step(15);
        // The index as the store has it (a store without it stays so).
        QString index;
        const QSqlDatabase db = d->Connection();
        {
            QSqlQuery stored(db);
            if (!stored.exec(QStringLiteral("SELECT count(*) FROM EventDates")) || !stored.next())
                d->Fail(stored.lastError());
            const qint64 storedDays = stored.value(0).toLongLong();
            const qint64 enough = std::max(kDaysForNewIndex, (storedDays + kStoredDaysPerNewIndex - 1) / kStoredDaysPerNewIndex);
            if (daysAtLeast(enough) * kStoredDaysPerNewIndex >= storedDays) {
                QSqlQuery made(db);
                made.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND name = ?"));
                made.addBindValue(kDaysIndex);
                if (!made.exec())
                    d->Fail(made.lastError());
                if (made.next())
                    index = made.value(0).toString();
            }
        }
        if (!index.isEmpty()) {
            QSqlQuery drop(db);
            if (!drop.exec(QStringLiteral("DROP INDEX ") + kDaysIndex))
                d->Fail(drop.lastError());
        }
        step(20);
        // An operation inside that failed has reported itself; the rollback brings the
        // index back.
        if (!work())
            return false;
        step(25);
        if (!index.isEmpty()) {
            QSqlQuery make(db);
            if (!make.exec(index))
                d->Fail(make.lastError());
        }
        step(30);
        transaction.Commit();
        return true;
    });
}

bool EventStore::GetEventUids(QList<EventUid> &uids)
{
    uids.clear();
    QList<EventUid> found;
    const bool done = basOperation::Trap("basDatabase.GetEventUids", false, [&](Steps &step) {
        step(10);
        QSqlQuery &query = d->Run(QStringLiteral("SELECT Source, Uid, EventId, Fingerprint FROM EventUids"));
        Finisher finish(query);
        step(20);
        while (query.next())
            found.append(EventUid{Text(query.value(0)), Text(query.value(1)), query.value(2).toLongLong(),
                                  Text(query.value(3))});
        return true;
    });
    if (done)
        uids = std::move(found);
    return done;
}

bool EventStore::SetEventUid(const QString &source, const QString &uid, qint64 eventId, const QString &fingerprint)
{
    return SetEventUids({EventUid{source, uid, eventId, fingerprint}});
}

namespace {

// Rows written by one statement, as many as fit, in these numbers: a statement of many
// rows pays SQLite's work of a statement (its undo journal above all) once.
constexpr qsizetype kRowsTogether[] = {64, 16, 4, 1};

// How many of the rows left one statement writes.
qsizetype RowsTogether(qsizetype left)
{
    return *std::find_if(std::begin(kRowsTogether), std::end(kRowsTogether), [&](qsizetype n) { return n <= left; });
}

// "VALUES (row),(row),..." count times.
QString ManyRows(const QString &row, qsizetype count)
{
    QString values;
    values.reserve((row.size() + 1) * count);
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0)
            values += QLatin1Char(',');
        values += row;
    }
    return values;
}

} // namespace

bool EventStore::SetEventUids(const QList<EventUid> &uids)
{
    return basOperation::Trap("basDatabase.SetEventUid", false, [&](Steps &step) {
        step(10);
        for (const EventUid &row : uids) {
            CheckEventId(row.EventId);
            if (row.Uid.isEmpty())
                basOperation::ThrowTypeMismatch();
        }
        step(20);
        d->EnsureSameFile();
        // A null source binds as NULL: the store's own source is the empty text.
        const auto insert = [&](qsizetype from, qsizetype count) {
            QList<QVariant> values;
            values.reserve(count * 4);
            for (qsizetype i = from; i < from + count; ++i)
                values << uids[i].Source << uids[i].Uid << uids[i].EventId << uids[i].Fingerprint;
            d->Run(QStringLiteral("INSERT INTO EventUids (Source, Uid, EventId, Fingerprint) VALUES ")
                       + ManyRows(QStringLiteral("(COALESCE(?, ''), ?, ?, COALESCE(?, ''))"), count)
                       + QStringLiteral(" ON CONFLICT (Source, Uid) DO UPDATE SET EventId = excluded.EventId, "
                                        "Fingerprint = excluded.Fingerprint"),
                   values);
        };
        // In order: the events just added (they have no UID) together; any other alone,
        // after the UID it had under another key goes (one UID an event).
        qsizetype at = 0;
        while (at < uids.size()) {
            qsizetype end = at;
            while (end < uids.size() && d->addedWithoutUid.remove(uids[end].EventId))
                ++end;
            while (at < end) {
                const qsizetype count = RowsTogether(end - at);
                insert(at, count);
                at += count;
            }
            if (at < uids.size()) {
                const EventUid &other = uids[at];
                d->Run(QStringLiteral("DELETE FROM EventUids WHERE EventId = ? AND (Source <> COALESCE(?, '') OR Uid <> ?)"),
                       {other.EventId, other.Source, other.Uid});
                insert(at++, 1);
            }
        }
        return true;
    });
}

bool EventStore::SetSeriesTexts(const QList<SeriesText> &series)
{
    return basOperation::Trap("basDatabase.SetSeries", false, [&](Steps &step) {
        step(10);
        for (const SeriesText &text : series) {
            if (text.Uid.isEmpty() || text.Component.isEmpty())
                basOperation::ThrowTypeMismatch();
        }
        step(20);
        d->EnsureSameFile();
        for (qsizetype at = 0; at < series.size();) {
            const qsizetype count = RowsTogether(series.size() - at);
            QList<QVariant> values;
            values.reserve(count * 4);
            for (qsizetype i = at; i < at + count; ++i)
                values << series[i].Source << series[i].Uid << ComponentParameter(series[i].Component) << series[i].Sequence;
            d->Run(QStringLiteral("INSERT INTO Series (Source, Uid, Component, Sequence) VALUES ")
                       + ManyRows(QStringLiteral("(COALESCE(?, ''), ?, CAST(? AS TEXT), ?)"), count)
                       + QStringLiteral(" ON CONFLICT (Source, Uid) DO UPDATE SET Component = excluded.Component, "
                                        "Sequence = excluded.Sequence"),
                   values);
            at += count;
        }
        return true;
    });
}

namespace {
constexpr int kSqliteReadOnly = 8; // SQLITE_READONLY, the primary code
} // namespace

QString EventStore::LastFailure() const { return d->lastFailure; }

bool EventStore::IsWritable()
{
    if (d->transactionDepth > 0)
        return true;
    const QSqlDatabase db = QSqlDatabase::database(d->connectionName, false);
    if (!db.isValid() || !db.isOpen())
        return false;
    // SQLite opens a file it may not write read-only, and then refuses to begin a write.
    QSqlQuery begin(db);
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return (begin.lastError().nativeErrorCode().toInt() & 0xFF) != kSqliteReadOnly;
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    return true;
}

} // namespace basDatabase

} // namespace quillon

namespace quillon {

namespace basDatabase {

bool EventStore::SetSeries(const SeriesText &series) { return SetSeriesTexts({series}); }

bool EventStore::GetAllSeries(QList<SeriesText> &series)
{
    series.clear();
    QList<SeriesText> found;
    const bool done = basOperation::Trap("basDatabase.GetAllSeries", false, [&](Steps &step) {
        step(10);
        // The texts as a store of UTF-8 (every store made here) holds them: read as text,
        // each would be turned into UTF-16 and back.
        QSqlQuery &encoding = d->Run(QStringLiteral("PRAGMA encoding"));
        const bool utf8 = encoding.next() && encoding.value(0).toString() == QLatin1String("UTF-8");
        encoding.finish();
        QSqlQuery &query = d->Run(utf8 ? QStringLiteral("SELECT Source, Uid, CAST(Component AS BLOB), Sequence FROM Series")
                                       : QStringLiteral("SELECT Source, Uid, Component, Sequence FROM Series"));
        Finisher finish(query);
        step(20);
        while (query.next())
            found.append(SeriesText{Text(query.value(0)), Text(query.value(1)),
                                    utf8 ? query.value(2).toByteArray() : Text(query.value(2)).toUtf8(), query.value(3).toInt()});
        return true;
    });
    if (done)
        series = std::move(found);
    return done;
}

bool EventStore::GetOwnEventsWithoutText(QList<qint64> &eventIds)
{
    eventIds.clear();
    QList<qint64> found;
    const bool done = basOperation::Trap("basDatabase.GetOwnEventsWithoutText", false, [&](Steps &step) {
        step(10);
        QSqlQuery &query = d->Run(
            QStringLiteral("SELECT e.EventID FROM Events e LEFT JOIN EventUids u ON u.EventId = e.EventID "
                           "WHERE e.SubscriptionId IS NULL AND (u.EventId IS NULL OR (u.Source = '' AND NOT EXISTS "
                           "(SELECT 1 FROM Series s WHERE s.Source = '' AND s.Uid = ")
            + kSeriesUidOf.arg(QStringLiteral("u.Uid")) + QStringLiteral("))) ORDER BY e.EventID"));
        Finisher finish(query);
        step(20);
        while (query.next())
            found.append(query.value(0).toLongLong());
        return true;
    });
    if (done)
        eventIds = std::move(found);
    return done;
}

bool EventStore::GetSeriesOfEvent(qint64 eventId, EventSeries &series)
{
    EventSeries result;
    const bool done = basOperation::Trap("basDatabase.GetSeriesOfEvent", false, [&](Steps &step) {
        step(10);
        CheckEventId(eventId);
        step(20);
        QSqlQuery &query = d->Run(QStringLiteral("SELECT u.Source, ") + kSeriesUidOf.arg(QStringLiteral("u.Uid"))
                                      + QStringLiteral(", s.Component, s.Sequence, "
                                                 "(SELECT COUNT(*) FROM EventUids o WHERE o.Source = s.Source AND o.EventId <> u.EventId "
                                                 "AND o.Uid = s.Uid) + (SELECT COUNT(*) FROM EventUids o WHERE o.Source = s.Source "
                                                 "AND o.EventId <> u.EventId AND ")
                                      + kPartOfSeriesUid.arg(QStringLiteral("o.Uid"), QStringLiteral("s.Uid"))
                                      + QStringLiteral(") FROM EventUids u LEFT JOIN Series s ON s.Source = u.Source AND s.Uid = ")
                                      + kSeriesUidOf.arg(QStringLiteral("u.Uid")) + QStringLiteral(" WHERE u.EventId = ?"),
                                  {eventId});
        Finisher finish(query);
        step(30);
        if (query.next()) {
            result.HasUid = true;
            result.HasText = !query.value(2).isNull();
            result.Series = SeriesText{Text(query.value(0)), Text(query.value(1)), Text(query.value(2)).toUtf8(),
                                       query.value(3).toInt()};
            result.SeveralLooks = query.value(4).toLongLong() > 0;
        }
        return true;
    });
    if (done)
        series = std::move(result);
    return done;
}

bool EventStore::DeleteSeries(const QString &source, const QString &uid)
{
    return basOperation::Trap("basDatabase.DeleteSeries", false, [&](Steps &step) {
        step(10);
        d->EnsureSameFile();
        d->Run(QStringLiteral("DELETE FROM Series WHERE Source = COALESCE(?, '') AND Uid = ?"), {source, uid});
        return true;
    });
}

bool EventStore::GetStoreValue(const QString &name, QString &value, bool &found)
{
    found = false;
    QString result;
    bool any = false;
    const bool done = basOperation::Trap("basDatabase.GetStoreValue", false, [&](Steps &step) {
        step(10);
        QSqlQuery &query = d->Run(QStringLiteral("SELECT Value FROM StoreValues WHERE Name = ?"), {name});
        Finisher finish(query);
        step(20);
        if (query.next()) {
            any = true;
            result = Text(query.value(0));
        }
        return true;
    });
    if (done) {
        value = result;
        found = any;
    }
    return done;
}

bool EventStore::SetStoreValue(const QString &name, const QString &value)
{
    return basOperation::Trap("basDatabase.SetStoreValue", false, [&](Steps &step) {
        step(10);
        d->EnsureSameFile();
        d->Run(QStringLiteral("INSERT INTO StoreValues (Name, Value) VALUES (?, ?) "
                              "ON CONFLICT (Name) DO UPDATE SET Value = excluded.Value"),
               {name, value});
        return true;
    });
}

} // namespace basDatabase

} // namespace quillon
