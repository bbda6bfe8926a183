// The options program's start: one copy at a time, the dialog shown as an ordinary
// window, and the exit code the scheduler waits for.
#pragma once

namespace quillon {

namespace basOptions {

inline constexpr int kExitSaved = 0;      // OK or at least one Apply wrote the settings
inline constexpr int kExitNotSaved = 1;   // cancelled without Apply, or another copy is open

// Runs the program until its window closes and returns the exit code.
int Main();

} // namespace basOptions

} // namespace quillon
