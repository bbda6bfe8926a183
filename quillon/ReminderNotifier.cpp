#include "ReminderNotifier.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

namespace quillon {

ReminderNotifier::ReminderNotifier(const QDBusConnection &bus, Fallback fallback, QObject *parent)
    : QObject(parent), m_bus(bus), m_fallback(std::move(fallback))
{
    if (m_bus.isConnected())
        m_bus.connect(QString(), kPath, kService, QStringLiteral("ActionInvoked"), this,
                      SLOT(OnActionInvoked(quint32, QString)));
}

quint32 ReminderNotifier::Show(const QString &title, const QString &body, const QStringList &actions)
{
    if (m_bus.isConnected()) {
        // Asked each time: a server may come, go or be replaced while the launcher runs.
        QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("GetCapabilities"));
        const QDBusMessage capabilities = m_bus.call(ask, QDBus::Block, kCallTimeoutMs);
        if (capabilities.type() == QDBusMessage::ReplyMessage) {
            const QStringList offered = capabilities.arguments().value(0).toStringList();
            QDBusMessage notify = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
            notify << kAppName << quint32(0) << kAppIcon << title << body
                   << (offered.contains(QStringLiteral("actions")) ? actions : QStringList()) << QVariantMap()
                   << qint32(-1);
            const QDBusMessage reply = m_bus.call(notify, QDBus::Block, kCallTimeoutMs);
            if (reply.type() == QDBusMessage::ReplyMessage)
                return reply.arguments().value(0).toUInt();
        }
    }
    if (m_fallback)
        m_fallback(title, body);
    return 0;
}

void ReminderNotifier::OnActionInvoked(quint32 id, const QString &key) { emit ActionInvoked(id, key); }

} // namespace quillon
