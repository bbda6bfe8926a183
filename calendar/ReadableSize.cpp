#include "ReadableSize.h"

#include <QFontMetricsF>

#include <algorithm>

namespace quillon {

namespace ReadableSize {

double MinimumInkPixels(const QSize &devicePixels, double devicePixelRatio, double logicalDpi)
{
    const double rows = static_cast<double>(devicePixels.height()) / kReferenceRows;
    const double density = devicePixelRatio * logicalDpi / kReferenceDpi;
    return std::max(kMinimumInkPixels * std::max(1.0, density), kInkPixelsAt1080 * rows);
}

double InkPixels(const QFont &font, const QPaintDevice *device, double devicePixelRatio)
{
    const QFontMetricsF metrics(font, device);
    return metrics.tightBoundingRect(QStringLiteral("Hg")).height() * devicePixelRatio;
}

QFont Grown(const QFont &font, double factor, double maxPoints)
{
    QFont grown = font;
    double points = font.pointSizeF() * factor;
    if (maxPoints > 0)
        points = std::min(points, maxPoints);
    grown.setPointSizeF(points);
    return grown;
}

double GrowthFactor(const std::vector<QFont> &fonts, const QPaintDevice *device, double devicePixelRatio,
                    double minimum)
{
    double factor = 1.0;
    for (const QFont &font : fonts) {
        const double ink = InkPixels(font, device, devicePixelRatio);
        if (ink <= 0 || font.pointSizeF() <= 0)
            continue;
        double needed = minimum / ink;
        // Hinting does not grow glyphs exactly in proportion: check, and make up a shortfall.
        for (int tries = 0; tries < 3 && needed > 1.0; ++tries) {
            const double reached = InkPixels(Grown(font, needed, 0), device, devicePixelRatio);
            if (reached >= minimum)
                break;
            needed *= minimum / std::max(1.0, reached) * 1.01;
        }
        factor = std::max(factor, needed);
    }
    return factor;
}

} // namespace ReadableSize

} // namespace quillon
