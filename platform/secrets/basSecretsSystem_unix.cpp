#include "basSecretsSystem.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace quillon {

namespace basSecrets::system {

namespace {

const QString kService = QStringLiteral("org.freedesktop.secrets");

QDBusMessage Ask(const QDBusConnection &bus, const QString &service, const QString &path, const QString &interface,
                 const QString &method, const QVariantList &arguments, int timeoutMs)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, timeoutMs);
}

// An answer that says the object is not there (gnome-keyring says "UnknownMethod").
bool NoSuchObject(const QDBusMessage &reply)
{
    static const QStringList kMissing{QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
                                      QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"),
                                      QStringLiteral("org.freedesktop.Secret.Error.NoSuchObject")};
    return reply.type() == QDBusMessage::ErrorMessage && kMissing.contains(reply.errorName());
}

} // namespace

QString UnusableStoreReason(int timeoutMs)
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return QString();
    // Another store (KWallet) may be the one in use: only a running Secret Service is judged.
    const QDBusMessage running = Ask(bus, QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                     QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"), {kService},
                                     timeoutMs);
    if (running.type() != QDBusMessage::ReplyMessage || !running.arguments().value(0).toBool())
        return QString();
    // New passwords go to the collection the alias "default" names ("/": none).
    const QDBusMessage alias = Ask(bus, kService, QStringLiteral("/org/freedesktop/secrets"),
                                   QStringLiteral("org.freedesktop.Secret.Service"), QStringLiteral("ReadAlias"),
                                   {QStringLiteral("default")}, timeoutMs);
    if (alias.type() != QDBusMessage::ReplyMessage)
        return QString();
    const QString collection = alias.arguments().value(0).value<QDBusObjectPath>().path();
    if (collection.isEmpty() || collection == QLatin1String("/"))
        return QStringLiteral("the desktop's keyring has no collection to keep passwords in");
    const QDBusMessage label = Ask(bus, kService, collection, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("Get"),
                                   {QStringLiteral("org.freedesktop.Secret.Collection"), QStringLiteral("Label")},
                                   timeoutMs);
    if (NoSuchObject(label))
        return QStringLiteral("the desktop's keyring has no collection \"%1\" to keep passwords in")
            .arg(collection.section(QLatin1Char('/'), -1));
    return QString();
}

} // namespace basSecrets::system

} // namespace quillon
