// The shown day, week, month or agenda on paper (or in a PDF): a page with the period's
// title in the calendar's month-name font and the view under it in its events font,
// the whole day's hours of a day or week, every line of an agenda, scaled to the page.
#pragma once

#include "ShownRange.h"
#include "basCalendarFonts.h"

class QPainter;
class QPagedPaintDevice;

namespace quillon {

namespace ViewPrint {

// Draws the range onto the device (a printer or a PDF writer), one page.
// fill colours the events without a colour of their own (-1: the palette's).
void Print(QPagedPaintDevice &device, const ShownRange &range, QDate today,
           const basCalendarFonts::CalendarFontSet &fonts, std::int32_t fill = -1);

} // namespace ViewPrint

} // namespace quillon
