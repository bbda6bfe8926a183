// Changes made here that lost to the server's (both sides changed the same event while
// apart), kept until the user settles them: the change itself (the text it would have
// put, or a delete), what was said about it, the copies it left on this computer, and
// whether the launcher has told the user yet. Each operation returns true when done; on
// failure it reports once (under "basConflicts.<operation>") and returns false.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace quillon {

namespace basDatabase {

class EventStore;

struct Conflict {
    qint64 Id = 0; // 0 until added
    qint64 SubscriptionId = 0;
    QString Href;        // the resource both changed
    bool Delete = false; // deleted here, changed there
    QByteArray Body;     // the text the change would have put
    QString Message;     // for the user
    bool Told = false;
    QList<qint64> Copies; // the change kept as events of this computer

    bool operator==(const Conflict &) const = default;
};

class ConflictStore {
public:
    explicit ConflictStore(EventStore &store) : m_store(store) {}

    // In the caller's transaction, if any; conflict.Id gets the new id.
    bool Add(Conflict &conflict);
    // Every calendar's (0) or one's, oldest first.
    bool Get(qint64 subscriptionId, QList<Conflict> &conflicts);
    bool MarkTold(const QList<qint64> &ids);
    // Settled: the row goes (its copies stay, unless the caller deleted them); removed
    // says whether it was there.
    bool Remove(qint64 id, bool *removed = nullptr);

private:
    EventStore &m_store;
};

} // namespace basDatabase

} // namespace quillon
