// Two processes on one file: a reader while another program saves, a save killed in
// the middle, and the file replaced or deleted under an open store.
#include "StoreTest.h"

#include "EventStore.h"
#include "basSchema.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>

namespace quillon {

namespace {
using quillontest::StoreTest;

const QString kWriter = QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_db_writer");
const QString kTool = QStringLiteral(QUILLON_PROGRAM_DIR "/quillon-db");
constexpr int kDaysPerEvent = 365;

class TwoProcesses : public StoreTest {
protected:
    // Reads January 2027 as the renderer does; every event found must be whole.
    void ReadMonth(QSet<qint64> &verified)
    {
        QList<basDatabase::DatedEvent> events;
        ASSERT_TRUE(store.GetEventsInRange(QDate(2027, 1, 1), QDate(2027, 1, 31), events));
        for (const basDatabase::DatedEvent &dated : std::as_const(events)) {
            const qint64 id = dated.Event.EventID;
            if (verified.contains(id))
                continue;
            QList<QDate> dates;
            ASSERT_TRUE(store.GetAllDatesForEvent(id, dates));
            ASSERT_EQ(dates.size(), kDaysPerEvent) << "event " << id << " seen with part of its dates";
            verified.insert(id);
        }
    }
};

TEST_F(TwoProcesses, ReaderNeverWaitsOutNorSeesAPartialEvent)
{
    QProcess writer;
    writer.start(kWriter, {QStringLiteral("200"), QString::number(kDaysPerEvent), QStringLiteral("1/1/2027")});
    ASSERT_TRUE(writer.waitForStarted());
    QSet<qint64> verified;
    int passes = 0;
    while (writer.state() != QProcess::NotRunning) {
        ReadMonth(verified);
        if (HasFatalFailure())
            break;
        ++passes;
        writer.waitForFinished(1);
    }
    ASSERT_EQ(writer.state(), QProcess::NotRunning);
    EXPECT_EQ(writer.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    ReadMonth(verified);
    EXPECT_EQ(verified.size(), 200);
    EXPECT_GT(passes, 1);
    EXPECT_TRUE(messages.empty()) << messages.front().text.toStdString(); // no "database is locked"
}

TEST_F(TwoProcesses, SaveKilledInTheMiddleLeavesAConsistentFile)
{
    for (int round = 0; round < 3; ++round) {
        QProcess writer;
        writer.start(kWriter, {QStringLiteral("1000"), QString::number(kDaysPerEvent), QStringLiteral("1/1/2027")});
        ASSERT_TRUE(writer.waitForStarted());
        // Wait for the first finished save, then strike somewhere inside a later one.
        QElapsedTimer waited;
        waited.start();
        while (!writer.readAllStandardOutput().contains("saved") && waited.elapsed() < 20000)
            writer.waitForReadyRead(100);
        QThread::msleep(QRandomGenerator::global()->bounded(3u, 40u));
        ASSERT_EQ(writer.state(), QProcess::Running) << "the writer ended before it was killed";
        writer.kill(); // SIGKILL
        ASSERT_TRUE(writer.waitForFinished(10000));
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit);
    }
    QProcess check;
    check.start(kTool, {QStringLiteral("check"), DatabaseFile()});
    ASSERT_TRUE(check.waitForFinished(60000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString()
                                   << check.readAllStandardError().toStdString();
    EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM Events")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Events v WHERE (SELECT COUNT(*) FROM EventDates e "
                                   "WHERE e.EventId = v.EventID) <> ?"),
                    {kDaysPerEvent}),
              0);
    // The store carries on where the killed writer stopped.
    qint64 id = 0;
    EXPECT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("after")), {QDate(2027, 1, 1)}, id));
}

// A copy restored over the open store, then the store deleted: each write after it is
// refused with the reason, the old journal never reaches the new file, and writes go to
// the file now there.
TEST_F(TwoProcesses, AFileReplacedOrDeletedUnderTheStoreIsNoticedBeforeAnyWrite)
{
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("old")), {QDate(2027, 1, 1)}, id));
    const QString copy = TempPath(QStringLiteral("copy.sqlite"));
    {
        QString error;
        ASSERT_TRUE(basSchema::CreateDatabaseFile(copy, error)) << error.toStdString();
        basDatabase::EventStore other;
        ASSERT_TRUE(other.OpenDatabaseConnection(copy));
        ASSERT_TRUE(other.AddEventToDatabase(Event(QStringLiteral("restored")), {QDate(2027, 1, 2)}, id));
    }
    ASSERT_EQ(std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(DatabaseFile()).constData()), 0);

    EXPECT_FALSE(store.AddEventToDatabase(Event(QStringLiteral("refused")), {QDate(2027, 1, 3)}, id));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("was replaced or deleted while it was open, so this change was not "
                                                         "written. The file now there is open from here on")))
        << messages[0].text.toStdString();
    QProcess check;
    check.start(kTool, {QStringLiteral("check"), DatabaseFile()});
    ASSERT_TRUE(check.waitForFinished(60000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();

    EXPECT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("after")), {QDate(2027, 1, 4)}, id));
    QList<basDatabase::DatedEvent> events;
    ASSERT_TRUE(store.GetEventsInRange(QDate(2027, 1, 1), QDate(2027, 1, 31), events));
    QStringList names;
    for (const auto &dated : std::as_const(events))
        names << dated.Event.EventName;
    EXPECT_EQ(names, (QStringList{QStringLiteral("restored"), QStringLiteral("after")}));

    ASSERT_TRUE(QFile::remove(DatabaseFile()));
    EXPECT_FALSE(store.UpdateDateNotes(QDate(2027, 1, 5), QStringLiteral("lost?")));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].text.contains(QStringLiteral("nothing can be stored until it is back"))) << messages[1].text.toStdString();
    EXPECT_FALSE(QFile::exists(DatabaseFile())); // never made anew, empty
}

} // namespace

} // namespace quillon
