// A series whose occurrences differ (in time, name or all-day) is stored as one event for
// each different look, all linked to the series' UID: the first under the UID itself,
// the others under the UID and their number. The separator is a control character,
// which no UID of a file can hold.
#pragma once

#include <QString>

namespace quillon {

namespace EventSeries {

inline constexpr QChar kSeparator(0x1F);

// What ends the UIDs this computer gives its own events.
inline constexpr auto kOwnUidSuffix = "@quillon";

inline QString PartUid(const QString &uid, int part)
{
    return part == 0 ? uid : uid + kSeparator + QString::number(part);
}

inline QString SeriesUid(const QString &stored)
{
    const qsizetype at = stored.indexOf(kSeparator);
    return at < 0 ? stored : stored.left(at);
}

// A CalDAV resource's events are keyed by its path; a second event (another UID) in
// the same resource by the path, a line break and its UID.
inline constexpr QChar kResourceSeparator(u'\n');

// The series a stored key belongs to: a calendar resource's path for any of its events,
// else the UID without a part number.
inline QString SeriesKey(const QString &stored)
{
    const qsizetype end = stored.indexOf(kResourceSeparator);
    return SeriesUid(end < 0 ? stored : stored.left(end));
}

} // namespace EventSeries

} // namespace quillon
