#include "basRegistry.h"

#include "basSettingsFile.h"
#include "platform/basPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <memory>

namespace quillon {

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

// The store as it is now: the registry key itself, or our settings file.
std::unique_ptr<QSettings> OpenStore()
{
    if (basPlatform::SettingsInRegistry())
        return std::make_unique<QSettings>(basPlatform::SettingsLocation(), QSettings::NativeFormat);
    return basSettingsFile::Open(basPlatform::SettingsLocation());
}

// Writes one value (key "Group/Name") at once, keeping another program's write made at
// the same moment.
bool SaveValue(const QString &key, const QString &value)
{
    if (!basPlatform::SettingsInRegistry())
        return basSettingsFile::WriteValue(basPlatform::SettingsLocation(), key, value);
    // The registry writes each value on its own, so no other program's value is lost.
    const auto settings = OpenStore();
    settings->setValue(key, value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}
} // namespace

QString GetRegistryString(RootKey, const QString &subKey, const QString &valueName,
                          const QString &defaultValue)
{
    const auto settings = OpenStore();
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
    return SaveValue(SettingsKey(subKey, valueName), value);
}

QString StoreReadProblem(QString *shown)
{
    // The English form for the log, and its translation for the box.
    auto problem = [shown](const char *form, const QString &path) {
        const QString native = QDir::toNativeSeparators(path);
        if (shown)
            *shown = QCoreApplication::translate("basRegistry", form).arg(native);
        return QString::fromLatin1(form).arg(native);
    };
    const auto settings = OpenStore();
    if (QFileInfo(basPlatform::SettingsLocation() + QStringLiteral(".lock")).isDir())
        return problem(QT_TRANSLATE_NOOP("basRegistry", "%1.lock is a folder, so the settings cannot be locked"),
                       basPlatform::SettingsLocation());
    const QFileInfo file(settings->fileName());
    if (file.isDir())
        return problem(QT_TRANSLATE_NOOP("basRegistry", "%1 is a folder, not a settings file"), file.filePath());
    if (file.exists() && !file.isReadable())
        return problem(QT_TRANSLATE_NOOP("basRegistry", "%1 cannot be read (no permission)"), file.filePath());
    switch (settings->status()) {
    case QSettings::NoError: return QString();
    case QSettings::AccessError:
        return problem(QT_TRANSLATE_NOOP("basRegistry", "%1 cannot be read"), settings->fileName());
    case QSettings::FormatError:
        return problem(QT_TRANSLATE_NOOP("basRegistry", "%1 is not a settings file"), settings->fileName());
    }
    return QString();
}

} // namespace basRegistry

} // namespace quillon
