#include "views/DayChangeWatch.h"

#include "platform/basPlatform.h"

#include <QTimer>
#include <QWidget>

namespace quillon {

namespace DayChangeWatch {

void RepaintOnNewDay(QWidget *widget)
{
    auto *timer = new QTimer(widget);
    timer->setInterval(kIntervalMs);
    QObject::connect(timer, &QTimer::timeout, widget, [widget, shownToday = basPlatform::Today()]() mutable {
        if (basPlatform::Today() != shownToday) {
            shownToday = basPlatform::Today();
            widget->update();
        }
    });
    timer->start();
}

} // namespace DayChangeWatch

} // namespace quillon
