// The scheduler's main window as a user meets it, over a store of 10,000 events:
// loading the window until it is shown, switching the shown day, moving the month view
// by a month, paging through weeks, months with their events and 30-day agendas.
//
//   bench_scheduler                        Google Benchmark runs (the store is made once in
//                                          $TMPDIR/quillon-bench-scheduler and kept)
//   bench_scheduler --prepare DIR [--events N]
//                                          a data folder and settings for a look at the
//                                          scheduler on 7 December 2026: a dozen named
//                                          events of that month and N events in all (12)
#include "EventStore.h"
#include "basQuillon.h"
#include "basSeed.h"
#include "basTimeText.h"
#include "frmMain.h"
#include "views/MonthView.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace quillon {

namespace {

const QDate kToday(2026, 12, 7);
constexpr int kStoredEvents = 10000;

void Use(const QString &dir)
{
    qputenv("QUILLON_DATA_DIR", dir.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (dir + QStringLiteral("/config")).toLocal8Bit());
    qputenv("QUILLON_NOW", "2026-12-07T09:00:00");
    qputenv("QUILLON_NONINTERACTIVE", "1");
}

// A December of Advent and Christmas: (day, start, end, name, colour, icon); no start
// for an all-day event.
struct DemoEvent {
    int day;
    const char *start;
    const char *end;
    const char *name;
    const char *color;
    int icon;
};
const DemoEvent kDozen[] = {
    {7, "9:30 AM", "10:30 AM", "Staff meeting", "", 0},
    {7, "12:00 PM", "1:00 PM", "Lunch with Anna", "Green", 112},
    {7, "2:00 PM", "3:00 PM", "Dentist", "Red", 120},
    {7, "7:00 PM", "9:00 PM", "Choir rehearsal", "Purple", 131},
    {7, "", "", "Advent wreath workshop", "", 0},
    {7, "", "", "Bring the recycling out", "", 0},
    {10, "6:00 PM", "7:30 PM", "School play", "Gray", 140},
    {13, "", "", "Advent concert", "Purple", 0},
    {18, "4:30 PM", "7:00 PM", "Office party", "Green", 0},
    {24, "", "", "Christmas Eve", "White", 0},
    {25, "", "", "Christmas Day", "White", 0},
    {26, "1:00 PM", "5:00 PM", "Family dinner", "Red", 0},
};

bool AddEvent(basDatabase::EventStore &store, const QString &name, const QList<QDate> &dates, const QString &start,
              const QString &end, const QString &color, int icon)
{
    basDatabase::EventRecord event;
    event.EventName = name;
    event.AllDayEvent = start.isEmpty();
    event.StartTime = event.AllDayEvent ? QTime(0, 0) : basTimeText::ParseTimeText(start);
    event.EndTime = event.AllDayEvent ? QTime(23, 59) : basTimeText::ParseTimeText(end);
    event.EventColor = color;
    event.EventIcon = icon;
    qint64 id = 0;
    return store.AddEventToDatabase(event, dates, id);
}

bool Prepare(const QString &dir, int events)
{
    QDir().mkpath(dir + QStringLiteral("/config"));
    Use(dir);
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    const QString path = basDatabase::EventStore::DatabasePath();
    if (QFile::exists(path))
        return true; // filled before
    QString error;
    if (!basSeed::CreateShippedDatabaseFile(path, QStringLiteral(QUILLON_SOURCE_DIR "/data/facts.tsv"), error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection())
        return false;
    for (const DemoEvent &e : kDozen)
        if (!AddEvent(store, QLatin1String(e.name), {QDate(2026, 12, e.day)}, QLatin1String(e.start),
                      QLatin1String(e.end), QLatin1String(e.color), e.icon))
            return false;
    // The rest: two or three events a day in the years around, some on several days.
    static const char *const kNames[] = {"Meeting", "Call", "Rehearsal", "Visit", "Review", "Training"};
    static const char *const kColors[] = {"", "Green", "Purple", "Red", "Gray", ""};
    QDate date(2022, 1, 1);
    for (int i = static_cast<int>(std::size(kDozen)); i < events; ++i) {
        date = date.addDays(i % 3 == 0 ? 1 : 0);
        if (date.year() == 2026 && date.month() == 12)
            date = QDate(2027, 1, 1); // the demonstration month keeps its dozen
        QList<QDate> dates = {date};
        if (i % 10 == 0)
            dates << date.addDays(7) << date.addDays(14);
        const QTime start(8 + i % 10, (i % 2) * 30);
        if (!AddEvent(store, QStringLiteral("%1 %2").arg(QLatin1String(kNames[i % 6])).arg(i), dates,
                      basTimeText::FormatTimeText(start), basTimeText::FormatTimeText(start.addSecs(3600)),
                      QLatin1String(kColors[i % 6]), 0))
            return false;
    }
    store.CloseDatabaseConnection();
    return true;
}

// One loaded window over the benchmark store, shared by the view benchmarks.
struct Loaded {
    basDatabase::EventStore store;
    std::unique_ptr<frmMain> window;
};

std::unique_ptr<Loaded> LoadWindow()
{
    auto loaded = std::make_unique<Loaded>();
    loaded->window = std::make_unique<frmMain>(loaded->store);
    if (!loaded->window->Form_Load())
        return nullptr;
    return loaded;
}

void BM_StartToWindowShown(benchmark::State &state)
{
    for (auto _ : state) {
        auto loaded = LoadWindow();
        if (!loaded) {
            state.SkipWithError("the window did not load");
            return;
        }
        state.PauseTiming();
        loaded->window->close();
        loaded.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToWindowShown)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SwitchShownDay(benchmark::State &state)
{
    auto loaded = LoadWindow();
    if (!loaded) {
        state.SkipWithError("the window did not load");
        return;
    }
    MonthView &month = *loaded->window->findChild<MonthView *>(QStringLiteral("SSMonth"));
    int i = 0;
    for (auto _ : state) {
        // Days of the shown month, so the grid never moves.
        month.SelectDate(QDate(2026, 12, 1 + (i++ % 31)));
        QApplication::processEvents();
    }
    loaded->window->close();
}
BENCHMARK(BM_SwitchShownDay)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MoveMonthView(benchmark::State &state)
{
    auto loaded = LoadWindow();
    if (!loaded) {
        state.SkipWithError("the window did not load");
        return;
    }
    QCalendarWidget &calendar = *loaded->window->findChild<MonthView *>(QStringLiteral("SSMonth"))->Calendar();
    int i = 0;
    for (auto _ : state) {
        if ((i++ / 6) % 2 == 0)
            calendar.showNextMonth();
        else
            calendar.showPreviousMonth();
        QApplication::processEvents();
    }
    loaded->window->close();
}
BENCHMARK(BM_MoveMonthView)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Next and Previous of the View menu in a view of several days, back and forth over
// four periods: what a user does paging through weeks or months.
void PageThrough(benchmark::State &state, SchedulerView view)
{
    auto loaded = LoadWindow();
    if (!loaded) {
        state.SkipWithError("the window did not load");
        return;
    }
    // A busy spring of the store: two or three events a day.
    loaded->window->findChild<MonthView *>(QStringLiteral("SSMonth"))->SelectDate(QDate(2025, 3, 12));
    loaded->window->SetView(view);
    QAction &next = *loaded->window->findChild<QAction *>(QStringLiteral("mnuViewNext"));
    QAction &previous = *loaded->window->findChild<QAction *>(QStringLiteral("mnuViewPrevious"));
    int i = 0;
    for (auto _ : state) {
        ((i++ / 4) % 2 == 0 ? next : previous).trigger();
        QApplication::processEvents();
    }
    state.counters["events shown"] = static_cast<double>(loaded->window->Shown().Events().size());
    loaded->window->SetView(SchedulerView::Day);
    loaded->window->close();
}

void BM_SwitchWeek(benchmark::State &state) { PageThrough(state, SchedulerView::Week); }
BENCHMARK(BM_SwitchWeek)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SwitchMonthWithEvents(benchmark::State &state) { PageThrough(state, SchedulerView::Month); }
BENCHMARK(BM_SwitchMonthWithEvents)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SwitchAgendaOf30Days(benchmark::State &state) { PageThrough(state, SchedulerView::Agenda); }
BENCHMARK(BM_SwitchAgendaOf30Days)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int Main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 3 && QByteArray(argv[1]) == "--prepare") {
        QApplication app(argc, argv);
        int events = static_cast<int>(std::size(kDozen));
        for (int i = 3; i + 1 < argc; i += 2)
            if (QByteArray(argv[i]) == "--events")
                events = QByteArray(argv[i + 1]).toInt();
        return Prepare(QString::fromLocal8Bit(argv[2]), events) ? 0 : 1;
    }
    QApplication app(argc, argv);
    const QString dir = QDir::tempPath() + QStringLiteral("/quillon-bench-scheduler");
    if (!Prepare(dir, kStoredEvents)) {
        std::fprintf(stderr, "bench_scheduler: the store in %s could not be made\n", qPrintable(dir));
        return 1;
    }
    // Geometry saved by one run would only change the next one's start.
    QDir(dir + QStringLiteral("/config")).removeRecursively();
    QDir().mkpath(dir + QStringLiteral("/config"));
    qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
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
