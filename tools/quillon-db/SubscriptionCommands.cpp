#include "SubscriptionCommands.h"

#include "CalendarCommands.h"
#include "EventService.h"
#include "EventStore.h"
#include "Output.h"
#include "SubscriptionStore.h"
#include "SyncTexts.h"
#include "basSecrets.h"
#include "basSync.h"
#include "basTerminal.h"
#include "platform/basPlatform.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <optional>

namespace quillon {

namespace SubscriptionCommands {

namespace {

using basDatabase::Subscription;
using quillondb::Print;

constexpr int kDone = 0;
constexpr int kSomeFailed = 1;
constexpr int kFailed = 2;
constexpr int kUsage = 64;

int Usage(const char *usage)
{
    Print(stderr, QStringLiteral("usage: %1").arg(QLatin1String(usage)));
    return kUsage;
}

// One line from standard input, without its line end.
QString ReadStandardInputLine()
{
    QTextStream in(stdin);
    return in.readLine();
}

// Events are private: only the user may read the file (and its journal).
void MakePrivate(const QString &databaseFile)
{
    for (const char *suffix : {"", "-wal", "-shm"}) {
        const QString file = databaseFile + QLatin1String(suffix);
        if (QFile::exists(file))
            QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

// The secret store for one run of the tool: a slow answer is said on the terminal while
// it is awaited, a store that did not answer or has no room is said once, and one that
// did not answer is not asked again (the next call would wait behind the first). One
// without a collection is still asked to keep a password: on a desktop, that is when it
// offers to make one.
class ToolSecrets {
public:
    basSecrets::Answer Read(const QString &key)
    {
        return Ask([&](const basSecrets::CallOptions &options) { return basSecrets::ReadSecret(key, options); });
    }
    basSecrets::Answer Write(const QString &key, const QString &secret)
    {
        return Ask([&](const basSecrets::CallOptions &options) { return basSecrets::WriteSecret(key, secret, options); });
    }
    basSecrets::Answer Delete(const QString &key)
    {
        return Ask([&](const basSecrets::CallOptions &options) { return basSecrets::DeleteSecret(key, options); });
    }

private:
    template <class Call>
    basSecrets::Answer Ask(Call &&call)
    {
        if (!m_silent.isEmpty())
            return basSecrets::Answer{basSecrets::Status::NoStore, {}, m_silent, true};
        basSecrets::CallOptions options;
        options.Waiting = [](const QString &notice) { Print(stderr, QStringLiteral("quillon-db: %1").arg(notice)); };
        const basSecrets::Answer answer = call(options);
        if (answer.Outcome == basSecrets::Status::NoStore && !m_said) {
            m_said = true;
            Print(stderr, QStringLiteral("quillon-db: %1")
                              .arg(basSecrets::ShownNoStoreText(
                                  answer.Error.isEmpty() ? QCoreApplication::translate("quillon-db", "no reason given")
                                                         : answer.Error)));
        }
        if (answer.TimedOut)
            m_silent = answer.Error;
        return answer;
    }

    bool m_said = false;
    QString m_silent;
};

struct Password {
    QString Text;         // null: none
    bool Stored = false;  // it came from the secret store
};

// The password of the user at address: the secret store's, else asked on the terminal.
// A null text when neither gave one (the reason printed).
Password PasswordFor(ToolSecrets &secrets, const QString &userName, const QUrl &address)
{
    if (userName.isEmpty())
        return {};
    const basSecrets::Answer stored = secrets.Read(basSync::SecretKey(userName, address));
    if (stored.Outcome == basSecrets::Status::Done)
        return {stored.Secret, true};
    const std::optional<QString> typed =
        basTerminal::ReadHiddenLine(QCoreApplication::translate("quillon-db", "Password for %1 at %2: ").arg(userName, address.host()));
    if (typed)
        return {*typed, false};
    Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: no password for %1 at %2 (none stored, and no terminal to ask on)")
                      .arg(userName, address.host()));
    return {};
}

// A certificate's SHA-256 fingerprint as typed: 32 hex bytes, with or without colons.
bool IsFingerprint(const QString &typed)
{
    static const QRegularExpression kForm(QStringLiteral("^[0-9A-Fa-f]{64}$"));
    return kForm.match(QString(typed).remove(QLatin1Char(':')).trimmed()).hasMatch();
}

QString NoSuchSubscription(qint64 id) { return QCoreApplication::translate("quillon-db", "quillon-db: no subscription with the id %1").arg(id); }

// The subscription that already follows address for userName, said; false when none
// does (or the store could not be read: reported, and refused alike).
bool AlreadySubscribed(basDatabase::SubscriptionStore &subscriptions, const QString &address, const QString &userName)
{
    std::optional<Subscription> existing;
    if (!subscriptions.FindSubscriptionAt(address, userName, existing))
        return true;
    if (!existing)
        return false;
    Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: %1 is already subscribed as ID %2 (%3)")
                      .arg(address)
                      .arg(existing->Id)
                      .arg(existing->DisplayName));
    return true;
}

void PrintWarnings(const QString &name, const basSync::RefreshResult &result)
{
    if (result.Message.isEmpty())
        return;
    for (const QString &warning : SyncTexts::Shown(result.Message).split(QLatin1Char('\n')))
        Print(stdout, QStringLiteral("warning: %1: %2").arg(name, warning));
}

void PrintResult(const Subscription &subscription, const basSync::RefreshResult &result)
{
    const QString name = QStringLiteral("%1 %2").arg(subscription.Id).arg(subscription.DisplayName);
    if (!result.Ok) {
        Print(stderr, QStringLiteral("quillon-db: %1: %2").arg(name, SyncTexts::Shown(result.Message)));
        if (result.HeldBack > 0)
            Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: to remove them: quillon-db refresh DB %1 --allow-mass-delete").arg(subscription.Id));
        if (!result.OfferedCertificate.isEmpty())
            Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: to trust this certificate: quillon-db trust DB %1 %2")
                              .arg(subscription.Id)
                              .arg(result.OfferedCertificate));
        return;
    }
    PrintWarnings(name, result);
    Print(stdout, result.NotModified ? QStringLiteral("refreshed %1: not modified").arg(name)
                                     : QStringLiteral("refreshed %1: %2 added, %3 updated, %4 removed, %5 unchanged")
                                           .arg(name)
                                           .arg(result.Count.Added)
                                           .arg(result.Count.Updated)
                                           .arg(result.Count.Removed)
                                           .arg(result.Count.Unchanged));
}

// Refreshes each subscription on the sync thread with its own store connection.
QList<basSync::RefreshResult> RefreshOnSyncThread(const QString &databaseFile,
                                                  const QList<std::pair<qint64, QString>> &passwords,
                                                  const basSync::RefreshOptions &options)
{
    QList<basSync::RefreshResult> results;
    basSync::RunOnSyncThread([&] {
        basDatabase::EventStore store;
        if (!store.OpenDatabaseConnection(databaseFile))
            return;
        for (const auto &[id, password] : passwords)
            results.append(basSync::Refresh(store, id, password, options));
    });
    return results;
}

bool TouchesShownMonth(const QList<basSync::RefreshResult> &results)
{
    for (const basSync::RefreshResult &result : results) {
        if (EventService::TouchesShownMonth(result.Count.TouchedDates, basPlatform::Today()))
            return true;
    }
    return false;
}

} // namespace

int Subscribe(const QStringList &arguments)
{
    QString name;
    QString user;
    QString calendarName;
    QString trust;
    bool passwordFromStdin = false;
    QStringList files;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--name") && hasValue)
            name = arguments[++i];
        else if (argument == QLatin1String("--user") && hasValue)
            user = arguments[++i];
        else if (argument == QLatin1String("--calendar") && hasValue)
            calendarName = arguments[++i];
        else if (argument == QLatin1String("--trust") && hasValue) {
            trust = basSync::HttpSession::CanonicalFingerprint(arguments[++i]);
            if (!IsFingerprint(arguments[i])) {
                Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: --trust takes a SHA-256 fingerprint (32 hex bytes, as "
                                             "AB:CD:...), not \"%1\"")
                                  .arg(arguments[i]));
                return Usage(kSubscribeUsage);
            }
        } else if (argument == QLatin1String("--password-stdin"))
            passwordFromStdin = true;
        else if (!argument.startsWith(QLatin1String("--")))
            files.append(argument);
        else
            return Usage(kSubscribeUsage);
    }
    if (files.size() != 2)
        return Usage(kSubscribeUsage);
    const QString &databaseFile = files[0];
    const basSync::TypedAddress typed = basSync::ReadTypedAddress(files[1]);
    if (!typed.Error.isEmpty()) {
        Print(stderr, QStringLiteral("quillon-db: %1").arg(SyncTexts::Shown(typed.Error)));
        return kUsage;
    }
    if (user.isEmpty())
        user = typed.UserName;
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(databaseFile))
        return kFailed;
    basDatabase::SubscriptionStore subscriptions(store);
    // Refused before the server is asked: a second subscription would bring every event twice.
    if (AlreadySubscribed(subscriptions, typed.Address.toString(), user))
        return kFailed;
    if (!user.isEmpty() && basSync::SendsPasswordUnencrypted(typed.Address))
        Print(stderr, QStringLiteral("quillon-db: warning: %1").arg(SyncTexts::Shown(basSync::UnencryptedPasswordText(typed.Address))));
    ToolSecrets secrets;
    Password password{typed.Password, false};
    if (passwordFromStdin) {
        password.Text = ReadStandardInputLine();
        if (password.Text.isNull()) {
            Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: no password on standard input (--password-stdin reads it from "
                                         "the first line)"));
            return kFailed;
        }
    } else if (password.Text.isNull() && !user.isEmpty()) {
        password = PasswordFor(secrets, user, typed.Address);
    }
    if (!user.isEmpty() && password.Text.isNull())
        return kFailed;

    basSync::Probe probe;
    basSync::RunOnSyncThread([&] { probe = basSync::ProbeAddress(typed.Address, user, password.Text, trust); });
    if (!probe.Error.isEmpty()) {
        Print(stderr, QStringLiteral("quillon-db: %1").arg(SyncTexts::Shown(probe.Error)));
        if (!probe.OfferedCertificate.isEmpty())
            Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: to trust this certificate, subscribe again with --trust %1")
                              .arg(probe.OfferedCertificate));
        Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: nothing was subscribed"));
        return kFailed;
    }

    QList<Subscription> added;
    bool refused = false;
    if (probe.CalDav) {
        for (const basSync::CalDav::Calendar &calendar : std::as_const(probe.Calendars)) {
            if (!calendarName.isEmpty() && calendar.DisplayName != calendarName
                && calendar.Address.path().section(QLatin1Char('/'), -2, -1).remove(QLatin1Char('/')) != calendarName)
                continue;
            if (calendar.Address != typed.Address && AlreadySubscribed(subscriptions, calendar.Address.toString(), user)) {
                refused = true;
                continue;
            }
            Subscription subscription;
            subscription.Type = Subscription::Kind::CalDav;
            subscription.Address = calendar.Address.toString();
            subscription.DisplayName = !name.isEmpty() ? name
                                       : calendar.DisplayName.isEmpty() ? calendar.Address.path()
                                                                        : calendar.DisplayName;
            subscription.Color = calendar.Color;
            subscription.Writable = calendar.Writable;
            added.append(subscription);
        }
        if (added.isEmpty() && refused) {
            Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: nothing was subscribed"));
            return kFailed;
        }
        if (added.isEmpty()) {
            Print(stderr, calendarName.isEmpty()
                              ? QCoreApplication::translate("quillon-db", "quillon-db: %1 has no calendars").arg(typed.Address.toDisplayString())
                              : QCoreApplication::translate("quillon-db", "quillon-db: %1 has no calendar named \"%2\"")
                                    .arg(typed.Address.toDisplayString(), calendarName));
            return kFailed;
        }
    } else {
        if (!calendarName.isEmpty()) {
            Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: %1 is a single calendar, not a CalDAV account: --calendar does not apply")
                              .arg(typed.Address.toDisplayString()));
            return kUsage;
        }
        Subscription subscription;
        subscription.Address = typed.Address.toString();
        subscription.DisplayName = name.isEmpty() ? typed.Address.host() + typed.Address.path() : name;
        added.append(subscription);
    }

    QList<std::pair<qint64, QString>> toRefresh;
    for (Subscription &subscription : added) {
        subscription.UserName = user;
        subscription.CertificateSha256 = trust;
        if (!subscriptions.AddSubscription(subscription))
            return kFailed;
        toRefresh.append({subscription.Id, password.Text});
    }
    MakePrivate(databaseFile);

    const QList<basSync::RefreshResult> results = RefreshOnSyncThread(databaseFile, toRefresh, {});
    bool allDone = !refused && results.size() == added.size();
    bool anyDone = false;
    for (qsizetype i = 0; i < added.size(); ++i) {
        const basSync::RefreshResult result = i < results.size() ? results[i] : basSync::RefreshResult{};
        if (result.Ok) {
            anyDone = true;
            PrintWarnings(QStringLiteral("%1 %2").arg(added[i].Id).arg(added[i].DisplayName), result);
            Print(stdout, QStringLiteral("subscribed %1 %2 (%3): %4 events")
                              .arg(added[i].Id)
                              .arg(added[i].DisplayName, added[i].Address)
                              .arg(result.Count.Added));
            continue;
        }
        allDone = false;
        PrintResult(added[i], result);
        // A subscription that never worked is not kept.
        subscriptions.RemoveSubscription(added[i].Id);
    }
    // Kept only once the server took it: a refused password (or a line that was none)
    // leaves nothing in the store.
    if (anyDone && !user.isEmpty() && !password.Stored) {
        const basSecrets::Answer kept = secrets.Write(basSync::SecretKey(user, typed.Address), password.Text);
        if (kept.Outcome != basSecrets::Status::Done && kept.Outcome != basSecrets::Status::NoStore)
            Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: the password could not be kept in the secret store (%1); it is "
                                         "asked each time")
                              .arg(kept.Error));
    }
    if (TouchesShownMonth(results))
        CalendarCommands::RedrawDesktopCalendar();
    return allDone ? kDone : kFailed;
}

