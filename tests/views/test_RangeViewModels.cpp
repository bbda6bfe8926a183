#include "views/MonthGridModel.h"
#include "views/WeekViewModel.h"

#include <gtest/gtest.h>

namespace quillon {

namespace {

const QDate kSunday(2026, 12, 6);

ViewEvent Timed(qint64 id, QDate date, QTime start, QTime end)
{
    ViewEvent event;
    event.id = id;
    event.date = date;
    event.start = start;
    event.end = end;
    event.name = QStringLiteral("e%1").arg(id);
    return event;
}

TEST(WeekViewModel, EventsGoToTheirDaysOverlapsSideBySideAndHitsFindTheTopmost)
{
    WeekViewModel model;
    model.SetDays(kSunday, 7);
    ViewEvent allDay = Timed(9, kSunday.addDays(2), {}, {});
    allDay.allDay = true;
    model.SetEvents({Timed(1, kSunday.addDays(1), QTime(9, 0), QTime(10, 0)),
                     Timed(2, kSunday.addDays(1), QTime(9, 30), QTime(11, 0)), allDay,
                     Timed(3, kSunday.addDays(9), QTime(9, 0), QTime(10, 0)), // after the week: left out
                     Timed(4, kSunday.addDays(3), QTime(), QTime(10, 0))});   // no start: nothing to place
    ASSERT_EQ(model.Events().size(), 3);
    EXPECT_EQ(model.AllDayRows(), 1);
    EXPECT_EQ(model.AllDay(2), std::vector<int>{2});

    WeekViewModel::Geometry geometry;
    geometry.scaleWidth = 60;
    geometry.width = 60 + 7 * 100;
    geometry.slotHeight = 20;
    const QRectF first = model.EventRect(0, geometry);
    const QRectF second = model.EventRect(1, geometry);
    // Monday's column, each of the two overlapping events in half of it, from its time.
    EXPECT_GE(first.left(), 160);
    EXPECT_LE(second.right(), 260);
    EXPECT_LT(first.right(), second.left() + 1);
    EXPECT_DOUBLE_EQ(first.top(), 9 * 2 * 20);
    EXPECT_DOUBLE_EQ(second.bottom(), 11 * 2 * 20);

    const WeekViewModel::Hit hit = model.HitAt(second.center(), geometry);
    EXPECT_EQ(hit.day, 1);
    EXPECT_EQ(hit.event, 1);
    EXPECT_EQ(model.HitAt(QPointF(500, 3 * 40 + 5), geometry).event, -1);
    EXPECT_EQ(model.HitAt(QPointF(500, 3 * 40 + 5), geometry).slot, 6);
    EXPECT_EQ(model.HitAt(QPointF(30, 100), geometry).day, -1); // the time scale
    EXPECT_EQ(model.Find(2, kSunday.addDays(1)), 1);
}

TEST(WeekViewModel, ADragLandsInHalfHoursOrFiveMinutesAndStaysWithinTheDayAndTheWeek)
{
    WeekViewModel model;
    model.SetDays(kSunday, 7);
    model.SetEvents({Timed(1, kSunday.addDays(1), QTime(9, 0), QTime(10, 0)),
                     Timed(2, kSunday.addDays(6), QTime(22, 0), QTime(23, 30))});
    WeekViewModel::Geometry geometry;
    geometry.scaleWidth = 60;
    geometry.width = 60 + 7 * 100;
    geometry.slotHeight = 20; // 1.5 minutes a pixel
    using Kind = WeekViewModel::DragKind;
    using Landing = WeekViewModel::Landing;

    // Two columns right and 45 px down: Wednesday, an hour later (the nearest half hour).
    EXPECT_EQ(model.DragTo(0, Kind::Move, {210, 45}, false, geometry),
              (Landing{kSunday.addDays(3), QTime(10, 0), QTime(11, 0)}));
    // Fine: five-minute steps.
    EXPECT_EQ(model.DragTo(0, Kind::Move, {0, 14}, true, geometry),
              (Landing{kSunday.addDays(1), QTime(9, 20), QTime(10, 20)}));
    // A resize moves only the end, never to or before the start.
    EXPECT_EQ(model.DragTo(0, Kind::Resize, {300, 40}, false, geometry),
              (Landing{kSunday.addDays(1), QTime(9, 0), QTime(11, 0)}));
    EXPECT_EQ(model.DragTo(0, Kind::Resize, {0, -400}, false, geometry),
              (Landing{kSunday.addDays(1), QTime(9, 0), QTime(9, 30)}));
    // Past the last day and past midnight it stops at their edges.
    EXPECT_EQ(model.DragTo(1, Kind::Move, {500, 400}, false, geometry),
              (Landing{kSunday.addDays(6), QTime(22, 29), QTime(23, 59)}));
    // Too small a movement is no move.
    EXPECT_FALSE(model.DragTo(0, Kind::Move, {20, 5}, false, geometry).date.isValid());
}

TEST(MonthGridModel, SixWeeksFromTheWeekStartWithAsManyEventsAsFitAndTheRestCounted)
{
    MonthGridModel model;
    model.SetMonth(QDate(2026, 12, 17), Qt::Sunday);
    EXPECT_EQ(model.FirstDay(), QDate(2026, 11, 29)); // the 1st is a Tuesday
    EXPECT_EQ(model.LastDay(), QDate(2027, 1, 9));
    model.SetMonth(QDate(2026, 12, 17), Qt::Monday);
    EXPECT_EQ(model.FirstDay(), QDate(2026, 11, 30));

    QList<ViewEvent> events;
    for (int i = 0; i < 5; ++i)
        events << Timed(i + 1, QDate(2026, 12, 9), QTime(8 + i, 0), QTime(9 + i, 0));
    events << Timed(9, QDate(2027, 3, 1), QTime(8, 0), QTime(9, 0));
    model.SetEvents(events);
    const int cell = model.CellOf(QDate(2026, 12, 9));
    EXPECT_EQ(model.EventsOn(cell).size(), 5);

    MonthGridModel::Geometry geometry;
    geometry.width = 700;
    geometry.headerHeight = 20;
    geometry.lineHeight = 16;
    geometry.height = 20 + 6 * 64; // four lines a cell: the number and three more
    EXPECT_EQ(model.LinesOf(cell, geometry).shown, 2);
    EXPECT_EQ(model.LinesOf(cell, geometry).more, 3);
    geometry.height = 20 + 6 * 96; // six lines: all five fit
    EXPECT_EQ(model.LinesOf(cell, geometry).more, 0);

    const QRectF rect = model.CellRect(cell, geometry);
    EXPECT_EQ(model.CellAt(rect.center(), geometry), cell);
    EXPECT_EQ(model.EventAt(QPointF(rect.left() + 5, rect.top() + 16 + 3), geometry), 0);
    EXPECT_EQ(model.EventAt(QPointF(rect.left() + 5, rect.top() + 3), geometry), -1); // the day number
    EXPECT_EQ(model.CellAt(QPointF(5, 5), geometry), -1);                              // the weekday names
}

} // namespace

} // namespace quillon
