// Subscribed calendars in the store: the Subscriptions rows and the events each one
// brought. It works on an open EventStore's connection and writes events through the
// store's own operations, so that the days' counts stay right. A subscription's events
// carry its id in Events.SubscriptionId and its keys (a feed's UID, a CalDAV resource's
// path) in EventUids under a source of its own, SourceOf(id); the user's own events are
// never read or written here. Each operation returns true when done; on failure it
// reports once (under "basSubscriptions.<operation>") and returns false. A subscription
// removed meanwhile (an unsubscribe while a refresh runs) is no fault: the operations
// that change one return false without a report, and Gone() says so.
#pragma once

#include "EventRecords.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace quillon {

namespace basDatabase {

class EventStore;


struct Subscription {
    enum class Kind { ICalendar, CalDav };

    qint64 Id = 0; // 0 until added
    QString Address; // never with a password in it
    Kind Type = Kind::ICalendar;
    QString DisplayName;
    QString Color; // "#rrggbb" or empty
    int RefreshMinutes = 60;
    QString UserName;
    QDateTime LastSuccess; // UTC; invalid when never
    QString LastError;     // after a success its warnings (events skipped, named), else empty
    // What the server said last, for the next conditional request or sync.
    QString ETag;
    QString LastModified;
    QString SyncToken;
    // A certificate the user trusted although it did not verify, as SHA-256 hex.
    QString CertificateSha256;
    // The server lets the user change the calendar's events (a CalDAV calendar with the
    // write privilege): they are edited here and the changes sent back.
    bool Writable = false;
    // Kept out of the views and the wallpaper (still refreshed).
    bool Hidden = false;
    // The event colour nearest Color, which its events without a colour of their own
    // are drawn in; set with Color by whoever knows the event colours.
    QString EventColor;

    bool operator==(const Subscription &) const = default;
};

// One event as the server has it: Key is what the server knows it by (a UID, a resource
// path), Fingerprint what tells one version from the next (content hash, ETag).
struct IncomingEvent {
    QString Key;
    QString Fingerprint;
    EventRecord Event;
    QList<QDate> Dates;
    // The resource's iCalendar text, kept with its first event (a CalDAV calendar's, whose
    // changes go back to the server whole).
    QByteArray Component;
};

// A change made here to a writable calendar's resource, waiting to be sent: a PUT of the
// resource's text or a DELETE, in the order made.
struct OutboxEntry {
    qint64 Seq = 0;
    qint64 SubscriptionId = 0;
    QString Href;
    bool Delete = false;
    QByteArray Body;
    QString LastError; // why the last try failed; empty before one
    // Of a delete: the ETag the resource had when it was deleted here, so that a change
    // made on the server meanwhile is not deleted unseen.
    QString ETag;
};

struct RefreshCount {
    int Added = 0;
    int Updated = 0;
    int Removed = 0;
    int Unchanged = 0;
    // Days that gained or lost an event, each once.
    QList<QDate> TouchedDates;
};

class SubscriptionStore {
public:
    explicit SubscriptionStore(EventStore &store) : m_store(store) {}

    // The EventUids source of a subscription's events, and the subscription of a source
    // (0 for any other).
    static QString SourceOf(qint64 subscriptionId);
    static qint64 SubscriptionOfSource(const QString &source);
    static QString KindText(Subscription::Kind kind);

