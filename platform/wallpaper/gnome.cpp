// GNOME (and Unity, Budgie): gsettings, in the light and the dark style alike. The
// shell ignores a path it already shows.
#include "DesktopBackend.h"

namespace quillon {

namespace basPlatform::wallpaper {

namespace {
class Gnome final : public DesktopBackend {
public:
    WallpaperBackend Id() const override { return WallpaperBackend::Gnome; }
    QString Name() const override { return QStringLiteral("GNOME"); }
    bool Serves(const DesktopEnvironment &, const QStringList &parts) const override
    {
        return DesktopIs(parts, {QStringLiteral("GNOME"), QStringLiteral("Unity"), QStringLiteral("Budgie")});
    }
    MonitorLayout Layout() const override { return MonitorLayout::Spanned; }
    bool NeedsNewFileName() const override { return true; }

    std::vector<WallpaperCommand> Commands(const std::vector<MonitorPicture> &pictures, int monitorCount,
                                           const DesktopState &) const override
    {
        const QString gsettings = QStringLiteral("gsettings");
        const QString set = QStringLiteral("set");
        const QString schema = QStringLiteral("org.gnome.desktop.background");
        const QString uri = GVariantString(FileUri(pictures.front().path));
        return {{gsettings, {set, schema, QStringLiteral("picture-options"), GsettingsFit(monitorCount)}},
                {gsettings, {set, schema, QStringLiteral("picture-uri"), uri}},
                {gsettings, {set, schema, QStringLiteral("picture-uri-dark"), uri}}};
    }
};
} // namespace

const DesktopBackend &GnomeBackend()
{
    static const Gnome backend;
    return backend;
}

} // namespace basPlatform::wallpaper

} // namespace quillon
