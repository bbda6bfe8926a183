// Saves a picture of each page of the options dialog and of its folder picker, drawn
// with the settings of the current environment (XDG_CONFIG_HOME and friends):
//
//   options-shots DIR      writes DIR/options-0.png ... options-3.png and DIR/select-folder.png
#include "OptionsEnvironment.h"
#include "basMessageBox.h"
#include "basQuillon.h"
#include "basTranslations.h"
#include "frmOptions.h"
#include "frmSelectFolder.h"

#include <QApplication>
#include <QLocale>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace quillon {

namespace {
void Settle(int milliseconds)
{
    QTimer timer;
    timer.setSingleShot(true);
    QEventLoop loop;
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(milliseconds);
    loop.exec();
}
} // namespace

int Main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The pages as the user sees them: in the user's language.
    basTranslations::Install(app, QLocale());
    basMessageBox::Install();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: options-shots DIR\n");
        return 64;
    }
    const QString dir = arguments[1];
    bool saved = true;

    frmOptions form(SystemOptionsEnvironment());
    form.Form_Load();
    form.show();
    for (int page = 0; page < form.SSTab1->count(); ++page) {
        form.SSTab1->setCurrentIndex(page);
        Settle(400);
        saved = form.grab().save(QStringLiteral("%1/options-%2.png").arg(dir).arg(page)) && saved;
    }

    frmSelectFolder picker(&form);
    picker.SetFolderName(basQuillon::LoadGeneralSettings().ImagesLocation);
    picker.show();
    Settle(800);
    saved = picker.grab().save(dir + QStringLiteral("/select-folder.png")) && saved;
    return saved ? 0 : 1;
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
