#include "Legibility.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quillon {

namespace Legibility {

namespace {
// sRGB channel value to linear light, through a table: every background sample needs three.
const std::array<double, 256> &LinearTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table;
}

double Luminance(int r, int g, int b)
{
    const auto &lin = LinearTable();
    return 0.2126 * lin[r] + 0.7152 * lin[g] + 0.0722 * lin[b];
}

// The grey sRGB value (0-1) of a luminance, and back.
double GreyOf(double luminance)
{
    const double l = std::clamp(luminance, 0.0, 1.0);
    return l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1.0 / 2.4) - 0.055;
}
double LuminanceOfGrey(double value)
{
    const double c = std::clamp(value, 0.0, 1.0);
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
} // namespace

double RelativeLuminance(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return Luminance(rgb.red(), rgb.green(), rgb.blue());
}

double ContrastRatio(double a, double b)
{
    const double lighter = std::max(a, b);
    const double darker = std::min(a, b);
    return (lighter + 0.05) / (darker + 0.05);
}

double ContrastRatio(const QColor &a, const QColor &b)
{
    return ContrastRatio(RelativeLuminance(a), RelativeLuminance(b));
}

double RequiredRatio(double pointSize, bool bold)
{
    const bool large = pointSize >= 18.0 || (bold && pointSize >= 14.0);
    return large ? 3.0 : 4.5;
}

QColor OppositeColor(const QColor &text)
{
    const double l = RelativeLuminance(text);
    return ContrastRatio(l, 0.0) >= ContrastRatio(l, 1.0) ? QColor(Qt::black) : QColor(Qt::white);
}

QColor HaloColor(const QColor &text, double required)
{
    const double l = RelativeLuminance(text);
    const double wanted = required * 1.3;
    const bool dark = OppositeColor(text) == QColor(Qt::black);
    // (l + 0.05) / (h + 0.05) = wanted for a darker halo h; the other way for a lighter one.
    double halo = dark ? (l + 0.05) / wanted - 0.05 : (l + 0.05) * wanted - 0.05;
    halo = std::clamp(halo, 0.0, 1.0);
    // Rounding to a grey level must not cross the ratio: round away from the text.
    const double grey = GreyOf(halo) * 255.0;
    const int level = std::clamp(static_cast<int>(dark ? std::floor(grey) : std::ceil(grey)), 0, 255);
    const QColor color(level, level, level);
    return ContrastRatio(text, color) >= required ? color : OppositeColor(text);
}

// --- LuminanceMap -----------------------------------------------------------------

int SamplingStep(const QSize &size)
{
    const double pixels = static_cast<double>(size.width()) * size.height();
    return std::max(1, static_cast<int>(std::ceil(std::sqrt(pixels / 20000.0))));
}

LuminanceMap::LuminanceMap(const QImage &background, int step, const QRect &area) : m_step(std::max(1, step))
{
    const QRect read = (area.isEmpty() ? background.rect() : area) & background.rect();
    m_origin = read.topLeft();
    if (read.isEmpty())
        return;
    const QImage image = background.format() == QImage::Format_RGB32 || background.format() == QImage::Format_ARGB32
                                 || background.format() == QImage::Format_ARGB32_Premultiplied
                             ? background
                             : background.convertToFormat(QImage::Format_RGB32);
    m_columns = (read.width() + m_step - 1) / m_step;
    m_rows = (read.height() + m_step - 1) / m_step;
    const int stride = m_columns + 1;
    m_sum.assign(static_cast<size_t>(stride) * (m_rows + 1), 0.0);
    m_square.assign(m_sum.size(), 0.0);
    for (int row = 0; row < m_rows; ++row) {
        // The sample at the middle of its step x step block.
        const int y = std::min(read.bottom(), read.top() + row * m_step + m_step / 2);
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        double rowSum = 0, rowSquare = 0;
        for (int column = 0; column < m_columns; ++column) {
            const QRgb px = line[std::min(read.right(), read.left() + column * m_step + m_step / 2)];
            const double l = Luminance(qRed(px), qGreen(px), qBlue(px));
            rowSum += l;
            rowSquare += l * l;
            const size_t at = static_cast<size_t>(row + 1) * stride + column + 1;
            m_sum[at] = m_sum[at - stride] + rowSum;
            m_square[at] = m_square[at - stride] + rowSquare;
        }
    }
}

double LuminanceMap::Sum(const std::vector<double> &table, int x0, int y0, int x1, int y1) const
{
    const int stride = m_columns + 1;
    auto at = [&](int x, int y) { return table[static_cast<size_t>(y) * stride + x]; };
    return at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0);
}

BoxStats LuminanceMap::Stats(const QRect &box) const
{
    BoxStats stats;
    if (m_columns == 0 || m_rows == 0)
        return stats;
    // Every sample whose block the box touches.
    const QRect local = box.translated(-m_origin);
    const int x0 = std::clamp(local.left() / m_step, 0, m_columns - 1);
    const int y0 = std::clamp(local.top() / m_step, 0, m_rows - 1);
    const int x1 = std::clamp(local.right() / m_step, x0, m_columns - 1) + 1;
    const int y1 = std::clamp(local.bottom() / m_step, y0, m_rows - 1) + 1;
    const double count = static_cast<double>(x1 - x0) * (y1 - y0);
    stats.mean = Sum(m_sum, x0, y0, x1, y1) / count;
    const double variance = Sum(m_square, x0, y0, x1, y1) / count - stats.mean * stats.mean;
    stats.deviation = std::sqrt(std::max(0.0, variance));
    stats.low = std::max(0.0, stats.mean - 2 * stats.deviation);
    stats.high = std::min(1.0, stats.mean + 2 * stats.deviation);
    return stats;
}