    // Adds the row; subscription.Id gets the new id. The same address for the same user
    // name twice is refused (its events would come twice): see FindSubscriptionAt.
    bool AddSubscription(Subscription &subscription);
    bool GetSubscriptions(QList<Subscription> &subscriptions);
    // False with a report when there is no such subscription.
    bool GetSubscription(qint64 id, Subscription &subscription);
    // found empty when there is no such subscription (no report); false only when the
    // store could not be read.
    bool FindSubscription(qint64 id, std::optional<Subscription> &found);
    // The subscription of address for userName, if any (as FindSubscription).
    bool FindSubscriptionAt(const QString &address, const QString &userName, std::optional<Subscription> &found);
    // Everything but the id, the address and the user's choices (colour, hidden): the
    // state a refresh leaves, which a choice made meanwhile must survive.
    bool UpdateSubscription(const Subscription &subscription);
    // What the user chooses in the Calendars window, apart from a refresh's state.
    bool SetHidden(qint64 id, bool hidden);
    // chosen: the user's choice, which the server's colour no longer replaces.
    bool SetColor(qint64 id, const QString &color, const QString &eventColor, bool chosen = true);
    // The colour the server gives the calendar, unless the user chose one here (SetColor);
    // changed says whether the calendar now has it where it had another.
    bool SetServerColor(qint64 id, const QString &color, const QString &eventColor, bool &changed);
    // The subscription and all its events, in one transaction.
    bool RemoveSubscription(qint64 id, RefreshCount *count = nullptr);

    // Key -> fingerprint of the events the subscription has now.
    bool GetKnownKeys(qint64 id, QHash<QString, QString> &fingerprints);
    // Makes the subscription's events exactly these, in one transaction: new keys added,
    // changed fingerprints rewritten, missing keys removed, the rest left alone. Each
    // event is let go once it is stored (a list handed over with std::move is not
    // copied), so that a large feed's events and the store's work do not add up.
    bool ReplaceEvents(qint64 id, QList<IncomingEvent> events, RefreshCount &count);
    // For a sync that only hears of changes: these added or rewritten, the keys in
    // removed deleted (unknown ones ignored), the rest left alone; one transaction.
    bool ApplyChanges(qint64 id, QList<IncomingEvent> changed, const QStringList &removed, RefreshCount &count);
    // The event the subscription has for key (a resource's path: its first event); 0 when none.
    bool GetEventOfKey(qint64 id, const QString &key, qint64 &eventId);
    // Each day the subscription has an event on, once, in order.
    bool GetDaysOf(qint64 id, QList<QDate> &days);
    // The subscription an event came from, 0 for the user's own.
    bool GetEventSubscription(qint64 eventId, qint64 &subscriptionId);

    // Makes the event one of the subscription's (0: the user's own).
    bool SetEventCalendar(qint64 eventId, qint64 id);
    // Queues a change of the resource at href (in the caller's transaction, if any). A
    // delete is queued while the resource's events are still here: it takes their ETag.
    bool QueueChange(const OutboxEntry &entry);
    // The changes waiting for the subscription's server (all subscriptions' for 0), in order.
    bool GetOutbox(qint64 id, QList<OutboxEntry> &entries);
    // The server took the change: it leaves the outbox, and the resource's events carry
    // the ETag it answered (empty: none, so that the next refresh reads it again), and
    // so does a delete of the resource queued after it.
    bool ChangeSent(const OutboxEntry &entry, const QString &etag);
    // The resource's first event carries etag as what the server has of it.
    bool SetResourceETag(qint64 id, const QString &href, const QString &etag);
    // The change stays queued with the reason it was not taken.
    bool ChangeFailed(qint64 seq, const QString &error);
    // The subscription's change fromSeq and all queued after it stay so, with one reason
    // (the server could not be reached), in one statement.
    bool ChangesFailed(qint64 id, qint64 fromSeq, const QString &error);
    // The change is given up (the server had changed the resource meanwhile): it leaves
    // the outbox, and the resource's events are read again at the next refresh.
    bool ChangeDropped(const OutboxEntry &entry);

    // After an operation returned false: the subscription was not there (removed
    // meanwhile), reported to nobody.
    bool Gone() const { return m_gone; }
    // After an operation returned false: why, never empty (what it raised, else the
    // database's reason).
    QString LastFailure() const;

private:
    // Runs body, one transaction when inTransaction, reporting a failure under name and
    // keeping its reason for LastFailure.
    template <class Body>
    bool Operation(const char *name, bool inTransaction, Body &&body);

    EventStore &m_store;
    bool m_gone = false;
    QString m_failure;
};

} // namespace basDatabase

} // namespace quillon
