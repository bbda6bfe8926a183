// MATE: gsettings with a plain path (caja draws the desktop). It ignores a path it
// already shows.
#include "DesktopBackend.h"

namespace quillon {

namespace basPlatform::wallpaper {

namespace {
class Mate final : public DesktopBackend {
public:
    WallpaperBackend Id() const override { return WallpaperBackend::Mate; }
    QString Name() const override { return QStringLiteral("MATE"); }
    bool Serves(const DesktopEnvironment &, const QStringList &parts) const override
    {
        return DesktopIs(parts, {QStringLiteral("MATE")});
    }
    MonitorLayout Layout() const override { return MonitorLayout::Spanned; }
    bool NeedsNewFileName() const override { return true; }

    std::vector<WallpaperCommand> Commands(const std::vector<MonitorPicture> &pictures, int monitorCount,
                                           const DesktopState &) const override
    {
        const QString gsettings = QStringLiteral("gsettings");
        const QString set = QStringLiteral("set");
        const QString schema = QStringLiteral("org.mate.background");
        return {{gsettings, {set, schema, QStringLiteral("picture-options"), GsettingsFit(monitorCount)}},
                {gsettings,
                 {set, schema, QStringLiteral("picture-filename"), GVariantString(pictures.front().path)}}};
    }
};
} // namespace

const DesktopBackend &MateBackend()
{
    static const Mate backend;
    return backend;
}

} // namespace basPlatform::wallpaper

} // namespace quillon
