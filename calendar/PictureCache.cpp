#include "PictureCache.h"

#include "platform/basPlatform.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstdint>
#include <cstring>

namespace quillon {

namespace PictureCache {

namespace {
constexpr char kMagic[8] = {'Q', 'L', 'N', 'B', 'G', 'R', 'A', 'W'};
constexpr std::uint32_t kVersion = 2;
constexpr std::uint32_t kMaxKeyBytes = 16 * 1024;

// Raw pixels in the machine's own byte order: the file never leaves this machine.
struct Header {
    char magic[8];
    std::uint32_t version;
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t format;       // QImage::Format
    std::uint32_t bytesPerLine;
    std::uint32_t keyBytes;     // the key follows the header, then padding, then the pixels
};

// The pixels start on a 16-byte boundary of the file, and so of the mapping: the
// painter's vector code faults on pixels that are not aligned.
qint64 PixelOffset(std::uint32_t keyBytes)
{
    return (qint64(sizeof(Header)) + keyBytes + 15) / 16 * 16;
}

bool UsableFormat(std::uint32_t format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
}
} // namespace

QString CacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QLatin1Char('/')
        + basPlatform::CompanyName() + QLatin1Char('/') + basPlatform::ProductName();
}

QString CacheFile(const QSize &screenPixels)
{
    return CacheFolder()
        + QStringLiteral("/background-%1x%2.raw").arg(screenPixels.width()).arg(screenPixels.height());
}

QByteArray KeyOf(const QString &picturePath, const QSize &screenPixels)
{
    const QFileInfo info(picturePath);
    return QStringLiteral("%1\n%2\n%3\n%4x%5")
        .arg(info.absoluteFilePath())
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch())
        .arg(screenPixels.width())
        .arg(screenPixels.height())
        .toUtf8();
}

QImage Load(const QString &picturePath, const QSize &screenPixels)
{
    if (!screenPixels.isValid())
        return {};
    QFile file(CacheFile(screenPixels));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    Header header{};
    if (file.read(reinterpret_cast<char *>(&header), sizeof header) != qint64(sizeof header))
        return {};
    if (std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 || header.version != kVersion
        || header.width != std::uint32_t(screenPixels.width()) || header.height != std::uint32_t(screenPixels.height())
        || !UsableFormat(header.format) || header.bytesPerLine != header.width * 4 || header.keyBytes > kMaxKeyBytes)
        return {};
    if (file.read(header.keyBytes) != KeyOf(picturePath, screenPixels))
        return {};
    const qint64 pixelBytes = qint64(header.bytesPerLine) * header.height;
    const qint64 offset = PixelOffset(header.keyBytes);
    if (file.size() != offset + pixelBytes)
        return {};
    // The pixels are mapped, not read: a private mapping copies only the pages that
    // are drawn on later, and the file stays mapped until the picture goes.
    auto *mapped = new QFile(file.fileName());
    uchar *pixels = nullptr;
    if (mapped->open(QIODevice::ReadOnly))
        pixels = mapped->map(offset, pixelBytes, QFileDevice::MapPrivateOption);
    if (!pixels) {
        delete mapped;
        return {};
    }
    QImage image(
        pixels, int(header.width), int(header.height), qsizetype(header.bytesPerLine),
        static_cast<QImage::Format>(header.format), [](void *owner) { delete static_cast<QFile *>(owner); }, mapped);
    if (image.isNull())
        return {};
    return image;
}

bool Store(const QString &picturePath, const QSize &screenPixels, const QImage &image)
{
    if (image.size() != screenPixels || !UsableFormat(image.format()) || image.bytesPerLine() != image.width() * 4)
        return false;
    if (!QDir().mkpath(CacheFolder()))
        return false;
    const QByteArray key = KeyOf(picturePath, screenPixels);
    Header header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.version = kVersion;
    header.width = std::uint32_t(image.width());
    header.height = std::uint32_t(image.height());
    header.format = std::uint32_t(image.format());
    header.bytesPerLine = std::uint32_t(image.bytesPerLine());
    header.keyBytes = std::uint32_t(key.size());
    // Written aside and renamed over the old file: a reader never sees half a picture.
    QSaveFile file(CacheFile(screenPixels));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const qint64 pixelBytes = image.sizeInBytes();
    if (file.write(reinterpret_cast<const char *>(&header), sizeof header) != qint64(sizeof header)
        || file.write(key) != key.size()
        || file.write(QByteArray(PixelOffset(header.keyBytes) - qint64(sizeof header) - key.size(), '\0'))
            != PixelOffset(header.keyBytes) - qint64(sizeof header) - key.size()
        || file.write(reinterpret_cast<const char *>(image.constBits()), pixelBytes) != pixelBytes) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace PictureCache

} // namespace quillon
