// Refreshing a subscription the server says is unchanged: one conditional GET answered
// 304, nothing read or written. Measured as the processor time of the whole process
// (every thread: Qt Network works on one of its own), per refresh, against the tests'
// feed server with a calendar of 1,000 events (python3 needed).
// Run: build/bin/bench_sync --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "SubscriptionStore.h"
#include "basSchema.h"
#include "basSync.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace {

void Fail(const char *what)
{
    std::fprintf(stderr, "bench_sync: %s\n", what);
    std::exit(1);
}

double ProcessCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QByteArray CalendarText(int count)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quillon bench//EN\r\n";
    const QDate first(2026, 1, 1);
    for (int i = 0; i < count; ++i) {
        const QByteArray date = first.addDays(i % 365).toString(QStringLiteral("yyyyMMdd")).toLatin1();
        text += "BEGIN:VEVENT\r\nUID:bench-" + QByteArray::number(i) + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:" + date
                + "T090000\r\nDTEND:" + date + "T100000\r\nSUMMARY:Event " + QByteArray::number(i) + "\r\nEND:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

void UnchangedRefresh(benchmark::State &state)
{
    QTemporaryDir folder;
    QFile feed(folder.filePath(QStringLiteral("bench.ics")));
    if (!feed.open(QIODevice::WriteOnly) || feed.write(CalendarText(1000)) < 0)
        Fail("the feed could not be written");
    feed.close();
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        Fail("python3 is missing: the feed server cannot run");
    QProcess server;
    server.start(python, {QStringLiteral(QUILLON_SOURCE_DIR "/tests/sync/feed_server.py"), folder.path()});
    if (!server.waitForReadyRead(10000))
        Fail("the feed server did not start");
    const int port = server.readLine().trimmed().toInt();

    const QString database = folder.filePath(QStringLiteral("bench.sqlite"));
    QString error;
    if (!basSchema::CreateDatabaseFile(database, error))
        Fail("the store could not be made");
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(database))
        Fail("the store could not be opened");
    basDatabase::Subscription subscription;
    subscription.Address = QStringLiteral("http://127.0.0.1:%1/feed/bench.ics").arg(port);
    if (!basDatabase::SubscriptionStore(store).AddSubscription(subscription))
        Fail("the subscription could not be added");
    // The first refresh brings the events; the ones measured find them unchanged.
    basSync::RefreshResult first;
    basSync::RunOnSyncThread([&] {
        basDatabase::EventStore syncStore;
        syncStore.OpenDatabaseConnection(database);
        first = basSync::Refresh(syncStore, subscription.Id, QString());
    });
    if (!first.Ok || first.Count.Added != 1000)
        Fail("the first refresh failed");

    for (auto _ : state) {
        basSync::RefreshResult result;
        const double before = ProcessCpuSeconds();
        // As the launcher does it: a thread and a store connection of its own each time.
        basSync::RunOnSyncThread([&] {
            basDatabase::EventStore syncStore;
            if (syncStore.OpenDatabaseConnection(database))
                result = basSync::Refresh(syncStore, subscription.Id, QString());
        });
        state.SetIterationTime(ProcessCpuSeconds() - before);
        if (!result.Ok || !result.NotModified || result.Requests != 1)
            Fail("an unchanged refresh was not one 304");
    }
    server.kill();
    server.waitForFinished(5000);
}
BENCHMARK(UnchangedRefresh)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
