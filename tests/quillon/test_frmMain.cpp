#include "LauncherFixture.h"

#include "ScreenWatch.h"
#include "basSysTray.h"

#include <QGuiApplication>
#include <QScreen>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>

namespace quillon {

namespace {
using namespace launchertest;

const QString kToday = QStringLiteral("12/06/2026");

class Launcher : public LauncherTest {
protected:
    // A launcher already started today with the calendar on, so its start drew nothing.
    frmMain &StartedToday()
    {
        Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
        Option(QStringLiteral("LastStartUpDate"), kToday);
        frmMain &form = NewLauncher();
        form.Form_Load();
        return form;
    }
    // The next minute's tick, with the clocks moved on normally.
    void TickAt(frmMain &form, const QDateTime &when)
    {
        clock.Advance(clock.now.msecsTo(when));
        form.Timer1_Timer();
    }
};

TEST_F(Launcher, FirstStartOfTheDayDrawsTheCalendarOnceBeforeTheIcon)
{
    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    Option(QStringLiteral("LastStartUpDate"), QStringLiteral("12/5/2026"));
    bool calendarStartedBeforeIcon = false;
    int adds = 0;
    // The launcher waits in here: a start it made only after the icon cannot show up.
    tray.onAdd = [&] {
        if (adds++ == 0)
            calendarStartedBeforeIcon = Started(1).contains(QStringLiteral("calendar"));
    };

    frmMain &form = NewLauncher();
    form.Form_Load();
    EXPECT_TRUE(calendarStartedBeforeIcon);
    EXPECT_EQ(adds, 1);
    EXPECT_TRUE(tray.shown);
    EXPECT_EQ(tray.tip, QStringLiteral("Quillon"));
    EXPECT_EQ(tray.menu, quillontest::Find<QMenu>(form, "mnuPopupMenu"));
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.MiniCalendar()->isVisible());
    EXPECT_EQ(StoredOption(QStringLiteral("LastStartUpDate")), kToday);
    EXPECT_EQ(form.LastDayHandled(), QDate(2026, 12, 6));
    EXPECT_TRUE(form.Timer1().isActive());
    EXPECT_EQ(form.Timer1().interval(), 60000);

