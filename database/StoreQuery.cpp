#include "StoreQuery.h"

#include "EventStore.h"
#include "basConnection.h"
#include "basOperation.h"

namespace quillon {

namespace basDatabase {

namespace StoreQuery {

QSqlDatabase Connection(const EventStore &store)
{
    QSqlDatabase db = QSqlDatabase::database(store.ConnectionName(), false);
    if (!db.isValid() || !db.isOpen())
        throw basOperation::Failure(basOperation::kDatabaseError, QStringLiteral("The database connection is not open"));
    return db;
}

QSqlQuery Run(const EventStore &store, const QString &sql, const QList<QVariant> &values)
{
    QSqlQuery query(Connection(store));
    query.setForwardOnly(true);
    basConnection::Prepare(query, sql);
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QVariant &value = values[i];
        const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
        query.bindValue(int(i), nullText ? QVariant(QStringLiteral("")) : value);
    }
    basConnection::Exec(query);
    return query;
}

QString ShownColor(const QString &event, const QString &calendar)
{
    return QStringLiteral("CASE WHEN COALESCE(%1.EventColor, '') = '' AND %1.AllDayEvent = 0 "
                          "THEN COALESCE(%2.EventColor, '') ELSE %1.EventColor END")
        .arg(event, calendar);
}

QString CalendarShown(const QString &calendar)
{
    return QStringLiteral("(%1.Hidden IS NULL OR %1.Hidden = 0)").arg(calendar);
}

} // namespace StoreQuery

} // namespace basDatabase

} // namespace quillon
