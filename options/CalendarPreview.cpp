#include "CalendarPreview.h"

#include "CalendarDrawing.h"
#include "EventStore.h"
#include "platform/WallpaperSetter.h"
#include "platform/basPlatform.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace quillon {

CalendarPreview::CalendarPreview(int width, QWidget *parent) : QWidget(parent)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize shape = screen ? screen->geometry().size() : QSize(16, 9);
    lblPreview = new QLabel(this);
    lblPreview->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    imgPreview = new QLabel(this);
    imgPreview->setObjectName(QStringLiteral("imgPreview"));
    // Framed like the picture preview of the Wallpaper page.
    imgPreview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    const int frame = imgPreview->frameWidth();
    imgPreview->setFixedSize(width + 2 * frame,
                             std::max(1, width * shape.height() / std::max(1, shape.width())) + 2 * frame);
    imgPreview->setAlignment(Qt::AlignCenter);
    // Today's cell and its neighbours at their real size, under the reduced desktop.
    imgPreviewToday = new QLabel(this);
    imgPreviewToday->setObjectName(QStringLiteral("imgPreviewToday"));
    imgPreviewToday->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    imgPreviewToday->setFixedSize(width + 2 * frame, std::max(1, width / 3) + 2 * frame);
    imgPreviewToday->setAlignment(Qt::AlignCenter);
    lblPreviewNote = new QLabel(this);
    lblPreviewNote->setObjectName(QStringLiteral("lblPreviewNote"));
    lblPreviewNote->setWordWrap(true);
    lblPreviewNote->setFixedWidth(width + 2 * frame);
    lblPreviewNote->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(lblPreview);
    layout->addWidget(imgPreview);
    layout->addSpacing(4);
    layout->addWidget(imgPreviewToday);
    layout->addSpacing(4);
    layout->addWidget(lblPreviewNote);

    m_gather.setSingleShot(true);
    m_gather.setInterval(kGatherMs);
    connect(&m_gather, &QTimer::timeout, this, &CalendarPreview::Draw);
}

QSize CalendarPreview::ImageSize() const
{
    return imgPreview->contentsRect().size() * imgPreview->devicePixelRatioF();
}

void CalendarPreview::Request(Values values)
{
    m_values = std::move(values);
    m_gather.start();
}

void CalendarPreview::Draw()
{
    // The drawing lets posted events through; a request that falls due meanwhile is
    // drawn after this one.
    if (m_drawing) {
        m_gather.start();
        return;
    }
    m_drawing = true;
    const Values values = m_values;
    // The store is read as the renderer reads it. One that is not there is neither
    // created nor reported: the renderer would not draw, and the note says so.
    basDatabase::EventStore store;
    const bool haveStore = !values.backgroundOnly && QFileInfo::exists(basDatabase::EventStore::DatabasePath())
                           && store.OpenDatabaseConnection();
    const CalendarDrawing::Preview drawn = CalendarDrawing::DrawPreview(
        values.settings, values.fonts, values.backgroundOnly, haveStore ? &store : nullptr);
    store.CloseDatabaseConnection();

    QImage image = drawn.image;
    if (image.isNull()) {
        // Not drawn, the desktop keeps what it shows: the last wallpaper, else its colour.
        image = QImage(basPlatform::DataFile(QLatin1String(basPlatform::kWallpaperFileName)));
        if (image.isNull()) {
            image = QImage(ImageSize(), QImage::Format_RGB32);
            image.fill(basPlatform::DesktopBackgroundColor());
        }
    }
    lblPreviewNote->setText(drawn.notDrawn.isEmpty()
                                ? QString()
                                : tr("The calendar would not be drawn: %1.").arg(drawn.notDrawn));
    lblPreviewNote->setVisible(!drawn.notDrawn.isEmpty());
    Show(CalendarDrawing::FitInto(image, ImageSize()));
    m_today = CalendarDrawing::CropAround(image, drawn.today,
                                          imgPreviewToday->contentsRect().size() * imgPreviewToday->devicePixelRatioF());
    QPixmap today = QPixmap::fromImage(m_today);
    today.setDevicePixelRatio(imgPreviewToday->devicePixelRatioF());
    imgPreviewToday->setPixmap(today);
    ++m_drawings;
    m_drawing = false;
    emit Drawn();
}

void CalendarPreview::Show(const QImage &image)
{
    m_shown = image;
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(imgPreview->devicePixelRatioF());
    imgPreview->setPixmap(pixmap);
}

} // namespace quillon
