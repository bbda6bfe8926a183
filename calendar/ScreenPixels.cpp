#include "ScreenPixels.h"

#include "platform/OutputPixels.h"

#include <QScreen>
#include <qpa/qplatformscreen.h>

namespace quillon {

namespace ScreenPixels {

namespace {
// The platform's own geometry and ratio (Wayland, macOS and offscreen have a ratio of
// their own, by which their geometry is multiplied once more).
QSize PlatformSize(const QScreen &screen)
{
    if (const QPlatformScreen *platform = screen.handle())
        return (QSizeF(platform->geometry().size()) * platform->devicePixelRatio()).toSize();
    return (QSizeF(screen.geometry().size()) * screen.devicePixelRatio()).toSize();
}

qreal RatioOf(const QScreen &screen, const std::optional<QSize> &mode)
{
    const QSize logical = screen.geometry().size();
    return mode && logical.width() > 0 ? qreal(mode->width()) / logical.width() : screen.devicePixelRatio();
}
} // namespace

QSize DeviceSize(const QScreen &screen)
{
    if (const std::optional<QSize> mode = basPlatform::OutputModeSize(screen))
        return *mode;
    return PlatformSize(screen);
}

qreal Ratio(const QScreen &screen)
{
    return RatioOf(screen, basPlatform::OutputModeSize(screen));
}

QRect DeviceGeometry(const QScreen &screen)
{
    const std::optional<QSize> mode = basPlatform::OutputModeSize(screen);
    if (mode)
        return QRect((QPointF(screen.geometry().topLeft()) * RatioOf(screen, mode)).toPoint(), *mode);
    const QPlatformScreen *platform = screen.handle();
    const QPointF origin = platform ? QPointF(platform->geometry().topLeft()) * platform->devicePixelRatio()
                                    : QPointF(screen.geometry().topLeft()) * screen.devicePixelRatio();
    return QRect(origin.toPoint(), PlatformSize(screen));
}

} // namespace ScreenPixels

} // namespace quillon
