#include "WaylandSession.h"

#include "DesktopSession.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

namespace quillon {

namespace calendartest {

namespace {
constexpr int kStartMs = 10000;
const QString kUser = QStringLiteral("nobody");

bool AsRoot() { return ::geteuid() == 0; }

// The session user's ids, or this process's own when not root.
bool SessionIds(uid_t &uid, gid_t &gid)
{
    if (!AsRoot()) {
        uid = ::geteuid();
        gid = ::getegid();
        return true;
    }
    const passwd *entry = ::getpwnam(kUser.toLocal8Bit().constData());
    if (!entry)
        return false;
    uid = entry->pw_uid;
    gid = entry->pw_gid;
    return true;
}
} // namespace

WaylandSession::WaylandSession(QString home, QSize output) : WaylandSession(std::move(home), {WaylandOutput{output}}) {}

WaylandSession::WaylandSession(QString home, QList<WaylandOutput> outputs)
    : m_home(std::move(home)), m_outputs(std::move(outputs))
{
}

WaylandSession::~WaylandSession()
{
    auto stop = [](QProcess &process) {
        process.terminate();
        if (!process.waitForFinished(3000)) {
            process.kill();
            process.waitForFinished(2000);
        }
    };
    for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it)
        stop(**it);
    if (m_sway)
        stop(*m_sway);
    StopProcessesOfHome(m_home);
}

QStringList WaylandSession::Missing(const QStringList &programs)
{
    QStringList needed = QStringList{QStringLiteral("sway"), QStringLiteral("swaymsg"), QStringLiteral("swaybg"),
                                     QStringLiteral("grim")}
        + programs;
    if (AsRoot())
        needed.append(QStringLiteral("setpriv"));
    return DesktopSession::Missing(needed);
}

QStringList WaylandSession::RunAsPrefix() const
{
    if (!AsRoot())
        return {};
    uid_t uid = 0;
    gid_t gid = 0;
    SessionIds(uid, gid);
    return {QStringLiteral("setpriv"), QStringLiteral("--reuid=%1").arg(uid), QStringLiteral("--regid=%1").arg(gid),
            QStringLiteral("--clear-groups"), QStringLiteral("--")};
}

bool WaylandSession::GiveToSessionUser(const QString &path) const
{
    if (!AsRoot())
        return true;
    uid_t uid = 0;
    gid_t gid = 0;
    if (!SessionIds(uid, gid))
        return false;
    bool given = ::chown(QFile::encodeName(path).constData(), uid, gid) == 0;
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        given = ::lchown(QFile::encodeName(it.next()).constData(), uid, gid) == 0 && given;
    return given;
}

bool WaylandSession::Start(QString &error)
{
    uid_t uid = 0;
    gid_t gid = 0;
    if (!SessionIds(uid, gid)) {
        error = QStringLiteral("there is no user %1 to run sway as").arg(kUser);
        return false;
    }
    const QString runtime = m_home + QStringLiteral("/runtime");
    const QString config = m_home + QStringLiteral("/sway.conf");
    for (const char *folder : {".config", ".cache", "runtime"})
        QDir().mkpath(m_home + QLatin1Char('/') + QLatin1String(folder));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile file(config);
    // Wayland only: a program that fell back to X11 would find no server. A black
    // background, so that a picture not taken does not pass for one. The outputs side
    // by side, each at the place its logical width leaves.
    QByteArray text = "xwayland disable\n" + m_config;
    for (int i = 0, x = 0; i < m_outputs.size(); x += m_outputs[i].Logical().width(), ++i)
        text += QStringLiteral("output %1 mode %2x%3 scale %4 pos %5 0 bg #000000 solid_color\n")
                    .arg(OutputName(i))
                    .arg(m_outputs[i].mode.width())
                    .arg(m_outputs[i].mode.height())
                    .arg(m_outputs[i].scale)
                    .arg(x)
                    .toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0) {
        error = QStringLiteral("%1 could not be written").arg(config);
        return false;
    }
    file.close();
    if (!GiveToSessionUser(m_home)) {
        error = QStringLiteral("%1 could not be given to %2").arg(m_home, kUser);
        return false;
    }

    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    env.insert(QStringLiteral("HOME"), m_home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), m_home + QStringLiteral("/.cache"));
    QProcessEnvironment swayEnv = env;
    swayEnv.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    swayEnv.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    swayEnv.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    m_sway = std::make_unique<QProcess>();
    m_sway->setProcessEnvironment(swayEnv);
    m_sway->setStandardOutputFile(m_home + QStringLiteral("/sway.log"));
    m_sway->setStandardErrorFile(m_home + QStringLiteral("/sway.log"), QIODevice::Append);
    const QStringList prefix = RunAsPrefix();
    const QStringList swayCommand = prefix + QStringList{QStringLiteral("sway"), QStringLiteral("-c"), config};
    m_sway->start(swayCommand.front(), swayCommand.mid(1));
    if (!m_sway->waitForStarted(kStartMs)) {
        error = QStringLiteral("sway could not be started");
        return false;
    }

    // sway names its display and its IPC socket in the runtime folder once it is up.
    QDeadlineTimer deadline(kStartMs);
    QString display, socket;
    while ((display.isEmpty() || socket.isEmpty()) && !deadline.hasExpired()
           && m_sway->state() == QProcess::Running) {
        QThread::msleep(50);
        const QStringList entries = QDir(runtime).entryList(QDir::System | QDir::Files);
        for (const QString &entry : entries) {
            if (entry.startsWith(QLatin1String("wayland-")) && !entry.endsWith(QLatin1String(".lock")))
                display = entry;
            else if (entry.startsWith(QLatin1String("sway-ipc.")))
                socket = runtime + QLatin1Char('/') + entry;
        }
    }
    if (display.isEmpty() || socket.isEmpty()) {
        QFile log(m_home + QStringLiteral("/sway.log"));
        log.open(QIODevice::ReadOnly);
        error = QStringLiteral("sway did not start: %1").arg(QString::fromLocal8Bit(log.readAll().right(800)));
        return false;
    }
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), display);
    env.insert(QStringLiteral("SWAYSOCK"), socket);
    m_env = env;
    // The headless backend starts with one output; the others are made here, and each
    // takes its mode from the configuration as it comes.
    for (int i = 1; i < m_outputs.size(); ++i)
        if (Run(QStringLiteral("swaymsg"), {QStringLiteral("create_output")}) != 0) {
            error = QStringLiteral("swaymsg could not make output %1").arg(OutputName(i));
            return false;
        }
    QString outputs;
    for (QDeadlineTimer listed(kStartMs); !listed.hasExpired(); QThread::msleep(50)) {
        if (Run(QStringLiteral("swaymsg"), {QStringLiteral("-t"), QStringLiteral("get_outputs")}, &outputs) != 0) {
            error = QStringLiteral("swaymsg could not reach sway");
            return false;
        }
        if (outputs.count(QLatin1String("\"name\": \"HEADLESS-")) >= m_outputs.size())
            return true;
    }
    error = QStringLiteral("sway has not all %1 outputs: %2").arg(m_outputs.size()).arg(outputs);
    return false;
}

