// The main window's commands over a real store and day view, with a stand-in for the
// rest of the window that reloads the shown day from the store as the window does.
#include "EditorTest.h"
#include "SchedulerCommandHost.h"
#include "SchedulerCommands.h"
#include "basDateText.h"
#include "basTimeText.h"
#include "frmEvent.h"
#include "views/DayView.h"

#include <QAction>
#include <QMenu>

namespace quillontest {
namespace {

class StandInWindow : public SchedulerCommandHost {
public:
    StandInWindow(basDatabase::EventStore &store, DayView &dayView) : m_store(store), m_dayView(dayView) {}

    QString CurrentDate() const override { return currentDate; }
    void AddEventToDayView(const basDatabase::EventRecord &event) override
    {
        if (event.AllDayEvent) {
            allDay << QStringLiteral("%1|%2").arg(event.EventID).arg(event.EventName);
            return;
        }
        const int index = m_dayView.AddTask(basTimeText::FormatTimeText(event.StartTime),
                                            basTimeText::FormatTimeText(event.EndTime), event.EventName);
        m_dayView.SetTaskTagVariant(index, QString::number(event.EventID));
    }
    void UpdateDayViewCaption(const QString &) override { ++captionUpdates; }
    void UpdateMonthView() override { ++monthUpdates; }
    void SelectCurrentDateInMonthView() override
    {
        m_dayView.RemoveAllTasks();
        allDay.clear();
        QList<qint64> ids;
        if (!m_store.GetEventsByDate(basDateText::ParseDateText(currentDate), ids))
            return;
        for (qint64 id : ids) {
            basDatabase::EventRecord event;
            if (m_store.GetEventData(id, event))
                AddEventToDayView(event);
        }
    }
    QStringList AllDayEvents() const override { return allDay; }
    void RemoveAllDayEvent(const QString &eventId) override
    {
        allDay.removeIf([&](const QString &entry) { return entry.section(QLatin1Char('|'), 0, 0) == eventId; });
    }

    QString currentDate = QStringLiteral("12/06/2026");
    QStringList allDay;
    int monthUpdates = 0;
    int captionUpdates = 0;

private:
    basDatabase::EventStore &m_store;
    DayView &m_dayView;
};

class Commands : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        window = std::make_unique<StandInWindow>(store, dayView);
        commands = std::make_unique<SchedulerCommands>(store, dayView, *window, settings, calendarRefreshNeeded);
        actions.toolEdit = &toolEdit;
        actions.toolDelete = &toolDelete;
        actions.toolRefresh = &toolRefresh;
        actions.editEditEvent = &editEdit;
        actions.editDeleteEvent = &editDelete;
        actions.editDeleteAllDayEvent = &allDayMenu;
        actions.popup = &popup;
        actions.popupNewEvent = &popupNew;
        actions.popupEditEvent = &popupEdit;
        actions.popupDeleteEvent = &popupDelete;
        commands->SetActions(actions);
        toolRefresh.setEnabled(false);
        commands->SetEditorRunner([this](frmEvent &editor) {
            ++editorsShown;
            seenStart = editor.EventStartTime();
            seenSubject = editor.EventSubject();
            if (fillEditor)
                fillEditor(editor);
        });
        commands->SetPopupRunner([this](QMenu &, QPoint) { ++popupsShown; });
    }

    QStringList TaskTexts() const
    {
        QStringList texts;
        for (int i = 0; i < dayView.TaskCount(); ++i)
            texts << dayView.TaskText(i);
        return texts;
    }

    DayView dayView;
    std::unique_ptr<StandInWindow> window;
    std::unique_ptr<SchedulerCommands> commands;
    SchedulerActions actions;
    QAction toolEdit, toolDelete, toolRefresh, editEdit, editDelete, popupNew, popupEdit, popupDelete;
    QMenu allDayMenu, popup;
    std::function<void(frmEvent &)> fillEditor;
    int editorsShown = 0;
    int popupsShown = 0;
    QString seenStart;
    QString seenSubject;
};

