// One refresh of a subscription as a state machine over a transport: each state is one
// step, a function that does its one thing and names the state after it. A CalDAV
// calendar sends what waits in its outbox, asks the calendar's colour, asks what changed
// since the last sync, fetches the data the answer left out and stores it; a plain
// iCalendar address is one conditional GET, then stored. Whatever fails goes to Failed with the reason in the result's Message, and no
// event changes. Run on the thread the transport's requests may wait on.
#pragma once

#include "CalDav.h"
#include "Outbox.h"
#include "SubscriptionStore.h"
#include "Transport.h"
#include "basSync.h"

#include <QHash>

namespace quillon {

namespace basDatabase {
class EventStore;
}

namespace basSync {

class RefreshMachine {
public:
    enum class State { SendOutbox, AskCalendar, AskChanges, FetchItems, StoreChanges, GetFeed, StoreFeed, Done, Failed };

    // subscription is the row as read; the refresh leaves its new state in it (token,
    // validators) for the caller to write.
    RefreshMachine(basDatabase::EventStore &store, basDatabase::SubscriptionStore &subscriptions,
                   basDatabase::Subscription &subscription, Transport &session, const RefreshOptions &options,
                   RefreshResult &result);

    // From the first state to Done (true) or Failed.
    bool Run();

private:
    State SendOutbox();
    State AskCalendar();
    State AskChanges();
    State FetchItems();
    State StoreChanges();
    State GetFeed();
    State StoreFeed();
    // The store refused (it has said why) or the subscription is gone.
    State StoreFailed();
    // What the store has of the calendar (key -> ETag), read once and only when needed.
    bool LoadKnown();
    // The server's colour, unless the user chose one here.
    bool StoreColor();

    basDatabase::EventStore &m_store;
    basDatabase::SubscriptionStore &m_subscriptions;
    basDatabase::Subscription &m_subscription;
    Transport &m_session;
    const RefreshOptions &m_options;
    RefreshResult &m_result;

    OutboxResult m_sent;
    QString m_color; // the server's, empty when it has none
    CalDav::Changes m_changes;
    QHash<QString, QString> m_known;
    bool m_knownLoaded = false;
    bool m_knownReadable = true;
    HttpReply m_feed;
};

// "The subscription ID was removed meanwhile; nothing was stored"
QString RemovedMeanwhileText(qint64 id);

} // namespace basSync

} // namespace quillon
