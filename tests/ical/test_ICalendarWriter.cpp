// Written calendar files read back as the same events, and look like what other
// programs expect.
#include "ICalendarColors.h"
#include "ICalendarFingerprint.h"
#include "ICalendarKept.h"
#include "ICalendarReader.h"
#include "ICalendarWriter.h"
#include "basOperation.h"

#include <QTimeZone>

#include <optional>
#include <random>

#include <libical/ical.h>

#include <gtest/gtest.h>

namespace quillon {

namespace {

using ICalendarWriter::OutgoingEvent;

ICalendarReader::ReadOptions Options()
{
    ICalendarReader::ReadOptions options;
    options.LocalZone = QTimeZone("America/New_York");
    options.Today = QDate(2026, 12, 6);
    return options;
}

OutgoingEvent Event(const QString &uid, const QString &name, bool allDay, QList<QDate> dates)
{
    OutgoingEvent event;
    event.Uid = uid;
    event.Event.EventName = name;
    event.Event.AllDayEvent = allDay;
    event.Event.StartTime = QTime(9, 30);
    event.Event.EndTime = QTime(10, 45);
    event.Event.Recurring = dates.size() > 1;
    event.Event = ICalendarFingerprint::FileForm(event.Event);
    event.Dates = std::move(dates);
    return event;
}

QList<OutgoingEvent> EveryKind()
{
    QList<OutgoingEvent> events;
    events.append(Event(QStringLiteral("a@x"), QStringLiteral("All day"), true, {QDate(2026, 12, 24)}));
    OutgoingEvent timed = Event(QStringLiteral("b@x"), QStringLiteral("Timed, with; marks \\ and \"quotes\" | pipe"), false,
                                {QDate(2026, 3, 29), QDate(2026, 11, 1)});
    timed.Event.EventColor = QStringLiteral("Fuschia");
    timed.CssColor = ICalendarColors::CssNameOf(timed.Event.EventColor);
    timed.Event.EventIcon = 123;
    timed.Event.Reminder = 10080;
    timed.Event.Notes = QStringLiteral("Line one\nLine two with emoji 😀😀😀 and ünïcödé repeated to pass the fold: "
                                       "ééééééééééééééééééééééééééééééééééééééééé");
    events.append(timed);
    // Days picked by hand, all over the store's range.
    events.append(Event(QStringLiteral("c@x"), QString(), true, {QDate(1900, 1, 1), QDate(2000, 2, 29), QDate(2100, 12, 31)}));
    // Picked in the year view, but only one day.
    OutgoingEvent single = Event(QStringLiteral("d@x"), QStringLiteral("Single"), false, {QDate(2026, 1, 1)});
    single.Event.Recurring = true;
    single.Event.StartTime = QTime(23, 0);
    single.Event.EndTime = QTime(23, 59);
    single.Event.Reminder = 0;
    events.append(single);
    // Three days in a row: one event of three days.
    events.append(Event(QStringLiteral("e@x"), QStringLiteral("Holiday"), true,
                        {QDate(2026, 7, 20), QDate(2026, 7, 21), QDate(2026, 7, 22)}));
    return events;
}

// Stores keep the fingerprints of earlier imports: the same event must give the same text
// in every version, or each import of an unchanged file would read every event again.
TEST(ICalendarFingerprint, StaysWhatStoresHaveKept)
{
    basDatabase::EventRecord timed;
    timed.EventName = QStringLiteral("Caf\u00e9 \u2615");
    timed.StartTime = QTime(9, 5, 40);
    timed.EndTime = QTime(10, 30);
    timed.EventColor = QStringLiteral("Teal");
    timed.Notes = QStringLiteral("Notes\nmore");
    timed.Recurring = true;
    timed.Reminder = 15;
    EXPECT_EQ(ICalendarFingerprint::Fingerprint(timed, {QDate(2026, 1, 8), QDate(2026, 1, 1), QDate(2026, 1, 8)}),
              QStringLiteral("2a53db52712168a9f511fdfcd951866443305eaf"));
    basDatabase::EventRecord allDay;
    allDay.EventName = QStringLiteral("Holiday");
    allDay.AllDayEvent = true;
    allDay.EventColor = QStringLiteral("Red");
    EXPECT_EQ(ICalendarFingerprint::Fingerprint(allDay, {QDate(2026, 12, 25)}),
              QStringLiteral("93820d3f1655da5b41ede83644ddcb08d5aa921b"));
}

TEST(ICalendarWriter, EveryKindOfEventReadsBackTheSame)
{
    const QList<OutgoingEvent> events = EveryKind();
    const QByteArray text = ICalendarWriter::WriteCalendar(events, QDateTime(QDate(2026, 12, 6), QTime(12, 0), QTimeZone::utc()));
    const ICalendarReader::CalendarContents contents = ICalendarReader::ReadCalendar(text, Options());
    EXPECT_TRUE(contents.Warnings.isEmpty()) << contents.Warnings.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(contents.Events.size(), events.size());
    for (qsizetype i = 0; i < events.size(); ++i) {
        const ICalendarReader::CalendarEvent &back = contents.Events[i];
        EXPECT_EQ(back.Uid, events[i].Uid);
        EXPECT_EQ(back.Event, events[i].Event) << back.Uid.toStdString();
        EXPECT_EQ(back.Dates, events[i].Dates) << back.Uid.toStdString();
        EXPECT_EQ(ICalendarFingerprint::Fingerprint(back.Event, back.Dates),
                  ICalendarFingerprint::Fingerprint(events[i].Event, events[i].Dates));
    }
}

TEST(ICalendarWriter, RemindersAreDisplayAlarmsAndTheEarliestAlarmFromTheStartIsRead)
{
    OutgoingEvent meeting = Event(QStringLiteral("m@x"), QStringLiteral("Meeting"), false, {QDate(2026, 12, 7)});
    meeting.Event.Reminder = 15;
    const QString written = QString::fromUtf8(ICalendarWriter::WriteCalendar({meeting}, QDateTime(QDate(2026, 12, 6), QTime(12, 0), QTimeZone::utc())));
    EXPECT_TRUE(written.contains(QStringLiteral("BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Meeting\r\nTRIGGER:-PT15M\r\nEND:VALARM")))
        << written.toStdString();

    struct Row {
        const char *what;
        const char *alarms;
        std::optional<int> reminder;
    };
    const Row rows[] = {
        {"none", "", std::nullopt},
        {"a day in days", "TRIGGER:-P1D", 1440},
        {"the earliest of several",
         "TRIGGER:-PT5M\r\nEND:VALARM\r\nBEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER;RELATED=START:-PT2H", 120},
        {"from the end, at a time, after the start: none",
         "TRIGGER;RELATED=END:-PT5M\r\nEND:VALARM\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
         "TRIGGER;VALUE=DATE-TIME:20261207T080000Z\r\nEND:VALARM\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:PT5M",
         std::nullopt},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//EN\r\nBEGIN:VEVENT\r\nUID:u@x\r\n"
                          "DTSTART:20261207T140000\r\nDTEND:20261207T150000\r\nSUMMARY:Meeting\r\n";
        if (*row.alarms)
            text += QByteArray("BEGIN:VALARM\r\nACTION:DISPLAY\r\n") + row.alarms + "\r\nEND:VALARM\r\n";
        text += "END:VEVENT\r\nEND:VCALENDAR\r\n";
        const auto contents = ICalendarReader::ReadCalendar(text, Options());
        ASSERT_EQ(contents.Events.size(), 1);
        EXPECT_EQ(contents.Events[0].Event.Reminder, row.reminder);
    }
}

TEST(ICalendarWriter, LinesAreFoldedAtCharactersAndEndInCrlf)
{
    const QByteArray text = ICalendarWriter::WriteCalendar(EveryKind(), QDateTime(QDate(2026, 12, 6), QTime(12, 0), QTimeZone::utc()));
    ASSERT_TRUE(text.endsWith("END:VCALENDAR\r\n"));
    const QList<QByteArray> lines = text.split('\n');
    for (QByteArray line : lines) {
        if (line.isEmpty())
            continue;
        ASSERT_TRUE(line.endsWith('\r')) << line.constData();
        line.chop(1);
        EXPECT_LE(line.size(), 75) << line.constData();
        // Every physical line is whole UTF-8 on its own, for readers that decode lines
        // before they unfold them.
        EXPECT_TRUE(QString::fromUtf8(line).toUtf8() == line) << line.constData();
    }
    EXPECT_TRUE(text.contains("DTSTART;VALUE=DATE:20261224\r\n"));
    EXPECT_TRUE(text.contains("DTSTART:20260329T093000\r\n"));
    EXPECT_TRUE(text.contains("RDATE:20261101T093000\r\n"));
    EXPECT_TRUE(text.contains("COLOR:fuchsia\r\n"));
    EXPECT_TRUE(text.contains("X-QUILLON-ICON:123\r\n"));
    EXPECT_TRUE(text.contains("DTSTART;VALUE=DATE:20260720\r\nDTEND;VALUE=DATE:20260723\r\n"));
    EXPECT_FALSE(text.contains("RDATE;VALUE=DATE:202607"));
}

TEST(ICalendarWriter, RdateLinesAreWhatLibicalWritesForThem)
{
    QList<OutgoingEvent> events = EveryKind();
    events.append(Event(QStringLiteral("gaps@test"), QStringLiteral("Gaps"), true,
                        {QDate(2026, 8, 3), QDate(2026, 8, 10), QDate(2026, 8, 24)}));
    const QByteArray text = ICalendarWriter::WriteCalendar(events, QDateTime(QDate(2026, 12, 6), QTime(12, 0), QTimeZone::utc()));
    int dates = 0;
    int times = 0;
    for (const QByteArray &line : text.split('\n')) {
        if (!line.startsWith("RDATE"))
            continue;
        icalproperty *property = icalproperty_new_from_string(line.chopped(1).constData());
        ASSERT_NE(property, nullptr) << line.constData();
        char *again = icalproperty_as_ical_string_r(property);
        EXPECT_EQ(QByteArray(again), line + '\n');
        icalmemory_free_buffer(again);
        icalproperty_free(property);
        ++(line.startsWith("RDATE;VALUE=DATE:") ? dates : times);
    }
    EXPECT_GE(dates, 2);
    EXPECT_GT(times, 0);
    EXPECT_FALSE(text.contains("X-QUILLON-RDATES-HERE"));
}

// The file is what libical itself writes for the same events: it reads it and writes it
// again unchanged, however the texts fall on the folds. (Its reader drops the blanks that
// start or end a value: the texts here have none.)
TEST(ICalendarWriter, TheFileIsWhatLibicalWritesForIt)
{
    const char *pieces[] = {"a", "b", " ", ";", ":", ",", "\\", "\n", "\t", "\"", "é", "€", "😀", "xyz"};
    std::mt19937 random(7);
    const auto text = [&](int longest) {
        QByteArray made = "x";
        const int length = int(random() % longest);
        const bool wide = random() % 2 == 0; // mostly characters of several bytes
        while (made.size() < length)
            made += pieces[wide && random() % 4 ? 10 + random() % 3 : random() % std::size(pieces)];
        return QString::fromUtf8(made + 'x');
    };
    QList<OutgoingEvent> events = EveryKind();
    for (int i = 0; i < 300; ++i) {
        OutgoingEvent event = Event(text(120).remove(QLatin1Char('\n')) + QString::number(i), text(200), i % 2 == 0,
                                    {QDate(2026, 1, 1).addDays(i), QDate(2026, 3, 1).addDays(i)});
        event.Event.Notes = text(400);
        if (i % 3 == 0)
            event.Event.Reminder = i;
        events.append(event);
    }
    const QByteArray written = ICalendarWriter::WriteCalendar(events, QDateTime(QDate(2026, 12, 6), QTime(12, 0, 5), QTimeZone::utc()));
    icalcomponent *calendar = icalparser_parse_string(written.constData());
    ASSERT_NE(calendar, nullptr);
    char *again = icalcomponent_as_ical_string_r(calendar);
    EXPECT_EQ(std::string(again), written.toStdString());
    icalmemory_free_buffer(again);
    icalcomponent_free(calendar);
}

TEST(ICalendarWriter, TextNeverCarriesRawControlCharacters)
{
    OutgoingEvent event = Event(QStringLiteral("s@x"), QStringLiteral("Name\x01 here"), true, {QDate(2026, 5, 1)});
    event.Event.Notes = QStringLiteral("tab\there\nbell\x07 escape\x1b cr\r del\x7f end");
    const QByteArray text = ICalendarWriter::WriteCalendar({event}, QDateTime(QDate(2026, 12, 6), QTime(12, 0), QTimeZone::utc()));
    for (const char control : {'\x01', '\x07', '\x1b', '\x7f'})
        EXPECT_FALSE(text.contains(control)) << int(control);
    const ICalendarReader::CalendarContents contents = ICalendarReader::ReadCalendar(text, Options());
    ASSERT_EQ(contents.Events.size(), 1);
    EXPECT_EQ(contents.Events.first().Event.EventName, QStringLiteral("Name here"));
    EXPECT_EQ(contents.Events.first().Event.Notes, QStringLiteral("tab\there\nbell escape cr del end"));
}

// A kept text is taken apart as the file it came from was read: folded and blank lines,
// a zone's name after a quoted ':', the origin replaced only where the event has one of
// its own; a text that is no calendar says where it breaks.
TEST(ICalendarKept, AKeptTextSplitsAsItsFileWasRead)
{
    const QByteArray kept = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                            "BEGIN:VTIMEZONE\r\nTZID;X-NOTE=\"a:b\":Europe/\r\n Berlin \r\nEND:VTIMEZONE\r\n\r\n"
                            "BEGIN:VEVENT\r\nUID:u@x\r\nx-quillon-origin:0123\r\n 4567\r\n"
                            "DTSTART;TZID=\"America/Chicago\":20270104T090000\r\n"
                            "BEGIN:VALARM\r\nTZID:not-its-own\r\nEND:VALARM\r\nEND:VEV\r\n ENT\r\n"
                            "BEGIN:VTODO\r\nUID:t@x\r\nEND:VTODO\r\n"
                            "BEGIN:VEVENT\r\nUID:v@x\r\nBEGIN:VALARM\r\nX-QUILLON-ORIGIN:in-the-alarm\r\nEND:VALARM\r\nEND:VEVENT\r\n"
                            "END:VCALENDAR";
    const ICalendarKept::Pieces pieces = ICalendarKept::Split(kept, QStringLiteral("feed"));
    EXPECT_EQ(pieces.ZoneIds, QList<QByteArray>{"Europe/Berlin"});
    EXPECT_EQ(pieces.Zones, QList<QByteArray>{"BEGIN:VTIMEZONE\r\nTZID;X-NOTE=\"a:b\":Europe/\r\n Berlin \r\nEND:VTIMEZONE\r\n\r\n"});
    EXPECT_EQ(pieces.Events.toStdString(),
              "BEGIN:VEVENT\r\nX-QUILLON-ORIGIN:feed\r\nUID:u@x\r\nDTSTART;TZID=\"America/Chicago\":20270104T090000\r\n"
              "BEGIN:VALARM\r\nTZID:not-its-own\r\nEND:VALARM\r\nEND:VEV\r\n ENT\r\n"
              "BEGIN:VEVENT\r\nX-QUILLON-ORIGIN:feed\r\nUID:v@x\r\nBEGIN:VALARM\r\nX-QUILLON-ORIGIN:in-the-alarm\r\nEND:VALARM\r\n"
              "END:VEVENT\r\n");
    EXPECT_EQ(pieces.NamedZones, QList<QByteArray>{"America/Chicago"});
    // Zones named but not given come out in the order the text names them: one text, one file.
    const ICalendarKept::Pieces zoned = ICalendarKept::Split(
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:z@x\r\nDTSTART;TZID=Pacific/Auckland:20270104T090000\r\n"
        "DTEND;TZID=America/Chicago:20270104T100000\r\nRDATE;TZID=Asia/Tokyo:20270105T090000\r\n"
        "EXDATE;TZID=America/Chicago:20270106T090000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
        QString());
    EXPECT_EQ(zoned.NamedZones, (QList<QByteArray>{"Pacific/Auckland", "America/Chicago", "Asia/Tokyo"}));

    try {
        ICalendarKept::Split("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:u@x\r\nEND:VCALENDAR\r\n", QString());
        ADD_FAILURE() << "no failure";
    } catch (const basOperation::Failure &failure) {
        EXPECT_TRUE(failure.description().startsWith(QStringLiteral("line 4:"))) << failure.description().toStdString();
    }
}

TEST(ICalendarColors, NamesMapBothWays)
{
    for (const QString &name : ICalendarColors::EventColorNames())
        EXPECT_EQ(ICalendarColors::NearestEventColor(ICalendarColors::CssNameOf(name)), name);
    EXPECT_EQ(ICalendarColors::NearestEventColor(QStringLiteral("darkred")), QStringLiteral("Maroon"));
    EXPECT_EQ(ICalendarColors::NearestEventColor(QStringLiteral(" Crimson ")), QStringLiteral("Red"));
    EXPECT_EQ(ICalendarColors::NearestEventColor(QStringLiteral("#0000f0")), QStringLiteral("Blue"));
    EXPECT_EQ(ICalendarColors::NearestEventColor(QStringLiteral("not a colour")), QString());
    EXPECT_EQ(ICalendarColors::CssNameOf(QStringLiteral("red")), QString());
    EXPECT_EQ(ICalendarColors::EventColorFromCategories({QStringLiteral("Business"), QStringLiteral("Green category")}),
              QStringLiteral("Green"));
    EXPECT_EQ(ICalendarColors::EventColorFromCategories({QStringLiteral("Business")}), QString());
}

} // namespace

} // namespace quillon
