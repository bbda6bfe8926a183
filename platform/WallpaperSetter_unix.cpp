// Setting the wallpaper on Linux and other Unix desktops: the chosen desktop's own
// tools (wallpaper/*.cpp say which), started without a shell.
#include "WallpaperSetter.h"

#include "wallpaper/DesktopBackend.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

#include <algorithm>
#include <cstdlib>

#include <xcb/xcb.h>

namespace quillon {

namespace basPlatform {

namespace {
constexpr int kCommandTimeoutMs = 15000;
const QString kCopyPrefix = QStringLiteral("wallpaper-");

bool Run(const WallpaperCommand &command, QString &output, QString &reason)
{
    QProcess process;
    process.start(command.program, command.arguments);
    if (!process.waitForStarted(kCommandTimeoutMs)) {
        reason = QStringLiteral("%1 could not be started").arg(command.program);
        return false;
    }
    if (!process.waitForFinished(kCommandTimeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        reason = QStringLiteral("%1 did not finish").arg(command.program);
        return false;
    }
    output = QString::fromLocal8Bit(process.readAllStandardOutput());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        reason = QStringLiteral("%1 failed: %2")
                     .arg(command.program, QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return false;
    }
    return true;
}

// A uniquely named copy beside the file, for desktops that ignore an unchanged path;
// the number tells apart the copies of one switch (one per monitor).
QString FreshCopy(const QString &path, int number)
{
    const QFileInfo info(path);
    const QString copy = info.absolutePath() + QLatin1Char('/') + kCopyPrefix
        + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"))
        + (number > 0 ? QStringLiteral("-%1").arg(number) : QString()) + QStringLiteral(".") + info.suffix();
    QFile::remove(copy);
    return QFile::copy(path, copy) ? copy : QString();
}

// Older copies go only after the desktop shows the new ones: deleting the file a
// desktop shows can blank its background.
void RemoveOlderCopies(const std::vector<MonitorPicture> &current)
{
    QStringList kept;
    for (const MonitorPicture &picture : current)
        kept.append(QFileInfo(picture.path).fileName());
    const QFileInfo info(current.front().path);
    QDir folder(info.absolutePath());
    const QStringList copies = folder.entryList({kCopyPrefix + QStringLiteral("*.") + info.suffix()}, QDir::Files);
    for (const QString &name : copies)
        if (!kept.contains(name))
            folder.remove(name);
}

// The workspace the window manager shows (_NET_CURRENT_DESKTOP on the root window);
// 0 without X11 or a window manager that says.
int CurrentX11Workspace()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return 0;
    static constexpr char kName[] = "_NET_CURRENT_DESKTOP";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof kName - 1, kName), nullptr);
    if (!atom)
        return 0;
    int workspace = 0;
    if (atom->atom != XCB_ATOM_NONE) {
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        xcb_get_property_reply_t *property = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, screen->root, atom->atom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        if (property && property->format == 32 && xcb_get_property_value_length(property) == 4) {
            const quint32 value = *static_cast<const quint32 *>(xcb_get_property_value(property));
            workspace = value < 1000 ? static_cast<int>(value) : 0;
        }
        std::free(property);
    }
    std::free(atom);
    return workspace;
}

WallpaperResult Fail(WallpaperResult result, const std::vector<MonitorPicture> &copies)
{
    for (const MonitorPicture &copy : copies)
        QFile::remove(copy.path);
    return result;
}
} // namespace

DesktopEnvironment CurrentDesktopEnvironment()
{
    DesktopEnvironment env;
    env.platformName = QGuiApplication::platformName();
    env.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    env.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE");
    env.swaySocket = !qEnvironmentVariableIsEmpty("SWAYSOCK");
    env.x11Display = !qEnvironmentVariableIsEmpty("DISPLAY");
    env.hasProgram = [](const QString &program) { return !QStandardPaths::findExecutable(program).isEmpty(); };
    env.hasBusName = [](const QString &name) {
        const QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
        return bus && bus->isServiceRegistered(name).value();
    };
    for (const QScreen *screen : QGuiApplication::screens())
        env.monitorNames.append(screen->name());
    if (env.platformName == QLatin1String("xcb"))
        env.currentWorkspace = CurrentX11Workspace();
    return env;
}

