#include "views/WeekViewModel.h"

#include <algorithm>
#include <cmath>

namespace quillon {

void WeekViewModel::SetDays(QDate first, int count)
{
    m_days.clear();
    m_events.clear();
    m_selected = -1;
    for (int i = 0; first.isValid() && i < count; ++i)
        m_days.push_back(Column{first.addDays(i), {}, {}});
}

QDate WeekViewModel::Day(int index) const
{
    return index >= 0 && index < DayCount() ? m_days[static_cast<std::size_t>(index)].date : QDate();
}

int WeekViewModel::DayIndex(QDate date) const
{
    if (m_days.empty() || !date.isValid())
        return -1;
    const qint64 index = m_days.front().date.daysTo(date);
    return index >= 0 && index < DayCount() ? static_cast<int>(index) : -1;
}

void WeekViewModel::SetEvents(const QList<ViewEvent> &events)
{
    m_events.clear();
    m_selected = -1;
    for (Column &column : m_days) {
        column.timed.RemoveAllTasks();
        column.allDay.clear();
    }
    for (const ViewEvent &event : events) {
        const int day = DayIndex(event.date);
        if (day < 0)
            continue;
        Column &column = m_days[static_cast<std::size_t>(day)];
        const int index = static_cast<int>(m_events.size());
        if (event.allDay) {
            column.allDay.push_back(index);
        } else {
            const int task = column.timed.AddTask(event.start, event.end, event.name, event.color);
            if (task < 0)
                continue; // no readable times: nothing to place
            column.timed.SetTaskTag(task, index);
        }
        m_events.append(event);
    }
}

const std::vector<int> &WeekViewModel::AllDay(int day) const
{
    static const std::vector<int> none;
    return day >= 0 && day < DayCount() ? m_days[static_cast<std::size_t>(day)].allDay : none;
}

int WeekViewModel::AllDayRows() const
{
    std::size_t rows = 0;
    for (const Column &column : m_days)
        rows = std::max(rows, column.allDay.size());
    return static_cast<int>(rows);
}

int WeekViewModel::Find(qint64 id, QDate date) const
{
    for (int i = 0; i < m_events.size(); ++i)
        if (m_events[i].id == id && m_events[i].date == date)
            return i;
    return -1;
}

const WeekViewModel::Column *WeekViewModel::ColumnOf(int event) const
{
    if (event < 0 || event >= m_events.size())
        return nullptr;
    const int day = DayIndex(m_events[event].date);
    return day < 0 ? nullptr : &m_days[static_cast<std::size_t>(day)];
}

int WeekViewModel::TaskOf(int event, const Column &column) const
{
    for (int task = 0; task < column.timed.TaskCount(); ++task)
        if (column.timed.Task(task).tag == event)
            return task;
    return -1;
}

QRectF WeekViewModel::EventRect(int event, const Geometry &geometry) const
{
    const Column *column = ColumnOf(event);
    if (!column || m_events[event].allDay)
        return QRectF();
    DayViewGeometry own;
    own.timeScaleWidth = 0;
    own.slotHeight = geometry.slotHeight;
    own.width = geometry.ColumnWidth();
    const int day = DayIndex(column->date);
    return column->timed.TaskRect(TaskOf(event, *column), own).translated(geometry.ColumnLeft(day), 0);
}

WeekViewModel::Hit WeekViewModel::HitAt(QPointF point, const Geometry &geometry) const
{
    Hit hit;
    if (point.y() < 0 || point.y() >= geometry.ContentHeight() || point.x() < geometry.scaleWidth
        || point.x() >= geometry.width || geometry.ColumnWidth() <= 0)
        return hit;
    hit.day = std::clamp(static_cast<int>((point.x() - geometry.scaleWidth) / geometry.ColumnWidth()), 0,
                         DayCount() - 1);
    hit.slot = std::clamp(static_cast<int>(point.y() / geometry.slotHeight), 0, DayViewModel::kSlotCount - 1);
    // Later blocks are drawn over earlier ones: the topmost is the one hit.
    const Column &column = m_days[static_cast<std::size_t>(hit.day)];
    const std::vector<int> order = column.timed.TimeOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const int event = static_cast<int>(column.timed.Task(*it).tag);
        const QRectF rect = EventRect(event, geometry);
        if (point.x() >= rect.left() && point.x() < rect.right() && point.y() >= rect.top()
            && point.y() < rect.bottom()) {
            hit.event = event;
            break;
        }
    }
    return hit;
}

WeekViewModel::Landing WeekViewModel::DragTo(int event, DragKind kind, QPointF offset, bool fine,
                                            const Geometry &geometry) const
{
    if (!ColumnOf(event) || m_events[event].allDay || geometry.slotHeight <= 0)
        return {};
    const ViewEvent &dragged = m_events[event];
    const bool resize = kind == DragKind::Resize;
    const DayViewModel::DraggedTimes times =
        DayViewModel::Dragged(dragged.start, dragged.end, offset.y(), geometry.slotHeight, resize, fine);
    int day = DayIndex(dragged.date);
    if (!resize && geometry.ColumnWidth() > 0)
        day = std::clamp(day + static_cast<int>(std::lround(offset.x() / geometry.ColumnWidth())), 0, DayCount() - 1);
    const Landing landing{Day(day), times.start, times.end};
    const DayViewModel::DraggedTimes still = DayViewModel::Dragged(dragged.start, dragged.end, 0, 1, false, false);
    if (landing.date == dragged.date && landing.start == still.start && landing.end == still.end)
        return {};
    return landing;
}

} // namespace quillon
