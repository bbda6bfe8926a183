// What the "Calendars..." window does, apart from its widgets: the subscribed calendars
// with their colour, last refresh and last error; adding one (an iCalendar address, or a
// CalDAV account with user name and password: every calendar of the account), removing
// one with its events, and refreshing one now. Server work runs on the sync thread, the
// window kept painted meanwhile, and Busy says what runs. The password goes only to the
// secret store; where none runs it is asked once a session and kept in memory
// (SessionPasswords). A certificate that does not verify is shown (host, error,
// fingerprint) and may be trusted for the calendar; a changed one stops again.
#pragma once

#include <QHash>

#include "EventService.h"

#include "Conflicts.h"
#include "SessionPasswords.h"
#include "SubscriptionStore.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace quillon {

class CalendarList : public QObject {
    Q_OBJECT

public:
    // passwords: shared with the launcher's refreshes; null: this list's own, on the
    // desktop's secret store.
    explicit CalendarList(QString databasePath = QString(), std::shared_ptr<SessionPasswords> passwords = {},
                          QObject *parent = nullptr);

    // Asked when no secret store runs and no password is known this session; prompt
    // says so. The password, or a null text when the user declined.
    using PasswordAsker = std::function<QString(const QString &prompt)>;
    void SetPasswordAsker(PasswordAsker asker) { m_askPassword = std::move(asker); }
    // Asked when a server's certificate does not verify; problem names the host, the
    // error and the SHA-256 fingerprint. True: trust it for this calendar.
    using CertificateAsker = std::function<bool(const QString &problem)>;
    void SetCertificateAsker(CertificateAsker asker) { m_askTrust = std::move(asker); }
    // Asked when a refresh would remove most of a calendar's events (question says how
    // many). True: remove them here too; else they stay.
    using MassDeleteAsker = std::function<bool(const QString &question)>;
    void SetMassDeleteAsker(MassDeleteAsker asker) { m_askMassDelete = std::move(asker); }
    // Asked before a password goes to a server over plain http:// (warning names the
    // host). True: send it anyway. Without one, the warning is only said.
    using UnencryptedAsker = std::function<bool(const QString &warning)>;
    void SetUnencryptedAsker(UnencryptedAsker asker) { m_askUnencrypted = std::move(asker); }

    // Reads the subscriptions again; false when the store could not be read (reported).
    bool Reload();
    const QList<basDatabase::Subscription> &Calendars() const { return m_calendars; }
    // The changes made here that wait for each calendar's server, by calendar id (as
    // Reload read them).
    int WaitingChanges(qint64 id) const { return m_waiting.value(id); }
    // The changes made here that lost to the server's, every calendar's, oldest first (as
    // Reload read them).
    const QList<basDatabase::Conflict> &Conflicts() const { return m_conflicts; }
    // Settles one (see basSync::SettleConflict); a change sent anyway goes at once.
    // Empty when it worked, else why not.
    QString Settle(const basDatabase::Conflict &conflict, basSync::Settle how);
    // Hides the calendar from the views and the wallpaper, or shows it again.
    bool SetShown(qint64 id, bool shown);
    // The calendar's colour, which its events without one of their own follow.
    bool SetColor(qint64 id, const QString &color);
    // Where new events go: this computer or a writable calendar.
    QList<CalendarChoice> NewEventsChoices();
    qint64 NewEventsCalendar();
    bool SetNewEventsCalendar(qint64 calendar);
    // "never", else the local date and time.
    static QString LastRefreshText(const basDatabase::Subscription &subscription);

    struct Addition {
        QString Address;  // as typed; a password in it is taken out
        QString UserName; // empty for a public address
        QString Password;
    };
    // Subscribes and runs the first sync; a calendar whose first sync fails is not kept,
    // nor one already subscribed (for the same user), and the password goes to the
    // secret store only once a calendar synced with it. Empty when every calendar was
    // added, else what went wrong (or what to know), one a line.
    QString Add(const Addition &addition);
    // The subscription and its events.
    bool Remove(qint64 id);
    // Empty when it worked, else why not (kept as the subscription's last error too).
    QString Refresh(qint64 id);

    bool IsBusy() const { return m_busy; }

signals:
    // A first sync or refresh starts (with what it does) or ends (empty text).
    void Busy(bool busy, const QString &what);
    // Days that gained or lost an event: the owner redraws what shows them.
    void DatesChanged(const QList<QDate> &dates);

private:
    void SetBusy(bool busy, const QString &what);
    // Every day the calendar has an event on: a change of its colour or its hiding shows there.
    void EmitCalendarDays(basDatabase::EventStore &store, qint64 id);
    // What to say when address is followed already for userName; empty when not.
    QString AlreadySubscribed(const QString &address, const QString &userName) const;
    // The password of a subscription's account (asked when no store runs); null when none.
    QString PasswordOf(const basDatabase::Subscription &subscription);

    QString m_path;
    QHash<qint64, int> m_waiting;
    QList<basDatabase::Conflict> m_conflicts;
    std::shared_ptr<SessionPasswords> m_passwords;
    PasswordAsker m_askPassword;
    CertificateAsker m_askTrust;
    MassDeleteAsker m_askMassDelete;
    UnencryptedAsker m_askUnencrypted;
    QList<basDatabase::Subscription> m_calendars;
    bool m_busy = false;
};

} // namespace quillon
