#include "DesktopCalendarService.h"

#include <QDBusConnectionInterface>
#include <QDBusError>

namespace quillon {

namespace {
const QString kConnectionName = QStringLiteral("quillon-redraw-service");
}

DesktopCalendarService::DesktopCalendarService(Handler handler, QObject *parent)
    : QObject(parent), m_handler(std::move(handler))
{
}

DesktopCalendarService::~DesktopCalendarService()
{
    if (m_connectionName.isEmpty())
        return;
    QDBusConnection bus(m_connectionName);
    if (m_registered) {
        bus.unregisterService(QLatin1String(DesktopCalendar::kServiceName));
        bus.unregisterObject(QLatin1String(DesktopCalendar::kObjectPath));
    }
    QDBusConnection::disconnectFromBus(m_connectionName);
}

bool DesktopCalendarService::Register(QString *why)
{
    const auto fail = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    const QString address = DesktopCalendar::SessionBusAddress();
    if (address.isEmpty())
        return fail(QStringLiteral("there is no session bus"));
    m_connectionName = kConnectionName;
    QDBusConnection bus = QDBusConnection::connectToBus(address, m_connectionName);
    if (!bus.isConnected())
        return fail(QStringLiteral("the session bus %1 cannot be reached (%2)").arg(address, bus.lastError().message()));
    if (!bus.registerObject(QLatin1String(DesktopCalendar::kObjectPath), this, QDBusConnection::ExportScriptableSlots))
        return fail(QStringLiteral("%1 cannot be offered on the session bus").arg(QLatin1String(DesktopCalendar::kObjectPath)));
    // Not queued behind another owner: a name we do not hold now is no use to anyone.
    const auto reply = bus.interface()->registerService(QLatin1String(DesktopCalendar::kServiceName),
                                                        QDBusConnectionInterface::DontQueueService,
                                                        QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        bus.unregisterObject(QLatin1String(DesktopCalendar::kObjectPath));
        return fail(QStringLiteral("the name %1 is taken on the session bus").arg(QLatin1String(DesktopCalendar::kServiceName)));
    }
    m_registered = true;
    return true;
}

int DesktopCalendarService::Redraw() { return m_handler ? m_handler(DesktopCalendar::Drawing::Calendar) : 0; }

int DesktopCalendarService::Clear() { return m_handler ? m_handler(DesktopCalendar::Drawing::BackgroundOnly) : 0; }

} // namespace quillon
