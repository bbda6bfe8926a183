#include "CalendarGrid.h"

#include "basConvert.h"

#include <cmath>

namespace CalendarGrid {

int FirstCellOffset(const QDate &firstOfMonth)
{
    return firstOfMonth.dayOfWeek() % 7; // Qt counts Monday 1 .. Sunday 7
}

int DayOfCell(int cell, int offset, int daysInMonth)
{
    const int day = cell - offset + 1;
    return (cell < offset || day > daysInMonth) ? 0 : day;
}

int RowCount(int offset, int daysInMonth)
{
    return DayOfCell(35, offset, daysInMonth) != 0 ? 6 : 5;
}

double TwipsPerPixel(double logicalDpi)
{
    return logicalDpi > 0 ? kTwipsPerInch / logicalDpi : 15.0;
}

std::int32_t PixelsToTwips(double pixels, double twipsPerPixel)
{
    return static_cast<std::int32_t>(basConvert::RoundHalfEven(pixels * twipsPerPixel));
}

int TwipsToPixels(std::int32_t twips, double twipsPerPixel)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

namespace {
std::int32_t Rounded(double value) { return static_cast<std::int32_t>(basConvert::RoundHalfEven(value)); }
} // namespace

Layout ComputeLayout(const LayoutInput &in)
{
    Layout out;
    const Rect &wa = in.workArea;

    out.orientation = in.orientation;
    if (in.screenWidthPixels <= kSmallScreenWidth || in.screenHeightPixels <= kSmallScreenHeight)
        out.orientation = kFillOrientation;

    out.eventsHeight = kEventsHeight;
    out.columnWidth = kColumnWidth;
    out.gridWidth = out.columnWidth * kColumns + kGridExtraWidth;
    const std::int32_t rowEstimate = in.dayNumberHeight + kRowGap + out.eventsHeight + kEventsOverlap;
    out.rows = in.sixRows ? 6 : 5;
    out.gridHeight = in.monthHeight + kHeaderGap + in.dayOfWeekHeight + rowEstimate * out.rows;

    // Integer halves go toward zero, as C++ division does.
    switch (out.orientation) {
    case 0:
        out.top = (wa.height - out.gridHeight) / 2;
        out.left = (wa.width - out.gridWidth) / 2;
        break;
    case 1:
        out.top = wa.top + kMargin;
        out.left = wa.left + kMargin;
        break;
    case 2:
        out.top = wa.top + kMargin;
        out.left = wa.width - out.gridWidth;
        break;
    case 3:
        out.top = wa.height - out.gridHeight;
        out.left = wa.left + kMargin;
        break;
    case 4:
        out.top = wa.height - out.gridHeight;
        out.left = wa.width - out.gridWidth;
        break;
    default: {
        // Fill the work area: stretch the columns and the event boxes.
        out.top = wa.top + kMargin;
        out.left = wa.left + kMargin;
        out.columnWidth = Rounded((wa.width - kGridExtraWidth) / 7.0);
        const std::int32_t available = wa.height - in.monthHeight - kHeaderGap - in.dayOfWeekHeight;
        out.eventsHeight = Rounded(
            static_cast<double>(available - (in.dayNumberHeight + kEventsOverlap + kRowGap) * out.rows) / out.rows);
        // A work area too low for the rows leaves the event boxes empty, not negative.
        if (out.eventsHeight < 0)
            out.eventsHeight = 0;
        break;
    }
    }
    if (out.top == 0)
        out.top = wa.top + kMargin;
    if (out.left == 0)
        out.left = wa.left + kMargin;

    out.month = Rect{out.left, out.top, 0, in.monthHeight};
    std::int32_t x = out.left;
    const std::int32_t weekdayTop = out.top + in.monthHeight + kHeaderGap;
    for (int i = 0; i < kColumns; ++i) {
        out.dayOfWeek[i] = Rect{x, weekdayTop, 0, in.dayOfWeekHeight};
        x += out.columnWidth + kColumnGap;
    }

    std::int32_t y = weekdayTop + in.dayOfWeekHeight + kHeaderGap;
    x = out.left;
    int column = 1;
    for (int i = 0; i < kCellCount; ++i) {
        const std::int32_t numberWidth = in.dayNumberWidths[i];
        out.dayNumber[i] = Rect{x, y, numberWidth, kDayNumberHeight};
        out.allDay[i] = Rect{x + numberWidth + kAllDayLeft, y + kAllDayTop, out.columnWidth - numberWidth,
                             kDayNumberHeight};
        out.events[i] = Rect{x, y + kDayNumberHeight - kEventsOverlap, out.columnWidth, out.eventsHeight};
        x += out.columnWidth + kColumnGap;
        if (++column > kColumns) {
            y = out.events[i].top + out.eventsHeight + kRowGap;
            x = out.left;
            column = 1;
        }
    }
    return out;
}

} // namespace CalendarGrid
