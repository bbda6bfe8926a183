// The legibility setting seen from outside: with it off, the program draws over a photo
// exactly as it always did.
#include "CalendarRunFixture.h"

#include <QCryptographicHash>

namespace quillon {

namespace {
using calendartest::CalendarRun;
using calendartest::RunResult;

class LegibilityRun : public CalendarRun {
protected:
    // A made-up photo: dark on the left, light on the right, with coarse grain.
    QString WritePhoto(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        std::uint32_t seed = 11;
        for (int y = 0; y < height; ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int base = x < width / 2 ? 40 : 215;
                const int v = std::clamp(base + static_cast<int>(seed >> 27) - 16, 0, 255);
                line[x] = qRgb(v, v, std::min(255, v + 20));
            }
        }
        const QString path = TempPath(QStringLiteral("photo.png"));
        EXPECT_TRUE(image.save(path));
        return path;
    }
    static std::string PixelHash(const QImage &image)
    {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (int y = 0; y < image.height(); ++y)
            hash.addData(QByteArrayView(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4));
        return hash.result().toHex().toStdString();
    }
};

TEST_F(LegibilityRun, OffDrawsAsBeforePixelForPixel)
{
    SetScreen(1024, 640);
    CreateDatabase();
    AddEvent(QStringLiteral("Staff meeting"), false, QStringLiteral("9:30 AM"), QDate(2026, 12, 7));
    AddEvent(QStringLiteral("Advent concert"), true, QString(), QDate(2026, 12, 13));
    AddEvent(QStringLiteral("School play"), false, QStringLiteral("6:00 PM"), QDate(2026, 12, 17));
    Option("WallpaperFile", WritePhoto(1024, 640));
    Option("ChangeWallpaper", QStringLiteral("Never"));
    for (const char *name : {"MonthNameColor", "DayNameColor", "DayNumberColor", "AllDayEventsColor", "DayEventsColor"})
        Option(name, QStringLiteral("16777215"));
    Option("CurrentDayColor", QStringLiteral("65535"));
    Option("CalendarLegibility", QStringLiteral("Off"));
    const RunResult run = Run();
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    // The bitmap the renderer made before the guard existed, for this very scene.
    EXPECT_EQ(PixelHash(Wallpaper()), "253a94c6823ac760ab20d0022c7a5df614dc5ab1") << "not the old drawing";
}

} // namespace

} // namespace quillon
