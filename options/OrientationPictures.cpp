#include "OrientationPictures.h"

#include "OptionsRules.h"

#include <QPainter>

#include <algorithm>

namespace quillon {

namespace OrientationPictures {

namespace {
constexpr int kStandHeight = 8;
constexpr int kBezel = 3;
const QColor kFrameColor(60, 60, 66);
const QColor kDesktopColor(58, 110, 165);
const QColor kGridColor(250, 250, 250);
const QColor kGridLineColor(120, 120, 130);
} // namespace

QRect ScreenRect(const QSize &picture)
{
    return QRect(0, 0, picture.width(), picture.height() - kStandHeight);
}

QRect GridRect(int position, const QRect &screen)
{
    const QRect inner = screen.adjusted(kBezel + 1, kBezel + 1, -kBezel - 1, -kBezel - 1);
    if (position == OptionsRules::kFullScreen)
        return inner;
    const QSize size(inner.width() * 11 / 20, inner.height() * 11 / 20);
    QRect grid(QPoint(0, 0), size);
    switch (position) {
    case OptionsRules::kTopLeft: grid.moveTopLeft(inner.topLeft()); break;
    case OptionsRules::kTopRight: grid.moveTopRight(inner.topRight()); break;
    case OptionsRules::kBottomLeft: grid.moveBottomLeft(inner.bottomLeft()); break;
    case OptionsRules::kBottomRight: grid.moveBottomRight(inner.bottomRight()); break;
    default: grid.moveCenter(inner.center()); break;
    }
    return grid;
}

QPixmap Picture(int position, qreal devicePixelRatio)
{
    QPixmap pixmap(kPictureSize * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    const QRect screen = ScreenRect(kPictureSize);
    // The stand, then the screen with its bezel and desktop.
    const int standWidth = screen.width() / 3;
    painter.fillRect(QRect(screen.center().x() - standWidth / 4, screen.bottom() + 1, standWidth / 2, kStandHeight - 2),
                     kFrameColor);
    painter.fillRect(QRect(screen.center().x() - standWidth / 2, screen.bottom() + kStandHeight - 2, standWidth, 2),
                     kFrameColor);
    painter.fillRect(screen, kFrameColor);
    painter.fillRect(screen.adjusted(kBezel, kBezel, -kBezel, -kBezel), kDesktopColor);

    // The month grid: a white sheet with a header band and the week lines.
    const QRect grid = GridRect(position, screen);
    painter.fillRect(grid, kGridColor);
    painter.setPen(QPen(kGridLineColor, 0));
    const int header = std::max(2, grid.height() / 5);
    painter.fillRect(QRect(grid.left(), grid.top(), grid.width(), header), kGridLineColor);
    const int rows = 5;
    const int columns = 7;
    const double rowHeight = double(grid.height() - header) / rows;
    const double columnWidth = double(grid.width()) / columns;
    for (int r = 1; r < rows; ++r) {
        const double y = grid.top() + header + r * rowHeight;
        painter.drawLine(QPointF(grid.left(), y), QPointF(grid.right() + 1, y));
    }
    for (int c = 1; c < columns; ++c) {
        const double x = grid.left() + c * columnWidth;
        painter.drawLine(QPointF(x, grid.top() + header), QPointF(x, grid.bottom() + 1));
    }
    return pixmap;
}

} // namespace OrientationPictures

} // namespace quillon
