// The event commands over a real store and day view, with a stand-in for the rest of
// the main window that reloads the shown day from the store as the window does.
#include "EditorTest.h"
#include "SchedulerCommandHost.h"
#include "SchedulerCommands.h"
#include "frmEvent.h"
#include "views/DayView.h"

#include <QComboBox>

namespace quillon {

namespace quillontest {
namespace {

class StandInWindow : public SchedulerCommandHost {
public:
    StandInWindow(basDatabase::EventStore &store, basQuillon::GeneralSettingsRecord &settings)
        : m_store(store), m_settings(settings) {}

    basQuillon::GeneralSettingsRecord &Settings() override { return m_settings; }
    void NoteEventDatesChanged(const QList<QDate> &dates) override { changedDates << dates; }
    DayView &SSDay() override { return dayView; }
    QDate CurrentDate() const override { return currentDate; }
    void AddEventToDayView(const Event &event) override
    {
        if (event.AllDayEvent) {
            allDay << AllDayEntry{event.EventID, event.EventName};
            return;
        }
        const int index = dayView.AddTask(event.StartTime, event.EndTime, event.EventName);
        dayView.SetTaskTag(index, event.EventID);
    }
    void UpdateDayViewCaption(const QString &) override {}
    void UpdateMonthView() override { ++monthUpdates; }
    void SelectCurrentDateInMonthView() override
    {
        dayView.RemoveAllTasks();
        allDay.clear();
        QList<qint64> ids;
        if (!m_store.GetEventsByDate(currentDate, ids))
            return;
        for (qint64 id : ids) {
            basDatabase::EventRecord event;
            if (m_store.GetEventData(id, event))
                AddEventToDayView(EventService::ToDraft(event, {currentDate}));
        }
    }
    QList<AllDayEntry> AllDayEvents() const override { return allDay; }
    void SetToolbarEditEnabled(bool enabled) override { toolEdit = enabled; }
    void SetToolbarDeleteEnabled(bool enabled) override { toolDelete = enabled; }
    void EnableRefreshButton() override { refreshEnabled = true; }

    DayView dayView;
    QDate currentDate{2026, 12, 6};
    QList<AllDayEntry> allDay;
    QList<QList<QDate>> changedDates;
    int monthUpdates = 0;
    bool toolEdit = true;
    bool toolDelete = true;
    bool refreshEnabled = false;

private:
    basDatabase::EventStore &m_store;
    basQuillon::GeneralSettingsRecord &m_settings;
};

class Commands : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        window = std::make_unique<StandInWindow>(store, settings);
        commands = std::make_unique<SchedulerCommands>(events, *window);
        commands->SetEditorRunner([this](frmEvent &editor) {
            ++editorsShown;
            seenStart = editor.EventStartTime();
            seenSubject = editor.EventSubject();
            if (fillEditor)
                fillEditor(editor);
        });
    }

    QStringList TaskTexts() const
    {
        QStringList texts;
        for (int i = 0; i < window->dayView.TaskCount(); ++i)
            texts << window->dayView.TaskText(i);
        return texts;
    }

