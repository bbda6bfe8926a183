// The calendar against real desktop programs on a private X display: what the user
// would see on the screen, not what a stand-in tool was told.
#include "CalendarRunFixture.h"
#include "DesktopSession.h"

#include <QThread>

#include <memory>

namespace {
using calendartest::CalendarRun;
using calendartest::DesktopSession;
using calendartest::RunResult;
using calendartest::ShareShowing;

constexpr int kShowsWithinMs = 5000;
constexpr double kShowing = 0.9;

class RealDesktop : public CalendarRun {
protected:
    // Starts the display and bus, or skips the test, naming what is not installed.
    void StartSession(const QStringList &programs)
    {
        const QStringList missing =
            DesktopSession::Missing(QStringList{QStringLiteral("Xvfb"), QStringLiteral("dbus-daemon"),
                                                QStringLiteral("import"), QStringLiteral("xprop")}
                                    + programs);
        if (!missing.isEmpty())
            GTEST_SKIP() << "not installed here: " << qPrintable(missing.join(QStringLiteral(", ")))
                         << " (.ci/install-deps installs them)";
        session = std::make_unique<DesktopSession>(TempPath(QStringLiteral("home")));
        QString error;
        ASSERT_TRUE(session->Start(error)) << qPrintable(error);
        // A colour no desktop starts with, and events, so the month is easy to tell.
        Option("WallpaperColor", QStringLiteral("3381759")); // orange
        CreateDatabase();
        AddEvent(QStringLiteral("Staff meeting"), false, QStringLiteral("9:30 AM"), QDate(2026, 12, 7));
        AddEvent(QStringLiteral("Advent concert"), true, QString(), QDate(2026, 12, 13));
    }

    RunResult RunCalendar(const QString &desktop, const QProcessEnvironment &overrides = {})
    {
        m_desktopEnv = session->Environment();
        // The calendar keeps the test's settings; the desktop's own live in its home.
        m_desktopEnv.insert(QStringLiteral("XDG_CONFIG_HOME"), qEnvironmentVariable("XDG_CONFIG_HOME"));
        if (!desktop.isEmpty())
            m_desktopEnv.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), desktop);
        m_desktopEnv.insert(overrides);
        return Run();
    }

    // Waits until the screen shows the wallpaper the calendar drew.
    double WaitForCalendar()
    {
        const QImage drawn = Wallpaper();
        const QImage screen =
            session->WaitForScreen([&](const QImage &shot) { return ShareShowing(shot, drawn) >= kShowing; },
                                   kShowsWithinMs);
        return ShareShowing(screen, drawn);
    }

    QString Xfconf(const QStringList &arguments)
    {
        QString output;
        session->Run(QStringLiteral("xfconf-query"), QStringList{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")} + arguments,
                     &output);
        return output;
    }

    bool StartXfdesktop() { return session->Launch(QStringLiteral("xfdesktop"), {QStringLiteral("--disable-wm-check")}); }

    std::unique_ptr<DesktopSession> session;
};

TEST_F(RealDesktop, FehPaintsTheRootWindowAndSetsItsPixmap)
{
    StartSession({QStringLiteral("feh")});
    const RunResult run = RunCalendar(QString()); // a bare X11 session
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_FALSE(run.err.contains(QLatin1String("not set"))) << qPrintable(run.err);

    QString property;
    session->Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_XROOTPMAP_ID")}, &property);
    EXPECT_TRUE(property.contains(QLatin1String("pixmap id # 0x"))) << qPrintable(property);
    EXPECT_GE(WaitForCalendar(), kShowing);
}

// At login the launcher's redraw races the desktop's start: the calendar may run
// before xfdesktop has listed any backdrop, or just after it started.
TEST_F(RealDesktop, XfceShowsTheMonthWhicheverStartsFirst)
{
    StartSession({QStringLiteral("xfdesktop"), QStringLiteral("xfconf-query")});
    ASSERT_TRUE(session->SetWorkspaces(1, 0));

    const RunResult before = RunCalendar(QStringLiteral("XFCE"));
    ASSERT_EQ(before.exitCode, 0) << qPrintable(before.err);
    EXPECT_TRUE(Xfconf({QStringLiteral("-l")}).contains(QLatin1String("/workspace0/last-image")));
    ASSERT_TRUE(StartXfdesktop());
    EXPECT_GE(WaitForCalendar(), kShowing) << "calendar run before the desktop started";
}

TEST_F(RealDesktop, XfceShowsTheMonthWhenTheCalendarRunsJustAfterTheDesktop)
{
    StartSession({QStringLiteral("xfdesktop"), QStringLiteral("xfconf-query")});
    ASSERT_TRUE(session->SetWorkspaces(1, 0));
    ASSERT_TRUE(StartXfdesktop());
    QThread::msleep(500);
    const RunResult run = RunCalendar(QStringLiteral("XFCE"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_GE(WaitForCalendar(), kShowing);

    // The next day's drawing replaces it on the running desktop.
    SetToday(QDate(2026, 12, 8));
    ASSERT_EQ(RunCalendar(QStringLiteral("XFCE")).exitCode, 0);
    EXPECT_GE(WaitForCalendar(), kShowing) << "second drawing";
}

// With no settings service to ask, the desktop is not up yet: the bitmap is drawn
// and the exit code tells the launcher to try again.
TEST_F(RealDesktop, XfceWithoutItsSettingsServiceIsNotReadyYet)
{
    StartSession({QStringLiteral("xfconf-query")});
    QProcessEnvironment noBus;
    noBus.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=") + TempPath(QStringLiteral("no-bus")));
    const RunResult run = RunCalendar(QStringLiteral("XFCE"), noBus);
    EXPECT_EQ(run.exitCode, 3) << qPrintable(run.err);
    EXPECT_TRUE(run.err.contains(QLatin1String("wallpaper was not set: xfconf-query failed"))) << qPrintable(run.err);
    EXPECT_FALSE(Wallpaper().isNull());
}

// Xfce shows one workspace's backdrop on all of them unless told otherwise; the
// calendar is made for that one and for the current one.
TEST_F(RealDesktop, XfceOnTheSecondOfTwoWorkspaces)
{
    StartSession({QStringLiteral("xfdesktop"), QStringLiteral("xfconf-query")});
    ASSERT_TRUE(session->SetWorkspaces(2, 1));
    const RunResult run = RunCalendar(QStringLiteral("XFCE"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    ASSERT_TRUE(StartXfdesktop());
    EXPECT_GE(WaitForCalendar(), kShowing) << "one backdrop for every workspace";

    Xfconf({QStringLiteral("-p"), QStringLiteral("/backdrop/single-workspace-mode"), QStringLiteral("-n"),
            QStringLiteral("-t"), QStringLiteral("bool"), QStringLiteral("-s"), QStringLiteral("false")});
    EXPECT_GE(WaitForCalendar(), kShowing) << "each workspace its own backdrop";
}

} // namespace
