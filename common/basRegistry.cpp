#include "basRegistry.h"

#include "platform/basPlatform.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace basRegistry {

QString ProductKey()
{
    return QStringLiteral("Software\\") + basPlatform::CompanyName() + QLatin1Char('\\') + basPlatform::ProductName();
}

namespace {
// "Software\Company\Product\Options" -> the group "Options" below the product's store.
QString GroupOf(const QString &subKey)
{
    QString group = subKey;
    const QString root = ProductKey();
    if (group.startsWith(root, Qt::CaseInsensitive))
        group = group.mid(root.size());
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.startsWith(QLatin1Char('/')))
        group.remove(0, 1);
    return group;
}

QString SettingsKey(const QString &subKey, const QString &valueName)
{
    const QString group = GroupOf(subKey);
    return group.isEmpty() ? valueName : group + QLatin1Char('/') + valueName;
}
} // namespace

QString GetRegistryString(RootKey, const QString &subKey, const QString &valueName,
                          const QString &defaultValue)
{
    const auto settings = basPlatform::OpenSettings();
    const QVariant stored = settings->value(SettingsKey(subKey, valueName));
    // Anything but plain text (a list, a number written by another tool) is ignored.
    if (stored.typeId() != QMetaType::QString)
        return defaultValue;
    QString text = stored.toString();
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text.isEmpty() ? defaultValue : text;
}

bool SaveRegistryString(RootKey, const QString &subKey, const QString &valueName, const QString &value)
{
    return basPlatform::SaveSetting(SettingsKey(subKey, valueName), value);
}

QString StoreReadProblem()
{
    const auto settings = basPlatform::OpenSettings();
    if (QFileInfo(basPlatform::SettingsLocation() + QStringLiteral(".lock")).isDir())
        return QStringLiteral("%1.lock is a folder, so the settings cannot be locked")
            .arg(QDir::toNativeSeparators(basPlatform::SettingsLocation()));
    const QFileInfo file(settings->fileName());
    if (file.isDir())
        return QStringLiteral("%1 is a folder, not a settings file").arg(QDir::toNativeSeparators(file.filePath()));
    if (file.exists() && !file.isReadable())
        return QStringLiteral("%1 cannot be read (no permission)").arg(QDir::toNativeSeparators(file.filePath()));
    switch (settings->status()) {
    case QSettings::NoError: return QString();
    case QSettings::AccessError:
        return QStringLiteral("%1 cannot be read").arg(QDir::toNativeSeparators(settings->fileName()));
    case QSettings::FormatError:
        return QStringLiteral("%1 is not a settings file").arg(QDir::toNativeSeparators(settings->fileName()));
    }
    return QString();
}

} // namespace basRegistry
