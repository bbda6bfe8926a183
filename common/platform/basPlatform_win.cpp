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

QString RuntimeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QStringLiteral("/quillon");
}

} // namespace basPlatform
