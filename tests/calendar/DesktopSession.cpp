#include "DesktopSession.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cstdlib>

namespace calendartest {

namespace {
constexpr int kStartMs = 10000;

// The first line a starting program prints (the display number, the bus address).
QString FirstLine(QProcess &process)
{
    QDeadlineTimer deadline(kStartMs);
    while (!process.canReadLine() && !deadline.hasExpired())
        if (!process.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
    return QString::fromLocal8Bit(process.readLine()).trimmed();
}
} // namespace

DesktopSession::DesktopSession(QString home, QSize screen) : m_home(std::move(home)), m_screen(screen) {}

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
}

QStringList DesktopSession::Missing(const QStringList &programs)
{
    QStringList missing;
    for (const QString &program : programs)
        if (QStandardPaths::findExecutable(program).isEmpty())
            missing.append(program);
    return missing;
}

bool DesktopSession::Start(QString &error)
{
    for (const char *folder : {".config", ".cache", ".local/share"})
        QDir().mkpath(m_home + QLatin1Char('/') + QLatin1String(folder));

    // -noreset: the server keeps the root window's background when the tool that set
    // it disconnects. -displayfd: the server picks a free display and says which.
    auto xvfb = std::make_unique<QProcess>();
    xvfb->setProcessChannelMode(QProcess::SeparateChannels);
    xvfb->start(QStringLiteral("Xvfb"),
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"), QStringLiteral("-nolisten"),
                 QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                 QStringLiteral("%1x%2x24").arg(m_screen.width()).arg(m_screen.height())});
    const QString display = FirstLine(*xvfb);
    m_processes.push_back(std::move(xvfb));
    bool numbered = false;
    display.toInt(&numbered);
    if (!numbered) {
        error = QStringLiteral("Xvfb did not start");
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
    m_env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    return true;
}

bool DesktopSession::Launch(const QString &program, const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(m_env);
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

double ShareShowing(const QImage &screen, const QImage &picture)
{
    if (screen.isNull() || picture.isNull())
        return 0.0;
    const QImage shown = picture.size() == screen.size() ? picture : picture.scaled(screen.size());
    auto same = [](QRgb a, QRgb b) {
        constexpr int kTolerance = 12;
        return std::abs(qRed(a) - qRed(b)) <= kTolerance && std::abs(qGreen(a) - qGreen(b)) <= kTolerance
            && std::abs(qBlue(a) - qBlue(b)) <= kTolerance;
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
