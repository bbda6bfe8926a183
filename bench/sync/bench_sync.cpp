// Subscription refreshes against servers on 127.0.0.1 (python3 and radicale needed):
// - an iCalendar address the server says is unchanged: one conditional GET answered
//   304, nothing read or written; processor time of the whole process (every thread:
//   Qt Network works on one of its own) per refresh, a calendar of 1,000 events;
// - a CalDAV calendar of 10,000 events on Radicale: the first sync and the sync after
//   one changed event, wall time;
// - changes made here to a writable calendar on Radicale: the refresh that sends one
//   (our processor time), and 1,000 queued changes sent (wall, our and Radicale's
//   processor time);
// - our first sync of the 10,000-event calendar beside vdirsyncer's first sync of it
//   (vdirsyncer needed; run once).
// Run: build/bin/bench_sync --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "BenchServers.h"
#include "EventService.h"
#include "EventStore.h"
#include "Outbox.h"
#include "SubscriptionStore.h"
#include "basSchema.h"
#include "basSync.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
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
                const QString &user = QString(), bool writable = false)
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
    subscription.Writable = writable;
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

// Wall time of a first sync into an empty store: the calendar's colour and sync token
// asked, then one sync-collection with every event's data, read and stored.
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
        if (!result.Ok || result.Count.Added != kCalDavEvents || result.Requests != 2)
            Fail("a first sync did not bring every event in one sync-collection");
    }
}
BENCHMARK(CalDavFirstSync)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// vdirsyncer keeping the benchmark's calendar in a folder of its own, one file an event.
// The processor time of a finished child of this process (getrusage of the children).
double ChildrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void RunVdirsyncer(const QString &config, const QString &command)
{
    QProcess vdirsyncer;
    vdirsyncer.start(QStringLiteral("vdirsyncer"), {QStringLiteral("-c"), config, command});
    vdirsyncer.closeWriteChannel(); // a question asked is answered with its default
    if (!vdirsyncer.waitForFinished(kColdTimeoutMs) || vdirsyncer.exitStatus() != QProcess::NormalExit
        || vdirsyncer.exitCode() != 0)
        Fail(qPrintable(QStringLiteral("vdirsyncer %1 failed: %2").arg(command, QString::fromLocal8Bit(vdirsyncer.readAllStandardError()))));
}

