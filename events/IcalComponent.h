// A libical component owned as C++ owns things: freed with its tree when it goes. For the
// two places that use libical, events/ and ical/.
#pragma once

#include <libical/ical.h>

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <memory>

namespace quillon {

struct IcalComponentFree {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
using IcalComponentPtr = std::unique_ptr<icalcomponent, IcalComponentFree>;

// A DATE value.
inline icaltimetype IcalDate(QDate date)
{
    icaltimetype value = icaltime_null_date();
    value.year = date.year();
    value.month = date.month();
    value.day = date.day();
    return value;
}

// A floating DATE-TIME value: the wall clock, in no zone of its own.
inline icaltimetype IcalWallTime(QDate date, QTime time)
{
    icaltimetype value = icaltime_null_time();
    value.year = date.year();
    value.month = date.month();
    value.day = date.day();
    value.hour = time.hour();
    value.minute = time.minute();
    value.second = time.second();
    return value;
}

// The instant in UTC, to the second.
inline icaltimetype IcalUtc(const QDateTime &instant)
{
    const QDateTime utc = instant.toUTC();
    icaltimetype value = IcalWallTime(utc.date(), utc.time());
    value.zone = icaltimezone_get_utc_timezone();
    return value;
}

} // namespace quillon
