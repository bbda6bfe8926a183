#include "HttpSession.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QEventLoop>
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

bool SameOrigin(const QUrl &a, const QUrl &b)
{
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 && a.host().compare(b.host(), Qt::CaseInsensitive) == 0
           && a.port(a.scheme() == QLatin1String("https") ? 443 : 80) == b.port(b.scheme() == QLatin1String("https") ? 443 : 80);
}

QString HostOf(const QUrl &address)
{
    return address.port() > 0 ? QStringLiteral("%1:%2").arg(address.host()).arg(address.port()) : address.host();
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
    QUrl address = request.Address;
    for (int redirects = 0;; ++redirects) {
        HttpReply reply = SendOnce(request, address, SameOrigin(address, m_options.Origin));
        if (reply.Failed != HttpReply::Failure::None || !(reply.Status == 301 || reply.Status == 302 || reply.Status == 303
                                                          || reply.Status == 307 || reply.Status == 308))
            return reply;
        const QUrl next = address.resolved(QUrl(QString::fromUtf8(reply.Headers.value("location"))));
        if (redirects >= kMaxRedirects || !next.isValid()) {
            reply.Failed = HttpReply::Failure::Redirects;
            reply.Error = QStringLiteral("%1: too many redirects or a redirect to nowhere").arg(HostOf(address));
            return reply;
        }
        if (address.scheme() == QLatin1String("https") && next.scheme() != QLatin1String("https")) {
            reply.Failed = HttpReply::Failure::Redirects;
            reply.Error = QStringLiteral("%1: refused a redirect from https to %2").arg(HostOf(address), next.toDisplayString(QUrl::RemoveUserInfo));
            return reply;
        }
        address = next;
    }
}

HttpReply HttpSession::SendOnce(const HttpRequest &request, const QUrl &address, bool withPassword)
{
    HttpReply result;
    result.FinalAddress = address;
    const QString host = HostOf(address);
    if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread()
        && QCoreApplication::instance()->inherits("QGuiApplication")) {
        result.Failed = HttpReply::Failure::Network;
        result.Error = QStringLiteral("%1: a network request on the GUI thread was refused").arg(host);
        return result;
    }

    QNetworkRequest outgoing(address);
    outgoing.setTransferTimeout(m_options.TimeoutMs);
    outgoing.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    for (auto it = request.Headers.cbegin(); it != request.Headers.cend(); ++it)
        outgoing.setRawHeader(it.key(), it.value());
    const bool hasPassword = withPassword && !m_options.UserName.isEmpty() && !m_options.Password.isNull();
    // Basic at once saves each request a 401 round (the server of the subscription asks
    // for it anyway); a server that wants Digest asks, and is answered below.
    if (hasPassword)
        outgoing.setRawHeader("Authorization",
                              "Basic " + (m_options.UserName + QLatin1Char(':') + m_options.Password).toUtf8().toBase64());

    ++m_sent;
    std::unique_ptr<QNetworkReply> reply(
        m_network->sendCustomRequest(outgoing, request.Method, request.Body));
    QEventLoop loop;
    bool tooLarge = false;
    bool certificateRefused = false;
    int authenticationAsks = 0;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    const auto checkSize = [&](qint64 received) {
        if (received > m_options.MaxBodyBytes && !tooLarge) {
            tooLarge = true;
            reply->abort();
        }
    };
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
        checkSize(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong());
    });
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64) { checkSize(received); });
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
                           ? QStringLiteral("%1: the certificate is not trusted (%2); its SHA-256 fingerprint is %3")
                                 .arg(host, texts.join(QStringLiteral("; ")), offered)
                           : QStringLiteral("%1: the certificate changed since it was trusted (%2); its SHA-256 fingerprint "
                                            "is now %3")
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
                     });
    if (!reply->isFinished())
        loop.exec();

    result.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    for (const QNetworkReply::RawHeaderPair &header : reply->rawHeaderPairs())
        result.Headers.insert(header.first.toLower(), header.second);
    if (tooLarge) {
        result.Failed = HttpReply::Failure::TooLarge;
        result.Error = QStringLiteral("%1: the answer is larger than %2 MB; nothing was changed")
                           .arg(host)
                           .arg(m_options.MaxBodyBytes / (1024 * 1024));
        return result;
    }
    if (certificateRefused) {
        m_offered = result.OfferedCertificate;
        result.Failed = HttpReply::Failure::Certificate;
        return result;
    }
    const QNetworkReply::NetworkError error = reply->error();
    if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError) {
        result.Failed = HttpReply::Failure::Timeout;
        result.Error = QStringLiteral("%1: no answer within %2 seconds").arg(host).arg(m_options.TimeoutMs / 1000);
        return result;
    }
    if (result.Status == 401 || error == QNetworkReply::AuthenticationRequiredError) {
        result.Failed = HttpReply::Failure::Authentication;
        result.Status = 401;
        result.Error = hasPassword ? QStringLiteral("%1: the server refused the user name or password").arg(host)
                                   : QStringLiteral("%1: the server asks for a user name and password").arg(host);
        return result;
    }
    if (result.Status == 0) {
        result.Failed = HttpReply::Failure::Network;
        result.Error = QStringLiteral("%1: %2").arg(host, reply->errorString());
        return result;
    }
    result.Body = reply->readAll();
    if (result.Body.size() > m_options.MaxBodyBytes) {
        result.Failed = HttpReply::Failure::TooLarge;
        result.Body.clear();
        result.Error = QStringLiteral("%1: the answer is larger than %2 MB; nothing was changed")
                           .arg(host)
                           .arg(m_options.MaxBodyBytes / (1024 * 1024));
    }
    return result;
}

} // namespace basSync

} // namespace quillon
