// The size of a screen in device pixels, from what the platform reports. The logical
// geometry times the pixel ratio is not it: a 1280 x 1024 screen at 144 dpi is scaled
// by 1.5 to 853 x 683 logical pixels, which multiply back to 1280 x 1025.
#pragma once

#include <QRect>
#include <QSize>

class QScreen;

namespace quillon {

namespace ScreenPixels {

QSize DeviceSize(const QScreen &screen);
// Where the screen lies on the whole desktop, in the same pixels.
QRect DeviceGeometry(const QScreen &screen);

} // namespace ScreenPixels

} // namespace quillon
