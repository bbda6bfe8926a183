// The real scheduler program, started on the test's own folders and clock.
#include "QuillonTestEnvironment.h"
#include "platform/basPlatform.h"

#include <QFile>
#include <QProcess>

namespace quillon {

namespace {

struct ProgramRun {
    bool finished = false;
    int exitCode = -1;
    QString err;
};

class SchedulerRun : public quillontest::QuillonTest {
protected:
    ProgramRun Start()
    {
        QProcess process;
        QProcessEnvironment childEnv = QProcessEnvironment::systemEnvironment();
        childEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(childEnv);
        process.start(QStringLiteral(QUILLON_PROGRAM_DIR "/scheduler"), {});
        ProgramRun run;
        if (!process.waitForStarted(10000))
            return run;
        run.finished = process.waitForFinished(15000);
        if (!run.finished) {
            process.kill();
            process.waitForFinished(2000);
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.err = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }
};

TEST_F(SchedulerRun, WithoutAUsableDatabaseItEndsAfterOneReport)
{
    const QString file = TempPath(QStringLiteral("dbcalndr.sqlite"));
    // Missing, then not a database at all.
    for (const bool garbage : {false, true}) {
        if (garbage) {
            QFile damaged(file);
            ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
            damaged.write(QByteArray(4096, '\x5a'));
        }
        QFile::remove(TempPath(QStringLiteral("error.log")));
        const ProgramRun run = Start();
        ASSERT_TRUE(run.finished) << "the program kept running without a database";
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err.count(QStringLiteral("An error has occurred.")), 1) << qPrintable(run.err);
        EXPECT_TRUE(run.err.contains(QStringLiteral("dbcalndr.sqlite"))) << qPrintable(run.err);
        EXPECT_EQ(ReadDataFile(QStringLiteral("error.log")).count(QStringLiteral("In module: ")), 1);
    }
}

TEST_F(SchedulerRun, ASecondCopySaysSoAndEnds)
{
    ASSERT_FALSE(basPlatform::PreviousInstanceRunning(QStringLiteral("scheduler"))); // this process runs "the first"
    const ProgramRun run = Start();
    basPlatform::ReleaseInstanceLock(QStringLiteral("scheduler"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Quillon Scheduler is already running."))) << qPrintable(run.err);
    EXPECT_FALSE(run.err.contains(QStringLiteral("An error has occurred.")));
}

} // namespace

} // namespace quillon
