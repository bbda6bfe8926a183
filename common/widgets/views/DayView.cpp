#include "views/DayView.h"

#include "basColor.h"
#include "basLocale.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QTime>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

constexpr int kTimeScalePadding = 6;
constexpr int kTaskPadding = 3;
constexpr int kTaskRadius = 3;
constexpr int kPictureSize = 16;
constexpr int kResizeEdge = 5; // pixels at a task's foot that grab its end

int MouseButtonValue(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return DayView::kLeftButton;
    case Qt::RightButton: return DayView::kRightButton;
    case Qt::MiddleButton: return DayView::kMiddleButton;
    default: return 0;
    }
}

int ShiftValue(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= DayView::kShiftMask;
    if (modifiers & Qt::ControlModifier)
        shift |= DayView::kCtrlMask;
    if (modifiers & Qt::AltModifier)
        shift |= DayView::kAltMask;
    return shift;
}


QString HourLabel(const QLocale &locale, int hour)
{
    return basLocale::ShownTime(QTime(hour, 0), locale);
}

} // namespace

DayView::DayView(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(false);
    UpdateScrollBar();
}

// --- Tasks --------------------------------------------------------------------------

int DayView::AddTask(QTime startTime, QTime endTime, const QString &text, std::int32_t color)
{
    const int index = m_model.AddTask(startTime, endTime, text, color);
    viewport()->update();
    return index;
}

int DayView::TaskCount() const { return m_model.TaskCount(); }
QString DayView::TaskText(int index) const { return m_model.Task(index).text; }
qint64 DayView::TaskTag(int index) const { return m_model.Task(index).tag; }
QIcon DayView::TaskPicture(int index) const { return m_model.Task(index).picture; }

void DayView::SetTaskText(int index, const QString &text)
{
    m_model.SetTaskText(index, text);
    viewport()->update();
}

void DayView::SetTaskTag(int index, qint64 tag)
{
    m_model.SetTaskTag(index, tag);
}

void DayView::SetTaskPicture(int index, const QIcon &picture)
{
    m_model.SetTaskPicture(index, picture);
    viewport()->update();
}

void DayView::RemoveTask(int index)
{
    m_model.RemoveTask(index);
    viewport()->update();
}

void DayView::RemoveAllTasks()
{
    m_model.RemoveAllTasks();
    viewport()->update();
}

// --- Selection ----------------------------------------------------------------------

int DayView::SelectedTask() const { return m_model.SelectedTask(); }
int DayView::SelectedTimeSlot() const { return m_model.SelectedTimeSlot(); }

void DayView::SetSelectedTask(int index)
{
    m_model.SetSelectedTask(index);
    EnsureSelectionVisible();
    viewport()->update();
}

void DayView::SetSelectedTimeSlot(int slot)
{
    m_model.SetSelectedTimeSlot(slot);
    EnsureSelectionVisible();
    viewport()->update();
}

QTime DayView::TimeOfSlot(int slot) const { return DayViewModel::SlotStart(slot); }
int DayView::SlotOfTime(QTime time) const { return DayViewModel::SlotOfTime(time); }

// --- Hit tests ----------------------------------------------------------------------

ViewMirror DayView::Mirror() const { return ViewMirror::Of(*this, viewport()->width()); }

QPointF DayView::ViewportToContent(QPointF viewportPoint) const
{
    return Mirror().Unmirrored(viewportPoint) + QPointF(0, verticalScrollBar()->value());
}

QPoint DayView::ViewportToWidget(QPointF viewportPoint) const
{
    return viewport()->mapTo(this, viewportPoint.toPoint());
}

QPointF DayView::ToContent(QPoint widgetPoint) const
{
    const QPoint inViewport = viewport()->mapFrom(this, widgetPoint);
    if (!viewport()->rect().contains(inViewport))
        return QPointF(-1, -1); // outside every area
    return ViewportToContent(inViewport);
}

int DayView::AreaAt(int x, int y) const { return m_model.AreaAt(ToContent({x, y}), Geometry()); }
int DayView::TaskAt(int x, int y) const { return m_model.TaskAt(ToContent({x, y}), Geometry()); }

QTime DayView::TimeAt(int x, int y) const
{
    return DayViewModel::SlotStart(m_model.SlotAt(ToContent({x, y}), Geometry()));
}

