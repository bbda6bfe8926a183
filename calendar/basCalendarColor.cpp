#include "basCalendarColor.h"

#include "EventStore.h"
#include "basDateText.h"
#include "basOperation.h"
#include "basQuillon.h"

namespace quillon {

namespace basCalendar {

std::int32_t GetDateColor(basDatabase::EventStore *store, const QString &dateText)
{
    std::int32_t color = 0;
    basOperation::TrapVoid("basCalendar.GetDateColor", [&](basOperation::Steps &step) {
        step(30);
        if (!store)
            throw basOperation::Failure(basOperation::kDatabaseError, QStringLiteral("The database connection is not open"));
        const QString name = store->QueryDateColor(basDateText::ParseDateText(dateText));
        step(80);
        color = basQuillon::LiturgicalColorFromName(name);
    });
    return color;
}

} // namespace basCalendar

} // namespace quillon
