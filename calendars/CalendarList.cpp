#include "CalendarList.h"

#include "EventStore.h"
#include "basSecrets.h"
#include "basSync.h"
#include "SyncTexts.h"

#include <QLocale>
#include <QUrl>

#include <algorithm>

namespace quillon {

using basDatabase::Subscription;

namespace {
QString KeyOf(const Subscription &subscription)
{
    return basSync::SecretKey(subscription.UserName, QUrl(subscription.Address));
}

basSync::RefreshResult RefreshOnSyncThread(const QString &path, qint64 id, const QString &password,
                                           const basSync::RefreshOptions &options = {})
{
    basSync::RefreshResult result;
    basSync::RunOnSyncThread([&] {
        basDatabase::EventStore store;
        if (store.OpenDatabaseConnection(path))
            result = basSync::Refresh(store, id, password, options);
        else
            result.Message = QString::fromUtf8(SyncTexts::kDatabaseUnopened).arg(path);
    });
    return result;
}

QString AlreadyText(const QString &address, const Subscription &existing)
{
    return CalendarList::tr("%1 is already subscribed as ID %2 (%3).").arg(address).arg(existing.Id).arg(existing.DisplayName);
}

// Events stay as they are: only the subscription's trusted certificate changes.
bool Trust(const QString &path, qint64 id, const QString &fingerprint)
{
    basDatabase::EventStore store;
    basDatabase::SubscriptionStore subscriptions(store);
    Subscription subscription;
    if (!store.OpenDatabaseConnection(path) || !subscriptions.GetSubscription(id, subscription))
        return false;
    subscription.CertificateSha256 = fingerprint;
    return subscriptions.UpdateSubscription(subscription);
}
} // namespace

CalendarList::CalendarList(QString databasePath, std::shared_ptr<SessionPasswords> passwords, QObject *parent)
    : QObject(parent),
      m_path(databasePath.isEmpty() ? basDatabase::EventStore::DatabasePath() : std::move(databasePath)),
      m_passwords(passwords ? std::move(passwords) : std::make_shared<SessionPasswords>())
{
}

bool CalendarList::Reload()
{
    m_calendars.clear();
    m_waiting.clear();
    m_conflicts.clear();
    basDatabase::EventStore store;
    basDatabase::SubscriptionStore subscriptions(store);
    QList<basDatabase::OutboxEntry> waiting;
    if (!store.OpenDatabaseConnection(m_path) || !subscriptions.GetSubscriptions(m_calendars)
        || !subscriptions.GetOutbox(0, waiting) || !basDatabase::ConflictStore(store).Get(0, m_conflicts))
        return false;
    for (const basDatabase::OutboxEntry &entry : std::as_const(waiting))
        ++m_waiting[entry.SubscriptionId];
    return true;
}

QString CalendarList::Settle(const basDatabase::Conflict &conflict, basSync::Settle how)
{
    QList<QDate> touched;
    {
        basDatabase::EventStore store;
        if (!store.OpenDatabaseConnection(m_path))
            return QString::fromUtf8(SyncTexts::kDatabaseUnopened).arg(m_path);
        EventService events(store);
        if (how != basSync::Settle::KeepBoth)
            for (const qint64 copy : conflict.Copies)
                touched << events.DatesOf(copy).value_or(QList<QDate>());
        if (!basSync::SettleConflict(store, conflict, how))
            return tr("The conflict could not be settled: %1").arg(store.LastFailure());
    }
    if (!touched.isEmpty())
        emit DatesChanged(touched);
    Reload();
    return how == basSync::Settle::SendMine ? Refresh(conflict.SubscriptionId) : QString();
}

bool CalendarList::SetShown(qint64 id, bool shown)
{
    basDatabase::EventStore store;
    basDatabase::SubscriptionStore subscriptions(store);
    if (!store.OpenDatabaseConnection(m_path) || !subscriptions.SetHidden(id, !shown))
        return false;
    EmitCalendarDays(store, id);
    return Reload();
}

bool CalendarList::SetColor(qint64 id, const QString &color)
{
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(m_path) || !basSync::SetCalendarColor(store, id, color))
        return false;
    EmitCalendarDays(store, id);
    return Reload();
}

