// The calendar program as a user meets it: start to wallpaper.bmp written, timed and
// measured (peak resident memory) per run of the real executable.
//
//   bench_calendar                       Google Benchmark runs: screen size, stored occurrences,
//                                        colour or photo background, events in the month
//   bench_calendar --prepare DIR [--screen WxH] [--events 300|12] [--occurrences N] [--background FILE]
//                                [--text-color N] [--today-color N]
//                                        a data folder, settings and screen for a run on 7 December
//                                        2026: the month's events (300, or a dozen named ones) and N
//                                        stored occurrences in all, plus DIR/month.mvg: the same
//                                        month's texts for ImageMagick (compare_imagemagick.sh)
#include "CalendarDayText.h"
#include "CalendarGrid.h"
#include "EventStore.h"
#include "basTimeText.h"
#include "basQuillon.h"
#include "basSchema.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <map>

extern char **environ;

namespace quillon {

namespace {

constexpr int kMonthEvents = 300;
const QDate kToday(2026, 12, 7);

QString EventName(int i)
{
    static const char *const kNames[] = {"Staff meeting", "Lunch with Anna", "Choir rehearsal", "Dentist",
                                         "Call the plumber", "Budget review", "School play", "Gym"};
    return QStringLiteral("%1 %2").arg(QLatin1String(kNames[i % 8])).arg(i);
}

QString StartTime(int i)
{
    const int hour = 7 + (i * 5) % 13;
    const int minute = (i * 15) % 60;
    return QTime(hour, minute).toString(QStringLiteral("h:mm AP"));
}

void Use(const QString &dir)
{
    qputenv("QUILLON_DATA_DIR", dir.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (dir + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (dir + QStringLiteral("/cache")).toLocal8Bit());
    qputenv("QUILLON_NOW", "2026-12-07T09:00:00");
    qputenv("QUILLON_NONINTERACTIVE", "1");
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + dir + QStringLiteral("/screens.json")).toLocal8Bit());
}

void WriteScreen(const QString &dir, int width, int height)
{
    QFile file(dir + QStringLiteral("/screens.json"));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(QStringLiteral("{\"screens\":[{\"name\":\"s0\",\"x\":0,\"y\":0,\"width\":%1,\"height\":%2,"
                              "\"logicalDpi\":96,\"dpr\":1}]}")
                   .arg(width)
                   .arg(height)
                   .toUtf8());
}

// The month's texts at the calendar's own places, as an ImageMagick draw file.
void WriteDrawFile(const QString &dir, int width, int height, const std::map<int, QStringList> &lines)
{
    using namespace CalendarGrid;
    LayoutInput in;
    in.orientation = 0;
    in.screenWidthPixels = width;
    in.screenHeightPixels = height;
    in.workArea = Rect{0, 0, width * 15, height * 15};
    in.monthHeight = 330;
    in.dayOfWeekHeight = 285;
    in.dayNumberHeight = 285;
    in.dayNumberWidths.fill(240);
    const int offset = FirstCellOffset(QDate(2026, 12, 1));
    in.sixRows = RowCount(offset, 31) == 6;
    const Layout layout = ComputeLayout(in);
    auto px = [](std::int32_t twips) { return twips / 15; };
    auto quoted = [](QString text) { return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("\\'")) + QLatin1Char('\''); };

    QFile file(dir + QStringLiteral("/month.mvg"));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QTextStream out(&file);
    out << "font DejaVu-Sans-Bold\nfill black\nfont-size 19\n";
    out << "text " << px(layout.month.left) << ',' << px(layout.month.top) + 18 << ' ' << quoted(QStringLiteral("December 2026")) << '\n';
    out << "font-size 16\n";
    const char *const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int i = 0; i < 7; ++i)
        out << "text " << px(layout.dayOfWeek[i].left) << ',' << px(layout.dayOfWeek[i].top) + 15 << ' '
            << quoted(QLatin1String(days[i])) << '\n';
    for (int cell = 0; cell < kCellCount; ++cell) {
        const int day = DayOfCell(cell, offset, 31);
        if (!day)
            continue;
        out << "font DejaVu-Sans-Bold\nfont-size 16\n";
        out << "text " << px(layout.dayNumber[cell].left) << ',' << px(layout.dayNumber[cell].top) + 15 << ' '
            << quoted(QString::number(day)) << '\n';
        out << "font DejaVu-Sans\nfont-size 10\n";
        int y = px(layout.events[cell].top) + 10;
        for (const QString &line : lines.at(day)) {
            out << "text " << px(layout.events[cell].left) << ',' << y << ' ' << quoted(line) << '\n';
            y += 13;
        }
    }
}

