#include "DesktopSession.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cstdlib>

#include <csignal>
#include <unistd.h>

namespace quillon {

namespace calendartest {

namespace {
constexpr int kStartMs = 10000;
const QString kDummyDriver = QStringLiteral("/usr/lib/xorg/modules/drivers/dummy_drv.so");

// Heads side by side from the left, the first the primary, named DUMMY0, DUMMY1, ...,
// and no input devices.
QByteArray HeadsConfig(const QList<QSize> &sizes)
{
    int width = 0, height = 0;
    for (const QSize &size : sizes) {
        width += size.width();
        height = std::max(height, size.height());
    }
    QByteArray config = R"(Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoAddGPU" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
)";
    for (int m = 0; m < sizes.size(); ++m)
        config += QStringLiteral("    Option \"Monitor-DUMMY%1\" \"head%1\"\n").arg(m).toLatin1();
    config += QStringLiteral("EndSection\nSection \"Screen\"\n    Identifier \"screen\"\n    Device \"dummy\"\n"
                             "    Monitor \"head0\"\n    DefaultDepth 24\n    SubSection \"Display\"\n"
                             "        Depth 24\n        Virtual %1 %2\n    EndSubSection\nEndSection\n")
                  .arg(width)
                  .arg(height)
                  .toLatin1();
    for (int m = 0; m < sizes.size(); ++m) {
        // The dummy driver takes any timing in the wide ranges; only the size counts.
        const int w = sizes[m].width(), h = sizes[m].height();
        const QString mode = QStringLiteral("%1x%2").arg(w).arg(h);
        config += QStringLiteral("Section \"Monitor\"\n    Identifier \"head%1\"\n"
                                 "    HorizSync 5.0 - 1000.0\n    VertRefresh 5.0 - 200.0\n"
                                 "    Modeline \"%2\" %3 %4 %5 %6 %7 %8 %9 %10 %11\n"
                                 "    Option \"PreferredMode\" \"%2\"\n")
                      .arg(m)
                      .arg(mode)
                      .arg(QString::number((w + 400) * (h + 31) * 60 / 1e6, 'f', 2))
                      .arg(w)
                      .arg(w + 72)
                      .arg(w + 200)
                      .arg(w + 400)
                      .arg(h)
                      .arg(h + 3)
                      .arg(h + 9)
                      .arg(h + 31)
                      .toLatin1();
        config += m == 0 ? QByteArray("    Option \"Primary\" \"true\"\n")
                         : QStringLiteral("    Option \"RightOf\" \"head%1\"\n    Option \"Enable\" \"true\"\n")
                               .arg(m - 1)
                               .toLatin1();
        config += "EndSection\n";
    }
    return config;
}
} // namespace

QString FirstLine(QProcess &process)
{
    QDeadlineTimer deadline(kStartMs);
    while (!process.canReadLine() && !deadline.hasExpired())
        if (!process.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
    return QString::fromLocal8Bit(process.readLine()).trimmed();
}

DesktopSession::DesktopSession(QString home, int monitors)
    : DesktopSession(std::move(home), QList<QSize>(monitors, kMonitor))
{
}

DesktopSession::DesktopSession(QString home, QList<QSize> monitors) : m_home(std::move(home)), m_monitors(std::move(monitors))
{
}

DesktopSession::~DesktopSession()
{
    for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it) {
        QProcess &process = **it;
        process.terminate();
        if (!process.waitForFinished(3000)) {
            process.kill();
            process.waitForFinished(2000);
        }
    }
    StopProcessesOfHome(m_home);
}

void StopProcessesOfHome(const QString &homeFolder)
{
    const QByteArray home = "HOME=" + homeFolder.toLocal8Bit();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool numbered = false;
        const pid_t pid = entry.toInt(&numbered);
        if (!numbered || pid == ::getpid())
            continue;
        QFile environ(QStringLiteral("/proc/%1/environ").arg(entry));
        if (environ.open(QIODevice::ReadOnly) && environ.readAll().split('\0').contains(home))
            ::kill(pid, SIGKILL);
    }
}

QStringList DesktopSession::Missing(const QStringList &programs)
{
    QStringList missing;
    for (const QString &program : programs)
        if (QStandardPaths::findExecutable(program).isEmpty())
            missing.append(program);
    return missing;
}

QString DesktopSession::TwoMonitorsMissing()
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xorg")).isEmpty())
        return QStringLiteral("Xorg is not installed (xserver-xorg-core)");
    if (!QFile::exists(kDummyDriver))
        return QStringLiteral("Xorg's dummy driver is not installed (xserver-xorg-video-dummy)");
    if (geteuid() != 0)
        return QStringLiteral("Xorg starts only for root here");
    return QString();
}

