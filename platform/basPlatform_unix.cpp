// Settings location and runtime folder on Linux and other Unix desktops.
#include "basPlatform.h"
#include "basPlatformSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace quillon {

namespace basPlatform {

QString ExecutableFileName(const QString &programName) { return programName; }

QString system::DefaultDataHome() { return QDir::homePath() + QStringLiteral("/.local/share"); }

bool system::IsInstalledFolder(const QString &folder)
{
    return (QDir(folder).canonicalPath() + QLatin1Char('/')).startsWith(QLatin1String("/usr/"));
}

void MakeOwnerOnly(const QString &path)
{
    constexpr QFileDevice::Permissions kOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
        | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    constexpr QFileDevice::Permissions kOwner = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    const QFileDevice::Permissions now = QFile::permissions(path);
    if (now & kOthers)
        QFile::setPermissions(path, now & kOwner);
}

QString SettingsLocation()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QLatin1Char('/') + CompanyName() + QLatin1Char('/') + ProductName()
        + QStringLiteral(".conf");
}

bool SettingsInRegistry() { return false; }

QString TemporaryFolder()
{
    return QDir::tempPath() + QStringLiteral("/quillon-") + QString::number(::getuid());
}

QString RuntimeFolder()
{
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !QDir(runtime).exists())
        runtime = TemporaryFolder();
    return runtime;
}

std::optional<FileId> FileIdentity(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileId{static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino)};
}

QString CrashDescription(int exitCode)
{
    return QStringLiteral("signal %1, %2").arg(exitCode).arg(QString::fromLocal8Bit(strsignal(exitCode)));
}

} // namespace basPlatform

} // namespace quillon
