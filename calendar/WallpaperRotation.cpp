#include "WallpaperRotation.h"

#include <QDir>

namespace WallpaperRotation {

bool IsDue(const QString &period, const QDate &lastChange, const QDate &today)
{
    if (period == QLatin1String("Daily"))
        return lastChange != today;
    if (period == QLatin1String("Weekly"))
        return lastChange.daysTo(today) > 6;
    if (period == QLatin1String("Bi-weekly"))
        return lastChange.daysTo(today) > 13;
    if (period == QLatin1String("Monthly"))
        return lastChange.month() != today.month() || lastChange.year() != today.year();
    return false;
}

bool IsPictureName(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString extension = fileName.mid(dot + 1).toLower();
    return extension == QLatin1String("jpg") || extension == QLatin1String("gif")
        || extension == QLatin1String("bmp");
}

QString NextPicture(const QStringList &listing, const QString &currentName)
{
    bool found = false;
    for (const QString &name : listing) {
        if (name == currentName)
            found = true;
        else if (found && IsPictureName(name))
            return name;
    }
    for (const QString &name : listing)
        if (IsPictureName(name))
            return name;
    return QString();
}

QStringList ListFolder(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

} // namespace WallpaperRotation
