// The launcher's refresh of subscribed calendars against the counting feed server:
// when it asks, how failures back off and are logged once, and when it redraws.
#include "EventStore.h"
#include "FeedServer.h"
#include "LauncherFixture.h"
#include "ConflictStore.h"
#include "LauncherSubscriptions.h"
#include "SessionPasswords.h"
#include "SubscriptionStore.h"
#include "basSchema.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <memory>

namespace quillon {

namespace {
using namespace launchertest;
using basDatabase::Subscription;

QByteArray OneEvent(const QString &day)
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//quillon tests//EN\r\n"
                          "BEGIN:VEVENT\r\nUID:one\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:%1T090000\r\n"
                          "DTEND:%1T100000\r\nSUMMARY:Standup\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
        .arg(day)
        .toUtf8();
}

class SubscriptionRefresh : public LauncherTest {
protected:
    void SetUp() override
    {
        LauncherTest::SetUp();
        QString error;
        ASSERT_TRUE(basSchema::CreateDatabaseFile(Database(), error)) << error.toStdString();
        m_server = quillontest::StartFeedServer(DataDir());
        m_port = m_server->port;
        if (m_port == 0)
            GTEST_SKIP() << "the feed server did not start (it needs python3)";
    }
    void TearDown() override
    {
        subscriptions.reset();
        m_server.reset();
        LauncherTest::TearDown();
    }

