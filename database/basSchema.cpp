#include "basSchema.h"

#include "basConnection.h"
#include "basMigrations.h"
#include "basOperation.h"
#include "platform/basPlatform.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <filesystem>
#include <vector>

namespace quillon {

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

// Tables added by a schema version since; a file gains them when it is upgraded on open.
const std::vector<TableColumns> &AddedTables()
{
    static const std::vector<TableColumns> tables = {
        {"EventUids", {"Source", "Uid", "EventId", "Fingerprint"}},
        {"Events", {"Reminder", "SubscriptionId"}},
        {"FiredReminders", {"EventId", "Occurrence"}},
        {"Subscriptions",
         {"SubscriptionId", "Address", "Kind", "DisplayName", "Color", "RefreshMinutes", "UserName", "LastSuccess",
          "LastError", "ETag", "LastModified", "SyncToken", "CertificateSha256"}},
        {"Series", {"Source", "Uid", "Component", "Sequence"}},
        {"StoreValues", {"Name", "Value"}},
        {"SearchTexts", {"EventId", "Folded", "Place", "Trigrams"}},
        {"Subscriptions", {"Hidden", "EventColor"}},
        {"Conflicts", {"ConflictId", "SubscriptionId", "Href", "Method", "Body", "Message", "Told"}},
        {"ConflictCopies", {"ConflictId", "EventId"}},
        {"Subscriptions", {"ColorChosen"}},
    };
    return tables;
}

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

void RemoveWithSidecars(const QString &path)
{
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
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
                       "Recurring INTEGER NOT NULL DEFAULT 0 CHECK (Recurring IN (0, 1)), Reminder INTEGER)"),
        // The minutes a reminder comes before the start; NULL for none.
        QStringLiteral("CREATE INDEX EventsWithReminder ON Events (Reminder) WHERE Reminder IS NOT NULL"),
        QStringLiteral("CREATE TABLE EventDates ("
                       "EventId INTEGER NOT NULL REFERENCES Events (EventID) ON DELETE CASCADE, "
                       "EventDate TEXT NOT NULL, PRIMARY KEY (EventId, EventDate)) WITHOUT ROWID"),
        QStringLiteral("CREATE INDEX EventDatesByDate ON EventDates (EventDate)"),
        QStringLiteral("CREATE TABLE Dates ("
                       "DateKey TEXT PRIMARY KEY, DateColor TEXT, EventCount INTEGER DEFAULT 0, "
                       "DateNotes TEXT, DateText TEXT) WITHOUT ROWID"),
        QStringLiteral("CREATE TABLE FactOfTheDay (MonthDay TEXT NOT NULL, FactOfTheDay TEXT)"),
        QStringLiteral("CREATE INDEX FactOfTheDayByMonthDay ON FactOfTheDay (MonthDay)"),
        // The UID by which calendar files know an event (imported, or given at its first
        // export) and what the file last said about it. A UID is unique within its
        // source (the canonical path of the file, later a feed's URL; empty for the
        // store's own UIDs and rows from before sources). UNIQUE gives the index the
        // cascade uses.
        QStringLiteral("CREATE TABLE EventUids ("
                       "Source TEXT NOT NULL DEFAULT '', "
                       "Uid TEXT NOT NULL, "
                       "EventId INTEGER NOT NULL UNIQUE REFERENCES Events (EventID) ON DELETE CASCADE, "
                       "Fingerprint TEXT NOT NULL DEFAULT '', "
                       "PRIMARY KEY (Source, Uid)) WITHOUT ROWID"),
        // Each reminder shown: the event and the start of its occurrence (UTC, ISO), so
        // that none is shown twice whatever the clock does.
        QStringLiteral("CREATE TABLE FiredReminders ("
                       "EventId INTEGER NOT NULL REFERENCES Events (EventID) ON DELETE CASCADE, "
                       "Occurrence TEXT NOT NULL, "
                       "PRIMARY KEY (EventId, Occurrence)) WITHOUT ROWID"),
        // Calendars followed from a server, and which of them an event came from (none
        // for the user's own). Made as an upgraded file has them, so that both read the
        // same; see basMigrations step 4.
        QStringLiteral("CREATE TABLE Subscriptions ("
                       "SubscriptionId INTEGER PRIMARY KEY AUTOINCREMENT, "
                       "Address TEXT NOT NULL, "
                       "Kind TEXT NOT NULL CHECK (Kind IN ('ical', 'caldav')), "
                       "DisplayName TEXT NOT NULL DEFAULT '', "
                       "Color TEXT NOT NULL DEFAULT '', "
                       "RefreshMinutes INTEGER NOT NULL DEFAULT 60, "
                       "UserName TEXT NOT NULL DEFAULT '', "
                       "LastSuccess TEXT NOT NULL DEFAULT '', "
                       "LastError TEXT NOT NULL DEFAULT '', "
                       "ETag TEXT NOT NULL DEFAULT '', "
                       "LastModified TEXT NOT NULL DEFAULT '', "
                       "SyncToken TEXT NOT NULL DEFAULT '', "
                       "CertificateSha256 TEXT NOT NULL DEFAULT '')"),
        QStringLiteral("ALTER TABLE Events ADD COLUMN SubscriptionId INTEGER REFERENCES Subscriptions (SubscriptionId)"),
        QStringLiteral("CREATE INDEX EventsBySubscription ON Events (SubscriptionId) WHERE SubscriptionId IS NOT NULL"),
        // See basMigrations step 5.
        QStringLiteral("CREATE TABLE Series ("
                       "Source TEXT NOT NULL DEFAULT '', "
                       "Uid TEXT NOT NULL, "
                       "Component TEXT NOT NULL, "
                       "Sequence INTEGER NOT NULL DEFAULT 0, "
                       "PRIMARY KEY (Source, Uid)) WITHOUT ROWID"),
        QStringLiteral("CREATE TABLE StoreValues (Name TEXT PRIMARY KEY, Value TEXT NOT NULL) WITHOUT ROWID"),
        // See basMigrations step 6.
        QStringLiteral("ALTER TABLE Subscriptions ADD COLUMN Writable INTEGER NOT NULL DEFAULT 0"),
        QStringLiteral("CREATE TABLE Outbox ("
                       "Seq INTEGER PRIMARY KEY AUTOINCREMENT, "
                       "SubscriptionId INTEGER NOT NULL REFERENCES Subscriptions (SubscriptionId) ON DELETE CASCADE, "
                       "Href TEXT NOT NULL, "
                       "Method TEXT NOT NULL CHECK (Method IN ('PUT', 'DELETE')), "
                       "Body TEXT NOT NULL DEFAULT '', "
                       "LastError TEXT NOT NULL DEFAULT '')"),
        // See basMigrations step 7; the trigram index is made by CreateDatabaseFile
        // where SQLite has it.
        QStringLiteral("CREATE TABLE SearchTexts ("
                       "EventId INTEGER PRIMARY KEY REFERENCES Events (EventID) ON DELETE CASCADE, "
                       "Folded TEXT NOT NULL, "
                       "Place TEXT NOT NULL DEFAULT '', "
                       "Trigrams INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE INDEX SearchTextsWithoutTrigrams ON SearchTexts (EventId) WHERE Trigrams = 0"),
        QStringLiteral("CREATE TRIGGER SearchTextOfChangedEvent AFTER UPDATE OF EventName, Notes ON Events "
                       "WHEN OLD.EventName IS NOT NEW.EventName OR OLD.Notes IS NOT NEW.Notes "
                       "BEGIN DELETE FROM SearchTexts WHERE EventId = NEW.EventID; END"),
        QStringLiteral("CREATE TRIGGER SearchTextOfNewUid AFTER INSERT ON EventUids "
                       "BEGIN DELETE FROM SearchTexts WHERE EventId = NEW.EventId; END"),
        QStringLiteral("CREATE TRIGGER SearchTextOfMovedUid AFTER UPDATE ON EventUids "
                       "BEGIN DELETE FROM SearchTexts WHERE EventId IN (OLD.EventId, NEW.EventId); END"),
        QStringLiteral("CREATE TRIGGER SearchTextOfGoneUid AFTER DELETE ON EventUids "
                       "BEGIN DELETE FROM SearchTexts WHERE EventId = OLD.EventId; END"),
        // See basMigrations step 11.
        QStringLiteral("CREATE TRIGGER SearchTextsOfNewSeries AFTER INSERT ON Series "
                       "BEGIN DELETE FROM SearchTexts WHERE EventId = (SELECT EventId FROM EventUids "
                       "WHERE Source = NEW.Source AND Uid = NEW.Uid); END"),
        QStringLiteral("CREATE TRIGGER SearchTextsOfNewSeriesParts AFTER INSERT ON Series "
                       "WHEN EXISTS (SELECT 1 FROM EventUids "
                       "WHERE Source = NEW.Source AND Uid > NEW.Uid || char(31) AND Uid < NEW.Uid || char(32)) "
                       "BEGIN DELETE FROM SearchTexts WHERE EventId IN (SELECT EventId FROM EventUids "
                       "WHERE Source = NEW.Source AND Uid > NEW.Uid || char(31) AND Uid < NEW.Uid || char(32)); END"),
        QStringLiteral("CREATE TRIGGER SearchTextsOfChangedSeries AFTER UPDATE OF Component ON Series "
                       "WHEN OLD.Component IS NOT NEW.Component "
                       "BEGIN DELETE FROM SearchTexts WHERE EventId = (SELECT EventId FROM EventUids "
                       "WHERE Source = NEW.Source AND Uid = NEW.Uid); END"),
        QStringLiteral("CREATE TRIGGER SearchTextsOfChangedSeriesParts AFTER UPDATE OF Component ON Series "
                       "WHEN OLD.Component IS NOT NEW.Component AND EXISTS (SELECT 1 FROM EventUids "
                       "WHERE Source = NEW.Source AND Uid > NEW.Uid || char(31) AND Uid < NEW.Uid || char(32)) "
                       "BEGIN DELETE FROM SearchTexts WHERE EventId IN (SELECT EventId FROM EventUids "
                       "WHERE Source = NEW.Source AND Uid > NEW.Uid || char(31) AND Uid < NEW.Uid || char(32)); END"),
        QStringLiteral("CREATE TRIGGER SearchTextsOfGoneSeries AFTER DELETE ON Series "
                       "BEGIN DELETE FROM SearchTexts WHERE EventId = (SELECT EventId FROM EventUids "
                       "WHERE Source = OLD.Source AND Uid = OLD.Uid); END"),
        QStringLiteral("CREATE TRIGGER SearchTextsOfGoneSeriesParts AFTER DELETE ON Series "
                       "WHEN EXISTS (SELECT 1 FROM EventUids "
                       "WHERE Source = OLD.Source AND Uid > OLD.Uid || char(31) AND Uid < OLD.Uid || char(32)) "
                       "BEGIN DELETE FROM SearchTexts WHERE EventId IN (SELECT EventId FROM EventUids "
                       "WHERE Source = OLD.Source AND Uid > OLD.Uid || char(31) AND Uid < OLD.Uid || char(32)); END"),
        // See basMigrations step 8.
        QStringLiteral("ALTER TABLE Subscriptions ADD COLUMN Hidden INTEGER NOT NULL DEFAULT 0"),
        QStringLiteral("ALTER TABLE Subscriptions ADD COLUMN EventColor TEXT NOT NULL DEFAULT ''"),
        QStringLiteral("CREATE TABLE Conflicts ("
                       "ConflictId INTEGER PRIMARY KEY AUTOINCREMENT, "
                       "SubscriptionId INTEGER NOT NULL REFERENCES Subscriptions (SubscriptionId) ON DELETE CASCADE, "
                       "Href TEXT NOT NULL, "
                       "Method TEXT NOT NULL CHECK (Method IN ('PUT', 'DELETE')), "
                       "Body TEXT NOT NULL DEFAULT '', "
                       "Message TEXT NOT NULL DEFAULT '', "
                       "Told INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE TABLE ConflictCopies ("
                       "ConflictId INTEGER NOT NULL REFERENCES Conflicts (ConflictId) ON DELETE CASCADE, "
                       "EventId INTEGER NOT NULL REFERENCES Events (EventID) ON DELETE CASCADE, "
                       "PRIMARY KEY (ConflictId, EventId)) WITHOUT ROWID"),
        // See basMigrations step 10.
        QStringLiteral("ALTER TABLE Subscriptions ADD COLUMN ColorChosen INTEGER"),
    };
}

