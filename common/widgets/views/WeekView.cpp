#include "views/WeekView.h"

#include "basColor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

constexpr int kPadding = 3;
constexpr int kRadius = 3;
constexpr int kResizeEdge = 5; // pixels at a block's foot that grab its end



} // namespace

// The day names and the all-day strip, fixed above the scrolling grid.
class WeekView::Header : public QWidget {
public:
    explicit Header(WeekView &view) : QWidget(&view), m_view(view) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_view.PaintHeader(painter, rect());
    }
    void mouseDoubleClickEvent(QMouseEvent *event) override { m_view.HeaderDoubleClicked(event->position().toPoint()); }

private:
    WeekView &m_view;
};

WeekView::WeekView(QWidget *parent) : QAbstractScrollArea(parent), m_header(new Header(*this))
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    UpdateLayout();
}

void WeekView::SetDays(QDate first, int count, QDate today)
{
    const std::optional<ViewEvent> selected = SelectedEvent();
    m_model.SetDays(first, count);
    m_today = today;
    CancelDrag();
    UpdateLayout();
    viewport()->update();
    if (selected)
        Select(selected->id, selected->date);
}

void WeekView::SetEvents(const QList<ViewEvent> &events)
{
    const std::optional<ViewEvent> selected = SelectedEvent();
    m_model.SetEvents(events);
    CancelDrag();
    if (selected)
        m_model.SetSelected(m_model.Find(selected->id, selected->date));
    UpdateLayout();
    viewport()->update();
    m_header->update();
}

std::optional<ViewEvent> WeekView::SelectedEvent() const
{
    if (m_model.Selected() < 0)
        return std::nullopt;
    return m_model.Events().value(m_model.Selected());
}

void WeekView::Select(qint64 id, QDate date)
{
    m_model.SetSelected(m_model.Find(id, date));
    viewport()->update();
    m_header->update();
    emit SelectionChanged();
}

void WeekView::SetFillColor(std::int32_t color)
{
    m_fill = color;
    viewport()->update();
}

int WeekView::LineHeight() const { return fontMetrics().height() + 2 * kPadding; }

int WeekView::HeaderHeight() const { return LineHeight() * (1 + m_model.AllDayRows()) + 2; }

WeekViewModel::Geometry WeekView::Geometry() const
{
    WeekViewModel::Geometry geometry;
    geometry.scaleWidth = fontMetrics().horizontalAdvance(ViewTimeText(locale(), QTime(22, 0))) + 4 * kPadding;
    geometry.slotHeight = fontMetrics().height() + 6;
    geometry.width = viewport()->width();
    geometry.days = std::max(1, m_model.DayCount());
    return geometry;
}

ViewMirror WeekView::Mirror() const { return ViewMirror::Of(*this, viewport()->width()); }

// The header spans the scroll bar too, which stands left of the grid in a mirrored layout.
ViewMirror WeekView::HeaderMirror() const
{
    return ViewMirror::Of(*this, viewport()->width(), viewport()->x() - m_header->x());
}

QPointF WeekView::ToContent(QPointF viewportPoint) const
{
    return Mirror().Unmirrored(viewportPoint) + QPointF(0, verticalScrollBar()->value());
}

QPoint WeekView::ContentToWidget(QPointF point) const
{
    return viewport()->mapTo(this, Mirror().Point(point - QPointF(0, verticalScrollBar()->value())).toPoint());
}

void WeekView::ScrollToSlot(int slot)
{
    verticalScrollBar()->setValue(static_cast<int>(slot * Geometry().slotHeight));
}

void WeekView::UpdateLayout()
{
    const int header = HeaderHeight();
    setViewportMargins(0, header, 0, 0);
    const QRect area = contentsRect();
    m_header->setGeometry(area.left(), area.top(), area.width(), header);
    const WeekViewModel::Geometry geometry = Geometry();
    QScrollBar *bar = verticalScrollBar();
    bar->setRange(0, std::max(0, static_cast<int>(std::ceil(geometry.ContentHeight())) - viewport()->height()));
    bar->setSingleStep(static_cast<int>(geometry.slotHeight));
    bar->setPageStep(viewport()->height());
    if (!m_scrolledOnce && viewport()->height() > 0) {
        m_scrolledOnce = true;
        ScrollToSlot(DayViewModel::kWorkdayStartSlot);
    }
}