int List(const QStringList &arguments)
{
    if (arguments.size() != 1 || arguments[0].startsWith(QLatin1String("--")))
        return Usage(kSubscriptionsUsage);
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(arguments[0]))
        return kFailed;
    QList<Subscription> all;
    if (!basDatabase::SubscriptionStore(store).GetSubscriptions(all))
        return kFailed;
    for (const Subscription &s : std::as_const(all)) {
        Print(stdout, QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6")
                          .arg(s.Id)
                          .arg(basDatabase::SubscriptionStore::KindText(s.Type), s.DisplayName, s.Address,
                               s.LastSuccess.isValid() ? s.LastSuccess.toLocalTime().toString(Qt::ISODate)
                                                       : QStringLiteral("never"),
                               s.LastError.isEmpty() ? QStringLiteral("ok")
                                                     : QString(s.LastError).replace(QLatin1Char('\n'), QStringLiteral(" | "))));
    }
    return kDone;
}

int Refresh(const QStringList &given)
{
    // A server that says "empty" empties the calendar here only when told so.
    QStringList arguments = given;
    basSync::RefreshOptions options;
    options.AllowMassDelete = arguments.removeAll(QStringLiteral("--allow-mass-delete")) > 0;
    if (arguments.isEmpty() || arguments.size() > 2 || arguments[0].startsWith(QLatin1String("--")))
        return Usage(kRefreshUsage);
    const QString &databaseFile = arguments[0];
    qint64 only = 0;
    if (arguments.size() == 2) {
        bool ok = false;
        only = arguments[1].toLongLong(&ok);
        if (!ok || only <= 0)
            return Usage(kRefreshUsage);
    }
    QList<Subscription> all;
    {
        basDatabase::EventStore store;
        if (!store.OpenDatabaseConnection(databaseFile))
            return kFailed;
        basDatabase::SubscriptionStore subscriptions(store);
        if (only != 0) {
            std::optional<Subscription> one;
            if (!subscriptions.FindSubscription(only, one))
                return kFailed;
            if (!one) {
                Print(stderr, NoSuchSubscription(only));
                return kFailed;
            }
            all.append(*one);
        } else if (!subscriptions.GetSubscriptions(all)) {
            return kFailed;
        }
    }
    // The passwords are found here, before the sync thread, so that a prompt is asked
    // once per account.
    ToolSecrets secrets;
    QHash<QString, QString> byKey;
    QList<std::pair<qint64, QString>> toRefresh;
    for (const Subscription &subscription : std::as_const(all)) {
        const QString key = basSync::SecretKey(subscription.UserName, QUrl(subscription.Address));
        if (!subscription.UserName.isEmpty() && !byKey.contains(key))
            byKey.insert(key, PasswordFor(secrets, subscription.UserName, QUrl(subscription.Address)).Text);
        toRefresh.append({subscription.Id, byKey.value(key)});
    }
    const QList<basSync::RefreshResult> results = RefreshOnSyncThread(databaseFile, toRefresh, options);
    bool allDone = results.size() == all.size();
    for (qsizetype i = 0; i < results.size(); ++i) {
        PrintResult(all[i], results[i]);
        allDone = allDone && results[i].Ok;
    }
    if (TouchesShownMonth(results))
        CalendarCommands::RedrawDesktopCalendar();
    return allDone ? kDone : kSomeFailed;
}

