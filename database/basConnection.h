// Opening an existing store file the way every program and tool of the suite does:
// never creating it, refusing files that are not our database, and with the settings
// that let one writer and several readers in other processes share it safely.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class QSqlError;
class QSqlQuery;

namespace quillon {

namespace basConnection {

inline constexpr int kBusyTimeoutMs = 8000;

// Names the file on db (read-write, never created) with the busy timeout.
void ConfigureConnection(QSqlDatabase &db, const QString &path, int busyTimeoutMs = kBusyTimeoutMs);
// Opens a configured connection: the file must exist and hold our tables, and is
// upgraded to the newest schema version (basMigrations). Then foreign keys on, WAL,
// synchronous FULL. Returns the schema version the file had. Throws
// basOperation::Failure with the reason: a folder at the path, missing, unreadable,
// locked after the wait, read-only folder, disk full, not a database, not ours, or made
// by a newer program (then nothing at all was written to it).
int OpenAndVerify(QSqlDatabase &db, const QString &path, int busyTimeoutMs = kBusyTimeoutMs);
// What a failure to open or first read path means, for the user.
QString OpenFailureText(const QString &path, const QSqlError &error, int busyTimeoutMs);

// Runs one statement with no values; throws basOperation::Failure when it fails.
void ExecuteStatement(const QSqlDatabase &db, const QString &sql);
// A Qt SQL connection of its own for one use (creating or checking a file), removed
// when the holder goes.
class ScopedConnection {
public:
    explicit ScopedConnection(const QString &purpose);
    ~ScopedConnection();
    ScopedConnection(const ScopedConnection &) = delete;
    ScopedConnection &operator=(const ScopedConnection &) = delete;
    QSqlDatabase &db() { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
};

// The reason a query failed, as the user should read it.
QString ErrorText(const QSqlError &error);
// Throws basOperation::Failure carrying that reason.
[[noreturn]] void ThrowError(const QSqlError &error);
// Prepare and run a statement of one's own; a failure throws as ThrowError does.
void Prepare(QSqlQuery &query, const QString &sql);
void Exec(QSqlQuery &query);

} // namespace basConnection

} // namespace quillon
