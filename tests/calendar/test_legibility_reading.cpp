// The month read back from the drawn wallpaper at 1920x1080, as a person at a chair
// would meet it, over pictures made here: every text's ring reaches its contrast ratio,
// and an OCR reader (tesseract) reads back the day numbers and the events' words.
#include "CalendarRunFixture.h"

#include "EventStore.h"
#include "Legibility.h"
#include "basCalendarFonts.h"
#include "basDesktopWallpaper.h"
#include "basQuillon.h"
#include "frmCalendar.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace quillon {

namespace {
using calendartest::CalendarRun;

// This program's own screen is a full-HD one: set before main makes the application.
const bool kFullHdScreen = qputenv("QT_QPA_PLATFORM",
                                   "offscreen:configfile=" QUILLON_SOURCE_DIR "/tests/calendar/screen-1920x1080.json");

const char *const kEvents[][3] = {
    // day, start ("" all day), name
    {"7", "9:30 AM", "Staff meeting"},   {"9", "2:00 PM", "Dentist"},         {"10", "7:15 PM", "Choir rehearsal"},
    {"11", "12:00 PM", "Lunch with Anna"}, {"13", "", "Advent concert"},      {"15", "6:00 PM", "School play"},
    {"15", "8:00 AM", "Car to the garage"}, {"18", "4:30 PM", "Office party"}, {"24", "", "Christmas Eve"},
    {"25", "", "Christmas Day"},         {"26", "1:00 PM", "Family dinner"},  {"31", "", "New Year's Eve"},
};

QString Word(const QString &text) { return text.toLower().remove(QRegularExpression(QStringLiteral("[^a-z0-9']"))); }

// A photo-like picture: smooth colour fields with a little grain.
QImage Photo(QRgb from, QRgb to, std::uint32_t seed)
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const double t = 0.5 + 0.35 * std::sin(x / 260.0 + y / 410.0) + 0.15 * std::cos(y / 90.0);
            const int grain = static_cast<int>(seed >> 29) - 4;
            auto mix = [&](int a, int b) { return std::clamp(static_cast<int>(a + (b - a) * t) + grain, 0, 255); };
            line[x] = qRgb(mix(qRed(from), qRed(to)), mix(qGreen(from), qGreen(to)), mix(qBlue(from), qBlue(to)));
        }
    }
    return image;
}

class LegibilityReading : public CalendarRun {
protected:
    void SetUp() override
    {
        CalendarRun::SetUp();
        SetNow(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        // The built store, for the church year's colours.
        QFile::remove(basDatabase::EventStore::DatabasePath());
        ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_PROGRAM_DIR "/dbcalndr.sqlite"),
                                basDatabase::EventStore::DatabasePath()));
        QFile::setPermissions(basDatabase::EventStore::DatabasePath(), QFile::ReadOwner | QFile::WriteOwner);
        for (const auto &e : kEvents)
            AddEvent(QLatin1String(e[2]), e[1][0] == '\0', QLatin1String(e[1]), QDate(2026, 12, QByteArray(e[0]).toInt()));
        Option("ChangeWallpaper", QStringLiteral("Never"));
    }
    // Recall of the expected words (each day number, each word of each event) in what
    // tesseract reads with the given page segmentation, each word counted as often as it
    // is expected.
    double Recall(const QImage &image, int pageSegmentation)
    {
        const QString path = TempPath(QStringLiteral("read.png"));
        EXPECT_TRUE(image.save(path));
        QProcess reader;
        reader.start(QStringLiteral("tesseract"),
                     {path, QStringLiteral("stdout"), QStringLiteral("--psm"), QString::number(pageSegmentation)});
        EXPECT_TRUE(reader.waitForFinished(60000));
        std::map<QString, int> read;
        for (const QString &w : QString::fromUtf8(reader.readAllStandardOutput()).split(QRegularExpression(QStringLiteral("\\s+"))))
            ++read[Word(w)];
        int expected = 0, found = 0;
        auto expect = [&](const QString &w) {
            ++expected;
            if (read[Word(w)]-- > 0)
                ++found;
        };
        for (int day = 1; day <= 31; ++day)
            expect(QString::number(day));
        for (const auto &e : kEvents)
            for (const QString &w : QString::fromLatin1(e[2]).split(QLatin1Char(' ')))
                expect(w);
        return static_cast<double>(found) / expected;
    }
};

