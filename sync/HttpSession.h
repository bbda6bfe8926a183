// One server conversation of a refresh: requests answered one at a time, each waiting
// on a local event loop of the calling thread, which must not be the GUI thread (see
// basSync::RunOnSyncThread). Redirects are followed here, not by Qt, so that the
// password only ever goes to the subscription's own server and never from https to
// http. A certificate that does not verify stops the request unless its SHA-256
// fingerprint is the one the user trusted.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>

#include <memory>

class QNetworkAccessManager;

namespace quillon {

namespace basSync {

// Larger answers are refused before they are read whole.
inline constexpr qint64 kMaxBodyBytes = 32LL * 1024 * 1024;
inline constexpr int kTimeoutMs = 30000;
inline constexpr int kMaxRedirects = 10;

struct HttpRequest {
    QByteArray Method = "GET";
    QUrl Address;
    QHash<QByteArray, QByteArray> Headers;
    QByteArray Body;
};

struct HttpReply {
    enum class Failure { None, Network, Timeout, TooLarge, Certificate, Redirects, Authentication };
    Failure Failed = Failure::None;
    int Status = 0;
    QUrl FinalAddress; // after redirects
    QHash<QByteArray, QByteArray> Headers; // names in lower case
    QByteArray Body;
    QString Error; // what went wrong, for the user: names the host
    // The fingerprint of a certificate that did not verify (SHA-256, hex with colons).
    QString OfferedCertificate;

    bool Ok() const { return Failed == Failure::None && Status >= 200 && Status < 300; }
};

struct SessionOptions {
    QString UserName;
    QString Password; // only ever sent to the origin of Origin
    QUrl Origin;
    QString TrustedCertificate; // SHA-256 as the store keeps it (hex, colons or not)
    int TimeoutMs = kTimeoutMs;
    qint64 MaxBodyBytes = kMaxBodyBytes;
};

class HttpSession {
public:
    explicit HttpSession(SessionOptions options);
    ~HttpSession();
    HttpSession(const HttpSession &) = delete;
    HttpSession &operator=(const HttpSession &) = delete;

    HttpReply Send(const HttpRequest &request);
    // How many requests went out (redirects and authentication retries counted).
    int RequestsSent() const { return m_sent; }
    // The fingerprint of the last certificate refused, empty when none was.
    QString LastOfferedCertificate() const { return m_offered; }

    // "AB:CD:..." from hex with or without colons, any case; empty stays empty.
    static QString CanonicalFingerprint(const QString &text);

private:
    HttpReply SendOnce(const HttpRequest &request, const QUrl &address, bool withPassword);

    SessionOptions m_options;
    std::unique_ptr<QNetworkAccessManager> m_network;
    int m_sent = 0;
    QString m_offered;
};

} // namespace basSync

} // namespace quillon
