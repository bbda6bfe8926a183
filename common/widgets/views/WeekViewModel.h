// The arithmetic of the week view, without a window: a run of days side by side on
// the day view's half-hour scale, each day's timed events placed as the day view
// places them (overlaps side by side), all-day events in a strip above, the hit
// tests, and where a dragged event would land.
#pragma once

#include "views/DayViewModel.h"
#include "views/ViewEvent.h"

#include <QList>
#include <QRectF>

#include <vector>

namespace quillon {

class WeekViewModel {
public:
    struct Geometry {
        double scaleWidth = 60;  // the hour texts on the left
        double slotHeight = 20;  // one half hour
        double width = 700;      // scale plus every day's column
        int days = 7;

        double ColumnWidth() const { return days > 0 ? std::max(0.0, width - scaleWidth) / days : 0; }
        double ColumnLeft(int day) const { return scaleWidth + day * ColumnWidth(); }
        double ContentHeight() const { return slotHeight * DayViewModel::kSlotCount; }
    };
    // What lies under a point of the time grid (content coordinates, unscrolled).
    struct Hit {
        int day = -1;   // column, -1 over the scale or outside
        int event = -1; // index into Events(), -1 over empty time
        int slot = -1;  // half-hour row, -1 outside
    };
    enum class DragKind { Move, Resize };
    // Where an event dragged by a pointer offset lands; invalid when it would not move.
    struct Landing {
        QDate date;
        QTime start;
        QTime end;
        bool operator==(const Landing &) const = default;
    };

    // The days shown; their events go.
    void SetDays(QDate first, int count);
    int DayCount() const { return static_cast<int>(m_days.size()); }
    QDate Day(int index) const;
    int DayIndex(QDate date) const; // -1 when not shown

    // The occurrences to show; those on days not shown are left out.
    void SetEvents(const QList<ViewEvent> &events);
    const QList<ViewEvent> &Events() const { return m_events; }
    // The all-day events of a day, as indices into Events(), in the order given.
    const std::vector<int> &AllDay(int day) const;
    // The most all-day events of any shown day: the strip's rows.
    int AllDayRows() const;

    int Selected() const { return m_selected; }
    void SetSelected(int event) { m_selected = event >= -1 && event < m_events.size() ? event : -1; }
    // The event index of an id on a day (-1 when not shown).
    int Find(qint64 id, QDate date) const;

    // A timed event's block in content coordinates; empty for an all-day one.
    QRectF EventRect(int event, const Geometry &geometry) const;
    Hit HitAt(QPointF point, const Geometry &geometry) const;

    // A drag of a timed event by dx, dy (content pixels) from where it was grabbed:
    // a move goes whole days across and half hours down (five minutes with fine), a
    // resize moves only the end, never before the start's next step. A move stays
    // within its day's hours.
    Landing DragTo(int event, DragKind kind, QPointF offset, bool fine, const Geometry &geometry) const;

private:
    struct Column {
        QDate date;
        DayViewModel timed;             // its tasks' tags are indices into m_events
        std::vector<int> allDay;
    };
    const Column *ColumnOf(int event) const;
    int TaskOf(int event, const Column &column) const;

    std::vector<Column> m_days;
    QList<ViewEvent> m_events;
    int m_selected = -1;
};

} // namespace quillon
