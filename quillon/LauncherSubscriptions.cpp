#include "LauncherSubscriptions.h"

#include "ConflictStore.h"
#include "EventService.h"
#include "EventStore.h"
#include "basErrorHandler.h"
#include "basOperation.h"
#include "SessionPasswords.h"
#include "SyncTexts.h"

#include <QFileInfo>
#include <QPointer>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <limits>
#include <cstdio>

namespace quillon {

namespace {
// QTimer counts in int milliseconds: a longer wait is set again then.
constexpr qint64 kLongestWaitMs = 6LL * 60 * 60 * 1000;

QString KeyOf(const basDatabase::Subscription &subscription)
{
    return basSync::SecretKey(subscription.UserName, QUrl(subscription.Address));
}
} // namespace

LauncherSubscriptions::LauncherSubscriptions(SubscriptionRefreshServices services, QObject *parent)
    : QObject(parent), m_services(std::move(services))
{
    m_path = m_services.databasePath.isEmpty() ? basDatabase::EventStore::DatabasePath() : m_services.databasePath;
    if (!m_services.passwords)
        m_services.passwords = std::make_shared<SessionPasswords>();
    m_next.setSingleShot(true);
    m_next.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_next, &QTimer::timeout, this, &LauncherSubscriptions::RefreshDue);
}

LauncherSubscriptions::~LauncherSubscriptions()
{
    m_queue.clear();
    for (const Running &running : std::as_const(m_running)) {
        // Its answer has nobody left to go to; the request times out on its own.
        disconnect(running.thread, nullptr, this, nullptr);
        running.thread->wait();
        delete running.thread;
    }
}

qint64 LauncherSubscriptions::BackoffMs(int failures)
{
    const int minutes = failures <= 1 ? 1 : std::min(kLongestBackoffMinutes, 1 << std::min(failures - 1, 6));
    return qint64{minutes} * 60 * 1000;
}

qint64 LauncherSubscriptions::IntervalMs(int refreshMinutes)
{
    return qint64{std::max(kShortestIntervalMinutes, refreshMinutes)} * 60 * 1000;
}

bool LauncherSubscriptions::ReadSubscriptions(QList<basDatabase::Subscription> &subscriptions)
{
    // No store yet is nothing to refresh; the scheduler makes it.
    if (!QFileInfo::exists(m_path))
        return false;
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(m_path))
        return false;
    if (!basDatabase::SubscriptionStore(store).GetSubscriptions(subscriptions))
        return false;
    // Subscriptions removed meanwhile are forgotten; new ones are due at once.
    QSet<qint64> present;
    for (const basDatabase::Subscription &subscription : subscriptions)
        present.insert(subscription.Id);
    for (auto it = m_state.begin(); it != m_state.end();)
        it = present.contains(it.key()) ? std::next(it) : m_state.erase(it);
    return true;
}

bool LauncherSubscriptions::IsWaiting(qint64 id) const
{
    return m_running.contains(id)
        || std::any_of(m_queue.cbegin(), m_queue.cend(), [&](const basDatabase::Subscription &queued) { return queued.Id == id; });
}

void LauncherSubscriptions::RefreshAll()
{
    QList<basDatabase::Subscription> subscriptions;
    if (ReadSubscriptions(subscriptions)) {
        for (const basDatabase::Subscription &subscription : subscriptions) {
            if (!IsWaiting(subscription.Id))
                m_queue.append(subscription);
        }
    }
    RunNext();
}

void LauncherSubscriptions::RefreshDue()
{
    QList<basDatabase::Subscription> subscriptions;
    if (ReadSubscriptions(subscriptions)) {
        const qint64 now = m_services.clock->MonotonicMs();
        for (const basDatabase::Subscription &subscription : subscriptions) {
            const auto state = m_state.constFind(subscription.Id);
            const bool due = state == m_state.cend() || state->dueMs <= now;
            if (due && !IsWaiting(subscription.Id))
                m_queue.append(subscription);
        }
    }
    RunNext();
}

