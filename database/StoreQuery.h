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

// The rules of a calendar's events as every view reads them, for a query whose Events row
// is event and whose Subscriptions row (a LEFT JOIN on the event's) is calendar: the
// colour an event is drawn in (its own, else, when timed, its calendar's), and whether
// its calendar is shown.
QString ShownColor(const QString &event, const QString &calendar);
QString CalendarShown(const QString &calendar);

} // namespace StoreQuery

} // namespace basDatabase

} // namespace quillon
