// The conflict check on OK and its dialog: which events conflict, the lines listed,
// and what Accept, Reschedule and "Do not check" do to the save and the setting.
#include "EditorTest.h"
#include "basTimeText.h"
#include "frmConflict.h"
#include "frmEvent.h"
#include "views/YearView.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QListWidget>
#include <QPushButton>

namespace quillon {

namespace quillontest {
namespace {

const QDate kDay(2027, 1, 5);

class ConflictCheck : public EditorTest {
protected:
    // A new event on kDay; the dialog, when shown, records its lines and answers.
    std::unique_ptr<frmEvent> Editor(const QString &start, const QString &end)
    {
        auto editor = NewEventEditor(kDay, basTimeText::ParseTimeText(start));
        editor->SetEventSubject(QStringLiteral("New"));
        editor->SetEventEndTime(basTimeText::ParseTimeText(end));
        editor->SetConflictDialogRunner([this](frmConflict &dialog) {
            dialog.Form_Load();
            ++shown;
            lines.clear();
            for (int i = 0; i < quillontest::Find<QListWidget>(dialog, "lstConflicts")->count(); ++i)
                lines << quillontest::Find<QListWidget>(dialog, "lstConflicts")->item(i)->text();
            if (tickDoNotCheck)
                quillontest::Find<QCheckBox>(dialog, "chkDisableChecking")->click();
            if (accept)
                quillontest::Find<QPushButton>(dialog, "cmdAccept")->click();
            else
                quillontest::Find<QPushButton>(dialog, "cmdReschedule")->click();
        });
        return editor;
    }