void LauncherSubscriptions::SendWaiting()
{
    basDatabase::EventStore store;
    QList<basDatabase::OutboxEntry> waiting;
    if (!store.OpenDatabaseConnection(m_path) || !basDatabase::SubscriptionStore(store).GetOutbox(0, waiting)
        || waiting.isEmpty())
        return;
    QList<basDatabase::Subscription> subscriptions;
    if (!ReadSubscriptions(subscriptions))
        return;
    const qint64 now = m_services.clock->MonotonicMs();
    for (const basDatabase::Subscription &subscription : std::as_const(subscriptions)) {
        const bool hasWaiting = std::any_of(waiting.cbegin(), waiting.cend(), [&](const basDatabase::OutboxEntry &entry) {
            return entry.SubscriptionId == subscription.Id;
        });
        const auto state = m_state.constFind(subscription.Id);
        const bool putOff = state != m_state.cend() && state->failures > 0 && state->dueMs > now;
        if (hasWaiting && !putOff && !IsWaiting(subscription.Id))
            m_queue.append(subscription);
    }
    RunNext();
}

void LauncherSubscriptions::RunNext()
{
    while (m_running.size() < kMostAtOnce && !m_queue.isEmpty())
        Start(m_queue.takeFirst());
    SetTimer();
    if (m_running.isEmpty())
        emit Settled();
}

void LauncherSubscriptions::Start(const basDatabase::Subscription &subscription)
{
    const QString path = m_path;
    const auto password = m_services.password;
    const std::shared_ptr<SessionPasswords> passwords = m_services.passwords;
    const basSync::RefreshOptions options = m_services.options;
    const auto outcome = std::make_shared<Outcome>();
    QThread *thread = QThread::create([path, password, passwords, options, subscription, outcome] {
        QString secret;
        if (password) {
            secret = password(subscription);
        } else if (!subscription.UserName.isEmpty()) {
            const SessionPasswords::Found found = passwords->Find(KeyOf(subscription));
            secret = found.Password;
            if (secret.isNull()) {
                outcome->noStore = found.NoStore;
                outcome->shownNoStore = found.ShownNoStore;
            }
        }
        outcome->result.Id = subscription.Id;
        basDatabase::EventStore store;
        if (store.OpenDatabaseConnection(path))
            outcome->result = basSync::Refresh(store, subscription.Id, secret, options);
        else
            outcome->result.Message = QString::fromUtf8(SyncTexts::kDatabaseUnopened).arg(path);
    });
    m_running.insert(subscription.Id, {subscription, thread, outcome});
    connect(thread, &QThread::finished, this, [this, id = subscription.Id] {
        const Running done = m_running.take(id);
        done.thread->wait();
        done.thread->deleteLater();
        OnFinished(done);
        if (!done.outcome->result.Ok && !done.outcome->noStore.isEmpty())
            AskPassword(done.subscription, done.outcome->shownNoStore);
        RunNext();
    });
    thread->start();
}

void LauncherSubscriptions::OnFinished(const Running &done)
{
    const basSync::RefreshResult &result = done.outcome->result;
    if (result.Removed) {
        // Unsubscribed while it ran: nothing to try again or to report.
        m_state.remove(done.subscription.Id);
        emit Refreshed(result);
        return;
    }
    State &state = m_state[done.subscription.Id];
    const qint64 now = m_services.clock->MonotonicMs();
    if (result.Ok) {
        state.failures = 0;
        state.reported = false;
        int minutes = kShortestIntervalMinutes;
        basDatabase::EventStore store;
        basDatabase::Subscription subscription;
        if (store.OpenDatabaseConnection(m_path) && basDatabase::SubscriptionStore(store).GetSubscription(result.Id, subscription))
            minutes = subscription.RefreshMinutes;
        state.dueMs = now + IntervalMs(minutes);
        if (m_services.monthChanged
            && EventService::TouchesShownMonth(result.Count.TouchedDates, m_services.clock->Today()))
            m_services.monthChanged();
    } else {
        ++state.failures;
        state.dueMs = now + BackoffMs(state.failures);
        // Offline, every try fails alike: once in the log is enough until it works again.
        if (!state.reported) {
            state.reported = true;
            if (result.HeldBack > 0 && m_services.notify)
                m_services.notify(QStringLiteral("Quillon Desktop Calendar"),
                                  SyncTexts::Shown(result.Message) + tr(" Open Calendars... to decide."));
            const basDatabase::Subscription &failed = done.subscription;
            const QString name = failed.DisplayName.isEmpty() ? failed.Address : failed.DisplayName;
            // English for stderr and error.log, the user's language in the box.
            static constexpr auto kNotRefreshed = QT_TR_NOOP("The calendar \"%1\" could not be refreshed: %2");
            QString text = QString::fromUtf8(kNotRefreshed).arg(name, result.Message);
            QString shown = tr(kNotRefreshed).arg(name, SyncTexts::Shown(result.Message));
            if (!done.outcome->noStore.isEmpty()) {
                text += QStringLiteral(" (%1)").arg(done.outcome->noStore);
                shown += QStringLiteral(" (%1)").arg(done.outcome->shownNoStore);
            }
            std::fprintf(stderr, "quillon: %s\n", qPrintable(text));
            basErrorHandler::ReportError(kReportName, {basOperation::kDeviceUnavailable, text, 0, shown}, true,
                                         QString(), true);
        }
    }
    TellConflicts();
    emit Refreshed(result);
}

