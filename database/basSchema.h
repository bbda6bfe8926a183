// The store's tables: the statements that make them, what an existing file lacks, and
// making a new file. The programs never create tables; quillon-db and the tests do.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

namespace quillon {

namespace basSchema {

// The statements that make the empty tables and their indexes: the newest schema
// version (basMigrations brings older files to the same).
QStringList SchemaStatements();
// The search's trigram index (FTS5), where this SQLite has the module; without it the
// file simply has none.
void AddTrigramIndexWherePossible(const QSqlDatabase &db);
// What is missing from the tables of an open connection; empty when all is there.
// Only the tables every store file has had from the start count here: this tells our
// file, of any version, from another program's.
QStringList SchemaProblems(const QSqlDatabase &db);
// The same for every table of the newest version: what an upgraded file must have.
QStringList CurrentSchemaProblems(const QSqlDatabase &db);

// Fills a new file's tables inside its one transaction; throws basOperation::Failure.
using Filler = std::function<void(const QSqlDatabase &db)>;

// Makes a new store of the newest version at path inside one transaction, in a temporary file renamed into
// place (a stale -wal/-shm beside path goes first); fill (when given) adds the rows it
// ships with. False with the reason in error, and nothing at path changed.
bool CreateDatabaseFile(const QString &path, QString &error);
bool CreateDatabaseFile(const QString &path, const Filler &fill, QString &error);

} // namespace basSchema

} // namespace quillon
