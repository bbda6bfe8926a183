#include "basStringFunctions.h"

#include <gtest/gtest.h>

namespace quillon {

using namespace basStringFunctions;

namespace {
struct FieldCase {
    const char *text;
    const char *delimiter;
    int n;
    const char *expected;
};

TEST(GetField, ReturnsTheNthFieldOrEmpty)
{
    const FieldCase cases[] = {FieldCase{"1/05/2009", "/", 1, "1"}, FieldCase{"1/05/2009", "/", 2, "05"},
                      FieldCase{"1/05/2009", "/", 3, "2009"}, FieldCase{"1/05/2009", "/", 4, ""},
                      FieldCase{"no delimiter", ",", 1, "no delimiter"},
                      FieldCase{"no delimiter", ",", 2, ""}, FieldCase{",lead", ",", 1, ""},
                      FieldCase{",lead", ",", 2, "lead"}, FieldCase{"trail,", ",", 2, ""},
                      FieldCase{"a<>b<>c", "<>", 2, "b"}, FieldCase{"a<>b<>c", "<>", 3, "c"},
                      FieldCase{"a|||b", "||", 2, "|b"}, FieldCase{"", "|", 1, ""},
                      FieldCase{"x|y", "|", 0, ""}, FieldCase{"Grün|Ä", "|", 2, "Ä"}};
    for (const FieldCase &c : cases)
        EXPECT_EQ(GetField(QString::fromUtf8(c.text), QString::fromUtf8(c.delimiter), c.n),
                  QString::fromUtf8(c.expected))
            << c.text << " / " << c.delimiter << " / " << c.n;
}

TEST(CountFields, CountsNonOverlappingDelimitersPlusOne)
{
    EXPECT_EQ(CountFields(QString(), QStringLiteral(",")), 1);
    EXPECT_EQ(CountFields(QStringLiteral("a,b,,c"), QStringLiteral(",")), 4);
    EXPECT_EQ(CountFields(QStringLiteral("a|||b"), QStringLiteral("||")), 2);
    EXPECT_EQ(CountFields(QStringLiteral("abc"), QString()), 1);
}

TEST(GetFields, WithoutLastIsGetFieldAndWithLastJoinsTheRange)
{
    const QString record = QStringLiteral("12/06/2026|White|2|notes|text");
    for (int n = 0; n <= 6; ++n)
        EXPECT_EQ(GetFields(record, QStringLiteral("|"), n), GetField(record, QStringLiteral("|"), n));
    EXPECT_EQ(GetFields(record, QStringLiteral("|"), 2, 3), QStringLiteral("White|2"));
    EXPECT_EQ(GetFields(record, QStringLiteral("|"), 4, 9), QStringLiteral("notes|text"));
}
} // namespace

} // namespace quillon
