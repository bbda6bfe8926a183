// What the options dialog takes from its surroundings, handed in as one value: where
// the sibling programs live, the screen it judges, and the program starter and the
// colour, font and folder dialogs (tests put stand-ins in their place).
#pragma once

#include "DesktopCalendar.h"

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace quillon {

class frmSelectFolder;

struct OptionsEnvironment {
    // The calendar program, in the options program's own folder.
    QString calendarProgram;
    // The screen size in pixels for the small-screen rule, and its dots per inch for
    // the sizes given in twips.
    QSize screenPixels;
    double logicalDpi = 96.0;

    // Starts a program without waiting: 0, or the number of the error that stopped it.
    std::function<std::int32_t(const QString &program, const QStringList &arguments)> startProgram;
    // The running launcher, asked for a redraw before the program is started; none in tests.
    DesktopCalendar::LauncherCall askLauncher;
    // The colour dialog: the accepted colour, or nothing when cancelled.
    std::function<std::optional<QColor>(QWidget *parent, const QColor &initial)> chooseColor;
    // The font dialog: the accepted font (face, style, size), or nothing when cancelled.
    // What the user left as the dialog showed it comes back as it went in.
    std::function<std::optional<QFont>(QWidget *parent, const QFont &initial)> chooseFont;
    // Shows the folder picker modally; it is closed when this returns.
    std::function<void(frmSelectFolder &picker)> showFolderPicker;
};

// The real surroundings: the program folder, the primary screen and the system dialogs.
OptionsEnvironment SystemOptionsEnvironment();

} // namespace quillon
