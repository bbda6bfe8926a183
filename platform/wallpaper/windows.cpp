// Windows: the system call in WallpaperSetter_win.cpp, which reloads the file each time
// and fits the one picture to every monitor the way the user chose. Nothing to run.
#include "DesktopBackend.h"

namespace quillon {

namespace basPlatform::wallpaper {

namespace {
class Windows final : public DesktopBackend {
public:
    WallpaperBackend Id() const override { return WallpaperBackend::Windows; }
    QString Name() const override { return QStringLiteral("Windows"); }
    bool Serves(const DesktopEnvironment &environment, const QStringList &) const override
    {
        return environment.platformName == QLatin1String("windows");
    }

    std::vector<WallpaperCommand> Commands(const std::vector<MonitorPicture> &, int,
                                           const DesktopState &) const override
    {
        return {};
    }
};
} // namespace

const DesktopBackend &WindowsBackend()
{
    static const Windows backend;
    return backend;
}

} // namespace basPlatform::wallpaper

} // namespace quillon
