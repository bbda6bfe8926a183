#include "CalendarLabel.h"

#include "Legibility.h"
#include "basCalendarFonts.h"
#include "basColor.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillon {

CalendarLabel *CalendarLabel::Make(QWidget *parent, const char *fontSpec, Qt::Alignment alignment)
{
    auto *label = new CalendarLabel(parent);
    // Event names are shown as typed: never taken for markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setMargin(0);
    label->setIndent(0);
    if (const auto font = basCalendarFonts::SpecToFont(QLatin1String(fontSpec)))
        label->setFont(*font);
    return label;
}

void CalendarLabel::AutoSize()
{
    const QSize hint = text().isEmpty() ? QSize(0, 0) : sizeHint();
    resize(hint.width(), std::max(hint.height(), fontMetrics().height()));
}

void CalendarLabel::SetCaption(const QString &text, bool autoSize)
{
    // The label breaks lines at a plain line feed.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setText(shown);
    if (autoSize)
        AutoSize();
}

void CalendarLabel::ApplyFont(const std::optional<QFont> &font, bool autoSize, double maxPoints)
{
    if (!font)
        return;
    QFont fitted = *font;
    if (maxPoints > 0 && fitted.pointSizeF() > maxPoints)
        fitted.setPointSizeF(maxPoints);
    basCalendarFonts::ApplyFontToLabel(fitted, *this);
    if (autoSize)
        AutoSize();
}

void CalendarLabel::SetColor(std::int32_t color)
{
    QPalette shown = palette();
    shown.setColor(QPalette::WindowText, basColor::ToQColor(color));
    setPalette(shown);
}

QString CalendarLabel::ShownText() const
{
    if (!m_elided)
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideRight, width());
}

int CalendarLabel::Flags() const
{
    return static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
}

void CalendarLabel::FitLines()
{
    m_hiddenLines = 0;
    const QString current = text();
    if (current.isEmpty())
        return;
    const QStringList lines = current.split(QLatin1Char('\n'));
    const QFontMetrics metrics = fontMetrics();
    const int flags = Flags();
    const QRect room(0, 0, std::max(1, width()), std::numeric_limits<int>::max() / 2);
    auto fits = [&](const QString &candidate) {
        return metrics.boundingRect(room, flags, candidate).height() <= height();
    };
    // Every line takes at least one line's height, wrapped or not: more lines than that
    // cannot fit, and need no layout to tell.
    const int spacing = std::max(1, metrics.lineSpacing());
    if (lines.size() <= height() / spacing + 1 && fits(current))
        return;
    QString kept;
    qsizetype shown = 0;
    for (qsizetype next = 1; next < lines.size(); ++next) {
        const QString candidate = lines.mid(0, next).join(QLatin1Char('\n'));
        const QString more = QStringLiteral("+%1 more").arg(lines.size() - next);
        if (!fits(candidate + QLatin1Char('\n') + more))
            break;
        kept = candidate;
        shown = next;
    }
    m_hiddenLines = static_cast<int>(lines.size() - shown);
    const QString more = QStringLiteral("+%1 more").arg(m_hiddenLines);
    if (shown > 0)
        setText(kept + QLatin1Char('\n') + more);
    else
        setText(fits(more) ? more : QString());
}

void CalendarLabel::SetGuard(const QImage *target, double requiredRatio)
{
    m_target = target;
    m_requiredRatio = requiredRatio;
    // Letting go of the bitmap keeps what the last paint did, for checks.
    if (target)
        m_haloDrawn = false;
}

QRect CalendarLabel::TextBox() const
{
    return fontMetrics().boundingRect(rect(), Flags(), ShownText()) & rect();
}

QImage CalendarLabel::GlyphLayer(qreal ratio, const QRect &box) const
{
    QImage glyphs(box.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    glyphs.setDevicePixelRatio(ratio);
    glyphs.fill(Qt::transparent);
    QPainter painter(&glyphs);
    painter.translate(-box.topLeft());
    painter.setFont(font());
    painter.setPen(TextColor());
    painter.drawText(rect(), Flags(), ShownText());
    return glyphs;
}

QImage CalendarLabel::GlyphCoverage(qreal ratio) const
{
    QImage coverage = GlyphLayer(ratio, rect()).convertToFormat(QImage::Format_Alpha8);
    coverage.setDevicePixelRatio(1.0);
    return coverage;
}

void CalendarLabel::PaintGuarded()
{
    const QColor color = TextColor();
    const qreal ratio = m_target->devicePixelRatio();
    // One pixel of outline for ordinary sizes, more for large type.
    const int radius = std::max(1, qRound(fontMetrics().height() * ratio / 18.0));
    // Only the part the text covers, with room for its outline: a cell is mostly empty,
    // and layers of its whole size cost more than the text itself.
    const int margin = static_cast<int>(std::ceil(radius / ratio)) + 1;
    const QRect box = TextBox().adjusted(-margin, -margin, margin, margin) & rect();
    if (box.isEmpty())
        return;
    // The text is laid out and rasterised once: its layer is both what is measured and
    // what is drawn, so the check is about exactly these pixels.
    const QImage layer = GlyphLayer(ratio, box);
    QImage coverage = layer.convertToFormat(QImage::Format_Alpha8);
    coverage.setDevicePixelRatio(1.0);
    const QPoint origin = mapTo(window(), box.topLeft()) * ratio;
    // Judged on the pixels the glyphs will stand on, panels included: a halo only where
    // the background does not already do it, so the user's look stays wherever it reads.
    const double contrast =
        Legibility::FrameContrast(*m_target, origin, Legibility::GlyphFrame(coverage), color);
    m_haloDrawn = contrast < m_requiredRatio;
    QPainter painter(this);
    if (m_haloDrawn) {
        const QImage halo = Legibility::Dilate(coverage, radius);
        const QColor opposite = Legibility::HaloColor(color, m_requiredRatio);
        QImage tinted(halo.size(), QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < halo.height(); ++y) {
            const uchar *in = halo.constScanLine(y);
            auto *out = reinterpret_cast<QRgb *>(tinted.scanLine(y));
            for (int x = 0; x < halo.width(); ++x)
                out[x] = qPremultiply(qRgba(opposite.red(), opposite.green(), opposite.blue(), in[x]));
        }
        painter.drawImage(QRectF(box), tinted);
    }
    painter.drawImage(QRectF(box), layer);
}

void CalendarLabel::paintEvent(QPaintEvent *event)
{
    const QString shown = ShownText();
    if (m_target && !text().isEmpty()) {
        PaintGuarded();
        return;
    }
    if (text().isEmpty() || (!m_shadow && shown == text())) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QColor color = palette().color(QPalette::WindowText);
    const int flags = Flags();
    if (m_shadow) {
        const bool lightText = color.lightness() >= 128;
        painter.setPen(lightText ? QColor(0, 0, 0, 150) : QColor(255, 255, 255, 150));
        painter.drawText(rect().translated(1, 1), flags, shown);
    }
    painter.setPen(color);
    painter.drawText(rect(), flags, shown);
}

} // namespace quillon
