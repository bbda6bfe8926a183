#include "basSecrets.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>

namespace quillon {

namespace basSecrets {

namespace {

// The service every secret of the suite is filed under.
const QString kService = QStringLiteral("Quillon Desktop Calendar");

Answer Wait(QKeychain::Job &job)
{
    job.setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    Answer answer;
    switch (job.error()) {
    case QKeychain::NoError:
        answer.Outcome = Status::Done;
        break;
    case QKeychain::EntryNotFound:
        answer.Outcome = Status::NotFound;
        break;
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
    case QKeychain::AccessDenied:
    case QKeychain::AccessDeniedByUser:
        answer.Outcome = Status::NoStore;
        break;
    default:
        answer.Outcome = Status::Failed;
        break;
    }
    if (answer.Outcome != Status::Done)
        answer.Error = job.errorString();
    return answer;
}

} // namespace

Answer ReadSecret(const QString &key)
{
    QKeychain::ReadPasswordJob job(kService);
    job.setKey(key);
    Answer answer = Wait(job);
    if (answer.Outcome == Status::Done)
        answer.Secret = job.textData();
    return answer;
}

Answer WriteSecret(const QString &key, const QString &secret)
{
    QKeychain::WritePasswordJob job(kService);
    job.setKey(key);
    job.setTextData(secret);
    return Wait(job);
}

Answer DeleteSecret(const QString &key)
{
    QKeychain::DeletePasswordJob job(kService);
    job.setKey(key);
    return Wait(job);
}

QString NoStoreText(const QString &reason)
{
    return QStringLiteral("No secret store is running (%1): the password is not kept; it is asked each time").arg(reason);
}

} // namespace basSecrets

} // namespace quillon
