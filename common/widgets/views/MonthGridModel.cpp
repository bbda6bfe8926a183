#include "views/MonthGridModel.h"

#include <algorithm>

namespace quillon {

void MonthGridModel::SetMonth(QDate date, Qt::DayOfWeek weekStart)
{
    m_month = QDate(date.year(), date.month(), 1);
    m_first = m_month.addDays(-((m_month.dayOfWeek() - weekStart + 7) % 7));
    for (QList<ViewEvent> &day : m_events)
        day.clear();
}

int MonthGridModel::CellOf(QDate date) const
{
    const qint64 cell = m_first.daysTo(date);
    return date.isValid() && cell >= 0 && cell < kCells ? static_cast<int>(cell) : -1;
}

void MonthGridModel::SetEvents(const QList<ViewEvent> &events)
{
    for (QList<ViewEvent> &day : m_events)
        day.clear();
    for (const ViewEvent &event : events)
        if (const int cell = CellOf(event.date); cell >= 0)
            m_events[static_cast<std::size_t>(cell)].append(event);
}

const QList<ViewEvent> &MonthGridModel::EventsOn(int cell) const
{
    static const QList<ViewEvent> none;
    return cell >= 0 && cell < kCells ? m_events[static_cast<std::size_t>(cell)] : none;
}

MonthGridModel::Lines MonthGridModel::LinesOf(int cell, const Geometry &geometry) const
{
    const int count = static_cast<int>(EventsOn(cell).size());
    const int room = geometry.lineHeight > 0
                         ? std::max(0, static_cast<int>(geometry.CellHeight() / geometry.lineHeight) - 1)
                         : 0;
    if (count <= room)
        return {count, 0};
    // The last line that fits says how many are left out.
    const int shown = std::max(0, room - 1);
    return {shown, count - shown};
}

QRectF MonthGridModel::CellRect(int cell, const Geometry &geometry) const
{
    if (cell < 0 || cell >= kCells)
        return QRectF();
    return QRectF((cell % 7) * geometry.CellWidth(), geometry.headerHeight + (cell / 7) * geometry.CellHeight(),
                  geometry.CellWidth(), geometry.CellHeight());
}

int MonthGridModel::CellAt(QPointF point, const Geometry &geometry) const
{
    if (point.x() < 0 || point.x() >= geometry.width || point.y() < geometry.headerHeight
        || point.y() >= geometry.height || geometry.CellWidth() <= 0 || geometry.CellHeight() <= 0)
        return -1;
    const int column = std::min(6, static_cast<int>(point.x() / geometry.CellWidth()));
    const int row = std::min(kWeeks - 1, static_cast<int>((point.y() - geometry.headerHeight) / geometry.CellHeight()));
    return row * 7 + column;
}

int MonthGridModel::EventAt(QPointF point, const Geometry &geometry) const
{
    const int cell = CellAt(point, geometry);
    if (cell < 0 || geometry.lineHeight <= 0)
        return -1;
    const int line = static_cast<int>((point.y() - CellRect(cell, geometry).top()) / geometry.lineHeight) - 1;
    return line >= 0 && line < LinesOf(cell, geometry).shown ? line : -1;
}

} // namespace quillon
