#include "basSchema.h"

#include "basConnection.h"
#include "basOperation.h"

#include "basChurchYear.h"
#include "basFactsFile.h"

#include <QAtomicInt>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <filesystem>
#include <utility>
#include <vector>

namespace basSchema {

namespace {

using basConnection::ExecuteStatement;
using basOperation::Failure;

struct TableColumns {
    const char *table;
    std::vector<const char *> columns;
};

const std::vector<TableColumns> &RequiredTables()
{
    static const std::vector<TableColumns> tables = {
        {"Events",
         {"EventID", "EventName", "AllDayEvent", "StartTime", "EndTime", "EventColor", "EventIcon", "Notes", "Recurring"}},
        {"EventDates", {"EventId", "EventDate"}},
        {"Dates", {"DateKey", "DateColor", "EventCount", "DateNotes", "DateText"}},
        {"FactOfTheDay", {"MonthDay", "FactOfTheDay"}},
    };
    return tables;
}

// Tables that came later: a file without them is upgraded on open.
const std::vector<TableColumns> &AddedTables()
{
    static const std::vector<TableColumns> tables = {
        {"EventUids", {"Uid", "EventId", "Fingerprint"}},
    };
    return tables;
}

// The UID by which calendar files know an event (imported, or given at its first
// export) and what the file last said about it. UNIQUE gives the index the cascade uses.
const char *const kCreateEventUids = "CREATE TABLE IF NOT EXISTS EventUids ("
                                     "Uid TEXT PRIMARY KEY, "
                                     "EventId INTEGER NOT NULL UNIQUE REFERENCES Events (EventID) ON DELETE CASCADE, "
                                     "Fingerprint TEXT NOT NULL DEFAULT '') WITHOUT ROWID";

// What is missing from the given tables; each missing table or column one line.
QStringList MissingFrom(const QSqlDatabase &db, const std::vector<TableColumns> &tables)
{
    QStringList problems;
    for (const TableColumns &table : tables) {
        // Table names are our own constants; PRAGMA takes no bound values.
        QSqlQuery info(db);
        if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(table.table)))) {
            problems.append(QStringLiteral("cannot read the tables: %1").arg(basConnection::ErrorText(info.lastError())));
            return problems;
        }
        QStringList present;
        while (info.next())
            present.append(info.value(1).toString().toLower());
        if (present.isEmpty()) {
            problems.append(QStringLiteral("table %1 is missing").arg(QLatin1String(table.table)));
            continue;
        }
        for (const char *column : table.columns) {
            if (!present.contains(QString::fromLatin1(column).toLower()))
                problems.append(QStringLiteral("column %1.%2 is missing")
                                    .arg(QLatin1String(table.table), QLatin1String(column)));
        }
    }
    return problems;
}

// Each use gets its own Qt SQL connection name; removed when the holder goes.
class ScopedConnection {
public:
    explicit ScopedConnection(const QString &purpose)
    {
        static QAtomicInt counter;
        m_name = QStringLiteral("basSchema.%1.%2").arg(purpose).arg(counter.fetchAndAddRelaxed(1));
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    }
    ~ScopedConnection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    ScopedConnection(const ScopedConnection &) = delete;
    ScopedConnection &operator=(const ScopedConnection &) = delete;
    QSqlDatabase &db() { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
};

void Prepare(QSqlQuery &query, const QString &sql)
{
    if (!query.prepare(sql))
        basConnection::ThrowError(query.lastError());
}

void Exec(QSqlQuery &query)
{
    if (!query.exec())
        basConnection::ThrowError(query.lastError());
}

// The church-year colour and name of every day 1900-2100, and the facts of the day.
void FillShippedData(const QSqlDatabase &db, const QString &factsFile)
{
    QList<basFactsFile::Fact> facts;
    QString error;
    if (!basFactsFile::LoadFactsFile(factsFile, facts, error))
        throw Failure(basOperation::kFileNotFound, error);

    QSqlQuery day(db);
    Prepare(day, QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                                "VALUES (?, ?, 0, '', ?)"));
    for (int year = kFirstShippedYear; year <= kLastShippedYear; ++year) {
        const QList<basChurchYear::ChurchDay> days = basChurchYear::ChurchYear(year);
        QDate date(year, 1, 1);
        for (const basChurchYear::ChurchDay &church : days) {
            day.bindValue(0, date.toString(Qt::ISODate));
            day.bindValue(1, church.color);
            day.bindValue(2, church.text);
            Exec(day);
            date = date.addDays(1);
        }
    }
    QSqlQuery fact(db);
    Prepare(fact, QStringLiteral("INSERT INTO FactOfTheDay (MonthDay, FactOfTheDay) VALUES (?, ?)"));
    for (const basFactsFile::Fact &entry : std::as_const(facts)) {
        fact.bindValue(0, entry.monthDay);
        fact.bindValue(1, entry.text);
        Exec(fact);
    }
}

