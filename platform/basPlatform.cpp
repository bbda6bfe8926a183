// The parts of the platform layer that Qt makes the same everywhere.
#include "basPlatform.h"
#include "basPlatformSystem.h"

#include "quillonVersion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QThread>

#include <cstdio>
#include <map>
#include <memory>

namespace quillon {

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
    if (base.isEmpty())
        base = system::DefaultDataHome();
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
        // A folder named by the user keeps its rights; one made here is private.
        if (!QFileInfo::exists(overridden) && QDir().mkpath(overridden))
            MakeOwnerOnly(overridden);
        return QDir(overridden).absolutePath();
    }
    const QString program = ProgramFolder();
    const QString shipped = program + QLatin1Char('/') + QLatin1String(kDatabaseFileName);
    if (IsWritableFolder(program) && QFileInfo::exists(shipped) && !system::IsInstalledFolder(program))
        return program;

    const QString user = UserDataFolder();
    QDir().mkpath(user);
    MakeOwnerOnly(user);
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
    return ShowMessage(MessageRequest{text, title, icon, buttons, defaultButton, {}, {}});
}

MessageResult ShowMessage(const MessageRequest &request)
{
    if (Handler())
        return Handler()(request);
    if (IsNonInteractive() || !Presenter()) {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(request.title),
                     qPrintable(QString(request.text).replace(QLatin1String("\r\n"), QLatin1String("\n"))));
        std::fflush(stderr);
        return request.defaultButton;
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

namespace {
enum class LockOutcome { Taken, HeldByAnother, NotHere };

// A lock file whose content names no owner (empty, garbage) is left over, not held:
// QLockFile writes its owner at once, so one still unreadable a moment later is stale.
bool OwnerUnreadable(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host, application;
    if (lock.getLockInfo(&pid, &host, &application))
        return false;
    QThread::msleep(100);
    return !lock.getLockInfo(&pid, &host, &application);
}

// Why a folder holds no lock: in English for error.log, and in the user's language.
struct LockReason {
    QString english;
    QString shown;
};

constexpr auto kFolderNotMade = QT_TRANSLATE_NOOP("basPlatform", "%1 cannot be made");
constexpr auto kFolderShared = QT_TRANSLATE_NOOP("basPlatform", "%1 is not this user's alone");
constexpr auto kNotLockable = QT_TRANSLATE_NOOP("basPlatform", "%1 cannot be locked");

LockReason Reason(const char *form, const QString &path)
{
    return {QString::fromUtf8(form).arg(path), QCoreApplication::translate("basPlatform", form).arg(path)};
}

LockOutcome TryLockIn(const QString &folder, const QString &programName, std::unique_ptr<QLockFile> &taken,
                      LockReason &why)
{
    if (!QDir().mkpath(folder)) {
        why = Reason(kFolderNotMade, folder);
        return LockOutcome::NotHere;
    }
    if (!IsPrivateFolder(folder)) {
        why = Reason(kFolderShared, folder);
        return LockOutcome::NotHere;
    }
    const QString path = folder + QStringLiteral("/quillon-") + programName + QStringLiteral(".lock");
    // Something else at the lock path (an empty folder) is cleared like a stale file.
    if (QFileInfo(path).isDir())
        QDir().rmdir(path);
    auto lock = std::make_unique<QLockFile>(path);
    // A stale time of 0: only a lock whose owner is gone may be taken over.
    lock->setStaleLockTime(0);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (lock->tryLock(0)) {
            taken = std::move(lock);
            return LockOutcome::Taken;
        }
        if (lock->error() != QLockFile::LockFailedError)
            break;
        if (!OwnerUnreadable(*lock))
            return LockOutcome::HeldByAnother;
        lock->removeStaleLockFile();
    }
    why = Reason(kNotLockable, QDir::toNativeSeparators(path));
    return LockOutcome::NotHere;
}
} // namespace

InstanceLock TakeInstanceLock(const QString &programName, QString *why, QString *shownWhy)
{
    auto &locks = Locks();
    if (locks.count(programName))
        return InstanceLock::Taken;
    // The runtime folder first; when it cannot hold a lock, the temporary folder.
    QStringList folders{RuntimeFolder()};
    if (!folders.contains(TemporaryFolder()))
        folders.append(TemporaryFolder());
    QStringList reasons;
    QStringList shownReasons;
    for (const QString &folder : folders) {
        std::unique_ptr<QLockFile> lock;
        LockReason reason;
        switch (TryLockIn(folder, programName, lock, reason)) {
        case LockOutcome::Taken:
            locks.emplace(programName, std::move(lock));
            return InstanceLock::Taken;
        case LockOutcome::HeldByAnother:
            return InstanceLock::HeldByAnother;
        case LockOutcome::NotHere:
            reasons.append(reason.english);
            shownReasons.append(reason.shown);
            break;
        }
    }
    if (why)
        *why = reasons.join(QStringLiteral("; "));
    if (shownWhy)
        *shownWhy = shownReasons.join(QStringLiteral("; "));
    return InstanceLock::Unavailable;
}

bool PreviousInstanceRunning(const QString &programName)
{
    QString why;
    const InstanceLock lock = TakeInstanceLock(programName, &why);
    if (lock == InstanceLock::Unavailable) {
        // Without a lock a second copy could not be told apart: this one ends, and says why.
        std::fprintf(stderr, "%s: no single-instance lock can be made (%s); not started\n", qPrintable(programName),
                     qPrintable(why));
        std::fflush(stderr);
    }
    return lock != InstanceLock::Taken;
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

} // namespace quillon
