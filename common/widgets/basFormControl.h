// Small window helpers: stay on top, suspend drawing, unload every window.
#pragma once

class QWidget;

namespace quillon {

namespace basFormControl {

// Makes the window topmost without moving or resizing it.
void SetAlwaysOnTop(QWidget &window);
// Suspends drawing of the window. One lock at a time for the whole program, as the
// desktop keeps one: a second lock is refused (false) until UnlockWindowRedraw.
bool LockWindowRedraw(QWidget &window);
void UnlockWindowRedraw();
// Shrinks a window that is larger than its screen's free area (a scale factor of 2 on
// a laptop, say) to fit, down to its layout's least size, and moves it onto that area.
void FitOnScreen(QWidget &window);
// Hides every top-level window, then deletes each one.
void UnloadAllForms();

} // namespace basFormControl

} // namespace quillon
