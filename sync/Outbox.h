// The changes made here to writable calendars, sent to their server in the order made,
// as the protocol means them: a new resource with If-None-Match: *, a change or a delete
// with If-Match of the ETag last seen. A change the server refuses (an error answer, a
// connection that broke) waits with the reason, and so do the later changes of the same
// resource; those of other resources still go. A server that cannot be reached at all
// (or refuses the password or certificate) keeps the whole queue waiting. One that had
// changed the resource meanwhile (412) wins, and the change made here is kept beside its
// version as an event of this computer named "... (my change, not sent)"; but a 412 to a
// change the server already has as sent (its answer lost to a kill) counts as sent.
#pragma once

#include "Transport.h"
#include "SubscriptionStore.h"

#include <QSet>
#include <QString>

namespace quillon {

namespace basDatabase {
class EventStore;
}

namespace basSync {

struct OutboxResult {
    int Sent = 0;
    int Waiting = 0;  // still queued: not taken, or behind one of the same resource that was not
    int Conflicts = 0;
    QSet<QString> WaitingHrefs; // their resources: what the server has of them must not replace them
    QStringList Messages;       // one a line, for the user
};

// Sends the subscription's queued changes over session. False only when the store
// could not be read or written (it has said why).
bool SendOutbox(basDatabase::EventStore &store, const basDatabase::Subscription &subscription, Transport &session,
                OutboxResult &result);

} // namespace basSync

} // namespace quillon
