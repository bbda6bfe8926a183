#include "Legibility.h"
#include "ReadableSize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace quillon {

namespace {
using namespace Legibility;

TEST(Legibility, ContrastRatiosOfKnownPairs)
{
    struct Case {
        QColor a, b;
        double ratio;
    };
    const Case cases[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::white, 1.0},
        {QColor(0x77, 0x77, 0x77), Qt::white, 4.48}, // the grey that just misses 4.5
        {QColor(0x76, 0x76, 0x76), Qt::white, 4.54},
        {QColor(255, 0, 0), Qt::white, 4.00},
        {QColor(0, 0, 255), Qt::white, 8.59},
        {QColor(0, 128, 0), Qt::white, 5.14},
        {QColor(128, 0, 128), QColor(58, 110, 165), 1.77}, // liturgical purple on the default desktop
        {QColor(255, 255, 0), Qt::black, 19.56},
    };
    for (const Case &c : cases) {
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01) << qPrintable(c.a.name()) << " on " << qPrintable(c.b.name());
        EXPECT_DOUBLE_EQ(ContrastRatio(c.a, c.b), ContrastRatio(c.b, c.a));
    }
}

TEST(Legibility, LargeTextNeedsLess)
{
    struct Case {
        double points;
        bool bold;
        double required;
    };
    const Case cases[] = {{8, false, 4.5}, {17.9, false, 4.5}, {18, false, 3.0}, {13.9, true, 4.5}, {14, true, 3.0},
                          {14, false, 4.5}};
    for (const Case &c : cases)
        EXPECT_EQ(RequiredRatio(c.points, c.bold), c.required) << c.points << (c.bold ? " bold" : "");
}

TEST(Legibility, TheRingIsTheUninkedBandAroundTheGlyphShapes)
{
    // A 3x3 inked square with a faint edge pixel (not part of the shape) in a 11x11 field.
    QImage coverage(11, 11, QImage::Format_Alpha8);
    coverage.fill(0);
    for (int y = 4; y <= 6; ++y)
        for (int x = 4; x <= 6; ++x)
            coverage.scanLine(y)[x] = 255;
    coverage.scanLine(5)[7] = 100;
    const std::vector<QPoint> ring = GlyphRing(coverage);
    EXPECT_EQ(ring.size(), 7u * 7u - 9u - 1u); // two pixels all round, less the ink
    for (const QPoint &p : ring)
        EXPECT_EQ(coverage.constScanLine(p.y())[p.x()], 0);
    // The outline covers the whole ring at full opacity.
    const QImage outline = OutlineMask(coverage, OutlineRadius(10));
    for (const QPoint &p : ring)
        EXPECT_EQ(outline.constScanLine(p.y())[p.x()], 255);

    // The worst tenth decides, not one speck and not the mean.
    QImage backdrop(20, 20, QImage::Format_RGB32);
    backdrop.fill(Qt::white);
    std::vector<QRgb> pixels = Sample(backdrop, QPoint(2, 2), ring);
    ASSERT_EQ(pixels.size(), ring.size());
    EXPECT_NEAR(RingContrast(pixels, Qt::black), 21.0, 1e-9);
    for (size_t k = 0; k < 3; ++k)
        pixels[k] = qRgb(40, 40, 40);
    EXPECT_NEAR(RingContrast(pixels, Qt::black), 21.0, 1e-9) << "3 of 39 dark pixels are under a tenth";
    for (size_t k = 0; k < 5; ++k)
        pixels[k] = qRgb(40, 40, 40);
    EXPECT_LT(RingContrast(pixels, Qt::black), 2.0) << "5 of 39 are over a tenth";
}

