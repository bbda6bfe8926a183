// Setting the wallpaper on Linux and other Unix desktops: each desktop's own tool,
// started without a shell.
#include "WallpaperSetter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

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

// A uniquely named copy beside the file, for desktops that ignore an unchanged path.
QString FreshCopy(const QString &path)
{
    const QFileInfo info(path);
    const QString copy = info.absolutePath() + QLatin1Char('/') + kCopyPrefix
        + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + QStringLiteral(".")
        + info.suffix();
    QFile::remove(copy);
    return QFile::copy(path, copy) ? copy : QString();
}

// Older copies go only after the desktop shows the new one: deleting the file a
// desktop shows can blank its background.
void RemoveOlderCopies(const QString &current)
{
    const QFileInfo info(current);
    QDir folder(info.absolutePath());
    const QStringList copies = folder.entryList({kCopyPrefix + QStringLiteral("*.") + info.suffix()}, QDir::Files);
    for (const QString &name : copies)
        if (name != info.fileName())
            folder.remove(name);
}
} // namespace

DesktopEnvironment CurrentDesktopEnvironment()
{
    DesktopEnvironment env;
    env.platformName = QGuiApplication::platformName();
    env.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    env.swaySocket = !qEnvironmentVariableIsEmpty("SWAYSOCK");
    env.x11Display = !qEnvironmentVariableIsEmpty("DISPLAY");
    env.hasProgram = [](const QString &program) { return !QStandardPaths::findExecutable(program).isEmpty(); };
    return env;
}

bool WallpaperSetter::Set(const QString &path, QString &reason)
{
    const DesktopEnvironment &env = m_environment;
    const WallpaperChoice choice = ChooseWallpaperBackend(env);
    if (choice.backend == WallpaperBackend::None) {
        reason = choice.reason;
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo::exists(absolute)) {
        reason = QStringLiteral("%1 does not exist").arg(absolute);
        return false;
    }

    QStringList xfceProperties;
    if (choice.backend == WallpaperBackend::Xfce) {
        QString listing;
        if (!Run({QStringLiteral("xfconf-query"), {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-l")}},
                 listing, reason))
            return false;
        xfceProperties = XfceImageProperties(listing);
        if (xfceProperties.isEmpty()) {
            reason = QStringLiteral("Xfce lists no backdrop image to set");
            return false;
        }
    }

    const bool copy = NeedsNewFileName(choice.backend);
    const QString shown = copy ? FreshCopy(absolute) : absolute;
    if (shown.isEmpty()) {
        reason = QStringLiteral("no copy of %1 could be made beside it").arg(absolute);
        return false;
    }
    const auto commands = WallpaperCommands(choice.backend, shown, xfceProperties);
    for (const WallpaperCommand &command : commands) {
        if (!env.hasProgram(command.program)) {
            reason = QStringLiteral("%1 is not installed (%2 desktop)").arg(command.program, BackendName(choice.backend));
            if (copy)
                QFile::remove(shown);
            return false;
        }
        QString output;
        if (!Run(command, output, reason)) {
            if (copy)
                QFile::remove(shown);
            return false;
        }
    }
    if (copy)
        RemoveOlderCopies(shown);
    return true;
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
