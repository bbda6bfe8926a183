// The launcher's resident memory after a day of refreshes: five subscriptions (three
// iCalendar addresses on the tests' feed server, two CalDAV calendars on Radicale, 1,000
// events each, every third weekly) refreshed by the launcher's own LauncherSubscriptions
// 24 times (a day of hourly refreshes, rounds run back to back), one feed and one CalDAV
// event changed before each round. A process of its own, started like the launcher
// (QApplication, offscreen), so that the figures are the refresh path's and not another
// benchmark's: VmRSS before the first round and after the last, and VmHWM.
// Run: build/bin/bench_launcher_day
#include "EventStore.h"
#include "BenchServers.h"
#include "LauncherClock.h"
#include "LauncherSubscriptions.h"
#include "SubscriptionStore.h"
#include "basSchema.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace quillon {

namespace {

using basDatabase::Subscription;
using benchsync::Fail;

constexpr int kEvents = 1000;
constexpr int kRounds = 24;

class FixedClock : public LauncherClock {
public:
    QDateTime Now() const override { return QDateTime(QDate(2026, 6, 1), QTime(9, 0)); }
    std::int64_t MonotonicMs() const override { return 0; }
};

void WriteFeed(const QString &path, const QByteArray &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        Fail("a feed could not be written");
}

void LauncherDayOfRefreshes(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString storage = folder.filePath(QStringLiteral("radicale"));
    QStringList calendars;
    for (const char *name : {"work", "family"})
        calendars << benchsync::Radicale::WriteCalendar(storage, QLatin1String(name), kEvents);
    benchsync::Radicale radicale;
    if (!radicale.Start(storage))
        Fail("radicale (Debian package radicale) did not start");
    const QStringList feeds{QStringLiteral("team.ics"), QStringLiteral("holidays.ics"), QStringLiteral("club.ics")};
    for (const QString &feed : feeds)
        WriteFeed(folder.filePath(feed), benchsync::CalendarText(feed, kEvents));
    const benchsync::FeedServer server(folder.path());

    const QString database = folder.filePath(QStringLiteral("bench.sqlite"));
    QString error;
    basDatabase::EventStore store;
    if (!basSchema::CreateDatabaseFile(database, error) || !store.OpenDatabaseConnection(database))
        Fail("the store could not be made");
    for (const QString &feed : feeds) {
        Subscription s;
        s.Address = QStringLiteral("http://127.0.0.1:%1/feed/%2").arg(server.port).arg(feed);
        if (!basDatabase::SubscriptionStore(store).AddSubscription(s))
            Fail("a subscription could not be added");
    }
    for (const QString &calendar : calendars) {
        Subscription s;
        s.Address = radicale.Base() + calendar;
        s.Type = Subscription::Kind::CalDav;
        s.UserName = QLatin1String(benchsync::Radicale::kUser);
        if (!basDatabase::SubscriptionStore(store).AddSubscription(s))
            Fail("a subscription could not be added");
    }

    FixedClock clock;
    SubscriptionRefreshServices services;
    services.clock = &clock;
    services.databasePath = database;
    // Radicale parses the files written behind its back at the first sync, slowly on a
    // loaded machine: not the launcher's 30 s. Memory is what is measured here.
    services.options.TimeoutMs = 15 * 60 * 1000;
    services.password = [](const Subscription &s) {
        return s.UserName.isEmpty() ? QString() : QString::fromLatin1(benchsync::Radicale::kPassword);
    };
    int failures = 0;
    LauncherSubscriptions subscriptions(services);
    QObject::connect(&subscriptions, &LauncherSubscriptions::Refreshed,
                     [&](const basSync::RefreshResult &result) { failures += result.Ok ? 0 : 1; });
    const auto round = [&] {
        QEventLoop loop;
        QObject::connect(&subscriptions, &LauncherSubscriptions::Settled, &loop, &QEventLoop::quit);
        subscriptions.RefreshAll();
        if (subscriptions.IsBusy())
            loop.exec();
    };
    round(); // the start: every calendar's first sync
    const long startKb = benchsync::StatusKb("VmRSS:");
    for (auto _ : state) {
        for (int i = 1; i <= kRounds; ++i) {
            const QString feed = feeds[i % feeds.size()];
            WriteFeed(folder.filePath(feed), benchsync::CalendarText(feed + QString::number(i % 2), kEvents));
            const QString uid = QStringLiteral("work-%1").arg(i);
            radicale.Put(calendars[0] + uid + QStringLiteral(".ics"), benchsync::EventText(uid, QStringLiteral("Moved"), i + 7, false));
            round();
        }
    }
    if (failures != 0)
        Fail("a refresh failed");
    state.counters["rss_start_MB"] = double(startKb) / 1024;
    state.counters["rss_end_MB"] = double(benchsync::StatusKb("VmRSS:")) / 1024;
    state.counters["hwm_MB"] = double(benchsync::StatusKb("VmHWM:")) / 1024;
}
BENCHMARK(LauncherDayOfRefreshes)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int Main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
