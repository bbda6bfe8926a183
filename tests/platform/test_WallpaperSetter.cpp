#include "platform/WallpaperSetter.h"

#include "MonitorDrawings.h"

#include "QuillonTestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

namespace quillon {

namespace {
using namespace basPlatform;

DesktopEnvironment Env(const char *platform, const char *desktop, QStringList programs = {})
{
    DesktopEnvironment env;
    env.platformName = QLatin1String(platform);
    env.currentDesktop = QLatin1String(desktop);
    env.x11Display = env.platformName == QLatin1String("xcb");
    env.hasProgram = [programs](const QString &program) { return programs.contains(program); };
    return env;
}

TEST(WallpaperSetter, BackendFollowsPlatformAndDesktop)
{
    using B = WallpaperBackend;
    const QStringList both = {QStringLiteral("feh"), QStringLiteral("xwallpaper")};
    const struct {
        DesktopEnvironment env;
        B backend;
    } cases[] = {
        {Env("offscreen", "GNOME"), B::None}, // tests and headless runs never touch a desktop
        {Env("windows", ""), B::Windows},
        {Env("wayland", "ubuntu:GNOME"), B::Gnome},
        {Env("xcb", "X-Cinnamon"), B::Cinnamon},
        {Env("xcb", "MATE"), B::Mate},
        {Env("wayland", "KDE"), B::Kde},
        {Env("xcb", "XFCE"), B::Xfce},
        {Env("xcb", "LXQt"), B::Lxqt},
        {Env("wayland", "Hyprland"), B::None},
        {Env("xcb", "", both), B::Feh}, // a bare X11 session: feh first, then xwallpaper
        {Env("xcb", "", {QStringLiteral("xwallpaper")}), B::Xwallpaper},
        {Env("xcb", ""), B::None},
    };
    for (const auto &c : cases) {
        const WallpaperChoice choice = ChooseWallpaperBackend(c.env);
        EXPECT_EQ(choice.backend, c.backend) << qPrintable(c.env.platformName + QLatin1Char(' ') + c.env.currentDesktop);
        EXPECT_EQ(choice.reason.isEmpty(), c.backend != B::None);
    }
    EXPECT_TRUE(ChooseWallpaperBackend(Env("wayland", "")).reason.contains(QLatin1String("XDG_CURRENT_DESKTOP")));
    // Through XWayland on another compositor an X11 tool would paint a root window
    // nobody sees: none is chosen, and the message names the compositor.
    DesktopEnvironment xwayland = Env("xcb", "Hyprland", both);
    xwayland.sessionType = QStringLiteral("wayland");
    const WallpaperChoice other = ChooseWallpaperBackend(xwayland);
    EXPECT_EQ(other.backend, B::None);
    EXPECT_TRUE(other.reason.contains(QLatin1String("Wayland compositor (\"Hyprland\")"))) << qPrintable(other.reason);
    DesktopEnvironment sway = Env("wayland", "");
    sway.swaySocket = true; // sway does not set XDG_CURRENT_DESKTOP
    EXPECT_EQ(ChooseWallpaperBackend(sway).backend, B::Sway);
}

// What each desktop's own file says of it: a backend that drops or mistypes one of these
// changes what users of that desktop see (a black LXQt desktop after its restart, a
// shell that keeps the old picture, a stretched monitor).
TEST(WallpaperSetter, EachDesktopStatesItsLayoutReadinessAndQuirks)
{
    using B = WallpaperBackend;
    using L = MonitorLayout;
    const struct {
        B backend;
        const char *name;
        L layout;
        const char *busName;
        bool newFileName;
        bool forgets;
    } desktops[] = {
        {B::None, "none", L::Shared, "", false, false},
        {B::Windows, "Windows", L::Shared, "", false, false},
        {B::Gnome, "GNOME", L::Spanned, "", true, false},
        {B::Cinnamon, "Cinnamon", L::Spanned, "", true, false},
        {B::Mate, "MATE", L::Spanned, "", true, false},
        {B::Kde, "KDE Plasma", L::Shared, "org.kde.plasmashell", true, false},
        {B::Xfce, "Xfce", L::PerMonitor, "", true, false},
        {B::Lxqt, "LXQt", L::Shared, "org.pcmanfm.PCManFM", true, true},
        {B::Sway, "sway", L::PerMonitor, "", false, false},
        {B::Feh, "feh", L::PerMonitor, "", false, false},
        {B::Xwallpaper, "xwallpaper", L::PerMonitor, "", false, false},
    };
    for (const auto &d : desktops) {
        EXPECT_EQ(BackendName(d.backend), QLatin1String(d.name));
        EXPECT_EQ(LayoutFor(d.backend), d.layout) << d.name;
        EXPECT_EQ(DesktopBusName(d.backend), QLatin1String(d.busName)) << d.name;
        EXPECT_EQ(NeedsNewFileName(d.backend), d.newFileName) << d.name;
        EXPECT_EQ(ForgetsWallpaperOnRestart(d.backend), d.forgets) << d.name;
    }
    // A desktop that names several takes the first in the table's order, in any case;
    // a named desktop goes before the bare X11 tools.
    using P = QStringList;
    EXPECT_EQ(ChooseWallpaperBackend(Env("xcb", "X-Cinnamon:GNOME")).backend, B::Gnome);
    EXPECT_EQ(ChooseWallpaperBackend(Env("xcb", "xfce:KDE")).backend, B::Kde);
    EXPECT_EQ(ChooseWallpaperBackend(Env("xcb", "xfce", P{QStringLiteral("feh")})).backend, B::Xfce);
    EXPECT_EQ(ChooseWallpaperBackend(Env("windows", "GNOME")).backend, B::Windows);
}

TEST(WallpaperSetter, CommandsCarryThePathAsOneArgument)
{
    const QString path = QStringLiteral("/home/ann/my pics/it's; rm -rf ~.bmp");
    auto gnome = WallpaperCommands(WallpaperBackend::Gnome, path);
    ASSERT_EQ(gnome.size(), 3u);
    EXPECT_EQ(gnome[1].program, QStringLiteral("gsettings"));
    EXPECT_EQ(gnome[1].arguments,
              (QStringList{QStringLiteral("set"), QStringLiteral("org.gnome.desktop.background"),
                           QStringLiteral("picture-uri"),
                           QStringLiteral("'file:///home/ann/my%20pics/it\\'s;%20rm%20-rf%20~.bmp'")}));
    EXPECT_EQ(gnome[2].arguments[2], QStringLiteral("picture-uri-dark"));
    EXPECT_EQ(WallpaperCommands(WallpaperBackend::Mate, path).back().arguments.last(),
              QStringLiteral("'/home/ann/my pics/it\\'s; rm -rf ~.bmp'"));
    EXPECT_EQ(WallpaperCommands(WallpaperBackend::Kde, path).front().arguments, QStringList{path});
    EXPECT_EQ(WallpaperCommands(WallpaperBackend::Sway, QStringLiteral("/a b/c.bmp")).front().arguments,
              (QStringList{QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg"),
                           QStringLiteral("\"/a b/c.bmp\""), QStringLiteral("fill")}));

    const QString listing = QStringLiteral(
        "/backdrop/screen0/monitorHDMI-1/workspace0/last-image   /home/ann/old pics/x.jpg\n"
        "/backdrop/screen0/monitorHDMI-1/workspace0/image-style  5\n"
        "/backdrop/single-workspace-mode                        true\n"
        "/backdrop/screen0/monitoreDP-1/workspace1/last-image\r\n");
    const auto xfce = WallpaperCommands(WallpaperBackend::Xfce, path, XfceImageProperties(listing));
    ASSERT_EQ(xfce.size(), 2u); // every monitor and workspace
    EXPECT_EQ(xfce[1].arguments.mid(3),
              (QStringList{QStringLiteral("/backdrop/screen0/monitoreDP-1/workspace1/last-image"),
                           QStringLiteral("-s"), path}));
}

TEST(WallpaperSetter, XfceBackdropsAreMadeForTheWorkspacesItShows)
{
    const struct {
        const char *listing;
        int current;
        QList<int> workspaces;
    } cases[] = {
        {"", 2, {0, 2}},                                                   // a new user: single mode is the default
        {"/backdrop/single-workspace-mode  true\n/backdrop/single-workspace-number  1", 1, {1}},
        {"/backdrop/single-workspace-mode  false\n/backdrop/single-workspace-number  3", 2, {2}},
        {"/backdrop/single-workspace-number  -4\n", 0, {0}},              // a number that is no workspace
        {"/backdrop/single-workspace-number  many\r\n", 1, {0, 1}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(XfceWorkspacesToCreate(QLatin1String(c.listing), c.current), c.workspaces) << c.listing;

    // A monitor plugged in since gets its own; one Xfce lists already is only set.
    const QStringList listed = {QStringLiteral("/backdrop/screen0/monitoreDP-1/workspace0/last-image")};
    const auto created = XfceNewBackdropCommands(QStringLiteral("/a.bmp"), {QStringLiteral("eDP-1"), QStringLiteral("HDMI-1")},
                                                 {0}, listed);
    ASSERT_EQ(created.size(), 2u); // HDMI-1's style and image
    for (const auto &command : created)
        EXPECT_TRUE(command.arguments.join(QLatin1Char(' ')).contains(QLatin1String("monitorHDMI-1/workspace0/")));
}

// Several monitors: the per-monitor desktops get each monitor's own file (the primary's
// for a monitor not named), the others one picture spanned or cropped, never stretched.
TEST(WallpaperSetter, SeveralMonitorsGetTheirOwnFilesOrOneSpannedPicture)
{
    const std::vector<MonitorPicture> pictures = {{QStringLiteral("HDMI-1"), QStringLiteral("/d/w.bmp")},
                                                  {QStringLiteral("eDP-1"), QStringLiteral("/d/w.eDP-1.bmp")}};
    const QString listing = QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/last-image x\n"
                                           "/backdrop/screen0/monitoreDP-1/workspace0/last-image x\n"
                                           "/backdrop/screen0/monitorVGA-1/workspace0/last-image x\n");
    const auto xfce = WallpaperCommands(WallpaperBackend::Xfce, pictures, 2, XfceImageProperties(listing));
    ASSERT_EQ(xfce.size(), 3u);
    EXPECT_EQ(xfce[0].arguments.last(), QStringLiteral("/d/w.bmp"));
    EXPECT_EQ(xfce[1].arguments.last(), QStringLiteral("/d/w.bmp")); // VGA-1: not drawn for, given the primary's
    EXPECT_EQ(xfce[2].arguments.last(), QStringLiteral("/d/w.eDP-1.bmp"));
    const auto made = XfceNewBackdropCommands(pictures, {QStringLiteral("eDP-1")}, {0});
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[1].arguments.last(), QStringLiteral("/d/w.eDP-1.bmp"));

    EXPECT_EQ(WallpaperCommands(WallpaperBackend::Feh, pictures, 2).front().arguments.mid(2),
              (QStringList{QStringLiteral("/d/w.bmp"), QStringLiteral("/d/w.eDP-1.bmp")}));
    EXPECT_EQ(WallpaperCommands(WallpaperBackend::Xwallpaper, pictures, 2).front().arguments,
              (QStringList{QStringLiteral("--output"), QStringLiteral("HDMI-1"), QStringLiteral("--stretch"),
                           QStringLiteral("/d/w.bmp"), QStringLiteral("--output"), QStringLiteral("eDP-1"),
                           QStringLiteral("--stretch"), QStringLiteral("/d/w.eDP-1.bmp")}));
    const auto sway = WallpaperCommands(WallpaperBackend::Sway, pictures, 2);
    ASSERT_EQ(sway.size(), 2u);
    EXPECT_EQ(sway[1].arguments[1], QStringLiteral("eDP-1"));

    const std::vector<MonitorPicture> one = {{QString(), QStringLiteral("/d/w.bmp")}};
    for (const auto backend : {WallpaperBackend::Gnome, WallpaperBackend::Cinnamon, WallpaperBackend::Mate}) {
        EXPECT_EQ(LayoutFor(backend), MonitorLayout::Spanned);
        EXPECT_EQ(WallpaperCommands(backend, one, 2).front().arguments.last(), QStringLiteral("'spanned'"));
        EXPECT_EQ(WallpaperCommands(backend, one, 1).front().arguments.last(), QStringLiteral("'stretched'"));
    }
    EXPECT_EQ(WallpaperCommands(WallpaperBackend::Lxqt, one, 2).front().arguments.last(),
              QStringLiteral("--wallpaper-mode=zoom"));
    EXPECT_EQ(LayoutFor(WallpaperBackend::Kde), MonitorLayout::Shared);
    EXPECT_EQ(MonitorDrawings::MonitorFile(QStringLiteral("/d/wallpaper.bmp"), QStringLiteral("HDMI 1/../x")),
              QStringLiteral("/d/wallpaper.HDMI_1____x.bmp"));
}

} // namespace

namespace {
using basPlatform::WallpaperResult;

// The setter against a stand-in gsettings: what a GNOME desktop would be told.
class SetterOnGnome : public quillontest::QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        QDir().mkpath(TempPath(QStringLiteral("tools")));
        ASSERT_TRUE(QFile::link(QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_fake_tool"),
                                TempPath(QStringLiteral("tools/gsettings"))));
        env.Set("PATH", (TempPath(QStringLiteral("tools")) + QLatin1Char(':')).toLocal8Bit() + qgetenv("PATH"));
        env.Set("FAKE_TOOL_LOG", TempPath(QStringLiteral("tool.log")).toLocal8Bit());
        env.Set("FAKE_TOOL_EXIT", "0");
        QFile bitmap(TempPath(QStringLiteral("wallpaper.bmp")));
        ASSERT_TRUE(bitmap.open(QIODevice::WriteOnly));
        bitmap.write("BM");
    }

