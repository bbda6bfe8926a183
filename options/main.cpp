// The options dialog: edits every shared setting and redraws the desktop calendar.
#include "basOptions.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    return basOptions::Main();
}
