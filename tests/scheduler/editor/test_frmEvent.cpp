// The event editor driven through its properties and reactions over a real store.
#include "EditorTest.h"
#include "IconPalette.h"
#include "frmEvent.h"
#include "views/YearView.h"

#include "basOperation.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QToolButton>

namespace quillon {

namespace quillontest {
namespace {

const QDate kDay(2026, 12, 7);      // the day after the fixed today
const QDate kEventDay(2026, 12, 7);

class EditorWindow : public EditorTest {};

TEST_F(EditorWindow, NewEventOpensWithAnHourAndRefusesAnEndBeforeItsStart)
{
    auto editor = NewEventEditor(kEventDay, QTime(9, 0));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("New Event"));
    EXPECT_EQ(editor->EventEndTime(), QTime(10, 0));
    EXPECT_FALSE(quillontest::Find<QPushButton>(*editor, "cmdOK")->isEnabled());
    editor->SetEventSubject(QStringLiteral(" "));
    EXPECT_TRUE(quillontest::Find<QPushButton>(*editor, "cmdOK")->isEnabled()) << "a blank is a character";
    editor->SetEventSubject(QString());
    EXPECT_FALSE(quillontest::Find<QPushButton>(*editor, "cmdOK")->isEnabled());

    // 9:15 moves to the next half hour; an end is never moved.
    editor->SetEventStartTime(QTime(9, 15));
    EXPECT_EQ(editor->EventStartTime(), QTime(9, 30));
    EXPECT_EQ(editor->EventEndTime(), QTime(10, 30));
    editor->SetEventEndTime(QTime(9, 15));
    EXPECT_EQ(editor->EventEndTime(), QTime());

    // 11:30 PM runs past midnight to 12:30 AM, which OK refuses.
    editor->SetEventSubject(QStringLiteral("Late"));
    editor->SetEventStartTime(QTime(23, 30));
    EXPECT_EQ(editor->EventEndTime(), QTime(0, 30));
    editor->cmdOK_Click();
    EXPECT_FALSE(editor->OkPressed());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("The End Time cannot be earlier than the Start Time."));
    EXPECT_EQ(messages[0].title, QStringLiteral("Data Entry Error"));
    EXPECT_EQ(messages[0].icon, basPlatform::MessageIcon::Exclamation);
    EXPECT_EQ(CountOn(kDay), 0);