// Run once: our first sync of the 10,000-event calendar into an empty store, then
// vdirsyncer's first sync of it into an empty folder (its discover, one PROPFIND, not
// counted), both with Radicale's cache warm. Wall time of ours; vdirsyncer's wall time
// and processor time, and Radicale's for each, as counters.
void FirstSyncBesideVdirsyncer(benchmark::State &state)
{
    if (QStandardPaths::findExecutable(QStringLiteral("vdirsyncer")).isEmpty()) {
        state.SkipWithError("vdirsyncer (Debian package vdirsyncer) is not installed");
        return;
    }
    CalDavServer &server = SharedCalDavServer();
    const QString database = server.folder.filePath(QStringLiteral("beside.sqlite"));
    const QString folder = server.folder.filePath(QStringLiteral("vdirsyncer"));
    const QString config = folder + QStringLiteral("/config");
    state.counters["radicale_cache_s"] = server.coldSeconds;
    for (auto _ : state) {
        const qint64 id = NewStore(database, server.calendar, basDatabase::Subscription::Kind::CalDav, server.User());
        double serverBefore = server.radicale.CpuSeconds();
        const double ourBefore = ProcessCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        const basSync::RefreshResult result = RefreshOnThread(database, id, server.Password(), kColdTimeoutMs);
        state.SetIterationTime(double(wall.nsecsElapsed()) / 1e9);
        state.counters["ours_cpu_s"] = ProcessCpuSeconds() - ourBefore;
        state.counters["ours_server_cpu_s"] = server.radicale.CpuSeconds() - serverBefore;
        if (!result.Ok || result.Count.Added != kCalDavEvents)
            Fail(qPrintable(QStringLiteral("our first sync failed: %1").arg(result.Message)));

        QDir(folder).removeRecursively();
        if (!QDir().mkpath(folder + QStringLiteral("/events")) || !QDir().mkpath(folder + QStringLiteral("/status")))
            Fail("the vdirsyncer folder could not be made");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            Fail("the vdirsyncer config could not be written");
        file.write(QStringLiteral("[general]\nstatus_path = \"%1/status/\"\n\n"
                                  "[pair bench]\na = \"bench_folder\"\nb = \"bench_server\"\ncollections = null\n\n"
                                  "[storage bench_folder]\ntype = \"filesystem\"\npath = \"%1/events/\"\nfileext = \".ics\"\n\n"
                                  "[storage bench_server]\ntype = \"caldav\"\nurl = \"%2\"\nusername = \"%3\"\npassword = \"%4\"\n")
                       .arg(folder, server.calendar, server.User(), server.Password())
                       .toUtf8());
        file.close();
        RunVdirsyncer(config, QStringLiteral("discover"));
        serverBefore = server.radicale.CpuSeconds();
        const double cpuBefore = ChildrenCpuSeconds();
        wall.restart();
        RunVdirsyncer(config, QStringLiteral("sync"));
        state.counters["vdirsyncer_s"] = double(wall.nsecsElapsed()) / 1e9;
        state.counters["vdirsyncer_cpu_s"] = ChildrenCpuSeconds() - cpuBefore;
        state.counters["vdirsyncer_server_cpu_s"] = server.radicale.CpuSeconds() - serverBefore;
        const qsizetype files = QDir(folder + QStringLiteral("/events")).entryList({QStringLiteral("*.ics")}, QDir::Files).size();
        if (files != kCalDavEvents)
            Fail(qPrintable(QStringLiteral("vdirsyncer brought %1 of %2 events").arg(files).arg(kCalDavEvents)));
    }
}
BENCHMARK(FirstSyncBesideVdirsyncer)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

// Wall time of the refresh after one event changed on the server (the PUT not timed):
// the calendar asked, then one sync-collection naming that one resource.
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
        if (!result.Ok || result.Count.Updated != 1 || result.Requests != 2)
            Fail(qPrintable(QStringLiteral("an incremental sync was not one sync-collection updating one event: %1 updated, %2 "
                                           "requests, %3")
                                .arg(result.Count.Updated)
                                .arg(result.Requests)
                                .arg(result.Message)));
    }
}
BENCHMARK(CalDavIncrementalSync)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// The changes made here, sent to a Radicale of their own whose calendar starts empty.
struct OutboxServer {
    QTemporaryDir folder;
    benchsync::Radicale radicale;
    QString database;
    qint64 id = 0;
    OutboxServer()
    {
        const QString path = benchsync::Radicale::WriteCalendar(folder.path(), QStringLiteral("outbox"), 0);
        if (!radicale.Start(folder.path()))
            Fail("radicale (Debian package radicale) did not start");
        database = folder.filePath(QStringLiteral("outbox.sqlite"));
        id = NewStore(database, radicale.Base() + path, basDatabase::Subscription::Kind::CalDav,
                      QLatin1String(benchsync::Radicale::kUser), true);
        if (!RefreshOnThread(database, id, Password()).Ok)
            Fail("the first sync of the outbox calendar failed");
    }
    QString Password() const { return QLatin1String(benchsync::Radicale::kPassword); }
    // count new events of the calendar, queued as the scheduler queues them; their ids.
    QList<qint64> Make(int count, const QString &prefix) const
    {
        basDatabase::EventStore store;
        if (!store.OpenDatabaseConnection(database))
            Fail("the outbox store could not be opened");
        EventService events(store);
        QList<qint64> made;
        const bool done = store.RunInTransaction([&] {
            for (int i = 0; i < count; ++i) {
                Event event;
                event.EventName = QStringLiteral("%1 %2").arg(prefix).arg(i);
                event.StartTime = QTime(9, 0);
                event.EndTime = QTime(10, 0);
                event.Dates = {QDate(2027, 1, 1).addDays(i % 365)};
                event.Calendar = id;
                const std::optional<EventService::Saved> saved = events.Save(event);
                if (!saved)
                    return false;
                made << saved->EventID;
            }
            return true;
        });
        if (!done)
            Fail("the changes could not be queued");
        return made;
    }
};

