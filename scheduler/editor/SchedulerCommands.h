// The main window's commands that change events: new, edit and delete an event, delete
// an all-day event of the shown day, and Options. They work through EventService and a
// small interface to the main window, so they run without the window itself.
#pragma once

#include "OccurrenceChoice.h"
#include "UndoHistory.h"

#include "Event.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace quillon {

class EventService;
class SchedulerCommandHost;
class frmEvent;

class SchedulerCommands : public QObject {
    Q_OBJECT

public:
    // A new event starts here on another day than today, with no time slot chosen.
    static constexpr int kDefaultStartMinute = 8 * 60 + 30;
    static constexpr auto kDeleteEventTitle = QT_TRANSLATE_NOOP("quillon::SchedulerCommands", "Delete Event");
    static constexpr auto kDeleteAllDayEventTitle = QT_TRANSLATE_NOOP("quillon::SchedulerCommands", "Delete All Day Event");

    // window is the editor's parent.
    SchedulerCommands(EventService &events, SchedulerCommandHost &host, QWidget *window = nullptr);

    // How the editor is shown (modal by default); tests fill it in and press OK instead.
    using EditorRunner = std::function<void(frmEvent &)>;
    void SetEditorRunner(EditorRunner runner) { m_runEditor = std::move(runner); }
    // How the occurrences of a repeating event are chosen (a message box by default).
    // The editor asks with it, too, once set.
    void SetOccurrenceChooser(OccurrenceChoice::Chooser chooser)
    {
        m_chooseOccurrences = std::move(chooser);
        m_chooserSet = true;
    }
    // Where the options program lives (the program folder by default).
    void SetOptionsProgram(const QString &path) { m_optionsProgram = path; }

    // Where what the commands did is kept for undo; none keeps nothing.
    void SetHistory(UndoHistory *history) { m_history = history; }

    void CreateNewEvent();
    void EditEvent(qint64 eventId, int taskIndex);
    void DeleteEvent(qint64 eventId, int taskIndex);
    // The occurrence of the event on fromDate moved (dragged) to another day or time, or
    // given another end: a repeating event asks which occurrences, a conflict asks as the
    // editor's OK does. False when nothing was changed.
    bool MoveEvent(qint64 eventId, QDate fromDate, QDate toDate, QTime start, QTime end);
    // position counts from 1 in the shown day's all-day events.
    void DeleteAllDayEvent(int position);
    // Starts the options program, waits for it with the window painted, and takes the
    // settings it saved.
    void Options();

    // The user's own event or a writable calendar's, which alone may be changed and deleted
    // (a read-only calendar's is not).
    bool IsChangeable(qint64 eventId);

    // The editor as the commands make it: over the events, with the host's settings.
    std::unique_ptr<frmEvent> NewEditor();

private:
    bool RunEditor(frmEvent &editor);

    // The event as it is before a change, when undo can bring it back.
    std::optional<Event> Snapshot(qint64 eventId);
    // The change from before to the event afterId now is (0: deleted) kept for undo.
    void Record(const std::optional<Event> &before, qint64 afterId);
    // A change of some occurrences of before that made the event made (see UndoHistory).
    void RecordOccurrence(const std::optional<Event> &before, qint64 made, EventService::Occurrences which,
                          UndoHistory::Again again);
    void AfterChange(const QList<QDate> &touched);

    EventService &m_events;
    SchedulerCommandHost &m_host;
    UndoHistory *m_history = nullptr;
    QWidget *m_window;
    EditorRunner m_runEditor;
    OccurrenceChoice::Chooser m_chooseOccurrences;
    bool m_chooserSet = false;
    QString m_optionsProgram;
};

} // namespace quillon