    // Equal times are accepted.
    editor->SetEventStartTime(QTime(14, 0));
    editor->SetEventEndTime(QTime(14, 0));
    editor->cmdOK_Click();
    EXPECT_TRUE(editor->OkPressed());
    EXPECT_EQ(CountOn(kDay), 1);
    const auto stored = Read(editor->EventID());
    EXPECT_EQ(stored.StartTime, QTime(14, 0));
    EXPECT_EQ(stored.EndTime, QTime(14, 0));
}

TEST_F(EditorWindow, ExistingEventKeepsItsEndWhenTheStartChanges)
{
    const qint64 id = Store(QStringLiteral("Dentist"), {kDay}, QStringLiteral("9:00 AM"), QStringLiteral("9:30 AM"));
    auto editor = NewEditor();
    editor->SetEventID(id);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Edit Event"));
    EXPECT_TRUE(quillontest::Find<QPushButton>(*editor, "cmdOK")->isEnabled());
    editor->SetEventEndTime(QTime(9, 30));
    editor->SetEventStartTime(QTime(8, 0));
    EXPECT_EQ(editor->EventEndTime(), QTime(9, 30));
    EXPECT_THROW(editor->SetEventIconIndex(157), basOperation::Failure);
}

TEST_F(EditorWindow, AColourTheListDoesNotOfferIsKeptUntilTheUserPicksOne)
{
    const qint64 id = Store(QStringLiteral("Imported"), {kDay}, QStringLiteral("9:00 AM"), QStringLiteral("9:30 AM"));
    const auto open = [&] {
        auto editor = NewEditor();
        editor->SetEventID(id);
        editor->SetEventSubject(QStringLiteral("Imported"));
        editor->SetEventDate(kEventDay);
        editor->SetEventStartTime(QTime(9, 0));
        editor->SetEventEndTime(QTime(9, 30));
        editor->SetEventColor(QStringLiteral("Crimson"));
        return editor;
    };
    auto editor = open();
    EXPECT_EQ(quillontest::Find<QComboBox>(*editor, "cboEventColor")->currentText(), QStringLiteral("(Default)"));
    editor->cmdOK_Click();
    EXPECT_EQ(Read(id).EventColor, QStringLiteral("Crimson"));

    // A colour picked from the list, "(Default)" too, replaces it.
    for (const QString &picked : {QStringLiteral("Blue"), QStringLiteral("(Default)")}) {
        auto again = open();
        QComboBox *colors = quillontest::Find<QComboBox>(*again, "cboEventColor");
        colors->setCurrentIndex(colors->findText(picked));
        emit colors->activated(colors->currentIndex());
        again->cmdOK_Click();
        EXPECT_EQ(Read(id).EventColor, picked == QLatin1String("Blue") ? picked : QString()) << qPrintable(picked);
    }
}

TEST_F(EditorWindow, AllDayEventIsStoredPlainAndReopensWithoutATimeError)
{
    auto editor = NewEventEditor(kEventDay, QTime(9, 0));
    editor->SetEventSubject(QStringLiteral("Holiday"));
    editor->SetEventColor(QStringLiteral("Red"));
    editor->SetEventIconIndex(120);
    editor->SetAllDayEvent(true);
    EXPECT_FALSE(quillontest::Find<QComboBox>(*editor, "cboStartTime")->isEnabled());
    EXPECT_FALSE(quillontest::Find<QComboBox>(*editor, "cboEventColor")->isEnabled());
    EXPECT_FALSE(quillontest::Find<QPushButton>(*editor, "cmdIcon")->isEnabled());
    EXPECT_EQ(editor->EventColor(), QString());
    EXPECT_EQ(editor->EventIconIndex(), 0);
    editor->cmdOK_Click();
    ASSERT_TRUE(editor->OkPressed());
    const qint64 id = editor->EventID();
    auto stored = Read(id);
    EXPECT_TRUE(stored.AllDayEvent);
    EXPECT_EQ(stored.StartTime, QTime(0, 0));
    EXPECT_EQ(stored.EndTime, QTime(23, 59));
    EXPECT_EQ(stored.EventColor, QString());
    EXPECT_EQ(stored.EventIcon, 0);

    // Reopened as the main window opens it: 11:59 PM is no entry of the end list.
    auto again = NewEditor();
    again->SetEventID(id);
    again->SetEventSubject(stored.EventName);
    again->SetAllDayEvent(true);
    again->SetEventDate(kEventDay);
    again->SetEventStartTime(QTime(0, 0));
    again->SetEventEndTime(QTime(23, 59));
    EXPECT_EQ(again->EventEndTime(), QTime());
    again->SetEventNotes(QStringLiteral("changed"));
    messages.clear();
    again->cmdOK_Click();
    EXPECT_TRUE(again->OkPressed());
    EXPECT_TRUE(messages.empty());
    stored = Read(id);
    EXPECT_EQ(stored.Notes, QStringLiteral("changed"));
    EXPECT_EQ(stored.EndTime, QTime(23, 59));

    // Cleared again without choosing an end: refused with a message, not saved blank.
    again->SetAllDayEvent(false);
    EXPECT_TRUE(quillontest::Find<QComboBox>(*again, "cboStartTime")->isEnabled());
    again->cmdOK_Click();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(Read(id).AllDayEvent);
}

TEST_F(EditorWindow, AnyTextIsStoredAndReadBackWhole)
{
    const QString subjects[] = {
        QStringLiteral("O'Brien's party"),
        QString(10000, QLatin1Char('x')) + QStringLiteral("'end"),
        QStringLiteral("\"quoted\" | # %_ ; DROP TABLE Events; --"),
    };
    const QString notes = QStringLiteral("line one\nline\ttwo\n") + QString::fromUtf8("🎂 שלום עולם مرحبا") +
                          QStringLiteral("\n'';");
    for (const QString &subject : subjects) {
        auto editor = NewEventEditor(kEventDay, QTime(10, 0));
        editor->SetEventSubject(subject);
        editor->SetEventNotes(notes);
        editor->cmdOK_Click();
        ASSERT_TRUE(editor->OkPressed()) << subject.left(20).toStdString();
        const auto stored = Read(editor->EventID());
        EXPECT_EQ(stored.EventName, subject);
        EXPECT_EQ(stored.Notes, notes);
    }
    EXPECT_EQ(CountOn(kDay), 3);
}

TEST_F(EditorWindow, IconPaletteIsFilledOnceAndPlacedUnderTheButton)
{
    auto editor = NewEventEditor(kEventDay, QTime(10, 0));
    editor->show();
    IconPalette *palette = quillontest::Find<IconPalette>(*editor, "picIcons");
    EXPECT_EQ(palette->CellCount(), 1);
    editor->cmdIcon_Click();
    ASSERT_EQ(palette->CellCount(), 56);
    EXPECT_TRUE(palette->isVisible());
    const QRect button(quillontest::Find<QPushButton>(*editor, "cmdIcon")->mapTo(editor.get(), QPoint(0, 0)), quillontest::Find<QPushButton>(*editor, "cmdIcon")->size());
    EXPECT_EQ(palette->geometry().right(), button.right());
    EXPECT_GT(palette->geometry().top(), button.bottom());
    // 8 rows of 7: cell 7 starts the second row, cell 55 ends the last.
    EXPECT_EQ(palette->Cell(7)->x(), palette->Cell(0)->x());
    EXPECT_GT(palette->Cell(7)->y(), palette->Cell(6)->y());
    EXPECT_EQ(palette->Cell(55)->x(), palette->Cell(6)->x());
    EXPECT_EQ(palette->CellTag(55), QStringLiteral("156"));
    EXPECT_TRUE(palette->rect().contains(palette->Cell(55)->geometry()));

    editor->cmdIcon_Click();
    EXPECT_FALSE(palette->isVisible());
    EXPECT_EQ(palette->CellCount(), 56);
    editor->cmdIcon_Click();
    palette->Cell(19)->click();
    EXPECT_FALSE(palette->isVisible());
    EXPECT_EQ(editor->EventIconIndex(), 120);
    EXPECT_FALSE(quillontest::Find<QLabel>(*editor, "imgEventIcon")->pixmap().isNull());
}

TEST_F(EditorWindow, RecurringDatesComeFromTheYearView)
{
    auto editor = NewEventEditor(QDate(2027, 3, 14), QTime(10, 0));
    EXPECT_EQ(editor->GetEventDates(), QList<QDate>{QDate(2027, 3, 14)});
    quillontest::Find<QRadioButton>(*editor, "optRecurring")->click();
    EXPECT_TRUE(editor->EventRecurring());
    EXPECT_FALSE(quillontest::Find<QDateEdit>(*editor, "dtEventDate")->isEnabled());
    EXPECT_EQ(editor->GetEventDates(), QList<QDate>{QDate(2027, 3, 14)});
    quillontest::Find<YearView>(*editor, "SSYear1")->AddDate(QDate(2027, 3, 1));
    quillontest::Find<YearView>(*editor, "SSYear1")->AddDate(QDate(2027, 4, 2));
    EXPECT_EQ(editor->GetEventDates(), (QList<QDate>{QDate(2027, 3, 1), QDate(2027, 3, 14), QDate(2027, 4, 2)}));
    // A look at the details page keeps the days picked.
    quillontest::Find<QTabWidget>(*editor, "SSTab1")->setCurrentIndex(0);
    quillontest::Find<QTabWidget>(*editor, "SSTab1")->setCurrentIndex(1);
    EXPECT_EQ(editor->GetEventDates().size(), 3);

    // Every day of a year at once.
    quillontest::Find<YearView>(*editor, "SSYear1")->Clear();
    for (QDate day(2027, 1, 1); day.year() == 2027; day = day.addDays(1))
        quillontest::Find<YearView>(*editor, "SSYear1")->AddDate(day);
    editor->SetEventSubject(QStringLiteral("Daily"));
    editor->cmdOK_Click();
    ASSERT_TRUE(editor->OkPressed());
    EXPECT_EQ(DatesOf(editor->EventID()).size(), 365);
    EXPECT_EQ(CountOn(QDate(2027, 12, 31)), 1);
}

TEST_F(EditorWindow, RecurringWithNoDayIsRefused)
{
    auto editor = NewEventEditor(kEventDay, QTime(10, 0));
    editor->SetEventSubject(QStringLiteral("Nowhere"));
    quillontest::Find<QRadioButton>(*editor, "optRecurring")->click();
    quillontest::Find<YearView>(*editor, "SSYear1")->Clear();
    editor->cmdOK_Click();
    EXPECT_FALSE(editor->OkPressed());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, QStringLiteral("Data Entry Error"));
    EXPECT_EQ(quillontest::Find<QTabWidget>(*editor, "SSTab1")->currentIndex(), 1);
    EXPECT_EQ(CountOn(kDay), 0);
}

