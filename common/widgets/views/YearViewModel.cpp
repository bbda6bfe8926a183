#include "views/YearViewModel.h"


#include <algorithm>
#include <cmath>

namespace quillon {

YearViewModel::YearViewModel(Qt::DayOfWeek firstDayOfWeek, int year)
    : m_firstDay(firstDayOfWeek), m_year(std::clamp(year, kMinimumYear, kMaximumYear))
{
}

void YearViewModel::SetYear(int year) { m_year = std::clamp(year, kMinimumYear, kMaximumYear); }

// --- Selection ----------------------------------------------------------------------

bool YearViewModel::AddDate(const QDate &date)
{
    if (!date.isValid())
        return false;
    const auto at = std::lower_bound(m_selected.begin(), m_selected.end(), date);
    if (at != m_selected.end() && *at == date)
        return false;
    m_selected.insert(at, date);
    return true;
}

bool YearViewModel::RemoveDate(const QDate &date)
{
    const auto at = std::lower_bound(m_selected.begin(), m_selected.end(), date);
    if (at == m_selected.end() || *at != date)
        return false;
    m_selected.erase(at);
    return true;
}

bool YearViewModel::ToggleDate(const QDate &date)
{
    if (RemoveDate(date))
        return false;
    return AddDate(date);
}

bool YearViewModel::IsSelected(const QDate &date) const
{
    return std::binary_search(m_selected.begin(), m_selected.end(), date);
}

QDate YearViewModel::SelectedDate(int i) const
{
    if (i < 0 || i >= SelectedCount())
        return QDate();
    return m_selected.at(i);
}

// --- Grid ---------------------------------------------------------------------------

int YearViewModel::ColumnOf(const QDate &date) const
{
    return (date.dayOfWeek() - static_cast<int>(m_firstDay) + kDaysPerWeek) % kDaysPerWeek;
}

int YearViewModel::WeekRowOf(const QDate &date) const
{
    const int leading = ColumnOf(QDate(date.year(), date.month(), 1));
    return (leading + date.day() - 1) / kDaysPerWeek;
}

Qt::DayOfWeek YearViewModel::DayOfColumn(int column) const
{
    return static_cast<Qt::DayOfWeek>((static_cast<int>(m_firstDay) - 1 + column) % kDaysPerWeek + 1);
}

YearViewLayout YearViewModel::ComputeLayout(QSizeF size)
{
    YearViewLayout best;
    best.cell = -1;
    for (int columns : {1, 2, 3, 4, 6, 12}) {
        const int rows = kMonths / columns;
        const double across = size.width() / (columns * kDaysPerWeek + (columns - 1) * kGapInCells);
        const double down = size.height() / (rows * kBlockRows + (rows - 1) * kGapInCells);
        const double cell = std::floor(std::min(across, down));
        if (cell > best.cell) {
            best.columns = columns;
            best.rows = rows;
            best.cell = cell;
        }
    }
    best.cell = std::max(1.0, best.cell);
    best.gap = std::floor(best.cell * kGapInCells); // rounding down keeps the fit
    const double width = best.columns * kDaysPerWeek * best.cell + (best.columns - 1) * best.gap;
    best.origin = QPointF(std::floor((size.width() - width) / 2), 0); // centred, from the top
    return best;
}

QSizeF YearViewModel::BlockSize(const YearViewLayout &layout)
{
    return QSizeF(kDaysPerWeek * layout.cell, kBlockRows * layout.cell);
}

QRectF YearViewModel::MonthRect(int month, const YearViewLayout &layout) const
{
    const QSizeF block = BlockSize(layout);
    const int index = month - 1;
    const int column = index % layout.columns;
    const int row = index / layout.columns;
    return QRectF(layout.origin.x() + column * (block.width() + layout.gap),
                  layout.origin.y() + row * (block.height() + layout.gap), block.width(),
                  block.height());
}

QRectF YearViewModel::TitleRect(int month, const YearViewLayout &layout) const
{
    const QRectF block = MonthRect(month, layout);
    return QRectF(block.left(), block.top(), block.width(), layout.cell);
}

QRectF YearViewModel::DayNameRect(int month, int column, const YearViewLayout &layout) const
{
    const QRectF block = MonthRect(month, layout);
    return QRectF(block.left() + column * layout.cell, block.top() + layout.cell, layout.cell,
                  layout.cell);
}

QRectF YearViewModel::DayRect(const QDate &date, const YearViewLayout &layout) const
{
    if (!date.isValid() || date.year() != m_year)
        return QRectF();
    const QRectF block = MonthRect(date.month(), layout);
    return QRectF(block.left() + ColumnOf(date) * layout.cell,
                  block.top() + (2 + WeekRowOf(date)) * layout.cell, layout.cell, layout.cell);
}

QDate YearViewModel::DateAt(QPointF point, const YearViewLayout &layout) const
{
    for (int month = 1; month <= kMonths; ++month) {
        const QRectF block = MonthRect(month, layout);
        // Half-open cells: a point on a shared edge belongs to the right or lower cell.
        if (point.x() < block.left() || point.x() >= block.right() || point.y() < block.top()
            || point.y() >= block.bottom())
            continue;
        const int column = static_cast<int>((point.x() - block.left()) / layout.cell);
        const int row = static_cast<int>((point.y() - block.top()) / layout.cell) - 2;
        if (row < 0 || column >= kDaysPerWeek || row >= kWeekRows)
            return QDate();
        const QDate first(m_year, month, 1);
        const QDate date = first.addDays(row * kDaysPerWeek + column - ColumnOf(first));
        return date.month() == month ? date : QDate();
    }
    return QDate();
}

} // namespace quillon
