// The options dialog: edits every shared setting and redraws the desktop calendar.
#include "basMessageBox.h"
#include "basOptions.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    quillon::basMessageBox::Install();
    return quillon::basOptions::Main();
}
