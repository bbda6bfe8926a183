#include "basDateText.h"

#include <gtest/gtest.h>

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
