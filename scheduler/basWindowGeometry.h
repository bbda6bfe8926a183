// The main window's geometry arithmetic, without a window: twips and pixels, the
// default pane sizes, and bringing a saved position back onto a screen. Sizes that
// are stored are twips in 32-bit integers, so wide and HiDPI screens do not overflow.
#pragma once

#include <QList>
#include <QRect>

#include <cstdint>

namespace quillon {

namespace basWindowGeometry {

inline constexpr double kTwipsPerInch = 1440.0;

// The designed client area of the main window, twips.
inline constexpr std::int32_t kDesignWidth = 8385;
inline constexpr std::int32_t kDesignHeight = 7785;

// Pane sizes when none are saved, as shares of the window's height or width.
inline constexpr double kPane0HeightShare = 0.7;
inline constexpr double kPane0WidthShare = 0.6;
inline constexpr double kPane2HeightShare = 0.6;

// The least part of a window, in pixels, that must lie on a screen for it to count
// as reachable: enough of its top edge to grab it.
inline constexpr int kMinimumVisibleWidth = 64;
inline constexpr int kMinimumVisibleHeight = 24;

double TwipsPerPixel(double logicalDpi);
std::int32_t PixelsToTwips(int pixels, double twipsPerPixel);
int TwipsToPixels(std::int32_t twips, double twipsPerPixel);

// size x share, to the nearest whole number, halves to the even neighbour.
std::int32_t Share(std::int32_t size, double share);

// The frame unchanged when enough of it lies on one of the screens; otherwise moved
// (and shrunk when larger) to sit centred on the primary screen.
QRect PlaceOnScreens(const QRect &frame, const QList<QRect> &screens, const QRect &primary);

} // namespace basWindowGeometry

} // namespace quillon
