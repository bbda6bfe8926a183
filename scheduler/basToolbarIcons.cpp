#include "basToolbarIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillon {

namespace basToolbarIcons {

namespace {

// Every picture is drawn on a 24 x 24 grid, scaled to the size asked for.
constexpr double kGrid = 24.0;

enum class Picture { New, Edit, Delete, Refresh, Help, Print, Program };

struct Palette {
    QColor ink;      // outlines
    QColor paper;    // page and printer body
    QColor green;
    QColor red;
    QColor blue;
    QColor yellow;
    QColor metal;    // the printer's case
};

Palette PaletteFor(QIcon::Mode mode)
{
    if (mode == QIcon::Disabled) {
        const QColor gray(150, 150, 150);
        return {gray, QColor(235, 235, 235), gray, gray, gray, QColor(200, 200, 200), QColor(190, 190, 190)};
    }
    return {QColor(50, 50, 60),        QColor(255, 255, 255), QColor(46, 139, 60),
            QColor(200, 40, 40),       QColor(40, 100, 190),  QColor(240, 190, 50),
            QColor(190, 190, 200)};
}

QPen Stroke(const QColor &color, double width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawPage(QPainter &p, const Palette &c)
{
    QPainterPath page;
    page.moveTo(5, 2.5);
    page.lineTo(14.5, 2.5);
    page.lineTo(19, 7);
    page.lineTo(19, 21.5);
    page.lineTo(5, 21.5);
    page.closeSubpath();
    p.setPen(Stroke(c.ink, 1.2));
    p.setBrush(c.paper);
    p.drawPath(page);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(14.5, 2.5), QPointF(14.5, 7), QPointF(19, 7)}));
}

void DrawNew(QPainter &p, const Palette &c)
{
    DrawPage(p, c);
    p.setPen(Stroke(c.ink, 1.0));
    for (double y : {10.5, 13.5})
        p.drawLine(QPointF(8, y), QPointF(12, y));
    // A plus badge in the lower right corner.
    p.setPen(Qt::NoPen);
    p.setBrush(c.green);
    p.drawEllipse(QPointF(17, 17), 5.5, 5.5);
    p.setPen(Stroke(Qt::white, 1.8));
    p.drawLine(QPointF(17, 14), QPointF(17, 20));
    p.drawLine(QPointF(14, 17), QPointF(20, 17));
}

void DrawEdit(QPainter &p, const Palette &c)
{
    DrawPage(p, c);
    // A pencil across the page.
    p.save();
    p.translate(13, 13);
    p.rotate(45);
    p.setPen(Stroke(c.ink, 1.0));
    p.setBrush(c.yellow);
    p.drawRect(QRectF(-2.2, -9, 4.4, 13));
    p.setBrush(c.red);
    p.drawRect(QRectF(-2.2, -11, 4.4, 2));
    QPainterPath tip;
    tip.moveTo(-2.2, 4);
    tip.lineTo(2.2, 4);
    tip.lineTo(0, 8.5);
    tip.closeSubpath();
    p.setBrush(c.paper);
    p.drawPath(tip);
    p.restore();
}

void DrawDelete(QPainter &p, const Palette &c)
{
    DrawPage(p, c);
    p.setPen(Stroke(c.red, 3.0));
    p.drawLine(QPointF(8, 9), QPointF(17, 18));
    p.drawLine(QPointF(17, 9), QPointF(8, 18));
}

