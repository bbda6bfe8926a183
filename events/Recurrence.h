// A repeat rule as the editor offers it: daily, weekly on chosen weekdays, monthly on a
// day of the month or on the Nth (or last) weekday, yearly; every N; ending never, on a
// date or after N times. Its text form is the iCalendar RRULE value, so a rule made here
// is a rule in every other calendar program.
#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

namespace quillon {

struct Recurrence {
    enum class Frequency { Daily, Weekly, Monthly, Yearly };
    Frequency Freq = Frequency::Weekly;
    int Interval = 1; // every N days, weeks, months or years
    // Weekly: the weekdays (Qt::Monday = 1 ... Qt::Sunday = 7), in week order; empty means
    // the start's weekday.
    QList<int> Weekdays;
    // Monthly: on day MonthDay of the month (1..31; 0 means the start's day), or, with
    // WeekOfMonth set, on that Weekday of the month's WeekOfMonth-th week (1..4, or -1
    // for the last). A month without that day has no occurrence.
    int MonthDay = 0;
    int WeekOfMonth = 0;
    int Weekday = 0;
    // Yearly: on the start's month and day (29 February only in leap years).
    // The end: none, the last day an occurrence may fall on, or a number of occurrences
    // counted from the start. When both are set, Until counts.
    QDate Until;
    int Count = 0;

    bool operator==(const Recurrence &) const = default;

    // The RRULE value ("FREQ=WEEKLY;BYDAY=MO;UNTIL=20270630"); dates only.
    QString ToRRule() const;
    // The rule of an RRULE value, or nothing when the value is not one this editor can
    // show whole (an hourly rule, BYSETPOS with several days ...): such a rule is kept as
    // it came and shown as its days. A yearly rule naming its month or day is read only
    // when they are the start's; an UNTIL with a time counts as its date.
    static std::optional<Recurrence> FromRRule(const QString &value, QDate start = {});
    // The days from start on which the rule falls, from first to last (both included),
    // at most limit of them. The start is always the first occurrence, as in iCalendar,
    // even when the rule itself would not fall on it.
    QList<QDate> Days(QDate start, QDate first, QDate last, int limit = 100000) const;
};

} // namespace quillon
