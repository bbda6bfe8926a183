// sway: swaymsg output ... bg, each output its own picture (every output "*" for one).
// Chosen by name or by the compositor's socket. sway restarts its background program
// at each change, which reads the file afresh: the same path serves every drawing.
#include "DesktopBackend.h"

namespace quillon {

namespace basPlatform::wallpaper {

namespace {
class Sway final : public DesktopBackend {
public:
    WallpaperBackend Id() const override { return WallpaperBackend::Sway; }
    QString Name() const override { return QStringLiteral("sway"); }
    bool Serves(const DesktopEnvironment &environment, const QStringList &parts) const override
    {
        return DesktopIs(parts, {QStringLiteral("sway")}) || environment.swaySocket;
    }
    MonitorLayout Layout() const override { return MonitorLayout::PerMonitor; }

    std::vector<WallpaperCommand> Commands(const std::vector<MonitorPicture> &pictures, int,
                                           const DesktopState &) const override
    {
        std::vector<WallpaperCommand> commands;
        for (const MonitorPicture &picture : pictures) {
            // swaymsg joins its arguments into one sway command, which splits at blanks
            // unless the path is quoted.
            QString quoted = picture.path;
            quoted.replace(QLatin1Char('"'), QStringLiteral("\\\""));
            const QString output = pictures.size() == 1 ? QStringLiteral("*") : picture.monitor;
            // The picture has the output's size; fill keeps its shape where a scale
            // makes the two differ by a pixel.
            commands.push_back({QStringLiteral("swaymsg"),
                                {QStringLiteral("output"), output, QStringLiteral("bg"),
                                 QLatin1Char('"') + quoted + QLatin1Char('"'), QStringLiteral("fill")}});
        }
        return commands;
    }
};
} // namespace

const DesktopBackend &SwayBackend()
{
    static const Sway backend;
    return backend;
}

} // namespace basPlatform::wallpaper

} // namespace quillon
