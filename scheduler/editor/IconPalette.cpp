#include "IconPalette.h"

#include "basEventIcons.h"

#include <QToolButton>

namespace quillon {

IconPalette::IconPalette(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("picIcons"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    m_cells << NewCell();
    hide();
}

QToolButton *IconPalette::NewCell()
{
    auto *cell = new QToolButton(this);
    const int index = static_cast<int>(m_cells.size());
    cell->setObjectName(QStringLiteral("imgIcon%1").arg(index));
    cell->setAutoRaise(true);
    cell->setIconSize(QSize(kIconPixels, kIconPixels));
    cell->setFixedSize(kCellPixels, kCellPixels);
    connect(cell, &QToolButton::clicked, this, [this, index] { emit CellClicked(index); });
    return cell;
}

QString IconPalette::CellTag(int index) const
{
    const QToolButton *cell = m_cells.value(index);
    return cell ? cell->property("tag").toString() : QString();
}

int IconPalette::TwipsToPixels(int twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0);
}

void IconPalette::LoadIcons(const QWidget &button)
{
    const int gap = TwipsToPixels(kGapTwips);
    const int cellWidth = m_cells.first()->width();
    const int cellHeight = m_cells.first()->height();
    const int margin = gap;
    int left = 0;
    int top = 0;
    for (int index = 0; index < basEventIcons::kIconCount; ++index) {
        if (index > 0 && index % kColumns == 0) {
            left = 0;
            top += cellHeight + gap;
        } else if (index > 0) {
            left += cellWidth + gap;
        }
        if (index >= CellCount())
            m_cells << NewCell();
        QToolButton *cell = m_cells[index];
        const int number = basEventIcons::kFirstIcon + index;
        cell->move(margin + left, margin + top);
        cell->setIcon(basEventIcons::EventIcon(number));
        cell->setToolTip(basEventIcons::EventIconTitle(number));
        cell->setProperty("tag", QString::number(number));
        cell->setVisible(true);
    }
    const int rows = (basEventIcons::kIconCount + kColumns - 1) / kColumns;
    resize(2 * margin + kColumns * cellWidth + (kColumns - 1) * gap,
           2 * margin + rows * cellHeight + (rows - 1) * gap);
    PlaceUnder(button);
}

void IconPalette::PlaceUnder(const QWidget &button)
{
    // Under the button, right edges aligned, in the coordinates of our parent.
    const QPoint buttonBottomRight = button.mapTo(parentWidget(), QPoint(button.width(), button.height()));
    move(buttonBottomRight.x() - width(), buttonBottomRight.y() + TwipsToPixels(kGapTwips));
}

} // namespace quillon