QRect DayView::TaskRect(int index) const
{
    const QRectF rect = Mirror().Rect(m_model.TaskRect(index, Geometry()))
                            .translated(0, -verticalScrollBar()->value());
    return rect.toAlignedRect().translated(viewport()->mapTo(this, QPoint(0, 0)));
}

QRect DayView::SlotRect(int slot) const
{
    const QRectF rect = Mirror().Rect(m_model.SlotRect(slot, Geometry()))
                            .translated(0, -verticalScrollBar()->value());
    return rect.toAlignedRect().translated(viewport()->mapTo(this, QPoint(0, 0)));
}

// --- Colours ------------------------------------------------------------------------

QColor DayView::EffectiveBackColor() const
{
    return m_backColor >= 0 ? basColor::ToQColor(m_backColor) : palette().color(QPalette::Base);
}

QColor DayView::EffectiveFillColor() const
{
    if (m_fillColor >= 0)
        return basColor::ToQColor(m_fillColor);
    // A calm tint of the style's highlight, so default tasks do not look selected.
    const QColor highlight = palette().color(QPalette::Highlight);
    const QColor base = palette().color(QPalette::Base);
    return QColor::fromRgbF(0.45f * highlight.redF() + 0.55f * base.redF(),
                            0.45f * highlight.greenF() + 0.55f * base.greenF(),
                            0.45f * highlight.blueF() + 0.55f * base.blueF());
}

std::int32_t DayView::BackColor() const { return basColor::FromQColor(EffectiveBackColor()); }
std::int32_t DayView::DurationBarFillColor() const { return basColor::FromQColor(EffectiveFillColor()); }

void DayView::SetBackColor(std::int32_t color)
{
    m_backColor = color < 0 ? -1 : color;
    viewport()->update();
}

void DayView::SetDurationBarFillColor(std::int32_t color)
{
    m_fillColor = color < 0 ? -1 : color;
    viewport()->update();
}

// --- Geometry and scrolling ---------------------------------------------------------

const DayView::TimeScale &DayView::Scale() const
{
    if (!m_scale) {
        const QFontMetrics metrics = fontMetrics();
        TimeScale scale;
        scale.widest = metrics.horizontalAdvance(QStringLiteral("12:00 AM"));
        for (int hour = 0; hour < 24; ++hour) {
            scale.hourLabels[static_cast<std::size_t>(hour)] = HourLabel(locale(), hour);
            scale.widest = std::max(scale.widest, metrics.horizontalAdvance(scale.hourLabels[static_cast<std::size_t>(hour)]));
        }
        scale.lineHeight = metrics.height();
        m_scale = std::move(scale);
    }
    return *m_scale;
}

DayViewGeometry DayView::Geometry() const
{
    const TimeScale &scale = Scale();
    DayViewGeometry geometry;
    geometry.timeScaleWidth = scale.widest + 2 * kTimeScalePadding;
    geometry.slotHeight = std::max(scale.lineHeight + 6, kPictureSize + 4);
    geometry.width = viewport()->width();
    return geometry;
}

int DayView::VisibleSlots() const
{
    return std::max(1, static_cast<int>(viewport()->height() / Geometry().slotHeight));
}

void DayView::UpdateScrollBar()
{
    const DayViewGeometry geometry = Geometry();
    QScrollBar *bar = verticalScrollBar();
    const bool wasScrolling = m_scrolling;
    m_scrolling = true;
    bar->setRange(0, std::max(0, static_cast<int>(std::ceil(geometry.ContentHeight()))
                                     - viewport()->height()));
    bar->setSingleStep(static_cast<int>(geometry.slotHeight));
    bar->setPageStep(std::max(1, viewport()->height()));
    m_scrolling = wasScrolling;
}

void DayView::ScrollToSlot(int slot)
{
    slot = std::clamp(slot, 0, DayViewModel::kSlotCount - 1);
    const bool wasScrolling = m_scrolling;
    m_scrolling = true;
    verticalScrollBar()->setValue(static_cast<int>(std::lround(slot * Geometry().slotHeight)));
    m_scrolling = wasScrolling;
}

void DayView::scrollContentsBy(int, int)
{
    if (!m_scrolling)
        m_followWorkday = false; // the user chose where to look
    viewport()->update();
}

