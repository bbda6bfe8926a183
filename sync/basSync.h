// Subscribed calendars kept in step with their servers: what the tools (and later the
// launcher) call. A refresh fetches one subscription (an iCalendar address by a
// conditional GET, a CalDAV calendar by sync-collection or ETags), reads it with the
// iCalendar reader (a bad event is skipped and named, the rest taken) and replaces the
// subscription's events in one transaction. Whatever fails (network, timeout, 401,
// certificate, too large, not a calendar) changes no event: the last good copy stays and
// the subscription's LastError says why. Network work runs only on a thread of its own
// (RunOnSyncThread), never on the GUI thread.
#pragma once

#include "CalDav.h"
#include "HttpSession.h"
#include "SubscriptionStore.h"

#include <QDate>
#include <QString>
#include <QUrl>

#include <functional>

namespace quillon {

namespace basSync {

struct RefreshOptions {
    int TimeoutMs = kTimeoutMs;           // of silence, each request
    int TotalTimeoutMs = kTotalTimeoutMs; // each request in all
    qint64 MaxBodyBytes = kMaxBodyBytes;
    QDate Today; // empty: the suite's today
    // A refresh that would remove more than half of a calendar's events, and more than
    // kMassDelete, keeps them and asks first (HeldBack) unless this says yes.
    bool AllowMassDelete = false;
};

inline constexpr int kMassDelete = 10;

struct RefreshResult {
    qint64 Id = 0;
    bool Ok = false;
    bool NotModified = false; // the server said nothing changed (304)
    bool Removed = false;     // the subscription was removed meanwhile: no fault
    QString Message;          // the failure, or the warnings of a success, one a line
    QString OfferedCertificate; // a certificate that did not verify, to trust by hand
    bool PasswordSentUnencrypted = false; // over plain http to another computer
    basDatabase::RefreshCount Count;
    int Requests = 0;
    // The events a refresh would have removed and kept (Message asks whether to remove
    // them; a refresh with AllowMassDelete does).
    int HeldBack = 0;
    int Sent = 0;    // changes made here the server took
    int Waiting = 0; // and those still waiting (Message says why)
};

// Refreshes the subscription open in store; password is the one for its user name (a
// null text when none is known). Records the outcome in the subscription's row.
RefreshResult Refresh(basDatabase::EventStore &store, qint64 id, const QString &password,
                      const RefreshOptions &options = {});
// The same over transport (a test's scripted server); the subscription's user name,
// password and certificate are then the transport's business.
RefreshResult Refresh(basDatabase::EventStore &store, qint64 id, Transport &transport, const RefreshOptions &options = {});

// An address as the user typed it: webcal:// read as https://, and a user name and
// password in it taken out (the password is never kept in the address).
struct TypedAddress {
    QUrl Address;
    QString UserName;
    QString Password; // null when the address had none
    QString Error;    // not an http, https or webcal address
};
TypedAddress ReadTypedAddress(const QString &text);

// What is at an address: a CalDAV account (its calendars) or, when it speaks no CalDAV,
// a plain iCalendar address. Error says why neither could be asked.
struct Probe {
    bool CalDav = false;
    QList<CalDav::Calendar> Calendars;
    QString Error;
    QString OfferedCertificate;
    bool PasswordSentUnencrypted = false; // over plain http to another computer
};
Probe ProbeAddress(const QUrl &address, const QString &userName, const QString &password,
                   const QString &trustedCertificate, const RefreshOptions &options = {});

// Gives the calendar the colour ("#rrggbb"), and its events without one of their own the
// event colour nearest it. False when the store refused (it has said why).
bool SetCalendarColor(basDatabase::EventStore &store, qint64 id, const QString &color);

// Runs work on a thread of its own and waits for it, keeping the calling thread's
// events flowing (a window stays painted). work must open its own store connection.
void RunOnSyncThread(const std::function<void()> &work);

// The key of a subscription's password in the secret store: user and server, so that
// the calendars of one account share one.
QString SecretKey(const QString &userName, const QUrl &address);

// "HOST sends your password unencrypted (http://); use https:// if the server offers it"
QString UnencryptedPasswordText(const QUrl &address);

} // namespace basSync

} // namespace quillon
