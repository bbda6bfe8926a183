// Schema versions: every older file is brought up to what a new file is, in one
// transaction, keeping its rows; a file from a newer program is refused untouched.
#include "EventStore.h"
#include "QuillonTestEnvironment.h"
#include "basConnection.h"
#include "basMigrations.h"
#include "basOperation.h"
#include "basSchema.h"
#include "basStoreCheck.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>
#include <QSqlQuery>

#include <algorithm>
#include <utility>

namespace quillon {

namespace {
using basMigrations::Step;
using quillontest::QuillonTest;

// The tables as the first releases made them, frozen: files made by them must keep
// upgrading whatever the current schema becomes.
const QStringList kFirstRelease = {
    QStringLiteral("CREATE TABLE Events (EventID INTEGER PRIMARY KEY AUTOINCREMENT, EventName TEXT, "
                   "AllDayEvent INTEGER NOT NULL DEFAULT 0 CHECK (AllDayEvent IN (0, 1)), "
                   "StartTime TEXT, EndTime TEXT, EventColor TEXT, EventIcon TEXT, Notes TEXT, "
                   "Recurring INTEGER NOT NULL DEFAULT 0 CHECK (Recurring IN (0, 1)))"),
    QStringLiteral("CREATE TABLE EventDates (EventId INTEGER NOT NULL REFERENCES Events (EventID) ON DELETE CASCADE, "
                   "EventDate TEXT NOT NULL, PRIMARY KEY (EventId, EventDate)) WITHOUT ROWID"),
    QStringLiteral("CREATE INDEX EventDatesByDate ON EventDates (EventDate)"),
    QStringLiteral("CREATE TABLE Dates (DateKey TEXT PRIMARY KEY, DateColor TEXT, EventCount INTEGER DEFAULT 0, "
                   "DateNotes TEXT, DateText TEXT) WITHOUT ROWID"),
    QStringLiteral("CREATE TABLE FactOfTheDay (MonthDay TEXT NOT NULL, FactOfTheDay TEXT)"),
    QStringLiteral("CREATE INDEX FactOfTheDayByMonthDay ON FactOfTheDay (MonthDay)"),
    QStringLiteral("INSERT INTO Events VALUES (7, 'Staff meeting', 0, '09:30', '10:30', 'Red', '101', 'room 4', 0)"),
    QStringLiteral("INSERT INTO EventDates VALUES (7, '2026-12-07')"),
    QStringLiteral("INSERT INTO Dates VALUES ('2026-12-07', 'Violet', 1, 'bring the minutes', 'Advent')"),
    QStringLiteral("INSERT INTO FactOfTheDay VALUES ('12-07', 'a fact')"),
};
// The calendar file import added this table before files had a version.
const QStringList kEventUids = {
    QStringLiteral("CREATE TABLE EventUids (Uid TEXT PRIMARY KEY, "
                   "EventId INTEGER NOT NULL UNIQUE REFERENCES Events (EventID) ON DELETE CASCADE, "
                   "Fingerprint TEXT NOT NULL DEFAULT '') WITHOUT ROWID"),
    QStringLiteral("INSERT INTO EventUids VALUES ('staff@example.org', 7, 'f1')"),
};

// EventUids keyed by source, as version 2 made it.
const QStringList kVersion2Uids = {
    QStringLiteral("CREATE TABLE EventUids (Source TEXT NOT NULL DEFAULT '', Uid TEXT NOT NULL, "
                   "EventId INTEGER NOT NULL UNIQUE REFERENCES Events (EventID) ON DELETE CASCADE, "
                   "Fingerprint TEXT NOT NULL DEFAULT '', PRIMARY KEY (Source, Uid)) WITHOUT ROWID"),
    QStringLiteral("INSERT INTO EventUids VALUES ('', 'staff@example.org', 7, 'f1')"),
};

// What versions 3 and 4 added, as they made it: reminders and subscriptions.
const QStringList kVersion4Tables = {
    QStringLiteral("ALTER TABLE Events ADD COLUMN Reminder INTEGER"),
    QStringLiteral("CREATE INDEX EventsWithReminder ON Events (Reminder) WHERE Reminder IS NOT NULL"),
    QStringLiteral("CREATE TABLE FiredReminders (EventId INTEGER NOT NULL REFERENCES Events (EventID) ON DELETE CASCADE, "
                   "Occurrence TEXT NOT NULL, PRIMARY KEY (EventId, Occurrence)) WITHOUT ROWID"),
    QStringLiteral("CREATE TABLE Subscriptions (SubscriptionId INTEGER PRIMARY KEY AUTOINCREMENT, Address TEXT NOT NULL, "
                   "Kind TEXT NOT NULL CHECK (Kind IN ('ical', 'caldav')), DisplayName TEXT NOT NULL DEFAULT '', "
                   "Color TEXT NOT NULL DEFAULT '', RefreshMinutes INTEGER NOT NULL DEFAULT 60, "
                   "UserName TEXT NOT NULL DEFAULT '', LastSuccess TEXT NOT NULL DEFAULT '', "
                   "LastError TEXT NOT NULL DEFAULT '', ETag TEXT NOT NULL DEFAULT '', "
                   "LastModified TEXT NOT NULL DEFAULT '', SyncToken TEXT NOT NULL DEFAULT '', "
                   "CertificateSha256 TEXT NOT NULL DEFAULT '')"),
    QStringLiteral("ALTER TABLE Events ADD COLUMN SubscriptionId INTEGER REFERENCES Subscriptions (SubscriptionId)"),
    QStringLiteral("CREATE INDEX EventsBySubscription ON Events (SubscriptionId) WHERE SubscriptionId IS NOT NULL"),
    QStringLiteral("UPDATE Events SET Reminder = 15 WHERE EventID = 7"),
};

// What version 5 added: the series' texts, with one kept.
const QStringList kVersion5Tables = {
    QStringLiteral("CREATE TABLE Series (Source TEXT NOT NULL DEFAULT '', Uid TEXT NOT NULL, Component TEXT NOT NULL, "
                   "Sequence INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (Source, Uid)) WITHOUT ROWID"),
    QStringLiteral("CREATE TABLE StoreValues (Name TEXT PRIMARY KEY, Value TEXT NOT NULL) WITHOUT ROWID"),
    QStringLiteral("INSERT INTO Series VALUES ('', 'kept@quillon', 'BEGIN:VCALENDAR', 0)"),
};

// What version 6 added: writable calendars and the outbox.
const QStringList kVersion6Tables = {
    QStringLiteral("CREATE TABLE Outbox (Seq INTEGER PRIMARY KEY AUTOINCREMENT, "
                   "SubscriptionId INTEGER NOT NULL REFERENCES Subscriptions (SubscriptionId) ON DELETE CASCADE, "
                   "Href TEXT NOT NULL, Method TEXT NOT NULL CHECK (Method IN ('PUT', 'DELETE')), "
                   "Body TEXT NOT NULL DEFAULT '', LastError TEXT NOT NULL DEFAULT '')"),
    QStringLiteral("ALTER TABLE Subscriptions ADD COLUMN Writable INTEGER NOT NULL DEFAULT 0"),
};

// A file of each version an earlier program can have left. A new version adds its row.
struct OlderFile {
    const char *made;
    int version;
    QStringList statements;
    int stepsTo = 0; // then upgraded by this program's own steps up to this version
};
const std::vector<OlderFile> &OlderFiles()
{
    static const std::vector<OlderFile> files = {
        {"by the first releases", 0, kFirstRelease},
        {"with EventUids, before versions", 0, kFirstRelease + kEventUids},
        {"at version 1", 1, kFirstRelease + kEventUids + QStringList{QStringLiteral("PRAGMA user_version = 1")}},
        {"at version 2", 2, kFirstRelease + kVersion2Uids + QStringList{QStringLiteral("PRAGMA user_version = 2")}},
        {"at version 4", 4, kFirstRelease + kVersion2Uids + kVersion4Tables + QStringList{QStringLiteral("PRAGMA user_version = 4")}},
        {"at version 5", 5,
         kFirstRelease + kVersion2Uids + kVersion4Tables + kVersion5Tables + QStringList{QStringLiteral("PRAGMA user_version = 5")}},
        {"at version 6", 6,
         kFirstRelease + kVersion2Uids + kVersion4Tables + kVersion5Tables + kVersion6Tables
             + QStringList{QStringLiteral("PRAGMA user_version = 6")}},
        // Its search triggers read every UID of a source for each series stored.
        {"at version 8", 8, kFirstRelease + kEventUids, 8},
        // Its series triggers made temporary tables for each series stored.
        {"at version 10", 10, kFirstRelease + kEventUids, 10},
    };
    return files;
}

std::vector<Step> StepsTo(int version)
{
    std::vector<Step> steps = basMigrations::Steps();
    steps.resize(size_t(version));
    return steps;
}

// What adding a column to events would be: one step.
std::vector<Step> WithLocationStep(const QStringList &statements = {QStringLiteral("ALTER TABLE Events ADD COLUMN Location TEXT")})
{
    std::vector<Step> steps = basMigrations::Steps();
    steps.push_back({basMigrations::CurrentVersion() + 1, QStringLiteral("Events.Location"), statements, {}});
    return steps;
}

// Runs statements (or a migration) on a file through a connection of its own, in WAL
// as every file of ours is.
void RunOn(const QString &path, const QStringList &statements, const std::vector<Step> *steps = nullptr)
{
    basConnection::ScopedConnection raw(QStringLiteral("test"));
    raw.db().setDatabaseName(path);
    ASSERT_TRUE(raw.db().open());
    for (const QString &statement : statements + QStringList{QStringLiteral("PRAGMA journal_mode=WAL")}) {
        QSqlQuery query(raw.db());
        ASSERT_TRUE(query.exec(statement)) << statement.toStdString() << ": " << query.lastError().text().toStdString();
    }
    if (steps)
        basMigrations::Migrate(raw.db(), path, *steps);
}

// The schema and every row: version, sqlite_master, each table's columns and rows.
QStringList Dump(const QString &path, bool rows = true)
{
    basConnection::ScopedConnection raw(QStringLiteral("dump"));
    raw.db().setDatabaseName(path);
    raw.db().setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!raw.db().open())
        return {QStringLiteral("cannot open")};
    QStringList lines;
    const auto read = [&](const QString &sql, const QString &prefix) {
        QSqlQuery query(raw.db());
        if (!query.exec(sql))
            lines.append(prefix + QStringLiteral("cannot read"));
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i)
                fields.append(query.value(i).isNull() ? QStringLiteral("NULL") : query.value(i).toString());
            lines.append(prefix + fields.join(QStringLiteral(" | ")));
        }
    };
    read(QStringLiteral("PRAGMA user_version"), QStringLiteral("version "));
    read(QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_stat%' "
                        "ORDER BY type, name"),
         QString());
    QSqlQuery tables(raw.db());
    tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    while (tables.next()) {
        const QString table = tables.value(0).toString();
        read(QStringLiteral("PRAGMA table_xinfo(%1)").arg(table), table + QStringLiteral(" column "));
        if (rows)
            read(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(table), table + QStringLiteral(" row "));
    }
    return lines;
}

