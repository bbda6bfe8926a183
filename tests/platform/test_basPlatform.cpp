#include "QuillonTestEnvironment.h"

#include "basFormControl.h"

#include <QScreen>

#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QWidget>

namespace quillon {

namespace {
using quillontest::QuillonTest;

class Platform : public QuillonTest {};

TEST_F(Platform, ClockFollowsTheFixedValues)
{
    SetNow(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 30)));
    EXPECT_EQ(basPlatform::Today(), QDate(2026, 12, 31));
    EXPECT_EQ(basPlatform::Now().time(), QTime(23, 59, 30));
    env.Unset("QUILLON_NOW");
    env.Set("QUILLON_TODAY", "2004-01-05");
    EXPECT_EQ(basPlatform::Today(), QDate(2004, 1, 5));
    EXPECT_EQ(basPlatform::Now().date(), QDate(2004, 1, 5));
    env.Set("QUILLON_TODAY", "not a date");
    EXPECT_EQ(basPlatform::Today(), QDate::currentDate());
}

TEST_F(Platform, DataFolderIsTheOverrideOrASeededUserFolder)
{
    EXPECT_EQ(basPlatform::DataFolder(), QDir(DataDir()).absolutePath());
    env.Unset("QUILLON_DATA_DIR");
    // The test binary's folder holds no database, so the per-user folder is used.
    const QString user = basPlatform::DataFolder();
    EXPECT_TRUE(user.startsWith(ConfigDir())) << qPrintable(user);
    EXPECT_TRUE(user.endsWith(QStringLiteral("Velmora Software/Quillon Desktop Calendar")));
#ifdef Q_OS_UNIX
    // Made private, and again when found open to others.
    const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    EXPECT_EQ(QFile::permissions(user) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser), owner);
    QFile::setPermissions(user, owner | QFileDevice::ReadOther | QFileDevice::ExeOther);
    basPlatform::DataFolder();
    EXPECT_EQ(QFile::permissions(user) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser), owner);
#endif
}

TEST_F(Platform, SecondInstanceIsRefusedUntilTheFirstEnds)
{
    EXPECT_FALSE(basPlatform::PreviousInstanceRunning(QStringLiteral("unit")));
    EXPECT_FALSE(basPlatform::PreviousInstanceRunning(QStringLiteral("unit"))); // our own lock
    // Another process sees the lock as held.
    QFile lock(basPlatform::RuntimeFolder() + QStringLiteral("/quillon-unit.lock"));
    EXPECT_TRUE(lock.exists());
    basPlatform::ReleaseInstanceLock(QStringLiteral("unit"));
    EXPECT_FALSE(lock.exists());
}

