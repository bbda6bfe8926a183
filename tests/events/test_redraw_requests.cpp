// Redraws asked for while one runs, with real processes: copies of the renderer started
// directly, and the real launcher taking requests on a private session bus.
#include "QuillonTestEnvironment.h"

#include "DesktopCalendar.h"
#include "basQuillon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <memory>

namespace quillon {

namespace {
using DesktopCalendar::Drawing;

class RedrawRequests : public quillontest::QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        m_log = TempPath(QStringLiteral("draws.log"));
        env.Set("QUILLON_STUB_LOG", m_log.toLocal8Bit());
    }

    void TearDown() override
    {
        for (auto &process : m_processes) {
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(2000);
            }
        }
        QuillonTest::TearDown();
    }

    QStringList Log() const
    {
        QFile file(m_log);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    // The log once it has `count` lines (or the time is over).
    QStringList LogOf(qsizetype count, int timeoutMs = 15000) const
    {
        QDeadlineTimer deadline(timeoutMs);
        while (Log().size() < count && !deadline.hasExpired())
            QThread::msleep(20);
        return Log();
    }
    QProcess &Start(const QString &program, const QStringList &arguments,
                    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                    QProcess::ProcessChannelMode channels = QProcess::ForwardedOutputChannel)
    {
        m_processes.push_back(std::make_unique<QProcess>());
        QProcess &process = *m_processes.back();
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(channels);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForStarted(10000)) << qPrintable(program);
        return process;
    }
    // Runs a program to its end: its exit code, and its stderr in *errors.
    static int Run(const QString &program, const QStringList &arguments, QString *errors = nullptr)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForStarted(10000) || !process.waitForFinished(30000))
            return -1;
        if (errors)
            *errors = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QString m_log;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

TEST_F(RedrawRequests, CopiesStartedDuringADrawingGiveOneMoreDrawingAfterIt)
{
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    env.Set("QUILLON_STUB_SLEEP_MS", "4000");
    const QString renderer = QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_slow_renderer");
    QProcess &first = Start(renderer, {});
    ASSERT_EQ(LogOf(1, 10000), QStringList{QStringLiteral("draw")});

    // The real calendar program leaves its request to the copy drawing, and ends at once.
    QString errors;
    EXPECT_EQ(Run(QStringLiteral(QUILLON_PROGRAM_DIR "/calendar"), {}, &errors), 0);
    EXPECT_TRUE(errors.contains(QStringLiteral("another copy is drawing"))) << qPrintable(errors);
    EXPECT_FALSE(QFile::exists(TempPath(QStringLiteral("wallpaper.bmp"))));
    // More copies, the last one clearing: the latest request is the one drawn.
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Run(renderer, {}), 0);
    EXPECT_EQ(Run(renderer, {QStringLiteral("-1")}), 0);
    EXPECT_EQ(first.state(), QProcess::Running) << "the requests came after the drawing";

    ASSERT_TRUE(first.waitForFinished(20000));
    EXPECT_EQ(first.exitCode(), 0);
    QStringList expected{QStringLiteral("draw")};
    for (int i = 0; i < 9; ++i)
        expected << QStringLiteral("left");
    expected << QStringLiteral("draw -1 again");
    EXPECT_EQ(Log(), expected);
    EXPECT_FALSE(DesktopCalendar::RedrawPending());
}

TEST_F(RedrawRequests, TheLauncherQueuesEveryProgramsRequestsAndDrawsOnceMoreAfterARun)
{
    // A private session bus, and the real launcher in a program folder of its own whose
    // calendar is a stand-in that logs each run and takes a while.
    QProcess &bus = Start(QStringLiteral("dbus-daemon"),
                          {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")},
                          QProcessEnvironment::systemEnvironment(), QProcess::ForwardedErrorChannel);
    ASSERT_TRUE(bus.waitForReadyRead(10000)) << "dbus-daemon did not start";
    const QString address = QString::fromLocal8Bit(bus.readLine()).trimmed();
    ASSERT_FALSE(address.isEmpty());

    const QString folder = TempPath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_PROGRAM_DIR "/quillon"), folder + QStringLiteral("/quillon")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_record_start"), folder + QStringLiteral("/calendar")));

    // A true flag as the original settings format writes it: the launcher draws at its start.
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("-1"));
    env.Set("DBUS_SESSION_BUS_ADDRESS", address.toLocal8Bit());
    QProcessEnvironment launcherEnv = QProcessEnvironment::systemEnvironment();
    launcherEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("minimal")); // stays running, no tray
    launcherEnv.insert(QStringLiteral("QUILLON_STUB_SLEEP_MS"), QStringLiteral("1500"));
    launcherEnv.insert(QStringLiteral("QUILLON_STUB_BUSY"), TempPath(QStringLiteral("busy")));
    Start(folder + QStringLiteral("/quillon"), {}, launcherEnv);

    QDBusConnection watcher = QDBusConnection::connectToBus(address, QStringLiteral("events-test"));
    QDeadlineTimer named(10000);
    while (!watcher.interface()->isServiceRegistered(QLatin1String(DesktopCalendar::kServiceName)).value()
           && !named.hasExpired())
        QThread::msleep(50);
    QDBusConnection::disconnectFromBus(QStringLiteral("events-test"));
    ASSERT_FALSE(named.hasExpired()) << "the launcher did not take its name on the bus";
    ASSERT_EQ(LogOf(1), QStringList{QStringLiteral("calendar")}) << "the day's first start draws";
    QDeadlineTimer firstRun(10000);
    while (QFile::exists(TempPath(QStringLiteral("busy"))) && !firstRun.hasExpired())
        QThread::msleep(20);

    // Ten requests in well under a second: the first starts a run, the rest are one more after it.
    int directStarts = 0;
    DesktopCalendar::Route route = DesktopCalendar::SystemRoute();
    route.start = [&](const QString &, const QStringList &) { return ++directStarts, 0; };
    QElapsedTimer took;
    took.start();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(DesktopCalendar::RequestRedraw(Drawing::Calendar, route), 0);
    EXPECT_LT(took.elapsed(), 1000);
    EXPECT_EQ(directStarts, 0) << "the launcher answered every request";
    QStringList log = LogOf(3);
    QThread::msleep(2500); // time for a drawing that should not come
    log = Log();
    EXPECT_EQ(log, QStringList(3, QStringLiteral("calendar"))) << "no overlap, and two drawings for ten requests";

    // quillon-db import of an event this month asks the same way, with the calendar at -1 too.
    const QString ics = TempPath(QStringLiteral("concert.ics"));
    QFile file(ics);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:concert@test\r\n"
               "DTSTART;VALUE=DATE:20261210\r\nSUMMARY:Advent concert\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    file.close();
    const QString database = TempPath(QStringLiteral("dbcalndr.sqlite"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_PROGRAM_DIR "/dbcalndr.sqlite"), database));
    QFile(database).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QString errors;
    EXPECT_EQ(Run(QStringLiteral(QUILLON_PROGRAM_DIR "/quillon-db"), {QStringLiteral("import"), ics, database}, &errors), 0)
        << qPrintable(errors);
    EXPECT_EQ(LogOf(4), QStringList(4, QStringLiteral("calendar"))) << qPrintable(errors);
}

} // namespace

} // namespace quillon
