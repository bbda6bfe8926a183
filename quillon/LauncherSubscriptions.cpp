#include "LauncherSubscriptions.h"

#include "EventService.h"
#include "EventStore.h"
#include "basErrorHandler.h"
#include "basOperation.h"
#include "SessionPasswords.h"

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
    if (m_running) {
        // Its answer has nobody left to go to; the request times out on its own.
        disconnect(m_running, nullptr, this, nullptr);
        m_running->wait();
        delete m_running;
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
    return (m_running && m_current.Id == id)
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

void LauncherSubscriptions::RunNext()
{
    if (m_running)
        return;
    if (m_queue.isEmpty()) {
        SetTimer();
        emit Settled();
        return;
    }
    const basDatabase::Subscription subscription = m_queue.takeFirst();
    m_current = subscription;
    const QString path = m_path;
    const auto password = m_services.password;
    const std::shared_ptr<SessionPasswords> passwords = m_services.passwords;
    const basSync::RefreshOptions options = m_services.options;
    m_running = QThread::create([this, path, password, passwords, options, subscription] {
        QString secret;
        QString noStore;
        if (password) {
            secret = password(subscription);
        } else if (!subscription.UserName.isEmpty()) {
            const SessionPasswords::Found found = passwords->Find(KeyOf(subscription));
            secret = found.Password;
            if (secret.isNull())
                noStore = found.NoStore;
        }
        basSync::RefreshResult result;
        result.Id = subscription.Id;
        basDatabase::EventStore store;
        if (store.OpenDatabaseConnection(path))
            result = basSync::Refresh(store, subscription.Id, secret, options);
        else
            result.Message = QStringLiteral("The database could not be opened: ") + path;
        // Read only after the thread finished.
        m_result = result;
        m_noStore = noStore;
    });
    connect(m_running, &QThread::finished, this, [this] {
        QThread *done = m_running;
        m_running = nullptr;
        done->wait();
        done->deleteLater();
        OnFinished(m_result);
        if (!m_result.Ok && !m_noStore.isEmpty())
            AskPassword(m_current, m_noStore);
        RunNext();
    });
    m_running->start();
}

void LauncherSubscriptions::OnFinished(const basSync::RefreshResult &result)
{
    State &state = m_state[result.Id];
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
            const QString name = m_current.DisplayName.isEmpty() ? m_current.Address : m_current.DisplayName;
            QString text = QStringLiteral("The calendar \"%1\" could not be refreshed: %2").arg(name, result.Message);
            if (!m_noStore.isEmpty())
                text += QStringLiteral(" (%1)").arg(m_noStore);
            std::fprintf(stderr, "quillon: %s\n", qPrintable(text));
            basErrorHandler::ReportError(kReportName, {basOperation::kDeviceUnavailable, text, 0}, true, QString(),
                                         true);
        }
    }
    emit Refreshed(result);
}

void LauncherSubscriptions::SetTimer()
{
    // With none known yet, a look now and then finds those added meanwhile.
    if (m_state.isEmpty()) {
        m_next.start(static_cast<int>(IntervalMs(kShortestIntervalMinutes)));
        return;
    }
    qint64 earliest = std::numeric_limits<qint64>::max();
    for (const State &state : std::as_const(m_state))
        earliest = std::min(earliest, state.dueMs);
    const qint64 wait = std::clamp(earliest - m_services.clock->MonotonicMs(), qint64{0}, kLongestWaitMs);
    m_next.start(static_cast<int>(wait));
}

void LauncherSubscriptions::AskPassword(const basDatabase::Subscription &subscription, const QString &noStore)
{
    const QString key = KeyOf(subscription);
    if (!m_services.askPassword || !m_services.passwords->FirstAsk(key))
        return;
    const QPointer<LauncherSubscriptions> self(this);
    m_services.askPassword(QStringLiteral("%1.\n\nPassword for %2 at %3:")
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
