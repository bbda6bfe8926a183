#include "Outbox.h"

#include "EventService.h"
#include "EventStore.h"
#include "ICalendarReader.h"
#include "basOperation.h"

#include <QUrl>

namespace quillon {

namespace basSync {

namespace {

using basDatabase::OutboxEntry;

inline constexpr auto kNotSent = " (my change, not sent)";

HttpRequest RequestFor(const basDatabase::Subscription &subscription, const OutboxEntry &entry, const QString &etag)
{
    HttpRequest request;
    request.Method = entry.Delete ? "DELETE" : "PUT";
    request.Address = QUrl(subscription.Address).resolved(QUrl(entry.Href));
    if (!etag.isEmpty())
        request.Headers.insert("If-Match", etag.toLatin1());
    else if (!entry.Delete)
        request.Headers.insert("If-None-Match", "*");
    if (!entry.Delete) {
        request.Headers.insert("Content-Type", "text/calendar; charset=utf-8");
        request.Body = entry.Body;
    }
    return request;
}

// The ETag of a resource the server answered a write without one for.
QString FetchETag(HttpSession &session, const QUrl &address)
{
    HttpRequest request;
    request.Address = address;
    const HttpReply reply = session.Send(request);
    return reply.Ok() ? QString::fromLatin1(reply.Headers.value("etag")) : QString();
}

// The change that lost to the server's, kept as this computer's own events.
bool KeepAsOwn(basDatabase::EventStore &store, const OutboxEntry &entry, QStringList &names)
{
    if (entry.Delete)
        return true;
    ICalendarReader::CalendarContents read;
    try {
        read = ICalendarReader::ReadCalendar(entry.Body, {});
    } catch (const basOperation::Failure &) {
        return true; // our own text: nothing to keep if it no longer reads
    }
    EventService events(store);
    for (const ICalendarReader::CalendarEvent &event : std::as_const(read.Events)) {
        Event copy = EventService::ToDraft(event.Event, event.Dates);
        copy.EventID = 0;
        copy.EventName += QLatin1String(kNotSent);
        if (!events.Save(copy))
            return false;
        names << copy.EventName;
    }
    return true;
}

} // namespace

bool SendOutbox(basDatabase::EventStore &store, const basDatabase::Subscription &subscription, HttpSession &session,
                OutboxResult &result)
{
    basDatabase::SubscriptionStore subscriptions(store);
    QList<OutboxEntry> entries;
    if (!subscriptions.GetOutbox(subscription.Id, entries))
        return false;
    if (entries.isEmpty())
        return true;
    QHash<QString, QString> etags; // key -> ETag: a resource's own key is its path
    if (!subscriptions.GetKnownKeys(subscription.Id, etags))
        return false;
    const QString host = HttpSession::HostOf(QUrl(subscription.Address));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const OutboxEntry &entry = entries[i];
        const HttpRequest request = RequestFor(subscription, entry, etags.value(entry.Href));
        const HttpReply reply = session.Send(request);
        if (reply.Ok() || (entry.Delete && reply.Status == 404)) {
            QString etag = QString::fromLatin1(reply.Headers.value("etag"));
            if (etag.isEmpty() && !entry.Delete)
                etag = FetchETag(session, request.Address);
            if (!subscriptions.ChangeSent(entry, etag))
                return false;
            etags.insert(entry.Href, etag);
            ++result.Sent;
            continue;
        }
        if (reply.Failed == HttpReply::Failure::None && reply.Status == 412) {
            // Changed on the server meanwhile: its version comes with this refresh.
            QStringList kept;
            if (!KeepAsOwn(store, entry, kept) || !subscriptions.ChangeDropped(entry))
                return false;
            etags.remove(entry.Href);
            ++result.Conflicts;
            result.Messages << (entry.Delete ? QStringLiteral("%1: %2 was changed on the server; it stays, not deleted")
                                                   .arg(host, entry.Href)
                                             : QStringLiteral("%1: %2 was changed on the server too; your change is kept "
                                                              "on this computer as \"%3\"")
                                                   .arg(host, entry.Href, kept.join(QStringLiteral("\", \""))));
            continue;
        }
        const QString why = reply.Failed != HttpReply::Failure::None
                                ? reply.Error
                                : QStringLiteral("%1: the server answered HTTP %2 to %3 of %4")
                                      .arg(host)
                                      .arg(reply.Status)
                                      .arg(QString::fromLatin1(request.Method), entry.Href);
        if (!subscriptions.ChangeFailed(entry.Seq, why))
            return false;
        result.Waiting = int(entries.size() - i);
        for (qsizetype rest = i; rest < entries.size(); ++rest)
            result.WaitingHrefs.insert(entries[rest].Href);
        result.Messages << QStringLiteral("%1 change(s) wait to be sent: %2").arg(result.Waiting).arg(why);
        return true;
    }
    return true;
}

} // namespace basSync

} // namespace quillon