void CalendarList::EmitCalendarDays(basDatabase::EventStore &store, qint64 id)
{
    QList<QDate> days;
    if (basDatabase::SubscriptionStore(store).GetDaysOf(id, days) && !days.isEmpty())
        emit DatesChanged(days);
}

QList<CalendarChoice> CalendarList::NewEventsChoices()
{
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(m_path))
        return {};
    return EventService(store).WritableCalendars();
}

qint64 CalendarList::NewEventsCalendar()
{
    basDatabase::EventStore store;
    return store.OpenDatabaseConnection(m_path) ? EventService(store).NewEventsCalendar() : 0;
}

bool CalendarList::SetNewEventsCalendar(qint64 calendar)
{
    basDatabase::EventStore store;
    return store.OpenDatabaseConnection(m_path) && EventService(store).SetNewEventsCalendar(calendar);
}

QString CalendarList::AlreadySubscribed(const QString &address, const QString &userName) const
{
    basDatabase::EventStore store;
    std::optional<Subscription> existing;
    if (!store.OpenDatabaseConnection(m_path))
        return QString::fromUtf8(SyncTexts::kDatabaseUnopened).arg(m_path);
    if (!basDatabase::SubscriptionStore(store).FindSubscriptionAt(address, userName, existing))
        return tr("The calendars could not be read from %1").arg(m_path);
    return existing ? AlreadyText(address, *existing) : QString();
}

