// The calendar on a real Wayland compositor, run natively (no X server at all), and
// what its screen shows afterwards.
#include "CalendarRunFixture.h"
#include "DesktopSession.h"
#include "WaylandSession.h"

#include <QDir>
#include <QFile>

#include <memory>

namespace quillon {

namespace {
using calendartest::CalendarRun;
using calendartest::RunResult;
using calendartest::ShareShowing;
using calendartest::WaylandSession;

constexpr int kShowsWithinMs = 5000;
constexpr double kShowing = 0.9;
const QSize kOutput{1280, 800};

class RealWaylandDesktop : public CalendarRun {
protected:
    void StartSway()
    {
        const QStringList missing = WaylandSession::Missing();
        if (!missing.isEmpty())
            GTEST_SKIP() << "not installed here: " << qPrintable(missing.join(QStringLiteral(", ")))
                         << " (.ci/install-deps installs them)";
        Option("WallpaperColor", QStringLiteral("3381759")); // orange
        CreateDatabase();
        AddEvent(QStringLiteral("Staff meeting"), false, QStringLiteral("9:30 AM"), QDate(2026, 12, 7));
        session = std::make_unique<WaylandSession>(TempPath(QStringLiteral("home")), kOutput);
        // Its home lies in the test's folder, which the session user must enter.
        ASSERT_TRUE(session->GiveToSessionUser(TempPath(QString())));
        QString error;
        ASSERT_TRUE(session->Start(error)) << qPrintable(error);
        m_runAs = session->RunAsPrefix();
    }

    RunResult RunCalendar(const QProcessEnvironment &overrides = {})
    {
        // The calendar runs as the compositor's user, on the test's data and settings.
        EXPECT_TRUE(session->GiveToSessionUser(TempPath(QString())));
        EXPECT_TRUE(session->GiveToSessionUser(qEnvironmentVariable("XDG_CONFIG_HOME")));
        m_desktopEnv = session->Environment();
        m_desktopEnv.insert(QStringLiteral("XDG_CONFIG_HOME"), qEnvironmentVariable("XDG_CONFIG_HOME"));
        m_desktopEnv.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("sway"));
        m_desktopEnv.insert(overrides);
        return Run();
    }

    double WaitForCalendar()
    {
        const QImage drawn = Wallpaper();
        return ShareShowing(
            session->WaitForScreen([&](const QImage &shot) { return ShareShowing(shot, drawn) >= kShowing; },
                                   kShowsWithinMs),
            drawn);
    }

    std::unique_ptr<WaylandSession> session;
};

TEST_F(RealWaylandDesktop, SwayShowsEachDrawingOfTheCalendarRunNatively)
{
    StartSway();
    if (IsSkipped() || HasFatalFailure())
        return;
    RunResult run = RunCalendar();
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_FALSE(run.err.contains(QLatin1String("not set"))) << qPrintable(run.err);
    // Drawn at the output's size, as the Wayland platform reports it.
    EXPECT_EQ(Wallpaper().size(), kOutput);
    EXPECT_GE(WaitForCalendar(), kShowing);

    // Another drawing under the same file name is shown too.
    Option("WallpaperColor", QStringLiteral("16744448"));
    run = RunCalendar();
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_GE(WaitForCalendar(), kShowing);

    // Without sway's tool the file is still drawn, and the message names what is missing.
    const QString emptyFolder = TempPath(QStringLiteral("no-tools"));
    QDir().mkpath(emptyFolder);
    QFile::remove(WallpaperPath());
    QProcessEnvironment noTools;
    noTools.insert(QStringLiteral("PATH"), emptyFolder);
    run = RunCalendar(noTools);
    EXPECT_TRUE(run.err.contains(QLatin1String("swaymsg is not installed"))) << qPrintable(run.err);
    EXPECT_EQ(Wallpaper().size(), kOutput);
}
} // namespace

} // namespace quillon
