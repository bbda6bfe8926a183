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
using calendartest::WaylandOutput;
using calendartest::WaylandSession;

constexpr int kShowsWithinMs = 5000;
constexpr double kShowing = 0.9;
const QSize kOutput{1280, 800};
constexpr int kExact = 12;
// sway draws a background at a whole-number scale and resamples it to a fractional
// one, which blurs each edge by a pixel; a picture of the wrong size or place still
// shows on under a tenth of the points at this tolerance.
constexpr int kResampled = 64;

class RealWaylandDesktop : public CalendarRun {
protected:
    void StartSway(const QList<WaylandOutput> &outputs = {WaylandOutput{kOutput}}, const QStringList &programs = {})
    {
        const QStringList missing = WaylandSession::Missing(programs);
        if (!missing.isEmpty())
            GTEST_SKIP() << "not installed here: " << qPrintable(missing.join(QStringLiteral(", ")))
                         << " (.ci/install-deps installs them)";
        Option("WallpaperColor", QStringLiteral("3381759")); // orange
        CreateDatabase();
        AddEvent(QStringLiteral("Staff meeting"), false, QStringLiteral("9:30 AM"), QDate(2026, 12, 7));
        session = std::make_unique<WaylandSession>(TempPath(QStringLiteral("home")), outputs);
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

    // Waits until the output (the whole screen when none is named) shows the picture.
    double WaitForPicture(const QImage &drawn, const QString &output = QString(), int tolerance = kExact)
    {
        auto share = [&](const QImage &shot) { return ShareShowing(shot, drawn, tolerance); };
        return share(session->WaitForScreen([&](const QImage &shot) { return share(shot) >= kShowing; },
                                            kShowsWithinMs, output));
    }

    double WaitForCalendar() { return WaitForPicture(Wallpaper()); }

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
// Outputs of two sizes, one at a fractional scale that Qt reports as 2: each output's
// picture has its own pixels, and the renderer reads each one's place and density.
TEST_F(RealWaylandDesktop, SwayShowsEachOutputItsPictureAtItsOwnPixelsAndScale)
{
    StartSway({WaylandOutput{kOutput}, WaylandOutput{QSize(1920, 1080), 1.5}});
    if (IsSkipped() || HasFatalFailure())
        return;
    QString probe;
    ASSERT_EQ(session->Run(QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_screen_probe"), {}, &probe), 0);
    // name | geometry | work area (Wayland tells a client of no panels) | device pixels | ratio | dpi
    EXPECT_EQ(probe.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              QStringList({QStringLiteral("HEADLESS-1 | 0,0 1280x800 | 0,0 1280x800 | 0,0 1280x800 | 1 | 96"),
                           QStringLiteral("HEADLESS-2 | 1280,0 1280x720 | 1280,0 1280x720 | 1920,0 1920x1080 | 1.5 | 96")}));

    Option("CalendarMonitors", QStringLiteral("All"));
    const RunResult run = RunCalendar();
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const QImage second =
        QImage(TempPath(QStringLiteral("wallpaper.HEADLESS-2.bmp"))).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Wallpaper().size(), kOutput);
    EXPECT_EQ(second.size(), QSize(1920, 1080));
    EXPECT_GE(WaitForPicture(Wallpaper(), WaylandSession::OutputName(0)), kShowing);
    EXPECT_GE(WaitForPicture(second, WaylandSession::OutputName(1), kResampled), kShowing);
}
} // namespace

} // namespace quillon
