// The launcher's reminders: one timer set to the next reminder due (no polling for
// them), a new plan after every change in the store, a clock set or a wake, and each
// reminder shown once: each is recorded in the store just before it is shown.
#pragma once

#include "EventStore.h"
#include "LauncherClock.h"
#include "ReminderPlan.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>

namespace quillon {

class ReminderNotifier;

struct ReminderServices {
    const LauncherClock *clock = nullptr;
    QString databasePath;                 // empty: the data folder's
    ReminderNotifier *notifier = nullptr;
    std::function<void()> openScheduler;
    // A write to the store's file (or its WAL) is looked at this long after, so that a
    // burst of writes is one look.
    int storeSettleMs = 250;
    // How often the clock is compared with the awake time, and the store asked whether
    // another program changed it where its files could not be watched (or were replaced).
    // Each look wakes the launcher: at rest it does nothing else.
    int storeLookMs = 30000;
};

class LauncherReminders : public QObject {
    Q_OBJECT

public:
    inline static const QString kSnooze = QStringLiteral("snooze");
    inline static constexpr const char *kSnoozeText = QT_TRANSLATE_NOOP("quillon::LauncherReminders", "Snooze 5 minutes");
    inline static const QString kOpen = QStringLiteral("open");
    inline static constexpr const char *kOpenText = QT_TRANSLATE_NOOP("quillon::LauncherReminders", "Open Scheduler");
    static constexpr qint64 kSnoozeSecs = 5 * 60;
    // A reminder found due later than this after its time was missed (the launcher was
    // not running, the machine slept, the clock jumped): several such are one notification.
    static constexpr qint64 kLateSecs = 2 * 60;
    // Up to this many due together are shown each on its own; more are one notification.
    static constexpr qsizetype kShownApart = 3;

    explicit LauncherReminders(ReminderServices services, QObject *parent = nullptr);

    // Opens the store and makes the first plan (showing what was missed). False when
    // the store could not be opened (reported); the launcher goes on without reminders.
    bool Start();
    // Shows what is due and sets the timer to the next one.
    void Replan();

signals:
    // The system's zone changed and the store's zoned events moved with it.
    void EventTimesMoved();
    // Another program changed the store.
    void StoreChanged();

public:
    // The titles of the grouped notifications (of missed ones, of ones due together),
    // and an occurrence's day and times.
    static QString AwayTitle(qsizetype count);
    static QString TogetherTitle(qsizetype count);
    static QString BodyOf(const ReminderOccurrence &occurrence);

    const QTimer &NextTimer() const { return m_next; }
    QDateTime WakeAt() const { return m_wakeAt; }

private:
    void LookAtStore();
    bool FollowZoneAndDate();
    void WatchStoreFiles();
    void Show(const QList<ReminderOccurrence> &due, const QDateTime &now);
    void ShowGroup(const QString &title, const QList<ReminderOccurrence> &members);
    void ShowOne(const ReminderOccurrence &occurrence);
    void Record(const QList<ReminderOccurrence> &occurrences);
    void OnAction(quint32 id, const QString &key);

    ReminderServices m_services;
    basDatabase::EventStore m_store;
    ReminderPlanner m_planner{m_store};
    QTimer m_next;
    QTimer m_look;
    QString m_path;
    QFileSystemWatcher m_files;
    QTimer m_settle;
    ClockJumpWatch m_jump;
    qint64 m_version = -1;
    QByteArray m_zone; // the system zone the store was last brought in line with
    QDate m_indexDate; // and the day
    QDateTime m_wakeAt;
    // Shown in this run: kept also when the store could not record them.
    QSet<ReminderPlan::Key> m_shownHere;
    // The notifications on screen that can be snoozed, by the server's id.
    QHash<quint32, ReminderOccurrence> m_onScreen;
    QList<std::pair<QDateTime, ReminderOccurrence>> m_snoozed;
};

} // namespace quillon
