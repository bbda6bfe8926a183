#include "CalendarDayText.h"

#include <gtest/gtest.h>

namespace quillon {

namespace {
using namespace CalendarDayText;

TEST(CalendarDayText, StartTimesAndShownLines)
{
    struct Case {
        const char *stored;
        const char *key;
        const char *line;
    };
    const Case cases[] = {
        {"9:30 AM", "0930 Staff", "9:30a  Staff"},
        {"12:00 PM", "1200 Staff", "12:00p  Staff"},
        {"12:00 AM", "0000 Staff", "12:00a  Staff"},
        {"7:15 PM", "1915 Staff", "7:15p  Staff"},
        {"11:59 PM", "2359 Staff", "11:59p  Staff"},
        {"14:05", "1405 Staff", "2:05p  Staff"},
        {"9:05 am", "0905 Staff", "9:05a  Staff"},
    };
    for (const Case &c : cases) {
        const QTime time = ParseStartTime(QLatin1String(c.stored));
        ASSERT_TRUE(time.isValid()) << c.stored;
        const QString key = SortKey(time, QStringLiteral("Staff"));
        EXPECT_EQ(key, QLatin1String(c.key));
        EXPECT_EQ(TimedLine(key), QLatin1String(c.line));
    }
    EXPECT_FALSE(ParseStartTime(QStringLiteral("soon")).isValid());
    EXPECT_FALSE(ParseStartTime(QString()).isValid());
    // A name is shown as given, blanks and all.
    EXPECT_EQ(TimedLine(SortKey(QTime(8, 0), QStringLiteral(" <b>x</b> "))), QStringLiteral("8:00a   <b>x</b> "));
}

TEST(CalendarDayText, SortByTimeThenNameKeepingTies)
{
    const QStringList delivered = {
        QStringLiteral("1400 Review"), QStringLiteral("0905 Standup"), QStringLiteral("1200 lunch"),
        QStringLiteral("1200 Lunch"), QStringLiteral("1200 Budget"), QStringLiteral("1200 lunch"),
        QStringLiteral("0000 Midnight")};
    const QStringList expected = {
        QStringLiteral("0000 Midnight"), QStringLiteral("0905 Standup"), QStringLiteral("1200 Budget"),
        QStringLiteral("1200 lunch"), QStringLiteral("1200 Lunch"), QStringLiteral("1200 lunch"),
        QStringLiteral("1400 Review")};
    EXPECT_EQ(SortedEntries(delivered), expected);
    // Exact ties and case-only differences keep their order of arrival either way round.
    EXPECT_EQ(SortedEntries({QStringLiteral("1200 Lunch"), QStringLiteral("1200 lunch")}),
              (QStringList{QStringLiteral("1200 Lunch"), QStringLiteral("1200 lunch")}));
    EXPECT_TRUE(SortedEntries({}).isEmpty());
}

} // namespace

} // namespace quillon
