#include "SubscriptionStore.h"

#include "StoreQuery.h"

#include "EventStore.h"

#include "basConnection.h"
#include "basOperation.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>
#include <QVariant>

#include <algorithm>

namespace quillon {

namespace basDatabase {

namespace {

using basOperation::Failure;
using basOperation::Steps;

using StoreQuery::Connection;
using StoreQuery::Run;

Subscription::Kind KindFromText(const QString &text)
{
    return text == QLatin1String("caldav") ? Subscription::Kind::CalDav : Subscription::Kind::ICalendar;
}

QString TimeText(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QDateTime TimeFromText(const QString &text)
{
    QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (time.isValid())
        time.setTimeZone(QTimeZone::utc());
    return time;
}

const QString kColumns = QStringLiteral(
    "SubscriptionId, Address, Kind, DisplayName, Color, RefreshMinutes, UserName, LastSuccess, LastError, ETag, "
    "LastModified, SyncToken, CertificateSha256, Writable, Hidden, EventColor");

Subscription FromRow(const QSqlQuery &query)
{
    Subscription s;
    s.Id = query.value(0).toLongLong();
    s.Address = query.value(1).toString();
    s.Type = KindFromText(query.value(2).toString());
    s.DisplayName = query.value(3).toString();
    s.Color = query.value(4).toString();
    s.RefreshMinutes = query.value(5).toInt();
    s.UserName = query.value(6).toString();
    s.LastSuccess = TimeFromText(query.value(7).toString());
    s.LastError = query.value(8).toString();
    s.ETag = query.value(9).toString();
    s.LastModified = query.value(10).toString();
    s.SyncToken = query.value(11).toString();
    s.CertificateSha256 = query.value(12).toString();
    s.Writable = query.value(13).toInt() != 0;
    s.Hidden = query.value(14).toInt() != 0;
    s.EventColor = query.value(15).toString();
    return s;
}

struct KnownEvent {
    qint64 EventId = 0;
    QString Fingerprint;
};

// The work of one refresh inside its transaction; a store operation that fails has
// reported itself and makes the whole refresh go.
struct Writer {
    EventStore &store;
    qint64 id;
    QHash<QString, KnownEvent> known;
    QSet<QDate> touched;
    RefreshCount &count;

    void Load()
    {
        QSqlQuery query = Run(store,
                              QStringLiteral("SELECT u.Uid, u.EventId, u.Fingerprint FROM EventUids u "
                                             "JOIN Events e ON e.EventID = u.EventId "
                                             "WHERE u.Source = ? AND e.SubscriptionId = ?"),
                              {SubscriptionStore::SourceOf(id), id});
        while (query.next())
            known.insert(query.value(0).toString(), KnownEvent{query.value(1).toLongLong(), query.value(2).toString()});
    }

    bool Put(const IncomingEvent &event)
    {
        const auto found = known.constFind(event.Key);
        if (found != known.cend() && found->Fingerprint == event.Fingerprint) {
            ++count.Unchanged;
            return true;
        }
        qint64 eventId = 0;
        if (found != known.cend()) {
            eventId = found->EventId;
            QList<QDate> previous;
            if (!store.UpdateEventInDatabase(eventId, event.Event, event.Dates, &previous))
                return false;
            for (const QDate &date : std::as_const(previous))
                touched.insert(date);
            ++count.Updated;
        } else {
            if (!store.AddEventToDatabase(event.Event, event.Dates, eventId))
                return false;
            Run(store, QStringLiteral("UPDATE Events SET SubscriptionId = ? WHERE EventID = ?"), {id, eventId});
            ++count.Added;
        }
        for (const QDate &date : event.Dates)
            touched.insert(date);
        if (!store.SetEventUid(SubscriptionStore::SourceOf(id), event.Key, eventId, event.Fingerprint))
            return false;
        if (!event.Component.isEmpty() && !store.SetSeries({SubscriptionStore::SourceOf(id), event.Key, event.Component, 0}))
            return false;
        known.insert(event.Key, KnownEvent{eventId, event.Fingerprint});
        return true;
    }

    bool Delete(qint64 eventId)
    {
        QList<QDate> dates;
        if (!store.DeleteEventFromDatabase(eventId, &dates))
            return false;
        for (const QDate &date : std::as_const(dates))
            touched.insert(date);
        ++count.Removed;
        return true;
    }

    // Every event of the subscription not in keep, with or without a key.
    bool DeleteAllBut(const QSet<qint64> &keep)
    {
        QList<qint64> doomed;
        {
            QSqlQuery query = Run(store, QStringLiteral("SELECT EventID FROM Events WHERE SubscriptionId = ?"), {id});
            while (query.next()) {
                const qint64 eventId = query.value(0).toLongLong();
                if (!keep.contains(eventId))
                    doomed.append(eventId);
            }
        }
        for (const qint64 eventId : std::as_const(doomed)) {
            if (!Delete(eventId))
                return false;
        }
        return true;
    }

    void Finish()
    {
        count.TouchedDates = QList<QDate>(touched.cbegin(), touched.cend());
        std::sort(count.TouchedDates.begin(), count.TouchedDates.end());
    }
};

bool Exists(const EventStore &store, qint64 id)
{
    QSqlQuery query = Run(store, QStringLiteral("SELECT 1 FROM Subscriptions WHERE SubscriptionId = ?"), {id});
    return query.next();
}

} // namespace

template <class Body>
bool SubscriptionStore::Operation(const char *name, bool inTransaction, Body &&body)
{
    m_gone = false;
    m_failure.clear();
    const auto recorded = [&](Steps &step) {
        try {
            return body(step);
        } catch (const Failure &failure) {
            m_failure = failure.description();
            throw;
        } catch (const std::exception &other) {
            m_failure = QString::fromLocal8Bit(other.what());
            throw;
        }
    };
    return inTransaction ? m_store.RunInTransaction([&] { return basOperation::Trap(name, false, recorded); })
                         : basOperation::Trap(name, false, recorded);
}

QString SubscriptionStore::LastFailure() const
{
    if (m_gone)
        return QStringLiteral("the subscription was removed meanwhile");
    if (!m_failure.isEmpty())
        return m_failure;
    const QString database = m_store.LastFailure();
    return database.isEmpty() ? QStringLiteral("the database gave no reason (error.log names the operation)") : database;
}

QString SubscriptionStore::SourceOf(qint64 subscriptionId)
{
    return QStringLiteral("subscription:%1").arg(subscriptionId);
}

qint64 SubscriptionStore::SubscriptionOfSource(const QString &source)
{
    const QString prefix = SourceOf(0).chopped(1);
    return source.startsWith(prefix) ? source.mid(prefix.size()).toLongLong() : 0;
}

QString SubscriptionStore::KindText(Subscription::Kind kind)
{
    return kind == Subscription::Kind::CalDav ? QStringLiteral("caldav") : QStringLiteral("ical");
}

bool SubscriptionStore::AddSubscription(Subscription &subscription)
{
    qint64 newId = 0;
    const bool done = Operation("basSubscriptions.AddSubscription", true, [&](Steps &step) {
        step(10);
        QSqlQuery same = Run(m_store,
                             QStringLiteral("SELECT SubscriptionId FROM Subscriptions WHERE Address = ? AND UserName = ?"),
                             {subscription.Address, subscription.UserName});
        if (same.next())
            throw Failure(basOperation::kDuplicateKey, QStringLiteral("%1 is already subscribed as ID %2")
                                                          .arg(subscription.Address)
                                                          .arg(same.value(0).toLongLong()));
        step(20);
        QSqlQuery insert = Run(m_store,
                               QStringLiteral("INSERT INTO Subscriptions (Address, Kind, DisplayName, Color, "
                                              "RefreshMinutes, UserName, LastSuccess, LastError, ETag, LastModified, "
                                              "SyncToken, CertificateSha256, Writable, Hidden, EventColor, ColorChosen) "
                                              "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,0)"),
                               {subscription.Address, KindText(subscription.Type), subscription.DisplayName,
                                subscription.Color, subscription.RefreshMinutes, subscription.UserName,
                                TimeText(subscription.LastSuccess), subscription.LastError, subscription.ETag,
                                subscription.LastModified, subscription.SyncToken, subscription.CertificateSha256,
                                subscription.Writable ? 1 : 0, subscription.Hidden ? 1 : 0, subscription.EventColor});
        step(30);
        newId = insert.lastInsertId().toLongLong();
        if (newId <= 0)
            throw Failure(basOperation::kDatabaseError, QStringLiteral("The new subscription has no id"));
        return true;
    });
    if (done)
        subscription.Id = newId;
    return done;
}

bool SubscriptionStore::GetSubscriptions(QList<Subscription> &subscriptions)
{
    subscriptions.clear();
    return Operation("basSubscriptions.GetSubscriptions", false, [&](Steps &step) {
        step(10);
        QSqlQuery query =
            Run(m_store, QStringLiteral("SELECT %1 FROM Subscriptions ORDER BY SubscriptionId").arg(kColumns));
        while (query.next())
            subscriptions.append(FromRow(query));
        return true;
    });
}

bool SubscriptionStore::GetSubscription(qint64 id, Subscription &subscription)
{
    subscription = Subscription{};
    return Operation("basSubscriptions.GetSubscription", false, [&](Steps &step) {
        step(10);
        QSqlQuery query =
            Run(m_store, QStringLiteral("SELECT %1 FROM Subscriptions WHERE SubscriptionId = ?").arg(kColumns), {id});
        if (!query.next())
            throw Failure(basOperation::kNoCurrentRecord, QStringLiteral("No subscription with the id %1").arg(id));
        subscription = FromRow(query);
        return true;
    });
}

bool SubscriptionStore::FindSubscription(qint64 id, std::optional<Subscription> &found)
{
    found.reset();
    return Operation("basSubscriptions.FindSubscription", false, [&](Steps &step) {
        step(10);
        QSqlQuery query =
            Run(m_store, QStringLiteral("SELECT %1 FROM Subscriptions WHERE SubscriptionId = ?").arg(kColumns), {id});
        if (query.next())
            found = FromRow(query);
        return true;
    });
}

bool SubscriptionStore::FindSubscriptionAt(const QString &address, const QString &userName,
                                           std::optional<Subscription> &found)
{
    found.reset();
    return Operation("basSubscriptions.FindSubscriptionAt", false, [&](Steps &step) {
        step(10);
        QSqlQuery query = Run(m_store,
                              QStringLiteral("SELECT %1 FROM Subscriptions WHERE Address = ? AND UserName = ? "
                                             "ORDER BY SubscriptionId")
                                  .arg(kColumns),
                              {address, userName});
        if (query.next())
            found = FromRow(query);
        return true;
    });
}

bool SubscriptionStore::UpdateSubscription(const Subscription &s)
{
    return Operation("basSubscriptions.UpdateSubscription", true, [&](Steps &step) {
        step(10);
        QSqlQuery update = Run(m_store,
                               QStringLiteral("UPDATE Subscriptions SET DisplayName = ?, RefreshMinutes = ?, "
                                              "UserName = ?, LastSuccess = ?, LastError = ?, ETag = ?, LastModified = ?, "
                                              "SyncToken = ?, CertificateSha256 = ?, Writable = ? WHERE SubscriptionId = ?"),
                               {s.DisplayName, s.RefreshMinutes, s.UserName, TimeText(s.LastSuccess),
                                s.LastError, s.ETag, s.LastModified, s.SyncToken, s.CertificateSha256,
                                s.Writable ? 1 : 0, s.Id});
        if (update.numRowsAffected() == 0) {
            m_gone = true;
            return false;
        }
        return true;
    });
}

bool SubscriptionStore::SetHidden(qint64 id, bool hidden)
{
    return Operation("basSubscriptions.SetHidden", false, [&](Steps &step) {
        step(10);
        QSqlQuery update = Run(m_store, QStringLiteral("UPDATE Subscriptions SET Hidden = ? WHERE SubscriptionId = ?"),
                               {hidden ? 1 : 0, id});
        m_gone = update.numRowsAffected() == 0;
        return !m_gone;
    });
}

bool SubscriptionStore::SetColor(qint64 id, const QString &color, const QString &eventColor, bool chosen)
{
    return Operation("basSubscriptions.SetColor", true, [&](Steps &step) {
        step(10);
        // Older versions gave a calendar's colour to its events themselves; they take it
        // back from the calendar from now on, so that they follow a change.
        Run(m_store,
            QStringLiteral("UPDATE Events SET EventColor = '' WHERE SubscriptionId = ? AND AllDayEvent = 0 AND "
                           "EventColor = ? AND (SELECT EventColor FROM Subscriptions WHERE SubscriptionId = ?) = ''"),
            {id, eventColor, id});
        step(20);
        QSqlQuery update = Run(
            m_store, QStringLiteral("UPDATE Subscriptions SET Color = ?, EventColor = ?, "
                                  "ColorChosen = CASE WHEN ? THEN 1 ELSE ColorChosen END WHERE SubscriptionId = ?"),
            {color, eventColor, chosen ? 1 : 0, id});
        m_gone = update.numRowsAffected() == 0;
        return !m_gone;
    });
}

bool SubscriptionStore::SetServerColor(qint64 id, const QString &color, const QString &eventColor, bool &changed)
{
    changed = false;
    return Operation("basSubscriptions.SetServerColor", true, [&](Steps &step) {
        step(10);
        // In one statement with the test of the user's choice: a colour chosen while a
        // refresh runs wins. One not known to be chosen (from before the store kept it)
        // is taken for chosen unless it is this colour already or none.
        QSqlQuery update = Run(m_store,
                               QStringLiteral("UPDATE Subscriptions SET Color = ?, EventColor = ?, ColorChosen = 0 "
                                              "WHERE SubscriptionId = ? AND (Color <> ? OR EventColor <> ?) AND "
                                              "(ColorChosen = 0 OR (ColorChosen IS NULL AND Color IN ('', ?)))"),
                               {color, eventColor, id, color, eventColor, color});
        changed = update.numRowsAffected() > 0;
        step(20);
        Run(m_store,
            QStringLiteral("UPDATE Subscriptions SET ColorChosen = (Color NOT IN ('', ?)) WHERE SubscriptionId = ? AND "
                           "ColorChosen IS NULL"),
            {color, id});
        return true;
    });
}

bool SubscriptionStore::RemoveSubscription(qint64 id, RefreshCount *count)
{
    RefreshCount result;
    const bool done = Operation("basSubscriptions.RemoveSubscription", true, [&](Steps &step) {
        step(10);
        if (!Exists(m_store, id)) {
            m_gone = true;
            return false;
        }
        step(20);
        Writer writer{m_store, id, {}, {}, result};
        if (!writer.DeleteAllBut({}))
            return false;
        step(30);
        Run(m_store, QStringLiteral("DELETE FROM Subscriptions WHERE SubscriptionId = ?"), {id});
        writer.Finish();
        return true;
    });
    if (done && count)
        *count = result;
    return done;
}

bool SubscriptionStore::GetKnownKeys(qint64 id, QHash<QString, QString> &fingerprints)
{
    fingerprints.clear();
    RefreshCount unused;
    return Operation("basSubscriptions.GetKnownKeys", false, [&](Steps &step) {
        step(10);
        Writer writer{m_store, id, {}, {}, unused};
        writer.Load();
        for (auto it = writer.known.cbegin(); it != writer.known.cend(); ++it)
            fingerprints.insert(it.key(), it->Fingerprint);
        return true;
    });
}

bool SubscriptionStore::GetDaysOf(qint64 id, QList<QDate> &days)
{
    days.clear();
    return Operation("basSubscriptions.GetDaysOf", false, [&](Steps &step) {
        step(10);
        QSqlQuery query = Run(m_store,
                              QStringLiteral("SELECT DISTINCT d.EventDate FROM EventDates d JOIN Events e "
                                             "ON e.EventID = d.EventId WHERE e.SubscriptionId = ? ORDER BY d.EventDate"),
                              {id});
        while (query.next()) {
            const QDate day = QDate::fromString(query.value(0).toString(), Qt::ISODate);
            if (day.isValid())
                days << day;
        }
        return true;
    });
}

bool SubscriptionStore::GetEventOfKey(qint64 id, const QString &key, qint64 &eventId)
{
    eventId = 0;
    return Operation("basSubscriptions.GetEventOfKey", false, [&](Steps &step) {
        step(10);
        QSqlQuery query = Run(m_store, QStringLiteral("SELECT EventId FROM EventUids WHERE Source = ? AND Uid = ?"),
                              {SourceOf(id), key});
        if (query.next())
            eventId = query.value(0).toLongLong();
        return true;
    });
}

bool SubscriptionStore::ReplaceEvents(qint64 id, QList<IncomingEvent> events, RefreshCount &count)
{
    count = RefreshCount{};
    RefreshCount result;
    const bool done = Operation("basSubscriptions.ReplaceEvents", true, [&](Steps &step) {
        step(10);
        if (!Exists(m_store, id)) {
            m_gone = true;
            return false;
        }
        Writer writer{m_store, id, {}, {}, result};
        writer.Load();
        step(20);
        QSet<qint64> keep;
        keep.reserve(events.size());
        for (IncomingEvent &event : events) {
            if (!writer.Put(event))
                return false;
            keep.insert(writer.known.value(event.Key).EventId);
            event = {};
        }
        step(30);
        if (!writer.DeleteAllBut(keep))
            return false;
        writer.Finish();
        return true;
    });
    if (done)
        count = result;
    return done;
}

bool SubscriptionStore::ApplyChanges(qint64 id, QList<IncomingEvent> changed, const QStringList &removed,
                                     RefreshCount &count)
{
    count = RefreshCount{};
    RefreshCount result;
    const bool done = Operation("basSubscriptions.ApplyChanges", true, [&](Steps &step) {
        step(10);
        if (!Exists(m_store, id)) {
            m_gone = true;
            return false;
        }
        Writer writer{m_store, id, {}, {}, result};
        writer.Load();
        step(20);
        for (const QString &key : removed) {
            const auto found = writer.known.constFind(key);
            if (found == writer.known.cend())
                continue;
            if (!writer.Delete(found->EventId))
                return false;
            writer.known.remove(key);
        }
        step(30);
        for (IncomingEvent &event : changed) {
            if (!writer.Put(event))
                return false;
            event = {};
        }
        writer.Finish();
        return true;
    });
    if (done)
        count = result;
    return done;
}

bool SubscriptionStore::GetEventSubscription(qint64 eventId, qint64 &subscriptionId)
{
    subscriptionId = 0;
    return Operation("basSubscriptions.GetEventSubscription", false, [&](Steps &step) {
        step(10);
        QSqlQuery query = Run(m_store, QStringLiteral("SELECT SubscriptionId FROM Events WHERE EventID = ?"), {eventId});
        if (!query.next())
            throw Failure(basOperation::kNoCurrentRecord, QStringLiteral("No event with the id %1").arg(eventId));
        subscriptionId = query.value(0).isNull() ? 0 : query.value(0).toLongLong();
        return true;
    });
}

bool SubscriptionStore::SetEventCalendar(qint64 eventId, qint64 id)
{
    return Operation("basSubscriptions.SetEventCalendar", false, [&](Steps &step) {
        step(10);
        Run(m_store, QStringLiteral("UPDATE Events SET SubscriptionId = ? WHERE EventID = ?"),
            {id == 0 ? QVariant(QMetaType(QMetaType::LongLong)) : QVariant(id), eventId});
        return true;
    });
}

bool SubscriptionStore::QueueChange(const OutboxEntry &entry)
{
    return Operation("basSubscriptions.QueueChange", false, [&](Steps &step) {
        step(10);
        // A delete has no body: the column keeps its ETag.
        if (entry.Delete)
            Run(m_store,
                QStringLiteral("INSERT INTO Outbox (SubscriptionId, Href, Method, Body) VALUES (?, ?, 'DELETE', "
                               "COALESCE((SELECT Fingerprint FROM EventUids WHERE Source = ? AND Uid = ?), ''))"),
                {entry.SubscriptionId, entry.Href, SourceOf(entry.SubscriptionId), entry.Href});
        else
            Run(m_store, QStringLiteral("INSERT INTO Outbox (SubscriptionId, Href, Method, Body) VALUES (?, ?, 'PUT', ?)"),
                {entry.SubscriptionId, entry.Href, QString::fromUtf8(entry.Body)});
        return true;
    });
}

bool SubscriptionStore::GetOutbox(qint64 id, QList<OutboxEntry> &entries)
{
    entries.clear();
    return Operation("basSubscriptions.GetOutbox", false, [&](Steps &step) {
        step(10);
        QSqlQuery query = Run(m_store,
                              QStringLiteral("SELECT Seq, SubscriptionId, Href, Method, Body, LastError FROM Outbox "
                                             "WHERE ? = 0 OR SubscriptionId = ? ORDER BY Seq"),
                              {id, id});
        while (query.next()) {
            const bool remove = query.value(3).toString() == QLatin1String("DELETE");
            entries.append(OutboxEntry{query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(2).toString(),
                                       remove, remove ? QByteArray() : query.value(4).toString().toUtf8(),
                                       query.value(5).toString(), remove ? query.value(4).toString() : QString()});
        }
        return true;
    });
}

bool SubscriptionStore::SetResourceETag(qint64 id, const QString &href, const QString &etag)
{
    return Operation("basSubscriptions.SetResourceETag", false, [&](Steps &step) {
        step(10);
        Run(m_store, QStringLiteral("UPDATE EventUids SET Fingerprint = ? WHERE Source = ? AND Uid = ?"),
            {etag, SourceOf(id), href});
        return true;
    });
}

bool SubscriptionStore::ChangeSent(const OutboxEntry &entry, const QString &etag)
{
    return Operation("basSubscriptions.ChangeSent", true, [&](Steps &step) {
        step(10);
        Run(m_store, QStringLiteral("DELETE FROM Outbox WHERE Seq = ?"), {entry.Seq});
        step(20);
        Run(m_store, QStringLiteral("UPDATE EventUids SET Fingerprint = ? WHERE Source = ? AND Uid = ?"),
            {etag, SourceOf(entry.SubscriptionId), entry.Href});
        Run(m_store, QStringLiteral("UPDATE Outbox SET Body = ? WHERE SubscriptionId = ? AND Href = ? AND Method = 'DELETE'"),
            {etag, entry.SubscriptionId, entry.Href});
        return true;
    });
}

bool SubscriptionStore::ChangeFailed(qint64 seq, const QString &error)
{
    return Operation("basSubscriptions.ChangeFailed", false, [&](Steps &step) {
        step(10);
        Run(m_store, QStringLiteral("UPDATE Outbox SET LastError = ? WHERE Seq = ?"), {error, seq});
        return true;
    });
}

bool SubscriptionStore::ChangesFailed(qint64 id, qint64 fromSeq, const QString &error)
{
    return Operation("basSubscriptions.ChangesFailed", false, [&](Steps &step) {
        step(10);
        Run(m_store, QStringLiteral("UPDATE Outbox SET LastError = ? WHERE SubscriptionId = ? AND Seq >= ?"),
            {error, id, fromSeq});
        return true;
    });
}

bool SubscriptionStore::ChangeDropped(const OutboxEntry &entry)
{
    return ChangeSent(entry, QString());
}

} // namespace basDatabase

} // namespace quillon
