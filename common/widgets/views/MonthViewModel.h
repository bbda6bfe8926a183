// The arithmetic of the month view, without a window: which days the six-week grid
// shows for a month (and so the three displayed months), the named style sets and
// the marks of dates with them. Marks are kept apart from the selection.
#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace quillon {

struct MonthStyleSet {
    std::int32_t backColor = -1; // colour values; -1 leaves the view's own colour
    std::int32_t textColor = -1;
    bool bold = false;
};

struct GridMonth {
    int month = 0;
    int year = 0;
    int days = 0;

    bool operator==(const GridMonth &) const = default;
};

class MonthViewModel {
public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 7;
    static constexpr int kCells = kRows * kColumns;
    static constexpr int kDisplayedMonths = 3;
    // The grid always opens with at least one day of the month before, as Qt's
    // calendar widget draws it; so it always shows parts of three months.
    static constexpr int kMinimumLeadingDays = 1;

    explicit MonthViewModel(Qt::DayOfWeek firstDayOfWeek = Qt::Sunday);

    Qt::DayOfWeek FirstDayOfWeek() const { return m_firstDay; }
    void SetFirstDayOfWeek(Qt::DayOfWeek day) { m_firstDay = day; }

    // The month whose days the grid is built around.
    int ShownYear() const { return m_year; }
    int ShownMonth() const { return m_month; }
    void SetShownMonth(int year, int month);

    QDate FirstGridDate() const;
    QDate LastGridDate() const;
    QDate GridDate(int row, int column) const;
    // Month i of the grid: 0 the earliest, 1 the shown month, 2 the latest. Any other
    // i gives an empty month (all zero).
    GridMonth DisplayedMonth(int i) const;

    // Style sets: adding a name again replaces its look.
    void AddStyleSet(const QString &name, const MonthStyleSet &style);
    std::optional<MonthStyleSet> StyleSet(const QString &name) const;
    QStringList StyleSetNames() const { return m_styleOrder; }

    // Marks: one style-set name per date. A name that was never defined is kept but
    // draws the day plainly.
    void MarkDate(const QDate &date, const QString &styleSetName);
    QString MarkOf(const QDate &date) const { return m_marks.value(date); }
    std::optional<MonthStyleSet> StyleFor(const QDate &date) const;
    QList<QDate> MarkedDates() const { return m_marks.keys(); }
    void ResetMarks() { m_marks.clear(); }

private:
    Qt::DayOfWeek m_firstDay;
    int m_year;
    int m_month;
    QHash<QString, MonthStyleSet> m_styles;
    QStringList m_styleOrder;
    QHash<QDate, QString> m_marks;
};

} // namespace quillon
