// The main window's Find: the window over the same store, and the day it asks for.
#include "frmMain.h"

#include "basOperation.h"
#include "frmFind.h"
#include "views/DayView.h"
#include "views/MonthView.h"

#include <QScreen>

#include <algorithm>

namespace quillon {

using basOperation::Steps;

void frmMain::mnuEditFind_Click()
{
    basOperation::TrapVoid("frmMain.mnuEditFind_Click", [&](Steps &step) {
        step(10);
        const bool first = !m_find;
        if (first) {
            m_find = new frmFind(m_page.Store(), this);
            connect(m_find, &frmFind::DayChosen, this, &frmMain::ShowFoundDay);
        }
        step(20);
        m_find->show();
        if (first)
            PlaceBeside(*m_find);
        m_find->raise();
        m_find->activateWindow();
        step(30);
        m_find->Refresh();
    });
}

void frmMain::PlaceBeside(QWidget &window) const
{
    // Beside the main window rather than over it, so that the day it shows is seen: to its
    // right where the screen has room, else to its left, else against the screen's right
    // edge, over the month rather than the day (the left pane).
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QRect main = frameGeometry();
    const QSize size = window.frameGeometry().size();
    const int top = std::clamp(main.top(), room.top(), std::max(room.top(), room.bottom() - size.height() + 1));
    if (main.right() + size.width() <= room.right())
        window.move(main.right() + 1, top);
    else if (main.left() - size.width() >= room.left())
        window.move(main.left() - size.width(), top);
    else
        window.move(std::max(room.left(), room.right() - size.width() + 1), top);
}

void frmMain::ShowFoundDay(const QDate &date, qint64 eventId)
{
    basOperation::TrapVoid("frmMain:ShowFoundDay", [&](Steps &step) {
        step(10);
        // Setting the month view's date moves it there and reloads the shown day.
        if (!m_monthView->SetDate(date))
            return;
        step(20);
        const int task = GetTaskIndex(eventId);
        if (task >= 0) {
            m_dayView->SetSelectedTask(task);
            SSDay_Click();
        }
    });
}

} // namespace quillon
