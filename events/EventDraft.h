// An event as the user (or a calendar file) describes it, with its days: what the
// editor fills in and EventService saves. Typed values only; text forms live where text
// is shown or stored.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

namespace quillon {

struct EventDraft {
    qint64 EventID = 0; // the stored event being changed; 0 for a new one
    QString EventName;
    bool AllDayEvent = false;
    QTime StartTime;
    QTime EndTime;
    QString EventColor; // a colour name as stored ("Blue"), empty for the default
    int EventIcon = 0;  // 0 for none, else 101..156
    QString Notes;
    bool Recurring = false;
    // Minutes before the start (an all-day event: before 9:00 on its day); none when empty.
    std::optional<int> Reminder;
    QList<QDate> Dates;

    bool operator==(const EventDraft &) const = default;
};

} // namespace quillon
