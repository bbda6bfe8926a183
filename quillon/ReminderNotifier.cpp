#include "ReminderNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

namespace quillon {

ReminderNotifier::ReminderNotifier(const QDBusConnection &bus, Fallback fallback, QObject *parent)
    : QObject(parent), m_bus(bus), m_fallback(std::move(fallback))
{
    if (m_bus.isConnected())
        m_bus.connect(QString(), kPath, kService, QStringLiteral("ActionInvoked"), this,
                      SLOT(OnActionInvoked(quint32, QString)));
}

void ReminderNotifier::Show(const QString &title, const QString &body, const QStringList &actions, Shown shown)
{
    if (!m_bus.isConnected()) {
        Fall(title, body, shown);
        return;
    }
    // Asked each time: a server may come, go or be replaced while the launcher runs.
    const QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("GetCapabilities"));
    WhenAnswered(m_bus.asyncCall(ask, kCallTimeoutMs), [this, title, body, actions, shown](const QDBusMessage &capabilities) {
        if (capabilities.type() != QDBusMessage::ReplyMessage) {
            Fall(title, body, shown);
            return;
        }
        const QStringList offered = capabilities.arguments().value(0).toStringList();
        QDBusMessage notify = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
        notify << kAppName << quint32(0) << kAppIcon << title << body
               << (offered.contains(QStringLiteral("actions")) ? actions : QStringList()) << QVariantMap() << qint32(-1);
        WhenAnswered(m_bus.asyncCall(notify, kCallTimeoutMs), [this, title, body, shown](const QDBusMessage &reply) {
            if (reply.type() != QDBusMessage::ReplyMessage)
                Fall(title, body, shown);
            else if (shown)
                shown(reply.arguments().value(0).toUInt());
        });
    });
}

void ReminderNotifier::WhenAnswered(const QDBusPendingCall &call, std::function<void(const QDBusMessage &)> then)
{
    // Goes with the notifier when it is gone first: the answer then has nobody to go to.
    auto *watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, then = std::move(then)] {
        watcher->deleteLater();
        then(watcher->reply());
    });
}

void ReminderNotifier::Fall(const QString &title, const QString &body, const Shown &shown)
{
    if (m_fallback)
        m_fallback(title, body);
    if (shown)
        shown(0);
}

void ReminderNotifier::OnActionInvoked(quint32 id, const QString &key) { emit ActionInvoked(id, key); }

} // namespace quillon