void DayView::EnsureVisible(double top, double bottom)
{
    const int value = verticalScrollBar()->value();
    const int height = viewport()->height();
    int target = value;
    if (bottom - top >= height || top < value)
        target = static_cast<int>(std::floor(top));
    else if (bottom > value + height)
        target = static_cast<int>(std::ceil(bottom)) - height;
    if (target != value) {
        m_followWorkday = false;
        const bool wasScrolling = m_scrolling;
        m_scrolling = true;
        verticalScrollBar()->setValue(target);
        m_scrolling = wasScrolling;
    }
}

void DayView::EnsureSelectionVisible()
{
    if (!isVisible())
        return; // the first show brings the working day or the selection into view
    const DayViewGeometry geometry = Geometry();
    if (m_model.SelectedTask() >= 0) {
        const QRectF rect = m_model.TaskRect(m_model.SelectedTask(), geometry);
        EnsureVisible(rect.top(), rect.bottom());
    } else if (m_model.SelectedTimeSlot() >= 0) {
        const QRectF rect = m_model.SlotRect(m_model.SelectedTimeSlot(), geometry);
        EnsureVisible(rect.top(), rect.bottom());
    }
}

void DayView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBar();
    if (m_followWorkday)
        ScrollToSlot(DayViewModel::kWorkdayStartSlot);
}

void DayView::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    UpdateScrollBar();
    if (m_followWorkday)
        ScrollToSlot(DayViewModel::kWorkdayStartSlot);
    EnsureSelectionVisible();
}

void DayView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LocaleChange
        || event->type() == QEvent::StyleChange) {
        m_scale.reset();
        UpdateScrollBar();
        viewport()->update();
    }
}

QSize DayView::sizeHint() const
{
    const DayViewGeometry geometry = Geometry();
    return QSize(static_cast<int>(geometry.timeScaleWidth) + 240,
                 static_cast<int>(geometry.slotHeight * 20));
}

QSize DayView::minimumSizeHint() const
{
    const DayViewGeometry geometry = Geometry();
    return QSize(static_cast<int>(geometry.timeScaleWidth) + 60,
                 static_cast<int>(geometry.slotHeight * 3));
}

// --- Painting -----------------------------------------------------------------------

