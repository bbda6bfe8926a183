#include "basChurchYear.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QSet>

namespace quillon {

using namespace basChurchYear;

TEST(ChurchYear, EasterMatchesKnownDates)
{
    const QDate known[] = {{1900, 4, 15}, {1913, 3, 23}, {1943, 4, 25}, {1954, 4, 18},
                           {1961, 4, 2},  {2000, 4, 23}, {2008, 3, 23}, {2011, 4, 24},
                           {2019, 4, 21}, {2024, 3, 31}, {2025, 4, 20}, {2026, 4, 5},
                           {2038, 4, 25}, {2100, 3, 28}, {1818, 3, 22}, {2285, 3, 22}};
    for (const QDate &easter : known)
        EXPECT_EQ(EasterSunday(easter.year()), easter) << easter.year();
    for (int year = 1900; year <= 2100; ++year) {
        const QDate easter = EasterSunday(year);
        EXPECT_TRUE(easter.dayOfWeek() == 7 && easter >= QDate(year, 3, 22) && easter <= QDate(year, 4, 25)) << year;
    }
    EXPECT_EQ(OrdinalWord(12), QStringLiteral("Twelfth"));
    EXPECT_EQ(OrdinalWord(20), QStringLiteral("Twentieth"));
    EXPECT_EQ(OrdinalWord(28), QStringLiteral("Twenty-eighth"));
}

// 2024 (Easter 31 March, Advent 1 December) checked against a printed calendar, fixed
// festivals on a Sunday, and the earliest and latest seasons.
TEST(ChurchYear, NamedDays)
{
    struct Row { QDate date; const char *color; const char *text; };
    const Row rows[] = {
        {{2024, 1, 1}, kWhite, "Name of Jesus"}, {{2024, 1, 7}, kWhite, "Baptism of Our Lord"},
        {{2024, 1, 14}, kGreen, "Second Sunday after Epiphany"}, {{2024, 2, 13}, kGreen, ""},
        {{2024, 2, 11}, kWhite, "Transfiguration of Our Lord"}, {{2024, 2, 14}, kPurple, "Ash Wednesday"},
        {{2024, 3, 10}, kPurple, "Fourth Sunday in Lent"}, {{2024, 3, 24}, kPurple, "Palm Sunday"},
        {{2024, 3, 27}, kPurple, ""}, {{2024, 3, 28}, kWhite, "Maundy Thursday"},
        {{2024, 3, 29}, kGray, "Good Friday"}, {{2024, 3, 30}, kGray, "Holy Saturday"},
        {{2024, 3, 31}, kWhite, "Easter Sunday"}, {{2024, 5, 5}, kWhite, "Sixth Sunday of Easter"},
        {{2024, 5, 9}, kWhite, "Ascension of Our Lord"}, {{2024, 5, 19}, kRed, "Day of Pentecost"},
        {{2024, 5, 20}, kGreen, ""}, {{2024, 5, 26}, kWhite, "Holy Trinity"},
        {{2024, 6, 2}, kGreen, "Second Sunday after Pentecost"},
        {{2024, 10, 27}, kGreen, "Twenty-third Sunday after Pentecost"},
        {{2024, 10, 31}, kRed, "Reformation Day"}, {{2024, 11, 1}, kWhite, "All Saints' Day"},
        {{2024, 11, 24}, kWhite, "Christ the King"}, {{2024, 11, 30}, kGreen, ""},
        {{2024, 12, 1}, kPurple, "First Sunday of Advent"}, {{2024, 12, 15}, kPurple, "Third Sunday of Advent"},
        {{2024, 12, 24}, kPurple, "Christmas Eve"}, {{2024, 12, 25}, kWhite, "Christmas Day"},
        {{2024, 12, 29}, kWhite, "First Sunday of Christmas"}, {{2025, 1, 5}, kWhite, "Second Sunday of Christmas"},
        // A fixed festival wins over the Sunday.
        {{2023, 12, 24}, kPurple, "Christmas Eve"}, {{2023, 1, 1}, kWhite, "Name of Jesus"},
        {{2019, 1, 6}, kWhite, "Epiphany of Our Lord"}, {{2026, 11, 1}, kWhite, "All Saints' Day"},
        // Earliest Advent; early Easter 2008 (23 March); late Easter 2038 (25 April).
        {{2022, 11, 26}, kGreen, ""}, {{2022, 11, 27}, kPurple, "First Sunday of Advent"},
        {{2008, 1, 13}, kWhite, "Baptism of Our Lord"}, {{2008, 2, 3}, kWhite, "Transfiguration of Our Lord"},
        {{2038, 2, 28}, kGreen, "Eighth Sunday after Epiphany"}, {{2038, 3, 7}, kWhite, "Transfiguration of Our Lord"},
    };
    for (const Row &row : rows) {
        const ChurchDay day = ChurchYearDay(row.date);
        const std::string at = row.date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(day.color, QLatin1String(row.color)) << at;
        EXPECT_EQ(day.text, QString::fromUtf8(row.text)) << at;
    }
    EXPECT_TRUE(ChurchYearDay(QDate()).color.isEmpty());
}

// Every day of 1900-2100, checked against the shape of the seasons.
TEST(ChurchYear, WholeYearsKeepTheSeasonsShape)
{
    const QSet<QString> colors = {kGreen, kPurple, kRed, kWhite, kGray};
    const QSet<QString> weekdayNames = {
        "Christmas Eve", "Christmas Day", "Name of Jesus", "Epiphany of Our Lord", "Ash Wednesday",
        "Maundy Thursday", "Good Friday", "Holy Saturday", "Ascension of Our Lord",
        "Reformation Day", "All Saints' Day"};
    for (int year = 1900; year <= 2100; ++year) {
        SCOPED_TRACE(year);
        const QList<ChurchDay> days = ChurchYear(year);
        const QDate jan1(year, 1, 1);
        ASSERT_EQ(days.size(), jan1.daysInYear());
        const auto at = [&](const QDate &d) { return days.at(int(jan1.daysTo(d))); };
        const QDate easter = EasterSunday(year);
        const QDate advent = FirstSundayOfAdvent(year);

        QMap<QString, int> colorCount, textCount;
        for (int i = 0; i < days.size(); ++i) {
            const QDate date = jan1.addDays(i);
            const ChurchDay &day = days.at(i);
            ASSERT_TRUE(colors.contains(day.color));
            const ChurchDay single = ChurchYearDay(date); // the cached per-day path agrees
            ASSERT_TRUE(single.color == day.color && single.text == day.text) << i;
            ++colorCount[day.color];
            ++textCount[day.text];
            // Every Sunday has a name; weekdays only the festivals'.
            if (date.dayOfWeek() == 7 ? day.text.isEmpty() : !day.text.isEmpty() && !weekdayNames.contains(day.text))
                ADD_FAILURE() << date.toString(Qt::ISODate).toStdString() << " " << day.text.toStdString();
        }
        EXPECT_EQ(at(advent.addDays(-7)).text, QStringLiteral("Christ the King"));
        // Purple: Advent to 24 December, and Ash Wednesday to Holy Wednesday (43 days).
        EXPECT_EQ(colorCount.value(kPurple), advent.daysTo(QDate(year, 12, 24)) + 1 + 43);
        for (QDate d = easter; d < easter.addDays(49); d = d.addDays(1))
            EXPECT_EQ(at(d).color, QLatin1String(kWhite));
        EXPECT_EQ(colorCount.value(kGray), 2);
        EXPECT_EQ(colorCount.value(kRed), 2); // Pentecost and Reformation Day
        for (const char *once : {"Easter Sunday", "Day of Pentecost", "Holy Trinity", "Baptism of Our Lord",
                                 "Transfiguration of Our Lord", "Palm Sunday", "Fifth Sunday in Lent",
                                 "Seventh Sunday of Easter", "First Sunday of Advent"})
            EXPECT_EQ(textCount.value(once), 1) << once;
        // Sundays after Pentecost count the weeks since Pentecost (Holy Trinity is the
        // first); Reformation Day and All Saints' Day take the place of theirs.
        int n = 2;
        for (QDate d = easter.addDays(63); d < advent.addDays(-7); d = d.addDays(7), ++n) {
            const QString text = at(d).text;
            if (text != QStringLiteral("Reformation Day") && text != QStringLiteral("All Saints' Day")) {
                EXPECT_EQ(text, OrdinalWord(n) + QStringLiteral(" Sunday after Pentecost"));
            }
        }
    }
}

} // namespace quillon
