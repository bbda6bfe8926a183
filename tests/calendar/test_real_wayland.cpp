// The calendar on a real Wayland compositor, run natively (no X server at all), and
// what its screen shows afterwards.
#include "CalendarRunFixture.h"
#include "DesktopSession.h"
#include "WaylandSession.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

#include <memory>

namespace quillon {

namespace {
using calendartest::CalendarRun;
using calendartest::RunResult;
using calendartest::ShareShowing;
using calendartest::WaylandOutput;
using calendartest::WaylandSession;

constexpr int kShowsWithinMs = 5000;
constexpr double kShowing = 0.9;
const QSize kOutput{1280, 800};
constexpr int kShellStartsWithinMs = 30000; // a full shell drawing in software
const QString kActivityManager = QStringLiteral("/usr/lib/x86_64-linux-gnu/libexec/kactivitymanagerd");
const QString kKdeDisplay = QStringLiteral("wayland-kde");
constexpr int kPlasmaPanel = 44;
const QString kGnomeDisplay = QStringLiteral("wayland-gnome");
const QString kGnomeClient = QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_gnome_shell_client");
constexpr int kExact = 12;
const QString kFakeTime = QStringLiteral("/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1");
constexpr int kMinuteCheckMs = 60000; // the launcher's look at the clock
constexpr int kBarHeight = 32;
const QRgb kBar = qRgb(0x20, 0x40, 0x60);
// sway draws a background at a whole-number scale and resamples it to a fractional
// one, which blurs each edge by a pixel; a picture of the wrong size or place still
// shows on under a tenth of the points at this tolerance.
constexpr int kResampled = 64;

class RealWaylandDesktop : public CalendarRun {
protected:
    void StartSway(const QList<WaylandOutput> &outputs = {WaylandOutput{kOutput}}, const QStringList &programs = {},
                   const QByteArray &config = {})
    {
        const QStringList missing = WaylandSession::Missing(programs);
        if (!missing.isEmpty())
            GTEST_SKIP() << "not installed here: " << qPrintable(missing.join(QStringLiteral(", ")))
                         << " (.ci/install-deps installs them)";
        Option("WallpaperColor", QStringLiteral("3381759")); // orange
        CreateDatabase();
        AddEvent(QStringLiteral("Staff meeting"), false, QStringLiteral("9:30 AM"), QDate(2026, 12, 7));
        session = std::make_unique<WaylandSession>(TempPath(QStringLiteral("home")), outputs);
        session->AddConfig(config);
        // Its home lies in the test's folder, which the session user must enter.
        ASSERT_TRUE(session->GiveToSessionUser(TempPath(QString())));
        QString error;
        ASSERT_TRUE(session->Start(error)) << qPrintable(error);
        m_runAs = session->RunAsPrefix();
    }

    RunResult RunCalendar(const QProcessEnvironment &overrides = {})
    {
        // The calendar runs as the compositor's user, on the test's data and settings.
        EXPECT_TRUE(session->GiveToSessionUser(TempPath(QString())));
        EXPECT_TRUE(session->GiveToSessionUser(qEnvironmentVariable("XDG_CONFIG_HOME")));
        m_desktopEnv = session->Environment();
        m_desktopEnv.insert(QStringLiteral("XDG_CONFIG_HOME"), qEnvironmentVariable("XDG_CONFIG_HOME"));
        m_desktopEnv.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("sway"));
        m_desktopEnv.insert(overrides);
        return Run();
    }

    // Waits until the output (the whole screen when none is named) shows the picture.
    double WaitForPicture(const QImage &drawn, const QString &output = QString(), int tolerance = kExact)
    {
        auto share = [&](const QImage &shot) { return ShareShowing(shot, drawn, tolerance); };
        return share(session->WaitForScreen([&](const QImage &shot) { return share(shot) >= kShowing; }, kShowsWithinMs,
                                            output));
    }

    // The same for the wallpaper file, read afresh each time: a launcher still waiting
    // for its desktop draws it again, and a file read while it is written is no picture.
    double WaitForCalendar(int timeoutMs = kShowsWithinMs)
    {
        auto share = [&](const QImage &shot) { return ShareShowing(shot, Wallpaper()); };
        return share(session->WaitForScreen([&](const QImage &shot) { return share(shot) >= kShowing; }, timeoutMs));
    }

