// How the user settles a change that lost to the server's (see Outbox.h): send it
// anyway (it replaces the server's version, or deletes the event there), keep both (the
// copy stays an event of this computer), or drop it (the copy goes). Sending queues the
// change for the next refresh, against the version the server has now, so that a third
// change made there meanwhile is again not overwritten unseen.
#pragma once

#include "ConflictStore.h"

#include <QString>

namespace quillon {

namespace basDatabase {
class EventStore;
}

namespace basSync {

enum class Settle { SendMine, KeepBoth, DropMine };

// One transaction; false when the store refused (it has said why) or the conflict is
// settled already.
bool SettleConflict(basDatabase::EventStore &store, const basDatabase::Conflict &conflict, Settle how);

} // namespace basSync

} // namespace quillon
