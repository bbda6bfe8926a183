// KDE Plasma: plasma-apply-wallpaperimage, which crops the one picture to each monitor.
// Ready only once plasmashell is on the session bus: before that the tool fails with a
// message nobody reads. It ignores a path it already shows.
#include "DesktopBackend.h"

namespace quillon {

namespace basPlatform::wallpaper {

namespace {
class Kde final : public DesktopBackend {
public:
    WallpaperBackend Id() const override { return WallpaperBackend::Kde; }
    QString Name() const override { return QStringLiteral("KDE Plasma"); }
    bool Serves(const DesktopEnvironment &, const QStringList &parts) const override
    {
        return DesktopIs(parts, {QStringLiteral("KDE")});
    }
    QString BusName() const override { return QStringLiteral("org.kde.plasmashell"); }
    bool NeedsNewFileName() const override { return true; }

    std::vector<WallpaperCommand> Commands(const std::vector<MonitorPicture> &pictures, int,
                                           const DesktopState &) const override
    {
        return {{QStringLiteral("plasma-apply-wallpaperimage"), {pictures.front().path}}};
    }
};
} // namespace

const DesktopBackend &KdeBackend()
{
    static const Kde backend;
    return backend;
}

} // namespace basPlatform::wallpaper

} // namespace quillon
