// File > Import Calendar... and Export Calendar... of the main window, over a real store.
#include "SchedulerFixture.h"

#include "views/DayView.h"

#include <QAction>
#include <QFile>

namespace {
using schedulertest::SchedulerTest;

using CalendarFiles = SchedulerTest;

QString WriteFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(contents);
    return path;
}

const QByteArray kMeeting = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
                            "BEGIN:VEVENT\r\nUID:meeting-1@test\r\nDTSTAMP:20261201T000000Z\r\n"
                            "DTSTART:20261207T100000\r\nDTEND:20261207T110000\r\nSUMMARY:Budget review\r\n"
                            "END:VEVENT\r\nEND:VCALENDAR\r\n";

TEST_F(CalendarFiles, ImportShowsTheEventsAndMarksTheDesktopCalendarForRedrawing)
{
    Load();
    ASSERT_NE(window->mnuFileImportCalendar(), nullptr);
    const QString path = WriteFile(TempPath(QStringLiteral("meeting.ics")), kMeeting);
    ASSERT_TRUE(window->ImportCalendar(path));
    ASSERT_EQ(window->SSDay()->TaskCount(), 1); // 7 December is the shown day
    EXPECT_EQ(window->SSDay()->TaskText(0), QStringLiteral("Budget review"));
    EXPECT_TRUE(window->CalendarRefreshNeeded());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("1 added")));

    // The same file again changes nothing.
    ASSERT_TRUE(window->ImportCalendar(path));
    EXPECT_EQ(window->SSDay()->TaskCount(), 1);
    EXPECT_TRUE(messages.back().text.contains(QStringLiteral("1 unchanged")));
}

TEST_F(CalendarFiles, ABrokenFileIsReportedOnceAndChangesNothing)
{
    Load();
    const QString path = WriteFile(TempPath(QStringLiteral("cut.ics")), kMeeting.left(kMeeting.indexOf("END:VEVENT")));
    EXPECT_FALSE(window->ImportCalendar(path));
    EXPECT_EQ(window->SSDay()->TaskCount(), 0);
    EXPECT_FALSE(window->CalendarRefreshNeeded());
    EXPECT_EQ(Reports(), QStringList{QStringLiteral("basICalendar.ImportCalendarFile")});
}

TEST_F(CalendarFiles, ExportWritesEveryEventAndACancelledChoiceDoesNothing)
{
    AddEvent(QStringLiteral("Choir, \"St. Mary's\""), {QDate(2026, 12, 9)}, QStringLiteral("7:00 PM"),
             QStringLiteral("8:30 PM"));
    Load();
    window->SetFileChooser([](bool) { return QString(); });
    EXPECT_FALSE(window->ExportCalendar());
    EXPECT_TRUE(messages.empty());

    const QString path = TempPath(QStringLiteral("out.ics"));
    ASSERT_TRUE(window->ExportCalendar(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_TRUE(written.contains("BEGIN:VEVENT"));
    EXPECT_TRUE(written.contains("SUMMARY:Choir\\, \"St. Mary's\""));
    EXPECT_TRUE(messages.back().text.startsWith(QStringLiteral("1 events were written")));
}
} // namespace
