// The week, work week, month and agenda: the days each covers, what they show of the
// store, the view kept between runs, and a drag, a delete and their undo and redo.
#include "SchedulerFixture.h"

#include "EventService.h"
#include "RangePane.h"
#include "SchedulerCommands.h"
#include "ShownRange.h"
#include "ViewPrint.h"
#include "basQuillon.h"
#include "views/AgendaView.h"
#include "views/DayView.h"
#include "views/WeekView.h"

#include <QAction>
#include <QMouseEvent>
#include <QPdfWriter>
#include <QProcess>
#include <QScrollBar>
#include <QTest>

namespace quillon {

namespace {

using schedulertest::SchedulerTest;

TEST(ShownRange, EachViewCoversItsDaysStepsByItsPeriodAndNamesIt)
{
    const QDate wednesday(2026, 12, 9);
    ShownRange range;
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const struct {
        SchedulerView view;
        QDate first, last, next;
        const char *title;
    } cases[] = {
        {SchedulerView::Day, wednesday, wednesday, wednesday.addDays(1), "Wednesday, December 9, 2026"},
        {SchedulerView::WorkWeek, {2026, 12, 7}, {2026, 12, 11}, {2026, 12, 16}, "December 7 \u2013 11, 2026"},
        {SchedulerView::Week, {2026, 12, 6}, {2026, 12, 12}, {2026, 12, 16}, "December 6 \u2013 12, 2026"},
        {SchedulerView::Month, {2026, 11, 29}, {2027, 1, 9}, {2027, 1, 9}, "December 2026"},
        {SchedulerView::Agenda, wednesday, {2027, 1, 7}, {2027, 1, 8}, "December 9, 2026 \u2013 January 7, 2027"},
    };
    for (const auto &c : cases) {
        range.Show(c.view, wednesday, Qt::Sunday);
        EXPECT_EQ(range.First(), c.first) << ShownRange::SettingText(c.view).toStdString();
        EXPECT_EQ(range.Last(), c.last) << ShownRange::SettingText(c.view).toStdString();
        EXPECT_EQ(range.Step(1), c.next) << ShownRange::SettingText(c.view).toStdString();
        EXPECT_EQ(range.Title(english), QString::fromUtf8(c.title));
        EXPECT_EQ(ShownRange::FromSettingText(ShownRange::SettingText(c.view)), c.view);
    }
    // A week across the months and one starting on Monday.
    range.Show(SchedulerView::Week, QDate(2026, 12, 1), Qt::Monday);
    EXPECT_EQ(range.Title(english), QString::fromUtf8("November 30 \u2013 December 6, 2026"));
    EXPECT_EQ(ShownRange::FromSettingText(QStringLiteral("Fortnight")), SchedulerView::Day);
    // The agenda's own span; a stored number it does not offer reads as 30 days.
    range.Show(SchedulerView::Agenda, wednesday, Qt::Sunday, 7);
    EXPECT_EQ(range.Last(), QDate(2026, 12, 15));
    EXPECT_EQ(range.Step(-1), QDate(2026, 12, 2));
    EXPECT_EQ(ShownRange::AgendaDaysFromSettingText(QStringLiteral("14")), 14);
    EXPECT_EQ(ShownRange::AgendaDaysFromSettingText(QStringLiteral("1000")), 30);
    EXPECT_EQ(ShownRange::AgendaDaysFromSettingText(QStringLiteral("a week")), 30);
}

class RangeViews : public SchedulerTest {
protected:
    void Choose(const char *action) { quillontest::Find<QAction>(*window, action)->trigger(); }
    QList<Event> Stored(QDate first, QDate last) { return EventService(*store).Between(first, last).value_or(QList<Event>{}); }
    static void Send(QWidget *target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, target->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
};

TEST_F(RangeViews, WeekMonthAndAgendaShowTheStoredEventsAndTheChoiceIsKept)
{
    AddEvent(QStringLiteral("Staff meeting"), {QDate(2026, 12, 8)}, QStringLiteral("9:30 AM"), QStringLiteral("10:30 AM"));
    AddEvent(QStringLiteral("Fair"), {QDate(2026, 12, 10)});
    AddEvent(QStringLiteral("Dentist"), {QDate(2026, 12, 15)}, QStringLiteral("8:00 AM"), QStringLiteral("9:00 AM"));
    Load();
    Choose("mnuViewWeek");
    RangePane &pane = *window->Range();
    EXPECT_TRUE(pane.isVisible());
    EXPECT_EQ(pane.Title(), QString::fromUtf8("December 6 \u2013 12, 2026"));
    QStringList names;
    for (const ViewEvent &event : pane.Week()->Model().Events())
        names << event.name;
    EXPECT_EQ(names, QStringList({QStringLiteral("Staff meeting"), QStringLiteral("Fair")}));

    Choose("mnuViewNext");
    ASSERT_EQ(pane.Week()->Model().Events().size(), 1);
    EXPECT_EQ(pane.Week()->Model().Events()[0].name, QStringLiteral("Dentist"));

    Choose("mnuViewAgenda");
    // A week ahead from the shown 14th; the span is kept.
    Choose("mnuViewAgendaSpan7");
    EXPECT_EQ(pane.Title(), QString::fromUtf8("December 14 \u2013 20, 2026"));
    EXPECT_EQ(basQuillon::GetOption(QLatin1String(ShownRange::kAgendaDaysSettingName), QString()), QStringLiteral("7"));
    Choose("mnuViewAgendaSpan30");
    const QStringList lines = pane.Agenda()->Lines();
    // In the locale's own forms of dates and times.
    const QLocale here;
    EXPECT_EQ(lines.value(0), here.toString(QDate(2026, 12, 15), QLocale::LongFormat));
    EXPECT_EQ(lines.value(1), ViewTimeText(here, QTime(8, 0)) + QString::fromUtf8(" \u2013 ")
                                  + ViewTimeText(here, QTime(9, 0)) + QStringLiteral("  Dentist"));
    Unload();
    Load();
    EXPECT_EQ(window->View(), SchedulerView::Agenda);
    EXPECT_TRUE(window->Range()->isVisible());
    Choose("mnuViewDay");
    EXPECT_FALSE(window->Range()->isVisible());
    EXPECT_EQ(basQuillon::GetOption(QLatin1String(ShownRange::kSettingName), QString()), QStringLiteral("Day"));
}

TEST_F(RangeViews, ADraggedEventMovesInTheStoreAndUndoAndRedoTakeItBackAndForth)
{
    const QDate monday(2026, 12, 7);
    AddEvent(QStringLiteral("Staff meeting"), {monday}, QStringLiteral("9:30 AM"), QStringLiteral("10:30 AM"));
    Load();
    window->resize(1000, 700);
    Choose("mnuViewWeek");
    WeekView &week = *window->Range()->Week();
    QApplication::processEvents();
    const WeekViewModel::Geometry geometry = week.Geometry();
    const QRectF block = week.Model().EventRect(0, geometry);
    ASSERT_FALSE(block.isEmpty());
    // One column right and two half hours down, in small steps as a hand moves.
    const QPoint from = week.viewport()->mapFrom(&week, week.ContentToWidget(block.center()));
    const QPoint to = from + QPoint(static_cast<int>(geometry.ColumnWidth()), static_cast<int>(2 * geometry.slotHeight));
    Send(week.viewport(), QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int i = 1; i <= 5; ++i)
        Send(week.viewport(), QEvent::MouseMove, from + (to - from) * i / 5, Qt::LeftButton);
    Send(week.viewport(), QEvent::MouseButtonRelease, to, Qt::NoButton);

    auto where = [&] {
        const QList<Event> events = Stored(monday, monday.addDays(6));
        return events.size() == 1 ? events[0].Dates.value(0).toString(Qt::ISODate) + QLatin1Char(' ')
                                        + events[0].StartTime.toString(QStringLiteral("HH:mm"))
                                  : QStringLiteral("%1 events").arg(events.size());
    };
    EXPECT_EQ(where(), QStringLiteral("2026-12-08 10:30"));
    ASSERT_EQ(week.Model().Events().size(), 1);
    EXPECT_EQ(week.Model().Events()[0].date, monday.addDays(1)); // the view shows the move at once

    Choose("mnuEditUndo");
    EXPECT_EQ(where(), QStringLiteral("2026-12-07 09:30"));
    Choose("mnuEditRedo");
    EXPECT_EQ(where(), QStringLiteral("2026-12-08 10:30"));

    // A delete (Delete, Yes) and its undo: the event is back with its own iCalendar text.
    const QByteArray text = EventService(*store).Load(Stored(monday, monday.addDays(6)).value(0).EventID)->Component;
    ASSERT_TRUE(text.contains("UID:"));
    week.Select(week.Model().Events()[0].id, monday.addDays(1));
    week.setFocus();
    nextAnswer = basPlatform::MessageResult::Yes;
    QTest::keyClick(&week, Qt::Key_Delete);
    EXPECT_EQ(where(), QStringLiteral("0 events"));
    Choose("mnuEditUndo");
    EXPECT_EQ(where(), QStringLiteral("2026-12-08 10:30"));
    const std::optional<Event> back = EventService(*store).Load(Stored(monday, monday.addDays(6)).value(0).EventID);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Component, text);
    Choose("mnuEditRedo");
    EXPECT_EQ(where(), QStringLiteral("0 events"));
}

// One occurrence of a repeating event dragged: undo brings the series back whole (its day
// and time, no event of its own left), redo moves the occurrence again.
TEST_F(RangeViews, UndoOfAMovedOccurrenceBringsTheSeriesBackWhole)
{
    const QDate monday(2026, 12, 7);
    {
        // Made as the editor makes it: with its iCalendar text.
        Event course;
        course.EventName = QStringLiteral("Course");
        course.StartTime = QTime(9, 30);
        course.EndTime = QTime(10, 30);
        course.Dates = {monday, monday.addDays(1), monday.addDays(2)};
        course.Recurring = true;
        basDatabase::EventStore writer;
        ASSERT_TRUE(writer.OpenDatabaseConnection());
        ASSERT_TRUE(EventService(writer).Save(course));
    }
    Load();
    window->EventCommands().SetOccurrenceChooser(
        [](const QString &, const QString &) { return std::optional(EventService::Occurrences::OnlyThis); });
    auto shown = [&] {
        QStringList lines;
        QSet<qint64> ids;
        for (const Event &event : Stored(monday, monday.addDays(6))) {
            lines << event.Dates.value(0).toString(Qt::ISODate) + event.StartTime.toString(QStringLiteral(" HH:mm"));
            ids.insert(event.EventID);
        }
        return (lines.join(QLatin1Char(' ')) + QStringLiteral(" / %1 event(s)").arg(ids.size())).toStdString();
    };
    const std::string before = shown();
    EXPECT_EQ(before, "2026-12-07 09:30 2026-12-08 09:30 2026-12-09 09:30 / 1 event(s)");

    window->resize(1000, 700);
    Choose("mnuViewWeek");
    WeekView &week = *window->Range()->Week();
    QApplication::processEvents();
    const WeekViewModel::Geometry geometry = week.Geometry();
    int tuesday = -1;
    for (int i = 0; i < week.Model().Events().size(); ++i)
        if (week.Model().Events()[i].date == monday.addDays(1))
            tuesday = i;
    ASSERT_GE(tuesday, 0);
    const QPoint from = week.viewport()->mapFrom(&week, week.ContentToWidget(week.Model().EventRect(tuesday, geometry).center()));
    const QPoint to = from + QPoint(0, static_cast<int>(2 * geometry.slotHeight));
    Send(week.viewport(), QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int i = 1; i <= 5; ++i)
        Send(week.viewport(), QEvent::MouseMove, from + (to - from) * i / 5, Qt::LeftButton);
    Send(week.viewport(), QEvent::MouseButtonRelease, to, Qt::NoButton);
    const std::string moved = shown();
    EXPECT_EQ(moved, "2026-12-07 09:30 2026-12-08 10:30 2026-12-09 09:30 / 2 event(s)");

    Choose("mnuEditUndo");
    EXPECT_EQ(shown(), before);
    Choose("mnuEditRedo");
    EXPECT_EQ(shown(), moved);
    Choose("mnuEditUndo");
    EXPECT_EQ(shown(), before);
    // Its kept text has no changed occurrence left either.
    const std::optional<Event> series = EventService(*store).Load(Stored(monday, monday).value(0).EventID);
    ASSERT_TRUE(series && series->Component.contains("BEGIN:VEVENT"));
    EXPECT_FALSE(series->Component.contains("RECURRENCE-ID"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(RangeViews, TheShownWeekAndMonthPrintWithTheirTitleAndEveryEventOfTheDay)
{
    AddEvent(QStringLiteral("Early swim"), {QDate(2026, 12, 8)}, QStringLiteral("6:00 AM"), QStringLiteral("7:00 AM"));
    AddEvent(QStringLiteral("Late concert"), {QDate(2026, 12, 9)}, QStringLiteral("9:00 PM"), QStringLiteral("11:00 PM"));
    Load();
    auto printed = [&](const char *view) {
        Choose(view);
        const QString file = TempPath(QLatin1String(view) + QStringLiteral(".pdf"));
        {
            QPdfWriter pdf(file);
            ViewPrint::Print(pdf, window->RangeToPrint(), QDate(2026, 12, 7), basCalendarFonts::LoadCalendarFonts());
        }
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
        text.waitForFinished(20000);
        return QString::fromUtf8(text.readAllStandardOutput()).simplified();
    };
    // The hours out of sight on screen are on the page: the whole day is printed.
    const QString week = printed("mnuViewWeek");
    EXPECT_TRUE(week.contains(QString::fromUtf8("December 6 \u2013 12, 2026"))) << week.toStdString();
    EXPECT_TRUE(week.contains(QStringLiteral("Early swim"))) << week.toStdString();
    EXPECT_TRUE(week.contains(QStringLiteral("Late concert"))) << week.toStdString();
    const QString month = printed("mnuViewMonth");
    EXPECT_TRUE(month.contains(QStringLiteral("December 2026"))) << month.toStdString();
    // A month cell is narrow: the name may end in "…" after the time ("6:00 AM Early …").
    EXPECT_TRUE(month.contains(ViewTimeText(QLocale(), QTime(6, 0)) + QStringLiteral(" Early")))
        << month.toStdString();
}

TEST_F(RangeViews, ADragInTheDayViewStretchesTheEventAndEscCancelsAMove)
{
    const QDate monday(2026, 12, 7);
    AddEvent(QStringLiteral("Dentist"), {monday}, QStringLiteral("9:00 AM"), QStringLiteral("10:00 AM"));
    Load();
    DayView &day = *window->SSDay();
    day.ScrollToSlot(16);
    QApplication::processEvents();
    const QRect task = day.TaskRect(0);
    const int slot = day.SlotRect(1).height();
    // Grabbed at its foot and pulled down an hour: it ends at 11:00.
    const QPoint foot = day.viewport()->mapFrom(&day, QPoint(task.center().x(), task.bottom() - 1));
    Send(day.viewport(), QEvent::MouseButtonPress, foot, Qt::LeftButton);
    for (int i = 1; i <= 4; ++i)
        Send(day.viewport(), QEvent::MouseMove, foot + QPoint(0, slot * i / 2), Qt::LeftButton);
    Send(day.viewport(), QEvent::MouseButtonRelease, foot + QPoint(0, 2 * slot), Qt::NoButton);
    ASSERT_EQ(Stored(monday, monday).size(), 1);
    EXPECT_EQ(Stored(monday, monday)[0].EndTime, QTime(11, 0));
    EXPECT_EQ(Stored(monday, monday)[0].StartTime, QTime(9, 0));

    // A move cancelled with Esc before the release changes nothing.
    const QPoint middle = day.viewport()->mapFrom(&day, day.TaskRect(0).center());
    Send(day.viewport(), QEvent::MouseButtonPress, middle, Qt::LeftButton);
    Send(day.viewport(), QEvent::MouseMove, middle + QPoint(0, 3 * slot), Qt::LeftButton);
    QTest::keyClick(&day, Qt::Key_Escape);
    Send(day.viewport(), QEvent::MouseButtonRelease, middle + QPoint(0, 3 * slot), Qt::NoButton);
    EXPECT_EQ(Stored(monday, monday)[0].StartTime, QTime(9, 0));
}

} // namespace

} // namespace quillon
