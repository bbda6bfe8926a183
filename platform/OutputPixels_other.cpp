// Systems without Wayland: the platform's own sizes are the screen's pixels.
#include "OutputPixels.h"

namespace quillon {

namespace basPlatform {

std::optional<QSize> OutputModeSize(const QScreen &) { return std::nullopt; }

} // namespace basPlatform

} // namespace quillon
