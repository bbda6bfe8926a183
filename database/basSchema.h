// The store's tables: the statements that make them, what an existing file lacks, and
// making a new file. The programs never create tables; quillon-db and the tests do.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

namespace basSchema {

// The statements that make the empty tables and their indexes.
QStringList SchemaStatements();
// What is missing from the tables of an open connection; empty when all is there.
// Only the tables every store file has had from the start count here.
QStringList SchemaProblems(const QSqlDatabase &db);

// Brings a store file made by an earlier version up to date in place: the tables added
// since (EventUids) are created, nothing else is touched. Throws basOperation::Failure
// when a table of that name is there but lacks a column.
void UpgradeSchema(const QSqlDatabase &db);

// Fills a new file's tables inside its one transaction; throws basOperation::Failure.
using Filler = std::function<void(const QSqlDatabase &db)>;

// Makes a new store at path inside one transaction, in a temporary file renamed into
// place (a stale -wal/-shm beside path goes first); fill (when given) adds the rows it
// ships with. False with the reason in error, and nothing at path changed.
bool CreateDatabaseFile(const QString &path, QString &error);
bool CreateDatabaseFile(const QString &path, const Filler &fill, QString &error);

} // namespace basSchema
