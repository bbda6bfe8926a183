#include "SchedulerCommands.h"

#include "SchedulerCommandHost.h"
#include "basDateText.h"
#include "basExecuteProgram.h"
#include "basOperation.h"
#include "basRefreshFlag.h"
#include "basTimeText.h"
#include "frmEvent.h"
#include "platform/basPlatform.h"
#include "views/DayView.h"

#include <QAction>
#include <QMenu>

using basOperation::Steps;

namespace {

bool AskYesNo(const QString &text, const char *title)
{
    // No is the answer when nobody can be asked: nothing is deleted unseen.
    return basPlatform::ShowMessage(text, QString::fromLatin1(title), basPlatform::MessageIcon::Question,
                                    basPlatform::MessageButtons::YesNo,
                                    basPlatform::MessageResult::No) == basPlatform::MessageResult::Yes;
}

qint64 EventIdNumber(const QString &eventId)
{
    bool ok = false;
    const qint64 id = eventId.toLongLong(&ok);
    if (!ok || id <= 0)
        basOperation::ThrowTypeMismatch();
    return id;
}

void PrimeEditor(frmEvent &editor, const basDatabase::EventRecord &event, const QString &eventId, const QString &date)
{
    editor.SetEventID(eventId);
    editor.SetEventSubject(event.EventName);
    editor.SetAllDayEvent(event.AllDayEvent);
    editor.SetEventDate(date);
    editor.SetEventStartTime(basTimeText::FormatTimeText(event.StartTime));
    editor.SetEventEndTime(basTimeText::FormatTimeText(event.EndTime));
    editor.SetEventColor(event.EventColor);
    editor.SetEventIconIndex(event.EventIcon == 0 ? QString() : QString::number(event.EventIcon));
    editor.SetEventNotes(event.Notes);
    editor.SetEventRecurring(event.Recurring);
}

} // namespace

SchedulerCommands::SchedulerCommands(basDatabase::EventStore &store, DayView &dayView, SchedulerCommandHost &host,
                                     basQuillon::GeneralSettingsRecord &settings, bool &calendarRefreshNeeded,
                                     QWidget *window)
    : QObject(window), m_store(store), m_dayView(dayView), m_host(host), m_settings(settings),
      m_calendarRefreshNeeded(calendarRefreshNeeded), m_window(window),
      m_runEditor([](frmEvent &editor) {
          // With nobody to type, the editor is not shown and counts as cancelled.
          if (!basPlatform::IsNonInteractive())
              editor.exec();
      }),
      m_runPopup([](QMenu &menu, QPoint at) { menu.popup(at); }),
      m_optionsProgram(basExecuteProgram::ProgramPath(QStringLiteral("options"))),
      m_calendarProgram(basExecuteProgram::ProgramPath(QStringLiteral("calendar")))
{
}

void SchedulerCommands::SetProgramPaths(const QString &options, const QString &calendar)
{
    m_optionsProgram = options;
    m_calendarProgram = calendar;
}

void SchedulerCommands::SetEnabled(QAction *action, bool enabled)
{
    if (action)
        action->setEnabled(enabled);
}

bool SchedulerCommands::RunEditor(frmEvent &editor)
{
    m_runEditor(editor);
    return editor.OkPressed();
}

void SchedulerCommands::CreateNewEvent()
{
    basOperation::TrapVoid("frmMain:CreateNewEvent", [&](Steps &step) {
        step(10);
        const int slot = m_dayView.SelectedTimeSlot();
        QString start = slot != -1 ? m_dayView.TimeOfSlot(slot) : QString();
        if (start.isEmpty()) {
            if (basDateText::FormatDateText(basPlatform::Today()) == m_host.CurrentDate())
                start = basTimeText::FormatTimeText(basPlatform::Now().time());
            else
                start = QString::fromLatin1(kDefaultStartTime);
        }
        step(20);
        frmEvent editor(m_store, m_settings, m_calendarRefreshNeeded, m_window);
        editor.SetEventID(QString());
        editor.SetEventSubject(QString());
        editor.SetAllDayEvent(false);
        editor.SetEventDate(m_host.CurrentDate());
        editor.SetEventStartTime(start);
        editor.SetEventColor(QString());
        editor.SetEventIconIndex(QString());
        editor.SetEventNotes(QString());
        editor.SetEventRecurring(false);
        step(30);
        if (!RunEditor(editor))
            return;
        step(40);
        if (editor.EventDate() == m_host.CurrentDate()) {
            m_host.AddEventToDayView(editor.Record());
            const bool slotSelected = m_dayView.SelectedTimeSlot() >= 0;
            SetEnabled(m_actions.toolEdit, slotSelected);
            SetEnabled(m_actions.toolDelete, slotSelected);
        }
        step(50);
        m_host.UpdateMonthView();
        m_host.SelectCurrentDateInMonthView();
        EnableRefreshButton();
    });
}

