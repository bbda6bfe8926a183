// The arithmetic of the year view, without a window: the shown year, the set of
// selected days (kept in date order, each day once), and where the twelve month
// grids and their days lie for a given size, with the hit test back to a day.
#pragma once

#include <QDate>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace quillon {

struct YearViewLayout {
    int columns = 4;        // month blocks across
    int rows = 3;           // month blocks down
    double cell = 20;       // side of one day cell
    double gap = 12;        // between month blocks
    QPointF origin;         // top-left corner of January's block
};

class YearViewModel {
public:
    static constexpr int kMonths = 12;
    static constexpr int kDaysPerWeek = 7;
    static constexpr int kWeekRows = 6;
    static constexpr int kBlockRows = 2 + kWeekRows; // month name, day names, six weeks
    static constexpr double kGapInCells = 0.75;
    static constexpr int kMinimumYear = 1900;
    static constexpr int kMaximumYear = 2100;

    explicit YearViewModel(Qt::DayOfWeek firstDayOfWeek, int year);

    Qt::DayOfWeek FirstDayOfWeek() const { return m_firstDay; }
    void SetFirstDayOfWeek(Qt::DayOfWeek day) { m_firstDay = day; }
    int Year() const { return m_year; }
    // Clamped to kMinimumYear..kMaximumYear.
    void SetYear(int year);

    // --- Selection, in date order, each day once ------------------------------------
    void Clear() { m_selected.clear(); }
    bool AddDate(const QDate &date);      // false when invalid or already selected
    bool RemoveDate(const QDate &date);   // false when it was not selected
    bool ToggleDate(const QDate &date);   // whether the day is selected afterwards
    bool IsSelected(const QDate &date) const;
    int SelectedCount() const { return static_cast<int>(m_selected.size()); }
    // The i-th selected day from the earliest; an invalid date for i outside 0..count-1.
    QDate SelectedDate(int i) const;
    const QList<QDate> &SelectedDates() const { return m_selected; }

    // --- Grid -----------------------------------------------------------------------
    // Where a day sits inside its month's block of weeks.
    int WeekRowOf(const QDate &date) const;
    int ColumnOf(const QDate &date) const;
    // The day of the week shown in column c.
    Qt::DayOfWeek DayOfColumn(int column) const;

    // The arrangement (1, 2, 3, 4, 6 or 12 blocks across) that gives the largest cells,
    // centred across the width and from the top; cells are whole pixels so that lines stay sharp.
    static YearViewLayout ComputeLayout(QSizeF size);
    static QSizeF BlockSize(const YearViewLayout &layout);
    QRectF MonthRect(int month, const YearViewLayout &layout) const;
    QRectF TitleRect(int month, const YearViewLayout &layout) const;
    QRectF DayNameRect(int month, int column, const YearViewLayout &layout) const;
    // Empty for a day outside the shown year.
    QRectF DayRect(const QDate &date, const YearViewLayout &layout) const;
    // The day of the shown year drawn at the point; invalid over titles, day names,
    // the empty cells around a month's days and the gaps.
    QDate DateAt(QPointF point, const YearViewLayout &layout) const;

private:
    Qt::DayOfWeek m_firstDay;
    int m_year;
    QList<QDate> m_selected; // sorted
};

} // namespace quillon