QString CalendarList::LastRefreshText(const Subscription &subscription)
{
    return subscription.LastSuccess.isValid()
        ? QLocale().toString(subscription.LastSuccess.toLocalTime(), QLocale::ShortFormat)
        : tr("never");
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
        return tr("Another calendar is being fetched.");
    QStringList problems;
    // Refused before the server is asked: a second subscription would bring every event twice.
    const QString already = AlreadySubscribed(typed.Address.toString(), user);
    if (!already.isEmpty())
        return already;
    if (!user.isEmpty() && basSync::SendsPasswordUnencrypted(typed.Address)) {
        const QString warning = basSync::UnencryptedPasswordText(typed.Address) + QLatin1Char('.');
        if (m_askUnencrypted && !m_askUnencrypted(warning))
            return QString();
        if (!m_askUnencrypted)
            problems << warning;
    }

    SetBusy(true, tr("Fetching %1 ...").arg(typed.Address.toDisplayString()));
    QList<QDate> touched;
    const QString path = m_path;
    const std::shared_ptr<SessionPasswords> passwords = m_passwords;
    // A certificate that does not verify is asked about once; trusted, the server is
    // asked again with it.
    QString trusted;
    basSync::Probe probe;
    for (;;) {
        basSync::RunOnSyncThread([&] { probe = basSync::ProbeAddress(typed.Address, user, password, trusted); });
        if (probe.Error.isEmpty() || probe.OfferedCertificate.isEmpty() || !trusted.isEmpty() || !m_askTrust
            || !m_askTrust(probe.Error))
            break;
        trusted = probe.OfferedCertificate;
    }
    basSync::RunOnSyncThread([&] {
        if (!probe.Error.isEmpty()) {
            problems << probe.Error;
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
                subscription.Writable = calendar.Writable;
                added << subscription;
            }
            if (added.isEmpty()) {
                problems << tr("%1 has no calendars.").arg(typed.Address.toDisplayString());
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
            problems << QString::fromUtf8(SyncTexts::kDatabaseUnopened).arg(path);
            return;
        }
        basDatabase::SubscriptionStore subscriptions(store);
        bool synced = false;
        for (Subscription &subscription : added) {
            subscription.UserName = user;
            subscription.CertificateSha256 = trusted;
            std::optional<Subscription> existing;
            if (subscriptions.FindSubscriptionAt(subscription.Address, user, existing) && existing) {
                problems << AlreadyText(subscription.Address, *existing);
                continue;
            }
            if (!subscriptions.AddSubscription(subscription)) {
                problems << tr("%1 could not be added: %2").arg(subscription.DisplayName, subscriptions.LastFailure());
                continue;
            }
            const basSync::RefreshResult result = basSync::Refresh(store, subscription.Id, password);
            if (result.Ok) {
                synced = true;
                touched << result.Count.TouchedDates;
                continue;
            }
            // A calendar that never worked is not kept.
            problems << QStringLiteral("%1: %2").arg(subscription.DisplayName, result.Message);
            subscriptions.RemoveSubscription(subscription.Id);
        }
        // Kept only once the server took it: a refused password leaves nothing behind.
        if (synced && !user.isEmpty() && !password.isEmpty()) {
            const QString note = passwords->Keep(basSync::SecretKey(user, typed.Address), password);
            if (!note.isEmpty())
                problems << note;
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
        const std::shared_ptr<SessionPasswords> passwords = m_passwords;
        basSync::RunOnSyncThread([&] { passwords->Forget(key); });
    }
    if (!count.TouchedDates.isEmpty())
        emit DatesChanged(count.TouchedDates);
    return true;
}

QString CalendarList::PasswordOf(const Subscription &subscription)
{
    if (subscription.UserName.isEmpty())
        return QString();
    const QString key = KeyOf(subscription);
    SessionPasswords::Found found;
    const std::shared_ptr<SessionPasswords> passwords = m_passwords;
    basSync::RunOnSyncThread([&] { found = passwords->Find(key); });
    // The user asked for this refresh: asked each time until a password is given.
    if (found.Password.isNull() && !found.NoStore.isEmpty() && m_askPassword) {
        passwords->FirstAsk(key);
        found.Password = m_askPassword(tr("%1.\n\nPassword for %2 at %3:")
                                           .arg(found.ShownNoStore, subscription.UserName, QUrl(subscription.Address).host()));
        if (!found.Password.isNull())
            passwords->Remember(key, found.Password);
    }
    return found.Password;
}

QString CalendarList::Refresh(qint64 id)
{
    const auto found = std::find_if(m_calendars.cbegin(), m_calendars.cend(), [&](const Subscription &s) { return s.Id == id; });
    if (found == m_calendars.cend())
        return tr("No such calendar.");
    if (m_busy)
        return tr("Another calendar is being fetched.");
    const Subscription subscription = *found;
    SetBusy(true, tr("Refreshing %1 ...").arg(subscription.DisplayName));
    const QString password = PasswordOf(subscription);
    basSync::RefreshResult result = RefreshOnSyncThread(m_path, subscription.Id, password);
    // Shown the certificate, the user may trust it; a changed one is asked about anew.
    if (!result.Ok && !result.OfferedCertificate.isEmpty() && m_askTrust && m_askTrust(result.Message)) {
        if (Trust(m_path, subscription.Id, result.OfferedCertificate))
            result = RefreshOnSyncThread(m_path, subscription.Id, password);
    }
    // Most of the calendar gone on the server: removed here only when the user says so.
    if (!result.Ok && result.HeldBack > 0 && m_askMassDelete && m_askMassDelete(result.Message)) {
        basSync::RefreshOptions options;
        options.AllowMassDelete = true;
        result = RefreshOnSyncThread(m_path, subscription.Id, password, options);
    }
    SetBusy(false, QString());
    Reload();
    if (result.Ok && !result.Count.TouchedDates.isEmpty())
        emit DatesChanged(result.Count.TouchedDates);
    return result.Ok ? QString() : result.Message;
}

} // namespace quillon
