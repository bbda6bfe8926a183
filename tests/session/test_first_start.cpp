// A first start without an event database, and one with a database that cannot be
// opened, as a user meets them: the real programs on a private display, the question
// answered with the keys.
#include "EventStore.h"
#include "UserSession.h"

#include <QProcess>

namespace quillon {

namespace {

class FirstStart : public sessiontest::UserSession {
protected:
    void SetUp() override
    {
        UserSession::SetUp();
        QFile::remove(Database());
    }

    QString Database() const { return TempPath(QStringLiteral("dbcalndr.sqlite")); }

    // A program the test waits for, as the session's desktop starts it.
    std::unique_ptr<QProcess> Run(const char *program)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = session->Environment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), ConfigDir());
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(QStringLiteral(QUILLON_PROGRAM_DIR "/") + QLatin1String(program), {});
        EXPECT_TRUE(process->waitForStarted(10000)) << program;
        return process;
    }

    // The question (or the report) comes up; the key answers it.
    bool Answer(const char *key)
    {
        const QString box = QStringLiteral("Quillon Desktop Calendar");
        if (!WaitFor([&] { return !Window(box).isEmpty(); }))
            return false;
        Activate(box);
        Xdo({QStringLiteral("key"), QLatin1String(key)});
        return WaitFor([&] { return Window(box).isEmpty(); });
    }

    static int ExitCode(QProcess &process)
    {
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished(2000);
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    static void Stop(QProcess &process)
    {
        process.terminate();
        if (!process.waitForFinished(10000))
            process.kill();
        process.waitForFinished(2000);
    }
};

TEST_F(FirstStart, WithoutADatabaseTheProgramsOfferANewOneOrQuit)
{
    // Quit (Esc): the scheduler ends and makes nothing.
    auto scheduler = Run("scheduler");
    ASSERT_TRUE(Answer("Escape")) << "no question came up";
    EXPECT_EQ(ExitCode(*scheduler), 1);
    EXPECT_FALSE(QFile::exists(Database()));

    // The launcher asks the same.
    auto launcher = Run("quillon");
    ASSERT_TRUE(Answer("Escape"));
    EXPECT_EQ(ExitCode(*launcher), 1);
    EXPECT_FALSE(QFile::exists(Database()));

    // Create (Enter, the default): a copy of the shipped database, and the window opens on it.
    scheduler = Run("scheduler");
    ASSERT_TRUE(Answer("Return"));
    EXPECT_TRUE(WaitFor([&] { return !Window(QStringLiteral("Quillon Scheduler")).isEmpty(); }));
    Stop(*scheduler);
    basDatabase::EventStore store;
    EXPECT_TRUE(store.OpenDatabaseConnection(Database()));
    EXPECT_FALSE(store.GetFactOfTheDay(QDate(2026, 12, 6)).isEmpty()) << "not the shipped database";
    store.CloseDatabaseConnection();
}

TEST_F(FirstStart, ADatabaseThatCannotBeOpenedIsNamedAndOptionsGoesOn)
{
    QFile garbage(Database());
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, '\x5a'));
    garbage.close();

    auto options = Run("options");
    ASSERT_TRUE(Answer("Return")) << "no report came up";
    EXPECT_TRUE(WaitFor([&] { return !Window(QStringLiteral("Quillon Options")).isEmpty(); }));
    Stop(*options);
    EXPECT_EQ(ReadDataFile(QStringLiteral("error.log")).count(QStringLiteral("In module: basDatabase.OpenDatabaseConnection")), 1);

    // The scheduler cannot go on without it: the report, then it ends.
    auto scheduler = Run("scheduler");
    ASSERT_TRUE(Answer("Return"));
    EXPECT_EQ(ExitCode(*scheduler), 1);
    EXPECT_TRUE(Window(QStringLiteral("Quillon Scheduler")).isEmpty());
}

} // namespace

} // namespace quillon
