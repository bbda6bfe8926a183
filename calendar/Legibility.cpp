#include "Legibility.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quillon {

namespace Legibility {

namespace {
// sRGB channel value to linear light, through a table: every ring pixel needs three.
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

// The contrast at the worst share of the values (changes their order).
double AtWorstShare(std::vector<double> &contrasts)
{
    if (contrasts.empty())
        return 21.0;
    const auto at = contrasts.begin() + static_cast<std::ptrdiff_t>(kWorstShare * static_cast<double>(contrasts.size()));
    std::nth_element(contrasts.begin(), at, contrasts.end());
    return *at;
}

QColor Mixed(const QColor &from, const QColor &to, double t)
{
    auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}
} // namespace

double RelativeLuminance(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return Luminance(rgb.red(), rgb.green(), rgb.blue());
}

double RelativeLuminance(QRgb pixel) { return Luminance(qRed(pixel), qGreen(pixel), qBlue(pixel)); }

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

QFont LargeType(const QFont &font)
{
    QFont large = font;
    large.setBold(true);
    if (large.pointSizeF() < kLargeBoldPoints)
        large.setPointSizeF(kLargeBoldPoints);
    return large;
}

QColor OppositeColor(const QColor &text)
{
    const double l = RelativeLuminance(text);
    return ContrastRatio(l, 0.0) >= ContrastRatio(l, 1.0) ? QColor(Qt::black) : QColor(Qt::white);
}

// --- The ring -------------------------------------------------------------------

QImage Dilate(const QImage &coverage, int radius)
{
    if (radius <= 0 || coverage.isNull())
        return coverage;
    const int w = coverage.width();
    const int h = coverage.height();
    // One direction at a time: across each row, then down each column.
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

std::vector<QPoint> GlyphRing(const QImage &coverage, int width)
{
    std::vector<QPoint> ring;
    if (coverage.isNull())
        return ring;
    const int w = coverage.width();
    const int h = coverage.height();
    QImage shape(coverage.size(), QImage::Format_Alpha8);
    for (int y = 0; y < h; ++y) {
        const uchar *in = coverage.constScanLine(y);
        uchar *out = shape.scanLine(y);
        for (int x = 0; x < w; ++x)
            out[x] = in[x] >= 128 ? 255 : 0;
    }
    const QImage near = Dilate(shape, width);
    for (int y = 0; y < h; ++y) {
        const uchar *ink = coverage.constScanLine(y);
        const uchar *close = near.constScanLine(y);
        for (int x = 0; x < w; ++x)
            if (ink[x] == 0 && close[x])
                ring.emplace_back(x, y);
    }
    return ring;
}

std::vector<QRgb> Sample(const QImage &image, const QPoint &offset, const std::vector<QPoint> &ring)
{
    std::vector<QRgb> pixels;
    pixels.reserve(ring.size());
    const QRect inside = image.rect();
    const bool direct = image.depth() == 32;
    for (const QPoint &p : ring) {
        const QPoint at = p + offset;
        if (!inside.contains(at))
            continue;
        pixels.push_back(direct ? reinterpret_cast<const QRgb *>(image.constScanLine(at.y()))[at.x()] : image.pixel(at));
    }
    return pixels;
}

std::vector<QRgb> Thinned(const std::vector<QRgb> &backdrop, size_t most)
{
    if (backdrop.size() <= most || most == 0)
        return backdrop;
    std::vector<QRgb> few;
    few.reserve(most + 1);
    const double stride = static_cast<double>(backdrop.size()) / static_cast<double>(most);
    for (size_t k = 0; k < most; ++k)
        few.push_back(backdrop[static_cast<size_t>(static_cast<double>(k) * stride)]);
    return few;
}

double RingContrast(const std::vector<QRgb> &backdrop, const QColor &text)
{
    const double l = RelativeLuminance(text);
    std::vector<double> contrasts;
    contrasts.reserve(backdrop.size());
    for (const QRgb px : backdrop)
        contrasts.push_back(ContrastRatio(l, RelativeLuminance(px)));
    return AtWorstShare(contrasts);
}

double RingSpread(const std::vector<QRgb> &backdrop)
{
    if (backdrop.size() < 10)
        return 1.0;
    // Each channel on its own: a pastel rainbow of one lightness is as busy to the eye
    // (and to a reader that binarises by channel) as grey noise.
    const auto &lin = LinearTable();
    const auto share = static_cast<std::ptrdiff_t>(kWorstShare * static_cast<double>(backdrop.size()));
    double spread = 1.0;
    std::vector<double> values(backdrop.size());
    for (const int shift : {16, 8, 0}) {
        for (size_t k = 0; k < backdrop.size(); ++k)
            values[k] = lin[(backdrop[k] >> shift) & 0xff];
        std::nth_element(values.begin(), values.begin() + share, values.end());
        const double dark = values[static_cast<size_t>(share)];
        std::nth_element(values.begin(), values.end() - 1 - share, values.end());
        const double light = values[values.size() - 1 - static_cast<size_t>(share)];
        spread = std::max(spread, ContrastRatio(light, dark));
    }
    return spread;
}

// --- The means ------------------------------------------------------------------

int OutlineRadius(int lineHeight) { return std::max(kRingWidth, static_cast<int>(std::lround(lineHeight / 12.0))); }

QImage OutlineMask(const QImage &coverage, int radius)
{
    // A pixel within radius of a half-inked one gets at least 128 from the filter; twice
    // that is full, and the pixels past it fade out over one step.
    QImage mask = Dilate(coverage, radius);
    const int w = mask.width();
    for (int y = 0; y < mask.height(); ++y) {
        uchar *line = mask.scanLine(y);
        for (int x = 0; x < w; ++x)
            line[x] = static_cast<uchar>(std::min(255, 2 * line[x]));
    }
    return mask;
}

bool OutlineCarries(const QColor &text, const std::vector<QRgb> &backdrop)
{
    if (backdrop.empty())
        return true;
    std::vector<double> luminances;
    luminances.reserve(backdrop.size());
    for (const QRgb px : backdrop)
        luminances.push_back(RelativeLuminance(px));
    const auto middle = luminances.begin() + static_cast<std::ptrdiff_t>(luminances.size() / 2);
    std::nth_element(luminances.begin(), middle, luminances.end());
    return ContrastRatio(RelativeLuminance(OppositeColor(text)), *middle) <= kOutlineBlend;
}

QRgb ThroughPanel(QRgb pixel, const QColor &panel, int alpha)
{
    auto blend = [alpha](int under, int over) { return (over * alpha + under * (255 - alpha) + 127) / 255; };
    return qRgb(blend(qRed(pixel), panel.red()), blend(qGreen(pixel), panel.green()), blend(qBlue(pixel), panel.blue()));
}

std::vector<QRgb> ThroughPanel(const std::vector<QRgb> &backdrop, const QColor &panel, int alpha)
{
    std::vector<QRgb> seen;
    seen.reserve(backdrop.size());
    for (const QRgb px : backdrop)
        seen.push_back(ThroughPanel(px, panel, alpha));
    return seen;
}

std::optional<int> PanelAlpha(const std::vector<PanelText> &texts, const QColor &panel, int maxAlpha)
{
    // Judged on every few pixels of each ring: enough for its worst tenth, and the
    // finished bitmap is checked pixel by pixel anyway.
    std::vector<std::vector<QRgb>> backdrops;
    backdrops.reserve(texts.size());
    for (const PanelText &t : texts)
        backdrops.push_back(Thinned(*t.backdrop, 300));
    auto reaches = [&](int alpha) {
        for (size_t k = 0; k < texts.size(); ++k) {
            const std::vector<QRgb> seen = ThroughPanel(backdrops[k], panel, alpha);
            if (RingContrast(seen, texts[k].color) < texts[k].required * kAimFactor || RingSpread(seen) > kBusySpread)
                return false;
        }
        return true;
    };
    // Coarse steps up, then halving back down to the least opacity that still does it:
    // a pixel lighter than the text may first lose contrast as a dark panel darkens it,
    // so the search does not assume one direction over the whole range.
    constexpr int kStep = 16;
    for (int alpha = kMinPanelAlpha; alpha < maxAlpha + kStep; alpha += kStep) {
        const int tried = std::min(alpha, maxAlpha);
        if (!reaches(tried))
            continue;
        int low = std::max(kMinPanelAlpha, tried - kStep + 1) - 1, high = tried; // high reaches, low may not
        while (high - low > 1) {
            const int middle = (low + high) / 2;
            (middle >= kMinPanelAlpha && reaches(middle) ? high : low) = middle;
        }
        return high;
    }
    return std::nullopt;
}

std::optional<QColor> Shade(const QColor &text, const std::vector<QRgb> &backdrop, double required)
{
    const QColor own = text.toRgb();
    for (int step = 1; step <= 20; ++step) {
        const double t = step / 20.0;
        for (const QColor &end : {QColor(Qt::black), QColor(Qt::white)}) {
            const QColor shade = Mixed(own, end, t);
            if (RingContrast(backdrop, shade) >= required * kAimFactor)
                return shade;
        }
    }
    return std::nullopt;
}

} // namespace Legibility

} // namespace quillon
