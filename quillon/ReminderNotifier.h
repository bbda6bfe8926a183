// Shows reminders as desktop notifications: on the session bus's
// org.freedesktop.Notifications server when there is one, with actions where the server
// offers them; otherwise through a fallback (the tray icon's balloon).
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace quillon {

class ReminderNotifier : public QObject {
    Q_OBJECT

public:
    inline static const QString kService = QStringLiteral("org.freedesktop.Notifications");
    inline static const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
    inline static const QString kAppName = QStringLiteral("Quillon");
    inline static const QString kAppIcon = QStringLiteral("quillon");
    // How long a notification server may take to answer before the fallback is used.
    static constexpr int kCallTimeoutMs = 2000;

    using Fallback = std::function<void(const QString &title, const QString &body)>;

    ReminderNotifier(const QDBusConnection &bus, Fallback fallback, QObject *parent = nullptr);

    // actions: key, text, key, text ... (left out where the server has no actions).
    // The server's id, or 0 when the fallback showed it.
    quint32 Show(const QString &title, const QString &body, const QStringList &actions);

signals:
    void ActionInvoked(quint32 id, const QString &key);

private slots:
    void OnActionInvoked(quint32 id, const QString &key);

private:
    QDBusConnection m_bus;
    Fallback m_fallback;
};

} // namespace quillon
