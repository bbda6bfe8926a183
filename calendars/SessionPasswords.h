// The passwords of subscribed calendars for one run of a program: the desktop's secret
// store's or, where no store runs, the ones the user typed since the program started,
// kept in this process's memory only (never in a file, a setting or the database).
// Shared by the launcher's refreshes and its Calendars window; safe from any thread.
#pragma once

#include "basSecrets.h"

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QString>

#include <functional>

namespace quillon {

class SessionPasswords {
public:
    // The secret store; each member defaults to basSecrets'.
    struct Store {
        std::function<basSecrets::Answer(const QString &key)> read;
        std::function<basSecrets::Answer(const QString &key, const QString &secret)> write;
        std::function<basSecrets::Answer(const QString &key)> forget;
    };
    explicit SessionPasswords(Store store = {});

    struct Found {
        QString Password; // null: none known
        QString NoStore;  // basSecrets::NoStoreText when no store runs (or answers), else empty
        QString ShownNoStore; // the same in the user's language
    };
    // These three wait on the store: call them from a thread that may wait.
    Found Find(const QString &key);
    // In the store; where none runs, in memory. What to tell the user, else empty.
    QString Keep(const QString &key, const QString &password);
    void Forget(const QString &key);

    // For this session only (no store runs): any thread, no waiting.
    void Remember(const QString &key, const QString &password);
    // True the first time per key: the user is asked once a session, not at each refresh.
    bool FirstAsk(const QString &key);

private:
    // The store's answer; once it did not answer in time, it is not asked again this
    // session (each later call would wait behind the first).
    basSecrets::Answer Ask(const std::function<basSecrets::Answer()> &call);

    Store m_store;
    QMutex m_mutex;
    QString m_silent; // why the store is no longer asked; empty while it answers
    QHash<QString, QString> m_session;
    QSet<QString> m_asked;
};

} // namespace quillon