    QString Database() const { return TempPath(QStringLiteral("dbcalndr.sqlite")); }
    qint64 Add(const QString &path, int minutes = 60)
    {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(Database()));
        Subscription s;
        s.Address = QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
        s.DisplayName = path;
        s.RefreshMinutes = minutes;
        EXPECT_TRUE(basDatabase::SubscriptionStore(store).AddSubscription(s));
        return s.Id;
    }
    void Feed(const QString &name, const QByteArray &text)
    {
        QFile file(TempPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    LauncherSubscriptions &Refresher()
    {
        SubscriptionRefreshServices services;
        services.clock = &clock;
        services.databasePath = Database();
        services.password = [](const Subscription &) { return QString(); };
        services.monthChanged = [this] { ++redraws; };
        services.notify = [this](const QString &, const QString &text) { notified << text; };
        subscriptions = std::make_unique<LauncherSubscriptions>(services);
        return *subscriptions;
    }
    // Runs what is due (or everything) and waits until it settled.
    void Run(bool all)
    {
        QSignalSpy settled(subscriptions.get(), &LauncherSubscriptions::Settled);
        all ? subscriptions->RefreshAll() : subscriptions->RefreshDue();
        if (settled.isEmpty()) {
            ASSERT_TRUE(settled.wait(20000));
        }
    }
    QStringList Requests() const
    {
        return ReadDataFile(QStringLiteral("requests.log")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    int Reports() const { return ReadDataFile(QStringLiteral("error.log")).count(QStringLiteral("LauncherSubscriptions")); }
    // The timer's wait as set, on the test's clock.
    int Wait() const { return subscriptions->NextTimer().interval(); }

    void StopServer() { m_server.reset(); }

    std::unique_ptr<LauncherSubscriptions> subscriptions;
    int redraws = 0;
    QStringList notified;

private:
    std::unique_ptr<quillontest::Server> m_server;
    int m_port = 0;
};

TEST(SubscriptionBackoff, DoublesFromOneMinuteUpToAnHour)
{
    const QList<int> minutes{1, 2, 4, 8, 16, 32, 60, 60, 60};
    for (int n = 0; n < minutes.size(); ++n)
        EXPECT_EQ(LauncherSubscriptions::BackoffMs(n + 1), minutes[n] * 60000LL) << n + 1;
    EXPECT_EQ(LauncherSubscriptions::IntervalMs(5), 15 * 60000LL);
    EXPECT_EQ(LauncherSubscriptions::IntervalMs(90), 90 * 60000LL);
}

TEST_F(SubscriptionRefresh, EachOnceAtTheStartThenOnlyWhenDueAndAChangeInTheMonthRedraws)
{
    Feed(QStringLiteral("month.ics"), OneEvent(QStringLiteral("20261210")));
    Feed(QStringLiteral("later.ics"), OneEvent(QStringLiteral("20270310")));
    Add(QStringLiteral("/feed/month.ics"), 5);
    Add(QStringLiteral("/feed/later.ics"), 120);
    Refresher();
    Run(true);
    EXPECT_EQ(Requests().size(), 2);
    EXPECT_EQ(redraws, 1); // only the feed with an event this month
    // The shortest interval is 15 minutes, however short the one asked for.
    EXPECT_EQ(Wait(), 15 * 60000);

    clock.Advance(10 * 60000);
    Run(false);
    EXPECT_EQ(Requests().size(), 2);
    clock.Advance(6 * 60000);
    Run(false);
    QStringList requests = Requests();
    std::sort(requests.begin(), requests.begin() + std::min<qsizetype>(requests.size(), 2)); // the first two ran at once
    EXPECT_EQ(requests, (QStringList{QStringLiteral("GET /feed/later.ics 200"), QStringLiteral("GET /feed/month.ics 200"),
                                     QStringLiteral("GET /feed/month.ics 304")}));
    EXPECT_EQ(redraws, 1);

    // A changed event this month redraws again; the tray's item asks every one, once
    // however often it is clicked meanwhile.
    Feed(QStringLiteral("month.ics"), OneEvent(QStringLiteral("20261211")));
    subscriptions->RefreshAll();
    Run(true);
    EXPECT_EQ(Requests().size(), 5);
    EXPECT_EQ(redraws, 2);
    EXPECT_EQ(Reports(), 0);
}

// A change made here that lost to the server's is told once, whichever refresh left it.
TEST_F(SubscriptionRefresh, ALostChangeIsToldOnce)
{
    Feed(QStringLiteral("month.ics"), OneEvent(QStringLiteral("20261210")));
    const qint64 id = Add(QStringLiteral("/feed/month.ics"));
    {
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection(Database()));
        basDatabase::Conflict conflict;
        conflict.SubscriptionId = id;
        conflict.Href = QStringLiteral("/feed/standup.ics");
        conflict.Message = QStringLiteral("Work: \"Standup\" was changed on the server too");
        ASSERT_TRUE(basDatabase::ConflictStore(store).Add(conflict));
    }
    Refresher();
    Run(true);
    Run(true);
    ASSERT_EQ(notified.size(), 1);
    EXPECT_TRUE(notified.first().startsWith(QStringLiteral("Work: \"Standup\" was changed on the server too\n")))
        << notified.first().toStdString();
    EXPECT_TRUE(notified.first().contains(QStringLiteral("Open Calendars...")));
}

TEST_F(SubscriptionRefresh, AFailingOneBacksOffAndIsLoggedOnceUntilItWorksAgain)
{
    Add(QStringLiteral("/feed/gone.ics"));
    Refresher();
    Run(true);
    EXPECT_EQ(Wait(), 60000);
    for (int wait : {1, 2, 4}) {
        clock.Advance(wait * 60000LL);
        Run(false);
    }
    EXPECT_EQ(Requests().size(), 4);
    EXPECT_EQ(Wait(), 8 * 60000);
    EXPECT_EQ(Reports(), 1);
    EXPECT_TRUE(ReadDataFile(QStringLiteral("error.log")).contains(QStringLiteral("/feed/gone.ics")));

    Feed(QStringLiteral("gone.ics"), OneEvent(QStringLiteral("20261210")));
    Run(true);
    EXPECT_EQ(redraws, 1);
    QFile::remove(TempPath(QStringLiteral("gone.ics")));
    Run(true);
    EXPECT_EQ(Reports(), 2);
    EXPECT_EQ(Requests().size(), 6);
}

TEST_F(SubscriptionRefresh, TheTrayItemAsksForARefreshAndAChangedMonthRedrawsTheCalendar)
{
    int asked = 0;
    refreshCalendars = [&asked] { ++asked; };
    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    Option(QStringLiteral("LastStartUpDate"), QStringLiteral("12/06/2026"));
    frmMain &form = NewLauncher();
    form.Form_Load();
    ASSERT_TRUE(quillontest::Find<QAction>(form, "mnuRefreshCalendars")->isEnabled());
    EXPECT_EQ(quillontest::Find<QAction>(form, "mnuRefreshCalendars")->text(), QStringLiteral("Refresh &Calendars"));
    quillontest::Find<QAction>(form, "mnuRefreshCalendars")->trigger();
    EXPECT_EQ(asked, 1);
    form.OnSubscribedEventsChanged();
    EXPECT_EQ(Started(1), QStringList{QStringLiteral("calendar")});
}

TEST_F(SubscriptionRefresh, ASlowServerLeavesTheLauncherResponsive)
{
    Add(QStringLiteral("/slow"));
    Refresher();
    // The launcher's loop keeps turning while the server takes 5 s to answer.
    QElapsedTimer since;
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, since.restart());
    });
    since.start();
    tick.start(20);
    Run(true);
    EXPECT_LT(longest, 1000);
    EXPECT_EQ(Requests(), QStringList{QStringLiteral("GET /slow 200")});
}

