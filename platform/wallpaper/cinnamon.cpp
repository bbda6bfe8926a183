// Cinnamon: gsettings, as GNOME, in its own schema (csd-background shows it). It ignores
// a path it already shows, and a change made while the shell still starts (the old
// picture stays): the shell's own run state says when it is up.
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
    QStringList ProgramsAskedFirst() const override { return {QStringLiteral("gdbus")}; }

    // No shell on the bus reads the setting when it starts; one that is starting is asked
    // again later. Its run state is 2 once it runs.
    bool Prepare(const Runner &run, DesktopState &, QString &reason) const override
    {
        QString output;
        QString failure;
        const WallpaperCommand ask{QStringLiteral("gdbus"),
                                   {QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--dest"),
                                    QStringLiteral("org.Cinnamon"), QStringLiteral("--object-path"),
                                    QStringLiteral("/org/Cinnamon"), QStringLiteral("--method"),
                                    QStringLiteral("org.Cinnamon.GetRunState")}};
        if (!run(ask, output, failure))
            return true;
        output = output.trimmed();
        if (output.startsWith(QLatin1Char('(')) && output != QLatin1String("(2,)")) {
            reason = QStringLiteral("the Cinnamon desktop is still starting (run state %1)").arg(output);
            return false;
        }
        return true;
    }

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
