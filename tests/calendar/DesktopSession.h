// A private X display with a session bus and a home folder of its own, on which the
// tests start real desktop programs (feh, xfdesktop, ...) and look at what the
// screen shows. Everything it starts is stopped when it goes.
#pragma once

#include <QImage>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace quillon {

namespace calendartest {

class DesktopSession {
public:
    // One monitor of 1280x800 on Xvfb, or two side by side on Xorg's dummy driver
    // (Xvfb's single output cannot be split into monitors that every toolkit sees).
    explicit DesktopSession(QString home, int monitors = 1);
    // Monitors of these sizes side by side from the left on the dummy driver, the first the primary.
    DesktopSession(QString home, QList<QSize> monitors);
    ~DesktopSession();
    DesktopSession(const DesktopSession &) = delete;
    DesktopSession &operator=(const DesktopSession &) = delete;

    // The programs of the list that are not installed, for a test to skip with.
    static QStringList Missing(const QStringList &programs);
    // Why two monitors cannot be had here; empty when they can.
    static QString TwoMonitorsMissing();
    static constexpr QSize kMonitor{1280, 800};

    // The X server and the session bus; false with the reason when either failed.
    bool Start(QString &error);

    // A bus of the session's own in place of the system bus (for shells that look for
    // the login manager there and stop without any bus); the same configuration as
    // the session bus, with no system service on it.
    bool StartSystemBus(QString &error) { return StartBus(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), error); }

    // DISPLAY, the bus, HOME and the XDG folders: for every program of the session.
    const QProcessEnvironment &Environment() const { return m_env; }

    // A program that runs until the session ends (a desktop, a daemon).
    bool Launch(const QString &program, const QStringList &arguments, const QProcessEnvironment &overrides = {});
    // A program run to its end: its exit code, -1 when it did not start or finish.
    int Run(const QString &program, const QStringList &arguments, QString *output = nullptr);

    // The root window properties a window manager keeps: how many workspaces there
    // are and which one is shown.
    bool SetWorkspaces(int count, int current);

    // Polls until a program has taken the name on the session bus.
    bool WaitForBusName(const QString &name, int timeoutMs);

    // What the screen shows now.
    QImage Screenshot();
    // Polls the screen until the test holds or the time is over; the last screenshot.
    QImage WaitForScreen(const std::function<bool(const QImage &)> &test, int timeoutMs);

private:
    bool StartBus(const QString &variable, QString &error);

    QString m_home;
    QList<QSize> m_monitors;
    QProcessEnvironment m_env;
    std::vector<std::unique_ptr<QProcess>> m_processes; // started last, stopped first
};

// The first line a starting program prints (the display number, the bus address).
QString FirstLine(QProcess &process);

// Helpers a desktop started detached (KDE's I/O workers) outlive it and would hold the
// test's output open: every process still running with this home goes.
void StopProcessesOfHome(const QString &home);

// The share of sample points where the screenshot shows the picture, each colour
// channel within a small tolerance (icons on the desktop cover a few).
double ShareShowing(const QImage &screen, const QImage &picture, int tolerance = 12);

} // namespace calendartest

} // namespace quillon
