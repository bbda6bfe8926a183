// The repeat rule's controls, alone and inside the editor: the rule they show and give,
// the days the year view shows for it, and a repeating event through the editor whole.
#include "EditorTest.h"
#include "RepeatRuleEditor.h"
#include "frmEvent.h"
#include "views/YearView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace quillon {

namespace quillontest {
namespace {

using Freq = Recurrence::Frequency;

Recurrence Rule(Freq freq, int interval = 1)
{
    Recurrence rule;
    rule.Freq = freq;
    rule.Interval = interval;
    return rule;
}

class RepeatRule : public QuillonTest {};

TEST_F(RepeatRule, ControlsShowARuleAndGiveItBackWithTheStartsDaysNamed)
{
    const QDate start(2027, 3, 9); // the second Tuesday of March
    struct Row {
        Recurrence shown;
        Recurrence given;
        const char *unit;
    };
    Recurrence weekly = Rule(Freq::Weekly, 2);
    weekly.Weekdays = {Qt::Monday, Qt::Friday};
    weekly.Until = QDate(2027, 6, 30);
    Recurrence onTuesday = Rule(Freq::Weekly);
    onTuesday.Weekdays = {Qt::Tuesday};
    Recurrence monthDay = Rule(Freq::Monthly);
    monthDay.MonthDay = 31;
    monthDay.Count = 5;
    Recurrence ninth = Rule(Freq::Monthly);
    ninth.MonthDay = 9;
    Recurrence lastFriday = Rule(Freq::Monthly, 3);
    lastFriday.WeekOfMonth = -1;
    lastFriday.Weekday = Qt::Friday;
    Recurrence yearly = Rule(Freq::Yearly);
    yearly.Count = 3;
    const Row rows[] = {
        {weekly, weekly, "weeks"},
        {Rule(Freq::Weekly), onTuesday, "week"},
        {monthDay, monthDay, "month"},
        {Rule(Freq::Monthly), ninth, "month"},
        {lastFriday, lastFriday, "months"},
        {yearly, yearly, "year"},
        {Rule(Freq::Daily, 3), Rule(Freq::Daily, 3), "days"},
    };
    RepeatRuleEditor editor;
    editor.SetStart(start);
    for (const Row &row : rows) {
        editor.SetRule(row.shown);
        EXPECT_EQ(editor.Rule(), row.given) << row.shown.ToRRule().toStdString();
        EXPECT_EQ(Find<QLabel>(editor, "lblEveryUnit")->text(), QLatin1String(row.unit));
    }
}

TEST_F(RepeatRule, TheWeekdayBoxesRunFromTheUsersFirstDayAndKeepTheirDays)
{
    RepeatRuleEditor editor;
    editor.SetStart(QDate(2027, 3, 9));
    editor.SetFirstDayOfWeek(Qt::Monday);
    editor.resize(900, 200);
    editor.show();
    Recurrence weekly = Rule(Freq::Weekly);
    weekly.Weekdays = {Qt::Monday, Qt::Sunday};
    editor.SetRule(weekly);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    // Left to right as shown: Monday first, Sunday last, each box still its own day.
    auto x = [&](int day) { return Find<QCheckBox>(editor, ("chkRepeatDay" + std::to_string(day)).c_str())->x(); };
    for (int day = Qt::Monday; day < Qt::Sunday; ++day)
        EXPECT_LT(x(day), x(day + 1)) << day;
    EXPECT_EQ(editor.Rule(), weekly);
}

TEST_F(RepeatRule, TheDaysNamedFollowTheStartUntilTheUserChoosesOthers)
{
    RepeatRuleEditor editor;
    editor.SetStart(QDate(2027, 3, 9));
    editor.SetRule(Rule(Freq::Weekly));
    editor.SetStart(QDate(2027, 3, 11));
    EXPECT_EQ(editor.Rule().Weekdays, QList<int>{Qt::Thursday});
    Find<QCheckBox>(editor, "chkRepeatDay1")->click();
    editor.SetStart(QDate(2027, 3, 12));
    EXPECT_EQ(editor.Rule().Weekdays, (QList<int>{Qt::Monday, Qt::Thursday}));

    QComboBox *repeats = Find<QComboBox>(editor, "cboRepeats");
    repeats->setCurrentIndex(repeats->findText(QStringLiteral("Monthly")));
    Find<QRadioButton>(editor, "optMonthWeekday")->click();
    EXPECT_EQ(editor.Rule().WeekOfMonth, 2);
    EXPECT_EQ(editor.Rule().Weekday, Qt::Friday);
    editor.SetStart(QDate(2027, 3, 30)); // in the month's last week
    EXPECT_EQ(editor.Rule().WeekOfMonth, -1);
    EXPECT_EQ(editor.Rule().Weekday, Qt::Tuesday);

    // The end cannot come before the start.
    Find<QRadioButton>(editor, "optEndOn")->click();
    Find<QDateEdit>(editor, "dtEndDate")->setDate(QDate(2027, 1, 1));
    EXPECT_EQ(editor.Rule().Until, QDate(2027, 3, 30));
}

class RepeatingEvent : public EditorTest {
protected:
    // Clicks the day where the editor's year view draws it.
    void ClickDay(frmEvent &editor, const QDate &date)
    {
        YearView *view = Find<YearView>(editor, "SSYear1");
        const QPoint point = view->DateRect(date).center();
        QWidget *target = view->childAt(point);
        ASSERT_NE(target, nullptr) << date.toString(Qt::ISODate).toStdString();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(view, point));
    }
};

TEST_F(RepeatingEvent, RepeatShowsTheRulesDaysAndSavesThemLessThoseTickedOff)
{
    const QDate start(2027, 1, 5); // a Tuesday
    auto editor = NewEventEditor(start, QTime(10, 0));
    editor->SetEventSubject(QStringLiteral("Standup"));
    editor->show();
    Find<QTabWidget>(*editor, "SSTab1")->setCurrentIndex(1);
    Find<QRadioButton>(*editor, "optRepeat")->click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    Find<QRadioButton>(*editor, "optEndAfter")->click();
    Find<QSpinBox>(*editor, "spnEndCount")->setValue(4);
    const QList<QDate> ruleDays{start, QDate(2027, 1, 12), QDate(2027, 1, 19), QDate(2027, 1, 26)};
    EXPECT_EQ(editor->GetEventDates(), ruleDays);
    EXPECT_EQ(Find<YearView>(*editor, "SSYear1")->SelectedCount(), 4);

    // One day off, another on; a change of the rule keeps both.
    ClickDay(*editor, QDate(2027, 1, 12));
    ClickDay(*editor, QDate(2027, 1, 13));
    const QList<QDate> kept{start, QDate(2027, 1, 13), QDate(2027, 1, 19), QDate(2027, 1, 26)};
    EXPECT_EQ(editor->GetEventDates(), kept);
    Find<QSpinBox>(*editor, "spnEndCount")->setValue(5);
    EXPECT_EQ(editor->GetEventDates(), kept + QList<QDate>{QDate(2027, 2, 2)});
    Find<QSpinBox>(*editor, "spnEndCount")->setValue(4);

    Recurrence rule = Rule(Freq::Weekly);
    rule.Weekdays = {Qt::Tuesday};
    rule.Count = 4;
    const Event draft = editor->Draft();
    EXPECT_EQ(draft.Rule, rule);
    EXPECT_EQ(draft.RuleStart, start);
    EXPECT_FALSE(draft.Recurring);
    EXPECT_EQ(draft.Dates, kept);

    editor->cmdOK_Click();
    ASSERT_TRUE(editor->OkPressed());
    EXPECT_TRUE(messages.empty()) << "OK asks nothing";
    EXPECT_EQ(DatesOf(editor->EventID()), kept);

    // Reopened on the 19th and renamed, the user says for that day only: the series keeps
    // its name and its other days, the day is an event of its own.
    const qint64 series = editor->EventID();
    auto one = NewEditor();
    one->SetDraft(*events.Load(series), QDate(2027, 1, 19));
    one->SetEventSubject(QStringLiteral("Standup, moved"));
    QStringList asked;
    one->SetOccurrenceChooser([&](const QString &text, const QString &title) {
        asked << title + QLatin1Char(':') + text;
        return std::optional(EventService::Occurrences::OnlyThis);
    });
    one->cmdOK_Click();
    ASSERT_TRUE(one->OkPressed());
    EXPECT_EQ(asked, QStringList{QStringLiteral("Change Event:Change event 'Standup, moved'?")});
    EXPECT_EQ(DatesOf(series), (QList<QDate>{start, QDate(2027, 1, 13), QDate(2027, 1, 26)}));
    EXPECT_EQ(DatesOf(one->EventID()), QList<QDate>{QDate(2027, 1, 19)});
    EXPECT_EQ(Read(one->EventID()).EventName, QStringLiteral("Standup, moved"));
    EXPECT_EQ(Read(series).EventName, QStringLiteral("Standup"));

    // Without an end the days run five years on.
    auto open = NewEventEditor(start, QTime(10, 0));
    open->SetEventRule(Rule(Freq::Weekly));
    const QList<QDate> days = open->GetEventDates();
    EXPECT_EQ(days.size(), 261);
    EXPECT_LE(days.last(), start.addYears(5));
}

TEST_F(RepeatingEvent, AnEventWithARuleOpensOnRepeatAndComesBackWhole)
{
    Event event;
    event.EventID = Store(QStringLiteral("Council"), {QDate(2027, 1, 12)});
    event.EventName = QStringLiteral("Council");
    event.Location = QStringLiteral("Town hall, room 4");
    event.StartTime = QTime(19, 0);
    event.EndTime = QTime(21, 0);
    Recurrence rule = Rule(Freq::Monthly);
    rule.WeekOfMonth = 2;
    rule.Weekday = Qt::Tuesday;
    rule.Count = 6;
    event.Rule = rule;
    event.RuleStart = QDate(2027, 1, 12);
    // March's meeting is off; one in February is extra.
    event.Dates = {QDate(2027, 1, 12), QDate(2027, 2, 9), QDate(2027, 2, 20), QDate(2027, 4, 13),
                   QDate(2027, 5, 11), QDate(2027, 6, 8)};
    event.Component = QByteArrayLiteral("BEGIN:VCALENDAR\r\nX-KEPT:yes\r\nEND:VCALENDAR\r\n");

    auto editor = NewEditor();
    editor->SetDraft(event, QDate(2027, 4, 13));
    EXPECT_TRUE(Find<QRadioButton>(*editor, "optRepeat")->isChecked());
    EXPECT_EQ(Find<QComboBox>(*editor, "cboRepeats")->currentText(), QStringLiteral("Monthly"));
    EXPECT_TRUE(Find<QRadioButton>(*editor, "optMonthWeekday")->isChecked());
    EXPECT_EQ(Find<QComboBox>(*editor, "cboWeekOfMonth")->currentText(), QStringLiteral("Second"));
    EXPECT_EQ(Find<QSpinBox>(*editor, "spnEndCount")->value(), 6);
    EXPECT_EQ(editor->EventDate(), event.RuleStart);
    EXPECT_FALSE(Find<YearView>(*editor, "SSYear1")->IsSelected(QDate(2027, 3, 9)));
    EXPECT_EQ(editor->EventLocation(), event.Location);
    EXPECT_EQ(editor->Draft(), event);
}

} // namespace
} // namespace quillontest

} // namespace quillon
