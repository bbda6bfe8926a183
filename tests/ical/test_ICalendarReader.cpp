// Reading calendar files as other programs write them, into events and local days.
#include "EventSeries.h"
#include "ICalendarReader.h"
#include "basOperation.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace quillon {

namespace {

using ICalendarReader::CalendarContents;
using ICalendarReader::CalendarEvent;

QByteArray DataFile(const char *name)
{
    QFile file(QStringLiteral(QUILLON_ICAL_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing test file " << name;
    return file.readAll();
}

// Times are checked in Berlin's zone, whose clock changes on other days than New York's.
ICalendarReader::ReadOptions Berlin()
{
    ICalendarReader::ReadOptions options;
    options.LocalZone = QTimeZone("Europe/Berlin");
    options.Today = QDate(2026, 12, 6);
    return options;
}

CalendarContents Read(const char *name) { return ICalendarReader::ReadCalendar(DataFile(name), Berlin()); }

// Each series by its UID: its first event with the days of all of its events.
std::map<QString, CalendarEvent> ByUid(const CalendarContents &contents)
{
    std::map<QString, CalendarEvent> events;
    for (const CalendarEvent &event : contents.Events) {
        const QString uid = EventSeries::SeriesUid(event.Uid);
        if (!events.count(uid)) {
            events[uid] = event;
            continue;
        }
        QList<QDate> &days = events[uid].Dates;
        days += event.Dates;
        std::sort(days.begin(), days.end());
        days.erase(std::unique(days.begin(), days.end()), days.end());
    }
    return events;
}

// The one series of a file's contents.
CalendarEvent OnlySeries(const CalendarContents &contents)
{
    const std::map<QString, CalendarEvent> events = ByUid(contents);
    EXPECT_EQ(events.size(), 1u);
    return events.empty() ? CalendarEvent() : events.begin()->second;
}

QList<QDate> Days(std::initializer_list<const char *> iso)
{
    QList<QDate> days;
    for (const char *text : iso)
        days.append(QDate::fromString(QLatin1String(text), Qt::ISODate));
    return days;
}

QString Times(const CalendarEvent &event)
{
    return event.Event.StartTime.toString(QStringLiteral("HH:mm")) + QLatin1Char('-')
           + event.Event.EndTime.toString(QStringLiteral("HH:mm"));
}

TEST(ICalendarReader, FoldedUtf8AndCrlfLinesReadBackWhole)
{
    const CalendarContents contents = Read("folded_crlf.ics");
    ASSERT_EQ(contents.Events.size(), 1);
    const CalendarEvent &event = contents.Events.first();
    EXPECT_EQ(event.Uid, QStringLiteral("folded-1@tests"));
    EXPECT_EQ(event.Event.EventName,
              QStringLiteral("Grüße aus Köln – ein Termin mit einem langen Namen, der gefaltet wird"));
    EXPECT_EQ(event.Event.Notes,
              QStringLiteral("Bring the \"agenda\", a pen; and 😀 for the team\nSecond line | pipe"));
    EXPECT_EQ(event.Dates, Days({"2026-12-10"}));
    EXPECT_EQ(Times(event), QStringLiteral("09:00-10:30"));
    EXPECT_FALSE(event.Event.AllDayEvent);
    EXPECT_FALSE(event.Event.Recurring);
    EXPECT_EQ(event.Line, 4);
}

// The blanks around a name or notes are the user's: libical's own reading drops them.
TEST(ICalendarReader, BlanksAroundANameOrNotesAreKept)
{
    const QByteArray text = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:pad\r\nDTSTART;VALUE=DATE:20260310\r\n"
                            "SUMMARY;LANGUAGE=en:  Padded\\, really  \r\nDESCRIPTION: two\r\n  lines\\n \r\nEND:VEVENT\r\n"
                            "BEGIN:VEVENT\r\nUID:plain\r\nDTSTART;VALUE=DATE:20260311\r\nSUMMARY:Plain\\;\r\nEND:VEVENT\r\n"
                            "END:VCALENDAR\r\n";
    const std::map<QString, CalendarEvent> events = ByUid(ICalendarReader::ReadCalendar(text, Berlin()));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events.at(QStringLiteral("pad")).Event.EventName, QStringLiteral("  Padded, really  "));
    EXPECT_EQ(events.at(QStringLiteral("pad")).Event.Notes, QStringLiteral(" two lines\n "));
    EXPECT_EQ(events.at(QStringLiteral("plain")).Event.EventName, QStringLiteral("Plain;"));
}

TEST(ICalendarReader, RulesExpandToTheirDays)
{
    const CalendarContents contents = Read("rules_lf.ics");
    auto events = ByUid(contents);
    // The to-do is no event; the moved occurrence belongs to its series.
    ASSERT_EQ(events.size(), 9u);

    EXPECT_EQ(events["count@tests"].Dates,
              Days({"2026-01-05", "2026-01-07", "2026-01-12", "2026-01-14", "2026-01-19"}));
    EXPECT_TRUE(events["count@tests"].Event.AllDayEvent);
    EXPECT_TRUE(events["count@tests"].Event.Recurring);

    EXPECT_EQ(events["until@tests"].Dates, Days({"2026-01-06", "2026-01-13", "2026-01-20", "2026-01-27"}));
    EXPECT_EQ(Times(events["until@tests"]), QStringLiteral("18:00-19:00"));
    EXPECT_EQ(events["until@tests"].Event.EventColor, QStringLiteral("Maroon"));

    EXPECT_EQ(events["lastday@tests"].Dates, Days({"2026-01-31", "2026-02-28", "2026-03-31", "2026-04-30"}));

    // Only leap years have the day, and a rule without end stops five years after today.
    EXPECT_EQ(events["leap@tests"].Dates, Days({"2000-02-29", "2004-02-29", "2008-02-29", "2012-02-29",
                                                "2016-02-29", "2020-02-29", "2024-02-29", "2028-02-29"}));
    EXPECT_TRUE(contents.Warnings.join(QLatin1Char('\n')).contains(QStringLiteral("\"Leap birthday\" repeats without end; dates taken up to 2031-12-06")))
        << contents.Warnings.join(QLatin1Char('\n')).toStdString();

    EXPECT_EQ(events["exdates@tests"].Dates, Days({"2026-03-01", "2026-03-03", "2026-03-05", "2026-03-07"}));
    EXPECT_EQ(events["exdates@tests"].Event.EventColor, QStringLiteral("Red"));

    EXPECT_EQ(events["moved@tests"].Dates, Days({"2026-04-01", "2026-04-10", "2026-04-15"}));
    EXPECT_EQ(Times(events["moved@tests"]), QStringLiteral("10:00-11:00"));
    EXPECT_EQ(events["moved@tests"].Event.EventName, QStringLiteral("Review"));

    // Past midnight: both days, the first until its end (the next morning is an event of its own).
    EXPECT_EQ(events["night@tests"].Dates, Days({"2026-06-12", "2026-06-13"}));
    EXPECT_EQ(Times(events["night@tests"]), QStringLiteral("22:00-23:59"));

    EXPECT_EQ(events["spring@tests"].Dates, Days({"2026-03-29"}));
    EXPECT_EQ(Times(events["spring@tests"]), QStringLiteral("01:30-04:00"));

    EXPECT_EQ(events["holiday@tests"].Dates, Days({"2026-07-20", "2026-07-21", "2026-07-22"}));
    EXPECT_TRUE(events["holiday@tests"].Event.AllDayEvent);
}

TEST(ICalendarReader, TimeZonesOfTheFileConvertToLocalTime)
{
    const CalendarContents contents = Read("timezones.ics");
    auto events = ByUid(contents);
    ASSERT_EQ(events.size(), 9u);
    const auto expect = [&](const char *uid, std::initializer_list<const char *> days, const char *times) {
        const CalendarEvent &event = events[QString::fromLatin1(uid)];
        EXPECT_EQ(event.Dates, Days(days)) << uid;
        EXPECT_EQ(Times(event), QLatin1String(times)) << uid;
    };
    expect("summer@tests", {"2026-07-15"}, "16:00-17:00");
    expect("winter@tests", {"2026-01-15"}, "16:00-17:00");
    // 8 PM in New York is the next morning here.
    expect("late@tests", {"2026-10-02"}, "02:00-03:00");
    // New York's clock goes back during the event: three and a half hours.
    expect("fallback@tests", {"2026-11-01"}, "05:30-09:00");
    // The series keeps 10 AM New York time through its change of clock: an hour earlier
    // here from 8 March (its days after the first are an event of their own).
    expect("weekly-dst@tests", {"2026-03-02", "2026-03-09", "2026-03-16", "2026-03-23"}, "16:00-16:30");
    const auto later = std::find_if(contents.Events.cbegin(), contents.Events.cend(), [](const CalendarEvent &event) {
        return event.Uid == EventSeries::PartUid(QStringLiteral("weekly-dst@tests"), 1);
    });
    ASSERT_NE(later, contents.Events.cend());
    EXPECT_EQ(later->Dates, Days({"2026-03-09", "2026-03-16", "2026-03-23"}));
    EXPECT_EQ(Times(*later), QStringLiteral("15:00-15:30"));
    expect("utc@tests", {"2026-11-21"}, "00:00-01:30");
    expect("london@tests", {"2026-11-10"}, "11:00-12:00");
    // Floating times are in the calendar's own zone (X-WR-TIMEZONE).
    expect("floating@tests", {"2026-11-05"}, "01:00-02:00");
    // An unknown zone is taken as local, with a warning.
    expect("nowhere@tests", {"2026-11-11"}, "10:00-11:00");
    const QString warnings = contents.Warnings.join(QLatin1Char('\n'));
    EXPECT_TRUE(warnings.contains(QStringLiteral("unknown time zone \"Nowhere Standard Time\""))) << warnings.toStdString();
    EXPECT_FALSE(warnings.contains(QStringLiteral("Quillon Test Eastern")));
}

TEST(ICalendarReader, HostileTextNeverCrashes)
{
    const QByteArray valid = DataFile("rules_lf.ics");
    // Every prefix of a valid file is refused or read, never a crash or a hang.
    for (qsizetype length = 0; length < valid.size(); length += 37) {
        try {
            ICalendarReader::ReadCalendar(valid.left(length), Berlin());
        } catch (const basOperation::Failure &) {
        }
    }
    const QList<QByteArray> texts = {
        QByteArray(),
        QByteArray("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n"),
        QByteArray("BEGIN:VCALENDAR\nBEGIN:VEVENT\nEND:VEVENT\nEND:VCALENDAR\n"),
        QByteArray("BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20260101T100000\nRRULE:FREQ=FOO\nEND:VEVENT\nEND:VCALENDAR\n"),
        QByteArray("BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20260101T100000\nEXDATE:x\nEND:VEVENT\nEND:VCALENDAR\n"),
        QByteArray("BEGIN:VCALENDAR\nEND:VEVENT\n"),
        QByteArray("BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:99991231T235959\nDURATION:P9999W\nEND:VEVENT\nEND:VCALENDAR\n"),
        QByteArray("BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART;TZID=\":20260101T100000\nEND:VEVENT\nEND:VCALENDAR\n"),
        QByteArray(100000, ' '),
        // Nested deeper than any calendar, and closed again.
        "BEGIN:VCALENDAR\n" + QByteArray("BEGIN:X-A\n").repeated(100000) + QByteArray("END:X-A\n").repeated(100000)
            + "END:VCALENDAR\n",
    };
    // What is no calendar is refused; a broken event is skipped.
    int refused = 0;
    for (const QByteArray &text : texts) {
        try {
            ICalendarReader::ReadCalendar(text, Berlin());
        } catch (const basOperation::Failure &failure) {
            ++refused;
            EXPECT_TRUE(failure.description().startsWith(QLatin1String("line "))) << failure.description().toStdString();
        }
    }
    EXPECT_GE(refused, 4);
}

TEST(ICalendarReader, AByteOrderMarkAndLowerCaseNamesAreTaken)
{
    const QByteArray text = "\xEF\xBB\xBF" "begin:vcalendar\r\nbegin:vevent\r\nuid:bom\r\ndtstart;value=date:20261224\r\n"
                            "summary:Lower case\r\nend:vevent\r\nend:vcalendar\r\n";
    const CalendarContents contents = ICalendarReader::ReadCalendar(text, Berlin());
    ASSERT_EQ(contents.Events.size(), 1);
    EXPECT_EQ(contents.Events.first().Event.EventName, QStringLiteral("Lower case"));
    EXPECT_EQ(contents.Events.first().Dates, Days({"2026-12-24"}));
}

TEST(ICalendarReader, DaysOutsideTheStoredCenturiesAreLeftOutWithAWarning)
{
    const QByteArray text = "BEGIN:VCALENDAR\r\n"
                            "BEGIN:VEVENT\r\nUID:old\r\nDTSTART;VALUE=DATE:18991231\r\nDTEND;VALUE=DATE:19000102\r\n"
                            "SUMMARY:New Year 1900\r\nDESCRIPTION:\r\nEND:VEVENT\r\n"
                            "BEGIN:VEVENT\r\nUID:future\r\nDTSTART;VALUE=DATE:22000101\r\nSUMMARY:Far away\r\nEND:VEVENT\r\n"
                            "END:VCALENDAR\r\n";
    const CalendarContents contents = ICalendarReader::ReadCalendar(text, Berlin());
    ASSERT_EQ(contents.Events.size(), 1);
    EXPECT_EQ(contents.Events.first().Dates, Days({"1900-01-01"}));
    const QString warnings = contents.Warnings.join(QLatin1Char('\n'));
    EXPECT_TRUE(warnings.contains(QStringLiteral("line 2: \"New Year 1900\": days outside 1900-2100 left out")));
    EXPECT_TRUE(warnings.contains(QStringLiteral("line 9: \"Far away\" has no day left (left out)"))) << warnings.toStdString();
    EXPECT_EQ(contents.Warnings.size(), 2);
}

} // namespace

namespace {

// A calendar of a plain event and a hostile one (its lines from line 11 on), and text after
// the events. The read must end long before the watchdog, which stops it after 5 s.
CalendarContents ReadHostile(const QByteArray &lines, const QByteArray &after = QByteArray())
{
    const QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                            "BEGIN:VEVENT\r\nUID:fine\r\nDTSTART;VALUE=DATE:20261208\r\nSUMMARY:Fine\r\nEND:VEVENT\r\n"
                            "BEGIN:VEVENT\r\nUID:hostile\r\nSUMMARY:Hostile\r\n"
                            + lines + "END:VEVENT\r\n" + after + "END:VCALENDAR\r\n";
    ICalendarReader::ReadOptions options = Berlin();
    const QDeadlineTimer watchdog(5000);
    options.Cancelled = [watchdog] { return watchdog.hasExpired(); };
    try {
        return ICalendarReader::ReadCalendar(text, options);
    } catch (const ICalendarReader::Cancelled &) {
        ADD_FAILURE() << "still reading after 5 s: " << lines.toStdString();
    }
    return {};
}

QByteArray Numbers(int from, int to)
{
    QByteArrayList numbers;
    for (int n = from; n <= to; ++n)
        numbers.append(QByteArray::number(n));
    return numbers.join(',');
}

TEST(ICalendarReader, HostileRulesAreReadQuicklyOrSkippedByName)
{
    QByteArray exdates = "EXDATE:";
    for (int day = 0; day < 200; ++day)
        exdates += QDate(2026, 1, 1).addDays(day).toString(QStringLiteral("yyyyMMdd")).toLatin1() + "T100000,";
    exdates.chop(1);
    QByteArray nested = "DTSTART:19000101T100000\r\n";
    for (int minute = 0; minute < 40; ++minute)
        nested += "RRULE:FREQ=DAILY;UNTIL=21001231;BYMINUTE=" + QByteArray::number(minute) + "\r\n";
    const struct {
        QByteArray lines;
        const char *warning; // of the hostile event, when it gives one
        int days;            // the hostile event's days; 0 when it is skipped
    } cases[] = {
        {"DTSTART:20260101T000000\r\nRRULE:FREQ=SECONDLY;BYDAY=1MO,-1FR,53SU\r\n",
         "line 12, UID \"hostile\": its repeat rule can never match (BYDAY=1MO: a numbered weekday fits only a monthly "
         "or yearly rule); skipped", 0},
        {"DTSTART:20260101T000000\r\nRRULE:FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=30;UNTIL=99991231T235959Z\r\n",
         "(BYMONTHDAY=30 falls in none of the months BYMONTH=2); skipped", 0},
        {"DTSTART:20260101T000000\r\nRRULE:FREQ=MONTHLY;BYMONTH=13\r\n", "BYMONTH=13 names no month", 0},
        {"DTSTART:20260101T000000\r\nRRULE:FREQ=YEARLY;BYWEEKNO=54\r\n", "BYWEEKNO=54 names no week of a year", 0},
        {"DTSTART:20260101T000000\r\nRRULE:FREQ=YEARLY;BYMONTHDAY=32\r\n", "line 12, UID \"hostile\": its repeat rule", 0},
        {"DTSTART:20260101T000000\r\nRRULE:FREQ=SECONDLY;INTERVAL=99999\r\n", "cannot be read; skipped", 0},
        {"DTSTART:99991231T235959\r\nRRULE:FREQ=SECONDLY\r\n", "line 8: \"Hostile\" has no day left (left out)", 0},
        // 78 a hour: the 99,999th falls on 23 February.
        {"DTSTART:19000101T000000\r\nRRULE:FREQ=HOURLY;BYSECOND=" + Numbers(0, 12) + ";BYMINUTE=" + Numbers(0, 5) + ";COUNT=99999\r\n",
         nullptr, 54},
        // Monday 29 February at 3:03:03, seven times in the stored centuries.
        {"DTSTART:19000101T000000\r\nRRULE:FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=29;BYDAY=MO;BYHOUR=3;BYMINUTE=3;BYSECOND=3;"
         "UNTIL=99991231T235959Z\r\n", nullptr, 8},
        {"DTSTART:00010101T000000\r\nRRULE:FREQ=DAILY;UNTIL=19001231\r\n", "days outside 1900-2100 left out", 365},
        {"DTSTART:00010101T120000\r\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29;BYDAY=MO;COUNT=10000\r\n", "left out", 7},
        {"DTSTART:20260101T100000\r\nRRULE:FREQ=DAILY;COUNT=300\r\n" + exdates + "\r\n", nullptr, 100},
        {"DTSTART:19000101T000000\r\nRRULE:FREQ=SECONDLY;INTERVAL=32000;COUNT=99999\r\n", nullptr, 37037},
        {nested, "could not be expanded within the limit; skipped", 0},
        {"DTSTART;VALUE=DATE:19000101\r\nDURATION:P9999W\r\nRRULE:FREQ=DAILY;COUNT=99999\r\n", "left out", 73414},
        // Within its limit, but not with every later occurrence moved.
        {"DTSTART:19000101T100000\r\nRRULE:FREQ=DAILY;UNTIL=21001231\r\nEND:VEVENT\r\n"
         "BEGIN:VEVENT\r\nUID:hostile\r\nRECURRENCE-ID;RANGE=THISANDFUTURE:19000102T100000\r\nDTSTART:19000102T120000\r\n",
         "line 14, UID \"hostile\": its changed occurrences could not be worked out within the limit; skipped", 0},
    };
    for (const auto &c : cases) {
        const CalendarContents contents = ReadHostile(c.lines);
        auto events = ByUid(contents);
        const QString warnings = contents.Warnings.join(QLatin1Char('\n'));
        EXPECT_EQ(events[QStringLiteral("fine")].Dates, Days({"2026-12-08"})) << c.lines.toStdString();
        if (c.warning) {
            EXPECT_TRUE(warnings.contains(QLatin1String(c.warning))) << c.lines.toStdString() << warnings.toStdString();
        }
        if (c.days == 0)
            EXPECT_EQ(events.count(QStringLiteral("hostile")), 0u) << c.lines.toStdString();
        else
            EXPECT_EQ(events[QStringLiteral("hostile")].Dates.size(), c.days) << c.lines.toStdString() << warnings.toStdString();
    }
}

TEST(ICalendarReader, AZoneWithAHostileRuleIsLeftOutAndItsTimesTakenAsLocal)
{
    // libical puts the zone before the events; the lines stay right.
    const CalendarContents contents = ReadHostile(
        "DTSTART;TZID=Bad/Zone:20260101T100000\r\nDTEND;TZID=Bad/Zone:20260101T110000\r\n",
        "BEGIN:VTIMEZONE\r\nTZID:Bad/Zone\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\nRRULE:FREQ=SECONDLY;BYMONTH=2\r\n"
        "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n");
    auto events = ByUid(contents);
    EXPECT_EQ(events[QStringLiteral("hostile")].Dates, Days({"2026-01-01"}));
    EXPECT_EQ(Times(events[QStringLiteral("hostile")]), QStringLiteral("10:00-11:00"));
    EXPECT_EQ(contents.Warnings,
              QStringList({QStringLiteral("line 14: the time zone \"Bad/Zone\" of the file is left out: its rule is not yearly"),
                           QStringLiteral("line 11: unknown time zone \"Bad/Zone\"; its times are taken as local times")}));
}

TEST(ICalendarReader, ManyCostlyEventsShareOneLimitAndSimpleOnesStillCome)
{
    QByteArray text = "BEGIN:VCALENDAR\r\n";
    for (int i = 0; i < 30; ++i)
        text += "BEGIN:VEVENT\r\nUID:daily-" + QByteArray::number(i)
                + "\r\nDTSTART:19000101T100000\r\nRRULE:FREQ=DAILY;UNTIL=21001231\r\nEND:VEVENT\r\n";
    text += "BEGIN:VEVENT\r\nUID:last\r\nDTSTART:20261208T100000\r\nRRULE:FREQ=WEEKLY;COUNT=52\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const CalendarContents contents = ICalendarReader::ReadCalendar(text, Berlin());
    // Each daily event takes 9,000,000 of the file's 30,000,000 steps and some.
    ASSERT_EQ(contents.Events.size(), 4);
    EXPECT_EQ(contents.Events[2].Dates.size(), 73414);
    EXPECT_EQ(contents.Events.last().Uid, QStringLiteral("last"));
    EXPECT_EQ(contents.Events.last().Dates.size(), 52);
    EXPECT_EQ(contents.Warnings.size(), 27);
    EXPECT_TRUE(contents.Warnings.last().startsWith(QStringLiteral("line 150, UID \"daily-29\": its repeat rule could not be expanded")))
        << contents.Warnings.last().toStdString();

    // A large feed of ordinary events, each a few hundred bytes and daily for ten years,
    // comes whole: the file's limit grows with its size.
    QByteArray feed = "BEGIN:VCALENDAR\r\n";
    for (int i = 0; i < 120; ++i)
        feed += "BEGIN:VEVENT\r\nUID:standup-" + QByteArray::number(i)
                + "\r\nSUMMARY:Stand-up of team " + QByteArray::number(i) + "\r\nDESCRIPTION:" + QByteArray(150, 'x')
                + "\r\nDTSTART:20200101T090000\r\nDTEND:20200101T091500\r\nRRULE:FREQ=DAILY;UNTIL=20291231\r\nEND:VEVENT\r\n";
    const CalendarContents whole = ICalendarReader::ReadCalendar(feed + "END:VCALENDAR\r\n", Berlin());
    EXPECT_EQ(whole.Events.size(), 120);
    EXPECT_TRUE(whole.Warnings.isEmpty()) << whole.Warnings.value(0).toStdString();
}

} // namespace

namespace {

// A calendar of these lines, CRLF, BEGIN:VCALENDAR being line 1.
QByteArray Calendar(std::initializer_list<const char *> lines)
{
    QByteArray text = "BEGIN:VCALENDAR\r\n";
    for (const char *line : lines)
        text += QByteArray(line) + "\r\n";
    return text + "END:VCALENDAR\r\n";
}

ICalendarReader::ReadOptions InZone(const char *zone)
{
    ICalendarReader::ReadOptions options = Berlin();
    options.LocalZone = QTimeZone(zone);
    return options;
}

TEST(ICalendarReader, AComponentThatCannotBeReadCostsOnlyItself)
{
    const struct {
        std::initializer_list<const char *> lines; // of the bad event, from line 7
        const char *warning;
    } cases[] = {
        {{"DTSTART:20261209T100000", "DTEND:20261209T090000"}, "line 9, UID \"bad\": ends before it starts; skipped"},
        {{"DTSTART;VALUE=DATE:20261209", "DTEND;VALUE=DATE:20261208"}, "line 9, UID \"bad\": ends before it starts; skipped"},
        {{"SUMMARY:No start"}, "line 6, UID \"bad\": the event has no DTSTART; skipped"},
        {{"DTSTART:20261209T100000", "DURATION:-PT1H"}, "line 9, UID \"bad\": the event's DURATION is negative; skipped"},
        {{"DTSTART:20261209T100000", "SUMMARY:x", "RRULE:FREQ=DAILY;BYMONTHDAY=32"},
         "line 10, UID \"bad\": its repeat rule \"FREQ=DAILY;BYMONTHDAY=32\" cannot be read"},
        {{"DTSTART:20261209T100000", "RDATE:x"}, "line 9, UID \"bad\": Can't parse as DATE-TIME value in RDATE"},
        {{"DTSTART:20261345T100000"}, "line 8, UID \"bad\": the event's DTSTART is no date; skipped"},
    };
    for (const auto &c : cases) {
        QByteArray text = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:good\r\nDTSTART;VALUE=DATE:20261208\r\nEND:VEVENT\r\n"
                          "BEGIN:VEVENT\r\nUID:bad\r\n";
        for (const char *line : c.lines)
            text += QByteArray(line) + "\r\n";
        text += "END:VEVENT\r\nEND:VCALENDAR\r\n";
        const CalendarContents contents = ICalendarReader::ReadCalendar(text, Berlin());
        ASSERT_EQ(contents.Events.size(), 1) << c.warning;
        EXPECT_EQ(contents.Events.first().Uid, QStringLiteral("good"));
        ASSERT_EQ(contents.Warnings.size(), 1) << c.warning;
        EXPECT_TRUE(contents.Warnings.first().startsWith(QLatin1String(c.warning))) << contents.Warnings.first().toStdString();
    }

    // An override that cannot be read leaves its occurrence as the series has it; a time
    // zone that cannot be read is left out, and its name still tells the zone.
    const QByteArray text = Calendar({
        "BEGIN:VTIMEZONE", "TZID:Europe/Berlin", "BEGIN:STANDARD", "DTSTART:19701025T030000", "TZOFFSETFROM:+0200",
        "DTSTART:1970102", "END:STANDARD", "END:VTIMEZONE",                                          // 2-9
        "BEGIN:VEVENT", "UID:series", "DTSTART;TZID=Europe/Berlin:20261207T100000", "RRULE:FREQ=DAILY;COUNT=3",
        "END:VEVENT",                                                                                    // 10-14
        "BEGIN:VEVENT", "UID:series", "RECURRENCE-ID:x", "DTSTART:20261220T100000", "END:VEVENT",       // 15-19
    });
    for (const char *zone : {"America/New_York", "Europe/Berlin"}) {
        const CalendarContents contents = ICalendarReader::ReadCalendar(text, InZone(zone));
        ASSERT_EQ(contents.Events.size(), 1);
        EXPECT_EQ(contents.Events.first().Dates, Days({"2026-12-07", "2026-12-08", "2026-12-09"}));
        EXPECT_EQ(Times(contents.Events.first()), QLatin1String(zone[0] == 'A' ? "04:00-04:00" : "10:00-10:00"));
        const QString warnings = contents.Warnings.join(QLatin1Char('\n'));
        EXPECT_TRUE(warnings.contains(QStringLiteral("line 7: the time zone \"Europe/Berlin\" of the file is left out")))
            << warnings.toStdString();
        EXPECT_TRUE(warnings.contains(QStringLiteral("line 17, UID \"series\": Can't parse as DATE-TIME value in RECURRENCE-ID")))
            << warnings.toStdString();
        EXPECT_EQ(contents.Warnings.size(), 2);
    }
}

TEST(ICalendarReader, UnknownPropertiesAreIgnoredAndLinesCountFoldedText)
{
    const QByteArray text = Calendar({
        "VERSION:2.0", "SUBCALENDAR-ID:abc", "X-WR-CALNAME:Team",                                          // 2-4
        "BEGIN:VEVENT", "UID:known", "DTSTART:20261209T100000", "DRESSCODE:casual",                        // 5-8
        "LINK;LINKREL=latest-version;VALUE=URI:https://example.com/x", "FOO-BAR;X-P=1:baz",               // 9-10
        "X-GOOGLE-CONFERENCE:https://meet.example.com/x", "SUMMARY:Known", "END:VEVENT",                   // 11-13
        "BEGIN:VEVENT", "UID:late", "DESCRIPTION:a long text that is folded", " onto a second line",        // 14-17
        " and a third", "DRESSCODE:formal", "DTSTART:20261210T100000", "RRULE:FREQ=DAILY;BYMONTHDAY=32",   // 18-21
        "END:VEVENT",
    });
    const CalendarContents contents = ICalendarReader::ReadCalendar(text, Berlin());
    ASSERT_EQ(contents.Events.size(), 1);
    EXPECT_EQ(contents.Events.first().Event.EventName, QStringLiteral("Known"));
    EXPECT_EQ(contents.Warnings,
              QStringList{QStringLiteral(
                  "line 21, UID \"late\": its repeat rule \"FREQ=DAILY;BYMONTHDAY=32\" cannot be read; skipped")});
}

} // namespace

namespace {

TEST(ICalendarReader, OfTwoVersionsOfAnEventTheHighestSequenceWinsAndOfEqualOnesTheLater)
{
    const QByteArray text = Calendar({
        "BEGIN:VEVENT", "UID:same", "SEQUENCE:2", "DTSTART;VALUE=DATE:20261201", "SUMMARY:Second", "END:VEVENT", // 2-7
        "BEGIN:VEVENT", "UID:same", "SEQUENCE:1", "DTSTART;VALUE=DATE:20261202", "SUMMARY:First", "END:VEVENT",  // 8-13
        "BEGIN:VEVENT", "UID:same", "SEQUENCE:2", "DTSTART;VALUE=DATE:20261203", "SUMMARY:Last", "END:VEVENT",   // 14-19
        "BEGIN:VEVENT", "UID:other", "DTSTART;VALUE=DATE:20261204", "END:VEVENT",                              // 20-23
        "BEGIN:VEVENT", "UID:other", "DTSTART;VALUE=DATE:20261205", "RRULE:FREQ=DAILY;BYMONTHDAY=32", "END:VEVENT",
    });
    const CalendarContents contents = ICalendarReader::ReadCalendar(text, Berlin());
    auto events = ByUid(contents);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[QStringLiteral("same")].Event.EventName, QStringLiteral("Last"));
    EXPECT_EQ(events[QStringLiteral("same")].Dates, Days({"2026-12-03"}));
    // A version that cannot be read leaves the other one.
    EXPECT_EQ(events[QStringLiteral("other")].Dates, Days({"2026-12-04"}));
    EXPECT_EQ(contents.Warnings,
              QStringList({QStringLiteral("line 2: an older version of the event with the UID \"same\" (left out)"),
                           QStringLiteral("line 8: an older version of the event with the UID \"same\" (left out)"),
                           QStringLiteral("line 27, UID \"other\": its repeat rule \"FREQ=DAILY;BYMONTHDAY=32\" cannot be read; skipped")}));
}

} // namespace

