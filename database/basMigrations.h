// Schema versions. A store file keeps in PRAGMA user_version how many of the steps
// below it has had; a new file gets the newest version at once (basSchema makes it).
// Changing the schema is one more step at the end of Steps(), the matching change to
// basSchema::SchemaStatements(), and one more row of older files in
// tests/database/test_migrations.cpp. A step only adds: older programs keep reading the
// file, and no user data is dropped.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace quillon {

namespace basMigrations {

// The step from version - 1 to version: its statements in order, then apply (when
// given) for what SQL alone cannot do. Both run inside the upgrade's one transaction.
struct Step {
    int version = 0;
    QString description;
    QStringList statements;
    std::function<void(const QSqlDatabase &db)> apply;
};

// Every step so far, oldest first, numbered 1, 2, 3 ... without gaps.
const std::vector<Step> &Steps();
// The newest version this program knows: the last step's.
int CurrentVersion();
int LastVersion(const std::vector<Step> &steps);

// The version recorded in the file open on db; throws basOperation::Failure.
int FileVersion(const QSqlDatabase &db);

// What the user reads when a newer program's file is refused.
QString NewerFileText(const QString &path, int fileVersion, int knownVersion);

// Brings the file open on db up to the last of steps in one transaction: all of them
// and the new version, or nothing. Foreign keys must be off (as a new connection has
// them), so that a step rebuilding a table cannot cascade into its children. A file
// already up to date is only read (no write lock is taken). Returns the version the
// file had. Throws basOperation::Failure: a file newer than the steps know is refused
// before anything is written (NewerFileText); a failing step names itself.
int Migrate(const QSqlDatabase &db, const QString &path, const std::vector<Step> &steps = Steps());

} // namespace basMigrations

} // namespace quillon
