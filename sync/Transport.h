// What the sync code sends its requests through: the network (HttpSession), or in a
// test a scripted server, so that the protocol's rare answers can be tried without one.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>

namespace quillon {

namespace basSync {

struct HttpRequest {
    QByteArray Method = "GET";
    QUrl Address;
    QHash<QByteArray, QByteArray> Headers;
    QByteArray Body;
};

struct HttpReply {
    // Unreachable: no connection was made at all (refused, no such host, no network).
    enum class Failure { None, Network, Unreachable, Timeout, TooLarge, Incomplete, Certificate, Redirects, Authentication };
    Failure Failed = Failure::None;
    int Status = 0;
    QUrl FinalAddress; // after redirects
    QHash<QByteArray, QByteArray> Headers; // names in lower case
    QByteArray Body;
    QString Error; // what went wrong, for the user: names the host
    // The fingerprint of a certificate that did not verify (SHA-256, hex with colons).
    QString OfferedCertificate;
    // The password went over plain http to another computer, readable on the way.
    bool PasswordSentUnencrypted = false;

    bool Ok() const { return Failed == Failure::None && Status >= 200 && Status < 300; }
};

// One server conversation: requests answered one at a time, in order.
class Transport {
public:
    virtual ~Transport() = default;
    virtual HttpReply Send(const HttpRequest &request) = 0;
    // How many requests went out (redirects and authentication retries counted).
    virtual int RequestsSent() const = 0;
    // Whether any request sent the password unencrypted (see HttpReply).
    virtual bool PasswordSentUnencrypted() const { return false; }
};

} // namespace basSync

} // namespace quillon
