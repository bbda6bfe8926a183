// The scheduler: day and month views, day notes, the fact of the day and the event editor.
#include "basMain.h"
#include "basTranslations.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    quillon::basTranslations::Install(app, QLocale());
    return quillon::basMain::Main();
}
