// The launcher's start: one copy per user, the tray with its hidden window where
// there is a display, a single drawing of the calendar where there is none.
#pragma once

class QApplication;

namespace quillon {

namespace basLauncher {

inline constexpr int kExitAlreadyRunning = 0;
inline constexpr int kExitNoDatabase = 1; // the user chose Quit rather than a new event database

// Runs the program; returns its exit code.
int Main(QApplication &app);

// True on a platform with no screen a person looks at (the offscreen platform).
bool IsHeadless();

} // namespace basLauncher

} // namespace quillon
