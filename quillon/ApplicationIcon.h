// The suite's own icon, for the tray and the launcher's windows.
#pragma once

#include <QIcon>

namespace quillon {

namespace ApplicationIcon {

// The SVG icon; a plain drawn page when the SVG engine is not installed, so the tray
// never shows an empty square.
QIcon Icon();

} // namespace ApplicationIcon

} // namespace quillon
