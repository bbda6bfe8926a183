// Changes made here on their way to a real Radicale: all sent, in order, after an
// outage; held per event when the server fails one; and none lost or sent twice when
// quillon-db or the launcher is killed while it sends. A server that cannot be started
// skips its test.
#include "DavServers.h"
#include "EventService.h"
#include "EventStore.h"
#include "QuillonTestEnvironment.h"
#include "SubscriptionStore.h"
#include "basSchema.h"
#include "basQuillon.h"
#include "basSync.h"

#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QTimer>

#include <functional>
#include <map>
#include <string>

namespace quillon {

namespace {

using basDatabase::OutboxEntry;
using basDatabase::Subscription;
using basDatabase::SubscriptionStore;
using quillontest::QuillonTest;
using quillontest::Radicale;

const QString kTool = QStringLiteral(QUILLON_PROGRAM_DIR "/quillon-db");
const QString kNotSent = QStringLiteral(" (my change, not sent)");

class OutboxOnRadicale : public QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        QString error;
        ASSERT_TRUE(basSchema::CreateDatabaseFile(Database(), error)) << error.toStdString();
    }
    QString Database() const { return TempPath(QStringLiteral("dbcalndr.sqlite")); }

    // Radicale with a calendar "work", followed here as writable and refreshed once;
    // false when Radicale cannot be started.
    bool StartCalendar(bool accounts)
    {
        radicale.accounts = accounts;
        if (!radicale.Start(DataDir()))
            return false;
        const QString home = accounts ? QStringLiteral("/anna/") : QStringLiteral("/shared/");
        radicale.Send("MKCOL", home);
        calendar = home + QStringLiteral("work/");
        EXPECT_EQ(radicale.Send("MKCALENDAR", calendar), 201);
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(Database()));
        Subscription s;
        s.Address = radicale.base + calendar;
        s.Type = Subscription::Kind::CalDav;
        s.UserName = radicale.user;
        s.Writable = true;
        EXPECT_TRUE(SubscriptionStore(store).AddSubscription(s));
        id = s.Id;
        const basSync::RefreshResult first = Refresh();
        EXPECT_TRUE(first.Ok) << first.Message.toStdString();
        return true;
    }
    basSync::RefreshResult Refresh(int timeoutMs = basSync::kTimeoutMs)
    {
        basSync::RefreshResult result;
        basSync::RunOnSyncThread([&] {
            basDatabase::EventStore store;
            if (store.OpenDatabaseConnection(Database())) {
                basSync::RefreshOptions options;
                options.TimeoutMs = timeoutMs;
                result = basSync::Refresh(store, id, radicale.password, options);
            }
        });
        return result;
    }
    // Runs the changes on the service of a store connection of their own.
    void Change(const std::function<void(EventService &)> &changes)
    {
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection(Database()));
        EventService events(store);
        changes(events);
    }
    static qint64 Made(EventService &events, qint64 calendarId, const QString &name, QDate day)
    {
        Event event;
        event.EventName = name;
        event.StartTime = QTime(9, 0);
        event.EndTime = QTime(10, 0);
        event.Dates = {day};
        event.Calendar = calendarId;
        const std::optional<EventService::Saved> saved = events.Save(event);
        EXPECT_TRUE(saved);
        return saved ? saved->EventID : 0;
    }
    static void Rename(EventService &events, qint64 eventId, const QString &name)
    {
        std::optional<Event> event = events.Load(eventId);
        ASSERT_TRUE(event);
        event->EventName = name;
        EXPECT_TRUE(events.Save(*event));
    }
    QList<OutboxEntry> Outbox()
    {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(Database()));
        QList<OutboxEntry> entries;
        EXPECT_TRUE(SubscriptionStore(store).GetOutbox(id, entries));
        return entries;
    }
    // The server's path of an event of the calendar.
    QString HrefOf(qint64 eventId)
    {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(Database()));
        QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
        query.prepare(QStringLiteral("SELECT Uid FROM EventUids WHERE EventId = ?"));
        query.addBindValue(eventId);
        return query.exec() && query.next() ? query.value(0).toString() : QString();
    }
    int EventsNamed(const QString &pattern)
    {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(Database()));
        QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
        query.prepare(QStringLiteral("SELECT COUNT(*) FROM Events WHERE EventName LIKE ?"));
        query.addBindValue(pattern);
        return query.exec() && query.next() ? query.value(0).toInt() : -1;
    }
    // The paths the server logged PUT requests for since the last look, in order.
    QStringList LoggedPuts()
    {
        radicale.Logged(QStringLiteral("PUT"));
        static const QRegularExpression kPut(QStringLiteral("\\] PUT request for '([^']+)'"));
        QStringList paths;
        for (auto it = kPut.globalMatch(radicale.log.mid(logSeen)); it.hasNext();)
            paths << it.next().captured(1);
        logSeen = radicale.log.size();
        return paths;
    }
    // quillon-db with the arguments, killed (SIGKILL) after killAfterMs unless it ended
    // first; the event loop runs meanwhile, so that the server's log is read as it comes.
    struct ToolRun {
        bool killed = false;
        int exitCode = -1;
        QString out;
        QString err;
    };
    static ToolRun Tool(const QStringList &arguments, int killAfterMs = 120000)
    {
        return RunKilled(kTool, arguments, killAfterMs);
    }
    static ToolRun RunKilled(const QString &program, const QStringList &arguments, int killAfterMs)
    {
        QProcess tool;
        QEventLoop loop;
        QObject::connect(&tool, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(killAfterMs, &loop, &QEventLoop::quit);
        tool.start(program, arguments);
        ToolRun run;
        if (!tool.waitForStarted(10000))
            return run;
        loop.exec();
        if (tool.state() != QProcess::NotRunning) {
            run.killed = true;
            tool.kill();
            tool.waitForFinished(10000);
        } else {
            run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
        }
        run.out = QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
        run.err = QString::fromLocal8Bit(tool.readAllStandardError());
        return run;
    }

    // Script changes and changes of the scheduler's service, 200 in all, queued: the
    // names the server must end with, each once.
    std::map<std::string, int> QueueTwoHundredChanges()
    {
        // By script: made, made weekly, changed, deleted.
        const QString calendarId = QString::number(id);
        ToolRun made = Tool({QStringLiteral("add"), Database(), QStringLiteral("--calendar"), calendarId, QStringLiteral("--name"),
                             QStringLiteral("Script one"), QStringLiteral("--start"), QStringLiteral("2027-02-01 09:00"),
                             QStringLiteral("--end"), QStringLiteral("2027-02-01 10:00")});
        EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
        ToolRun weekly = Tool({QStringLiteral("add"), Database(), QStringLiteral("--calendar"), calendarId, QStringLiteral("--name"),
                               QStringLiteral("Script weekly"), QStringLiteral("--start"), QStringLiteral("2027-02-02 08:00"),
                               QStringLiteral("--end"), QStringLiteral("2027-02-02 08:30"), QStringLiteral("--rrule"),
                               QStringLiteral("FREQ=WEEKLY;COUNT=4")});
        EXPECT_EQ(weekly.exitCode, 0) << weekly.err.toStdString();
        ToolRun edited = Tool({QStringLiteral("edit"), Database(), made.out, QStringLiteral("--name"), QStringLiteral("Script one changed"),
                               QStringLiteral("--start"), QStringLiteral("2027-02-01 11:00")});
        EXPECT_EQ(edited.exitCode, 0) << edited.err.toStdString();
        EXPECT_EQ(edited.out, QStringLiteral("changed %1: Script one changed").arg(made.out));
        ToolRun deleted = Tool({QStringLiteral("delete"), Database(), weekly.out});
        EXPECT_EQ(deleted.exitCode, 0) << deleted.err.toStdString();
        EXPECT_EQ(Outbox().size(), 4);
        // By the service: 156 made, the first 40 of them renamed.
        std::map<std::string, int> expected{{"Script one changed", 1}};
        Change([&](EventService &service) {
            QList<qint64> uploads;
            for (int i = 0; i < 156; ++i) {
                uploads << Made(service, id, QStringLiteral("Upload %1").arg(i), QDate(2027, 3, 1).addDays(i % 60));
                expected[QStringLiteral("Upload %1").arg(i).toStdString()] = 1;
            }
            for (int i = 0; i < 40; ++i) {
                Rename(service, uploads[i], QStringLiteral("Upload %1 renamed").arg(i));
                expected.erase(QStringLiteral("Upload %1").arg(i).toStdString());
                expected[QStringLiteral("Upload %1 renamed").arg(i).toStdString()] = 1;
            }
        });
        return expected;
    }
    // The server's events: one resource an event, counted by its name.
    std::map<std::string, int> OnServer() const
    {
        std::map<std::string, int> onServer;
        QDirIterator files(radicale.folder + QStringLiteral("/collections/collection-root") + calendar, {QStringLiteral("*.ics")},
                           QDir::Files);
        while (files.hasNext()) {
            QFile file(files.next());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            static const QRegularExpression kSummary(QStringLiteral("\nSUMMARY:([^\r\n]*)"));
            ++onServer[kSummary.match(QString::fromUtf8(file.readAll())).captured(1).toStdString()];
        }
        return onServer;
    }

    Radicale radicale;
    QString calendar;
    qint64 id = 0;
    qsizetype logSeen = 0;
};

