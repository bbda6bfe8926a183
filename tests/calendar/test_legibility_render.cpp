// The guard on real renderings: over every kind of picture, each text the renderer
// draws stands out from the ring of pixels around its glyphs by the ratio it needs.
#include "CalendarRunFixture.h"

#include "CalendarDrawing.h"

#include "EventStore.h"
#include "Legibility.h"
#include "basCalendarFonts.h"
#include "basDesktopWallpaper.h"
#include "basQuillon.h"
#include "frmCalendar.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImageWriter>

#include <algorithm>
#include <functional>

namespace quillon {

namespace {
using calendartest::CalendarRun;

class LegibilityRender : public CalendarRun {
protected:
    void SetUp() override
    {
        CalendarRun::SetUp();
        SetNow(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        CreateDatabase();
        AddEvent(QStringLiteral("Staff meeting"), false, QStringLiteral("9:30 AM"), QDate(2026, 12, 7));
        AddEvent(QStringLiteral("Advent concert"), true, QString(), QDate(2026, 12, 13));
        AddEvent(QStringLiteral("Car to the garage"), false, QStringLiteral("8:00 AM"), QDate(2026, 12, 15));
        AddEvent(QStringLiteral("School play"), false, QStringLiteral("6:00 PM"), QDate(2026, 12, 15));
        Option("ChangeWallpaper", QStringLiteral("Never"));
    }
    QString Picture(const char *name, const std::function<QRgb(int, int, std::uint32_t)> &pixel)
    {
        QImage image(800, 800, QImage::Format_RGB32);
        std::uint32_t seed = 5;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                image.setPixel(x, y, pixel(x, y, seed >> 8));
            }
        const QString path = TempPath(QLatin1String(name) + QStringLiteral(".png"));
        EXPECT_TRUE(image.save(path));
        return path;
    }
    void TextColors(const QString &color, const QString &today)
    {
        for (const char *name : {"MonthNameColor", "DayNameColor", "DayNumberColor", "AllDayEventsColor", "DayEventsColor"})
            Option(name, color);
        Option("CurrentDayColor", today);
    }
    // Renders and checks every text on the pixels; returns how many texts got an outline.
    int RenderAndCheck(const char *scene)
    {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection());
        frmCalendar form(basQuillon::LoadGeneralSettings(), basCalendarFonts::LoadCalendarFonts(), false, nullptr, &store);
        form.Form_Load();
        EXPECT_TRUE(form.FormLoadSuccessful()) << scene;
        const QImage image = basDesktopWallpaper::RenderWindow(form);
        int halos = 0;
        const std::vector<CalendarLabel *> labels = form.TextLabels();
        EXPECT_GT(labels.size(), 40u) << scene;
        for (const CalendarLabel *label : labels) {
            const QImage coverage = label->GlyphCoverage(1.0);
            const std::vector<QPoint> ring = Legibility::GlyphRing(coverage);
            EXPECT_FALSE(ring.empty()) << scene << ": " << qPrintable(label->text());
            const double contrast = Legibility::RingContrast(
                Legibility::Sample(image, label->mapTo(&form, QPoint(0, 0)), ring), label->DrawnColor());
            EXPECT_GE(contrast, label->RequiredRatio()) << scene << ": \"" << qPrintable(label->text()) << "\"";
            halos += label->OutlineDrawn() ? 1 : 0;
        }
        // Today keeps its own colour whatever the background.
        EXPECT_EQ(form.lblDayNumber[8]->TextColor(), QColor(255, 255, 0)) << scene;
        lastPanels = form.Panels().size();
        // The middles of an empty cell before the 1st and of the 8th, which has no events.
        const QPoint cell(form.lblDayNumber[1]->x() - form.lblDayNumber[0]->x(), form.lblDayNumber[7]->y() - form.lblDayNumber[0]->y());
        for (const int k : {0, 9}) {
            const QPoint middle = form.lblDayNumber[k]->mapTo(&form, QPoint(cell.x() / 2, cell.y() / 2));
            lastMiddles[k == 0 ? 0 : 1] = image.copy(QRect(middle, QSize(24, 24)));
        }
        return halos;
    }
    size_t lastPanels = 0;
    QImage lastMiddles[2];
};

// How busy a block of the drawing is, as the guard judges a backdrop.
double Busy(const QImage &block)
{
    std::vector<QRgb> pixels;
    for (int y = 0; y < block.height(); ++y)
        for (int x = 0; x < block.width(); ++x)
            pixels.push_back(block.pixel(x, y));
    return Legibility::RingSpread(pixels);
}

TEST_F(LegibilityRender, EveryTextReachesItsRatioOverAnyPicture)
{
    const struct Scene {
        const char *name;
        std::function<QRgb(int, int, std::uint32_t)> pixel;
    } scenes[] = {
        {"dark", [](int, int, std::uint32_t r) { return qRgb(20 + r % 12, 24, 30); }},
        {"light", [](int, int, std::uint32_t r) { return qRgb(235, 232 + r % 10, 220); }},
        {"half", [](int x, int, std::uint32_t) { return x < 400 ? qRgb(15, 15, 15) : qRgb(245, 245, 245); }},
        {"noise", [](int, int, std::uint32_t r) { const int v = static_cast<int>(r % 256); return qRgb(v, (v * 7) % 256, 255 - v); }},
    };
    for (const Scene &scene : scenes) {
        Option("WallpaperFile", Picture(scene.name, scene.pixel));
        for (const char *text : {"0", "16777215"}) {
            TextColors(QLatin1String(text), QStringLiteral("65535"));
            RenderAndCheck(scene.name);
        }
    }
    // Busy noise gets a calm panel behind the grid.
    Option("WallpaperFile", Picture("noise", scenes[3].pixel));
    TextColors(QStringLiteral("16777215"), QStringLiteral("65535"));
    RenderAndCheck("noise");
    EXPECT_GE(lastPanels, 1u);
    // And one even panel, where the scrim stops short of opaque and the days ask for
    // more: an empty cell lets as much of the grain through as a day's cell.
    Option("WallpaperFile", Picture("grey noise", [](int, int, std::uint32_t r) {
        const int v = static_cast<int>(r % 256);
        return qRgb(v, v, v);
    }));
    TextColors(QStringLiteral("0"), QStringLiteral("65535"));
    Option("CalendarLegibility", QStringLiteral("Automatic"));
    RenderAndCheck("grey noise");
    const double empty = Busy(lastMiddles[0]), day = Busy(lastMiddles[1]);
    EXPECT_GT(day, 1.0);
    EXPECT_NEAR(empty, day, (day - 1.0) * 0.25);
}

TEST_F(LegibilityRender, LiturgicalPurpleOnTheDefaultColourAndUserColoursKept)
{
    // No picture, no colour: the desktop's blue, where purple nearly vanishes. It gets a
    // calm panel behind the grid, not outlines round every letter.
    TextColors(QStringLiteral("8388736"), QStringLiteral("65535"));
    EXPECT_EQ(RenderAndCheck("purple on the default colour"), 0);
    EXPECT_GE(lastPanels, 1u);
    // Black on the light default paper already reads, and red today over it stays red
    // and crisp: no outline, no shade, no box.
    Option("WallpaperColor", QStringLiteral("15790320"));
    TextColors(QStringLiteral("0"), QStringLiteral("255"));
    basDatabase::EventStore store;
    ASSERT_TRUE(store.OpenDatabaseConnection());
    frmCalendar form(basQuillon::LoadGeneralSettings(), basCalendarFonts::LoadCalendarFonts(), false, nullptr, &store);
    form.Form_Load();
    basDesktopWallpaper::RenderWindow(form);
    for (const CalendarLabel *label : form.TextLabels()) {
        EXPECT_FALSE(label->OutlineDrawn()) << qPrintable(label->text());
        EXPECT_EQ(label->DrawnColor(), label->TextColor()) << qPrintable(label->text());
        EXPECT_GE(label->MeasuredRatio(), label->RequiredRatio()) << qPrintable(label->text());
    }
    EXPECT_EQ(form.lblDayEvents[8]->DrawnColor(), QColor(255, 0, 0));
    EXPECT_TRUE(form.Panels().empty());
}

TEST_F(LegibilityRender, PanelsLaidOnTheWayOutGiveTheSameBitmap)
{
    // A busy picture: a panel behind the grid, most of it laid as the file is written,
    // not in the picture.
    Option("WallpaperFile", Picture("noise", [](int, int, std::uint32_t r) {
        const int v = static_cast<int>(r % 256);
        return qRgb(v, (v * 7) % 256, 255 - v);
    }));
    TextColors(QStringLiteral("16777215"), QStringLiteral("65535"));
    basDatabase::EventStore store;
    ASSERT_TRUE(store.OpenDatabaseConnection());
    auto render = [&](const std::function<void(frmCalendar &)> &draw) {
        frmCalendar form(basQuillon::LoadGeneralSettings(), basCalendarFonts::LoadCalendarFonts(), false, nullptr, &store);
        form.Form_Load();
        EXPECT_TRUE(form.FormLoadSuccessful());
        draw(form);
    };
    QImage whole;
    render([&](frmCalendar &form) { whole = CalendarDrawing::RenderWindow(form); });
    QByteArray expected;
    QBuffer qtWriter(&expected);
    ASSERT_TRUE(qtWriter.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QImageWriter(&qtWriter, "bmp").write(whole));
    render([&](frmCalendar &form) {
        const PanelledBitmap later = CalendarDrawing::RenderPanelsLater(form);
        ASSERT_FALSE(later.panels.empty());
        EXPECT_NE(later.image, whole); // the panels are not all in it yet
        EXPECT_EQ(Finished(later), whole);
        QByteArray streamed;
        QBuffer out(&streamed);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        RingPixels rings;
        ASSERT_TRUE(WriteBmp(later, out, &rings));
        EXPECT_TRUE(streamed == expected) << streamed.size() << " bytes, Qt's writer " << expected.size();
        // The texts went out with the panels, and their rings read what the finished
        // drawing has under them.
        ASSERT_FALSE(later.texts.empty());
        ASSERT_EQ(rings.size(), later.texts.size());
        for (size_t k = 0; k < rings.size(); ++k) {
            std::vector<QRgb> written = rings[k], drawn = Legibility::Sample(whole, later.texts[k].origin, *later.texts[k].ring);
            std::sort(written.begin(), written.end());
            std::sort(drawn.begin(), drawn.end());
            EXPECT_TRUE(written == drawn) << k;
        }
        // One read short of its ratio leaves the texts to the check of the drawing
        // finished in place; as written, every one reaches it and the guard lets go.
        RingPixels faint = rings;
        faint.front().assign(faint.front().size() + 1, later.texts.front().color);
        EXPECT_FALSE(form.EndLegibility(faint));
        QImage inPlace = Finished(later);
        form.EndLegibility(inPlace);
        EXPECT_EQ(inPlace, whole);
        for (const CalendarLabel *label : form.TextLabels())
            EXPECT_GE(label->MeasuredRatio(), label->RequiredRatio()) << qPrintable(label->text());
    });
    render([&](frmCalendar &form) {
        const PanelledBitmap later = CalendarDrawing::RenderPanelsLater(form);
        QByteArray streamed;
        QBuffer out(&streamed);
        RingPixels rings;
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && WriteBmp(later, out, &rings));
        EXPECT_TRUE(form.EndLegibility(rings));
        for (const CalendarLabel *label : form.TextLabels())
            EXPECT_GE(label->MeasuredRatio(), label->RequiredRatio()) << qPrintable(label->text());
    });
    // Rows that end in padding, or in fewer than four pixels of their own.
    for (const int w : {5, 6, 7, 9}) {
        QImage image(w, 6, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, qRgb(x * 37 + y, 255 - x * 23, y * 41));
        const PanelledBitmap small{image, 1.0, {Panel{QRect(1, 1, w - 2, 4), QColor(255, 255, 255, 140)}}, QRegion(), {}};
        QByteArray qt, ours;
        QBuffer qtOut(&qt), ourOut(&ours);
        ASSERT_TRUE(qtOut.open(QIODevice::WriteOnly) && ourOut.open(QIODevice::WriteOnly));
        ASSERT_TRUE(QImageWriter(&qtOut, "bmp").write(Finished(small)));
        ASSERT_TRUE(WriteBmp(small, ourOut));
        EXPECT_TRUE(ours == qt) << w << " pixels wide";
    }
}