    // The launcher as the session's user, on the test's data and settings; with a command
    // before it, run by that (which then runs as the session's user too).
    bool StartLauncher(const QString &desktop, const QProcessEnvironment &overrides = {}, const QStringList &through = {})
    {
        Option("DisplaySchedulerOnStart", QStringLiteral("0"));
        EXPECT_TRUE(session->GiveToSessionUser(TempPath(QString())));
        EXPECT_TRUE(session->GiveToSessionUser(qEnvironmentVariable("XDG_CONFIG_HOME")));
        QProcessEnvironment launcherEnv;
        for (const char *variable : {"QUILLON_DATA_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                     "QUILLON_NONINTERACTIVE"})
            launcherEnv.insert(QLatin1String(variable), qEnvironmentVariable(variable));
        launcherEnv.insert(QStringLiteral("QUILLON_NOW"), m_today.toString(Qt::ISODate) + QStringLiteral("T09:00:00"));
        launcherEnv.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), desktop);
        launcherEnv.insert(overrides);
        const QString launcher = QStringLiteral(QUILLON_PROGRAM_DIR "/quillon");
        if (!through.isEmpty())
            return session->Launch(through.front(), through.mid(1) + QStringList{launcher}, launcherEnv);
        return session->Launch(launcher, {}, launcherEnv);
    }

    // waybar along the top with its tray alone, on a colour nothing else has.
    bool StartWaybar()
    {
        const QString home = TempPath(QStringLiteral("home"));
        QFile config(home + QStringLiteral("/waybar.json"));
        QFile style(home + QStringLiteral("/waybar.css"));
        const bool written =
            config.open(QIODevice::WriteOnly)
            && config.write(QStringLiteral("{\"layer\": \"top\", \"position\": \"top\", \"height\": %1, "
                                           "\"modules-right\": [\"tray\"], \"tray\": {\"icon-size\": 24}}")
                                .arg(kBarHeight)
                                .toUtf8())
                   > 0
            && style.open(QIODevice::WriteOnly)
            && style.write("* { border: none; border-radius: 0; min-height: 0; }\n"
                           "window#waybar { background-color: #204060; }\n")
                   > 0;
        config.close();
        style.close();
        return written && session->GiveToSessionUser(home)
            && session->Launch(QStringLiteral("waybar"), {QStringLiteral("-c"), config.fileName(), QStringLiteral("-s"),
                                                          style.fileName()});
    }

    // The strong red of the launcher's icon's top, which nothing else on a panel has.
    static int RedPixels(const QImage &image)
    {
        int red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                red += qRed(pixel) > 150 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
            }
        return red;
    }

    // Where two screenshots differ; empty where they do not.
    static QRect ChangedBox(const QImage &before, const QImage &after)
    {
        QRect box;
        if (before.size() != after.size())
            return box;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (before.pixel(x, y) != after.pixel(x, y))
                    box |= QRect(x, y, 1, 1);
        return box;
    }

    // The window of that title in sway's tree: its place on the layout, empty when there
    // is none or sway does not show it.
    QRect SwayWindow(const QString &title)
    {
        QString tree;
        session->Run(QStringLiteral("swaymsg"), {QStringLiteral("-t"), QStringLiteral("get_tree")}, &tree);
        std::function<QRect(const QJsonObject &)> find = [&](const QJsonObject &node) -> QRect {
            if (node.value(QStringLiteral("name")).toString() == title && node.value(QStringLiteral("visible")).toBool()) {
                const QJsonObject rect = node.value(QStringLiteral("rect")).toObject();
                return QRect(rect.value(QStringLiteral("x")).toInt(), rect.value(QStringLiteral("y")).toInt(),
                             rect.value(QStringLiteral("width")).toInt(), rect.value(QStringLiteral("height")).toInt());
            }
            for (const char *children : {"nodes", "floating_nodes"})
                for (const QJsonValue &child : node.value(QLatin1String(children)).toArray())
                    if (const QRect found = find(child.toObject()); !found.isEmpty())
                        return found;
            return QRect();
        };
        return find(QJsonDocument::fromJson(tree.toUtf8()).object());
    }

