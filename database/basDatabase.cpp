#include "basDatabase.h"

#include "basConnection.h"
#include "basConvert.h"
#include "basDateText.h"
#include "basOperation.h"
#include "basStringFunctions.h"
#include "basTimeText.h"
#include "platform/basPlatform.h"

#include <QDate>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <optional>

namespace basDatabase {

namespace {

using basOperation::Failure;
using basOperation::Steps;

inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kNoCurrentRecord = 3021;
inline constexpr int kEventValueCount = 8;

const QString kConnection = QString::fromLatin1(kConnectionName);

// Prepared statements of the open connection, kept for its lifetime: a 365-date save
// runs the same two statements hundreds of times.
std::map<QString, QSqlQuery> &StatementCache()
{
    static std::map<QString, QSqlQuery> cache;
    return cache;
}

// Depth of the transactions in progress; nested operations join the outer one.
int g_transactionDepth = 0;

QSqlDatabase Connection()
{
    QSqlDatabase db = QSqlDatabase::database(kConnection, false);
    if (!db.isValid() || !db.isOpen())
        throw Failure(basOperation::kDatabaseError, QStringLiteral("The database connection is not open"));
    return db;
}

QSqlQuery &Prepared(const QString &sql)
{
    auto &cache = StatementCache();
    auto found = cache.find(sql);
    if (found == cache.end()) {
        QSqlQuery query(Connection());
        query.setForwardOnly(true);
        if (!query.prepare(sql))
            basConnection::ThrowError(query.lastError());
        found = cache.emplace(sql, std::move(query)).first;
    }
    return found->second;
}

// Runs a cached statement with its values bound in order. The caller reads the rows
// (if any) while the Finisher it holds keeps the statement's read lock short.
QSqlQuery &Run(const QString &sql, std::initializer_list<QVariant> values = {})
{
    QSqlQuery &query = Prepared(sql);
    int position = 0;
    for (const QVariant &value : values)
        query.bindValue(position++, value);
    if (!query.exec())
        basConnection::ThrowError(query.lastError());
    return query;
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

// All or nothing for the statements of one operation. The outermost operation owns the
// transaction (BEGIN IMMEDIATE takes the write lock at once, so the busy timeout
// applies and no reader-to-writer upgrade can deadlock). Nested operations join it:
// when one fails, the operation around it fails too and everything rolls back, so no
// savepoint is needed. Leaving the outermost one without Commit rolls back.
class Transaction {
public:
    Transaction()
    {
        if (g_transactionDepth == 0)
            Run(QStringLiteral("BEGIN IMMEDIATE"));
        m_outermost = g_transactionDepth == 0;
        ++g_transactionDepth;
    }
    ~Transaction()
    {
        if (m_done)
            return;
        --g_transactionDepth;
        if (!m_outermost)
            return;
        try {
            Run(QStringLiteral("ROLLBACK"));
        } catch (...) {
            // SQLite rolls back by itself when the connection closes; nothing better
            // can be done from a destructor.
        }
    }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void Commit()
    {
        if (m_outermost)
            Run(QStringLiteral("COMMIT"));
        m_done = true;
        --g_transactionDepth;
    }

private:
    bool m_outermost = false;
    bool m_done = false;
};

QString IsoDate(const QString &dateText)
{
    const QDate date = basDateText::ParseDateText(dateText);
    if (!date.isValid())
        basOperation::ThrowTypeMismatch();
    return date.toString(Qt::ISODate);
}

// Stored ISO dates go back out in the one date text form.
QString DateTextFromIso(const QString &iso)
{
    const QDate date = QDate::fromString(iso, Qt::ISODate);
    return date.isValid() ? basDateText::FormatDateText(date) : iso;
}

qint64 EventIdNumber(const QString &eventId)
{
    bool ok = false;
    const qint64 id = eventId.trimmed().toLongLong(&ok);
    if (!ok || id <= 0)
        basOperation::ThrowTypeMismatch();
    return id;
}

// "9:30 AM", "0:00 AM", "12:00 PM", "11:59 PM" (and 24-hour "21:30") to "HH:MM";
// an empty text stays empty.
QString StoredTime(const QString &time)
{
    if (time.trimmed().isEmpty())
        return QString();
    const QTime parsed = basTimeText::ParseTimeText(time);
    if (!parsed.isValid())
        basOperation::ThrowTypeMismatch();
    return parsed.toString(QStringLiteral("HH:mm"));
}

// "HH:MM" to "h:mm AM/PM"; anything else comes back as stored.
QString DisplayTime(const QString &stored)
{
    const QTime time = QTime::fromString(stored, QStringLiteral("HH:mm"));
    return time.isValid() ? basTimeText::FormatTimeText(time) : stored;
}

int StoredBoolean(const QString &text) { return basConvert::ToBoolean(text) ? 1 : 0; }

QString BooleanText(const QVariant &value)
{
    return !value.isNull() && value.toLongLong() != 0 ? QStringLiteral("True") : QStringLiteral("False");
}

QString Text(const QVariant &value) { return value.isNull() ? QString() : value.toString(); }

// The eight event values as bound parameters, in column order.
QList<QVariant> EventParameters(const QStringList &values)
{
    if (values.size() < kEventValueCount)
        throw Failure(kSubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return {values[0], StoredBoolean(values[1]), StoredTime(values[2]), StoredTime(values[3]),
            values[4], values[5], values[6], StoredBoolean(values[7])};
}

QStringList EmptyResultList() { return QStringList{QString()}; }

void AppendResult(QStringList &list, const QString &value)
{
    if (list.size() == 1 && list.first().isEmpty())
        list.first() = value;
    else
        list.append(value);
}

// The day's EventCount, or nothing when the day has no row. A null count is a broken
// row and fails as a type mismatch.
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

QStringList StoredDatesOf(qint64 id)
{
    QStringList dates;
    QSqlQuery &query = Run(QStringLiteral("SELECT EventDate FROM EventDates WHERE EventId = ? ORDER BY EventDate"), {id});
    Finisher finish(query);
    while (query.next())
        dates.append(DateTextFromIso(query.value(0).toString()));
    return dates;
}

// Non-empty dates of a caller's list in the one form, each once, in order.
QStringList DistinctDates(const QStringList &dates)
{
    QStringList result;
    QSet<QString> seen;
    for (const QString &date : dates) {
        if (date.trimmed().isEmpty())
            continue;
        const QString normal = basDateText::NormalizeDateText(date);
        if (normal.isEmpty())
            basOperation::ThrowTypeMismatch();
        if (!seen.contains(normal)) {
            seen.insert(normal);
            result.append(normal);
        }
    }
    return result;
}

const QChar kEscape(0x1B);

QString EscapeField(QString field)
{
    if (!field.contains(QLatin1Char('|')) && !field.contains(kEscape))
        return field;
    QString escaped;
    escaped.reserve(field.size() + 4);
    for (const QChar c : field) {
        if (c == kEscape)
            escaped += kEscape + QStringLiteral("e");
        else if (c == QLatin1Char('|'))
            escaped += kEscape + QStringLiteral("p");
        else
            escaped += c;
    }
    return escaped;
}

QString UnescapeField(const QString &field)
{
    if (!field.contains(kEscape))
        return field;
    QString plain;
    plain.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == kEscape && i + 1 < field.size()) {
            ++i;
            plain += field[i] == QLatin1Char('p') ? QChar(QLatin1Char('|')) : kEscape;
        } else {
            plain += field[i];
        }
    }
    return plain;
}

void DiscardConnection()
{
    StatementCache().clear();
    g_transactionDepth = 0;
    {
        QSqlDatabase db = QSqlDatabase::database(kConnection, false);
        if (db.isValid())
            db.close();
    }
    if (QSqlDatabase::contains(kConnection))
        QSqlDatabase::removeDatabase(kConnection);
}

} // namespace

QString DatabasePath() { return basPlatform::DataFile(QString::fromLatin1(basPlatform::kDatabaseFileName)); }

bool OpenDatabaseConnection()
{
    return basOperation::Trap("basDatabase.OpenDatabaseConnection", false, [&](Steps &step) {
        step(10);
        DiscardConnection();
        try {
            step(20);
            const QString path = DatabasePath();
            step(30);
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
            if (!db.isValid())
                throw Failure(basOperation::kDatabaseError, QStringLiteral("The SQLite driver of Qt SQL is missing"));
            step(40);
            basConnection::ConfigureConnection(db, path);
            step(50);
            basConnection::OpenAndVerify(db, path);
        } catch (...) {
            DiscardConnection();
            throw;
        }
        step(60);
        return true;
    });
}

void CloseDatabaseConnection() { DiscardConnection(); }

bool AddEventToDatabase(const QStringList &eventValues, const QStringList &dates, QString &eventId)
{
    eventId.clear();
    QString newId;
    const bool done = basOperation::Trap("basDatabase.AddEventToDatabase", false, [&](Steps &step) {
        step(10);
        const QList<QVariant> values = EventParameters(eventValues);
        const QStringList days = DistinctDates(dates);
        step(20);
        Transaction transaction;
        QSqlQuery &insert = Run(QStringLiteral("INSERT INTO Events (EventName, AllDayEvent, StartTime, EndTime, "
                                               "EventColor, EventIcon, Notes, Recurring) VALUES (?,?,?,?,?,?,?,?)"),
                                {values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7]});
        step(30);
        newId = insert.lastInsertId().toString();
        if (newId.isEmpty())
            throw Failure(basOperation::kDatabaseError, QStringLiteral("The new event has no id"));
        step(40);
        for (const QString &date : days) {
            // AddEventDate has reported its own failure; all of the event goes.
            if (!AddEventDate(newId, date))
                return false;
        }
        step(50);
        transaction.Commit();
        return true;
    });
    if (done)
        eventId = newId;
    return done;
}

