#include "ApplicationIcon.h"

#include <QPainter>
#include <QPixmap>

// The icon lives in this static library's resources, which the linker drops unless
// something asks for them by name. Qt's resource initialiser is a global name, so this
// stays outside the project namespace.
static void LoadIconResource() { Q_INIT_RESOURCE(quillon); }

namespace quillon {

namespace ApplicationIcon {

namespace {
QIcon DrawnIcon()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x2f, 0x3b, 0x4c), 3));
    painter.setBrush(QColor(0xfd, 0xfd, 0xfb));
    painter.drawRoundedRect(QRectF(5, 9, 54, 50), 6, 6);
    painter.setBrush(QColor(0xc0, 0x39, 0x2b));
    painter.drawRect(QRectF(5, 12, 54, 12));
    return QIcon(pixmap);
}
} // namespace

QIcon Icon()
{
    LoadIconResource();
    QIcon svg(QStringLiteral(":/quillon/quillon.svg"));
    return svg.pixmap(32, 32).isNull() ? DrawnIcon() : svg;
}

} // namespace ApplicationIcon

} // namespace quillon