TEST_F(Platform, ProgramRunningInAnotherProcessIsSeen)
{
    QProcess holder;
    holder.start(QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_hold_lock"), {QStringLiteral("other")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    EXPECT_TRUE(basPlatform::PreviousInstanceRunning(QStringLiteral("other")));
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_FALSE(basPlatform::PreviousInstanceRunning(QStringLiteral("other")));
    basPlatform::ReleaseInstanceLock(QStringLiteral("other"));
}

TEST_F(Platform, LockLeftByAProgramThatDiedIsTakenOver)
{
    // The lock file of a process that no longer exists on this host.
    QDir().mkpath(basPlatform::RuntimeFolder());
    QFile stale(basPlatform::RuntimeFolder() + QStringLiteral("/quillon-crashed.lock"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("999999\ncalendar\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    EXPECT_FALSE(basPlatform::PreviousInstanceRunning(QStringLiteral("crashed")));
    basPlatform::ReleaseInstanceLock(QStringLiteral("crashed"));
}

TEST_F(Platform, LockThatNamesNoOwnerIsTakenOverElseTheTemporaryFolderHoldsIt)
{
    const QString runtime = basPlatform::RuntimeFolder();
    QDir().mkpath(runtime);
    auto writeLock = [&](const char *program, const QByteArray &content) {
        QFile file(runtime + QStringLiteral("/quillon-") + QLatin1String(program) + QStringLiteral(".lock"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    writeLock("empty", QByteArray());
    writeLock("garbage", QByteArray("\x01\x02 not a lock\n"));
    ASSERT_TRUE(QDir().mkpath(runtime + QStringLiteral("/quillon-folder.lock")));
    for (const char *program : {"empty", "garbage", "folder"}) {
        EXPECT_FALSE(basPlatform::PreviousInstanceRunning(QLatin1String(program))) << program;
        EXPECT_TRUE(QFileInfo(runtime + QStringLiteral("/quillon-") + QLatin1String(program) + QStringLiteral(".lock")).isFile());
        basPlatform::ReleaseInstanceLock(QLatin1String(program));
    }

    // A lock path the runtime folder cannot free sends the lock to the temporary folder.
    QTemporaryDir temp;
    env.Set("TMPDIR", temp.path().toLocal8Bit());
    ASSERT_TRUE(QDir().mkpath(runtime + QStringLiteral("/quillon-blocked.lock/inside")));
    EXPECT_FALSE(basPlatform::PreviousInstanceRunning(QStringLiteral("blocked")));
    EXPECT_TRUE(QFileInfo(basPlatform::TemporaryFolder() + QStringLiteral("/quillon-blocked.lock")).isFile());
    EXPECT_TRUE(basPlatform::TemporaryFolder().startsWith(temp.path()));
    basPlatform::ReleaseInstanceLock(QStringLiteral("blocked"));

    // No lock anywhere: the program is told to end.
    ASSERT_TRUE(QDir().mkpath(basPlatform::TemporaryFolder() + QStringLiteral("/quillon-blocked.lock/inside")));
    EXPECT_TRUE(basPlatform::PreviousInstanceRunning(QStringLiteral("blocked")));
}

TEST_F(Platform, NonInteractiveMessagesAnswerTheDefault)
{
    basPlatform::MessageHandler saved = basPlatform::SetMessageHandler({});
    EXPECT_EQ(basPlatform::ShowMessage(QStringLiteral("Clear?"), QStringLiteral("T"),
                                       basPlatform::MessageIcon::Question, basPlatform::MessageButtons::YesNo,
                                       basPlatform::MessageResult::No),
              basPlatform::MessageResult::No);
    basPlatform::SetMessageHandler(std::move(saved));
}

TEST_F(Platform, WindowHelpers)
{
    auto *a = new QWidget;
    auto *b = new QWidget;
    a->setGeometry(100, 120, 300, 200);
    a->show();
    b->show();
    const QRect before = a->geometry();
    basFormControl::SetAlwaysOnTop(*a);
    EXPECT_TRUE(a->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(a->geometry(), before);

    // A window larger than its screen, and one off its edge, come within its free area.
    auto *big = new QWidget;
    const QRect area = big->screen()->availableGeometry();
    big->setGeometry(area.left() + 40, area.top() + 40, area.width() * 2, area.height() * 2);
    big->show();
    basFormControl::FitOnScreen(*big);
    EXPECT_TRUE(area.contains(big->frameGeometry())) << big->frameGeometry().width() << "x" << big->frameGeometry().height();
    big->setGeometry(area.right() - 50, area.bottom() - 50, 200, 100);
    basFormControl::FitOnScreen(*big);
    EXPECT_TRUE(area.contains(big->frameGeometry()));
    EXPECT_EQ(big->size(), QSize(200, 100));

    EXPECT_TRUE(basFormControl::LockWindowRedraw(*a));
    EXPECT_FALSE(a->updatesEnabled());
    EXPECT_FALSE(basFormControl::LockWindowRedraw(*b)); // one lock at a time
    basFormControl::UnlockWindowRedraw();
    EXPECT_TRUE(a->updatesEnabled());

    QPointer<QWidget> pa(a), pb(b);
    basFormControl::UnloadAllForms();
    EXPECT_TRUE(pa.isNull());
    EXPECT_TRUE(pb.isNull());
}
} // namespace

} // namespace quillon
