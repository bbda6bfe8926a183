// LXQt: pcmanfm-qt --set-wallpaper. Ready only once its desktop holds its name on the
// session bus: without a running desktop pcmanfm-qt takes the path and drops it. It
// stores the mode of a wallpaper set this way as "none", so the desktop forgets it at
// its restart; and it ignores a path it already shows.
#include "DesktopBackend.h"

namespace quillon {

namespace basPlatform::wallpaper {

namespace {
class Lxqt final : public DesktopBackend {
public:
    WallpaperBackend Id() const override { return WallpaperBackend::Lxqt; }
    QString Name() const override { return QStringLiteral("LXQt"); }
    bool Serves(const DesktopEnvironment &, const QStringList &parts) const override
    {
        return DesktopIs(parts, {QStringLiteral("LXQt")});
    }
    QString BusName() const override { return QStringLiteral("org.pcmanfm.PCManFM"); }
    bool NeedsNewFileName() const override { return true; }
    bool ForgetsWallpaperOnRestart() const override { return true; }

    std::vector<WallpaperCommand> Commands(const std::vector<MonitorPicture> &pictures, int monitorCount,
                                           const DesktopState &) const override
    {
        // Zoomed, on several monitors: the desktop crops the picture to each one's shape.
        return {{QStringLiteral("pcmanfm-qt"),
                 {QStringLiteral("--set-wallpaper=") + pictures.front().path,
                  monitorCount > 1 ? QStringLiteral("--wallpaper-mode=zoom")
                                   : QStringLiteral("--wallpaper-mode=stretch")}}};
    }
};
} // namespace

const DesktopBackend &LxqtBackend()
{
    static const Lxqt backend;
    return backend;
}

} // namespace basPlatform::wallpaper

} // namespace quillon