void DayView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const DayViewGeometry geometry = Geometry();
    const QPalette &pal = palette();
    const int scroll = verticalScrollBar()->value();
    const int width = viewport()->width();
    const int height = viewport()->height();
    const ViewMirror mirror = Mirror();
    painter.setLayoutDirection(Qt::LayoutDirectionAuto);

    painter.fillRect(viewport()->rect(), EffectiveBackColor());
    painter.fillRect(mirror.Rect(QRectF(0, 0, geometry.timeScaleWidth, height)), pal.color(QPalette::Window));
    painter.translate(0, -scroll);

    const int firstSlot = std::max(0, static_cast<int>(scroll / geometry.slotHeight));
    const int lastSlot = std::min(DayViewModel::kSlotCount - 1,
                                  static_cast<int>((scroll + height) / geometry.slotHeight));

    // The selected slot sits under the grid lines and the tasks.
    if (m_model.SelectedTimeSlot() >= 0) {
        // Without focus the slot is only shaded, so it cannot be taken for a task.
        QColor highlight = pal.color(QPalette::Highlight);
        if (!hasFocus()) {
            highlight = pal.color(QPalette::Mid);
            highlight.setAlphaF(0.35f);
        }
        painter.fillRect(mirror.Rect(m_model.SlotRect(m_model.SelectedTimeSlot(), geometry)), highlight);
    }

    // Grid: a full line at each hour, a dotted one at each half hour.
    const QColor hourLine = pal.color(QPalette::Mid);
    QColor halfLine = hourLine;
    halfLine.setAlphaF(0.5f);
    painter.setFont(font());
    for (int slot = firstSlot; slot <= lastSlot + 1 && slot <= DayViewModel::kSlotCount; ++slot) {
        const double y = std::floor(slot * geometry.slotHeight) + 0.5;
        const bool onHour = slot % 2 == 0;
        painter.setPen(QPen(onHour ? hourLine : halfLine, 0, onHour ? Qt::SolidLine : Qt::DotLine));
        painter.drawLine(mirror.Point(QPointF(onHour ? 0 : geometry.timeScaleWidth, y)), mirror.Point(QPointF(width, y)));
        if (onHour && slot < DayViewModel::kSlotCount) {
            painter.setPen(pal.color(QPalette::WindowText));
            const QRectF label(0, y + 1, geometry.timeScaleWidth - kTimeScalePadding,
                               geometry.slotHeight - 2);
            painter.drawText(mirror.Rect(label), mirror.End() | Qt::AlignVCenter,
                             Scale().hourLabels[static_cast<std::size_t>(slot / 2)]);
        }
    }
    painter.setPen(QPen(hourLine, 0));
    painter.drawLine(mirror.Point(QPointF(geometry.timeScaleWidth - 0.5, scroll)),
                     mirror.Point(QPointF(geometry.timeScaleWidth - 0.5, scroll + height)));

    // Tasks, in time order so that later blocks never hide earlier text.
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor fill = EffectiveFillColor();
    for (int index : m_model.TimeOrder()) {
        // Laid out left to right; every rectangle below is mirrored where it is drawn.
        const QRectF rect = m_model.TaskRect(index, geometry).adjusted(1, 1, 0, 0);
        if (rect.bottom() < scroll || rect.top() > scroll + height)
            continue;
        const QRectF shown = mirror.Rect(rect);
        const DayViewTask &task = m_model.Task(index);
        const QColor color = task.color >= 0 ? basColor::ToQColor(task.color) : fill;
        QPainterPath path;
        path.addRoundedRect(shown.adjusted(0.5, 0.5, -0.5, -0.5), kTaskRadius, kTaskRadius);
        painter.fillPath(path, color);
        painter.setPen(QPen(color.darker(150), 1));
        painter.drawPath(path);
        if (index == m_model.SelectedTask()) {
            // Two lines, so the selection shows on any task colour, the highlight's own included.
            QPainterPath outer;
            outer.addRoundedRect(shown.adjusted(1, 1, -1, -1), kTaskRadius, kTaskRadius);
            painter.setPen(QPen(hasFocus() ? pal.color(QPalette::Highlight)
                                           : pal.color(QPalette::Dark), 2));
            painter.drawPath(outer);
            QPainterPath inner;
            inner.addRoundedRect(shown.adjusted(2.5, 2.5, -2.5, -2.5), kTaskRadius - 1, kTaskRadius - 1);
            painter.setPen(QPen(pal.color(QPalette::Base), 1));
            painter.drawPath(inner);
        }

        QRectF content = rect.adjusted(kTaskPadding + 1, kTaskPadding - 1, -kTaskPadding, -1);
        const QFontMetricsF metrics(font());
        // A block lower than a line shows the middle of its one line rather than the top.
        if (content.height() < metrics.lineSpacing())
            content = QRectF(content.left(), rect.center().y() - metrics.lineSpacing() / 2,
                             content.width(), metrics.lineSpacing());
        if (!task.picture.isNull() && rect.height() >= kPictureSize) {
            const QRect iconRect(static_cast<int>(content.left()), static_cast<int>(content.top()) + 1,
                                 kPictureSize, kPictureSize);
            task.picture.paint(&painter, mirror.Rect(iconRect).toRect());
            content.setLeft(content.left() + kPictureSize + kTaskPadding);
        }
        content = mirror.Rect(content);
        painter.save();
        painter.setClipRect(content.intersected(shown));
        painter.setPen(basColor::ReadableTextOn(color));
        const int lines = std::max(1, static_cast<int>(content.height() / metrics.lineSpacing()));
        QString text = task.text;
        if (lines == 1)
            text = metrics.elidedText(text.simplified(), Qt::ElideRight, content.width());
        painter.drawText(content, mirror.Start() | Qt::AlignTop | Qt::TextWordWrap, text);
        painter.restore();
    }
    PaintDrag(painter, geometry, mirror);
}

// --- Mouse --------------------------------------------------------------------------

void DayView::SelectAt(QPointF viewportPoint)
{
    const DayViewGeometry geometry = Geometry();
    const QPointF point = ViewportToContent(viewportPoint);
    const int task = m_model.TaskAt(point, geometry);
    if (task >= 0) {
        m_model.SetSelectedTask(task);
    } else {
        const int slot = m_model.SlotAt(point, geometry);
        if (slot >= 0)
            m_model.SetSelectedTimeSlot(slot);
    }
    viewport()->update();
}

