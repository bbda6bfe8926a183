#include "ScreenPixels.h"

#include <QScreen>
#include <qpa/qplatformscreen.h>

namespace quillon {

namespace ScreenPixels {

QSize DeviceSize(const QScreen &screen)
{
    // The platform's geometry is in its own pixels, which a platform with a ratio of
    // its own (Wayland, macOS, offscreen) multiplies once more.
    if (const QPlatformScreen *platform = screen.handle())
        return (QSizeF(platform->geometry().size()) * platform->devicePixelRatio()).toSize();
    return (QSizeF(screen.geometry().size()) * screen.devicePixelRatio()).toSize();
}

QRect DeviceGeometry(const QScreen &screen)
{
    const QPlatformScreen *platform = screen.handle();
    const QPointF origin = platform ? QPointF(platform->geometry().topLeft()) * platform->devicePixelRatio()
                                    : QPointF(screen.geometry().topLeft()) * screen.devicePixelRatio();
    return QRect(origin.toPoint(), DeviceSize(screen));
}

} // namespace ScreenPixels

} // namespace quillon
