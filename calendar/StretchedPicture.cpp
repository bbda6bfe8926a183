#include "StretchedPicture.h"

#include "BackgroundPicture.h"
#include "PictureCache.h"

#include <QFileInfo>
#include <QPainter>

#include <utility>

namespace quillon {

StretchedPicture::StretchedPicture(QWidget *parent) : QWidget(parent) {}

bool StretchedPicture::LoadPicture(const QString &path, const QSize &targetSize, QString &reason, QString *shown)
{
    m_picture = QImage();
    m_loadedPath.clear();
    if (QFileInfo(path).isFile())
        m_picture = PictureCache::Load(path, targetSize);
    if (m_picture.isNull()) {
        BackgroundPicture::Result read = BackgroundPicture::Read(path, targetSize);
        if (read.image.isNull()) {
            reason = read.reason;
            if (shown)
                *shown = read.shown;
            return false;
        }
        m_picture = std::move(read.image);
        PictureCache::Store(path, targetSize, m_picture);
    }
    m_loadedPath = path;
    return true;
}

QImage StretchedPicture::TakePicture()
{
    m_loadedPath.clear();
    return std::exchange(m_picture, QImage());
}

void StretchedPicture::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    // The picture is already at the bitmap's pixel size, so this is a plain copy;
    // only a window of another size stretches it.
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(rect()), m_picture);
}

} // namespace quillon
