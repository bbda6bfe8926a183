#include "basChurchYear.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace basChurchYear;

namespace {

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2100;


} // namespace

TEST(ChurchYear, EasterMatchesKnownDates)
{
    const QDate known[] = {
        {1900, 4, 15}, {1913, 3, 23}, {1943, 4, 25}, {1954, 4, 18}, {1961, 4, 2},
        {2000, 4, 23}, {2008, 3, 23}, {2011, 4, 24}, {2016, 3, 27}, {2019, 4, 21},
        {2024, 3, 31}, {2025, 4, 20}, {2026, 4, 5},  {2038, 4, 25}, {2100, 3, 28},
        {1818, 3, 22}, {2285, 3, 22}};
    for (const QDate &easter : known)
        EXPECT_EQ(EasterSunday(easter.year()), easter) << easter.year();

    // Every Easter is a Sunday between 22 March and 25 April.
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        const QDate easter = EasterSunday(year);
        ASSERT_EQ(easter.dayOfWeek(), 7) << year;
        EXPECT_GE(easter, QDate(year, 3, 22)) << year;
        EXPECT_LE(easter, QDate(year, 4, 25)) << year;
    }
    EXPECT_FALSE(EasterSunday(1582).isValid());
}

TEST(ChurchYear, OrdinalWords)
{
    EXPECT_EQ(OrdinalWord(1), QStringLiteral("First"));
    EXPECT_EQ(OrdinalWord(12), QStringLiteral("Twelfth"));
    EXPECT_EQ(OrdinalWord(20), QStringLiteral("Twentieth"));
    EXPECT_EQ(OrdinalWord(21), QStringLiteral("Twenty-first"));
    EXPECT_EQ(OrdinalWord(28), QStringLiteral("Twenty-eighth"));
    EXPECT_EQ(OrdinalWord(30), QStringLiteral("Thirtieth"));
    EXPECT_EQ(OrdinalWord(42), QStringLiteral("Forty-second"));
}