TEST_F(EditorWindow, ReopenedRecurringEventShowsItsDaysAndUpdatesOnlyChangedCounts)
{
    const qint64 id = Store(QStringLiteral("Course"), {QDate(2027, 1, 5), QDate(2027, 1, 6)});
    const qint64 other = Store(QStringLiteral("Other"), {QDate(2027, 1, 6)}, QStringLiteral("3:00 PM"), QStringLiteral("4:00 PM"));
    Q_UNUSED(other);
    auto editor = NewEditor();
    editor->SetEventID(id);
    editor->SetEventSubject(QStringLiteral("Course"));
    editor->SetEventDate(QDate(2027, 1, 6));
    editor->SetEventStartTime(QTime(9, 0));
    editor->SetEventEndTime(QTime(10, 0));
    editor->SetEventRecurring(true);
    EXPECT_EQ(editor->GetEventDates(), (QList<QDate>{QDate(2027, 1, 5), QDate(2027, 1, 6)}));
    EXPECT_FALSE(quillontest::Find<QDateEdit>(*editor, "dtEventDate")->isEnabled());
    quillontest::Find<YearView>(*editor, "SSYear1")->Clear();
    quillontest::Find<YearView>(*editor, "SSYear1")->AddDate(QDate(2027, 1, 6));
    quillontest::Find<YearView>(*editor, "SSYear1")->AddDate(QDate(2027, 1, 7));
    editor->cmdOK_Click();
    ASSERT_TRUE(editor->OkPressed());
    EXPECT_EQ(DatesOf(id), (QList<QDate>{QDate(2027, 1, 6), QDate(2027, 1, 7)}));
    EXPECT_EQ(CountOn(QDate(2027, 1, 5)), 0);
    EXPECT_EQ(CountOn(QDate(2027, 1, 6)), 2);
    EXPECT_EQ(CountOn(QDate(2027, 1, 7)), 1);

    // Back to once: only the picker's day stays.
    auto once = NewEditor();
    once->SetEventID(id);
    once->SetEventSubject(QStringLiteral("Course"));
    once->SetEventDate(QDate(2027, 1, 7));
    once->SetEventStartTime(QTime(9, 0));
    once->SetEventEndTime(QTime(10, 0));
    once->SetEventRecurring(true);
    quillontest::Find<QRadioButton>(*once, "optOnce")->click();
    EXPECT_TRUE(quillontest::Find<QDateEdit>(*once, "dtEventDate")->isEnabled());
    once->cmdOK_Click();
    ASSERT_TRUE(once->OkPressed());
    EXPECT_EQ(DatesOf(id), QList<QDate>{QDate(2027, 1, 7)});
    EXPECT_EQ(CountOn(QDate(2027, 1, 6)), 1);
    EXPECT_FALSE(Read(id).Recurring);
}

