#pragma once

#include <QImage>
#include <QLabel>
#include <QRect>

class QPainter;

#include <cstdint>
#include <optional>
#include <vector>

namespace quillon {

// A text label with a transparent background. Over a picture it can draw a faint
// contrasting shadow one pixel off (with the legibility guard off), so light or dark
// text stays readable on a busy photo. A one-line label can also cut its text at its
// right edge with an ellipsis.
//
// With the legibility guard on, the label draws the glyphs the guard measured, in the
// colour and with the outline the guard chose (frmCalendarLegibility.cpp).
class CalendarLabel : public QLabel {
public:
    explicit CalendarLabel(QWidget *parent) : QLabel(parent) {}
    // A plain-text label in the font given by its settings form (the design default).
    static CalendarLabel *Make(QWidget *parent, const char *fontSpec, Qt::Alignment alignment);

    // Sized to its text, as the month, weekday and day-number labels are; an empty label
    // keeps the height of one line.
    void AutoSize();
    // Captions carry CRLF between lines.
    void SetCaption(const QString &text, bool autoSize);
    // A font no larger than maxPoints (0: any size); nothing without a font.
    void ApplyFont(const std::optional<QFont> &font, bool autoSize, double maxPoints);
    void SetColor(std::int32_t color);
    void SetShadow(bool on) { m_shadow = on; }
    void SetElided(bool on) { m_elided = on; }
    // The text as painted: cut with an ellipsis when it is elided and too long.
    QString ShownText() const;
    // Keeps the lines that fit entirely; when some do not, the last line that fits
    // becomes "+N more" (N the lines no longer shown). A day of a hundred events lays
    // out only the first few.
    void FitLines();
    // How many lines the last FitLines left out (0 when all fit).
    int HiddenLines() const { return m_hiddenLines; }

    // The guard's view of the text: its glyphs' coverage at the bitmap's pixel size
    // (Format_Alpha8, 255 = fully inked) for the part of the label the text and an
    // outline take, where that part lies in the window's bitmap, and the ring of pixels
    // around the glyphs (read when the guard decides and again on the finished bitmap;
    // a month's rings take about as much memory as its glyphs: 2.5 MB at 4K).
    struct Glyphs {
        QImage coverage;
        QRect box;            // in the label's coordinates
        QPoint origin;        // the box's top-left corner in the bitmap, device pixels
        int outlineRadius = 0;
        // The bands of rows with ink, with the ring and the widest outline around them, in
        // the coverage's coordinates: what drawing the text may change.
        std::vector<QRect> inkedRows;
        // In the coverage's coordinates.
        std::vector<QPoint> ring;
    };
    // Lays the text out and rasterises it once at that device-pixel ratio; kept for the
    // painting until the text, font or size change or the guard is let go. In two steps
    // when many texts are prepared: PlanGlyphs reads the widget (its thread only);
    // RasteriseGlyphs uses only what that kept, with a font of its own, so the month's
    // texts, once planned, may be rasterised on two threads. The glyphs are not read until then.
    const Glyphs &PrepareGlyphs(qreal ratio);
    void PlanGlyphs(qreal ratio);
    void RasteriseGlyphs();
    const Glyphs &PreparedGlyphs() const { return m_glyphs; }
    // What the guard decided for this text: drawn in color (its own, or a shade of it),
    // with a solid outline in outline when that is valid. Off: drawn as set.
    struct Means {
        bool on = false;
        bool later = false; // drawn on the way out, not by the label
        QColor color;
        QColor outline;
        int outlineRadius = 0;
    };
    void SetMeans(const Means &means) { m_means = means; }
    // The prepared glyphs drawn with these means into target (the painter's coordinates).
    void PaintMeans(QPainter &painter, const QRectF &target, const Means &means) const;
    const Means &GuardMeans() const { return m_means; }
    // Letting go keeps the means and the measured ratio, for checks.
    void ReleaseGlyphs() { m_glyphs = Glyphs(); m_means.on = false; }
    // The contrast ratio the ring reached on the finished bitmap, and the one it needs.
    void SetMeasured(double ratio, double required) { m_measured = ratio; m_requiredRatio = required; }
    double MeasuredRatio() const { return m_measured; }
    double RequiredRatio() const { return m_requiredRatio; }
    bool OutlineDrawn() const { return m_means.outline.isValid(); }
    QColor TextColor() const { return palette().color(QPalette::WindowText); }
    // The colour the text was last drawn in: its own, or the guard's shade of it.
    QColor DrawnColor() const { return m_means.color.isValid() ? m_means.color : TextColor(); }
    // The text's coverage (Format_Alpha8) at the given device-pixel ratio, of the whole
    // label or of the part box of it.
    QImage GlyphCoverage(qreal ratio) const;
    QImage GlyphCoverage(qreal ratio, const QRect &box) const;
    // The box the text takes inside the label, in the label's coordinates.
    QRect TextBox() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int Flags() const;
    void PaintGuarded();

    bool m_shadow = false;
    bool m_elided = false;
    int m_hiddenLines = 0;
    QString m_fitSource;   // the lines the last FitLines had, and what it left
    QString m_fitResult;
    // What PlanGlyphs kept for RasteriseGlyphs.
    struct GlyphPlan {
        QFont font;
        QColor color;
        QRect rect;
        int flags = 0;
        QString text;
        qreal ratio = 1.0;
    };
    GlyphPlan m_plan;
    Glyphs m_glyphs;
    Means m_means;
    double m_measured = 0;
    double m_requiredRatio = 4.5;
};

} // namespace quillon