void RemoveWithSidecars(const QString &path)
{
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

// Collects at most a screenful of lines of one kind, then counts the rest.
class Findings {
public:
    explicit Findings(QStringList &out) : m_out(out) {}
    void Add(const QString &line)
    {
        if (m_shown < kShown)
            m_out.append(line);
        ++m_shown;
    }
    void End(const QString &kind)
    {
        if (m_shown > kShown)
            m_out.append(QStringLiteral("... and %1 more %2").arg(m_shown - kShown).arg(kind));
        m_shown = 0;
    }
    int total = 0;

private:
    static constexpr int kShown = 50;
    QStringList &m_out;
    int m_shown = 0;
};

// Lists what breaks the invariants; returns how many findings there were.
int FindInvariantProblems(const QSqlDatabase &db, QStringList &problems)
{
    int found = 0;
    Findings findings(problems);
    QSqlQuery query(db);
    query.setForwardOnly(true);

    Prepare(query, QStringLiteral("SELECT d.DateKey, d.EventCount, "
                                  "(SELECT COUNT(*) FROM EventDates e WHERE e.EventDate = d.DateKey) AS Actual "
                                  "FROM Dates d WHERE d.EventCount IS NULL OR d.EventCount < 0 OR d.EventCount <> Actual "
                                  "ORDER BY d.DateKey"));
    Exec(query);
    while (query.next()) {
        ++found;
        const QVariant count = query.value(1);
        const QString shown = count.isNull() ? QStringLiteral("missing") : count.toString();
        const QString kind = !count.isNull() && count.toLongLong() < 0 ? QStringLiteral("negative ") : QString();
        findings.Add(QStringLiteral("Dates %1: %2EventCount %3, but %4 EventDates rows")
                         .arg(query.value(0).toString(), kind, shown, query.value(2).toString()));
    }
    findings.End(QStringLiteral("wrong counts"));

    Prepare(query, QStringLiteral("SELECT e.EventDate, COUNT(*) FROM EventDates e "
                                  "WHERE NOT EXISTS (SELECT 1 FROM Dates d WHERE d.DateKey = e.EventDate) "
                                  "GROUP BY e.EventDate ORDER BY e.EventDate"));
    Exec(query);
    while (query.next()) {
        ++found;
        findings.Add(QStringLiteral("Dates %1: no row, but %2 EventDates rows")
                         .arg(query.value(0).toString(), query.value(1).toString()));
    }
    findings.End(QStringLiteral("days without a Dates row"));

    Prepare(query, QStringLiteral("SELECT e.EventId, e.EventDate FROM EventDates e "
                                  "WHERE NOT EXISTS (SELECT 1 FROM Events v WHERE v.EventID = e.EventId) "
                                  "ORDER BY e.EventId, e.EventDate"));
    Exec(query);
    while (query.next()) {
        ++found;
        findings.Add(QStringLiteral("EventDates %1 on %2: no such event")
                         .arg(query.value(0).toString(), query.value(1).toString()));
    }
    findings.End(QStringLiteral("orphan EventDates rows"));

    Prepare(query, QStringLiteral("SELECT u.Uid, u.EventId FROM EventUids u "
                                  "WHERE NOT EXISTS (SELECT 1 FROM Events v WHERE v.EventID = u.EventId) "
                                  "ORDER BY u.EventId"));
    Exec(query);
    while (query.next()) {
        ++found;
        findings.Add(QStringLiteral("EventUids %1: no such event %2").arg(query.value(0).toString(), query.value(1).toString()));
    }
    findings.End(QStringLiteral("orphan EventUids rows"));
    return found;
}

void Repair(const QSqlDatabase &db, QStringList &problems)
{
    ExecuteStatement(db, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        QSqlQuery query(db);
        Prepare(query, QStringLiteral("DELETE FROM EventDates WHERE NOT EXISTS "
                                      "(SELECT 1 FROM Events v WHERE v.EventID = EventDates.EventId)"));
        Exec(query);
        if (query.numRowsAffected() > 0)
            problems.append(QStringLiteral("repaired: removed %1 orphan EventDates rows").arg(query.numRowsAffected()));
        Prepare(query, QStringLiteral("DELETE FROM EventUids WHERE NOT EXISTS "
                                      "(SELECT 1 FROM Events v WHERE v.EventID = EventUids.EventId)"));
        Exec(query);
        if (query.numRowsAffected() > 0)
            problems.append(QStringLiteral("repaired: removed %1 orphan EventUids rows").arg(query.numRowsAffected()));
        Prepare(query, QStringLiteral("UPDATE Dates SET EventCount = "
                                      "(SELECT COUNT(*) FROM EventDates e WHERE e.EventDate = Dates.DateKey) "
                                      "WHERE EventCount IS NULL OR EventCount <> "
                                      "(SELECT COUNT(*) FROM EventDates e WHERE e.EventDate = Dates.DateKey)"));
        Exec(query);
        if (query.numRowsAffected() > 0)
            problems.append(QStringLiteral("repaired: set %1 EventCount values").arg(query.numRowsAffected()));
        Prepare(query, QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                                      "SELECT e.EventDate, '', COUNT(*), '', '' FROM EventDates e "
                                      "WHERE NOT EXISTS (SELECT 1 FROM Dates d WHERE d.DateKey = e.EventDate) "
                                      "GROUP BY e.EventDate"));
        Exec(query);
        if (query.numRowsAffected() > 0)
            problems.append(QStringLiteral("repaired: added %1 Dates rows").arg(query.numRowsAffected()));
        ExecuteStatement(db, QStringLiteral("COMMIT"));
    } catch (...) {
        QSqlQuery rollback(db);
        rollback.exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

} // namespace

// The key tables are WITHOUT ROWID: each row lives in one b-tree instead of a table and
// its key index, which halves the pages a year-long event writes.
QStringList SchemaStatements()
{
    return {
        QStringLiteral("CREATE TABLE Events ("
                       "EventID INTEGER PRIMARY KEY AUTOINCREMENT, EventName TEXT, "
                       "AllDayEvent INTEGER NOT NULL DEFAULT 0 CHECK (AllDayEvent IN (0, 1)), "
                       "StartTime TEXT, EndTime TEXT, EventColor TEXT, EventIcon TEXT, Notes TEXT, "
                       "Recurring INTEGER NOT NULL DEFAULT 0 CHECK (Recurring IN (0, 1)))"),
        QStringLiteral("CREATE TABLE EventDates ("
                       "EventId INTEGER NOT NULL REFERENCES Events (EventID) ON DELETE CASCADE, "
                       "EventDate TEXT NOT NULL, PRIMARY KEY (EventId, EventDate)) WITHOUT ROWID"),
        QStringLiteral("CREATE INDEX EventDatesByDate ON EventDates (EventDate)"),
        QStringLiteral("CREATE TABLE Dates ("
                       "DateKey TEXT PRIMARY KEY, DateColor TEXT, EventCount INTEGER DEFAULT 0, "
                       "DateNotes TEXT, DateText TEXT) WITHOUT ROWID"),
        QStringLiteral("CREATE TABLE FactOfTheDay (MonthDay TEXT NOT NULL, FactOfTheDay TEXT)"),
        QStringLiteral("CREATE INDEX FactOfTheDayByMonthDay ON FactOfTheDay (MonthDay)"),
        QString::fromLatin1(kCreateEventUids),
    };
}

QStringList SchemaProblems(const QSqlDatabase &db) { return MissingFrom(db, RequiredTables()); }

void UpgradeSchema(const QSqlDatabase &db)
{
    if (MissingFrom(db, AddedTables()).isEmpty())
        return;
    ExecuteStatement(db, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        ExecuteStatement(db, QString::fromLatin1(kCreateEventUids));
        ExecuteStatement(db, QStringLiteral("COMMIT"));
    } catch (...) {
        QSqlQuery rollback(db);
        rollback.exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    const QStringList problems = MissingFrom(db, AddedTables());
    if (!problems.isEmpty())
        throw Failure(basOperation::kDatabaseError, problems.join(QStringLiteral("; ")));
}

QString DefaultFactsFile()
{
#ifdef QUILLON_FACTS_FILE
    return QStringLiteral(QUILLON_FACTS_FILE);
#else
    return QString();
#endif
}

bool CreateDatabaseFile(const QString &path, bool withShippedData, QString &error)
{
    return CreateDatabaseFile(path, withShippedData, QString(), error);
}

bool CreateDatabaseFile(const QString &path, bool withShippedData, const QString &factsFile, QString &error)
{
    error.clear();
    const QString target = QFileInfo(path).absoluteFilePath();
    const QString temporary = target + QStringLiteral(".part");
    try {
        RemoveWithSidecars(temporary);
        {
            ScopedConnection connection(QStringLiteral("create"));
            QSqlDatabase &db = connection.db();
            db.setDatabaseName(temporary);
            if (!db.open())
                basConnection::ThrowError(db.lastError());
            ExecuteStatement(db, QStringLiteral("PRAGMA foreign_keys=ON"));
            ExecuteStatement(db, QStringLiteral("BEGIN IMMEDIATE"));
            for (const QString &statement : SchemaStatements())
                ExecuteStatement(db, statement);
            if (withShippedData)
                FillShippedData(db, factsFile.isEmpty() ? DefaultFactsFile() : factsFile);
            ExecuteStatement(db, QStringLiteral("COMMIT"));
            // WAL is a property of the file; a clean close leaves no -wal behind.
            ExecuteStatement(db, QStringLiteral("PRAGMA journal_mode=WAL"));
        }
        // A -wal beside the target belongs to the old file and must never be replayed
        // into the new one.
        QFile::remove(target + QStringLiteral("-wal"));
        QFile::remove(target + QStringLiteral("-shm"));
        std::error_code code;
        std::filesystem::rename(std::filesystem::path(temporary.toStdU16String()),
                                std::filesystem::path(target.toStdU16String()), code);
        if (code)
            throw Failure(basOperation::kPathFileAccessError,
                          QStringLiteral("Cannot move %1 into place: %2")
                              .arg(target, QString::fromLocal8Bit(code.message().c_str())));
        return true;
    } catch (const Failure &failure) {
        error = failure.description();
    } catch (const std::exception &other) {
        error = QString::fromLocal8Bit(other.what());
    }
    RemoveWithSidecars(temporary);
    return false;
}

CheckResult CheckDatabaseFile(const QString &path, bool repair, QStringList &problems, int busyTimeoutMs)
{
    problems.clear();
    ScopedConnection connection(QStringLiteral("check"));
    QSqlDatabase &db = connection.db();
    try {
        basConnection::ConfigureConnection(db, path, busyTimeoutMs);
        basConnection::OpenAndVerify(db, path);
    } catch (const Failure &failure) {
        problems.append(failure.description());
        return CheckResult::CannotOpen;
    }
    try {
        QSqlQuery integrity(db);
        if (!integrity.exec(QStringLiteral("PRAGMA integrity_check")))
            basConnection::ThrowError(integrity.lastError());
        QStringList damage;
        while (integrity.next()) {
            const QString line = integrity.value(0).toString();
            if (line != QLatin1String("ok"))
                damage.append(QStringLiteral("integrity: %1").arg(line));
        }
        integrity.finish();
        if (!damage.isEmpty()) {
            // Counts cannot be trusted in a damaged file: report and stop.
            problems += damage;
            return CheckResult::Problems;
        }
        QStringList found;
        if (FindInvariantProblems(db, found) == 0)
            return CheckResult::Clean;
        problems += found;
        if (!repair)
            return CheckResult::Problems;
        Repair(db, problems);
        QStringList left;
        if (FindInvariantProblems(db, left) == 0)
            return CheckResult::Clean;
        problems += left;
        return CheckResult::Problems;
    } catch (const Failure &failure) {
        problems.append(failure.description());
        return CheckResult::CannotOpen;
    }
}

bool CheckDatabaseFile(const QString &path, bool repair, QStringList &problems)
{
    return CheckDatabaseFile(path, repair, problems, basConnection::kBusyTimeoutMs) == CheckResult::Clean;
}

} // namespace basSchema
