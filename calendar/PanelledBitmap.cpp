#include "PanelledBitmap.h"

#include "BackgroundWork.h"

#include <QIODevice>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

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
    if (rest.region.isEmpty())
        return rest;
    // A row more each way: the panels' antialiased edges at a fractional ratio.
    const QRect bounds = rest.region.boundingRect();
    rest.top = std::max(0, static_cast<int>(std::floor(bounds.top() * bitmap.ratio)) - 1);
    rest.bottom = std::min(bitmap.image.height() - 1, static_cast<int>(std::ceil((bounds.bottom() + 1) * bitmap.ratio)) + 1);
    return rest;
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

// Rows [top, top + band.height()) of the drawing with every panel laid, into band (of
// the image's width and format).
void LayBand(const PanelledBitmap &bitmap, const Remaining &rest, int top, QImage &band)
{
    const int rows = std::min(band.height(), bitmap.image.height() - top);
    const qsizetype bytes = std::min(band.bytesPerLine(), bitmap.image.bytesPerLine());
    for (int y = 0; y < rows; ++y)
        std::memcpy(band.scanLine(y), bitmap.image.constScanLine(top + y), static_cast<size_t>(bytes));
    LayInto(band, top, bitmap.ratio, bitmap.panels, rest.region);
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

void LayPanels(QImage &image, qreal ratio, const std::vector<Panel> &panels, const QRegion &area)
{
    if (image.isNull() || panels.empty() || area.isEmpty())
        return;
    const QRect bounds = area.boundingRect();
    // A row more each way: the panels' antialiased edges at a fractional ratio.
    const int top = std::max(0, static_cast<int>(std::floor(bounds.top() * ratio)) - 1);
    const int bottom = std::min(image.height() - 1, static_cast<int>(std::ceil((bounds.bottom() + 1) * ratio)) + 1);
    if (bottom < top)
        return;
    // Stripes of the image's own rows (each its own painter: one device takes one at a
    // time), a few more than the threads, as the texts lie unevenly.
    constexpr int kStripes = 4;
    const int rows = (bottom - top + kStripes) / kStripes;
    uchar *const bits = image.bits();
    BackgroundWork work;
    work.ForEach(kStripes, [&](std::size_t k) {
        const int from = top + static_cast<int>(k) * rows;
        const int count = std::min(rows, bottom + 1 - from);
        if (count <= 0)
            return;
        QImage stripe(bits + from * image.bytesPerLine(), image.width(), count, image.bytesPerLine(), image.format());
        LayInto(stripe, from, ratio, panels, area);
    });
}

QImage Finished(const PanelledBitmap &bitmap)
{
    const Remaining rest = RemainingOf(bitmap);
    if (rest.region.isEmpty())
        return bitmap.image;
    QImage whole = bitmap.image.copy();
    QImage band(bitmap.image.width(), rest.bottom - rest.top + 1, bitmap.image.format());
    LayBand(bitmap, rest, rest.top, band);
    for (int y = 0; y < band.height(); ++y)
        std::memcpy(whole.scanLine(rest.top + y), band.constScanLine(y), static_cast<size_t>(band.bytesPerLine()));
    return whole;
}

bool WriteBmp(const PanelledBitmap &bitmap, QIODevice &device)
{
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
    // The rows with panels still to lay, in bands from the bottom up: the other thread
    // lays the next band while this one writes the last.
    std::vector<int> tops;
    for (int y = rest.bottom; y >= rest.top; y -= kBandRows)
        tops.push_back(std::max(rest.top, y - kBandRows + 1));
    QImage bands[2];
    std::optional<BackgroundWork> work;
    auto layNext = [&](std::size_t k) {
        if (k >= tops.size())
            return;
        QImage &band = bands[k % 2];
        if (band.isNull())
            band = QImage(w, kBandRows, image.format());
        work->Post([&bitmap, &rest, top = tops[k], &band] { LayBand(bitmap, rest, top, band); });
    };
    if (!tops.empty()) {
        work.emplace();
        layNext(0);
    }
    std::size_t reached = 0; // the bands this thread has come to
    std::vector<uchar> out(rowBytes, 0);
    // Bottom row first.
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        if (y >= rest.top && y <= rest.bottom) {
            const auto k = static_cast<std::size_t>((rest.bottom - y) / kBandRows);
            if (k == reached) {
                work->Wait(); // this band laid
                layNext(++reached);
            }
            in = reinterpret_cast<const QRgb *>(bands[k % 2].constScanLine(y - tops[k]));
        }
        PackRow(in, w, out.data());
        if (device.write(reinterpret_cast<const char *>(out.data()), rowBytes) != rowBytes)
            return false;
    }
    return true;
}

} // namespace quillon
