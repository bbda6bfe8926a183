// The event commands as the main window runs them: its Edit menu, its keys and its
// views, over a real store.
#include "SchedulerCommands.h"
#include "SchedulerFixture.h"
#include "frmEvent.h"
#include "views/DayView.h"

#include <QAction>
#include <QMenu>
#include <QTest>

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
    const QList<QAction *> items = window->mnuEditDeleteAllDayEvent()->actions();
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
    ASSERT_EQ(window->AllDayEvents().size(), 2);
    EXPECT_EQ(window->AllDayEvents()[1].EventName, QStringLiteral("Visit"));
    EXPECT_TRUE(window->CalendarRefreshNeeded());
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

    nextAnswer = basPlatform::MessageResult::Yes;
    dayView->SetSelectedTask(0);
    QTest::keyClick(dayView, Qt::Key_Delete);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Delete event 'Staff meeting'?"));
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
        editor.SetEventIconIndex(QStringLiteral("121"));
        editor.cmdOK_Click();
    };
    window->SSDay()->SetSelectedTimeSlot(window->SSDay()->SlotOfTime(QStringLiteral("3:00 PM")));
    window->CreateNewEvent();
    ASSERT_EQ(window->SSDay()->TaskCount(), 1);
    EXPECT_EQ(window->SSDay()->TaskText(0), QStringLiteral("Dentist"));
    EXPECT_TRUE(window->CalendarRefreshNeeded());
    EXPECT_TRUE(window->ToolbarButton(QStringLiteral("Refresh"))->isEnabled() ==
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