void WeekView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateLayout();
}

void WeekView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange
        || event->type() == QEvent::LocaleChange)
        UpdateLayout();
}

QColor WeekView::FillOf(const ViewEvent &event) const { return ViewEventColor(event, m_fill, palette()); }

void WeekView::PaintHeader(QPainter &painter, const QRect &rect) const
{
    const QPalette &pal = palette();
    const WeekViewModel::Geometry geometry = Geometry();
    const int line = LineHeight();
    const ViewMirror mirror = HeaderMirror();
    painter.setLayoutDirection(Qt::LayoutDirectionAuto);
    painter.fillRect(rect, pal.color(QPalette::Window));
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    for (int day = 0; day < m_model.DayCount(); ++day) {
        const QDate date = m_model.Day(day);
        const QRectF column = mirror.Rect(QRectF(geometry.ColumnLeft(day), 0, geometry.ColumnWidth(), rect.height()));
        const QRectF title = QRectF(column.left(), 0, column.width(), line).adjusted(1, 1, -1, -1);
        const bool today = date == m_today;
        if (today)
            painter.fillRect(title, pal.color(QPalette::Highlight));
        painter.setPen(today ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::WindowText));
        QFont font = painter.font();
        font.setBold(today);
        painter.setFont(font);
        const QString text = locale().dayName(date.dayOfWeek(), QLocale::ShortFormat) + QLatin1Char(' ')
                             + QString::number(date.day());
        painter.drawText(title, Qt::AlignCenter, painter.fontMetrics().elidedText(text, Qt::ElideRight,
                                                                                  static_cast<int>(title.width())));
        font.setBold(false);
        painter.setFont(font);
        painter.setPen(pal.color(QPalette::Mid));
        // The line on the column's side towards the hours.
        const double edge = mirror.IsMirrored() ? column.right() - 0.5 : column.left() + 0.5;
        painter.drawLine(QPointF(edge, 0), QPointF(edge, rect.height()));
        const std::vector<int> &allDay = m_model.AllDay(day);
        for (std::size_t row = 0; row < allDay.size(); ++row) {
            const ViewEvent &event = m_model.Events()[allDay[row]];
            const QRectF bar = QRectF(column.left(), line * (1.0 + row), column.width(), line).adjusted(2, 1, -2, -1);
            const QColor fill = FillOf(event);
            painter.fillRect(bar, fill);
            if (allDay[row] == m_model.Selected()) {
                painter.setPen(QPen(pal.color(QPalette::Highlight), 2));
                painter.drawRect(bar.adjusted(1, 1, -1, -1));
            }
            painter.setPen(basColor::ReadableTextOn(fill));
            painter.drawText(bar.adjusted(kPadding, 0, -kPadding, 0), mirror.Start() | Qt::AlignVCenter,
                             painter.fontMetrics().elidedText(event.name, Qt::ElideRight,
                                                              static_cast<int>(bar.width()) - 2 * kPadding));
        }
    }
}