WallpaperResult WallpaperSetter::Set(const QString &path, QString &reason)
{
    return Set(std::vector<MonitorPicture>{MonitorPicture{QString(), path}}, reason);
}

WallpaperResult WallpaperSetter::Set(const std::vector<MonitorPicture> &given, QString &reason)
{
    const DesktopEnvironment &env = m_environment;
    const WallpaperChoice choice = ChooseWallpaperBackend(env);
    const wallpaper::DesktopBackend *desktop = wallpaper::BackendOf(choice.backend);
    if (!desktop) {
        reason = choice.reason;
        return WallpaperResult::Failed;
    }
    if (given.empty()) {
        reason = QStringLiteral("no picture was given");
        return WallpaperResult::Failed;
    }
    // Only a desktop of the per-monitor layout takes more than the first picture.
    std::vector<MonitorPicture> pictures = given;
    if (desktop->Layout() != MonitorLayout::PerMonitor)
        pictures.resize(1);
    for (MonitorPicture &picture : pictures) {
        picture.path = QFileInfo(picture.path).absoluteFilePath();
        if (!QFileInfo::exists(picture.path)) {
            reason = QStringLiteral("%1 does not exist").arg(picture.path);
            return WallpaperResult::Failed;
        }
    }
    const int monitorCount = static_cast<int>(std::max<qsizetype>(env.monitorNames.size(), 1));
    wallpaper::DesktopState state;
    state.monitorNames = env.monitorNames;
    state.currentWorkspace = env.currentWorkspace;
    // Every tool must be there before anything is changed.
    QStringList programs = desktop->ProgramsAskedFirst();
    for (const WallpaperCommand &command : desktop->Commands(pictures, monitorCount, {}))
        programs.append(command.program);
    for (const QString &program : programs) {
        if (!env.hasProgram(program)) {
            reason = QStringLiteral("%1 is not installed (%2 desktop)").arg(program, desktop->Name());
            return WallpaperResult::Failed;
        }
    }

    if (const QString busName = desktop->BusName(); !busName.isEmpty() && !env.hasBusName(busName)) {
        reason = QStringLiteral("the %1 desktop is not running yet (%2 is not on the session bus)")
                     .arg(desktop->Name(), busName);
        return WallpaperResult::NotReady;
    }

    // A desktop still starting fails its tool (no settings daemon or shell on the bus
    // yet): that is worth another try, unlike a tool that is missing.
    if (!desktop->Prepare(Run, state, reason))
        return WallpaperResult::NotReady;

    std::vector<MonitorPicture> copies;
    if (desktop->NeedsNewFileName()) {
        for (const MonitorPicture &picture : pictures) {
            const QString copy = FreshCopy(picture.path, static_cast<int>(copies.size()));
            if (copy.isEmpty()) {
                reason = QStringLiteral("no copy of %1 could be made beside it").arg(picture.path);
                return Fail(WallpaperResult::Failed, copies);
            }
            copies.push_back({picture.monitor, copy});
        }
    }
    const std::vector<MonitorPicture> &shown = copies.empty() ? pictures : copies;
    for (const WallpaperCommand &command : desktop->Commands(shown, monitorCount, state)) {
        QString output;
        if (!Run(command, output, reason))
            return Fail(WallpaperResult::NotReady, copies);
    }
    if (!copies.empty())
        RemoveOlderCopies(copies);
    return WallpaperResult::Set;
}

QColor DesktopBackgroundColor()
{
    // No portable way to ask a Unix desktop; a quiet blue that black text reads on.
    return QColor(58, 110, 165);
}

bool UseOffscreenWithoutDisplay()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QUILLON_NONINTERACTIVE", "1");
    return true;
}

} // namespace basPlatform

} // namespace quillon
