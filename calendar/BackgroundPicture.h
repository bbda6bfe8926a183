// Reading a background picture for a screen: decoded straight at (about) the
// screen's pixel size where the format allows it, then scaled to exactly that size,
// under an allocation limit sized to the screen so that a photo of any camera or
// phone is taken and a decompression bomb is refused.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace quillon {

namespace BackgroundPicture {

// Decoded pictures may hold this many pixels per screen pixel, and never fewer than
// kMinimumPixelLimit in all: a 6000 x 6000 picture passes on any screen.
inline constexpr qint64 kPixelsPerScreenPixel = 24;
inline constexpr qint64 kMinimumPixelLimit = 64LL * 1000 * 1000;
// Worst case bytes per decoded pixel (16-bit channels with alpha).
inline constexpr qint64 kBytesPerPixel = 8;

// The largest number of pixels a picture for a screen of that size may decode to.
qint64 PixelLimit(const QSize &screenPixels);

struct Result {
    QImage image;    // exactly the target size; null on failure
    QString reason;  // on failure: why, naming the file ("... is not a picture"), for error.log
    QString shown;   // the same in the user's language, for a window
};

// Reads the file and scales it to target (the picture is stretched over the screen).
Result Read(const QString &path, const QSize &target);

} // namespace BackgroundPicture

} // namespace quillon
