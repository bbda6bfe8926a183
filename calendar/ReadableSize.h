// The least size a person reads a wallpaper's events at from a chair: the ink of an
// event line (a capital's top to a descender's foot) 16 pixels high on a 1080-row screen
// at 96 DPI, in proportion on taller or shorter ones and more on denser ones, and never
// under 12 pixels (a small screen has no room for more). Smaller fonts grow to it, and
// the grid grows with them.
#pragma once

#include <QFont>
#include <QSize>

#include <vector>

class QPaintDevice;

namespace quillon {

namespace ReadableSize {

inline constexpr double kInkPixelsAt1080 = 16.0;
inline constexpr double kMinimumInkPixels = 12.0;
inline constexpr int kReferenceRows = 1080;
inline constexpr double kReferenceDpi = 96.0;

// The least ink height, in device pixels, on a screen of that many device pixels, device
// pixel ratio and logical DPI.
double MinimumInkPixels(const QSize &devicePixels, double devicePixelRatio, double logicalDpi);
// The ink height of a line of font on device, in device pixels.
double InkPixels(const QFont &font, const QPaintDevice *device, double devicePixelRatio);
// The factor every font and the grid grow by so that the smallest of fonts reaches
// minimum (1 when all do).
double GrowthFactor(const std::vector<QFont> &fonts, const QPaintDevice *device, double devicePixelRatio,
                    double minimum);
QFont Grown(const QFont &font, double factor, double maxPoints);

} // namespace ReadableSize

} // namespace quillon
