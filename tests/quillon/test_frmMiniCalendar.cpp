#include "QuillonTestEnvironment.h"

#include "MiniCalendarDock.h"
#include "frmMiniCalendar.h"
#include "views/MonthView.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTest>
#include <QScreen>

namespace quillon {

namespace {
using quillontest::QuillonTest;
using namespace MiniCalendarDock;

TEST(MiniCalendarDock, SitsInTheCornerNextToTheTaskbar)
{
    const QRect screen(0, 0, 1920, 1080);
    const QSize window(220, 180);
    struct Case {
        const char *name;
        QRect workArea;
        QString edge;
        QPoint position;
    };
    const Case cases[] = {
        {"bottom taskbar", QRect(0, 0, 1920, 1040), QStringLiteral("BOTTOM"), QPoint(1700, 860)},
        {"top taskbar", QRect(0, 40, 1920, 1040), QStringLiteral("TOP"), QPoint(1700, 40)},
        {"left taskbar", QRect(60, 0, 1860, 1080), QStringLiteral("LEFT"), QPoint(60, 900)},
        {"right taskbar", QRect(0, 0, 1860, 1080), QStringLiteral("RIGHT"), QPoint(1640, 900)},
        {"hidden taskbar", screen, QStringLiteral("RIGHT"), QPoint(1700, 900)},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(EdgeName(TaskbarEdge(screen, c.workArea)), c.edge) << c.name;
        const QPoint at = DockPosition(screen, c.workArea, window);
        EXPECT_EQ(at, c.position) << c.name;
        EXPECT_TRUE(c.workArea.contains(QRect(at, window))) << c.name;
    }
}

TEST(MiniCalendarDock, WideScreensAndASecondMonitor)
{
    // Positions beyond 16 bits of twips, and a screen that does not start at 0,0.
    const QRect wide(3840, 0, 7680, 4320);
    const QRect workArea(3840, 0, 7680, 4250);
    const QPoint at = DockPosition(wide, workArea, QSize(400, 300));
    EXPECT_EQ(at, QPoint(3840 + 7280, 3950));
    EXPECT_EQ(EdgeName(TaskbarEdge(wide, QRect(3840, 70, 7680, 4250))), QStringLiteral("TOP"));
}

TEST(MiniCalendarDock, BesideTheTrayIconNeverOverIt)
{
    const QRect screen(0, 0, 1920, 1080);
    const QSize window(220, 180);
    struct Case {
        const char *name;
        QRect workArea, icon;
        QPoint position;
    };
    const Case cases[] = {
        {"bottom panel reserving nothing", screen, QRect(1880, 1050, 24, 24), QPoint(1684, 870)},
        {"bottom panel, icon at the far left", screen, QRect(30, 1050, 24, 24), QPoint(0, 870)},
        {"right panel reserving nothing", screen, QRect(1890, 500, 24, 24), QPoint(1670, 344)},
        {"left panel reserving nothing", screen, QRect(6, 10, 24, 24), QPoint(30, 0)},
        {"top panel", QRect(0, 40, 1920, 1040), QRect(1800, 8, 24, 24), QPoint(1604, 40)},
        {"bottom panel", QRect(0, 0, 1920, 1040), QRect(1800, 1048, 24, 24), QPoint(1604, 860)},
    };
    for (const Case &c : cases) {
        const QPoint at = DockPosition(screen, c.workArea, window, c.icon);
        EXPECT_EQ(at, c.position) << c.name;
        EXPECT_FALSE(QRect(at, window).intersects(c.icon)) << c.name;
        EXPECT_TRUE(screen.contains(QRect(at, window))) << c.name;
    }
    // Where the tray does not say, the corner as before.
    EXPECT_EQ(DockPosition(screen, screen, window, QRect()), DockPosition(screen, screen, window));
}

class MiniCalendar : public QuillonTest {};

TEST_F(MiniCalendar, EscOrAClickElsewhereHidesItAndTheIconClickThatDidSoKeepsItHidden)
{
    frmMiniCalendar form;
    form.Toggle();
    ASSERT_TRUE(form.isVisible());
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());

    form.Toggle();
    ASSERT_TRUE(form.isVisible());
    QEvent deactivate(QEvent::WindowDeactivate);   // the press on the icon took the focus
    QApplication::sendEvent(&form, &deactivate);
    EXPECT_FALSE(form.isVisible());
    form.Toggle();                                 // that press's own click
    EXPECT_FALSE(form.isVisible());
    form.Toggle();                                 // a later click shows it again
    EXPECT_TRUE(form.isVisible());
}

TEST_F(MiniCalendar, LoadsHiddenWithTheRangeAndDocksOnTheScreen)
{
    frmMiniCalendar form;
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.SSMonth()->MinimumDate(), QDate(1900, 1, 1));
    EXPECT_EQ(form.SSMonth()->MaximumDate(), QDate(2050, 12, 31));
    EXPECT_EQ(form.SSMonth()->Date(), QDate(2026, 12, 6));
    const QSize size = form.size();
    form.show();
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form.size(), size);
    EXPECT_TRUE(work.contains(form.frameGeometry())) << form.frameGeometry().x() << "," << form.frameGeometry().y();
    EXPECT_EQ(form.frameGeometry().bottomRight(), work.bottomRight());
}
} // namespace

} // namespace quillon
