// Re-planning the reminders after a save, with 10,000 events stored over a year (every
// other one with a reminder: 5,000), some of them repeating weekly: what the launcher
// does each time another program changes the store.
// Run: build/bin/bench_reminders --benchmark_repetitions=5
#include "EventStore.h"
#include "ReminderPlan.h"
#include "ReminderStoreFill.h"
#include "basSchema.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace quillon {

namespace {

const QDate kFirst(2026, 1, 1);

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
    FillWithReminders(store, kFirst, {0, 5, 10, 15, 30, 60, 120, 1440, 10080});
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

int Main(int argc, char **argv)
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

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