TEST_F(Commands, NewEventStartsAtTheSlotTheTimeNowOrHalfPastEight)
{
    // Today (6 December, 6:46 PM) without a slot: the next half hour from now.
    dayView.SetSelectedTimeSlot(-1);
    commands->CreateNewEvent();
    EXPECT_EQ(seenStart, QStringLiteral("7:00 PM"));
    window->currentDate = QStringLiteral("12/09/2026");
    commands->CreateNewEvent();
    EXPECT_EQ(seenStart, QStringLiteral("8:30 AM"));
    dayView.SetSelectedTimeSlot(dayView.SlotOfTime(QStringLiteral("2:00 PM")));
    commands->CreateNewEvent();
    EXPECT_EQ(seenStart, QStringLiteral("2:00 PM"));
    EXPECT_EQ(editorsShown, 3);
    EXPECT_EQ(window->monthUpdates, 0) << "cancelled editors change nothing";

    // Saved on the shown day: it shows; the Refresh button comes on.
    fillEditor = [](frmEvent &editor) {
        editor.SetEventSubject(QStringLiteral("Lunch"));
        editor.cmdOK_Click();
    };
    commands->CreateNewEvent();
    EXPECT_EQ(TaskTexts(), QStringList{QStringLiteral("Lunch")});
    EXPECT_EQ(window->monthUpdates, 1);
    EXPECT_TRUE(toolRefresh.isEnabled());

    // Saved on another day: the shown day stays as it is.
    fillEditor = [](frmEvent &editor) {
        editor.SetEventSubject(QStringLiteral("Elsewhere"));
        editor.SetEventDate(QStringLiteral("12/10/2026"));
        editor.cmdOK_Click();
    };
    commands->CreateNewEvent();
    EXPECT_EQ(TaskTexts(), QStringList{QStringLiteral("Lunch")});
    EXPECT_EQ(CountOn(QDate(2026, 12, 10)), 1);
    EXPECT_EQ(window->monthUpdates, 2);
}

TEST_F(Commands, EditOpensTheStoredEventAndShowsTheChange)
{
    const qint64 id = Store(QStringLiteral("Choir"), {QDate(2026, 12, 6), QDate(2026, 12, 13)},
                            QStringLiteral("7:00 PM"), QStringLiteral("8:30 PM"));
    window->SelectCurrentDateInMonthView();
    ASSERT_EQ(dayView.TaskCount(), 1);
    dayView.SetSelectedTask(0);
    fillEditor = [](frmEvent &editor) {
        EXPECT_EQ(editor.EventEndTime(), QStringLiteral("8:30 PM"));
        EXPECT_TRUE(editor.EventRecurring());
        EXPECT_EQ(editor.GetEventDates().size(), 2);
        editor.SetEventSubject(QStringLiteral("Choir practice"));
        editor.cmdOK_Click();
    };
    commands->EditSelectedEvent("frmMain.mnuEditEditEvent_Click");
    EXPECT_EQ(seenStart, QStringLiteral("7:00 PM"));
    EXPECT_EQ(seenSubject, QStringLiteral("Choir"));
    EXPECT_EQ(TaskTexts(), QStringList{QStringLiteral("Choir practice")});
    EXPECT_EQ(DatesOf(id).size(), 2);
    EXPECT_TRUE(calendarRefreshNeeded);
}

TEST_F(Commands, NothingSelectedMeansEditAndDeleteDoNothing)
{
    Store(QStringLiteral("Choir"), {QDate(2026, 12, 6)});
    window->SelectCurrentDateInMonthView();
    dayView.SetSelectedTask(-1);
    commands->EditSelectedEvent("frmMain.mnuEditEditEvent_Click");
    commands->DeleteSelectedEvent("frmMain.mnuEditDeleteEvent_Click");
    EXPECT_EQ(editorsShown, 0);
    EXPECT_TRUE(messages.empty());
    commands->PrepareEditMenu();
    EXPECT_FALSE(editEdit.isEnabled());
    EXPECT_FALSE(editDelete.isEnabled());
    EXPECT_FALSE(allDayMenu.menuAction()->isEnabled());
}

TEST_F(Commands, DeleteRemovesEveryOccurrenceAfterAYes)
{
    const QList<QDate> days{QDate(2026, 12, 6), QDate(2026, 12, 8), QDate(2027, 1, 3)};
    const qint64 id = Store(QStringLiteral("Course"), days);
    window->SelectCurrentDateInMonthView();
    dayView.SetSelectedTask(0);

    nextAnswer = basPlatform::MessageResult::No;
    commands->DeleteSelectedEvent("frmMain.mnuEditDeleteEvent_Click");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Delete event 'Course'?"));
    EXPECT_EQ(messages[0].title, QStringLiteral("Delete Event"));
    EXPECT_EQ(messages[0].buttons, basPlatform::MessageButtons::YesNo);
    EXPECT_EQ(DatesOf(id).size(), 3);

    nextAnswer = basPlatform::MessageResult::Yes;
    commands->DeleteSelectedEvent("frmMain.mnuEditDeleteEvent_Click");
    basDatabase::EventRecord gone;
    EXPECT_FALSE(store.GetEventData(id, gone));
    for (const QDate &day : days)
        EXPECT_EQ(CountOn(day), 0) << day.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(dayView.TaskCount(), 0);
    EXPECT_FALSE(toolEdit.isEnabled());
    EXPECT_FALSE(toolDelete.isEnabled());
    EXPECT_TRUE(calendarRefreshNeeded);
}

