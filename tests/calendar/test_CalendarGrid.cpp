#include "CalendarGrid.h"

#include <gtest/gtest.h>

namespace {
using namespace CalendarGrid;

struct MonthCase {
    QDate first;
    int offset;
    int days;
    int rows;
};

TEST(CalendarMonth, OffsetDaysAndRows)
{
    const MonthCase cases[] = {
        {QDate(2026, 2, 1), 0, 28, 5},   // Sunday start, exactly four rows: laid out as five
        {QDate(2026, 8, 1), 6, 31, 6},   // Saturday start, 31 days
        {QDate(2026, 5, 1), 5, 31, 6},   // Friday start, 31 days
        {QDate(2025, 11, 1), 6, 30, 6},  // Saturday start, 30 days
        {QDate(2026, 10, 1), 4, 31, 5},  // last day in cell 34: still five rows
        {QDate(2028, 2, 1), 2, 29, 5},   // leap February
        {QDate(2009, 2, 1), 0, 28, 5},
        {QDate(2026, 12, 1), 2, 31, 5},
    };
    for (const MonthCase &c : cases) {
        SCOPED_TRACE(qPrintable(c.first.toString(Qt::ISODate)));
        EXPECT_EQ(FirstCellOffset(c.first), c.offset);
        EXPECT_EQ(c.first.daysInMonth(), c.days);
        EXPECT_EQ(RowCount(c.offset, c.days), c.rows);
        // The cells hold 1..days in order, from the offset on, and nothing else.
        int expected = 1;
        for (int cell = 0; cell < kCellCount; ++cell) {
            const int day = DayOfCell(cell, c.offset, c.days);
            if (cell < c.offset || expected > c.days) {
                EXPECT_EQ(day, 0) << cell;
            } else {
                EXPECT_EQ(day, expected++) << cell;
            }
        }
        EXPECT_EQ(expected, c.days + 1);
    }
}

TEST(CalendarUnits, TwipsAndPixels)
{
    EXPECT_DOUBLE_EQ(TwipsPerPixel(96), 15.0);
    EXPECT_DOUBLE_EQ(TwipsPerPixel(144), 10.0);
    EXPECT_EQ(PixelsToTwips(1920, 15.0), 28800);
    EXPECT_EQ(TwipsToPixels(28800, 15.0), 1920);
    EXPECT_EQ(TwipsToPixels(13540, 15.0), 903); // 902.67
    // An 8K-wide screen is far beyond 16-bit twips.
    EXPECT_EQ(PixelsToTwips(7680, 15.0), 115200);
}

// A 1920 x 1080 screen at 96 DPI with typical label heights.
LayoutInput FullHd(int orientation)
{
    LayoutInput in;
    in.orientation = orientation;
    in.screenWidthPixels = 1920;
    in.screenHeightPixels = 1080;
    in.workArea = Rect{0, 0, 28800, 16200};
    in.monthHeight = 300;
    in.dayOfWeekHeight = 285;
    in.dayNumberHeight = 285;
    in.dayNumberWidths.fill(150);
    return in;
}

TEST(CalendarLayout, OrientationPlacesTheGrid)
{
    const std::int32_t gridWidth = 7 * 1900 + 240;
    const std::int32_t gridHeight5 = 300 + 10 + 285 + (285 + 10 + 1000 + 100) * 5;
    struct Case {
        int orientation;
        std::int32_t top;
        std::int32_t left;
    };
    const Case cases[] = {
        {0, (16200 - gridHeight5) / 2, (28800 - gridWidth) / 2},
        {1, 50, 50},
        {2, 50, 28800 - gridWidth},
        {3, 16200 - gridHeight5, 50},
        {4, 16200 - gridHeight5, 28800 - gridWidth},
        {7, 50, 50}, // any other value fills the work area
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.orientation);
        const Layout layout = ComputeLayout(FullHd(c.orientation));
        EXPECT_EQ(layout.orientation, c.orientation);
        EXPECT_EQ(layout.top, c.top);
        EXPECT_EQ(layout.left, c.left);
        EXPECT_EQ(layout.month.left, c.left);
        EXPECT_EQ(layout.month.top, c.top);
        EXPECT_EQ(layout.dayOfWeek[0].top, c.top + 300 + 10);
        EXPECT_EQ(layout.dayNumber[0].top, c.top + 300 + 10 + 285 + 10);
        EXPECT_EQ(layout.dayNumber[0].left, c.left);
    }
    EXPECT_EQ(ComputeLayout(FullHd(0)).gridHeight, gridHeight5);
}

