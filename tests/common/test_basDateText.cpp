#include "basDateText.h"
#include "basTimeText.h"

#include <gtest/gtest.h>

namespace quillon {

using namespace basDateText;

TEST(DateText, OneFormOutAnyLeadingZerosIn)
{
    EXPECT_EQ(FormatDateText(QDate(2009, 1, 5)), QStringLiteral("1/05/2009"));
    EXPECT_EQ(FormatDateText(QDate(2026, 12, 31)), QStringLiteral("12/31/2026"));
    EXPECT_EQ(FormatDateText(QDate()), QString());
    EXPECT_EQ(ParseDateText(QStringLiteral("1/5/2004")), QDate(2004, 1, 5));
    EXPECT_EQ(ParseDateText(QStringLiteral("01/05/2004")), QDate(2004, 1, 5));
    EXPECT_EQ(NormalizeDateText(QStringLiteral("2/29/2024")), QStringLiteral("2/29/2024"));
    for (const char *bad : {"2/29/2023", "13/1/2004", "1/5/04", "1-5-2004", "", "a/b/cdef", "1/5/2004/1"})
        EXPECT_FALSE(ParseDateText(QString::fromLatin1(bad)).isValid()) << bad;
}

TEST(TimeText, ParsesTheFormsPeopleWriteAndRejectsTheRest)
{
    using basTimeText::ParseTimeText;
    const std::pair<const char *, QTime> good[] = {
        {"12:00 AM", QTime(0, 0)},   {"0:00 AM", QTime(0, 0)},   {"12:00 PM", QTime(12, 0)},
        {"11:59 PM", QTime(23, 59)}, {"9:30am", QTime(9, 30)},   {"9:30 p.m.", QTime(21, 30)},
        {"17:45", QTime(17, 45)},    {" 8:30 AM ", QTime(8, 30)}, {"6:46:25 PM", QTime(18, 46, 25)}};
    for (const auto &[text, time] : good)
        EXPECT_EQ(ParseTimeText(QLatin1String(text)), time) << text;
    for (const char *bad : {"", "noon", "13:00 PM", "0:30 PM", "9:60 AM", "24:00", "9.30 AM", "9:30 XM"})
        EXPECT_FALSE(ParseTimeText(QLatin1String(bad)).isValid()) << bad;

    EXPECT_EQ(basTimeText::FormatTimeText(QTime(0, 0)), QStringLiteral("12:00 AM"));
    EXPECT_EQ(basTimeText::FormatTimeText(QTime(12, 5, 59)), QStringLiteral("12:05 PM"));
    EXPECT_EQ(basTimeText::FormatTimeText(QTime(23, 30)), QStringLiteral("11:30 PM"));
    EXPECT_EQ(basTimeText::FormatTimeText(QTime()), QString());
}

} // namespace quillon
