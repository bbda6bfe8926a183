// The event editor's icon palette: a panel of 56 icon cells in 8 rows of 7 with gaps of
// 100 twips. Only the first cell exists until LoadIcons creates the other 55.
#pragma once

#include <QFrame>
#include <QList>

class QToolButton;

namespace quillon {

class IconPalette : public QFrame {
    Q_OBJECT

public:
    static constexpr int kColumns = 7;
    static constexpr int kGapTwips = 100;
    static constexpr int kCellPixels = 34;   // cell size at 96 DPI
    static constexpr int kIconPixels = 28;

    explicit IconPalette(QWidget *parent);

    int CellCount() const { return static_cast<int>(m_cells.size()); }
    QToolButton *Cell(int index) const { return m_cells.value(index); }
    // The icon number a cell carries ("101".."156"); empty for a cell not yet filled.
    QString CellTag(int index) const;

    // Places the palette 100 twips under the button, right edges aligned, and fills the
    // cells 101..156, creating cells 1 to 55.
    void LoadIcons(const QWidget &button);
    // Moves the palette under the button again (the window may have been resized).
    void PlaceUnder(const QWidget &button);

signals:
    void CellClicked(int index);

private:
    QToolButton *NewCell();
    int TwipsToPixels(int twips) const;

    QList<QToolButton *> m_cells;
};

} // namespace quillon
