// The calendar program end to end: settings, store and clock in, a bitmap out.
#include "CalendarRunFixture.h"

#include "EventService.h"
#include "EventStore.h"
#include "SubscriptionStore.h"
#include "basQuillon.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>

#include <memory>

#include <unistd.h>

namespace quillon {

namespace {
using calendartest::CalendarRun;
using calendartest::RunResult;

constexpr QRgb kPaper = qRgb(240, 240, 240);   // 15790320
constexpr QRgb kRed = qRgb(255, 0, 0);         // 255

class CalendarProgram : public CalendarRun {
protected:
    void SetUp() override
    {
        CalendarRun::SetUp();
        Option("WallpaperColor", QStringLiteral("15790320"));
        Option("CurrentDayColor", QStringLiteral("255"));
    }
};

TEST_F(CalendarProgram, CentredMonthOverAColourWithTodayHighlighted)
{
    // The designed sizes: the legibility guard would grow them to a readable size.
    Option("CalendarLegibility", QStringLiteral("Off"));
    CreateDatabase();
    AddEvent(QStringLiteral("Staff meeting"), false, QStringLiteral("9:30 AM"), QDate(2026, 12, 7));
    AddEvent(QStringLiteral("Advent concert"), true, QString(), QDate(2026, 12, 13));
    const RunResult run = Run();
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(run.out.trimmed(), QDir::toNativeSeparators(WallpaperPath()));
    EXPECT_TRUE(run.err.contains(QLatin1String("wallpaper was not set"))) << qPrintable(run.err);

    const QImage image = Wallpaper();
    ASSERT_EQ(image.size(), QSize(1920, 1080));
    EXPECT_EQ(image.pixel(0, 0), kPaper);
    EXPECT_EQ(image.pixel(1919, 1079), kPaper);
    // The grid, 13540 twips = 903 pixels wide, sits in the middle.
    const QRect ink = InkBox(image, kPaper);
    EXPECT_NEAR(ink.left(), (1920 - 903) / 2, 4);
    EXPECT_NEAR(ink.center().y(), 540, 90);
    // Monday 7 December is the only red cell: column 1 of the grid.
    const QRect red = ColorBox(image, kRed);
    ASSERT_FALSE(red.isEmpty());
    const int column1 = (28800 - 13540) / 2 / 15 + 1940 / 15;
    EXPECT_GE(red.left(), column1 - 1);
    EXPECT_LE(red.right(), column1 + 1940 / 15);
    EXPECT_GT(red.height(), 15); // the day number and the event line below it
    EXPECT_FALSE(QFile::exists(TempPath(QStringLiteral("error.log"))));
}

// An event made in Berlin at 3 PM is drawn at 9:00 AM once the system is in New York,
// exactly as one stored at 9:00 AM there; in Berlin it is drawn otherwise.
TEST_F(CalendarProgram, AZonedEventIsDrawnAtItsTimeWhereverTheSystemIs)
{
    const auto draw = [this](const char *zone) {
        env.Set("TZ", zone);
        const RunResult run = Run();
        EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
        return Wallpaper();
    };
    CreateDatabase();
    {
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection());
        Event call;
        call.EventName = QStringLiteral("Call");
        call.StartTime = call.EndTime = QTime(15, 0);
        call.Dates = {QDate(2026, 12, 8)};
        ASSERT_TRUE(EventService(store, QTimeZone("Europe/Berlin")).Save(call));
    }
    const QImage inBerlin = draw("Europe/Berlin");
    const QImage inNewYork = draw("America/New_York");

