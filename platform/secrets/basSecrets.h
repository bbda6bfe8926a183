// The desktop's secret store (Secret Service or KWallet on Linux, the keychain or the
// credential store elsewhere) through QtKeychain: the only place a password is kept.
// Each call waits for its answer on a local event loop; call it from a thread that may
// wait (a tool's main thread, a sync thread), not from a window's handler.
#pragma once

#include <QString>

namespace quillon {

namespace basSecrets {

enum class Status {
    Done,
    NotFound, // nothing stored under the key
    NoStore,  // no secret store runs (or it refuses to open): ask each session instead
    Failed,
};

struct Answer {
    Status Outcome = Status::Failed;
    QString Secret;  // for ReadSecret
    QString Error;   // what the store said, never the secret
};

Answer ReadSecret(const QString &key);
Answer WriteSecret(const QString &key, const QString &secret);
Answer DeleteSecret(const QString &key);

// "No secret store is running (...): the password is not kept; it is asked each time."
QString NoStoreText(const QString &reason);

} // namespace basSecrets

} // namespace quillon
