#include "DesktopCalendar.h"

#include "basExecuteProgram.h"
#include "basOperation.h"
#include "basQuillon.h"
#include "platform/basPlatform.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quillon {

namespace DesktopCalendar {

bool IsShown(const QString &storedValue)
{
    const QString text = storedValue.trimmed();
    if (text.isEmpty())
        return false;
    bool isNumber = false;
    const double number = text.toDouble(&isNumber);
    return !isNumber || number != 0.0;
}

bool IsShown()
{
    return basOperation::TrapSilently(false, [](basOperation::Steps &) {
        return IsShown(basQuillon::GetOption(QLatin1String(kSettingName), QStringLiteral("0")));
    });
}

QStringList Arguments(Drawing drawing)
{
    if (drawing == Drawing::BackgroundOnly)
        return {QLatin1String(kBackgroundOnlyArgument)};
    return {};
}

Drawing DrawingOf(const QStringList &arguments)
{
    return arguments == QStringList{QLatin1String(kBackgroundOnlyArgument)} ? Drawing::BackgroundOnly
                                                                           : Drawing::Calendar;
}

QString SessionBusAddress()
{
    const QString given = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!given.isEmpty())
        return given;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")))
        return QStringLiteral("unix:path=") + runtime + QStringLiteral("/bus");
    return QString();
}

std::optional<std::int32_t> AskLauncher(Drawing drawing)
{
    const QString address = SessionBusAddress();
    if (address.isEmpty() || !QCoreApplication::instance())
        return std::nullopt;
    // One connection per bus address: a test may move between private buses.
    const QString name = QStringLiteral("quillon-redraw-request ") + address;
    QDBusConnection bus = QDBusConnection::connectToBus(address, name);
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(name);
        return std::nullopt;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(kServiceName), QLatin1String(kObjectPath), QLatin1String(kInterfaceName),
        QLatin1String(drawing == Drawing::BackgroundOnly ? kClearMethod : kRedrawMethod));
    // Only a launcher that runs is asked; the bus must not start one.
    call.setAutoStartService(false);
    const QDBusMessage reply = bus.call(call, QDBus::Block, kLauncherTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return std::nullopt;
    bool isNumber = false;
    const int answer = reply.arguments().constFirst().toInt(&isNumber);
    if (!isNumber)
        return std::nullopt;
    return answer;
}

Route SystemRoute()
{
    return Route{basExecuteProgram::ProgramPath(QStringLiteral("calendar")), &basExecuteProgram::ExecuteProgram,
                 &AskLauncher};
}

std::int32_t RequestRedraw(Drawing drawing, const Route &route)
{
    std::optional<std::int32_t> launcherAnswer;
    if (route.askLauncher)
        launcherAnswer = route.askLauncher(drawing);
    if (launcherAnswer && *launcherAnswer == 0)
        return 0;
    // No launcher, or one that could not start its calendar program: ours may still run.
    if (!route.start)
        return launcherAnswer.value_or(basOperation::kFileNotFound);
    return route.start(route.calendarProgram, Arguments(drawing));
}

std::int32_t RequestRedraw(Drawing drawing) { return RequestRedraw(drawing, SystemRoute()); }

namespace {
// A marker holds a few arguments; anything longer was not written by us.
constexpr qint64 kLongestMarkerBytes = 256;
} // namespace

QString PendingRedrawFile()
{
    return basPlatform::RuntimeFolder() + QStringLiteral("/quillon-calendar.pending");
}

bool LeavePendingRedraw(Drawing drawing)
{
    const QString path = PendingRedrawFile();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    // Written whole under another name and renamed over, so a reader never sees half.
    QSaveFile marker(path);
    if (!marker.open(QIODevice::WriteOnly))
        return false;
    marker.write(Arguments(drawing).join(QLatin1Char(' ')).toUtf8());
    return marker.commit();
}

bool RedrawPending() { return QFileInfo::exists(PendingRedrawFile()); }

std::optional<Drawing> TakePendingRedraw()
{
    // Moved aside first: a marker left at this moment is a new one, kept for later.
    const QString path = PendingRedrawFile();
    const QString taken = path + QLatin1Char('.') + QString::number(QCoreApplication::applicationPid());
    QFile::remove(taken);
    if (!QFile::rename(path, taken))
        return std::nullopt;
    // Read only when it is a small file of ours: a FIFO or a link planted in its place
    // would hang the drawing or read another file. Whatever it was, it goes.
    const std::optional<QByteArray> bytes = basPlatform::ReadOwnFile(taken, kLongestMarkerBytes);
    QFile::remove(taken);
    if (!bytes)
        return std::nullopt;
    const QString text = QString::fromUtf8(*bytes).trimmed();
    return DrawingOf(text.isEmpty() ? QStringList() : text.split(QLatin1Char(' ')));
}

LockedDrawing DrawUnderLock(Drawing drawing, const DrawFunction &draw, const QString &lockName)
{
    LockedDrawing done;
    switch (basPlatform::TakeInstanceLock(lockName, &done.why, &done.shownWhy)) {
    case basPlatform::InstanceLock::Taken:
        // A marker from before this start asks for nothing this drawing does not give.
        TakePendingRedraw();
        break;
    case basPlatform::InstanceLock::HeldByAnother:
        if (!LeavePendingRedraw(drawing)) {
            done.outcome = LockedDrawing::Outcome::NotLeft;
            done.why = QStringLiteral("%1 cannot be written").arg(QDir::toNativeSeparators(PendingRedrawFile()));
            return done;
        }
        // The other copy may have let go just before the marker was there: then this
        // copy draws what the marker says (this request, or one newer still).
        if (basPlatform::TakeInstanceLock(lockName) != basPlatform::InstanceLock::Taken) {
            done.outcome = LockedDrawing::Outcome::LeftToOther;
            return done;
        }
        drawing = TakePendingRedraw().value_or(drawing);
        break;
    case basPlatform::InstanceLock::Unavailable:
        done.outcome = LockedDrawing::Outcome::NoLock;
        return done;
    }
    done.why.clear();
    done.result = draw(drawing, false);
    // The lock goes first, so a copy starting now either finds the marker still here
    // or takes the lock and draws itself.
    for (;;) {
        basPlatform::ReleaseInstanceLock(lockName);
        if (!RedrawPending() || basPlatform::TakeInstanceLock(lockName) != basPlatform::InstanceLock::Taken)
            return done;
        if (const std::optional<Drawing> pending = TakePendingRedraw())
            done.result = draw(*pending, true);
    }
}

} // namespace DesktopCalendar

} // namespace quillon
