#include "basSeed.h"

#include "basChurchYear.h"
#include "basConnection.h"
#include "basOperation.h"
#include "basSchema.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace quillon {

namespace basSeed {

using basConnection::Exec;
using basConnection::Prepare;

void FillShippedData(const QSqlDatabase &db, const QList<basFactsFile::Fact> &facts)
{
    QSqlQuery day(db);
    Prepare(day, QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                                "VALUES (?, ?, 0, '', ?)"));
    for (int year = kFirstShippedYear; year <= kLastShippedYear; ++year) {
        const QList<basChurchYear::ChurchDay> days = basChurchYear::ChurchYear(year);
        QDate date(year, 1, 1);
        for (const basChurchYear::ChurchDay &church : days) {
            day.bindValue(0, date.toString(Qt::ISODate));
            day.bindValue(1, church.color);
            day.bindValue(2, church.text);
            Exec(day);
            date = date.addDays(1);
        }
    }
    QSqlQuery fact(db);
    Prepare(fact, QStringLiteral("INSERT INTO FactOfTheDay (MonthDay, FactOfTheDay) VALUES (?, ?)"));
    for (const basFactsFile::Fact &entry : facts) {
        fact.bindValue(0, entry.monthDay);
        fact.bindValue(1, entry.text);
        Exec(fact);
    }
}

bool CreateShippedDatabaseFile(const QString &path, const QString &factsFile, QString &error)
{
    // The facts are read before anything is made: a bad facts file makes no store.
    QList<basFactsFile::Fact> facts;
    if (!basFactsFile::LoadFactsFile(factsFile, facts, error))
        return false;
    return basSchema::CreateDatabaseFile(
        path, [&](const QSqlDatabase &db) { FillShippedData(db, facts); }, error);
}

} // namespace basSeed

} // namespace quillon