namespace {

// UNTIL in UTC with a start in a zone is an instant, and the occurrence at it is the last.
TEST(ICalendarReader, AUtcUntilEndsAZonedSeriesAtItsInstant)
{
    const struct {
        const char *start;
        const char *until;
        int count;
    } cases[] = {
        {"DTSTART;TZID=Europe/Berlin:20260105T100000", "20260126T090000Z", 4},
        {"DTSTART;TZID=Europe/Berlin:20260105T100000", "20260126T085959Z", 3},
        {"DTSTART;TZID=America/New_York:20260105T100000", "20260126T150000Z", 4},
        {"DTSTART;TZID=America/New_York:20260105T100000", "20260126T145959Z", 3},
        // Across a change of clock: 10:00 Berlin in summer is 08:00 UTC.
        {"DTSTART;TZID=Europe/Berlin:20260316T100000", "20260406T080000Z", 4},
        {"DTSTART;TZID=America/New_York:20260302T220000", "20260324T020000Z", 4},
        {"DTSTART;TZID=America/New_York:20260302T220000", "20260324T015959Z", 3},
        // Zones of the file, as Outlook names them.
        {"DTSTART;TZID=W. Europe Standard Time:20260316T100000", "20260406T080000Z", 4},
        {"DTSTART;TZID=W. Europe Standard Time:20260316T100000", "20260406T075959Z", 3},
        {"DTSTART;TZID=Eastern Standard Time:20260302T220000", "20260324T020000Z", 4},
        {"DTSTART;TZID=Eastern Standard Time:20260302T220000", "20260324T015959Z", 3},
    };
    const auto zoneOfFile = [](const char *tzid, const char *standard, const char *daylight) {
        return "BEGIN:VTIMEZONE\r\nTZID:" + QByteArray(tzid) + "\r\nBEGIN:STANDARD\r\nDTSTART:16010101T030000\r\nTZOFFSETFROM:"
               + daylight + "\r\nTZOFFSETTO:" + standard + "\r\nRRULE:FREQ=YEARLY;BYDAY=" + (standard[0] == '+' ? "-1SU;BYMONTH=10" : "1SU;BYMONTH=11")
               + "\r\nEND:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:16010101T020000\r\nTZOFFSETFROM:" + standard
               + "\r\nTZOFFSETTO:" + daylight + "\r\nRRULE:FREQ=YEARLY;BYDAY=" + (standard[0] == '+' ? "-1SU;BYMONTH=3" : "2SU;BYMONTH=3")
               + "\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";
    };
    const QByteArray zones = zoneOfFile("W. Europe Standard Time", "+0100", "+0200")
                             + zoneOfFile("Eastern Standard Time", "-0500", "-0400");
    for (const char *zone : {"America/New_York", "Europe/Berlin"}) {
        for (const auto &c : cases) {
            const QByteArray rule = QByteArray("RRULE:FREQ=WEEKLY;UNTIL=") + c.until;
            // Read in the local zone, a floating start (or one in a zone nobody knows) is the same series.
            const QByteArray start(c.start);
            const QByteArray tzid = start.mid(13, start.lastIndexOf(':') - 13);
            if (QTimeZone(tzid) == QTimeZone(zone)) {
                const QByteArray floating = "DTSTART" + start.mid(start.lastIndexOf(':'));
                const QByteArray text = Calendar({"BEGIN:VEVENT", "UID:u", floating.constData(), rule.constData(), "END:VEVENT"});
                const CalendarContents contents = ICalendarReader::ReadCalendar(text, InZone(zone));
                EXPECT_EQ(OnlySeries(contents).Dates.size(), c.count) << zone << " floating " << c.start << " " << c.until;
            }
            const QByteArray text = "BEGIN:VCALENDAR\r\n" + zones + "BEGIN:VEVENT\r\nUID:u\r\n" + c.start + "\r\n" + rule
                                    + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
            const CalendarContents contents = ICalendarReader::ReadCalendar(text, InZone(zone));
            EXPECT_EQ(OnlySeries(contents).Dates.size(), c.count) << zone << " " << c.start << " " << c.until;
        }
    }
}

} // namespace

