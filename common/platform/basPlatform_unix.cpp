// Settings file and runtime folder on Linux and other Unix desktops.
#include "basPlatform.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <unistd.h>

namespace basPlatform {

QString ExecutableFileName(const QString &programName) { return programName; }

QString SettingsLocation()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QLatin1Char('/') + CompanyName() + QLatin1Char('/') + ProductName()
        + QStringLiteral(".conf");
}

std::unique_ptr<QSettings> OpenSettings()
{
    // The path is worked out afresh each time (QSettings would cache it for the
    // process), so a changed XDG_CONFIG_HOME is honoured.
    return std::make_unique<QSettings>(SettingsLocation(), QSettings::IniFormat);
}

QString RuntimeFolder()
{
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !QDir(runtime).exists())
        runtime = QDir::tempPath() + QStringLiteral("/quillon-") + QString::number(::getuid());
    return runtime;
}

} // namespace basPlatform
