#include "basSync.h"

#include "ICalendarColors.h"
#include "ICalendarFingerprint.h"
#include "ICalendarReader.h"
#include "Outbox.h"
#include "EventSeries.h"
#include "HttpSession.h"
#include "basOperation.h"
#include "platform/basPlatform.h"

#include <QEventLoop>
#include <QThread>

#include <memory>

namespace quillon {

namespace basSync {

namespace {

using basDatabase::IncomingEvent;
using basDatabase::Subscription;

ICalendarReader::ReadOptions ReadOptionsFor(const RefreshOptions &options)
{
    ICalendarReader::ReadOptions read;
    read.Today = options.Today.isValid() ? options.Today : basPlatform::Today();
    return read;
}

// An event read as the store takes it, keyed by key. One that brings no colour keeps
// none: it is drawn in its calendar's, and follows when that changes. The fingerprint is
// the event's own content unless the server gave one (an ETag).
IncomingEvent Incoming(ICalendarReader::CalendarEvent &&event, QString key, const QString &fingerprint)
{
    IncomingEvent incoming;
    incoming.Key = std::move(key);
    incoming.Event = std::move(event.Event);
    incoming.Dates = std::move(event.Dates);
    incoming.Fingerprint =
        fingerprint.isNull() ? ICalendarFingerprint::Fingerprint(incoming.Event, incoming.Dates) : fingerprint;
    return incoming;
}

// A feed's events, keyed by their UIDs, taken from the reader one at a time: a large
// feed's events stand in memory once, as the store takes them, not also as read.
QList<IncomingEvent> ReadFeedEvents(const QByteArray &text,
                                    const RefreshOptions &options, QStringList &warnings)
{
    QList<IncomingEvent> events;
    const auto take = [&](ICalendarReader::CalendarEvent &&event) {
        QString key = event.Uid;
        events.append(Incoming(std::move(event), std::move(key), QString()));
    };
    // Room for every series and a later look of each at once (a list that grows by
    // doubling holds its old and its new block together); room not filled is never
    // touched, and takes no memory.
    const auto expect = [&](qsizetype series) { events.reserve(series * 2); };
    warnings += ICalendarReader::ReadCalendar(text, ReadOptionsFor(options), take, expect);
    return events;
}

// The events of one CalDAV resource: the first keyed by its path, the others by the path
// and their UID; the fingerprint of each is the resource's ETag.
QList<IncomingEvent> ReadResourceEvents(const CalDav::Changes::Resource &resource, const RefreshOptions &options,
                                        QStringList &warnings)
{
    ICalendarReader::CalendarContents contents = ICalendarReader::ReadCalendar(resource.Data, ReadOptionsFor(options));
    warnings += contents.Warnings;
    QList<IncomingEvent> events;
    events.reserve(contents.Events.size());
    for (ICalendarReader::CalendarEvent &event : contents.Events) {
        const bool first = events.isEmpty();
        QString key = first ? resource.Href : resource.Href + EventSeries::kResourceSeparator + event.Uid;
        events.append(Incoming(std::move(event), std::move(key), resource.ETag));
        // The whole resource goes back to the server with a change of any of its events.
        if (first)
            events.last().Component = resource.Data;
    }
    return events;
}

// Whether removing removed of the known events needs the user's yes first: a server
// that suddenly says "empty" (an outage, a wrong account) must not empty the calendar here.
bool HoldBack(const Subscription &subscription, qsizetype known, qsizetype removed, const RefreshOptions &options,
              RefreshResult &result)
{
    if (options.AllowMassDelete || removed <= kMassDelete || removed * 2 <= known)
        return false;
    const QString name = subscription.DisplayName.isEmpty() ? subscription.Address : subscription.DisplayName;
    result.HeldBack = int(removed);
    result.Message = removed == known
                         ? QStringLiteral("%1: the server now has none of the %2 events kept here. Remove them here too?")
                               .arg(name)
                               .arg(known)
                         : QStringLiteral("%1: the server now has %2 of the %3 events kept here. Remove the other %4 here too?")
                               .arg(name)
                               .arg(known - removed)
                               .arg(known)
                               .arg(removed);
    return true;
}

// How many of the known keys a complete list of incoming events leaves out.
qsizetype LeftOut(const QHash<QString, QString> &known, const QList<IncomingEvent> &incoming)
{
    QSet<QString> kept;
    for (const IncomingEvent &event : incoming)
        kept.insert(event.Key);
    qsizetype gone = 0;
    for (auto it = known.cbegin(); it != known.cend(); ++it)
        gone += kept.contains(it.key()) ? 0 : 1;
    return gone;
}

[[noreturn]] void Fail(const QString &text) { throw basOperation::Failure(basOperation::kDeviceUnavailable, text); }

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

// A plain iCalendar address: a conditional GET.
bool RefreshFeed(basDatabase::SubscriptionStore &subscriptions, Subscription &subscription, Transport &session,
                 const RefreshOptions &options, RefreshResult &result)
{
    const QUrl address(subscription.Address);
    HttpRequest request;
    request.Address = address;
    request.Headers.insert("Accept", "text/calendar, */*;q=0.5");
    if (!subscription.ETag.isEmpty())
        request.Headers.insert("If-None-Match", subscription.ETag.toLatin1());
    if (!subscription.LastModified.isEmpty())
        request.Headers.insert("If-Modified-Since", subscription.LastModified.toLatin1());
    HttpReply reply = session.Send(request);
    if (reply.Failed != HttpReply::Failure::None) {
        result.OfferedCertificate = reply.OfferedCertificate;
        Fail(reply.Error);
    }
    if (reply.Status == 304) {
        result.NotModified = true;
        return true;
    }
    if (reply.Status != 200)
        Fail(QStringLiteral("%1: the server answered HTTP %2 for %3")
                 .arg(HttpSession::HostOf(reply.FinalAddress))
                 .arg(reply.Status)
                 .arg(address.path()));
    // A login page or an error page in place of the calendar is named as such, not as a
    // broken calendar.
    if (!reply.Body.left(4096).contains("BEGIN:VCALENDAR"))
        Fail(QStringLiteral("%1: the address gave no calendar (%2) for %3")
                 .arg(HttpSession::HostOf(reply.FinalAddress),
                      reply.Headers.value("content-type").isEmpty() ? QStringLiteral("no content type")
                                                                    : QString::fromLatin1(reply.Headers.value("content-type")),
                      address.path()));
    QStringList warnings;
    QList<IncomingEvent> events;
    {
        // The body is let go as soon as it is read: the events are stored without it.
        const QByteArray body = std::exchange(reply.Body, {});
        try {
            events = ReadFeedEvents(body, options, warnings);
        } catch (const basOperation::Failure &failure) {
            Fail(QStringLiteral("%1: the calendar cannot be read: %2").arg(HttpSession::HostOf(reply.FinalAddress), failure.description()));
        }
    }
    QHash<QString, QString> known;
    if (!subscriptions.GetKnownKeys(subscription.Id, known))
        return false;
    if (HoldBack(subscription, known.size(), LeftOut(known, events), options, result))
        return false;
    if (!subscriptions.ReplaceEvents(subscription.Id, std::move(events), result.Count))
        return false;
    subscription.ETag = QString::fromLatin1(reply.Headers.value("etag"));
    subscription.LastModified = QString::fromLatin1(reply.Headers.value("last-modified"));
    result.Message = warnings.join(QLatin1Char('\n'));
    return true;
}

// A CalDAV calendar: the changes made here sent first, then what changed since the last sync.
bool RefreshCalendar(basDatabase::EventStore &store, basDatabase::SubscriptionStore &subscriptions,
                     Subscription &subscription, Transport &session, const RefreshOptions &options,
                     RefreshResult &result)
{
    OutboxResult sent;
    if (!SendOutbox(store, subscription, session, sent))
        return false;
    result.Sent = sent.Sent;
    result.Waiting = sent.Waiting;
    // What the store has is read once, and only when needed: after a sync-collection
    // that names nothing (the launcher's usual refresh) not at all.
    QHash<QString, QString> known; // key -> ETag
    bool loaded = false;
    bool readable = true;
    const auto load = [&] {
        if (!loaded) {
            loaded = true;
            readable = subscriptions.GetKnownKeys(subscription.Id, known);
        }
        return readable;
    };
    CalDav::Changes changes;
    try {
        changes = CalDav::FetchChanges(session, QUrl(subscription.Address), subscription.SyncToken, [&] {
            QHash<QString, QString> etagOfHref;
            if (load())
                for (auto it = known.cbegin(); it != known.cend(); ++it)
                    etagOfHref.insert(EventSeries::SeriesKey(it.key()), it.value());
            return etagOfHref;
        });
    } catch (const basOperation::Failure &failure) {
        // What waits to be sent, and why, is said with the reason the refresh failed.
        Fail((QStringList{failure.description()} + sent.Messages).join(QLatin1Char('\n')));
    }
    if (!changes.Complete && changes.Changed.isEmpty() && changes.Removed.isEmpty()) {
        subscription.SyncToken = changes.SyncToken;
        result.Message = sent.Messages.join(QLatin1Char('\n'));
        return true;
    }
    if (!load())
        return false;
    QMultiHash<QString, QString> keysOfHref;
    for (auto it = known.cbegin(); it != known.cend(); ++it)
        keysOfHref.insert(EventSeries::SeriesKey(it.key()), it.key());
    QStringList warnings = sent.Messages;
    QList<IncomingEvent> incoming;
    QStringList removed;
    for (CalDav::Changes::Resource &resource : changes.Changed) {
        // A change made here that still waits for the server stays as made.
        if (sent.WaitingHrefs.contains(resource.Href))
            resource.Data.clear();
        if (resource.Data.isEmpty()) {
            // Listed unchanged: its events stay as they are.
            for (const QString &key : keysOfHref.values(resource.Href))
                incoming.append(IncomingEvent{key, known.value(key), {}, {}});
            continue;
        }
        QList<IncomingEvent> events;
        try {
            events = ReadResourceEvents(resource, options, warnings);
        } catch (const basOperation::Failure &failure) {
            warnings.append(QStringLiteral("%1: %2; skipped").arg(resource.Href, failure.description()));
        }
        resource.Data = {}; // read: its text is not needed while the events are stored
        QSet<QString> now;
        for (const IncomingEvent &event : std::as_const(events))
            now.insert(event.Key);
        for (const QString &key : keysOfHref.values(resource.Href)) {
            if (!now.contains(key))
                removed.append(key);
        }
        incoming += std::move(events);
    }
    for (const QString &href : changes.Removed) {
        if (!sent.WaitingHrefs.contains(href))
            removed += keysOfHref.values(href);
    }
    if (HoldBack(subscription, known.size(), changes.Complete ? LeftOut(known, incoming) : removed.size(), options, result))
        return false;
    const bool stored = changes.Complete
                            ? subscriptions.ReplaceEvents(subscription.Id, std::move(incoming), result.Count)
                            : subscriptions.ApplyChanges(subscription.Id, std::move(incoming), removed, result.Count);
    if (!stored)
        return false;
    subscription.SyncToken = changes.SyncToken;
    result.Message = warnings.join(QLatin1Char('\n'));
    return true;
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
    const QString removed = QStringLiteral("The subscription %1 was removed meanwhile; nothing was stored").arg(id);
    std::optional<Subscription> found;
    if (!subscriptions.FindSubscription(id, found)) {
        result.Message = QStringLiteral("The subscription %1 could not be read: %2").arg(id).arg(subscriptions.LastFailure());
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
    if (eventColor != subscription.EventColor && subscriptions.SetColor(subscription.Id, subscription.Color, eventColor))
        subscription.EventColor = eventColor;
    Transport &session = connect(subscription);
    bool stored = false;
    try {
        stored = subscription.Type == Subscription::Kind::CalDav
                     ? RefreshCalendar(store, subscriptions, subscription, session, options, result)
                     : RefreshFeed(subscriptions, subscription, session, options, result);
        if (!stored && result.HeldBack == 0)
            result.Message = subscriptions.Gone()
                                 ? removed
                                 : QStringLiteral("The events could not be stored: %1").arg(subscriptions.LastFailure());
    } catch (const basOperation::Failure &failure) {
        result.Message = failure.description();
    }
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
                                        : QStringLiteral("The state of the subscription could not be stored: %1")
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
        typed.Error = QStringLiteral("%1 is not an http, https or webcal address")
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
    return QStringLiteral("%1 sends your password unencrypted (http://); use https:// if the server offers it")
        .arg(HttpSession::HostOf(address));
}

QList<IncomingEvent> ResourceEvents(const QString &href, const QString &etag, const QByteArray &text,
                                    QStringList &warnings)
{
    return ReadResourceEvents({href, etag, text}, {}, warnings);
}

bool SetCalendarColor(basDatabase::EventStore &store, qint64 id, const QString &color)
{
    return basDatabase::SubscriptionStore(store).SetColor(id, color, ICalendarColors::NearestEventColor(color));
}

} // namespace basSync

} // namespace quillon
