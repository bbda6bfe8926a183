// The launcher's reminders against a notification server of our own on a private
// session bus: what is shown and when, once only across a restart, a kill and a clock set
// either way, snooze and the actions, the grouped ones, the fallbacks, and a slow server.
#include "DesktopCalendar.h"
#include "EventService.h"
#include "EventStore.h"
#include "LauncherFixture.h"
#include "LauncherReminders.h"
#include "ReminderNotifier.h"
#include "ReminderSetting.h"
#include "basSchema.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <atomic>

namespace quillon {

namespace launchertest {
namespace {

const QDate kDay(2026, 12, 7); // a Monday

// Records each Notify (answering after notifyMs); lives in a thread of its own.
class FakeNotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call {
        QString app, icon, summary, body;
        QStringList actions;
    };
    QList<Call> Calls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }

public slots:
    QStringList GetCapabilities() { return {QStringLiteral("body"), QStringLiteral("actions")}; }
    uint Notify(const QString &app, uint, const QString &icon, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &, int)
    {
        uint id = 0;
        {
            QMutexLocker lock(&m_mutex);
            m_calls.append({app, icon, summary, body, actions});
            id = uint(m_calls.size());
        }
        QThread::msleep(notifyMs);
        return id;
    }
    void CloseNotification(uint) {}

public:
    std::atomic<unsigned long> notifyMs = 0;

private:
    mutable QMutex m_mutex;
    QList<Call> m_calls;
};

// Stands for the launcher killed by the system right after a notification.
struct Killed {};

class Reminders : public LauncherTest {
protected:
    void SetUp() override
    {
        LauncherTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        // A session bus that starts no service of the machine's (one may wait a long time
        // for a desktop that never comes), with a session bus's limits.
        const QString config = TempPath(QStringLiteral("bus.conf"));
        QFile file(config);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>"
                   "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                   "<allow own=\"*\"/></policy>"
                   "<limit name=\"max_replies_per_connection\">50000</limit></busconfig>");
        file.close();
        bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                                                  QStringLiteral("--print-address=1")});
        ASSERT_TRUE(bus.waitForReadyRead(10000)) << "dbus-daemon did not start";
        address = QString::fromLocal8Bit(bus.readLine()).trimmed();
        QString error;
        database = TempPath(QStringLiteral("dbcalndr.sqlite"));
        ASSERT_TRUE(basSchema::CreateDatabaseFile(database, error)) << error.toStdString();
        ASSERT_TRUE(writer.OpenDatabaseConnection(database));
        clock.now = QDateTime(kDay, QTime(9, 0));
    }
    void TearDown() override
    {
        reminders.reset();
        notifier.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("reminders-client"));
        if (serverThread.isRunning()) {
            QDBusConnection::disconnectFromBus(QStringLiteral("reminders-server"));
            serverThread.quit();
            serverThread.wait();
        }
        writer.CloseDatabaseConnection();
        bus.kill();
        bus.waitForFinished();
        QLocale::setDefault(QLocale::c());
        LauncherTest::TearDown();
    }

    void StartServer()
    {
        server.moveToThread(&serverThread);
        serverThread.start();
        QDBusConnection connection = QDBusConnection::connectToBus(address, QStringLiteral("reminders-server"));
        ASSERT_TRUE(connection.registerObject(ReminderNotifier::kPath, &server, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(connection.registerService(ReminderNotifier::kService));
    }
    void Invoke(quint32 id, const QString &key)
    {
        QDBusMessage signal = QDBusMessage::createSignal(ReminderNotifier::kPath, ReminderNotifier::kService,
                                                         QStringLiteral("ActionInvoked"));
        signal << id << key;
        QDBusConnection::connectToBus(address, QStringLiteral("reminders-server")).send(signal);
    }

    // A launcher start: a fresh notifier and reminders on the store file. Without the bus
    // every reminder is a balloon, shown at once.
    void StartLauncher(int storeLookMs = 50, bool onBus = true)
    {
        reminders.reset();
        notifier = std::make_unique<ReminderNotifier>(
            onBus ? QDBusConnection::connectToBus(address, QStringLiteral("reminders-client"))
                  : QDBusConnection(QStringLiteral("no bus")),
            [this](const QString &title, const QString &body) {
                balloons.append(title + QLatin1Char('|') + body);
                if (balloons.size() == killAtBalloon)
                    throw Killed{};
            });
        ReminderServices services;
        services.clock = &clock;
        services.databasePath = database;
        services.notifier = notifier.get();
        services.openScheduler = [this] { ++schedulerOpened; };
        services.storeLookMs = storeLookMs;
        reminders = std::make_unique<LauncherReminders>(services);
        ASSERT_TRUE(reminders->Start());
    }

    qint64 Add(const QString &name, QTime start, std::optional<int> reminder, bool allDay = false, QDate day = kDay)
    {
        Event draft;
        draft.EventName = name;
        draft.AllDayEvent = allDay;
        draft.StartTime = start;
        draft.EndTime = start.addSecs(3600);
        draft.Reminder = reminder;
        draft.Dates = {day};
        const auto saved = EventService(writer).Save(draft);
        EXPECT_TRUE(saved);
        return saved ? saved->EventID : 0;
    }

    // The Notify summaries once there are count of them (or the time passed), after a
    // short wait for any that should not come.
    QStringList Summaries(qsizetype count, int timeoutMs = 5000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (server.Calls().size() < count && !deadline.hasExpired())
            QTest::qWait(10);
        QTest::qWait(200);
        QStringList summaries;
        for (const auto &call : server.Calls())
            summaries.append(call.summary);
        return summaries;
    }

    QProcess bus;
    QString address;
    QString database;
    basDatabase::EventStore writer; // another program's connection
    QThread serverThread;
    FakeNotificationServer server;
    std::unique_ptr<ReminderNotifier> notifier;
    std::unique_ptr<LauncherReminders> reminders;
    QStringList balloons;
    qsizetype killAtBalloon = 0;
    int schedulerOpened = 0;
};

TEST_F(Reminders, EachIsShownAtItsTimeOnceAcrossARestartAndSnoozeShowsItAgain)
{
    StartServer();
    Add(QStringLiteral("Staff meeting"), QTime(14, 0), 10);
    Add(QStringLiteral("No reminder"), QTime(13, 0), std::nullopt);
    Add(QStringLiteral("Call"), QTime(14, 30), 0);
    clock.now = QDateTime(kDay, QTime(13, 49, 59, 700));
    StartLauncher();
    EXPECT_EQ(reminders->WakeAt(), QDateTime(kDay, QTime(13, 50)));
    EXPECT_NEAR(reminders->NextTimer().remainingTime(), 300, 60) << "one timer, set to the reminder";
    EXPECT_TRUE(Summaries(0).isEmpty());

    clock.now = QDateTime(kDay, QTime(13, 50));
    ASSERT_EQ(Summaries(1), QStringList{QStringLiteral("Staff meeting")});
    const auto call = server.Calls().constFirst();
    EXPECT_EQ(call.app, QStringLiteral("Quillon"));
    EXPECT_EQ(call.icon, QStringLiteral("quillon"));
    EXPECT_EQ(call.body, QStringLiteral("Monday, December 7, 2026, 2:00 PM - 3:00 PM"));
    EXPECT_EQ(call.actions, (QStringList{QStringLiteral("snooze"), QStringLiteral("Snooze 5 minutes"),
                                         QStringLiteral("open"), QStringLiteral("Open Scheduler")}));
    EXPECT_EQ(reminders->WakeAt(), QDateTime(kDay, QTime(14, 30)));

    // Snooze: the same reminder five minutes after the click; Open starts the scheduler.
    Invoke(1, QStringLiteral("snooze"));
    QDeadlineTimer deadline(5000);
    while (reminders->WakeAt() != clock.now.addSecs(300) && !deadline.hasExpired())
        QTest::qWait(10);
    EXPECT_EQ(reminders->WakeAt(), QDateTime(kDay, QTime(13, 55)));
    clock.Advance(5 * 60 * 1000);
    reminders->Replan(); // what the timer does then
    EXPECT_EQ(Summaries(2), (QStringList{QStringLiteral("Staff meeting"), QStringLiteral("Staff meeting")}));
    Invoke(2, QStringLiteral("open"));
    QTRY_COMPARE_WITH_TIMEOUT(schedulerOpened, 1, 5000);

    // A new start a minute later shows nothing again.
    clock.Advance(60 * 1000);
    StartLauncher();
    EXPECT_EQ(Summaries(2).size(), 2);
    EXPECT_TRUE(balloons.isEmpty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(Reminders, AClockSetForwardGroupsTheMissedOnesAndSetBackRepeatsNothing)
{
    StartServer();
    for (int hour : {10, 11, 12, 16})
        Add(QStringLiteral("At %1").arg(hour), QTime(hour, 0), 15);
    StartLauncher();
    EXPECT_EQ(reminders->WakeAt(), QDateTime(kDay, QTime(9, 45)));

    // The wall clock jumps past three reminders; the awake time does not move.
    clock.now = QDateTime(kDay, QTime(12, 50));
    ASSERT_EQ(Summaries(1), QStringList{QStringLiteral("3 reminders while you were away")});
    EXPECT_EQ(server.Calls().constFirst().body,
              QStringLiteral("At 10: Monday, December 7, 2026, 10:00 AM - 11:00 AM\n"
                             "At 11: Monday, December 7, 2026, 11:00 AM - 12:00 PM\n"
                             "At 12: Monday, December 7, 2026, 12:00 PM - 1:00 PM"));
    EXPECT_EQ(server.Calls().constFirst().actions, (QStringList{QStringLiteral("open"), QStringLiteral("Open Scheduler")}));
    EXPECT_EQ(reminders->WakeAt(), QDateTime(kDay, QTime(15, 45)));

    // Set back: the three are ahead again, and still never shown twice.
    clock.now = QDateTime(kDay, QTime(9, 0));
    QTest::qWait(300);
    EXPECT_EQ(reminders->WakeAt(), QDateTime(kDay, QTime(15, 45)));
    clock.now = QDateTime(kDay, QTime(12, 0));
    reminders->Replan();
    EXPECT_EQ(Summaries(1).size(), 1);

    // Another program saves an event due now: shown at once, on its own.
    Add(QStringLiteral("Lunch"), QTime(12, 5), 5);
    EXPECT_EQ(Summaries(2), (QStringList{QStringLiteral("3 reminders while you were away"), QStringLiteral("Lunch")}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Reminders, AnotherProgramsSavesAreHeardOfWithoutAskingTheStore)
{
    StartServer();
    StartLauncher(60 * 60 * 1000); // no periodic look during the test
    Add(QStringLiteral("Lunch"), QTime(9, 5), 5);
    EXPECT_EQ(Summaries(1), QStringList{QStringLiteral("Lunch")});
    // The launcher's own record of it did not end the watch.
    Add(QStringLiteral("Tea"), QTime(9, 10), 10);
    EXPECT_EQ(Summaries(2), (QStringList{QStringLiteral("Lunch"), QStringLiteral("Tea")}));
}

// The system's zone changes while the launcher runs: its next look moves the zoned
// events with it and asks for the calendar to be drawn again.
TEST_F(Reminders, AZoneChangeMovesTheZonedEventsAndAsksForARedraw)
{
    env.Set("TZ", "Europe/Berlin");
    const qint64 id = Add(QStringLiteral("Call"), QTime(10, 0), std::nullopt);
    StartLauncher();
    int moved = 0;
    QObject::connect(reminders.get(), &LauncherReminders::EventTimesMoved, [&moved] { ++moved; });
    env.Set("TZ", "America/New_York");
    QDeadlineTimer deadline(5000);
    while (moved == 0 && !deadline.hasExpired())
        QTest::qWait(20);
    EXPECT_EQ(moved, 1);
    basDatabase::EventRecord call;
    ASSERT_TRUE(writer.GetEventData(id, call));
    EXPECT_EQ(call.StartTime, QTime(4, 0));
    QTest::qWait(200);
    EXPECT_EQ(moved, 1) << "once";
}

TEST_F(Reminders, WithoutAServerTheIconsBalloonAndWithTheSwitchOffNothingEvenLater)
{
    Add(QStringLiteral("Holiday"), QTime(), 60, true); // 8:00
    Add(QStringLiteral("Walk"), QTime(9, 30), 30);     // 9:00
    clock.now = QDateTime(kDay, QTime(8, 0));
    StartLauncher();
    // The bus answers that no server runs: the balloon comes then.
    QTRY_COMPARE_WITH_TIMEOUT(balloons.size(), 1, 5000);
    EXPECT_EQ(balloons, QStringList{QStringLiteral("Holiday|Monday, December 7, 2026 (all day)")});

    ASSERT_TRUE(ReminderSetting::Save(false));
    clock.now = QDateTime(kDay, QTime(9, 0));
    reminders->Replan();
    ASSERT_TRUE(ReminderSetting::Save(true));
    StartLauncher();
    QTest::qWait(300);
    EXPECT_EQ(balloons.size(), 1) << "switched off, the walk passed unseen for good";
}

TEST_F(Reminders, FiveHundredInOneDayAreEachShownOnce)
{
    StartServer();
    ASSERT_TRUE(writer.RunInTransaction([&] {
        for (int i = 0; i < 500; ++i)
            Add(QStringLiteral("Event %1").arg(i), QTime(8, 0).addSecs(i * 60), 10);
        return true;
    }));
    clock.now = QDateTime(kDay, QTime(7, 0));
    StartLauncher();
    QElapsedTimer took;
    took.start();
    // Each timer's turn, in steps of the reminders' own spacing.
    for (int i = 0; i < 500; ++i) {
        clock.now = reminders->WakeAt();
        reminders->Replan();
    }
    const QStringList summaries = Summaries(500, 60000);
    EXPECT_EQ(summaries.size(), 500);
    EXPECT_EQ(QSet<QString>(summaries.begin(), summaries.end()).size(), 500);
    // Each turn (plan, record with its disk flush, two calls sent on the bus) keeps the
    // launcher's loop free again within a fraction of a second.
    EXPECT_LT(took.elapsed() / 500, 100) << "ms a reminder";
}

TEST_F(Reminders, ManyDueTogetherAreOneAndNoneIsLostOrRepeatedByAKillAClockSetBackOrTheClocksGoingBack)
{
    // A zone with summer time: 2:30 on 25 October 2026 comes twice, at 0:30 and 1:30 UTC.
    env.Set("TZ", "Europe/Berlin");
    const QDate night(2026, 10, 25);
    const QDateTime firstHalfPastTwo = QDateTime::fromString(QStringLiteral("2026-10-25T00:30:00Z"), Qt::ISODate);
    Add(QStringLiteral("Night"), QTime(2, 30), 0, false, night);
    for (const char *name : {"W", "X", "Y", "Z"})
        Add(QLatin1String(name), QTime(10, 0), 0);
    for (const char *name : {"P", "Q", "R"})
        Add(QLatin1String(name), QTime(11, 0), 0);
    Add(QStringLiteral("Spring"), QTime(9, 0), 0, false, kDay.addDays(90));

    struct Step {
        const char *what;
        QDateTime now;
        bool restart;
        qsizetype killAt; // the balloon after which the launcher is killed
        QStringList titles;
    };
    const Step steps[] = {
        {"the first 2:30 of the night the clocks go back", firstHalfPastTwo, true, 0, {QStringLiteral("Night")}},
        {"four due together are one", QDateTime(kDay, QTime(10, 0)), false, 0, {QStringLiteral("4 reminders")}},
        {"killed after two of three", QDateTime(kDay, QTime(11, 0)), false, 2, {QStringLiteral("P"), QStringLiteral("Q")}},
        {"the third at the next start", QDateTime(kDay, QTime(11, 0)), true, 0, {QStringLiteral("R")}},
        {"ninety days on", QDateTime(kDay.addDays(90), QTime(9, 0)), false, 0, {QStringLiteral("Spring")}},
        {"set back ninety days", QDateTime(kDay, QTime(11, 0)), true, 0, {}},
        {"set back to the second 2:30", firstHalfPastTwo.addSecs(3600), true, 0, {}},
    };
    QStringList all;
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        clock.now = step.now;
        balloons.clear();
        killAtBalloon = step.killAt;
        if (step.restart)
            StartLauncher(60 * 60 * 1000, false);
        else if (step.killAt)
            EXPECT_THROW(reminders->Replan(), Killed);
        else
            reminders->Replan();
        QStringList titles;
        for (const QString &balloon : std::as_const(balloons))
            titles.append(balloon.section(QLatin1Char('|'), 0, 0));
        EXPECT_EQ(titles.join(QLatin1Char(',')).toStdString(), step.titles.join(QLatin1Char(',')).toStdString());
        all += balloons;
    }
    EXPECT_EQ(all.filter(QStringLiteral("4 reminders|")).join(QLatin1Char(',')).toStdString(),
              "4 reminders|W: Monday, December 7, 2026, 10:00 AM - 11:00 AM\n"
              "X: Monday, December 7, 2026, 10:00 AM - 11:00 AM\n"
              "Y: Monday, December 7, 2026, 10:00 AM - 11:00 AM\n"
              "Z: Monday, December 7, 2026, 10:00 AM - 11:00 AM");
    EXPECT_TRUE(messages.empty());
}

TEST_F(Reminders, ASlowNotificationServerLeavesTheLaunchersMethodsAnswering)
{
    server.notifyMs = 3000;
    StartServer();
    for (const char *name : {"One", "Two", "Three"})
        Add(QLatin1String(name), QTime(9, 0), 0);
    SetNow(QDateTime(kDay, QTime(9, 0)));
    // The real launcher, on the private bus, in a program folder of its own.
    const QString folder = TempPath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_PROGRAM_DIR "/quillon"), folder + QStringLiteral("/quillon")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_record_start"), folder + QStringLiteral("/calendar")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("minimal")); // stays running, no tray
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(folder + QStringLiteral("/quillon"), {});
    ASSERT_TRUE(program.waitForStarted(10000));

    QDeadlineTimer deadline(20000);
    while (server.Calls().isEmpty() && !deadline.hasExpired())
        QThread::msleep(20);
    ASSERT_FALSE(server.Calls().isEmpty()) << "no reminder reached the server";
    // The first notification is being answered: the launcher's redraw method answers meanwhile.
    QDBusConnection asker = QDBusConnection::connectToBus(address, QStringLiteral("reminders-asker"));
    QElapsedTimer took;
    took.start();
    const QDBusMessage reply = asker.call(
        QDBusMessage::createMethodCall(QLatin1String(DesktopCalendar::kServiceName), QLatin1String(DesktopCalendar::kObjectPath),
                                       QLatin1String(DesktopCalendar::kInterfaceName), QLatin1String(DesktopCalendar::kRedrawMethod)),
        QDBus::Block, 10000);
    const qint64 ms = took.elapsed();
    QDBusConnection::disconnectFromBus(QStringLiteral("reminders-asker"));
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << qPrintable(reply.errorMessage());
    RecordProperty("redraw_ms", static_cast<int>(ms));
    EXPECT_LT(ms, 2000) << "ms for Redraw while the server takes 3 s a notification";
    EXPECT_EQ(Summaries(3, 20000).size(), 3);
    program.terminate();
    EXPECT_TRUE(program.waitForFinished(10000));
}

} // namespace
} // namespace launchertest

} // namespace quillon

#include "test_reminders.moc"
