// Subscription refreshes against servers on 127.0.0.1 (python3 and radicale needed):
// - an iCalendar address the server says is unchanged: one conditional GET answered
//   304, nothing read or written; processor time of the whole process (every thread:
//   Qt Network works on one of its own) per refresh, a calendar of 1,000 events;
// - a CalDAV calendar of 10,000 events on Radicale: the first sync and the sync after
//   one changed event, wall time.
// Run: build/bin/bench_sync --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "BenchServers.h"
#include "EventStore.h"
#include "SubscriptionStore.h"
#include "basSchema.h"
#include "basSync.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace quillon {

namespace {

using benchsync::Fail;

double ProcessCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A new store with one subscription; its id.
qint64 NewStore(const QString &database, const QString &address, basDatabase::Subscription::Kind kind,
                const QString &user = QString())
{
    QFile::remove(database);
    QString error;
    if (!basSchema::CreateDatabaseFile(database, error))
        Fail("the store could not be made");
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(database))
        Fail("the store could not be opened");
    basDatabase::Subscription subscription;
    subscription.Address = address;
    subscription.Type = kind;
    subscription.UserName = user;
    if (!basDatabase::SubscriptionStore(store).AddSubscription(subscription))
        Fail("the subscription could not be added");
    return subscription.Id;
}

// As the launcher does it: a thread and a store connection of its own each time.
basSync::RefreshResult RefreshOnThread(const QString &database, qint64 id, const QString &password = QString(),
                                       int timeoutMs = basSync::kTimeoutMs)
{
    basSync::RefreshResult result;
    basSync::RunOnSyncThread([&] {
        basDatabase::EventStore syncStore;
        basSync::RefreshOptions options;
        options.TimeoutMs = timeoutMs;
        if (syncStore.OpenDatabaseConnection(database))
            result = basSync::Refresh(syncStore, id, password, options);
    });
    return result;
}

void UnchangedRefresh(benchmark::State &state)
{
    QTemporaryDir folder;
    QFile feed(folder.filePath(QStringLiteral("bench.ics")));
    if (!feed.open(QIODevice::WriteOnly) || feed.write(benchsync::CalendarText(QStringLiteral("bench"), 1000)) < 0)
        Fail("the feed could not be written");
    feed.close();
    const benchsync::FeedServer server(folder.path());
    const QString database = folder.filePath(QStringLiteral("bench.sqlite"));
    const qint64 id = NewStore(database, QStringLiteral("http://127.0.0.1:%1/feed/bench.ics").arg(server.port),
                               basDatabase::Subscription::Kind::ICalendar);
    // The first refresh brings the events; the ones measured find them unchanged.
    const basSync::RefreshResult first = RefreshOnThread(database, id);
    if (!first.Ok || first.Count.Added != 1000)
        Fail("the first refresh failed");

    for (auto _ : state) {
        const double before = ProcessCpuSeconds();
        const basSync::RefreshResult result = RefreshOnThread(database, id);
        state.SetIterationTime(ProcessCpuSeconds() - before);
        if (!result.Ok || !result.NotModified || result.Requests != 1)
            Fail("an unchanged refresh was not one 304");
    }
}
BENCHMARK(UnchangedRefresh)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

// CalDAV against Radicale: a calendar of 10,000 events, every third weekly for a year.
constexpr int kCalDavEvents = 10000;

// Radicale parses each event file it did not write itself once, into a cache of its
// own (a PUT fills that cache as it goes): the first sync after its start pays for that,
// minutes of Python on a loaded machine, and is asked without the 30 s timeout. Its
// wall time is reported as radicale_cache_s; the syncs measured find the cache warm.
// QUILLON_BENCH_RADICALE_STORAGE names a folder kept between runs (made on the first),
// so that only the first run pays for the cache.
constexpr int kColdTimeoutMs = 15 * 60 * 1000;

