// Repeat rules worked out a day at a time give the occurrences libical gives one by one,
// rules that cannot match are named before any work, and the work stays within its budget.
#include "ICalendarRecurrence.h"

#include <libical/ical.h>

#include <QDateTime>
#include <QStringList>

#include <gtest/gtest.h>

namespace quillon {

namespace {

using namespace ICalendarRecurrence;

const QDate kFirst(1899, 12, 31);
const QDate kLast(2101, 1, 2);

QString Text(QDate date, int seconds)
{
    return date.toString(Qt::ISODate) + QLatin1Char(' ') + QTime::fromMSecsSinceStartOfDay(seconds * 1000).toString();
}

// libical's occurrences, one by one: the reference for rules it expands quickly.
QStringList OneByOne(const char *rule, const char *start, int most)
{
    icalrecur_iterator *iterator = icalrecur_iterator_new(icalrecurrencetype_from_string(rule), icaltime_from_string(start));
    if (!iterator)
        return {QStringLiteral("refused")};
    QStringList occurrences;
    for (icaltimetype next = icalrecur_iterator_next(iterator);
         !icaltime_is_null_time(next) && occurrences.size() < most && QDate(next.year, next.month, next.day) <= kLast;
         next = icalrecur_iterator_next(iterator))
        occurrences.append(Text(QDate(next.year, next.month, next.day), next.hour * 3600 + next.minute * 60 + next.second));
    icalrecur_iterator_free(iterator);
    return occurrences;
}

// As the reader calls it: UNTIL, floating here, in the start's clock.
QStringList DayByDay(const char *text, const char *start, int most)
{
    const icalrecurrencetype rule = icalrecurrencetype_from_string(text);
    WallTime until;
    if (!icaltime_is_null_time(rule.until))
        until = {QDate(rule.until.year, rule.until.month, rule.until.day),
                 rule.until.is_date ? 86399 : rule.until.hour * 3600 + rule.until.minute * 60 + rule.until.second};
    Budget budget(50000000);
    Expansion expansion(rule, icaltime_from_string(start), until, kFirst, kLast, budget);
    QStringList occurrences;
    for (Day day; occurrences.size() < most && expansion.Next(day);)
        for (int seconds : std::as_const(day.seconds))
            occurrences.append(Text(day.date, seconds));
    return occurrences.mid(0, most);
}

TEST(ICalendarRecurrence, DayByDayGivesWhatLibicalGivesOneByOne)
{
    const char *const rules[] = {
        "FREQ=SECONDLY;BYSECOND=0,30;BYMINUTE=0;COUNT=20",
        "FREQ=SECONDLY;INTERVAL=20;COUNT=70",
        "FREQ=MINUTELY;BYMINUTE=59;BYHOUR=23;BYDAY=SU;COUNT=5",
        "FREQ=MINUTELY;INTERVAL=90;BYDAY=MO;COUNT=30",
        "FREQ=HOURLY;INTERVAL=7",
        "FREQ=HOURLY;BYMINUTE=0,30;BYSECOND=15;BYMONTH=3",
        "FREQ=DAILY;INTERVAL=3;BYMONTH=2,3",
        "FREQ=DAILY;BYHOUR=8,20;BYMINUTE=15;COUNT=9",
        "FREQ=DAILY;BYDAY=MO,FR;BYMONTHDAY=13",
        "FREQ=DAILY;UNTIL=20260301T093000",
        "FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=10",
        "FREQ=WEEKLY;INTERVAL=2;WKST=SU;BYDAY=SU,TU",
        "FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,TU",
        "FREQ=WEEKLY;INTERVAL=3;BYMONTH=1,6;BYDAY=TH",
        "FREQ=WEEKLY;BYHOUR=9,17;BYDAY=SA",
        "FREQ=MONTHLY;BYMONTHDAY=31",
        "FREQ=MONTHLY;BYDAY=-1FR;BYHOUR=8,18",
        "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
        "FREQ=MONTHLY;INTERVAL=2;BYDAY=2TU,4TU;COUNT=13",
        "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29",
        "FREQ=YEARLY;BYYEARDAY=1,-1;BYHOUR=0,12",
        "FREQ=YEARLY;BYMONTH=3,10;BYDAY=-1SU;BYHOUR=1;BYMINUTE=0,30",
    };
    for (const char *start : {"20260105T093000", "20260131T235959", "20240229T120000"}) {
        for (const char *rule : rules) {
            const QStringList expected = OneByOne(rule, start, 60);
            const QStringList got = DayByDay(rule, start, 60);
            EXPECT_FALSE(expected.isEmpty()) << rule;
            qsizetype same = 0;
            while (same < got.size() && same < expected.size() && got[same] == expected[same])
                ++same;
            EXPECT_TRUE(same == got.size() && same == expected.size())
                << rule << " from " << start << ": occurrence " << same << " is "
                << got.value(same, QStringLiteral("none")).toStdString() << ", libical gives "
                << expected.value(same, QStringLiteral("none")).toStdString();
        }
    }
}

// Where libical's iterator loses the INTERVAL count among its filters, ignores days
// counted from the end of a month, or picks BYSETPOS from days rather than days and times.
TEST(ICalendarRecurrence, IntervalsFiltersAndPositionsCountAsTheRulesSay)
{
    const struct {
        const char *rule;
        const char *start;
        QStringList expected;
    } cases[] = {
        // Every 7th second from the start, in minutes 0 and 1: 10:00:06 is 258 steps on.
        {"FREQ=SECONDLY;INTERVAL=7;BYMINUTE=0,1;COUNT=3", "20260105T093000",
         {"2026-01-05 10:00:06", "2026-01-05 10:00:13", "2026-01-05 10:00:20"}},
        {"FREQ=SECONDLY;INTERVAL=20;BYHOUR=10;COUNT=2", "20260105T093000", {"2026-01-05 10:00:00", "2026-01-05 10:00:20"}},
        // BYSETPOS picks from each minute's seconds.
        {"FREQ=MINUTELY;BYSECOND=10,20,30;BYSETPOS=-1,2;COUNT=3", "20260105T093000",
         {"2026-01-05 09:30:20", "2026-01-05 09:30:30", "2026-01-05 09:31:20"}},
        {"FREQ=SECONDLY;INTERVAL=3601;BYHOUR=1,5;COUNT=2", "20260105T093000", {"2026-01-06 01:30:16", "2026-01-06 05:30:20"}},
        {"FREQ=HOURLY;INTERVAL=5;BYDAY=SA,SU;BYMONTHDAY=1,2,3,-1;COUNT=2", "20260105T093000",
         {"2026-01-31 00:30:00", "2026-01-31 05:30:00"}},
        {"FREQ=DAILY;INTERVAL=10;BYMONTHDAY=-1,-2;COUNT=2", "20260105T093000", {"2026-12-31 09:30:00", "2027-01-30 09:30:00"}},
        // The first weekday time of January is before the start and goes; the last stays.
        {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYHOUR=9,17;BYSETPOS=-1,1;COUNT=3", "20260105T093000",
         {"2026-01-30 17:30:00", "2026-02-02 09:30:00", "2026-02-27 17:30:00"}},
        {"FREQ=YEARLY;BYMONTH=1;BYDAY=SA,SU;BYHOUR=10,11;BYSETPOS=3,-2;COUNT=3", "20260105T093000",
         {"2026-01-31 10:30:00", "2027-01-03 10:30:00", "2027-01-31 10:30:00"}},
        {"FREQ=WEEKLY;BYDAY=MO,FR;BYHOUR=8,16;BYSETPOS=2,-1;COUNT=4", "20260105T080000",
         {"2026-01-05 16:00:00", "2026-01-09 16:00:00", "2026-01-12 16:00:00", "2026-01-16 16:00:00"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DayByDay(c.rule, c.start, 10).join(QLatin1Char('|')).toStdString(),
                  c.expected.join(QLatin1Char('|')).toStdString())
            << c.rule;
}

TEST(ICalendarRecurrence, CountAndUntilEndTheSeriesWithinADay)
{
    // The 5th occurrence is the first of the second day; UNTIL at 00:30 keeps two of it.
    EXPECT_EQ(DayByDay("FREQ=HOURLY;INTERVAL=6;COUNT=5", "20260101T000000", 100).last(), QStringLiteral("2026-01-02 00:00:00"));
    EXPECT_EQ(DayByDay("FREQ=MINUTELY;INTERVAL=30;UNTIL=20260102T003000", "20260101T230000", 100),
              QStringList({QStringLiteral("2026-01-01 23:00:00"), QStringLiteral("2026-01-01 23:30:00"),
                           QStringLiteral("2026-01-02 00:00:00"), QStringLiteral("2026-01-02 00:30:00")}));
}

TEST(ICalendarRecurrence, RulesThatCannotMatchAreNamed)
{
    const struct {
        const char *rule;
        const char *why; // empty: the rule may match
    } cases[] = {
        {"FREQ=SECONDLY;BYDAY=1MO,-1FR,53SU", "BYDAY=1MO: a numbered weekday fits only a monthly or yearly rule"},
        {"FREQ=DAILY;BYDAY=2TU", "a numbered weekday fits only"},
        {"FREQ=MONTHLY;BYDAY=53SU,6MO", "a month has at most 5 of each weekday"},
        {"FREQ=YEARLY;BYDAY=53SU", ""},
        {"FREQ=MONTHLY;BYDAY=1MO,53SU", ""}, // the first Monday comes
        {"FREQ=WEEKLY;BYMONTHDAY=3", "BYMONTHDAY does not fit a weekly rule"},
        {"FREQ=MONTHLY;BYYEARDAY=3", "BYYEARDAY does not fit a daily, weekly or monthly rule"},
        {"FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=30,31", "BYMONTHDAY=30,31 falls in none of the months BYMONTH=2"},
        {"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29", ""},
        {"FREQ=YEARLY;BYMONTH=4,6;BYMONTHDAY=-31", "falls in none of the months"},
        {"FREQ=YEARLY;BYMONTH=1;BYYEARDAY=60", "BYYEARDAY=60 falls in none of the months BYMONTH=1"},
        {"FREQ=YEARLY;BYMONTH=12;BYYEARDAY=366", ""},
        {"FREQ=YEARLY;BYMONTH=2;BYYEARDAY=60", ""}, // 29 February
        {"FREQ=DAILY;BYWEEKNO=20", "BYWEEKNO fits only a yearly rule"},
        {"FREQ=SECONDLY;BYSETPOS=2", "BYSETPOS=2 asks for more occurrences than one second holds"},
        {"FREQ=HOURLY;BYMINUTE=1,2;BYSECOND=1,2;BYSETPOS=-4,4", ""},
        {"FREQ=HOURLY;BYMINUTE=1,2;BYSECOND=1,2;BYSETPOS=5", "one hour holds"},
    };
    for (const auto &c : cases) {
        const icalrecurrencetype rule = icalrecurrencetype_from_string(c.rule);
        ASSERT_NE(rule.freq, ICAL_NO_RECURRENCE) << c.rule;
        const QString why = WhyNever(rule);
        if (*c.why == '\0')
            EXPECT_TRUE(why.isEmpty()) << c.rule << ": " << why.toStdString();
        else
            EXPECT_TRUE(why.contains(QLatin1String(c.why))) << c.rule << ": " << why.toStdString();
    }
    // Values out of range that libical's parser lets through.
    icalrecurrencetype rule = icalrecurrencetype_from_string("FREQ=YEARLY");
    rule.by_month[0] = 13;
    rule.by_month[1] = ICAL_RECURRENCE_ARRAY_MAX;
    EXPECT_EQ(WhyNever(rule), QStringLiteral("BYMONTH=13 names no month"));
    rule = icalrecurrencetype_from_string("FREQ=YEARLY");
    rule.by_week_no[0] = -54;
    rule.by_week_no[1] = ICAL_RECURRENCE_ARRAY_MAX;
    EXPECT_EQ(WhyNever(rule), QStringLiteral("BYWEEKNO=-54 names no week of a year"));
}

TEST(ICalendarRecurrence, ZonesKeepToRulesLibicalExpandsQuickly)
{
    const icaltimetype start = icaltime_from_string("19700301T020000");
    const auto why = [&start](const char *rule) { return WhyNotAZoneRule(icalrecurrencetype_from_string(rule), start); };
    EXPECT_EQ(why("FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU"), QString());
    EXPECT_EQ(why("FREQ=YEARLY;BYMONTH=4;BYDAY=SU;BYMONTHDAY=1,2,3,4,5,6,7"), QString());
    EXPECT_EQ(why("FREQ=MINUTELY"), QStringLiteral("its rule is not yearly"));
    EXPECT_EQ(why("FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU;BYMINUTE=1,2"), QStringLiteral("its rule has more than 1 BYMINUTE values"));
    // Monday 29 February: 1988 is the first after 1970.
    EXPECT_EQ(why("FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29;BYDAY=MO"),
              QStringLiteral("its rule gives no change within two years of its start"));
}

TEST(ICalendarRecurrence, TheBudgetStopsAndAsksWhetherToGoOn)
{
    // Every second of a year: far more than the budget.
    Budget small(100000);
    Expansion expansion(icalrecurrencetype_from_string("FREQ=SECONDLY"), icaltime_from_string("20260101T000000"),
                        {QDate(2027, 1, 1), 0}, kFirst, kLast, small);
    Day day;
    EXPECT_THROW(while (expansion.Next(day)) {}, LimitReached);

    int asked = 0;
    Budget watched(1000000000, [&asked] { return ++asked == 3; });
    EXPECT_THROW(for (int i = 0; i < 1000000; ++i) watched.Charge(), Cancelled);
    EXPECT_EQ(asked, 3);
}

} // namespace

} // namespace quillon
