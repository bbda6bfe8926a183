#include "WallpaperRotation.h"

#include <QDir>

namespace quillon {

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
    for (const char *known : {"jpg", "jpeg", "png", "gif", "bmp"})
        if (extension == QLatin1String(known))
            return true;
    return false;
}

QString NextPicture(const QStringList &listing, const QString &currentName)
{
    return PictureOrder(listing, currentName).value(0);
}

QStringList PictureOrder(const QStringList &listing, const QString &currentName)
{
    // The walk starts after the first listed name equal to the current one; a current
    // name that is not listed starts it at the top.
    const qsizetype at = currentName.isEmpty() ? -1 : listing.indexOf(currentName);
    QStringList order;
    for (qsizetype k = 1; k <= listing.size(); ++k) {
        const QString &name = listing[(at + k) % listing.size()];
        if (IsPictureName(name) && !order.contains(name))
            order.append(name);
    }
    return order;
}

QStringList ListFolder(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

} // namespace WallpaperRotation

} // namespace quillon
