#include "MiniCalendarDock.h"

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

} // namespace MiniCalendarDock