bool AddEventDate(const QString &eventId, const QString &date)
{
    return basOperation::Trap("basDatabase.AddEventDate", false, [&](Steps &step) {
        step(10);
        const qint64 id = EventIdNumber(eventId);
        const QString iso = IsoDate(date);
        step(20);
        Transaction transaction;
        Run(QStringLiteral("INSERT INTO EventDates (EventId, EventDate) VALUES (?, ?)"), {id, iso});
        step(30);
        if (!IncrementEventCount(date))
            return false;
        step(40);
        transaction.Commit();
        return true;
    });
}

bool DeleteEventDate(const QString &eventId, const QString &date)
{
    return basOperation::Trap("basDatabase.DeleteEventDate", false, [&](Steps &step) {
        step(10);
        const qint64 id = EventIdNumber(eventId);
        const QString iso = IsoDate(date);
        step(20);
        Transaction transaction;
        QSqlQuery &remove = Run(QStringLiteral("DELETE FROM EventDates WHERE EventId = ? AND EventDate = ?"), {id, iso});
        step(30);
        // Only an occurrence that was there lowers the day's count.
        if (remove.numRowsAffected() > 0 && !DecrementEventCount(date))
            return false;
        step(40);
        transaction.Commit();
        return true;
    });
}

bool DeleteEventFromDatabase(const QString &eventId, const QStringList &dates)
{
    Q_UNUSED(dates); // the counts follow the dates actually stored, read inside the transaction
    return basOperation::Trap("basDatabase.DeleteEventFromDatabase", false, [&](Steps &step) {
        step(10);
        const qint64 id = EventIdNumber(eventId);
        step(20);
        Transaction transaction;
        const QStringList stored = StoredDatesOf(id);
        step(30);
        // The event's EventDates rows go with it (ON DELETE CASCADE).
        Run(QStringLiteral("DELETE FROM Events WHERE EventID = ?"), {id});
        step(40);
        for (const QString &date : stored) {
            if (!DecrementEventCount(date))
                return false;
        }
        step(50);
        transaction.Commit();
        return true;
    });
}

