#include "Legibility.h"

#include "BackgroundWork.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

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

// The k-th smallest of values within [low, high] (0-based; changes their order). A
// long ring is counted into bins first and only the bin holding the k-th is ordered:
// the same value as ordering them all, at a fraction of the cost.
double KthSmallest(std::vector<double> &values, size_t k, double low, double high)
{
    constexpr size_t kBins = 256;
    if (values.size() < 4 * kBins) {
        std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k), values.end());
        return values[k];
    }
    const double scale = static_cast<double>(kBins) / (high - low);
    auto bin = [&](double v) {
        return static_cast<size_t>(std::clamp((v - low) * scale, 0.0, static_cast<double>(kBins - 1)));
    };
    std::vector<uchar> bins(values.size());
    std::array<size_t, kBins> counts{};
    for (size_t i = 0; i < values.size(); ++i) {
        bins[i] = static_cast<uchar>(bin(values[i]));
        ++counts[bins[i]];
    }
    size_t chosen = 0, before = 0;
    while (before + counts[chosen] <= k)
        before += counts[chosen++];
    std::vector<double> inBin;
    inBin.reserve(counts[chosen]);
    for (size_t i = 0; i < values.size(); ++i)
        if (bins[i] == chosen)
            inBin.push_back(values[i]);
    const auto at = inBin.begin() + static_cast<std::ptrdiff_t>(k - before);
    std::nth_element(inBin.begin(), at, inBin.end());
    return *at;
}

// The contrast at the worst share of the values (changes their order).
double AtWorstShare(std::vector<double> &contrasts)
{
    if (contrasts.empty())
        return 21.0;
    return KthSmallest(contrasts, static_cast<size_t>(kWorstShare * static_cast<double>(contrasts.size())), 1.0, 21.0);
}

// The k-th smallest (0-based) of the values counted.
int KthCounted(const std::array<size_t, 256> &counts, size_t k)
{
    int value = 0;
    for (size_t seen = counts[0]; seen <= k; seen += counts[static_cast<size_t>(value)])
        ++value;
    return value;
}