TEST_F(Commands, AllDaySubmenuListsTheDaysEventsAndDeletesTheChosenOne)
{
    const QDate today(2026, 12, 6);
    const qint64 first = Store(QStringLiteral("Advent"), {today}, {}, {}, true);
    const qint64 second = Store(QStringLiteral("Fish & chips"), {today}, {}, {}, true);
    const qint64 third = Store(QStringLiteral("St Nicholas | eve"), {today}, {}, {}, true);
    window->SelectCurrentDateInMonthView();
    commands->PrepareEditMenu();
    EXPECT_TRUE(allDayMenu.menuAction()->isEnabled());
    const QList<QAction *> items = allDayMenu.actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[1]->text(), QStringLiteral("Fish && chips"));
    EXPECT_EQ(items[2]->text(), QStringLiteral("St Nicholas | eve"));

    nextAnswer = basPlatform::MessageResult::Yes;
    items[1]->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Delete all day event 'Fish & chips'?"));
    EXPECT_EQ(messages[0].title, QStringLiteral("Delete All Day Event"));
    basDatabase::EventRecord event;
    EXPECT_TRUE(store.GetEventData(first, event));
    EXPECT_FALSE(store.GetEventData(second, event));
    EXPECT_TRUE(store.GetEventData(third, event));
    EXPECT_EQ(CountOn(today), 2);
    EXPECT_EQ(window->allDay.size(), 2);

    // The menu is rebuilt from scratch the next time it opens.
    commands->PrepareEditMenu();
    EXPECT_EQ(allDayMenu.actions().size(), 2);
}

TEST_F(Commands, DoubleClickAndRightClickOnTheDayView)
{
    dayView.resize(400, 600);
    commands->SSDay_DblClick();
    EXPECT_EQ(editorsShown, 1) << "no task selected: a new event";

    Store(QStringLiteral("Choir"), {QDate(2026, 12, 6)}, QStringLiteral("10:00 AM"), QStringLiteral("11:00 AM"));
    window->SelectCurrentDateInMonthView();
    dayView.ScrollToSlot(dayView.SlotOfTime(QStringLiteral("9:00 AM")));
    const QRect task = dayView.TaskRect(0);
    commands->SSDay_MouseUp(DayView::kRightButton, 0, task.center().x(), task.center().y());
    EXPECT_EQ(dayView.SelectedTask(), 0);
    EXPECT_FALSE(popupNew.isEnabled());
    EXPECT_TRUE(popupEdit.isEnabled());
    EXPECT_EQ(popupsShown, 1);

    const QRect slot = dayView.SlotRect(dayView.SlotOfTime(QStringLiteral("2:00 PM")));
    commands->SSDay_MouseUp(DayView::kRightButton, 0, slot.center().x(), slot.center().y());
    EXPECT_TRUE(popupNew.isEnabled());
    EXPECT_FALSE(popupDelete.isEnabled());
    EXPECT_EQ(dayView.TimeOfSlot(dayView.SelectedTimeSlot()), QStringLiteral("2:00 PM"));
    commands->SSDay_MouseUp(DayView::kLeftButton, 0, slot.center().x(), slot.center().y());
    EXPECT_EQ(popupsShown, 2) << "only the right button opens the menu";

    dayView.SetSelectedTask(0);
    commands->SSDay_DblClick();
    EXPECT_EQ(seenSubject, QStringLiteral("Choir"));
    EXPECT_TRUE(toolEdit.isEnabled());
}

TEST_F(Commands, RefreshStartsTheCalendarAndOptionsReloadsTheColours)
{
    const QString bin = QStringLiteral(QUILLON_TEST_BIN_DIR);
    commands->SetProgramPaths(bin + QStringLiteral("/quillon_fake_options"), bin + QStringLiteral("/missing_calendar"));
    calendarRefreshNeeded = true;
    toolRefresh.setEnabled(true);
    commands->Refresh();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Error starting program 'calendar.exe'.")));
    EXPECT_TRUE(calendarRefreshNeeded) << "a renderer that did not start drew nothing";

    commands->SetProgramPaths(bin + QStringLiteral("/quillon_fake_options"), bin + QStringLiteral("/quillon_fake_options"));
    commands->Refresh();
    EXPECT_FALSE(calendarRefreshNeeded);
    EXPECT_FALSE(toolRefresh.isEnabled());
    settings.DisplayCalendarOnDesktop = 0;
    commands->EnableRefreshButton();
    EXPECT_FALSE(toolRefresh.isEnabled());

    // Options ends with 0 after saving a new background: the day view takes it.
    settings.SchedulerBackColor = dayView.BackColor();
    env.Set("QUILLON_FAKE_BACKCOLOR", "255");
    env.Set("QUILLON_FAKE_EXIT", "0");
    commands->Options();
    EXPECT_EQ(dayView.BackColor(), 255);
    EXPECT_EQ(settings.SchedulerBackColor, 255);

    // A failing options program changes nothing and says so.
    env.Set("QUILLON_FAKE_BACKCOLOR", "65280");
    env.Set("QUILLON_FAKE_EXIT", "3");
    messages.clear();
    commands->Options();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Error starting program 'options.exe'.")));
    EXPECT_EQ(dayView.BackColor(), 255);
}

} // namespace
} // namespace quillontest
