// Opening an existing store file the way every program and tool of the suite does:
// never creating it, refusing files that are not our database, and with the settings
// that let one writer and several readers in other processes share it safely.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace basConnection {

inline constexpr int kBusyTimeoutMs = 8000;

// Names the file on db (read-write, never created) with the busy timeout.
void ConfigureConnection(QSqlDatabase &db, const QString &path, int busyTimeoutMs = kBusyTimeoutMs);
// Opens a configured connection: the file must exist and hold our tables. Then foreign
// keys on, WAL, synchronous FULL. Throws basOperation::Failure with the reason.
void OpenAndVerify(QSqlDatabase &db, const QString &path);

// Runs one statement with no values; throws basOperation::Failure when it fails.
void ExecuteStatement(const QSqlDatabase &db, const QString &sql);
// The reason a query failed, as the user should read it.
QString ErrorText(const class QSqlError &error);
// Throws basOperation::Failure carrying that reason.
[[noreturn]] void ThrowError(const class QSqlError &error);

} // namespace basConnection