TEST_F(LegibilityRender, ADayThatDoesNotFitEndsWithHowManyMore)
{
    CalendarLabel label(nullptr);
    label.setWordWrap(true);
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int spacing = QFontMetrics(label.font()).lineSpacing();
    const QString five = QStringLiteral("9:00a  One\n10:00a  Two\n11:00a  Three\n12:00p  Four\n1:00p  Five");
    struct Case {
        int width;
        int lines;          // the label's room, in lines
        QString expected;   // what it shows
        int hidden;
    };
    const Case cases[] = {
        {400, 4, QStringLiteral("9:00a  One\n10:00a  Two\n11:00a  Three\n+2 more"), 2},
        {400, 5, five, 0},
        {400, 1, QStringLiteral("+5 more"), 5},
    };
    for (const Case &c : cases) {
        label.setText(five);
        label.resize(c.width, c.lines * spacing + spacing / 2);
        label.FitLines();
        EXPECT_EQ(label.text(), c.expected) << c.lines;
        EXPECT_EQ(label.HiddenLines(), c.hidden) << c.lines;
        EXPECT_LE(label.TextBox().height(), label.height());
    }
    // A line that wraps takes two lines of the room.
    label.setText(QStringLiteral("9:00a  A meeting whose name wraps\n10:00a  Two\n11:00a  Three"));
    label.resize(QFontMetrics(label.font()).horizontalAdvance(QStringLiteral("9:00a  A meeting whose")) + 4,
                 3 * spacing + spacing / 2);
    label.FitLines();
    EXPECT_TRUE(label.text().endsWith(QStringLiteral("\n+2 more"))) << qPrintable(label.text());
}

} // namespace

} // namespace quillon
