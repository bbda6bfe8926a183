#include "basDesktopWallpaper.h"

#include "frmCalendar.h"
#include "platform/WallpaperSetter.h"

#include <QImageWriter>
#include <QSaveFile>
#include <QScreen>

#include <cstdio>

namespace basDesktopWallpaper {

QImage RenderWindow(frmCalendar &window)
{
    const qreal ratio = window.TargetScreen() ? window.TargetScreen()->devicePixelRatio() : 1.0;
    QImage image(window.PhysicalSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(window.palette().color(QPalette::Window));
    window.render(&image);
    image.setDevicePixelRatio(1.0);
    return image;
}

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

void SetDesktopWallpaper(const QString &path)
{
    basPlatform::WallpaperSetter setter;
    QString reason;
    if (!setter.Set(path, reason)) {
        std::fprintf(stderr, "calendar: the desktop wallpaper was not set: %s\n", qPrintable(reason));
        std::fflush(stderr);
    }
}

} // namespace basDesktopWallpaper