void DayView::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    m_pressed = true;
    m_doubleClicked = false;
    m_drag.reset();
    if (event->button() == Qt::LeftButton) {
        SelectAt(event->position());
        const int task = m_model.SelectedTask();
        if (task >= 0) {
            const QPointF point = ViewportToContent(event->position());
            const QRectF rect = m_model.TaskRect(task, Geometry());
            m_drag = Drag{task, point.y() >= rect.bottom() - kResizeEdge, point, false, {}};
        }
    }
    event->accept();
}

void DayView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_drag || !(event->buttons() & Qt::LeftButton)) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    const QPointF offset = ViewportToContent(event->position()) - m_drag->from;
    if (!m_drag->moving && offset.manhattanLength() < QApplication::startDragDistance())
        return;
    m_drag->moving = true;
    const DayViewTask &task = m_model.Task(m_drag->task);
    m_drag->landing = DayViewModel::Dragged(QTime(task.startMinute / 60, task.startMinute % 60),
                                            QTime(task.endMinute / 60 % 24, task.endMinute % 60), offset.y(),
                                            Geometry().slotHeight, m_drag->resize, event->modifiers() & Qt::AltModifier);
    viewport()->setCursor(m_drag->resize ? Qt::SizeVerCursor : Qt::ClosedHandCursor);
    viewport()->update();
    event->accept();
}

void DayView::PaintDrag(QPainter &painter, const DayViewGeometry &geometry, const ViewMirror &mirror) const
{
    if (!m_drag || !m_drag->moving || !m_drag->landing.start.isValid())
        return;
    const double minuteHeight = geometry.slotHeight / DayViewModel::kMinutesPerSlot;
    const auto minute = [](QTime time) { return time.hour() * 60 + time.minute(); };
    const QRectF from = m_model.TaskRect(m_drag->task, geometry);
    const QRectF ghost = mirror.Rect(
        QRectF(from.left(), minute(m_drag->landing.start) * minuteHeight, from.width(),
               std::max(4.0, (minute(m_drag->landing.end) - minute(m_drag->landing.start)) * minuteHeight)));
    const DayViewTask &task = m_model.Task(m_drag->task);
    const QColor color = task.color >= 0 ? basColor::ToQColor(task.color) : EffectiveFillColor();
    QPainterPath path;
    path.addRoundedRect(ghost, kTaskRadius, kTaskRadius);
    painter.fillPath(path, color);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
    painter.drawPath(path);
    painter.setPen(basColor::ReadableTextOn(color));
    painter.drawText(ghost.adjusted(kTaskPadding, 1, -kTaskPadding, -1), mirror.Start() | Qt::AlignTop,
                     DayViewModel::FormatTime(minute(m_drag->landing.start)) + QStringLiteral(" - ")
                         + DayViewModel::FormatTime(minute(m_drag->landing.end)));
}

void DayView::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_pressed = true;
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    m_doubleClicked = true;
    SelectAt(event->position());
    emit DblClick();
    event->accept();
}

void DayView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_pressed) {
        event->ignore();
        return;
    }
    m_pressed = false;
    const QPoint point = ViewportToWidget(event->position());
    emit MouseUp(MouseButtonValue(event->button()), ShiftValue(event->modifiers()), point.x(),
                 point.y());
    const DayViewTask &dragged = m_model.Task(m_drag ? m_drag->task : -1);
    if (m_drag && m_drag->moving && event->button() == Qt::LeftButton
        && (m_drag->landing.start != QTime(dragged.startMinute / 60, dragged.startMinute % 60)
            || m_drag->landing.end != QTime(dragged.endMinute / 60 % 24, dragged.endMinute % 60))) {
        const Drag drag = *m_drag;
        m_drag.reset();
        viewport()->unsetCursor();
        viewport()->update();
        m_doubleClicked = false;
        event->accept();
        emit TaskDropped(drag.task, drag.landing.start, drag.landing.end);
        return;
    }
    m_drag.reset();
    // The release that ends a double click is not a click of its own.
    if (event->button() == Qt::LeftButton && !m_doubleClicked
        && viewport()->rect().contains(event->position().toPoint()))
        emit Click();
    m_doubleClicked = false;
    event->accept();
}