// A dozen events of a December, for looking at the result: (day, start or empty for all day, name).
struct DemoEvent {
    int day;
    const char *start;
    const char *name;
};
const DemoEvent kDozen[] = {
    {7, "9:30 AM", "Staff meeting"},      {9, "2:00 PM", "Dentist"},
    {10, "7:15 PM", "Choir rehearsal"},   {11, "12:00 PM", "Lunch with Anna"},
    {13, "", "Advent concert"},           {15, "6:00 PM", "School play"},
    {15, "8:00 AM", "Car to the garage"}, {18, "4:30 PM", "Office party"},
    {24, "", "Christmas Eve"},            {25, "", "Christmas Day"},
    {26, "1:00 PM", "Family dinner"},     {31, "", "New Year's Eve"},
};

// An event starting and ending at start ("9:30 AM"), or all day when start is empty.
bool AddEvent(basDatabase::EventStore &store, const QString &name, const QString &start, const QList<QDate> &dates,
              bool recurring = false)
{
    basDatabase::EventRecord event;
    event.EventName = name;
    event.AllDayEvent = start.isEmpty();
    event.StartTime = event.EndTime = basTimeText::ParseTimeText(start);
    event.Recurring = recurring;
    qint64 id = 0;
    return store.AddEventToDatabase(event, dates, id);
}

bool AddDozen(basDatabase::EventStore &store)
{
    for (const DemoEvent &e : kDozen) {
        if (!AddEvent(store, QLatin1String(e.name), QLatin1String(e.start), {QDate(2026, 12, e.day)}))
            return false;
    }
    return true;
}