    // What a panel sends the icon for a middle click: the session's input has no
    // pointer to click with, so the call goes to the item the panel's watcher lists.
    bool MiddleClick()
    {
        const QStringList bus{QStringLiteral("call"), QStringLiteral("--session")};
        QString items;
        session->Run(QStringLiteral("gdbus"),
                     bus + QStringList{QStringLiteral("--dest"), QStringLiteral("org.kde.StatusNotifierWatcher"),
                                       QStringLiteral("--object-path"), QStringLiteral("/StatusNotifierWatcher"),
                                       QStringLiteral("--method"), QStringLiteral("org.freedesktop.DBus.Properties.Get"),
                                       QStringLiteral("org.kde.StatusNotifierWatcher"),
                                       QStringLiteral("RegisteredStatusNotifierItems")},
                     &items);
        // (<['org.kde.StatusNotifierItem-12-1/StatusNotifierItem']>,)
        const QString item = items.section(QLatin1Char('\''), 1, 1);
        const qsizetype slash = item.indexOf(QLatin1Char('/'));
        if (slash <= 0)
            return false;
        return session->Run(QStringLiteral("gdbus"),
                            bus + QStringList{QStringLiteral("--dest"), item.left(slash), QStringLiteral("--object-path"),
                                              item.mid(slash), QStringLiteral("--method"),
                                              QStringLiteral("org.kde.StatusNotifierItem.SecondaryActivate"),
                                              QStringLiteral("0"), QStringLiteral("0")})
            == 0;
    }

    std::unique_ptr<WaylandSession> session;
};

