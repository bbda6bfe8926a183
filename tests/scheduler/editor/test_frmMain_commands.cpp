// The event commands as the main window runs them: its Edit menu, its keys and its
// views, over a real store.
#include "QuillonTestEnvironment.h"
#include "SchedulerCommands.h"
#include "SchedulerFixture.h"
#include "SubscriptionStore.h"
#include "frmEvent.h"
#include "views/DayView.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QMenu>
#include <QTest>

namespace quillon {

namespace schedulertest {
namespace {

const QDate kToday(2026, 12, 7);

class MainWindowCommands : public SchedulerTest {
protected:
    // The editor, when opened, is noted and then filled in by fillEditor (if any).
    void WatchEditor()
    {
        window->EventCommands().SetEditorRunner([this](frmEvent &editor) {
            opened << editor.windowTitle() + QLatin1Char(':') + editor.EventSubject();
            if (fillEditor)
                fillEditor(editor);
        });
    }

    QStringList opened;
    std::function<void(frmEvent &)> fillEditor;
};

TEST_F(MainWindowCommands, SecondOfThreeAllDayEventsGoesFromTheEditMenu)
{
    const qint64 advent = AddEvent(QStringLiteral("Advent fast"), {kToday});
    const qint64 fair = AddEvent(QStringLiteral("Fish & chips fair"), {kToday});
    const qint64 visit = AddEvent(QStringLiteral("Visit"), {kToday});
    Load();
    window->mnuEdit_Click();
    const QList<QAction *> items = quillontest::Find<QMenu>(*window, "mnuEditDeleteAllDayEvent")->actions();
    ASSERT_EQ(items.size(), 3);
    nextAnswer = basPlatform::MessageResult::Yes;
    items[1]->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Delete all day event 'Fish & chips fair'?"));
    basDatabase::EventRecord event;
    EXPECT_TRUE(store->GetEventData(advent, event));
    EXPECT_TRUE(store->GetEventData(visit, event));
    messages.clear();
    EXPECT_FALSE(store->GetEventData(fair, event));
    ASSERT_EQ(window->Page().AllDayEvents().size(), 2);
    EXPECT_EQ(window->Page().AllDayEvents()[1].EventName, QStringLiteral("Visit"));
    EXPECT_TRUE(window->Page().CalendarRefreshNeeded());
}

// A subscribed calendar's events are the server's: shown, never changed or deleted here.
TEST_F(MainWindowCommands, ASubscribedEventOpensReadOnlyAndCannotBeDeleted)
{
    const qint64 standup = AddEvent(QStringLiteral("Standup"), {kToday}, QStringLiteral("9:00 AM"), QStringLiteral("9:30 AM"));
    const qint64 holiday = AddEvent(QStringLiteral("Holiday"), {kToday});
    const qint64 own = AddEvent(QStringLiteral("Own"), {kToday});
    basDatabase::Subscription team;
    team.Address = QStringLiteral("https://example.invalid/team.ics");
    team.DisplayName = QStringLiteral("Team");
    basDatabase::EventStore writer;
    ASSERT_TRUE(writer.OpenDatabaseConnection());
    ASSERT_TRUE(basDatabase::SubscriptionStore(writer).AddSubscription(team));
    for (const qint64 id : {standup, holiday})
        Sql(QStringLiteral("UPDATE Events SET SubscriptionId = ? WHERE EventID = ?"), {team.Id, id});
    Load();
    bool readOnly = false;
    QString from;
    fillEditor = [&](frmEvent &editor) {
        readOnly = !quillontest::Find<QTabWidget>(editor, "SSTab1")->widget(0)->isEnabled() && !quillontest::Find<QPushButton>(editor, "cmdOK")->isVisibleTo(&editor);
        from = quillontest::Find<QLabel>(editor, "lblFrom")->text();
        editor.cmdOK_Click();
    };
    WatchEditor();
    DayView *dayView = window->SSDay();
    ASSERT_EQ(dayView->TaskCount(), 1);
    dayView->SetSelectedTask(0);
    emit dayView->Click();
    EXPECT_FALSE(quillontest::Find<QAction>(*window, "Toolbar_Delete")->isEnabled());
    EXPECT_TRUE(quillontest::Find<QAction>(*window, "Toolbar_Edit")->isEnabled());
    window->mnuEdit_Click();
    EXPECT_FALSE(quillontest::Find<QAction>(*window, "mnuEditDeleteEvent")->isEnabled());
    const QList<QAction *> items = quillontest::Find<QMenu>(*window, "mnuEditDeleteAllDayEvent")->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_FALSE(items[0]->isEnabled());
    EXPECT_TRUE(items[1]->isEnabled());

    window->EditEvent(standup, 0);
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(from, QStringLiteral("From Team"));
    // Asked anyway (a key, a stale menu): nothing is deleted, nothing asked.
    nextAnswer = basPlatform::MessageResult::Yes;
    window->DeleteEvent(standup, 0);
    window->DeleteAllDayEvent(1);
    EXPECT_TRUE(messages.empty());
    basDatabase::EventRecord event;
    EXPECT_TRUE(store->GetEventData(standup, event));
    EXPECT_TRUE(store->GetEventData(holiday, event));
    EXPECT_TRUE(store->GetEventData(own, event));
}

TEST_F(MainWindowCommands, KeysOpenDeleteAndCreateEvents)
{
    const qint64 id = AddEvent(QStringLiteral("Staff meeting"), {kToday, kToday.addDays(7)}, QStringLiteral("10:00 AM"),
                               QStringLiteral("11:00 AM"), QStringLiteral("Teal"), 107);
    Load();
    WatchEditor();
    DayView *dayView = window->SSDay();
    ASSERT_EQ(dayView->TaskCount(), 1);
    EXPECT_FALSE(dayView->TaskPicture(0).isNull()) << "the event's icon shows in the day view";
    window->activateWindow();
    dayView->setFocus();
    dayView->SetSelectedTask(0);

    QTest::keyClick(dayView, Qt::Key_Return);
    EXPECT_EQ(opened, QStringList{QStringLiteral("Edit Event:Staff meeting")});

    QTest::keyClick(dayView, Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1], QStringLiteral("New Event:"));

