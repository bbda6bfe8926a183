#include "DesktopRestartWatch.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

namespace quillon {

DesktopRestartWatch::DesktopRestartWatch(const QString &busName, int settleMs, QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &DesktopRestartWatch::Restarted);
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (busName.isEmpty() || !bus.isConnected())
        return;
    auto *watcher = new QDBusServiceWatcher(busName, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { m_settle.start(); });
}

} // namespace quillon