struct CalDavServer {
    QTemporaryDir folder;
    benchsync::Radicale radicale;
    QString calendar; // its address
    double coldSeconds = 0;
    qint64 coldId = 0; // the subscription of the first sync, in cold.sqlite
    CalDavServer()
    {
        const QString kept = qEnvironmentVariable("QUILLON_BENCH_RADICALE_STORAGE");
        const QString storage = kept.isEmpty() ? folder.path() : kept;
        const QString name = QStringLiteral("bench");
        const QString path = QFileInfo::exists(QStringLiteral("%1/collection-root/%2/%3").arg(storage, User(), name))
                                 ? QStringLiteral("/%1/%2/").arg(User(), name)
                                 : benchsync::Radicale::WriteCalendar(storage, name, kCalDavEvents);
        if (!radicale.Start(storage))
            Fail("radicale (Debian package radicale) did not start");
        calendar = radicale.Base() + path;
        const QString database = folder.filePath(QStringLiteral("cold.sqlite"));
        QElapsedTimer cold;
        cold.start();
        coldId = NewStore(database, calendar, basDatabase::Subscription::Kind::CalDav, User());
        const basSync::RefreshResult result = RefreshOnThread(database, coldId, Password(), kColdTimeoutMs);
        coldSeconds = double(cold.nsecsElapsed()) / 1e9;
        if (!result.Ok || result.Count.Added != kCalDavEvents)
            Fail(qPrintable(QStringLiteral("the first sync failed: %1").arg(result.Message)));
    }
    QString Password() const { return QLatin1String(benchsync::Radicale::kPassword); }
    QString User() const { return QLatin1String(benchsync::Radicale::kUser); }
};

// One server for both CalDAV benchmarks: its cold start is paid once.
CalDavServer &SharedCalDavServer()
{
    static CalDavServer server;
    return server;
}

// Wall time of a first sync into an empty store: one sync-collection with every event's
// data, read and stored.
void CalDavFirstSync(benchmark::State &state)
{
    CalDavServer &server = SharedCalDavServer();
    state.counters["radicale_cache_s"] = server.coldSeconds;
    const QString database = server.folder.filePath(QStringLiteral("bench.sqlite"));
    basSync::RefreshResult result;
    for (auto _ : state) {
        const qint64 id = NewStore(database, server.calendar, basDatabase::Subscription::Kind::CalDav, server.User());
        const double before = ProcessCpuSeconds();
        const double serverBefore = server.radicale.CpuSeconds();
        QElapsedTimer wall;
        wall.start();
        result = RefreshOnThread(database, id, server.Password());
        state.SetIterationTime(double(wall.nsecsElapsed()) / 1e9);
        // On a loaded machine the wall time is mostly waiting: what each side computed.
        state.counters["cpu_s"] = ProcessCpuSeconds() - before;
        state.counters["server_cpu_s"] = server.radicale.CpuSeconds() - serverBefore;
        if (!result.Ok || result.Count.Added != kCalDavEvents || result.Requests != 1)
            Fail("a first sync did not bring every event in one request");
    }
}
BENCHMARK(CalDavFirstSync)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// Wall time of the refresh after one event changed on the server (the PUT not timed):
// one sync-collection naming that one resource.
void CalDavIncrementalSync(benchmark::State &state)
{
    CalDavServer &server = SharedCalDavServer();
    const QString database = server.folder.filePath(QStringLiteral("cold.sqlite"));
    const qint64 id = server.coldId;
    int round = 0;
    // A storage folder kept from an earlier run already holds "Changed 1" ...: a text of
    // this run's own, so that every PUT changes its event.
    const QString run = QString::number(QDateTime::currentMSecsSinceEpoch());
    for (auto _ : state) {
        ++round;
        const int changed = (round * 37) % kCalDavEvents;
        const QString uid = QStringLiteral("bench-%1").arg(changed);
        const QString summary = QStringLiteral("Changed %1 %2").arg(round).arg(run);
        const int put = server.radicale.Put(QUrl(server.calendar).path() + uid + QStringLiteral(".ics"),
                                            benchsync::EventText(uid, summary, changed + 1, changed % 3 == 0));
        if (put != 201 && put != 204)
            Fail("the changed event could not be put");
        const double before = ProcessCpuSeconds();
        const double serverBefore = server.radicale.CpuSeconds();
        QElapsedTimer wall;
        wall.start();
        const basSync::RefreshResult result = RefreshOnThread(database, id, server.Password());
        state.SetIterationTime(double(wall.nsecsElapsed()) / 1e9);
        state.counters["cpu_ms"] = (ProcessCpuSeconds() - before) * 1000;
        state.counters["server_cpu_ms"] = (server.radicale.CpuSeconds() - serverBefore) * 1000;
        if (!result.Ok || result.Count.Updated != 1 || result.Requests != 1)
            Fail(qPrintable(QStringLiteral("an incremental sync was not one request updating one event: %1 updated, %2 "
                                           "requests, %3")
                                .arg(result.Count.Updated)
                                .arg(result.Requests)
                                .arg(result.Message)));
    }
}
BENCHMARK(CalDavIncrementalSync)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int Main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
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
