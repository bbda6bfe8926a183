// The programs as a user meets them: a private X display with a window manager and a
// tray, the real programs, and the mouse and keys through xdotool.
#include "UserSession.h"

#include "EventStore.h"

#include <cstdlib>

namespace quillon {

namespace {

using sessiontest::UserSession;

TEST_F(UserSession, TheMiniCalendarOpensBesideTheTrayIconAndHidesLikeAPopup)
{
    // A panel that reserves no room, so the work area cannot say where the icon is.
    ASSERT_TRUE(session->Launch(QStringLiteral("trayer"),
                                {QStringLiteral("--edge"), QStringLiteral("bottom"), QStringLiteral("--align"),
                                 QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                                 QStringLiteral("--SetDockType"), QStringLiteral("false"),
                                 QStringLiteral("--SetPartialStrut"), QStringLiteral("false")}));
    ASSERT_TRUE(Start("quillon"));
    QRect icon;
    // The launcher's only shown window: its icon in the tray, once the panel has made room
    // for it (two looks in a row find it at the same place).
    ASSERT_TRUE(WaitFor([&] {
        const QRect before = icon;
        icon = Found({QStringLiteral("--classname"), QStringLiteral("^quillon$")});
        return !icon.isEmpty() && icon == before;
    }));
    const QString mini = QStringLiteral("Quillon");

    // Shown beside the icon, frame included, so the icon stays in reach.
    Click(icon.center(), 2);
    QRect shown;
    EXPECT_TRUE(WaitFor([&] {
        shown = Window(mini);
        return !shown.isEmpty() && !shown.adjusted(0, -40, 0, 0).intersects(icon);
    })) << "at " << shown.x() << "," << shown.y() << " " << shown.width() << "x" << shown.height() << ", icon at "
        << icon.x() << "," << icon.y();

    // The icon hides it again; Esc does (once it has the keys); so does a click into
    // another window.
    Pause();
    Click(icon.center(), 2);
    EXPECT_TRUE(WaitFor([&] { return Window(mini).isEmpty(); }));
    Pause();
    Click(icon.center(), 2);
    ASSERT_TRUE(WaitFor([&] { return !Window(mini).isEmpty() && ActiveWindow() == mini; }));
    Xdo({QStringLiteral("key"), QStringLiteral("Escape")});
    EXPECT_TRUE(WaitFor([&] { return Window(mini).isEmpty(); }));

    ASSERT_TRUE(Start("scheduler"));
    QRect scheduler;
    // Its window mapped and given the focus, so that nothing takes the focus from the
    // mini calendar later.
    ASSERT_TRUE(WaitFor([&] {
        return !(scheduler = Window(QStringLiteral("Quillon Scheduler"))).isEmpty()
            && ActiveWindow() == QStringLiteral("Quillon Scheduler");
    }));
    Pause();
    Click(icon.center(), 2);
    ASSERT_TRUE(WaitFor([&] { return !Window(mini).isEmpty() && ActiveWindow() == mini; }));
    Click(scheduler.topLeft() + QPoint(scheduler.width() / 2, 60), 1);
    EXPECT_TRUE(WaitFor([&] { return Window(mini).isEmpty(); }));
}

TEST_F(UserSession, OptionsCancelledFromTheSchedulerIsNoError)
{
    ASSERT_TRUE(Start("scheduler"));
    QRect scheduler;
    ASSERT_TRUE(WaitFor([&] { return !(scheduler = Window(QStringLiteral("Quillon Scheduler"))).isEmpty(); }));
    Pause();
    Click(scheduler.bottomLeft() + QPoint(scheduler.width() / 3, -8), 1); // the status bar takes the focus
    Xdo({QStringLiteral("key"), QStringLiteral("alt+e")});
    Pause(); // the menu opens
    Xdo({QStringLiteral("key"), QStringLiteral("o")});
    ASSERT_TRUE(WaitFor([&] { return !Window(QStringLiteral("Quillon Options")).isEmpty(); }));

    Activate(QStringLiteral("Quillon Options"));
    Xdo({QStringLiteral("key"), QStringLiteral("Escape")});
    ASSERT_TRUE(WaitFor([&] { return Window(QStringLiteral("Quillon Options")).isEmpty(); }));
    // Long enough for a message box to come up, were the scheduler to show one.
    QThread::msleep(1500);
    EXPECT_TRUE(Window(QStringLiteral("Quillon Error")).isEmpty());
    EXPECT_FALSE(Window(QStringLiteral("Quillon Scheduler")).isEmpty());
}

// Where the screen is pure green.
QRect GreenBox(const QImage &screen)
{
    QRect box;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if ((screen.pixel(x, y) & 0xffffff) == 0x00ff00)
                box |= QRect(x, y, 1, 1);
    return box;
}

// An event dragged with the mouse in the day view: a real press, moves and release, as
// a hand gives them, move it in the store.
TEST_F(UserSession, AnEventDraggedWithTheMouseMovesToItsNewTime)
{
    const QDate today(2026, 12, 6); // the session's
    basQuillon::SaveOption(QStringLiteral("SchedulerDurationFillColor"), QString::number(0x00ff00)); // found by its green
    qint64 id = 0;
    {
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection(TempPath(QStringLiteral("dbcalndr.sqlite"))));
        basDatabase::EventRecord meeting;
        meeting.EventName = QStringLiteral("Staff meeting");
        meeting.StartTime = QTime(9, 30);
        meeting.EndTime = QTime(10, 30);
        ASSERT_TRUE(store.AddEventToDatabase(meeting, {today}, id));
    }
    ASSERT_TRUE(Start("scheduler"));
    QRect scheduler;
    ASSERT_TRUE(WaitFor([&] { return !(scheduler = Window(QStringLiteral("Quillon Scheduler"))).isEmpty(); }));
    Pause();
    Click(scheduler.bottomLeft() + QPoint(scheduler.width() / 3, -8), 1); // the status bar takes the focus
    // Where the event is once the window has settled: two looks in a row find it alike.
    QRect block;
    ASSERT_TRUE(WaitFor([&] {
        const QRect before = block;
        block = GreenBox(session->Screenshot());
        return block.height() > 10 && block == before;
    })) << "the event is not on the screen";
    // Down by an hour, in steps, the button held.
    const QPoint from = block.center();
    const int hour = block.height(); // the event is an hour long
    Xdo({QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y()), QStringLiteral("mousedown"),
         QStringLiteral("1")});
    for (int step = 1; step <= 6; ++step) {
        QThread::msleep(50); // a hand's pace, whatever the load
        Xdo({QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y() + hour * step / 6)});
    }
    QThread::msleep(50);
    Xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
    const auto start = [&] {
        basDatabase::EventStore store;
        basDatabase::EventRecord stored;
        return store.OpenDatabaseConnection(TempPath(QStringLiteral("dbcalndr.sqlite"))) && store.GetEventData(id, stored)
                   ? stored.StartTime
                   : QTime();
    };
    EXPECT_TRUE(WaitFor([&] { return start() == QTime(10, 30); })) << start().toString().toStdString();
    // And drawn there: an hour's row lower (the block is a little shorter than its row).
    QRect moved;
    EXPECT_TRUE(WaitFor([&] {
        moved = GreenBox(session->Screenshot());
        const int down = moved.top() - block.top();
        return moved.height() == block.height() && down >= hour && down <= hour + 8;
    }, 5000)) << block.y() << "+" << block.height() << " -> " << moved.y() << "+" << moved.height();
    EXPECT_TRUE(Window(QStringLiteral("Quillon Error")).isEmpty());
}

} // namespace

} // namespace quillon