TEST_F(RealWaylandDesktop, SwayShowsEachDrawingOfTheCalendarRunNatively)
{
    StartSway();
    if (IsSkipped() || HasFatalFailure())
        return;
    RunResult run = RunCalendar();
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_FALSE(run.err.contains(QLatin1String("not set"))) << qPrintable(run.err);
    // Drawn at the output's size, as the Wayland platform reports it.
    EXPECT_EQ(Wallpaper().size(), kOutput);
    EXPECT_GE(WaitForCalendar(), kShowing);

    // Another drawing under the same file name is shown too.
    Option("WallpaperColor", QStringLiteral("16744448"));
    run = RunCalendar();
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_GE(WaitForCalendar(), kShowing);

    // Without sway's tool the file is still drawn, and the message names what is missing.
    const QString emptyFolder = TempPath(QStringLiteral("no-tools"));
    QDir().mkpath(emptyFolder);
    QFile::remove(WallpaperPath());
    QProcessEnvironment noTools;
    noTools.insert(QStringLiteral("PATH"), emptyFolder);
    run = RunCalendar(noTools);
    EXPECT_TRUE(run.err.contains(QLatin1String("swaymsg is not installed"))) << qPrintable(run.err);
    EXPECT_EQ(Wallpaper().size(), kOutput);
}
// Outputs of two sizes, one at a fractional scale that Qt reports as 2: each output's
// picture has its own pixels, and the renderer reads each one's place and density.
TEST_F(RealWaylandDesktop, SwayShowsEachOutputItsPictureAtItsOwnPixelsAndScale)
{
    StartSway({WaylandOutput{kOutput}, WaylandOutput{QSize(1920, 1080), 1.5}});
    if (IsSkipped() || HasFatalFailure())
        return;
    QString probe;
    ASSERT_EQ(session->Run(QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_screen_probe"), {}, &probe), 0);
    // name | geometry | work area (Wayland tells a client of no panels) | device pixels | ratio | dpi
    EXPECT_EQ(probe.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              QStringList({QStringLiteral("HEADLESS-1 | 0,0 1280x800 | 0,0 1280x800 | 0,0 1280x800 | 1 | 96"),
                           QStringLiteral("HEADLESS-2 | 1280,0 1280x720 | 1280,0 1280x720 | 1920,0 1920x1080 | 1.5 | 96")}));

    Option("CalendarMonitors", QStringLiteral("All"));
    const RunResult run = RunCalendar();
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const QImage second =
        QImage(TempPath(QStringLiteral("wallpaper.HEADLESS-2.bmp"))).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Wallpaper().size(), kOutput);
    EXPECT_EQ(second.size(), QSize(1920, 1080));
    EXPECT_GE(WaitForPicture(Wallpaper(), WaylandSession::OutputName(0)), kShowing);
    EXPECT_GE(WaitForPicture(second, WaylandSession::OutputName(1), kResampled), kShowing);
}
// KDE Plasma on Wayland: kwin_wayland, drawing its output as one window that fills
// sway's screen (whose pictures are read back; kwin's own screenshots need OpenGL),
// and plasmashell on it. As on X11 the launcher, started first, sets the month once
// the shell is up.
TEST_F(RealWaylandDesktop, PlasmaShowsTheMonthSetBeforeItIsUpAndWhileItRuns)
{
    StartSway({WaylandOutput{kOutput}}, {QStringLiteral("kwin_wayland"), QStringLiteral("plasmashell"),
                                         QStringLiteral("plasma-apply-wallpaperimage"), QStringLiteral("dbus-daemon"),
                                         QStringLiteral("gdbus")},
              "default_border none\nfor_window [title=\"KDE Wayland Compositor\"] fullscreen enable\n");
    if (IsSkipped() || HasFatalFailure())
        return;
    QString error;
    ASSERT_TRUE(session->StartBus(error)) << qPrintable(error);
    // A copy without the file capability kwin_wayland is installed with, which a
    // container's bounding set may not grant (the start would fail "not permitted").
    const QString kwin = TempPath(QStringLiteral("home/kwin_wayland"));
    ASSERT_TRUE(QFile::copy(QStandardPaths::findExecutable(QStringLiteral("kwin_wayland")), kwin));
    ASSERT_TRUE(session->GiveToSessionUser(TempPath(QStringLiteral("home"))));
    QProcessEnvironment plasmaEnv;
    plasmaEnv.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("KDE"));
    plasmaEnv.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    ASSERT_TRUE(session->Launch(kwin, {QStringLiteral("--wayland-display"), session->Environment().value(QStringLiteral("WAYLAND_DISPLAY")),
                                       QStringLiteral("--socket"), kKdeDisplay, QStringLiteral("--width"),
                                       QString::number(kOutput.width()), QStringLiteral("--height"),
                                       QString::number(kOutput.height())},
                                plasmaEnv));
    ASSERT_TRUE(session->WaitForDisplay(kKdeDisplay, kShellStartsWithinMs)) << qPrintable(session->LogTail());
    plasmaEnv.insert(QStringLiteral("WAYLAND_DISPLAY"), kKdeDisplay);
    ASSERT_TRUE(StartLauncher(QStringLiteral("KDE"), plasmaEnv));
    // plasmashell abandons its desktop when the activity manager comes too late for it.
    if (QFile::exists(kActivityManager)) {
        ASSERT_TRUE(session->Launch(kActivityManager, {}, plasmaEnv));
        ASSERT_TRUE(session->WaitForBusName(QStringLiteral("org.kde.ActivityManager"), kShellStartsWithinMs));
    }
    // KDE's daemon, which keeps the tray's watcher, up before the shell as in a session.
    ASSERT_TRUE(session->Launch(QStringLiteral("kded5"), {}, plasmaEnv));
    ASSERT_TRUE(session->WaitForBusName(QStringLiteral("org.kde.kded5"), kShellStartsWithinMs));
    ASSERT_TRUE(session->Launch(QStringLiteral("plasmashell"), {}, plasmaEnv));
    EXPECT_GE(WaitForCalendar(2 * kShellStartsWithinMs), kShowing)
        << "set by the launcher once the shell was up: " << qPrintable(session->LogTail());

    Option("WallpaperColor", QStringLiteral("3381555")); // a green: the old picture no longer passes
    const RunResult during = RunCalendar(plasmaEnv);
    ASSERT_EQ(during.exitCode, 0) << qPrintable(during.err);
    EXPECT_EQ(Wallpaper().size(), kOutput);
    EXPECT_GE(WaitForCalendar(kShellStartsWithinMs), kShowing) << "set while the shell runs";

    // The tray's watcher, which the shell's tray asks kded for (it does not here when
    // kded's answer comes late); the launcher's icon then shows on the panel.
    ASSERT_EQ(session->Run(QStringLiteral("gdbus"),
                           {QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--dest"),
                            QStringLiteral("org.kde.kded5"), QStringLiteral("--object-path"), QStringLiteral("/kded"),
                            QStringLiteral("--method"), QStringLiteral("org.kde.kded5.loadModule"),
                            QStringLiteral("statusnotifierwatcher")}),
              0);
    const QRect panelTray(kOutput.width() / 2, kOutput.height() - kPlasmaPanel, kOutput.width() / 2, kPlasmaPanel);
    const QImage withIcon = session->WaitForScreen(
        [&](const QImage &shot) { return RedPixels(shot.copy(panelTray)) > 20; }, 4 * kShowsWithinMs);
    ASSERT_GT(RedPixels(withIcon.copy(panelTray)), 20) << "no icon (its red top) on Plasma's panel";

    // The mini calendar opens where kwin puts it: all of it on the screen.
    ASSERT_TRUE(MiddleClick());
    const QRect desk(0, 0, kOutput.width(), kOutput.height() - kPlasmaPanel);
    QRect mini;
    session->WaitForScreen(
        [&](const QImage &shot) {
            mini = ChangedBox(withIcon.copy(desk), shot.copy(desk));
            return mini.width() > 100 && mini.height() > 100;
        },
        kShowsWithinMs);
    EXPECT_GT(mini.width(), 100) << "no mini calendar after the middle click";
    EXPECT_TRUE(desk.adjusted(1, 1, -1, -1).contains(mini)) << mini.x() << "," << mini.y() << " " << mini.width() << "x"
                                                            << mini.height();
}

