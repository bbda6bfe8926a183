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

} // namespace EventSeries

} // namespace quillon
