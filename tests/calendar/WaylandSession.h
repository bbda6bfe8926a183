// A headless sway of its own (its own runtime folder, home and outputs) on which the
// tests run programs natively on Wayland and read back what the screen shows. sway
// will not run as root: as root, the compositor and every program of the session run
// as an unprivileged user, who is given the files they need. Everything it starts is
// stopped when it goes.
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

// One headless output: its mode in its own pixels and its scale. sway names them
// HEADLESS-1, HEADLESS-2, ... and lays them side by side from the left.
struct WaylandOutput {
    QSize mode;
    double scale = 1.0;
    QSize Logical() const { return (QSizeF(mode) / scale).toSize(); }
};

class WaylandSession {
public:
    explicit WaylandSession(QString home, QSize output = {1280, 800});
    WaylandSession(QString home, QList<WaylandOutput> outputs);
    ~WaylandSession();
    WaylandSession(const WaylandSession &) = delete;
    WaylandSession &operator=(const WaylandSession &) = delete;

    // What must be installed for it, and the extra programs; the missing ones, for a
    // test to skip with.
    static QStringList Missing(const QStringList &programs = {});

    // Lines added to sway's configuration, before Start.
    void AddConfig(const QByteArray &lines) { m_config += lines; }
    // sway with the outputs; false with the reason when it failed.
    bool Start(QString &error);
    // A session bus of the session user's own (for a tray and its watcher); with
    // DBUS_SYSTEM_BUS_ADDRESS, one in place of the system bus (for a shell that looks
    // for the login manager there and stops without any bus).
    bool StartBus(QString &error, const QString &variable = QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));

    // WAYLAND_DISPLAY, SWAYSOCK, XDG_RUNTIME_DIR, HOME and the bus, and neither DISPLAY
    // nor a platform chosen: Qt takes Wayland on its own.
    const QProcessEnvironment &Environment() const { return m_env; }
    // The command that runs a program as the session's user: setpriv and its options
    // as root, nothing otherwise.
    QStringList RunAsPrefix() const;
    // Makes the folder and everything in it the session user's (as root only).
    bool GiveToSessionUser(const QString &path) const;

    static QString OutputName(int index = 0) { return QStringLiteral("HEADLESS-%1").arg(index + 1); }

    // A program of the session's user that runs until the session ends (a panel).
    bool Launch(const QString &program, const QStringList &arguments, const QProcessEnvironment &overrides = {});
    // A program of the session's user run to its end: its exit code, -1 when it did
    // not start or finish.
    int Run(const QString &program, const QStringList &arguments, QString *output = nullptr);

    // Polls until a program has taken the name on the session bus (or, with "--system",
    // on the bus in place of the system bus).
    bool WaitForBusName(const QString &name, int timeoutMs, const QString &bus = QStringLiteral("--session"));
    // Polls until a compositor started in the session offers its display of that name.
    bool WaitForDisplay(const QString &name, int timeoutMs) const;
    QString RuntimeFolder() const { return m_home + QStringLiteral("/runtime"); }

    // What the launched programs printed; its end, for a failure to show.
    QString Log() const;
    QString LogTail() const { return Log().right(2000); }

    // The whole layout at the greatest scale, or one output in its own pixels.
    QImage Screenshot(const QString &output = QString());
    // Polls the screen until the test holds or the time is over; the last screenshot.
    QImage WaitForScreen(const std::function<bool(const QImage &)> &test, int timeoutMs,
                         const QString &output = QString());

private:
    QString m_home;
    QList<WaylandOutput> m_outputs;
    QByteArray m_config;
    QProcessEnvironment m_env;
    std::unique_ptr<QProcess> m_sway;
    std::vector<std::unique_ptr<QProcess>> m_processes; // stopped first, the last started first
};

} // namespace calendartest

} // namespace quillon
