#include "WaylandSession.h"

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

WaylandSession::WaylandSession(QString home, QSize output) : m_home(std::move(home)), m_output(output) {}

WaylandSession::~WaylandSession()
{
    if (!m_sway)
        return;
    m_sway->terminate();
    if (!m_sway->waitForFinished(3000)) {
        m_sway->kill();
        m_sway->waitForFinished(2000);
    }
}

QStringList WaylandSession::Missing()
{
    QStringList programs{QStringLiteral("sway"), QStringLiteral("swaymsg"), QStringLiteral("swaybg"),
                         QStringLiteral("grim")};
    if (AsRoot())
        programs.append(QStringLiteral("setpriv"));
    QStringList missing;
    for (const QString &program : programs)
        if (QStandardPaths::findExecutable(program).isEmpty())
            missing.append(program);
    return missing;
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
    // background, so that a picture not taken does not pass for one.
    const QByteArray text = QStringLiteral("xwayland disable\noutput %1 mode %2x%3 bg #000000 solid_color\n")
                                .arg(OutputName())
                                .arg(m_output.width())
                                .arg(m_output.height())
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
    // The output takes its size from the configuration a moment after the socket is there.
    if (RunAsUser(QStringLiteral("swaymsg"), {QStringLiteral("-t"), QStringLiteral("get_outputs")}) != 0) {
        error = QStringLiteral("swaymsg could not reach sway");
        return false;
    }
    return true;
}

int WaylandSession::RunAsUser(const QString &program, const QStringList &arguments)
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
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QImage WaylandSession::Screenshot()
{
    // Written where the session user may write, read here as whoever runs the test.
    const QString file = m_home + QStringLiteral("/.cache/screen.png");
    QFile::remove(file);
    if (RunAsUser(QStringLiteral("grim"), {file}) != 0)
        return QImage();
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

QImage WaylandSession::WaitForScreen(const std::function<bool(const QImage &)> &test, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QImage screen = Screenshot();
    while (!test(screen) && !deadline.hasExpired()) {
        QThread::msleep(200);
        screen = Screenshot();
    }
    return screen;
}

} // namespace calendartest

} // namespace quillon
