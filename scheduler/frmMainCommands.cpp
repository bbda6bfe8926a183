// The main window's commands that change events: new, edit, delete, delete an all-day
// event, and the options program. The event editing fills them in.
#include "frmMain.h"

void frmMain::CreateNewEvent() {}

void frmMain::EditEvent(qint64, int) {}

void frmMain::DeleteEvent(qint64, int) {}

void frmMain::DeleteAllDayEvent(int) {}

void frmMain::mnuEditOptions_Click() {}
