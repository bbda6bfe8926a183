#include "OptionsEnvironment.h"

#include "OptionsRules.h"
#include "basExecuteProgram.h"
#include "frmSelectFolder.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>

namespace quillon {

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
    environment.askLauncher = &DesktopCalendar::AskLauncher;
    environment.chooseColor = [](QWidget *parent, const QColor &initial) -> std::optional<QColor> {
        QColorDialog dialog(initial, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.selectedColor();
    };
    environment.chooseFont = [](QWidget *parent, const QFont &initial) -> std::optional<QFont> {
        // Qt's own dialog, so that its effects box can go: the calendar draws no
        // strikeout or underline, and the sample shows none. The box keeps its room,
        // which the sample beside it needs.
        QFontDialog dialog(parent);
        dialog.setOption(QFontDialog::DontUseNativeDialog);
        for (QCheckBox *effect : dialog.findChildren<QCheckBox *>()) {
            QWidget *box = qobject_cast<QGroupBox *>(effect->parentWidget());
            if (!box)
                box = effect;
            QSizePolicy policy = box->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            box->setSizePolicy(policy);
            box->hide();
        }
        QFont opening = initial;
        opening.setStrikeOut(false);
        opening.setUnderline(false);
        dialog.setCurrentFont(opening);
        const QFont shown = dialog.currentFont();
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return OptionsRules::KeepUntouchedFont(initial, shown, dialog.selectedFont());
    };
    environment.showFolderPicker = [](frmSelectFolder &picker) { picker.exec(); };
    return environment;
}

} // namespace quillon
