#include "views/YearView.h"

#include "QuillonTestEnvironment.h"

#include <QSignalSpy>
#include <QTest>

namespace quillon {

namespace {

class YearViewTest : public quillontest::QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        view = std::make_unique<YearView>();
        view->resize(900, 560);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    // Clicks the day where the view draws it.
    void ClickDay(const QDate &date)
    {
        const QPoint point = view->DateRect(date).center();
        ASSERT_FALSE(point.isNull()) << date.toString(Qt::ISODate).toStdString();
        QWidget *target = view->childAt(point);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(view.get(), point));
    }

    std::unique_ptr<YearView> view;
};

TEST_F(YearViewTest, ClickingADayTogglesIt)
{
    EXPECT_EQ(view->Year(), 2026); // opens on today's year
    QSignalSpy changes(view.get(), &YearView::SelectionChanged);
    const QDate day(2026, 3, 14);
    EXPECT_EQ(view->DateAt(view->DateRect(day).center()), day);

    ClickDay(day);
    EXPECT_TRUE(view->IsSelected(day));
    ClickDay(QDate(2026, 1, 31));
    ASSERT_EQ(view->SelectedCount(), 2);
    EXPECT_EQ(view->SelectedDate(0), QDate(2026, 1, 31)); // date order, not click order
    EXPECT_EQ(view->SelectedDate(1), day);

    ClickDay(day);
    EXPECT_FALSE(view->IsSelected(day));
    EXPECT_EQ(view->SelectedCount(), 1);
    EXPECT_EQ(changes.count(), 3);

    // A click beside the days changes nothing.
    QWidget *grid = view->childAt(view->DateRect(day).center());
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(view->SelectedCount(), 1);
}

TEST_F(YearViewTest, FilledFromCodeItOpensOnTheFirstDaysYear)
{
    // As the event editor fills it: clear, the picker's day, then the stored days.
    view->Clear();
    EXPECT_TRUE(view->AddDate(QDate(2028, 5, 1)));
    EXPECT_TRUE(view->AddDate(QDate(2027, 12, 24)));
    EXPECT_FALSE(view->AddDate(QDate(2028, 5, 1)));
    EXPECT_EQ(view->Year(), 2028);
    EXPECT_EQ(view->SelectedCount(), 2);
    EXPECT_EQ(view->SelectedDate(0), QDate(2027, 12, 24));
    EXPECT_TRUE(view->DateRect(QDate(2027, 12, 24)).isNull()); // not in the shown year

    view->PreviousYear();
    EXPECT_EQ(view->Year(), 2027);
    EXPECT_FALSE(view->DateRect(QDate(2027, 12, 24)).isNull());
    view->Clear();
    EXPECT_EQ(view->SelectedCount(), 0);
    view->SetYear(2100);
    view->NextYear();
    EXPECT_EQ(view->Year(), 2100);
}

TEST_F(YearViewTest, KeyboardMovesAcrossYearsAndToggles)
{
    view->SetYear(2026);
    view->Clear();
    view->AddDate(QDate(2026, 12, 30));
    view->setFocus();
    QWidget *grid = view->focusWidget();
    ASSERT_NE(grid, nullptr);

    QTest::keyClick(grid, Qt::Key_Right); // the cursor starts on the selected day
    QTest::keyClick(grid, Qt::Key_Right); // into the next year
    EXPECT_EQ(view->Year(), 2027);
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_TRUE(view->IsSelected(QDate(2027, 1, 1)));
    QTest::keyClick(grid, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(view->Year(), 2026);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_TRUE(view->IsSelected(QDate(2026, 1, 1)));
    EXPECT_EQ(view->SelectedCount(), 3);
}

} // namespace

} // namespace quillon
