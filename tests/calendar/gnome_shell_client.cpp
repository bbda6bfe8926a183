// What a test asks of a headless GNOME Shell on Wayland, which has no input devices
// and answers screenshot calls only from programs it knows by their bus name:
//   screenshot FILE   the screen as a PNG (this program takes the screenshot tool's name)
//   escape            the Escape key, through a remote-desktop session of Mutter's
// Exit code 0 when done.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QThread>

#include <cstdio>

namespace {
constexpr int kTries = 50;
constexpr uint kEscapeKeysym = 0xff1b;

int Screenshot(QDBusConnection &bus, const QString &file)
{
    if (!bus.registerService(QStringLiteral("org.gnome.Screenshot"))) {
        std::fprintf(stderr, "the name org.gnome.Screenshot is taken\n");
        return 1;
    }
    QDBusInterface shell(QStringLiteral("org.gnome.Shell.Screenshot"), QStringLiteral("/org/gnome/Shell/Screenshot"),
                         QStringLiteral("org.gnome.Shell.Screenshot"), bus);
    // The shell learns from the bus a moment later who owns the name.
    QDBusMessage reply;
    for (int attempt = 0; attempt < kTries; ++attempt, QThread::msleep(100)) {
        reply = shell.call(QStringLiteral("Screenshot"), false, false, file);
        if (reply.type() == QDBusMessage::ReplyMessage)
            return reply.arguments().value(0).toBool() ? 0 : 1;
    }
    std::fprintf(stderr, "%s\n", qPrintable(reply.errorMessage()));
    return 1;
}

int Escape(QDBusConnection &bus)
{
    QDBusInterface desktop(QStringLiteral("org.gnome.Mutter.RemoteDesktop"), QStringLiteral("/org/gnome/Mutter/RemoteDesktop"),
                           QStringLiteral("org.gnome.Mutter.RemoteDesktop"), bus);
    // The session lasts as long as this connection.
    const QDBusReply<QDBusObjectPath> created = desktop.call(QStringLiteral("CreateSession"));
    if (!created.isValid()) {
        std::fprintf(stderr, "%s\n", qPrintable(created.error().message()));
        return 1;
    }
    QDBusInterface session(QStringLiteral("org.gnome.Mutter.RemoteDesktop"), created.value().path(),
                           QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session"), bus);
    for (const QDBusMessage &reply :
         {session.call(QStringLiteral("Start")), session.call(QStringLiteral("NotifyKeyboardKeysym"), kEscapeKeysym, true),
          session.call(QStringLiteral("NotifyKeyboardKeysym"), kEscapeKeysym, false), session.call(QStringLiteral("Stop"))})
        if (reply.type() == QDBusMessage::ErrorMessage) {
            std::fprintf(stderr, "%s\n", qPrintable(reply.errorMessage()));
            return 1;
        }
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("screenshot"))
        return Screenshot(bus, arguments[2]);
    if (arguments.size() == 2 && arguments[1] == QLatin1String("escape"))
        return Escape(bus);
    std::fprintf(stderr, "usage: %s screenshot FILE | escape\n", argv[0]);
    return 2;
}