bool UpdateEventInDatabase(const QString &eventId, const QStringList &eventValues, const QStringList &dates)
{
    return basOperation::Trap("basDatabase.UpdateEventInDatabase", false, [&](Steps &step) {
        step(10);
        const qint64 id = EventIdNumber(eventId);
        const QList<QVariant> values = EventParameters(eventValues);
        const QStringList wanted = DistinctDates(dates);
        step(20);
        Transaction transaction;
        QSqlQuery &update = Run(QStringLiteral("UPDATE Events SET EventName = ?, AllDayEvent = ?, StartTime = ?, "
                                               "EndTime = ?, EventColor = ?, EventIcon = ?, Notes = ?, Recurring = ? "
                                               "WHERE EventID = ?"),
                                {values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7], id});
        if (update.numRowsAffected() == 0)
            throw Failure(kNoCurrentRecord, QStringLiteral("No event with the id %1").arg(id));
        step(30);
        const QStringList stored = StoredDatesOf(id);
        step(40);
        for (const QString &date : stored) {
            if (!wanted.contains(date) && !DeleteEventDate(eventId, date))
                return false;
        }
        step(50);
        for (const QString &date : wanted) {
            if (!stored.contains(date) && !AddEventDate(eventId, date))
                return false;
        }
        step(60);
        transaction.Commit();
        return true;
    });
}

