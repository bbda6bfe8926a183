// The arithmetic of the day view, without a window: the half-hour time scale and
// its time texts, the list of tasks with the selection, the side-by-side placement
// of overlapping tasks, and the hit tests. DayView only draws what this computes.
#pragma once

#include <QIcon>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTime>

#include <cstdint>
#include <vector>

namespace quillon {

struct DayViewTask {
    int startMinute = 0;     // minutes after midnight
    int endMinute = 0;       // as given; may lie before or at the start
    QString text;
    std::int32_t color = -1; // colour value; -1 draws with the duration-bar fill colour
    qint64 tag = 0;          // the caller's key, the event id in the scheduler
    QIcon picture;
    QString location; // where it takes place, shown with its times; empty when none
};

// Where the content (the whole day, unscrolled) lies, in logical pixels.
struct DayViewGeometry {
    double timeScaleWidth = 60;
    double slotHeight = 20;
    double width = 300;      // time scale plus schedule
    double taskGap = 3;      // free strip right of each task, so neighbours stay apart

    double ContentHeight() const;
};

class DayViewModel {
public:
    static constexpr int kMinutesPerSlot = 30;
    static constexpr int kMinutesPerDay = 24 * 60;
    static constexpr int kSlotCount = kMinutesPerDay / kMinutesPerSlot;
    static constexpr int kWorkdayStartSlot = 16;     // 8:00 AM, shown at the top first
    static constexpr int kMinimumTaskMinutes = 15;   // so a short task stays clickable

    // Hit-test area codes; callers test for kAreaSchedule.
    static constexpr int kAreaNone = 0;
    static constexpr int kAreaTimeScale = 1;
    static constexpr int kAreaSchedule = 4;

    // --- Times ----------------------------------------------------------------------
    // "h:mm AM/PM" of a minute of the day (0..1439), for the tooltip.
    static QString FormatTime(int minute);
    // The slot's start time, or a null time outside 0..kSlotCount-1.
    static QTime SlotStart(int slot);
    // The slot that holds the time, or -1 for a null time.
    static int SlotOfTime(QTime time);

    // --- Dragging -------------------------------------------------------------------
    // The times of a task dragged down (up when negative) by some pixels of a scale of
    // slotHeight per half hour, in half hours (fine: five minutes). A move keeps its length
    // within the day; a resize moves only the end, never to or before the start. An end
    // at or before the start counts as midnight, as it is drawn.
    struct DraggedTimes {
        QTime start;
        QTime end;
    };
    static DraggedTimes Dragged(QTime start, QTime end, double pixelsDown, double slotHeight, bool resize, bool fine);

    // --- Tasks ----------------------------------------------------------------------
    // Appends a task and returns its index (count - 1). A null start or end time adds
    // nothing and gives -1, so a caller never tags an older task. Seconds are dropped.
    int AddTask(QTime startTime, QTime endTime, const QString &text, std::int32_t color);
    int TaskCount() const { return static_cast<int>(m_tasks.size()); }
    // An index outside 0..count-1 reads as an empty task and changes nothing, as Qt's
    // own item views ignore a bad row.
    const DayViewTask &Task(int index) const;
    void SetTaskText(int index, const QString &text);
    void SetTaskTag(int index, qint64 tag);
    void SetTaskPicture(int index, const QIcon &picture);
    void SetTaskLocation(int index, const QString &location);
    void RemoveTask(int index);
    void RemoveAllTasks();

    // --- Selection: a task or a time slot, never both; -1 for none -------------------
    int SelectedTask() const { return m_selectedTask; }
    void SetSelectedTask(int index);   // -1 or a task index; clears the slot
    int SelectedTimeSlot() const { return m_selectedSlot; }
    void SetSelectedTimeSlot(int slot); // -1 or 0..kSlotCount-1; clears the task

    // --- Placement ------------------------------------------------------------------
    // The minutes a task covers on the scale: at least kMinimumTaskMinutes, and an end
    // before the start (a task past midnight) runs to the end of the day.
    int DrawnStart(int index) const;
    int DrawnEnd(int index) const;
    // Overlapping tasks share the width: column of the task and columns of its group.
    int Column(int index) const;
    int ColumnCount(int index) const;
    // Task indices by start time (then longer first, then order added).
    std::vector<int> TimeOrder() const;

    // --- Geometry and hit tests, in content coordinates -----------------------------
    QRectF TaskRect(int index, const DayViewGeometry &geometry) const;
    QRectF SlotRect(int slot, const DayViewGeometry &geometry) const;
    int AreaAt(QPointF point, const DayViewGeometry &geometry) const;
    // The task drawn at the point, -1 over empty time or outside the schedule.
    int TaskAt(QPointF point, const DayViewGeometry &geometry) const;
    // The slot of the row at the point (time scale or schedule), -1 elsewhere.
    int SlotAt(QPointF point, const DayViewGeometry &geometry) const;

private:
    bool ValidIndex(int index) const;
    void Place() const;

    std::vector<DayViewTask> m_tasks;
    int m_selectedTask = -1;
    int m_selectedSlot = -1;

    struct Placement {
        int column = 0;
        int columns = 1;
    };
    mutable std::vector<Placement> m_placement;
    mutable bool m_placed = false;
};

} // namespace quillon