void DrawRefresh(QPainter &p, const Palette &c)
{
    // Two arrows chasing each other round a circle.
    p.setPen(Stroke(c.blue, 2.4));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(4.5, 4.5, 15, 15);
    p.drawArc(ring, 30 * 16, 140 * 16);
    p.drawArc(ring, 210 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(c.blue);
    auto head = [&](QPointF at, double angleDegrees) {
        p.save();
        p.translate(at);
        p.rotate(angleDegrees);
        QPainterPath arrow;
        arrow.moveTo(-3.8, -1.2);
        arrow.lineTo(3.8, -1.2);
        arrow.lineTo(0, 3.6);
        arrow.closeSubpath();
        p.drawPath(arrow);
        p.restore();
    };
    const double r = 7.5;
    const double a1 = 170.0 * std::numbers::pi / 180.0;
    const double a2 = 350.0 * std::numbers::pi / 180.0;
    head(QPointF(12 + r * std::cos(a1), 12 - r * std::sin(a1)), 0);
    head(QPointF(12 + r * std::cos(a2), 12 - r * std::sin(a2)), 180);
}

void DrawHelp(QPainter &p, const Palette &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c.blue);
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    p.setPen(Stroke(Qt::white, 2.4));
    p.setBrush(Qt::NoBrush);
    QPainterPath mark;
    mark.moveTo(8.8, 9.5);
    mark.cubicTo(8.8, 5.5, 15.2, 5.5, 15.2, 9.3);
    mark.cubicTo(15.2, 11.8, 12, 11.8, 12, 14.2);
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 17.6), 1.5, 1.5);
}

void DrawPrint(QPainter &p, const Palette &c)
{
    p.setPen(Stroke(c.ink, 1.2));
    p.setBrush(c.paper);
    p.drawRect(QRectF(7, 3, 10, 6));
    p.setBrush(c.metal);
    p.drawRoundedRect(QRectF(3, 9, 18, 8), 1.5, 1.5);
    p.setBrush(c.paper);
    p.drawRect(QRectF(7, 14, 10, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(c.green);
    p.drawEllipse(QPointF(18, 11.5), 1, 1);
}

// A calendar sheet: the program's own picture.
void DrawProgram(QPainter &p, const Palette &c)
{
    p.setPen(Stroke(c.ink, 1.0));
    p.setBrush(c.paper);
    p.drawRoundedRect(QRectF(2.5, 4, 19, 17.5), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(c.red);
    p.drawRoundedRect(QRectF(3, 4.5, 18, 5), 1.5, 1.5);
    p.setBrush(c.ink);
    for (double x : {7.5, 16.5})
        p.drawRoundedRect(QRectF(x - 1, 2, 2, 4.5), 1, 1);
    p.setBrush(c.blue);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            p.drawRect(QRectF(5 + column * 3.8, 11.5 + row * 3.2, 2.4, 2));
}

class PaintedIconEngine : public QIconEngine {
public:
    explicit PaintedIconEngine(Picture picture) : m_picture(picture) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        const double side = std::min(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / kGrid, side / kGrid);
        const Palette colors = PaletteFor(mode);
        switch (m_picture) {
        case Picture::New: DrawNew(*painter, colors); break;
        case Picture::Edit: DrawEdit(*painter, colors); break;
        case Picture::Delete: DrawDelete(*painter, colors); break;
        case Picture::Refresh: DrawRefresh(*painter, colors); break;
        case Picture::Help: DrawHelp(*painter, colors); break;
        case Picture::Print: DrawPrint(*painter, colors); break;
        case Picture::Program: DrawProgram(*painter, colors); break;
        }
        painter->restore();
    }

    // Asked for at the device's pixel size, drawn afresh at it, never scaled from a
    // smaller bitmap; the icon gives the result its device pixel ratio.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine *clone() const override { return new PaintedIconEngine(m_picture); }
    QString key() const override { return QStringLiteral("QuillonPaintedIcon"); }

private:
    Picture m_picture;
};

} // namespace

QStringList Keys()
{
    return {QStringLiteral("New"), QStringLiteral("Edit"), QStringLiteral("Delete"),
            QStringLiteral("Refresh"), QStringLiteral("Help"), QStringLiteral("Print")};
}

QIcon ToolbarIcon(const QString &key)
{
    const QStringList keys = Keys();
    const auto index = keys.indexOf(key);
    if (index < 0)
        return QIcon();
    return QIcon(new PaintedIconEngine(static_cast<Picture>(index)));
}

QIcon ProgramIcon() { return QIcon(new PaintedIconEngine(Picture::Program)); }

} // namespace basToolbarIcons

} // namespace quillon
