// The options dialog: edits every shared setting and redraws the desktop calendar.
#include "basMessageBox.h"
#include "basTranslations.h"
#include "basOptions.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    quillon::basTranslations::Install(app, QLocale());
    quillon::basMessageBox::Install();
    return quillon::basOptions::Main();
}
