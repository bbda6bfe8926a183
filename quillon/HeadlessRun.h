// With no display there is no tray to sit in: the launcher draws the desktop
// calendar once, says where the picture is and ends.
#pragma once

#include <QString>

namespace quillon {

namespace HeadlessRun {

inline constexpr int kExitDrawn = 0;
inline constexpr int kExitNotDrawn = 1;   // the calendar program drew nothing (switched off, no database ...)
inline constexpr int kExitNotStarted = 2; // the calendar program could not be started

// Starts the calendar program (the given file) and waits for it to end.
int RenderOnce(const QString &calendarProgram);

} // namespace HeadlessRun

} // namespace quillon
