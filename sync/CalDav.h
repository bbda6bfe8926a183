// CalDAV (RFC 4791) as far as a read-only subscription needs it: finding the calendars
// of an account (RFC 6764 /.well-known/caldav, current-user-principal, calendar-home-set)
// and hearing what changed in one (sync-collection, RFC 6578; else the ETags of a
// calendar-query compared with what the store has).
#pragma once

#include "Transport.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

namespace quillon {

namespace basSync::CalDav {

// One property of one resource in a multistatus answer.
struct Property {
    QString Text;           // its text, trimmed
    QStringList Hrefs;      // the DAV:href elements inside it
    QStringList Children;   // "namespace|name" of the elements directly inside it
    QStringList Descendants; // and of every element inside it, at any depth
    QStringList Names;       // the name attributes of those directly inside it (comp name="VEVENT")
};

struct Response {
    QString Href;
    int Status = 200; // of the response itself (404 for a resource gone)
    QHash<QString, Property> Properties; // "namespace|name" of the properties found (200)
};

struct Multistatus {
    QList<Response> Responses;
    QString SyncToken;
};

inline const QString kDav = QStringLiteral("DAV:");
inline const QString kCalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");
inline const QString kApple = QStringLiteral("http://apple.com/ns/ical/");
QString Key(const QString &ns, const QString &name);

// Nothing when the text is not a multistatus document.
std::optional<Multistatus> ParseMultistatus(const QByteArray &xml);

struct Calendar {
    QUrl Address;
    QString DisplayName;
    QString Color; // "#rrggbb", or empty
    // The server grants the user writing its events (DAV:write, write-content or all).
    bool Writable = false;
};

// The calendars of the account at start (or start itself when it is one) that can hold
// events: one whose supported-calendar-component-set lacks VEVENT (a task list) is left
// out. Nothing when the address speaks no CalDAV (then it may be a plain iCalendar
// address); throws basOperation::Failure with the server's reason when it refused.
std::optional<QList<Calendar>> Discover(Transport &session, const QUrl &start);

// The calendar's colour ("#rrggbb") by a PROPFIND of depth 0: empty when the server has
// none or refuses the request (any answer but 207); throws basOperation::Failure when the
// request itself failed (no connection, timeout, password refused). Only the colour: a
// sync token asked here costs Radicale more than the sync-collection that follows.
QString AskColor(Transport &session, const QUrl &calendar);

struct Changes {
    // Resources new or changed: path -> (ETag, calendar text).
    struct Resource {
        QString Href;
        QString ETag;
        QByteArray Data;
    };
    QList<Resource> Changed;
    QStringList Removed; // paths
    // Listed as new or changed, without their data: FetchItems asks for it.
    QStringList Missing;
    bool Complete = false; // the answer lists every resource (a first or full sync)
    QString SyncToken;     // empty when the server offers no sync-collection
};

// What changed in the calendar since syncToken (empty: everything), as one
// sync-collection report; where the server refuses it, a calendar-query of the ETags
// compared with known() (path -> ETag, asked only then). Those whose data the answer
// left out are in Missing. Throws basOperation::Failure naming the host and the reason.
Changes AskChanges(Transport &session, const QUrl &calendar, const QString &syncToken,
                   const std::function<QHash<QString, QString>()> &known);

// The data of changes.Missing by calendar-multiget, into changes.Changed. Throws
// basOperation::Failure when one listed is not sent (taking the others would remove its
// events here).
void FetchItems(Transport &session, const QUrl &calendar, Changes &changes);

} // namespace basSync::CalDav

} // namespace quillon
