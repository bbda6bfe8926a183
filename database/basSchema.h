// The store's tables: making a new file, and checking (and mending) an existing one.
// The programs never create tables; quillon-db and the tests do, through here.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace basSchema {

// The years whose days ship with their church-year colour and name.
inline constexpr int kFirstShippedYear = 1900;
inline constexpr int kLastShippedYear = 2100;

// The statements that make the empty tables and their indexes.
QStringList SchemaStatements();
// What is missing from the tables of an open connection; empty when all is there.
// Only the tables every store file has had from the start count here.
QStringList SchemaProblems(const QSqlDatabase &db);

// Brings a store file made by an earlier version up to date in place: the tables added
// since (EventUids) are created, nothing else is touched. Throws basOperation::Failure
// when a table of that name is there but lacks a column.
void UpgradeSchema(const QSqlDatabase &db);

// Makes a new store at path inside one transaction, in a temporary file renamed into
// place (a stale -wal/-shm beside path goes first). With shipped data it holds the
// church-year colour and text of every day 1900-2100 and the facts of the day from
// factsFile (DefaultFactsFile() when empty). False with the reason in error.
bool CreateDatabaseFile(const QString &path, bool withShippedData, QString &error);
bool CreateDatabaseFile(const QString &path, bool withShippedData, const QString &factsFile,
                        QString &error);
// The facts file of the source tree the build used.
QString DefaultFactsFile();

enum class CheckResult { Clean, Problems, CannotOpen };
// Verifies the file: integrity, tables, every EventCount equal to the day's EventDates
// rows, no negative or missing counts, no orphan EventDates or EventUids rows. With repair the counts
// and orphans are mended in one transaction and each mend is listed. problems gets one
// line per finding (or the reason the file could not be checked).
CheckResult CheckDatabaseFile(const QString &path, bool repair, QStringList &problems,
                              int busyTimeoutMs);
// The same, true when nothing is wrong afterwards.
bool CheckDatabaseFile(const QString &path, bool repair, QStringList &problems);

} // namespace basSchema
