#include "CalendarList.h"

#include "basSecrets.h"
#include "basSync.h"

#include <QLocale>
#include <QUrl>

#include <algorithm>

using basDatabase::Subscription;

namespace {
CalendarList::Secrets DesktopSecrets()
{
    CalendarList::Secrets secrets;
    secrets.read = [](const QString &key) {
        const basSecrets::Answer answer = basSecrets::ReadSecret(key);
        return answer.Outcome == basSecrets::Status::Done ? answer.Secret : QString();
    };
    secrets.write = [](const QString &key, const QString &password) {
        const basSecrets::Answer kept = basSecrets::WriteSecret(key, password);
        if (kept.Outcome == basSecrets::Status::NoStore)
            return basSecrets::NoStoreText(kept.Error);
        if (kept.Outcome != basSecrets::Status::Done)
            return QStringLiteral("The password could not be kept in the secret store (%1).").arg(kept.Error);
        return QString();
    };
    secrets.forget = [](const QString &key) { basSecrets::DeleteSecret(key); };
    return secrets;
}

QString KeyOf(const Subscription &subscription)
{
    return basSync::SecretKey(subscription.UserName, QUrl(subscription.Address));
}
} // namespace

CalendarList::CalendarList(QString databasePath, Secrets secrets, QObject *parent)
    : QObject(parent),
      m_path(databasePath.isEmpty() ? basDatabase::EventStore::DatabasePath() : std::move(databasePath)),
      m_secrets(std::move(secrets))
{
    const Secrets desktop = DesktopSecrets();
    if (!m_secrets.read)
        m_secrets.read = desktop.read;
    if (!m_secrets.write)
        m_secrets.write = desktop.write;
    if (!m_secrets.forget)
        m_secrets.forget = desktop.forget;
}

bool CalendarList::Reload()
{
    m_calendars.clear();
    basDatabase::EventStore store;
    return store.OpenDatabaseConnection(m_path) && basDatabase::SubscriptionStore(store).GetSubscriptions(m_calendars);
}

QString CalendarList::LastRefreshText(const Subscription &subscription)
{
    return subscription.LastSuccess.isValid()
        ? QLocale().toString(subscription.LastSuccess.toLocalTime(), QLocale::ShortFormat)
        : QStringLiteral("never");
}

void CalendarList::SetBusy(bool busy, const QString &what)
{
    m_busy = busy;
    emit Busy(busy, what);
}

QString CalendarList::Add(const Addition &addition)
{
    const basSync::TypedAddress typed = basSync::ReadTypedAddress(addition.Address.trimmed());
    if (!typed.Error.isEmpty())
        return typed.Error;
    const QString user = addition.UserName.isEmpty() ? typed.UserName : addition.UserName;
    const QString password = addition.Password.isEmpty() ? typed.Password : addition.Password;
    if (m_busy)
        return QStringLiteral("Another calendar is being fetched.");

    SetBusy(true, QStringLiteral("Fetching %1 ...").arg(typed.Address.toDisplayString()));
    QStringList problems;
    QList<QDate> touched;
    const QString path = m_path;
    const Secrets secrets = m_secrets;
    basSync::RunOnSyncThread([&] {
        const basSync::Probe probe = basSync::ProbeAddress(typed.Address, user, password, QString());
        if (!probe.Error.isEmpty()) {
            problems << probe.Error;
            if (!probe.OfferedCertificate.isEmpty())
                problems << QStringLiteral("The server's certificate (SHA-256 %1) is not trusted.").arg(probe.OfferedCertificate);
            return;
        }
        QList<Subscription> added;
        if (probe.CalDav) {
            for (const basSync::CalDav::Calendar &calendar : probe.Calendars) {
                Subscription subscription;
                subscription.Type = Subscription::Kind::CalDav;
                subscription.Address = calendar.Address.toString();
                subscription.DisplayName = calendar.DisplayName.isEmpty() ? calendar.Address.path() : calendar.DisplayName;
                subscription.Color = calendar.Color;
                added << subscription;
            }
            if (added.isEmpty()) {
                problems << QStringLiteral("%1 has no calendars.").arg(typed.Address.toDisplayString());
                return;
            }
        } else {
            Subscription subscription;
            subscription.Address = typed.Address.toString();
            subscription.DisplayName = typed.Address.host() + typed.Address.path();
            added << subscription;
        }
        basDatabase::EventStore store;
        if (!store.OpenDatabaseConnection(path)) {
            problems << QStringLiteral("The database could not be opened: ") + path;
            return;
        }
        basDatabase::SubscriptionStore subscriptions(store);
        if (!user.isEmpty() && !password.isEmpty()) {
            const QString note = secrets.write(basSync::SecretKey(user, typed.Address), password);
            if (!note.isEmpty())
                problems << note;
        }
        for (Subscription &subscription : added) {
            subscription.UserName = user;
            if (!subscriptions.AddSubscription(subscription)) {
                problems << QStringLiteral("%1 could not be added.").arg(subscription.DisplayName);
                continue;
            }
            const basSync::RefreshResult result = basSync::Refresh(store, subscription.Id, password);
            if (result.Ok) {
                touched << result.Count.TouchedDates;
                continue;
            }
            // A calendar that never worked is not kept.
            problems << QStringLiteral("%1: %2").arg(subscription.DisplayName, result.Message);
            subscriptions.RemoveSubscription(subscription.Id);
        }
    });
    SetBusy(false, QString());
    Reload();
    if (!touched.isEmpty())
        emit DatesChanged(touched);
    return problems.join(QLatin1Char('\n'));
}

bool CalendarList::Remove(qint64 id)
{
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(m_path))
        return false;
    basDatabase::SubscriptionStore subscriptions(store);
    Subscription gone;
    basDatabase::RefreshCount count;
    if (!subscriptions.GetSubscription(id, gone) || !subscriptions.RemoveSubscription(id, &count))
        return false;
    Reload();
    // The password goes with the last calendar of its account.
    const QString key = KeyOf(gone);
    if (!gone.UserName.isEmpty()
        && std::none_of(m_calendars.cbegin(), m_calendars.cend(), [&](const Subscription &s) { return KeyOf(s) == key; })) {
        const auto forget = m_secrets.forget;
        basSync::RunOnSyncThread([&] { forget(key); });
    }
    if (!count.TouchedDates.isEmpty())
        emit DatesChanged(count.TouchedDates);
    return true;
}

QString CalendarList::Refresh(qint64 id)
{
    const auto found = std::find_if(m_calendars.cbegin(), m_calendars.cend(), [&](const Subscription &s) { return s.Id == id; });
    if (found == m_calendars.cend())
        return QStringLiteral("No such calendar.");
    if (m_busy)
        return QStringLiteral("Another calendar is being fetched.");
    const Subscription subscription = *found;
    SetBusy(true, QStringLiteral("Refreshing %1 ...").arg(subscription.DisplayName));
    basSync::RefreshResult result;
    const QString path = m_path;
    const Secrets secrets = m_secrets;
    basSync::RunOnSyncThread([&] {
        const QString password = subscription.UserName.isEmpty() ? QString() : secrets.read(KeyOf(subscription));
        basDatabase::EventStore store;
        if (store.OpenDatabaseConnection(path))
            result = basSync::Refresh(store, subscription.Id, password);
        else
            result.Message = QStringLiteral("The database could not be opened: ") + path;
    });
    SetBusy(false, QString());
    Reload();
    if (result.Ok && !result.Count.TouchedDates.isEmpty())
        emit DatesChanged(result.Count.TouchedDates);
    return result.Ok ? QString() : result.Message;
}