namespace {

// Time zones as other programs name and define them; each event at 10:00 of its zone.
TEST(ICalendarReader, ZonesByVendorNamesEmptyDefinitionsAndLateObservances)
{
    // Berlin's rules, observed only from 2020 on.
    const auto lateBerlin = [](const char *tzid) {
        return "BEGIN:VTIMEZONE\r\nTZID:" + QByteArray(tzid)
               + "\r\nBEGIN:DAYLIGHT\r\nDTSTART:20200329T020000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
                 "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\nDTSTART:20201025T030000\r\n"
                 "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\nEND:STANDARD\r\n"
                 "END:VTIMEZONE\r\n";
    };
    const QByteArray zones = lateBerlin("Europe/Berlin") + lateBerlin("Office Zone")
                             + "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nEND:VTIMEZONE\r\n";
    const struct {
        const char *tzid;
        const char *date;
        bool berlin; // else New York
    } cases[] = {
        {"Europe/Berlin", "20150701", true},
        {"Europe/Berlin", "20150101", true},
        {"Europe/Berlin", "20240701", true},
        {"Office Zone", "20150701", true},
        {"Office Zone", "20150101", true},
        {"America/New_York", "20150701", false},
        {"America/New_York", "20150101", false},
        {"/mozilla.org/20070129_1/Europe/Berlin", "20150701", true},
        {"/freeassociation.sourceforge.net/Europe/Berlin", "20150101", true},
        {"/freeassociation.sourceforge.net/Tzfile/America/New_York", "20150701", false},
        {"/softwarestudio.org/Olson_20011030_5/America/New_York", "20150101", false},
    };
    for (const char *zone : {"America/New_York", "Europe/Berlin"}) {
        const bool inBerlin = zone[0] == 'E';
        for (const auto &c : cases) {
            const QByteArray text = "BEGIN:VCALENDAR\r\n" + zones + "BEGIN:VEVENT\r\nUID:u\r\nDTSTART;TZID=" + c.tzid + ":"
                                    + c.date + "T100000\r\nDURATION:PT1H\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
            const CalendarContents contents = ICalendarReader::ReadCalendar(text, InZone(zone));
            ASSERT_EQ(contents.Events.size(), 1);
            const char *expected = c.berlin == inBerlin ? "10:00-11:00" : c.berlin ? "04:00-05:00" : "16:00-17:00";
            EXPECT_EQ(Times(contents.Events.first()), QLatin1String(expected)) << zone << " " << c.tzid << " " << c.date;
            EXPECT_TRUE(contents.Warnings.isEmpty()) << contents.Warnings.value(0).toStdString();
        }
    }
}

} // namespace

