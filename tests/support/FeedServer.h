// The small web server the subscription tests start on 127.0.0.1 (tests/sync/feed_server.py),
// serving a folder's calendars, and the self-signed certificate its TLS runs use.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

namespace quillon {

namespace quillontest {

// A server process of the test, stopped with it.
struct Server {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    int port = 0;
    ~Server() { Stop(); }
    void Stop();
    QString Log() { return QString::fromUtf8(process->readAllStandardError()); }
};

// The feed server over folder (more: its options, e.g. "--tls" CERT KEY, "--port" N);
// port 0 when it could not start (no python3, or it did not answer).
std::unique_ptr<Server> StartFeedServer(const QString &folder, const QStringList &more = {});

// A self-signed certificate for 127.0.0.1 made by openssl; false when it cannot be.
bool MakeCertificate(const QString &cert, const QString &key);

} // namespace quillontest

} // namespace quillon
