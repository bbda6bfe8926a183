#include "views/MonthViewModel.h"

#include "basOperation.h"

#include <gtest/gtest.h>

namespace quillon {

namespace {

struct GridCase {
    int year;
    int month;
    QDate firstCell;
    GridMonth months[3];
};

TEST(MonthViewModelGrid, DisplayedMonthsOfTheSixWeekGrid)
{
    const GridCase cases[] = {
        // February 2026 starts on a Sunday: a whole week of January comes first.
        {2026, 2, QDate(2026, 1, 25), {{1, 2026, 31}, {2, 2026, 28}, {3, 2026, 31}}},
        // Leap February.
        {2024, 2, QDate(2024, 1, 28), {{1, 2024, 31}, {2, 2024, 29}, {3, 2024, 31}}},
        // Across the turn of the year, both ways.
        {2026, 12, QDate(2026, 11, 29), {{11, 2026, 30}, {12, 2026, 31}, {1, 2027, 31}}},
        {2027, 1, QDate(2026, 12, 27), {{12, 2026, 31}, {1, 2027, 31}, {2, 2027, 28}}},
        // The month before a common February and the one before a leap February.
        {2027, 3, QDate(2027, 2, 28), {{2, 2027, 28}, {3, 2027, 31}, {4, 2027, 30}}},
        {2028, 3, QDate(2028, 2, 27), {{2, 2028, 29}, {3, 2028, 31}, {4, 2028, 30}}},
        // 1900 is not a leap year.
        {1900, 3, QDate(1900, 2, 25), {{2, 1900, 28}, {3, 1900, 31}, {4, 1900, 30}}},
    };
    MonthViewModel model(Qt::Sunday);
    for (const GridCase &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1-%2").arg(c.year).arg(c.month).toStdString());
        model.SetShownMonth(c.year, c.month);
        EXPECT_EQ(model.FirstGridDate(), c.firstCell);
        EXPECT_EQ(model.FirstGridDate().dayOfWeek(), Qt::Sunday);
        EXPECT_EQ(model.LastGridDate(), c.firstCell.addDays(41));
        EXPECT_EQ(model.GridDate(5, 6), model.LastGridDate());
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(model.DisplayedMonth(i), c.months[i]) << "month " << i;
        // What a caller builds from them covers exactly the grid's months.
        const GridMonth last = model.DisplayedMonth(2);
        EXPECT_GE(QDate(last.year, last.month, last.days), model.LastGridDate());
    }
    EXPECT_EQ(model.DisplayedMonth(3), GridMonth{});
    EXPECT_EQ(model.DisplayedMonth(-1), GridMonth{});
    const int shown = model.ShownMonth();
    model.SetShownMonth(2026, 13); // ignored
    EXPECT_EQ(model.ShownMonth(), shown);
}

TEST(MonthViewModelGrid, FirstDayOfWeekMovesTheGrid)
{
    MonthViewModel model(Qt::Monday);
    model.SetShownMonth(2026, 6); // 1 June 2026 is a Monday
    EXPECT_EQ(model.FirstGridDate(), QDate(2026, 5, 25));
    model.SetFirstDayOfWeek(Qt::Sunday);
    EXPECT_EQ(model.FirstGridDate(), QDate(2026, 5, 31));
}

TEST(MonthViewModelMarks, StyleSetsAndMarksByName)
{
    MonthViewModel model;
    model.AddStyleSet("GreenEvents", {0x008000, 0x800000, true});
    model.AddStyleSet("GreenNoEvents", {0x008000, 0xFFFFFF, false});
    model.AddStyleSet("GreenEvents", {0x008000, 0x000080, true}); // redefined, not doubled
    EXPECT_EQ(model.StyleSetNames(), (QStringList{"GreenEvents", "GreenNoEvents"}));
    ASSERT_TRUE(model.StyleSet("GreenEvents").has_value());
    EXPECT_EQ(model.StyleSet("GreenEvents")->textColor, 0x000080);

    const QDate day(2026, 12, 6);
    model.MarkDate(day, "GreenEvents");
    model.MarkDate(day.addDays(1), "BlueEvents"); // a name never defined
    model.MarkDate(QDate(), "GreenEvents");
    EXPECT_EQ(model.MarkedDates().size(), 2);
    EXPECT_TRUE(model.StyleFor(day)->bold);
    EXPECT_EQ(model.MarkOf(day.addDays(1)), QStringLiteral("BlueEvents"));
    EXPECT_FALSE(model.StyleFor(day.addDays(1)).has_value());
    EXPECT_FALSE(model.StyleFor(day.addDays(2)).has_value());

    model.MarkDate(day, "GreenNoEvents"); // a later mark replaces the earlier one
    EXPECT_FALSE(model.StyleFor(day)->bold);
    model.ResetMarks();
    EXPECT_TRUE(model.MarkedDates().isEmpty());
    EXPECT_EQ(model.StyleSetNames().size(), 2); // style sets outlive the marks
}

} // namespace

} // namespace quillon
