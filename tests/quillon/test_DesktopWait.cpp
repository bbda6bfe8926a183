// The launcher waiting for a desktop that cannot take the wallpaper yet: the backoff
// rule on its own, then the launcher driven with a stand-in calendar program that
// ends with the exit codes a test gives it.
#include "LauncherFixture.h"

#include "CalendarRun.h"
#include "DesktopWaitRule.h"
#include "HeadlessRun.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <vector>

namespace quillon {

namespace {
using namespace launchertest;

TEST(DesktopWaitRule, DelaysGrowToTheCapNeverPassTheWindowAndStopAfterIt)
{
    // Every run takes 100 ms and finds the desktop not ready.
    DesktopWaitRule rule(DesktopWaitRule::kDefaultWindowMs, DesktopWaitRule::kDefaultFirstDelayMs);
    std::vector<std::int64_t> delays;
    std::int64_t elapsed = 100;
    while (const auto delay = rule.NextDelay(elapsed)) {
        ASSERT_LT(delays.size(), 100u);
        delays.push_back(*delay);
        elapsed += *delay;
        EXPECT_LE(elapsed, DesktopWaitRule::kDefaultWindowMs);
        elapsed += 100;
    }
    ASSERT_GE(delays.size(), 7u);
    EXPECT_EQ(std::vector<std::int64_t>(delays.begin(), delays.begin() + 7),
              (std::vector<std::int64_t>{1000, 2000, 4000, 8000, 16000, 30000, 30000}));
    EXPECT_EQ(elapsed - 100, DesktopWaitRule::kDefaultWindowMs); // the last try falls on the end

    // Another wait within the window starts from the first delay; after it, none at all.
    rule.Reset();
    EXPECT_EQ(rule.NextDelay(5000), 1000);
    EXPECT_FALSE(DesktopWaitRule(120000, 1000).NextDelay(86400000).has_value());
    EXPECT_FALSE(DesktopWaitRule(0, 1000).NextDelay(0).has_value());
    // A first delay of nothing must not become runs with no pause between them.
    EXPECT_GT(DesktopWaitRule(600, -5).NextDelay(0).value_or(0), 0);
}

class DesktopWait : public LauncherTest {
protected:
    void SetUp() override
    {
        LauncherTest::SetUp();
        m_exits = TempPath(QStringLiteral("exits.txt"));
        env.Set("QUILLON_STUB_EXITS", m_exits.toLocal8Bit());
        Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    }
    // The exit codes the next runs of the stand-in end with, the last one for good.
    void Exits(const char *codes)
    {
        QFile file(m_exits);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(codes);
    }
    // A launcher at its first start of the day: it draws at once.
    frmMain &FirstStartOfTheDay()
    {
        Option(QStringLiteral("LastStartUpDate"), QStringLiteral("12/5/2026"));
        frmMain &form = NewLauncher();
        form.Form_Load();
        return form;
    }
    int Reports() const { return ReadDataFile(QStringLiteral("error.log")).count(QStringLiteral("WaitForDesktop")); }
    bool SettleDown(frmMain &form)
    {
        return QTest::qWaitFor([&] { return !form.CalendarBusy() && !form.DesktopRetry().isActive(); }, 5000);
    }

private:
    QString m_exits;
};

TEST_F(DesktopWait, ADesktopThatComesReadyEndsTheWaitWithoutAReport)
{
    desktopWaitMs = 5000;
    desktopFirstRetryMs = 50;
    Exits("3 3 0");
    frmMain &form = FirstStartOfTheDay();
    EXPECT_EQ(Started(3).size(), 3);
    ASSERT_TRUE(SettleDown(form));
    QTest::qWait(300);
    EXPECT_EQ(StartedSoFar().size(), 3);
    EXPECT_EQ(Reports(), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DesktopWait, ADesktopNeverReadyIsReportedOnceAndTheLauncherGoesOn)
{
    desktopWaitMs = 1500;
    desktopFirstRetryMs = 50;
    Exits("3");
    frmMain &form = FirstStartOfTheDay();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Reports() > 0; }, 5000));
    ASSERT_TRUE(SettleDown(form));
    QTest::qWait(300);
    const int runs = StartedSoFar().size();
    EXPECT_GE(runs, 3);
    EXPECT_LE(runs, 10);
    EXPECT_EQ(Reports(), 1);
    const QString log = ReadDataFile(QStringLiteral("error.log"));
    EXPECT_TRUE(log.contains(QStringLiteral("quillon.exe:frmMain.WaitForDesktop")));
    EXPECT_TRUE(log.contains(QStringLiteral("did not take the wallpaper within")));
    EXPECT_TRUE(log.contains(QStringLiteral("the stand-in desktop is not ready")));
    EXPECT_TRUE(messages.empty()); // logged only: nobody can answer a box at login

    // Still running: the day timer goes on, and a later redraw that finds the desktop
    // not ready is reported at once, with no retries.
    EXPECT_TRUE(form.Timer1().isActive());
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    EXPECT_EQ(Started(runs + 1).size(), runs + 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Reports() == 2; }, 5000));
    EXPECT_FALSE(form.DesktopRetry().isActive());
    QTest::qWait(200);
    EXPECT_EQ(StartedSoFar().size(), runs + 1);
    EXPECT_TRUE(ReadDataFile(QStringLiteral("error.log")).contains(QStringLiteral("was not ready to take the wallpaper")));
    EXPECT_TRUE(messages.empty());
}

