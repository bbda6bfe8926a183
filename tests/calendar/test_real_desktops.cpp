// The calendar against real desktop programs on a private X display: what the user
// would see on the screen, not what a stand-in tool was told.
#include "CalendarRunFixture.h"
#include "DesktopSession.h"

#include "basDateText.h"
#include "basQuillon.h"

#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>
#include <functional>
#include <memory>

namespace quillon {

namespace {
using calendartest::CalendarRun;
using calendartest::DesktopSession;
using calendartest::RunResult;
using calendartest::ShareShowing;

constexpr int kShowsWithinMs = 5000;
constexpr double kShowing = 0.9;
constexpr int kShellStartsWithinMs = 30000; // a full shell drawing with software GL
const QString kActivityManager = QStringLiteral("/usr/lib/x86_64-linux-gnu/libexec/kactivitymanagerd");

class RealDesktop : public CalendarRun {
protected:
    // Starts the display and bus, or skips the test, naming what is not installed.
    void StartSession(const QStringList &programs, int monitors = 1)
    {
        StartSession(programs, QList<QSize>(monitors, DesktopSession::kMonitor));
    }

    void StartSession(const QStringList &programs, const QList<QSize> &monitors)
    {
        const QStringList missing =
            DesktopSession::Missing(QStringList{QStringLiteral("Xvfb"), QStringLiteral("dbus-daemon"),
                                                QStringLiteral("import"), QStringLiteral("xprop")}
                                    + programs);
        if (!missing.isEmpty())
            GTEST_SKIP() << "not installed here: " << qPrintable(missing.join(QStringLiteral(", ")))
                         << " (.ci/install-deps installs them)";
        if (monitors.size() > 1 && !DesktopSession::TwoMonitorsMissing().isEmpty())
            GTEST_SKIP() << "no two monitors here: " << qPrintable(DesktopSession::TwoMonitorsMissing());
        session = std::make_unique<DesktopSession>(TempPath(QStringLiteral("home")), monitors);
        heads = monitors;
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

    // Waits until the one monitor shows the wallpaper the calendar drew; the share of it shown.
    double WaitForCalendar(int timeoutMs = kShowsWithinMs)
    {
        return WaitForEachMonitor(std::vector<QImage>{Wallpaper()}, timeoutMs);
    }

    // The same for a desktop that needs a nudge until it shows its background (an
    // overview to leave): nudge runs after each screenshot that does not show it yet.
    double WaitForCalendarWhile(int timeoutMs, const std::function<void()> &nudge)
    {
        const QImage drawn = Wallpaper();
        const QImage shot = session->WaitForScreen(
            [&](const QImage &screen) {
                if (ShareShowing(screen, drawn) >= kShowing)
                    return true;
                nudge();
                return false;
            },
            timeoutMs);
        return ShareShowing(shot, drawn);
    }

    QString Gsettings(const QStringList &arguments)
    {
        QString output;
        session->Run(QStringLiteral("gsettings"), arguments, &output);
        return output.trimmed();
    }

    // Polls Cinnamon's own run state until it is past its start (2, "running").
    bool WaitForCinnamonRunning()
    {
        const QStringList call{QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--dest"),
                               QStringLiteral("org.Cinnamon"), QStringLiteral("--object-path"), QStringLiteral("/org/Cinnamon"),
                               QStringLiteral("--method"), QStringLiteral("org.Cinnamon.GetRunState")};
        QDeadlineTimer deadline(kShellStartsWithinMs);
        bool answered = false;
        for (QString state; !deadline.hasExpired(); QThread::msleep(200)) {
            if (session->Run(QStringLiteral("gdbus"), call, &state) != 0) {
                if (answered)
                    return false; // it answered and is gone: it went away while starting
                continue;
            }
            answered = true;
            if (state.trimmed() == QLatin1String("(2,)"))
                return true;
        }
        return false;
    }

    QString Xfconf(const QStringList &arguments)
    {
        QString output;
        session->Run(QStringLiteral("xfconf-query"), QStringList{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")} + arguments,
                     &output);
        return output;
    }

    bool StartXfdesktop() { return session->Launch(QStringLiteral("xfdesktop"), {QStringLiteral("--disable-wm-check")}); }

    bool StartLauncher(const QString &desktop)
    {
        Option("DisplaySchedulerOnStart", QStringLiteral("0"));
        QProcessEnvironment launcherEnv;
        launcherEnv.insert(QStringLiteral("XDG_CONFIG_HOME"), qEnvironmentVariable("XDG_CONFIG_HOME"));
        launcherEnv.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), desktop);
        return session->Launch(QStringLiteral(QUILLON_PROGRAM_DIR "/quillon"), {}, launcherEnv);
    }

