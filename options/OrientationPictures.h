// The pictures beside the position options: a small screen with the month grid drawn
// where that option puts it.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QSize>

namespace quillon {

namespace OrientationPictures {

inline constexpr QSize kPictureSize{56, 44};   // logical pixels, stand included

// Where the grid sits on a screen of the given rectangle for a position code (0 to 5).
QRect GridRect(int position, const QRect &screen);
// The screen part of a picture of the given size (the rest is the stand).
QRect ScreenRect(const QSize &picture);

// Drawn at the device pixel ratio, so it stays sharp on high-density screens.
QPixmap Picture(int position, qreal devicePixelRatio);

} // namespace OrientationPictures

} // namespace quillon