TEST_F(OutboxOnRadicale, ChangesMadeOfflineAllGoInOrderAndAFailedOneHoldsOnlyItsEvent)
{
    if (!StartCalendar(true))
        GTEST_SKIP() << "radicale (Debian package radicale) cannot be started";
    radicale.server.Stop();
    // 50 changes while the server is away: ten events made, then each renamed four
    // times, in turns.
    QList<qint64> events;
    Change([&](EventService &service) {
        for (int i = 0; i < 10; ++i)
            events << Made(service, id, QStringLiteral("Event %1").arg(i), QDate(2027, 1, 4).addDays(i));
        for (int round = 1; round <= 4; ++round) {
            for (int i = 0; i < 10; ++i)
                Rename(service, events[i], QStringLiteral("Event %1 v%2").arg(i).arg(round));
        }
    });
    const QList<OutboxEntry> queued = Outbox();
    ASSERT_EQ(queued.size(), 50);
    QStringList order;
    for (const OutboxEntry &entry : queued)
        order << entry.Href;

    // Unreachable: the first refusal keeps them all, each saying why.
    basSync::RefreshResult result = Refresh(2000);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Waiting, 50);
    EXPECT_EQ(result.Sent, 0);
    for (const OutboxEntry &entry : Outbox())
        EXPECT_TRUE(entry.LastError.startsWith(QStringLiteral("127.0.0.1:%1: ").arg(radicale.server.port)))
            << entry.LastError.toStdString();

    ASSERT_TRUE(radicale.Start(radicale.folder));
    LoggedPuts();
    result = Refresh();
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(result.Sent, 50);
    EXPECT_TRUE(Outbox().isEmpty());
    EXPECT_EQ(LoggedPuts(), order);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(radicale.Get(HrefOf(events[i])).contains(QStringLiteral("SUMMARY:Event %1 v4").arg(i).toUtf8())) << i;

    // Radicale stores the change of event 0 but then fails (HTTP 500) on a folder that
    // stands where its history file goes: that change and the later one of the same
    // event wait, saying why; those of events 1 and 2 still go.
    const QString failing = HrefOf(events[0]);
    const QString obstacle = radicale.folder + QStringLiteral("/collections/collection-root") + calendar
                             + QStringLiteral(".Radicale.cache/history/") + failing.section(QLatin1Char('/'), -1);
    ASSERT_TRUE(QFile::remove(obstacle) && QDir().mkpath(obstacle));
    Change([&](EventService &service) {
        Rename(service, events[0], QStringLiteral("Event 0 refused"));
        Rename(service, events[1], QStringLiteral("Event 1 sent"));
        Rename(service, events[0], QStringLiteral("Event 0 refused again"));
        Rename(service, events[2], QStringLiteral("Event 2 sent"));
    });
    result = Refresh();
    EXPECT_EQ(result.Sent, 2);
    EXPECT_EQ(result.Waiting, 2);
    EXPECT_TRUE(result.Message.contains(QStringLiteral("the server answered HTTP 500 to PUT of ") + failing))
        << result.Message.toStdString();
    QList<OutboxEntry> waiting = Outbox();
    ASSERT_EQ(waiting.size(), 2);
    EXPECT_EQ(waiting[0].Href, failing);
    EXPECT_TRUE(waiting[0].LastError.endsWith(QStringLiteral("the server answered HTTP 500 to PUT of ") + failing))
        << waiting[0].LastError.toStdString();
    EXPECT_TRUE(waiting[1].LastError.startsWith(QStringLiteral("waits for the change before it: ")))
        << waiting[1].LastError.toStdString();
    EXPECT_TRUE(radicale.Get(HrefOf(events[1])).contains("SUMMARY:Event 1 sent"));
    EXPECT_TRUE(radicale.Get(HrefOf(events[2])).contains("SUMMARY:Event 2 sent"));

    // Mended: the change the server had kept after all counts as sent (its 412 is not
    // a conflict), and the one after it follows.
    ASSERT_TRUE(QDir(obstacle).removeRecursively());
    result = Refresh();
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(result.Sent, 2);
    EXPECT_TRUE(Outbox().isEmpty());
    EXPECT_TRUE(radicale.Get(failing).contains("SUMMARY:Event 0 refused again"));
    EXPECT_EQ(EventsNamed(QLatin1Char('%') + kNotSent), 0);

    // A 412 where the server's copy differs in what this suite does not show (another
    // client's attendee) from a change here of what it shows only in its text (the
    // place): both kept, never taken for the change already sent.
    QByteArray other = radicale.Get(HrefOf(events[1]));
    other.replace("END:VEVENT", "ATTENDEE:mailto:bo@example.org\r\nEND:VEVENT");
    ASSERT_EQ(radicale.Send("PUT", HrefOf(events[1]), other) / 100, 2);
    Change([&](EventService &service) {
        std::optional<Event> event = service.Load(events[1]);
        ASSERT_TRUE(event);
        event->Location = QStringLiteral("Room 4");
        EXPECT_TRUE(service.Save(*event));
    });
    result = Refresh();
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(EventsNamed(QStringLiteral("Event 1 sent") + kNotSent), 1);
}

