// The servers the subscription benchmarks talk to, started on 127.0.0.1: the tests' feed
// server, and Radicale over a storage folder written here directly (one file per event,
// as Radicale keeps them), which fills a 10,000-event calendar in a second where as many
// PUTs would take minutes. Changes made during a run go through PUT, as a client's would.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

#include <memory>

namespace quillon {

namespace benchsync {

[[noreturn]] void Fail(const char *what);

// One event; weekly: repeats every week for a year.
QByteArray EventText(const QString &uid, const QString &summary, int dayOfYear, bool weekly);
// A calendar of count events from 2026-01-01, every third one weekly (uids prefix-N).
QByteArray CalendarText(const QString &prefix, int count);

struct FeedServer {
    QProcess process;
    int port = 0;
    explicit FeedServer(const QString &folder);
    ~FeedServer();
};

class Radicale {
public:
    static constexpr auto kUser = "anna";
    static constexpr auto kPassword = "bench pass";

    // storage: an empty folder; false when radicale is not installed or did not start.
    bool Start(const QString &storage);
    ~Radicale();
    // A calendar of count events (as CalendarText's) written into the storage folder;
    // call before Start. Returns its path on the server ("/anna/NAME/").
    static QString WriteCalendar(const QString &storage, const QString &name, int count);
    // Puts one event (a new or changed resource) through the server.
    int Put(const QString &path, const QByteArray &body) const;
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }
    // The server's processor time so far (utime + stime), seconds.
    double CpuSeconds() const;

private:
    QProcess m_process;
    int m_port = 0;
};

// The resident set and its peak of this process, in kB (/proc/self/status).
long StatusKb(const char *field);

} // namespace benchsync

} // namespace quillon
