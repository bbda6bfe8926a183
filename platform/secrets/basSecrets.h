// The desktop's secret store (Secret Service or KWallet on Linux, the keychain or the
// credential store elsewhere) through QtKeychain: the only place a password is kept.
// Each call waits for its answer on a local event loop; call it from a thread that may
// wait (a tool's main thread, a sync thread), not from a window's handler.
// A store can hang (a keyring behind a "choose a password" prompt nobody sees) or run
// without anywhere to keep a password (no collection): each call gives up after a time
// limit, and both count as no store (Status::NoStore), so that callers fall back to
// asking the user once a session.
#pragma once

#include <QString>

#include <functional>

namespace quillon {

namespace basSecrets {

enum class Status {
    Done,
    NotFound, // nothing stored under the key
    NoStore,  // no secret store runs, answers or has room for it: ask each session instead
    Failed,
};

struct Answer {
    Status Outcome = Status::Failed;
    QString Secret;  // for ReadSecret
    QString Error;   // what the store said, never the secret
    // The store did not answer within the limit. Its call may still be pending, and
    // every later call of this process would wait behind it: ask it no more.
    bool TimedOut = false;
};

// 20 s, or the milliseconds in QUILLON_SECRET_TIMEOUT_MS.
int DefaultTimeoutMs();

struct CallOptions {
    int TimeoutMs = DefaultTimeoutMs();
    // Told once, with what is happening, when the store is slow to answer (it may be
    // showing a prompt); a tool puts it on the terminal.
    std::function<void(const QString &notice)> Waiting;
};

Answer ReadSecret(const QString &key, const CallOptions &options = {});
Answer WriteSecret(const QString &key, const QString &secret, const CallOptions &options = {});
Answer DeleteSecret(const QString &key, const CallOptions &options = {});

// "No secret store is running (...): the password is not kept; it is asked each time."
// In English for error.log; ShownNoStoreText the same in the user's language.
QString NoStoreText(const QString &reason);
QString ShownNoStoreText(const QString &reason);

} // namespace basSecrets

} // namespace quillon
