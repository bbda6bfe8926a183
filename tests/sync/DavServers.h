// The CalDAV servers the sync tests start on 127.0.0.1, on a fresh folder each: Radicale
// and Xandikos. The tests talk to them with plain HTTP requests of their own.
#pragma once

#include "FeedServer.h"
#include "HttpSession.h"

#include <QByteArray>
#include <QString>

namespace quillon {

namespace quillontest {

// A port nobody listens on now.
int FreePort();

// Radicale with one user, anna; with accounts off, without any (anyone reads and writes:
// for a program that is to ask for no password).
class Radicale {
public:
    Server server;
    QString base;
    QString folder;
    QString user = QStringLiteral("anna");
    QString password = QStringLiteral("s3cret pass");
    bool accounts = true;
    // Started again on the same folder, it listens where it did.
    bool Start(const QString &where);
    basSync::HttpReply Request(const QByteArray &method, const QString &path, const QByteArray &body = {});
    int Send(const QByteArray &method, const QString &path, const QByteArray &body = {})
    {
        return Request(method, path, body).Status;
    }
    // Once the server answers on its port (10 s at most); false when it ended first.
    bool Listening();
    // The resource's text as the server has it now; empty when it has none.
    QByteArray Get(const QString &path);
    // The requests of a method Radicale has logged so far.
    int Logged(const QString &method);
    QString log;
};

// Xandikos with its default calendar, without accounts; the requests are Radicale's own,
// so the tests speak to either alike.
class Xandikos : public Radicale {
public:
    bool Start(const QString &where);
};

} // namespace quillontest

} // namespace quillon
