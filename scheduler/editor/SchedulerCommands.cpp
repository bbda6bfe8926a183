#include "SchedulerCommands.h"

#include "EventService.h"
#include "SchedulerCommandHost.h"
#include "UndoHistory.h"
#include "basExecuteProgram.h"
#include "basOperation.h"
#include "frmEvent.h"
#include "platform/basPlatform.h"
#include "views/DayView.h"

#include <QCoreApplication>
#include <QLocale>

namespace quillon {

using basOperation::Steps;

namespace {

bool AskYesNo(const QString &text, const char *title)
{
    // No is the answer when nobody can be asked: nothing is deleted unseen.
    return basPlatform::ShowMessage(text, QCoreApplication::translate("quillon::SchedulerCommands", title), basPlatform::MessageIcon::Question,
                                    basPlatform::MessageButtons::YesNo,
                                    basPlatform::MessageResult::No) == basPlatform::MessageResult::Yes;
}

} // namespace

SchedulerCommands::SchedulerCommands(EventService &events, SchedulerCommandHost &host, QWidget *window)
    : QObject(window), m_events(events), m_host(host), m_window(window),
      m_runEditor([](frmEvent &editor) {
          // With nobody to type, the editor is not shown and counts as cancelled.
          if (!basPlatform::IsNonInteractive())
              editor.exec();
      }),
      m_chooseOccurrences([window](const QString &text, const QString &title) {
          return OccurrenceChoice::Ask(window, text, title);
      }),
      m_optionsProgram(basExecuteProgram::ProgramPath(QStringLiteral("options")))
{
}

std::unique_ptr<frmEvent> SchedulerCommands::NewEditor()
{
    auto editor = std::make_unique<frmEvent>(
        m_events, m_host.Settings(), [this](const QList<QDate> &dates) { m_host.NoteEventDatesChanged(dates); },
        m_window);
    if (m_chooserSet)
        editor->SetOccurrenceChooser(m_chooseOccurrences);
    return editor;
}

bool SchedulerCommands::IsChangeable(qint64 eventId)
{
    // A subscribed calendar's event is the server's; one the store cannot place is not deleted either.
    const std::optional<QString> from = m_events.ReadOnlyCalendarOf(eventId);
    return from && from->isEmpty();
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
        DayView &dayView = m_host.SSDay();
        const int slot = dayView.SelectedTimeSlot();
        QTime start = DayViewModel::SlotStart(slot);
        if (!start.isValid()) {
            if (basPlatform::Today() == m_host.CurrentDate())
                start = basPlatform::Now().time();
            else
                start = QTime(0, 0).addSecs(kDefaultStartMinute * 60);
        }
        step(20);
        const std::unique_ptr<frmEvent> editor = NewEditor();
        editor->SetEventID(0);
        editor->SetEventSubject(QString());
        editor->SetEventLocation(QString());
        editor->SetAllDayEvent(false);
        editor->SetEventDate(m_host.CurrentDate());
        editor->SetEventStartTime(start);
        editor->SetEventColor(QString());
        editor->SetEventIconIndex(0);
        editor->SetEventNotes(QString());
        editor->SetEventRecurring(false);
        editor->SetEventRule(std::nullopt);
        editor->SetEventCalendar(m_events.NewEventsCalendar());
        step(30);
        if (!RunEditor(*editor))
            return;
        step(40);
        // A repeating event may fall on the shown day without starting on it.
        const Event saved = editor->Draft();
        if (m_history)
            if (const std::optional<Event> made = m_events.Load(saved.EventID))
                m_history->Created(*made);
        if (saved.Dates.contains(m_host.CurrentDate())) {
            m_host.AddEventToDayView(saved);
            const bool slotSelected = dayView.SelectedTimeSlot() >= 0;
            m_host.SetToolbarEditEnabled(slotSelected);
            m_host.SetToolbarDeleteEnabled(slotSelected);
        }
        step(50);
        m_host.UpdateMonthView();
        m_host.SelectCurrentDateInMonthView();
        m_host.EnableRefreshButton();
    });
}

void SchedulerCommands::EditEvent(qint64 eventId, int taskIndex)
{
    basOperation::TrapVoid("frmMain:EditEvent", [&](Steps &step) {
        step(10);
        const std::optional<Event> event = m_events.Load(eventId);
        if (!event)
            return;
        step(20);
        const std::optional<Event> before = Snapshot(eventId);
        const std::unique_ptr<frmEvent> editor = NewEditor();
        editor->SetDraft(*event, m_host.CurrentDate());
        step(25);
        editor->SetSubscription(m_events.ReadOnlyCalendarOf(eventId).value_or(QString()));
        editor->SetWaiting(m_events.WaitingToBeSent(eventId));
        step(30);
        if (!RunEditor(*editor))
            return;
        step(40);
        if (editor->Draft().EventID == eventId)
            Record(before, eventId);
        else if (editor->LastChange())
            RecordOccurrence(before, editor->Draft().EventID, editor->LastChange()->Which,
                             [this, change = *editor->LastChange()](qint64 id) {
                                 Event draft = change.Draft;
                                 draft.EventID = id;
                                 return m_events.SaveOccurrence(draft, change.Day, change.Which);
                             });
        DayView &dayView = m_host.SSDay();
        if (taskIndex >= 0 && taskIndex < dayView.TaskCount())
            dayView.RemoveTask(taskIndex);
        m_host.AddEventToDayView(editor->Draft());
        step(50);
        m_host.UpdateMonthView();
        m_host.SelectCurrentDateInMonthView();
        m_host.EnableRefreshButton();
    });
}