TEST_F(EditorWindow, SavesReportTheDatesTheyTouchIncludingDaysLeft)
{
    auto december = NewEventEditor(QDate(2026, 12, 31), QTime(10, 0));
    december->SetEventSubject(QStringLiteral("Eve"));
    december->cmdOK_Click();
    ASSERT_EQ(changedDates.size(), 1);
    EXPECT_EQ(changedDates[0], QList<QDate>{QDate(2026, 12, 31)});

    // Moving the event into January takes it off December's calendar too.
    auto move = NewEditor();
    move->SetEventID(december->EventID());
    move->SetEventSubject(QStringLiteral("Eve"));
    move->SetEventDate(QDate(2027, 1, 2));
    move->SetEventStartTime(QTime(10, 0));
    move->SetEventEndTime(QTime(11, 0));
    move->cmdOK_Click();
    EXPECT_TRUE(move->OkPressed());
    ASSERT_EQ(changedDates.size(), 2);
    EXPECT_TRUE(changedDates[1].contains(QDate(2026, 12, 31)));
    EXPECT_TRUE(changedDates[1].contains(QDate(2027, 1, 2)));

    // Cancel and a refused OK report nothing.
    auto cancelled = NewEventEditor(QDate(2026, 12, 30), QTime(23, 30));
    cancelled->SetEventSubject(QStringLiteral("Too late"));
    cancelled->cmdOK_Click();
    cancelled->cmdCancel_Click();
    EXPECT_EQ(changedDates.size(), 2);
}

