// A screen's size in its own pixels as the compositor reports the output's mode. Qt
// on Wayland reports only a whole-number scale (an output at 1.5 says 2), so the
// logical size times the ratio Qt gives is not the output's size there; the mode is.
#pragma once

#include <QSize>

#include <optional>

class QScreen;

namespace quillon {

namespace basPlatform {

// The current mode of the screen's output, turned as the output is; nothing off
// Wayland or when the compositor does not say.
std::optional<QSize> OutputModeSize(const QScreen &screen);

} // namespace basPlatform

} // namespace quillon
