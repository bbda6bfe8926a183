// The scheduler's start: one copy per user, the event store, the main window, the run.
// Also the rule that decides whether a change of events needs the desktop calendar drawn
// again.
#pragma once

#include <QtGlobal>

#include <QDate>
#include <QList>

namespace quillon {

namespace basMain {

inline constexpr auto kProgramName = "scheduler";
inline constexpr auto kAlreadyRunningText = QT_TRANSLATE_NOOP("basMain", "Quillon Scheduler is already running.");
inline constexpr auto kAlreadyRunningTitle = "Quillon Desktop Calendar";

// Process exit codes.
inline constexpr int kExitDone = 0;         // the window was closed, or another copy runs
inline constexpr int kExitNoDatabase = 1;   // the event store could not be opened
inline constexpr int kExitError = 2;        // an error reported as "basMain.Main"

// Runs the program until its main window is gone; returns the exit code.
int Main();

// True when one of the dates lies in the month and year the desktop calendar shows,
// today's (EventService::TouchesShownMonth with the suite's today).
bool CurrentMonthChanged(const QList<QDate> &dates);

} // namespace basMain

} // namespace quillon
