// The calendar program's start: one run draws the month into the wallpaper bitmap,
// sets it as the desktop wallpaper and ends. "-1" draws the background only.
#pragma once

#include "basExecuteProgram.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace quillon {

namespace basCalendar {

inline constexpr auto kClearArgument = "-1";

// Process exit codes.
inline constexpr int kExitDone = 0;          // drawn, or nothing to do (switched off, already running)
inline constexpr int kExitNotDrawn = 1;      // no database, the window did not load, the file was not written
inline constexpr int kExitError = 2;         // an error reported as "basCalendar.Main"
inline constexpr int kExitDesktopNotReady = basExecuteProgram::kCalendarDesktopNotReady; // worth a retry

// The command-line text after the program path: the arguments joined by blanks.
QString CommandLineText(const QStringList &arguments);

// The run: returns the process's exit code. arguments[0] is the program.
int Main(const QStringList &arguments);

} // namespace basCalendar

} // namespace quillon
