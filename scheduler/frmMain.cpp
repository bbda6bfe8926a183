#include "frmMain.h"

#include "RangePane.h"

#include "DesktopCalendar.h"
#include "EventService.h"
#include "SchedulerCommands.h"
#include "UnsavedNotes.h"
#include "basColor.h"
#include "basColorCombo.h"
#include "basEventIcons.h"
#include "basExecuteProgram.h"
#include "basFormControl.h"
#include "basHelp.h"
#include "basLocale.h"
#include "basOperation.h"
#include "basToolbarIcons.h"
#include "basWindowGeometry.h"
#include "frmAbout.h"
#include "frmMainParts.h"
#include "platform/basPlatform.h"
#include "views/DayView.h"
#include "views/MonthView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSessionManager>
#include <QTimer>

namespace quillon {

using basOperation::Steps;
using frmMainParts::FlagScope;

frmMain::PaintingSuspended::PaintingSuspended(frmMain &window, QWidget &part) : m_window(window)
{
    if (m_window.m_paintingSuspended++ == 0)
        m_locked = basFormControl::LockWindowRedraw(part);
}

frmMain::PaintingSuspended::~PaintingSuspended()
{
    if (--m_window.m_paintingSuspended == 0 && m_locked)
        basFormControl::UnlockWindowRedraw();
}

frmMain::frmMain(basDatabase::EventStore &store, QWidget *parent)
    : QMainWindow(parent), m_page(store),
      m_colorFromName([](const QString &name) { return basColorCombo::ColorFromName(name); }),
      m_eventIcon([](int number) { return basEventIcons::EventIcon(number); })
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QLatin1String(frmMainParts::kCaption));
    setWindowIcon(basToolbarIcons::ProgramIcon());
    BuildControls();
    BuildMenus();
    BuildToolbar();
    BuildStatusBar();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer"));
    connect(m_timer, &QTimer::timeout, this, &frmMain::Timer_Timer);
    m_storeLook = new QTimer(this);
    connect(m_storeLook, &QTimer::timeout, this, &frmMain::ShowChangesByOthers);

    // The designed client area until a saved size says otherwise.
    resize(ToPixels(basWindowGeometry::kDesignWidth), ToPixels(basWindowGeometry::kDesignHeight));

    // A session that ends takes the notes being typed with it.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) {
        if (m_notes->hasFocus() || m_notes->document()->isModified())
            txtNotes_LostFocus();
    });
}

frmMain::~frmMain()
{
    if (m_about)
        delete m_about.data();
}

void frmMain::SetEventPresentation(std::function<std::int32_t(const QString &)> colorFromName,
                                   std::function<QIcon(int)> eventIcon)
{
    if (colorFromName)
        m_colorFromName = std::move(colorFromName);
    if (eventIcon)
        m_eventIcon = std::move(eventIcon);
}

// --- Load and unload ----------------------------------------------------------------

