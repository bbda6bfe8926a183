#include "DavServers.h"

#include "basSync.h"

#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace quillon {

namespace quillontest {

int FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool Radicale::Start(const QString &where)
{
    folder = where;
    const QString radicale = QStandardPaths::findExecutable(QStringLiteral("radicale"));
    if (radicale.isEmpty())
        return false;
    QFile users(folder + QStringLiteral("/users"));
    if (!users.open(QIODevice::WriteOnly))
        return false;
    users.write("anna:s3cret pass\n");
    users.close();
    if (server.port == 0) // a restart keeps its address
        server.port = FreePort();
    const QStringList auth = accounts ? QStringList{QStringLiteral("--auth-type"), QStringLiteral("htpasswd"),
                                                    QStringLiteral("--auth-htpasswd-filename"), users.fileName(),
                                                    QStringLiteral("--auth-htpasswd-encryption"), QStringLiteral("plain")}
                                      : QStringList{QStringLiteral("--auth-type"), QStringLiteral("none"),
                                                    QStringLiteral("--rights-type"), QStringLiteral("authenticated")};
    if (!accounts) {
        user.clear();
        password.clear();
    }
    server.process->start(radicale, QStringList{QStringLiteral("--server-hosts"), QStringLiteral("127.0.0.1:%1").arg(server.port),
                                                QStringLiteral("--storage-filesystem-folder"), folder + QStringLiteral("/collections"),
                                                QStringLiteral("--logging-level"), QStringLiteral("info")}
                                        + auth);
    return Listening();
}

basSync::HttpReply Radicale::Request(const QByteArray &method, const QString &path, const QByteArray &body)
{
    basSync::HttpReply reply;
    basSync::RunOnSyncThread([&] {
        basSync::SessionOptions options;
        options.UserName = user;
        options.Password = password;
        options.Origin = QUrl(base);
        basSync::HttpSession session(options);
        basSync::HttpRequest request;
        request.Method = method;
        request.Address = QUrl(base + path);
        request.Body = body;
        if (method == "PUT")
            request.Headers.insert("Content-Type", "text/calendar");
        reply = session.Send(request);
    });
    return reply;
}

bool Radicale::Listening()
{
    base = QStringLiteral("http://127.0.0.1:%1").arg(server.port);
    for (int i = 0; i < 100; ++i) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, quint16(server.port));
        if (probe.waitForConnected(100))
            return true;
        if (server.process->state() == QProcess::NotRunning)
            return false;
        QThread::msleep(100);
    }
    return false;
}

QByteArray Radicale::Get(const QString &path)
{
    const basSync::HttpReply reply = Request("GET", path);
    return reply.Status == 200 ? reply.Body : QByteArray();
}

int Radicale::Logged(const QString &method)
{
    log += server.Log();
    return int(log.count(QStringLiteral("] %1 request for").arg(method)));
}

bool Xandikos::Start(const QString &where)
{
    folder = where;
    user.clear();
    password.clear();
    const QString xandikos = QStandardPaths::findExecutable(QStringLiteral("xandikos"));
    if (xandikos.isEmpty())
        return false;
    if (server.port == 0)
        server.port = FreePort();
    server.process->start(xandikos, {QStringLiteral("-d"), folder + QStringLiteral("/xandikos"), QStringLiteral("--defaults"),
                                     QStringLiteral("-l"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                                     QString::number(server.port)});
    return Listening();
}

} // namespace quillontest

} // namespace quillon
