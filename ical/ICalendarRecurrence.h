// Repeat rules worked out one day at a time. The store keeps days and one time of day per
// event, so a rule that repeats every second, minute or hour is taken day by day from its
// pattern of times, never stepped through second by second. libical's own iterator is not
// used: it steps through every second of a period that has BYSECOND, and looks for a first
// occurrence up to the year 20000. Every piece of the work is charged to a budget, so that
// no rule can keep the reader busy.
#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <exception>
#include <functional>
#include <memory>

struct icalrecurrencetype;
struct icaltimetype;

namespace quillon {

namespace ICalendarRecurrence {

// What the work costs, in steps of about 50 ns (a day of a rule looked at), so that a
// budget of steps stands for time, the store's writing of the days included.
inline constexpr qint64 kStepsPerZoneConversion = 40; // a time converted between zones
inline constexpr qint64 kStepsPerStoredDay = 120;     // a day of an event, to be written

// The budget is spent.
class LimitReached : public std::exception {
public:
    const char *what() const noexcept override { return "the work limit was reached"; }
};

// The reader's caller asked it to stop.
class Cancelled : public std::exception {
public:
    const char *what() const noexcept override { return "cancelled"; }
};

// The work one event may take, in steps: a day looked at, an occurrence found, a day
// added. Asks `cancelled` now and then, so that a caller can stop a long read.
class Budget {
public:
    explicit Budget(qint64 steps, std::function<bool()> cancelled = {});
    // Throws LimitReached when the steps are spent, Cancelled when asked to stop.
    void Charge(qint64 steps = 1);
    qint64 Used() const { return m_steps - m_left; }

private:
    qint64 m_steps;
    qint64 m_left;
    qint64 m_sinceAsked = 0;
    std::function<bool()> m_cancelled;
};

// A wall-clock time of the rule's own clock; an invalid date means none.
struct WallTime {
    QDate date;
    int seconds = 0; // since midnight
};

// One day of a rule: the times of day of its occurrences on it, ascending.
struct Day {
    QDate date;
    QList<int> seconds;
};

// Why the rule can never give a date, names a value no rule can have or combines parts
// that do not fit together (BYMONTHDAY in a weekly rule); empty when it may give a date.
// Judged from its parts alone, before any expansion.
QString WhyNever(const icalrecurrencetype &rule);

// Why a rule of a time zone's clock changes (from start on) is none libical could expand
// quickly (libical expands those itself, over every year up to the one converted); empty
// when it is a yearly rule giving a few days a year at one time of day, as real zones have.
QString WhyNotAZoneRule(const icalrecurrencetype &rule, const icaltimetype &start);

// The days of one rule from its start on, until its UNTIL (in the start's clock; the
// rule's own is not read). Days before `first` are only counted (a COUNT runs from the
// start), and without a COUNT not even looked at; none after `last` is given.
class Expansion {
public:
    Expansion(const icalrecurrencetype &rule, const icaltimetype &start, const WallTime &until, QDate first,
              QDate last, Budget &budget);
    ~Expansion();
    Expansion(const Expansion &) = delete;
    Expansion &operator=(const Expansion &) = delete;

    bool Next(Day &day);
    // The occurrences found so far, those before `first` included.
    qint64 Found() const { return m_found; }
    // Whether days before `first` were passed over unseen.
    bool SkippedAhead() const { return m_skippedAhead; }

private:
    class Days;
    std::unique_ptr<Days> m_days;
    Budget &m_budget;
    WallTime m_start;
    WallTime m_until;
    QDate m_first;
    int m_count = 0;
    qint64 m_found = 0;
    bool m_skippedAhead = false;
    bool m_done = false;
};

} // namespace ICalendarRecurrence

} // namespace quillon
