#include "CalendarLabel.h"

#include "Legibility.h"
#include "basCalendarFonts.h"
#include "basColor.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillon {

namespace {
// "+1 more", "+3 more": the count decides the form (one, several) in every language.
QString MoreText(int hidden) { return QCoreApplication::translate("CalendarLabel", "+%n more", nullptr, hidden); }

// The text's coverage (Format_Alpha8) over the part box of the label's rect.
QImage Coverage(const QFont &font, const QColor &color, const QRect &rect, int flags, const QString &text, qreal ratio,
                const QRect &box)
{
    // Painted in colour (the painter's fastest way with text), kept as alpha alone.
    QImage glyphs(box.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    glyphs.setDevicePixelRatio(ratio);
    glyphs.fill(Qt::transparent);
    QPainter painter(&glyphs);
    painter.translate(-box.topLeft());
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(rect, flags, text);
    painter.end();
    return Legibility::AlphaOf(glyphs);
}

// The font, sharing nothing with it: a font keeps the engines of the thread that last
// drew with it, and two threads drawing with one would take them from each other. Made
// for a device of another resolution and back, which copies it.
QFont FontOfItsOwn(const QFont &font)
{
    QImage elsewhere(1, 1, QImage::Format_Alpha8);
    elsewhere.setDotsPerMeterY(2000);
    const QImage here(1, 1, QImage::Format_Alpha8);
    return QFont(QFont(font, &elsewhere), &here);
}
} // namespace

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
    // Fitted again (in a larger font, say): from all the lines, not the ones kept last.
    const QString current = !m_fitResult.isEmpty() && text() == m_fitResult ? m_fitSource : text();
    m_fitSource = current;
    m_fitResult.clear();
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
    if (lines.size() <= height() / spacing + 1 && fits(current)) {
        setText(current);
        return;
    }
    QString kept;
    qsizetype shown = 0;
    for (qsizetype next = 1; next < lines.size(); ++next) {
        const QString candidate = lines.mid(0, next).join(QLatin1Char('\n'));
        const QString more = MoreText(static_cast<int>(lines.size() - next));
        if (!fits(candidate + QLatin1Char('\n') + more))
            break;
        kept = candidate;
        shown = next;
    }
    m_hiddenLines = static_cast<int>(lines.size() - shown);
    const QString more = MoreText(m_hiddenLines);
    if (shown > 0)
        setText(kept + QLatin1Char('\n') + more);
    else
        setText(fits(more) ? more : QString());
    m_fitResult = text();
}

QRect CalendarLabel::TextBox() const
{
    return fontMetrics().boundingRect(rect(), Flags(), ShownText()) & rect();
}

QImage CalendarLabel::GlyphCoverage(qreal ratio, const QRect &box) const
{
    return Coverage(font(), TextColor(), rect(), Flags(), ShownText(), ratio, box);
}

QImage CalendarLabel::GlyphCoverage(qreal ratio) const { return GlyphCoverage(ratio, rect()); }

const CalendarLabel::Glyphs &CalendarLabel::PrepareGlyphs(qreal ratio)
{
    PlanGlyphs(ratio);
    RasteriseGlyphs();
    return m_glyphs;
}

void CalendarLabel::PlanGlyphs(qreal ratio)
{
    m_glyphs = Glyphs();
    m_plan = GlyphPlan();
    const int lineHeight = static_cast<int>(std::lround(fontMetrics().height() * ratio));
    m_glyphs.outlineRadius = Legibility::OutlineRadius(lineHeight);
    // Only the part the text covers, with room for an outline: a cell is mostly empty,
    // and layers of its whole size cost more than the text itself.
    const int margin = static_cast<int>(std::ceil(m_glyphs.outlineRadius / ratio)) + 1;
    m_glyphs.box = TextBox().adjusted(-margin, -margin, margin, margin) & rect();
    if (m_glyphs.box.isEmpty())
        return;
    m_glyphs.origin = (QPointF(mapTo(window(), m_glyphs.box.topLeft())) * ratio).toPoint();
    m_plan = GlyphPlan{FontOfItsOwn(font()), TextColor(), rect(), Flags(), ShownText(), ratio};
}

void CalendarLabel::RasteriseGlyphs()
{
    if (m_glyphs.box.isEmpty())
        return;
    // Laid out and rasterised once: what is measured is exactly what is drawn.
    m_glyphs.coverage = Coverage(m_plan.font, m_plan.color, m_plan.rect, m_plan.flags, m_plan.text, m_plan.ratio,
                                 m_glyphs.box);
    m_plan = GlyphPlan();
    // How far past the ring an outline may reach, and a pixel to spare.
    const int reach = std::max(0, m_glyphs.outlineRadius - Legibility::kRingWidth) + 1;
    m_glyphs.inkedRows = Legibility::InkedRows(m_glyphs.coverage, reach, Legibility::kRingWidth);
    m_glyphs.ring = Legibility::GlyphRing(m_glyphs.coverage);
}


void CalendarLabel::PaintMeans(QPainter &painter, const QRectF &target, const Means &means) const
{
    if (m_glyphs.coverage.isNull())
        return;
    if (means.outline.isValid()) {
        const QImage mask = Legibility::OutlineMask(m_glyphs.coverage, means.outlineRadius);
        painter.drawImage(target, Legibility::Inked(mask, means.outline.rgb()));
    }
    painter.drawImage(target, Legibility::Inked(m_glyphs.coverage, means.color.rgb()));
}

void CalendarLabel::PaintGuarded()
{
    QPainter painter(this);
    PaintMeans(painter, QRectF(m_glyphs.box), m_means);
}

void CalendarLabel::paintEvent(QPaintEvent *event)
{
    const QString shown = ShownText();
    if (m_means.on && !text().isEmpty()) {
        if (!m_means.later)
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