    std::unique_ptr<StandInWindow> window;
    std::unique_ptr<SchedulerCommands> commands;
    std::function<void(frmEvent &)> fillEditor;
    int editorsShown = 0;
    QTime seenStart;
    QString seenSubject;
};

TEST_F(Commands, NewEventStartsAtTheSlotTheTimeNowOrHalfPastEight)
{
    DayView &dayView = window->dayView;
    // Today (6 December, 6:46 PM) without a slot: the next half hour from now.
    dayView.SetSelectedTimeSlot(-1);
    commands->CreateNewEvent();
    EXPECT_EQ(seenStart, QTime(19, 0));
    window->currentDate = QDate(2026, 12, 9);
    commands->CreateNewEvent();
    EXPECT_EQ(seenStart, QTime(8, 30));
    dayView.SetSelectedTimeSlot(dayView.SlotOfTime(QTime(14, 0)));
    commands->CreateNewEvent();
    EXPECT_EQ(seenStart, QTime(14, 0));
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
    EXPECT_TRUE(window->refreshEnabled);
    EXPECT_EQ(window->changedDates, QList<QList<QDate>>{{QDate(2026, 12, 9)}});

    // Saved on another day: the shown day stays as it is.
    fillEditor = [](frmEvent &editor) {
        editor.SetEventSubject(QStringLiteral("Elsewhere"));
        editor.SetEventDate(QDate(2026, 12, 10));
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
    ASSERT_EQ(window->dayView.TaskCount(), 1);
    fillEditor = [](frmEvent &editor) {
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Edit Event"));
        EXPECT_EQ(editor.EventEndTime(), QTime(20, 30));
        EXPECT_TRUE(editor.EventRecurring());
        EXPECT_EQ(editor.GetEventDates().size(), 2);
        editor.SetEventSubject(QStringLiteral("Choir practice"));
        editor.cmdOK_Click();
    };
    commands->EditEvent(id, 0);
    EXPECT_EQ(seenStart, QTime(19, 0));
    EXPECT_EQ(seenSubject, QStringLiteral("Choir"));
    EXPECT_EQ(TaskTexts(), QStringList{QStringLiteral("Choir practice")});
    EXPECT_EQ(DatesOf(id).size(), 2);

    // An id the store does not know opens nothing.
    const int shown = editorsShown;
    commands->EditEvent(id + 100, 0);
    EXPECT_EQ(editorsShown, shown);
}

TEST_F(Commands, TheReminderListOffersTheUsualTimesAndKeepsAnyOtherNumber)
{
    const qint64 id = Store(QStringLiteral("Dentist"), {QDate(2026, 12, 9)}, QStringLiteral("2:00 PM"), QStringLiteral("3:00 PM"));
    Event fromFile = *events.Load(id);
    fromFile.Reminder = 90; // a calendar file's alarm
    ASSERT_TRUE(events.Save(fromFile));

    QStringList offered;
    fillEditor = [&](frmEvent &editor) {
        offered.clear();
        for (int i = 0; i < quillontest::Find<QComboBox>(editor, "cboReminder")->count(); ++i)
            offered << quillontest::Find<QComboBox>(editor, "cboReminder")->itemText(i);
        EXPECT_EQ(quillontest::Find<QComboBox>(editor, "cboReminder")->currentText(), QStringLiteral("90 minutes"));
        quillontest::Find<QComboBox>(editor, "cboReminder")->setCurrentIndex(quillontest::Find<QComboBox>(editor, "cboReminder")->findText(QStringLiteral("1 day")));
        editor.cmdOK_Click();
    };
    commands->EditEvent(id, 0);
    EXPECT_EQ(offered, (QStringList{QStringLiteral("None"), QStringLiteral("0 minutes"), QStringLiteral("5 minutes"),
                                    QStringLiteral("10 minutes"), QStringLiteral("15 minutes"), QStringLiteral("30 minutes"),
                                    QStringLiteral("1 hour"), QStringLiteral("90 minutes"), QStringLiteral("2 hours"),
                                    QStringLiteral("1 day"), QStringLiteral("1 week")}));
    EXPECT_EQ(events.Load(id)->Reminder, 1440);

    // Reopened it shows the day; None takes the reminder away (not 0, which is at the start).
    fillEditor = [](frmEvent &editor) {
        EXPECT_EQ(quillontest::Find<QComboBox>(editor, "cboReminder")->count(), 10);
        EXPECT_EQ(editor.EventReminder(), 1440);
        quillontest::Find<QComboBox>(editor, "cboReminder")->setCurrentIndex(0);
        editor.cmdOK_Click();
    };
    commands->EditEvent(id, 0);
    EXPECT_EQ(events.Load(id)->Reminder, std::nullopt);
}

// A one-day event asks Yes or No; a repeating one which of its occurrences, from the shown day.
TEST_F(Commands, DeleteAsksAndRemovesWhatWasChosen)
{
    const QList<QDate> days{QDate(2026, 12, 6), QDate(2026, 12, 8), QDate(2027, 1, 3), QDate(2027, 1, 10)};
    const qint64 id = Store(QStringLiteral("Course"), days);
    window->currentDate = QDate(2026, 12, 8);
    window->SelectCurrentDateInMonthView();
    std::optional<EventService::Occurrences> answer;
    QStringList asked;
    commands->SetOccurrenceChooser([&](const QString &text, const QString &title) {
        asked << text + QLatin1Char('|') + title;
        return answer;
    });
    const auto run = [&](std::optional<EventService::Occurrences> which) {
        answer = which;
        commands->DeleteEvent(id, 0);
        return DatesOf(id);
    };
    EXPECT_EQ(run(std::nullopt), days);
    EXPECT_EQ(asked, QStringList{QStringLiteral("Delete event 'Course'?|Delete Event")});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(run(EventService::Occurrences::OnlyThis), QList<QDate>({days[0], days[2], days[3]}));
    EXPECT_EQ(CountOn(days[1]), 0);
    window->currentDate = days[2];
    EXPECT_EQ(run(EventService::Occurrences::ThisAndFollowing), QList<QDate>{days[0]});
    ASSERT_EQ(window->changedDates.size(), 2);
    EXPECT_EQ(window->changedDates[1], QList<QDate>({days[2], days[3]}));

    // One day left: Yes or No, and Yes deletes it.
    nextAnswer = basPlatform::MessageResult::Yes;
    commands->DeleteEvent(id, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].buttons, basPlatform::MessageButtons::YesNo);
    basDatabase::EventRecord gone;
    EXPECT_FALSE(store.GetEventData(id, gone));
    EXPECT_EQ(CountOn(days[0]), 0);
    EXPECT_FALSE(window->toolDelete);
}

TEST_F(Commands, AllDayPositionOutsideTheListIsReportedAndNothingDeleted)
{
    Store(QStringLiteral("Advent"), {QDate(2026, 12, 6)}, {}, {}, true);
    window->SelectCurrentDateInMonthView();
    commands->DeleteAllDayEvent(2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("frmMain:DeleteAllDayEvent")));
    EXPECT_EQ(CountOn(QDate(2026, 12, 6)), 1);
}

