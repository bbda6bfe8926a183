#include "platform/WallpaperSetter.h"

#include <gtest/gtest.h>

namespace {
using namespace basPlatform;

DesktopEnvironment Env(const char *platform, const char *desktop, QStringList programs = {})
{
    DesktopEnvironment env;
    env.platformName = QLatin1String(platform);
    env.currentDesktop = QLatin1String(desktop);
    env.hasProgram = [programs](const QString &program) { return programs.contains(program); };
    return env;
}

TEST(WallpaperSetter, BackendFollowsPlatformAndDesktop)
{
    struct Case {
        const char *platform;
        const char *desktop;
        WallpaperBackend backend;
    };
    const Case cases[] = {
        {"offscreen", "GNOME", WallpaperBackend::None},  // tests and headless runs never touch a desktop
        {"windows", "", WallpaperBackend::Windows},
        {"wayland", "ubuntu:GNOME", WallpaperBackend::Gnome},
        {"xcb", "X-Cinnamon", WallpaperBackend::Cinnamon},
        {"xcb", "MATE", WallpaperBackend::Mate},
        {"wayland", "KDE", WallpaperBackend::Kde},
        {"xcb", "XFCE", WallpaperBackend::Xfce},
        {"xcb", "LXQt", WallpaperBackend::Lxqt},
        {"wayland", "", WallpaperBackend::None},
        {"wayland", "Hyprland", WallpaperBackend::None},
    };
    for (const Case &c : cases) {
        const WallpaperChoice choice = ChooseWallpaperBackend(Env(c.platform, c.desktop));
        EXPECT_EQ(choice.backend, c.backend) << c.platform << " " << c.desktop;
        EXPECT_EQ(choice.reason.isEmpty(), c.backend != WallpaperBackend::None) << c.platform << " " << c.desktop;
    }
    EXPECT_TRUE(ChooseWallpaperBackend(Env("offscreen", "")).reason.contains(QLatin1String("offscreen")));
    EXPECT_TRUE(ChooseWallpaperBackend(Env("wayland", "")).reason.contains(QLatin1String("XDG_CURRENT_DESKTOP")));

    DesktopEnvironment sway = Env("wayland", "");
    sway.swaySocket = true;
    EXPECT_EQ(ChooseWallpaperBackend(sway).backend, WallpaperBackend::Sway);

    // A bare X11 session: feh first, then xwallpaper, else a reason.
    DesktopEnvironment x11 = Env("xcb", "", {QStringLiteral("feh"), QStringLiteral("xwallpaper")});
    x11.x11Display = true;
    EXPECT_EQ(ChooseWallpaperBackend(x11).backend, WallpaperBackend::Feh);
    x11.hasProgram = [](const QString &p) { return p == QLatin1String("xwallpaper"); };
    EXPECT_EQ(ChooseWallpaperBackend(x11).backend, WallpaperBackend::Xwallpaper);
    x11.hasProgram = [](const QString &) { return false; };
    EXPECT_TRUE(ChooseWallpaperBackend(x11).reason.contains(QLatin1String("feh")));
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

    auto mate = WallpaperCommands(WallpaperBackend::Mate, path);
    EXPECT_EQ(mate.back().arguments.last(), QStringLiteral("'/home/ann/my pics/it\\'s; rm -rf ~.bmp'"));

    EXPECT_EQ(WallpaperCommands(WallpaperBackend::Kde, path).front().arguments, QStringList{path});
    EXPECT_EQ(WallpaperCommands(WallpaperBackend::Feh, path).front().arguments.last(), path);
    EXPECT_EQ(WallpaperCommands(WallpaperBackend::Lxqt, path).front().arguments.first(),
              QStringLiteral("--set-wallpaper=") + path);
    EXPECT_EQ(WallpaperCommands(WallpaperBackend::Sway, QStringLiteral("/a b/c.bmp")).front().arguments,
              (QStringList{QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg"),
                           QStringLiteral("\"/a b/c.bmp\""), QStringLiteral("stretch")}));
    EXPECT_TRUE(WallpaperCommands(WallpaperBackend::None, path).empty());
}

TEST(WallpaperSetter, XfceSetsEveryBackdropImage)
{
    const QString listing = QStringLiteral(
        "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n"
        "/backdrop/screen0/monitorHDMI-1/workspace0/image-style\n"
        "/backdrop/screen0/monitoreDP-1/workspace1/last-image\r\n"
        "/desktop-icons/style\n");
    const QStringList properties = XfceImageProperties(listing);
    ASSERT_EQ(properties.size(), 2);
    const auto commands = WallpaperCommands(WallpaperBackend::Xfce, QStringLiteral("/w.bmp"), properties);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].arguments,
              (QStringList{QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"),
                           QStringLiteral("/backdrop/screen0/monitoreDP-1/workspace1/last-image"),
                           QStringLiteral("-s"), QStringLiteral("/w.bmp")}));
}

TEST(WallpaperSetter, DesktopsThatCacheThePathGetNewNames)
{
    for (auto backend : {WallpaperBackend::Gnome, WallpaperBackend::Kde, WallpaperBackend::Lxqt})
        EXPECT_TRUE(NeedsNewFileName(backend)) << qPrintable(BackendName(backend));
    for (auto backend : {WallpaperBackend::Windows, WallpaperBackend::Feh, WallpaperBackend::Sway})
        EXPECT_FALSE(NeedsNewFileName(backend)) << qPrintable(BackendName(backend));
}

TEST(WallpaperSetter, NoDesktopUnderTests)
{
    // The test runs on the offscreen platform: nothing is set, and the reason says why.
    WallpaperSetter setter;
    QString reason;
    EXPECT_FALSE(setter.Set(QStringLiteral("/nonexistent/wallpaper.bmp"), reason));
    EXPECT_FALSE(reason.isEmpty());
}

} // namespace
