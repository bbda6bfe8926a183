// The programs as a user meets them: a private X display with a window manager and a
// tray, the real programs, and the mouse and keys through xdotool.
#include "UserSession.h"

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

} // namespace

} // namespace quillon
