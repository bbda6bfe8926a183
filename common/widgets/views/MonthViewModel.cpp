#include "views/MonthViewModel.h"

namespace quillon {

MonthViewModel::MonthViewModel(Qt::DayOfWeek firstDayOfWeek)
    : m_firstDay(firstDayOfWeek), m_year(QDate::currentDate().year()),
      m_month(QDate::currentDate().month())
{
}

void MonthViewModel::SetShownMonth(int year, int month)
{
    if (!QDate(year, month, 1).isValid())
        return;
    m_year = year;
    m_month = month;
}

QDate MonthViewModel::FirstGridDate() const
{
    const QDate first(m_year, m_month, 1);
    int leading = (first.dayOfWeek() - static_cast<int>(m_firstDay) + kColumns) % kColumns;
    if (leading < kMinimumLeadingDays)
        leading += kColumns;
    return first.addDays(-leading);
}

QDate MonthViewModel::LastGridDate() const { return FirstGridDate().addDays(kCells - 1); }

QDate MonthViewModel::GridDate(int row, int column) const
{
    return FirstGridDate().addDays(row * kColumns + column);
}

GridMonth MonthViewModel::DisplayedMonth(int i) const
{
    QDate date;
    switch (i) {
    case 0: date = FirstGridDate(); break;
    case 1: date = QDate(m_year, m_month, 1); break;
    case 2: date = LastGridDate(); break;
    default: return GridMonth{};
    }
    return GridMonth{date.month(), date.year(), date.daysInMonth()};
}

void MonthViewModel::AddStyleSet(const QString &name, const MonthStyleSet &style)
{
    if (!m_styles.contains(name))
        m_styleOrder.append(name);
    m_styles.insert(name, style);
}

std::optional<MonthStyleSet> MonthViewModel::StyleSet(const QString &name) const
{
    const auto found = m_styles.constFind(name);
    if (found == m_styles.constEnd())
        return std::nullopt;
    return *found;
}

void MonthViewModel::MarkDate(const QDate &date, const QString &styleSetName)
{
    if (date.isValid())
        m_marks.insert(date, styleSetName);
}

std::optional<MonthStyleSet> MonthViewModel::StyleFor(const QDate &date) const
{
    const auto found = m_marks.constFind(date);
    if (found == m_marks.constEnd())
        return std::nullopt;
    return StyleSet(*found);
}

} // namespace quillon
