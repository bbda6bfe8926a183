// Shows reminders as desktop notifications: on the session bus's
// org.freedesktop.Notifications server when there is one, with actions where the server
// offers them; otherwise through a fallback (the tray icon's balloon). Nothing waits on
// the server's answers: a slow server must not stop the launcher answering others.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QDBusMessage;
class QDBusPendingCall;

namespace quillon {

class ReminderNotifier : public QObject {
    Q_OBJECT

public:
    inline static const QString kService = QStringLiteral("org.freedesktop.Notifications");
    inline static const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
    inline static const QString kAppName = QStringLiteral("Quillon");
    inline static const QString kAppIcon = QStringLiteral("quillon");
    // How long a notification server may take to answer before the fallback is used:
    // as long as the bus's own limit, since nothing waits for it meanwhile, and a
    // notification shown late is better than one shown twice.
    static constexpr int kCallTimeoutMs = 25000;

    using Fallback = std::function<void(const QString &title, const QString &body)>;
    // The server's id of the notification, or 0 when the fallback showed it.
    using Shown = std::function<void(quint32 id)>;

    ReminderNotifier(const QDBusConnection &bus, Fallback fallback, QObject *parent = nullptr);

    // actions: key, text, key, text ... (left out where the server has no actions).
    // Returns before the server answers; shown is called once it did (at once when
    // there is no bus).
    void Show(const QString &title, const QString &body, const QStringList &actions, Shown shown = {});

signals:
    void ActionInvoked(quint32 id, const QString &key);

private slots:
    void OnActionInvoked(quint32 id, const QString &key);

private:
    // Calls then with the answer, on this object's thread.
    void WhenAnswered(const QDBusPendingCall &call, std::function<void(const QDBusMessage &)> then);
    void Fall(const QString &title, const QString &body, const Shown &shown);

    QDBusConnection m_bus;
    Fallback m_fallback;
};

} // namespace quillon
