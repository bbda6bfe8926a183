// The parts of the platform layer that Qt makes the same everywhere.
#include "basPlatform.h"

#include "quillonVersion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>
#include <map>

namespace basPlatform {

QString CompanyName() { return QStringLiteral(QUILLON_COMPANY_NAME); }
QString ProductName() { return QStringLiteral(QUILLON_PRODUCT_NAME); }
QString FileVersion() { return QStringLiteral(QUILLON_FILE_VERSION); }

QString ProgramFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString ExecutableName()
{
    if (QCoreApplication::instance())
        return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QString();
}

namespace {
QString UserDataFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
#ifdef Q_OS_WIN
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#else
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
#endif
    return base + QLatin1Char('/') + CompanyName() + QLatin1Char('/') + ProductName();
}

bool IsWritableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}
} // namespace

QString DataFolder()
{
    const QString overridden = qEnvironmentVariable("QUILLON_DATA_DIR");
    if (!overridden.isEmpty()) {
        QDir().mkpath(overridden);
        return QDir(overridden).absolutePath();
    }
    const QString program = ProgramFolder();
    const QString shipped = program + QLatin1Char('/') + QLatin1String(kDatabaseFileName);
    if (IsWritableFolder(program) && QFileInfo::exists(shipped))
        return program;

    const QString user = UserDataFolder();
    QDir().mkpath(user);
    const QString seeded = user + QLatin1Char('/') + QLatin1String(kDatabaseFileName);
    if (!QFileInfo::exists(seeded) && QFileInfo::exists(shipped)) {
        // Copy under a temporary name first so that a half copy is never taken for a database.
        const QString partial = seeded + QStringLiteral(".part");
        QFile::remove(partial);
        if (QFile::copy(shipped, partial)) {
            QFile(partial).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            QFile::rename(partial, seeded);
        }
    }
    return user;
}

QString DataFile(const QString &fileName)
{
    return DataFolder() + QLatin1Char('/') + fileName;
}

// --- Clock ----------------------------------------------------------------------

namespace {
QDateTime FixedNow()
{
    const QString now = qEnvironmentVariable("QUILLON_NOW");
    if (now.isEmpty())
        return {};
    QDateTime parsed = QDateTime::fromString(now, Qt::ISODate);
    return parsed.isValid() ? parsed : QDateTime();
}

QDate FixedToday()
{
    const QString today = qEnvironmentVariable("QUILLON_TODAY");
    if (today.isEmpty())
        return {};
    return QDate::fromString(today, Qt::ISODate);
}
} // namespace

QDate Today()
{
    if (const QDateTime now = FixedNow(); now.isValid())
        return now.date();
    if (const QDate today = FixedToday(); today.isValid())
        return today;
    return QDate::currentDate();
}

QDateTime Now()
{
    if (const QDateTime now = FixedNow(); now.isValid())
        return now;
    if (const QDate today = FixedToday(); today.isValid())
        return QDateTime(today, QTime::currentTime());
    return QDateTime::currentDateTime();
}

// --- Messages -------------------------------------------------------------------

namespace {
MessageHandler &Handler()
{
    static MessageHandler handler;
    return handler;
}

MessageHandler &Presenter()
{
    static MessageHandler presenter;
    return presenter;
}
} // namespace

bool IsNonInteractive() { return qEnvironmentVariable("QUILLON_NONINTERACTIVE") == QLatin1String("1"); }

void SetMessagePresenter(MessageHandler presenter) { Presenter() = std::move(presenter); }

MessageHandler SetMessageHandler(MessageHandler handler)
{
    MessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

MessageResult ShowMessage(const QString &text, const QString &title, MessageIcon icon,
                          MessageButtons buttons, MessageResult defaultButton)
{
    const MessageRequest request{text, title, icon, buttons, defaultButton};
    if (Handler())
        return Handler()(request);
    if (IsNonInteractive() || !Presenter()) {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"))));
        std::fflush(stderr);
        return defaultButton;
    }
    return Presenter()(request);
}

// --- Previous instance ----------------------------------------------------------

namespace {
std::map<QString, std::unique_ptr<QLockFile>> &Locks()
{
    static std::map<QString, std::unique_ptr<QLockFile>> locks;
    return locks;
}
} // namespace

bool PreviousInstanceRunning(const QString &programName)
{
    auto &locks = Locks();
    if (locks.count(programName))
        return false;
    QDir().mkpath(RuntimeFolder());
    const QString path = RuntimeFolder() + QStringLiteral("/quillon-") + programName + QStringLiteral(".lock");
    auto lock = std::make_unique<QLockFile>(path);
    // A stale time of 0: only a lock whose owner is gone may be taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return lock->error() == QLockFile::LockFailedError;
    locks.emplace(programName, std::move(lock));
    return false;
}

void ReleaseInstanceLock(const QString &programName) { Locks().erase(programName); }

// --- Processes ------------------------------------------------------------------

int StartDetached(const QString &program, const QStringList &arguments)
{
    const QFileInfo info(program);
    if (!info.exists())
        return 53; // File not found
    if (!info.isFile() || !info.isExecutable())
        return 75; // Path/File access error
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(info.absolutePath());
    return process.startDetached() ? 0 : 75;
}

} // namespace basPlatform
