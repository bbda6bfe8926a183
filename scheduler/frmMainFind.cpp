// The main window's Find: the window over the same store, and the day it asks for.
#include "frmMain.h"

#include "basOperation.h"
#include "frmFind.h"
#include "views/DayView.h"
#include "views/MonthView.h"

namespace quillon {

using basOperation::Steps;

void frmMain::mnuEditFind_Click()
{
    basOperation::TrapVoid("frmMain.mnuEditFind_Click", [&](Steps &step) {
        step(10);
        if (!m_find) {
            m_find = new frmFind(m_page.Store(), this);
            connect(m_find, &frmFind::DayChosen, this, &frmMain::ShowFoundDay);
        }
        step(20);
        m_find->show();
        m_find->raise();
        m_find->activateWindow();
        step(30);
        m_find->Refresh();
    });
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
