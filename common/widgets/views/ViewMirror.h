// The time-scale views work out their layout left to right (the hour column first).
// In a right-to-left layout they draw and hit-test through this mirror: each x is
// reflected across the grid's width, so the hours stand on the right and the days and
// their blocks run leftwards from them. Text keeps the reading direction of its own
// letters (as a label's does: "9:00 AM" is no right-to-left text); only where it
// stands follows the layout.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QWidget>

namespace quillon {

class ViewMirror {
public:
    ViewMirror() = default;
    // width: the laid-out grid's; offset: where the grid's x 0 lies in the coordinates drawn in.
    ViewMirror(bool rightToLeft, double width, double offset = 0) : m_on(rightToLeft), m_width(width), m_offset(offset) {}
    static ViewMirror Of(const QWidget &widget, double width, double offset = 0)
    {
        return ViewMirror(widget.layoutDirection() == Qt::RightToLeft, width, offset);
    }

    bool IsMirrored() const { return m_on; }
    // Where a line of text starts and ends in the layout, for a painter whose direction
    // is left to the text (Qt::LayoutDirectionAuto).
    Qt::Alignment Start() const { return m_on ? Qt::AlignRight | Qt::AlignAbsolute : Qt::AlignLeft | Qt::AlignAbsolute; }
    Qt::Alignment End() const { return m_on ? Qt::AlignLeft | Qt::AlignAbsolute : Qt::AlignRight | Qt::AlignAbsolute; }
    double X(double x) const { return m_offset + (m_on ? m_width - x : x); }
    QPointF Point(QPointF point) const { return {X(point.x()), point.y()}; }
    QRectF Rect(const QRectF &rect) const
    {
        return m_on ? QRectF(X(rect.right()), rect.top(), rect.width(), rect.height()) : rect.translated(m_offset, 0);
    }
    // From drawn coordinates back to the left-to-right layout's; the mirror is its own inverse.
    QPointF Unmirrored(QPointF point) const { return {m_on ? m_width - (point.x() - m_offset) : point.x() - m_offset, point.y()}; }

private:
    bool m_on = false;
    double m_width = 0;
    double m_offset = 0;
};

} // namespace quillon
