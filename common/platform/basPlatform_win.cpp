// Settings in the current user's registry key and the runtime folder on Windows.
#include "basPlatform.h"

#include <QDir>
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

} // namespace basPlatform