void SchedulerCommands::DeleteEvent(qint64 eventId, int taskIndex)
{
    basOperation::TrapVoid("frmMain:DeleteEvent", [&](Steps &step) {
        step(5);
        if (!IsChangeable(eventId))
            return;
        step(10);
        const QString text = tr("Delete event '%1'?").arg(m_host.SSDay().TaskText(taskIndex));
        // A repeating event asks which of its occurrences.
        const std::optional<QList<QDate>> stored = m_events.DatesOf(eventId);
        if (!stored)
            return;
        std::optional<EventService::Occurrences> which = EventService::Occurrences::All;
        if (stored->size() > 1 || m_events.IsOneLookOfSeveral(eventId))
            which = m_chooseOccurrences(text, tr(kDeleteEventTitle));
        else if (!AskYesNo(text, kDeleteEventTitle))
            return;
        if (!which)
            return;
        step(20);
        const std::optional<Event> before = Snapshot(eventId);
        const std::optional<QList<QDate>> dates = m_events.DeleteOccurrences(eventId, m_host.CurrentDate(), *which);
        if (!dates)
            return;
        Record(before, *which == EventService::Occurrences::All ? 0 : eventId);
        step(30);
        m_host.UpdateMonthView();
        m_host.SetToolbarDeleteEnabled(false);
        m_host.SelectCurrentDateInMonthView();
        m_host.NoteEventDatesChanged(*dates);
        m_host.EnableRefreshButton();
    });
}

void SchedulerCommands::DeleteAllDayEvent(int position)
{
    basOperation::TrapVoid("frmMain:DeleteAllDayEvent", [&](Steps &step) {
        step(10);
        const QList<SchedulerCommandHost::AllDayEntry> entries = m_host.AllDayEvents();
        if (position < 1 || position > entries.size())
            throw basOperation::Failure(basOperation::kInvalidProcedureCall,
                                        QStringLiteral("Invalid procedure call or argument"),
                                        QCoreApplication::translate("basErrorHandler", "Invalid procedure call or argument"));
        const SchedulerCommandHost::AllDayEntry entry = entries[position - 1];
        step(20);
        if (IsChangeable(entry.EventID) && AskYesNo(tr("Delete all day event '%1'?").arg(entry.EventName), kDeleteAllDayEventTitle)) {
            step(30);
            const std::optional<Event> before = Snapshot(entry.EventID);
            const std::optional<QList<QDate>> dates = m_events.DeleteSeries(entry.EventID);
            if (!dates)
                return;
            Record(before, 0);
            step(40);
            // The day's own colour comes back with the reload below.
            m_host.UpdateDayViewCaption(QString());
            m_host.UpdateMonthView();
            m_host.NoteEventDatesChanged(*dates);
            m_host.EnableRefreshButton();
        }
        step(50);
        m_host.SelectCurrentDateInMonthView();
    });
}

std::optional<Event> SchedulerCommands::Snapshot(qint64 eventId)
{
    // A look of a series of several would come back as the one look alone: not kept for undo.
    if (!m_history || m_events.IsOneLookOfSeveral(eventId))
        return std::nullopt;
    return m_events.Load(eventId);
}

void SchedulerCommands::Record(const std::optional<Event> &before, qint64 afterId)
{
    if (!m_history || !before)
        return;
    const std::optional<Event> after = afterId != 0 ? m_events.Load(afterId) : std::nullopt;
    if (after)
        m_history->Changed(*before, *after);
    else
        m_history->Deleted(*before);
}

void SchedulerCommands::RecordOccurrence(const std::optional<Event> &before, qint64 made, EventService::Occurrences which,
                                         UndoHistory::Again again)
{
    if (m_history && before)
        m_history->ChangedOccurrence(*before, made, which == EventService::Occurrences::ThisAndFollowing,
                                     std::move(again));
}

void SchedulerCommands::AfterChange(const QList<QDate> &touched)
{
    m_host.UpdateMonthView();
    m_host.SelectCurrentDateInMonthView();
    m_host.NoteEventDatesChanged(touched);
    m_host.EnableRefreshButton();
}

