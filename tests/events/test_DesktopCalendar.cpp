// The shown rule over the values a settings file may hold, and where a redraw request goes.
#include "QuillonTestEnvironment.h"

#include "DesktopCalendar.h"
#include "basQuillon.h"
#include "platform/basPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <future>
#include <vector>

#include <sys/stat.h>

namespace quillon {

namespace {
using quillontest::QuillonTest;
using DesktopCalendar::Drawing;

class DesktopCalendarRule : public QuillonTest {};

TEST_F(DesktopCalendarRule, OnlyZeroOrNothingSwitchesTheCalendarOff)
{
    const struct {
        const char *stored;
        bool shown;
    } table[] = {
        {"-1", true}, {"1", true}, {"2", true}, {"yes", true}, {"false", true}, {" 1 ", true},
        {"0", false}, {"", false}, {" 0 ", false}, {"  ", false}, {"-0", false}, {"0.0", false},
    };
    for (const auto &row : table) {
        const QString stored = QString::fromLatin1(row.stored);
        EXPECT_EQ(DesktopCalendar::IsShown(stored), row.shown) << '"' << row.stored << '"';
        // As every program reads it: from the store, afresh.
        ASSERT_TRUE(basQuillon::SaveOption(QLatin1String(DesktopCalendar::kSettingName), stored));
        EXPECT_EQ(DesktopCalendar::IsShown(), row.shown) << "stored \"" << row.stored << '"';
    }
    // Nothing stored at all: off, as a new user's calendar is.
    env.Set("XDG_CONFIG_HOME", TempPath(QStringLiteral("fresh-config")).toLocal8Bit());
    EXPECT_FALSE(DesktopCalendar::IsShown());
}

TEST_F(DesktopCalendarRule, ARequestGoesToTheLauncherAndOtherwiseStartsTheProgram)
{
    struct Start {
        QString program;
        QStringList arguments;
    };
    const std::optional<std::int32_t> noLauncher;
    const struct {
        std::optional<std::int32_t> launcherAnswer;
        std::int32_t startResult;
        Drawing drawing;
        bool started;
        std::int32_t result;
    } table[] = {
        {0, 0, Drawing::Calendar, false, 0},
        {0, 0, Drawing::BackgroundOnly, false, 0},
        {noLauncher, 0, Drawing::Calendar, true, 0},
        {noLauncher, 0, Drawing::BackgroundOnly, true, 0},
        {noLauncher, 53, Drawing::Calendar, true, 53},
        // A launcher that could not start its calendar program: ours may still run.
        {53, 0, Drawing::Calendar, true, 0},
        {53, 75, Drawing::Calendar, true, 75},
    };
    for (const auto &row : table) {
        std::vector<Drawing> asked;
        std::vector<Start> starts;
        DesktopCalendar::Route route;
        route.calendarProgram = QStringLiteral("/opt/quillon/calendar");
        route.askLauncher = [&](Drawing drawing) {
            asked.push_back(drawing);
            return row.launcherAnswer;
        };
        route.start = [&](const QString &program, const QStringList &arguments) {
            starts.push_back({program, arguments});
            return row.startResult;
        };
        EXPECT_EQ(DesktopCalendar::RequestRedraw(row.drawing, route), row.result);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0], row.drawing);
        ASSERT_EQ(starts.size(), row.started ? 1u : 0u);
        if (row.started) {
            EXPECT_EQ(starts[0].program, route.calendarProgram);
            EXPECT_EQ(starts[0].arguments, row.drawing == Drawing::BackgroundOnly ? QStringList{QStringLiteral("-1")}
                                                                                  : QStringList{});
        }
    }
}

TEST_F(DesktopCalendarRule, WithoutASessionBusNoLauncherIsAsked)
{
    // The test's runtime folder holds no bus socket, and no bus may be started for us.
    env.Unset("DBUS_SESSION_BUS_ADDRESS");
    EXPECT_TRUE(DesktopCalendar::SessionBusAddress().isEmpty());
    EXPECT_FALSE(DesktopCalendar::AskLauncher(Drawing::Calendar).has_value());
    // A bus that does not answer: the request is not lost, the caller starts the program.
    env.Set("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + TempPath(QStringLiteral("no-bus"))).toLocal8Bit());
    EXPECT_FALSE(DesktopCalendar::AskLauncher(Drawing::Calendar).has_value());
}

TEST_F(DesktopCalendarRule, OnlyAMarkerOfOursInAPrivateFolderIsRead)
{
    const QString marker = DesktopCalendar::PendingRedrawFile();
    ASSERT_TRUE(marker.startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR")));
    // Ours: read, then gone.
    ASSERT_TRUE(DesktopCalendar::LeavePendingRedraw(Drawing::BackgroundOnly));
    EXPECT_EQ(DesktopCalendar::TakePendingRedraw(), Drawing::BackgroundOnly);
    EXPECT_FALSE(DesktopCalendar::RedrawPending());

    // A FIFO in its place: refused without waiting for a writer, and removed.
    ASSERT_EQ(::mkfifo(QFile::encodeName(marker).constData(), 0600), 0);
    auto taken = std::async(std::launch::async, [] { return DesktopCalendar::TakePendingRedraw(); });
    const bool answered = taken.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!answered) {
        // Let the stuck reader go before failing.
        QFile writer(marker + QLatin1Char('.') + QString::number(QCoreApplication::applicationPid()));
        (void)writer.open(QIODevice::WriteOnly);
    }
    ASSERT_TRUE(answered) << "reading a FIFO marker hung";
    EXPECT_FALSE(taken.get().has_value());
    EXPECT_FALSE(DesktopCalendar::RedrawPending());
    EXPECT_TRUE(QDir(QFileInfo(marker).absolutePath()).entryList({QStringLiteral("*.pending*")}).isEmpty());

    // A link to another file is not followed.
    const QString elsewhere = TempPath(QStringLiteral("elsewhere"));
    QFile other(elsewhere);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("-1");
    other.close();
    ASSERT_TRUE(QFile::link(elsewhere, marker));
    EXPECT_FALSE(DesktopCalendar::TakePendingRedraw().has_value());
    EXPECT_TRUE(QFile::exists(elsewhere));

    // A runtime folder others may write to is passed over like a missing one.
    const QString shared = TempPath(QStringLiteral("shared-runtime"));
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    env.Set("XDG_RUNTIME_DIR", shared.toLocal8Bit());
    EXPECT_EQ(basPlatform::RuntimeFolder(), basPlatform::TemporaryFolder());
    EXPECT_FALSE(DesktopCalendar::PendingRedrawFile().startsWith(shared));
    EXPECT_TRUE(basPlatform::IsPrivateFolder(basPlatform::TemporaryFolder()));
}

} // namespace

} // namespace quillon
