// The arithmetic of the month with events, without a window: six weeks of days from
// the week that holds the 1st, each day's events in its cell as many as fit, the
// rest counted as "+N more", and the hit tests.
#pragma once

#include "views/ViewEvent.h"

#include <QList>
#include <QRectF>

#include <array>
#include <vector>

namespace quillon {

class MonthGridModel {
public:
    static constexpr int kWeeks = 6;
    static constexpr int kCells = kWeeks * 7;

    struct Geometry {
        double width = 700;
        double height = 500;
        double headerHeight = 20; // the weekday names
        double lineHeight = 16;   // the day number and each event line

        double CellWidth() const { return width / 7; }
        double CellHeight() const { return std::max(0.0, height - headerHeight) / kWeeks; }
    };
    // What a cell shows: the first Shown events of EventsOn, then "+More more".
    struct Lines {
        int shown = 0;
        int more = 0;
    };

    // The month of the date, its grid starting on the week's first day.
    void SetMonth(QDate date, Qt::DayOfWeek weekStart);
    QDate Month() const { return m_month; }
    QDate FirstDay() const { return m_first; }
    QDate LastDay() const { return m_first.addDays(kCells - 1); }
    QDate Day(int cell) const { return m_first.addDays(cell); }
    int CellOf(QDate date) const;

    void SetEvents(const QList<ViewEvent> &events);
    const QList<ViewEvent> &EventsOn(int cell) const;
    Lines LinesOf(int cell, const Geometry &geometry) const;

    QRectF CellRect(int cell, const Geometry &geometry) const;
    int CellAt(QPointF point, const Geometry &geometry) const; // -1 outside the days
    // The event shown at the point (its index in EventsOn of the cell), -1 for none;
    // the "+N more" line reads as none.
    int EventAt(QPointF point, const Geometry &geometry) const;

private:
    QDate m_month;
    QDate m_first;
    std::array<QList<ViewEvent>, kCells> m_events;
};

} // namespace quillon
