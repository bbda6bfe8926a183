#include "Outbox.h"

#include "basOperation.h"
#include "ConflictStore.h"
#include "EventService.h"
#include "EventStore.h"
#include "HttpSession.h"
#include "ICalendarFingerprint.h"
#include "ICalendarReader.h"
#include "platform/basPlatform.h"
#include "SyncTexts.h"

#include <QUrl>

#include <optional>

namespace quillon {

namespace basSync {

namespace {

using basDatabase::OutboxEntry;

QString NotSentName(const QString &name)
{
    return QCoreApplication::translate("SyncTexts", SyncTexts::kNotSentName).arg(name);
}

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
QString FetchETag(Transport &session, const QUrl &address)
{
    HttpRequest request;
    request.Address = address;
    const HttpReply reply = session.Send(request);
    return reply.Ok() ? QString::fromLatin1(reply.Headers.value("etag")) : QString();
}

// The change that lost to the server's, kept as this computer's own events (into
// conflict's copies), for the user to send anyway, keep or drop.
bool KeepAsOwn(basDatabase::EventStore &store, const OutboxEntry &entry, basDatabase::Conflict &conflict,
               QStringList &originals, QStringList &names)
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
        originals << copy.EventName;
        copy.EventName = NotSentName(copy.EventName);
        const std::optional<EventService::Saved> saved = events.Save(copy);
        if (!saved)
            return false;
        conflict.Copies << saved->EventID;
        names << copy.EventName;
    }
    return true;
}

// The content lines of a text's events, unfolded, without those that hold a time: a
// server may fold, order and end lines its own way, and spell a time anew (Radicale
// writes a time of the zone Etc/UTC with a Z).
QStringList EventLines(QByteArray text)
{
    static const QByteArrayList kTimes{"DTSTART", "DTEND", "DUE", "RECURRENCE-ID", "EXDATE", "RDATE"};
    text.replace("\r\n", "\n");
    text.replace("\n ", "").replace("\n\t", "");
    QStringList lines;
    bool inEvent = false;
    for (const QByteArray &line : text.split('\n')) {
        const QByteArray upper = line.toUpper();
        if (upper.startsWith("BEGIN:VEVENT"))
            inEvent = true;
        else if (upper.startsWith("END:VEVENT"))
            inEvent = false;
        qsizetype name = 0;
        while (name < upper.size() && upper[name] != ';' && upper[name] != ':')
            ++name;
        if (inEvent && !kTimes.contains(upper.left(name)))
            lines << QString::fromUtf8(line);
    }
    return lines;
}

// What a resource's text says: each event as this suite reads it (its times and days in
// the local zone) and every other line of its events as written. Nothing when it cannot
// be read.
std::optional<QStringList> Said(const QByteArray &text)
{
    ICalendarReader::ReadOptions options;
    options.Today = basPlatform::Today();
    QStringList said = EventLines(text);
    try {
        for (const ICalendarReader::CalendarEvent &event : ICalendarReader::ReadCalendar(text, options).Events)
            said << event.Uid + QLatin1Char(' ') + ICalendarFingerprint::Fingerprint(event.Event, event.Dates);
    } catch (const basOperation::Failure &) {
        return std::nullopt;
    }
    said.sort();
    return said;
}

// After a 412: whether the server already has what the change would make of it (a
// change sent before whose answer never reached the store, when the run was killed in
// between). The ETag it has then, in ETag (empty when it sends none).
bool AlreadyThere(Transport &session, const QUrl &address, const OutboxEntry &entry, QString &etag)
{
    HttpRequest request;
    request.Address = address;
    const HttpReply reply = session.Send(request);
    if (reply.Failed != HttpReply::Failure::None)
        return false;
    if (entry.Delete)
        return reply.Status == 404 || reply.Status == 410;
    if (reply.Status != 200)
        return false;
    // A change lost here would be a change dropped without a word: anything that differs
    // is the server's own change, and both are kept.
    const std::optional<QStringList> there = Said(reply.Body);
    if (!there || there->isEmpty() || there != Said(entry.Body))
        return false;
    etag = QString::fromLatin1(reply.Headers.value("etag"));
    return true;
}

// What the user is told of a change that lost to the server's: the calendar by its name,
// the event by its own where the change had one.
QString ConflictText(const basDatabase::Subscription &subscription, const OutboxEntry &entry,
                     const QStringList &originals, const QStringList &kept)
{
    const QString calendar = subscription.DisplayName.isEmpty() ? HttpSession::HostOf(QUrl(subscription.Address))
                                                                : subscription.DisplayName;
    if (entry.Delete)
        return QString::fromUtf8(SyncTexts::kNotDeleted).arg(calendar, entry.Href);
    if (kept.isEmpty())
        return QString::fromUtf8(SyncTexts::kChangeNotKept).arg(calendar, entry.Href);
    return QString::fromUtf8(SyncTexts::kChangeKeptAs)
        .arg(calendar, originals.first(), kept.join(QStringLiteral("\", \"")));
}

// Failures that are the server's as a whole, not the one request's: the rest would fail alike.
bool StopsTheRun(const HttpReply &reply)
{
    switch (reply.Failed) {
    case HttpReply::Failure::Unreachable:
    case HttpReply::Failure::Timeout:
    case HttpReply::Failure::Certificate:
    case HttpReply::Failure::Authentication:
        return true;
    default:
        return false;
    }
}

} // namespace