    // A second start the same day draws nothing more.
    tray.onAdd = {};
    NewLauncher().Form_Load();
    EXPECT_EQ(Started(1), QStringList{QStringLiteral("calendar")});
    EXPECT_TRUE(messages.empty());
}

TEST_F(Launcher, SchedulerAtStartAndOncePerDay)
{
    Option(QStringLiteral("DisplaySchedulerOnStart"), QStringLiteral("1"));
    Option(QStringLiteral("DisplaySchedulerOnce"), QStringLiteral("1"));
    Option(QStringLiteral("LastStartUpDate"), QStringLiteral("1/1/2004"));
    NewLauncher().Form_Load();
    NewLauncher().Form_Load(); // the same day: not again
    EXPECT_EQ(Started(1), QStringList{QStringLiteral("scheduler")});

    // Without "once", every start opens it; a calendar switched off is never drawn.
    Option(QStringLiteral("DisplaySchedulerOnce"), QStringLiteral("0"));
    NewLauncher().Form_Load();
    EXPECT_EQ(Started(2), (QStringList{QStringLiteral("scheduler"), QStringLiteral("scheduler")}));
}

TEST_F(Launcher, ANewDateOnTheTimerDrawsOnceThatDay)
{
    frmMain &form = StartedToday();
    TickAt(form, QDateTime(QDate(2026, 12, 6), QTime(23, 59, 30)));
    TickAt(form, QDateTime(QDate(2026, 12, 7), QTime(0, 0, 30)));
    EXPECT_EQ(form.LastDayHandled(), QDate(2026, 12, 7));
    TickAt(form, QDateTime(QDate(2026, 12, 7), QTime(0, 1, 30)));
    TickAt(form, QDateTime(QDate(2026, 12, 7), QTime(13, 0)));
    EXPECT_EQ(Started(1), QStringList{QStringLiteral("calendar")});
    EXPECT_EQ(warningsShown, 0);
}

TEST_F(Launcher, AClockJumpOrAWakeFromSleepIsSeenAtTheNextCheck)
{
    frmMain &form = StartedToday();
    // Set forward two days within one minute of awake time.
    clock.now = clock.now.addDays(2);
    clock.monotonic += 60000;
    form.Timer1_Timer();
    EXPECT_EQ(form.LastDayHandled(), QDate(2026, 12, 8));
    // Each redraw is let finish: one asked for while another runs is merged into a single later run.
    ASSERT_EQ(Started(1).size(), 1);

    // A night asleep: the awake clock stood still; the wake signal checks at once.
    clock.now = clock.now.addSecs(9 * 3600);
    form.Timer1_Timer();
    EXPECT_EQ(form.LastDayHandled(), QDate(2026, 12, 9));
    ASSERT_EQ(Started(2).size(), 2);

    // Set back to an earlier date: the desktop would otherwise show a future month
    // until the date caught up again.
    clock.now = clock.now.addDays(-40);
    clock.monotonic += 60000;
    form.Timer1_Timer();
    EXPECT_EQ(form.LastDayHandled(), QDate(2026, 10, 30));
    // A plain tick after it does nothing more.
    clock.Advance(60000);
    form.Timer1_Timer();
    EXPECT_EQ(Started(3).size(), 3);
}

TEST_F(Launcher, TheCalendarSwitchedOnOrOffAfterTheStartIsHonouredAtOnce)
{
    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("0"));
    frmMain &form = NewLauncher();
    form.Form_Load();
    EXPECT_TRUE(form.Timer1().isActive());
    TickAt(form, QDateTime(QDate(2026, 12, 7), QTime(0, 0, 30)));
    EXPECT_TRUE(StartedSoFar().isEmpty());

    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("2"));
    TickAt(form, QDateTime(QDate(2026, 12, 8), QTime(0, 0, 30)));
    EXPECT_EQ(Started(1), QStringList{QStringLiteral("calendar")});

    // Off again (a blank zero too): nothing is drawn.
    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("0"));
    TickAt(form, QDateTime(QDate(2026, 12, 9), QTime(0, 0, 30)));
    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral(" 0 "));
    TickAt(form, QDateTime(QDate(2026, 12, 10), QTime(0, 0, 30)));
    EXPECT_EQ(Started(1).size(), 1);
    // A true flag of the original settings format, and text that is no number, are on.
    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("-1"));
    TickAt(form, QDateTime(QDate(2026, 12, 11), QTime(0, 0, 30)));
    EXPECT_EQ(Started(2).size(), 2);
    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("yes please"));
    TickAt(form, QDateTime(QDate(2026, 12, 12), QTime(0, 0, 30)));
    EXPECT_EQ(Started(3).size(), 3);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Launcher, ABurstOfScreenChangesRedrawsOnceWhileTheCalendarIsOn)
{
    frmMain &form = StartedToday();
    ScreenWatch screens(30);
    QObject::connect(&screens, &ScreenWatch::Changed, &form, &frmMain::OnScreensChanged);
    screens.Notice();
    screens.Notice();
    screens.Notice();
    EXPECT_EQ(Started(1), QStringList{QStringLiteral("calendar")});

    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("0"));
    screens.Notice();
    EXPECT_EQ(Started(2).size(), 1);
}

TEST_F(Launcher, TheWarningDecidesAndLaterStillMovesTheDay)
{
    frmMain &form = StartedToday();
    Option(QStringLiteral("CalendarWarning"), QStringLiteral("1"));
    warningAnswer = false;
    TickAt(form, QDateTime(QDate(2026, 12, 7), QTime(0, 0, 30)));
    TickAt(form, QDateTime(QDate(2026, 12, 7), QTime(0, 1, 30)));
    EXPECT_EQ(warningsShown, 1);
    EXPECT_EQ(form.LastDayHandled(), QDate(2026, 12, 7));
    EXPECT_TRUE(Started(0).isEmpty());

    warningAnswer = true;
    TickAt(form, QDateTime(QDate(2026, 12, 8), QTime(0, 0, 30)));
    EXPECT_EQ(warningsShown, 2);
    EXPECT_EQ(Started(1), QStringList{QStringLiteral("calendar")});
}

