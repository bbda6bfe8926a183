// The store the reminder benchmarks plan over: 10,000 events from first over a year,
// every other one with a reminder taken in turn from choices (5,000 in all), one in
// fifty repeating weekly all year.
#pragma once

#include "EventStore.h"

#include <QDate>
#include <QList>
#include <QTime>

namespace quillon {

inline bool FillWithReminders(basDatabase::EventStore &store, QDate first, const QList<int> &choices)
{
    return store.RunInTransaction([&] {
        for (int i = 0; i < 10000; ++i) {
            basDatabase::EventRecord event;
            event.EventName = QStringLiteral("Event %1").arg(i);
            event.AllDayEvent = i % 10 == 0;
            event.StartTime = QTime(8, 0).addSecs((i % 20) * 30 * 60);
            event.EndTime = event.StartTime.addSecs(30 * 60);
            if (i % 2 == 0)
                event.Reminder = choices[(i / 2) % choices.size()];
            QList<QDate> dates{first.addDays(i % 365)};
            if (i % 50 == 0)
                for (int week = 1; week < 52; ++week)
                    dates.append(dates.first().addDays(7 * week));
            event.Recurring = dates.size() > 1;
            qint64 id = 0;
            if (!store.AddEventToDatabase(event, dates, id))
                return false;
        }
        return true;
    });
}

} // namespace quillon
