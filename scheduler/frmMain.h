// The scheduler's main window: the day view with its caption (pane A), the fact of the
// day (pane D), the month view with the Today button (pane B) and the day notes
// (pane C), under a menu bar and toolbar and over a status bar. It loads the shown day
// and the displayed months from the event store, keeps its geometry between runs,
// follows the calendar day, and starts the desktop calendar when it closes after a
// change of the month that calendar shows.
#pragma once

#include "DayPage.h"
#include "ShownRange.h"
#include "basQuillon.h"
#include "frmAbout.h"

#include <QDate>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <cstdint>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTimer;
class QToolBar;

namespace quillon {

class DayView;
class frmFind;
class MonthView;
class RangePane;
class SchedulerCommands;
class UndoHistory;

namespace basDatabase {
class EventStore;
} // namespace basDatabase

class frmMain : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kTimerInterval = 60000; // ms between looks at the calendar day
    // ms between looks for changes another program stored (an import, the launcher).
    static constexpr int kStoreLookInterval = 2000;

    explicit frmMain(basDatabase::EventStore &store, QWidget *parent = nullptr);
    ~frmMain() override;

    // The window's load. False when the event store could not be opened: the store has
    // reported it, and the window was never shown.
    bool Form_Load();
    // How often to look for other programs' changes; 0 looks only when the window is
    // activated. Takes effect at the next load.
    void SetStoreLookInterval(int ms) { m_storeLookInterval = ms; }

    // --- State ----------------------------------------------------------------------
    // The shown day, its all-day events, refused notes and the desktop calendar's flag.
    const DayPage &Page() const { return m_page; }
    bool Busy() const { return m_busy; }
    // The program's settings; the conflict check may change CheckForConflicts.
    basQuillon::GeneralSettingsRecord &Settings() { return m_settings; }
    // A save or delete of an event on these dates: sets the desktop calendar's flag when
    // one of them lies in its month and year; never clears it.
    void NoteEventDatesChanged(const QList<QDate> &dates) { m_page.NoteEventDatesChanged(dates); }
    // The caption's height in twips (600, and 250 more per all-day event).
    std::int32_t CaptionHeight() const { return m_captionHeight; }
    // The day view, which the event commands work on. Other controls are found by their
    // object names.
    DayView *SSDay() const { return m_dayView; }

    // How an event's colour name and icon number become a colour value and a picture;
    // the event editing sets the full ones. By default the liturgical colour names are
    // known (others black) and there are no pictures.
    void SetEventPresentation(std::function<std::int32_t(const QString &)> colorFromName,
                              std::function<QIcon(int)> eventIcon);
    // Where help pages are opened (tests put a recorder here).
    void SetUrlOpener(std::function<bool(const QUrl &)> opener) { m_openUrl = std::move(opener); }
    // How a file name is asked for (tests answer here): save = false to open one.
    void SetFileChooser(std::function<QString(bool save)> chooser) { m_chooseFile = std::move(chooser); }

    // --- Geometry (frmMainGeometry.cpp) ---------------------------------------------
    void SetWindowDimensions();
    void SetSplitterDimensions();
    void SaveWindowDimensions();
    void picPanelA_Resize();
    void picPanelB_Resize();
    void picPanelC_Resize();
    // Pane sizes in twips.
    std::int32_t Pane0Height() const;
    std::int32_t Pane0Width() const;
    std::int32_t Pane2Height() const;

    // --- Views (frmMainViews.cpp) ---------------------------------------------------
    void UpdateDayView();
    void UpdateDayViewCaption(const QString &dateColor);
    void AddEventToDayView(const Event &event);
    int GetTaskIndex(qint64 eventId);
    void UpdateMonthView();
    void SetStyleSets();
    void UpdateFactOfTheDay(const QString &dateColor, const QString &dateText);
    // Stores the notes box's text for the day it was filled for.
    void txtNotes_LostFocus();

    // --- Views of several days (frmMainRangeViews.cpp) -----------------------------
    // The view shown in pane A, kept in the settings; the day view shows the day page.
    SchedulerView View() const { return m_view; }
    void SetView(SchedulerView view);
    // Reloads the week, month or agenda around CurrentDate; nothing in the day view.
    void UpdateRangeView();
    RangePane *Range() const { return m_rangePane; }
    const ShownRange &Shown() const { return m_range; }
    // The shown view with its events as it goes to paper, and printing it (the system's
    // dialog, or its preview).
    ShownRange RangeToPrint();
    void PrintView(bool preview);
    // What the user did to events, for Edit > Undo and Redo.
    UndoHistory &History();

    // --- Commands -------------------------------------------------------------------
    void Timer_Timer();
    // Shows what another program stored meanwhile (an import, an event saved elsewhere).
    void ShowChangesByOthers();
    void Today();
    void Refresh();
    void EnableRefreshButton();
    void SetToolbarEditEnabled(bool enabled);
    void SetToolbarDeleteEnabled(bool enabled);
    // Selects CurrentDate in the month view, which reloads the shown day.
    void SelectCurrentDateInMonthView();
    // The settings' first day of the week, in the month navigator and the range views.
    void WeekStartChanged();
    void ShowHelpContents();
    void ShowAbout();
    // Each time the Edit menu opens: its items' states and the all-day submenu.
    void mnuEdit_Click();
    // The Find window (frmMainFind.cpp), and the day of an event it found, that event selected.
    void mnuEditFind_Click();
    void ShowFoundDay(const QDate &date, qint64 eventId);
    // Moves a window of ours beside this one, where the screen has room.
    void PlaceBeside(QWidget &window) const;