TEST_F(Launcher, MenuCaptionsDefaultItemAndRefreshState)
{
    frmMain &form = StartedToday();
    QStringList captions;
    for (QAction *action : quillontest::Find<QMenu>(form, "mnuPopupMenu")->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Open &Scheduler"), QStringLiteral("&Options"),
                                     QStringLiteral("&Use Liturgical Colors"),
                                     QStringLiteral("&Refresh Desktop Calendar"), QStringLiteral("Refresh &Calendars"),
                                     QStringLiteral("C&alendars..."), QStringLiteral("&Help"),
                                     QStringLiteral("-"), QStringLiteral("&Exit")}));
    EXPECT_EQ(quillontest::Find<QMenu>(form, "mnuPopupMenu")->defaultAction(), quillontest::Find<QAction>(form, "mnuScheduler"));
    EXPECT_TRUE(quillontest::Find<QAction>(form, "mnuScheduler")->font().bold());
    EXPECT_FALSE(quillontest::Find<QAction>(form, "mnuOptions")->font().bold());

    // The right click sets "Refresh" from the setting as it is at that moment.
    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("0"));
    tray.handler(TrayMessage::RightButtonUp);
    EXPECT_FALSE(quillontest::Find<QAction>(form, "mnuRefreshCalendar")->isEnabled());
    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    emit quillontest::Find<QMenu>(form, "mnuPopupMenu")->aboutToShow(); // a host that draws the menu itself
    EXPECT_TRUE(quillontest::Find<QAction>(form, "mnuRefreshCalendar")->isEnabled());

    // Middle click shows the mini calendar beside the icon and hides it again; double
    // click opens the scheduler.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    tray.geometry = QRect(screen.right() - 40, screen.bottom() - 24, 24, 24);
    tray.handler(TrayMessage::MiddleButtonUp);
    EXPECT_TRUE(form.MiniCalendar()->isVisible());
    EXPECT_FALSE(form.MiniCalendar()->frameGeometry().intersects(tray.geometry));
    tray.handler(TrayMessage::MiddleButtonUp);
    EXPECT_FALSE(form.MiniCalendar()->isVisible());
    tray.handler(TrayMessage::DoubleClick);
    quillontest::Find<QAction>(form, "mnuOptions")->trigger();
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    QStringList started = Started(3);
    started.sort(); // three processes: they log in any order
    EXPECT_EQ(started, (QStringList{QStringLiteral("calendar"), QStringLiteral("options"),
                                    QStringLiteral("scheduler")}));
}

TEST_F(Launcher, TrayActivationsMapToTheIconMessages)
{
    using basSysTray::MessageFor;
    EXPECT_EQ(MessageFor(QSystemTrayIcon::DoubleClick, true), TrayMessage::DoubleClick);
    // A single click is only the start of a double click where the host sends those.
    EXPECT_EQ(MessageFor(QSystemTrayIcon::Trigger, true), TrayMessage::None);
    EXPECT_EQ(MessageFor(QSystemTrayIcon::Trigger, false), TrayMessage::DoubleClick);
    EXPECT_EQ(MessageFor(QSystemTrayIcon::Context, false), TrayMessage::RightButtonUp);
    EXPECT_EQ(MessageFor(QSystemTrayIcon::MiddleClick, true), TrayMessage::MiddleButtonUp);
}

TEST_F(Launcher, LiturgicalColoursAreWrittenBeforeTheRedrawStarts)
{
    Option(QStringLiteral("CalendarUseLiturgicalColors"), QStringLiteral("1"));
    frmMain &form = StartedToday();
    EXPECT_TRUE(quillontest::Find<QAction>(form, "mnuUseLiturgicalColors")->isChecked());
    env.Set("QUILLON_STUB_SETTINGS", basPlatform::SettingsLocation().toLocal8Bit());
    env.Set("QUILLON_STUB_KEY", "CalendarUseLiturgicalColors");

    quillontest::Find<QAction>(form, "mnuUseLiturgicalColors")->trigger();
    EXPECT_FALSE(quillontest::Find<QAction>(form, "mnuUseLiturgicalColors")->isChecked());
    EXPECT_EQ(Started(1), QStringList{QStringLiteral("calendar | CalendarUseLiturgicalColors=0")});
    quillontest::Find<QAction>(form, "mnuUseLiturgicalColors")->trigger();
    EXPECT_TRUE(quillontest::Find<QAction>(form, "mnuUseLiturgicalColors")->isChecked());
    EXPECT_EQ(Started(2).value(1), QStringLiteral("calendar | CalendarUseLiturgicalColors=1"));

    // A store that cannot be written: reported, and neither the mark nor the wallpaper changes.
    const QString store = basPlatform::SettingsLocation();
    ASSERT_TRUE(QFile::remove(store));
    ASSERT_TRUE(QDir().mkpath(store));
    quillontest::Find<QAction>(form, "mnuUseLiturgicalColors")->trigger();
    EXPECT_TRUE(quillontest::Find<QAction>(form, "mnuUseLiturgicalColors")->isChecked());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("quillon.exe.mnuUseLiturgicalColors_Click")));
    EXPECT_EQ(Started(2).size(), 2);
}

