// The wallpaper backends' choice and what each says of itself, asked of the desktop's
// own file (wallpaper/*.cpp): the same on every platform.
#include "WallpaperSetter.h"

#include "wallpaper/DesktopBackend.h"

namespace quillon {

namespace basPlatform {

using wallpaper::BackendOf;
using wallpaper::DesktopBackend;

WallpaperChoice ChooseWallpaperBackend(const DesktopEnvironment &env)
{
    if (env.platformName == QLatin1String("offscreen") || env.platformName == QLatin1String("minimal"))
        return {WallpaperBackend::None,
                QStringLiteral("no desktop to set it on (the %1 platform is in use)").arg(env.platformName)};

    const QStringList parts = env.currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const DesktopBackend *backend : wallpaper::Backends())
        if (backend->Serves(env, parts))
            return {backend->Id(), {}};
    const bool wayland = env.platformName == QLatin1String("wayland") || env.sessionType == QLatin1String("wayland");
    if (wayland)
        return {WallpaperBackend::None,
                QStringLiteral("this Wayland compositor (\"%1\") takes no wallpaper from another program: only GNOME, "
                               "KDE Plasma and sway do; show the drawn file as its background yourself")
                    .arg(env.currentDesktop.isEmpty() ? QStringLiteral("XDG_CURRENT_DESKTOP is not set") : env.currentDesktop)};
    if (env.platformName == QLatin1String("xcb") && env.x11Display)
        return {WallpaperBackend::None, QStringLiteral("neither feh nor xwallpaper is installed for this X11 desktop")};
    return {WallpaperBackend::None,
            env.currentDesktop.isEmpty()
                ? QStringLiteral("the desktop is unknown (XDG_CURRENT_DESKTOP is not set)")
                : QStringLiteral("no wallpaper backend for the desktop \"%1\"").arg(env.currentDesktop)};
}

WallpaperSetter::WallpaperSetter() : m_environment(CurrentDesktopEnvironment()) {}

WallpaperSetter::WallpaperSetter(DesktopEnvironment environment) : m_environment(std::move(environment)) {}

MonitorLayout WallpaperSetter::Layout() const
{
    return LayoutFor(ChooseWallpaperBackend(m_environment).backend);
}

QString BackendName(WallpaperBackend backend)
{
    const DesktopBackend *desktop = BackendOf(backend);
    return desktop ? desktop->Name() : QStringLiteral("none");
}

MonitorLayout LayoutFor(WallpaperBackend backend)
{
    const DesktopBackend *desktop = BackendOf(backend);
    return desktop ? desktop->Layout() : MonitorLayout::Shared;
}

std::vector<WallpaperCommand> WallpaperCommands(WallpaperBackend backend, const QString &path,
                                                const QStringList &xfceProperties)
{
    return WallpaperCommands(backend, {MonitorPicture{QString(), path}}, 1, xfceProperties);
}

std::vector<WallpaperCommand> WallpaperCommands(WallpaperBackend backend, const std::vector<MonitorPicture> &pictures,
                                                int monitorCount, const QStringList &xfceProperties)
{
    const DesktopBackend *desktop = BackendOf(backend);
    if (!desktop || pictures.empty())
        return {};
    wallpaper::DesktopState state;
    state.imageProperties = xfceProperties;
    return desktop->Commands(pictures, monitorCount, state);
}

QString DesktopBusName(WallpaperBackend backend)
{
    const DesktopBackend *desktop = BackendOf(backend);
    return desktop ? desktop->BusName() : QString();
}

bool ForgetsWallpaperOnRestart(WallpaperBackend backend)
{
    const DesktopBackend *desktop = BackendOf(backend);
    return desktop && desktop->ForgetsWallpaperOnRestart();
}

bool NeedsNewFileName(WallpaperBackend backend)
{
    const DesktopBackend *desktop = BackendOf(backend);
    return desktop && desktop->NeedsNewFileName();
}

} // namespace basPlatform

} // namespace quillon