// Named days of 2024 (Easter 31 March, Advent 1 December), checked against a printed
// calendar, and fixed feasts that fall on a Sunday in other years.
TEST(ChurchYear, NamedDays)
{
    struct Row { QDate date; const char *color; const char *text; };
    const Row rows[] = {
        {{2024, 1, 1}, kWhite, "Name of Jesus"},
        {{2024, 1, 2}, kWhite, ""},
        {{2024, 1, 6}, kWhite, "Epiphany of Our Lord"},
        {{2024, 1, 7}, kWhite, "Baptism of Our Lord"},
        {{2024, 1, 8}, kGreen, ""},
        {{2024, 1, 14}, kGreen, "Second Sunday after Epiphany"},
        {{2024, 2, 4}, kGreen, "Fifth Sunday after Epiphany"},
        {{2024, 2, 11}, kWhite, "Transfiguration of Our Lord"},
        {{2024, 2, 13}, kGreen, ""},
        {{2024, 2, 14}, kPurple, "Ash Wednesday"},
        {{2024, 2, 18}, kPurple, "First Sunday in Lent"},
        {{2024, 3, 10}, kPurple, "Fourth Sunday in Lent"},
        {{2024, 3, 17}, kPurple, "Fifth Sunday in Lent"},
        {{2024, 3, 24}, kPurple, "Palm Sunday"},
        {{2024, 3, 27}, kPurple, ""},
        {{2024, 3, 28}, kWhite, "Maundy Thursday"},
        {{2024, 3, 29}, kGray, "Good Friday"},
        {{2024, 3, 30}, kGray, "Holy Saturday"},
        {{2024, 3, 31}, kWhite, "Easter Sunday"},
        {{2024, 4, 7}, kWhite, "Second Sunday of Easter"},
        {{2024, 5, 5}, kWhite, "Sixth Sunday of Easter"},
        {{2024, 5, 9}, kWhite, "Ascension of Our Lord"},
        {{2024, 5, 12}, kWhite, "Seventh Sunday of Easter"},
        {{2024, 5, 18}, kWhite, ""},
        {{2024, 5, 19}, kRed, "Day of Pentecost"},
        {{2024, 5, 20}, kGreen, ""},
        {{2024, 5, 26}, kWhite, "Holy Trinity"},
        {{2024, 6, 2}, kGreen, "Second Sunday after Pentecost"},
        {{2024, 8, 4}, kGreen, "Eleventh Sunday after Pentecost"},
        {{2024, 10, 27}, kGreen, "Twenty-third Sunday after Pentecost"},
        {{2024, 10, 31}, kRed, "Reformation Day"},
        {{2024, 11, 1}, kWhite, "All Saints' Day"},
        {{2024, 11, 17}, kGreen, "Twenty-sixth Sunday after Pentecost"},
        {{2024, 11, 24}, kWhite, "Christ the King"},
        {{2024, 11, 30}, kGreen, ""},
        {{2024, 12, 1}, kPurple, "First Sunday of Advent"},
        {{2024, 12, 15}, kPurple, "Third Sunday of Advent"},
        {{2024, 12, 22}, kPurple, "Fourth Sunday of Advent"},
        {{2024, 12, 24}, kPurple, "Christmas Eve"},
        {{2024, 12, 25}, kWhite, "Christmas Day"},
        {{2024, 12, 29}, kWhite, "First Sunday of Christmas"},
        {{2025, 1, 5}, kWhite, "Second Sunday of Christmas"},
        // A fixed festival wins over the Sunday.
        {{2023, 12, 24}, kPurple, "Christmas Eve"},
        {{2022, 12, 25}, kWhite, "Christmas Day"},
        {{2023, 1, 1}, kWhite, "Name of Jesus"},
        {{2019, 1, 6}, kWhite, "Epiphany of Our Lord"},
        {{2021, 10, 31}, kRed, "Reformation Day"},
        {{2026, 11, 1}, kWhite, "All Saints' Day"},
        // Earliest Advent (27 November 2022) and latest (3 December 2023).
        {{2022, 11, 26}, kGreen, ""},
        {{2022, 11, 27}, kPurple, "First Sunday of Advent"},
        {{2022, 11, 20}, kWhite, "Christ the King"},
        {{2023, 12, 2}, kGreen, ""},
        {{2023, 12, 3}, kPurple, "First Sunday of Advent"},
        {{2023, 11, 26}, kWhite, "Christ the King"},
        // Early Easter 2008 (23 March): the Baptism on 13 January, Transfiguration 3 February.
        {{2008, 1, 13}, kWhite, "Baptism of Our Lord"},
        {{2008, 1, 27}, kGreen, "Third Sunday after Epiphany"},
        {{2008, 2, 3}, kWhite, "Transfiguration of Our Lord"},
        {{2008, 2, 6}, kPurple, "Ash Wednesday"},
        // Late Easter 2038 (25 April): nine Sundays from the Baptism to the Transfiguration.
        {{2038, 1, 10}, kWhite, "Baptism of Our Lord"},
        {{2038, 3, 7}, kWhite, "Transfiguration of Our Lord"},
        {{2038, 2, 28}, kGreen, "Eighth Sunday after Epiphany"},
        {{2038, 6, 13}, kRed, "Day of Pentecost"},
        // The ends of the range.
        {{1900, 1, 1}, kWhite, "Name of Jesus"},
        {{2100, 12, 31}, kWhite, ""},
    };
    for (const Row &row : rows) {
        const ChurchDay day = ChurchYearDay(row.date);
        EXPECT_EQ(day.color, QLatin1String(row.color)) << row.date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(day.text, QString::fromUtf8(row.text)) << row.date.toString(Qt::ISODate).toStdString();
    }
    EXPECT_TRUE(ChurchYearDay(QDate()).color.isEmpty());
}

