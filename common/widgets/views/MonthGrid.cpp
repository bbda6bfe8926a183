#include "views/MonthGrid.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

namespace quillon {

namespace {

constexpr int kPadding = 3;


} // namespace

MonthGrid::MonthGrid(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void MonthGrid::SetMonth(QDate date, Qt::DayOfWeek weekStart, QDate today)
{
    m_model.SetMonth(date, weekStart);
    m_weekStart = weekStart;
    m_today = today;
    m_selected = date;
    update();
}

void MonthGrid::SetEvents(const QList<ViewEvent> &events)
{
    m_model.SetEvents(events);
    update();
}

void MonthGrid::SetFillColor(std::int32_t color)
{
    m_fill = color;
    update();
}

MonthGridModel::Geometry MonthGrid::Geometry() const
{
    MonthGridModel::Geometry geometry;
    geometry.width = width();
    geometry.height = height();
    geometry.lineHeight = fontMetrics().height() + 2;
    geometry.headerHeight = geometry.lineHeight + 2 * kPadding;
    return geometry;
}

QSize MonthGrid::minimumSizeHint() const
{
    // Room for the day number and one event in every cell.
    const int line = fontMetrics().height() + 2;
    return {7 * fontMetrics().horizontalAdvance(QStringLiteral("Wed 30")), line * (3 * MonthGridModel::kWeeks + 1)};
}

void MonthGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &pal = palette();
    const MonthGridModel::Geometry geometry = Geometry();
    const QLocale here = locale();
    painter.fillRect(QRectF(0, 0, geometry.width, geometry.headerHeight), pal.color(QPalette::Window));
    painter.setPen(pal.color(QPalette::WindowText));
    for (int column = 0; column < 7; ++column) {
        const int dayOfWeek = (m_weekStart - 1 + column) % 7 + 1;
        painter.drawText(QRectF(column * geometry.CellWidth(), 0, geometry.CellWidth(), geometry.headerHeight),
                         Qt::AlignCenter, here.dayName(dayOfWeek, QLocale::ShortFormat));
    }
    const QFontMetricsF metrics(font());
    QColor dim = pal.color(QPalette::Text);
    dim.setAlphaF(0.45f);
    for (int cell = 0; cell < MonthGridModel::kCells; ++cell) {
        const QDate day = m_model.Day(cell);
        const QRectF rect = m_model.CellRect(cell, geometry);
        const bool inMonth = day.month() == m_model.Month().month();
        if (!inMonth)
            painter.fillRect(rect, pal.color(QPalette::AlternateBase));
        if (day == m_selected) {
            QColor shade = pal.color(QPalette::Highlight);
            shade.setAlphaF(0.15f);
            painter.fillRect(rect, shade);
        }
        painter.setPen(pal.color(QPalette::Mid));
        painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
        if (day == m_today) {
            painter.setPen(QPen(pal.color(QPalette::Highlight), 2));
            painter.drawRect(rect.adjusted(1.5, 1.5, -1.5, -1.5));
        }
        const QRectF number(rect.left() + kPadding, rect.top(), rect.width() - 2 * kPadding, geometry.lineHeight);
        QFont font = painter.font();
        font.setBold(day == m_today);
        painter.setFont(font);
        painter.setPen(inMonth ? pal.color(QPalette::Text) : dim);
        painter.drawText(number, Qt::AlignRight | Qt::AlignVCenter, QString::number(day.day()));
        font.setBold(false);
        painter.setFont(font);

        const QList<ViewEvent> &events = m_model.EventsOn(cell);
        const MonthGridModel::Lines lines = m_model.LinesOf(cell, geometry);
        for (int i = 0; i < lines.shown; ++i) {
            const ViewEvent &event = events[i];
            const QRectF line(rect.left() + kPadding, rect.top() + geometry.lineHeight * (1 + i),
                              rect.width() - 2 * kPadding, geometry.lineHeight);
            const QColor color = ViewEventColor(event, m_fill, pal);
            // A swatch of the event's colour keeps the text in the palette's own, readable in any style.
            painter.fillRect(QRectF(line.left(), line.top() + 2, 4, line.height() - 4), color);
            const QString text = event.allDay ? event.name : ViewTimeText(here, event.start) + QLatin1Char(' ') + event.name;
            painter.setPen(inMonth ? pal.color(QPalette::Text) : dim);
            painter.drawText(line.adjusted(7, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                             metrics.elidedText(text, Qt::ElideRight, line.width() - 7));
        }
        if (lines.more > 0) {
            const QRectF line(rect.left() + kPadding, rect.top() + geometry.lineHeight * (1 + lines.shown),
                              rect.width() - 2 * kPadding, geometry.lineHeight);
            painter.setPen(pal.color(QPalette::Link));
            // A narrow cell keeps the count, which says the most.
            QString more = tr("+%n more", nullptr, lines.more);
            if (metrics.horizontalAdvance(more) > line.width())
                more = QStringLiteral("+%1").arg(lines.more);
            painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, more);
        }
    }
}

void MonthGrid::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    const int cell = m_model.CellAt(event->position(), Geometry());
    if (cell >= 0 && event->button() == Qt::LeftButton) {
        m_selected = m_model.Day(cell);
        update();
        emit DaySelected(m_selected);
    }
    QWidget::mousePressEvent(event);
}

void MonthGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const MonthGridModel::Geometry geometry = Geometry();
    const int cell = m_model.CellAt(event->position(), geometry);
    if (cell < 0)
        return;
    const int shown = m_model.EventAt(event->position(), geometry);
    if (shown >= 0) {
        const ViewEvent &chosen = m_model.EventsOn(cell)[shown];
        emit EventActivated(chosen.id, chosen.date);
    } else {
        emit DayActivated(m_model.Day(cell));
    }
}

} // namespace quillon