void AddTrigramIndexWherePossible(const QSqlDatabase &db)
{
    // A failure is no error: without the module or the tokenizer the search reads by LIKE.
    QSqlQuery trigrams(db);
    trigrams.exec(QStringLiteral("CREATE VIRTUAL TABLE IF NOT EXISTS SearchTrigrams USING fts5(Folded, tokenize = 'trigram')"));
}

QStringList SchemaProblems(const QSqlDatabase &db) { return MissingFrom(db, RequiredTables()); }

QStringList CurrentSchemaProblems(const QSqlDatabase &db)
{
    QStringList problems = SchemaProblems(db);
    if (problems.isEmpty())
        problems = MissingFrom(db, AddedTables());
    return problems;
}

bool CreateDatabaseFile(const QString &path, QString &error) { return CreateDatabaseFile(path, Filler(), error); }

bool CreateDatabaseFile(const QString &path, const Filler &fill, QString &error)
{
    error.clear();
    const QString target = QFileInfo(path).absoluteFilePath();
    const QString temporary = target + QStringLiteral(".part");
    try {
        RemoveWithSidecars(temporary);
        {
            basConnection::ScopedConnection connection(QStringLiteral("create"));
            QSqlDatabase &db = connection.db();
            db.setDatabaseName(temporary);
            if (!db.open())
                basConnection::ThrowError(db.lastError());
            basPlatform::MakeOwnerOnly(temporary);
            ExecuteStatement(db, QStringLiteral("PRAGMA foreign_keys=ON"));
            ExecuteStatement(db, QStringLiteral("BEGIN IMMEDIATE"));
            for (const QString &statement : SchemaStatements())
                ExecuteStatement(db, statement);
            AddTrigramIndexWherePossible(db);
            // The schema just made is the newest version: nothing to upgrade on open.
            ExecuteStatement(db, QStringLiteral("PRAGMA user_version = %1").arg(basMigrations::CurrentVersion()));
            if (fill)
                fill(db);
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

} // namespace basSchema

} // namespace quillon