void WeekView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QPalette &pal = palette();
    const WeekViewModel::Geometry geometry = Geometry();
    const int scroll = verticalScrollBar()->value();
    const int width = viewport()->width();
    const int height = viewport()->height();
    const ViewMirror mirror = Mirror();
    painter.setLayoutDirection(Qt::LayoutDirectionAuto);
    painter.fillRect(viewport()->rect(), pal.color(QPalette::Base));
    painter.fillRect(mirror.Rect(QRectF(0, 0, geometry.scaleWidth, height)), pal.color(QPalette::Window));
    const int todayColumn = m_model.DayIndex(m_today);
    if (todayColumn >= 0) {
        QColor mark = pal.color(QPalette::Highlight);
        mark.setAlphaF(0.08f);
        painter.fillRect(mirror.Rect(QRectF(geometry.ColumnLeft(todayColumn), 0, geometry.ColumnWidth(), height)), mark);
    }
    painter.translate(0, -scroll);
    const QColor hourLine = pal.color(QPalette::Mid);
    QColor halfLine = hourLine;
    halfLine.setAlphaF(0.5f);
    for (int slot = 0; slot <= DayViewModel::kSlotCount; ++slot) {
        const double y = std::floor(slot * geometry.slotHeight) + 0.5;
        if (y < scroll - geometry.slotHeight || y > scroll + height + geometry.slotHeight)
            continue;
        const bool onHour = slot % 2 == 0;
        painter.setPen(QPen(onHour ? hourLine : halfLine, 1, onHour ? Qt::SolidLine : Qt::DotLine));
        painter.drawLine(mirror.Point(QPointF(onHour ? 0 : geometry.scaleWidth, y)), mirror.Point(QPointF(width, y)));
        if (onHour && slot < DayViewModel::kSlotCount) {
            painter.setPen(pal.color(QPalette::WindowText));
            painter.drawText(mirror.Rect(QRectF(0, y + 1, geometry.scaleWidth - 2 * kPadding, geometry.slotHeight - 2)),
                             mirror.End() | Qt::AlignVCenter, ViewTimeText(locale(), QTime(slot / 2, 0)));
        }
    }
    painter.setPen(QPen(hourLine, 1));
    for (int day = 0; day < m_model.DayCount(); ++day) {
        const double x = std::floor(mirror.X(geometry.ColumnLeft(day))) + (mirror.IsMirrored() ? -0.5 : 0.5);
        painter.drawLine(QPointF(x, scroll), QPointF(x, scroll + height));
    }

    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetricsF metrics(font());
    for (int index = 0; index < m_model.Events().size(); ++index) {
        const ViewEvent &event = m_model.Events()[index];
        QRectF rect = m_model.EventRect(index, geometry);
        if (rect.isEmpty())
            continue;
        rect = mirror.Rect(rect.adjusted(1, 1, 0, 0));
        const bool dragged = m_drag && m_drag->moving && m_drag->event == index;
        const QColor color = FillOf(event);
        QPainterPath path;
        path.addRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
        painter.fillPath(path, dragged ? QColor(color.red(), color.green(), color.blue(), 90) : color);
        painter.setPen(QPen(color.darker(150), 1));
        painter.drawPath(path);
        if (index == m_model.Selected()) {
            painter.setPen(QPen(hasFocus() ? pal.color(QPalette::Highlight) : pal.color(QPalette::Dark), 2));
            QPainterPath outer;
            outer.addRoundedRect(rect.adjusted(1, 1, -1, -1), kRadius, kRadius);
            painter.drawPath(outer);
        }
        painter.save();
        const QRectF content = rect.adjusted(kPadding, 1, -kPadding, -1);
        painter.setClipRect(content);
        painter.setPen(basColor::ReadableTextOn(color));
        const QString text = ViewTimeText(locale(), event.start) + QLatin1Char(' ') + event.name;
        if (content.height() < 2 * metrics.lineSpacing())
            painter.drawText(content, mirror.Start() | Qt::AlignVCenter,
                             metrics.elidedText(text.simplified(), Qt::ElideRight, content.width()));
        else
            painter.drawText(content, mirror.Start() | Qt::AlignTop | Qt::TextWordWrap, text);
        painter.restore();
    }
    // Where a dragged event would land, drawn over the grid.
    if (m_drag && m_drag->moving && m_drag->landing.date.isValid()) {
        const int day = m_model.DayIndex(m_drag->landing.date);
        const double minuteHeight = geometry.slotHeight / DayViewModel::kMinutesPerSlot;
        const auto minute = [](QTime t) { return t.hour() * 60 + t.minute(); };
        const QRectF ghost = mirror.Rect(
            QRectF(geometry.ColumnLeft(day) + 1, minute(m_drag->landing.start) * minuteHeight, geometry.ColumnWidth() - 4,
                   std::max(4.0, (minute(m_drag->landing.end) - minute(m_drag->landing.start)) * minuteHeight)));
        const ViewEvent &event = m_model.Events()[m_drag->event];
        const QColor color = FillOf(event);
        QPainterPath path;
        path.addRoundedRect(ghost, kRadius, kRadius);
        painter.fillPath(path, color);
        painter.setPen(QPen(pal.color(QPalette::Highlight), 2, Qt::DashLine));
        painter.drawPath(path);
        painter.setPen(basColor::ReadableTextOn(color));
        painter.drawText(ghost.adjusted(kPadding, 1, -kPadding, -1), mirror.Start() | Qt::AlignTop,
                         ViewTimeText(locale(), m_drag->landing.start) + QStringLiteral(" - ")
                             + ViewTimeText(locale(), m_drag->landing.end));
    }
}

