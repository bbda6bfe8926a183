#include "HttpSession.h"

#include "SyncTexts.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QThread>
#include <QTimer>

namespace quillon {

namespace basSync {

namespace {

// What Qt keeps of an answer before it is read: the socket is read no further ahead.
constexpr qint64 kReadAheadBytes = 256 * 1024;
constexpr qsizetype kReadPieceBytes = 64 * 1024;

bool SameOrigin(const QUrl &a, const QUrl &b)
{
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 && a.host().compare(b.host(), Qt::CaseInsensitive) == 0
           && a.port(a.scheme() == QLatin1String("https") ? 443 : 80) == b.port(b.scheme() == QLatin1String("https") ? 443 : 80);
}

// Qt answers Digest (and NTLM, Negotiate) when the server offers it, sending no password.
bool OffersMoreThanBasic(const QByteArray &challenge)
{
    const QByteArray lower = challenge.toLower();
    return lower.contains("digest") || lower.contains("ntlm") || lower.contains("negotiate");
}

// Qt turns an HTTP error status into an error of its own; those are answers, not
// failures of the transfer. With a good status any error is the transfer's.
bool TransferFailed(QNetworkReply::NetworkError error, int status)
{
    if (error == QNetworkReply::NoError)
        return false;
    return status < 400 || error < QNetworkReply::ContentAccessDenied || error == QNetworkReply::ProtocolFailure;
}

// The server could not be reached at all, as opposed to a connection that broke.
bool Unreachable(QNetworkReply::NetworkError error)
{
    return error == QNetworkReply::ConnectionRefusedError || error == QNetworkReply::HostNotFoundError
           || error == QNetworkReply::TemporaryNetworkFailureError || error == QNetworkReply::NetworkSessionFailedError
           || error == QNetworkReply::ProxyConnectionRefusedError || error == QNetworkReply::ProxyNotFoundError;
}

QString TooLargeText(const QString &host, qint64 limit)
{
    return QString::fromUtf8(SyncTexts::kTooLarge).arg(host).arg(limit / (1024 * 1024));
}

} // namespace

HttpSession::HttpSession(SessionOptions options)
    : m_options(std::move(options)), m_network(std::make_unique<QNetworkAccessManager>())
{
    // Redirects are ours (see the header); gzip is Qt's, which asks for it and unpacks it.
    m_network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    m_network->setAutoDeleteReplies(false);
}

HttpSession::~HttpSession() = default;

// Only the address as written counts; a name that happens to resolve to this computer
// does not.
bool SendsPasswordUnencrypted(const QUrl &address)
{
    if (address.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0)
        return false;
    const QString host = address.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return false;
    const QHostAddress ip(host);
    return ip.isNull() || !ip.isLoopback();
}

QString HttpSession::HostOf(const QUrl &address)
{
    return address.port() > 0 ? QStringLiteral("%1:%2").arg(address.host()).arg(address.port()) : address.host();
}

QString HttpSession::CanonicalFingerprint(const QString &text)
{
    QString hex = text;
    hex.remove(QLatin1Char(':'));
    hex = hex.trimmed().toUpper();
    QStringList pairs;
    for (qsizetype i = 0; i + 1 < hex.size(); i += 2)
        pairs.append(hex.mid(i, 2));
    return pairs.join(QLatin1Char(':'));
}

HttpReply HttpSession::Send(const HttpRequest &request)
{
    const QDeadlineTimer deadline(m_options.TotalTimeoutMs);
    QUrl address = request.Address;
    for (int redirects = 0;; ++redirects) {
        HttpReply reply = SendOnce(request, address, SameOrigin(address, m_options.Origin), deadline);
        m_passwordUnencrypted = m_passwordUnencrypted || reply.PasswordSentUnencrypted;
        if (reply.Failed != HttpReply::Failure::None || !(reply.Status == 301 || reply.Status == 302 || reply.Status == 303
                                                          || reply.Status == 307 || reply.Status == 308))
            return reply;
        const QUrl next = address.resolved(QUrl(QString::fromUtf8(reply.Headers.value("location"))));
        if (redirects >= kMaxRedirects || !next.isValid()) {
            reply.Failed = HttpReply::Failure::Redirects;
            reply.Error = QString::fromUtf8(SyncTexts::kRedirects).arg(HostOf(address));
            return reply;
        }
        if (address.scheme() == QLatin1String("https") && next.scheme() != QLatin1String("https")) {
            reply.Failed = HttpReply::Failure::Redirects;
            reply.Error = QString::fromUtf8(SyncTexts::kRedirectToHttp).arg(HostOf(address), next.toDisplayString(QUrl::RemoveUserInfo));
            return reply;
        }
        address = next;
    }
}

HttpReply HttpSession::SendOnce(const HttpRequest &request, const QUrl &address, bool withPassword,
                                const QDeadlineTimer &deadline)
{
    HttpReply result;
    result.FinalAddress = address;
    const QString host = HostOf(address);
    if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread()
        && QCoreApplication::instance()->inherits("QGuiApplication")) {
        result.Failed = HttpReply::Failure::Network;
        result.Error = QString::fromUtf8(SyncTexts::kGuiThread).arg(host);
        return result;
    }
    const QString overTime = QString::fromUtf8(SyncTexts::kOverTime)
                                 .arg(host)
                                 .arg(m_options.TotalTimeoutMs / 1000);
    if (deadline.hasExpired()) {
        result.Failed = HttpReply::Failure::Timeout;
        result.Error = overTime;
        return result;
    }