    // The commands of the event editing (frmMainCommands.cpp).
    void CreateNewEvent();
    void EditEvent(qint64 eventId, int taskIndex);
    void DeleteEvent(qint64 eventId, int taskIndex);
    void DeleteAllDayEvent(int position); // 1-based position in the all-day events
    void mnuEditOptions_Click();
    // The object that runs those commands (made on first use).
    SchedulerCommands &EventCommands();

    // Calendar files (frmMainCalendarFiles.cpp): an iCalendar file's events brought in
    // (all or nothing), or every event written out. An empty path asks for one; true
    // when the file was read or written. A summary box says what was done.
    bool ImportCalendar(QString path = QString());
    bool ExportCalendar(QString path = QString());
    // The subscribed calendars' window, modal (not shown with nobody to answer it); what
    // it changed shows when it closes.
    void mnuFileCalendars_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class PaintingSuspended;
    friend class PaintingSuspended;

    void BuildControls();
    void BuildMenus();
    void BuildToolbar();
    void BuildStatusBar();
    void UpdateStatusText();
    void Form_Unload();
    void UnloadOtherWindows();
    void SSMonth_DaySelected(const QDate &date);
    void SSMonth_DisplayedMonthsChanged();
    void SSDay_Click();
    void SSDay_DblClick();
    void SSDay_MouseUp(int button, int shift, int x, int y);
    void EditSelectedEvent();
    void DeleteSelectedEvent();
    void BuildViewMenu();
    // A range view's event opened, its day shown in the day view, or a drop.
    void OpenRangeEvent(qint64 eventId, QDate date);
    void DeleteRangeEvent();
    void ShowDay(QDate date, bool inDayView);
    void RangeEventDropped(qint64 eventId, QDate fromDate, QDate toDate, QTime start, QTime end);
    // Whether the day view's task is the user's own event (a subscribed one is not deleted).
    bool IsOwnTask(int task);
    void UpdateStatusClock();
    void StoreNotesBeforeLeavingDay();
    // Notes the store still refuses: the user copies them, lets them go, or keeps the
    // window open (false).
    bool NotesMayBeLeftBehind();
    double TwipsPerPixel() const;
    int ToPixels(std::int32_t twips) const;
    std::int32_t ToTwips(int pixels) const;
    std::int32_t ButtonFace() const;

    DayPage m_page;
    basQuillon::GeneralSettingsRecord m_settings;

    bool m_busy = false;
    bool m_unloaded = false;
    std::int32_t m_captionHeight = 600;
    QString m_captionColor; // the date colour the caption shows
    int m_paintingSuspended = 0;

    std::function<std::int32_t(const QString &)> m_colorFromName;
    std::function<QIcon(int)> m_eventIcon;
    std::function<bool(const QUrl &)> m_openUrl;
    std::function<QString(bool save)> m_chooseFile;

    SchedulerView m_view = SchedulerView::Day;
    int m_agendaDays = ShownRange::kAgendaDays;
    ShownRange m_range;
    QStackedWidget *m_viewStack = nullptr;
    RangePane *m_rangePane = nullptr;
    QList<QAction *> m_viewActions;
    UndoHistory *m_history = nullptr;

    QSplitter *m_columns = nullptr;
    QSplitter *m_left = nullptr;
    QSplitter *m_right = nullptr;
    QWidget *m_panelA = nullptr;
    QWidget *m_panelB = nullptr;
    QWidget *m_panelC = nullptr;
    QLabel *m_caption = nullptr;
    DayView *m_dayView = nullptr;
    QPlainTextEdit *m_fact = nullptr;
    MonthView *m_monthView = nullptr;
    QPushButton *m_today = nullptr;
    QLabel *m_notesLabel = nullptr;
    QPlainTextEdit *m_notes = nullptr;
    QToolBar *m_toolbar = nullptr;
    QTimer *m_timer = nullptr;
    QTimer *m_storeLook = nullptr;
    int m_storeLookInterval = kStoreLookInterval;
    QTimer *m_clock = nullptr;
    QLabel *m_statusText = nullptr;
    QLabel *m_statusDate = nullptr;
    QLabel *m_statusTime = nullptr;

    QMenu *m_mnuEdit = nullptr;
    QMenu *m_mnuPopup = nullptr;
    QMenu *m_mnuEditDeleteAllDayEvent = nullptr;
    QAction *m_mnuEditEditEvent = nullptr;
    QAction *m_mnuEditDeleteEvent = nullptr;
    QAction *m_mnuPopupNewEvent = nullptr;
    QAction *m_mnuPopupEditEvent = nullptr;
    QAction *m_mnuPopupDeleteEvent = nullptr;
    QAction *m_tbEdit = nullptr;
    QAction *m_tbDelete = nullptr;
    QAction *m_tbRefresh = nullptr;

    QPointer<frmAbout> m_about;
    QPointer<frmFind> m_find;
    SchedulerCommands *m_eventCommands = nullptr;
};

} // namespace quillon
