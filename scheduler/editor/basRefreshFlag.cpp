#include "basRefreshFlag.h"

#include "platform/basPlatform.h"

namespace basRefreshFlag {

bool CurrentMonthChanged(const QList<QDate> &dates)
{
    const QDate today = basPlatform::Today();
    for (const QDate &date : dates) {
        if (date.isValid() && date.month() == today.month() && date.year() == today.year())
            return true;
    }
    return false;
}

void NoteChangedDates(bool &calendarRefreshNeeded, const QList<QDate> &dates)
{
    if (CurrentMonthChanged(dates))
        calendarRefreshNeeded = true;
}

} // namespace basRefreshFlag