bool frmMain::Form_Load()
{
    const bool loaded = basOperation::Trap("frmMain.Form_Load", false, [&](Steps &step) {
        step(10);
        const QDate today = basPlatform::Today();
        step(20);
        m_settings = basQuillon::LoadGeneralSettings();
        m_monthView->SetFirstDayOfWeek(basLocale::FirstDayOfWeek(m_settings.WeekStartsOn));
        step(30);
        if (!m_page.Open(today))
            return false;
        step(40);
        findChild<QAction *>(QStringLiteral("Toolbar_New"))->setEnabled(true);
        findChild<QAction *>(QStringLiteral("Toolbar_Help"))->setEnabled(true);
        m_tbEdit->setEnabled(false);
        m_tbDelete->setEnabled(false);
        m_tbRefresh->setEnabled(false);
        step(50);
        // From here on both settings hold the colours actually shown.
        if (m_settings.SchedulerBackColor == basColor::kNoColor)
            m_settings.SchedulerBackColor = m_dayView->BackColor();
        else
            m_dayView->SetBackColor(m_settings.SchedulerBackColor);
        if (m_settings.SchedulerDurationFillColor == basColor::kNoColor)
            m_settings.SchedulerDurationFillColor = m_dayView->DurationBarFillColor();
        else
            m_dayView->SetDurationBarFillColor(m_settings.SchedulerDurationFillColor);
        step(60);
        SetStyleSets();
        step(70);
        SetWindowDimensions();
        step(80);
        UpdateMonthView();
        step(90);
        m_page.SetCurrentDate(today);
        step(100);
        UpdateDayView();
        step(110);
        {
            PaintingSuspended suspended(*this, *this);
            show();
            SetSplitterDimensions();
        }
        QApplication::processEvents();
        step(120);
        {
            FlagScope busy(m_busy);
            m_monthView->SelectDate(today);
        }
        step(130);
        QApplication::processEvents();
        step(140);
        m_timer->start(kTimerInterval);
        m_page.WatchChanges();
        if (m_storeLookInterval > 0)
            m_storeLook->start(m_storeLookInterval);
        return true;
    });
    if (loaded || isVisible())
        return true;
    // Never shown: nothing is left behind.
    m_unloaded = true;
    m_page.Close();
    return false;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded && !NotesMayBeLeftBehind()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

bool frmMain::NotesMayBeLeftBehind()
{
    // One more try for every day's notes; the store says why it refuses each.
    StoreNotesBeforeLeavingDay();
    m_page.RetryUnsaved();
    const QMap<QDate, QString> notes = m_page.Unsaved();
    if (notes.isEmpty())
        return true;

    switch (basPlatform::ShowMessage(UnsavedNotes::ClosingQuestion(notes), QLatin1String(frmMainParts::kCaption),
                                     basPlatform::MessageIcon::Exclamation, basPlatform::MessageButtons::YesNoCancel,
                                     basPlatform::MessageResult::Cancel)) {
    case basPlatform::MessageResult::Yes:
        QGuiApplication::clipboard()->setText(UnsavedNotes::ClipboardText(notes));
        break;
    case basPlatform::MessageResult::No:
        break;
    default:
        return false;
    }
    // Let go: closing must not try (and report) them once more.
    m_page.ForgetUnsaved();
    m_notes->document()->setModified(false);
    return true;
}

void frmMain::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_timer->stop();
    m_storeLook->stop();
    // Each step on its own: one that fails is passed over and the next one runs.
    basOperation::TrapSilently(0, [&](Steps &) {
        if (m_notes->hasFocus() || m_notes->document()->isModified())
            txtNotes_LostFocus();
        // Other days' notes the store refused earlier get one more try.
        m_page.RetryUnsaved();
        return 0;
    });
    basOperation::TrapSilently(0, [&](Steps &) {
        m_page.Close();
        return 0;
    });
    basOperation::TrapSilently(0, [&](Steps &) {
        const auto state = windowState();
        if (!(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
            SaveWindowDimensions();
        return 0;
    });
    basOperation::TrapSilently(0, [&](Steps &) {
        basQuillon::SaveOption(QStringLiteral("CheckForConflicts"),
                               m_settings.CheckForConflicts ? QStringLiteral("-1") : QStringLiteral("0"));
        return 0;
    });
    basOperation::TrapSilently(0, [&](Steps &) {
        if (m_page.CalendarRefreshNeeded() && DesktopCalendar::IsShown()) {
            if (const std::int32_t result = DesktopCalendar::RequestRedraw(); result != 0)
                basExecuteProgram::ShowStartError(basExecuteProgram::ProgramPath(QStringLiteral("calendar")), result);
        }
        return 0;
    });
    basOperation::TrapSilently(0, [&](Steps &) {
        UnloadOtherWindows();
        return 0;
    });
}

void frmMain::UnloadOtherWindows()
{
    // The main window goes last, by its owner; every other window of ours goes now.
    // Qt's own helper windows (tooltips, popups) are left to Qt.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window == this || window->parentWidget()
            || !(qobject_cast<QDialog *>(window) || qobject_cast<QMainWindow *>(window)))
            continue;
        window->hide();
        window->deleteLater();
    }
    if (m_about)
        m_about->close();
}

// --- Day and month view events ------------------------------------------------------

void frmMain::SSMonth_DaySelected(const QDate &date)
{
    if (m_busy)
        return;
    m_page.SetCurrentDate(date);
    UpdateDayView();
}

void frmMain::SSMonth_DisplayedMonthsChanged()
{
    if (m_busy)
        return;
    UpdateMonthView();
}

void frmMain::SSDay_Click()
{
    basOperation::TrapSilently(0, [&](Steps &) {
        const bool selected = m_dayView->SelectedTask() >= 0;
        m_tbEdit->setEnabled(selected);
        m_tbDelete->setEnabled(selected && IsOwnTask(m_dayView->SelectedTask()));
        UpdateStatusText();
        return 0;
    });
}

void frmMain::UpdateStatusText()
{
    // The selected event at a glance: "9:30 AM - 10:30 AM  Staff meeting  (Room 4)".
    const int selected = m_dayView->SelectedTask();
    if (selected < 0) {
        m_statusText->clear();
        return;
    }
    const DayViewTask &task = m_dayView->Model().Task(selected);
    const bool waiting = EventService(m_page.Store()).WaitingToBeSent(task.tag).has_value();
    m_statusText->setText(DayViewModel::FormatTime(task.startMinute) + QStringLiteral(" - ")
                          + DayViewModel::FormatTime(task.endMinute) + QStringLiteral("  ") + task.text
                          + (task.location.isEmpty() ? QString() : QStringLiteral("  (%1)").arg(task.location))
                          + (waiting ? tr("  - waiting to be sent") : QString()));
}

void frmMain::SSDay_DblClick()
{
    basOperation::TrapVoid("frmMain:SSDay_DblClick", [&](Steps &step) {
        step(10);
        const int selected = m_dayView->SelectedTask();
        if (selected < 0) {
            m_tbEdit->setEnabled(false);
            m_tbDelete->setEnabled(false);
            CreateNewEvent();
        } else {
            m_tbEdit->setEnabled(true);
            m_tbDelete->setEnabled(IsOwnTask(selected));
            EditEvent(m_dayView->TaskTag(selected), selected);
        }
    });
}

