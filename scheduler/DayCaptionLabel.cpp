#include "DayCaptionLabel.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace quillon {

namespace {
constexpr int kLeftMargin = 8;
} // namespace

DayCaptionLabel::DayCaptionLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void DayCaptionLabel::SetLineHeights(int firstLineHeight, int lineHeight)
{
    m_firstLineHeight = std::max(1, firstLineHeight);
    m_lineHeight = std::max(1, lineHeight);
    update();
}

void DayCaptionLabel::SetColors(const QColor &background, const QColor &foreground)
{
    m_background = background;
    m_foreground = foreground;
    update();
}

void DayCaptionLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background.isValid() ? m_background : palette().color(QPalette::Button));
    painter.setPen(m_foreground.isValid() ? m_foreground : palette().color(QPalette::ButtonText));
    const QStringList lines = text().split(QLatin1Char('\n'));
    if (lines.isEmpty())
        return;

    // The date in the label's own font, shrunk only when its line is too low for it.
    QFont dateFont = font();
    const QFontMetricsF dateMetrics(dateFont);
    if (dateMetrics.height() > m_firstLineHeight && dateFont.pointSizeF() > 0)
        dateFont.setPointSizeF(dateFont.pointSizeF() * m_firstLineHeight / dateMetrics.height());
    painter.setFont(dateFont);
    const int width = std::max(0, this->width() - 2 * kLeftMargin);
    painter.drawText(QRect(kLeftMargin, 0, width, m_firstLineHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     QFontMetrics(dateFont).elidedText(lines.first(), Qt::ElideRight, width));

    // Event names in a smaller bold face that fits their line.
    QFont eventFont = font();
    eventFont.setBold(true);
    eventFont.setPixelSize(std::max(6, static_cast<int>(m_lineHeight * 0.72)));
    painter.setFont(eventFont);
    const QFontMetrics eventMetrics(eventFont);
    int top = m_firstLineHeight;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = QStringLiteral("\u2022 ") + lines[i];
        painter.drawText(QRect(kLeftMargin + 4, top, width - 4, m_lineHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         eventMetrics.elidedText(line, Qt::ElideRight, width - 4));
        top += m_lineHeight;
    }
}

} // namespace quillon