TEST_F(DesktopWait, RedrawsNeverOverlapAndTheLastOneIsLetFinish)
{
    const QString busy = TempPath(QStringLiteral("busy"));
    env.Set("QUILLON_STUB_BUSY", busy.toLocal8Bit());
    env.Set("QUILLON_STUB_SLEEP_MS", "300");
    Exits("0");
    Option(QStringLiteral("LastStartUpDate"), QStringLiteral("12/06/2026"));
    frmMain &form = NewLauncher();
    form.Form_Load();

    // Clicked three times during one run: that run, then one more.
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    QTest::qWait(50);
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    ASSERT_TRUE(SettleDown(form));
    EXPECT_EQ(StartedSoFar(), (QStringList{QStringLiteral("calendar"), QStringLiteral("calendar")}));

    // Exit with "Yes" during a run: the clearing run comes after it, not beside it.
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    nextAnswer = basPlatform::MessageResult::Yes;
    quillontest::Find<QAction>(form, "mnuExit")->trigger();
    EXPECT_EQ(quitRequests, 1);
    EXPECT_EQ(Started(4), (QStringList{QStringLiteral("calendar"), QStringLiteral("calendar"),
                                       QStringLiteral("calendar"), QStringLiteral("calendar -1")}));

    // A launcher that goes while a redraw runs leaves it to finish, not killed halfway.
    QTest::qWait(400);
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(busy); }, 5000));
    launcher.reset();
    EXPECT_FALSE(QFileInfo::exists(busy));
    EXPECT_EQ(StartedSoFar().size(), 5);
    EXPECT_EQ(messages.size(), 1u); // the exit question only
}

// A run that hangs or crashes is stopped and reported, and the redraw asked for during it
// still comes.
TEST_F(DesktopWait, ARunThatHangsOrCrashesIsReportedAndTheNextOneStillComes)
{
    calendarTimeoutMs = 400;
    env.Set("QUILLON_STUB_SLEEP_MS", "30000");
    Exits("0");
    Option(QStringLiteral("LastStartUpDate"), QStringLiteral("12/06/2026"));
    frmMain &form = NewLauncher();
    form.Form_Load();
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger(); // queued behind the hanging run
    EXPECT_EQ(Started(2).size(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.size() >= 2; }, 5000));
    ASSERT_TRUE(SettleDown(form));
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("quillon.exe:frmMain.CalendarRun")));
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("The calendar program did not finish within 0.4 seconds and was stopped; "
                                                         "the desktop calendar was not redrawn")))
        << messages[0].text.toStdString();

    messages.clear();
    env.Set("QUILLON_STUB_SLEEP_MS", "0");
    env.Set("QUILLON_STUB_CRASH", "1");
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.empty(); }, 5000));
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("The calendar program ended abnormally (signal 6, Aborted)")))
        << messages[0].text.toStdString();
    EXPECT_EQ(ReadDataFile(QStringLiteral("error.log")).count(QStringLiteral("quillon.exe:frmMain.CalendarRun")), 3);
}

TEST_F(DesktopWait, ACalendarThatCannotStartGivesTheStartErrorAndTheLauncherGoesOn)
{
    Option(QStringLiteral("LastStartUpDate"), QStringLiteral("12/06/2026"));
    frmMain &form = NewLauncher();
    form.Form_Load();
    const QString calendar = form.ProgramFile(QStringLiteral("calendar"));
    const QString error = QStringLiteral("Error starting program '") + QFileInfo(calendar).fileName()
        + QStringLiteral("'.\r\nExit code: ");

    // Missing, then executable but no program at all: the system refuses that one
    // only once the start is under way.
    ASSERT_TRUE(QFile::remove(calendar));
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    QFile file(calendar);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x7f" "ELF but not really\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.size() >= 2; }, 5000));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, error + QStringLiteral("53\r\nThe file ") + calendar + QStringLiteral(" does not exist."));
    EXPECT_TRUE(messages[1].text.startsWith(error + QStringLiteral("75\r\nThe file ") + calendar + QStringLiteral(" cannot be run")));

    // Nothing is left waiting, and the next redraw works once the program is back.
    EXPECT_FALSE(form.CalendarBusy());
    EXPECT_FALSE(form.DesktopRetry().isActive());
    InstallStubs({QStringLiteral("calendar")});
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    EXPECT_EQ(Started(1), QStringList{QStringLiteral("calendar")});
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(DesktopWait, WithoutADisplayADesktopNotReadyStillCountsAsDrawn)
{
    const QString wallpaper = TempPath(QStringLiteral("wallpaper.bmp"));
    env.Set("QUILLON_STUB_TOUCH", wallpaper.toLocal8Bit());
    const QString calendar = frmMain::ProgramFileIn(programFolder, QStringLiteral("calendar"));
    Exits("3 1");
    EXPECT_EQ(HeadlessRun::RenderOnce(calendar), HeadlessRun::kExitDrawn);
    QFile::remove(wallpaper);
    EXPECT_EQ(HeadlessRun::RenderOnce(calendar), HeadlessRun::kExitNotDrawn);
}
} // namespace

} // namespace quillon
