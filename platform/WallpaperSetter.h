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

namespace quillon {

namespace basPlatform {

enum class WallpaperBackend { None, Windows, Gnome, Cinnamon, Mate, Kde, Xfce, Lxqt, Sway, Feh, Xwallpaper };

// What the choice looks at, gathered by CurrentDesktopEnvironment().
struct DesktopEnvironment {
    QString platformName;      // the Qt platform plugin: "xcb", "wayland", "offscreen", "windows"
    QString currentDesktop;    // XDG_CURRENT_DESKTOP
    QString sessionType;       // XDG_SESSION_TYPE: "wayland", "x11", or empty where unknown
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

// One monitor's own picture, for desktops that show each monitor a file of its own.
struct MonitorPicture {
    QString monitor; // as the windowing system names it ("HDMI-1")
    QString path;
};

// How a desktop with more than one monitor takes its wallpaper. Whichever it is, no
// monitor may show a picture stretched out of its shape.
enum class MonitorLayout {
    PerMonitor, // a file for each monitor, at that monitor's size (Xfce, feh, xwallpaper, sway)
    Spanned,    // one picture over the whole desktop, each monitor its part (GNOME, Cinnamon, MATE)
    Shared,     // one picture, which the desktop fits to each monitor by cropping (KDE Plasma, LXQt, Windows)
};
MonitorLayout LayoutFor(WallpaperBackend backend);

WallpaperChoice ChooseWallpaperBackend(const DesktopEnvironment &environment);
QString BackendName(WallpaperBackend backend);

// The commands that show the file (an absolute path). For Xfce, one per image
// property listed by "xfconf-query -c xfce4-desktop -l -v" (see XfceImageProperties).
std::vector<WallpaperCommand> WallpaperCommands(WallpaperBackend backend, const QString &path,
                                                const QStringList &xfceProperties = {});
QStringList XfceImageProperties(const QString &listing);
// The same for a desktop of several monitors: each monitor its own picture (the first
// is the primary monitor's, also given to a monitor the list does not name) for the
// per-monitor layout; the one picture spanned or cropped for the others.
std::vector<WallpaperCommand> WallpaperCommands(WallpaperBackend backend, const std::vector<MonitorPicture> &pictures,
                                                int monitorCount, const QStringList &xfceProperties = {});

// For a monitor Xfce lists no backdrop for yet (a new user's first login, a desktop
// still starting, a monitor just plugged in): the workspaces whose backdrop it will
// show. In single-workspace mode, its default, every workspace shows one chosen
// workspace's backdrop; the current one is made too, for a desktop that shows each
// workspace's own.
QList<int> XfceWorkspacesToCreate(const QString &listing, int currentWorkspace);
// Creates the image and its style for every monitor on those workspaces, except where
// the image property is among the existing ones. A monitor with a picture of its own
// among pictures gets that one, the others the first.
std::vector<WallpaperCommand> XfceNewBackdropCommands(const QString &path, const QStringList &monitorNames,
                                                      const QList<int> &workspaces,
                                                      const QStringList &existing = {});
std::vector<WallpaperCommand> XfceNewBackdropCommands(const std::vector<MonitorPicture> &pictures,
                                                      const QStringList &monitorNames, const QList<int> &workspaces,
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
    // Shows the file as the wallpaper; the reason says why when it was not set. On a
    // desktop of several monitors the file is spanned or cropped as LayoutFor says.
    WallpaperResult Set(const QString &path, QString &reason);
    // Shows each monitor its own file (the primary monitor's first), on a desktop of
    // the per-monitor layout; elsewhere the first file as Set does.
    WallpaperResult Set(const std::vector<MonitorPicture> &pictures, QString &reason);
    // How this desktop takes pictures for several monitors; None's when none fits.
    MonitorLayout Layout() const;

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

} // namespace quillon