// Script changes and changes of the scheduler's service, 200 in all, sent by
// quillon-db refresh runs killed at random moments: each reaches the server once.
TEST_F(OutboxOnRadicale, RefreshesKilledAtRandomLoseNoChangeAndSendNoneTwice)
{
    if (!StartCalendar(false))
        GTEST_SKIP() << "radicale (Debian package radicale) cannot be started";
    const QString calendarId = QString::number(id);
    const std::map<std::string, int> expected = QueueTwoHundredChanges();
    ASSERT_EQ(Outbox().size(), 200);

    // Each run killed after its own short while: some before they send, most while they
    // do. A run that ends before its kill (the machine was quick) does not count.
    QRandomGenerator random(20261206);
    const QStringList refresh{QStringLiteral("refresh"), Database(), calendarId};
    int kills = 0;
    for (int run = 0; kills < 25 && run < 100; ++run)
        kills += Tool(refresh, random.bounded(30, 150)).killed ? 1 : 0;
    EXPECT_GE(kills, 20);
    const ToolRun last = Tool(refresh);
    ASSERT_EQ(last.exitCode, 0) << last.err.toStdString();
    EXPECT_TRUE(Outbox().isEmpty());

    EXPECT_EQ(OnServer(), expected);
    EXPECT_EQ(EventsNamed(QLatin1Char('%') + kNotSent), 0);
}

