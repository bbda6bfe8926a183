// What a server's text gives the store: the events of a feed keyed by their UIDs, and
// those of one CalDAV resource keyed by its path.
#pragma once

#include "CalDav.h"
#include "SubscriptionStore.h"

#include <QDate>
#include <QList>
#include <QStringList>

namespace quillon {

namespace basSync::IncomingEvents {

// A feed's events, taken from the reader one at a time. Throws basOperation::Failure
// when the text does not read as a calendar; what was skipped goes to warnings.
QList<basDatabase::IncomingEvent> OfFeed(const QByteArray &text, const QDate &today, QStringList &warnings);

// The events of one CalDAV resource: the first keyed by its path (and holding the
// resource's text), the others by the path and their UID; the fingerprint of each is the
// resource's ETag. Throws as OfFeed.
QList<basDatabase::IncomingEvent> OfResource(const CalDav::Changes::Resource &resource, const QDate &today,
                                             QStringList &warnings);

} // namespace basSync::IncomingEvents

} // namespace quillon