TEST(Legibility, EachMeansReachesTheRatioWhereItIsChosen)
{
    auto flat = [](QRgb px) { return std::vector<QRgb>(200, px); };
    auto mixed = [](QRgb a, QRgb b) {
        std::vector<QRgb> v;
        for (int k = 0; k < 200; ++k)
            v.push_back(k % 2 ? a : b);
        return v;
    };
    const QRgb lightGrey = qRgb(240, 240, 240), darkPhoto = qRgb(20, 22, 30), midGrey = qRgb(110, 110, 110);
    const QColor red(255, 0, 0);
    // The outline carries only where it stays close to the picture (white around black
    // text on a pale picture, black around white text on a dim one). Boxed in white on a
    // dark photo, or red boxed in black on light grey, the letters turn into blots: a
    // panel does those.
    EXPECT_EQ(OppositeColor(Qt::black), QColor(Qt::white));
    EXPECT_EQ(OppositeColor(red), QColor(Qt::black));
    EXPECT_TRUE(OutlineCarries(Qt::black, mixed(lightGrey, qRgb(190, 190, 190))));
    EXPECT_TRUE(OutlineCarries(Qt::white, flat(qRgb(60, 60, 60))));
    EXPECT_FALSE(OutlineCarries(Qt::black, flat(darkPhoto)));
    EXPECT_FALSE(OutlineCarries(Qt::black, flat(midGrey)));
    EXPECT_FALSE(OutlineCarries(red, flat(lightGrey)));
    // Texture counts, channel by channel: a checkerboard of greys, or a pastel rainbow of
    // one lightness, is busy; a plain field is calm.
    EXPECT_LT(RingSpread(flat(midGrey)), kBusySpread);
    EXPECT_GT(RingSpread(mixed(qRgb(102, 102, 102), qRgb(153, 153, 153))), kBusySpread);
    EXPECT_GT(RingSpread(mixed(qRgb(250, 200, 230), qRgb(200, 240, 215))), kBusySpread);

    // The panel: the least opacity that does it, and no more.
    const std::vector<QRgb> grey = flat(lightGrey);
    EXPECT_LT(RingContrast(grey, red), 4.5);
    const std::optional<int> alpha = PanelAlpha({{&grey, red, 4.5}}, Qt::black, 255);
    ASSERT_TRUE(alpha.has_value());
    EXPECT_GE(RingContrast(ThroughPanel(grey, Qt::black, *alpha), red), 4.5);
    EXPECT_LT(RingContrast(ThroughPanel(grey, Qt::black, *alpha - 1), red), 4.5 * kAimFactor);
    // Stopped short of opaque, it may not get there; a shade of the colour then does.
    EXPECT_FALSE(PanelAlpha({{&grey, red, 4.5}}, Qt::black, kShadePanelAlpha).has_value());
    const std::vector<QRgb> through = ThroughPanel(grey, Qt::black, kShadePanelAlpha);
    const std::optional<QColor> shade = Shade(red, through, 4.5);
    ASSERT_TRUE(shade.has_value());
    EXPECT_GE(RingContrast(through, *shade), 4.5);
    EXPECT_GT(shade->red(), 200) << "still red";
    // Over a wild mix, black and white panels still reach any text colour when opaque.
    const std::vector<QRgb> wild = mixed(qRgb(0, 0, 0), qRgb(255, 255, 255));
    for (const QColor text : {QColor(Qt::black), QColor(Qt::white), red, QColor(128, 128, 128), QColor(0, 128, 0)})
        EXPECT_TRUE(PanelAlpha({{&wild, text, 4.5}}, OppositeColor(text), 255).has_value()) << qPrintable(text.name());
}