bool Prepare(const QString &dir, int width, int height, int occurrences, const QString &background,
             int monthEvents = kMonthEvents, const QString &textColor = QStringLiteral("0"),
             const QString &todayColor = QStringLiteral("255"))
{
    QDir().mkpath(dir + QStringLiteral("/config"));
    Use(dir);
    WriteScreen(dir, width, height);
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    for (const char *name : {"MonthNameColor", "DayNameColor", "DayNumberColor", "AllDayEventsColor", "DayEventsColor"})
        basQuillon::SaveOption(QLatin1String(name), textColor);
    basQuillon::SaveOption(QStringLiteral("CurrentDayColor"), todayColor);
    basQuillon::SaveOption(QStringLiteral("ChangeWallpaper"), QStringLiteral("Never"));
    basQuillon::SaveOption(QStringLiteral("WallpaperFile"),
                           background.isEmpty() ? QString() : QFileInfo(background).absoluteFilePath());
    basQuillon::SaveOption(QStringLiteral("WallpaperColor"), QStringLiteral("15790320"));

    std::map<int, QStringList> lines;
    for (int i = 0; i < kMonthEvents; ++i)
        lines[1 + i % 31].append(CalendarDayText::TimedLine(
            CalendarDayText::SortKey(CalendarDayText::ParseStartTime(StartTime(i)), EventName(i))));
    WriteDrawFile(dir, width, height, lines);

    const QString path = basDatabase::EventStore::DatabasePath();
    if (QFile::exists(path))
        return true; // filled before: only the screen and settings change
    QString error;
    if (!basSchema::CreateDatabaseFile(path, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection())
        return false;
    if (monthEvents < kMonthEvents)
        return AddDozen(store);
    for (int i = 0; i < monthEvents; ++i) {
        const int day = 1 + i % 31;
        AddEvent(store, EventName(i), StartTime(i), {QDate(2026, 12, day)});
    }
    // The rest of the store: events of earlier years with up to 100 dates each.
    int remaining = occurrences - monthEvents;
    QDate date(2016, 1, 1);
    for (int e = 0; remaining > 0; ++e) {
        QList<QDate> dates;
        for (int k = 0; k < 100 && remaining > 0; ++k, --remaining) {
            dates.append(date);
            date = date.addDays(1);
            if (date.year() == 2026)
                date = QDate(2000, 1, 1);
        }
        AddEvent(store, EventName(e), StartTime(e), dates, true);
    }
    return true;
}

struct ChildRun {
    double seconds = 0;
    long peakKb = 0;
    double cpuSeconds = 0;   // user + system: steadier than wall time on a busy machine
    int status = -1;
};

ChildRun RunCalendar()
{
    // BENCH_CALENDAR_PROGRAM measures another build of the program (a before/after pair).
    const QByteArray other = qgetenv("BENCH_CALENDAR_PROGRAM");
    const QByteArray program = other.isEmpty() ? QByteArray(QUILLON_PROGRAM_DIR) + "/calendar" : other;
    char *argv[] = {const_cast<char *>(program.constData()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    ChildRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ) == 0) {
        rusage usage{};
        wait4(pid, &run.status, 0, &usage);
        run.peakKb = usage.ru_maxrss;
        run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

QString BenchFolder(int occurrences, int monthEvents)
{
    return QDir::tempPath() + QStringLiteral("/quillon-bench-calendar-%1-%2").arg(occurrences).arg(monthEvents);
}

// A generated JPEG at dir/name, made once: pixel(x, y, grain) gives each pixel, with
// grain a pseudo-random value in [-amplitude, amplitude) drawn from seed.
template <typename Pixel>
QString GeneratedJpeg(const QString &dir, const QString &name, int width, int height, std::uint32_t seed, int amplitude,
                      Pixel pixel)
{
    const QString path = dir + QLatin1Char('/') + name;
    if (QFile::exists(path))
        return path;
    QImage image(width, height, QImage::Format_RGB32);
    const int shift = amplitude >= 16 ? 27 : 28;
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = static_cast<int>(seed >> shift) - amplitude;
            const auto [r, g, b] = pixel(x, y, grain);
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    image.save(path, "JPEG", 90);
    return path;
}

// A photo-like JPEG of the screen's size: smooth colour fields with grain, as a
// camera picture scaled for the desktop would be.
QString Photo(const QString &dir, int width, int height)
{
    return GeneratedJpeg(dir, QStringLiteral("photo-%1x%2.jpg").arg(width).arg(height), width, height, 7, 8,
                         [&](int x, int y, int grain) {
                             return std::array<int, 3>{60 + 120 * x / width + grain, 110 + 90 * y / height + grain,
                                                       200 - 100 * (x + y) / (width + height) + grain};
                         });
}

void BM_CalendarRun(benchmark::State &state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = width * 9 / 16;
    const int occurrences = static_cast<int>(state.range(1));
    const bool photo = state.range(2) != 0;
    const int monthEvents = static_cast<int>(state.range(3));
    const QString dir = BenchFolder(occurrences, monthEvents);
    QDir().mkpath(dir);
    const QString background = photo ? Photo(dir, width, height) : QString();
    if (!Prepare(dir, width, height, occurrences, background, monthEvents)) {
        state.SkipWithError("the data folder could not be prepared");
        return;
    }
    long peak = 0;
    double cpu = 0;
    for (auto _ : state) {
        const ChildRun run = RunCalendar();
        if (!WIFEXITED(run.status) || WEXITSTATUS(run.status) != 0) {
            state.SkipWithError("calendar failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakKb);
        cpu += run.cpuSeconds;
    }
    state.counters["peak_MB"] = static_cast<double>(peak) / 1024.0;
    state.counters["cpu_ms"] = cpu * 1000.0 / static_cast<double>(state.iterations());
}
// Arguments: screen width (16:9), stored occurrences, photo (1) or colour (0), events in the month.
BENCHMARK(BM_CalendarRun)
    ->ArgNames({"width", "stored", "photo", "month"})
    ->Args({1920, 1000, 0, 300})
    ->Args({1920, 100000, 0, 300})
    ->Args({3840, 1000, 0, 300})
    ->Args({3840, 100000, 0, 300})
    ->Args({1920, 1000, 1, 300})
    ->Args({3840, 1000, 1, 300})
    ->Args({1920, 4000, 0, 3000})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("max", [](const std::vector<double> &v) { return *std::max_element(v.begin(), v.end()); });

// A busy photo: light and dark patches of every size with grain, where no one text
// colour reads everywhere (the legibility guard's worst case).
QString BusyPhoto(const QString &dir, int width, int height)
{
    return GeneratedJpeg(dir, QStringLiteral("busy-%1x%2.jpg").arg(width).arg(height), width, height, 3, 16,
                         [](int x, int y, int grain) {
                             // Checks of three sizes, each light or dark, add up to a patchwork.
                             const int v = ((x / 37 + y / 29) % 2) * 90 + ((x / 211 + y / 157) % 2) * 80 + ((x / 13) % 2) * 60;
                             return std::array<int, 3>{v + grain, v * 9 / 10 + grain, 255 - v + grain};
                         });
}

// The same month over the busy photo with the legibility guard Off and Automatic, in
// one run (white text, yellow today: the look of a photo wallpaper).
void BM_LegibilityGuard(benchmark::State &state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = width * 9 / 16;
    const bool guard = state.range(1) != 0;
    const QString dir = BenchFolder(1000, kMonthEvents);
    QDir().mkpath(dir);
    if (!Prepare(dir, width, height, 1000, BusyPhoto(dir, width, height), kMonthEvents, QStringLiteral("16777215"),
                 QStringLiteral("65535"))) {
        state.SkipWithError("the data folder could not be prepared");
        return;
    }
    basQuillon::SaveOption(QStringLiteral("CalendarLegibility"),
                           QLatin1String(guard ? basQuillon::kLegibilityAutomatic : basQuillon::kLegibilityOff));
    double cpu = 0;
    for (auto _ : state) {
        const ChildRun run = RunCalendar();
        if (!WIFEXITED(run.status) || WEXITSTATUS(run.status) != 0) {
            state.SkipWithError("calendar failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        cpu += run.cpuSeconds;
    }
    state.counters["cpu_ms"] = cpu * 1000.0 / static_cast<double>(state.iterations());
    basQuillon::SaveOption(QStringLiteral("CalendarLegibility"), QLatin1String(basQuillon::kLegibilityAutomatic));
}
// Arguments: screen width (16:9), guard (0 Off, 1 Automatic).
BENCHMARK(BM_LegibilityGuard)
    ->ArgNames({"width", "guard"})
    ->Args({1920, 0})
    ->Args({1920, 1})
    ->Args({3840, 0})
    ->Args({3840, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int Main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "--prepare") {
        const QStringList args = QCoreApplication::arguments();
        auto option = [&](const char *name, const QString &fallback) {
            const qsizetype at = args.indexOf(QLatin1String(name));
            return at > 0 && at + 1 < args.size() ? args[at + 1] : fallback;
        };
        const QStringList screen = option("--screen", QStringLiteral("1920x1080")).split(QLatin1Char('x'));
        const int events = option("--events", QString::number(kMonthEvents)).toInt();
        const int occurrences = option("--occurrences", QString::number(events)).toInt();
        return Prepare(args[2], screen.value(0).toInt(), screen.value(1).toInt(), occurrences,
                       option("--background", QString()), events, option("--text-color", QStringLiteral("0")),
                       option("--today-color", QStringLiteral("255")))
            ? 0
            : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