OutboxServer &SharedOutboxServer()
{
    static OutboxServer server;
    return server;
}

// One change made here (an event renamed, not timed), then the refresh that sends it as
// the launcher runs it: a thread and a store connection of its own, the PUT, and the
// sync-collection that names the resource back. Our processor time (every thread).
void OutboxOneChange(benchmark::State &state)
{
    OutboxServer &server = SharedOutboxServer();
    const qint64 eventId = server.Make(1, QStringLiteral("One change")).constFirst();
    if (RefreshOnThread(server.database, server.id, server.Password()).Sent != 1)
        Fail("the event was not sent");
    int round = 0;
    double wallSeconds = 0;
    for (auto _ : state) {
        {
            basDatabase::EventStore store;
            if (!store.OpenDatabaseConnection(server.database))
                Fail("the outbox store could not be opened");
            EventService events(store);
            std::optional<Event> event = events.Load(eventId);
            if (!event)
                Fail("the event could not be loaded");
            event->EventName = QStringLiteral("One change, round %1").arg(++round);
            if (!events.Save(*event))
                Fail("the change could not be queued");
        }
        const double before = ProcessCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        const basSync::RefreshResult result = RefreshOnThread(server.database, server.id, server.Password());
        wallSeconds += double(wall.nsecsElapsed()) / 1e9;
        state.SetIterationTime(ProcessCpuSeconds() - before);
        if (!result.Ok || result.Sent != 1 || result.Waiting != 0)
            Fail(qPrintable(QStringLiteral("the change was not sent: %1").arg(result.Message)));
    }
    state.counters["wall_ms"] = benchmark::Counter(wallSeconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(OutboxOneChange)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

// 1,000 new events queued (not timed), then sent by one SendOutbox on the sync thread:
// 1,000 PUTs with If-None-Match, one after the other. Wall time; our processor time in
// all and per change, Radicale's.
void OutboxThousandChanges(benchmark::State &state)
{
    OutboxServer &server = SharedOutboxServer();
    constexpr int kChanges = 1000;
    int round = 0;
    for (auto _ : state) {
        server.Make(kChanges, QStringLiteral("Queued %1").arg(++round));
        const double before = ProcessCpuSeconds();
        const double serverBefore = server.radicale.CpuSeconds();
        QElapsedTimer wall;
        wall.start();
        basSync::OutboxResult sent;
        bool done = false;
        basSync::RunOnSyncThread([&] {
            basDatabase::EventStore store;
            basDatabase::Subscription subscription;
            if (!store.OpenDatabaseConnection(server.database)
                || !basDatabase::SubscriptionStore(store).GetSubscription(server.id, subscription))
                return;
            basSync::SessionOptions options;
            options.UserName = subscription.UserName;
            options.Password = server.Password();
            options.Origin = QUrl(subscription.Address);
            basSync::HttpSession session(options);
            done = basSync::SendOutbox(store, subscription, session, sent);
        });
        state.SetIterationTime(double(wall.nsecsElapsed()) / 1e9);
        const double cpu = ProcessCpuSeconds() - before;
        state.counters["cpu_s"] = cpu;
        state.counters["cpu_ms_per_change"] = cpu * 1000 / kChanges;
        state.counters["server_cpu_s"] = server.radicale.CpuSeconds() - serverBefore;
        if (!done || sent.Sent != kChanges || sent.Waiting != 0)
            Fail(qPrintable(QStringLiteral("%1 of %2 sent: %3").arg(sent.Sent).arg(kChanges).arg(sent.Messages.join(QLatin1Char(' ')))));
    }
}
BENCHMARK(OutboxThousandChanges)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

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
