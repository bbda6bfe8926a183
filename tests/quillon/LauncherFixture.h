// Runs the launcher's window with a stand-in tray and clock, and a program folder of
// real stub executables, so every start goes through ExecuteProgram and is seen in
// the stubs' log.
#pragma once

#include "QuillonTestEnvironment.h"

#include "LauncherClock.h"
#include "TrayIcon.h"
#include "frmMain.h"

#include <QStringList>

#include <memory>

namespace quillon {

namespace launchertest {

class FakeClock : public LauncherClock {
public:
    QDateTime Now() const override { return now; }
    std::int64_t MonotonicMs() const override { return monotonic; }
    // Time passes normally: both clocks move.
    void Advance(std::int64_t ms)
    {
        now = now.addMSecs(ms);
        monotonic += ms;
    }

    QDateTime now;
    std::int64_t monotonic = 1000;
};

class FakeTray : public TrayIcon {
public:
    bool IsAvailable() const override { return available; }
    bool AddTrayIcon(const QString &tip, QMenu *menu) override;
    void RemoveTrayIcon() override { shown = false; }
    bool IsShown() const override { return shown; }
    void SetMessageHandler(MessageHandler next) override { handler = std::move(next); }
    QRect IconGeometry() const override { return geometry; }
    void ShowMessage(const QString &title, const QString &text) override { balloons.append(title + QLatin1Char('|') + text); }

    bool available = true;
    bool shown = false;
    QString tip;
    QMenu *menu = nullptr;
    MessageHandler handler;
    QRect geometry;
    QStringList balloons; // "title|text"
    std::function<void()> onAdd; // runs as the icon is added
};

class LauncherTest : public quillontest::QuillonTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program folder holds a stub for each of these names ("calendar", ...).
    void InstallStubs(const QStringList &names);
    void Option(const QString &name, const QString &value);
    QString StoredOption(const QString &name) const;

    // A launcher window on the test's services; each call makes a fresh one, as a new start.
    frmMain &NewLauncher();

    // The stubs' log lines once at least `count` have arrived (or 5 s passed), after a
    // short wait for any that should not have come.
    QStringList Started(int count);
    QStringList StartedSoFar() const;

    QString programFolder;
    FakeClock clock;
    FakeTray tray;
    int warningsShown = 0;
    bool warningAnswer = true;
    QList<QUrl> openedUrls;
    int quitRequests = 0;
    std::function<void()> refreshCalendars;
    std::int64_t desktopWaitMs = DesktopWaitRule::kDefaultWindowMs;
    std::int64_t desktopFirstRetryMs = DesktopWaitRule::kDefaultFirstDelayMs;
    int calendarTimeoutMs = CalendarRun::kRunTimeoutMs;
    std::unique_ptr<frmMain> launcher;

private:
    QString m_log;
};

} // namespace launchertest

} // namespace quillon