    ASSERT_TRUE(QFile::remove(basDatabase::EventStore::DatabasePath()));
    CreateDatabase();
    AddEvent(QStringLiteral("Call"), false, QStringLiteral("9:00 AM"), QDate(2026, 12, 8));
    const QImage storedAtNine = draw("America/New_York");
    EXPECT_TRUE(inNewYork == storedAtNine);
    EXPECT_FALSE(inBerlin == storedAtNine);
}

// A calendar's events are drawn as this computer's are; hidden, the calendar is not
// drawn at all, and shown again it is back.
TEST_F(CalendarProgram, AHiddenCalendarIsNotDrawn)
{
    const auto draw = [this] {
        const RunResult run = Run();
        EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
        return Wallpaper();
    };
    basDatabase::EventRecord choir;
    choir.EventName = QStringLiteral("Choir rehearsal");
    choir.StartTime = choir.EndTime = QTime(19, 15);
    CreateDatabase();
    const QImage empty = draw();
    AddEvent(choir.EventName, false, QStringLiteral("7:15 PM"), QDate(2026, 12, 9));
    const QImage own = draw();

    ASSERT_TRUE(QFile::remove(basDatabase::EventStore::DatabasePath()));
    CreateDatabase();
    basDatabase::EventStore store;
    ASSERT_TRUE(store.OpenDatabaseConnection());
    basDatabase::SubscriptionStore subscriptions(store);
    basDatabase::Subscription work;
    work.Address = QStringLiteral("https://dav.example/work/");
    ASSERT_TRUE(subscriptions.AddSubscription(work));
    basDatabase::RefreshCount count;
    ASSERT_TRUE(subscriptions.ReplaceEvents(
        work.Id, {{QStringLiteral("choir"), QStringLiteral("1"), choir, {QDate(2026, 12, 9)}, {}}}, count));
    EXPECT_TRUE(draw() == own);
    ASSERT_TRUE(subscriptions.SetHidden(work.Id, true));
    EXPECT_TRUE(draw() == empty);
    ASSERT_TRUE(subscriptions.SetHidden(work.Id, false));
    EXPECT_TRUE(draw() == own);
    EXPECT_FALSE(own == empty);
}

TEST_F(CalendarProgram, OrientationPutsTheGridInItsCorner)
{
    Option("CalendarLegibility", QStringLiteral("Off"));
    CreateDatabase();
    SetScreen(1280, 1024);
    Option("CalendarOrientation", QStringLiteral("1"));
    ASSERT_EQ(Run().exitCode, 0);
    QRect ink = InkBox(Wallpaper(), kPaper);
    EXPECT_NEAR(ink.left(), 50 / 15, 3);
    EXPECT_NEAR(ink.top(), 50 / 15, 6);

    Option("CalendarOrientation", QStringLiteral("4"));
    ASSERT_EQ(Run().exitCode, 0);
    const QImage image = Wallpaper();
    ASSERT_EQ(image.size(), QSize(1280, 1024));
    ink = InkBox(image, kPaper);
    EXPECT_NEAR(ink.left(), 1280 - 903, 3);     // "Sun" starts at the grid's left edge
    EXPECT_LE(ink.right(), 1279);
    EXPECT_GT(ink.top(), 1024 / 3);
    EXPECT_LT(ink.bottom(), 1023);

    // A HiDPI screen gives a bitmap of its physical pixels.
    SetScreen(1280, 720, 2.0);
    ASSERT_EQ(Run().exitCode, 0);
    EXPECT_EQ(Wallpaper().size(), QSize(2560, 1440));

    // 800 x 600 forces the grid to fill the screen whatever is stored.
    SetScreen(800, 600);
    ASSERT_EQ(Run().exitCode, 0);
    ink = InkBox(Wallpaper(), kPaper);
    EXPECT_NEAR(ink.left(), 3, 3);
    EXPECT_GT(ink.right(), 800 - 130); // the Saturday column reaches the right side
}

TEST_F(CalendarProgram, SixRowMonthReachesFurtherDown)
{
    CreateDatabase();
    Option("CalendarOrientation", QStringLiteral("1"));
    SetToday(QDate(2026, 6, 10)); // June 2026: Monday the 1st, 30 days, five rows
    ASSERT_EQ(Run().exitCode, 0);
    const QRect five = InkBox(Wallpaper(), kPaper);
    SetToday(QDate(2026, 5, 10)); // May 2026: Friday the 1st, 31 days, six rows
    ASSERT_EQ(Run().exitCode, 0);
    const QRect six = InkBox(Wallpaper(), kPaper);
    // One more row of 1310 twips (87 pixels) holds the 31st.
    EXPECT_GT(six.bottom() - five.bottom(), 75);
}

TEST_F(CalendarProgram, ClearModeLeavesOnlyTheBackground)
{
    // No database and the calendar switched off: "-1" still draws the background.
    Option("DisplayCalendarOnDesktop", QStringLiteral("0"));
    RunResult run = Run({QStringLiteral("-1")});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const QImage image = Wallpaper();
    ASSERT_EQ(image.size(), QSize(1920, 1080));
    EXPECT_TRUE(InkBox(image, kPaper).isEmpty());
    EXPECT_FALSE(QFile::exists(TempPath(QStringLiteral("dbcalndr.sqlite"))));

    // Anything but exactly "-1" draws the calendar, which is switched off here.
    QFile::remove(WallpaperPath());
    for (const QStringList &args : {QStringList{QStringLiteral("-10")}, QStringList{QStringLiteral("1")},
                                    QStringList{QStringLiteral("-1"), QStringLiteral("x")}}) {
        run = Run(args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_FALSE(QFile::exists(WallpaperPath())) << qPrintable(args.join(' '));
    }
}

TEST_F(CalendarProgram, DueRotationPicksTheNextPicture)
{
    const QString folder = TempPath(QStringLiteral("pictures"));
    ASSERT_TRUE(QDir().mkpath(folder));
    auto picture = [&](const char *name, QRgb color) {
        QImage image(64, 36, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(folder + QLatin1Char('/') + QLatin1String(name), "BMP"));
    };
    picture("a.bmp", qRgb(200, 30, 30));
    QFile(folder + QStringLiteral("/b.txt")).open(QIODevice::WriteOnly);
    picture("c.BMP", qRgb(30, 30, 200));
    Option("ImagesLocation", folder);
    Option("WallpaperFile", folder + QStringLiteral("/a.bmp"));
    Option("ChangeWallpaper", QStringLiteral("Daily"));
    Option(basQuillon::kWallpaperChangedDate, QStringLiteral("12/01/2026"));

    // Rotation runs in clear mode too; the picture covers the whole screen.
    ASSERT_EQ(Run({QStringLiteral("-1")}).exitCode, 0);
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("WallpaperFile"), {}), folder + QStringLiteral("/c.BMP"));
    EXPECT_EQ(basQuillon::GetOption(basQuillon::kWallpaperChangedDate, {}), QStringLiteral("12/07/2026"));
    QImage image = Wallpaper();
    EXPECT_EQ(image.pixel(0, 0), qRgb(30, 30, 200));
    EXPECT_EQ(image.pixel(1919, 1079), qRgb(30, 30, 200));