TEST(CalendarLayout, WorkAreaOffsetsAndTheZeroMargin)
{
    // A panel along the top: the margins count from the work area, while the
    // bottom alignment takes the work area's height from the screen's top edge.
    LayoutInput in = FullHd(1);
    in.workArea = Rect{900, 600, 27900, 15600};
    Layout layout = ComputeLayout(in);
    EXPECT_EQ(layout.top, 650);
    EXPECT_EQ(layout.left, 950);
    in.orientation = 4;
    layout = ComputeLayout(in);
    EXPECT_EQ(layout.top, 15600 - layout.gridHeight);
    EXPECT_EQ(layout.left, 27900 - layout.gridWidth);

    // Centred on a work area exactly as wide as the grid (and one twip wider: the
    // half goes toward zero): a left of 0 becomes the margin.
    in = FullHd(0);
    for (std::int32_t width : {13540, 13541}) {
        in.workArea = Rect{300, 0, width, 16200};
        EXPECT_EQ(ComputeLayout(in).left, 350) << width;
    }
    in.workArea = Rect{300, 0, 13542, 16200};
    EXPECT_EQ(ComputeLayout(in).left, 1);
}

TEST(CalendarLayout, SmallScreensFillTheWorkArea)
{
    struct Case {
        int width;
        int height;
        int orientation;
    };
    const Case cases[] = {{800, 600, 5}, {1024, 600, 5}, {800, 768, 5}, {801, 601, 2}, {1920, 1080, 2}};
    for (const Case &c : cases) {
        LayoutInput in = FullHd(2);
        in.screenWidthPixels = c.width;
        in.screenHeightPixels = c.height;
        in.workArea = Rect{0, 0, c.width * 15, c.height * 15};
        EXPECT_EQ(ComputeLayout(in).orientation, c.orientation) << c.width << "x" << c.height;
    }
}

TEST(CalendarLayout, FillStretchesColumnsAndEventBoxes)
{
    for (bool six : {false, true}) {
        LayoutInput in = FullHd(5);
        in.sixRows = six;
        const Layout layout = ComputeLayout(in);
        const int rows = six ? 6 : 5;
        EXPECT_EQ(layout.rows, rows);
        EXPECT_EQ(layout.columnWidth, 4080); // (28800 - 240) / 7
        // (16200 - 300 - 10 - 285 - (285 + 100 + 10) x rows) / rows, rounded: 2726 and 2205.83.
        EXPECT_EQ(layout.eventsHeight, six ? 2206 : 2726);
        // Columns step by the stretched width plus the gap.
        EXPECT_EQ(layout.dayOfWeek[6].left, 50 + 6 * (4080 + 40));
        EXPECT_EQ(layout.events[6].width, 4080);
        // The rows end inside the work area.
        const Rect &last = layout.events[rows * 7 - 1];
        EXPECT_LE(last.top + last.height, 16200);
        EXPECT_GT(last.top + last.height, 16200 - 1500);
    }
    // A work area too low for the rows gets empty event boxes, not negative ones.
    LayoutInput tiny = FullHd(5);
    tiny.workArea = Rect{0, 0, 12000, 2000};
    EXPECT_EQ(ComputeLayout(tiny).eventsHeight, 0);
}

TEST(CalendarLayout, CellsOfOneRowAndTheNext)
{
    LayoutInput in = FullHd(1);
    in.dayNumberWidths[0] = 120;
    in.dayNumberWidths[8] = 240;
    const Layout layout = ComputeLayout(in);
    const std::int32_t rowTop = layout.dayNumber[0].top;
    EXPECT_EQ(layout.dayNumber[0], (Rect{50, rowTop, 120, 400}));
    EXPECT_EQ(layout.allDay[0], (Rect{50 + 120 + 20, rowTop + 120, 1900 - 120, 400}));
    EXPECT_EQ(layout.events[0], (Rect{50, rowTop + 400 - 100, 1900, 1000}));
    EXPECT_EQ(layout.dayNumber[6].left, 50 + 6 * 1940);
    EXPECT_EQ(layout.dayNumber[6].top, rowTop);
    // The next row starts below the event boxes, at the left edge again.
    const std::int32_t nextTop = rowTop + 300 + 1000 + 10;
    EXPECT_EQ(layout.dayNumber[7].top, nextTop);
    EXPECT_EQ(layout.dayNumber[7].left, 50);
    EXPECT_EQ(layout.allDay[8], (Rect{50 + 1940 + 240 + 20, nextTop + 120, 1900 - 240, 400}));
    EXPECT_EQ(layout.dayNumber[41].top, rowTop + 5 * 1310);
}

TEST(CalendarLayout, WideScreensDoNotOverflow)
{
    // 7680 x 4320: every position is beyond what 16 bits hold.
    LayoutInput in = FullHd(4);
    in.screenWidthPixels = 7680;
    in.screenHeightPixels = 4320;
    in.workArea = Rect{0, 0, 115200, 64800};
    const Layout layout = ComputeLayout(in);
    EXPECT_EQ(layout.left, 115200 - 13540);
    EXPECT_EQ(layout.top, 64800 - layout.gridHeight);
    EXPECT_EQ(layout.dayNumber[6].left, 115200 - 13540 + 6 * 1940);
    EXPECT_GT(layout.events[41].top, 32767);
}

} // namespace
