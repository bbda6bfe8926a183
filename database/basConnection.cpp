#include "basConnection.h"

#include "basOperation.h"
#include "basSchema.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace basConnection {

QString ErrorText(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("Unknown database error") : text;
}

void ConfigureConnection(QSqlDatabase &db, const QString &path, int busyTimeoutMs)
{
    // A URI with mode=rw makes SQLite refuse to create a missing file, closing the gap
    // between our existence check and the open.
    QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    uri.setQuery(QStringLiteral("mode=rw"));
    db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
}

void ThrowError(const QSqlError &error)
{
    throw basOperation::Failure(basOperation::kDatabaseError, ErrorText(error));
}

void ExecuteStatement(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        ThrowError(query.lastError());
}

namespace {
QString PragmaValue(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        ThrowError(query.lastError());
    return query.next() ? query.value(0).toString() : QString();
}
} // namespace

void OpenAndVerify(QSqlDatabase &db, const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw basOperation::Failure(basOperation::kFileNotFound,
                                    QStringLiteral("Database file not found: %1").arg(path));
    if (!db.open())
        ThrowError(db.lastError());
    // Reading the table list is the first read of the file: a file that is not a
    // database fails here, an empty one shows no tables.
    const QStringList problems = basSchema::SchemaProblems(db);
    if (!problems.isEmpty())
        throw basOperation::Failure(basOperation::kDatabaseError,
                                    QStringLiteral("%1 is not a Quillon database: %2")
                                        .arg(path, problems.join(QStringLiteral("; "))));
    ExecuteStatement(db, QStringLiteral("PRAGMA foreign_keys=ON"));
    const QString mode = PragmaValue(db, QStringLiteral("PRAGMA journal_mode=WAL"));
    if (mode.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        throw basOperation::Failure(basOperation::kDatabaseError,
                                    QStringLiteral("Cannot switch %1 to WAL (journal mode %2)").arg(path, mode));
    // A committed event must survive a power cut, not only a crash of the program.
    ExecuteStatement(db, QStringLiteral("PRAGMA synchronous=FULL"));
    // A file made by an earlier version gains the tables added since.
    basSchema::UpgradeSchema(db);
}

} // namespace basConnection