QByteArray Hash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

QStringList Sidecars(const QString &path)
{
    QStringList found;
    for (const char *suffix : {"-wal", "-shm", "-journal"})
        if (QFile::exists(path + QLatin1String(suffix)))
            found.append(QLatin1String(suffix));
    return found;
}

class Migrations : public QuillonTest {};

TEST_F(Migrations, EveryOlderFileUpgradesOnOpenToWhatANewFileIs)
{
    const std::vector<Step> &steps = basMigrations::Steps();
    for (size_t i = 0; i < steps.size(); ++i)
        ASSERT_EQ(steps[i].version, int(i) + 1) << "steps are numbered 1, 2, 3 ... in order";

    const QString fresh = TempPath(QStringLiteral("fresh.sqlite"));
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(fresh, error)) << error.toStdString();
    const QStringList newSchema = Dump(fresh, false);
    ASSERT_TRUE(newSchema.contains(QStringLiteral("version %1").arg(basMigrations::CurrentVersion())));

    int n = 0;
    for (const OlderFile &older : OlderFiles()) {
        SCOPED_TRACE(older.made);
        const QString path = TempPath(QStringLiteral("older-%1.sqlite").arg(++n));
        if (older.stepsTo > 0) {
            const std::vector<Step> steps = StepsTo(older.stepsTo);
            RunOn(path, older.statements, &steps);
        } else {
            RunOn(path, older.statements);
        }
        const QStringList before = Dump(path);
        ASSERT_TRUE(before.contains(QStringLiteral("version %1").arg(older.version)));

        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection(path));
        basDatabase::EventRecord event;
        ASSERT_TRUE(store.GetEventData(7, event));
        EXPECT_EQ(event.EventName, QStringLiteral("Staff meeting"));
        EXPECT_EQ(event.StartTime, QTime(9, 30));
        store.CloseDatabaseConnection();
        EXPECT_TRUE(messages.empty());

        EXPECT_EQ(Dump(path, false), newSchema);
        // Only added: every row the file had is still there as it was; a UID from before
        // sources has the empty one, in front; a column added since reads NULL at the end.
        const QStringList after = Dump(path);
        const QString uidRow = QStringLiteral("EventUids row ");
        const QRegularExpression addedColumns(QStringLiteral("^( \\| NULL)*$"));
        for (const QString &line : before) {
            if (!line.contains(QLatin1String(" row ")))
                continue;
            const QString expected = line.startsWith(uidRow) && older.version < 2
                                         ? uidRow + QStringLiteral(" | ") + line.mid(uidRow.size())
                                         : line;
            EXPECT_TRUE(std::any_of(after.cbegin(), after.cend(), [&](const QString &row) {
                return row.startsWith(expected) && addedColumns.match(row.mid(expected.size())).hasMatch();
            })) << line.toStdString();
        }

        // check finds it clean and says which version it has now.
        QStringList problems;
        int version = -1;
        EXPECT_EQ(basStoreCheck::CheckDatabaseFile(path, false, problems, 1000, &version), basStoreCheck::CheckResult::Clean)
            << problems.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(version, basMigrations::CurrentVersion());
    }
}