void SchedulerCommands::EditEvent(const QString &eventId, int taskIndex)
{
    basOperation::TrapVoid("frmMain:EditEvent", [&](Steps &step) {
        step(10);
        const qint64 id = EventIdNumber(eventId);
        basDatabase::EventRecord event;
        QList<QDate> dates;
        if (!m_store.GetEventData(id, event) || !m_store.GetAllDatesForEvent(id, dates))
            return;
        step(20);
        frmEvent editor(m_store, m_settings, m_calendarRefreshNeeded, m_window);
        PrimeEditor(editor, event, eventId, m_host.CurrentDate());
        step(30);
        if (!RunEditor(editor))
            return;
        step(40);
        if (taskIndex >= 0 && taskIndex < m_dayView.TaskCount())
            m_dayView.RemoveTask(taskIndex);
        m_host.AddEventToDayView(editor.Record());
        step(50);
        m_host.UpdateMonthView();
        m_host.SelectCurrentDateInMonthView();
        EnableRefreshButton();
    });
}

void SchedulerCommands::DeleteEvent(const QString &eventId, int taskIndex)
{
    basOperation::TrapVoid("frmMain:DeleteEvent", [&](Steps &step) {
        step(10);
        const QString text = QStringLiteral("Delete event '%1'?").arg(m_dayView.TaskText(taskIndex));
        if (!AskYesNo(text, kDeleteEventTitle))
            return;
        step(20);
        const qint64 id = EventIdNumber(eventId);
        QList<QDate> dates;
        if (!m_store.GetAllDatesForEvent(id, dates) || !m_store.DeleteEventFromDatabase(id))
            return;
        step(30);
        m_host.UpdateMonthView();
        SetEnabled(m_actions.toolDelete, false);
        m_host.SelectCurrentDateInMonthView();
        basRefreshFlag::NoteChangedDates(m_calendarRefreshNeeded, dates);
        EnableRefreshButton();
    });
}

void SchedulerCommands::DeleteAllDayEvent(int position)
{
    basOperation::TrapVoid("frmMain:DeleteAllDayEvent", [&](Steps &step) {
        step(10);
        const QStringList entries = m_host.AllDayEvents();
        if (position < 1 || position > entries.size())
            throw basOperation::Failure(basOperation::kInvalidProcedureCall, QStringLiteral("Invalid procedure call or argument"));
        const QString &entry = entries[position - 1];
        const QString eventId = entry.section(QLatin1Char('|'), 0, 0);
        // The name is everything after the id, a "|" in it included.
        const QString name = entry.section(QLatin1Char('|'), 1);
        step(20);
        if (AskYesNo(QStringLiteral("Delete all day event '%1'?").arg(name), kDeleteAllDayEventTitle)) {
            step(30);
            const qint64 id = EventIdNumber(eventId);
            QList<QDate> dates;
            if (!m_store.GetAllDatesForEvent(id, dates) || !m_store.DeleteEventFromDatabase(id))
                return;
            step(40);
            m_host.RemoveAllDayEvent(eventId);
            m_host.UpdateDayViewCaption(QString());
            m_host.UpdateMonthView();
            basRefreshFlag::NoteChangedDates(m_calendarRefreshNeeded, dates);
            EnableRefreshButton();
        }
        step(50);
        m_host.SelectCurrentDateInMonthView();
    });
}

void SchedulerCommands::EditSelectedEvent(const char *reportName)
{
    basOperation::TrapVoid(reportName, [&](Steps &step) {
        step(10);
        const int task = m_dayView.SelectedTask();
        if (task >= 0)
            EditEvent(m_dayView.TaskTagVariant(task), task);
    });
}

void SchedulerCommands::DeleteSelectedEvent(const char *reportName)
{
    basOperation::TrapVoid(reportName, [&](Steps &step) {
        step(10);
        const int task = m_dayView.SelectedTask();
        if (task < 0)
            return;
        DeleteEvent(m_dayView.TaskTagVariant(task), task);
        SetEnabled(m_actions.toolEdit, false);
    });
}

void SchedulerCommands::PrepareEditMenu()
{
    const bool ready = basOperation::Trap("frmMain.mnuEdit_Click", false, [&](Steps &step) {
        step(10);
        const bool selected = m_dayView.SelectedTask() >= 0;
        SetEnabled(m_actions.editEditEvent, selected);
        SetEnabled(m_actions.editDeleteEvent, selected);
        return true;
    });
    QMenu *submenu = m_actions.editDeleteAllDayEvent;
    if (!ready || !submenu)
        return;
    // From here on a failure leaves the submenu as far as it got.
    basOperation::TrapSilently(false, [&](Steps &) {
        submenu->clear();
        const QStringList entries = m_host.AllDayEvents();
        submenu->menuAction()->setEnabled(!entries.isEmpty());
        for (int i = 1; i <= entries.size(); ++i) {
            QString name = entries[i - 1].section(QLatin1Char('|'), 1);
            // An ampersand in a name is shown, not taken for an access key.
            QAction *item = submenu->addAction(name.replace(QLatin1Char('&'), QLatin1String("&&")));
            item->setData(i);
            connect(item, &QAction::triggered, this, [this, i] { DeleteAllDayEvent(i); });
        }
        return true;
    });
}

