#include "ConflictStore.h"

#include "StoreQuery.h"
#include "basOperation.h"

#include <QSqlQuery>
#include <QVariant>

namespace quillon {

namespace basDatabase {

using basOperation::Steps;
using StoreQuery::Run;

bool ConflictStore::Add(Conflict &conflict)
{
    qint64 id = 0;
    const bool done = basOperation::Trap("basConflicts.Add", false, [&](Steps &step) {
        step(10);
        QSqlQuery insert = Run(m_store,
                               QStringLiteral("INSERT INTO Conflicts (SubscriptionId, Href, Method, Body, Message, Told) "
                                              "VALUES (?, ?, ?, ?, ?, ?)"),
                               {conflict.SubscriptionId, conflict.Href,
                                conflict.Delete ? QStringLiteral("DELETE") : QStringLiteral("PUT"),
                                QString::fromUtf8(conflict.Body), conflict.Message, conflict.Told ? 1 : 0});
        id = insert.lastInsertId().toLongLong();
        step(20);
        for (const qint64 copy : std::as_const(conflict.Copies))
            Run(m_store, QStringLiteral("INSERT INTO ConflictCopies (ConflictId, EventId) VALUES (?, ?)"), {id, copy});
        return true;
    });
    if (done)
        conflict.Id = id;
    return done;
}

bool ConflictStore::Get(qint64 subscriptionId, QList<Conflict> &conflicts)
{
    conflicts.clear();
    QList<Conflict> found;
    const bool done = basOperation::Trap("basConflicts.Get", false, [&](Steps &step) {
        step(10);
        QSqlQuery query = Run(m_store,
                              QStringLiteral("SELECT ConflictId, SubscriptionId, Href, Method, Body, Message, Told "
                                             "FROM Conflicts WHERE ? = 0 OR SubscriptionId = ? ORDER BY ConflictId"),
                              {subscriptionId, subscriptionId});
        while (query.next()) {
            Conflict conflict;
            conflict.Id = query.value(0).toLongLong();
            conflict.SubscriptionId = query.value(1).toLongLong();
            conflict.Href = query.value(2).toString();
            conflict.Delete = query.value(3).toString() == QLatin1String("DELETE");
            conflict.Body = query.value(4).toString().toUtf8();
            conflict.Message = query.value(5).toString();
            conflict.Told = query.value(6).toInt() != 0;
            found << conflict;
        }
        step(20);
        for (Conflict &conflict : found) {
            QSqlQuery copies = Run(
                m_store, QStringLiteral("SELECT EventId FROM ConflictCopies WHERE ConflictId = ? ORDER BY EventId"),
                {conflict.Id});
            while (copies.next())
                conflict.Copies << copies.value(0).toLongLong();
        }
        return true;
    });
    if (done)
        conflicts = std::move(found);
    return done;
}

bool ConflictStore::MarkTold(const QList<qint64> &ids)
{
    return basOperation::Trap("basConflicts.MarkTold", false, [&](Steps &step) {
        step(10);
        for (const qint64 id : ids)
            Run(m_store, QStringLiteral("UPDATE Conflicts SET Told = 1 WHERE ConflictId = ?"), {id});
        return true;
    });
}

bool ConflictStore::Remove(qint64 id, bool *removed)
{
    return basOperation::Trap("basConflicts.Remove", false, [&](Steps &step) {
        step(10);
        const QSqlQuery gone = Run(m_store, QStringLiteral("DELETE FROM Conflicts WHERE ConflictId = ?"), {id});
        if (removed)
            *removed = gone.numRowsAffected() > 0;
        return true;
    });
}

} // namespace basDatabase

} // namespace quillon
