#include "BackgroundPicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace quillon {

namespace BackgroundPicture {

namespace {
// Qt's allocation limit is one value for the whole process: set it for one read and
// put the previous value back.
class AllocationLimit {
public:
    explicit AllocationLimit(qint64 bytes) : m_previous(QImageReader::allocationLimit())
    {
        const qint64 megabytes = (bytes + (1 << 20) - 1) >> 20;
        QImageReader::setAllocationLimit(static_cast<int>(std::min<qint64>(megabytes, 1 << 30)));
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(m_previous); }
    AllocationLimit(const AllocationLimit &) = delete;
    AllocationLimit &operator=(const AllocationLimit &) = delete;

private:
    int m_previous;
};

QString Shown(const QString &path) { return QDir::toNativeSeparators(path); }

// The power of two, at most 8, by which the JPEG decoder shrinks a picture of size
// full asked for at target (before the picture is turned upright).
int JpegReduction(const QSize &full, const QSize &target, QImageIOHandler::Transformations transformation)
{
    const QSize stored = transformation & QImageIOHandler::TransformationRotate90 ? target.transposed() : target;
    if (stored.isEmpty() || full.width() <= stored.width() || full.height() <= stored.height())
        return 1;
    const int ratio = std::min(full.width() / stored.width(), full.height() / stored.height());
    return ratio >= 8 ? 8 : ratio >= 4 ? 4 : ratio >= 2 ? 2 : 1;
}
} // namespace

qint64 PixelLimit(const QSize &screenPixels)
{
    const qint64 screen = screenPixels.isValid() ? qint64(screenPixels.width()) * screenPixels.height() : 0;
    return std::max(kMinimumPixelLimit, screen * kPixelsPerScreenPixel);
}

Result Read(const QString &path, const QSize &target)
{
    Result result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.reason = QStringLiteral("the picture %1 does not exist").arg(Shown(path));
        return result;
    }
    if (!info.isFile()) {
        result.reason = QStringLiteral("the picture %1 is not a file").arg(Shown(path));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.reason = QStringLiteral("the picture %1 cannot be read: %2").arg(Shown(path), file.errorString());
        return result;
    }
    // The format comes from the content, not from the name.
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (!reader.canRead() || !full.isValid()) {
        result.reason = QStringLiteral("%1 is not a picture that can be read (%2)").arg(Shown(path), reader.errorString());
        return result;
    }
    const qint64 limit = PixelLimit(target);
    // A JPEG is decoded at a half, a quarter or an eighth of its size where that is still
    // at least the screen's, so only that size has to fit the limit: photos of any
    // camera are taken.
    const bool jpeg = reader.format() == "jpeg";
    const int reduction = target.isValid() && jpeg ? JpegReduction(full, target, reader.transformation()) : 1;
    if (qint64(full.width() / reduction) * (full.height() / reduction) > limit) {
        result.reason = QStringLiteral("the picture %1 is too large: %2 x %3 pixels, at most %4 million for this screen")
                            .arg(Shown(path))
                            .arg(full.width())
                            .arg(full.height())
                            .arg(limit / 1000000);
        return result;
    }
    if (target.isValid() && jpeg) {
        // The JPEG decoder scales while decoding, which is where most of the time goes.
        // The size applies before the picture is turned upright.
        const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
        const QSize stored = turned ? target.transposed() : target;
        if (full.width() > stored.width() && full.height() > stored.height())
            reader.setScaledSize(stored);
    }
    QImage image;
    {
        const AllocationLimit guard(limit * kBytesPerPixel);
        image = reader.read();
    }
    if (image.isNull()) {
        result.reason = QStringLiteral("the picture %1 could not be decoded: %2").arg(Shown(path), reader.errorString());
        return result;
    }
    if (target.isValid() && image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage::Format format = image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() != format)
        image.convertTo(format);
    result.image = std::move(image);
    return result;
}

} // namespace BackgroundPicture

} // namespace quillon