namespace {

TEST(ICalendarReader, APeriodOfAnRdateKeepsItsOwnEnd)
{
    const QByteArray text = Calendar({
        "BEGIN:VEVENT", "UID:p", "DTSTART;TZID=Europe/Berlin:20261201T100000", "DTEND;TZID=Europe/Berlin:20261201T110000",
        "RDATE;VALUE=PERIOD;TZID=Europe/Berlin:20261203T220000/20261204T060000",
        "RDATE;VALUE=PERIOD:20261210T090000Z/PT1H,20261212T200000Z/PT12H", "END:VEVENT",
    });
    for (const char *zone : {"America/New_York", "Europe/Berlin"}) {
        const CalendarContents contents = ICalendarReader::ReadCalendar(text, InZone(zone));
        // Overnight periods cover their second day; in New York the first ends at midnight.
        const QList<QDate> expected = zone[0] == 'A' ? Days({"2026-12-01", "2026-12-03", "2026-12-10", "2026-12-12", "2026-12-13"})
                                                     : Days({"2026-12-01", "2026-12-03", "2026-12-04", "2026-12-10", "2026-12-12", "2026-12-13"});
        EXPECT_EQ(OnlySeries(contents).Dates, expected) << zone;
    }
}

} // namespace

namespace {

TEST(ICalendarReader, SkippedHoursLongDurationsAndOtherEncodings)
{
    // 02:30 on 8 March 2026 does not exist in New York: it is the time after the jump,
    // also in a zone that only the file defines.
    const QByteArray gap = Calendar({
        "BEGIN:VTIMEZONE", "TZID:Our Eastern", "BEGIN:STANDARD", "DTSTART:20071104T020000",
        "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU", "TZOFFSETFROM:-0400", "TZOFFSETTO:-0500", "END:STANDARD",
        "BEGIN:DAYLIGHT", "DTSTART:20070311T020000", "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU", "TZOFFSETFROM:-0500",
        "TZOFFSETTO:-0400", "END:DAYLIGHT", "END:VTIMEZONE",
        "BEGIN:VEVENT", "UID:floating", "DTSTART:20260308T023000", "DURATION:PT1H", "END:VEVENT",
        "BEGIN:VEVENT", "UID:zoned", "DTSTART;TZID=America/New_York:20260308T023000", "DURATION:PT1H", "END:VEVENT",
        "BEGIN:VEVENT", "UID:own zone", "DTSTART;TZID=Our Eastern:20260308T023000", "DURATION:PT1H", "END:VEVENT",
    });
    CalendarContents contents = ICalendarReader::ReadCalendar(gap, InZone("America/New_York"));
    ASSERT_EQ(contents.Events.size(), 3);
    for (const CalendarEvent &event : contents.Events)
        EXPECT_EQ(Times(event), QStringLiteral("03:30-04:30")) << event.Uid.toStdString();

    // Weeks past 32 bits of seconds are counted right; past the stored centuries skipped.
    contents = ICalendarReader::ReadCalendar(
        Calendar({"BEGIN:VEVENT", "UID:long", "DTSTART;VALUE=DATE:19000101", "DURATION:P3600W", "END:VEVENT",
                  "BEGIN:VEVENT", "UID:absurd", "DTSTART:20260101T090000", "DURATION:P99999W", "END:VEVENT"}),
        Berlin());
    ASSERT_EQ(contents.Events.size(), 1);
    EXPECT_EQ(contents.Events.first().Dates.size(), 3600 * 7);
    ASSERT_EQ(contents.Warnings.size(), 1);
    EXPECT_TRUE(contents.Warnings.first().contains(
        QStringLiteral("UID \"absurd\": its DURATION of 699,993 days is longer than the years 1900-2100; skipped")))
        << contents.Warnings.first().toStdString();

    // Latin-1 (Windows-1252) text, once warned; CR alone ending the lines.
    const QByteArray latin1 = Calendar({"BEGIN:VEVENT", "UID:l", "DTSTART;VALUE=DATE:20260310", "SUMMARY:Caf\xE9 \x80",
                                        "END:VEVENT"})
                                  .replace("\r\n", "\r")
                                  .replace("\n", "\r");
    contents = ICalendarReader::ReadCalendar(latin1, Berlin());
    ASSERT_EQ(contents.Events.size(), 1);
    EXPECT_EQ(contents.Events.first().Event.EventName, QStringLiteral("Caf\u00e9 \u20ac"));
    EXPECT_EQ(contents.Warnings, QStringList{QStringLiteral("the file is not UTF-8; read as Latin-1 (Windows-1252)")});

    // A message quotes at most about 80 characters of a line.
    try {
        ICalendarReader::ReadCalendar("BEGIN:VCALENDAR\r\nEND:" + QByteArray(100000, 'X') + "\r\n", Berlin());
        ADD_FAILURE() << "read";
    } catch (const basOperation::Failure &failure) {
        EXPECT_LT(failure.description().size(), 300) << failure.description().left(300).toStdString();
    }
}

} // namespace

