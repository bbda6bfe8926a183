// The Find window over a store of 10,000 events: each key typed into it until the list
// below shows what it finds (the store's search, the rows, the list drawn), with the
// median and the slowest key of each repetition; and the first look of a store, which
// reads every event for the search once.
#include "EventService.h"
#include "EventStore.h"
#include "basSchema.h"
#include "frmFind.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace quillon {

namespace {

constexpr int kEvents = 10000;

QString StorePath() { return QDir::tempPath() + QStringLiteral("/quillon-bench-search/dbcalndr.sqlite"); }

// Names, notes and places as a person's calendar has them, some with accents.
const char *const kNames[] = {"Staff meeting", "Dentist", "Lunch with Anna", "Choir rehearsal", "Café with Zoë",
                              "Football practice", "Budget review", "Call with the bank", "Parents' evening",
                              "Car to the garage", "Piano lesson", "Book club", "Yoga", "Team retrospective"};
const char *const kPlaces[] = {"", "", "Zürich office", "Room 4", "Town hall", "Müller's garage", "", "Café Ländle"};
const char *const kNotes[] = {"", "bring the minutes", "", "ask about the invoice", "", "", "remember the kit"};

// Made once in $TMPDIR and kept: 10,000 events saved as the editor saves them, so each has its
// text (and place) as the user's own events do.
bool Prepare()
{
    const QString path = StorePath();
    if (QFile::exists(path))
        return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (!basSchema::CreateDatabaseFile(path, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(path))
        return false;
    EventService events(store);
    return store.RunInTransaction([&] {
        QDate date(2022, 1, 3);
        for (int i = 0; i < kEvents; ++i) {
            date = date.addDays(i % 4 == 0 ? 1 : 0);
            Event draft;
            draft.EventName = QStringLiteral("%1 %2").arg(QString::fromUtf8(kNames[i % std::size(kNames)])).arg(i);
            draft.StartTime = QTime(8 + i % 10, (i % 2) * 30);
            draft.EndTime = draft.StartTime.addSecs(3600);
            draft.Location = QString::fromUtf8(kPlaces[i % std::size(kPlaces)]);
            draft.Notes = QString::fromUtf8(kNotes[i % std::size(kNotes)]);
            draft.Dates = {date};
            if (i % 10 == 0) {
                draft.Dates << date.addDays(7) << date.addDays(14);
                draft.Recurring = true;
            }
            if (!events.Save(draft))
                return false;
        }
        return true;
    });
}

// What a user types, a key at a time: each prefix of each query.
QStringList Keystrokes()
{
    QStringList typed;
    for (const char *query : {"staff meeting", "zurich", "dentist", "anna", "cafe zoe", "budget 99", "xyzzy"}) {
        const QString text = QString::fromUtf8(query);
        for (qsizetype i = 1; i <= text.size(); ++i)
            typed << text.left(i);
    }
    return typed;
}

void BM_FindAsYouType(benchmark::State &state)
{
    basDatabase::EventStore store;
    if (!Prepare() || !store.OpenDatabaseConnection(StorePath())) {
        state.SkipWithError("the store could not be made or opened");
        return;
    }
    frmFind window(store);
    window.show();
    window.Refresh(); // the first look, outside the measurement
    QApplication::processEvents();
    QLineEdit &text = *window.findChild<QLineEdit *>(QStringLiteral("txtFind"));
    const QStringList typed = Keystrokes();
    std::vector<double> each;
    qsizetype i = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        text.setText(typed[i++ % typed.size()]);
        QApplication::processEvents();
        each.push_back(timer.nsecsElapsed() / 1e6);
    }
    // Per key: the median and the slowest (a single letter finds most of the store).
    std::sort(each.begin(), each.end());
    state.counters["key_median_ms"] = each[each.size() / 2];
    state.counters["key_worst_ms"] = each.back();
    window.close();
}
// One iteration a key: every key of the list once per repetition.
BENCHMARK(BM_FindAsYouType)->Unit(benchmark::kMillisecond)->Iterations(Keystrokes().size())->Repetitions(5)->ReportAggregatesOnly(true);

void BM_FirstLookOfAStore(benchmark::State &state)
{
    basDatabase::EventStore store;
    if (!Prepare() || !store.OpenDatabaseConnection(StorePath())) {
        state.SkipWithError("the store could not be made or opened");
        return;
    }
    const QSqlDatabase db = QSqlDatabase::database(store.ConnectionName(), false);
    for (auto _ : state) {
        state.PauseTiming();
        // As a store upgraded from before the search: no event read for it yet.
        QSqlQuery(db).exec(QStringLiteral("DELETE FROM SearchTexts"));
        QSqlQuery(db).exec(QStringLiteral("DELETE FROM SearchTrigrams"));
        state.ResumeTiming();
        if (!EventService(store).UpdateSearchIndex()) {
            state.SkipWithError("the store refused");
            return;
        }
    }
}
BENCHMARK(BM_FirstLookOfAStore)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

} // namespace quillon
