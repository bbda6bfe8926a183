// Two processes on one file: a reader while another program saves, and a save killed
// in the middle.
#include "StoreTest.h"

#include "EventStore.h"

#include <QDate>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>

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

} // namespace
