// The caption above the day view: the long date on a first line of its own height,
// each all-day event on a shorter line below it, on the day's colour. The lines are
// laid out to the heights the window gives them, so none is cut or overlaps.
#pragma once

#include <QLabel>

namespace quillon {

class DayCaptionLabel : public QLabel {
    Q_OBJECT

public:
    explicit DayCaptionLabel(QWidget *parent = nullptr);

    // The text's first line gets firstLineHeight pixels, each further line lineHeight.
    void SetLineHeights(int firstLineHeight, int lineHeight);
    void SetColors(const QColor &background, const QColor &foreground);
    QColor Background() const { return m_background; }
    QColor Foreground() const { return m_foreground; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_firstLineHeight = 40;
    int m_lineHeight = 17;
    QColor m_background;
    QColor m_foreground;
};

} // namespace quillon
