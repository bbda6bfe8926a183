// The main window's commands that change events: new, edit, delete, delete an all-day
// event, and the options program. They run in SchedulerCommands over this window.
#include "frmMain.h"

#include "EventService.h"
#include "SchedulerCommandHost.h"
#include "SchedulerCommands.h"
#include "UndoHistory.h"
#include "views/DayView.h"

namespace quillon {

namespace {

// The window as the commands see it, with the events over the window's store.
class MainWindowHost : public QObject, public SchedulerCommandHost {
public:
    MainWindowHost(frmMain &window, basDatabase::EventStore &store) : QObject(&window), m_window(window), m_events(store)
    {
    }

    EventService &Events() { return m_events; }

    basQuillon::GeneralSettingsRecord &Settings() override { return m_window.Settings(); }
    void NoteEventDatesChanged(const QList<QDate> &dates) override { m_window.NoteEventDatesChanged(dates); }
    DayView &SSDay() override { return *m_window.SSDay(); }
    QDate CurrentDate() const override { return m_window.Page().CurrentDate(); }
    void AddEventToDayView(const Event &event) override { m_window.AddEventToDayView(event); }
    void UpdateDayViewCaption(const QString &dateColor) override { m_window.UpdateDayViewCaption(dateColor); }
    void UpdateMonthView() override { m_window.UpdateMonthView(); }
    void WeekStartChanged() override { m_window.WeekStartChanged(); }
    void SelectCurrentDateInMonthView() override { m_window.SelectCurrentDateInMonthView(); }
    QList<AllDayEntry> AllDayEvents() const override
    {
        QList<AllDayEntry> entries;
        for (const DayPage::AllDayEvent &event : m_window.Page().AllDayEvents())
            entries << AllDayEntry{event.EventID, event.EventName};
        return entries;
    }
    void SetToolbarEditEnabled(bool enabled) override { m_window.SetToolbarEditEnabled(enabled); }
    void SetToolbarDeleteEnabled(bool enabled) override { m_window.SetToolbarDeleteEnabled(enabled); }
    void EnableRefreshButton() override { m_window.EnableRefreshButton(); }

private:
    frmMain &m_window;
    EventService m_events;
};

} // namespace

SchedulerCommands &frmMain::EventCommands()
{
    if (!m_eventCommands) {
        auto *host = new MainWindowHost(*this, m_page.Store());
        m_eventCommands = new SchedulerCommands(host->Events(), *host, this);
        m_history = new UndoHistory(host->Events(), [this](const QList<QDate> &dates) {
            NoteEventDatesChanged(dates);
            UpdateMonthView();
            SelectCurrentDateInMonthView();
            EnableRefreshButton();
        }, this);
        m_eventCommands->SetHistory(m_history);
    }
    return *m_eventCommands;
}

UndoHistory &frmMain::History()
{
    EventCommands();
    return *m_history;
}

void frmMain::CreateNewEvent() { EventCommands().CreateNewEvent(); }

void frmMain::EditEvent(qint64 eventId, int taskIndex) { EventCommands().EditEvent(eventId, taskIndex); }

void frmMain::DeleteEvent(qint64 eventId, int taskIndex) { EventCommands().DeleteEvent(eventId, taskIndex); }

void frmMain::DeleteAllDayEvent(int position) { EventCommands().DeleteAllDayEvent(position); }

void frmMain::mnuEditOptions_Click() { EventCommands().Options(); }

} // namespace quillon