int Unsubscribe(const QStringList &arguments)
{
    bool ok = false;
    const qint64 id = arguments.size() == 2 ? arguments[1].toLongLong(&ok) : 0;
    if (!ok || id <= 0)
        return Usage(kUnsubscribeUsage);
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(arguments[0]))
        return kFailed;
    basDatabase::SubscriptionStore subscriptions(store);
    std::optional<Subscription> found;
    basDatabase::RefreshCount count;
    if (!subscriptions.FindSubscription(id, found))
        return kFailed;
    if (!found || !subscriptions.RemoveSubscription(id, &count)) {
        // Removed by another run meanwhile, or never there: said, not reported.
        if (!found || subscriptions.Gone())
            Print(stderr, NoSuchSubscription(id));
        return kFailed;
    }
    const Subscription gone = *found;
    // The password goes with the last subscription of its account.
    QList<Subscription> rest;
    const QString key = basSync::SecretKey(gone.UserName, QUrl(gone.Address));
    if (!gone.UserName.isEmpty() && subscriptions.GetSubscriptions(rest)
        && std::none_of(rest.cbegin(), rest.cend(), [&](const Subscription &s) {
               return basSync::SecretKey(s.UserName, QUrl(s.Address)) == key;
           }))
        ToolSecrets().Delete(key);
    Print(stdout, QStringLiteral("unsubscribed %1 %2: %3 events removed").arg(id).arg(gone.DisplayName).arg(count.Removed));
    if (EventService::TouchesShownMonth(count.TouchedDates, basPlatform::Today()))
        CalendarCommands::RedrawDesktopCalendar();
    return kDone;
}