bool GetDates(const QString &firstDate, const QString &lastDate, QStringList &dayRecords)
{
    dayRecords = EmptyResultList();
    QStringList records = EmptyResultList();
    const bool done = basOperation::Trap("basDatabase.GetDates", false, [&](Steps &step) {
        step(10);
        const QString first = IsoDate(firstDate);
        const QString last = IsoDate(lastDate);
        step(20);
        QSqlQuery &query = Run(QStringLiteral("SELECT DateKey, DateColor, EventCount, DateNotes, DateText FROM Dates "
                                              "WHERE DateKey BETWEEN ? AND ? ORDER BY DateKey"),
                               {first, last});
        Finisher finish(query);
        step(30);
        while (query.next()) {
            const QVariant count = query.value(2);
            AppendResult(records, JoinDayRecord({DateTextFromIso(Text(query.value(0))), Text(query.value(1)),
                                                 QString::number(count.isNull() ? 0 : count.toLongLong()),
                                                 Text(query.value(3)), Text(query.value(4))}));
        }
        step(40);
        return true;
    });
    if (done)
        dayRecords = records;
    return done;
}

bool GetEventsByDate(const QString &date, QStringList &eventIds)
{
    eventIds = EmptyResultList();
    return basOperation::Trap("basDatabase.GetEventsByDate", false, [&](Steps &step) {
        step(10);
        const QString iso = IsoDate(date);
        step(20);
        QSqlQuery &query = Run(QStringLiteral("SELECT EventId FROM EventDates WHERE EventDate = ? ORDER BY EventId"), {iso});
        Finisher finish(query);
        step(30);
        while (query.next())
            AppendResult(eventIds, query.value(0).toString());
        return true;
    });
}

bool GetEventData(const QString &eventId, QStringList &eventRecord)
{
    eventRecord.clear();
    return basOperation::Trap("basDatabase.GetEventData", false, [&](Steps &step) {
        step(10);
        const qint64 id = EventIdNumber(eventId);
        step(20);
        QSqlQuery &query = Run(QStringLiteral("SELECT EventID, EventName, AllDayEvent, StartTime, EndTime, EventColor, "
                                              "EventIcon, Notes, Recurring FROM Events WHERE EventID = ?"),
                               {id});
        Finisher finish(query);
        step(30);
        if (!query.next())
            throw Failure(kNoCurrentRecord, QStringLiteral("No event with the id %1").arg(id));
        step(40);
        eventRecord = {query.value(0).toString(), Text(query.value(1)), BooleanText(query.value(2)),
                       DisplayTime(Text(query.value(3))), DisplayTime(Text(query.value(4))), Text(query.value(5)),
                       Text(query.value(6)), Text(query.value(7)), BooleanText(query.value(8))};
        return true;
    });
}

