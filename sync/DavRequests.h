// The XML bodies of the requests a refresh sends to a CalDAV server, written with
// QXmlStreamWriter: whatever a sync token or a path holds, it arrives escaped.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quillon {

namespace basSync::DavRequests {

// PROPFIND of what finding an account's calendars needs: the principal, the calendar
// home, and of each calendar its type, name, colour, privileges and components.
QByteArray DiscoveryPropfind();

// PROPFIND of the calendar's colour, which a refresh asks each time.
QByteArray ColorPropfind();

// sync-collection (RFC 6578) since token (empty: everything), with each item's ETag and data.
QByteArray SyncCollection(const QString &token);

// calendar-query of the ETags of every event, for a server without sync-collection.
QByteArray EventEtagsQuery();

// calendar-multiget of the ETag and data of the resources at hrefs.
QByteArray Multiget(const QStringList &hrefs);

} // namespace basSync::DavRequests

} // namespace quillon
