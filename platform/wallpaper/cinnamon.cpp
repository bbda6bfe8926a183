// Cinnamon: gsettings, as GNOME, in its own schema (csd-background shows it). It ignores
// a path it already shows.
#include "DesktopBackend.h"

namespace quillon {

namespace basPlatform::wallpaper {

namespace {
class Cinnamon final : public DesktopBackend {
public:
    WallpaperBackend Id() const override { return WallpaperBackend::Cinnamon; }
    QString Name() const override { return QStringLiteral("Cinnamon"); }
    bool Serves(const DesktopEnvironment &, const QStringList &parts) const override
    {
        return DesktopIs(parts, {QStringLiteral("X-Cinnamon"), QStringLiteral("Cinnamon")});
    }
    MonitorLayout Layout() const override { return MonitorLayout::Spanned; }
    bool NeedsNewFileName() const override { return true; }

    std::vector<WallpaperCommand> Commands(const std::vector<MonitorPicture> &pictures, int monitorCount,
                                           const DesktopState &) const override
    {
        const QString gsettings = QStringLiteral("gsettings");
        const QString set = QStringLiteral("set");
        const QString schema = QStringLiteral("org.cinnamon.desktop.background");
        return {{gsettings, {set, schema, QStringLiteral("picture-options"), GsettingsFit(monitorCount)}},
                {gsettings,
                 {set, schema, QStringLiteral("picture-uri"), GVariantString(FileUri(pictures.front().path))}}};
    }
};
} // namespace

const DesktopBackend &CinnamonBackend()
{
    static const Cinnamon backend;
    return backend;
}

} // namespace basPlatform::wallpaper

} // namespace quillon
