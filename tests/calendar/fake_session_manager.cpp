// Stands in for a desktop's session manager on the session bus, for desktop programs
// that wait for the session to be running before they draw (Cinnamon's background
// daemon). Every client is registered, the session is always running.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>

#include <cstdio>

namespace quillon {

namespace {
const QString kService = QStringLiteral("org.gnome.SessionManager");
const QString kPath = QStringLiteral("/org/gnome/SessionManager");
const QString kClientPath = QStringLiteral("/org/gnome/SessionManager/Client1");

class SessionManager : public QDBusVirtualObject {
public:
    QString introspect(const QString &) const override { return {}; }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.type() != QDBusMessage::MethodCallMessage)
            return false;
        const QString member = message.member();
        QDBusMessage reply;
        if (member == QLatin1String("IsSessionRunning"))
            reply = message.createReply(QVariant(true));
        else if (member == QLatin1String("RegisterClient"))
            reply = message.createReply(QVariant::fromValue(QDBusObjectPath(kClientPath)));
        else
            reply = message.createReply(); // EndSessionResponse, Inhibit and the like: done
        connection.send(reply);
        return true;
    }
};
} // namespace

int Main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    SessionManager manager;
    if (!bus.registerVirtualObject(kPath, &manager, QDBusConnection::SubPath) || !bus.registerService(kService)) {
        std::fprintf(stderr, "fake_session_manager: %s could not be taken on the session bus\n", qPrintable(kService));
        return 1;
    }
    bus.send(QDBusMessage::createSignal(kPath, kService, QStringLiteral("SessionRunning")));
    return app.exec();
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
