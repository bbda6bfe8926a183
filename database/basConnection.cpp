#include "basConnection.h"

#include "basMigrations.h"
#include "basOperation.h"
#include "basSchema.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace quillon {

namespace basConnection {

namespace {
// SQLite's primary result codes, as the Qt driver passes them on.
constexpr int kSqlitePermission = 3;
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteIoError = 10;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCannotOpen = 14;
constexpr int kSqliteNotADatabase = 26;

// Refuses a file a newer program made before anything can write to it: opening it
// read-write, switching it to WAL or taking a lock may change the file or leave -wal
// and -shm files beside it. The look goes through a read-only connection of its own:
// "immutable" touches no lock and makes no -wal or -shm. Only when a -wal is there
// already (another program has the file open, or one stopped) may it hold pages newer
// than the file, so then the file is read through it, read-only. A file this look
// cannot read is left to the open that follows, which says why.
void RefuseNewerFile(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QUrl uri = QUrl::fromLocalFile(absolute);
    uri.setQuery(QFileInfo::exists(absolute + QStringLiteral("-wal")) ? QStringLiteral("mode=ro")
                                                                       : QStringLiteral("immutable=1"));
    int found = 0;
    bool ours = false;
    {
        ScopedConnection look(QStringLiteral("version"));
        QSqlDatabase &db = look.db();
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        // No busy wait here (Qt's default is 5 s): a busy file is waited for by the open itself.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=0"));
        if (!db.open())
            return;
        try {
            found = basMigrations::FileVersion(db);
        } catch (const basOperation::Failure &) {
            return;
        }
        // Other programs' databases use user_version too: only ours is called newer.
        ours = found > basMigrations::CurrentVersion() && basSchema::SchemaProblems(db).isEmpty();
    }
    if (ours)
        throw basOperation::Failure(basOperation::kDatabaseError,
                                    basMigrations::NewerFileText(path, found, basMigrations::CurrentVersion()));
}

} // namespace

QString ErrorText(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("Unknown database error") : text;
}

ScopedConnection::ScopedConnection(const QString &purpose)
{
    // Named after the object: unique among the connections alive.
    m_name = QStringLiteral("basConnection.%1.%2").arg(purpose).arg(reinterpret_cast<quintptr>(this), 0, 16);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
}

ScopedConnection::~ScopedConnection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
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


QString OpenFailureText(const QString &path, const QSqlError &error, int busyTimeoutMs)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    const QString reason = ErrorText(error);
    if (!ok)
        return QStringLiteral("Cannot open %1: %2").arg(path, reason);
    switch (code) {
    case kSqliteBusy:
    case kSqliteLocked:
        return QStringLiteral("%1 is locked by another program (waited %2 ms): %3").arg(path).arg(busyTimeoutMs).arg(reason);
    case kSqliteNotADatabase:
        return QStringLiteral("%1 is not a database: %2").arg(path, reason);
    case kSqliteCorrupt:
        return QStringLiteral("%1 is damaged: %2").arg(path, reason);
    case kSqliteFull:
        return QStringLiteral("The disk holding %1 is full: %2").arg(path, reason);
    case kSqliteReadOnly:
        return QStringLiteral("%1 or its folder is read-only: %2").arg(path, reason);
    case kSqlitePermission:
        return QStringLiteral("%1 may not be opened (permission denied): %2").arg(path, reason);
    case kSqliteCannotOpen:
        // WAL keeps its journal files beside the database: a folder that takes no new
        // file stops the first read.
        if (!QFileInfo(QFileInfo(path).absolutePath()).isWritable())
            return QStringLiteral("The folder of %1 is read-only, and the database needs to write its journal there: %2")
                .arg(path, reason);
        return QStringLiteral("Cannot open %1: %2").arg(path, reason);
    case kSqliteIoError:
        return QStringLiteral("%1 could not be read or written (input/output error): %2").arg(path, reason);
    default:
        return QStringLiteral("Cannot open %1: %2").arg(path, reason);
    }
}

int OpenAndVerify(QSqlDatabase &db, const QString &path, int busyTimeoutMs)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw basOperation::Failure(basOperation::kPathFileAccessError,
                                    QStringLiteral("%1 is a folder, not a database file").arg(path));
    if (!info.exists() || !info.isFile())
        throw basOperation::Failure(basOperation::kFileNotFound,
                                    QStringLiteral("Database file not found: %1").arg(path));
    if (!info.isReadable())
        throw basOperation::Failure(basOperation::kPathFileAccessError,
                                    QStringLiteral("%1 may not be read (permission denied)").arg(path));
    RefuseNewerFile(path);
    if (!db.open())
        throw basOperation::Failure(basOperation::kDatabaseError, OpenFailureText(path, db.lastError(), busyTimeoutMs));
    // The first read of the file: a file that is not a database, a locked one or one
    // in a read-only folder fails here, each with its own reason.
    {
        QSqlQuery first(db);
        if (!first.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
            throw basOperation::Failure(basOperation::kDatabaseError,
                                        OpenFailureText(path, first.lastError(), busyTimeoutMs));
    }
    // Now a missing table or column means a database of some other program.
    const QStringList problems = basSchema::SchemaProblems(db);
    if (!problems.isEmpty())
        throw basOperation::Failure(basOperation::kDatabaseError,
                                    QStringLiteral("%1 is not a Quillon database: %2")
                                        .arg(path, problems.join(QStringLiteral("; "))));
    const auto run = [&](const QString &sql) {
        QSqlQuery query(db);
        if (!query.exec(sql))
            throw basOperation::Failure(basOperation::kDatabaseError,
                                        OpenFailureText(path, query.lastError(), busyTimeoutMs));
        return query.next() ? query.value(0).toString() : QString();
    };
    // A committed event must survive a power cut, not only a crash of the program.
    run(QStringLiteral("PRAGMA synchronous=FULL"));
    // A file made by an earlier version is brought up to date, before the switch to WAL
    // and while foreign keys are still off (a rebuilt table must not cascade).
    const int found = basMigrations::Migrate(db, path);
    const QStringList missing = basSchema::CurrentSchemaProblems(db);
    if (!missing.isEmpty())
        throw basOperation::Failure(basOperation::kDatabaseError,
                                    QStringLiteral("%1 is not a Quillon database: %2")
                                        .arg(path, missing.join(QStringLiteral("; "))));
    run(QStringLiteral("PRAGMA foreign_keys=ON"));
    const QString mode = run(QStringLiteral("PRAGMA journal_mode=WAL"));
    if (mode.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        throw basOperation::Failure(basOperation::kDatabaseError,
                                    QStringLiteral("Cannot switch %1 to WAL (journal mode %2)").arg(path, mode));
    return found;
}

void Prepare(QSqlQuery &query, const QString &sql)
{
    if (!query.prepare(sql))
        ThrowError(query.lastError());
}

void Exec(QSqlQuery &query)
{
    if (!query.exec())
        ThrowError(query.lastError());
}

} // namespace basConnection

} // namespace quillon
