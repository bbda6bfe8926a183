#include "views/DayView.h"

#include "QuillonTestEnvironment.h"
#include "basColor.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace quillon {

namespace {

class DayViewTest : public quillontest::QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        view.resize(420, 320);
        meeting = view.AddTask(QTime(9, 0), QTime(10, 30), "Staff meeting", 0xFF8080);
        call = view.AddTask(QTime(9, 30), QTime(10, 0), "Call", -1);
        view.SetTaskTag(meeting, 7);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    // The viewport receives the mouse; the view speaks in its own coordinates.
    QPoint InViewport(QPoint widgetPoint) const { return view.viewport()->mapFrom(&view, widgetPoint); }

    DayView view;
    int meeting = -1;
    int call = -1;
};

TEST_F(DayViewTest, OpensOnTheWorkingDay)
{
    EXPECT_EQ(view.SlotRect(DayViewModel::kWorkdayStartSlot).top(), view.viewport()->y());
    // Stays there when the window grows, as long as the user has not scrolled.
    view.resize(420, 360);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.SlotRect(DayViewModel::kWorkdayStartSlot).top(), view.viewport()->y());
}

TEST_F(DayViewTest, ClickOnTaskSelectsItAndRaisesClick)
{
    QSignalSpy clicks(&view, &DayView::Click);
    QSignalSpy ups(&view, &DayView::MouseUp);
    view.SetSelectedTimeSlot(view.SlotOfTime(QTime(8, 0)));
    const QPoint point = view.TaskRect(meeting).center();
    EXPECT_EQ(view.AreaAt(point.x(), point.y()), DayView::kAreaSchedule);
    EXPECT_EQ(view.TaskAt(point.x(), point.y()), meeting);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, InViewport(point));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(ups.count(), 1);
    EXPECT_EQ(view.SelectedTask(), meeting);
    EXPECT_EQ(view.SelectedTimeSlot(), -1);
    EXPECT_EQ(view.TaskTag(view.SelectedTask()), 7);

    // The narrow task beside it is found at its own place.
    const QPoint besides = view.TaskRect(call).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, InViewport(besides));
    EXPECT_EQ(view.SelectedTask(), call);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(DayViewTest, DoubleClickOnEmptyTimeRaisesDoubleClickWithoutTask)
{
    QSignalSpy clicks(&view, &DayView::Click);
    QSignalSpy doubles(&view, &DayView::DblClick);
    int selectedTaskAtDoubleClick = 99;
    int selectedSlotAtDoubleClick = -99;
    QObject::connect(&view, &DayView::DblClick, [&] {
        selectedTaskAtDoubleClick = view.SelectedTask();
        selectedSlotAtDoubleClick = view.SelectedTimeSlot();
    });
    view.SetSelectedTask(meeting);

    const int slot = view.SlotOfTime(QTime(11, 30));
    const QPoint point = view.SlotRect(slot).center();
    ASSERT_EQ(view.TaskAt(point.x(), point.y()), -1);
    EXPECT_EQ(view.TimeAt(point.x(), point.y()), QTime(11, 30));

    // What a real double click delivers: press, release, double click, release.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, InViewport(point));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, InViewport(point));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, InViewport(point));
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(clicks.count(), 1); // the release that ends a double click is no click
    EXPECT_EQ(selectedTaskAtDoubleClick, -1);
    EXPECT_EQ(selectedSlotAtDoubleClick, slot);
}

TEST_F(DayViewTest, RightButtonUpReportsButtonShiftAndPoint)
{
    QSignalSpy clicks(&view, &DayView::Click);
    QSignalSpy ups(&view, &DayView::MouseUp);
    view.SetSelectedTimeSlot(17);
    const QPoint point = view.TaskRect(meeting).center();
    QTest::mouseClick(view.viewport(), Qt::RightButton, Qt::ShiftModifier, InViewport(point));

    ASSERT_EQ(ups.count(), 1);
    const QList<QVariant> args = ups.takeFirst();
    EXPECT_EQ(args.at(0).toInt(), DayView::kRightButton);
    EXPECT_EQ(args.at(1).toInt(), DayView::kShiftMask);
    EXPECT_EQ(QPoint(args.at(2).toInt(), args.at(3).toInt()), point);
    EXPECT_EQ(view.TaskAt(args.at(2).toInt(), args.at(3).toInt()), meeting);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(view.SelectedTimeSlot(), 17); // the caller decides what a right click selects
    EXPECT_EQ(view.AreaAt(-5, point.y()), 0);
}

