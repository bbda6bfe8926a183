// One desktop's way of taking the wallpaper, behind one interface: its commands, how to
// tell that it is ready for them, and its quirks, together in one file per desktop
// (gnome.cpp, xfce.cpp, ...). WallpaperSetter asks the backend chosen here and knows no
// desktop by name. Private to the platform_wallpaper library.
#pragma once

#include "platform/WallpaperSetter.h"

#include <functional>
#include <vector>

namespace quillon {

namespace basPlatform::wallpaper {

// Runs one command without a shell and waits for it: false, with the reason, when it
// could not be started, did not finish or failed.
using Runner = std::function<bool(const WallpaperCommand &command, QString &output, QString &reason)>;

// What the commands are made from besides the pictures: the monitors and workspace the
// environment reports, and what the desktop itself listed before (Xfce's backdrops).
struct DesktopState {
    QStringList monitorNames;
    int currentWorkspace = 0;
    QString listing;            // the desktop's own settings, as its tool lists them
    QStringList imageProperties; // the picture settings found in the listing
};

class DesktopBackend {
public:
    virtual ~DesktopBackend() = default;

    virtual WallpaperBackend Id() const = 0;
    virtual QString Name() const = 0;
    // Whether this backend serves the environment; parts is XDG_CURRENT_DESKTOP split at ':'.
    virtual bool Serves(const DesktopEnvironment &environment, const QStringList &parts) const = 0;
    virtual MonitorLayout Layout() const { return MonitorLayout::Shared; }

    // Readiness. The session-bus name of the desktop program, where the desktop's tool
    // cannot tell that the desktop is not up yet (empty where it can).
    virtual QString BusName() const { return QString(); }
    // Tools run before the commands, which must be installed as well.
    virtual QStringList ProgramsAskedFirst() const { return {}; }
    // Asks the desktop what the commands need; false, with the reason, when it is not
    // ready for them yet.
    virtual bool Prepare(const Runner &, DesktopState &, QString &) const { return true; }

    // The commands that show the pictures (the first the primary monitor's).
    virtual std::vector<WallpaperCommand> Commands(const std::vector<MonitorPicture> &pictures, int monitorCount,
                                                   const DesktopState &state) const = 0;

    // Quirks. The desktop ignores a path it already shows: each switch needs a new name.
    virtual bool NeedsNewFileName() const { return false; }
    // The desktop keeps no wallpaper set from outside across its own restart.
    virtual bool ForgetsWallpaperOnRestart() const { return false; }
};

// Every backend, in the order they are asked whether they serve the environment.
const std::vector<const DesktopBackend *> &Backends();
// The backend of that id; nothing for None.
const DesktopBackend *BackendOf(WallpaperBackend id);

// One per file.
const DesktopBackend &WindowsBackend();
const DesktopBackend &GnomeBackend();
const DesktopBackend &CinnamonBackend();
const DesktopBackend &MateBackend();
const DesktopBackend &KdeBackend();
const DesktopBackend &XfceBackend();
const DesktopBackend &LxqtBackend();
const DesktopBackend &SwayBackend();
const DesktopBackend &FehBackend();
const DesktopBackend &XwallpaperBackend();

// Shared by the backends.
// True when one of the XDG_CURRENT_DESKTOP parts is one of the names (in any case).
bool DesktopIs(const QStringList &parts, const QStringList &names);
// A GVariant string literal, as gsettings parses its value argument.
QString GVariantString(QString text);
QString FileUri(const QString &path);
// The gsettings picture-options value: one picture over several monitors is spanned, so
// that each shows its part in its own shape; on one monitor it has that monitor's size.
QString GsettingsFit(int monitorCount);
// The picture of that monitor; the first (the primary monitor's) when it has none.
const QString &PictureFor(const std::vector<MonitorPicture> &pictures, const QString &monitor);

} // namespace basPlatform::wallpaper

} // namespace quillon
