#include "Conflicts.h"

#include "EventSeries.h"
#include "EventService.h"
#include "basErrorHandler.h"
#include "basOperation.h"
#include "basSync.h"
#include "EventStore.h"
#include "IncomingEvents.h"
#include "SubscriptionStore.h"

namespace quillon {

namespace basSync {

namespace {

bool DropCopies(basDatabase::EventStore &store, const basDatabase::Conflict &conflict)
{
    EventService events(store);
    for (const qint64 copy : conflict.Copies) {
        const std::optional<bool> there = events.Exists(copy);
        if (!there)
            return false;
        // The user may have deleted it meanwhile.
        if (*there && !events.Delete(copy))
            return false;
    }
    return true;
}

bool SendAgain(basDatabase::EventStore &store, const basDatabase::Conflict &conflict)
{
    basDatabase::SubscriptionStore subscriptions(store);
    if (!conflict.Delete) {
        // Shown here at once, over the server's version (whose ETag the change goes
        // against), as any change made here is.
        QHash<QString, QString> known;
        if (!subscriptions.GetKnownKeys(conflict.SubscriptionId, known))
            return false;
        QList<basDatabase::IncomingEvent> mine;
        QStringList warnings;
        try {
            // Without a fingerprint, so that the store takes them in place of the server's.
            mine = IncomingEvents::OfResource({conflict.Href, QString(), conflict.Body}, QDate(), warnings);
        } catch (const basOperation::Failure &failure) {
            basErrorHandler::ReportError(QStringLiteral("basSync.SettleConflict"),
                                         {failure.number(), failure.description(), 10}, true, QString());
            return false;
        }
        QStringList gone; // the server's changed occurrences that the change does not have
        const QString prefix = conflict.Href + EventSeries::kResourceSeparator;
        for (auto it = known.cbegin(); it != known.cend(); ++it)
            if (it.key().startsWith(prefix)
                && std::none_of(mine.cbegin(), mine.cend(), [&](const auto &event) { return event.Key == it.key(); }))
                gone << it.key();
        basDatabase::RefreshCount count;
        basDatabase::OutboxEntry entry;
        entry.SubscriptionId = conflict.SubscriptionId;
        entry.Href = conflict.Href;
        entry.Body = conflict.Body;
        return subscriptions.ApplyChanges(conflict.SubscriptionId, std::move(mine), gone, count)
               && subscriptions.SetResourceETag(conflict.SubscriptionId, conflict.Href, known.value(conflict.Href))
               && subscriptions.QueueChange(entry) && DropCopies(store, conflict);
    }
    // Deleted here: the server's version, which came back with the refresh, goes (and
    // with it the delete, under the ETag it has now).
    qint64 eventId = 0;
    if (!subscriptions.GetEventOfKey(conflict.SubscriptionId, conflict.Href, eventId))
        return false;
    return eventId == 0 || EventService(store).DeleteSeries(eventId).has_value();
}

} // namespace

bool SettleConflict(basDatabase::EventStore &store, const basDatabase::Conflict &conflict, Settle how)
{
    return store.RunInTransaction([&] {
        // Its row goes first: none there means it was settled already (in another window).
        bool removed = false;
        if (!basDatabase::ConflictStore(store).Remove(conflict.Id, &removed) || !removed)
            return false;
        switch (how) {
        case Settle::SendMine:
            return SendAgain(store, conflict);
        case Settle::KeepBoth:
            return true;
        case Settle::DropMine:
            return DropCopies(store, conflict);
        }
        return false;
    });
}

} // namespace basSync

} // namespace quillon