bool SendOutbox(basDatabase::EventStore &store, const basDatabase::Subscription &subscription, Transport &session,
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
    // A resource whose change the server did not take: its later changes wait behind it
    // (each builds on the one before), with why; the other resources' changes still go.
    QHash<QString, QString> held;
    int behind = 0;
    const auto sent = [&](const OutboxEntry &entry, const QString &etag) {
        if (!subscriptions.ChangeSent(entry, etag))
            return false;
        etags.insert(entry.Href, etag);
        ++result.Sent;
        return true;
    };
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const OutboxEntry &entry = entries[i];
        const auto waiting = held.constFind(entry.Href);
        if (waiting != held.cend()) {
            if (!subscriptions.ChangeFailed(entry.Seq, QString::fromUtf8(SyncTexts::kWaitsForEarlier).arg(*waiting)))
                return false;
            ++result.Waiting;
            ++behind;
            continue;
        }
        // A deleted resource's events are gone from the store: the delete keeps its ETag.
        const auto known = etags.constFind(entry.Href);
        const HttpRequest request = RequestFor(subscription, entry, known != etags.cend() ? *known : entry.ETag);
        const HttpReply reply = session.Send(request);
        if (reply.Ok() || (entry.Delete && reply.Status == 404)) {
            QString etag = QString::fromLatin1(reply.Headers.value("etag"));
            if (etag.isEmpty() && !entry.Delete)
                etag = FetchETag(session, request.Address);
            if (!sent(entry, etag))
                return false;
            continue;
        }
        if (reply.Failed == HttpReply::Failure::None && reply.Status == 412) {
            QString etag;
            if (AlreadyThere(session, request.Address, entry, etag)) {
                if (!sent(entry, etag))
                    return false;
                continue;
            }
            // Changed on the server meanwhile: its version comes with this refresh. The
            // copy kept here and the change's leaving the queue are one step, so that a
            // kill between them never keeps it twice.
            basDatabase::Conflict conflict;
            conflict.SubscriptionId = subscription.Id;
            conflict.Href = entry.Href;
            conflict.Delete = entry.Delete;
            conflict.Body = entry.Body;
            QStringList originals;
            QStringList kept;
            const auto keep = [&] {
                if (!KeepAsOwn(store, entry, conflict, originals, kept))
                    return false;
                conflict.Message = ConflictText(subscription, entry, originals, kept);
                return basDatabase::ConflictStore(store).Add(conflict) && subscriptions.ChangeDropped(entry);
            };
            if (!store.RunInTransaction(keep))
                return false;
            etags.remove(entry.Href);
            ++result.Conflicts;
            result.Messages << conflict.Message;
            continue;
        }
        const QString why = reply.Failed != HttpReply::Failure::None
                                ? reply.Error
                                : QString::fromUtf8(SyncTexts::kChangeRefused)
                                      .arg(host)
                                      .arg(reply.Status)
                                      .arg(QString::fromLatin1(request.Method), entry.Href);
        if (StopsTheRun(reply)) {
            if (!subscriptions.ChangesFailed(subscription.Id, entry.Seq, why))
                return false;
            const int rest = int(entries.size() - i);
            result.Waiting += rest;
            for (qsizetype later = i; later < entries.size(); ++later)
                result.WaitingHrefs.insert(entries[later].Href);
            result.Messages << QString::fromUtf8(SyncTexts::kChangesWait).arg(result.Waiting).arg(why);
            return true;
        }
        if (!subscriptions.ChangeFailed(entry.Seq, why))
            return false;
        held.insert(entry.Href, why);
        result.WaitingHrefs.insert(entry.Href);
        ++result.Waiting;
        result.Messages << QString::fromUtf8(SyncTexts::kChangeWaits).arg(why);
    }
    if (behind > 0)
        result.Messages << QString::fromUtf8(SyncTexts::kLaterChangesWait).arg(behind);
    return true;
}

} // namespace basSync

} // namespace quillon