int Trust(const QStringList &arguments)
{
    bool ok = false;
    const qint64 id = arguments.size() == 3 ? arguments[1].toLongLong(&ok) : 0;
    const QString fingerprint = arguments.size() == 3 ? basSync::HttpSession::CanonicalFingerprint(arguments[2]) : QString();
    if (!ok || id <= 0 || !IsFingerprint(arguments[2]))
        return Usage(kTrustUsage);
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(arguments[0]))
        return kFailed;
    basDatabase::SubscriptionStore subscriptions(store);
    std::optional<Subscription> found;
    if (!subscriptions.FindSubscription(id, found))
        return kFailed;
    if (!found) {
        Print(stderr, NoSuchSubscription(id));
        return kFailed;
    }
    Subscription subscription = *found;
    subscription.CertificateSha256 = fingerprint;
    if (!subscriptions.UpdateSubscription(subscription)) {
        if (subscriptions.Gone())
            Print(stderr, NoSuchSubscription(id));
        return kFailed;
    }
    Print(stdout, QStringLiteral("%1 %2 trusts the certificate %3").arg(id).arg(subscription.DisplayName, fingerprint));
    return kDone;
}

void HidePasswords(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        char *scheme = std::strstr(argv[i], "://");
        if (!scheme)
            continue;
        char *authority = scheme + 3;
        char *at = std::strchr(authority, '@');
        char *slash = std::strchr(authority, '/');
        char *colon = std::strchr(authority, ':');
        if (at && colon && colon < at && (!slash || at < slash))
            std::memset(colon + 1, 'x', std::size_t(at - colon - 1));
    }
}

} // namespace SubscriptionCommands

} // namespace quillon