// The same changes sent by the launcher (as it does at its start), killed at random
// moments and started again: each reaches the server once.
TEST_F(OutboxOnRadicale, ALauncherKilledAtRandomLosesNoChangeAndSendsNoneTwice)
{
    if (!StartCalendar(false))
        GTEST_SKIP() << "radicale (Debian package radicale) cannot be started";
    const std::map<std::string, int> expected = QueueTwoHundredChanges();
    ASSERT_EQ(Outbox().size(), 200);
    basQuillon::SaveOption(QStringLiteral("DisplaySchedulerOnStart"), QStringLiteral("0"));
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("0"));
    env.Set("QUILLON_NONINTERACTIVE", "1");
    env.Set("QT_QPA_PLATFORM", "minimal"); // the launcher stays (offscreen draws once and ends)
    const QString launcher = QStringLiteral(QUILLON_PROGRAM_DIR "/quillon");

    QRandomGenerator random(20261209);
    int kills = 0;
    int whileSending = 0; // killed after it had sent some, before it had sent all
    qsizetype waiting = Outbox().size();
    // On a loaded machine the launcher starts slower: a kill that came before it sent
    // anything moves the window of the next ones later.
    int earliest = 60;
    for (int run = 0; kills < 20 && run < 80 && waiting > 0; ++run) {
        const bool killed = RunKilled(launcher, {}, earliest + random.bounded(0, 160)).killed;
        const qsizetype after = Outbox().size();
        kills += killed ? 1 : 0;
        whileSending += killed && after < waiting && after > 0 ? 1 : 0;
        if (killed && after == waiting)
            earliest += 40;
        waiting = after;
    }
    EXPECT_GE(kills, 20);
    EXPECT_GE(whileSending, 5);
    // The last one is let be until nothing waits; what a request that got no answer left
    // waiting (the launcher tries again only after its back-off) goes by quillon-db.
    QProcess last;
    last.start(launcher, QStringList());
    ASSERT_TRUE(last.waitForStarted(10000));
    for (int i = 0; i < 300 && !Outbox().isEmpty(); ++i)
        QThread::msleep(100);
    last.terminate();
    last.waitForFinished(10000);
    if (!Outbox().isEmpty()) {
        const ToolRun rest = Tool({QStringLiteral("refresh"), Database(), QString::number(id)});
        EXPECT_EQ(rest.exitCode, 0) << rest.err.toStdString();
    }
    const QList<OutboxEntry> left = Outbox();
    EXPECT_TRUE(left.isEmpty()) << left.size() << " left, the first waiting because: "
                                << (left.isEmpty() ? std::string() : left.first().LastError.toStdString());

    EXPECT_EQ(OnServer(), expected);
    EXPECT_EQ(EventsNamed(QLatin1Char('%') + kNotSent), 0);
}

} // namespace

} // namespace quillon
