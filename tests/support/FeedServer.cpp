#include "FeedServer.h"

#include <QStandardPaths>

namespace quillon {

namespace quillontest {

void Server::Stop()
{
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(5000);
    }
}

std::unique_ptr<Server> StartFeedServer(const QString &folder, const QStringList &more)
{
    auto server = std::make_unique<Server>();
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        return server;
    server->process->start(python, QStringList{QStringLiteral(QUILLON_SOURCE_DIR "/tests/sync/feed_server.py"), folder} + more);
    if (server->process->waitForReadyRead(10000))
        server->port = server->process->readLine().trimmed().toInt();
    return server;
}

bool MakeCertificate(const QString &cert, const QString &key)
{
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty())
        return false;
    QProcess make;
    make.start(openssl, {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                         QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                         QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-keyout"), key, QStringLiteral("-out"), cert});
    return make.waitForFinished(60000) && make.exitCode() == 0;
}

} // namespace quillontest

} // namespace quillon