TEST_F(DayViewTest, KeyboardMovesTheSelectionAndAsks)
{
    QSignalSpy clicks(&view, &DayView::Click);
    QSignalSpy doubles(&view, &DayView::DblClick);
    QSignalSpy adds(&view, &DayView::AddRequest);
    view.setFocus();
    view.SetSelectedTimeSlot(view.SlotOfTime(QTime(8, 0)));

    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.TimeOfSlot(view.SelectedTimeSlot()), QTime(8, 30));
    QTest::keyClick(&view, Qt::Key_Right); // the next task in time order
    EXPECT_EQ(view.SelectedTask(), meeting);
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(view.SelectedTask(), call);
    QTest::keyClick(&view, Qt::Key_Down); // off the task, to the slot after it
    EXPECT_EQ(view.TimeOfSlot(view.SelectedTimeSlot()), QTime(10, 0));
    EXPECT_EQ(clicks.count(), 4);

    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.SelectedTimeSlot(), DayViewModel::kSlotCount - 1);
    EXPECT_GE(view.SlotRect(DayViewModel::kSlotCount - 1).top(), view.viewport()->y());
    EXPECT_LE(view.SlotRect(DayViewModel::kSlotCount - 1).bottom(),
              view.viewport()->geometry().bottom());
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.SelectedTimeSlot(), 0);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);

    QTest::keyClick(&view, Qt::Key_Insert);
    ASSERT_EQ(adds.count(), 1);
    EXPECT_EQ(adds.at(0).at(0).toTime(), QTime(0, 0));
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(doubles.count(), 1);
}

TEST_F(DayViewTest, ColoursReadAsRealColoursUntilSet)
{
    // The scheduler reads these when its own setting is "none": never -1.
    EXPECT_GE(view.BackColor(), 0);
    EXPECT_GE(view.DurationBarFillColor(), 0);
    view.SetBackColor(0x00FFFF);
    view.SetDurationBarFillColor(0x123456);
    EXPECT_EQ(view.BackColor(), 0x00FFFF);
    EXPECT_EQ(view.DurationBarFillColor(), 0x123456);

    // A task without a colour is drawn with the fill colour, now and after a change.
    const QPoint inside = InViewport(view.TaskRect(call).bottomRight() - QPoint(6, 4));
    view.SetDurationBarFillColor(0x0000FF); // pure red
    QImage image = view.viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(inside * image.devicePixelRatio()), QColor(255, 0, 0));

    view.SetBackColor(-1);
    EXPECT_EQ(view.BackColor(), basColor::FromQColor(view.palette().color(QPalette::Base)));
}

// Right to left the hours stand on the right and the tasks left of them, and a click
// finds the task where it is drawn.
TEST_F(DayViewTest, RightToLeftPutsTheHoursOnTheRightAndTheTasksLeftOfThem)
{
    view.setLayoutDirection(Qt::RightToLeft);
    QCoreApplication::processEvents();
    const QRect area(view.viewport()->mapTo(&view, QPoint()), view.viewport()->size());
    const QRect task = view.TaskRect(meeting);
    EXPECT_LT(task.right(), area.right() - 30) << "no room for the hours on the right";
    EXPECT_EQ(view.TaskAt(task.center().x(), task.center().y()), meeting);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, InViewport(view.TaskRect(call).center()));
    EXPECT_EQ(view.SelectedTask(), call);

    const QImage image = view.viewport()->grab().toImage();
    const int y = InViewport(view.SlotRect(DayViewModel::kWorkdayStartSlot + 1).center()).y();
    auto at = [&](int x) { return image.pixelColor(QPoint(x, y) * image.devicePixelRatio()); };
    EXPECT_EQ(at(area.width() - 2), view.palette().color(QPalette::Window)) << "the hour column";
    EXPECT_EQ(at(1), view.palette().color(QPalette::Base)) << "the day's free time";
}

} // namespace

} // namespace quillon