TEST(Legibility, TheGuardsShortcutsGiveThePlainRulesResults)
{
    // Glyph-like coverage: strokes with soft edges, a blank band, ink at the borders.
    QImage coverage(97, 41, QImage::Format_Alpha8);
    std::uint32_t seed = 7;
    for (int y = 0; y < coverage.height(); ++y)
        for (int x = 0; x < coverage.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const bool stroke = (x % 11 < 3 || y % 9 == 0) && (y < 15 || y > 22);
            coverage.scanLine(y)[x] = static_cast<uchar>(stroke ? 255 : (seed >> 24) % 4 == 0 ? seed % 130 : 0);
        }
    // The ring read as bits is the ring pixel by pixel (97 wide: a whole word and a tail).
    const QImage widened = Dilate(coverage, kRingWidth);
    std::vector<QPoint> byPixel;
    for (int y = 0; y < coverage.height(); ++y)
        for (int x = 0; x < coverage.width(); ++x)
            if (coverage.constScanLine(y)[x] == 0 && widened.constScanLine(y)[x] >= 128)
                byPixel.emplace_back(x, y);
    EXPECT_EQ(GlyphRing(coverage), byPixel);
    // The bands of inked rows read eight pixels at a time are those read pixel by pixel:
    // ink at either end, in the tail past the last whole word, alone mid-row.
    QImage sparse(45, 12, QImage::Format_Alpha8);
    sparse.fill(0);
    for (const QPoint p : {QPoint(0, 1), QPoint(44, 2), QPoint(8, 3), QPoint(39, 3), QPoint(20, 7), QPoint(41, 10)})
        sparse.scanLine(p.y())[p.x()] = 9;
    for (const QImage *image : {&sparse, &coverage}) {
        std::vector<QRect> plain;
        QRect run;
        for (int y = 0; y <= image->height(); ++y) {
            QRect row;
            for (int x = 0; y < image->height() && x < image->width(); ++x)
                if (image->constScanLine(y)[x] != 0)
                    row |= QRect(x, y, 1, 1);
            if (!row.isNull()) {
                run |= row;
            } else if (!run.isNull()) {
                plain.push_back(run.adjusted(-2, -2, 2, 2) & image->rect());
                run = QRect();
            }
        }
        EXPECT_EQ(InkedRows(*image, 2), plain) << image->width();
        // And of the widened coverage, without widening it.
        EXPECT_EQ(InkedRows(*image, 3, kRingWidth), InkedRows(Dilate(*image, kRingWidth), 3)) << image->width();
    }
    // Ink and back: premultiplied as the painter does it, and its alpha is the coverage.
    const QImage inked = Inked(coverage, qRgb(200, 30, 90));
    EXPECT_EQ(reinterpret_cast<const QRgb *>(inked.constScanLine(3))[5], qPremultiply(qRgba(200, 30, 90, coverage.constScanLine(3)[5])));
    EXPECT_EQ(AlphaOf(inked), coverage);

    // A long ring is counted into bins: the same worst tenth as ordering it all, and the
    // same tenths per channel; reading only the points kept gives the pixels kept.
    QImage picture(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            seed = seed * 1664525u + 1013904223u;
            picture.setPixel(x, y, seed | 0xff000000u);
        }
    const std::vector<QPoint> ring = GlyphRing(coverage);
    ASSERT_GT(ring.size(), 1024u);
    const std::vector<QRgb> pixels = Sample(picture, QPoint(50, 60), ring);
    for (const QColor text : {QColor(Qt::black), QColor(Qt::white), QColor(120, 120, 120)}) {
        std::vector<double> plain;
        for (const QRgb px : pixels)
            plain.push_back(ContrastRatio(RelativeLuminance(text), RelativeLuminance(px)));
        std::sort(plain.begin(), plain.end());
        EXPECT_EQ(RingContrast(pixels, text), plain[static_cast<size_t>(kWorstShare * static_cast<double>(plain.size()))]);
    }
    std::vector<double> reds;
    for (const QRgb px : pixels)
        reds.push_back(RelativeLuminance(qRgb(qRed(px), 0, 0)) / 0.2126);
    std::sort(reds.begin(), reds.end());
    const size_t tenth = static_cast<size_t>(kWorstShare * static_cast<double>(reds.size()));
    EXPECT_GE(RingSpread(pixels), ContrastRatio(reds[reds.size() - 1 - tenth], reds[tenth]) - 1e-12);
    EXPECT_EQ(Sample(picture, QPoint(50, 60), Thinned(ring, 300)), Thinned(pixels, 300));
}

TEST(ReadableSize, SixteenPixelsPerTenEightyRowsNeverUnderTwelve)
{
    using ReadableSize::MinimumInkPixels;
    EXPECT_DOUBLE_EQ(MinimumInkPixels(QSize(1920, 1080), 1.0, 96), 16.0);
    EXPECT_DOUBLE_EQ(MinimumInkPixels(QSize(3840, 2160), 1.0, 96), 32.0);
    EXPECT_DOUBLE_EQ(MinimumInkPixels(QSize(3840, 2160), 2.0, 96), 32.0); // the same pixels, doubled
    EXPECT_DOUBLE_EQ(MinimumInkPixels(QSize(800, 600), 1.0, 96), 12.0);   // no room for more
    EXPECT_DOUBLE_EQ(MinimumInkPixels(QSize(800, 600), 1.0, 144), 18.0);  // small and dense
}

} // namespace

} // namespace quillon