// A series stored, changed or gone drops the search texts of its own events (its UID
// and its parts after char(31)) and of no other, in a new file and in an upgraded one.
TEST_F(Migrations, ASeriesChangeDropsTheSearchTextsOfItsEventsOnly)
{
    const QString fresh = TempPath(QStringLiteral("fresh.sqlite"));
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(fresh, error)) << error.toStdString();
    const QString upgraded = TempPath(QStringLiteral("upgraded.sqlite"));
    const std::vector<Step> toVersion8 = StepsTo(8);
    RunOn(upgraded, kFirstRelease, &toVersion8);
    RunOn(upgraded, {}, &basMigrations::Steps());
    const QString fromVersion10 = TempPath(QStringLiteral("from10.sqlite"));
    const std::vector<Step> toVersion10 = StepsTo(10);
    RunOn(fromVersion10, kFirstRelease, &toVersion10);
    RunOn(fromVersion10, {}, &basMigrations::Steps());
    // Events 1-2 are the series s, 3-5 UIDs beside it, 6 the same UID in another source.
    const QStringList rows = {
        QStringLiteral("INSERT INTO Events (EventID, EventName) VALUES (1, ''), (2, ''), (3, ''), (4, ''), (5, ''), (6, '')"),
        QStringLiteral("INSERT INTO EventUids (Source, Uid, EventId) VALUES ('f', 's', 1), ('f', 's' || char(31) || '1', 2), "
                       "('f', 's' || char(1), 3), ('f', 'st', 4), ('f', 's' || char(32), 5), ('g', 's', 6)"),
    };
    const QString refill = QStringLiteral("INSERT OR REPLACE INTO SearchTexts (EventId, Folded) "
                                          "SELECT EventID, 'x' FROM Events WHERE EventID <= 6");
    for (const QString &path : {fresh, upgraded, fromVersion10}) {
        SCOPED_TRACE(path.toStdString());
        RunOn(path, rows);
        // The series g/s has no parts; a text stored again unchanged drops nothing.
        const std::vector<std::pair<QString, QString>> changes = {
            {QStringLiteral("INSERT INTO Series (Source, Uid, Component) VALUES ('f', 's', 'a')"), QStringLiteral("3,4,5,6")},
            {QStringLiteral("UPDATE Series SET Component = 'b' WHERE Source = 'f' AND Uid = 's'"), QStringLiteral("3,4,5,6")},
            {QStringLiteral("UPDATE Series SET Component = 'b' WHERE Source = 'f' AND Uid = 's'"), QStringLiteral("1,2,3,4,5,6")},
            {QStringLiteral("DELETE FROM Series WHERE Source = 'f' AND Uid = 's'"), QStringLiteral("3,4,5,6")},
            {QStringLiteral("INSERT INTO Series (Source, Uid, Component) VALUES ('g', 's', 'a')"), QStringLiteral("1,2,3,4,5")},
            {QStringLiteral("DELETE FROM Series WHERE Source = 'g' AND Uid = 's'"), QStringLiteral("1,2,3,4,5")},
        };
        for (const auto &[change, expected] : changes) {
            RunOn(path, {refill, change});
            basConnection::ScopedConnection raw(QStringLiteral("left"));
            raw.db().setDatabaseName(path);
            ASSERT_TRUE(raw.db().open());
            QSqlQuery left(raw.db());
            ASSERT_TRUE(left.exec(QStringLiteral("SELECT group_concat(EventId) FROM (SELECT EventId FROM SearchTexts ORDER BY 1)")));
            ASSERT_TRUE(left.next());
            EXPECT_EQ(left.value(0).toString(), expected) << change.toStdString();
        }
    }
}

