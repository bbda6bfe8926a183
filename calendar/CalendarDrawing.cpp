#include "CalendarDrawing.h"

#include "CalendarDayText.h"
#include "ScreenPixels.h"
#include "WritablePages.h"
#include "basDateText.h"
#include "frmCalendar.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScreen>
#include <QTransform>

#include <algorithm>

namespace quillon {

namespace CalendarDrawing {

namespace {
// With later, the guard's panels and texts are left to the writing of the file, and its
// check of the finished drawing with them: the bitmap holds the background alone.
PanelledBitmap Render(frmCalendar &window, bool later)
{
    const qreal ratio = window.TargetScreen() ? ScreenPixels::Ratio(*window.TargetScreen()) : 1.0;
    // The bitmap starts as the background: the picture itself when it covers the screen
    // (drawn on in place, no copy), else the window's colour. Only the texts are drawn.
    QImage image = window.TakeBackground();
    const bool onPicture = !image.isNull();
    if (!onPicture) {
        image = QImage(window.PhysicalSize(), QImage::Format_RGB32);
        image.fill(window.palette().color(QPalette::Window));
    }
    image.setDevicePixelRatio(ratio);
    // At a fractional ratio a band's edge falls inside a pixel: there everything is drawn
    // in the bitmap, as before.
    later = later && window.LegibilityGuard() && ratio == 1.0 && image.format() == QImage::Format_RGB32;
    // The guard reads the background from the bitmap, so a picture drawn as a child must
    // be in it before the texts are judged.
    StretchedPicture *picture = window.imgBackground;
    const bool pictureFirst = window.LegibilityGuard() && !onPicture && !picture->isHidden() && picture->HasPicture();
    if (pictureFirst) {
        picture->render(&image, picture->pos());
        picture->hide();
    }
    window.BeginLegibility(&image, !later);
    PanelledBitmap drawn;
    drawn.ratio = ratio;
    drawn.panels = window.Panels();
    if (later) {
        // Drawn as the rows go out, the picture is only read: none of its pages is copied.
        drawn.texts = window.TextsForLater();
        window.SetPanelsLater(true);
    } else {
        drawn.laid = QRegion(QRect(QPoint(), window.size()));
        QRegion painted;
        for (const Panel &panel : drawn.panels)
            painted |= panel.rect;
        const QRegion device = ratio == 1.0 ? painted : QTransform::fromScale(ratio, ratio).map(painted);
        MakeWritable(image, std::vector<QRect>(device.begin(), device.end()));
    }
    // The window's own background is already in the bitmap; a picture that could not be
    // handed over is one of the children and is drawn with them.
    // (A window that fills its background would fill it whatever the flags say.)
    const bool autoFill = window.autoFillBackground();
    window.setAutoFillBackground(false);
    window.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    window.setAutoFillBackground(autoFill);
    if (!later)
        window.EndLegibility(image);
    window.SetPanelsLater(false);
    if (pictureFirst)
        picture->show();
    image.setDevicePixelRatio(1.0);
    drawn.image = std::move(image);
    return drawn;
}
} // namespace

QImage RenderWindow(frmCalendar &window) { return Render(window, false).image; }

PanelledBitmap RenderPanelsLater(frmCalendar &window) { return Render(window, true); }

Preview DrawPreview(const basQuillon::GeneralSettingsRecord &settings, const basCalendarFonts::CalendarFontSet &fonts,
                    bool backgroundOnly, basDatabase::EventStore *store, QScreen *screen)
{
    Preview preview;
    // The renderer stops before drawing without its store; so does the preview, rather
    // than draw a month without its events.
    if (!backgroundOnly && !store) {
        preview.notDrawn = QCoreApplication::translate("CalendarDrawing", "no event database");
        return preview;
    }
    frmCalendar window(settings, fonts, backgroundOnly, screen, store);
    window.SetRotation(false);
    window.Form_Load();
    if (!window.FormLoadSuccessful()) {
        const LoadFailure &cause = window.LoadFailureCause();
        preview.notDrawn = cause.shown.isEmpty() ? cause.description : cause.shown;
        return preview;
    }
    // As the renderer does before it draws: what the load posted is delivered. Not the
    // user's input, which must not reach the dialog in the middle of a drawing.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    preview.image = RenderWindow(window);
    const qreal ratio = window.TargetScreen() ? ScreenPixels::Ratio(*window.TargetScreen()) : 1.0;
    for (int i = 0; i < CalendarGrid::kCellCount; ++i) {
        const QString date = CalendarDayText::LookupDate(window.CurrentMonth, window.lblDayNumber[i]->text().toInt(),
                                                         window.CurrentYear);
        if (!window.lblDayNumber[i]->text().isEmpty() && basDateText::NormalizeDateText(date) == window.TodayKey) {
            const QRect cell = window.lblDayNumber[i]->geometry() | window.lblDayEvents[i]->geometry();
            preview.today = QRect((QPointF(cell.topLeft()) * ratio).toPoint(), (QSizeF(cell.size()) * ratio).toSize());
        }
    }
    return preview;
}

QImage CropAround(const QImage &drawing, const QRect &around, const QSize &size)
{
    if (drawing.isNull() || size.isEmpty())
        return {};
    const QPoint centre = around.isEmpty() ? drawing.rect().center() : around.center();
    const int left = std::clamp(centre.x() - size.width() / 2, 0, std::max(0, drawing.width() - size.width()));
    const int top = std::clamp(centre.y() - size.height() / 2, 0, std::max(0, drawing.height() - size.height()));
    return drawing.copy(QRect(QPoint(left, top), size));
}

QImage FitInto(const QImage &drawing, const QSize &box)
{
    if (drawing.isNull() || box.isEmpty())
        return {};
    return drawing.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace CalendarDrawing

} // namespace quillon
