// quillon-db create/check as a user runs them, and the invariants check behind it.
#include "StoreTest.h"

#include "EventStore.h"
#include "basMigrations.h"
#include "basSchema.h"
#include "basStoreCheck.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace quillon {

namespace {
using quillontest::QuillonTest;
using quillontest::StoreTest;

const QString kTool = QStringLiteral(QUILLON_PROGRAM_DIR "/quillon-db");

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun RunTool(const QStringList &arguments, const QString &locale = QString())
{
    QProcess tool;
    if (!locale.isEmpty())
        tool.setProcessEnvironment(quillontest::InLocale(locale));
    tool.start(kTool, arguments);
    ToolRun run;
    if (!tool.waitForFinished(60000))
        return run;
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.out = QString::fromLocal8Bit(tool.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(tool.readAllStandardError());
    return run;
}

class QuillonDbTool : public QuillonTest {};

TEST_F(QuillonDbTool, CreatesACleanFileAndRefusesBadOnes)
{
    const QString file = TempPath(QStringLiteral("made by tool.sqlite"));
    ToolRun run = RunTool({QStringLiteral("create"), QStringLiteral("--empty"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = RunTool({QStringLiteral("check"), file});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral(": ok")));
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("%1: database version %2\n").arg(file).arg(basMigrations::CurrentVersion())))
        << run.out.toStdString();
    // An existing file is replaced only when asked; the refusal is in the user's language.
    EXPECT_EQ(RunTool({QStringLiteral("create"), QStringLiteral("--empty"), file}).exitCode, 2);
    run = RunTool({QStringLiteral("create"), QStringLiteral("--empty"), file}, QStringLiteral("de_DE.UTF-8"));
    EXPECT_EQ(run.err, QStringLiteral("quillon-db: %1 ist bereits vorhanden (mit --force wird die Datei ersetzt)\n").arg(file));
    EXPECT_EQ(RunTool({QStringLiteral("create"), QStringLiteral("--empty"), QStringLiteral("--force"), file}).exitCode, 0);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".part")));

    const QString missing = TempPath(QStringLiteral("missing.sqlite"));
    run = RunTool({QStringLiteral("check"), missing});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("not found")));
    EXPECT_FALSE(QFile::exists(missing));

    const QString corrupt = TempPath(QStringLiteral("corrupt.sqlite"));
    {
        QFile out(corrupt);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QByteArray(4096, '\x5a'));
    }
    run = RunTool({QStringLiteral("check"), QStringLiteral("--repair"), corrupt});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("not a database")));

    EXPECT_EQ(RunTool({QStringLiteral("check")}).exitCode, 64);
    EXPECT_EQ(RunTool({QStringLiteral("frobnicate"), file}).exitCode, 64);
}