TEST_F(Launcher, ExitAsksOnlyWhileTheCalendarIsShown)
{
    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("0"));
    frmMain &form = NewLauncher();
    form.Form_Load();
    quillontest::Find<QAction>(form, "mnuExit")->trigger();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(quitRequests, 1);
    EXPECT_FALSE(tray.shown);

    // Shown: "No" keeps the wallpaper, "Yes" clears it once.
    Option(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    nextAnswer = basPlatform::MessageResult::No;
    NewLauncher().mnuExit_Click();
    nextAnswer = basPlatform::MessageResult::Yes;
    NewLauncher().mnuExit_Click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].title, QStringLiteral("Exiting Quillon"));
    EXPECT_EQ(messages[1].buttons, basPlatform::MessageButtons::YesNo);
    EXPECT_EQ(messages[1].icon, basPlatform::MessageIcon::Exclamation);
    EXPECT_TRUE(messages[1].text.startsWith(QStringLiteral("Do you want to clear the calendar from the desktop?\r\n\r\n")));
    EXPECT_EQ(quitRequests, 3);
    EXPECT_EQ(Started(1), QStringList{QStringLiteral("calendar -1")});
}

TEST_F(Launcher, AMissingProgramIsReportedAndTheLauncherGoesOn)
{
    QFile::remove(NewLauncher().ProgramFile(QStringLiteral("scheduler")));
    frmMain &form = StartedToday();
    const QString scheduler = QFileInfo(form.ProgramFile(QStringLiteral("scheduler"))).fileName();

    quillontest::Find<QAction>(form, "mnuScheduler")->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Error starting program '") + scheduler
                                    + QStringLiteral("'.\r\nExit code: 53\r\nThe file ")
                                    + form.ProgramFile(QStringLiteral("scheduler")) + QStringLiteral(" does not exist."));
    EXPECT_EQ(messages[0].title, QStringLiteral("Quillon Error"));

    // Still alive: the timer runs and the next action works.
    EXPECT_TRUE(form.Timer1().isActive());
    quillontest::Find<QAction>(form, "mnuRefreshCalendar")->trigger();
    EXPECT_EQ(Started(1), QStringList{QStringLiteral("calendar")});

    // No help pages in the folder: the report names the action and the file.
    quillontest::Find<QAction>(form, "mnuHelp")->trigger();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].text.contains(QStringLiteral("quillon.exe:frmMain.mnuHelp_Click")));
    EXPECT_TRUE(messages[1].text.contains(QStringLiteral("help/index.html")));
    EXPECT_TRUE(openedUrls.isEmpty());

    ASSERT_TRUE(QDir().mkpath(programFolder + QStringLiteral("/help")));
    QFile page(programFolder + QStringLiteral("/help/index.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    quillontest::Find<QAction>(form, "mnuHelp")->trigger();
    ASSERT_EQ(openedUrls.size(), 1);
    EXPECT_EQ(openedUrls[0], QUrl::fromLocalFile(page.fileName()));
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(Launcher, WaitsForATrayThatIsNotThereYet)
{
    tray.available = false;
    frmMain &form = StartedToday();
    EXPECT_FALSE(tray.shown);
    EXPECT_TRUE(form.TrayRetry().isActive());
    EXPECT_TRUE(form.Timer1().isActive());
    tray.available = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return tray.shown; }, 5000));
    EXPECT_FALSE(form.TrayRetry().isActive());
    EXPECT_TRUE(messages.empty());
}
} // namespace

} // namespace quillon
