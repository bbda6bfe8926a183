// Keeping the calendar's texts readable over any picture: how light a colour is, how
// far apart two colours are (WCAG 2 relative luminance and contrast ratio), how busy
// the background under a text is, and what to do about it. No drawing here: the
// renderer measures, asks these rules, and draws what they say.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <vector>

namespace quillon {

namespace Legibility {

// WCAG 2 relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(const QColor &color);
// (lighter + 0.05) / (darker + 0.05): 1 for equal luminances, 21 for black on white.
double ContrastRatio(double luminanceA, double luminanceB);
double ContrastRatio(const QColor &a, const QColor &b);
// 4.5:1, or 3:1 for large text (18 pt and more, or 14 pt and more in bold).
double RequiredRatio(double pointSize, bool bold);
// Black or white, whichever stands out more against the text: it reaches at least
// sqrt(21), about 4.58:1, against any colour, so a halo of it always suffices.
QColor OppositeColor(const QColor &text);
// The halo: the grey nearest the middle that still stands out from the text by the
// ratio with a margin, on the opposite side (a soft dark grey behind white text rather
// than hard black). Always at least the ratio against the text.
QColor HaloColor(const QColor &text, double required);

// The luminance spread of the background under one box.
struct BoxStats {
    double mean = 0;
    double deviation = 0; // standard deviation of the luminance
    double low = 0;       // the darkest and lightest it is taken to reach (mean -/+ 2 deviations)
    double high = 0;
};

// Luminance of a background picture on a reduced grid, with integral images of it and
// of its square, so the mean and spread of any box cost four look-ups each.
class LuminanceMap {
public:
    // step: one sample per step x step pixels (1 = every pixel). Only the area is read
    // (the whole picture when it is empty): pages of a mapped picture that no text
    // stands on are never touched.
    explicit LuminanceMap(const QImage &background, int step = 1, const QRect &area = QRect());
    BoxStats Stats(const QRect &box) const;
    int Step() const { return m_step; }

private:
    double Sum(const std::vector<double> &table, int x0, int y0, int x1, int y1) const;
    int m_step = 1;
    QPoint m_origin;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<double> m_sum;    // (m_columns + 1) x (m_rows + 1)
    std::vector<double> m_square;
};
// The sampling step that keeps a map of that size to about 20,000 samples: enough for
// the spread under a line of text, few enough that most rows of a mapped picture are
// never read.
int SamplingStep(const QSize &size);

// A background whose luminance spreads this much under a box is "busy": an outline
// alone would leave the text standing in noise, so a calm panel goes behind it.
inline constexpr double kBusyDeviation = 0.12;
// Panels are never clearer than this (they would not calm anything) nor darker (they
// would hide the picture).
inline constexpr double kMinPanelAlpha = 0.35;
inline constexpr double kMaxPanelAlpha = 0.75;

// The lowest contrast the text has against any luminance from low to high.
double WorstContrast(double textLuminance, double low, double high);
// A luminance seen through a panel of the given colour and opacity (blended in sRGB, as
// the painter does; exact for grey backgrounds).
double ThroughPanel(double luminance, const QColor &panel, double alpha);

// What one text gets. A panel is drawn behind its cell (or the whole grid); a halo is
// decided per glyph after that, from the pixels themselves (HaloNeeded).
struct Decision {
    bool readable = true;  // the background alone reaches the ratio: drawn as set
    bool panel = false;
    QColor panelColor;
    double panelAlpha = 0;  // the least opacity that reaches the ratio, within the limits
};
Decision Decide(const QColor &text, double required, const BoxStats &background);

// The glyphs' coverage (alpha 0-255, Format_Alpha8) widened by radius pixels in every
// direction: the halo's shape.
QImage Dilate(const QImage &coverage, int radius);
// The pixels that frame the glyphs: no ink of their own (coverage 0), next to a pixel
// fully inked (coverage 255). A text is readable when these reach the ratio.
std::vector<QPoint> GlyphFrame(const QImage &coverage);
// The lowest contrast between the text colour and the backdrop at the frame pixels
// (backdrop in the coverage's coordinates plus offset); 21 when there are none.
double FrameContrast(const QImage &backdrop, const QPoint &offset, const std::vector<QPoint> &frame,
                     const QColor &text);

} // namespace Legibility

} // namespace quillon
