// The real quillon program: one copy per user, and without a display one drawing of
// the calendar instead of a tray icon.
#include "QuillonTestEnvironment.h"

#include "basQuillon.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace quillon {

namespace {
using quillontest::QuillonTest;

struct ProgramRun {
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};

class QuillonRun : public QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_PROGRAM_DIR "/dbcalndr.sqlite"), TempPath(QStringLiteral("dbcalndr.sqlite"))));
        QFile(TempPath(QStringLiteral("dbcalndr.sqlite"))).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    ProgramRun Start(bool noDisplayAtAll, const QString &program = QStringLiteral(QUILLON_PROGRAM_DIR "/quillon"))
    {
        QProcess process;
        QProcessEnvironment childEnv = QProcessEnvironment::systemEnvironment();
        if (noDisplayAtAll) {
            childEnv.remove(QStringLiteral("QT_QPA_PLATFORM"));
            childEnv.remove(QStringLiteral("DISPLAY"));
            childEnv.remove(QStringLiteral("WAYLAND_DISPLAY"));
        } else {
            childEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        }
        process.setProcessEnvironment(childEnv);
        QElapsedTimer took;
        took.start();
        process.start(program, {});
        ProgramRun run;
        run.finished = process.waitForStarted(10000) && process.waitForFinished(20000);
        if (!run.finished) {
            process.kill();
            process.waitForFinished(2000);
        }
        run.ms = took.elapsed();
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        run.err = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }
    QString Wallpaper() const { return TempPath(QStringLiteral("wallpaper.bmp")); }
};

TEST_F(QuillonRun, WithoutADisplayItDrawsTheCalendarOnceAndEnds)
{
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    for (const bool noDisplayAtAll : {true, false}) {
        QFile::remove(Wallpaper());
        const ProgramRun run = Start(noDisplayAtAll);
        ASSERT_TRUE(run.finished) << qPrintable(run.err);
        EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
        EXPECT_TRUE(run.out.contains(QStringLiteral("drawn once into ") + Wallpaper())) << qPrintable(run.out);
        EXPECT_TRUE(QFileInfo(Wallpaper()).size() > 0);
    }
    // The start of a day that drew nothing is not remembered as a start.
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("LastStartUpDate"), QStringLiteral("none")), QStringLiteral("none"));

    // Switched off: nothing drawn, and it says so.
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("0"));
    QFile::remove(Wallpaper());
    const ProgramRun off = Start(false);
    EXPECT_TRUE(off.finished);
    EXPECT_EQ(off.exitCode, 1);
    EXPECT_TRUE(off.err.contains(QStringLiteral("drew nothing"))) << qPrintable(off.err);
    EXPECT_FALSE(QFile::exists(Wallpaper()));
}

TEST_F(QuillonRun, WithoutTheCalendarProgramItSaysSoAndEnds)
{
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    const QString alone = TempPath(QStringLiteral("alone/quillon"));
    ASSERT_TRUE(QDir().mkpath(TempPath(QStringLiteral("alone"))));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_PROGRAM_DIR "/quillon"), alone));
    const ProgramRun run = Start(false, alone);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Error starting program 'calendar"))) << qPrintable(run.err);
}

TEST_F(QuillonRun, ASecondCopyEndsAtOnce)
{
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    QProcess holder;
    holder.start(QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_hold_lock"), {QStringLiteral("quillon")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));

    const ProgramRun second = Start(false);
    holder.closeWriteChannel();
    holder.waitForFinished(5000);
    ASSERT_TRUE(second.finished);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(second.err.contains(QStringLiteral("already running")));
    EXPECT_FALSE(QFile::exists(Wallpaper()));
}
} // namespace

} // namespace quillon