TEST_F(Migrations, AStepThatFailsLeavesTheFileAsItWasAndANewStepIsAllAColumnNeeds)
{
    const QString path = TempPath(QStringLiteral("first.sqlite"));
    RunOn(path, kFirstRelease);
    const QStringList before = Dump(path);
    // The second statement of the new step fails after the first and after step 1.
    const std::vector<Step> broken =
        WithLocationStep({QStringLiteral("ALTER TABLE Events ADD COLUMN Location TEXT"),
                          QStringLiteral("ALTER TABLE NoSuchTable ADD COLUMN x TEXT")});
    try {
        RunOn(path, {}, &broken);
        ADD_FAILURE() << "the broken step did not fail";
    } catch (const basOperation::Failure &failure) {
        EXPECT_TRUE(failure.description().contains(
            QStringLiteral("Cannot upgrade %1 to database version %2 (Events.Location); it was not changed: ")
                .arg(path)
                .arg(basMigrations::CurrentVersion() + 1)))
            << failure.description().toStdString();
    }
    EXPECT_EQ(Dump(path), before);

    const std::vector<Step> location = WithLocationStep();
    RunOn(path, {}, &location);
    const QStringList after = Dump(path);
    EXPECT_TRUE(after.contains(QStringLiteral("version %1").arg(basMigrations::CurrentVersion() + 1)));
    const QString locationColumn = QStringLiteral(" | Location | TEXT | 0 | NULL | 0 | 0");
    EXPECT_EQ(after.filter(QRegularExpression(QStringLiteral("^Events column \\d+") + QRegularExpression::escape(locationColumn) + QLatin1Char('$'))).size(), 1)
        << after.join(QLatin1Char('\n')).toStdString();
    const QStringList uidsTable = basSchema::SchemaStatements().filter(QStringLiteral("CREATE TABLE EventUids"));
    ASSERT_EQ(uidsTable.size(), 1);
    EXPECT_TRUE(after.contains(QStringLiteral("table | EventUids | EventUids | ") + uidsTable.constFirst()));
    // Opening it again with the same steps changes nothing.
    RunOn(path, {}, &location);
    EXPECT_EQ(Dump(path), after);
}