TEST_F(Commands, OptionsTakesTheSavedColoursOnlyWhenTheProgramEndsWell)
{
    DayView &dayView = window->dayView;
    commands->SetOptionsProgram(QStringLiteral(QUILLON_TEST_BIN_DIR) + QStringLiteral("/quillon_fake_options"));
    settings.SchedulerBackColor = dayView.BackColor();
    settings.CheckForConflicts = false;
    env.Set("QUILLON_FAKE_BACKCOLOR", "255");
    env.Set("QUILLON_FAKE_EXIT", "0");
    commands->Options();
    EXPECT_EQ(dayView.BackColor(), 255);
    EXPECT_EQ(settings.SchedulerBackColor, 255);
    EXPECT_TRUE(settings.CheckForConflicts) << "the stored setting replaces the one in memory";

    // Cancel (or another copy already open) ends with 1: no reload, and no error either.
    env.Set("QUILLON_FAKE_BACKCOLOR", "65280");
    env.Set("QUILLON_FAKE_EXIT", "1");
    commands->Options();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(dayView.BackColor(), 255);
    EXPECT_EQ(settings.SchedulerBackColor, 255);

    // Only a program that cannot be started is reported.
    commands->SetOptionsProgram(TempPath(QStringLiteral("options")));
    commands->Options();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Error starting program 'options'.")));
    EXPECT_EQ(settings.SchedulerBackColor, 255);
}

} // namespace
} // namespace quillontest

} // namespace quillon
