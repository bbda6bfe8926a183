#include "ICalendarRecurrence.h"

#include "ICalendarTexts.h"

#include <libical/ical.h>

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace quillon {

namespace ICalendarRecurrence {

namespace {

constexpr int kSecondsPerDay = 24 * 60 * 60;
// How often the budget asks whether to stop.
constexpr qint64 kStepsBetweenQuestions = 4096;

template <std::size_t N>
QList<int> Values(const short (&array)[N])
{
    QList<int> values;
    for (std::size_t i = 0; i < N && array[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        values.append(array[i]);
    return values;
}

QList<int> Sorted(QList<int> values)
{
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

QString Joined(const QList<int> &values)
{
    QStringList texts;
    for (int value : values)
        texts.append(QString::number(value));
    return texts.join(QLatin1Char(','));
}

qint64 Mod(qint64 value, qint64 divisor)
{
    const qint64 rest = value % divisor;
    return rest < 0 ? rest + divisor : rest;
}

// libical counts the weekdays from Sunday = 1, Qt from Monday = 1.
int QtWeekday(int icalWeekday) { return (icalWeekday + 5) % 7 + 1; }

QString DayText(short value)
{
    static const char *const names[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
    const int weekday = int(icalrecurrencetype_day_day_of_week(value));
    const int position = icalrecurrencetype_day_position(value);
    const QString name = weekday >= 1 && weekday <= 7 ? QLatin1String(names[weekday - 1]) : QStringLiteral("?");
    return position == 0 ? name : QString::number(position) + name;
}

int LongestMonth(int month) { return month == 2 ? 29 : QDate(2001, month, 1).daysInMonth(); }

bool IsGregorian(const icalrecurrencetype &rule)
{
    return !rule.rscale || !*rule.rscale || qstricmp(rule.rscale, "GREGORIAN") == 0;
}

// The members BYSETPOS picks from a set of `size` ascending members: their indexes,
// ascending, each once.
QList<qint64> Picked(const QList<int> &positions, qint64 size)
{
    QList<qint64> picked;
    for (int position : positions) {
        const qint64 index = position > 0 ? position - 1 : size + position;
        if (index >= 0 && index < size)
            picked.append(index);
    }
    std::sort(picked.begin(), picked.end());
    picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
    return picked;
}

QList<int> PickedFrom(const QList<int> &members, const QList<int> &positions)
{
    if (positions.isEmpty())
        return members;
    QList<int> picked;
    for (qint64 index : Picked(positions, members.size()))
        picked.append(members[qsizetype(index)]);
    return picked;
}

// The times of day (seconds) that the given hours, minutes and seconds make, each part
// taken from the start where the rule does not give it; parts finer than the rule's
// frequency only (an hourly rule's own hour comes from its period).
QList<int> TimesOfDay(const icalrecurrencetype &rule, int startSeconds, bool withHours, bool withMinutes)
{
    const auto part = [](QList<int> values, int fallback, int highest) {
        if (values.isEmpty())
            return QList<int>{fallback};
        for (int &value : values)
            value = std::min(value, highest); // a leap second is the second before it
        return Sorted(values);
    };
    const QList<int> hours = withHours ? part(Values(rule.by_hour), startSeconds / 3600, 23) : QList<int>{0};
    const QList<int> minutes = withMinutes ? part(Values(rule.by_minute), startSeconds / 60 % 60, 59) : QList<int>{0};
    const QList<int> seconds = part(Values(rule.by_second), startSeconds % 60, 59);
    QList<int> times;
    for (int hour : hours)
        for (int minute : minutes)
            for (int second : seconds)
                times.append(hour * 3600 + minute * 60 + second);
    return Sorted(times);
}

} // namespace

// --- Budget ------------------------------------------------------------------------

Budget::Budget(qint64 steps, std::function<bool()> cancelled)
    : m_steps(steps), m_left(steps), m_cancelled(std::move(cancelled))
{
}

void Budget::Charge(qint64 steps)
{
    m_left -= steps;
    if (m_left < 0)
        throw LimitReached();
    m_sinceAsked += steps;
    if (m_sinceAsked >= kStepsBetweenQuestions) {
        m_sinceAsked = 0;
        if (m_cancelled && m_cancelled())
            throw Cancelled();
    }
}

// --- Rules that cannot match -------------------------------------------------------

QString WhyNever(const icalrecurrencetype &rule)
{
    if (rule.interval < 1)
        return QString::fromUtf8(ICalendarTexts::kIntervalNotPositive).arg(rule.interval);
    const QList<int> months = Values(rule.by_month);
    const QList<int> monthDays = Values(rule.by_month_day);
    const QList<int> yearDays = Values(rule.by_year_day);
    const QList<int> weekNumbers = Values(rule.by_week_no);
    const QList<int> days = Values(rule.by_day);
    const QList<int> positions = Values(rule.by_set_pos);
    const bool gregorian = IsGregorian(rule);

    const struct {
        QList<int> values;
        int lowest;
        int highest; // and -highest..-1 when lowest is 1
        const char *none; // "BYSECOND=%1 names no second"
    } ranges[] = {
        {Values(rule.by_second), 0, 60, ICalendarTexts::kNoSecond},
        {Values(rule.by_minute), 0, 59, ICalendarTexts::kNoMinute},
        {Values(rule.by_hour), 0, 23, ICalendarTexts::kNoHour},
        {monthDays, 1, 31, ICalendarTexts::kNoMonthDay},
        {yearDays, 1, 366, ICalendarTexts::kNoYearDay},
        {weekNumbers, 1, 53, ICalendarTexts::kNoWeek},
    };
    for (const auto &range : ranges) {
        for (int value : range.values) {
            const bool fits = range.lowest == 0 ? value >= 0 && value <= range.highest
                                                : value != 0 && std::abs(value) <= range.highest;
            if (!fits)
                return QString::fromUtf8(range.none).arg(value);
        }
    }
    for (int month : months) {
        const int number = icalrecurrencetype_month_month(short(month));
        if (number < 1 || number > 12)
            return QString::fromUtf8(ICalendarTexts::kNoMonth).arg(number);
        if (gregorian && icalrecurrencetype_month_is_leap(short(month)))
            return QString::fromUtf8(ICalendarTexts::kLeapMonth).arg(number);
    }

    const int freq = rule.freq;
    if (!weekNumbers.isEmpty() && freq != ICAL_YEARLY_RECURRENCE)
        return QString::fromUtf8(ICalendarTexts::kWeekNumberNotYearly);
    if (!yearDays.isEmpty() && freq >= ICAL_DAILY_RECURRENCE && freq <= ICAL_MONTHLY_RECURRENCE)
        return QString::fromUtf8(ICalendarTexts::kYearDayMisfit);
    if (!monthDays.isEmpty() && freq == ICAL_WEEKLY_RECURRENCE)
        return QString::fromUtf8(ICalendarTexts::kMonthDayWeekly);
    if (!gregorian)
        return QString::fromUtf8(ICalendarTexts::kNotGregorian).arg(QLatin1String(rule.rscale));

    // A numbered weekday counts within the month (monthly, or yearly with BYMONTH) or
    // the year; libical ignores the number in a weekly rule.
    if (!days.isEmpty()) {
        const bool inMonth = freq == ICAL_MONTHLY_RECURRENCE || (freq == ICAL_YEARLY_RECURRENCE && !months.isEmpty());
        const int most = inMonth ? 5 : 53;
        bool any = false;
        for (int day : days) {
            const int position = icalrecurrencetype_day_position(short(day));
            const int weekday = int(icalrecurrencetype_day_day_of_week(short(day)));
            if (weekday < 1 || weekday > 7)
                return QString::fromUtf8(ICalendarTexts::kNoWeekday);
            if (position != 0 && freq <= ICAL_DAILY_RECURRENCE)
                return QString::fromUtf8(ICalendarTexts::kNumberedWeekday).arg(DayText(short(day)));
            any = any || position == 0 || freq == ICAL_WEEKLY_RECURRENCE || std::abs(position) <= most;
        }
        if (!any) {
            QStringList texts;
            for (int day : days)
                texts.append(DayText(short(day)));
            return QString::fromUtf8(inMonth ? ICalendarTexts::kWeekdaysInMonth : ICalendarTexts::kWeekdaysInYear)
                .arg(texts.join(QLatin1Char(',')))
                .arg(most);
        }
    }

    QList<int> monthNumbers;
    for (int month : months)
        monthNumbers.append(icalrecurrencetype_month_month(short(month)));
    if (monthNumbers.isEmpty())
        monthNumbers = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    if (!monthDays.isEmpty()) {
        const bool any = std::any_of(monthNumbers.begin(), monthNumbers.end(), [&](int month) {
            return std::any_of(monthDays.begin(), monthDays.end(),
                               [&](int day) { return std::abs(day) <= LongestMonth(month); });
        });
        if (!any)
            return QString::fromUtf8(ICalendarTexts::kMonthDayInNoMonth).arg(Joined(monthDays), Joined(monthNumbers));
    }
    if (!yearDays.isEmpty() && !months.isEmpty()) {
        bool any = false;
        for (int yearDay : yearDays) {
            for (int year : {2001, 2004}) { // a common and a leap year
                const QDate first(year, 1, 1);
                const int length = first.daysInYear();
                const int index = yearDay > 0 ? yearDay : length + yearDay + 1;
                if (index >= 1 && index <= length && monthNumbers.contains(first.addDays(index - 1).month()))
                    any = true;
            }
        }
        if (!any)
            return QString::fromUtf8(ICalendarTexts::kYearDayInNoMonth).arg(Joined(yearDays), Joined(monthNumbers));
    }

    if (!positions.isEmpty()) {
        // The most occurrences one period of the rule can hold; the parts finer than the
        // frequency each multiply them.
        const auto count = [](const short *array, std::size_t size) {
            qint64 n = 0;
            while (std::size_t(n) < size && array[n] != ICAL_RECURRENCE_ARRAY_MAX)
                ++n;
            return std::max<qint64>(n, 1);
        };
        const qint64 seconds = count(rule.by_second, ICAL_BY_SECOND_SIZE);
        const qint64 minutes = count(rule.by_minute, ICAL_BY_MINUTE_SIZE);
        const qint64 hours = count(rule.by_hour, ICAL_BY_HOUR_SIZE);
        qint64 most = 1;
        const char *tooMany = ICalendarTexts::kPositionsPerSecond;
        switch (freq) {
        case ICAL_SECONDLY_RECURRENCE: most = 1; tooMany = ICalendarTexts::kPositionsPerSecond; break;
        case ICAL_MINUTELY_RECURRENCE: most = seconds; tooMany = ICalendarTexts::kPositionsPerMinute; break;
        case ICAL_HOURLY_RECURRENCE: most = minutes * seconds; tooMany = ICalendarTexts::kPositionsPerHour; break;
        case ICAL_DAILY_RECURRENCE: most = hours * minutes * seconds; tooMany = ICalendarTexts::kPositionsPerDay; break;
        case ICAL_WEEKLY_RECURRENCE: most = 7 * hours * minutes * seconds; tooMany = ICalendarTexts::kPositionsPerWeek; break;
        case ICAL_MONTHLY_RECURRENCE: most = 31 * hours * minutes * seconds; tooMany = ICalendarTexts::kPositionsPerMonth; break;
        default: most = 366 * hours * minutes * seconds; tooMany = ICalendarTexts::kPositionsPerYear; break;
        }
        if (std::none_of(positions.begin(), positions.end(), [most](int position) { return std::abs(position) <= most; }))
            return QString::fromUtf8(tooMany).arg(Joined(positions));
    }
    return QString();
}

QString WhyNotAZoneRule(const icalrecurrencetype &rule, const icaltimetype &start)
{
    if (rule.freq != ICAL_YEARLY_RECURRENCE)
        return QString::fromUtf8(ICalendarTexts::kZoneRuleNotYearly);
    const QString never = WhyNever(rule);
    if (!never.isEmpty())
        return never;
    // The most each part has in the zones of the world: the Sunday within a week of days
    // of a month, in one or two months.
    const struct {
        const char *name;
        qsizetype count;
        qsizetype most;
    } parts[] = {
        {"BYSECOND", Values(rule.by_second).size(), 1},  {"BYMINUTE", Values(rule.by_minute).size(), 1},
        {"BYHOUR", Values(rule.by_hour).size(), 1},      {"BYMONTH", Values(rule.by_month).size(), 2},
        {"BYDAY", Values(rule.by_day).size(), 7},        {"BYMONTHDAY", Values(rule.by_month_day).size(), 7},
        {"BYYEARDAY", Values(rule.by_year_day).size(), 2}, {"BYWEEKNO", Values(rule.by_week_no).size(), 1},
    };
    for (const auto &part : parts) {
        if (part.count > part.most)
            return QString::fromUtf8(ICalendarTexts::kZoneRuleTooMany).arg(part.most).arg(QLatin1String(part.name));
    }
    // libical looks for the first change up to the year 20000: it must come soon.
    const QDate from(start.year, start.month, start.day);
    if (!from.isValid())
        return QString::fromUtf8(ICalendarTexts::kZoneStartNoDate);
    Budget budget(1000000);
    icalrecurrencetype firstYears = rule;
    firstYears.count = 0;
    Expansion expansion(firstYears, start, {from.addYears(2), 0}, from, from.addYears(2), budget);
    Day day;
    if (!expansion.Next(day))
        return QString::fromUtf8(ICalendarTexts::kZoneRuleNoChange);
    return QString();
}

// --- The days of a rule -----------------------------------------------------------

namespace {

// The week a day falls in (weeks begin on weekStart), numbered in the year that holds at
// least four of its days.
struct Week {
    int year;
    int number;
};

Week WeekOf(QDate day, int weekStart)
{
    const QDate fourth = day.addDays(3 - Mod(day.dayOfWeek() - weekStart, 7));
    return {fourth.year(), (fourth.dayOfYear() - 1) / 7 + 1};
}

// A numbered weekday (BYDAY=-1FR), counted within the month or the year.
struct NumberedWeekday {
    int weekday; // Qt's
    int position;
};

} // namespace

// Every rule, worked out day by day from its start on. A day is in the rule when it lies in
// an INTERVAL-th period (counted from the start's) and the BY parts of days let it through;
// what they give is the same as iCalendar's expansions and limits, as each of them is a set
// of days and together they are the days in all of them (BYDAY's numbered and plain
// weekdays count together). The times of a day: a rule finer than a day holds the same
// pattern of times on every day that falls at the same place in its INTERVAL cycle, worked
// out once for each place; a coarser rule has the times its BYHOUR/BYMINUTE/BYSECOND make.
// BYSETPOS picks from a period's days times times.
class Expansion::Days {
public:
    Days(const icalrecurrencetype &rule, const WallTime &start, bool allDay, QDate begin, QDate last, Budget &budget)
        : m_budget(budget), m_freq(rule.freq), m_interval(rule.interval), m_day(begin.toJulianDay() - 1),
          m_last(last.toJulianDay()), m_start(start.date)
    {
        m_weekStart = QtWeekday(rule.week_start == ICAL_NO_WEEKDAY ? ICAL_MONDAY_WEEKDAY : int(rule.week_start));
        for (int month : Values(rule.by_month))
            m_months |= 1u << icalrecurrencetype_month_month(short(month));
        m_monthDays = Values(rule.by_month_day);
        m_yearDays = Values(rule.by_year_day);
        m_weekNumbers = Values(rule.by_week_no);
        const QList<int> days = Values(rule.by_day);
        m_inMonth = m_freq == ICAL_MONTHLY_RECURRENCE || !Values(rule.by_month).isEmpty();
        for (int day : days) {
            const int weekday = QtWeekday(int(icalrecurrencetype_day_day_of_week(short(day))));
            const int position = icalrecurrencetype_day_position(short(day));
            // Only monthly and yearly rules count weekdays; a weekly one ignores the number.
            if (position != 0 && m_freq >= ICAL_MONTHLY_RECURRENCE)
                m_numbered.append({weekday, position});
            else
                m_weekdays |= 1u << weekday;
        }
        // What the start gives when the rule names no day of its period.
        const bool dayParts = !days.isEmpty() || !m_monthDays.isEmpty() || !m_yearDays.isEmpty() || !m_weekNumbers.isEmpty();
        if (!dayParts && m_freq == ICAL_WEEKLY_RECURRENCE)
            m_weekdays = 1u << start.date.dayOfWeek();
        if (!dayParts && m_freq >= ICAL_MONTHLY_RECURRENCE) {
            m_monthDays = {start.date.day()};
            if (m_freq == ICAL_YEARLY_RECURRENCE && m_months == 0)
                m_months = 1u << start.date.month();
        }
        // A yearly rule takes the month of its days, and the weekday in its weeks, from the
        // start, as libical (and so earlier imports) did.
        if (m_freq == ICAL_YEARLY_RECURRENCE && !m_monthDays.isEmpty() && m_months == 0 && m_weekNumbers.isEmpty()
            && m_yearDays.isEmpty())
            m_months = 1u << start.date.month();
        if (m_freq == ICAL_YEARLY_RECURRENCE && !m_weekNumbers.isEmpty() && days.isEmpty())
            m_weekdays = 1u << start.date.dayOfWeek();
        m_positions = Values(rule.by_set_pos);
        const qint64 startDay = start.date.toJulianDay();
        m_firstWeek = startDay - Mod(start.date.dayOfWeek() - m_weekStart, 7);
        m_startMonth = start.date.year() * 12LL + start.date.month() - 1;

        if (m_freq >= ICAL_DAILY_RECURRENCE) {
            m_unit = kSecondsPerDay;
            m_times = allDay ? QList<int>{0} : TimesOfDay(rule, start.seconds, true, true);
            if (m_freq == ICAL_DAILY_RECURRENCE) {
                // A day is the period: BYSETPOS picks from its times.
                m_times = PickedFrom(m_times, m_positions);
                m_positions.clear();
            }
            return;
        }
        switch (m_freq) {
        case ICAL_SECONDLY_RECURRENCE: m_unit = 1; break;
        case ICAL_MINUTELY_RECURRENCE: m_unit = 60; break;
        default: m_unit = 3600; break;
        }
        const int unitsPerDay = kSecondsPerDay / m_unit;
        // The offsets within a unit, which is the rule's period: what the parts finer than
        // the unit give, then BYSETPOS picks among them.
        if (allDay || m_unit == 1)
            m_times = {0};
        else if (m_unit == 60)
            m_times = TimesOfDay(rule, start.seconds % 60, false, false);
        else
            m_times = TimesOfDay(rule, start.seconds % 3600, false, true);
        m_times = PickedFrom(m_times, m_positions);
        m_positions.clear();
        // The units of a day that the coarser time parts let through, grouped by their
        // place in the INTERVAL cycle.
        const QList<int> hours = Values(rule.by_hour);
        const QList<int> minutes = Values(rule.by_minute);
        const QList<int> seconds = Values(rule.by_second);
        const auto allowed = [](const QList<int> &values, int value) { return values.isEmpty() || values.contains(value); };
        m_units.resize(std::size_t(std::min<qint64>(m_interval, unitsPerDay)));
        for (int unit = 0; unit < unitsPerDay; ++unit) {
            const int second = unit * m_unit;
            const bool passes = allDay
                                || (allowed(hours, second / 3600) && (m_unit == 3600 || allowed(minutes, second / 60 % 60))
                                    && (m_unit != 1 || allowed(seconds, std::min(second % 60, 59))));
            if (passes)
                m_units[std::size_t(unit % m_interval)].append(unit);
        }
        m_firstUnit = startDay * unitsPerDay + start.seconds / m_unit;
    }

    // The next day of the rule, none after the last day, and how many occurrences it has.
    bool NextDay(QDate &date, qint64 &count)
    {
        while (m_day < m_last) {
            ++m_day;
            m_budget.Charge();
            const QDate day = QDate::fromJulianDay(m_day);
            if (!InPeriod(day) || !DayPasses(day))
                continue;
            if (m_unit < kSecondsPerDay)
                count = qint64(UnitsOf(m_day).size()) * m_times.size();
            else
                count = m_positions.isEmpty() ? m_times.size() : PickedTimes(day).size();
            if (count > 0) {
                date = day;
                return true;
            }
        }
        return false;
    }

    // The times of that day's occurrences, ascending.
    QList<int> Times()
    {
        if (m_unit == kSecondsPerDay)
            return m_positions.isEmpty() ? m_times : PickedTimes(QDate::fromJulianDay(m_day));
        QList<int> times;
        for (int unit : UnitsOf(m_day))
            for (int offset : std::as_const(m_times))
                times.append(unit * m_unit + offset);
        return times;
    }

private:
    // Whether the day lies in an INTERVAL-th period (finer than a day: in a day that
    // holds one, which UnitsOf tells).
    bool InPeriod(QDate day) const
    {
        switch (m_freq) {
        case ICAL_DAILY_RECURRENCE: return Mod(day.toJulianDay() - m_start.toJulianDay(), m_interval) == 0;
        case ICAL_WEEKLY_RECURRENCE: return Mod((day.toJulianDay() - m_firstWeek) / 7, m_interval) == 0;
        case ICAL_MONTHLY_RECURRENCE: return Mod(day.year() * 12LL + day.month() - 1 - m_startMonth, m_interval) == 0;
        case ICAL_YEARLY_RECURRENCE: return Mod(day.year() - m_start.year(), m_interval) == 0;
        default: return true;
        }
    }

    bool DayPasses(QDate day) const
    {
        int year = 0, month = 0, dayOfMonth = 0;
        day.getDate(&year, &month, &dayOfMonth);
        if (m_months && !(m_months & (1u << month)))
            return false;
        const int weekday = day.dayOfWeek();
        if (m_weekdays || !m_numbered.isEmpty()) {
            bool named = m_weekdays & (1u << weekday);
            for (const NumberedWeekday &numbered : m_numbered) {
                if (named || numbered.weekday != weekday)
                    continue;
                const int index = m_inMonth ? dayOfMonth : day.dayOfYear();
                const int length = m_inMonth ? day.daysInMonth() : day.daysInYear();
                named = numbered.position == (index - 1) / 7 + 1 || numbered.position == -((length - index) / 7 + 1);
            }
            if (!named)
                return false;
        }
        if (!m_monthDays.isEmpty()) {
            const int length = day.daysInMonth();
            if (std::none_of(m_monthDays.begin(), m_monthDays.end(),
                             [&](int d) { return (d > 0 ? d : length + d + 1) == dayOfMonth; }))
                return false;
        }
        if (!m_yearDays.isEmpty()) {
            const int length = day.daysInYear();
            const int ofYear = day.dayOfYear();
            if (std::none_of(m_yearDays.begin(), m_yearDays.end(), [&](int d) { return (d > 0 ? d : length + d + 1) == ofYear; }))
                return false;
        }
        if (!m_weekNumbers.isEmpty()) {
            // Late December may be in week 1 of the next year, early January in the last
            // week of the one before: a day has the number of its own week.
            const Week week = WeekOf(day, m_weekStart);
            const int weeks = WeekOf(QDate(week.year, 12, 28), m_weekStart).number;
            if (std::none_of(m_weekNumbers.begin(), m_weekNumbers.end(),
                             [&](int w) { return (w > 0 ? w : weeks + w + 1) == week.number; }))
                return false;
        }
        return true;
    }

    const QList<int> &UnitsOf(qint64 day) const
    {
        static const QList<int> none;
        const qint64 place = Mod(m_firstUnit - day * (kSecondsPerDay / m_unit), m_interval);
        return place < qint64(m_units.size()) ? m_units[std::size_t(place)] : none;
    }

    // The first and last day of the period (week, month or year) that holds the day.
    std::pair<QDate, QDate> PeriodOf(QDate day) const
    {
        switch (m_freq) {
        case ICAL_WEEKLY_RECURRENCE: {
            const QDate first = QDate::fromJulianDay(m_firstWeek + (day.toJulianDay() - m_firstWeek) / 7 * 7);
            return {first, first.addDays(6)};
        }
        case ICAL_MONTHLY_RECURRENCE: return {QDate(day.year(), day.month(), 1), QDate(day.year(), day.month(), day.daysInMonth())};
        default: return {QDate(day.year(), 1, 1), QDate(day.year(), 12, 31)};
        }
    }

    // The times BYSETPOS picks on the day, out of its period's days times times; the days
    // of the period before the start count too.
    QList<int> PickedTimes(QDate day)
    {
        const auto [first, last] = PeriodOf(day);
        if (first != m_pickedPeriod) {
            m_pickedPeriod = first;
            m_picked.clear();
            QList<QDate> days;
            for (QDate d = first; d <= last; d = d.addDays(1)) {
                m_budget.Charge();
                if (DayPasses(d))
                    days.append(d);
            }
            const qint64 perDay = m_times.size();
            for (qint64 index : Picked(m_positions, qint64(days.size()) * perDay))
                m_picked[days[qsizetype(index / perDay)].toJulianDay()].append(m_times[qsizetype(index % perDay)]);
        }
        return m_picked.value(day.toJulianDay());
    }

    Budget &m_budget;
    int m_freq;
    qint64 m_interval;
    qint64 m_day; // Julian day last looked at
    qint64 m_last;
    QDate m_start;
    int m_weekStart = 1;
    qint64 m_firstWeek = 0;  // Julian day the start's week begins on
    qint64 m_startMonth = 0; // months since year 0
    unsigned m_months = 0;   // bit per month; none: any
    unsigned m_weekdays = 0; // bit per Qt weekday
    QList<NumberedWeekday> m_numbered;
    bool m_inMonth = false; // numbered weekdays count within the month, else the year
    QList<int> m_monthDays;
    QList<int> m_yearDays;
    QList<int> m_weekNumbers;
    QList<int> m_positions; // BYSETPOS over a week, month or year
    int m_unit = 0;         // seconds of the period's unit: a second, minute, hour or day
    QList<int> m_times;     // within a unit: its offsets; a day: its times
    // Finer than a day.
    qint64 m_firstUnit = 0;
    std::vector<QList<int>> m_units; // by place in the INTERVAL cycle
    // BYSETPOS.
    QDate m_pickedPeriod;
    QHash<qint64, QList<int>> m_picked;
};

// --- Expansion ---------------------------------------------------------------------

Expansion::Expansion(const icalrecurrencetype &rule, const icaltimetype &start, const WallTime &until, QDate first,
                     QDate last, Budget &budget)
    : m_budget(budget), m_until(until), m_first(first), m_count(rule.count)
{
    m_start = {QDate(start.year, start.month, start.day),
               start.is_date ? 0 : start.hour * 3600 + start.minute * 60 + std::min(start.second, 59)};
    QDate end = last;
    if (m_until.date.isValid())
        end = std::min(end, m_until.date);
    if (!m_start.date.isValid() || end < m_start.date) {
        m_done = true;
        return;
    }
    // Without a COUNT nothing before the first day matters: periods are counted from the
    // start whatever day the looking begins on.
    const QDate begin = rule.count == 0 ? std::max(m_start.date, first) : m_start.date;
    m_skippedAhead = begin > m_start.date;
    m_days = std::make_unique<Days>(rule, m_start, start.is_date != 0, begin, end, budget);
}

Expansion::~Expansion() = default;

bool Expansion::Next(Day &day)
{
    while (!m_done) {
        QDate date;
        qint64 count = 0;
        if (!m_days->NextDay(date, count)) {
            m_done = true;
            break;
        }
        const bool startDay = date == m_start.date;
        const bool untilDay = date == m_until.date;
        const bool countEnds = m_count > 0 && m_found + count >= m_count;
        const bool wanted = date >= m_first;
        if (!wanted && !startDay && !untilDay && !countEnds) {
            m_found += count;
            continue;
        }
        QList<int> times = m_days->Times();
        m_budget.Charge(times.size());
        if (startDay)
            times.erase(times.begin(), std::lower_bound(times.begin(), times.end(), m_start.seconds));
        if (untilDay)
            times.erase(std::upper_bound(times.begin(), times.end(), m_until.seconds), times.end());
        if (m_count > 0 && m_found + times.size() >= m_count) {
            times.resize(qsizetype(m_count - m_found));
            m_done = true;
        }
        m_found += times.size();
        if (!wanted || times.isEmpty())
            continue;
        day = Day{date, std::move(times)};
        return true;
    }
    return false;
}

} // namespace ICalendarRecurrence

} // namespace quillon
