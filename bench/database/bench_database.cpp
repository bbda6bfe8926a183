// The store's costs: saving an event with a year of dates (in its transaction, and the
// same statements one by one in autocommit on the same connection and durability
// settings), and reading a 42-day month holding 500 events: as the renderer did before
// (each day's ids, then each event) and with one query over the range.
// Run: build/bin/bench_database --benchmark_repetitions=5
#include "EventStore.h"
#include "basSchema.h"

#include <QCoreApplication>
#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace quillon {

namespace {

QList<QDate> YearOfDates(const QDate &first)
{
    QList<QDate> dates;
    for (int d = 0; d < 365; ++d)
        dates.append(first.addDays(d));
    return dates;
}

basDatabase::EventRecord Meeting(const QString &name = QStringLiteral("Weekly meeting"))
{
    basDatabase::EventRecord event;
    event.EventName = name;
    event.StartTime = QTime(9, 30);
    event.EndTime = QTime(10, 0);
    event.EventColor = QStringLiteral("Blue");
    event.EventIcon = 104;
    event.Notes = QStringLiteral("room 4");
    event.Recurring = true;
    return event;
}

// A fresh store file in its own folder, opened through an EventStore.
class FreshStore {
public:
    FreshStore()
    {
        // Beside the build, on the same disk as a user's data folder would be.
        qputenv("QUILLON_DATA_DIR", m_dir.path().toLocal8Bit());
        QString error;
        if (!basSchema::CreateDatabaseFile(basDatabase::EventStore::DatabasePath(), error) ||
            !store.OpenDatabaseConnection()) {
            std::fprintf(stderr, "cannot make the store: %s\n", qPrintable(error));
            std::exit(1);
        }
    }

private:
    QTemporaryDir m_dir{QCoreApplication::applicationDirPath() + QStringLiteral("/bench-XXXXXX")};

public:
    basDatabase::EventStore store;
};

void SaveEventWith365Dates(benchmark::State &state)
{
    FreshStore fresh;
    const QList<QDate> dates = YearOfDates(QDate(2030, 1, 1));
    const basDatabase::EventRecord event = Meeting();
    for (auto _ : state) {
        qint64 id = 0;
        if (!fresh.store.AddEventToDatabase(event, dates, id))
            state.SkipWithError("save failed");
    }
}

// The same statements as the store runs, each committed on its own.
void SaveEventWith365DatesOneByOne(benchmark::State &state)
{
    FreshStore fresh;
    QSqlDatabase db = QSqlDatabase::database(fresh.store.ConnectionName());
    QStringList isoDates;
    for (const QDate &date : YearOfDates(QDate(2030, 1, 1)))
        isoDates.append(date.toString(Qt::ISODate));
    const basDatabase::EventRecord meeting = Meeting();
    QSqlQuery event(db), occurrence(db), count(db);
    event.prepare(QStringLiteral("INSERT INTO Events (EventName, AllDayEvent, StartTime, EndTime, EventColor, "
                                 "EventIcon, Notes, Recurring) VALUES (?,?,?,?,?,?,?,?)"));
    occurrence.prepare(QStringLiteral("INSERT INTO EventDates (EventId, EventDate) VALUES (?, ?)"));
    count.prepare(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                                 "VALUES (?, '', 1, '', '') ON CONFLICT (DateKey) DO UPDATE "
                                 "SET EventCount = EventCount + 1 WHERE EventCount IS NOT NULL"));
    for (auto _ : state) {
        const QVariantList values{meeting.EventName, 0, QStringLiteral("09:30"), QStringLiteral("10:00"),
                                  meeting.EventColor, QString::number(meeting.EventIcon), meeting.Notes, 1};
        for (int i = 0; i < values.size(); ++i)
            event.bindValue(i, values[i]);
        bool ok = event.exec();
        const QVariant id = event.lastInsertId();
        for (const QString &iso : std::as_const(isoDates)) {
            occurrence.bindValue(0, id);
            occurrence.bindValue(1, iso);
            ok = occurrence.exec() && ok;
            count.bindValue(0, iso);
            ok = count.exec() && ok;
        }
        if (!ok)
            state.SkipWithError("a statement failed");
    }
}

// 500 events spread over the 42 days of a month grid.
void FillMonth(basDatabase::EventStore &store, const QDate &first)
{
    for (int i = 0; i < 500; ++i) {
        qint64 id = 0;
        store.AddEventToDatabase(Meeting(QStringLiteral("event %1").arg(i)), {first.addDays(i % 42)}, id);
    }
}

// The month as the renderer read it before: each day's ids, each event, each day's colour,
// and the days' records.
void ReadMonthOf500EventsByDay(benchmark::State &state)
{
    FreshStore fresh;
    const QDate first(2026, 11, 29);
    FillMonth(fresh.store, first);
    for (auto _ : state) {
        int events = 0;
        QList<basDatabase::DayRecord> days;
        fresh.store.GetDates(first, first.addDays(41), days);
        for (int d = 0; d < 42; ++d) {
            const QDate date = first.addDays(d);
            QList<qint64> ids;
            fresh.store.GetEventsByDate(date, ids);
            for (const qint64 id : std::as_const(ids)) {
                basDatabase::EventRecord record;
                if (fresh.store.GetEventData(id, record))
                    ++events;
            }
            benchmark::DoNotOptimize(fresh.store.QueryDateColor(date));
        }
        if (events != 500)
            state.SkipWithError("not every event was read");
    }
}

// The month as the renderer reads it now: the days' records (their colours with them)
// and one range query for the events.
void ReadMonthOf500Events(benchmark::State &state)
{
    FreshStore fresh;
    const QDate first(2026, 11, 29);
    FillMonth(fresh.store, first);
    for (auto _ : state) {
        QList<basDatabase::DayRecord> days;
        fresh.store.GetDates(first, first.addDays(41), days);
        QList<basDatabase::DatedEvent> events;
        fresh.store.GetEventsInRange(first, first.addDays(41), events);
        if (events.size() != 500 || days.size() != 42)
            state.SkipWithError("not every event was read");
    }
}

} // namespace

BENCHMARK(SaveEventWith365Dates)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveEventWith365DatesOneByOne)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ReadMonthOf500EventsByDay)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadMonthOf500Events)->Unit(benchmark::kMillisecond);

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
