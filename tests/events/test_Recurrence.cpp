// Repeat rules: their RRULE text both ways, the rules the editor cannot show, and the
// days a rule gives.
#include "Recurrence.h"

#include <gtest/gtest.h>

namespace quillon {

namespace {

using Freq = Recurrence::Frequency;

Recurrence Rule(Freq freq, int interval = 1)
{
    Recurrence rule;
    rule.Freq = freq;
    rule.Interval = interval;
    return rule;
}

TEST(RecurrenceText, RulesRoundTripThroughTheirRRule)
{
    struct Row {
        Recurrence rule;
        const char *text;
    };
    Recurrence daily = Rule(Freq::Daily, 2);
    daily.Count = 10;
    Recurrence weekly = Rule(Freq::Weekly);
    weekly.Weekdays = {Qt::Monday, Qt::Wednesday, Qt::Friday};
    weekly.Until = QDate(2027, 6, 30);
    Recurrence monthDay = Rule(Freq::Monthly);
    monthDay.MonthDay = 31;
    Recurrence second = Rule(Freq::Monthly);
    second.WeekOfMonth = 2;
    second.Weekday = Qt::Tuesday;
    Recurrence last = Rule(Freq::Monthly, 3);
    last.WeekOfMonth = -1;
    last.Weekday = Qt::Friday;
    Recurrence yearly = Rule(Freq::Yearly);
    yearly.Count = 5;
    const Row rows[] = {
        {daily, "FREQ=DAILY;INTERVAL=2;COUNT=10"},
        {weekly, "FREQ=WEEKLY;BYDAY=MO,WE,FR;UNTIL=20270630"},
        {Rule(Freq::Weekly), "FREQ=WEEKLY"},
        {monthDay, "FREQ=MONTHLY;BYMONTHDAY=31"},
        {second, "FREQ=MONTHLY;BYDAY=2TU"},
        {last, "FREQ=MONTHLY;INTERVAL=3;BYDAY=-1FR"},
        {yearly, "FREQ=YEARLY;COUNT=5"},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(row.rule.ToRRule(), QLatin1String(row.text));
        EXPECT_EQ(Recurrence::FromRRule(QLatin1String(row.text)), row.rule) << row.text;
    }
}

TEST(RecurrenceText, OtherSpellingsOfTheSameRuleAreReadAndTheRestRefused)
{
    const QDate start(2027, 3, 14);
    Recurrence workdays = Rule(Freq::Weekly);
    workdays.Weekdays = {1, 2, 3, 4, 5};
    Recurrence mondayFriday = Rule(Freq::Weekly);
    mondayFriday.Weekdays = {Qt::Monday, Qt::Friday};
    Recurrence untilDay = Rule(Freq::Weekly);
    untilDay.Until = QDate(2027, 6, 30);
    Recurrence second = Rule(Freq::Monthly);
    second.WeekOfMonth = 2;
    second.Weekday = Qt::Tuesday;
    const std::pair<const char *, Recurrence> read[] = {
        {"freq=weekly;byday=fr,mo,fr;wkst=su", mondayFriday},
        {"FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR", workdays},
        {"FREQ=WEEKLY;UNTIL=20270630T235959Z", untilDay},
        {"FREQ=MONTHLY;BYDAY=TU;BYSETPOS=2", second},
        {"FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=14", Rule(Freq::Yearly)},
    };
    for (const auto &[text, rule] : read)
        EXPECT_EQ(Recurrence::FromRRule(QLatin1String(text), start), rule) << text;

    for (const char *text :
         {"", "INTERVAL=2", "FREQ=HOURLY", "FREQ=DAILY;BYHOUR=9", "FREQ=MONTHLY;BYMONTHDAY=1,15",
          "FREQ=MONTHLY;BYMONTHDAY=-1", "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", "FREQ=MONTHLY;BYDAY=5MO",
          "FREQ=YEARLY;BYMONTH=4", "FREQ=YEARLY;BYDAY=20MO", "FREQ=WEEKLY;COUNT=3;UNTIL=20270101",
          "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,SU;WKST=SU", "FREQ=WEEKLY;BYDAY=1MO", "FREQ=DAILY;INTERVAL=2;BYDAY=MO",
          "FREQ=WEEKLY;FREQ=DAILY", "FREQ=WEEKLY;BYDAY=XX", "FREQ=WEEKLY;UNTIL=2027", "FREQ=WEEKLY;INTERVAL=0",
          "FREQ=WEEKLY;X-NAME=1"})
        EXPECT_EQ(Recurrence::FromRRule(QLatin1String(text), start), std::nullopt) << text;
    EXPECT_EQ(Recurrence::FromRRule(QStringLiteral("FREQ=YEARLY;BYMONTH=3")), std::nullopt) << "no start to compare";
}

TEST(RecurrenceDays, RulesGiveTheirDaysFromTheStart)
{
    struct Row {
        const char *text;
        QDate start, first, last;
        int limit;
        QList<QDate> days;
    };
    const QDate far(2040, 1, 1);
    const Row rows[] = {
        {"FREQ=WEEKLY;BYDAY=MO,WE;COUNT=5", QDate(2027, 1, 4), QDate(2027, 1, 4), far, 100,
         {QDate(2027, 1, 4), QDate(2027, 1, 6), QDate(2027, 1, 11), QDate(2027, 1, 13), QDate(2027, 1, 18)}},
        // Every other week, counted from the start's week; the end day is included.
        {"FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH;UNTIL=20270202", QDate(2027, 1, 7), QDate(2027, 1, 1), far, 100,
         {QDate(2027, 1, 7), QDate(2027, 1, 19), QDate(2027, 1, 21), QDate(2027, 2, 2)}},
        // Months without a 31st have no occurrence.
        {"FREQ=MONTHLY;BYMONTHDAY=31", QDate(2027, 1, 31), QDate(2027, 1, 1), QDate(2027, 12, 31), 100,
         {QDate(2027, 1, 31), QDate(2027, 3, 31), QDate(2027, 5, 31), QDate(2027, 7, 31), QDate(2027, 8, 31),
          QDate(2027, 10, 31), QDate(2027, 12, 31)}},
        {"FREQ=MONTHLY;BYDAY=-1FR;COUNT=4", QDate(2027, 1, 29), QDate(2027, 1, 1), far, 100,
         {QDate(2027, 1, 29), QDate(2027, 2, 26), QDate(2027, 3, 26), QDate(2027, 4, 30)}},
        {"FREQ=MONTHLY;INTERVAL=2;BYDAY=2TU", QDate(2027, 1, 12), QDate(2027, 1, 1), QDate(2027, 6, 30), 100,
         {QDate(2027, 1, 12), QDate(2027, 3, 9), QDate(2027, 5, 11)}},
        {"FREQ=YEARLY", QDate(2024, 2, 29), QDate(2024, 1, 1), QDate(2032, 12, 31), 100,
         {QDate(2024, 2, 29), QDate(2028, 2, 29), QDate(2032, 2, 29)}},
        // The count runs from the start, before the first day asked for.
        {"FREQ=DAILY;INTERVAL=3;COUNT=4", QDate(2027, 1, 1), QDate(2027, 1, 5), far, 100,
         {QDate(2027, 1, 7), QDate(2027, 1, 10)}},
        // A start the rule would not give is still the first occurrence.
        {"FREQ=WEEKLY;BYDAY=TU;COUNT=3", QDate(2027, 1, 4), QDate(2027, 1, 1), far, 100,
         {QDate(2027, 1, 4), QDate(2027, 1, 5), QDate(2027, 1, 12)}},
        {"FREQ=DAILY", QDate(2027, 1, 1), QDate(2027, 1, 1), far, 3,
         {QDate(2027, 1, 1), QDate(2027, 1, 2), QDate(2027, 1, 3)}},
    };
    for (const Row &row : rows) {
        const std::optional<Recurrence> rule = Recurrence::FromRRule(QLatin1String(row.text), row.start);
        ASSERT_TRUE(rule) << row.text;
        EXPECT_EQ(rule->Days(row.start, row.first, row.last, row.limit), row.days) << row.text;
    }
}

} // namespace

} // namespace quillon
