// A headless sway of its own (its own runtime folder, home and screen size) on which
// the tests run programs natively on Wayland and read back what the screen shows. sway
// will not run as root: as root, the compositor and every program of the session run
// as an unprivileged user, who is given the files they need. Everything it starts is
// stopped when it goes.
#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace quillon {

namespace calendartest {

class WaylandSession {
public:
    explicit WaylandSession(QString home, QSize output = {1280, 800});
    ~WaylandSession();
    WaylandSession(const WaylandSession &) = delete;
    WaylandSession &operator=(const WaylandSession &) = delete;

    // What must be installed for it; the missing ones, for a test to skip with.
    static QStringList Missing();

    // sway with one headless output of the size; false with the reason when it failed.
    bool Start(QString &error);

    // WAYLAND_DISPLAY, SWAYSOCK, XDG_RUNTIME_DIR and HOME, and neither DISPLAY nor a
    // platform chosen: Qt takes Wayland on its own.
    const QProcessEnvironment &Environment() const { return m_env; }
    // The command that runs a program as the session's user: setpriv and its options
    // as root, nothing otherwise.
    QStringList RunAsPrefix() const;
    // Makes the folder and everything in it the session user's (as root only).
    bool GiveToSessionUser(const QString &path) const;

    QString OutputName() const { return QStringLiteral("HEADLESS-1"); }

    QImage Screenshot();
    // Polls the screen until the test holds or the time is over; the last screenshot.
    QImage WaitForScreen(const std::function<bool(const QImage &)> &test, int timeoutMs);

private:
    int RunAsUser(const QString &program, const QStringList &arguments);

    QString m_home;
    QSize m_output;
    QProcessEnvironment m_env;
    std::unique_ptr<QProcess> m_sway;
};

} // namespace calendartest

} // namespace quillon