void SchedulerCommands::Options()
{
    basOperation::TrapVoid("frmMain.mnuEditOptions_Click", [&](Steps &step) {
        step(10);
        const std::int32_t backColor = m_settings.SchedulerBackColor;
        const std::int32_t fillColor = m_settings.SchedulerDurationFillColor;
        step(20);
        const std::int32_t result = basExecuteProgram::ExecuteAndWait(m_optionsProgram);
        if (result != 0) {
            basExecuteProgram::ShowStartError(QStringLiteral("options.exe"), result);
            return;
        }
        step(30);
        m_settings = basQuillon::LoadGeneralSettings();
        step(40);
        if (m_settings.SchedulerBackColor != backColor || m_settings.SchedulerDurationFillColor != fillColor) {
            if (m_settings.SchedulerBackColor > -1)
                m_dayView.SetBackColor(m_settings.SchedulerBackColor);
            if (m_settings.SchedulerDurationFillColor > -1)
                m_dayView.SetDurationBarFillColor(m_settings.SchedulerDurationFillColor);
        }
    });
}

void SchedulerCommands::Refresh()
{
    basOperation::TrapVoid("frmMain:ToolBar_ButtonClick", [&](Steps &step) {
        step(10);
        if (m_settings.DisplayCalendarOnDesktop > 0) {
            const std::int32_t result = basExecuteProgram::ExecuteProgram(m_calendarProgram);
            if (result != 0) {
                basExecuteProgram::ShowStartError(QStringLiteral("calendar.exe"), result);
                return;
            }
        }
        step(20);
        m_calendarRefreshNeeded = false;
        SetEnabled(m_actions.toolRefresh, false);
    });
}

void SchedulerCommands::EnableRefreshButton()
{
    if (m_settings.DisplayCalendarOnDesktop >= 1)
        SetEnabled(m_actions.toolRefresh, true);
}

void SchedulerCommands::SSDay_Click()
{
    basOperation::TrapSilently(false, [&](Steps &) {
        const bool selected = m_dayView.SelectedTask() >= 0;
        SetEnabled(m_actions.toolEdit, selected);
        SetEnabled(m_actions.toolDelete, selected);
        return true;
    });
}

void SchedulerCommands::SSDay_DblClick()
{
    basOperation::TrapVoid("frmMain:SSDay_DblClick", [&](Steps &step) {
        step(10);
        const int task = m_dayView.SelectedTask();
        if (task < 0) {
            SetEnabled(m_actions.toolEdit, false);
            SetEnabled(m_actions.toolDelete, false);
            CreateNewEvent();
        } else {
            SetEnabled(m_actions.toolEdit, true);
            SetEnabled(m_actions.toolDelete, true);
            EditEvent(m_dayView.TaskTagVariant(task), task);
        }
    });
}

void SchedulerCommands::SSDay_MouseUp(int button, int shift, int x, int y)
{
    Q_UNUSED(shift);
    basOperation::TrapVoid("frmMain:SSDay_MouseUp", [&](Steps &step) {
        step(10);
        if (button != DayView::kRightButton || m_dayView.AreaAt(x, y) != DayView::kAreaSchedule)
            return;
        step(20);
        const int task = m_dayView.TaskAt(x, y);
        if (task < 0) {
            SetEnabled(m_actions.popupNewEvent, true);
            SetEnabled(m_actions.popupEditEvent, false);
            SetEnabled(m_actions.popupDeleteEvent, false);
            const int slot = m_dayView.SlotOfTime(m_dayView.TimeAt(x, y));
            if (slot >= 0)
                m_dayView.SetSelectedTimeSlot(slot);
        } else {
            SetEnabled(m_actions.popupNewEvent, false);
            SetEnabled(m_actions.popupEditEvent, true);
            SetEnabled(m_actions.popupDeleteEvent, true);
            const QString tag = m_dayView.TaskTagVariant(task);
            for (int i = 0; i < m_dayView.TaskCount(); ++i) {
                if (m_dayView.TaskTagVariant(i) == tag) {
                    m_dayView.SetSelectedTask(i);
                    break;
                }
            }
        }
        step(30);
        if (m_actions.popup)
            m_runPopup(*m_actions.popup, m_dayView.mapToGlobal(QPoint(x, y)));
    });
}
