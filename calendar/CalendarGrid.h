// The month grid of the desktop calendar as plain arithmetic: which cell holds which
// day, and where every label goes for a given screen, work area and orientation.
// Everything is in twips (1/1440 inch) held in 32-bit integers, so no screen width
// overflows; the window only converts the result to pixels and draws.
#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace quillon {

namespace CalendarGrid {

inline constexpr int kCellCount = 42;
inline constexpr int kColumns = 7;

// Layout constants, in twips.
inline constexpr std::int32_t kColumnWidth = 1900;
inline constexpr std::int32_t kColumnGap = 40;           // added to the column width per step
inline constexpr std::int32_t kGridExtraWidth = 240;     // nominal width = 7 x 1900 + 240
inline constexpr std::int32_t kHeaderGap = 10;           // below the month and the weekday row
inline constexpr std::int32_t kDayNumberHeight = 400;
inline constexpr std::int32_t kAllDayTop = 120;          // below the cell top
inline constexpr std::int32_t kAllDayLeft = 20;          // right of the day number
inline constexpr std::int32_t kEventsOverlap = 100;      // events label overlaps the day number
inline constexpr std::int32_t kEventsHeight = 1000;
inline constexpr std::int32_t kRowGap = 10;
inline constexpr std::int32_t kMargin = 50;              // from the work area's left and top
inline constexpr int kSmallScreenWidth = 800;            // pixels; at or below: fill the work area
inline constexpr int kSmallScreenHeight = 600;
inline constexpr int kFillOrientation = 5;

inline constexpr double kTwipsPerInch = 1440.0;

// --- The month ------------------------------------------------------------------

// Cell of the 1st: its column counted from the week's first day (Sunday unless given).
int FirstCellOffset(const QDate &firstOfMonth, Qt::DayOfWeek weekStart = Qt::Sunday);
// The day number shown in cell i (0 to 41), or 0 for a cell outside the month.
int DayOfCell(int cell, int offset, int daysInMonth);
// 6 when the last day falls into cell 35 or later, otherwise 5 (a 4-row month too).
int RowCount(int offset, int daysInMonth);

// --- Units ----------------------------------------------------------------------

double TwipsPerPixel(double logicalDpi);
std::int32_t PixelsToTwips(double pixels, double twipsPerPixel);
int TwipsToPixels(std::int32_t twips, double twipsPerPixel);

// --- Layout ---------------------------------------------------------------------

// The stored CalendarOrientation as a number: a whole number that fits 16 bits.
// Anything else (text, 2.5, 2^40) is none, and the grid is then centred.
std::optional<int> ParseOrientation(const QString &text);

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const Rect &) const = default;
};

struct LayoutInput {
    int orientation = 0;           // CalendarOrientation
    int screenWidthPixels = 0;
    int screenHeightPixels = 0;
    Rect workArea;                 // twips, relative to the screen's top-left corner
    // Current sizes of the self-sizing labels, twips.
    std::int32_t monthHeight = 0;
    std::int32_t dayOfWeekHeight = 0;
    std::int32_t dayNumberHeight = 0;   // lblDayNumber(0) before placing
    std::array<std::int32_t, kCellCount> dayNumberWidths{};
    bool sixRows = false;          // lblDayNumber(35) holds a day
    // How much larger than designed the cells are drawn (their width, the day-number
    // row, the event boxes), for texts grown to a readable size. The gaps stay.
    double scale = 1.0;
    // The least gap between a day's number and its all-day name, twips (0: as designed).
    std::int32_t minAllDayGap = 0;
};

struct Layout {
    int orientation = 0;           // after the small-screen rule
    bool scaledToFit = false;      // the chosen place had no room: laid out as the fill
    int rows = 5;
    std::int32_t columnWidth = kColumnWidth;
    std::int32_t eventsHeight = kEventsHeight;
    std::int32_t gridWidth = 0;
    std::int32_t gridHeight = 0;   // the estimate the orientation aligns
    std::int32_t top = 0;
    std::int32_t left = 0;
    Rect month;                    // left and top only: the label keeps its own size
    std::array<Rect, kColumns> dayOfWeek{};
    std::array<Rect, kCellCount> dayNumber{};
    std::array<Rect, kCellCount> allDay{};
    std::array<Rect, kCellCount> events{};
};

// Every label lies inside the work area: a grid too large for its corner or the centre
// is laid out as the fill, and no column or event box reaches past the work area's
// right or bottom edge.
Layout ComputeLayout(const LayoutInput &input);

} // namespace CalendarGrid

} // namespace quillon