TEST_F(LegibilityReading, EveryTextReachesItsRatioAndIsReadBackOverAnyPicture)
{
    if (QStandardPaths::findExecutable(QStringLiteral("tesseract")).isEmpty())
        GTEST_SKIP() << "tesseract is not installed (Debian: tesseract-ocr)";
    ASSERT_TRUE(kFullHdScreen);
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry().size(), QSize(1920, 1080));
    auto convert = [this](const char *name, const QStringList &args) {
        const QString path = TempPath(QLatin1String(name) + QStringLiteral(".png"));
        QProcess::execute(QStringLiteral("convert"), QStringList(args) << path);
        return path;
    };
    auto made = [this](const char *name, const QImage &image) {
        const QString path = TempPath(QLatin1String(name) + QStringLiteral(".png"));
        EXPECT_TRUE(image.save(path));
        return path;
    };
    const QString size = QStringLiteral("1920x1080");
    const QString dark = convert("dark", {"-size", size, "-seed", "3", "plasma:black-gray25"});
    const QString light = convert("light", {"-size", size, "-seed", "5", "plasma:white-gray75"});
    const QString fractal = convert("fractal", {"-size", size, "-seed", "7", "plasma:fractal"});
    const QString gradient = convert("gradient", {"-size", "1080x1920", "gradient:black-white", "-rotate", "90"});
    const QString checker = convert("checker", {"-size", size, "pattern:checkerboard", "-scale", "400%", "-crop",
                                                "1920x1080+0+0", "+repage"});
    const QString noise = convert("noise", {"-size", size, "-seed", "11", "xc:gray50", "+noise", "Random"});
    const QString teal = made("teal", Photo(qRgb(10, 70, 80), qRgb(120, 190, 180), 17));
    const QString blue = made("blue", Photo(qRgb(20, 50, 110), qRgb(140, 180, 230), 23));
    // And the photos a desktop ships (xfdesktop4's), where there are.
    auto shipped = [](const char *name) {
        const QString path = QStringLiteral("/usr/share/backgrounds/xfce/") + QLatin1String(name);
        return QFileInfo::exists(path) ? path : QString();
    };

    const char *const black = "0", *const white = "16777215", *const red = "255";
    // The reader is given the whole wallpaper, as a check from outside would read it,
    // reading it as one block of text (a month is rows of aligned labels), where each
    // scene must reach 0.9; and as sparse text, printed beside it. Read sparse, the
    // reader leaves out a digit standing on its own (the first week's days, 6, 8)
    // however clear it is drawn, even on a plain colour: 7 of the 58 words.
    const struct Scene {
        const char *name;
        QString picture;         // empty: the desktop's own colour
        const char *text;        // the five text colours
        bool liturgical;
        double blockFloor = 0.9;
        bool whole = true;       // false: only the month's part is read (noise keeps the reader busy for minutes)
    } scenes[] = {
        {"dark plasma", dark, black, false},         {"dark plasma, white text", dark, white, false},
        {"light plasma", light, black, false},       {"light plasma, white text", light, white, false},
        {"busy fractal", fractal, black, false},     {"black-white gradient", gradient, black, false},
        {"checkerboard", checker, black, false},     {"teal photo", teal, black, false},
        {"blue photo", blue, black, false},          {"classic blue, liturgical", QString(), black, true},
        {"xfce teal", shipped("xfce-teal.jpg"), black, false},
        {"xfce blue", shipped("xfce-blue.jpg"), black, false},
        {"xfce verticals", shipped("xfce-verticals.png"), black, false},
        // Read as one block, each line runs on into the grains beside the panel and its
        // words take some of them in; read sparse, the month reads as well as elsewhere.
        {"noise", noise, black, false, 0.45, false},
    };
    std::printf("%-28s %6s %6s\n", "background", "block", "sparse");
    for (const Scene &scene : scenes) {
        if (scene.picture.isNull() && !scene.liturgical)
            continue; // a shipped photo this machine does not have
        Option("WallpaperFile", scene.picture);
        Option("WallpaperColor", QStringLiteral("-1"));
        for (const char *name : {"MonthNameColor", "DayNameColor", "DayNumberColor", "AllDayEventsColor", "DayEventsColor"})
            Option(name, QLatin1String(scene.text));
        Option("CurrentDayColor", QLatin1String(red));
        Option("CalendarUseLiturgicalColors", QLatin1String(scene.liturgical ? "1" : "0"));
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection());
        frmCalendar form(basQuillon::LoadGeneralSettings(), basCalendarFonts::LoadCalendarFonts(), false, nullptr, &store);
        form.Form_Load();
        ASSERT_TRUE(form.FormLoadSuccessful()) << scene.name;
        const QImage image = basDesktopWallpaper::RenderWindow(form);
        ASSERT_EQ(image.size(), QSize(1920, 1080));
        // Measured again here, on the bitmap, from the labels' own glyphs.
        for (const CalendarLabel *label : form.TextLabels()) {
            const std::vector<QPoint> ring = Legibility::GlyphRing(label->GlyphCoverage(1.0));
            const double contrast = Legibility::RingContrast(
                Legibility::Sample(image, label->mapTo(&form, QPoint(0, 0)), ring), label->DrawnColor());
            EXPECT_GE(contrast, label->RequiredRatio()) << scene.name << ": \"" << qPrintable(label->text()) << "\"";
        }
        // Events read from a chair: a one-line event's ink, capital to descender, 16 px.
        for (const CalendarLabel *label : form.lblDayEvents) {
            if (label->text().isEmpty() || label->text().contains(QLatin1Char('\n')))
                continue;
            const QImage ink = label->GlyphCoverage(1.0);
            int top = ink.height(), bottom = -1;
            for (int y = 0; y < ink.height(); ++y)
                for (int x = 0; x < ink.width(); ++x)
                    if (ink.constScanLine(y)[x] > 127) {
                        top = std::min(top, y);
                        bottom = y;
                        break;
                    }
            EXPECT_GE(bottom - top + 1, 16) << scene.name << ": \"" << qPrintable(label->text()) << "\"";
        }
        // The church year's tiles (Christmas white) lie on the scrim behind the grid,
        // the last column's too: none sticks out past its edge.
        if (scene.liturgical) {
            const auto &panels = form.Panels();
            ASSERT_GT(panels.size(), 1u);
            for (const auto &panel : panels)
                EXPECT_TRUE(panels.front().rect.contains(panel.rect)) << panel.rect.x() << "," << panel.rect.y();
        }
        QImage read = image;
        if (!scene.whole) {
            QRect month;
            for (const CalendarLabel *label : form.TextLabels())
                month |= label->geometry();
            read = image.copy(month.adjusted(-120, -120, 120, 120) & image.rect());
        }
        const double block = Recall(read, 6);
        const double sparse = Recall(read, 11);
        std::printf("%-28s %6.2f %6.2f\n", scene.name, block, sparse);
        EXPECT_GE(block, scene.blockFloor) << scene.name;
        EXPECT_GE(sparse, 0.8) << scene.name;
    }
}

} // namespace

} // namespace quillon
