// The liturgical colour of a day as the calendar window draws it. Kept apart from the
// program's start (basCalendar.h) so that the window does not include its own caller.
#pragma once

#include <QString>

#include <cstdint>

namespace quillon {

namespace basDatabase {
class EventStore;
}

namespace basCalendar {

// The liturgical colour of a date (m/d/yyyy); 0 when the day has none.
std::int32_t GetDateColor(basDatabase::EventStore *store, const QString &dateText);

} // namespace basCalendar

} // namespace quillon
