#include "basWindowGeometry.h"

#include "basConvert.h"

#include <algorithm>

namespace quillon {

namespace basWindowGeometry {

double TwipsPerPixel(double logicalDpi)
{
    return logicalDpi > 0 ? kTwipsPerInch / logicalDpi : kTwipsPerInch / 96.0;
}

std::int32_t PixelsToTwips(int pixels, double twipsPerPixel)
{
    return static_cast<std::int32_t>(basConvert::RoundHalfEven(pixels * twipsPerPixel));
}

int TwipsToPixels(std::int32_t twips, double twipsPerPixel)
{
    return static_cast<int>(basConvert::RoundHalfEven(twips / twipsPerPixel));
}

std::int32_t Share(std::int32_t size, double share)
{
    return static_cast<std::int32_t>(basConvert::RoundHalfEven(size * share));
}

QRect PlaceOnScreens(const QRect &frame, const QList<QRect> &screens, const QRect &primary)
{
    for (const QRect &screen : screens) {
        const QRect seen = screen.intersected(frame);
        if (seen.width() >= std::min(kMinimumVisibleWidth, frame.width())
            && seen.height() >= std::min(kMinimumVisibleHeight, frame.height()) && !seen.isEmpty())
            return frame;
    }
    QRect placed(QPoint(0, 0), frame.size().boundedTo(primary.size()));
    placed.moveCenter(primary.center());
    return placed;
}

} // namespace basWindowGeometry

} // namespace quillon
