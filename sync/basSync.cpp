#include "basSync.h"

#include "basOperation.h"
#include "HttpSession.h"
#include "ICalendarColors.h"
#include "platform/basPlatform.h"
#include "RefreshMachine.h"
#include "SyncTexts.h"

#include <QEventLoop>
#include <QThread>

#include <memory>

namespace quillon {

namespace basSync {

namespace {

using basDatabase::Subscription;

SessionOptions SessionFor(const Subscription &subscription, const QString &password, const RefreshOptions &options)
{
    SessionOptions session;
    session.UserName = subscription.UserName;
    session.Password = password;
    session.Origin = QUrl(subscription.Address);
    session.TrustedCertificate = subscription.CertificateSha256;
    session.TimeoutMs = options.TimeoutMs;
    session.TotalTimeoutMs = options.TotalTimeoutMs;
    session.MaxBodyBytes = options.MaxBodyBytes;
    return session;
}

// The refresh of subscription id over the transport connect gives for it.
RefreshResult RefreshOver(basDatabase::EventStore &store, qint64 id, const RefreshOptions &options,
                          const std::function<Transport &(const Subscription &)> &connect)
{
    RefreshResult result;
    result.Id = id;
    basDatabase::SubscriptionStore subscriptions(store);
    // Removed meanwhile (an unsubscribe while a refresh runs) is said plainly, not
    // reported as a fault.
    const QString removed = RemovedMeanwhileText(id);
    std::optional<Subscription> found;
    if (!subscriptions.FindSubscription(id, found)) {
        result.Message = QString::fromUtf8(SyncTexts::kSubscriptionUnreadable).arg(id).arg(subscriptions.LastFailure());
        return result;
    }
    if (!found) {
        result.Message = removed;
        result.Removed = true;
        return result;
    }
    Subscription subscription = *found;
    // A calendar from before its events took its colour as they were drawn, or one
    // whose colour was set without it: its events' colour, once.
    const QString eventColor = ICalendarColors::NearestEventColor(subscription.Color);
    if (eventColor != subscription.EventColor
        && subscriptions.SetColor(subscription.Id, subscription.Color, eventColor, false))
        subscription.EventColor = eventColor;
    Transport &session = connect(subscription);
    const bool stored = RefreshMachine(store, subscriptions, subscription, session, options, result).Run();
    result.Requests = session.RequestsSent();
    result.PasswordSentUnencrypted = session.PasswordSentUnencrypted();
    result.Ok = stored;
    result.Removed = subscriptions.Gone();
    if (result.Removed)
        return result;
    if (stored) {
        subscription.LastSuccess = basPlatform::Now().toUTC();
        // What the reader skipped or changed stays named until a fresh read; a 304 only
        // ever follows a success (a failure forgets the validators below), so its
        // warnings still hold.
        if (!result.NotModified)
            subscription.LastError = result.Message;
    } else {
        subscription.LastError = result.Message;
        subscription.ETag.clear();
        subscription.LastModified.clear();
    }
    // The state of a failed refresh is written on its own: the events stay as they were.
    if (!subscriptions.UpdateSubscription(subscription) && result.Ok) {
        result.Ok = false;
        result.Removed = subscriptions.Gone();
        result.Message = result.Removed ? removed
                                        : QString::fromUtf8(SyncTexts::kStateNotStored)
                                                    .arg(subscriptions.LastFailure());
    }
    return result;
}

} // namespace

RefreshResult Refresh(basDatabase::EventStore &store, qint64 id, const QString &password, const RefreshOptions &options)
{
    std::unique_ptr<HttpSession> session;
    return RefreshOver(store, id, options, [&](const Subscription &subscription) -> Transport & {
        session = std::make_unique<HttpSession>(SessionFor(subscription, password, options));
        return *session;
    });
}

RefreshResult Refresh(basDatabase::EventStore &store, qint64 id, Transport &transport, const RefreshOptions &options)
{
    return RefreshOver(store, id, options, [&](const Subscription &) -> Transport & { return transport; });
}

TypedAddress ReadTypedAddress(const QString &text)
{
    TypedAddress typed;
    QUrl address = QUrl::fromUserInput(text.trimmed());
    const QString scheme = address.scheme().toLower();
    if (scheme == QLatin1String("webcal") || scheme == QLatin1String("webcals"))
        address.setScheme(QStringLiteral("https"));
    else if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        address = QUrl();
    if (!address.isValid() || address.host().isEmpty()) {
        typed.Error = QString::fromUtf8(SyncTexts::kNotAnAddress)
                          .arg(QUrl(text.trimmed()).toDisplayString(QUrl::RemoveUserInfo));
        return typed;
    }
    typed.UserName = address.userName();
    typed.Password = address.password(QUrl::FullyDecoded);
    address.setUserInfo(QString());
    typed.Address = address;
    return typed;
}

Probe ProbeAddress(const QUrl &address, const QString &userName, const QString &password,
                   const QString &trustedCertificate, const RefreshOptions &options)
{
    Probe probe;
    SessionOptions session;
    session.UserName = userName;
    session.Password = password;
    session.Origin = address;
    session.TrustedCertificate = trustedCertificate;
    session.TimeoutMs = options.TimeoutMs;
    session.TotalTimeoutMs = options.TotalTimeoutMs;
    session.MaxBodyBytes = options.MaxBodyBytes;
    HttpSession http(session);
    try {
        const std::optional<QList<CalDav::Calendar>> calendars = CalDav::Discover(http, address);
        probe.CalDav = calendars.has_value();
        if (calendars)
            probe.Calendars = *calendars;
    } catch (const basOperation::Failure &failure) {
        probe.Error = failure.description();
    }
    probe.OfferedCertificate = http.LastOfferedCertificate();
    probe.PasswordSentUnencrypted = http.PasswordSentUnencrypted();
    return probe;
}

void RunOnSyncThread(const std::function<void()> &work)
{
    QThread *thread = QThread::create(work);
    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    if (!thread->isFinished())
        loop.exec();
    thread->wait();
    delete thread;
}

QString SecretKey(const QString &userName, const QUrl &address)
{
    return QStringLiteral("%1@%2").arg(userName, address.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
                                                                  QUrl::RemoveUserInfo)
                                                     .toString());
}

QString UnencryptedPasswordText(const QUrl &address)
{
    return QString::fromUtf8(SyncTexts::kUnencrypted)
        .arg(HttpSession::HostOf(address));
}

bool SetCalendarColor(basDatabase::EventStore &store, qint64 id, const QString &color)
{
    return basDatabase::SubscriptionStore(store).SetColor(id, color, ICalendarColors::NearestEventColor(color));
}

} // namespace basSync

} // namespace quillon
