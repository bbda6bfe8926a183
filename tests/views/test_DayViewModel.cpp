#include "views/DayViewModel.h"

#include "basOperation.h"

#include <gtest/gtest.h>

namespace {

constexpr int kNine = 9 * 60;

TEST(DayViewModelTimes, TextsParseToMinutesOfTheDay)
{
    const struct {
        const char *text;
        int minute;
    } table[] = {
        {"12:00 AM", 0},        {"0:00 AM", 0},       {"12:30 AM", 30},    {"11:59 AM", 719},
        {"12:00 PM", 720},      {"12:30 PM", 750},    {"1:00 PM", 780},    {"11:59 PM", 1439},
        {"9:30 am", 570},       {"9:30a", 570},       {"9:30 p.m.", 1290}, {"09:30", 570},
        {"17:45", 1065},        {"0:00", 0},          {" 8:30 AM ", 510},  {"6:46:25 PM", 1126},
        {"12/07/2026 6:46:25 PM", 1126},              {"1/5/2009 12:00 AM", 0},
        // Not times: each must come back as -1, never as some other minute.
        {"", -1},               {"noon", -1},         {"13:00 PM", -1},    {"0:30 PM", -1},
        {"9:60 AM", -1},        {"24:00", -1},        {"9:30 XM", -1},     {"9.30 AM", -1},
        {"later 9:30 AM", -1},  {"2/30/2026 9:30 AM", -1},                 {"9:30:61 AM", -1},
    };
    for (const auto &row : table)
        EXPECT_EQ(DayViewModel::ParseTime(QString::fromLatin1(row.text)), row.minute) << row.text;
}

TEST(DayViewModelTimes, SlotsAndTheirTextsAroundMidnightAndNoon)
{
    EXPECT_EQ(DayViewModel::TimeOfSlot(0), QStringLiteral("12:00 AM"));
    EXPECT_EQ(DayViewModel::TimeOfSlot(1), QStringLiteral("12:30 AM"));
    EXPECT_EQ(DayViewModel::TimeOfSlot(2), QStringLiteral("1:00 AM"));
    EXPECT_EQ(DayViewModel::TimeOfSlot(23), QStringLiteral("11:30 AM"));
    EXPECT_EQ(DayViewModel::TimeOfSlot(24), QStringLiteral("12:00 PM"));
    EXPECT_EQ(DayViewModel::TimeOfSlot(25), QStringLiteral("12:30 PM"));
    EXPECT_EQ(DayViewModel::TimeOfSlot(47), QStringLiteral("11:30 PM"));
    EXPECT_EQ(DayViewModel::TimeOfSlot(48), QString());
    EXPECT_EQ(DayViewModel::TimeOfSlot(-1), QString());

    // Every slot text is one of the editor's 48 list entries and leads back to its slot.
    for (int slot = 0; slot < DayViewModel::kSlotCount; ++slot) {
        const int hour = slot / 2;
        const QString expected = QStringLiteral("%1:%2 %3")
                                     .arg(hour % 12 == 0 ? 12 : hour % 12)
                                     .arg(slot % 2 ? QStringLiteral("30") : QStringLiteral("00"))
                                     .arg(hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
        EXPECT_EQ(DayViewModel::TimeOfSlot(slot), expected);
        EXPECT_EQ(DayViewModel::SlotOfTime(expected), slot) << expected.toStdString();
    }

    // A time inside a slot belongs to the slot that starts before it.
    EXPECT_EQ(DayViewModel::SlotOfTime(QStringLiteral("12:29 AM")), 0);
    EXPECT_EQ(DayViewModel::SlotOfTime(QStringLiteral("11:59 AM")), 23);
    EXPECT_EQ(DayViewModel::SlotOfTime(QStringLiteral("12:15 PM")), 24);
    EXPECT_EQ(DayViewModel::SlotOfTime(QStringLiteral("11:59 PM")), 47);
    EXPECT_EQ(DayViewModel::SlotOfTime(QStringLiteral("not a time")), -1);
}

TEST(DayViewModelTasks, IndicesAndSelectionFollowAddsAndRemovals)
{
    DayViewModel model;
    EXPECT_EQ(model.AddTask("9:00 AM", "10:00 AM", "a", -1), 0);
    EXPECT_EQ(model.AddTask("11:00 AM", "12:00 PM", "b", 255), 1);
    EXPECT_EQ(model.AddTask("1:00 PM", "2:00 PM", "c", -1), 2);

    // A bad time adds nothing, so "count - 1" still names the last good task.
    EXPECT_EQ(model.AddTask("25:00", "10:00 AM", "bad", -1), -1);
    EXPECT_EQ(model.AddTask("9:00 AM", "", "bad", -1), -1);
    EXPECT_EQ(model.TaskCount(), 3);

    model.SetTaskTagVariant(2, "42");
    model.SetSelectedTask(2);
    model.RemoveTask(0);
    EXPECT_EQ(model.SelectedTask(), 1);
    EXPECT_EQ(model.Task(1).tagVariant, QStringLiteral("42"));
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
    const int meeting = model.AddTask("9:00 AM", "10:30 AM", "meeting", -1);
    const int call = model.AddTask("9:30 AM", "10:00 AM", "call", -1);
    const int dentist = model.AddTask("10:00 AM", "11:00 AM", "dentist", -1);
    const int lunch = model.AddTask("12:00 PM", "1:00 PM", "lunch", -1);
    const int after = model.AddTask("1:00 PM", "2:00 PM", "back to back", -1);

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
    const int third = model.AddTask("9:45 AM", "10:15 AM", "third", -1);
    EXPECT_EQ(model.ColumnCount(meeting), 3);
    EXPECT_EQ(model.Column(third), 2);
    EXPECT_EQ(model.ColumnCount(lunch), 1);
}

TEST(DayViewModelPlacement, OddSpansStayOnTheDayAndVisible)
{
    DayViewModel model;
    const int pastMidnight = model.AddTask("11:30 PM", "12:30 AM", "late", -1);
    const int instant = model.AddTask("9:00 AM", "9:00 AM", "reminder", -1);
    const int allDay = model.AddTask("0:00 AM", "11:59 PM", "all day", -1);
    const int lastMinute = model.AddTask("11:59 PM", "11:59 PM", "edge", -1);

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
    const int nine = model.AddTask("9:00 AM", "10:00 AM", "nine", -1);   // y 360..400
    const int ten = model.AddTask("10:00 AM", "11:00 AM", "ten", -1);    // y 400..440
    const int beside = model.AddTask("9:30 AM", "10:00 AM", "beside", -1); // column 1, y 380..400

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
