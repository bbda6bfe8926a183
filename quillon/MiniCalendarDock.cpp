#include "MiniCalendarDock.h"

#include <algorithm>

namespace quillon {

namespace MiniCalendarDock {

Edge TaskbarEdge(const QRect &screen, const QRect &workArea)
{
    const int left = workArea.left() - screen.left();
    const int top = workArea.top() - screen.top();
    if (workArea.height() == screen.height())
        return left < 1 ? Edge::Right : Edge::Left;
    return top < 1 ? Edge::Bottom : Edge::Top;
}

QString EdgeName(Edge edge)
{
    switch (edge) {
    case Edge::Top: return QStringLiteral("TOP");
    case Edge::Bottom: return QStringLiteral("BOTTOM");
    case Edge::Left: return QStringLiteral("LEFT");
    case Edge::Right: break;
    }
    return QStringLiteral("RIGHT");
}

QPoint DockPosition(const QRect &screen, const QRect &workArea, const QSize &window)
{
    // Work-area values relative to the screen, as a single screen reports them; the
    // result is put back into the screen's place on the desktop.
    const int areaLeft = workArea.left() - screen.left();
    const int areaTop = workArea.top() - screen.top();
    const int areaWidth = workArea.width();
    const int areaHeight = workArea.height();
    QPoint position;
    switch (TaskbarEdge(screen, workArea)) {
    case Edge::Top:
        position = {areaWidth - window.width(), areaTop};
        break;
    case Edge::Bottom:
        position = {areaWidth - window.width(), areaHeight - window.height()};
        break;
    case Edge::Left:
        position = {areaLeft, areaHeight - window.height()};
        break;
    case Edge::Right:
        position = {areaWidth - window.width(), areaHeight - window.height()};
        break;
    }
    return position + screen.topLeft();
}

namespace {
Edge NearestEdge(const QRect &screen, const QPoint &point)
{
    const int distances[] = {point.y() - screen.top(), screen.bottom() - point.y(), point.x() - screen.left(),
                             screen.right() - point.x()};
    const Edge edges[] = {Edge::Top, Edge::Bottom, Edge::Left, Edge::Right};
    return edges[std::min_element(std::begin(distances), std::end(distances)) - std::begin(distances)];
}

// Keeps [start, start + length) on [low, high) where it fits; the low end wins otherwise.
int Within(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }
} // namespace

QPoint DockPosition(const QRect &screen, const QRect &workArea, const QSize &window, const QRect &icon)
{
    if (icon.isEmpty())
        return DockPosition(screen, workArea, window);
    const Edge edge = workArea == screen ? NearestEdge(screen, icon.center()) : TaskbarEdge(screen, workArea);
    const int screenRight = screen.left() + screen.width();
    const int screenBottom = screen.top() + screen.height();
    // Along the panel: the window's far edge lines up with the icon's, kept on the screen.
    const int alongX = Within(icon.left() + icon.width() - window.width(), window.width(), screen.left(), screenRight);
    const int alongY = Within(icon.top() + icon.height() - window.height(), window.height(), screen.top(), screenBottom);
    switch (edge) {
    case Edge::Top:
        return {alongX, std::max(icon.top() + icon.height(), workArea.top())};
    case Edge::Bottom:
        return {alongX, std::min(icon.top(), workArea.top() + workArea.height()) - window.height()};
    case Edge::Left:
        return {std::max(icon.left() + icon.width(), workArea.left()), alongY};
    case Edge::Right:
        break;
    }
    return {std::min(icon.left(), workArea.left() + workArea.width()) - window.width(), alongY};
}

} // namespace MiniCalendarDock

} // namespace quillon
