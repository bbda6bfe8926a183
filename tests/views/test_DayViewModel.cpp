#include "views/DayViewModel.h"

#include "basOperation.h"

#include <gtest/gtest.h>

namespace quillon {

namespace {

constexpr int kNine = 9 * 60;

TEST(DayViewModelTimes, SlotsStartOnTheHalfHourAndHoldTheTimesUpToTheNext)
{
    EXPECT_EQ(DayViewModel::SlotStart(0), QTime(0, 0));
    EXPECT_EQ(DayViewModel::SlotStart(25), QTime(12, 30));
    EXPECT_EQ(DayViewModel::SlotStart(47), QTime(23, 30));
    EXPECT_FALSE(DayViewModel::SlotStart(48).isValid());
    EXPECT_FALSE(DayViewModel::SlotStart(-1).isValid());
    for (int slot = 0; slot < DayViewModel::kSlotCount; ++slot)
        EXPECT_EQ(DayViewModel::SlotOfTime(DayViewModel::SlotStart(slot)), slot);

    // A time inside a slot belongs to the slot that starts before it.
    EXPECT_EQ(DayViewModel::SlotOfTime(QTime(0, 29, 59)), 0);
    EXPECT_EQ(DayViewModel::SlotOfTime(QTime(11, 59)), 23);
    EXPECT_EQ(DayViewModel::SlotOfTime(QTime(12, 15)), 24);
    EXPECT_EQ(DayViewModel::SlotOfTime(QTime(23, 59)), 47);
    EXPECT_EQ(DayViewModel::SlotOfTime(QTime()), -1);
    EXPECT_EQ(DayViewModel::FormatTime(12 * 60 + 5), QStringLiteral("12:05 PM"));
}

TEST(DayViewModelTasks, IndicesAndSelectionFollowAddsAndRemovals)
{
    DayViewModel model;
    EXPECT_EQ(model.AddTask(QTime(9, 0), QTime(10, 0), "a", -1), 0);
    EXPECT_EQ(model.AddTask(QTime(11, 0), QTime(12, 0), "b", 255), 1);
    EXPECT_EQ(model.AddTask(QTime(13, 0), QTime(14, 0), "c", -1), 2);

    // A bad time adds nothing, so "count - 1" still names the last good task.
    EXPECT_EQ(model.AddTask(QTime(), QTime(10, 0), "bad", -1), -1);
    EXPECT_EQ(model.AddTask(QTime(9, 0), QTime(), "bad", -1), -1);
    EXPECT_EQ(model.TaskCount(), 3);

    model.SetTaskTag(2, 42);
    model.SetSelectedTask(2);
    model.RemoveTask(0);
    EXPECT_EQ(model.SelectedTask(), 1);
    EXPECT_EQ(model.Task(1).tag, 42);
    model.RemoveTask(1);
    EXPECT_EQ(model.SelectedTask(), -1);
    EXPECT_EQ(model.TaskCount(), 1);

    // Bad indices are ignored, as Qt's own views ignore a bad row.
    EXPECT_TRUE(model.Task(1).text.isEmpty());
    model.RemoveTask(-1);
    model.SetSelectedTask(1);
    model.SetSelectedTimeSlot(DayViewModel::kSlotCount);
    EXPECT_EQ(model.TaskCount(), 1);
    EXPECT_EQ(model.SelectedTask(), -1);
    EXPECT_EQ(model.Column(5), -1);
    EXPECT_TRUE(model.TaskRect(5, DayViewGeometry{}).isNull());

    // A task and a time slot are never selected together.
    model.SetSelectedTask(0);
    model.SetSelectedTimeSlot(20);
    EXPECT_EQ(model.SelectedTask(), -1);
    model.SetSelectedTask(0);
    EXPECT_EQ(model.SelectedTimeSlot(), -1);
    model.SetSelectedTimeSlot(5);
    model.RemoveAllTasks();
    EXPECT_EQ(model.TaskCount(), 0);
    EXPECT_EQ(model.SelectedTimeSlot(), 5);
}

TEST(DayViewModelPlacement, OverlappingTasksShareTheWidth)
{
    DayViewModel model;
    const int meeting = model.AddTask(QTime(9, 0), QTime(10, 30), "meeting", -1);
    const int call = model.AddTask(QTime(9, 30), QTime(10, 0), "call", -1);
    const int dentist = model.AddTask(QTime(10, 0), QTime(11, 0), "dentist", -1);
    const int lunch = model.AddTask(QTime(12, 0), QTime(13, 0), "lunch", -1);
    const int after = model.AddTask(QTime(13, 0), QTime(14, 0), "back to back", -1);

    EXPECT_EQ(model.Column(meeting), 0);
    EXPECT_EQ(model.Column(call), 1);
    EXPECT_EQ(model.Column(dentist), 1); // the call's column is free again at 10:00
    for (int index : {meeting, call, dentist})
        EXPECT_EQ(model.ColumnCount(index), 2);
    for (int index : {lunch, after}) {
        EXPECT_EQ(model.Column(index), 0);
        EXPECT_EQ(model.ColumnCount(index), 1);
    }

    // Three at once get three columns; adding one re-places the others.
    const int third = model.AddTask(QTime(9, 45), QTime(10, 15), "third", -1);
    EXPECT_EQ(model.ColumnCount(meeting), 3);
    EXPECT_EQ(model.Column(third), 2);
    EXPECT_EQ(model.ColumnCount(lunch), 1);
}

TEST(DayViewModelPlacement, OddSpansStayOnTheDayAndVisible)
{
    DayViewModel model;
    const int pastMidnight = model.AddTask(QTime(23, 30), QTime(0, 30), "late", -1);
    const int instant = model.AddTask(QTime(9, 0), QTime(9, 0), "reminder", -1);
    const int allDay = model.AddTask(QTime(0, 0), QTime(23, 59), "all day", -1);
    const int lastMinute = model.AddTask(QTime(23, 59), QTime(23, 59), "edge", -1);

    EXPECT_EQ(model.DrawnStart(pastMidnight), 23 * 60 + 30);
    EXPECT_EQ(model.DrawnEnd(pastMidnight), DayViewModel::kMinutesPerDay);
    EXPECT_EQ(model.DrawnEnd(instant), kNine + DayViewModel::kMinimumTaskMinutes);
    EXPECT_EQ(model.DrawnStart(allDay), 0);
    EXPECT_EQ(model.DrawnEnd(allDay), 1439);
    EXPECT_LE(model.DrawnEnd(lastMinute), DayViewModel::kMinutesPerDay);
    EXPECT_EQ(model.DrawnEnd(lastMinute) - model.DrawnStart(lastMinute),
              DayViewModel::kMinimumTaskMinutes);
}

TEST(DayViewModelHitTests, EdgesOfBlocksAndAreas)
{
    DayViewGeometry geometry;
    geometry.timeScaleWidth = 50;
    geometry.slotHeight = 20;
    geometry.width = 250;
    geometry.taskGap = 3; // columns of 100 px, tasks 97 px wide

    DayViewModel model;
    const int nine = model.AddTask(QTime(9, 0), QTime(10, 0), "nine", -1);   // y 360..400
    const int ten = model.AddTask(QTime(10, 0), QTime(11, 0), "ten", -1);    // y 400..440
    const int beside = model.AddTask(QTime(9, 30), QTime(10, 0), "beside", -1); // column 1, y 380..400

    EXPECT_EQ(model.TaskAt({50, 360}, geometry), nine);       // top-left corner
    EXPECT_EQ(model.TaskAt({50, 359.9}, geometry), -1);       // just above
    EXPECT_EQ(model.TaskAt({49.9, 370}, geometry), -1);       // on the time scale
    EXPECT_EQ(model.TaskAt({146.9, 399.9}, geometry), nine);  // bottom-right, inside
    EXPECT_EQ(model.TaskAt({50, 400}, geometry), ten);        // shared edge: the later task
    EXPECT_EQ(model.TaskAt({147, 370}, geometry), -1);        // the gap between columns
    EXPECT_EQ(model.TaskAt({150, 380}, geometry), beside);
    EXPECT_EQ(model.TaskAt({150, 379.9}, geometry), -1);
    EXPECT_EQ(model.TaskAt({150, 400}, geometry), ten);       // ten spans both columns
    EXPECT_EQ(model.TaskAt({200, 500}, geometry), -1);        // empty time

    EXPECT_EQ(model.AreaAt({49.9, 10}, geometry), DayViewModel::kAreaTimeScale);
    EXPECT_EQ(model.AreaAt({50, 10}, geometry), DayViewModel::kAreaSchedule);
    EXPECT_EQ(model.AreaAt({250, 10}, geometry), DayViewModel::kAreaNone);
    EXPECT_EQ(model.AreaAt({60, 960}, geometry), DayViewModel::kAreaNone); // below 11:30 PM
    EXPECT_EQ(model.AreaAt({60, -1}, geometry), DayViewModel::kAreaNone);

    EXPECT_EQ(model.SlotAt({60, 0}, geometry), 0);
    EXPECT_EQ(model.SlotAt({60, 399.9}, geometry), 19);
    EXPECT_EQ(model.SlotAt({10, 400}, geometry), 20);         // the time scale names slots too
    EXPECT_EQ(model.SlotAt({60, 959.9}, geometry), 47);
    EXPECT_EQ(model.SlotAt({60, 960}, geometry), -1);
}

} // namespace

} // namespace quillon
