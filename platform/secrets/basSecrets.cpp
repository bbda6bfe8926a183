#include "basSecrets.h"

#include "basSecretsSystem.h"

#include <qt6keychain/keychain.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace quillon {

namespace basSecrets {

namespace {

// The service every secret of the suite is filed under.
const QString kService = QStringLiteral("Quillon Desktop Calendar");
constexpr int kDefaultTimeoutMs = 20000;
// A store that answers at once says nothing; a slower one may be showing a prompt.
constexpr int kNoticeAfterMs = 1000;

QString Seconds(int ms) { return QStringLiteral("%1 s").arg((ms + 999) / 1000); }

// Starts job and waits for it at most options.TimeoutMs. Done, the caller reads and
// deletes the job; timed out, the job is left to delete itself should it ever finish
// (QtKeychain still holds it).
Answer Wait(QKeychain::Job *job, const CallOptions &options)
{
    job->setAutoDelete(false);
    QEventLoop loop;
    bool finished = false;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer notice;
    notice.setSingleShot(true);
    if (options.Waiting)
        QObject::connect(&notice, &QTimer::timeout, &loop, [&] {
            // Said to the person waiting: in their language.
            options.Waiting(QCoreApplication::translate("basSecrets", "waiting for the desktop's keyring (it may be showing "
                                                                      "a prompt); giving up after %1")
                                .arg(Seconds(options.TimeoutMs)));
        });
    QElapsedTimer elapsed;
    elapsed.start();
    job->start();
    limit.start(std::max(options.TimeoutMs, 0));
    notice.start(std::min(kNoticeAfterMs, options.TimeoutMs / 2));
    loop.exec();
    Answer answer;
    if (!finished) {
        job->setAutoDelete(true);
        answer.Outcome = Status::NoStore;
        answer.TimedOut = true;
        answer.Error = QStringLiteral("the desktop's keyring did not answer within %1").arg(Seconds(options.TimeoutMs));
        return answer;
    }
    switch (job->error()) {
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
        answer.Error = job->errorString();
    // Nothing found, or a write refused: a store without a collection says so only
    // in its own words ("Object does not exist at path ..."), and keeps nothing either.
    if (answer.Outcome == Status::NotFound || answer.Outcome == Status::Failed) {
        const QString unusable =
            system::UnusableStoreReason(std::max(options.TimeoutMs - int(elapsed.elapsed()), kNoticeAfterMs));
        if (!unusable.isEmpty()) {
            answer.Outcome = Status::NoStore;
            answer.Error = unusable;
        }
    }
    return answer;
}

} // namespace

int DefaultTimeoutMs()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("QUILLON_SECRET_TIMEOUT_MS", &ok);
    return ok && ms > 0 ? ms : kDefaultTimeoutMs;
}

Answer ReadSecret(const QString &key, const CallOptions &options)
{
    auto *job = new QKeychain::ReadPasswordJob(kService);
    job->setKey(key);
    Answer answer = Wait(job, options);
    if (answer.TimedOut)
        return answer;
    if (answer.Outcome == Status::Done)
        answer.Secret = job->textData();
    delete job;
    return answer;
}

Answer WriteSecret(const QString &key, const QString &secret, const CallOptions &options)
{
    auto *job = new QKeychain::WritePasswordJob(kService);
    job->setKey(key);
    job->setTextData(secret);
    const Answer answer = Wait(job, options);
    if (!answer.TimedOut)
        delete job;
    return answer;
}

Answer DeleteSecret(const QString &key, const CallOptions &options)
{
    auto *job = new QKeychain::DeletePasswordJob(kService);
    job->setKey(key);
    const Answer answer = Wait(job, options);
    if (!answer.TimedOut)
        delete job;
    return answer;
}

namespace {
constexpr auto kNoStore =
    QT_TRANSLATE_NOOP("basSecrets", "No secret store is running (%1): the password is not kept; it is asked each time");
}

QString NoStoreText(const QString &reason) { return QString::fromUtf8(kNoStore).arg(reason); }

QString ShownNoStoreText(const QString &reason) { return QCoreApplication::translate("basSecrets", kNoStore).arg(reason); }

} // namespace basSecrets

} // namespace quillon
