#pragma once

#include <QImage>
#include <QLabel>
#include <QRect>

#include <cstdint>
#include <optional>

namespace quillon {

// A text label with a transparent background. Over a picture it can draw a faint
// contrasting shadow one pixel off (with the legibility guard off), so light or dark
// text stays readable on a busy photo. A one-line label can also cut its text at its
// right edge with an ellipsis.
//
// With the legibility guard on, the label looks at the bitmap it is drawn into: when
// the pixels framing its glyphs do not reach the contrast it needs, it draws a halo of
// the opposite luminance around them first.
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

    // The guard: the bitmap being drawn (read at paint time; null = draw as set) and the
    // contrast the text must reach there.
    void SetGuard(const QImage *target, double requiredRatio);
    double RequiredRatio() const { return m_requiredRatio; }
    // Whether the last guarded paint drew a halo.
    bool HaloDrawn() const { return m_haloDrawn; }
    QColor TextColor() const { return palette().color(QPalette::WindowText); }
    // The text alone on a transparent layer, as the guard draws it, at the given
    // device-pixel ratio, for the part box of the label; and the coverage of the whole
    // label (Format_Alpha8, 255 = fully inked).
    QImage GlyphLayer(qreal ratio, const QRect &box) const;
    QImage GlyphCoverage(qreal ratio) const;
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
    const QImage *m_target = nullptr;
    double m_requiredRatio = 4.5;
    bool m_haloDrawn = false;
};

} // namespace quillon
