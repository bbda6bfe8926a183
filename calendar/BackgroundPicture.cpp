#include "BackgroundPicture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace quillon {

namespace BackgroundPicture {

namespace {

constexpr auto kMissing = QT_TRANSLATE_NOOP("BackgroundPicture", "the picture %1 does not exist");
constexpr auto kNoFile = QT_TRANSLATE_NOOP("BackgroundPicture", "the picture %1 is not a file");
constexpr auto kUnreadable = QT_TRANSLATE_NOOP("BackgroundPicture", "the picture %1 cannot be read: %2");
constexpr auto kNoPicture = QT_TRANSLATE_NOOP("BackgroundPicture", "%1 is not a picture that can be read (%2)");
constexpr auto kTooLarge = QT_TRANSLATE_NOOP(
    "BackgroundPicture", "the picture %1 is too large: %2 x %3 pixels, at most %4 million for this screen");
constexpr auto kUndecodable = QT_TRANSLATE_NOOP("BackgroundPicture", "the picture %1 could not be decoded: %2");

// The failure's reason from its form, filled the same way in English and in the user's language.
template <class Fill>
Result Refused(const char *form, const Fill &fill)
{
    Result result;
    result.reason = fill(QString::fromUtf8(form));
    result.shown = fill(QCoreApplication::translate("BackgroundPicture", form));
    return result;
}

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
    const QFileInfo info(path);
    if (!info.exists())
        return Refused(kMissing, [&](const QString &form) { return form.arg(Shown(path)); });
    if (!info.isFile())
        return Refused(kNoFile, [&](const QString &form) { return form.arg(Shown(path)); });
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refused(kUnreadable, [&](const QString &form) { return form.arg(Shown(path), file.errorString()); });
    // The format comes from the content, not from the name.
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (!reader.canRead() || !full.isValid())
        return Refused(kNoPicture, [&](const QString &form) { return form.arg(Shown(path), reader.errorString()); });
    const qint64 limit = PixelLimit(target);
    // A JPEG is decoded at a half, a quarter or an eighth of its size where that is still
    // at least the screen's, so only that size has to fit the limit: photos of any
    // camera are taken.
    const bool jpeg = reader.format() == "jpeg";
    const int reduction = target.isValid() && jpeg ? JpegReduction(full, target, reader.transformation()) : 1;
    if (qint64(full.width() / reduction) * (full.height() / reduction) > limit) {
        return Refused(kTooLarge, [&](const QString &form) {
            return form.arg(Shown(path)).arg(full.width()).arg(full.height()).arg(limit / 1000000);
        });
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
    if (image.isNull())
        return Refused(kUndecodable, [&](const QString &form) { return form.arg(Shown(path), reader.errorString()); });
    if (target.isValid() && image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage::Format format = image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() != format)
        image.convertTo(format);
    Result result;
    result.image = std::move(image);
    return result;
}

} // namespace BackgroundPicture

} // namespace quillon