// --- Decision -------------------------------------------------------------------

double WorstContrast(double text, double low, double high)
{
    if (text >= low && text <= high)
        return 1.0;
    return text < low ? ContrastRatio(text, low) : ContrastRatio(text, high);
}

double ThroughPanel(double luminance, const QColor &panel, double alpha)
{
    const double panelGrey = GreyOf(RelativeLuminance(panel));
    return LuminanceOfGrey(alpha * panelGrey + (1 - alpha) * GreyOf(luminance));
}

Decision Decide(const QColor &text, double required, const BoxStats &background)
{
    Decision decision;
    const double l = RelativeLuminance(text);
    if (WorstContrast(l, background.low, background.high) >= required)
        return decision;
    decision.readable = false;
    if (background.deviation < kBusyDeviation)
        return decision; // calm: a halo does it
    decision.panel = true;
    decision.panelColor = OppositeColor(text);
    // The least opacity that brings the whole spread to the ratio; past the maximum the
    // halo makes up the rest.
    decision.panelAlpha = kMaxPanelAlpha;
    for (double alpha = kMinPanelAlpha; alpha <= kMaxPanelAlpha + 1e-9; alpha += 0.05) {
        const double low = ThroughPanel(background.low, decision.panelColor, alpha);
        const double high = ThroughPanel(background.high, decision.panelColor, alpha);
        if (WorstContrast(l, std::min(low, high), std::max(low, high)) >= required) {
            decision.panelAlpha = alpha;
            break;
        }
    }
    return decision;
}

// --- Glyph pixels ---------------------------------------------------------------

QImage Dilate(const QImage &coverage, int radius)
{
    if (radius <= 0 || coverage.isNull())
        return coverage;
    const int w = coverage.width();
    const int h = coverage.height();
    // A square maximum filter, one direction at a time.
    QImage across(w, h, QImage::Format_Alpha8);
    for (int y = 0; y < h; ++y) {
        const uchar *in = coverage.constScanLine(y);
        uchar *out = across.scanLine(y);
        for (int x = 0; x < w; ++x) {
            uchar m = 0;
            for (int k = std::max(0, x - radius); k <= std::min(w - 1, x + radius); ++k)
                m = std::max(m, in[k]);
            out[x] = m;
        }
    }
    QImage result(w, h, QImage::Format_Alpha8);
    for (int y = 0; y < h; ++y) {
        uchar *out = result.scanLine(y);
        std::fill(out, out + w, uchar(0));
        for (int k = std::max(0, y - radius); k <= std::min(h - 1, y + radius); ++k) {
            const uchar *in = across.constScanLine(k);
            for (int x = 0; x < w; ++x)
                out[x] = std::max(out[x], in[x]);
        }
    }
    return result;
}

std::vector<QPoint> GlyphFrame(const QImage &coverage)
{
    std::vector<QPoint> frame;
    const int w = coverage.width();
    const int h = coverage.height();
    // A pixel is next to full ink when a full pixel lies within one step of it: first
    // widen "full" across, then look at the rows above, at and below.
    std::vector<uchar> fullNear(static_cast<size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y) {
        const uchar *line = coverage.constScanLine(y);
        uchar *out = fullNear.data() + static_cast<size_t>(y) * w;
        for (int x = 0; x < w; ++x)
            if (line[x] == 255) {
                out[x] = 1;
                if (x > 0)
                    out[x - 1] = 1;
                if (x + 1 < w)
                    out[x + 1] = 1;
            }
    }
    for (int y = 0; y < h; ++y) {
        const uchar *line = coverage.constScanLine(y);
        const uchar *above = y > 0 ? fullNear.data() + static_cast<size_t>(y - 1) * w : nullptr;
        const uchar *here = fullNear.data() + static_cast<size_t>(y) * w;
        const uchar *below = y + 1 < h ? fullNear.data() + static_cast<size_t>(y + 1) * w : nullptr;
        for (int x = 0; x < w; ++x)
            if (line[x] == 0 && (here[x] || (above && above[x]) || (below && below[x])))
                frame.emplace_back(x, y);
    }
    return frame;
}

double FrameContrast(const QImage &backdrop, const QPoint &offset, const std::vector<QPoint> &frame,
                     const QColor &text)
{
    const double l = RelativeLuminance(text);
    double worst = 21.0;
    const QRect inside = backdrop.rect();
    const bool direct = backdrop.depth() == 32;
    for (const QPoint &p : frame) {
        const QPoint at = p + offset;
        if (!inside.contains(at))
            continue;
        const QRgb px = direct ? reinterpret_cast<const QRgb *>(backdrop.constScanLine(at.y()))[at.x()]
                               : backdrop.pixel(at);
        worst = std::min(worst, ContrastRatio(l, Luminance(qRed(px), qGreen(px), qBlue(px))));
    }
    return worst;
}

} // namespace Legibility

} // namespace quillon