TEST_F(EditorWindow, PastDateIsQuestionedOnlyWhenTheUserEntersIt)
{
    auto editor = NewEventEditor(kEventDay, QTime(10, 0));
    quillontest::Find<QDateEdit>(*editor, "dtEventDate")->setDate(QDate(2026, 12, 5));
    EXPECT_FALSE(editor->dtEventDate_Validate());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Event date cannot be earlier than today."));

    // An existing event on a past day saves untouched.
    const qint64 id = Store(QStringLiteral("Past"), {QDate(2026, 1, 5)});
    auto old = NewEditor();
    old->SetEventID(id);
    old->SetEventSubject(QStringLiteral("Past, renamed"));
    old->SetEventDate(QDate(2026, 1, 5));
    old->SetEventStartTime(QTime(9, 0));
    old->SetEventEndTime(QTime(10, 0));
    old->cmdOK_Click();
    EXPECT_TRUE(old->OkPressed());
    EXPECT_EQ(Read(id).EventName, QStringLiteral("Past, renamed"));
}

TEST_F(EditorWindow, FailedSaveLeavesTheEventAsItWasAndTheWindowOpen)
{
    const qint64 id = Store(QStringLiteral("Stable"), {QDate(2027, 2, 1)});
    {
        // The store refuses every new date of 2 February 2027.
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("editor-raw"));
        raw.setDatabaseName(TempPath(QStringLiteral("dbcalndr.sqlite")));
        ASSERT_TRUE(raw.open());
        QSqlQuery query(raw);
        ASSERT_TRUE(query.exec(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE INSERT ON EventDates WHEN NEW.EventDate LIKE '2027-02-02%' "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("editor-raw"));

    auto editor = NewEditor();
    editor->SetEventID(id);
    editor->SetEventSubject(QStringLiteral("Changed"));
    editor->SetEventDate(QDate(2027, 2, 1));
    editor->SetEventStartTime(QTime(9, 0));
    editor->SetEventEndTime(QTime(10, 0));
    editor->SetEventRecurring(true);
    quillontest::Find<YearView>(*editor, "SSYear1")->AddDate(QDate(2027, 2, 2));
    editor->cmdOK_Click();
    EXPECT_FALSE(editor->OkPressed());
    EXPECT_FALSE(messages.empty()) << "the store reports the failure";
    EXPECT_EQ(Read(id).EventName, QStringLiteral("Stable"));
    EXPECT_EQ(DatesOf(id), QList<QDate>{QDate(2027, 2, 1)});
    EXPECT_EQ(CountOn(QDate(2027, 2, 1)), 1);
    EXPECT_EQ(CountOn(QDate(2027, 2, 2)), 0);
}

} // namespace
} // namespace quillontest

} // namespace quillon
