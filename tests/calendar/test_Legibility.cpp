#include "Legibility.h"

#include <gtest/gtest.h>

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

TEST(Legibility, HaloAlwaysReachesTheRatioAndStaysSoftWhereItCan)
{
    for (int v = 0; v < 256; v += 5)
        for (const QColor text : {QColor(v, v, v), QColor(v, 0, 255 - v), QColor(255, v, 0)})
            for (const double required : {3.0, 4.5})
                EXPECT_GE(ContrastRatio(text, HaloColor(text, required)), required) << qPrintable(text.name());
    // White text gets a dark grey, not black; black text a mid grey, not white.
    const QColor behindWhite = HaloColor(Qt::white, 4.5);
    EXPECT_GT(behindWhite.red(), 60);
    EXPECT_LT(behindWhite.red(), 128);
    EXPECT_GT(HaloColor(Qt::black, 4.5).red(), 100);
    EXPECT_LT(HaloColor(Qt::black, 4.5).red(), 200);
}

TEST(Legibility, BoxStatisticsAndTheDecision)
{
    // Left half black, right half white.
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    for (const int step : {1, 4}) {
        const LuminanceMap map(image, step);
        const BoxStats dark = map.Stats(QRect(0, 0, 80, 100));
        EXPECT_NEAR(dark.mean, 0.0, 1e-9) << step;
        EXPECT_NEAR(dark.deviation, 0.0, 1e-9);
        const BoxStats half = map.Stats(QRect(50, 0, 100, 100));
        EXPECT_NEAR(half.mean, 0.5, 1e-9) << step;
        EXPECT_NEAR(half.deviation, 0.5, 1e-9);
        EXPECT_EQ(half.low, 0.0);
        EXPECT_EQ(half.high, 1.0);
    }
    const LuminanceMap map(image, 1);
    // Black on black: calm, so a halo and no panel; white on it reads as it is.
    const Decision onDark = Decide(Qt::black, 4.5, map.Stats(QRect(0, 0, 80, 100)));
    EXPECT_FALSE(onDark.readable);
    EXPECT_FALSE(onDark.panel);
    EXPECT_TRUE(Decide(Qt::white, 4.5, map.Stats(QRect(0, 0, 80, 100))).readable);
    // Across both halves: busy, a white panel behind black text, as clear as it can be.
    const Decision across = Decide(Qt::black, 4.5, map.Stats(QRect(50, 0, 100, 100)));
    EXPECT_FALSE(across.readable);
    EXPECT_TRUE(across.panel);
    EXPECT_EQ(across.panelColor, QColor(Qt::white));
    EXPECT_GE(across.panelAlpha, kMinPanelAlpha);
    EXPECT_LE(across.panelAlpha, kMaxPanelAlpha + 1e-9);
    // Through a white panel of the chosen opacity, black ground reaches the ratio when the
    // opacity is below the maximum.
    if (across.panelAlpha < kMaxPanelAlpha)
        EXPECT_GE(ContrastRatio(0.0, ThroughPanel(0.0, Qt::white, across.panelAlpha)), 4.5);
}

TEST(Legibility, FrameIsTheUninkedRingAroundFullInk)
{
    // A 3x3 inked square with a half-covered edge pixel, in a 7x7 field.
    QImage coverage(7, 7, QImage::Format_Alpha8);
    coverage.fill(0);
    for (int y = 2; y <= 4; ++y)
        for (int x = 2; x <= 4; ++x)
            coverage.scanLine(y)[x] = 255;
    coverage.scanLine(3)[5] = 128;
    const std::vector<QPoint> frame = GlyphFrame(coverage);
    EXPECT_EQ(frame.size(), 15u); // the 16 pixels around the square, less the half-covered one
    for (const QPoint &p : frame)
        EXPECT_EQ(coverage.constScanLine(p.y())[p.x()], 0);
    const QImage widened = Dilate(coverage, 1);
    for (const QPoint &p : frame)
        EXPECT_EQ(widened.constScanLine(p.y())[p.x()], 255);

    // The frame is judged on the backdrop's pixels under it: one dark pixel is enough to fail.
    QImage backdrop(10, 10, QImage::Format_RGB32);
    backdrop.fill(Qt::white);
    EXPECT_NEAR(FrameContrast(backdrop, QPoint(1, 1), frame, Qt::black), 21.0, 1e-9);
    backdrop.setPixel(1 + frame[3].x(), 1 + frame[3].y(), qRgb(40, 40, 40));
    EXPECT_LT(FrameContrast(backdrop, QPoint(1, 1), frame, Qt::black), 2.0);
}

} // namespace

} // namespace quillon
