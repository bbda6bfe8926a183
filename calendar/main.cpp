// The desktop calendar renderer: draws the month into wallpaper.bmp and ends.
#include "basCalendar.h"
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
    return quillon::basCalendar::Main(QApplication::arguments());
}
