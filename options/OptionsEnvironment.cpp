#include "OptionsEnvironment.h"

#include "basExecuteProgram.h"
#include "frmSelectFolder.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QScreen>

OptionsEnvironment SystemOptionsEnvironment()
{
    OptionsEnvironment environment;
    environment.calendarProgram = basExecuteProgram::ProgramPath(QStringLiteral("calendar"));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        // Logical pixels, as the calendar program measures the screen it fills.
        environment.screenPixels = screen->geometry().size();
        environment.logicalDpi = screen->logicalDotsPerInchY();
    }
    environment.startProgram = [](const QString &program, const QStringList &arguments) {
        return basExecuteProgram::ExecuteProgram(program, arguments);
    };
    environment.chooseColor = [](QWidget *parent, const QColor &initial) -> std::optional<QColor> {
        QColorDialog dialog(initial, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.selectedColor();
    };
    environment.chooseFont = [](QWidget *parent, const QFont &initial) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, parent);
        if (!ok)
            return std::nullopt;
        return font;
    };
    environment.showFolderPicker = [](frmSelectFolder &picker) { picker.exec(); };
    return environment;
}
