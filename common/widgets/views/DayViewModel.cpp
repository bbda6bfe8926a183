#include "views/DayViewModel.h"

#include "basLocale.h"


#include <algorithm>
#include <cmath>
#include <numeric>

namespace quillon {

double DayViewGeometry::ContentHeight() const
{
    return slotHeight * DayViewModel::kSlotCount;
}

// --- Times --------------------------------------------------------------------------

QString DayViewModel::FormatTime(int minute)
{
    minute = std::clamp(minute, 0, kMinutesPerDay - 1);
    return basLocale::ShownTime(QTime(minute / 60, minute % 60));
}

QTime DayViewModel::SlotStart(int slot)
{
    if (slot < 0 || slot >= kSlotCount)
        return QTime();
    const int minute = slot * kMinutesPerSlot;
    return QTime(minute / 60, minute % 60);
}

int DayViewModel::SlotOfTime(QTime time)
{
    return time.isValid() ? (time.hour() * 60 + time.minute()) / kMinutesPerSlot : -1;
}

// --- Dragging -----------------------------------------------------------------------

DayViewModel::DraggedTimes DayViewModel::Dragged(QTime start, QTime end, double pixelsDown, double slotHeight,
                                                 bool resize, bool fine)
{
    const auto minuteOf = [](QTime time) { return time.hour() * 60 + time.minute(); };
    const auto timeOf = [](int minute) {
        minute = std::clamp(minute, 0, kMinutesPerDay - 1);
        return QTime(minute / 60, minute % 60);
    };
    const int step = fine ? 5 : kMinutesPerSlot;
    const double minuteHeight = slotHeight / kMinutesPerSlot;
    const int minutes = minuteHeight > 0 ? static_cast<int>(std::lround(pixelsDown / minuteHeight / step)) * step : 0;
    const int first = minuteOf(start);
    const int last = end > start ? minuteOf(end) : kMinutesPerDay - 1;
    if (resize)
        return {start, timeOf(std::clamp(last + minutes, first + step, kMinutesPerDay - 1))};
    const int length = last - first;
    const int moved = std::clamp(first + minutes, 0, kMinutesPerDay - 1 - length);
    return {timeOf(moved), timeOf(moved + length)};
}

// --- Tasks --------------------------------------------------------------------------

bool DayViewModel::ValidIndex(int index) const { return index >= 0 && index < TaskCount(); }

int DayViewModel::AddTask(QTime startTime, QTime endTime, const QString &text, std::int32_t color)
{
    if (!startTime.isValid() || !endTime.isValid())
        return -1;
    const int start = startTime.hour() * 60 + startTime.minute();
    const int end = endTime.hour() * 60 + endTime.minute();
    DayViewTask task;
    task.startMinute = start;
    task.endMinute = end;
    task.text = text;
    task.color = color;
    m_tasks.push_back(std::move(task));
    m_placed = false;
    return TaskCount() - 1;
}

const DayViewTask &DayViewModel::Task(int index) const
{
    static const DayViewTask none;
    return ValidIndex(index) ? m_tasks[static_cast<std::size_t>(index)] : none;
}

void DayViewModel::SetTaskText(int index, const QString &text)
{
    if (!ValidIndex(index))
        return;
    m_tasks[static_cast<std::size_t>(index)].text = text;
}

void DayViewModel::SetTaskTag(int index, qint64 tag)
{
    if (!ValidIndex(index))
        return;
    m_tasks[static_cast<std::size_t>(index)].tag = tag;
}

void DayViewModel::SetTaskLocation(int index, const QString &location)
{
    if (ValidIndex(index))
        m_tasks[static_cast<std::size_t>(index)].location = location;
}

void DayViewModel::SetTaskPicture(int index, const QIcon &picture)
{
    if (!ValidIndex(index))
        return;
    m_tasks[static_cast<std::size_t>(index)].picture = picture;
}

void DayViewModel::RemoveTask(int index)
{
    if (!ValidIndex(index))
        return;
    m_tasks.erase(m_tasks.begin() + index);
    // The selection follows its task; the removed task's selection goes.
    if (m_selectedTask == index)
        m_selectedTask = -1;
    else if (m_selectedTask > index)
        --m_selectedTask;
    m_placed = false;
}

void DayViewModel::RemoveAllTasks()
{
    m_tasks.clear();
    m_selectedTask = -1;
    m_placed = false;
}

// --- Selection ----------------------------------------------------------------------

void DayViewModel::SetSelectedTask(int index)
{
    if (index != -1 && !ValidIndex(index))
        return;
    m_selectedTask = index;
    if (index != -1)
        m_selectedSlot = -1;
}

void DayViewModel::SetSelectedTimeSlot(int slot)
{
    if (slot < -1 || slot >= kSlotCount)
        return;
    m_selectedSlot = slot;
    if (slot != -1)
        m_selectedTask = -1;
}

// --- Placement ----------------------------------------------------------------------

int DayViewModel::DrawnStart(int index) const
{
    return std::min(Task(index).startMinute, kMinutesPerDay - kMinimumTaskMinutes);
}

int DayViewModel::DrawnEnd(int index) const
{
    const DayViewTask &task = Task(index);
    const int end = task.endMinute < task.startMinute ? kMinutesPerDay : task.endMinute;
    return std::min(kMinutesPerDay, std::max(end, DrawnStart(index) + kMinimumTaskMinutes));
}

std::vector<int> DayViewModel::TimeOrder() const
{
    std::vector<int> order(m_tasks.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        if (DrawnStart(a) != DrawnStart(b))
            return DrawnStart(a) < DrawnStart(b);
        return DrawnEnd(a) > DrawnEnd(b);
    });
    return order;
}

