// The size of a screen in device pixels, from what the platform reports. The logical
// geometry times the pixel ratio is not it: a 1280 x 1024 screen at 144 dpi is scaled
// by 1.5 to 853 x 683 logical pixels, which multiply back to 1280 x 1025; and on
// Wayland the ratio is a whole number where the output's scale is not (1.5 says 2).
#pragma once

#include <QRect>
#include <QSize>

class QScreen;

namespace quillon {

namespace ScreenPixels {

QSize DeviceSize(const QScreen &screen);
// Where the screen lies on the whole desktop, in the same pixels.
QRect DeviceGeometry(const QScreen &screen);
// Device pixels per logical pixel: the platform's ratio, or the output's own where
// the compositor's mode says otherwise.
qreal Ratio(const QScreen &screen);

} // namespace ScreenPixels

} // namespace quillon