// The widest of the maxima of 2 radius + 1 neighbours, in place: out[x] is the maximum
// of padded[x .. x + 2 radius]. Written as whole-row passes so the compiler can do many
// pixels per instruction.
void RowMaximum(const uchar *padded, uchar *out, int w, int radius)
{
    std::copy(padded, padded + w, out);
    for (int k = 1; k <= 2 * radius; ++k) {
        const uchar *in = padded + k;
        for (int x = 0; x < w; ++x)
            out[x] = std::max(out[x], in[x]);
    }
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

QImage AlphaOf(const QImage &layer)
{
    QImage alpha(layer.size(), QImage::Format_Alpha8);
    const int w = layer.width();
    for (int y = 0; y < layer.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(layer.constScanLine(y));
        uchar *out = alpha.scanLine(y);
        for (int x = 0; x < w; ++x)
            out[x] = static_cast<uchar>(in[x] >> 24);
    }
    return alpha;
}

std::array<QRgb, 256> InkOf(QRgb color)
{
    std::array<QRgb, 256> ink{};
    for (QRgb a = 0; a < 256; ++a)
        ink[a] = qPremultiply((color & 0x00ffffffu) | (a << 24));
    return ink;
}

QImage Inked(const QImage &coverage, QRgb color)
{
    // Each of the 256 coverages premultiplied once.
    const std::array<QRgb, 256> ink = InkOf(color);
    QImage inked(coverage.size(), QImage::Format_ARGB32_Premultiplied);
    const int w = coverage.width();
    for (int y = 0; y < coverage.height(); ++y) {
        const uchar *in = coverage.constScanLine(y);
        auto *out = reinterpret_cast<QRgb *>(inked.scanLine(y));
        for (int x = 0; x < w; ++x)
            out[x] = ink[in[x]];
    }
    return inked;
}

QImage Dilate(const QImage &coverage, int radius)
{
    if (radius <= 0 || coverage.isNull())
        return coverage;
    const int w = coverage.width();
    const int h = coverage.height();
    // One direction at a time: across each row (padded with no ink beyond the edges),
    // then down each column.
    QImage across(w, h, QImage::Format_Alpha8);
    std::vector<uchar> padded(static_cast<size_t>(w + 2 * radius), 0);
    for (int y = 0; y < h; ++y) {
        const uchar *in = coverage.constScanLine(y);
        std::copy(in, in + w, padded.begin() + radius);
        RowMaximum(padded.data(), across.scanLine(y), w, radius);
    }
    QImage result(w, h, QImage::Format_Alpha8);
    const qsizetype stride = across.bytesPerLine();
    const uchar *rows = across.constBits();
    for (int y = 0; y < h; ++y) {
        uchar *out = result.scanLine(y);
        const int first = std::max(0, y - radius), last = std::min(h - 1, y + radius);
        std::copy(rows + first * stride, rows + first * stride + w, out);
        for (int k = first + 1; k <= last; ++k) {
            const uchar *in = rows + k * stride;
            for (int x = 0; x < w; ++x)
                out[x] = std::max(out[x], in[x]);
        }
    }
    return result;
}

namespace {
constexpr std::uint64_t kHigh = 0x8080808080808080ull, kLow = 0x7f7f7f7f7f7f7f7full;

// The top bit of each of eight bytes (0x80 each), as eight bits: byte i to bit i.
std::uint64_t Gathered(std::uint64_t tops) { return ((tops >> 7) * 0x0102040810204080ull) >> 56; }

// One row of a coverage as bits, pixel x at bit x % 64 of word x / 64: the pixels at least
// half inked, and those with any ink. Eight pixels at a time: most of a text's box is clear.
void RowBits(const uchar *line, int w, std::uint64_t *half, std::uint64_t *any)
{
    int x = 0;
    for (; std::endian::native == std::endian::little && x + 8 <= w; x += 8) {
        std::uint64_t bytes = 0;
        std::memcpy(&bytes, line + x, 8);
        if (bytes == 0)
            continue;
        // The top bit of each byte that is not zero (exact: no carry between bytes).
        const std::uint64_t nonzero = (((bytes & kLow) + kLow) | bytes) & kHigh;
        half[x / 64] |= Gathered(bytes & kHigh) << (x % 64);
        any[x / 64] |= Gathered(nonzero) << (x % 64);
    }
    for (; x < w; ++x) {
        const std::uint64_t bit = 1ull << (x % 64);
        if (line[x] >= 128)
            half[x / 64] |= bit;
        if (line[x] != 0)
            any[x / 64] |= bit;
    }
}

// A row of bits widened by radius (under 64) to each side.
void Widened(const std::uint64_t *in, std::uint64_t *out, int words, int radius)
{
    for (int i = 0; i < words; ++i) {
        const std::uint64_t here = in[i], before = i > 0 ? in[i - 1] : 0, after = i + 1 < words ? in[i + 1] : 0;
        std::uint64_t wide = here;
        for (int k = 1; k <= radius; ++k)
            wide |= here << k | before >> (64 - k) | here >> k | after << (64 - k);
        out[i] = wide;
    }
}
} // namespace

std::vector<QPoint> GlyphRing(const QImage &coverage, int width)
{
    std::vector<QPoint> ring;
    if (coverage.isNull() || width <= 0 || width >= 64)
        return ring;
    // Within the width of a half-inked pixel, as bits: the square maximum filter keeps the
    // order of the values, so widening the half-inked shape says what widening the
    // coverage would, sixty-four pixels at a time.
    const int w = coverage.width(), h = coverage.height();
    const int words = (w + 63) / 64;
    std::vector<std::uint64_t> wide(static_cast<size_t>(words) * static_cast<size_t>(h)),
        any(static_cast<size_t>(words) * static_cast<size_t>(h)), half(static_cast<size_t>(words));
    for (int y = 0; y < h; ++y) {
        std::fill(half.begin(), half.end(), 0);
        RowBits(coverage.constScanLine(y), w, half.data(), any.data() + y * words);
        Widened(half.data(), wide.data() + y * words, words, width);
    }
    const std::uint64_t lastWord = w % 64 == 0 ? ~0ull : (1ull << (w % 64)) - 1;
    for (int y = 0; y < h; ++y) {
        const int first = std::max(0, y - width), last = std::min(h - 1, y + width);
        for (int i = 0; i < words; ++i) {
            std::uint64_t near = 0;
            for (int k = first; k <= last; ++k)
                near |= wide[static_cast<size_t>(k * words + i)];
            std::uint64_t hits = near & ~any[static_cast<size_t>(y * words + i)];
            if (i == words - 1)
                hits &= lastWord;
            for (; hits != 0; hits &= hits - 1)
                ring.emplace_back(i * 64 + std::countr_zero(hits), y);
        }
    }
    return ring;
}

std::vector<QRect> InkedRows(const QImage &coverage, int reach, int widenedBy)
{
    std::vector<QRect> rows;
    const int w = coverage.width(), h = coverage.height();
    // Each row's first and last inked pixel (last -1: none), found eight pixels at a time
    // from each end: most of a text's box is clear.
    auto clear = [](const uchar *at) {
        std::uint64_t word = 0;
        std::memcpy(&word, at, 8);
        return word == 0;
    };
    std::vector<int> firsts(static_cast<size_t>(h), w), lasts(static_cast<size_t>(h), -1);
    for (int y = 0; y < h; ++y) {
        const uchar *line = coverage.constScanLine(y);
        int &first = firsts[static_cast<size_t>(y)], &last = lasts[static_cast<size_t>(y)];
        int x = 0;
        while (x + 8 <= w && clear(line + x))
            x += 8;
        for (; x < w && first == w; ++x)
            if (line[x] != 0)
                first = x;
        int end = w;
        while (end - 8 > first && clear(line + end - 8))
            end -= 8;
        for (int k = end - 1; k >= first && last < 0; --k)
            if (line[k] != 0)
                last = k;
    }
    QRect run;
    for (int y = 0; y <= h; ++y) {
        // As in the coverage widened by widenedBy: the rows within reach, spread sideways.
        int first = w, last = -1;
        for (int k = std::max(0, y - widenedBy); y < h && k <= std::min(h - 1, y + widenedBy); ++k) {
            if (lasts[static_cast<size_t>(k)] < 0)
                continue;
            first = std::min(first, std::max(0, firsts[static_cast<size_t>(k)] - widenedBy));
            last = std::max(last, std::min(w - 1, lasts[static_cast<size_t>(k)] + widenedBy));
        }
        if (last >= 0) {
            run |= QRect(first, y, last - first + 1, 1);
            continue;
        }
        if (!run.isNull())
            rows.push_back(run.adjusted(-reach, -reach, reach, reach) & coverage.rect());
        run = QRect();
    }
    return rows;
}

std::vector<QRgb> Sample(const QImage &image, const QPoint &offset, std::span<const QPoint> ring)
{
    std::vector<QRgb> pixels;
    pixels.reserve(ring.size());
    const auto w = static_cast<unsigned>(image.width());
    const auto h = static_cast<unsigned>(image.height());
    if (image.depth() != 32) {
        for (const QPoint &p : ring) {
            const QPoint at = p + offset;
            if (static_cast<unsigned>(at.x()) < w && static_cast<unsigned>(at.y()) < h)
                pixels.push_back(image.pixel(at));
        }
        return pixels;
    }
    const uchar *bits = image.constBits();
    const qsizetype stride = image.bytesPerLine();
    for (const QPoint &p : ring) {
        const int x = p.x() + offset.x(), y = p.y() + offset.y();
        if (static_cast<unsigned>(x) < w && static_cast<unsigned>(y) < h)
            pixels.push_back(reinterpret_cast<const QRgb *>(bits + y * stride)[x]);
    }
    return pixels;
}

namespace {
template <typename T> std::vector<T> EveryFew(const std::vector<T> &all, size_t most)
{
    if (all.size() <= most || most == 0)
        return all;
    std::vector<T> few;
    few.reserve(most + 1);
    const double stride = static_cast<double>(all.size()) / static_cast<double>(most);
    for (size_t k = 0; k < most; ++k)
        few.push_back(all[static_cast<size_t>(static_cast<double>(k) * stride)]);
    return few;
}
} // namespace

std::vector<QRgb> Thinned(const std::vector<QRgb> &backdrop, size_t most) { return EveryFew(backdrop, most); }

std::vector<QPoint> Thinned(const std::vector<QPoint> &ring, size_t most) { return EveryFew(ring, most); }

double RingContrast(const std::vector<QRgb> &backdrop, const QColor &text)
{
    // The luminance and ratio written out here, as above, so that a long ring is one
    // tight loop.
    const auto &lin = LinearTable();
    const double l = RelativeLuminance(text) + 0.05;
    std::vector<double> contrasts(backdrop.size());
    for (size_t k = 0; k < backdrop.size(); ++k) {
        const QRgb px = backdrop[k];
        const double other = 0.2126 * lin[qRed(px)] + 0.7152 * lin[qGreen(px)] + 0.0722 * lin[qBlue(px)] + 0.05;
        contrasts[k] = std::max(l, other) / std::min(l, other);
    }
    return AtWorstShare(contrasts);
}

double RingSpread(const std::vector<QRgb> &backdrop)
{
    if (backdrop.size() < 10)
        return 1.0;
    // Each channel on its own: a pastel rainbow of one lightness is as busy to the eye
    // (and to a reader that binarises by channel) as grey noise.
    // A channel's light grows with its value: its tenths are those of the values,
    // counted rather than ordered.
    const auto &lin = LinearTable();
    const auto share = static_cast<size_t>(kWorstShare * static_cast<double>(backdrop.size()));
    std::array<std::array<size_t, 256>, 3> counts{};
    for (const QRgb px : backdrop) {
        ++counts[0][qRed(px)];
        ++counts[1][qGreen(px)];
        ++counts[2][qBlue(px)];
    }
    double spread = 1.0;
    for (const auto &channel : counts) {
        const double dark = lin[static_cast<size_t>(KthCounted(channel, share))];
        const double light = lin[static_cast<size_t>(KthCounted(channel, backdrop.size() - 1 - share))];
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
    // The panel's part of each channel once, not per pixel.
    const QRgb over = panel.rgb();
    const int r = qRed(over) * alpha + 127, g = qGreen(over) * alpha + 127, b = qBlue(over) * alpha + 127;
    const int under = 255 - alpha;
    std::vector<QRgb> seen(backdrop.size());
    for (size_t k = 0; k < backdrop.size(); ++k) {
        const QRgb px = backdrop[k];
        seen[k] = qRgb((r + qRed(px) * under) / 255, (g + qGreen(px) * under) / 255, (b + qBlue(px) * under) / 255);
    }
    return seen;
}

std::optional<int> PanelAlpha(const std::vector<PanelText> &texts, const QColor &panel, int maxAlpha,
                              BackgroundWork *work)
{
    // Judged on every few pixels of each ring: enough for its worst tenth, and the
    // finished bitmap is checked pixel by pixel anyway.
    std::vector<std::vector<QRgb>> backdrops;
    backdrops.reserve(texts.size());
    for (const PanelText &t : texts)
        backdrops.push_back(Thinned(*t.backdrop, 300));
    auto misses = [&](size_t k, int alpha) {
        const std::vector<QRgb> seen = ThroughPanel(backdrops[k], panel, alpha);
        return RingContrast(seen, texts[k].color) < texts[k].required * kAimFactor || RingSpread(seen) > kBusySpread;
    };
    // Whether every text reaches its ratio at that opacity. The text that missed last is
    // asked first: it is the likeliest to miss again, and the answer is the same in any
    // order. Many texts that all may reach are shared with the other thread.
    constexpr size_t kShared = 16;
    size_t missedLast = 0;
    auto reaches = [&](int alpha) {
        if (texts.empty())
            return true;
        if (misses(missedLast, alpha))
            return false;
        if (work && texts.size() >= kShared) {
            std::atomic<bool> missed{false};
            std::atomic<size_t> which{0};
            work->ForEach(texts.size(), [&](size_t k) {
                if (k != missedLast && !missed && misses(k, alpha)) {
                    which = k;
                    missed = true;
                }
            });
            if (missed)
                missedLast = which;
            return !missed;
        }
        for (size_t k = 0; k < texts.size(); ++k)
            if (k != missedLast && misses(k, alpha)) {
                missedLast = k;
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
