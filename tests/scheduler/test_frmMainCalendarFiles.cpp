// File > Import Calendar... and Export Calendar... of the main window, over a real store.
#include "SchedulerFixture.h"

#include "views/DayView.h"

#include <QAction>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace quillon {

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
    ASSERT_NE(quillontest::Find<QAction>(*window, "mnuFileImportCalendar"), nullptr);
    const QString path = WriteFile(TempPath(QStringLiteral("meeting.ics")), kMeeting);
    ASSERT_TRUE(window->ImportCalendar(path));
    ASSERT_EQ(window->SSDay()->TaskCount(), 1); // 7 December is the shown day
    EXPECT_EQ(window->SSDay()->TaskText(0), QStringLiteral("Budget review"));
    EXPECT_TRUE(window->Page().CalendarRefreshNeeded());
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
    EXPECT_FALSE(window->Page().CalendarRefreshNeeded());
    EXPECT_EQ(Reports(), QStringList{QStringLiteral("basICalendar.ImportCalendarFile")});
}

TEST_F(CalendarFiles, AnEventWhoseRuleCannotMatchIsNamedAndTheRestImported)
{
    Load();
    QByteArray text = kMeeting;
    text.insert(text.indexOf("END:VCALENDAR"), "BEGIN:VEVENT\r\nUID:never@test\r\nDTSTART:20261201T000000\r\n"
                                               "RRULE:FREQ=SECONDLY;BYDAY=1MO,-1FR,53SU\r\nEND:VEVENT\r\n");
    ASSERT_TRUE(window->ImportCalendar(WriteFile(TempPath(QStringLiteral("hostile.ics")), text)));
    EXPECT_EQ(window->SSDay()->TaskCount(), 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("1 added"))) << messages[0].text.toStdString();
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("line 14, UID \"never@test\": its repeat rule can never match")))
        << messages[0].text.toStdString();
}

// The file is read while the window goes on handling events: its progress dialog's
// Cancel stops the read, and nothing is written or reported.
TEST_F(CalendarFiles, ALongReadCanBeCancelled)
{
    Load();
    QByteArray text = "BEGIN:VCALENDAR\r\n";
    for (int i = 0; i < 40; ++i)
        text += "BEGIN:VEVENT\r\nUID:daily-" + QByteArray::number(i)
                + "@test\r\nDTSTART:19000101T100000\r\nRRULE:FREQ=DAILY;UNTIL=21001231\r\nEND:VEVENT\r\n";
    text += "END:VCALENDAR\r\n";
    const QString path = WriteFile(TempPath(QStringLiteral("long.ics")), text);
    int cancels = 0;
    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        for (QProgressDialog *progress : window->findChildren<QProgressDialog *>()) {
            if (auto *button = progress->findChild<QPushButton *>()) {
                button->click();
                ++cancels;
            }
        }
    });
    canceller.start(5);
    EXPECT_FALSE(window->ImportCalendar(path));
    canceller.stop();
    EXPECT_GE(cancels, 1);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(Reports().isEmpty());
    EXPECT_EQ(window->SSDay()->TaskCount(), 0);
    EXPECT_FALSE(window->Page().CalendarRefreshNeeded());
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

} // namespace quillon
