// The scheduler: day and month views, day notes, the fact of the day and the event editor.
#include "basMain.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    return quillon::basMain::Main();
}
