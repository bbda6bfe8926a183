// Repaints a view when the date changes while it is open, so its "today" frame moves
// to the new day.
#pragma once

class QWidget;

namespace quillon {

namespace DayChangeWatch {

inline constexpr int kIntervalMs = 60000; // how often the date is looked at

// Watches for as long as the widget lives.
void RepaintOnNewDay(QWidget *widget);

} // namespace DayChangeWatch

} // namespace quillon