    // LXQt's desktop, up once it holds its name on the session bus.
    bool StartLxqtDesktop()
    {
        return session->Launch(QStringLiteral("pcmanfm-qt"), {QStringLiteral("--desktop")})
            && session->WaitForBusName(QStringLiteral("org.pcmanfm.PCManFM"), kShowsWithinMs);
    }

    void WaitForWallpaperFile()
    {
        for (int waited = 0; !QFile::exists(WallpaperPath()) && waited < kShowsWithinMs; waited += 100)
            QThread::msleep(100);
    }

    // Each monitor's part of the screen against the file drawn for it, which must have
    // the monitor's own size (a picture of another shape would show stretched); the
    // share of the monitor that shows least of it.
    double WaitForEachMonitor(const QStringList &files)
    {
        std::vector<QImage> drawn;
        for (int m = 0; m < heads.size(); ++m) {
            drawn.push_back(QImage(files[m]).convertToFormat(QImage::Format_RGB32));
            EXPECT_EQ(drawn.back().size(), heads[m]) << qPrintable(files[m]);
        }
        return WaitForEachMonitor(drawn);
    }

    double WaitForEachMonitor(const std::vector<QImage> &drawn, int timeoutMs = kShowsWithinMs)
    {
        auto least = [&](const QImage &shot) {
            double share = 1.0;
            for (int m = 0, x = 0; m < heads.size(); x += heads[m].width(), ++m)
                share = std::min(share, ShareShowing(shot.copy(QRect(QPoint(x, 0), heads[m])), drawn[m]));
            return share;
        };
        return least(session->WaitForScreen([&](const QImage &shot) { return least(shot) >= kShowing; }, timeoutMs));
    }

    QStringList MonitorFiles() const
    {
        QStringList files{WallpaperPath()};
        for (int m = 1; m < heads.size(); ++m)
            files.append(TempPath(QStringLiteral("wallpaper.DUMMY%1.bmp").arg(m)));
        return files;
    }