    // It repeats: which of its occurrences is asked.
    QStringList asked;
    window->EventCommands().SetOccurrenceChooser([&asked](const QString &text, const QString &) {
        asked << text;
        return std::optional(EventService::Occurrences::All);
    });
    dayView->SetSelectedTask(0);
    QTest::keyClick(dayView, Qt::Key_Delete);
    EXPECT_EQ(asked, QStringList{QStringLiteral("Delete event 'Staff meeting'?")});
    QList<QDate> dates;
    store->GetAllDatesForEvent(id, dates);
    EXPECT_TRUE(dates.isEmpty());
    EXPECT_EQ(dayView->TaskCount(), 0);
}

TEST_F(MainWindowCommands, NewEventSavedOnTheShownDayAppearsWithItsColour)
{
    Load();
    WatchEditor();
    fillEditor = [](frmEvent &editor) {
        editor.SetEventSubject(QStringLiteral("Dentist"));
        editor.SetEventColor(QStringLiteral("Red"));
        editor.SetEventIconIndex(121);
        editor.cmdOK_Click();
    };
    window->SSDay()->SetSelectedTimeSlot(window->SSDay()->SlotOfTime(QTime(15, 0)));
    window->CreateNewEvent();
    ASSERT_EQ(window->SSDay()->TaskCount(), 1);
    EXPECT_EQ(window->SSDay()->TaskText(0), QStringLiteral("Dentist"));
    EXPECT_TRUE(window->Page().CalendarRefreshNeeded());
    EXPECT_TRUE(quillontest::Find<QAction>(*window, "Toolbar_Refresh")->isEnabled() ==
                (window->Settings().DisplayCalendarOnDesktop >= 1));
    QList<qint64> ids;
    ASSERT_TRUE(store->GetEventsByDate(kToday, ids));
    ASSERT_EQ(ids.size(), 1);
    basDatabase::EventRecord event;
    ASSERT_TRUE(store->GetEventData(ids[0], event));
    EXPECT_EQ(event.StartTime, QTime(15, 0));
    EXPECT_EQ(event.EndTime, QTime(16, 0));
    EXPECT_EQ(event.EventIcon, 121);
}

} // namespace
} // namespace schedulertest

} // namespace quillon
