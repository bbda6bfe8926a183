// The launcher's refresh of subscribed calendars: each one at the start, then every
// RefreshMinutes (15 at least), after a wake and when the user asks. Each refresh runs
// on a thread of its own, a few at once, so neither the tray nor another calendar ever
// waits on a slow server; the launcher's loop is never nested for it (a quit or a menu
// click during a slow refresh just waits for its answer). A failing subscription is tried again after 1, 2, 4 ... 60 minutes,
// and its failure goes to error.log once until it succeeds again. Where no secret store
// runs, the password of an account is asked once a session (in a window that answers
// later) and kept in memory only.
#pragma once

#include "LauncherClock.h"
#include "basSync.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QThread;

namespace quillon {

class SessionPasswords;

struct SubscriptionRefreshServices {
    const LauncherClock *clock = nullptr;
    QString databasePath; // empty: the data folder's
    // The password of a subscription's user name, asked on the sync thread; a null text
    // when none is known. Default: passwords'.
    std::function<QString(const basDatabase::Subscription &)> password;
    // The secret store, or this session's passwords where none runs (shared with the
    // Calendars window). Null: one of the launcher's own.
    std::shared_ptr<SessionPasswords> passwords;
    // Asks the user for a password (prompt says why) and calls answer when given.
    std::function<void(const QString &prompt, std::function<void(const QString &)> answer)> askPassword;
    // The month on the wallpaper gained or lost an event.
    std::function<void()> monthChanged;
    // Tells the user something the refresh cannot decide alone (most of a calendar gone
    // on the server), once until it has been settled.
    std::function<void(const QString &title, const QString &text)> notify;
    basSync::RefreshOptions options;
};

class LauncherSubscriptions : public QObject {
    Q_OBJECT

public:
    static constexpr int kShortestIntervalMinutes = 15;
    static constexpr int kLongestBackoffMinutes = 60;
    // After a wake, the pause before every subscription is asked.
    static constexpr int kWakeDelayMs = 30 * 1000;
    // Refreshes running at once; more wait for a turn. A few: each holds a connection
    // and, while it stores, the database.
    static constexpr qsizetype kMostAtOnce = 4;
    inline static const QString kReportName = QStringLiteral("quillon.exe:LauncherSubscriptions.Refresh");

    explicit LauncherSubscriptions(SubscriptionRefreshServices services, QObject *parent = nullptr);
    ~LauncherSubscriptions() override;

    // Refreshes every subscription now (at the start, after a wake, from the tray menu);
    // those already running or waiting are not asked twice.
    void RefreshAll();
    // Refreshes those whose time has come and sets the timer to the next one.
    void RefreshDue();
    // Refreshes now those with changes made here waiting for their server (after a change
    // in the store), unless a failure put them off.
    void SendWaiting();

    // The pause after a subscription's nth failure in a row (n from 1).
    static qint64 BackoffMs(int failures);
    // The pause after a success.
    static qint64 IntervalMs(int refreshMinutes);

    bool IsBusy() const { return !m_running.isEmpty() || !m_queue.isEmpty(); }
    const QTimer &NextTimer() const { return m_next; }

signals:
    void Refreshed(const basSync::RefreshResult &result);
    // Nothing runs and nothing waits.
    void Settled();

private:
    struct State {
        qint64 dueMs = 0; // on the clock's awake time
        int failures = 0;
        bool reported = false;
    };

    // What a refresh's thread leaves for the launcher, read once the thread finished.
    struct Outcome {
        basSync::RefreshResult result;
        QString noStore;      // when no store gave the password
        QString shownNoStore; // the same in the user's language
    };
    struct Running {
        basDatabase::Subscription subscription;
        QThread *thread = nullptr;
        std::shared_ptr<Outcome> outcome;
    };

    bool ReadSubscriptions(QList<basDatabase::Subscription> &subscriptions);
    // Running now or queued: not asked twice.
    bool IsWaiting(qint64 id) const;
    // Starts those waiting while there is room; settled when none runs.
    void RunNext();
    void Start(const basDatabase::Subscription &subscription);
    void OnFinished(const Running &done);
    // Changes made here that lost to the server's and were not told yet: said once.
    void TellConflicts();
    // To the next refresh due of those not running or waiting.
    void SetTimer();
    // No store runs and the account's password is unknown: asked once a session.
    void AskPassword(const basDatabase::Subscription &subscription, const QString &noStore);
    // Refreshes every subscription of the account now.
    void RefreshAccount(const QString &key);

    SubscriptionRefreshServices m_services;
    QString m_path;
    QHash<qint64, State> m_state;
    QList<basDatabase::Subscription> m_queue;
    QHash<qint64, Running> m_running; // by subscription id
    QTimer m_next;
};

} // namespace quillon
