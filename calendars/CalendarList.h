// What the "Calendars..." window does, apart from its widgets: the subscribed calendars
// with their colour, last refresh and last error; adding one (an iCalendar address, or a
// CalDAV account with user name and password: every calendar of the account), removing
// one with its events, and refreshing one now. Server work runs on the sync thread, the
// window kept painted meanwhile, and Busy says what runs. The password goes only to the
// secret store.
#pragma once

#include "SubscriptionStore.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class CalendarList : public QObject {
    Q_OBJECT

public:
    struct Secrets {
        // Asked and told on the sync thread. Defaults: the desktop's secret store.
        std::function<QString(const QString &key)> read;
        // Returns what to tell the user when the password could not be kept, else empty.
        std::function<QString(const QString &key, const QString &password)> write;
        std::function<void(const QString &key)> forget;
    };

    explicit CalendarList(QString databasePath = QString(), Secrets secrets = {}, QObject *parent = nullptr);

    // Reads the subscriptions again; false when the store could not be read (reported).
    bool Reload();
    const QList<basDatabase::Subscription> &Calendars() const { return m_calendars; }
    // "never", else the local date and time.
    static QString LastRefreshText(const basDatabase::Subscription &subscription);

    struct Addition {
        QString Address;  // as typed; a password in it is taken out
        QString UserName; // empty for a public address
        QString Password;
    };
    // Subscribes and runs the first sync; a calendar whose first sync fails is not kept.
    // Empty when every calendar was added, else what went wrong, one a line.
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

    QString m_path;
    Secrets m_secrets;
    QList<basDatabase::Subscription> m_calendars;
    bool m_busy = false;
};