    QStringList Copies() const
    {
        return QDir(DataDir()).entryList({QStringLiteral("wallpaper-*.bmp")}, QDir::Files);
    }

    basPlatform::WallpaperSetter setter{Env("xcb", "ubuntu:GNOME", {QStringLiteral("gsettings")})};
};

TEST_F(SetterOnGnome, EachSwitchShowsANewCopyAndRemovesTheOlderOnes)
{
    QString reason;
    ASSERT_EQ(setter.Set(TempPath(QStringLiteral("wallpaper.bmp")), reason), WallpaperResult::Set) << reason.toStdString();
    const QStringList first = Copies();
    ASSERT_EQ(first.size(), 1);
    EXPECT_TRUE(ReadDataFile(QStringLiteral("tool.log")).contains(first.front()));

    QThread::msleep(5); // copies are named by the time of the switch
    ASSERT_EQ(setter.Set(TempPath(QStringLiteral("wallpaper.bmp")), reason), WallpaperResult::Set) << reason.toStdString();
    const QStringList second = Copies();
    ASSERT_EQ(second.size(), 1);
    EXPECT_NE(second, first);
    EXPECT_TRUE(QFile::exists(TempPath(QStringLiteral("wallpaper.bmp"))));
    const QStringList runs = ReadDataFile(QStringLiteral("tool.log")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(runs.size(), 6); // options, picture-uri and picture-uri-dark, twice
    EXPECT_TRUE(runs.last().contains(second.front()));
}

TEST_F(SetterOnGnome, AFailedSwitchKeepsTheCopyTheDesktopShows)
{
    QString reason;
    ASSERT_EQ(setter.Set(TempPath(QStringLiteral("wallpaper.bmp")), reason), WallpaperResult::Set);
    const QStringList shown = Copies();
    env.Set("FAKE_TOOL_EXIT", "1");
    QThread::msleep(5);
    // A settings tool that fails is a desktop still starting: worth another try.
    EXPECT_EQ(setter.Set(TempPath(QStringLiteral("wallpaper.bmp")), reason), WallpaperResult::NotReady);
    EXPECT_TRUE(reason.contains(QStringLiteral("gsettings"))) << reason.toStdString();
    EXPECT_EQ(Copies(), shown);
}
} // namespace