bool DayView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int task = m_model.TaskAt(ViewportToContent(help->pos()), Geometry());
        if (task >= 0) {
            const DayViewTask &item = m_model.Task(task);
            QString text = QStringLiteral("%1 - %2\n%3").arg(DayViewModel::FormatTime(item.startMinute),
                                                              DayViewModel::FormatTime(item.endMinute), item.text);
            if (!item.location.isEmpty())
                text += QLatin1Char('\n') + item.location;
            QToolTip::showText(help->globalPos(), text, viewport());
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

// --- Keyboard -----------------------------------------------------------------------

void DayView::MoveSlot(int delta)
{
    int target;
    if (m_model.SelectedTask() >= 0) {
        // Leave a task by the slot just before or after it.
        const int task = m_model.SelectedTask();
        const int first = m_model.DrawnStart(task) / DayViewModel::kMinutesPerSlot;
        const int last = (m_model.DrawnEnd(task) - 1) / DayViewModel::kMinutesPerSlot;
        target = (delta < 0 ? first : last) + delta;
    } else if (m_model.SelectedTimeSlot() >= 0) {
        target = m_model.SelectedTimeSlot() + delta;
    } else if (std::abs(delta) >= DayViewModel::kSlotCount) {
        target = delta; // Home and End
    } else {
        // Nothing selected yet: start at the top row in view.
        target = static_cast<int>(std::ceil(verticalScrollBar()->value() / Geometry().slotHeight));
    }
    m_model.SetSelectedTimeSlot(std::clamp(target, 0, DayViewModel::kSlotCount - 1));
    EnsureSelectionVisible();
    viewport()->update();
    emit Click();
}

void DayView::MoveTask(int direction)
{
    const std::vector<int> order = m_model.TimeOrder();
    if (order.empty())
        return;
    int next = -1;
    const int selected = m_model.SelectedTask();
    if (selected >= 0) {
        const auto at = std::find(order.begin(), order.end(), selected);
        const auto position = at - order.begin() + direction;
        if (position < 0 || position >= static_cast<int>(order.size()))
            return;
        next = order[static_cast<std::size_t>(position)];
    } else {
        // From a slot, or from the top of the view, to the nearest task that way.
        const int slot = m_model.SelectedTimeSlot() >= 0
                             ? m_model.SelectedTimeSlot()
                             : static_cast<int>(verticalScrollBar()->value() / Geometry().slotHeight);
        const int minute = slot * DayViewModel::kMinutesPerSlot;
        if (direction > 0) {
            for (int index : order)
                if (m_model.DrawnStart(index) >= minute) {
                    next = index;
                    break;
                }
        } else {
            for (auto it = order.rbegin(); it != order.rend(); ++it)
                if (m_model.DrawnStart(*it) < minute) {
                    next = *it;
                    break;
                }
        }
        if (next < 0)
            return;
    }
    m_model.SetSelectedTask(next);
    EnsureSelectionVisible();
    viewport()->update();
    emit Click();
}

void DayView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (!m_drag) {
            QAbstractScrollArea::keyPressEvent(event);
            return;
        }
        m_drag.reset();
        viewport()->unsetCursor();
        viewport()->update();
        break;
    case Qt::Key_Up: MoveSlot(-1); break;
    case Qt::Key_Down: MoveSlot(1); break;
    case Qt::Key_PageUp: MoveSlot(-VisibleSlots()); break;
    case Qt::Key_PageDown: MoveSlot(VisibleSlots()); break;
    case Qt::Key_Home: MoveSlot(-DayViewModel::kSlotCount); break;
    case Qt::Key_End: MoveSlot(DayViewModel::kSlotCount); break;
    // Earlier tasks lie the way the text runs back from.
    case Qt::Key_Left: MoveTask(layoutDirection() == Qt::RightToLeft ? 1 : -1); break;
    case Qt::Key_Right: MoveTask(layoutDirection() == Qt::RightToLeft ? -1 : 1); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: emit DblClick(); break;
    case Qt::Key_Insert: emit AddRequest(DayViewModel::SlotStart(m_model.SelectedTimeSlot())); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

} // namespace quillon
