// One server conversation of a refresh: requests answered one at a time, each waiting
// on a local event loop of the calling thread, which must not be the GUI thread (see
// basSync::RunOnSyncThread). Redirects are followed here, not by Qt, so that the
// password only ever goes to the subscription's own server and never from https to
// http; over plain http it goes only when the server asks (401), except to this
// computer. A certificate that does not verify stops the request unless its SHA-256
// fingerprint is the one the user trusted. An answer is counted as it arrives (after
// gzip is unpacked), so that no server can make it larger than the limit in memory, and
// each request has a limit of silence and a limit in all.
#pragma once

#include "Transport.h"

#include <QDeadlineTimer>

#include <memory>

class QNetworkAccessManager;

namespace quillon {

namespace basSync {

// Larger answers are refused before they are read whole.
inline constexpr qint64 kMaxBodyBytes = 32LL * 1024 * 1024;
inline constexpr int kTimeoutMs = 30000;       // of silence
inline constexpr int kTotalTimeoutMs = 120000; // of one request, redirects included
inline constexpr int kMaxRedirects = 10;

struct SessionOptions {
    QString UserName;
    QString Password; // only ever sent to the origin of Origin
    QUrl Origin;
    QString TrustedCertificate; // SHA-256 as the store keeps it (hex, colons or not)
    int TimeoutMs = kTimeoutMs;
    int TotalTimeoutMs = kTotalTimeoutMs;
    qint64 MaxBodyBytes = kMaxBodyBytes;
};

// Whether a password for address would cross the network in clear: plain http:// to
// anything but this machine's loopback (127.0.0.0/8, ::1, localhost).
bool SendsPasswordUnencrypted(const QUrl &address);

class HttpSession : public Transport {
public:
    explicit HttpSession(SessionOptions options);
    ~HttpSession() override;
    HttpSession(const HttpSession &) = delete;
    HttpSession &operator=(const HttpSession &) = delete;

    HttpReply Send(const HttpRequest &request) override;
    int RequestsSent() const override { return m_sent; }
    // The fingerprint of the last certificate refused, empty when none was.
    QString LastOfferedCertificate() const { return m_offered; }
    bool PasswordSentUnencrypted() const override { return m_passwordUnencrypted; }

    // "AB:CD:..." from hex with or without colons, any case; empty stays empty.
    static QString CanonicalFingerprint(const QString &text);
    // The host as messages name it: with the port when the address has one.
    static QString HostOf(const QUrl &address);

private:
    HttpReply SendOnce(const HttpRequest &request, const QUrl &address, bool withPassword, const QDeadlineTimer &deadline);

    SessionOptions m_options;
    std::unique_ptr<QNetworkAccessManager> m_network;
    int m_sent = 0;
    QString m_offered;
    bool m_passwordUnencrypted = false;
};

} // namespace basSync

} // namespace quillon
