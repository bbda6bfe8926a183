// A statement over an open store's connection, for the stores that live beside the event
// store (subscriptions, the search index): prepared, bound, run, failing as the store's
// own operations fail (basOperation::Failure, for the caller's trap).
#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace quillon {

namespace basDatabase {

class EventStore;

namespace StoreQuery {

// The store's open connection; a closed store fails.
QSqlDatabase Connection(const EventStore &store);
// Runs sql with the values bound in order, forward only. The text columns are NOT NULL:
// a null QString is bound as empty text.
QSqlQuery Run(const EventStore &store, const QString &sql, const QList<QVariant> &values = {});

} // namespace StoreQuery

} // namespace basDatabase

} // namespace quillon
