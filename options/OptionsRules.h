// The options dialog's rules that need no window: position codes, the small-screen
// test, the warning-timeout checks, the up-down step and the font dialog's answer.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace quillon {

namespace OptionsRules {

// Position options, numbered by their stored code.
enum Position { kCenter = 0, kTopLeft = 1, kTopRight = 2, kBottomLeft = 3, kBottomRight = 4, kFullScreen = 5 };
inline constexpr int kPositionCount = 6;
inline constexpr int kNoPosition = -1;

// The option a stored CalendarOrientation selects: codes 0 to 4 their own option,
// anything else (7, "", "abc") Full Screen.
int PositionFromCode(const QString &code);
// The code saved for a selected option; "5" when none of the first five is selected.
QString CodeOfPosition(int position);

// 800 x 600 pixels and smaller count as small: the calendar then always fills the screen.
inline constexpr int kSmallScreenWidth = 800;
inline constexpr int kSmallScreenHeight = 600;
bool IsSmallScreen(QSize pixels);

// The warning timeout box.
enum class TimeoutProblem { None, NotANumber, Required, NotWhole, NotPositive };
struct Message {
    const char *text;
    const char *title;
};

bool IsNumber(const QString &text);
// While typing: only a text that is neither empty nor a number is refused.
TimeoutProblem CheckTimeoutWhileTyping(const QString &text);
// When the focus leaves: empty, then a fraction, then 0 or less. A text that is no
// number at all throws the conversion error (the typing check has warned already).
TimeoutProblem CheckTimeoutOnLeave(const QString &text);
Message MessageFor(TimeoutProblem problem);

// The up-down control beside the box: one second a step within 1 to 3600; a box that
// holds no whole number starts again from the default of 30.
inline constexpr int kTimeoutMinimum = 1;
inline constexpr int kTimeoutMaximum = 3600;
QString StepTimeout(const QString &text, int steps);

// The font the font dialog's answer makes of the stored one. The dialog opens on a
// substitute for a face missing here, in that face's first style, so what it shows
// is not the stored font: the face, style and size the user left as shown stay as
// stored, the others are taken from the answer.
QFont KeepUntouchedFont(const QFont &stored, const QFont &shown, const QFont &chosen);

} // namespace OptionsRules

} // namespace quillon
