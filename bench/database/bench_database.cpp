// The store's costs: saving an event with a year of dates (in its transaction, and the
// same statements one by one in autocommit on the same connection and durability
// settings), and reading a 42-day month holding 500 events as the renderer does.
// Run: build/bin/bench_database --benchmark_repetitions=5
#include "basDatabase.h"
#include "basDateText.h"
#include "basSchema.h"

#include <QCoreApplication>
#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

QStringList YearOfDates(const QDate &first)
{
    QStringList dates;
    for (int d = 0; d < 365; ++d)
        dates.append(basDateText::FormatDateText(first.addDays(d)));
    return dates;
}

const QStringList kValues{QStringLiteral("Weekly meeting"), QStringLiteral("0"), QStringLiteral("9:30 AM"),
                          QStringLiteral("10:00 AM"), QStringLiteral("Blue"), QStringLiteral("104"),
                          QStringLiteral("room 4"), QStringLiteral("1")};

// A fresh store file in its own folder, opened through basDatabase.
class FreshStore {
public:
    FreshStore()
    {
        // Beside the build, on the same disk as a user's data folder would be.
        qputenv("QUILLON_DATA_DIR", m_dir.path().toLocal8Bit());
        QString error;
        if (!basSchema::CreateDatabaseFile(basDatabase::DatabasePath(), false, error) ||
            !basDatabase::OpenDatabaseConnection()) {
            std::fprintf(stderr, "cannot make the store: %s\n", qPrintable(error));
            std::exit(1);
        }
    }
    ~FreshStore() { basDatabase::CloseDatabaseConnection(); }

private:
    QTemporaryDir m_dir{QCoreApplication::applicationDirPath() + QStringLiteral("/bench-XXXXXX")};
};

void SaveEventWith365Dates(benchmark::State &state)
{
    FreshStore store;
    const QStringList dates = YearOfDates(QDate(2030, 1, 1));
    for (auto _ : state) {
        QString id;
        if (!basDatabase::AddEventToDatabase(kValues, dates, id))
            state.SkipWithError("save failed");
    }
}

// The same statements as the store runs, each committed on its own.
void SaveEventWith365DatesOneByOne(benchmark::State &state)
{
    FreshStore store;
    QSqlDatabase db = QSqlDatabase::database(QString::fromLatin1(basDatabase::kConnectionName));
    QStringList isoDates;
    for (const QString &date : YearOfDates(QDate(2030, 1, 1)))
        isoDates.append(basDateText::ParseDateText(date).toString(Qt::ISODate));
    QSqlQuery event(db), occurrence(db), count(db);
    event.prepare(QStringLiteral("INSERT INTO Events (EventName, AllDayEvent, StartTime, EndTime, EventColor, "
                                 "EventIcon, Notes, Recurring) VALUES (?,?,?,?,?,?,?,?)"));
    occurrence.prepare(QStringLiteral("INSERT INTO EventDates (EventId, EventDate) VALUES (?, ?)"));
    count.prepare(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                                 "VALUES (?, '', 1, '', '') ON CONFLICT (DateKey) DO UPDATE "
                                 "SET EventCount = EventCount + 1 WHERE EventCount IS NOT NULL"));
    for (auto _ : state) {
        const QVariantList values{kValues[0], 0, QStringLiteral("09:30"), QStringLiteral("10:00"),
                                  kValues[4], kValues[5], kValues[6], 1};
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

// 500 events spread over the 42 days of a month grid, read as the renderer reads them:
// each day's ids, each event, each day's colour, and the days' records.
void ReadMonthOf500Events(benchmark::State &state)
{
    FreshStore store;
    const QDate first(2026, 11, 29);
    for (int i = 0; i < 500; ++i) {
        QString id;
        QStringList values = kValues;
        values[0] = QStringLiteral("event %1").arg(i);
        basDatabase::AddEventToDatabase(values, {basDateText::FormatDateText(first.addDays(i % 42))}, id);
    }
    for (auto _ : state) {
        int events = 0;
        QStringList days;
        basDatabase::GetDates(basDateText::FormatDateText(first), basDateText::FormatDateText(first.addDays(41)), days);
        for (int d = 0; d < 42; ++d) {
            const QString date = basDateText::FormatDateText(first.addDays(d));
            QStringList ids;
            basDatabase::GetEventsByDate(date, ids);
            for (const QString &id : std::as_const(ids)) {
                QStringList record;
                if (!id.isEmpty() && basDatabase::GetEventData(id, record))
                    ++events;
            }
            benchmark::DoNotOptimize(basDatabase::QueryDateColor(date));
        }
        if (events != 500)
            state.SkipWithError("not every event was read");
    }
}

} // namespace

BENCHMARK(SaveEventWith365Dates)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveEventWith365DatesOneByOne)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ReadMonthOf500Events)->Unit(benchmark::kMillisecond);

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
