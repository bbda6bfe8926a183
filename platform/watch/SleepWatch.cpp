#include "SleepWatch.h"

#include <QDBusConnection>

namespace quillon {

SleepWatch::SleepWatch(QObject *parent) : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    m_watching = bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                             QStringLiteral("org.freedesktop.login1.Manager"),
                             QStringLiteral("PrepareForSleep"), this, SLOT(OnPrepareForSleep(bool)));
}

void SleepWatch::OnPrepareForSleep(bool goingToSleep)
{
    if (!goingToSleep)
        emit Resumed();
}

} // namespace quillon