    std::unique_ptr<DesktopSession> session;
    QList<QSize> heads;
};

// Monitors of three shapes, one of them portrait.
const QList<QSize> kThreeShapes = {DesktopSession::kMonitor, QSize(1024, 768), QSize(600, 800)};

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

// Each monitor has its own backdrop; a new user's first drawing makes one for both.
TEST_F(RealDesktop, XfceOnTwoMonitors)
{
    StartSession({QStringLiteral("xfdesktop"), QStringLiteral("xfconf-query")}, 2);
    ASSERT_TRUE(session->SetWorkspaces(2, 1));
    Option("CalendarMonitors", QStringLiteral("All"));
    const RunResult run = RunCalendar(QStringLiteral("XFCE"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    ASSERT_TRUE(StartXfdesktop());
    EXPECT_GE(WaitForEachMonitor(MonitorFiles()), kShowing);
}

// Xfce takes a file for each monitor: each shows the month at its own shape.
TEST_F(RealDesktop, XfceShowsEachMonitorItsOwnMonth)
{
    StartSession({QStringLiteral("xfdesktop"), QStringLiteral("xfconf-query")}, kThreeShapes);
    ASSERT_TRUE(session->SetWorkspaces(1, 0));
    Option("CalendarMonitors", QStringLiteral("All"));
    const RunResult run = RunCalendar(QStringLiteral("XFCE"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    ASSERT_TRUE(StartXfdesktop());
    EXPECT_GE(WaitForEachMonitor(MonitorFiles()), kShowing);
}

// Under feh, by default, the month is on the primary monitor and the others show the
// background alone, each at its own size.
TEST_F(RealDesktop, FehShowsTheMonthOnThePrimaryAndTheBackgroundOnTheOthers)
{
    StartSession({QStringLiteral("feh")}, kThreeShapes);
    const RunResult run = RunCalendar(QString());
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const QStringList files = MonitorFiles();
    const QImage screen = session->WaitForScreen(
        [&](const QImage &shot) { return ShareShowing(shot.copy(QRect(QPoint(), heads[0])), Wallpaper()) >= kShowing; },
        kShowsWithinMs);
    EXPECT_GE(ShareShowing(screen.copy(QRect(QPoint(), heads[0])), Wallpaper()), kShowing);
    for (int m = 1, x = heads[0].width(); m < heads.size(); x += heads[m].width(), ++m) {
        const QImage background(files[m]);
        EXPECT_EQ(background.size(), heads[m]);
        const QRgb orange = qRgb(255, 153, 51);
        EXPECT_EQ(background.pixel(background.width() / 2, background.height() / 3), orange) << m;
        EXPECT_EQ(screen.pixel(x + heads[m].width() / 2, heads[m].height() / 3), orange) << m;
    }
}

// GNOME Shell itself, on X11. It looks for the login manager on the system bus and
// stops without one: a bus of the session's own stands in.
TEST_F(RealDesktop, GnomeShellShowsTheMonthInLightAndDarkStyle)
{
    StartSession({QStringLiteral("gnome-shell"), QStringLiteral("gsettings"), QStringLiteral("xdotool")});
    QString error;
    ASSERT_TRUE(session->StartSystemBus(error)) << qPrintable(error);
    const RunResult before = RunCalendar(QStringLiteral("GNOME"));
    ASSERT_EQ(before.exitCode, 0) << qPrintable(before.err);
    QProcessEnvironment shellEnv;
    shellEnv.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
    ASSERT_TRUE(session->Launch(QStringLiteral("gnome-shell"), {QStringLiteral("--x11"), QStringLiteral("--replace")}, shellEnv));
    ASSERT_TRUE(session->WaitForBusName(QStringLiteral("org.gnome.Shell"), kShellStartsWithinMs));
    // It opens on its overview, which Escape leaves for the desktop.
    auto showing = [this] {
        return WaitForCalendarWhile(kShellStartsWithinMs, [this] {
            session->Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Escape")});
        });
    };
    EXPECT_GE(showing(), kShowing) << "set before the shell started";

    Gsettings({QStringLiteral("set"), QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("color-scheme"),
               QStringLiteral("prefer-dark")});
    Option("WallpaperColor", QStringLiteral("3381555")); // a green: the old picture no longer passes
    const RunResult dark = RunCalendar(QStringLiteral("GNOME"));
    ASSERT_EQ(dark.exitCode, 0) << qPrintable(dark.err);
    EXPECT_GE(showing(), kShowing) << "set while the shell runs, in the dark style";
    const QString background = QStringLiteral("org.gnome.desktop.background");
    EXPECT_EQ(Gsettings({QStringLiteral("get"), background, QStringLiteral("picture-uri-dark")}),
              Gsettings({QStringLiteral("get"), background, QStringLiteral("picture-uri")}));
}

// Cinnamon itself with its background daemon, which draws once the session runs: a
// session manager of the test's own says it does.
TEST_F(RealDesktop, CinnamonShowsTheMonthSetBeforeAndWhileItRuns)
{
    StartSession({QStringLiteral("cinnamon"), QStringLiteral("csd-background"), QStringLiteral("gsettings"),
                  QStringLiteral("gdbus")});
    QString error;
    ASSERT_TRUE(session->StartSystemBus(error)) << qPrintable(error);
    const RunResult before = RunCalendar(QStringLiteral("X-Cinnamon"));
    ASSERT_EQ(before.exitCode, 0) << qPrintable(before.err);
    QProcessEnvironment cinnamonEnv;
    cinnamonEnv.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("X-Cinnamon"));
    ASSERT_TRUE(session->Launch(QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_fake_session_manager"), {}));
    ASSERT_TRUE(session->WaitForBusName(QStringLiteral("org.gnome.SessionManager"), kShowsWithinMs));
    ASSERT_TRUE(session->Launch(QStringLiteral("cinnamon"), {QStringLiteral("--replace")}, cinnamonEnv));
    ASSERT_TRUE(session->Launch(QStringLiteral("csd-background"), {}, cinnamonEnv));
    EXPECT_GE(WaitForCalendarWhile(kShellStartsWithinMs, [] {}), kShowing) << "set before Cinnamon started";
    // Its background daemon misses a change made while the shell still starts (the
    // picture stays the old one for good): "while it runs" is once the shell says so.
    // Here, without a GPU, the shell now and then goes away some seconds into its start,
    // before anything is asked of it; started once more, it comes up.
    if (!WaitForCinnamonRunning()) {
        ASSERT_TRUE(session->Launch(QStringLiteral("cinnamon"), {QStringLiteral("--replace")}, cinnamonEnv));
        ASSERT_TRUE(WaitForCinnamonRunning());
    }

    Option("WallpaperColor", QStringLiteral("3381555")); // a green: the old picture no longer passes
    const RunResult during = RunCalendar(QStringLiteral("X-Cinnamon"));
    ASSERT_EQ(during.exitCode, 0) << qPrintable(during.err);
    EXPECT_GE(WaitForCalendar(kShellStartsWithinMs), kShowing) << "set while Cinnamon runs";
    EXPECT_EQ(Gsettings({QStringLiteral("get"), QStringLiteral("org.cinnamon.desktop.background"),
                         QStringLiteral("picture-options")}),
              QStringLiteral("'stretched'"));
}

// KDE Plasma itself (kwin and plasmashell). Its tool cannot set a wallpaper before the
// shell runs: the launcher, started first, sets it on one of its later tries.
TEST_F(RealDesktop, PlasmaShowsTheMonthSetBeforeItIsUpAndWhileItRuns)
{
    StartSession({QStringLiteral("plasmashell"), QStringLiteral("kwin_x11"), QStringLiteral("plasma-apply-wallpaperimage")});
    ASSERT_TRUE(StartLauncher(QStringLiteral("KDE")));
    WaitForWallpaperFile();
    QProcessEnvironment plasmaEnv;
    plasmaEnv.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("KDE"));
    ASSERT_TRUE(session->Launch(QStringLiteral("kwin_x11"), {QStringLiteral("--replace")}, plasmaEnv));
    // plasmashell abandons its desktop ("Aborting shell load: The activity manager daemon
    // (kactivitymanagerd) is not running") when the bus starts that daemon too slowly for
    // it, as a loaded machine does: it is up first, as in a Plasma session.
    if (QFile::exists(kActivityManager)) {
        ASSERT_TRUE(session->Launch(kActivityManager, {}, plasmaEnv));
        ASSERT_TRUE(session->WaitForBusName(QStringLiteral("org.kde.ActivityManager"), kShellStartsWithinMs));
    }
    ASSERT_TRUE(session->Launch(QStringLiteral("plasmashell"), {}, plasmaEnv));
    EXPECT_GE(WaitForCalendar(2 * kShellStartsWithinMs), kShowing) << "set by the launcher once the shell was up";

    Option("WallpaperColor", QStringLiteral("3381555")); // a green: the old picture no longer passes
    const RunResult during = RunCalendar(QStringLiteral("KDE"));
    ASSERT_EQ(during.exitCode, 0) << qPrintable(during.err);
    EXPECT_GE(WaitForCalendar(kShellStartsWithinMs), kShowing) << "set while the shell runs";
}

// MATE takes one picture for all monitors: it spans them, each monitor showing its part.
TEST_F(RealDesktop, MateSpansOnePictureOverMonitorsOfDifferentShapes)
{
    StartSession({QStringLiteral("caja"), QStringLiteral("gsettings")}, kThreeShapes);
    Option("CalendarMonitors", QStringLiteral("All"));
    const RunResult run = RunCalendar(QStringLiteral("MATE"));
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    ASSERT_TRUE(session->Launch(QStringLiteral("caja"), {QStringLiteral("-n"), QStringLiteral("--force-desktop")}));
    const QImage spanned = Wallpaper();
    ASSERT_EQ(spanned.size(), QSize(1280 + 1024 + 600, 800));
    std::vector<QImage> parts;
    for (int m = 0, x = 0; m < heads.size(); x += heads[m].width(), ++m)
        parts.push_back(spanned.copy(QRect(QPoint(x, 0), heads[m])));
    EXPECT_GE(WaitForEachMonitor(parts), kShowing);
    QString options;
    session->Run(QStringLiteral("gsettings"), {QStringLiteral("get"), QStringLiteral("org.mate.background"),
                                               QStringLiteral("picture-options")}, &options);
    EXPECT_EQ(options.trimmed(), QStringLiteral("'spanned'"));
}

// MATE keeps the picture in its settings, which its desktop reads when it starts and
// follows while it runs.
TEST_F(RealDesktop, MateShowsTheMonthSetBeforeAndWhileCajaRuns)
{
    StartSession({QStringLiteral("caja"), QStringLiteral("gsettings")});
    const RunResult before = RunCalendar(QStringLiteral("MATE"));
    ASSERT_EQ(before.exitCode, 0) << qPrintable(before.err);
    ASSERT_TRUE(session->Launch(QStringLiteral("caja"), {QStringLiteral("-n"), QStringLiteral("--force-desktop")}));
    EXPECT_GE(WaitForCalendar(), kShowing) << "calendar run before the desktop started";

    SetToday(QDate(2026, 12, 8));
    ASSERT_EQ(RunCalendar(QStringLiteral("MATE")).exitCode, 0);
    EXPECT_GE(WaitForCalendar(), kShowing) << "second drawing";
}

// pcmanfm-qt takes a wallpaper only from a running desktop and says nothing when there
// is none: before the desktop is up the calendar says "not ready", and a retry once it
// is up shows the month.
TEST_F(RealDesktop, LxqtTakesTheMonthOnceItsDesktopRuns)
{
    StartSession({QStringLiteral("pcmanfm-qt")});
    const RunResult early = RunCalendar(QStringLiteral("LXQt"));
    EXPECT_EQ(early.exitCode, 3) << qPrintable(early.err);
    EXPECT_TRUE(early.err.contains(QLatin1String("not running yet"))) << qPrintable(early.err);

    ASSERT_TRUE(StartLxqtDesktop());
    const RunResult retry = RunCalendar(QStringLiteral("LXQt"));
    ASSERT_EQ(retry.exitCode, 0) << qPrintable(retry.err);
    EXPECT_GE(WaitForCalendar(), kShowing);
}

// The login race end to end: the launcher's first drawing of the day comes before the
// desktop is up, and its next tries set the month once the desktop is there.
TEST_F(RealDesktop, LauncherStartedBeforeTheDesktopSetsTheMonthOnceItIsUp)
{
    StartSession({QStringLiteral("pcmanfm-qt")});
    ASSERT_TRUE(StartLauncher(QStringLiteral("LXQt")));
    QThread::msleep(1500); // the first drawing and the first retry find no desktop
    ASSERT_TRUE(QFile::exists(WallpaperPath()));

    ASSERT_TRUE(session->Launch(QStringLiteral("pcmanfm-qt"), {QStringLiteral("--desktop")}));
    EXPECT_GE(WaitForCalendar(3 * kShowsWithinMs), kShowing);
    EXPECT_FALSE(ErrorLog().contains(QLatin1String("WaitForDesktop"))) << qPrintable(ErrorLog());
}

// pcmanfm-qt forgets a wallpaper set from outside when it restarts, so a second login
// the same day draws the month again instead of leaving the desktop black.
TEST_F(RealDesktop, LauncherOnLxqtDrawsAgainAtASecondLoginTheSameDay)
{
    StartSession({QStringLiteral("pcmanfm-qt")});
    Option(basQuillon::kLastStartUpDate, basDateText::FormatDateText(basPlatform::Today()));
    ASSERT_TRUE(StartLxqtDesktop());
    ASSERT_TRUE(StartLauncher(QStringLiteral("LXQt")));
    WaitForWallpaperFile();
    EXPECT_GE(WaitForCalendar(), kShowing);
}

// A desktop that restarts while the launcher runs (after a crash, say) is given the
// month again at once, not left black until the next day.
TEST_F(RealDesktop, LauncherOnLxqtDrawsAgainWhenTheDesktopRestarts)
{
    StartSession({QStringLiteral("pcmanfm-qt")});
    ASSERT_TRUE(StartLxqtDesktop());
    ASSERT_TRUE(StartLauncher(QStringLiteral("LXQt")));
    WaitForWallpaperFile();
    ASSERT_GE(WaitForCalendar(), kShowing);

    ASSERT_EQ(session->Run(QStringLiteral("pcmanfm-qt"), {QStringLiteral("--quit")}), 0);
    const QImage drawn = Wallpaper();
    ASSERT_LT(ShareShowing(session->WaitForScreen([&](const QImage &shot) { return ShareShowing(shot, drawn) < 0.5; },
                                                  kShowsWithinMs),
                           drawn),
              0.5);
    ASSERT_TRUE(StartLxqtDesktop());
    EXPECT_GE(WaitForCalendar(), kShowing);
}

} // namespace

} // namespace quillon