void LauncherSubscriptions::TellConflicts()
{
    if (!m_services.notify)
        return;
    basDatabase::EventStore store;
    basDatabase::ConflictStore conflicts(store);
    QList<basDatabase::Conflict> open;
    if (!store.OpenDatabaseConnection(m_path) || !conflicts.Get(0, open))
        return;
    QStringList lines;
    QList<qint64> told;
    for (const basDatabase::Conflict &conflict : std::as_const(open))
        if (!conflict.Told) {
            lines << SyncTexts::Shown(conflict.Message);
            told << conflict.Id;
        }
    // Once: marked before it is said, so that a failure to mark never says it again and again.
    if (lines.isEmpty() || !conflicts.MarkTold(told))
        return;
    m_services.notify(QStringLiteral("Quillon Desktop Calendar"),
                      lines.join(QLatin1Char('\n'))
                          + QLatin1Char('\n') + tr("Open Calendars... to send your change, keep both or drop it."));
}

void LauncherSubscriptions::SetTimer()
{
    // With none known yet, a look now and then finds those added meanwhile.
    if (m_state.isEmpty()) {
        m_next.start(static_cast<int>(IntervalMs(kShortestIntervalMinutes)));
        return;
    }
    // One running or waiting has its time set when it finishes.
    qint64 earliest = std::numeric_limits<qint64>::max();
    for (auto it = m_state.cbegin(); it != m_state.cend(); ++it)
        if (!IsWaiting(it.key()))
            earliest = std::min(earliest, it->dueMs);
    if (earliest == std::numeric_limits<qint64>::max()) {
        m_next.stop();
        return;
    }
    const qint64 wait = std::clamp(earliest - m_services.clock->MonotonicMs(), qint64{0}, kLongestWaitMs);
    m_next.start(static_cast<int>(wait));
}

void LauncherSubscriptions::AskPassword(const basDatabase::Subscription &subscription, const QString &noStore)
{
    const QString key = KeyOf(subscription);
    if (!m_services.askPassword || !m_services.passwords->FirstAsk(key))
        return;
    const QPointer<LauncherSubscriptions> self(this);
    m_services.askPassword(tr("%1.\n\nPassword for %2 at %3:")
                               .arg(noStore, subscription.UserName, QUrl(subscription.Address).host()),
                           [self, key](const QString &password) {
                               if (!self || password.isNull())
                                   return;
                               self->m_services.passwords->Remember(key, password);
                               self->RefreshAccount(key);
                           });
}

void LauncherSubscriptions::RefreshAccount(const QString &key)
{
    QList<basDatabase::Subscription> subscriptions;
    if (ReadSubscriptions(subscriptions)) {
        for (const basDatabase::Subscription &subscription : subscriptions) {
            if (!subscription.UserName.isEmpty() && KeyOf(subscription) == key && !IsWaiting(subscription.Id))
                m_queue.append(subscription);
        }
    }
    RunNext();
}

} // namespace quillon
