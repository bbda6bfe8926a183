#include "basDesktopWallpaper.h"

#include "CalendarDrawing.h"
#include "frmCalendar.h"
#include "platform/WallpaperSetter.h"

#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>

namespace basDesktopWallpaper {

QImage RenderWindow(frmCalendar &window) { return CalendarDrawing::RenderWindow(window); }

bool CaptureWindowToFile(frmCalendar &window, const QString &path)
{
    const QImage image = RenderWindow(window);
    if (image.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "bmp");
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool SetDesktopWallpaper(const QString &path)
{
    basPlatform::WallpaperSetter setter;
    QString reason;
    const basPlatform::WallpaperResult result = setter.Set(path, reason);
    if (result != basPlatform::WallpaperResult::Set) {
        std::fprintf(stderr, "calendar: the desktop wallpaper was not set: %s\n", qPrintable(reason));
        std::fflush(stderr);
    }
    return result == basPlatform::WallpaperResult::NotReady;
}

} // namespace basDesktopWallpaper
