// Setting the wallpaper on Windows: the system call, which reloads the file each time.
#include "WallpaperSetter.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <string>

#include <windows.h>

namespace quillon {

namespace basPlatform {

DesktopEnvironment CurrentDesktopEnvironment()
{
    DesktopEnvironment env;
    env.platformName = QGuiApplication::platformName();
    return env;
}

WallpaperResult WallpaperSetter::Set(const QString &path, QString &reason)
{
    const WallpaperChoice choice = ChooseWallpaperBackend(m_environment);
    if (choice.backend != WallpaperBackend::Windows) {
        reason = choice.reason;
        return WallpaperResult::Failed;
    }
    std::wstring native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdWString();
    if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, native.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
        reason = QStringLiteral("SystemParametersInfo failed with error %1").arg(GetLastError());
        return WallpaperResult::Failed;
    }
    return WallpaperResult::Set;
}

// Windows shows one picture on every monitor, fitted the way the user chose.
WallpaperResult WallpaperSetter::Set(const std::vector<MonitorPicture> &pictures, QString &reason)
{
    if (pictures.empty()) {
        reason = QStringLiteral("no picture was given");
        return WallpaperResult::Failed;
    }
    return Set(pictures.front().path, reason);
}

QColor DesktopBackgroundColor()
{
    const DWORD color = GetSysColor(COLOR_DESKTOP);
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

bool UseOffscreenWithoutDisplay()
{
    return false; // Windows always has a desktop to draw on
}

} // namespace basPlatform

} // namespace quillon