namespace {
TEST_F(SetterOnGnome, ADesktopNotOnTheBusYetIsNotReadyAndNothingIsRun)
{
    for (const char *desktop : {"KDE", "LXQt"}) {
        DesktopEnvironment desktopEnv = Env("xcb", desktop, {QStringLiteral("plasma-apply-wallpaperimage"), QStringLiteral("pcmanfm-qt")});
        desktopEnv.hasBusName = [](const QString &) { return false; };
        QString reason;
        EXPECT_EQ(WallpaperSetter(desktopEnv).Set(TempPath(QStringLiteral("wallpaper.bmp")), reason), WallpaperResult::NotReady);
        EXPECT_TRUE(reason.contains(QLatin1String("not running yet"))) << reason.toStdString();
    }
    EXPECT_TRUE(Copies().isEmpty());
}
// Cinnamon misses a change made while its shell starts: that is not ready yet; a shell
// not on the bus reads the setting when it comes, one that runs takes it.
TEST_F(SetterOnGnome, CinnamonIsAskedWhetherItsShellRunsYet)
{
    ASSERT_TRUE(QFile::link(QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_fake_tool"), TempPath(QStringLiteral("tools/gdbus"))));
    WallpaperSetter cinnamon(Env("xcb", "X-Cinnamon", {QStringLiteral("gsettings"), QStringLiteral("gdbus")}));
    const struct {
        const char *output;
        const char *exit;
        WallpaperResult result;
    } cases[] = {
        {"(1,)\n", "0", WallpaperResult::NotReady},
        {"(2,)\n", "0", WallpaperResult::Set},
        {"", "1", WallpaperResult::Set},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.output);
        env.Set("FAKE_TOOL_OUTPUT_GDBUS", c.output);
        env.Set("FAKE_TOOL_EXIT_GDBUS", c.exit);
        QString reason;
        EXPECT_EQ(cinnamon.Set(TempPath(QStringLiteral("wallpaper.bmp")), reason), c.result) << reason.toStdString();
        if (c.result == WallpaperResult::NotReady) {
            EXPECT_EQ(reason, QStringLiteral("the Cinnamon desktop is still starting (run state (1,))"));
        }
    }
}

} // namespace

} // namespace quillon
