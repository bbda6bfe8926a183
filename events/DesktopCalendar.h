// The desktop calendar as every program sees it: whether it is shown, and the one way
// to have it drawn again.
//
// Shown: the stored DisplayCalendarOnDesktop counts as on unless it is empty, blank or a
// number equal to zero ("0", " 0 ", "-0", "0.0"). So "1", "-1" (a true flag as the
// original settings format wrote it), "2" and any text that is not a number ("yes",
// and also "false": only a zero switches it off) are on. The options dialog writes 1 or 0.
// The value is read as text, not as the loaded settings record holds it, because the
// record turns text that is not a number into its default 0.
//
// Redraw: a request goes to the running launcher over the session bus, which draws one
// run at a time and makes every request that arrives during a run into a single run
// after it. Without a launcher that answers within kLauncherTimeoutMs the calendar
// program is started directly; a copy that finds another one drawing leaves a "redraw
// pending" marker, and the copy drawing draws once more when it sees it (see
// DrawUnderLock). Either way nothing asked for is lost, and a burst of requests gives at
// most two drawings.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace quillon {

namespace DesktopCalendar {

inline constexpr auto kSettingName = "DisplayCalendarOnDesktop";

// The rule, on the stored text.
bool IsShown(const QString &storedValue);
// The rule on the value stored now, read afresh; false when the store cannot be read.
bool IsShown();

// What a drawing draws: the month over the background, or the background alone
// ("calendar -1", which takes the calendar off the desktop).
enum class Drawing { Calendar, BackgroundOnly };
inline constexpr auto kBackgroundOnlyArgument = "-1";
QStringList Arguments(Drawing drawing);
Drawing DrawingOf(const QStringList &arguments);

// --- The launcher on the session bus -------------------------------------------------
inline constexpr auto kServiceName = "org.velmora.Quillon";
inline constexpr auto kObjectPath = "/org/velmora/Quillon";
inline constexpr auto kInterfaceName = "org.velmora.Quillon.DesktopCalendar";
// The methods; each answers 0 when the drawing is started or queued, else the error
// number that stopped the launcher from starting the calendar program.
inline constexpr auto kRedrawMethod = "Redraw";
inline constexpr auto kClearMethod = "Clear";
inline constexpr int kLauncherTimeoutMs = 2000;

// The session bus's address: DBUS_SESSION_BUS_ADDRESS, else the bus socket in the
// runtime folder when there is one; empty when there is no session bus. (No
// autolaunch: a program must not start a bus of its own to ask.)
QString SessionBusAddress();

// Asks the running launcher for the drawing: its answer, or nothing when no launcher
// answered (no bus, none running, an error or no answer in time).
std::optional<std::int32_t> AskLauncher(Drawing drawing);

// --- Requests ----------------------------------------------------------------------
using Starter = std::function<std::int32_t(const QString &program, const QStringList &arguments)>;
using LauncherCall = std::function<std::optional<std::int32_t>(Drawing)>;

// Where a request goes: the launcher first, when askLauncher is set, otherwise or
// when it does not answer the calendar program started by start.
struct Route {
    QString calendarProgram;
    Starter start;
    LauncherCall askLauncher;
};
// This program's route: the session bus, then the calendar program of the program
// folder started without waiting.
Route SystemRoute();

// Asks for a drawing. 0 when the launcher took it or the program started; otherwise
// the error number (53 missing, 75 not executable), for the caller to show as
// "Error starting program 'calendar'.".
std::int32_t RequestRedraw(Drawing drawing, const Route &route);
std::int32_t RequestRedraw(Drawing drawing = Drawing::Calendar);

// --- The renderer's side of a direct start ----------------------------------------------
// The calendar program draws under its single-instance lock. A copy that finds the lock
// held leaves a "redraw pending" marker (the drawing asked for; the latest request wins)
// and ends at once; the copy drawing lets its lock go when done, and when it then finds
// a marker it takes the lock again and draws once more, for every copy that came
// meanwhile. The copy that left the marker tries the lock once more after writing it,
// so a drawing that ended in between cannot miss it.
inline constexpr auto kRendererLockName = "calendar";

struct LockedDrawing {
    enum class Outcome {
        Drawn,       // this copy drew (result: the last drawing's result)
        LeftToOther, // another copy draws it after its own drawing
        NotLeft,     // another copy draws, and the marker could not be written (why)
        NoLock,      // no single-instance lock can be made here (why)
    };
    Outcome outcome = Outcome::Drawn;
    int result = 0;
    QString why;      // in English, for error.log
    QString shownWhy; // NoLock's why in the user's language
};
// draw(drawing, again): one drawing, again for one asked for while the last ran.
using DrawFunction = std::function<int(Drawing drawing, bool again)>;
LockedDrawing DrawUnderLock(Drawing drawing, const DrawFunction &draw,
                            const QString &lockName = QLatin1String(kRendererLockName));

bool LeavePendingRedraw(Drawing drawing);
bool RedrawPending();
// Takes the marker away: the drawing it asks for, nothing when there was none.
std::optional<Drawing> TakePendingRedraw();
QString PendingRedrawFile();

} // namespace DesktopCalendar

} // namespace quillon
