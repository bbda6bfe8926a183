#include "PanelledBitmap.h"

#include "BackgroundWork.h"
#include "Legibility.h"

#include <QIODevice>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

namespace quillon {

void PaintPanels(QPainter &painter, const std::vector<Panel> &panels)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const Panel &panel : panels) {
        painter.setBrush(panel.color);
        if (panel.square)
            painter.drawRect(QRectF(panel.rect));
        else
            painter.drawRoundedRect(QRectF(panel.rect), 3, 3);
    }
}

namespace {
// What is still to be laid, in the window's coordinates, and the device rows it touches.
struct Remaining {
    QRegion region;
    int top = 0, bottom = -1; // device rows, inclusive
};

Remaining RemainingOf(const PanelledBitmap &bitmap)
{
    Remaining rest;
    QRegion all;
    for (const Panel &panel : bitmap.panels)
        all |= panel.rect;
    rest.region = all - bitmap.laid;
    rest.top = bitmap.image.height();
    if (!rest.region.isEmpty()) {
        // A row more each way: the panels' antialiased edges at a fractional ratio.
        const QRect bounds = rest.region.boundingRect();
        rest.top = std::max(0, static_cast<int>(std::floor(bounds.top() * bitmap.ratio)) - 1);
        rest.bottom = std::min(bitmap.image.height() - 1,
                               static_cast<int>(std::ceil((bounds.bottom() + 1) * bitmap.ratio)) + 1);
    }
    for (const LaidText &text : bitmap.texts) {
        if (text.coverage.isNull())
            continue;
        rest.top = std::max(0, std::min(rest.top, text.origin.y()));
        rest.bottom = std::min(bitmap.image.height() - 1, std::max(rest.bottom, text.origin.y() + text.coverage.height() - 1));
    }
    return rest;
}

// x * a / 255 for each of the four channels, rounded as the painter's blending rounds.
inline QRgb ByteMul(QRgb x, std::uint32_t a)
{
    std::uint32_t t = (x & 0xff00ffu) * a;
    t = ((t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    x = ((x >> 8) & 0xff00ffu) * a;
    x = (x + ((x >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return x | t;
}

// The rows of coverage (Format_Alpha8) that fall in the band from top on, as ink of one
// colour blended over them: the painter's source-over of the premultiplied ink, pixel
// for pixel, without making the ink an image of its own for each band.
void DrawRows(QImage &band, const QImage &coverage, QPoint origin, const std::array<QRgb, 256> &ink, int top, int rows)
{
    const int from = std::max(0, top - origin.y());
    const int to = std::min(coverage.height(), top + rows - origin.y());
    const int left = std::max(0, -origin.x());
    const int right = std::min(coverage.width(), band.width() - origin.x());
    for (int y = from; y < to; ++y) {
        const uchar *in = coverage.constScanLine(y);
        auto *out = reinterpret_cast<QRgb *>(band.scanLine(origin.y() + y - top));
        for (int x = left; x < right; ++x) {
            const QRgb src = ink[in[x]];
            const std::uint32_t alpha = qAlpha(src);
            QRgb &pixel = out[origin.x() + x];
            if (alpha == 255)
                pixel = src;
            else if (alpha != 0)
                pixel = src + ByteMul(pixel, 255 - alpha);
        }
    }
}

// The texts drawn into band (the drawing's device rows from top on), each one's ring
// read from the rows it has there.
void DrawTexts(QImage &band, int top, int rows, const std::vector<LaidText> &texts, RingPixels *rings)
{
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const LaidText &text = texts[k];
        if (text.coverage.isNull() || text.origin.y() >= top + rows || text.origin.y() + text.coverage.height() <= top)
            continue;
        if (!text.outline.isNull())
            DrawRows(band, text.outline, text.origin, Legibility::InkOf(text.outlineColor), top, rows);
        DrawRows(band, text.coverage, text.origin, Legibility::InkOf(text.color), top, rows);
    }
    if (!rings)
        return;
    // Read only when every text is in: one's outline may lie over another's ring.
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const LaidText &text = texts[k];
        if (!text.ring)
            continue;
        const std::vector<QPoint> &ring = *text.ring;
        const int y0 = top - text.origin.y(), y1 = top + rows - text.origin.y();
        auto first = std::partition_point(ring.begin(), ring.end(), [y0](const QPoint &p) { return p.y() < y0; });
        auto last = std::partition_point(first, ring.end(), [y1](const QPoint &p) { return p.y() < y1; });
        const std::vector<QRgb> read = Legibility::Sample(band, text.origin - QPoint(0, top), std::span(first, last));
        (*rings)[k].insert((*rings)[k].end(), read.begin(), read.end());
    }
}

// The panels within area laid into band, which holds the drawing's device rows from top
// on (the rows it has are what it had there).
void LayInto(QImage &band, int top, qreal ratio, const std::vector<Panel> &panels, const QRegion &area)
{
    // Only the panels that reach into the band (with a pixel each way for antialiased
    // edges): a month's tiles are many, and each one clipped away still costs a setup.
    const double from = top / ratio - 2, to = (top + band.height()) / ratio + 2;
    std::vector<Panel> here;
    for (const Panel &panel : panels)
        if (panel.rect.bottom() + 1 >= from && panel.rect.top() <= to)
            here.push_back(panel);
    if (here.empty())
        return;
    QPainter painter(&band);
    // As the window's painter places them, moved up by whole device rows.
    painter.setWorldTransform(QTransform(ratio, 0, 0, ratio, 0, -top));
    painter.setClipRegion(area);
    PaintPanels(painter, here);
}

// Rows [top, top + rows) of the drawing with every panel laid and every text drawn,
// into band (of the image's width and format, at least that many rows).
void LayBand(const PanelledBitmap &bitmap, const Remaining &rest, int top, int rows, QImage &band, RingPixels *rings)
{
    const qsizetype bytes = std::min(band.bytesPerLine(), bitmap.image.bytesPerLine());
    for (int y = 0; y < rows; ++y)
        std::memcpy(band.scanLine(y), bitmap.image.constScanLine(top + y), static_cast<size_t>(bytes));
    if (!rest.region.isEmpty())
        LayInto(band, top, bitmap.ratio, bitmap.panels, rest.region);
    if (!bitmap.texts.empty())
        DrawTexts(band, top, rows, bitmap.texts, rings);
}

constexpr int kBandRows = 16;

void Put16(uchar *at, std::uint16_t v)
{
    at[0] = static_cast<uchar>(v);
    at[1] = static_cast<uchar>(v >> 8);
}
void Put32(uchar *at, std::uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        at[k] = static_cast<uchar>(v >> (8 * k));
}
// A row of RGB32 as the file's blue, green, red bytes. On a little-endian machine these
// are each pixel's first three bytes: four pixels go out as twelve bytes in two stores,
// which is most of the writing's cost at 4K otherwise.
void PackRow(const QRgb *in, int w, uchar *out)
{
    int x = 0;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    for (; x + 4 <= w; x += 4, out += 12) {
        const std::uint64_t p0 = in[x] & 0xFFFFFFu, p1 = in[x + 1] & 0xFFFFFFu, p2 = in[x + 2] & 0xFFFFFFu,
                            p3 = in[x + 3] & 0xFFFFFFu;
        const std::uint64_t low = p0 | p1 << 24 | p2 << 48;
        const auto high = static_cast<std::uint32_t>(p2 >> 16 | p3 << 8);
        std::memcpy(out, &low, 8);
        std::memcpy(out + 8, &high, 4);
    }
#endif
    for (; x < w; ++x) {
        *out++ = static_cast<uchar>(qBlue(in[x]));
        *out++ = static_cast<uchar>(qGreen(in[x]));
        *out++ = static_cast<uchar>(qRed(in[x]));
    }
}
} // namespace

QImage Finished(const PanelledBitmap &bitmap, RingPixels *rings)
{
    if (rings)
        rings->assign(bitmap.texts.size(), {});
    const Remaining rest = RemainingOf(bitmap);
    if (rest.bottom < rest.top)
        return bitmap.image;
    QImage whole = bitmap.image.copy();
    QImage band(bitmap.image.width(), rest.bottom - rest.top + 1, bitmap.image.format());
    LayBand(bitmap, rest, rest.top, band.height(), band, rings);
    for (int y = 0; y < band.height(); ++y)
        std::memcpy(whole.scanLine(rest.top + y), band.constScanLine(y), static_cast<size_t>(band.bytesPerLine()));
    return whole;
}

bool WriteBmp(const PanelledBitmap &bitmap, QIODevice &device, RingPixels *rings)
{
    if (rings)
        rings->assign(bitmap.texts.size(), {});
    const QImage &image = bitmap.image;
    if (image.isNull() || image.format() != QImage::Format_RGB32)
        return false;
    const int w = image.width(), h = image.height();
    const auto rowBytes = static_cast<std::uint32_t>((w * 24 + 31) / 32 * 4);
    // The file header and the Windows information header, as Qt writes them.
    constexpr std::uint32_t kHeaders = 14 + 40;
    uchar header[kHeaders] = {'B', 'M'};
    Put32(header + 2, kHeaders + rowBytes * static_cast<std::uint32_t>(h));
    Put32(header + 10, kHeaders);
    Put32(header + 14, 40);
    Put32(header + 18, static_cast<std::uint32_t>(w));
    Put32(header + 22, static_cast<std::uint32_t>(h));
    Put16(header + 26, 1);
    Put16(header + 28, 24);
    Put32(header + 34, rowBytes * static_cast<std::uint32_t>(h));
    Put32(header + 38, static_cast<std::uint32_t>(image.dotsPerMeterX() ? image.dotsPerMeterX() : 2834));
    Put32(header + 42, static_cast<std::uint32_t>(image.dotsPerMeterY() ? image.dotsPerMeterY() : 2834));
    if (device.write(reinterpret_cast<const char *>(header), kHeaders) != kHeaders)
        return false;

    const Remaining rest = RemainingOf(bitmap);
    // The rows with panels still to lay or texts to draw, in bands from the bottom up:
    // the other thread lays the next bands while this one writes the last.
    std::vector<int> tops;
    for (int y = rest.bottom; y >= rest.top; y -= kBandRows)
        tops.push_back(std::max(rest.top, y - kBandRows + 1));
    // A few bands laid ahead, as the texts make some bands dearer than others; the
    // buffers outlive the other thread's work on them.
    constexpr std::size_t kAhead = 4;
    std::array<QImage, kAhead> bands;
    std::optional<BackgroundWork> work;
    auto lay = [&](std::size_t k) {
        if (k >= tops.size())
            return;
        QImage &band = bands[k % kAhead];
        if (band.isNull())
            band = QImage(w, kBandRows, image.format());
        // A band's rows end where the one below begins.
        const int rows = (k == 0 ? rest.bottom + 1 : tops[k - 1]) - tops[k];
        work->Post([&bitmap, &rest, top = tops[k], rows, &band, rings] { LayBand(bitmap, rest, top, rows, band, rings); });
    };
    if (!tops.empty()) {
        work.emplace();
        for (std::size_t k = 0; k < kAhead; ++k)
            lay(k);
    }
    std::size_t reached = 0; // the bands this thread has come to
    std::vector<uchar> out(rowBytes, 0);
    // Bottom row first.
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        if (y >= rest.top && y <= rest.bottom) {
            const auto k = static_cast<std::size_t>((rest.bottom - y) / kBandRows);
            if (k == reached) {
                if (k > 0)
                    lay(k - 1 + kAhead); // the band before is written: its buffer is free
                work->WaitForFirst(k + 1); // this band laid
                ++reached;
            }
            in = reinterpret_cast<const QRgb *>(bands[k % kAhead].constScanLine(y - tops[k]));
        }
        PackRow(in, w, out.data());
        if (device.write(reinterpret_cast<const char *>(out.data()), rowBytes) != rowBytes)
            return false;
    }
    return true;
}

} // namespace quillon
