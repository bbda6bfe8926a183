// Keeping the calendar's texts readable over any picture, judged on pixels: how light a
// colour is, how far apart two colours are (WCAG 2 relative luminance and contrast
// ratio), the ring of pixels around a text's glyphs, and the means that bring that ring
// to the ratio (a solid outline, a panel behind the text, a shade of the text's colour).
// No drawing here: the renderer samples, asks these rules, and draws what they say.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace quillon {

class BackgroundWork;

namespace Legibility {

// WCAG 2 relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(const QColor &color);
double RelativeLuminance(QRgb pixel);
// (lighter + 0.05) / (darker + 0.05): 1 for equal luminances, 21 for black on white.
double ContrastRatio(double luminanceA, double luminanceB);
double ContrastRatio(const QColor &a, const QColor &b);
// 4.5:1, or 3:1 for large text (18 pt and more, or 14 pt and more in bold).
double RequiredRatio(double pointSize, bool bold);
// Large type: 18 pt, or 14 pt in bold.
inline constexpr double kLargeTextRatio = 3.0;
inline constexpr double kLargeBoldPoints = 14.0;
// The font made large type: bold, and at least kLargeBoldPoints.
QFont LargeType(const QFont &font);
// Black or white, whichever stands out more against the text: it reaches at least
// sqrt(21), about 4.58:1, against any colour.
QColor OppositeColor(const QColor &text);

// --- The ring -------------------------------------------------------------------

// What a reader sees a text against: the pixels with no ink of their own within this
// many pixels of the glyph shapes (the pixels at least half inked).
inline constexpr int kRingWidth = 2;
// The ring's worst pixels that are allowed to miss the ratio: a speck of the picture
// must not decide, a tenth of the ring does.
inline constexpr double kWorstShare = 0.10;

// The alpha channel of a premultiplied layer as Format_Alpha8, at a device-pixel ratio of 1;
// and back: a coverage as ink of one colour (Format_ARGB32_Premultiplied).
QImage AlphaOf(const QImage &layer);
QImage Inked(const QImage &coverage, QRgb color);
// Each of the 256 coverages as premultiplied ink of color.
std::array<QRgb, 256> InkOf(QRgb color);
// The glyphs' coverage (alpha 0-255, Format_Alpha8) widened by radius pixels in every
// direction (a square maximum filter).
QImage Dilate(const QImage &coverage, int radius);
// The ring's pixels, in the coverage's coordinates, row by row.
std::vector<QPoint> GlyphRing(const QImage &coverage, int width = kRingWidth);
// Where a coverage has anything within reach pixels (in the coverage's coordinates):
// one rectangle for each run of rows with ink, as wide as the ink of those rows; of the
// coverage as Dilate(coverage, widenedBy) would make it.
std::vector<QRect> InkedRows(const QImage &coverage, int reach, int widenedBy = 0);
// The pixels of image under the ring placed at offset (those inside the image).
std::vector<QRgb> Sample(const QImage &image, const QPoint &offset, std::span<const QPoint> ring);
// Every few pixels of a backdrop, at most most of them, for judging cheaply what the
// finished bitmap is then checked for pixel by pixel.
std::vector<QRgb> Thinned(const std::vector<QRgb> &backdrop, size_t most);
// The ring's points that Thinned keeps of its pixels, where the whole ring lies inside
// the image: only those need reading.
std::vector<QPoint> Thinned(const std::vector<QPoint> &ring, size_t most);
// The contrast between the text colour and the backdrop that all but the worst
// kWorstShare of the backdrop's pixels reach; 21 for an empty backdrop.
double RingContrast(const std::vector<QRgb> &backdrop, const QColor &text);

// How busy the backdrop is: the contrast between its lightest and its darkest tenth, in
// whichever colour channel varies most. A text reaching its ratio on a backdrop busier
// than kBusySpread still stands in texture whose edges cut through its letters (a
// checkerboard, grain, a pastel rainbow): it gets a calm panel.
double RingSpread(const std::vector<QRgb> &backdrop);
inline constexpr double kBusySpread = 1.12;

// --- The means ------------------------------------------------------------------

// The outline: at least kRingWidth pixels, so it covers the whole ring, and wider for
// large type. lineHeight in device pixels.
int OutlineRadius(int lineHeight);
// The outline's shape at full opacity: every pixel within radius of the glyph shapes
// is fully covered, its outer edge smoothed.
QImage OutlineMask(const QImage &coverage, int radius);
// Whether an outline in the colour opposite the text carries it over this backdrop: only
// where the outline stays close to the picture, clearing the glyphs' edges of the odd
// spot. An outline that stands out from the picture is read as a fattened shape of its
// own (red with a black outline on light grey is a blot; black text boxed in white on a
// dark photo breaks into stickers), and a panel does better.
inline constexpr double kOutlineBlend = 3.0;
bool OutlineCarries(const QColor &text, const std::vector<QRgb> &backdrop);

// A pixel seen through a panel of colour with the opacity alpha (0-255), as the painter
// blends it.
QRgb ThroughPanel(QRgb pixel, const QColor &panel, int alpha);
std::vector<QRgb> ThroughPanel(const std::vector<QRgb> &backdrop, const QColor &panel, int alpha);
// Panels are never clearer than this: a faint film over a picture reads as dirt.
inline constexpr int kMinPanelAlpha = 80;
// With colour shades allowed, panels stop at this opacity and the text's colour makes up
// the rest, so the picture still shows through.
inline constexpr int kShadePanelAlpha = 205;
// What a means aims at: a little above the ratio, for the rounding of the blending.
inline constexpr double kAimFactor = 1.03;

// The least opacity (from kMinPanelAlpha up to maxAlpha) at which a panel of that colour
// brings every one of the texts (its backdrop, colour and ratio) to its ratio over a
// calm backdrop; none when even maxAlpha does not.
struct PanelText {
    const std::vector<QRgb> *backdrop = nullptr;
    QColor color;
    double required = 4.5;
};
// With work, a panel over many texts has them judged on two threads at once.
std::optional<int> PanelAlpha(const std::vector<PanelText> &texts, const QColor &panel, int maxAlpha,
                              BackgroundWork *work = nullptr);

// The text's colour mixed the least toward black or white that reaches the ratio over
// the backdrop; none when neither end does.
std::optional<QColor> Shade(const QColor &text, const std::vector<QRgb> &backdrop, double required);

} // namespace Legibility

} // namespace quillon
