// Starting the suite's programs from each other: without a shell, arguments as a list.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace quillon {

namespace basExecuteProgram {

// The calendar program's exit code for "drawn, but the desktop did not take the
// wallpaper yet": the launcher, which started it, tries again.
inline constexpr int kCalendarDesktopNotReady = 3;

// The sibling program's path in the program folder ("calendar" -> ".../calendar").
QString ProgramPath(const QString &programName);

// Starts the program and returns at once: 0 when it started, otherwise a non-zero
// error number (53 missing, 75 not executable).
std::int32_t ExecuteProgram(const QString &program, const QStringList &arguments = {});

// Starts the program and waits for it to end: its exit code, or -1 when it could not
// be started or did not end normally. Meanwhile the caller's windows keep painting
// but take no input.
std::int32_t ExecuteAndWait(const QString &program, const QStringList &arguments = {});

// The message every caller shows when a start failed: "Error starting program
// 'calendar'.", the exit code and what it means (naming the file), critical icon, OK
// and Cancel, "Quillon Error".
// The program is named one way whoever started it: its file name on this system
// ("calendar", or "calendar.exe" on Windows), whether a path or a bare name is given.
// The button pressed does not matter to the callers.
void ShowStartError(const QString &program, std::int32_t number);
QString StartErrorText(const QString &program, std::int32_t number);
QString ProgramDisplayName(const QString &program);

} // namespace basExecuteProgram

} // namespace quillon
