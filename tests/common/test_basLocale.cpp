#include "basLocale.h"

#include <gtest/gtest.h>

namespace quillon {

namespace {

TEST(basLocale, TimesAndWeekStartFollowTheLocaleAndTheSetting)
{
    const struct {
        const char *locale;
        const char *morning;  // 9:30
        const char *compact;  // 17:05 in a wallpaper cell
        Qt::DayOfWeek weekStart;
    } cases[] = {
        {"en_US", "9:30 AM", "5:05p", Qt::Sunday},
        {"C", "9:30 AM", "5:05p", Qt::Sunday},   // no one's locale: the suite's own forms
        {"de_DE", "09:30", "17:05", Qt::Monday},
        {"fr_FR", "09:30", "17:05", Qt::Monday},
        {"en_GB", "09:30", "17:05", Qt::Monday},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.locale);
        const QLocale locale(QLatin1String(c.locale));
        EXPECT_EQ(basLocale::ShownTime(QTime(9, 30, 15), locale), QLatin1String(c.morning));
        EXPECT_EQ(basLocale::CompactTime(QTime(17, 5), locale), QLatin1String(c.compact));
        EXPECT_EQ(basLocale::FirstDayOfWeek(QStringLiteral("Locale"), locale), c.weekStart);
        EXPECT_EQ(basLocale::FirstDayOfWeek(QStringLiteral("nonsense"), locale), c.weekStart);
        EXPECT_EQ(basLocale::FirstDayOfWeek(QStringLiteral("saturday"), locale), Qt::Saturday);
        EXPECT_EQ(basLocale::FirstDayOfWeek(QStringLiteral("Sunday"), locale), Qt::Sunday);
        EXPECT_EQ(basLocale::FirstDayOfWeek(QStringLiteral(" Monday "), locale), Qt::Monday);
    }
    EXPECT_EQ(basLocale::ShownTime(QTime()), QString());
    EXPECT_EQ(basLocale::WeekStartsOnValue(QStringLiteral("MONDAY")), QLatin1String("Monday"));
    EXPECT_EQ(basLocale::WeekStartsOnValue(QString()), QLatin1String("Locale"));
}

} // namespace

} // namespace quillon
