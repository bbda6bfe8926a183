#include "CalendarGrid.h"

#include <QSize>

#include <gtest/gtest.h>

namespace quillon {

namespace {
using namespace CalendarGrid;

TEST(CalendarMonth, OffsetDaysAndRows)
{
    struct Case {
        QDate first;
        int offset;
        int rows;
    };
    const Case cases[] = {
        {QDate(2026, 2, 1), 0, 5},   // Sunday start, exactly four rows: laid out as five
        {QDate(2026, 8, 1), 6, 6},   // Saturday start, 31 days
        {QDate(2026, 5, 1), 5, 6},   // Friday start, 31 days
        {QDate(2025, 11, 1), 6, 6},  // Saturday start, 30 days
        {QDate(2026, 10, 1), 4, 5},  // last day in cell 34: still five rows
        {QDate(2028, 2, 1), 2, 5},   // leap February
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.first.toString(Qt::ISODate)));
        const int days = c.first.daysInMonth();
        EXPECT_EQ(FirstCellOffset(c.first), c.offset);
        EXPECT_EQ(RowCount(c.offset, days), c.rows);
        int expected = 1; // 1..days in order from the offset on, nothing elsewhere
        for (int cell = 0; cell < kCellCount; ++cell) {
            const bool inMonth = cell >= c.offset && expected <= days;
            EXPECT_EQ(DayOfCell(cell, c.offset, days), inMonth ? expected++ : 0) << cell;
        }
    }
    // Weeks from Monday or Saturday: a Sunday 1st moves to the last column or the second.
    EXPECT_EQ(FirstCellOffset(QDate(2026, 2, 1), Qt::Monday), 6);
    EXPECT_EQ(FirstCellOffset(QDate(2026, 2, 1), Qt::Saturday), 1);
    EXPECT_EQ(FirstCellOffset(QDate(2026, 8, 1), Qt::Saturday), 0);
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
    const std::int32_t width = 7 * 1900 + 240;
    const std::int32_t height = 300 + 10 + 285 + (285 + 10 + 1000 + 100) * 5;
    const struct {
        int orientation;
        std::int32_t top, left;
    } cases[] = {
        {0, (16200 - height) / 2, (28800 - width) / 2}, {1, 50, 50},
        {2, 50, 28800 - width}, {3, 16200 - height, 50},
        {4, 16200 - height, 28800 - width}, {7, 50, 50}, // any other value fills
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.orientation);
        const Layout layout = ComputeLayout(FullHd(c.orientation));
        EXPECT_EQ(layout.month, (Rect{c.left, c.top, 0, 300}));
        EXPECT_EQ(layout.dayOfWeek[0].top, c.top + 300 + 10);
        EXPECT_EQ(layout.dayNumber[0].top, c.top + 300 + 10 + 285 + 10);
        EXPECT_EQ(layout.dayNumber[0].left, c.left);
    }
}

TEST(CalendarLayout, WorkAreaSmallScreensAndTheZeroMargin)
{
    // A panel along the top: the margins count from the work area, while the
    // bottom alignment takes the work area's height from the screen's top edge.
    LayoutInput in = FullHd(1);
    in.workArea = Rect{900, 600, 27900, 15600};
    EXPECT_EQ(ComputeLayout(in).month, (Rect{950, 650, 0, 300}));
    in.orientation = 4;
    Layout layout = ComputeLayout(in);
    EXPECT_EQ(layout.top, 15600 - layout.gridHeight);
    EXPECT_EQ(layout.left, 27900 - layout.gridWidth);

    // Centred on a work area as wide as the grid, or one twip wider (the half goes
    // toward zero): a left of 0 becomes the margin, where the grid no longer fits and
    // is laid out as the fill.
    in = FullHd(0);
    for (std::int32_t width : {13540, 13541, 13542}) {
        in.workArea = Rect{0, 0, width, 16200};
        EXPECT_EQ(ComputeLayout(in).left, width == 13542 ? 1 : 50) << width;
    }

    // 800 pixels wide or 600 high, or less, fill the work area whatever is stored.
    const struct {
        int width, height, orientation;
    } screens[] = {{800, 600, 5}, {1024, 600, 5}, {800, 768, 5}, {801, 601, 2}};
    for (const auto &s : screens) {
        in = FullHd(2);
        in.screenWidthPixels = s.width;
        in.screenHeightPixels = s.height;
        EXPECT_EQ(ComputeLayout(in).orientation, s.orientation) << s.width << "x" << s.height;
    }
}

