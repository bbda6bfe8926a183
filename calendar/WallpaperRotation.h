// When the background picture is due to change, and which file of the folder comes
// next. Only picture files are ever picked, also when the listing wraps around.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace quillon {

namespace WallpaperRotation {

// "Daily", "Weekly", "Bi-weekly", "Monthly"; any other period never rotates.
bool IsDue(const QString &period, const QDate &lastChange, const QDate &today);

// jpg, jpeg, png, gif or bmp after the last ".", in any letter case.
bool IsPictureName(const QString &fileName);

// The picture after currentName in the listing, wrapping to the first picture; the
// first picture when currentName is not listed; empty when the listing holds none.
QString NextPicture(const QStringList &listing, const QString &currentName);

// Every picture of the listing in the order the rotation tries them when some fail
// to load: NextPicture first, then on around the listing, the current one last.
QStringList PictureOrder(const QStringList &listing, const QString &currentName);

// The folder's ordinary files, by name, so the rotation order does not depend on
// the file system.
QStringList ListFolder(const QString &folder);

} // namespace WallpaperRotation

} // namespace quillon
