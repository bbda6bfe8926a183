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
    // The bitmap starts as the background: the picture itself when it covers the screen
    // (drawn on in place, no copy), else the window's colour. Only the texts are drawn.
    QImage image = window.TakeBackground();
    const bool onPicture = !image.isNull();
    if (!onPicture) {
        image = QImage(window.PhysicalSize(), QImage::Format_RGB32);
        image.fill(window.palette().color(QPalette::Window));
    }
    image.setDevicePixelRatio(ratio);
    // The guard reads the background from the bitmap, so a picture drawn as a child must
    // be in it before the texts are judged.
    StretchedPicture *picture = window.imgBackground;
    const bool pictureFirst = window.LegibilityGuard() && !onPicture && !picture->isHidden() && picture->HasPicture();
    if (pictureFirst) {
        picture->render(&image, picture->pos());
        picture->hide();
    }
    window.BeginLegibility(&image);
    // The window's own background is already in the bitmap; a picture that could not be
    // handed over is one of the children and is drawn with them.
    // (A window that fills its background would fill it whatever the flags say.)
    const bool autoFill = window.autoFillBackground();
    window.setAutoFillBackground(false);
    window.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    window.setAutoFillBackground(autoFill);
    window.EndLegibility();
    if (pictureFirst)
        picture->show();
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