TEST(CalendarLayout, FillStretchesColumnsAndEventBoxes)
{
    for (bool six : {false, true}) {
        LayoutInput in = FullHd(5);
        in.sixRows = six;
        const Layout layout = ComputeLayout(in);
        const int rows = six ? 6 : 5;
        // (28800 - 240) / 7 would end the last column 50 twips past the work area:
        // the columns leave the margin on both sides.
        EXPECT_EQ(layout.columnWidth, 4066); // (28800 - 2 x 50 - 240) / 7, rounded
        EXPECT_LE(layout.left + 7 * layout.columnWidth + 240, 28800);
        // (16200 - 300 - 10 - 285 - (285 + 100 + 10) x rows) / rows, rounded: 2726 and 2205.83.
        EXPECT_EQ(layout.eventsHeight, six ? 2206 : 2726);
        EXPECT_EQ(layout.dayOfWeek[6].left, 50 + 6 * (4066 + 40));
        const Rect &last = layout.events[rows * 7 - 1];
        EXPECT_LE(last.top + last.height, 16200);
        EXPECT_GT(last.top + last.height, 16200 - 1500);
    }
    // A work area too low for the rows gets empty event boxes, not negative ones.
    LayoutInput tiny = FullHd(5);
    tiny.workArea = Rect{0, 0, 12000, 2000};
    EXPECT_EQ(ComputeLayout(tiny).eventsHeight, 0);
}

// Screens just above the small-screen rule, at their logical size and DPI: in every
// orientation the grid keeps to the work area instead of running off its edges.
TEST(CalendarLayout, GridTooLargeForItsPlaceShrinksIntoTheWorkArea)
{
    // Logical sizes at 96 logical DPI (Qt scales 1024x768 at 120 and 1280x1024 at 144 dpi).
    const QSize screens[] = {{801, 601}, {900, 700}, {819, 614}, {853, 683}};
    for (const QSize &screen : screens) {
        for (int orientation = 0; orientation <= 4; ++orientation) {
            LayoutInput in = FullHd(orientation);
            in.screenWidthPixels = screen.width();
            in.screenHeightPixels = screen.height();
            in.workArea = Rect{0, 0, screen.width() * 15, screen.height() * 15};
            in.sixRows = true;
            in.dayNumberWidths.fill(240);
            const Layout layout = ComputeLayout(in);
            SCOPED_TRACE(testing::Message() << screen.width() << "x" << screen.height() << " orientation " << orientation);
            EXPECT_TRUE(layout.scaledToFit);
            for (const Rect &r : {layout.dayNumber[0], layout.allDay[6], layout.events[6], layout.events[41]})
                EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.left + r.width <= in.workArea.width
                            && r.top + r.height <= in.workArea.height);
        }
    }
    // Where the grid has room its corner keeps it at the usual place, unscaled.
    const Layout roomy = ComputeLayout(FullHd(2));
    EXPECT_FALSE(roomy.scaledToFit);
    EXPECT_EQ(roomy.columnWidth, 1900);
}

TEST(CalendarLayout, OrientationTextThatIsNoNumberIsNone)
{
    EXPECT_EQ(ParseOrientation(QStringLiteral("4")), 4);
    EXPECT_EQ(ParseOrientation(QStringLiteral(" 2 ")), 2);
    EXPECT_EQ(ParseOrientation(QStringLiteral("7")), 7); // a number, if unknown: the fill
    for (const char *bad : {"left", "2.5", "1099511627776", "", "0x2", "nan", "inf"})
        EXPECT_FALSE(ParseOrientation(QLatin1String(bad)).has_value()) << bad;
}

TEST(CalendarLayout, CellsOfOneRowAndTheNext)
{
    LayoutInput in = FullHd(1);
    in.dayNumberWidths[8] = 240;
    const Layout layout = ComputeLayout(in);
    const std::int32_t rowTop = layout.dayNumber[0].top;
    EXPECT_EQ(layout.allDay[0], (Rect{50 + 150 + 20, rowTop + 120, 1900 - 150 - 20, 400})); // to the cell's edge
    EXPECT_EQ(layout.events[0], (Rect{50, rowTop + 400 - 100, 1900, 1000}));
    EXPECT_EQ(layout.dayNumber[6], (Rect{50 + 6 * 1940, rowTop, 150, 400}));
    // The next row starts below the event boxes, at the left edge again.
    const std::int32_t nextTop = rowTop + 300 + 1000 + 10;
    EXPECT_EQ(layout.dayNumber[7].left, 50);
    EXPECT_EQ(layout.allDay[8], (Rect{50 + 1940 + 240 + 20, nextTop + 120, 1900 - 240 - 20, 400}));
    EXPECT_EQ(layout.dayNumber[41].top, rowTop + 5 * 1310);
}

TEST(CalendarLayout, WideScreensDoNotOverflow)
{
    // 7680 x 4320: positions far beyond what 16 bits hold.
    LayoutInput in = FullHd(4);
    in.screenWidthPixels = 7680;
    in.screenHeightPixels = 4320;
    in.workArea = Rect{0, 0, 115200, 64800};
    const Layout layout = ComputeLayout(in);
    EXPECT_EQ(layout.dayNumber[6].left, 115200 - 13540 + 6 * 1940);
    EXPECT_GT(layout.events[41].top, 32767);
}

} // namespace

} // namespace quillon