// Every day of 1900-2100, checked against the seasons' shape rather than the code.
TEST(ChurchYear, WholeYearsKeepTheSeasonsShape)
{
    const QSet<QString> colors = {kGreen, kPurple, kRed, kWhite, kGray};
    const QSet<QString> weekdayNames = {
        "Christmas Eve", "Christmas Day", "Name of Jesus", "Epiphany of Our Lord",
        "Ash Wednesday", "Maundy Thursday", "Good Friday", "Holy Saturday",
        "Ascension of Our Lord", "Reformation Day", "All Saints' Day"};
    int longestAfterPentecost = 0;

    for (int year = kFirstYear; year <= kLastYear; ++year) {
        const QList<ChurchDay> days = ChurchYear(year);
        const QDate jan1(year, 1, 1);
        ASSERT_EQ(days.size(), jan1.daysInYear());
        const QDate easter = EasterSunday(year);
        const QDate advent = FirstSundayOfAdvent(year);
        const auto at = [&](const QDate &d) { return days.at(int(jan1.daysTo(d))); };
        SCOPED_TRACE(year);

        QMap<QString, int> colorCount;
        QMap<QString, int> textCount;
        for (int i = 0; i < days.size(); ++i) {
            const QDate date = jan1.addDays(i);
            const ChurchDay &day = days.at(i);
            ASSERT_TRUE(colors.contains(day.color)) << date.toString(Qt::ISODate).toStdString();
            // The per-day call gives the same answer as the whole-year list.
            const ChurchDay single = ChurchYearDay(date);
            ASSERT_EQ(single.color, day.color);
            ASSERT_EQ(single.text, day.text);
            ++colorCount[day.color];
            if (!day.text.isEmpty())
                ++textCount[day.text];
            // Every Sunday has a name; weekdays only the festivals'.
            if (date.dayOfWeek() == 7) {
                EXPECT_FALSE(day.text.isEmpty()) << date.toString(Qt::ISODate).toStdString();
            } else if (!day.text.isEmpty()) {
                EXPECT_TRUE(weekdayNames.contains(day.text)) << day.text.toStdString();
            }
        }

        // Advent: purple from its first Sunday to 24 December, green the day before.
        EXPECT_GE(advent, QDate(year, 11, 27));
        EXPECT_LE(advent, QDate(year, 12, 3));
        EXPECT_EQ(at(advent.addDays(-1)).color, QLatin1String(kGreen));
        EXPECT_EQ(at(advent.addDays(-7)).text, QStringLiteral("Christ the King"));
        for (QDate d = advent; d <= QDate(year, 12, 24); d = d.addDays(1))
            EXPECT_EQ(at(d).color, QLatin1String(kPurple)) << d.toString(Qt::ISODate).toStdString();
        // Lent: Ash Wednesday to Holy Wednesday, 43 purple days, green before.
        const QDate ash = easter.addDays(-46);
        EXPECT_EQ(at(ash).text, QStringLiteral("Ash Wednesday"));
        EXPECT_EQ(at(ash.addDays(-1)).color, QLatin1String(kGreen));
        int lent = 0;
        for (QDate d = ash; d <= easter.addDays(-4); d = d.addDays(1))
            lent += at(d).color == QLatin1String(kPurple);
        EXPECT_EQ(lent, 43);
        // The Easter season is white for fifty days up to Pentecost, green after.
        for (QDate d = easter; d < easter.addDays(49); d = d.addDays(1))
            EXPECT_EQ(at(d).color, QLatin1String(kWhite));
        EXPECT_EQ(at(easter.addDays(50)).color, QLatin1String(kGreen));

        EXPECT_EQ(colorCount.value(kGray), 2);
        EXPECT_EQ(colorCount.value(kRed), 2); // Pentecost and Reformation Day
        EXPECT_EQ(colorCount.value(kPurple), int(advent.daysTo(QDate(year, 12, 24))) + 1 + 43);
        for (const char *once : {"Easter Sunday", "Day of Pentecost", "Holy Trinity",
                                    "Baptism of Our Lord", "Transfiguration of Our Lord",
                                    "Palm Sunday", "Christ the King", "First Sunday of Advent"})
            EXPECT_EQ(textCount.value(once), 1) << once;
        // Sundays after Pentecost count the weeks from Pentecost, Holy Trinity being the
        // first; Reformation Day and All Saints' Day take the place of theirs.
        int n = 2;
        for (QDate d = easter.addDays(63); d < advent.addDays(-7); d = d.addDays(7), ++n) {
            const QString text = at(d).text;
            if (text != QStringLiteral("Reformation Day") && text != QStringLiteral("All Saints' Day")) {
                EXPECT_EQ(text, OrdinalWord(n) + QStringLiteral(" Sunday after Pentecost"));
            }
        }
        longestAfterPentecost = std::max(longestAfterPentecost, n - 1);
        EXPECT_EQ(textCount.value("Fifth Sunday in Lent"), 1);
        EXPECT_EQ(textCount.value("Sixth Sunday in Lent"), 0);
        EXPECT_EQ(textCount.value("Seventh Sunday of Easter"), 1);
    }
    // The gap between Pentecost and Advent never needs more than "Twenty-eighth".
    EXPECT_GE(longestAfterPentecost, 26);
    EXPECT_LE(longestAfterPentecost, 28);
}
