// The rows a new store ships with: the church-year colour and name of every day
// 1900-2100 and the facts of the day. Linked only by quillon-db and the tests.
#pragma once

#include "basFactsFile.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace quillon {

namespace basSeed {

inline constexpr int kFirstShippedYear = 1900;
inline constexpr int kLastShippedYear = 2100;

// Adds the days and facts on db (inside the caller's transaction); throws
// basOperation::Failure when a row cannot be written.
void FillShippedData(const QSqlDatabase &db, const QList<basFactsFile::Fact> &facts);

// A new store at path with the shipped rows and the facts read from factsFile (a file
// or a Qt resource path). False with the reason in error; nothing is made then.
bool CreateShippedDatabaseFile(const QString &path, const QString &factsFile, QString &error);

} // namespace basSeed

} // namespace quillon
