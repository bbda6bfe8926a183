// A bare X11 session that no desktop claims: feh, else xwallpaper, whichever is
// installed; each monitor its own picture.
#include "DesktopBackend.h"

namespace quillon {

namespace basPlatform::wallpaper {

namespace {
// Not XWayland under a Wayland compositor: the root window a tool would paint is not
// what such a compositor shows.
bool IsX11(const DesktopEnvironment &environment)
{
    return environment.platformName == QLatin1String("xcb") && environment.x11Display
        && environment.sessionType != QLatin1String("wayland");
}

class Feh final : public DesktopBackend {
public:
    WallpaperBackend Id() const override { return WallpaperBackend::Feh; }
    QString Name() const override { return QStringLiteral("feh"); }
    bool Serves(const DesktopEnvironment &environment, const QStringList &) const override
    {
        return IsX11(environment) && environment.hasProgram(QStringLiteral("feh"));
    }
    MonitorLayout Layout() const override { return MonitorLayout::PerMonitor; }

    std::vector<WallpaperCommand> Commands(const std::vector<MonitorPicture> &pictures, int,
                                           const DesktopState &) const override
    {
        // feh gives its files to the screens in Xinerama's order, the primary first.
        QStringList arguments = {QStringLiteral("--bg-scale"), QStringLiteral("--no-fehbg")};
        for (const MonitorPicture &picture : pictures)
            arguments.append(picture.path);
        return {{QStringLiteral("feh"), arguments}};
    }
};

class Xwallpaper final : public DesktopBackend {
public:
    WallpaperBackend Id() const override { return WallpaperBackend::Xwallpaper; }
    QString Name() const override { return QStringLiteral("xwallpaper"); }
    bool Serves(const DesktopEnvironment &environment, const QStringList &) const override
    {
        return IsX11(environment) && environment.hasProgram(QStringLiteral("xwallpaper"));
    }
    MonitorLayout Layout() const override { return MonitorLayout::PerMonitor; }

    std::vector<WallpaperCommand> Commands(const std::vector<MonitorPicture> &pictures, int,
                                           const DesktopState &) const override
    {
        if (pictures.size() == 1)
            return {{QStringLiteral("xwallpaper"), {QStringLiteral("--stretch"), pictures.front().path}}};
        QStringList arguments;
        for (const MonitorPicture &picture : pictures)
            arguments << QStringLiteral("--output") << picture.monitor << QStringLiteral("--stretch") << picture.path;
        return {{QStringLiteral("xwallpaper"), arguments}};
    }
};
} // namespace

const DesktopBackend &FehBackend()
{
    static const Feh backend;
    return backend;
}

const DesktopBackend &XwallpaperBackend()
{
    static const Xwallpaper backend;
    return backend;
}

} // namespace basPlatform::wallpaper

} // namespace quillon
