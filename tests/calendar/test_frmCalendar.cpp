// The calendar window in this process: what it reads from the store and settings,
// and what its labels then show.
#include "CalendarRunFixture.h"

#include "basCalendar.h"
#include "basCalendarFonts.h"
#include "basColor.h"
#include "EventStore.h"
#include "basQuillon.h"
#include "frmCalendar.h"

#include <QFile>
#include <QSqlQuery>

namespace quillon {

namespace {
using calendartest::CalendarRun;

class CalendarWindow : public CalendarRun {
protected:
    void SetUp() override
    {
        CalendarRun::SetUp();
        SetNow(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        CreateDatabase();
    }
    void TearDown() override
    {
        store.CloseDatabaseConnection();
        CalendarRun::TearDown();
    }
    basDatabase::EventStore store;
    static QColor TextColor(const QLabel *label) { return label->palette().color(QPalette::WindowText); }
};

TEST_F(CalendarWindow, DayTextsFromTheStore)
{
    const QDate day(2026, 12, 7);
    AddEvent(QStringLiteral("First all-day"), true, QString(), day);
    AddEvent(QStringLiteral("Review"), false, QStringLiteral("2:00 PM"), day);
    AddEvent(QStringLiteral("Standup"), false, QStringLiteral("9:05 AM"), day);
    AddEvent(QStringLiteral("lunch"), false, QStringLiteral("12:00 PM"), day);
    AddEvent(QStringLiteral("Second all-day"), true, QString(), day);
    AddEvent(QStringLiteral("Lunch"), false, QStringLiteral("12:00 PM"), day);
    AddEvent(QStringLiteral("Budget"), false, QStringLiteral("12:00 PM"), day);
    AddEvent(QStringLiteral("Midnight <b>oil</b>"), false, QStringLiteral("12:00 AM"), day);
    AddEvent(QStringLiteral("Other day"), false, QStringLiteral("8:00 AM"), day.addDays(1));

    ASSERT_TRUE(store.OpenDatabaseConnection());
    frmCalendar form(basQuillon::LoadGeneralSettings(), basCalendarFonts::LoadCalendarFonts(), false, nullptr, &store);
    QString timed, allDay;
    form.GetEvents(QStringLiteral("12/7/2026"), timed, allDay);
    EXPECT_EQ(allDay, QStringLiteral("First all-day"));
    EXPECT_EQ(timed, QStringLiteral("12:00a  Midnight <b>oil</b>\r\n9:05a  Standup\r\n12:00p  Budget\r\n"
                                    "12:00p  lunch\r\n12:00p  Lunch\r\n2:00p  Review"));
    form.GetEvents(QStringLiteral("12/9/2026"), timed, allDay);
    EXPECT_TRUE(timed.isEmpty());
    EXPECT_TRUE(allDay.isEmpty());

    // The whole load puts them into today's cell, as plain text.
    form.Form_Load();
    ASSERT_TRUE(form.FormLoadSuccessful());
    const int cell = 2 + 6; // December 2026 starts on a Tuesday
    EXPECT_EQ(form.lblDayNumber[cell]->text(), QStringLiteral("7"));
    EXPECT_EQ(form.lblDayAllDayEvents[cell]->text(), QStringLiteral("First all-day"));
    EXPECT_TRUE(form.lblDayEvents[cell]->text().startsWith(QStringLiteral("12:00a  Midnight <b>oil</b>\n9:05a"))) << qPrintable(form.lblDayEvents[cell]->text());
    EXPECT_EQ(form.lblDayEvents[cell]->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.lblDayEvents[cell + 1]->text(), QStringLiteral("8:00a  Other day"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(CalendarWindow, ABrokenEventLeavesTheRestOfItsDay)
{
    const QDate day(2026, 12, 7);
    AddEvent(QStringLiteral("Standup"), false, QStringLiteral("9:05 AM"), day);
    AddEvent(QStringLiteral("Broken"), false, QStringLiteral("10:00 AM"), day);
    AddEvent(QStringLiteral("Review"), false, QStringLiteral("2:00 PM"), day);
    AddEvent(QStringLiteral("Also broken"), false, QStringLiteral("10:00 AM"), day.addDays(3));
    ASSERT_TRUE(store.OpenDatabaseConnection());
    {
        QSqlQuery damage(QSqlDatabase::database(store.ConnectionName()));
        ASSERT_TRUE(damage.exec(QStringLiteral("UPDATE Events SET StartTime = '' WHERE EventName LIKE '%roken'")));
    }
    frmCalendar form(basQuillon::LoadGeneralSettings(), basCalendarFonts::LoadCalendarFonts(), false, nullptr, &store);
    form.Form_Load();
    ASSERT_TRUE(form.FormLoadSuccessful());
    const int cell = 2 + 6;
    EXPECT_EQ(form.lblDayEvents[cell]->text(), QStringLiteral("9:05a  Standup\n2:00p  Review"));
    // One report for the month, naming both.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QLatin1String("\"Broken\" on 2026-12-07")));
    EXPECT_TRUE(messages[0].text.contains(QLatin1String("\"Also broken\" on 2026-12-10")));
}

TEST_F(CalendarWindow, CaptionsColoursAndPlacement)
{
    Option("CurrentDayColor", QStringLiteral("255"));
    Option("DayNumberColor", QStringLiteral("32768"));
    Option("MonthNameColor", QStringLiteral("8388736"));
    Option("CalendarOrientation", QStringLiteral("1"));
    ASSERT_TRUE(store.OpenDatabaseConnection());
    frmCalendar form(basQuillon::LoadGeneralSettings(), basCalendarFonts::LoadCalendarFonts(), false, nullptr, &store);
    form.Form_Load();
    ASSERT_TRUE(form.FormLoadSuccessful());
    EXPECT_EQ(form.TodayKey, QStringLiteral("12/07/2026"));
    EXPECT_TRUE(form.lblMonth->text().endsWith(QStringLiteral(" 2026")));
    EXPECT_EQ(form.lblDayNumber[1]->text(), QString());
    EXPECT_EQ(form.lblDayNumber[2]->text(), QStringLiteral("1"));
    EXPECT_EQ(form.lblDayNumber[32]->text(), QStringLiteral("31"));
    EXPECT_EQ(form.lblDayNumber[33]->text(), QString());

    EXPECT_EQ(TextColor(form.lblMonth), basColor::ToQColor(8388736));
    EXPECT_EQ(TextColor(form.lblDayNumber[8]), QColor(255, 0, 0));
    EXPECT_EQ(TextColor(form.lblDayEvents[8]), QColor(255, 0, 0));
    EXPECT_EQ(TextColor(form.lblDayNumber[9]), basColor::ToQColor(32768));

    // This process's offscreen screen is 800 x 800: too small for the stored
    // orientation, so the grid fills it.
    ASSERT_TRUE(form.LastLayout().has_value());
    EXPECT_EQ(form.LastLayout()->orientation, 5);
    EXPECT_EQ(form.lblMonth->pos(), QPoint(3, 3));
}

TEST_F(CalendarWindow, WeeksStartOnTheSettingsDayInTheLocalesWords)
{
    Option("WeekStartsOn", QStringLiteral("Monday"));
    ASSERT_TRUE(store.OpenDatabaseConnection());
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    frmCalendar form(basQuillon::LoadGeneralSettings(), basCalendarFonts::LoadCalendarFonts(), false, nullptr, &store);
    form.Form_Load();
    QLocale::setDefault(before);
    ASSERT_TRUE(form.FormLoadSuccessful());
    EXPECT_EQ(form.lblDayOfWeek[0]->text(), QStringLiteral("Mo."));
    EXPECT_EQ(form.lblDayOfWeek[6]->text(), QStringLiteral("So."));
    EXPECT_EQ(form.lblDayNumber[0]->text(), QString());
    EXPECT_EQ(form.lblDayNumber[1]->text(), QStringLiteral("1")); // Tuesday, 1 December 2026
    EXPECT_EQ(form.lblDayNumber[7]->text(), QStringLiteral("7"));
}

TEST_F(CalendarWindow, LiturgicalColoursExceptToday)
{
    // The built store carries the church year: Advent is purple, Christmas white.
    QFile::remove(basDatabase::EventStore::DatabasePath());
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_PROGRAM_DIR "/dbcalndr.sqlite"), basDatabase::EventStore::DatabasePath()));
    Option("CalendarUseLiturgicalColors", QStringLiteral("1"));
    Option("CurrentDayColor", QStringLiteral("255"));
    ASSERT_TRUE(store.OpenDatabaseConnection());
    frmCalendar form(basQuillon::LoadGeneralSettings(), basCalendarFonts::LoadCalendarFonts(), false, nullptr, &store);
    form.Form_Load();
    EXPECT_EQ(TextColor(form.lblMonth), basColor::ToQColor(8388736));
    EXPECT_EQ(TextColor(form.lblDayOfWeek[3]), basColor::ToQColor(8388736));
    EXPECT_EQ(TextColor(form.lblDayNumber[8]), QColor(255, 0, 0));       // the 7th, today
    EXPECT_EQ(TextColor(form.lblDayEvents[9]), basColor::ToQColor(8388736)); // the 8th
    EXPECT_EQ(TextColor(form.lblDayNumber[26]), QColor(255, 255, 255));  // the 25th
    EXPECT_TRUE(messages.empty());
}

TEST_F(CalendarWindow, BadOrientationCentresTheGridAndIsSaidOnce)
{
    for (const char *bad : {"left", "2.5", "1099511627776"}) {
        messages.clear();
        Option("CalendarOrientation", QLatin1String(bad));
        ASSERT_TRUE(store.OpenDatabaseConnection());
        frmCalendar form(basQuillon::LoadGeneralSettings(), basCalendarFonts::LoadCalendarFonts(), false, nullptr,
                         &store);
        form.Form_Load();
        store.CloseDatabaseConnection();
        EXPECT_TRUE(form.FormLoadSuccessful());
        ASSERT_EQ(messages.size(), 1u) << bad;
        EXPECT_TRUE(messages[0].text.contains(QLatin1String("frmCalendar.ResizeCalendar")));
        EXPECT_TRUE(messages[0].text.contains(QStringLiteral("CalendarOrientation \"%1\"").arg(QLatin1String(bad))));
        ASSERT_TRUE(form.LastLayout().has_value()) << bad;
        // This process's 800 x 800 screen fills; the orientation asked for was the centre.
        EXPECT_NE(form.lblDayNumber[2]->pos(), QPoint(0, 0));
    }
}

TEST_F(CalendarWindow, LongAllDayNamesEndInAnEllipsisAndHugeFontsAreClamped)
{
    AddEvent(QStringLiteral("An all-day conference whose name is far longer than any cell"), true, QString(),
             QDate(2026, 12, 8));
    Option("MonthNameFont", QStringLiteral("DejaVu Sans,5000,1,0,0,0"));
    ASSERT_TRUE(store.OpenDatabaseConnection());
    frmCalendar form(basQuillon::LoadGeneralSettings(), basCalendarFonts::LoadCalendarFonts(), false, nullptr, &store);
    form.Form_Load();
    ASSERT_TRUE(form.FormLoadSuccessful());
    const CalendarLabel *allDay = form.lblDayAllDayEvents[9];
    const QString shown = allDay->ShownText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << qPrintable(shown);
    EXPECT_LE(allDay->fontMetrics().horizontalAdvance(shown), allDay->width());
    EXPECT_LE(allDay->geometry().right(), form.lblDayNumber[10]->geometry().left());
    // One line of the month name fits the 800-pixel-high screen.
    EXPECT_LE(form.lblMonth->height(), 800);
    EXPECT_GT(form.lblMonth->font().pointSizeF(), 100);
}

} // namespace

} // namespace quillon
