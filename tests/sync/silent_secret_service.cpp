// A Secret Service that takes every call and answers none, as a keyring waiting behind a
// prompt nobody sees looks to its clients. Prints "ready" once it owns the name.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusVirtualObject>

#include <cstdio>

namespace {

class Silent : public QDBusVirtualObject {
public:
    QString introspect(const QString &) const override { return QString(); }
    // Handled, and never answered.
    bool handleMessage(const QDBusMessage &, const QDBusConnection &) override { return true; }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Silent silent;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject(QStringLiteral("/"), &silent, QDBusConnection::SubPath)
        || !bus.registerService(QStringLiteral("org.freedesktop.secrets")))
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}
