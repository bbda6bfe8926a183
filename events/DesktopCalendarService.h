// The launcher's end of DesktopCalendar::RequestRedraw: the name org.velmora.Quillon
// on the session bus, whose Redraw and Clear methods hand each request to the
// launcher's queue of calendar runs.
#pragma once

#include "DesktopCalendar.h"

#include <QDBusConnection>
#include <QObject>

#include <cstdint>
#include <functional>

namespace quillon {

class DesktopCalendarService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.velmora.Quillon.DesktopCalendar")

public:
    // Starts or queues the drawing; 0, or the error number of a start that failed.
    using Handler = std::function<std::int32_t(DesktopCalendar::Drawing)>;

    explicit DesktopCalendarService(Handler handler, QObject *parent = nullptr);
    ~DesktopCalendarService() override;

    // Takes the name on the session bus; false with the reason when there is no bus
    // or another process holds the name.
    bool Register(QString *why = nullptr);

public slots:
    Q_SCRIPTABLE int Redraw();
    Q_SCRIPTABLE int Clear();

private:
    Handler m_handler;
    QString m_connectionName;
    bool m_registered = false;
};

} // namespace quillon
