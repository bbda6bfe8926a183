// Re-planning the reminders after a save, with 10,000 events stored over a year (every
// other one with a reminder: 5,000), some of them repeating weekly: what the launcher
// does each time another program changes the store.
// Run: build/bin/bench_reminders --benchmark_repetitions=5
#include "EventStore.h"
#include "ReminderPlan.h"
#include "basSchema.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

const QDate kFirst(2026, 1, 1);

void Fill(basDatabase::EventStore &store)
{
    store.RunInTransaction([&] {
        for (int i = 0; i < 10000; ++i) {
            basDatabase::EventRecord event;
            event.EventName = QStringLiteral("Event %1").arg(i);
            event.AllDayEvent = i % 10 == 0;
            event.StartTime = QTime(8, 0).addSecs((i % 20) * 30 * 60);
            event.EndTime = event.StartTime.addSecs(30 * 60);
            const int choices[] = {0, 5, 10, 15, 30, 60, 120, 1440, 10080};
            if (i % 2 == 0)
                event.Reminder = choices[(i / 2) % 9];
            QList<QDate> dates{kFirst.addDays(i % 365)};
            // One event in fifty repeats weekly all year.
            if (i % 50 == 0)
                for (int week = 1; week < 52; ++week)
                    dates.append(dates.first().addDays(7 * week));
            event.Recurring = dates.size() > 1;
            qint64 id = 0;
            if (!store.AddEventToDatabase(event, dates, id))
                return false;
        }
        return true;
    });
}

void ReplanAfterASave(benchmark::State &state)
{
    QTemporaryDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/bench-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("dbcalndr.sqlite"));
    QString error;
    basDatabase::EventStore store;
    if (!basSchema::CreateDatabaseFile(path, error) || !store.OpenDatabaseConnection(path)) {
        std::fprintf(stderr, "cannot make the store: %s\n", qPrintable(error));
        std::exit(1);
    }
    Fill(store);
    ReminderPlanner planner(store);
    QDateTime now(QDate(2026, 6, 15), QTime(12, 0));
    qsizetype due = 0;
    for (auto _ : state) {
        const auto plan = planner.Replan(now);
        if (!plan)
            state.SkipWithError("no plan");
        else
            due = plan->Due.size();
        now = now.addSecs(60);
    }
    state.counters["due"] = double(due);
}

} // namespace

BENCHMARK(ReplanAfterASave)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QUILLON_NONINTERACTIVE", "1");
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