    int shown = 0;
    QStringList lines;
    bool accept = true;
    bool tickDoNotCheck = false;
};

TEST_F(ConflictCheck, EveryOverlapCaseAgainstOneExistingEvent)
{
    Store(QStringLiteral("Existing"), {kDay}, QStringLiteral("9:00 AM"), QStringLiteral("10:00 AM"));
    struct Case {
        const char *start;
        const char *end;
        bool conflict;
    };
    const Case cases[] = {
        {"9:30 AM", "11:00 AM", true}, {"8:00 AM", "9:30 AM", true},   {"10:00 AM", "11:00 AM", false},
        {"8:00 AM", "9:00 AM", false}, {"8:00 AM", "11:00 AM", true},  {"9:00 AM", "9:00 AM", true},
    };
    accept = false;
    for (const Case &c : cases) {
        shown = 0;
        auto editor = Editor(QString::fromLatin1(c.start), QString::fromLatin1(c.end));
        bool reschedule = false;
        editor->CheckForConflicts(reschedule);
        EXPECT_EQ(shown, c.conflict ? 1 : 0) << c.start << " - " << c.end;
        EXPECT_EQ(reschedule, c.conflict) << c.start << " - " << c.end;
    }
    EXPECT_EQ(lines, QStringList{QStringLiteral("5-Jan-2027  9:00 AM - 10:00 AM  Existing")});

    // Reschedule on OK: nothing saved, the window stays open.
    auto editor = Editor(QStringLiteral("9:30 AM"), QStringLiteral("10:30 AM"));
    editor->cmdOK_Click();
    EXPECT_FALSE(editor->OkPressed());
    EXPECT_EQ(CountOn(kDay), 1);
    EXPECT_TRUE(settings.CheckForConflicts);
}

TEST_F(ConflictCheck, AllDayEventsAndTheEventItselfNeverConflict)
{
    Store(QStringLiteral("Feast"), {kDay}, {}, {}, true);
    const qint64 own = Store(QStringLiteral("Own"), {kDay}, QStringLiteral("9:00 AM"), QStringLiteral("10:00 AM"));
    auto editor = NewEditor();
    editor->SetConflictDialogRunner([this](frmConflict &) { ++shown; });
    editor->SetEventID(own);
    editor->SetEventSubject(QStringLiteral("Own, longer"));
    editor->SetEventDate(kDay);
    editor->SetEventStartTime(QTime(9, 0));
    editor->SetEventEndTime(QTime(11, 0));
    editor->cmdOK_Click();
    EXPECT_TRUE(editor->OkPressed());
    EXPECT_EQ(shown, 0);

    // A new all-day event is not checked at all.
    auto allDay = Editor(QStringLiteral("9:00 AM"), QStringLiteral("10:00 AM"));
    allDay->SetAllDayEvent(true);
    allDay->cmdOK_Click();
    EXPECT_TRUE(allDay->OkPressed());
    EXPECT_EQ(shown, 0);
}

TEST_F(ConflictCheck, OneLinePerDayInDateThenIdOrder)
{
    const QDate second = kDay.addDays(7);
    Store(QStringLiteral("Late one"), {second}, QStringLiteral("9:30 AM"), QStringLiteral("10:30 AM"));
    Store(QStringLiteral("Weekly"), {kDay, second}, QStringLiteral("9:00 AM"), QStringLiteral("10:00 AM"));
    auto editor = Editor(QStringLiteral("9:00 AM"), QStringLiteral("10:00 AM"));
    editor->SetEventRecurring(true);
    quillontest::Find<YearView>(*editor, "SSYear1")->AddDate(second);
    editor->cmdOK_Click();
    EXPECT_EQ(lines, (QStringList{QStringLiteral("5-Jan-2027  9:00 AM - 10:00 AM  Weekly"),
                                  QStringLiteral("12-Jan-2027  9:30 AM - 10:30 AM  Late one"),
                                  QStringLiteral("12-Jan-2027  9:00 AM - 10:00 AM  Weekly")}));
    EXPECT_TRUE(editor->OkPressed());
    EXPECT_TRUE(settings.CheckForConflicts);
}

TEST_F(ConflictCheck, DoNotCheckSwitchesTheSettingOffForLaterSaves)
{
    Store(QStringLiteral("Existing"), {kDay}, QStringLiteral("9:00 AM"), QStringLiteral("10:00 AM"));
    tickDoNotCheck = true;
    auto first = Editor(QStringLiteral("9:00 AM"), QStringLiteral("10:00 AM"));
    first->cmdOK_Click();
    EXPECT_TRUE(first->OkPressed());
    EXPECT_FALSE(settings.CheckForConflicts);
    auto second = Editor(QStringLiteral("9:00 AM"), QStringLiteral("10:00 AM"));
    second->cmdOK_Click();
    EXPECT_TRUE(second->OkPressed());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(CountOn(kDay), 3);
}

TEST(ConflictDialog, StartsAfreshEachTimeAndTheBoxLocksReschedule)
{
    frmConflict dialog;
    dialog.SetEventConflicts({QStringLiteral("first"), QString(), QStringLiteral("second")});
    dialog.Form_Load();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Scheduling Conflict"));
    EXPECT_EQ(quillontest::Find<QListWidget>(dialog, "lstConflicts")->count(), 2);
    quillontest::Find<QCheckBox>(dialog, "chkDisableChecking")->click();
    EXPECT_TRUE(dialog.DisableConflictChecking());
    EXPECT_FALSE(quillontest::Find<QPushButton>(dialog, "cmdReschedule")->isEnabled());
    quillontest::Find<QPushButton>(dialog, "cmdAccept")->click();
    EXPECT_TRUE(dialog.AcceptPressed());

    dialog.SetEventConflicts({QStringLiteral("third")});
    dialog.Form_Load();
    EXPECT_FALSE(dialog.AcceptPressed());
    EXPECT_FALSE(dialog.DisableConflictChecking());
    EXPECT_FALSE(quillontest::Find<QCheckBox>(dialog, "chkDisableChecking")->isChecked());
    EXPECT_TRUE(quillontest::Find<QPushButton>(dialog, "cmdReschedule")->isEnabled());
    ASSERT_EQ(quillontest::Find<QListWidget>(dialog, "lstConflicts")->count(), 1);
    EXPECT_EQ(quillontest::Find<QListWidget>(dialog, "lstConflicts")->item(0)->text(), QStringLiteral("third"));
    dialog.reject();
    EXPECT_FALSE(dialog.AcceptPressed()) << "closing counts as Reschedule";
}

} // namespace
} // namespace quillontest

} // namespace quillon