// GNOME Shell on Wayland, headless, read back through its screenshot interface. The
// launcher starts as soon as the shell's display is there; without the AppIndicator
// extension it has no tray, says so once and still draws.
TEST_F(RealWaylandDesktop, GnomeShellShowsTheMonthInLightAndDarkStyleWithoutATray)
{
    StartSway({WaylandOutput{kOutput}}, {QStringLiteral("gnome-shell"), QStringLiteral("gsettings"),
                                         QStringLiteral("dbus-daemon"), QStringLiteral("gdbus")});
    if (IsSkipped() || HasFatalFailure())
        return;
    QString error;
    ASSERT_TRUE(session->StartBus(error)) << qPrintable(error);
    ASSERT_TRUE(session->StartBus(error, QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"))) << qPrintable(error);
    QProcessEnvironment gnomeEnv;
    gnomeEnv.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
    gnomeEnv.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    ASSERT_TRUE(session->Launch(QStringLiteral("gnome-shell"),
                                {QStringLiteral("--headless"), QStringLiteral("--wayland"), QStringLiteral("--no-x11"),
                                 QStringLiteral("--wayland-display"), kGnomeDisplay, QStringLiteral("--virtual-monitor"),
                                 QStringLiteral("%1x%2").arg(kOutput.width()).arg(kOutput.height())},
                                gnomeEnv));
    ASSERT_TRUE(session->WaitForDisplay(kGnomeDisplay, kShellStartsWithinMs)) << qPrintable(session->LogTail());
    gnomeEnv.insert(QStringLiteral("WAYLAND_DISPLAY"), kGnomeDisplay);
    ASSERT_TRUE(StartLauncher(QStringLiteral("GNOME"), gnomeEnv));
    ASSERT_TRUE(session->WaitForBusName(QStringLiteral("org.gnome.Shell.Screenshot"), kShellStartsWithinMs));

    // It opens on its overview, which Escape leaves for the desktop.
    const QString file = TempPath(QStringLiteral("home/.cache/gnome-screen.png"));
    auto showing = [&](int timeoutMs) {
        double share = 0.0;
        for (QDeadlineTimer deadline(timeoutMs); share < kShowing && !deadline.hasExpired(); QThread::msleep(200)) {
            QFile::remove(file);
            session->Run(kGnomeClient, {QStringLiteral("screenshot"), file});
            share = ShareShowing(QImage(file).convertToFormat(QImage::Format_RGB32), Wallpaper());
            if (share < kShowing)
                session->Run(kGnomeClient, {QStringLiteral("escape")});
        }
        return share;
    };
    // The launcher tried while the shell was not on the bus yet and waits up to half a
    // minute between its later tries: a shell that came up just after one is drawn on
    // only at the next.
    EXPECT_GE(showing(2 * kShellStartsWithinMs), kShowing)
        << "set by the launcher as the shell started: " << qPrintable(session->LogTail());

    const QString background = QStringLiteral("org.gnome.desktop.background");
    auto gsettings = [&](const QStringList &arguments) {
        QString output;
        session->Run(QStringLiteral("gsettings"), arguments, &output);
        return output.trimmed();
    };
    gsettings({QStringLiteral("set"), QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("color-scheme"),
               QStringLiteral("prefer-dark")});
    Option("WallpaperColor", QStringLiteral("3381555")); // a green: the old picture no longer passes
    const RunResult dark = RunCalendar(gnomeEnv);
    ASSERT_EQ(dark.exitCode, 0) << qPrintable(dark.err);
    EXPECT_EQ(Wallpaper().size(), kOutput);
    EXPECT_GE(showing(kShellStartsWithinMs), kShowing) << "set while the shell runs, in the dark style";
    EXPECT_EQ(gsettings({QStringLiteral("get"), background, QStringLiteral("picture-uri-dark")}),
              gsettings({QStringLiteral("get"), background, QStringLiteral("picture-uri")}));
    EXPECT_EQ(session->Log().count(QLatin1String("gnome-shell-extension-appindicator")), 1);
}

// The launcher's day on sway. libfaketime moves its wall clock (its timers and awake
// time keep the machine's pace) and a stand-in logind sends the wake: the month drawn at
// the start gives way to the next at the minute's check after midnight, and after a
// night asleep to the month of the wake at once, before the next check could draw it.
TEST_F(RealWaylandDesktop, SwayShowsTheNewMonthAfterMidnightAndAtOnceAfterAWake)
{
    if (!QFile::exists(kFakeTime))
        GTEST_SKIP() << "not installed here: libfaketime (.ci/install-deps installs it)";
    StartSway({WaylandOutput{kOutput}}, {QStringLiteral("dbus-daemon"), QStringLiteral("gdbus")});
    if (IsSkipped() || HasFatalFailure())
        return;
    QString error;
    ASSERT_TRUE(session->StartBus(error)) << qPrintable(error);
    ASSERT_TRUE(session->StartBus(error, QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"))) << qPrintable(error);
    ASSERT_TRUE(session->Launch(QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_fake_login_manager"), {}));
    ASSERT_TRUE(session->WaitForBusName(QStringLiteral("org.freedesktop.login1"), kShowsWithinMs, QStringLiteral("--system")));

    // The clock as an offset from the machine's, replaced whole so that it is never read half written.
    const QString clockFile = TempPath(QStringLiteral("home/clock"));
    auto setClock = [&](const QDateTime &shown) {
        QSaveFile file(clockFile);
        return file.open(QIODevice::WriteOnly)
            && file.write(QString::asprintf("%+lld", QDateTime::currentDateTime().secsTo(shown)).toLatin1()) > 0
            && file.commit()
            && QFile::setPermissions(clockFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                    | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    };
    ASSERT_TRUE(setClock(QDateTime(QDate(2026, 11, 30), QTime(23, 59, 40))));
    // Loaded only once the launcher runs as the session's user: a library loaded into
    // setpriv, still root, would make its shared clock root's alone.
    const QStringList clock{QStringLiteral("env"), QStringLiteral("LD_PRELOAD=") + kFakeTime,
                            QStringLiteral("FAKETIME_TIMESTAMP_FILE=") + clockFile,
                            QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC=1"), QStringLiteral("FAKETIME_CACHE_DURATION=1"),
                            QStringLiteral("NO_FAKE_STAT=1")};
    QProcessEnvironment running;
    running.insert(QStringLiteral("QUILLON_NOW"), QString()); // the running clock, not a fixed one
    QElapsedTimer sinceStart;
    sinceStart.start();
    ASSERT_TRUE(StartLauncher(QStringLiteral("sway"), running, clock));
    ASSERT_GE(WaitForCalendar(), kShowing) << "no month drawn at the start: " << qPrintable(session->LogTail());

    // The screen shows the file drawn last, and no longer the picture before it.
    auto newMonth = [&](const QImage &before, int timeoutMs) {
        auto shows = [&](const QImage &shot) {
            return ShareShowing(shot, Wallpaper()) >= kShowing && ShareShowing(shot, before) < kShowing;
        };
        return shows(session->WaitForScreen(shows, timeoutMs));
    };
    const QImage november = Wallpaper();
    ASSERT_TRUE(newMonth(november, kMinuteCheckMs + 2 * kShowsWithinMs))
        << "December not drawn after midnight: " << qPrintable(session->LogTail());

    // Five weeks asleep: the wall clock moved on, the awake time did not.
    const QImage december = Wallpaper();
    ASSERT_TRUE(setClock(QDateTime(QDate(2027, 1, 4), QTime(7, 30))));
    QThread::msleep(1500); // past libfaketime's second of keeping the clock file
    ASSERT_EQ(session->Run(QStringLiteral("gdbus"),
                           {QStringLiteral("call"), QStringLiteral("--system"), QStringLiteral("--dest"),
                            QStringLiteral("org.freedesktop.login1"), QStringLiteral("--object-path"),
                            QStringLiteral("/org/freedesktop/login1"), QStringLiteral("--method"),
                            QStringLiteral("org.freedesktop.login1.Manager.Suspend"), QStringLiteral("false")}),
              0);
    EXPECT_TRUE(newMonth(december, 2 * kShowsWithinMs)) << "January not drawn after the wake: " << qPrintable(session->LogTail());
    EXPECT_LT(sinceStart.elapsed(), 2 * kMinuteCheckMs) << "drawn only as late as the next minute's check";
}

// The launcher's icon through StatusNotifierItem on waybar's tray, started after the
// panel as at login; its middle click opens the mini calendar where sway puts it.
TEST_F(RealWaylandDesktop, SwayPanelShowsTheTrayIconAndItsMiniCalendarOnScreen)
{
    StartSway({WaylandOutput{kOutput}}, {QStringLiteral("waybar"), QStringLiteral("dbus-daemon"), QStringLiteral("gdbus")});
    if (IsSkipped() || HasFatalFailure())
        return;
    QString error;
    ASSERT_TRUE(session->StartBus(error)) << qPrintable(error);
    ASSERT_TRUE(StartWaybar());
    ASSERT_TRUE(StartLauncher(QStringLiteral("sway")));

    QRect icon;
    session->WaitForScreen(
        [&](const QImage &shot) {
            icon = InkBox(shot.copy(0, 0, kOutput.width(), kBarHeight), kBar);
            return !icon.isEmpty() && shot.pixel(2, 2) == kBar;
        },
        4 * kShowsWithinMs);
    ASSERT_FALSE(icon.isEmpty()) << "no icon on the panel: " << qPrintable(session->LogTail());
    EXPECT_LE(icon.width(), kBarHeight);
    EXPECT_GT(icon.left(), kOutput.width() / 2); // the tray's place on the right

    ASSERT_TRUE(MiddleClick()) << qPrintable(session->LogTail());
    QRect mini;
    for (int waited = 0; (mini = SwayWindow(QStringLiteral("Quillon"))).isEmpty() && waited < kShowsWithinMs; waited += 100)
        QThread::msleep(100);
    ASSERT_FALSE(mini.isEmpty()) << "no mini calendar after the middle click";
    EXPECT_TRUE(QRect(QPoint(), kOutput).contains(mini)) << mini.x() << "," << mini.y() << " " << mini.width() << "x"
                                                        << mini.height();
    EXPECT_LT(mini.width(), kOutput.width() / 2) << "a small window, not one tiled over the screen";
}
} // namespace

} // namespace quillon
