#include "basDesktopWallpaper.h"

#include "CalendarDrawing.h"
#include "frmCalendar.h"

#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>

namespace quillon {

namespace basDesktopWallpaper {

QImage RenderWindow(frmCalendar &window) { return CalendarDrawing::RenderWindow(window); }

bool CaptureWindowToFile(frmCalendar &window, const QString &path)
{
    const PanelledBitmap drawn = CalendarDrawing::RenderPanelsLater(window);
    // Written by our own writer whenever it can (Qt's gives the same bytes, slower).
    if (drawn.image.format() != QImage::Format_RGB32)
        return WriteBitmap(Finished(drawn), path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    RingPixels rings;
    if (!WriteBmp(drawn, file, &rings)) {
        file.cancelWriting();
        return false;
    }
    if (!drawn.texts.empty() && !window.EndLegibility(rings)) {
        // A text short of its ratio as written (another's outline over its ring, the
        // rounding of a panel): the drawing finished here, where the check mends it,
        // and written again.
        QImage whole = Finished(drawn);
        window.EndLegibility(whole);
        if (!file.seek(0) || !WriteBmp(PanelledBitmap{whole, 1.0, {}, {}, {}}, file)) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

bool WriteBitmap(const QImage &image, const QString &path)
{
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
    return SetDesktopWallpaper(setter, {basPlatform::MonitorPicture{QString(), path}});
}

bool SetDesktopWallpaper(basPlatform::WallpaperSetter &setter, const std::vector<basPlatform::MonitorPicture> &pictures)
{
    QString reason;
    const basPlatform::WallpaperResult result = setter.Set(pictures, reason);
    if (result != basPlatform::WallpaperResult::Set) {
        std::fprintf(stderr, "calendar: the desktop wallpaper was not set: %s\n", qPrintable(reason));
        std::fflush(stderr);
    }
    return result == basPlatform::WallpaperResult::NotReady;
}

} // namespace basDesktopWallpaper

} // namespace quillon