void DayViewModel::Place() const
{
    if (m_placed)
        return;
    m_placement.assign(m_tasks.size(), Placement{});
    // Sweep in time order. A group is a run of tasks each overlapping the span of
    // those before it; inside a group a task takes the first column that is free at
    // its start, and every task of the group shares the group's column count.
    std::vector<int> group;
    std::vector<int> columnEnds;
    int groupEnd = -1;
    auto closeGroup = [&] {
        for (int member : group)
            m_placement[static_cast<std::size_t>(member)].columns =
                static_cast<int>(columnEnds.size());
        group.clear();
        columnEnds.clear();
    };
    for (int index : TimeOrder()) {
        const int start = DrawnStart(index);
        const int end = DrawnEnd(index);
        if (!group.empty() && start >= groupEnd)
            closeGroup();
        auto free = std::find_if(columnEnds.begin(), columnEnds.end(),
                                 [start](int columnEnd) { return columnEnd <= start; });
        int column;
        if (free == columnEnds.end()) {
            column = static_cast<int>(columnEnds.size());
            columnEnds.push_back(end);
        } else {
            column = static_cast<int>(free - columnEnds.begin());
            *free = end;
        }
        m_placement[static_cast<std::size_t>(index)].column = column;
        group.push_back(index);
        groupEnd = group.size() == 1 ? end : std::max(groupEnd, end);
    }
    closeGroup();
    m_placed = true;
}

int DayViewModel::Column(int index) const
{
    if (!ValidIndex(index))
        return -1;
    Place();
    return m_placement[static_cast<std::size_t>(index)].column;
}

int DayViewModel::ColumnCount(int index) const
{
    if (!ValidIndex(index))
        return -1;
    Place();
    return m_placement[static_cast<std::size_t>(index)].columns;
}

// --- Geometry -----------------------------------------------------------------------

QRectF DayViewModel::TaskRect(int index, const DayViewGeometry &geometry) const
{
    if (!ValidIndex(index))
        return QRectF();
    const double scheduleWidth = std::max(0.0, geometry.width - geometry.timeScaleWidth);
    const double columnWidth = scheduleWidth / ColumnCount(index);
    const double minuteHeight = geometry.slotHeight / kMinutesPerSlot;
    const double left = geometry.timeScaleWidth + Column(index) * columnWidth;
    const double top = DrawnStart(index) * minuteHeight;
    const double bottom = DrawnEnd(index) * minuteHeight;
    return QRectF(left, top, std::max(1.0, columnWidth - geometry.taskGap), bottom - top);
}

QRectF DayViewModel::SlotRect(int slot, const DayViewGeometry &geometry) const
{
    return QRectF(geometry.timeScaleWidth, slot * geometry.slotHeight,
                  std::max(0.0, geometry.width - geometry.timeScaleWidth), geometry.slotHeight);
}

// Rectangles are half-open: a point on a task's bottom edge belongs to what lies below.
static bool Holds(const QRectF &rect, QPointF point)
{
    return point.x() >= rect.left() && point.x() < rect.right() && point.y() >= rect.top()
           && point.y() < rect.bottom();
}

int DayViewModel::AreaAt(QPointF point, const DayViewGeometry &geometry) const
{
    if (point.y() < 0 || point.y() >= geometry.ContentHeight() || point.x() < 0
        || point.x() >= geometry.width)
        return kAreaNone;
    return point.x() < geometry.timeScaleWidth ? kAreaTimeScale : kAreaSchedule;
}

int DayViewModel::TaskAt(QPointF point, const DayViewGeometry &geometry) const
{
    if (AreaAt(point, geometry) != kAreaSchedule)
        return -1;
    for (int index = 0; index < TaskCount(); ++index)
        if (Holds(TaskRect(index, geometry), point))
            return index;
    return -1;
}

int DayViewModel::SlotAt(QPointF point, const DayViewGeometry &geometry) const
{
    if (AreaAt(point, geometry) == kAreaNone || geometry.slotHeight <= 0)
        return -1;
    return std::clamp(static_cast<int>(point.y() / geometry.slotHeight), 0, kSlotCount - 1);
}

} // namespace quillon