bool WaylandSession::StartBus(QString &error, const QString &variable)
{
    // A bus admits only the user who runs it: the session's.
    auto bus = std::make_unique<QProcess>();
    bus->setProcessEnvironment(m_env);
    const QStringList command = RunAsPrefix() + QStringList{QStringLiteral("dbus-daemon"), QStringLiteral("--session"),
                                                            QStringLiteral("--nofork"), QStringLiteral("--print-address=1")};
    bus->start(command.front(), command.mid(1));
    const QString address = FirstLine(*bus);
    m_processes.push_back(std::move(bus));
    if (address.isEmpty()) {
        error = QStringLiteral("dbus-daemon did not start");
        return false;
    }
    m_env.insert(variable, address);
    return true;
}

bool WaylandSession::Launch(const QString &program, const QStringList &arguments, const QProcessEnvironment &overrides)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = m_env;
    env.insert(overrides);
    process->setProcessEnvironment(env);
    process->setStandardOutputFile(m_home + QStringLiteral("/session.log"), QIODevice::Append);
    process->setStandardErrorFile(m_home + QStringLiteral("/session.log"), QIODevice::Append);
    const QStringList command = RunAsPrefix() + QStringList{program} + arguments;
    process->start(command.front(), command.mid(1));
    const bool started = process->waitForStarted(kStartMs);
    m_processes.push_back(std::move(process));
    return started;
}

int WaylandSession::Run(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    process.setProcessEnvironment(m_env);
    const QStringList command = RunAsPrefix() + QStringList{program} + arguments;
    process.start(command.front(), command.mid(1));
    if (!process.waitForStarted(kStartMs) || !process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished(2000);
        return -1;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool WaylandSession::WaitForBusName(const QString &name, int timeoutMs, const QString &bus)
{
    const QStringList call{QStringLiteral("call"), bus, QStringLiteral("--dest"),
                           QStringLiteral("org.freedesktop.DBus"), QStringLiteral("--object-path"),
                           QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("--method"),
                           QStringLiteral("org.freedesktop.DBus.NameHasOwner"), name};
    QDeadlineTimer deadline(timeoutMs);
    for (QString answer; !deadline.hasExpired(); QThread::msleep(100))
        if (Run(QStringLiteral("gdbus"), call, &answer) == 0 && answer.trimmed() == QLatin1String("(true,)"))
            return true;
    return false;
}

bool WaylandSession::WaitForDisplay(const QString &name, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (!QFile::exists(RuntimeFolder() + QLatin1Char('/') + name) && !deadline.hasExpired())
        QThread::msleep(50);
    return QFile::exists(RuntimeFolder() + QLatin1Char('/') + name);
}

QString WaylandSession::Log() const
{
    QFile log(m_home + QStringLiteral("/session.log"));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

QImage WaylandSession::Screenshot(const QString &output)
{
    // Written where the session user may write, read here as whoever runs the test.
    const QString file = m_home + QStringLiteral("/.cache/screen.png");
    QFile::remove(file);
    const QStringList arguments =
        output.isEmpty() ? QStringList{file} : QStringList{QStringLiteral("-o"), output, file};
    if (Run(QStringLiteral("grim"), arguments) != 0)
        return QImage();
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

QImage WaylandSession::WaitForScreen(const std::function<bool(const QImage &)> &test, int timeoutMs,
                                     const QString &output)
{
    QDeadlineTimer deadline(timeoutMs);
    QImage screen = Screenshot(output);
    while (!test(screen) && !deadline.hasExpired()) {
        QThread::msleep(200);
        screen = Screenshot(output);
    }
    return screen;
}

} // namespace calendartest

} // namespace quillon