bool GetAllDatesForEvent(const QString &eventId, QStringList &dates)
{
    dates = EmptyResultList();
    return basOperation::Trap("basDatabase.GetAllDatesForEvent", false, [&](Steps &step) {
        step(10);
        const qint64 id = EventIdNumber(eventId);
        step(20);
        for (const QString &date : StoredDatesOf(id))
            AppendResult(dates, date);
        return true;
    });
}

QString GetFactOfTheDay(const QString &date)
{
    return basOperation::TrapSilently(QString(), [&](Steps &step) {
        step(10);
        bool okMonth = false, okDay = false;
        const int month = basStringFunctions::GetField(date, QStringLiteral("/"), 1).trimmed().toInt(&okMonth);
        const int day = basStringFunctions::GetField(date, QStringLiteral("/"), 2).trimmed().toInt(&okDay);
        // Any leap year admits every month/day, 29 February included.
        if (!okMonth || !okDay || !QDate(2000, month, day).isValid())
            return QString();
        const QString monthDay =
            QStringLiteral("%1-%2").arg(month, 2, 10, QLatin1Char('0')).arg(day, 2, 10, QLatin1Char('0'));
        step(20);
        QSqlQuery &query = Run(QStringLiteral("SELECT FactOfTheDay FROM FactOfTheDay WHERE MonthDay = ? ORDER BY rowid"),
                               {monthDay});
        Finisher finish(query);
        while (query.next()) {
            const QString fact = Text(query.value(0));
            if (!fact.isEmpty())
                return fact;
        }
        return QString();
    });
}

bool DecrementEventCount(const QString &date)
{
    return basOperation::Trap("basDatabase.DecrementEventCount", false, [&](Steps &step) {
        step(10);
        const QString iso = IsoDate(date);
        step(20);
        Transaction transaction;
        const std::optional<qint64> count = DayEventCount(iso);
        step(30);
        if (count) {
            Run(QStringLiteral("UPDATE Dates SET EventCount = ? WHERE DateKey = ?"), {std::max<qint64>(*count - 1, 0), iso});
        }
        step(40);
        transaction.Commit();
        return true;
    });
}

bool IncrementEventCount(const QString &date)
{
    return basOperation::Trap("basDatabase.IncrementEventCount", false, [&](Steps &step) {
        step(10);
        const QString iso = IsoDate(date);
        step(20);
        // A new day gets its row with count 1; a day with a row gets +1. A null count
        // is a broken row: nothing changes and the operation fails.
        QSqlQuery &upsert = Run(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                                               "VALUES (?, '', 1, '', '') ON CONFLICT (DateKey) DO UPDATE "
                                               "SET EventCount = EventCount + 1 WHERE EventCount IS NOT NULL"),
                                {iso});
        step(30);
        if (upsert.numRowsAffected() == 0)
            basOperation::ThrowTypeMismatch();
        return true;
    });
}

bool UpdateDateNotes(const QString &date, const QString &notes)
{
    return basOperation::Trap("basDatabase.UpdateDateNotes", false, [&](Steps &step) {
        step(10);
        const QString iso = IsoDate(date);
        step(20);
        Run(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                           "VALUES (?, '', 0, ?, '') ON CONFLICT (DateKey) DO UPDATE SET DateNotes = excluded.DateNotes"),
            {iso, notes});
        step(30);
        return true;
    });
}

QString QueryDateColor(const QString &date)
{
    const QString iso = IsoDate(date);
    QSqlQuery &query = Run(QStringLiteral("SELECT DateColor FROM Dates WHERE DateKey = ?"), {iso});
    Finisher finish(query);
    return query.next() ? Text(query.value(0)) : QString();
}

QString JoinDayRecord(const QStringList &fields)
{
    QStringList escaped;
    for (int i = 0; i < kDayRecordFields; ++i)
        escaped.append(EscapeField(i < fields.size() ? fields[i] : QString()));
    return escaped.join(QLatin1Char('|'));
}

QStringList SplitDayRecord(const QString &record)
{
    QStringList fields;
    for (int n = 1; n <= kDayRecordFields; ++n)
        fields.append(UnescapeField(basStringFunctions::GetField(record, QStringLiteral("|"), n)));
    return fields;
}

} // namespace basDatabase