TEST_F(SubscriptionRefresh, AServerThatKeepsItsAnswerHoldsUpNoOtherCalendar)
{
    Feed(QStringLiteral("month.ics"), OneEvent(QStringLiteral("20261210")));
    const qint64 slow = Add(QStringLiteral("/feed/month.ics?delay=120"));
    const qint64 fast = Add(QStringLiteral("/feed/month.ics"));
    Refresher();
    QList<qint64> done;
    QObject::connect(subscriptions.get(), &LauncherSubscriptions::Refreshed,
                     [&](const basSync::RefreshResult &result) { done.append(result.Id); });
    const auto waitFor = [&](qsizetype fastOnes) {
        QDeadlineTimer deadline(30000);
        while (done.count(fast) < fastOnes && !deadline.hasExpired())
            QTest::qWait(20);
        return done.count(fast) == fastOnes;
    };
    // Asked first, the slow one keeps waiting; the other is refreshed, and again from the tray.
    subscriptions->RefreshAll();
    ASSERT_TRUE(waitFor(1));
    subscriptions->RefreshAll();
    ASSERT_TRUE(waitFor(2));
    EXPECT_FALSE(done.contains(slow));
    EXPECT_TRUE(subscriptions->IsBusy());
    EXPECT_EQ(redraws, 1);
    // The slow one was asked once however often the tray asked.
    QSignalSpy settled(subscriptions.get(), &LauncherSubscriptions::Settled);
    StopServer();
    ASSERT_TRUE(settled.wait(30000));
    EXPECT_EQ(done.count(slow), 1);
    EXPECT_FALSE(subscriptions->IsBusy());
}

TEST_F(SubscriptionRefresh, WithoutASecretStoreThePasswordIsAskedOnceASession)
{
    Feed(QStringLiteral("team.ics"), OneEvent(QStringLiteral("20261210")));
    qint64 ids[2] = {Add(QStringLiteral("/auth/team.ics")), Add(QStringLiteral("/auth/team.ics?second"))};
    {
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection(Database()));
        for (const qint64 id : ids) {
            Subscription s;
            ASSERT_TRUE(basDatabase::SubscriptionStore(store).GetSubscription(id, s));
            s.UserName = QStringLiteral("anna");
            ASSERT_TRUE(basDatabase::SubscriptionStore(store).UpdateSubscription(s));
        }
    }
    const auto none = [](auto &&...) { return basSecrets::Answer{basSecrets::Status::NoStore, {}, QStringLiteral("no bus")}; };
    SubscriptionRefreshServices services;
    services.clock = &clock;
    services.databasePath = Database();
    services.passwords = std::make_shared<SessionPasswords>(SessionPasswords::Store{none, none, none});
    QStringList prompts;
    std::function<void(const QString &)> answer;
    services.askPassword = [&](const QString &prompt, std::function<void(const QString &)> reply) {
        prompts << prompt;
        answer = std::move(reply);
    };
    subscriptions = std::make_unique<LauncherSubscriptions>(services);
    // Both calendars of the account fail; the user is asked once, saying why.
    Run(true);
    ASSERT_EQ(prompts.size(), 1);
    EXPECT_TRUE(prompts[0].startsWith(QStringLiteral("No secret store is running (no bus)")));
    EXPECT_TRUE(prompts[0].endsWith(QStringLiteral("Password for anna at 127.0.0.1:")));
    EXPECT_TRUE(ReadDataFile(QStringLiteral("error.log")).contains(QStringLiteral("No secret store is running")));
    // Answered: the account's calendars are asked again at once, and later ones need no question.
    QSignalSpy settled(subscriptions.get(), &LauncherSubscriptions::Settled);
    answer(QStringLiteral("s3cret pass"));
    ASSERT_TRUE(settled.wait(20000));
    Run(true);
    EXPECT_EQ(prompts.size(), 1);
    QStringList ok = Requests().mid(2);
    EXPECT_EQ(ok.size(), 4);
    EXPECT_EQ(ok.filter(QStringLiteral(" 401")), QStringList());
}

} // namespace

} // namespace quillon
