// The main window's commands: new, edit and delete an event, delete an all-day event,
// the Edit menu's preparation, Options, Refresh, the double click and the context menu
// of the day view. They work on the store, the day view, the window's actions and a
// small interface to the rest of the window, so they run without the window itself.
#pragma once

#include "EventStore.h"
#include "basQuillon.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>

class DayView;
class QAction;
class QMenu;
class QWidget;
class SchedulerCommandHost;
class frmEvent;

// The window's actions the commands enable, disable and fill. Any may be null.
struct SchedulerActions {
    QAction *toolEdit = nullptr;
    QAction *toolDelete = nullptr;
    QAction *toolRefresh = nullptr;
    QAction *editEditEvent = nullptr;
    QAction *editDeleteEvent = nullptr;
    QMenu *editDeleteAllDayEvent = nullptr;   // the submenu, one item per all-day event
    QMenu *popup = nullptr;
    QAction *popupNewEvent = nullptr;
    QAction *popupEditEvent = nullptr;
    QAction *popupDeleteEvent = nullptr;
};

class SchedulerCommands : public QObject {
    Q_OBJECT

public:
    static constexpr auto kDefaultStartTime = "8:30 AM";
    static constexpr auto kDeleteEventTitle = "Delete Event";
    static constexpr auto kDeleteAllDayEventTitle = "Delete All Day Event";

    // The settings and the flag are the main window's, shared for the run.
    SchedulerCommands(basDatabase::EventStore &store, DayView &dayView, SchedulerCommandHost &host,
                      basQuillon::GeneralSettingsRecord &settings, bool &calendarRefreshNeeded,
                      QWidget *window = nullptr);

    void SetActions(const SchedulerActions &actions) { m_actions = actions; }

    // How the editor is shown (modal by default); tests fill it in and press OK instead.
    using EditorRunner = std::function<void(frmEvent &)>;
    void SetEditorRunner(EditorRunner runner) { m_runEditor = std::move(runner); }
    // How the context menu is shown (at the mouse by default).
    using PopupRunner = std::function<void(QMenu &, QPoint)>;
    void SetPopupRunner(PopupRunner runner) { m_runPopup = std::move(runner); }
    // Where the options program and the renderer live (the program folder by default).
    void SetProgramPaths(const QString &options, const QString &calendar);

    void CreateNewEvent();
    void EditEvent(const QString &eventId, int taskIndex);
    void DeleteEvent(const QString &eventId, int taskIndex);
    // position counts from 1 in the shown day's all-day events.
    void DeleteAllDayEvent(int position);

    // The command table's entries that act on the selected task.
    void EditSelectedEvent(const char *reportName);
    void DeleteSelectedEvent(const char *reportName);

    void PrepareEditMenu();
    void Options();
    void Refresh();
    void EnableRefreshButton();
    void SSDay_DblClick();
    void SSDay_MouseUp(int button, int shift, int x, int y);
    // Enables Edit and Delete on the toolbar while a task is selected.
    void SSDay_Click();

private:
    void SetEnabled(QAction *action, bool enabled);
    bool RunEditor(frmEvent &editor);

    basDatabase::EventStore &m_store;
    DayView &m_dayView;
    SchedulerCommandHost &m_host;
    basQuillon::GeneralSettingsRecord &m_settings;
    bool &m_calendarRefreshNeeded;
    QWidget *m_window;
    SchedulerActions m_actions;
    EditorRunner m_runEditor;
    PopupRunner m_runPopup;
    QString m_optionsProgram;
    QString m_calendarProgram;
};
