// Settings file and runtime folder on Linux and other Unix desktops.
#include "basPlatform.h"

#include "basSettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <sys/stat.h>
#include <unistd.h>

namespace basPlatform {

namespace {
// Settings read from a copy of repaired text; the copy lives as long as the settings.
struct RepairedCopy {
    explicit RepairedCopy(const QByteArray &text)
    {
        if (copy.open()) {
            copy.write(text);
            copy.flush();
        }
    }
    QTemporaryFile copy;
};

class RepairedSettings : private RepairedCopy, public QSettings {
public:
    explicit RepairedSettings(const QByteArray &text)
        : RepairedCopy(text), QSettings(copy.fileName(), QSettings::IniFormat)
    {
    }
};
} // namespace

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
    const QString path = SettingsLocation();
    // Qt takes "<file>.lock" for every read and write and waits for it forever; a folder
    // in its place can never be taken. A path that cannot exist instead reads as
    // defaults and fails every write, which the store's callers report.
    if (QFileInfo(path + QStringLiteral(".lock")).isDir())
        return std::make_unique<QSettings>(QStringLiteral("/dev/null/unusable.conf"), QSettings::IniFormat);
    // A line whose quote is never closed would swallow every key after it; such lines
    // are read as absent, from a private copy without them, and the other keys as usual.
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray text = file.readAll();
        const QByteArray readable = basSettingsFile::WithoutUnclosedQuotes(text);
        if (readable.size() != text.size())
            return std::make_unique<RepairedSettings>(readable);
    }
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

bool SaveSetting(const QString &key, const QString &value)
{
    return basSettingsFile::WriteValue(SettingsLocation(), key, value);
}

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

} // namespace basPlatform
