// Stands in for logind on a bus of the test's own in place of the system bus: its
// Suspend call does what a real suspend and wake show to programs, PrepareForSleep(true)
// and then PrepareForSleep(false), without the machine sleeping.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QTimer>

#include <cstdio>

namespace quillon {

namespace {
const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
constexpr int kAsleepMs = 200;

class LoginManager : public QDBusVirtualObject {
public:
    QString introspect(const QString &) const override { return {}; }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.type() != QDBusMessage::MethodCallMessage)
            return false;
        if (message.member() != QLatin1String("Suspend")) {
            connection.send(message.createErrorReply(QDBusError::UnknownMethod, message.member()));
            return true;
        }
        connection.send(message.createReply());
        auto sleep = [connection](bool goingToSleep) mutable {
            QDBusMessage signal = QDBusMessage::createSignal(kPath, kManager, QStringLiteral("PrepareForSleep"));
            signal << goingToSleep;
            connection.send(signal);
        };
        sleep(true);
        QTimer::singleShot(kAsleepMs, [sleep]() mutable { sleep(false); });
        return true;
    }
};
} // namespace

int Main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::systemBus();
    LoginManager manager;
    if (!bus.registerVirtualObject(kPath, &manager) || !bus.registerService(kService)) {
        std::fprintf(stderr, "fake_login_manager: %s could not be taken on the system bus\n", qPrintable(kService));
        return 1;
    }
    return app.exec();
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
