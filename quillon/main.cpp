// The tray launcher: keeps the desktop calendar current and starts the other programs.
#include "basLauncher.h"
#include "basMessageBox.h"
#include "platform/WallpaperSetter.h"

#include <QApplication>

int main(int argc, char **argv)
{
    basPlatform::UseOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    basMessageBox::Install();
    return basLauncher::Main(app);
}