    // Not due again the same day; the next day the walk wraps past b.txt.
    ASSERT_EQ(Run({QStringLiteral("-1")}).exitCode, 0);
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("WallpaperFile"), {}), folder + QStringLiteral("/c.BMP"));
    SetToday(QDate(2026, 12, 8));
    ASSERT_EQ(Run({QStringLiteral("-1")}).exitCode, 0);
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("WallpaperFile"), {}), folder + QStringLiteral("/a.bmp"));
    EXPECT_EQ(Wallpaper().pixel(960, 540), qRgb(200, 30, 30));
}

TEST_F(CalendarProgram, FailuresKeepTheOldWallpaperAndNeverHang)
{
    CreateDatabase();
    ASSERT_EQ(Run().exitCode, 0);
    const QByteArray original = ReadBytes(WallpaperPath());
    auto write = [&](const char *name, const QByteArray &bytes) {
        QFile file(TempPath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };

    // A picture that is missing, no picture, a folder, or one that claims 30000 x 30000
    // pixels: nothing drawn, and the stop names the file on stderr and in error.log.
    write("notes.jpg", "not a picture");
    ASSERT_TRUE(QDir().mkpath(TempPath(QStringLiteral("folder.jpg"))));
    ASSERT_TRUE(WritePng(TempPath(QStringLiteral("bomb.png")), 30000, 30000, qRgb(9, 9, 9), 2));
    const struct {
        const char *picture;
        const char *cause;
    } pictures[] = {{"missing.jpg", "does not exist"}, {"notes.jpg", "is not a picture"},
                    {"folder.jpg", "is not a file"}, {"bomb.png", "too large: 30000 x 30000"}};
    for (const auto &p : pictures) {
        const QString path = TempPath(QLatin1String(p.picture));
        Option("WallpaperFile", path);
        const RunResult run = Run();
        EXPECT_TRUE(run.finished && run.exitCode == 1) << p.picture;
        EXPECT_EQ(ReadBytes(WallpaperPath()), original) << p.picture;
        EXPECT_TRUE(run.err.contains(path) && run.err.contains(QLatin1String(p.cause))) << qPrintable(run.err);
        EXPECT_TRUE(ErrorLog().contains(path + QLatin1Char(' '))) << p.picture;
    }
    EXPECT_EQ(ErrorLog().count(QLatin1String("In module: basCalendar.Main")), 4);
    EXPECT_TRUE(messages.empty());

    // A settings value that is no number: reported, and the run still ends.
    Option("WallpaperFile", QString());
    Option("WallpaperColor", QStringLiteral("abc"));
    EXPECT_TRUE(Run().finished);
    EXPECT_TRUE(ErrorLog().contains(QLatin1String("In module: basQuillon.LoadGeneralSettings")));
    Option("WallpaperColor", QStringLiteral("15790320"));

    // A store that cannot be opened: reported, nothing drawn.
    write("dbcalndr.sqlite", QByteArray(4096, 'x'));
    QFile::remove(WallpaperPath());
    const RunResult run = Run();
    EXPECT_TRUE(run.finished && run.exitCode == 1);
    EXPECT_FALSE(QFile::exists(WallpaperPath()));
    EXPECT_TRUE(ErrorLog().contains(QLatin1String("In module: basDatabase.OpenDatabaseConnection")));
}

TEST_F(CalendarProgram, LargePictureBecomesTheWallpaperAndIsKeptScaled)
{
    CreateDatabase();
    // 6000 x 6000 RGB decodes to 144 MB, past Qt's default allocation limit.
    const QString large = TempPath(QStringLiteral("large.png"));
    ASSERT_TRUE(WritePng(large, 6000, 6000, qRgb(30, 60, 200)));
    Option("WallpaperFile", large);
    RunResult run = Run();
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(Wallpaper().pixel(0, 0), qRgb(30, 60, 200));
    EXPECT_EQ(Wallpaper().pixel(1919, 1079), qRgb(30, 60, 200));
    const QString cached = CacheDir() + QStringLiteral("/Velmora Software/Quillon Desktop Calendar/background-1920x1080.raw");
    ASSERT_TRUE(QFile::exists(cached));
    const qint64 cachedSize = QFileInfo(cached).size();

    // The same name with other pixels (and a later time) is another picture.
    const QString picture = TempPath(QStringLiteral("picture.png"));
    ASSERT_TRUE(WritePng(picture, 640, 360, qRgb(30, 60, 200)));
    Option("WallpaperFile", picture);
    ASSERT_EQ(Run().exitCode, 0);
    ASSERT_TRUE(WritePng(picture, 640, 360, qRgb(200, 60, 30)));
    QFile changed(picture);
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
    changed.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    changed.close();
    ASSERT_EQ(Run().exitCode, 0);
    EXPECT_EQ(Wallpaper().pixel(960, 1079), qRgb(200, 60, 30));

    // A damaged cache file is passed over and written anew.
    for (const QByteArray &damage : {QByteArray("QLNBGRAW garbage"), QByteArray()}) {
        QFile file(cached);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        if (damage.isEmpty())
            file.resize(cachedSize / 2);
        else
            file.write(damage);
        file.close();
        run = Run();
        ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
        EXPECT_EQ(Wallpaper().pixel(0, 1079), qRgb(200, 60, 30));
        EXPECT_EQ(QFileInfo(cached).size(), cachedSize);
    }

}

TEST_F(CalendarProgram, SmallScreensKeepEveryTextInside)
{
    CreateDatabase();
    // Long names in the Saturday column, the last row and beside the numbers.
    for (int day : {5, 12, 19, 26, 31}) {
        AddEvent(QStringLiteral("Quarterly planning meeting with the regional directors"), false,
                 QStringLiteral("9:00 AM"), QDate(2026, 12, day));
        AddEvent(QStringLiteral("An all-day conference whose name is far longer than any cell"), true, QString(),
                 QDate(2026, 12, day));
    }
    const struct {
        int width, height, dpi;
        const char *orientation;
    } screens[] = {{801, 601, 96, "0"}, {900, 700, 96, "2"}, {1024, 768, 120, "4"}, {1280, 1024, 144, "3"}};
    for (const auto &screen : screens) {
        SCOPED_TRACE(testing::Message() << screen.width << "x" << screen.height << "@" << screen.dpi);
        SetScreen(screen.width, screen.height, 1.0, screen.dpi);
        Option("CalendarOrientation", QLatin1String(screen.orientation));
        const RunResult run = Run();
        ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
        const QImage image = Wallpaper();
        ASSERT_EQ(image.size(), QSize(screen.width, screen.height));
        // Text cut by an edge would leave ink on the image's border.
        const QRect ink = InkBox(image, kPaper);
        EXPECT_GT(ink.left(), 0);
        EXPECT_GT(ink.top(), 0);
        EXPECT_LT(ink.right(), screen.width - 1);
        EXPECT_LT(ink.bottom(), screen.height - 1);
        EXPECT_GT(ink.width(), screen.width * 3 / 4); // and the grid still spans the screen
    }
}

TEST_F(CalendarProgram, UnreadablePictureInARotationIsSkipped)
{
    const QString folder = TempPath(QStringLiteral("pictures"));
    ASSERT_TRUE(QDir().mkpath(folder));
    auto bmp = [&](const char *name, QRgb color) {
        QImage image(64, 36, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(folder + QLatin1Char('/') + QLatin1String(name), "BMP"));
    };
    bmp("a.bmp", qRgb(200, 30, 30));
    QFile broken(folder + QStringLiteral("/b.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xFF\xD8 cut off");
    broken.close();
    bmp("c.bmp", qRgb(30, 30, 200));
    Option("ImagesLocation", folder);
    Option("WallpaperFile", folder + QStringLiteral("/a.bmp"));
    Option("ChangeWallpaper", QStringLiteral("Daily"));
    Option(basQuillon::kWallpaperChangedDate, QStringLiteral("12/01/2026"));

    RunResult run = Run({QStringLiteral("-1")});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("WallpaperFile"), {}), folder + QStringLiteral("/c.bmp"));
    EXPECT_EQ(Wallpaper().pixel(960, 540), qRgb(30, 30, 200));
    EXPECT_TRUE(run.err.contains(QStringLiteral("b.jpg"))) << qPrintable(run.err);
    EXPECT_TRUE(ErrorLog().contains(QStringLiteral("skipped: ")));

    // When no picture of the folder loads, the settings are left as they were.
    QFile::remove(folder + QStringLiteral("/a.bmp"));
    QFile damaged(folder + QStringLiteral("/c.bmp"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("BM");
    damaged.close();
    SetToday(QDate(2026, 12, 8));
    run = Run({QStringLiteral("-1")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("WallpaperFile"), {}), folder + QStringLiteral("/c.bmp"));
    EXPECT_EQ(basQuillon::GetOption(basQuillon::kWallpaperChangedDate, {}), QStringLiteral("12/07/2026"));
}

TEST_F(CalendarProgram, RotationThatCannotBeStoredIsReportedOnce)
{
    const QString folder = TempPath(QStringLiteral("pictures"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char *name : {"a.bmp", "b.bmp"}) {
        QImage image(64, 36, QImage::Format_RGB32);
        image.fill(qRgb(30, 30, 200));
        ASSERT_TRUE(image.save(folder + QLatin1Char('/') + QLatin1String(name), "BMP"));
    }
    Option("ImagesLocation", folder);
    Option("WallpaperFile", folder + QStringLiteral("/a.bmp"));
    Option("ChangeWallpaper", QStringLiteral("Daily"));
    // The settings file stays readable, but every write is refused: read-only, and
    // immutable where the test runs as root (which permissions do not stop).
    const QString settings = basPlatform::SettingsLocation();
    ASSERT_TRUE(QFile::setPermissions(settings, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    auto chattr = [&](const char *flag) {
        if (::geteuid() == 0)
            QProcess::execute(QStringLiteral("chattr"), {QLatin1String(flag), settings});
    };
    chattr("+i");
    const std::shared_ptr<void> restore(nullptr, [&](void *) { chattr("-i"); });
    if (QFile(settings).open(QIODevice::Append))
        GTEST_SKIP() << "the settings file cannot be made read-only here";

    const RunResult run = Run({QStringLiteral("-1")});
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(Wallpaper().pixel(0, 0), qRgb(30, 30, 200));
    EXPECT_EQ(ErrorLog().count(QLatin1String("In module: frmCalendar.ChangeWallpaper")), 1) << qPrintable(ErrorLog());
    EXPECT_TRUE(ErrorLog().contains(QDir::toNativeSeparators(settings))) << qPrintable(ErrorLog());
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("WallpaperFile"), {}), folder + QStringLiteral("/a.bmp"));
}

TEST_F(CalendarProgram, GarbageLockFileDoesNotStopTheCalendar)
{
    CreateDatabase();
    QFile lock(basPlatform::RuntimeFolder() + QStringLiteral("/quillon-calendar.lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("\x01garbage\nno pid here");
    lock.close();
    const RunResult run = Run();
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(QFile::exists(WallpaperPath()));
}

TEST_F(CalendarProgram, NoLockAnywhereIsAnErrorNotAnotherCopy)
{
    CreateDatabase();
    QTemporaryDir temp;
    env.Set("TMPDIR", temp.path().toLocal8Bit());
    for (const QString &folder : {basPlatform::RuntimeFolder(), basPlatform::TemporaryFolder()})
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/quillon-calendar.lock/inside")));
    const RunResult run = Run();
    EXPECT_EQ(run.exitCode, 2) << qPrintable(run.err);
    EXPECT_TRUE(run.err.contains(QLatin1String("no single-instance lock can be made"))) << qPrintable(run.err);
    EXPECT_TRUE(ErrorLog().contains(QLatin1String("basCalendar.Main"))) << qPrintable(ErrorLog());
    EXPECT_FALSE(QFile::exists(WallpaperPath()));
}

TEST_F(CalendarProgram, KilledRenderLeavesTheOldFileWhole)
{
    CreateDatabase();
    SetScreen(3840, 2160);
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(Run().exitCode, 0);
    const qint64 full = timer.elapsed();
    // Kills spread over the later part of a run, where the file is written.
    for (int percent = 40; percent <= 100; percent += 5) {
        const int delay = static_cast<int>(full * percent / 100);
        Run({}, delay);
        const QImage image(WallpaperPath());
        ASSERT_EQ(image.size(), QSize(3840, 2160)) << "killed after " << delay << " of " << full << " ms";
    }
}

TEST_F(CalendarProgram, WithoutADisplayItPicksOffscreenItself)
{
    CreateDatabase();
    m_noDisplay = true;
    const RunResult run = Run();
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(run.out.trimmed(), QDir::toNativeSeparators(WallpaperPath()));
    EXPECT_TRUE(run.err.contains(QLatin1String("offscreen"))) << qPrintable(run.err);
    EXPECT_EQ(Wallpaper().size(), QSize(800, 800)); // the offscreen platform's own screen
}

} // namespace

} // namespace quillon