void frmMain::SSDay_MouseUp(int button, int, int x, int y)
{
    basOperation::TrapVoid("frmMain:SSDay_MouseUp", [&](Steps &step) {
        step(10);
        if (button != DayView::kRightButton || m_dayView->AreaAt(x, y) != DayView::kAreaSchedule)
            return;
        step(20);
        const int task = m_dayView->TaskAt(x, y);
        if (task < 0) {
            m_mnuPopupNewEvent->setEnabled(true);
            m_mnuPopupEditEvent->setEnabled(false);
            m_mnuPopupDeleteEvent->setEnabled(false);
            const int slot = m_dayView->SlotOfTime(m_dayView->TimeAt(x, y));
            if (slot >= 0)
                m_dayView->SetSelectedTimeSlot(slot);
        } else {
            m_mnuPopupNewEvent->setEnabled(false);
            m_mnuPopupEditEvent->setEnabled(true);
            m_mnuPopupDeleteEvent->setEnabled(IsOwnTask(task));
            const int index = GetTaskIndex(m_dayView->TaskTag(task));
            if (index >= 0)
                m_dayView->SetSelectedTask(index);
        }
        UpdateStatusText();
        step(30);
        m_mnuPopup->popup(QCursor::pos());
    });
}

bool frmMain::IsOwnTask(int task)
{
    return task >= 0 && EventCommands().IsChangeable(m_dayView->TaskTag(task));
}

void frmMain::EditSelectedEvent()
{
    if (m_view != SchedulerView::Day) {
        if (const std::optional<ViewEvent> chosen = m_rangePane->SelectedEvent())
            OpenRangeEvent(chosen->id, chosen->date);
        return;
    }
    const int selected = m_dayView->SelectedTask();
    if (selected >= 0)
        EditEvent(m_dayView->TaskTag(selected), selected);
}

void frmMain::DeleteSelectedEvent()
{
    if (m_view != SchedulerView::Day) {
        DeleteRangeEvent();
        return;
    }
    const int selected = m_dayView->SelectedTask();
    if (selected < 0)
        return;
    DeleteEvent(m_dayView->TaskTag(selected), selected);
    m_tbEdit->setEnabled(false);
    UpdateStatusText();
}

// --- Commands -----------------------------------------------------------------------

void frmMain::ShowChangesByOthers()
{
    // Not while a dialog of ours is open: the change is still there to show after it.
    // Nor before the load has finished (it knows the version then).
    if (m_busy || m_unloaded || QApplication::activeModalWidget() || !m_page.ChangedByOthers())
        return;
    UpdateMonthView();
    UpdateDayView();
}

bool frmMain::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && m_storeLook)
        QTimer::singleShot(0, this, &frmMain::ShowChangesByOthers);
    return QMainWindow::event(e);
}

void frmMain::Timer_Timer()
{
    basOperation::TrapVoid("frmMain:Timer_Timer", [&](Steps &step) {
        step(10);
        const QDate today = basPlatform::Today();
        if (!m_page.IsNewDay(today))
            return;
        step(20);
        m_page.SetCurrentDate(today);
        UpdateDayView();
        step(30);
        Today();
        step(40);
        m_page.DaySeen(today);
    });
}

void frmMain::Today()
{
    basOperation::TrapSilently(0, [&](Steps &) {
        m_monthView->SetDate(basPlatform::Today());
        return 0;
    });
    basOperation::TrapSilently(0, [&](Steps &) {
        m_monthView->SelectDate(m_page.CurrentDate());
        return 0;
    });
}

void frmMain::Refresh()
{
    basOperation::TrapVoid("frmMain:ToolBar_ButtonClick", [&](Steps &step) {
        step(10);
        if (DesktopCalendar::IsShown()) {
            if (const std::int32_t result = DesktopCalendar::RequestRedraw(); result != 0) {
                basExecuteProgram::ShowStartError(basExecuteProgram::ProgramPath(QStringLiteral("calendar")), result);
                return;
            }
        }
        step(20);
        m_page.Redrawn();
        m_tbRefresh->setEnabled(false);
    });
}

void frmMain::EnableRefreshButton()
{
    if (DesktopCalendar::IsShown())
        m_tbRefresh->setEnabled(true);
}

void frmMain::SetToolbarEditEnabled(bool enabled) { m_tbEdit->setEnabled(enabled); }

void frmMain::SetToolbarDeleteEnabled(bool enabled) { m_tbDelete->setEnabled(enabled); }

void frmMain::WeekStartChanged()
{
    m_monthView->SetFirstDayOfWeek(basLocale::FirstDayOfWeek(m_settings.WeekStartsOn));
    UpdateRangeView();
}

void frmMain::SelectCurrentDateInMonthView() { m_monthView->SelectDate(m_page.CurrentDate()); }

void frmMain::ShowHelpContents() { basHelp::ShowContents(m_openUrl); }

void frmMain::ShowAbout()
{
    if (m_about) {
        m_about->show();
        m_about->raise();
        m_about->activateWindow();
        return;
    }
    // Without an owner and not modal: the main window stays usable.
    m_about = new frmAbout(nullptr);
    m_about->show();
}

} // namespace quillon
