// The message seam's window: a GUI program installs it once, after creating its
// QApplication, so that basPlatform::ShowMessage shows a real message box.
#pragma once

namespace quillon {

namespace basMessageBox {

void Install();

} // namespace basMessageBox

} // namespace quillon
