// The settings location in the current user's registry and the runtime folder on Windows.
#include "basPlatform.h"
#include "basPlatformSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillon {

namespace basPlatform {

QString ExecutableFileName(const QString &programName) { return programName + QStringLiteral(".exe"); }

QString system::DefaultDataHome() { return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation); }

bool system::IsInstalledFolder(const QString &) { return false; }

// The folder's own rules stand on Windows.
void MakeOwnerOnly(const QString &) {}

QString SettingsLocation()
{
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + CompanyName() + QLatin1Char('\\')
        + ProductName();
}

bool SettingsInRegistry() { return true; }

QString RuntimeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QStringLiteral("/quillon");
}

QString TemporaryFolder() { return RuntimeFolder(); }

// The user's own temporary folder is private on Windows.
bool IsPrivateFolder(const QString &folder) { return QFileInfo(folder).isDir(); }

std::optional<QByteArray> ReadOwnFile(const QString &path, qint64 maxBytes)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(maxBytes);
}

std::optional<FileId> FileIdentity(const QString &path)
{
    // An open store file cannot be replaced or deleted on Windows (SQLite opens it
    // without delete sharing): a file that is there is the one opened.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return FileId{};
}

QString CrashDescription(int exitCode)
{
    return QStringLiteral("status %1").arg(static_cast<quint32>(exitCode), 8, 16, QLatin1Char('0'));
}

// Windows always has a program for web pages.
bool CanShowWebPages() { return true; }

} // namespace basPlatform

} // namespace quillon
