#include "basConvert.h"
#include "basOperation.h"

#include <gtest/gtest.h>

namespace quillon {

using basOperation::Failure;

namespace {
int ErrorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Failure &failure) {
        return failure.number();
    }
    return 0;
}

TEST(Convert, WholeNumbersRoundHalfToEvenAndCheckRange)
{
    EXPECT_EQ(basConvert::ToInt32(QStringLiteral("  42 ")), 42);
    EXPECT_EQ(basConvert::ToInt32(QStringLiteral("-1")), -1);
    EXPECT_EQ(basConvert::ToInt32(QStringLiteral("2.5")), 2);
    EXPECT_EQ(basConvert::ToInt32(QStringLiteral("3.5")), 4);
    EXPECT_EQ(basConvert::ToInt32(QStringLiteral("-2.5")), -2);
    EXPECT_EQ(basConvert::ToInt16(QStringLiteral("32767")), 32767);
    EXPECT_EQ(ErrorOf([] { basConvert::ToInt16(QStringLiteral("32768")); }), basOperation::kOverflow);
    EXPECT_EQ(ErrorOf([] { basConvert::ToInt32(QStringLiteral("99999999999")); }), basOperation::kOverflow);
    for (const char *bad : {"", "  ", "abc", "12abc", "1,5", "nan", "inf"})
        EXPECT_EQ(ErrorOf([bad] { basConvert::ToInt32(QString::fromLatin1(bad)); }), basOperation::kTypeMismatch)
            << bad;
}

TEST(Convert, BooleansAcceptNumbersAndWordsInAnyCase)
{
    for (const char *yes : {"1", "-1", "2", "0.5", "True", "TRUE", "true", " true "})
        EXPECT_TRUE(basConvert::ToBoolean(QString::fromLatin1(yes))) << yes;
    for (const char *no : {"0", "0.0", "False", "false", "FaLsE"})
        EXPECT_FALSE(basConvert::ToBoolean(QString::fromLatin1(no))) << no;
    for (const char *bad : {"", "yes", "on", "1x"})
        EXPECT_EQ(ErrorOf([bad] { basConvert::ToBoolean(QString::fromLatin1(bad)); }), basOperation::kTypeMismatch)
            << bad;
}
} // namespace

} // namespace quillon