// A large file is parsed a part at a time: what one part says must still reach events of
// another (a zone defined after them, a moved occurrence, a newer version), and lines
// are still counted in the whole file.
TEST(ICalendarReader, AFileOfManyPartsReadsAsOne)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
                      "BEGIN:VEVENT\r\nUID:series\r\nDTSTART;TZID=Far/Zone:20260105T090000\r\nDTEND;TZID=Far/Zone:20260105T100000\r\n"
                      "RRULE:FREQ=DAILY;COUNT=3\r\nSUMMARY:Series\r\nEND:VEVENT\r\n"
                      "BEGIN:VEVENT\r\nUID:twice\r\nSEQUENCE:2\r\nDTSTART;VALUE=DATE:20260110\r\nSUMMARY:Newer\r\nEND:VEVENT\r\n";
    int line = 17; // the first filler's BEGIN
    constexpr int kFiller = 6000; // about 1 MB: several parts
    for (int i = 0; i < kFiller; ++i) {
        text += "BEGIN:VEVENT\r\nUID:filler-" + QByteArray::number(i) + "\r\nDTSTART;VALUE=DATE:20260201\r\nSUMMARY:Filler "
                + QByteArray(120, 'x') + "\r\nEND:VEVENT\r\n";
        line += 5;
    }
    const int badLine = line + 3; // its DTEND
    text += "BEGIN:VEVENT\r\nUID:bad\r\nDTSTART:20260301T100000\r\nDTEND:20260301T090000\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:twice\r\nSEQUENCE:1\r\nDTSTART;VALUE=DATE:20260111\r\nSUMMARY:Older\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:series\r\nRECURRENCE-ID;TZID=Far/Zone:20260106T090000\r\n"
            "DTSTART;TZID=Far/Zone:20260106T150000\r\nDTEND;TZID=Far/Zone:20260106T160000\r\nSUMMARY:Series\r\nEND:VEVENT\r\n"
            "BEGIN:VTIMEZONE\r\nTZID:Far/Zone\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
            "TZOFFSETFROM:+0500\r\nTZOFFSETTO:+0500\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\nEND:VCALENDAR\r\n";
    ASSERT_GT(text.size(), 1000000);

    const CalendarContents contents = ICalendarReader::ReadCalendar(text, Berlin());
    // Read from its file a part at a time, the same file gives the same.
    QTemporaryDir dir;
    auto file = std::make_shared<QFile>(dir.filePath(QStringLiteral("parts.ics")));
    ASSERT_TRUE(file->open(QIODevice::ReadWrite) && file->write(text) == text.size() && file->flush());
    const ICalendarLines::Text fileText = ICalendarReader::FileText(file, text.size());
    ASSERT_FALSE(fileText.InMemory());
    const CalendarContents fromFile = ICalendarReader::ReadCalendar(fileText, Berlin());
    // Handed on one at a time as a feed is read, the same events, the series that waited
    // for its moved occurrence out of its place.
    CalendarContents taken;
    taken.Warnings = ICalendarReader::ReadCalendar(text, Berlin(), [&](CalendarEvent &&event) {
        taken.Events.append(std::move(event));
    });
    const auto byUid = [](QList<CalendarEvent> events) {
        std::stable_sort(events.begin(), events.end(), [](const auto &a, const auto &b) { return a.Uid < b.Uid; });
        return events;
    };
    for (const CalendarContents *other : {&fromFile, const_cast<const CalendarContents *>(&taken)}) {
        EXPECT_EQ(other->Warnings, contents.Warnings);
        ASSERT_EQ(other->Events.size(), contents.Events.size());
        const bool inOrder = other == &fromFile;
        const QList<CalendarEvent> expected = inOrder ? contents.Events : byUid(contents.Events);
        const QList<CalendarEvent> got = inOrder ? other->Events : byUid(other->Events);
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const CalendarEvent &a = expected[i];
            const CalendarEvent &b = got[i];
            ASSERT_TRUE(a.Uid == b.Uid && a.Line == b.Line && a.Event == b.Event && a.Dates == b.Dates) << a.Uid.toStdString();
        }
    }
    const std::map<QString, CalendarEvent> events = ByUid(contents);
    EXPECT_EQ(events.size(), kFiller + 2);
    ASSERT_EQ(events.count(QStringLiteral("series")), 1u);
    const CalendarEvent &series = events.at(QStringLiteral("series"));
    EXPECT_EQ(Times(series), QStringLiteral("05:00-06:00")); // +05:00 read in Berlin (+01:00)
    EXPECT_EQ(Times(contents.Events[1]), QStringLiteral("11:00-12:00")); // the moved occurrence
    // The moved occurrence keeps its day; the series its three.
    EXPECT_EQ(series.Dates, Days({"2026-01-05", "2026-01-06", "2026-01-07"}));
    EXPECT_EQ(events.at(QStringLiteral("twice")).Event.EventName, QStringLiteral("Newer"));
    EXPECT_TRUE(contents.Warnings.contains(
        QStringLiteral("line %1, UID \"bad\": ends before it starts; skipped").arg(badLine)))
        << contents.Warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(contents.Warnings.contains(
        QStringLiteral("line %1: an older version of the event with the UID \"twice\" (left out)").arg(line + 5)))
        << contents.Warnings.join(QLatin1Char('\n')).toStdString();
}