// --- Input --------------------------------------------------------------------------

void WeekView::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPointF point = ToContent(event->position());
    const WeekViewModel::Hit hit = m_model.HitAt(point, Geometry());
    m_model.SetSelected(hit.event);
    if (hit.event >= 0) {
        const QRectF rect = m_model.EventRect(hit.event, Geometry());
        Drag drag;
        drag.event = hit.event;
        drag.kind = point.y() >= rect.bottom() - kResizeEdge ? WeekViewModel::DragKind::Resize
                                                             : WeekViewModel::DragKind::Move;
        drag.from = point;
        m_drag = drag;
    }
    viewport()->update();
    m_header->update();
    emit SelectionChanged();
    event->accept();
}

void WeekView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF point = ToContent(event->position());
    if (!m_drag) {
        // The foot of a block shows that it can be stretched.
        const WeekViewModel::Hit hit = m_model.HitAt(point, Geometry());
        const bool onEdge = hit.event >= 0 && point.y() >= m_model.EventRect(hit.event, Geometry()).bottom() - kResizeEdge;
        viewport()->setCursor(onEdge ? Qt::SizeVerCursor : Qt::ArrowCursor);
        return;
    }
    const QPointF offset = point - m_drag->from;
    if (!m_drag->moving && offset.manhattanLength() < QApplication::startDragDistance())
        return;
    m_drag->moving = true;
    m_drag->landing = m_model.DragTo(m_drag->event, m_drag->kind, offset,
                                     event->modifiers() & Qt::AltModifier, Geometry());
    viewport()->update();
    event->accept();
}

void WeekView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_drag || event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    const Drag drag = *m_drag;
    CancelDrag();
    if (drag.moving && drag.landing.date.isValid()) {
        const ViewEvent moved = m_model.Events()[drag.event];
        emit EventDropped(moved.id, moved.date, drag.landing.date, drag.landing.start, drag.landing.end);
    }
    event->accept();
}

void WeekView::mouseDoubleClickEvent(QMouseEvent *event)
{
    CancelDrag();
    const WeekViewModel::Hit hit = m_model.HitAt(ToContent(event->position()), Geometry());
    if (hit.event >= 0) {
        const ViewEvent &chosen = m_model.Events()[hit.event];
        emit EventActivated(chosen.id, chosen.date);
    } else if (hit.day >= 0) {
        emit DayActivated(m_model.Day(hit.day));
    }
    event->accept();
}

void WeekView::HeaderDoubleClicked(QPoint shownPoint)
{
    const WeekViewModel::Geometry geometry = Geometry();
    const QPointF point = HeaderMirror().Unmirrored(shownPoint);
    if (point.x() < geometry.scaleWidth || geometry.ColumnWidth() <= 0)
        return;
    const int day = static_cast<int>((point.x() - geometry.scaleWidth) / geometry.ColumnWidth());
    const int row = static_cast<int>(point.y()) / LineHeight() - 1;
    const std::vector<int> &allDay = m_model.AllDay(day);
    if (row >= 0 && row < static_cast<int>(allDay.size())) {
        const ViewEvent &chosen = m_model.Events()[allDay[static_cast<std::size_t>(row)]];
        emit EventActivated(chosen.id, chosen.date);
    } else if (m_model.Day(day).isValid()) {
        emit DayActivated(m_model.Day(day));
    }
}

void WeekView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_drag) {
            CancelDrag();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const std::optional<ViewEvent> chosen = SelectedEvent()) {
            emit EventActivated(chosen->id, chosen->date);
            event->accept();
            return;
        }
        break;
    case Qt::Key_Delete:
        if (SelectedEvent()) {
            emit DeleteRequested();
            event->accept();
            return;
        }
        break;
    default: break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void WeekView::CancelDrag()
{
    if (!m_drag)
        return;
    m_drag.reset();
    viewport()->update();
}

} // namespace quillon
