#include "ViewPrint.h"

#include "views/AgendaView.h"
#include "views/MonthGrid.h"
#include "views/WeekView.h"

#include <QHeaderView>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScrollBar>

#include <cmath>
#include <memory>

namespace quillon {

namespace ViewPrint {

namespace {

// The view made afresh at a size that holds all it shows: on paper nothing scrolls.
std::unique_ptr<QWidget> PrintedView(const ShownRange &range, QDate today, const QFont &font, int width, std::int32_t fill)
{
    switch (range.View()) {
    case SchedulerView::Day:
    case SchedulerView::WorkWeek:
    case SchedulerView::Week: {
        auto week = std::make_unique<WeekView>();
        week->setFont(font);
        week->setFrameShape(QFrame::NoFrame);
        week->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        week->SetFillColor(fill);
        week->SetDays(range.First(), range.DayCount(), today);
        week->SetEvents(range.Events());
        week->resize(width, 400);
        const int header = week->height() - week->viewport()->height();
        week->resize(width, header + static_cast<int>(week->Geometry().ContentHeight()) + 1);
        week->ScrollToSlot(0);
        return week;
    }
    case SchedulerView::Month: {
        auto month = std::make_unique<MonthGrid>();
        month->setFont(font);
        month->SetFillColor(fill);
        month->SetMonth(range.Day(), range.WeekStart(), today);
        month->SetEvents(range.Events());
        month->resize(width, width * 3 / 4);
        return month;
    }
    case SchedulerView::Agenda: {
        auto agenda = std::make_unique<AgendaView>();
        agenda->setFont(font);
        agenda->setFrameShape(QFrame::NoFrame);
        agenda->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        agenda->SetFillColor(fill);
        agenda->SetEvents(range.First(), range.Last(), range.Events());
        agenda->resize(width, 400);
        int rows = 0;
        for (int top = 0; top < agenda->topLevelItemCount(); ++top)
            rows += 1 + agenda->topLevelItem(top)->childCount();
        const int row = std::max(agenda->sizeHintForRow(0), agenda->fontMetrics().height() + 4);
        agenda->resize(width, agenda->header()->height() + rows * row + 4);
        return agenda;
    }
    }
    return nullptr;
}

} // namespace

void Print(QPagedPaintDevice &device, const ShownRange &range, QDate today,
           const basCalendarFonts::CalendarFontSet &fonts, std::int32_t fill)
{
    QPainter painter(&device);
    if (!painter.isActive())
        return;
    const QRectF page = QRectF(0, 0, device.width(), device.height());
    // A screen's worth of logical pixels across the page, so fonts keep their proportions.
    const double scale = page.width() / 760.0;
    painter.scale(scale, scale);
    const double width = page.width() / scale;
    const double height = page.height() / scale;

    // In the page's logical pixels, as the views below are drawn: a font in points would
    // take the printer's resolution and be scaled twice.
    QFont title = fonts.MonthNameFont.value_or(QFont());
    if (title.pointSizeF() > 0)
        title.setPixelSize(static_cast<int>(std::lround(title.pointSizeF() * 96.0 / 72.0)));
    painter.setFont(title);
    const double titleHeight = painter.fontMetrics().height() * 1.6;
    painter.drawText(QRectF(0, 0, width, titleHeight), Qt::AlignLeft | Qt::AlignVCenter, range.Title(QLocale()));

    const std::unique_ptr<QWidget> view =
        PrintedView(range, today, fonts.DayEventsFont.value_or(QFont()), static_cast<int>(width), fill);
    if (!view)
        return;
    // Shrunk to the page when taller, never stretched.
    const double room = height - titleHeight;
    const double fit = std::min(1.0, room / std::max(1, view->height()));
    painter.translate(0, titleHeight);
    painter.scale(fit, fit);
    view->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
}

} // namespace ViewPrint

} // namespace quillon
