#include "OptionsRules.h"
#include "basOperation.h"

#include <gtest/gtest.h>

namespace quillon {

using namespace OptionsRules;

TEST(OptionsRules, StoredOrientationCodesAndAnythingElseFallToFullScreen)
{
    const struct {
        const char *stored;
        int position;
        const char *saved;
    } cases[] = {{"0", kCenter, "0"},      {"1", kTopLeft, "1"},     {"4", kBottomRight, "4"},
                 {"5", kFullScreen, "5"},  {"7", kFullScreen, "5"},  {"-1", kFullScreen, "5"},
                 {"", kFullScreen, "5"},   {"left", kFullScreen, "5"}, {" 2 ", kTopRight, "2"},
                 {"99999999999", kFullScreen, "5"}};
    for (const auto &c : cases) {
        const int position = PositionFromCode(QString::fromUtf8(c.stored));
        EXPECT_EQ(position, c.position) << c.stored;
        EXPECT_EQ(CodeOfPosition(position), QLatin1String(c.saved)) << c.stored;
    }
    EXPECT_EQ(CodeOfPosition(kNoPosition), QLatin1String("5"));
}

TEST(OptionsRules, ScreensOf800By600AndSmallerAreSmall)
{
    EXPECT_TRUE(IsSmallScreen({800, 600}));
    EXPECT_TRUE(IsSmallScreen({800, 1080}));
    EXPECT_TRUE(IsSmallScreen({1920, 600}));
    EXPECT_TRUE(IsSmallScreen({0, 0}));
    EXPECT_FALSE(IsSmallScreen({801, 601}));
    EXPECT_FALSE(IsSmallScreen({1920, 1080}));
}

TEST(OptionsRules, TimeoutChecksInTheirOrder)
{
    // While typing only a non-number is refused; leaving refuses empty, fractions and
    // values of 0 or less, in that order.
    EXPECT_EQ(CheckTimeoutWhileTyping(QStringLiteral("a")), TimeoutProblem::NotANumber);
    EXPECT_EQ(CheckTimeoutWhileTyping(QStringLiteral("12a")), TimeoutProblem::NotANumber);
    EXPECT_EQ(CheckTimeoutWhileTyping(QStringLiteral("-")), TimeoutProblem::NotANumber);
    for (const char *fine : {"", "0", "-3", "2.5", " 45 "})
        EXPECT_EQ(CheckTimeoutWhileTyping(QString::fromUtf8(fine)), TimeoutProblem::None) << fine;

    EXPECT_EQ(CheckTimeoutOnLeave(QString()), TimeoutProblem::Required);
    EXPECT_EQ(CheckTimeoutOnLeave(QStringLiteral("2.5")), TimeoutProblem::NotWhole);
    EXPECT_EQ(CheckTimeoutOnLeave(QStringLiteral("-0.5")), TimeoutProblem::NotWhole);
    EXPECT_EQ(CheckTimeoutOnLeave(QStringLiteral("0")), TimeoutProblem::NotPositive);
    EXPECT_EQ(CheckTimeoutOnLeave(QStringLiteral("-3")), TimeoutProblem::NotPositive);
    EXPECT_EQ(CheckTimeoutOnLeave(QStringLiteral("1")), TimeoutProblem::None);
    EXPECT_EQ(CheckTimeoutOnLeave(QStringLiteral("3600")), TimeoutProblem::None);
    EXPECT_THROW(CheckTimeoutOnLeave(QStringLiteral("a")), basOperation::Failure);

    EXPECT_STREQ(MessageFor(TimeoutProblem::Required).title, "Required Entry");
    EXPECT_STREQ(MessageFor(TimeoutProblem::NotPositive).text, "Warning timeout must be a number greater than 0.");
}

TEST(OptionsRules, UpDownStepsWithinItsRangeAndRestartsFromBadText)
{
    EXPECT_EQ(StepTimeout(QStringLiteral("30"), 1), QLatin1String("31"));
    EXPECT_EQ(StepTimeout(QStringLiteral("1"), -1), QLatin1String("1"));
    EXPECT_EQ(StepTimeout(QStringLiteral("3600"), 1), QLatin1String("3600"));
    EXPECT_EQ(StepTimeout(QStringLiteral("-40"), 1), QLatin1String("1"));
    EXPECT_EQ(StepTimeout(QStringLiteral("1e12"), -1), QLatin1String("3600"));
    EXPECT_EQ(StepTimeout(QStringLiteral("abc"), 1), QLatin1String("30"));
    EXPECT_EQ(StepTimeout(QStringLiteral("2.5"), 1), QLatin1String("30"));
    EXPECT_EQ(StepTimeout(QString(), -1), QLatin1String("30"));
}

} // namespace quillon
