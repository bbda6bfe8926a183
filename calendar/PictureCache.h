// The background picture already scaled to the screen, kept in the user's cache
// folder so that a run whose picture has not changed reads raw pixels instead of
// decoding a photo. One file per screen size; its header names the picture (path,
// byte size, modification time) and the size, so a changed picture or screen makes a
// new one. A file that does not match its header exactly is ignored and replaced.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace quillon {

namespace PictureCache {

// $XDG_CACHE_HOME/Velmora Software/Quillon Desktop Calendar (the platform's cache folder).
QString CacheFolder();
QString CacheFile(const QSize &screenPixels);

// What a cached picture stands for: the picture file as it is now and the screen size.
QByteArray KeyOf(const QString &picturePath, const QSize &screenPixels);

// The cached picture for that key, or a null image when there is none that fits.
QImage Load(const QString &picturePath, const QSize &screenPixels);

// Keeps the picture for the next run; false when the cache could not be written,
// which costs only time.
bool Store(const QString &picturePath, const QSize &screenPixels, const QImage &image);

} // namespace PictureCache

} // namespace quillon