namespace {

// Each stored event of a file as "UID name times days", the parts of a series numbered.
QStringList Looks(const CalendarContents &contents)
{
    QStringList looks;
    for (const CalendarEvent &event : contents.Events) {
        QStringList days;
        for (const QDate &day : event.Dates)
            days.append(day.toString(QStringLiteral("MM-dd")));
        looks.append(QStringLiteral("%1 %2 %3 %4%5")
                         .arg(QString(event.Uid).replace(QChar(0x1F), QLatin1Char('#')), event.Event.EventName,
                              Times(event), days.join(QLatin1Char(',')),
                              event.Event.Reminder ? QStringLiteral(" reminded") : QString()));
    }
    return looks;
}

// A series keeps each occurrence's own times and name: seen across a change of clock,
// changed by RECURRENCE-ID (alone, or with THISANDFUTURE all later ones too), past midnight.
TEST(ICalendarReader, OccurrencesKeepTheirOwnTimesAndNames)
{
    const QByteArray text = Calendar({
        // New York's clock changes on 8 March, Berlin's on 29 March.
        "BEGIN:VEVENT", "UID:dst", "DTSTART;TZID=America/New_York:20260302T090000", "DURATION:PT1H",
        "RRULE:FREQ=WEEKLY;COUNT=5", "SUMMARY:Call", "END:VEVENT",
        "BEGIN:VEVENT", "UID:later", "DTSTART:20260504T100000", "DTEND:20260504T110000", "RRULE:FREQ=DAILY;COUNT=5",
        "SUMMARY:Daily", "END:VEVENT",
        "BEGIN:VEVENT", "UID:later", "RECURRENCE-ID;RANGE=THISANDFUTURE:20260506T100000", "DTSTART:20260506T120000",
        "DTEND:20260506T133000", "SUMMARY:Later", "END:VEVENT",
        "BEGIN:VEVENT", "UID:later", "RECURRENCE-ID:20260505T100000", "SUMMARY:Renamed", "END:VEVENT",
        // A date names that day's occurrence, wherever it was moved to on it.
        "BEGIN:VEVENT", "UID:later", "RECURRENCE-ID;VALUE=DATE:20260508", "STATUS:CANCELLED", "END:VEVENT",
        "BEGIN:VEVENT", "UID:night", "DTSTART:20260612T220000", "DTEND:20260614T060000", "SUMMARY:Night",
        "BEGIN:VALARM", "ACTION:DISPLAY", "TRIGGER:-PT15M", "END:VALARM", "END:VEVENT",
    });
    const CalendarContents contents = ICalendarReader::ReadCalendar(text, Berlin());
    EXPECT_EQ(Looks(contents), QStringList({
                                   "dst Call 15:00-16:00 03-02,03-30",
                                   "dst#1 Call 14:00-15:00 03-09,03-16,03-23",
                                   "later Daily 10:00-11:00 05-04",
                                   "later#1 Renamed 10:00-11:00 05-05",
                                   "later#2 Later 12:00-13:30 05-06,05-07",
                                   "night Night 22:00-23:59 06-12 reminded",
                                   "night#1 Night 00:00-23:59 06-13",
                                   "night#2 Night 00:00-06:00 06-14",
                               }))
        << contents.Warnings.join(QLatin1Char('\n')).toStdString();
    // One night is no series; the parts of a series are.
    EXPECT_TRUE(contents.Events[1].Event.Recurring);
    EXPECT_FALSE(contents.Events[6].Event.Recurring);
}

// A changed occurrence takes the place of the one it names, wherever it moves: that day
// keeps none of it, the new one has it once. The series is 10:00 in New York, 16:00 in
// Berlin, 4 to 7 May.
TEST(ICalendarReader, AChangedOccurrenceReplacesTheOneItNames)
{
    const auto series = [](const QByteArray &extra, const QByteArray &changes) {
        return "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:s\r\nDTSTART;TZID=America/New_York:20260504T100000\r\n"
               "DURATION:PT1H\r\nRRULE:FREQ=DAILY;COUNT=4\r\n" + extra + "SUMMARY:S\r\nEND:VEVENT\r\n" + changes
               + "END:VCALENDAR\r\n";
    };
    const auto change = [](const char *id, const char *start, const char *more = "") {
        return QByteArray("BEGIN:VEVENT\r\nUID:s\r\n") + id + "\r\n" + start + "\r\n" + more + "SUMMARY:M\r\nEND:VEVENT\r\n";
    };
    const QByteArray ny5 = "RECURRENCE-ID;TZID=America/New_York:20260505T100000";
    const QByteArray at9 = "DTSTART;TZID=America/New_York:20260509T100000";
    const struct {
        const char *what;
        QByteArray text;
        QStringList looks;
    } cases[] = {
        {"to a later day", series("", change(ny5, at9)), {"s S 16:00-17:00 05-04,05-06,05-07", "s#1 M 16:00-17:00 05-09"}},
        {"to an earlier day", series("", change(ny5, "DTSTART;TZID=America/New_York:20260502T100000")),
         {"s M 16:00-17:00 05-02", "s#1 S 16:00-17:00 05-04,05-06,05-07"}},
        {"to a whole day", series("", change(ny5, "DTSTART;VALUE=DATE:20260509")),
         {"s S 16:00-17:00 05-04,05-06,05-07", "s#1 M 00:00-23:59 05-09"}},
        {"named in London's clock", series("", change("RECURRENCE-ID;TZID=Europe/London:20260505T150000", at9)),
         {"s S 16:00-17:00 05-04,05-06,05-07", "s#1 M 16:00-17:00 05-09"}},
        {"named without its zone", series("", change("RECURRENCE-ID:20260505T100000", at9)),
         {"s S 16:00-17:00 05-04,05-06,05-07", "s#1 M 16:00-17:00 05-09"}},
        {"of an RDATE", series("RDATE;TZID=America/New_York:20260512T100000\r\n",
                               change("RECURRENCE-ID:20260512T140000Z", "DTSTART;TZID=America/New_York:20260513T100000")),
         {"s S 16:00-17:00 05-04,05-05,05-06,05-07", "s#1 M 16:00-17:00 05-13"}},
        // Onto an occurrence of the series, which its own change still finds.
        {"onto another", series("", change(ny5, "DTSTART;TZID=America/New_York:20260506T100000")
                                        + change("RECURRENCE-ID;TZID=America/New_York:20260506T100000",
                                                 "DTSTART;TZID=America/New_York:20260506T120000")),
         {"s S 16:00-17:00 05-04,05-07", "s#1 M 16:00-17:00 05-06", "s#2 M 18:00-19:00 05-06"}},
        {"of two versions the newer", series("", change(ny5, at9, "SEQUENCE:2\r\n") + change(ny5, "DTSTART;TZID=America/New_York:20260510T100000", "SEQUENCE:1\r\n")),
         {"s S 16:00-17:00 05-04,05-06,05-07", "s#1 M 16:00-17:00 05-09"}},
        // A change of one occurrence alone wins over that of it with the later ones.
        {"after a change of later ones", series("", change("RECURRENCE-ID;TZID=America/New_York:20260506T100000",
                                                           "DTSTART;TZID=America/New_York:20260507T100000")
                                                        + change("RECURRENCE-ID;RANGE=THISANDFUTURE;TZID=America/New_York:20260505T100000",
                                                                 "DTSTART;TZID=America/New_York:20260505T120000")),
         {"s S 16:00-17:00 05-04", "s#1 M 18:00-19:00 05-05,05-07", "s#2 M 16:00-17:00 05-07"}},
    };
    for (const auto &c : cases) {
        const CalendarContents contents = ICalendarReader::ReadCalendar(c.text, Berlin());
        EXPECT_EQ(Looks(contents), c.looks) << c.what << "\n" << contents.Warnings.join(QLatin1Char('\n')).toStdString();
    }
    // All-day to timed, in the local zone of the series.
    const QByteArray allDay = Calendar({"BEGIN:VEVENT", "UID:d", "DTSTART;VALUE=DATE:20260504", "RRULE:FREQ=DAILY;COUNT=3",
                                        "SUMMARY:D", "END:VEVENT", "BEGIN:VEVENT", "UID:d", "RECURRENCE-ID;VALUE=DATE:20260505",
                                        "DTSTART;TZID=America/New_York:20260508T100000", "DURATION:PT1H", "END:VEVENT"});
    EXPECT_EQ(Looks(ICalendarReader::ReadCalendar(allDay, InZone("America/New_York"))),
              QStringList({"d D 00:00-23:59 05-04,05-06", "d#1 D 10:00-11:00 05-08"}));
}

// A change of an occurrence and all later ones moves each by as much as that one moved in
// the series' own clock: New York's, which changes on 8 March, Berlin's on 29 March.
TEST(ICalendarReader, AChangeOfLaterOccurrencesMovesThemInTheSeriesClock)
{
    const QByteArray text = Calendar({
        "BEGIN:VEVENT", "UID:s", "DTSTART;TZID=America/New_York:20260306T090000", "DURATION:PT1H",
        "RRULE:FREQ=WEEKLY;COUNT=6", "SUMMARY:S", "END:VEVENT",
        // Two days and two hours later, from the second on; from the fifth on, 15:00 on its day.
        "BEGIN:VEVENT", "UID:s", "RECURRENCE-ID;RANGE=THISANDFUTURE;TZID=America/New_York:20260403T090000",
        "DTSTART:20260403T190000Z", "DURATION:PT1H", "SUMMARY:L", "END:VEVENT",
        "BEGIN:VEVENT", "UID:s", "RECURRENCE-ID;RANGE=THISANDFUTURE;TZID=America/New_York:20260313T090000",
        "DTSTART;TZID=America/New_York:20260315T110000", "DURATION:PT1H", "SUMMARY:M", "END:VEVENT",
    });
    const std::pair<const char *, QStringList> zones[] = {
        {"America/New_York", {"s S 09:00-10:00 03-06", "s#1 M 11:00-12:00 03-15,03-22,03-29", "s#2 L 15:00-16:00 04-03,04-10"}},
        {"Europe/Berlin",
         {"s S 15:00-16:00 03-06", "s#1 M 16:00-17:00 03-15,03-22", "s#2 M 17:00-18:00 03-29", "s#3 L 21:00-22:00 04-03,04-10"}},
    };
    for (const auto &[zone, looks] : zones) {
        const CalendarContents contents = ICalendarReader::ReadCalendar(text, InZone(zone));
        EXPECT_EQ(Looks(contents), looks) << zone;
    }
}

// What a lenient reader gets past costs no event: each mend is named.
TEST(ICalendarReader, AFlawALenientReaderGetsPastCostsNoEvent)
{
    const QByteArray folded(63, 'a'); // with "DESCRIPTION:" as long as folded lines are
    const struct {
        QByteArray lines; // of the event, from line 5
        const char *notes;
        int days;
        const char *warning;
    } cases[] = {
        {"RRULE:FREQ=DAILY;COUNT=10;UNTIL=20260506T235959Z\r\n", "", 3,
         "line 5: the repeat rule has both COUNT and UNTIL; read up to its UNTIL"},
        {"DESCRIPTION:Bring: the plan\r\nand the pens\r\n", "Bring: the plan\nand the pens", 1,
         "line 6: a line that is no property, read as the rest of line 5"},
        {"DESCRIPTION:" + folded + "\r\nbb, folded\r\n", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaabb, folded", 1,
         "line 6: a line that is no property, read as the rest of line 5"},
        {"DESCRIPTION:Gr\xC3\r\n\xBC\xC3\x9F" "e\r\n", "Grüße", 1, "line 6: a line that is no property, read as the rest of line 5"},
        {"DTSTAMP:20260101T000000Z\r\nstray text\r\n", "", 1, "line 6: a line that is no property (left out)"},
    };
    for (const auto &c : cases) {
        const QByteArray text = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:e\r\nDTSTART:20260504T100000Z\r\n" + c.lines
                                + "END:VEVENT\r\nBEGIN:VEVENT\r\nUID:next\r\nDTSTART;VALUE=DATE:20260510\r\nEND:VEVENT\r\n"
                                  "END:VCALENDAR\r\n";
        const CalendarContents contents = ICalendarReader::ReadCalendar(text, Berlin());
        EXPECT_EQ(contents.Warnings.join(QLatin1Char('\n')), QLatin1String(c.warning));
        ASSERT_EQ(contents.Events.size(), 2) << c.warning;
        EXPECT_EQ(contents.Events.first().Event.Notes, QString::fromUtf8(c.notes)) << c.warning;
        EXPECT_EQ(contents.Events.first().Dates.size(), c.days) << c.warning;
    }
}


// Read as the events are stored (ReadCalendarInOrder), a file gives the list's events in
// the list's order and its warnings, or the same failure: the files of the tests, and one
// of several batches whose series wait for changed occurrences met later, or never
// met, with flaws between.
TEST(ICalendarReader, ReadInOrderGivesTheListsEventsAndWarnings)
{
    QByteArray batches = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
    for (int i = 0; i < 3600; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray day = QDate(2026, 1, 1).addDays(i % 300).toString(QStringLiteral("yyyyMMdd")).toLatin1();
        batches += "BEGIN:VEVENT\r\nUID:e" + n + "\r\nDTSTART:" + day + "T090000\r\nDTEND:" + day
                   + "T100000\r\nSUMMARY:Event " + n + "\r\nDESCRIPTION:" + QByteArray(60, 'x') + "\r\n"
                   + (i % 50 == 0 ? "RRULE:FREQ=WEEKLY;COUNT=8\r\n" : "") + (i % 97 == 0 ? "DTEND:bad\r\n" : "")
                   + "END:VEVENT\r\n";
        // A series' second week moved, 900 events (several batches) after the series.
        if (i % 50 == 0 && i >= 900) {
            const QDate first = QDate(2026, 1, 1).addDays((i - 900) % 300);
            const QByteArray id = first.addDays(7).toString(QStringLiteral("yyyyMMdd")).toLatin1();
            batches += "BEGIN:VEVENT\r\nUID:e" + QByteArray::number(i - 900) + "\r\nRECURRENCE-ID:" + id
                       + "T090000\r\nDTSTART:" + id + "T150000\r\nDTEND:" + id + "T160000\r\nSUMMARY:Moved\r\nEND:VEVENT\r\n";
        }
        if (i % 400 == 7)
            batches += "BEGIN:VEVENT\r\nUID:alone" + n + "\r\nRECURRENCE-ID:20260301T090000\r\nDTSTART:20260302T090000\r\n"
                       "SUMMARY:Without its series\r\nEND:VEVENT\r\n";
    }
    batches += "END:VCALENDAR\r\n";
    QList<std::pair<QString, QByteArray>> files{{QStringLiteral("batches"), batches}};
    for (const char *name : {"bad_date.ics", "ends_before_start.ics", "export_every_kind.ics", "folded_crlf.ics",
                             "garbage.ics", "hostile_rules.ics", "impossible_rule.ics", "never_matches.ics",
                             "not_calendar.ics", "rules_lf.ics", "timezones.ics", "too_many.ics", "truncated.ics",
                             "unclosed_event.ics"})
        files.append({QLatin1String(name), DataFile(name)});
    const auto same = [](const CalendarEvent &a, const CalendarEvent &b) {
        return a.Uid == b.Uid && a.Origin == b.Origin && a.Line == b.Line && a.Event == b.Event && a.Dates == b.Dates;
    };
    for (const auto &[name, text] : std::as_const(files)) {
        SCOPED_TRACE(name.toStdString());
        CalendarContents list;
        QString listFailure;
        try {
            list = ICalendarReader::ReadCalendar(text, Berlin());
        } catch (const basOperation::Failure &failure) {
            listFailure = failure.description();
        }
        QList<CalendarEvent> handed;
        QStringList warnings;
        QString failure;
        try {
            warnings = ICalendarReader::ReadCalendarInOrder(ICalendarLines::Text(text), Berlin(),
                                                            [&handed](CalendarEvent &&event) { handed.append(event); });
        } catch (const basOperation::Failure &thrown) {
            failure = thrown.description();
        }
        EXPECT_EQ(failure, listFailure);
        if (!failure.isEmpty())
            continue;
        EXPECT_EQ(warnings, list.Warnings);
        ASSERT_EQ(handed.size(), list.Events.size());
        for (qsizetype i = 0; i < handed.size(); ++i)
            EXPECT_TRUE(same(handed[i], list.Events[i])) << i << " " << handed[i].Uid.toStdString();
    }
    EXPECT_GT(files.first().second.size(), 2 * 256 * 1024); // batches of 256 kB
}

} // namespace

} // namespace quillon
