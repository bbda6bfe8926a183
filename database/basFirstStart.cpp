#include "basFirstStart.h"

#include "EventStore.h"
#include "basConnection.h"
#include "basErrorHandler.h"
#include "basOperation.h"
#include "basSchema.h"
#include "platform/basPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillon {

namespace basFirstStart {

namespace {

using basPlatform::MessageButtons;
using basPlatform::MessageIcon;
using basPlatform::MessageResult;

// The report as the error report would show it, for the box's details, and its block in
// error.log.
QString ReportAndLog(const char *module, int step, const basOperation::Failure &failure)
{
    const basErrorHandler::ErrorState error{failure.number(), failure.description(), step};
    basErrorHandler::ReportError(QLatin1String(module), error, true, QString(), true);
    return basErrorHandler::MessageText(basPlatform::ProductName(), basPlatform::ExecutableName(),
                                        QLatin1String(module), error, QString());
}

void Tell(const QString &text, const QString &details)
{
    basPlatform::ShowMessage(basPlatform::MessageRequest{text, basPlatform::ProductName(), MessageIcon::Critical, MessageButtons::Ok,
                                                         MessageResult::Ok, details, {}});
}

QString Sentence(const QString &reason) { return reason.endsWith(QLatin1Char('.')) ? reason : reason + QLatin1Char('.'); }

Outcome OfferNewStore(const Start &start)
{
    const QString question = QLatin1String(kNoDatabaseQuestion) + QStringLiteral("\n\n")
                             + QStringLiteral("It will be kept as %1.").arg(QDir::toNativeSeparators(start.databasePath));
    const MessageResult answer = basPlatform::ShowMessage(basPlatform::MessageRequest{
        question, basPlatform::ProductName(), MessageIcon::Question, MessageButtons::OkCancel, MessageResult::Ok, {},
        {QStringLiteral("&Create"), QStringLiteral("&Quit")}});
    if (answer != MessageResult::Ok)
        return Outcome::Quit;
    QString error;
    if (CreateStore(start.databasePath, start.shippedPath, error))
        return Outcome::Ready;
    const QString details =
        ReportAndLog("basFirstStart.CreateStore", 20, basOperation::Failure(basOperation::kPathFileAccessError, error));
    Tell(QLatin1String(kCannotCreateText) + QStringLiteral("\n\n") + Sentence(error), details);
    return Outcome::Quit;
}

} // namespace

Start ForProgram(const QString &program, bool needsStore)
{
    return Start{basDatabase::EventStore::DatabasePath(),
                 basPlatform::ProgramFolder() + QLatin1Char('/') + QLatin1String(basPlatform::kDatabaseFileName), program,
                 needsStore};
}

bool CreateStore(const QString &path, const QString &shipped, QString &error)
{
    error.clear();
    const QFileInfo source(shipped);
    if (!source.isFile() || source.canonicalFilePath() == QFileInfo(path).canonicalFilePath())
        return basSchema::CreateDatabaseFile(path, error);
    // Under another name until it is whole, so that a half copy is never taken for a store.
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    QFile copy(shipped);
    if (!copy.copy(partial)) {
        error = QStringLiteral("Cannot copy %1 to %2: %3").arg(shipped, partial, copy.errorString());
        QFile::remove(partial);
        return false;
    }
    QFile made(partial);
    made.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!made.rename(path)) {
        error = QStringLiteral("Cannot move %1 into place: %2").arg(path, made.errorString());
        QFile::remove(partial);
        return false;
    }
    return true;
}

Outcome PrepareStore(const Start &start)
{
    if (basPlatform::IsNonInteractive())
        return Outcome::Ready;
    const QFileInfo file(start.databasePath);
    if (!file.exists() && !file.isSymLink())
        return OfferNewStore(start);
    // Opened once the way the programs open it (and brought up to date), to name the
    // reason now rather than in the middle of the program's start.
    basConnection::ScopedConnection probe(QStringLiteral("first-start"));
    try {
        basConnection::ConfigureConnection(probe.db(), start.databasePath);
        basConnection::OpenAndVerify(probe.db(), start.databasePath);
        return Outcome::Ready;
    } catch (const basOperation::Failure &failure) {
        const QString details = ReportAndLog("basDatabase.OpenDatabaseConnection", 50, failure);
        const QString consequence = start.needsStore
                                        ? QStringLiteral("%1 cannot work without it and will close.").arg(start.program)
                                        : QStringLiteral("Until it can be opened, no events or reminders are shown.");
        Tell(QLatin1String(kCannotOpenText) + QStringLiteral("\n\n") + Sentence(failure.description())
                 + QStringLiteral("\n\n") + consequence,
             details);
        return start.needsStore ? Outcome::Quit : Outcome::Ready;
    }
}

} // namespace basFirstStart

} // namespace quillon
