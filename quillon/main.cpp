// The tray launcher: keeps the desktop calendar current and starts the other programs.
#include "basLauncher.h"
#include "basTranslations.h"
#include "basMessageBox.h"
#include "platform/WallpaperSetter.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char **argv)
{
    quillon::basPlatform::UseOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    quillon::basTranslations::Install(app, QLocale());
    quillon::basMessageBox::Install();
    return quillon::basLauncher::Main(app);
}