TEST_F(QuillonDbTool, CreateShipsTheChurchYearAndTheFacts)
{
    const QString file = basDatabase::EventStore::DatabasePath();
    const ToolRun run = RunTool({QStringLiteral("create"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    basDatabase::EventStore store;
    ASSERT_TRUE(store.OpenDatabaseConnection());
    // Every day of 1900-2100 has its colour and name.
    QList<basDatabase::DayRecord> days;
    ASSERT_TRUE(store.GetDates(QDate(1900, 1, 1), QDate(2100, 12, 31), days));
    EXPECT_EQ(days.size(), QDate(1900, 1, 1).daysTo(QDate(2100, 12, 31)) + 1);
    EXPECT_EQ(days.first(), (basDatabase::DayRecord{QDate(1900, 1, 1), QStringLiteral("White"), 0, {}, QStringLiteral("Name of Jesus")}));
    EXPECT_EQ(store.QueryDateColor(QDate(2000, 4, 23)), QStringLiteral("White"));
    EXPECT_EQ(days[QDate(1900, 1, 1).daysTo(QDate(2000, 4, 23))].DateText, QStringLiteral("Easter Sunday"));
    EXPECT_FALSE(store.GetFactOfTheDay(QDate(2031, 1, 1)).isEmpty());
    // Adding events to a shipped day keeps its colour and text.
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(quillontest::StoreTest::Event(QStringLiteral("x")), {QDate(2000, 4, 23)}, id));
    ASSERT_TRUE(store.GetDates(QDate(2000, 4, 23), QDate(2000, 4, 23), days));
    EXPECT_EQ(days, (QList<basDatabase::DayRecord>{{QDate(2000, 4, 23), QStringLiteral("White"), 1, {}, QStringLiteral("Easter Sunday")}}));
    store.CloseDatabaseConnection();

    // Without its facts the file is not made at all.
    const QString other = TempPath(QStringLiteral("other.sqlite"));
    const ToolRun missing = RunTool({QStringLiteral("create"), QStringLiteral("--facts"), TempPath(QStringLiteral("none.tsv")), other});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_FALSE(QFile::exists(other));
    EXPECT_FALSE(QFile::exists(other + QStringLiteral(".part")));
}

TEST_F(QuillonDbTool, LockedFileIsReportedNotWaitedOnForever)
{
    const QString file = TempPath(QStringLiteral("locked.sqlite"));
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(file, error));
    {
        QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        holder.setDatabaseName(file);
        ASSERT_TRUE(holder.open());
        QSqlQuery query(holder);
        ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")));
        ASSERT_TRUE(query.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO FactOfTheDay VALUES ('01-01', 'x')")));
        const ToolRun run = RunTool({QStringLiteral("check"), QStringLiteral("--timeout"), QStringLiteral("200"), file});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("locked"))) << run.err.toStdString();
        query.exec(QStringLiteral("ROLLBACK"));
        holder.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    EXPECT_EQ(RunTool({QStringLiteral("check"), file}).exitCode, 0);
}

TEST_F(QuillonDbTool, AFileThatCannotBeOpenedSaysWhy)
{
    const QString folder = TempPath(QStringLiteral("folder.sqlite"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ToolRun run = RunTool({QStringLiteral("check"), folder});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("is a folder, not a database file"))) << run.err.toStdString();

    // A read-only folder: the journal cannot be written beside the file. Root may
    // write anywhere, so then the tool runs as nobody.
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/quillon-readonly-XXXXXX"));
    const QString file = dir.filePath(QStringLiteral("dbcalndr.sqlite"));
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(file, error)) << error.toStdString();
    const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto enterable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(file, readable | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), readable | enterable));
    QString program = kTool;
    QStringList arguments{QStringLiteral("check"), file};
    if (QFileInfo(dir.path()).isWritable()) {
        program = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        arguments = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                QStringLiteral("--clear-groups"), kTool} + arguments;
    }
    QProcess tool;
    if (!program.isEmpty())
        tool.start(program, arguments);
    const bool ran = !program.isEmpty() && tool.waitForFinished(60000);
    const int exitCode = tool.exitCode();
    const QString err = QString::fromLocal8Bit(tool.readAllStandardError());
    QFile::setPermissions(dir.path(), readable | enterable | QFile::WriteOwner);
    if (!ran || exitCode == 126 || exitCode == 127)
        GTEST_SKIP() << "cannot run the tool without write permission here";
    EXPECT_EQ(exitCode, 2);
    EXPECT_TRUE(err.contains(QStringLiteral("read-only"))) << err.toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral("not a Quillon database")));
}

// Every command that opens the file refuses one from a newer version and writes nothing.
TEST_F(QuillonDbTool, ANewerFileIsRefusedByEveryCommandAndLeftUnchanged)
{
    const QString file = TempPath(QStringLiteral("newer.sqlite"));
    ASSERT_EQ(RunTool({QStringLiteral("create"), QStringLiteral("--empty"), file}).exitCode, 0);
    const int newer = basMigrations::CurrentVersion() + 1;
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        raw.setDatabaseName(file);
        ASSERT_TRUE(raw.open());
        ASSERT_TRUE(QSqlQuery(raw).exec(QStringLiteral("PRAGMA user_version = %1").arg(newer)));
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    const auto hash = [&] {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(in.readAll(), QCryptographicHash::Sha256) : QByteArray();
    };
    const QByteArray before = hash();
    const QString refusal = QStringLiteral("%1 is from a newer version of Quillon Desktop Calendar (database version %2; "
                                           "this program knows up to %3); it was not changed")
                                .arg(file)
                                .arg(newer)
                                .arg(newer - 1);
    const QString exported = TempPath(QStringLiteral("out.ics"));
    for (const QStringList &arguments : {QStringList{QStringLiteral("check"), file},
                                         QStringList{QStringLiteral("check"), QStringLiteral("--repair"), file},
                                         QStringList{QStringLiteral("import"), TempPath(QStringLiteral("in.ics")), file},
                                         QStringList{QStringLiteral("export"), file, exported}}) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(refusal)) << run.err.toStdString();
        EXPECT_EQ(hash(), before);
        for (const char *sidecar : {"-wal", "-shm", "-journal"})
            EXPECT_FALSE(QFile::exists(file + QLatin1String(sidecar))) << sidecar;
    }
    EXPECT_FALSE(QFile::exists(exported));
}

class CheckInvariants : public StoreTest {};