bool SchedulerCommands::MoveEvent(qint64 eventId, QDate fromDate, QDate toDate, QTime start, QTime end)
{
    return basOperation::Trap("frmMain:MoveEvent", false, [&](Steps &step) {
        step(10);
        if (!IsChangeable(eventId))
            return false;
        const std::optional<Event> before = m_events.Load(eventId);
        if (!before || before->AllDayEvent)
            return false;
        const std::optional<Event> kept = Snapshot(eventId);
        step(20);
        Event moved = *before;
        moved.StartTime = start;
        moved.EndTime = end;
        const qint64 days = fromDate.daysTo(toDate);
        const bool repeating = before->Dates.size() > 1 || m_events.IsOneLookOfSeveral(eventId);
        std::optional<EventService::Occurrences> which = EventService::Occurrences::All;
        if (repeating) {
            which = m_chooseOccurrences(tr("Move event '%1'?").arg(before->EventName),
                                        tr("Move Event"));
            if (!which)
                return false;
        }
        step(30);
        if (*which == EventService::Occurrences::OnlyThis) {
            moved.Dates = {toDate};
        } else {
            // The whole series (or the rest of it) moves by as many days as the occurrence.
            for (QDate &day : moved.Dates)
                day = day.addDays(days);
            if (moved.RuleStart.isValid())
                moved.RuleStart = moved.RuleStart.addDays(days);
            if (moved.Rule) {
                const auto shifted = [days](int weekday) { return static_cast<int>((weekday - 1 + days % 7 + 7) % 7) + 1; };
                for (int &weekday : moved.Rule->Weekdays)
                    weekday = shifted(weekday);
                if (moved.Rule->Weekday > 0)
                    moved.Rule->Weekday = shifted(moved.Rule->Weekday);
                if (moved.Rule->Until.isValid())
                    moved.Rule->Until = moved.Rule->Until.addDays(days);
            }
        }
        step(40);
        basQuillon::GeneralSettingsRecord &settings = m_host.Settings();
        if (settings.CheckForConflicts) {
            Event probe = moved;
            probe.Dates = *which == EventService::Occurrences::OnlyThis ? QList<QDate>{toDate} : moved.Dates;
            const QList<EventConflict> conflicts = m_events.Conflicts(probe);
            if (!conflicts.isEmpty()) {
                const EventConflict &first = conflicts.front();
                const QString text =
                    tr("'%1' would overlap '%2' on %3. Move it anyway?")
                        .arg(before->EventName, first.EventName, QLocale().toString(first.Date, QLocale::ShortFormat));
                if (!AskYesNo(text, QT_TRANSLATE_NOOP("quillon::SchedulerCommands", "Conflict")))
                    return false;
            }
        }
        step(50);
        const std::optional<EventService::Saved> saved =
            *which == EventService::Occurrences::OnlyThis
                ? m_events.SaveOccurrence(moved, fromDate, *which, toDate)
                : m_events.SaveOccurrence(moved, fromDate, *which);
        if (!saved)
            return false;
        if (saved->EventID == eventId)
            Record(kept, eventId);
        else
            RecordOccurrence(kept, saved->EventID, *which, [this, moved, fromDate, toDate, which](qint64 id) {
                Event again = moved;
                again.EventID = id;
                return *which == EventService::Occurrences::OnlyThis
                           ? m_events.SaveOccurrence(again, fromDate, *which, toDate)
                           : m_events.SaveOccurrence(again, fromDate, *which);
            });
        step(60);
        AfterChange(saved->TouchedDates + QList<QDate>{fromDate});
        return true;
    });
}

void SchedulerCommands::Options()
{
    basOperation::TrapVoid("frmMain.mnuEditOptions_Click", [&](Steps &step) {
        step(10);
        basQuillon::GeneralSettingsRecord &settings = m_host.Settings();
        const std::int32_t backColor = settings.SchedulerBackColor;
        const std::int32_t fillColor = settings.SchedulerDurationFillColor;
        step(20);
        // Options ends with 1 when cancelled or when another copy is already open: its
        // own answer, nothing to report. Only a start that failed, or a crash, is (-1).
        const std::int32_t result = basExecuteProgram::ExecuteAndWait(m_optionsProgram);
        if (result < 0)
            basExecuteProgram::ShowStartError(m_optionsProgram, result);
        if (result != 0)
            return;
        step(30);
        const QString weekStartsOn = settings.WeekStartsOn;
        settings = basQuillon::LoadGeneralSettings();
        if (settings.WeekStartsOn != weekStartsOn)
            m_host.WeekStartChanged();
        step(40);
        if (settings.SchedulerBackColor != backColor || settings.SchedulerDurationFillColor != fillColor) {
            DayView &dayView = m_host.SSDay();
            if (settings.SchedulerBackColor > -1)
                dayView.SetBackColor(settings.SchedulerBackColor);
            if (settings.SchedulerDurationFillColor > -1)
                dayView.SetDurationBarFillColor(settings.SchedulerDurationFillColor);
        }
    });
}

} // namespace quillon
