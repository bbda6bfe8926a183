// Settings in the current user's registry key and the runtime folder on Windows.
#include "basPlatform.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace basPlatform {

QString ExecutableFileName(const QString &programName) { return programName + QStringLiteral(".exe"); }

QString SettingsLocation()
{
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + CompanyName() + QLatin1Char('\\')
        + ProductName();
}

std::unique_ptr<QSettings> OpenSettings()
{
    return std::make_unique<QSettings>(SettingsLocation(), QSettings::NativeFormat);
}

bool SaveSetting(const QString &key, const QString &value)
{
    // The registry writes each value on its own, so no other program's value is lost.
    const auto settings = OpenSettings();
    settings->setValue(key, value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

QString RuntimeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QStringLiteral("/quillon");
}

QString TemporaryFolder() { return RuntimeFolder(); }

std::optional<FileId> FileIdentity(const QString &path)
{
    // An open store file cannot be replaced or deleted on Windows (SQLite opens it
    // without delete sharing): a file that is there is the one opened.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return FileId{};
}

} // namespace basPlatform
