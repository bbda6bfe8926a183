// Makes a bitmap file the desktop wallpaper. Each desktop has its own way; the one
// that fits is chosen from the running platform and desktop. The choice and the
// commands are plain functions (tested); WallpaperSetter runs them.
#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace basPlatform {

enum class WallpaperBackend { None, Windows, Gnome, Cinnamon, Mate, Kde, Xfce, Lxqt, Sway, Feh, Xwallpaper };

// What the choice looks at, gathered by CurrentDesktopEnvironment().
struct DesktopEnvironment {
    QString platformName;      // the Qt platform plugin: "xcb", "wayland", "offscreen", "windows"
    QString currentDesktop;    // XDG_CURRENT_DESKTOP
    bool swaySocket = false;   // SWAYSOCK set
    bool x11Display = false;   // DISPLAY set
    QStringList monitorNames;  // the screen's monitors, as the windowing system names them
    int currentWorkspace = 0;  // the workspace shown now, counted from 0
    std::function<bool(const QString &)> hasProgram = [](const QString &) { return false; };
    std::function<bool(const QString &)> hasBusName = [](const QString &) { return true; }; // on the session bus
};

struct WallpaperChoice {
    WallpaperBackend backend = WallpaperBackend::None;
    QString reason;            // why none fits
};

struct WallpaperCommand {
    QString program;
    QStringList arguments;
};

WallpaperChoice ChooseWallpaperBackend(const DesktopEnvironment &environment);
QString BackendName(WallpaperBackend backend);

// The commands that show the file (an absolute path). For Xfce, one per image
// property listed by "xfconf-query -c xfce4-desktop -l -v" (see XfceImageProperties).
std::vector<WallpaperCommand> WallpaperCommands(WallpaperBackend backend, const QString &path,
                                                const QStringList &xfceProperties = {});
QStringList XfceImageProperties(const QString &listing);

// For a monitor Xfce lists no backdrop for yet (a new user's first login, a desktop
// still starting, a monitor just plugged in): the workspaces whose backdrop it will
// show. In single-workspace mode, its default, every workspace shows one chosen
// workspace's backdrop; the current one is made too, for a desktop that shows each
// workspace's own.
QList<int> XfceWorkspacesToCreate(const QString &listing, int currentWorkspace);
// Creates the image and its style for every monitor on those workspaces, except where
// the image property is among the existing ones.
std::vector<WallpaperCommand> XfceNewBackdropCommands(const QString &path, const QStringList &monitorNames,
                                                      const QList<int> &workspaces,
                                                      const QStringList &existing = {});

// The session-bus name of the desktop program that takes the wallpaper, where its tool
// cannot tell that the desktop is not running yet (empty where it can).
QString DesktopBusName(WallpaperBackend backend);

// This desktop keeps no wallpaper set from outside across its own restart (LXQt's
// pcmanfm-qt stores the mode as "none"): it must be set again at every login.
bool ForgetsWallpaperOnRestart(WallpaperBackend backend);

// These desktops ignore a path they already show: each switch needs a new file name.
bool NeedsNewFileName(WallpaperBackend backend);

// The running process's platform and desktop.
DesktopEnvironment CurrentDesktopEnvironment();

enum class WallpaperResult {
    Set,
    NotReady, // the desktop's own tool ran but the desktop did not take it (yet): worth another try
    Failed,   // no desktop or tool that could take it, or no file to show
};

class WallpaperSetter {
public:
    WallpaperSetter(); // for the running desktop
    explicit WallpaperSetter(DesktopEnvironment environment);
    // Shows the file as the wallpaper; the reason says why when it was not set.
    WallpaperResult Set(const QString &path, QString &reason);

private:
    DesktopEnvironment m_environment;
};

// The desktop's own background colour, for a window with neither picture nor colour.
QColor DesktopBackgroundColor();

// Before the application object exists: with no display at all, choose the offscreen
// platform (and answer message boxes with their default, as nobody can click them).
// True when it did so.
bool UseOffscreenWithoutDisplay();

} // namespace basPlatform