    QNetworkRequest outgoing(address);
    outgoing.setTransferTimeout(m_options.TimeoutMs);
    outgoing.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    // Qt's own check of a gzip answer that unpacks out of all proportion fails it with no
    // reason given; the limit counts what was unpacked instead.
    outgoing.setDecompressedSafetyCheckThreshold(-1);
    for (auto it = request.Headers.cbegin(); it != request.Headers.cend(); ++it)
        outgoing.setRawHeader(it.key(), it.value());
    const bool hasPassword = withPassword && !m_options.UserName.isEmpty() && !m_options.Password.isNull();
    const bool unencrypted = SendsPasswordUnencrypted(address);
    // Basic at once saves each request a 401 round (the server of the subscription asks
    // for it anyway), where no one on the way can read it; a server that wants Digest,
    // or one over plain http, asks, and is answered below.
    if (hasPassword && !unencrypted)
        outgoing.setRawHeader("Authorization",
                              "Basic " + (m_options.UserName + QLatin1Char(':') + m_options.Password).toUtf8().toBase64());

    ++m_sent;
    // HEAD by its own call: as a custom verb Qt waits for the body its Content-Length names.
    std::unique_ptr<QNetworkReply> reply(request.Method == "HEAD"
                                             ? m_network->head(outgoing)
                                             : m_network->sendCustomRequest(outgoing, request.Method, request.Body));
    QEventLoop loop;
    bool tooLarge = false;
    bool overDeadline = false;
    bool certificateRefused = false;
    int authenticationAsks = 0;
    qint64 announced = -1; // Content-Length; Qt drops it where it unpacks gzip
    QByteArray body;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    const auto stopTooLarge = [&] {
        tooLarge = true;
        body.clear();
        reply->abort();
    };
    // Read as it arrives, so that Qt never holds more than kReadAheadBytes of it, and in
    // pieces, because Qt unpacks gzip as it is read: a whole unpacked answer is never made.
    QByteArray piece(kReadPieceBytes, Qt::Uninitialized);
    const auto take = [&] {
        while (!tooLarge && reply->isOpen()) {
            const qint64 read = reply->read(piece.data(), piece.size());
            if (read <= 0)
                break;
            if (body.size() + read > m_options.MaxBodyBytes)
                stopTooLarge();
            else
                body.append(piece.constData(), read);
        }
    };
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, take);
    // Qt's network thread takes the limit only once the request has started, which for a
    // request with a body is an event later: asked for at once, it would be lost.
    QMetaObject::invokeMethod(
        reply.get(), [&reply] { reply->setReadBufferSize(kReadAheadBytes); }, Qt::QueuedConnection);
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        announced = length.isValid() ? length.toLongLong() : -1;
        if (announced > m_options.MaxBodyBytes && !tooLarge)
            stopTooLarge();
    });
    QTimer overall;
    overall.setSingleShot(true);
    QObject::connect(&overall, &QTimer::timeout, &loop, [&] {
        overDeadline = true;
        reply->abort();
    });
    overall.start(std::chrono::milliseconds(qMax<qint64>(0, deadline.remainingTime())));
    QObject::connect(reply.get(), &QNetworkReply::sslErrors, &loop, [&](const QList<QSslError> &errors) {
        const QSslCertificate certificate = reply->sslConfiguration().peerCertificate();
        const QString offered =
            CanonicalFingerprint(QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex()));
        if (!m_options.TrustedCertificate.isEmpty() && offered == CanonicalFingerprint(m_options.TrustedCertificate)) {
            reply->ignoreSslErrors(errors);
            return;
        }
        QStringList texts;
        for (const QSslError &error : errors)
            texts.append(error.errorString());
        result.OfferedCertificate = offered;
        result.Error = m_options.TrustedCertificate.isEmpty()
                           ? QString::fromUtf8(SyncTexts::kUntrusted)
                                 .arg(host, texts.join(QStringLiteral("; ")), offered)
                           : QString::fromUtf8(SyncTexts::kCertificateChanged)
                                 .arg(host, texts.join(QStringLiteral("; ")), offered);
        certificateRefused = true;
    });
    QObject::connect(m_network.get(), &QNetworkAccessManager::authenticationRequired, &loop,
                     [&](QNetworkReply *asking, QAuthenticator *authenticator) {
                         // Once: a second ask means the server refused the password.
                         if (asking != reply.get() || !hasPassword || ++authenticationAsks > 1)
                             return;
                         authenticator->setUser(m_options.UserName);
                         authenticator->setPassword(m_options.Password);
                         if (unencrypted && !OffersMoreThanBasic(asking->rawHeader("WWW-Authenticate")))
                             result.PasswordSentUnencrypted = true;
                     });
    if (!reply->isFinished())
        loop.exec();
    take();

    result.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    for (const QNetworkReply::RawHeaderPair &header : reply->rawHeaderPairs())
        result.Headers.insert(header.first.toLower(), header.second);
    if (tooLarge) {
        result.Failed = HttpReply::Failure::TooLarge;
        result.Error = TooLargeText(host, m_options.MaxBodyBytes);
        return result;
    }
    if (certificateRefused) {
        m_offered = result.OfferedCertificate;
        result.Failed = HttpReply::Failure::Certificate;
        return result;
    }
    if (overDeadline) {
        result.Failed = HttpReply::Failure::Timeout;
        result.Error = overTime;
        return result;
    }
    const QNetworkReply::NetworkError error = reply->error();
    if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError) {
        result.Failed = HttpReply::Failure::Timeout;
        result.Error = QString::fromUtf8(SyncTexts::kNoAnswer).arg(host).arg(m_options.TimeoutMs / 1000);
        return result;
    }
    if (result.Status == 401 || error == QNetworkReply::AuthenticationRequiredError) {
        result.Failed = HttpReply::Failure::Authentication;
        result.Status = 401;
        result.Error = hasPassword ? QString::fromUtf8(SyncTexts::kLoginRefused).arg(host)
                                   : QString::fromUtf8(SyncTexts::kLoginNeeded).arg(host);
        return result;
    }
    if (TransferFailed(error, result.Status)) {
        // A part of an answer is never taken for the whole.
        result.Failed = HttpReply::Failure::Network;
        if (result.Status == 0) {
            if (Unreachable(error))
                result.Failed = HttpReply::Failure::Unreachable;
            result.Error = QStringLiteral("%1: %2").arg(host, reply->errorString());
        } else if (error == QNetworkReply::RemoteHostClosedError && announced > body.size()) {
            result.Failed = HttpReply::Failure::Incomplete;
            // Qt tells a reset from a close by neither code nor text.
            result.Error = QString::fromUtf8(SyncTexts::kIncomplete)
                               .arg(host)
                               .arg(body.size())
                               .arg(announced);
        } else if (error == QNetworkReply::UnknownContentError) {
            result.Error = QString::fromUtf8(SyncTexts::kUnreadable).arg(host, reply->errorString());
        } else {
            result.Error = QString::fromUtf8(SyncTexts::kBrokeOff).arg(host, reply->errorString());
        }
        return result;
    }
    result.Body = std::move(body);
    return result;
}

} // namespace basSync

} // namespace quillon
