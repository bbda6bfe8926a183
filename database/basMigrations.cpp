#include "basMigrations.h"

#include "basConnection.h"
#include "basOperation.h"

#include <QSqlError>
#include <QSqlQuery>

namespace quillon {

namespace basMigrations {

namespace {

using basConnection::ExecuteStatement;
using basOperation::Failure;

// A file whose version was lost (set back to 0) may have a step's column already.
void AddColumnIfMissing(const QSqlDatabase &db, const QString &table, const QString &column, const QString &definition)
{
    QSqlQuery columns(db);
    columns.prepare(QStringLiteral("SELECT 1 FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE"));
    columns.addBindValue(table);
    columns.addBindValue(column);
    if (!columns.exec())
        basConnection::ThrowError(columns.lastError());
    const bool present = columns.next();
    columns.finish();
    // The names are this file's own, never a user's text.
    if (!present)
        ExecuteStatement(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(table, column, definition));
}

} // namespace

// A step's statements are history: they stay as written even when the current schema
// moves on, because they must still turn a file of that age into the next version.
const std::vector<Step> &Steps()
{
    static const std::vector<Step> steps = {
        // Files of the first releases have no version (0); some already have this table,
        // which the import of calendar files added without a version of its own.
        {1,
         QStringLiteral("EventUids: the UID calendar files know each event by"),
         {QStringLiteral("CREATE TABLE IF NOT EXISTS EventUids ("
                         "Uid TEXT PRIMARY KEY, "
                         "EventId INTEGER NOT NULL UNIQUE REFERENCES Events (EventID) ON DELETE CASCADE, "
                         "Fingerprint TEXT NOT NULL DEFAULT '') WITHOUT ROWID")},
         {}},
        // A UID is unique within the file (or feed) that gave it, not across files: the
        // key becomes (Source, Uid). Rows from before keep the empty source, which an
        // import takes as "a file not yet named" (see basICalendar). SQLite cannot change
        // a key in place: the table is made anew, the key's columns first (the integrity
        // check of SQLite 3.40 misreads a WITHOUT ROWID table otherwise), its rows copied.
        {2,
         QStringLiteral("EventUids: the source each UID belongs to"),
         {QStringLiteral("ALTER TABLE EventUids RENAME TO EventUidsVersion1"),
          QStringLiteral("CREATE TABLE EventUids ("
                         "Source TEXT NOT NULL DEFAULT '', "
                         "Uid TEXT NOT NULL, "
                         "EventId INTEGER NOT NULL UNIQUE REFERENCES Events (EventID) ON DELETE CASCADE, "
                         "Fingerprint TEXT NOT NULL DEFAULT '', "
                         "PRIMARY KEY (Source, Uid)) WITHOUT ROWID"),
          QStringLiteral("INSERT INTO EventUids (Source, Uid, EventId, Fingerprint) "
                         "SELECT '', Uid, EventId, Fingerprint FROM EventUidsVersion1"),
          QStringLiteral("DROP TABLE EventUidsVersion1")},
         {}},
        // Reminders: minutes before an event's start (NULL: none, what every older event
        // has), and what has been shown, so that a restart, a second login or a clock set
        // back never shows a reminder twice. The partial index keeps the planner's look
        // at the longest reminder independent of how many events there are.
        {3,
         QStringLiteral("Events.Reminder and FiredReminders: reminders and the ones shown"),
         // A file whose version was lost (set back to 0) may have all of it already.
         {},
         [](const QSqlDatabase &db) {
             AddColumnIfMissing(db, QStringLiteral("Events"), QStringLiteral("Reminder"), QStringLiteral("INTEGER"));
             ExecuteStatement(db, QStringLiteral("CREATE INDEX IF NOT EXISTS EventsWithReminder ON Events (Reminder) "
                                                 "WHERE Reminder IS NOT NULL"));
             ExecuteStatement(db, QStringLiteral("CREATE TABLE IF NOT EXISTS FiredReminders ("
                                                 "EventId INTEGER NOT NULL REFERENCES Events (EventID) ON DELETE CASCADE, "
                                                 "Occurrence TEXT NOT NULL, "
                                                 "PRIMARY KEY (EventId, Occurrence)) WITHOUT ROWID"));
         }},
        // Subscribed calendars: a server's calendar that a refresh keeps in step. Its
        // events carry its id (the user's own have none) and its UIDs live in EventUids
        // under a source of its own. Events keep no cascade from it: removing one must
        // go through the store, which keeps the days' counts.
        {4,
         QStringLiteral("Subscriptions: calendars followed from a server"),
         // A file that claims an older version (one from before versions, or one whose
         // number was lowered by hand) may have these already: each statement stays put.
         {QStringLiteral("CREATE TABLE IF NOT EXISTS Subscriptions ("
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
                         "CertificateSha256 TEXT NOT NULL DEFAULT '')")},
         [](const QSqlDatabase &db) {
             AddColumnIfMissing(db, QStringLiteral("Events"), QStringLiteral("SubscriptionId"),
                                QStringLiteral("INTEGER REFERENCES Subscriptions (SubscriptionId)"));
             ExecuteStatement(db, QStringLiteral("CREATE INDEX IF NOT EXISTS EventsBySubscription ON Events "
                                                 "(SubscriptionId) WHERE SubscriptionId IS NOT NULL"));
         }},
        // A calendar file's events as the file gave them: the iCalendar text of each
        // series (its VEVENTs with their changed occurrences and the time zones they use)
        // under the key its events have in EventUids (the source, and the UID without a
        // part number), so that what the suite does not show goes out as it came in. The
        // occurrence tables stay the index every reader uses; an event without a row here
        // is written from them, as before.
        {5,
         QStringLiteral("Series: the iCalendar text of each series"),
         {QStringLiteral("CREATE TABLE IF NOT EXISTS Series ("
                         "Source TEXT NOT NULL DEFAULT '', "
                         "Uid TEXT NOT NULL, "
                         "Component TEXT NOT NULL, "
                         "Sequence INTEGER NOT NULL DEFAULT 0, "
                         "PRIMARY KEY (Source, Uid)) WITHOUT ROWID"),
          // What the store's own arrangement depends on, such as the time zone its
          // times were worked out in.
          QStringLiteral("CREATE TABLE IF NOT EXISTS StoreValues (Name TEXT PRIMARY KEY, Value TEXT NOT NULL) WITHOUT ROWID")},
         {}},
        // Calendars the server lets the user write to, and the changes made here that
        // wait for their server, in the order they were made: each stored in the
        // transaction of the change itself, gone once the server has it.
        {6,
         QStringLiteral("Outbox: changes waiting for their server"),
         {QStringLiteral("CREATE TABLE IF NOT EXISTS Outbox ("
                         "Seq INTEGER PRIMARY KEY AUTOINCREMENT, "
                         "SubscriptionId INTEGER NOT NULL REFERENCES Subscriptions (SubscriptionId) ON DELETE CASCADE, "
                         "Href TEXT NOT NULL, "
                         "Method TEXT NOT NULL CHECK (Method IN ('PUT', 'DELETE')), "
                         "Body TEXT NOT NULL DEFAULT '', "
                         "LastError TEXT NOT NULL DEFAULT '')")},
         [](const QSqlDatabase &db) {
             AddColumnIfMissing(db, QStringLiteral("Subscriptions"), QStringLiteral("Writable"),
                                QStringLiteral("INTEGER NOT NULL DEFAULT 0"));
         }},
        // Search: each event's name, notes and place, case and accents folded, with the
        // place as shown. A row is made when the search first sees its event; the
        // triggers drop it whenever what it was made from changes (the event's texts, its
        // UID, its series' text), so that the next search makes it again. Where SQLite
        // has FTS5, a trigram index of the folded texts answers the search; it is only an
        // accelerator, kept in step by the search itself (Trigrams), and a SQLite without
        // the module reads the same rows with LIKE.
        {7,
         QStringLiteral("SearchTexts: names, notes and places folded for the search"),
         {QStringLiteral("CREATE TABLE IF NOT EXISTS SearchTexts ("
                         "EventId INTEGER PRIMARY KEY REFERENCES Events (EventID) ON DELETE CASCADE, "
                         "Folded TEXT NOT NULL, "
                         "Place TEXT NOT NULL DEFAULT '', "
                         "Trigrams INTEGER NOT NULL DEFAULT 0)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS SearchTextsWithoutTrigrams ON SearchTexts (EventId) "
                         "WHERE Trigrams = 0"),
          QStringLiteral("CREATE TRIGGER IF NOT EXISTS SearchTextOfChangedEvent AFTER UPDATE OF EventName, Notes ON Events "
                         "WHEN OLD.EventName IS NOT NEW.EventName OR OLD.Notes IS NOT NEW.Notes "
                         "BEGIN DELETE FROM SearchTexts WHERE EventId = NEW.EventID; END"),
          QStringLiteral("CREATE TRIGGER IF NOT EXISTS SearchTextOfNewUid AFTER INSERT ON EventUids "
                         "BEGIN DELETE FROM SearchTexts WHERE EventId = NEW.EventId; END"),
          QStringLiteral("CREATE TRIGGER IF NOT EXISTS SearchTextOfMovedUid AFTER UPDATE ON EventUids "
                         "BEGIN DELETE FROM SearchTexts WHERE EventId IN (OLD.EventId, NEW.EventId); END"),
          QStringLiteral("CREATE TRIGGER IF NOT EXISTS SearchTextOfGoneUid AFTER DELETE ON EventUids "
                         "BEGIN DELETE FROM SearchTexts WHERE EventId = OLD.EventId; END"),
          QStringLiteral("CREATE TRIGGER IF NOT EXISTS SearchTextsOfNewSeries AFTER INSERT ON Series "
                         "BEGIN DELETE FROM SearchTexts WHERE EventId IN (SELECT EventId FROM EventUids "
                         "WHERE Source = NEW.Source AND (Uid = NEW.Uid OR (Uid > NEW.Uid || char(31) "
                         "AND Uid < NEW.Uid || char(32)))); END"),
          QStringLiteral("CREATE TRIGGER IF NOT EXISTS SearchTextsOfChangedSeries AFTER UPDATE OF Component ON Series "
                         "WHEN OLD.Component IS NOT NEW.Component "
                         "BEGIN DELETE FROM SearchTexts WHERE EventId IN (SELECT EventId FROM EventUids "
                         "WHERE Source = NEW.Source AND (Uid = NEW.Uid OR (Uid > NEW.Uid || char(31) "
                         "AND Uid < NEW.Uid || char(32)))); END"),
          QStringLiteral("CREATE TRIGGER IF NOT EXISTS SearchTextsOfGoneSeries AFTER DELETE ON Series "
                         "BEGIN DELETE FROM SearchTexts WHERE EventId IN (SELECT EventId FROM EventUids "
                         "WHERE Source = OLD.Source AND (Uid = OLD.Uid OR (Uid > OLD.Uid || char(31) "
                         "AND Uid < OLD.Uid || char(32)))); END")},
         [](const QSqlDatabase &db) {
             // Without the module (or the trigram tokenizer) the file has no such table.
             QSqlQuery trigrams(db);
             trigrams.exec(QStringLiteral("CREATE VIRTUAL TABLE IF NOT EXISTS SearchTrigrams "
                                          "USING fts5(Folded, tokenize = 'trigram')"));
         }},
        // A calendar the user hides from the views and the wallpaper (it still refreshes),
        // and the event colour its events without one of their own are drawn in, so that
        // they follow when the calendar's colour changes. A change here that lost to the
        // server's (both changed the same event) waits in Conflicts for the user to send
        // it anyway, keep both or drop it; the copies it left on this computer are named
        // in ConflictCopies. Told: the launcher has said so once.
        {8,
         QStringLiteral("Hidden calendars, their event colour, and conflicts waiting for the user"),
         {QStringLiteral("CREATE TABLE IF NOT EXISTS Conflicts ("
                         "ConflictId INTEGER PRIMARY KEY AUTOINCREMENT, "
                         "SubscriptionId INTEGER NOT NULL REFERENCES Subscriptions (SubscriptionId) ON DELETE CASCADE, "
                         "Href TEXT NOT NULL, "
                         "Method TEXT NOT NULL CHECK (Method IN ('PUT', 'DELETE')), "
                         "Body TEXT NOT NULL DEFAULT '', "
                         "Message TEXT NOT NULL DEFAULT '', "
                         "Told INTEGER NOT NULL DEFAULT 0)"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS ConflictCopies ("
                         "ConflictId INTEGER NOT NULL REFERENCES Conflicts (ConflictId) ON DELETE CASCADE, "
                         "EventId INTEGER NOT NULL REFERENCES Events (EventID) ON DELETE CASCADE, "
                         "PRIMARY KEY (ConflictId, EventId)) WITHOUT ROWID")},
         [](const QSqlDatabase &db) {
             AddColumnIfMissing(db, QStringLiteral("Subscriptions"), QStringLiteral("Hidden"),
                                QStringLiteral("INTEGER NOT NULL DEFAULT 0"));
             AddColumnIfMissing(db, QStringLiteral("Subscriptions"), QStringLiteral("EventColor"),
                                QStringLiteral("TEXT NOT NULL DEFAULT ''"));
         }},
        // Whether a calendar's colour is the user's own choice, which the server's colour
        // (read at each refresh) must not replace: 1 chosen here, 0 the server's. A
        // calendar from before is NULL, not known: its colour stays unless it is the
        // server's already (or none), and from then on it is known.
        {9,
         QStringLiteral("Which calendar colours the user chose"),
         {},
         [](const QSqlDatabase &db) {
             AddColumnIfMissing(db, QStringLiteral("Subscriptions"), QStringLiteral("ColorChosen"), QStringLiteral("INTEGER"));
         }},
        // The search's series triggers asked for the series' own UID OR its parts in one
        // condition, which keeps SQLite from the key and reads every UID of the source:
        // storing a file of N series read N x N rows. Each is asked apart now.
        {10,
         QStringLiteral("Search texts of a series found through the key"),
         {QStringLiteral("DROP TRIGGER IF EXISTS SearchTextsOfNewSeries"),
          QStringLiteral("DROP TRIGGER IF EXISTS SearchTextsOfChangedSeries"),
          QStringLiteral("DROP TRIGGER IF EXISTS SearchTextsOfGoneSeries"),
          QStringLiteral("CREATE TRIGGER SearchTextsOfNewSeries AFTER INSERT ON Series "
                         "BEGIN DELETE FROM SearchTexts WHERE EventId IN (SELECT EventId FROM EventUids "
                         "WHERE Source = NEW.Source AND Uid = NEW.Uid); "
                         "DELETE FROM SearchTexts WHERE EventId IN (SELECT EventId FROM EventUids "
                         "WHERE Source = NEW.Source AND Uid > NEW.Uid || char(31) AND Uid < NEW.Uid || char(32)); END"),
          QStringLiteral("CREATE TRIGGER SearchTextsOfChangedSeries AFTER UPDATE OF Component ON Series "
                         "WHEN OLD.Component IS NOT NEW.Component "
                         "BEGIN DELETE FROM SearchTexts WHERE EventId IN (SELECT EventId FROM EventUids "
                         "WHERE Source = NEW.Source AND Uid = NEW.Uid); "
                         "DELETE FROM SearchTexts WHERE EventId IN (SELECT EventId FROM EventUids "
                         "WHERE Source = NEW.Source AND Uid > NEW.Uid || char(31) AND Uid < NEW.Uid || char(32)); END"),
          QStringLiteral("CREATE TRIGGER SearchTextsOfGoneSeries AFTER DELETE ON Series "
                         "BEGIN DELETE FROM SearchTexts WHERE EventId IN (SELECT EventId FROM EventUids "
                         "WHERE Source = OLD.Source AND Uid = OLD.Uid); "
                         "DELETE FROM SearchTexts WHERE EventId IN (SELECT EventId FROM EventUids "
                         "WHERE Source = OLD.Source AND Uid > OLD.Uid || char(31) AND Uid < OLD.Uid || char(32)); END")},
         {}},
        // A series stored made two temporary tables for the lists of its events, one for
        // its UID and one for its parts, however few there were: a tenth of a file's
        // import. The UID has one event, read as one value; the parts (rare) are looked
        // for only when there are some.
        {11,
         QStringLiteral("Search texts of a series dropped without temporary tables"),
         {QStringLiteral("DROP TRIGGER IF EXISTS SearchTextsOfNewSeries"),
          QStringLiteral("DROP TRIGGER IF EXISTS SearchTextsOfChangedSeries"),
          QStringLiteral("DROP TRIGGER IF EXISTS SearchTextsOfGoneSeries"),
          // A file whose version was lost has them already.
          QStringLiteral("DROP TRIGGER IF EXISTS SearchTextsOfNewSeriesParts"),
          QStringLiteral("DROP TRIGGER IF EXISTS SearchTextsOfChangedSeriesParts"),
          QStringLiteral("DROP TRIGGER IF EXISTS SearchTextsOfGoneSeriesParts"),
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
                         "WHERE Source = OLD.Source AND Uid > OLD.Uid || char(31) AND Uid < OLD.Uid || char(32)); END")},
         {}},
    };
    return steps;
}

int LastVersion(const std::vector<Step> &steps) { return steps.empty() ? 0 : steps.back().version; }

int CurrentVersion() { return LastVersion(Steps()); }

int FileVersion(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        basConnection::ThrowError(query.lastError());
    return query.value(0).toInt();
}

QString NewerFileText(const QString &path, int fileVersion, int knownVersion)
{
    return QStringLiteral("%1 is from a newer version of Quillon Desktop Calendar (database version %2; "
                          "this program knows up to %3); it was not changed")
        .arg(path)
        .arg(fileVersion)
        .arg(knownVersion);
}

int Migrate(const QSqlDatabase &db, const QString &path, const std::vector<Step> &steps)
{
    const int known = LastVersion(steps);
    // Read first without a lock: the usual file is up to date, and a program opening it
    // must not wait for another one's write.
    int found = FileVersion(db);
    if (found > known)
        throw Failure(basOperation::kDatabaseError, NewerFileText(path, found, known));
    if (found == known)
        return found;
    ExecuteStatement(db, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        // Another program may have upgraded the file while this one waited for the lock.
        found = FileVersion(db);
        if (found > known)
            throw Failure(basOperation::kDatabaseError, NewerFileText(path, found, known));
        for (const Step &step : steps) {
            if (step.version <= found)
                continue;
            try {
                for (const QString &statement : step.statements)
                    ExecuteStatement(db, statement);
                if (step.apply)
                    step.apply(db);
            } catch (const Failure &failure) {
                throw Failure(failure.number(),
                              QStringLiteral("Cannot upgrade %1 to database version %2 (%3); it was not changed: %4")
                                  .arg(path)
                                  .arg(step.version)
                                  .arg(step.description, failure.description()));
            }
        }
        // PRAGMA takes no bound values; the number is ours.
        ExecuteStatement(db, QStringLiteral("PRAGMA user_version = %1").arg(known));
        ExecuteStatement(db, QStringLiteral("COMMIT"));
    } catch (...) {
        QSqlQuery rollback(db);
        rollback.exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    return found;
}

} // namespace basMigrations

} // namespace quillon
