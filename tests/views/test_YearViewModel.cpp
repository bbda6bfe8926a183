#include "views/YearViewModel.h"

#include "basOperation.h"

#include <gtest/gtest.h>

namespace quillon {

namespace {

TEST(YearViewModelSelection, DateOrderAndEachDayOnce)
{
    YearViewModel model(Qt::Sunday, 2026);
    EXPECT_TRUE(model.AddDate(QDate(2026, 3, 5)));
    EXPECT_TRUE(model.AddDate(QDate(2026, 1, 12)));
    EXPECT_TRUE(model.AddDate(QDate(2027, 1, 1)));
    EXPECT_TRUE(model.AddDate(QDate(2025, 12, 31))); // other years count too
    EXPECT_FALSE(model.AddDate(QDate(2026, 1, 12)));
    EXPECT_FALSE(model.AddDate(QDate()));
    ASSERT_EQ(model.SelectedCount(), 4);
    EXPECT_EQ(model.SelectedDate(0), QDate(2025, 12, 31));
    EXPECT_EQ(model.SelectedDate(1), QDate(2026, 1, 12));
    EXPECT_EQ(model.SelectedDate(2), QDate(2026, 3, 5));
    EXPECT_EQ(model.SelectedDate(3), QDate(2027, 1, 1));
    EXPECT_FALSE(model.SelectedDate(4).isValid());
    EXPECT_FALSE(model.SelectedDate(-1).isValid());

    EXPECT_FALSE(model.ToggleDate(QDate(2026, 1, 12)));
    EXPECT_FALSE(model.IsSelected(QDate(2026, 1, 12)));
    EXPECT_EQ(model.SelectedDate(1), QDate(2026, 3, 5));
    EXPECT_TRUE(model.ToggleDate(QDate(2026, 1, 12)));
    EXPECT_EQ(model.SelectedDate(1), QDate(2026, 1, 12));
    EXPECT_FALSE(model.RemoveDate(QDate(2026, 7, 4)));
    model.Clear();
    EXPECT_EQ(model.SelectedCount(), 0);

    model.SetYear(1800);
    EXPECT_EQ(model.Year(), YearViewModel::kMinimumYear);
    model.SetYear(3000);
    EXPECT_EQ(model.Year(), YearViewModel::kMaximumYear);
}

TEST(YearViewModelGrid, WeekRowsAndColumnsFollowTheFirstDayOfWeek)
{
    const YearViewModel sunday(Qt::Sunday, 2026);
    EXPECT_EQ(sunday.ColumnOf(QDate(2026, 2, 1)), 0); // a Sunday
    EXPECT_EQ(sunday.WeekRowOf(QDate(2026, 2, 1)), 0);
    EXPECT_EQ(sunday.WeekRowOf(QDate(2026, 2, 28)), 3); // four weeks exactly
    EXPECT_EQ(sunday.ColumnOf(QDate(2026, 2, 28)), 6);
    EXPECT_EQ(sunday.DayOfColumn(0), Qt::Sunday);
    EXPECT_EQ(sunday.DayOfColumn(6), Qt::Saturday);

    const YearViewModel monday(Qt::Monday, 2026);
    EXPECT_EQ(monday.ColumnOf(QDate(2026, 3, 1)), 6); // a Sunday, last column
    EXPECT_EQ(monday.WeekRowOf(QDate(2026, 3, 31)), 5); // March 2026 needs the sixth row
    EXPECT_EQ(monday.DayOfColumn(6), Qt::Sunday);
}

TEST(YearViewModelGrid, LayoutsFitTheirSize)
{
    for (const QSizeF size : {QSizeF(900, 500), QSizeF(1400, 300), QSizeF(300, 900),
                              QSizeF(641, 479), QSizeF(120, 90), QSizeF(2000, 2000)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        const YearViewLayout layout = YearViewModel::ComputeLayout(size);
        EXPECT_EQ(layout.columns * layout.rows, 12);
        EXPECT_EQ(layout.cell, std::floor(layout.cell)); // whole pixels
        const QSizeF block = YearViewModel::BlockSize(layout);
        const double width = layout.columns * block.width() + (layout.columns - 1) * layout.gap;
        const double height = layout.rows * block.height() + (layout.rows - 1) * layout.gap;
        EXPECT_LE(layout.origin.x() + width, size.width());
        EXPECT_LE(layout.origin.y() + height, size.height());
        EXPECT_GE(layout.origin.x(), 0);
    }
    EXPECT_GE(YearViewModel::ComputeLayout(QSizeF(1400, 300)).columns, 6);  // wide: one or two rows
    EXPECT_LE(YearViewModel::ComputeLayout(QSizeF(300, 900)).columns, 2);   // tall: narrow columns
}

TEST(YearViewModelGrid, EveryDayIsFoundWhereItIsDrawn)
{
    const YearViewModel model(Qt::Sunday, 2024); // a leap year
    const YearViewLayout layout = YearViewModel::ComputeLayout(QSizeF(900, 500));
    for (QDate date(2024, 1, 1); date.year() == 2024; date = date.addDays(1)) {
        const QRectF cell = model.DayRect(date, layout);
        ASSERT_EQ(model.DateAt(cell.center(), layout), date);
        ASSERT_EQ(model.DateAt(cell.topLeft(), layout), date);
        // The bottom-right corner belongs to the neighbouring cell, never to this day.
        ASSERT_NE(model.DateAt(cell.bottomRight(), layout), date);
    }
    EXPECT_TRUE(model.DayRect(QDate(2025, 1, 1), layout).isEmpty());

    // No day over a title, the day names, an empty cell before the 1st, or a gap.
    const QRectF march = model.MonthRect(3, layout); // 1 March 2024 is a Friday
    EXPECT_FALSE(model.DateAt(march.topLeft(), layout).isValid());
    EXPECT_FALSE(model.DateAt(march.topLeft() + QPointF(1, layout.cell + 1), layout).isValid());
    EXPECT_FALSE(model.DateAt(march.topLeft() + QPointF(1, 2 * layout.cell + 1), layout).isValid());
    EXPECT_EQ(model.DateAt(march.topLeft() + QPointF(5 * layout.cell, 2 * layout.cell), layout),
              QDate(2024, 3, 1));
    EXPECT_FALSE(model.DateAt(march.topRight() + QPointF(1, 3 * layout.cell), layout).isValid());
}

} // namespace

} // namespace quillon
