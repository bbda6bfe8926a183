// The Find window over the main window and a real store: found as typed, the keys, and
// the day of the chosen event shown with that event selected.
#include "SchedulerFixture.h"

#include "frmFind.h"
#include "views/DayView.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace quillon {

namespace {

using schedulertest::SchedulerTest;

class FindWindow : public SchedulerTest {};

TEST_F(FindWindow, FindsAsTypedAndEnterShowsTheDayWithTheEventSelected)
{
    const qint64 next = AddEvent(QStringLiteral("Dentist"), {QDate(2027, 3, 15)}, QStringLiteral("8:00 AM"),
                                 QStringLiteral("9:00 AM"), QStringLiteral("Red"));
    AddEvent(QStringLiteral("Café on the square"), {QDate(2026, 12, 7)}, QStringLiteral("4:00 PM"), QStringLiteral("5:00 PM"));
    const qint64 past = AddEvent(QStringLiteral("Dentist, check-up"), {QDate(2026, 5, 2)}, QStringLiteral("2:00 PM"),
                                 QStringLiteral("2:30 PM"));
    frmMain &main = Load();

    QAction *find = quillontest::Find<QAction>(main, "mnuEditFind");
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->shortcut(), QKeySequence(QKeySequence::Find));
    find->trigger();
    auto *found = main.findChild<frmFind *>(QStringLiteral("frmFind"));
    ASSERT_NE(found, nullptr);
    ASSERT_TRUE(found->isVisible());
    EXPECT_FALSE(found->isModal());
    auto *text = quillontest::Find<QLineEdit>(*found, "txtFind");
    auto *list = quillontest::Find<QTreeView>(*found, "lstFound");
    auto *summary = quillontest::Find<QLabel>(*found, "lblFound");
    auto *showDay = quillontest::Find<QPushButton>(*found, "cmdShowDay");
    ASSERT_TRUE(text && list && summary && showDay);

    // The coming one first, the past one after it, as the letters come.
    QTest::keyClicks(text, QStringLiteral("DENT"));
    EventSearchModel &model = found->Model();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.Found(0).EventID, next);
    EXPECT_EQ(model.Found(1).EventID, past);
    EXPECT_EQ(model.index(0, EventSearchModel::kTime).data().toString(), QStringLiteral("8:00 AM - 9:00 AM"));
    EXPECT_EQ(model.index(0, EventSearchModel::kDate).data().toString(),
              QLocale().toString(QDate(2027, 3, 15), QStringLiteral("ddd d MMM yyyy")));
    EXPECT_EQ(summary->text(), QStringLiteral("2 events"));
    EXPECT_EQ(list->currentIndex().row(), 0);

    // Enter in the text shows the first one's day, the event selected; the list stays.
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(main.Page().CurrentDate(), QDate(2027, 3, 15));
    DayView *day = main.SSDay();
    ASSERT_GE(day->SelectedTask(), 0);
    EXPECT_EQ(day->TaskTag(day->SelectedTask()), next);
    EXPECT_TRUE(found->isVisible());

    // Down moves through the list while typing goes on.
    QTest::keyClick(text, Qt::Key_Down);
    EXPECT_EQ(list->currentIndex().row(), 1);
    // A double click as the mouse makes it: a click, then the second press.
    const QPoint row = list->visualRect(model.index(1, EventSearchModel::kEvent)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
    EXPECT_EQ(main.Page().CurrentDate(), QDate(2026, 5, 2));
    EXPECT_EQ(day->TaskTag(day->SelectedTask()), past);

    // Accents do not matter; nothing found says so and offers no day.
    text->setText(QStringLiteral("cafe"));
    ASSERT_EQ(model.rowCount(), 1);
    text->setText(QStringLiteral("dentist zzz"));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(summary->text(), QStringLiteral("No event holds \u201cdentist zzz\u201d."));
    EXPECT_FALSE(showDay->isEnabled());

    // Opened again, it looks again: an event added meanwhile is found.
    text->setText(QStringLiteral("dentist"));
    found->close();
    AddEvent(QStringLiteral("Dentist again"), {QDate(2027, 9, 1)}, QStringLiteral("8:00 AM"), QStringLiteral("9:00 AM"));
    find->trigger();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_TRUE(Reports().isEmpty());
}

} // namespace

} // namespace quillon
