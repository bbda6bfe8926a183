// Settings location and runtime folder on Linux and other Unix desktops.
#include "basPlatform.h"
#include "basPlatformSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cstring>

#include <fcntl.h>

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
    const QString folder = QDir::tempPath() + QStringLiteral("/quillon-") + QString::number(::getuid());
    // Made private at once (a world-writable parent lets others watch or plant files);
    // one that is there already is checked by its users through IsPrivateFolder.
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    return folder;
}

bool IsPrivateFolder(const QString &folder)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString RuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !IsPrivateFolder(runtime))
        return TemporaryFolder();
    return runtime;
}

std::optional<QByteArray> ReadOwnFile(const QString &path, qint64 maxBytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<QByteArray> text;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::getuid()) {
        QByteArray bytes(static_cast<qsizetype>(std::min<qint64>(maxBytes, info.st_size)), '\0');
        qsizetype read = 0;
        while (read < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + read, static_cast<size_t>(bytes.size() - read));
            if (got <= 0)
                break;
            read += got;
        }
        bytes.truncate(read);
        text = bytes;
    }
    ::close(fd);
    return text;
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

bool CanShowWebPages()
{
    // What Qt and xdg-open fall back on: the user's $BROWSER, then the usual browsers.
    for (const QString &named : qEnvironmentVariable("BROWSER").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (!QStandardPaths::findExecutable(named.section(QLatin1Char(' '), 0, 0)).isEmpty())
            return true;
    static const char *const kBrowsers[] = {"x-www-browser", "firefox", "firefox-esr", "chromium", "chromium-browser",
                                            "google-chrome", "epiphany", "konqueror", "falkon", "midori", "opera",
                                            "vivaldi", "brave-browser", "microsoft-edge", "qutebrowser"};
    for (const char *browser : kBrowsers)
        if (!QStandardPaths::findExecutable(QLatin1String(browser)).isEmpty())
            return true;
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return false;
    // Else only a program the desktop has for HTML (a viewer, an editor the user chose).
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (mime.isEmpty())
        return false;
    QProcess query;
    query.start(mime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace basPlatform

} // namespace quillon