bool DesktopSession::Start(QString &error)
{
    for (const char *folder : {".config", ".cache", ".local/share"})
        QDir().mkpath(m_home + QLatin1Char('/') + QLatin1String(folder));

    // -noreset: the server keeps the root window's background when the tool that set
    // it disconnects. -displayfd: the server picks a free display and says which.
    auto server = std::make_unique<QProcess>();
    server->setProcessChannelMode(QProcess::SeparateChannels);
    const QStringList common = {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                                QStringLiteral("-nolisten"), QStringLiteral("tcp")};
    if (m_monitors.size() == 1 && m_monitors.front() == kMonitor) {
        server->start(QStringLiteral("Xvfb"),
                      common + QStringList{QStringLiteral("-screen"), QStringLiteral("0"),
                                           QStringLiteral("%1x%2x24").arg(kMonitor.width()).arg(kMonitor.height())});
    } else {
        const QString config = m_home + QStringLiteral("/xorg.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly) || file.write(HeadsConfig(m_monitors)) < 0) {
            error = QStringLiteral("%1 could not be written").arg(config);
            return false;
        }
        file.close();
        server->start(QStringLiteral("Xorg"), common + QStringList{QStringLiteral("-config"), config, QStringLiteral("-logfile"),
                                                                   m_home + QStringLiteral("/Xorg.log")});
    }
    const QString display = FirstLine(*server);
    const QString serverName = server->program();
    m_processes.push_back(std::move(server));
    bool numbered = false;
    display.toInt(&numbered);
    if (!numbered) {
        error = QStringLiteral("%1 did not start").arg(serverName);
        return false;
    }

    m_env = QProcessEnvironment::systemEnvironment();
    m_env.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + display);
    m_env.insert(QStringLiteral("HOME"), m_home);
    m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home + QStringLiteral("/.config"));
    m_env.insert(QStringLiteral("XDG_CACHE_HOME"), m_home + QStringLiteral("/.cache"));
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    m_env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    m_env.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
    m_env.remove(QStringLiteral("SESSION_MANAGER"));

    return StartBus(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), error);
}

bool DesktopSession::StartBus(const QString &variable, QString &error)
{
    auto bus = std::make_unique<QProcess>();
    bus->setProcessEnvironment(m_env);
    bus->start(QStringLiteral("dbus-daemon"),
               {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    const QString address = FirstLine(*bus);
    m_processes.push_back(std::move(bus));
    if (address.isEmpty()) {
        error = QStringLiteral("dbus-daemon did not start");
        return false;
    }
    m_env.insert(variable, address);
    return true;
}

bool DesktopSession::Launch(const QString &program, const QStringList &arguments, const QProcessEnvironment &overrides)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = m_env;
    env.insert(overrides);
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(program, arguments);
    const bool started = process->waitForStarted(kStartMs);
    m_processes.push_back(std::move(process));
    return started;
}

int DesktopSession::Run(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    process.setProcessEnvironment(m_env);
    process.start(program, arguments);
    if (!process.waitForStarted(kStartMs) || !process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished(2000);
        return -1;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool DesktopSession::SetWorkspaces(int count, int current)
{
    auto set = [this](const char *name, int value) {
        return Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-f"), QLatin1String(name),
                                             QStringLiteral("32c"), QStringLiteral("-set"), QLatin1String(name),
                                             QString::number(value)})
            == 0;
    };
    return set("_NET_NUMBER_OF_DESKTOPS", count) && set("_NET_CURRENT_DESKTOP", current);
}

bool DesktopSession::WaitForBusName(const QString &name, int timeoutMs)
{
    QDBusConnection bus = QDBusConnection::connectToBus(m_env.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")),
                                                         QStringLiteral("desktop-session"));
    QDeadlineTimer deadline(timeoutMs);
    bool there = false;
    while (bus.isConnected() && !(there = bus.interface()->isServiceRegistered(name).value()) && !deadline.hasExpired())
        QThread::msleep(50);
    QDBusConnection::disconnectFromBus(QStringLiteral("desktop-session"));
    return there;
}

QImage DesktopSession::Screenshot()
{
    const QString file = m_home + QStringLiteral("/screen.png");
    QFile::remove(file);
    if (Run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file}) != 0)
        return QImage();
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

QImage DesktopSession::WaitForScreen(const std::function<bool(const QImage &)> &test, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QImage screen = Screenshot();
    while (!test(screen) && !deadline.hasExpired()) {
        QThread::msleep(200);
        screen = Screenshot();
    }
    return screen;
}

double ShareShowing(const QImage &screen, const QImage &picture, int tolerance)
{
    if (screen.isNull() || picture.isNull())
        return 0.0;
    const QImage shown = picture.size() == screen.size() ? picture : picture.scaled(screen.size());
    auto same = [tolerance](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
            && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
    };
    // The background on an even grid, and the text (pixels unlike the bottom-right
    // corner, which desktops leave free of icons) on its own: a screen of the right
    // colour without the month does not pass.
    const QRgb background = shown.pixel(shown.width() - 1, shown.height() - 1);
    int grid = 0, gridShowing = 0, ink = 0, inkShowing = 0;
    for (int y = 1; y < shown.height(); y += 4) {
        const auto *row = reinterpret_cast<const QRgb *>(shown.constScanLine(y));
        const auto *onScreen = reinterpret_cast<const QRgb *>(screen.constScanLine(y));
        for (int x = 1; x < shown.width(); x += 4) {
            const bool isInk = !same(row[x], background);
            const bool showing = same(row[x], onScreen[x]);
            if (isInk) {
                ++ink;
                inkShowing += showing;
            } else if (x % 32 == 1 && y % 32 == 1) {
                ++grid;
                gridShowing += showing;
            }
        }
    }
    if (grid == 0 || ink == 0)
        return 0.0;
    return std::min(static_cast<double>(gridShowing) / grid, static_cast<double>(inkShowing) / ink);
}

} // namespace calendartest

} // namespace quillon
