// A private X display with a session bus and a home folder of its own, on which the
// tests start real desktop programs (feh, xfdesktop, ...) and look at what the
// screen shows. Everything it starts is stopped when it goes.
#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace calendartest {

class DesktopSession {
public:
    explicit DesktopSession(QString home, QSize screen = {1280, 800});
    ~DesktopSession();
    DesktopSession(const DesktopSession &) = delete;
    DesktopSession &operator=(const DesktopSession &) = delete;

    // The programs of the list that are not installed, for a test to skip with.
    static QStringList Missing(const QStringList &programs);

    // The X server and the session bus; false with the reason when either failed.
    bool Start(QString &error);

    // DISPLAY, the bus, HOME and the XDG folders: for every program of the session.
    const QProcessEnvironment &Environment() const { return m_env; }

    // A program that runs until the session ends (a desktop, a daemon).
    bool Launch(const QString &program, const QStringList &arguments);
    // A program run to its end: its exit code, -1 when it did not start or finish.
    int Run(const QString &program, const QStringList &arguments, QString *output = nullptr);

    // The root window properties a window manager keeps: how many workspaces there
    // are and which one is shown.
    bool SetWorkspaces(int count, int current);

    // What the screen shows now.
    QImage Screenshot();
    // Polls the screen until the test holds or the time is over; the last screenshot.
    QImage WaitForScreen(const std::function<bool(const QImage &)> &test, int timeoutMs);

private:
    QString m_home;
    QSize m_screen;
    QProcessEnvironment m_env;
    std::vector<std::unique_ptr<QProcess>> m_processes; // started last, stopped first
};

// The share of sample points where the screenshot shows the picture, each colour
// channel within a small tolerance (icons on the desktop cover a few).
double ShareShowing(const QImage &screen, const QImage &picture);

} // namespace calendartest
