// The editor's OK on a recurring event with 365 selected days, conflict check included
// (the dialog answered with Accept), over a store that already holds 10,000 events.
// Run: build/bin/bench_scheduler_editor --benchmark_repetitions=5
#include "EventStore.h"
#include "basSchema.h"
#include "frmConflict.h"
#include "frmEvent.h"
#include "views/YearView.h"

#include <QListWidget>

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace quillon {

namespace {

constexpr int kStoredEvents = 10000;
const QDate kFirstDay(2027, 1, 1);

class FilledStore {
public:
    FilledStore()
    {
        qputenv("QUILLON_DATA_DIR", m_dir.path().toLocal8Bit());
        QString error;
        if (!basSchema::CreateDatabaseFile(basDatabase::EventStore::DatabasePath(), error) ||
            !store.OpenDatabaseConnection()) {
            std::fprintf(stderr, "cannot make the store: %s\n", qPrintable(error));
            std::exit(1);
        }
        // Spread over two years, at every half hour of the working day.
        for (int i = 0; i < kStoredEvents; ++i) {
            basDatabase::EventRecord event;
            event.EventName = QStringLiteral("Stored event %1").arg(i);
            event.StartTime = QTime(7 + (i % 24) / 2, (i % 2) * 30);
            event.EndTime = event.StartTime.addSecs(3600);
            event.EventColor = QStringLiteral("Blue");
            qint64 id = 0;
            store.AddEventToDatabase(event, {kFirstDay.addDays(i % 730)}, id);
        }
    }

    basDatabase::EventStore store;

private:
    QTemporaryDir m_dir{QCoreApplication::applicationDirPath() + QStringLiteral("/bench-XXXXXX")};
};

FilledStore &Store()
{
    static FilledStore filled;
    return filled;
}

void OkOnRecurringEventWith365Days(benchmark::State &state)
{
    basDatabase::EventStore &store = Store().store;
    EventService events(store);
    basQuillon::GeneralSettingsRecord settings;
    settings.CheckForConflicts = true;
    std::int64_t conflictLines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<frmEvent>(events, settings, nullptr);
        editor->SetConflictDialogRunner([&](frmConflict &dialog) {
            dialog.Form_Load();
            conflictLines += dialog.findChild<QListWidget *>(QStringLiteral("lstConflicts"))->count();
            dialog.cmdAccept_Click();
        });
        editor->SetEventID(0);
        editor->SetEventSubject(QStringLiteral("Daily stand-up"));
        editor->SetEventDate(QDate(2027, 1, 1));
        editor->SetEventStartTime(QTime(9, 0));
        editor->SetEventRecurring(true);
        for (int d = 1; d < 365; ++d)
            editor->findChild<YearView *>(QStringLiteral("SSYear1"))->AddDate(kFirstDay.addDays(d));
        state.ResumeTiming();
        editor->cmdOK_Click();
        state.PauseTiming();
        if (!editor->OkPressed())
            state.SkipWithError("OK did not save");
        // Every OK meets the same 10,000 events.
        store.DeleteEventFromDatabase(editor->EventID());
        editor.reset();
        state.ResumeTiming();
    }
    state.counters["conflicts_per_ok"] =
        benchmark::Counter(static_cast<double>(conflictLines), benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(OkOnRecurringEventWith365Days)->Unit(benchmark::kMillisecond)->Iterations(10);

int Main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QUILLON_NONINTERACTIVE", "1");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Store();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