TEST_F(CheckInvariants, FindsAndMendsEveryKindOfBrokenCount)
{
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("a")), {QDate(2004, 1, 5), QDate(2004, 1, 6), QDate(2004, 1, 7)}, id));
    ASSERT_TRUE(store.UpdateDateNotes(QDate(2004, 1, 8), QStringLiteral("note only")));
    QStringList none;
    ASSERT_TRUE(basStoreCheck::CheckDatabaseFile(DatabaseFile(), false, none)) << none.join(QLatin1Char('\n')).toStdString();

    Raw(QStringLiteral("UPDATE Dates SET EventCount = 5 WHERE DateKey = '2004-01-05'"));
    Raw(QStringLiteral("UPDATE Dates SET EventCount = -1 WHERE DateKey = '2004-01-08'"));
    Raw(QStringLiteral("DELETE FROM Dates WHERE DateKey = '2004-01-06'"));
    // Foreign keys are off on the raw connection, so an orphan can be made.
    Raw(QStringLiteral("INSERT INTO EventDates VALUES (777, '2004-01-07')"));
    // A file as it was before schema versions: check upgrades it, repair keeps that.
    Raw(QStringLiteral("PRAGMA user_version = 0"));

    ToolRun run = RunTool({QStringLiteral("check"), DatabaseFile()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains(QStringLiteral(": database version 0, upgraded to %1\n").arg(basMigrations::CurrentVersion())))
        << run.out.toStdString();
    for (const char *expected : {"Dates 2004-01-05: EventCount 5, but 1 EventDates rows",
                                 "Dates 2004-01-08: negative EventCount -1, but 0 EventDates rows",
                                 "Dates 2004-01-07: EventCount 1, but 2 EventDates rows",
                                 "Dates 2004-01-06: no row, but 1 EventDates rows", "EventDates 777 on 2004-01-07: no such event"})
        EXPECT_TRUE(run.out.contains(QString::fromLatin1(expected))) << expected << "\n" << run.out.toStdString();

    run = RunTool({QStringLiteral("check"), QStringLiteral("--repair"), DatabaseFile()});
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("repaired:")));
    EXPECT_TRUE(run.out.contains(QStringLiteral(": database version %1\n").arg(basMigrations::CurrentVersion())));
    EXPECT_EQ(RunTool({QStringLiteral("check"), DatabaseFile()}).exitCode, 0);
    EXPECT_EQ(Count(QStringLiteral("PRAGMA user_version")), basMigrations::CurrentVersion());
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-05")), 1);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-06")), 1);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-07")), 1);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-08")), 0);
    // Day notes survive the repair.
    EXPECT_EQ(Raw(QStringLiteral("SELECT DateNotes FROM Dates WHERE DateKey = '2004-01-08'")).toString(),
              QStringLiteral("note only"));
}

// Rows no program of ours writes: dates that are no dates and timed events without
// times. Check names each; repair mends what it can and never turns them into days.
TEST_F(CheckInvariants, UnreadableDatesAndTimesAreListedNeverMended)
{
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("kept")), {QDate(2026, 12, 7)}, id));
    qint64 broken = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("no start")), {QDate(2026, 12, 8)}, broken));
    Raw(QStringLiteral("UPDATE Events SET StartTime = '' WHERE EventID = ?"), {broken});
    for (const char *bad : {"12/07/2026", "", "abc", "2026-13-45", "2026-02-30"})
        Raw(QStringLiteral("INSERT INTO EventDates VALUES (?, ?)"), {id, QString::fromLatin1(bad)});
    // A count to mend beside them.
    Raw(QStringLiteral("UPDATE Dates SET EventCount = 9 WHERE DateKey = '2026-12-07'"));

    ToolRun run = RunTool({QStringLiteral("check"), DatabaseFile()});
    EXPECT_EQ(run.exitCode, 1);
    for (const char *expected : {"on \"12/07/2026\": not a date", "on \"\": not a date", "on \"abc\": not a date",
                                 "on \"2026-13-45\": not a date", "on \"2026-02-30\": not a date",
                                 "\"no start\": no readable start time (\"\")", "Dates 2026-12-07: EventCount 9"})
        EXPECT_TRUE(run.out.contains(QString::fromLatin1(expected))) << expected << "\n" << run.out.toStdString();

    run = RunTool({QStringLiteral("check"), QStringLiteral("--repair"), DatabaseFile()});
    EXPECT_EQ(run.exitCode, 1) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("repaired: set 1 EventCount values")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("not mended: EventDates %1 on \"abc\": not a date").arg(id)));
    EXPECT_TRUE(run.out.contains(QStringLiteral("not mended: Events %1 \"no start\"").arg(broken)));
    EXPECT_FALSE(run.out.contains(QStringLiteral("added")));
    EXPECT_FALSE(run.out.contains(QStringLiteral(": ok")));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Dates")), 2);
    EXPECT_EQ(DayCount(QStringLiteral("2026-12-07")), 1);
}

TEST_F(CheckInvariants, AFailedRepairSaysNothingWasChanged)
{
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("a")), {QDate(2004, 1, 5)}, id));
    Raw(QStringLiteral("UPDATE Dates SET EventCount = 5"));
    Raw(QStringLiteral("INSERT INTO EventDates VALUES (777, '2004-01-06')"));
    // The count's update fails after the orphan is gone, as on a full disk.
    Raw(QStringLiteral("CREATE TRIGGER full BEFORE UPDATE ON Dates BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));

    const ToolRun run = RunTool({QStringLiteral("check"), QStringLiteral("--repair"), DatabaseFile()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.out.contains(QStringLiteral("repaired:"))) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("the repair failed and nothing was changed: database or disk is full")))
        << run.err.toStdString();
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-05")), 5);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM EventDates")), 2);
}

} // namespace

} // namespace quillon