TEST_F(Migrations, AFileFromANewerVersionIsRefusedAndLeftByteForByte)
{
    const QString path = TempPath(QStringLiteral("newer.sqlite"));
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(path, error)) << error.toStdString();
    const std::vector<Step> newer = WithLocationStep();
    RunOn(path, {}, &newer);
    ASSERT_EQ(Sidecars(path), QStringList());
    const QByteArray hash = Hash(path);
    ASSERT_EQ(basMigrations::NewerFileText(path, 2, 1),
              path + QStringLiteral(" is from a newer version of Quillon Desktop Calendar (database version 2; "
                                    "this program knows up to 1); it was not changed"));
    const QString refusal =
        basMigrations::NewerFileText(path, basMigrations::CurrentVersion() + 1, basMigrations::CurrentVersion());

    basDatabase::EventStore store;
    EXPECT_FALSE(store.OpenDatabaseConnection(path));
    QStringList problems;
    int version = 0;
    EXPECT_EQ(basStoreCheck::CheckDatabaseFile(path, true, problems, 1000, &version), basStoreCheck::CheckResult::CannotOpen);
    EXPECT_EQ(problems, QStringList{refusal});
    EXPECT_EQ(version, -1);
    EXPECT_EQ(Hash(path), hash);
    EXPECT_EQ(Sidecars(path), QStringList());

    // While a newer program has it open, its -wal is read too; still nothing is written.
    {
        basConnection::ScopedConnection holder(QStringLiteral("holder"));
        holder.db().setDatabaseName(path);
        ASSERT_TRUE(holder.db().open());
        QSqlQuery read(holder.db());
        ASSERT_TRUE(read.exec(QStringLiteral("SELECT count(*) FROM Events")));
        read.finish();
        ASSERT_TRUE(QFile::exists(path + QStringLiteral("-wal")));
        EXPECT_FALSE(store.OpenDatabaseConnection(path));
        EXPECT_EQ(Hash(path), hash);
    }

    ASSERT_EQ(messages.size(), 2u);
    for (const auto &message : messages) {
        EXPECT_TRUE(message.text.contains(QStringLiteral("basDatabase.OpenDatabaseConnection")));
        EXPECT_TRUE(message.text.contains(refusal)) << message.text.toStdString();
    }

    // Another program's database with a version of its own is not ours, not newer.
    messages.clear();
    const QString foreign = TempPath(QStringLiteral("foreign.sqlite"));
    RunOn(foreign, {QStringLiteral("CREATE TABLE t (x)"), QStringLiteral("PRAGMA user_version = 5")});
    EXPECT_FALSE(store.OpenDatabaseConnection(foreign));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("is not a Quillon database"))) << messages[0].text.toStdString();
}

} // namespace

} // namespace quillon
