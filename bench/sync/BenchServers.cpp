#include "BenchServers.h"

#include "HttpSession.h"
#include "basSync.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <sys/prctl.h>
#include <unistd.h>

namespace quillon {

namespace benchsync {

void Fail(const char *what)
{
    std::fprintf(stderr, "bench: %s\n", what);
    std::exit(1);
}

QByteArray EventText(const QString &uid, const QString &summary, int dayOfYear, bool weekly)
{
    const QByteArray date = QDate(2026, 1, 1).addDays(dayOfYear % 365).toString(QStringLiteral("yyyyMMdd")).toLatin1();
    return "BEGIN:VEVENT\r\nUID:" + uid.toUtf8() + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:" + date + "T090000\r\nDTEND:"
           + date + "T100000\r\nSUMMARY:" + summary.toUtf8() + "\r\n" + (weekly ? "RRULE:FREQ=WEEKLY;COUNT=52\r\n" : "")
           + "END:VEVENT\r\n";
}

namespace {
// A benchmark that stops on a failure (exit, no destructors) takes its servers with it.
void EndWithParent(QProcess &process)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

QByteArray Wrap(const QByteArray &events)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quillon bench//EN\r\n" + events + "END:VCALENDAR\r\n";
}

void WriteFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        Fail("a file of the benchmark could not be written");
}
} // namespace

QByteArray CalendarText(const QString &prefix, int count)
{
    QByteArray events;
    for (int i = 0; i < count; ++i)
        events += EventText(QStringLiteral("%1-%2").arg(prefix).arg(i), QStringLiteral("Event %1").arg(i), i, i % 3 == 0);
    return Wrap(events);
}

FeedServer::FeedServer(const QString &folder)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        Fail("python3 is missing: the feed server cannot run");
    EndWithParent(process);
    process.start(python, {QStringLiteral(QUILLON_SOURCE_DIR "/tests/sync/feed_server.py"), folder});
    if (!process.waitForReadyRead(10000))
        Fail("the feed server did not start");
    port = process.readLine().trimmed().toInt();
}

FeedServer::~FeedServer()
{
    process.kill();
    process.waitForFinished(5000);
}

QString Radicale::WriteCalendar(const QString &storage, const QString &name, int count)
{
    const QString folder = QStringLiteral("%1/collection-root/%2/%3").arg(storage, QLatin1String(kUser), name);
    if (!QDir().mkpath(folder))
        Fail("the calendar's folder could not be made");
    WriteFile(folder + QStringLiteral("/.Radicale.props"),
              QStringLiteral("{\"C:supported-calendar-component-set\": \"VEVENT\", \"D:displayname\": \"%1\", "
                             "\"tag\": \"VCALENDAR\"}")
                  .arg(name)
                  .toUtf8());
    for (int i = 0; i < count; ++i) {
        const QString uid = QStringLiteral("%1-%2").arg(name).arg(i);
        WriteFile(QStringLiteral("%1/%2.ics").arg(folder, uid),
                  Wrap(EventText(uid, QStringLiteral("Event %1").arg(i), i, i % 3 == 0)));
    }
    return QStringLiteral("/%1/%2/").arg(QLatin1String(kUser), name);
}

bool Radicale::Start(const QString &storage)
{
    const QString radicale = QStandardPaths::findExecutable(QStringLiteral("radicale"));
    if (radicale.isEmpty())
        return false;
    WriteFile(storage + QStringLiteral("/users"), QByteArray(kUser) + ':' + kPassword + '\n');
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        m_port = probe.serverPort();
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    EndWithParent(m_process);
    m_process.start(radicale, {QStringLiteral("--server-hosts"), QStringLiteral("127.0.0.1:%1").arg(m_port),
                               QStringLiteral("--storage-filesystem-folder"), storage, QStringLiteral("--auth-type"),
                               QStringLiteral("htpasswd"), QStringLiteral("--auth-htpasswd-filename"),
                               storage + QStringLiteral("/users"), QStringLiteral("--auth-htpasswd-encryption"),
                               QStringLiteral("plain"), QStringLiteral("--logging-level"), QStringLiteral("warning")});
    for (int i = 0; i < 100; ++i) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, quint16(m_port));
        if (probe.waitForConnected(100))
            return true;
        if (m_process.state() == QProcess::NotRunning)
            return false;
        QThread::msleep(100);
    }
    return false;
}

Radicale::~Radicale()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

int Radicale::Put(const QString &path, const QByteArray &body) const
{
    int status = 0;
    basSync::RunOnSyncThread([&] {
        basSync::SessionOptions options;
        options.UserName = QLatin1String(kUser);
        options.Password = QLatin1String(kPassword);
        options.Origin = QUrl(Base());
        basSync::HttpSession session(options);
        basSync::HttpRequest request;
        request.Method = "PUT";
        request.Address = QUrl(Base() + path);
        request.Headers.insert("Content-Type", "text/calendar");
        request.Body = Wrap(body);
        status = session.Send(request).Status;
    });
    return status;
}

double Radicale::CpuSeconds() const
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(m_process.processId()));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    // After the command's closing parenthesis: utime and stime are the 12th and 13th fields.
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? (fields[11].toDouble() + fields[12].toDouble()) / double(::sysconf(_SC_CLK_TCK)) : 0;
}

long StatusKb(const char *field)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).simplified().split(' ').value(0).toLong();
    return 0;
}

} // namespace benchsync

} // namespace quillon
