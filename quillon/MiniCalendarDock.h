// Where the mini calendar docks: in the corner of the work area next to the taskbar.
// Pure arithmetic on one screen's rectangles, 32-bit throughout.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace quillon {

namespace MiniCalendarDock {

enum class Edge { Top, Bottom, Left, Right };

// The taskbar's edge, judged from the screen and its work area (both in the same
// coordinates): a work area as tall as the screen means a taskbar at a side (or none).
Edge TaskbarEdge(const QRect &screen, const QRect &workArea);
QString EdgeName(Edge edge); // "TOP", "BOTTOM", "LEFT", "RIGHT"

// The window's top-left corner for a window of the given size.
QPoint DockPosition(const QRect &screen, const QRect &workArea, const QSize &window);

// Beside the tray icon (its rectangle on the desktop), never over it, so the icon stays
// in reach to hide the window again: above an icon in a bottom panel, left of one in a
// right panel, and so on. A panel that reserves no space is found by the screen edge
// nearest the icon. An empty icon rectangle (not known) docks in the corner as above.
QPoint DockPosition(const QRect &screen, const QRect &workArea, const QSize &window, const QRect &icon);

} // namespace MiniCalendarDock

} // namespace quillon
