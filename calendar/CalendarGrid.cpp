#include "CalendarGrid.h"

#include "basConvert.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillon {

namespace CalendarGrid {

int FirstCellOffset(const QDate &firstOfMonth, Qt::DayOfWeek weekStart)
{
    return (firstOfMonth.dayOfWeek() - weekStart + 7) % 7;
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

std::optional<int> ParseOrientation(const QString &text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || value != std::trunc(value)
        || value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

namespace {
std::int32_t Rounded(double value) { return static_cast<std::int32_t>(basConvert::RoundHalfEven(value)); }

// The cell constants at the input's scale.
struct Cells {
    std::int32_t columnWidth, dayNumberHeight, allDayTop, allDayLeft, eventsOverlap, eventsHeight;
};
Cells CellSizes(const LayoutInput &in)
{
    const double scale = in.scale;
    Cells c{kColumnWidth, kDayNumberHeight, kAllDayTop, kAllDayLeft, kEventsOverlap, kEventsHeight};
    if (scale > 1.0)
        c = {Rounded(kColumnWidth * scale), Rounded(kDayNumberHeight * scale), Rounded(kAllDayTop * scale),
             Rounded(kAllDayLeft * scale),  Rounded(kEventsOverlap * scale),   Rounded(kEventsHeight * scale)};
    c.allDayLeft = std::max(c.allDayLeft, in.minAllDayGap);
    return c;
}

// The top of the first row of day cells.
std::int32_t RowsTop(std::int32_t top, const LayoutInput &in)
{
    return top + in.monthHeight + kHeaderGap + in.dayOfWeekHeight + kHeaderGap;
}

// Where the last row's event boxes end: each row is the day number less the overlap,
// the event box and the gap.
std::int32_t RowsBottom(std::int32_t top, const LayoutInput &in, int rows, std::int32_t eventsHeight)
{
    const Cells c = CellSizes(in);
    return RowsTop(top, in) + rows * (c.dayNumberHeight - c.eventsOverlap + eventsHeight + kRowGap) - kRowGap;
}

bool FitsWorkArea(const Layout &out, const LayoutInput &in)
{
    const Rect &wa = in.workArea;
    return out.left >= wa.left && out.left + out.gridWidth <= wa.left + wa.width && out.top >= wa.top
        && out.top + out.gridHeight <= wa.top + wa.height
        && RowsBottom(out.top, in, out.rows, out.eventsHeight) <= wa.top + wa.height;
}

void Fill(Layout &out, const LayoutInput &in)
{
    const Rect &wa = in.workArea;
    out.top = wa.top + kMargin;
    out.left = wa.left + kMargin;
    // The columns start after the left margin and keep the same margin on the right.
    out.columnWidth = Rounded((wa.width - 2 * kMargin - kGridExtraWidth) / 7.0);
    const std::int32_t available = wa.height - in.monthHeight - kHeaderGap - in.dayOfWeekHeight;
    out.eventsHeight = Rounded(
        static_cast<double>(available - (in.dayNumberHeight + CellSizes(in).eventsOverlap + kRowGap) * out.rows)
        / out.rows);
    // A work area too low for the rows leaves the event boxes empty, not negative.
    if (out.eventsHeight < 0)
        out.eventsHeight = 0;
}

// The stretched columns count from the margin but are sized to the whole work area,
// and the row estimate is not the rows' real height: pull back what would reach past
// the work area's right or bottom edge.
void KeepInside(Layout &out, const LayoutInput &in)
{
    const Rect &wa = in.workArea;
    const std::int32_t right = wa.left + wa.width;
    if (out.left + kColumns * out.columnWidth + kGridExtraWidth > right)
        out.columnWidth = std::max<std::int32_t>(0, (right - out.left - kGridExtraWidth) / kColumns);
    const std::int32_t bottom = wa.top + wa.height;
    if (RowsBottom(out.top, in, out.rows, out.eventsHeight) > bottom) {
        const std::int32_t pitch = (bottom - RowsTop(out.top, in) + kRowGap) / out.rows;
        const Cells c = CellSizes(in);
        out.eventsHeight = std::max<std::int32_t>(0, pitch - (c.dayNumberHeight - c.eventsOverlap + kRowGap));
    }
}
} // namespace

Layout ComputeLayout(const LayoutInput &in)
{
    Layout out;
    const Rect &wa = in.workArea;

    out.orientation = in.orientation;
    if (in.screenWidthPixels <= kSmallScreenWidth || in.screenHeightPixels <= kSmallScreenHeight)
        out.orientation = kFillOrientation;

    const Cells cells = CellSizes(in);
    out.eventsHeight = cells.eventsHeight;
    out.columnWidth = cells.columnWidth;
    out.gridWidth = out.columnWidth * kColumns + kGridExtraWidth;
    const std::int32_t rowEstimate = in.dayNumberHeight + kRowGap + out.eventsHeight + cells.eventsOverlap;
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
    default:
        // Fill the work area: stretch the columns and the event boxes.
        Fill(out, in);
        break;
    }
    if (out.top == 0)
        out.top = wa.top + kMargin;
    if (out.left == 0)
        out.left = wa.left + kMargin;
    // A grid larger than the room in its corner shrinks to the work area as the fill
    // stretches to it, so nothing is drawn off the screen.
    if (out.orientation >= 0 && out.orientation < kFillOrientation && !FitsWorkArea(out, in)) {
        out.scaledToFit = true;
        Fill(out, in);
    }
    KeepInside(out, in);

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
        out.dayNumber[i] = Rect{x, y, numberWidth, cells.dayNumberHeight};
        // The all-day name ends at the cell's right edge, not in the gap to the next day.
        out.allDay[i] = Rect{x + numberWidth + cells.allDayLeft, y + cells.allDayTop,
                             std::max<std::int32_t>(0, out.columnWidth - numberWidth - cells.allDayLeft),
                             cells.dayNumberHeight};
        out.events[i] = Rect{x, y + cells.dayNumberHeight - cells.eventsOverlap, out.columnWidth, out.eventsHeight};
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

} // namespace quillon
