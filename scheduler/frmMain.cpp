#include "frmMain.h"

#include "DayCaptionLabel.h"
#include "DesktopCalendar.h"
#include "EventStore.h"
#include "SchedulerCommands.h"
#include "basColor.h"
#include "basColorCombo.h"
#include "basConvert.h"
#include "basDayCaption.h"
#include "basEventIcons.h"
#include "basExecuteProgram.h"
#include "basFactOfTheDay.h"
#include "basFormControl.h"
#include "basHelp.h"
#include "basMain.h"
#include "basMonthMarks.h"
#include "basOperation.h"
#include "basRegistry.h"
#include "basTimeText.h"
#include "basToolbarIcons.h"
#include "UnsavedNotes.h"
#include "basWindowGeometry.h"
#include "frmAbout.h"
#include "platform/basPlatform.h"
#include "views/DayView.h"
#include "views/MonthView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCalendarWidget>
#include <QCursor>
#include <QDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSessionManager>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include <optional>

namespace {

using basOperation::Steps;

// Design values of the controls, twips.
constexpr std::int32_t kToolbarHeight = 420;
constexpr std::int32_t kTodayButtonWidth = 735;
constexpr std::int32_t kTodayStripHeight = 250;
constexpr std::int32_t kNotesLabelTop = 120;
constexpr std::int32_t kNotesLabelWidth = 735;
constexpr std::int32_t kNotesLabelHeight = 250;
constexpr std::int32_t kNotesTop = 350;

constexpr auto kCaption = "Quillon Scheduler";
constexpr auto kCaptionFontFamily = "MS Sans Serif";
constexpr int kCaptionFontPoints = 12;
constexpr auto kFactFontFamily = "Arial";
constexpr int kFactFontPoints = 9;

constexpr int kStatusClockInterval = 1000;
constexpr int kLeastPaneSize = 24; // pixels
using basOperation::kDuplicateKey;

// Sets a flag for the span of a scope and puts the previous value back.
class FlagScope {
public:
    explicit FlagScope(bool &flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_previous; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
    bool m_previous;
};

QString StoredValue(const char *name)
{
    return basRegistry::GetRegistryString(basRegistry::HKEY_CURRENT_USER, basQuillon::GeneralKey(),
                                          QLatin1String(name), QString());
}

void SaveStoredValue(const char *name, std::int32_t value)
{
    basRegistry::SaveRegistryString(basRegistry::HKEY_CURRENT_USER, basQuillon::GeneralKey(), QLatin1String(name),
                                    QString::number(value));
}

// A stored size: nothing when the value is empty. A value that is not a whole number
// counts as empty and joins bad, for one report once the others are applied.
std::optional<std::int32_t> StoredNumber(int step, const char *name, basQuillon::BadValues &bad)
{
    const QString text = StoredValue(name);
    if (text.isEmpty())
        return std::nullopt;
    return bad.Take(step, name, text, [](const QString &value) { return std::optional(basConvert::ToInt32(value)); },
                    std::optional<std::int32_t>());
}

// Menu captions take "&" as the access-key mark; a name shows its own "&" doubled.
QString MenuText(const QString &name)
{
    QString text = name;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

// Suspends painting of the part of the window whose view is rebuilt, so no
// intermediate state is ever drawn; nested rebuilds keep the one suspension, and
// painting resumes when the outermost ends. Only that part is drawn again then: a
// whole-window redraw costs more than the rebuild itself.
class frmMain::PaintingSuspended {
public:
    PaintingSuspended(frmMain &window, QWidget &part) : m_window(window)
    {
        if (m_window.m_paintingSuspended++ == 0)
            m_locked = basFormControl::LockWindowRedraw(part);
    }
    ~PaintingSuspended()
    {
        if (--m_window.m_paintingSuspended == 0 && m_locked)
            basFormControl::UnlockWindowRedraw();
    }
    PaintingSuspended(const PaintingSuspended &) = delete;
    PaintingSuspended &operator=(const PaintingSuspended &) = delete;

private:
    frmMain &m_window;
    bool m_locked = false;
};

frmMain::frmMain(basDatabase::EventStore &store, QWidget *parent)
    : QMainWindow(parent), m_store(store),
      m_colorFromName([](const QString &name) { return basColorCombo::ColorFromName(name); }),
      m_eventIcon([](int number) { return basEventIcons::EventIcon(number); })
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QLatin1String(kCaption));
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

void frmMain::BuildControls()
{
    auto named = [](QWidget *widget, const char *name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };

    m_panelA = named(new QWidget, "picPanelA");
    m_caption = new DayCaptionLabel(m_panelA);
    named(m_caption, "lblDayViewCaption");
    QFont captionFont(QLatin1String(kCaptionFontFamily), kCaptionFontPoints);
    captionFont.setBold(true);
    m_caption->setFont(captionFont);
    m_dayView = new DayView(m_panelA);
    named(m_dayView, "SSDay");

    m_fact = new QPlainTextEdit;
    named(m_fact, "txtFactOfTheDay");
    m_fact->setReadOnly(true);
    m_fact->setFont(QFont(QLatin1String(kFactFontFamily), kFactFontPoints));

    m_panelB = named(new QWidget, "picPanelB");
    m_monthView = new MonthView(m_panelB);
    named(m_monthView, "SSMonth");
    m_today = new QPushButton(tr("&Today"), m_panelB);
    named(m_today, "cmdToday");

    m_panelC = named(new QWidget, "picPanelC");
    m_notesLabel = new QLabel(tr("Notes:"), m_panelC);
    named(m_notesLabel, "lblNotes");
    m_notes = new QPlainTextEdit(m_panelC);
    named(m_notes, "txtNotes");

    m_left = new QSplitter(Qt::Vertical);
    m_left->setObjectName(QStringLiteral("Pane A over Pane D"));
    m_left->addWidget(m_panelA);
    m_left->addWidget(m_fact);
    m_right = new QSplitter(Qt::Vertical);
    m_right->setObjectName(QStringLiteral("Pane B over Pane C"));
    m_right->addWidget(m_panelB);
    m_right->addWidget(m_panelC);
    m_columns = new QSplitter(Qt::Horizontal);
    m_columns->setObjectName(QStringLiteral("SSSplitter"));
    m_columns->addWidget(m_left);
    m_columns->addWidget(m_right);
    for (QSplitter *splitter : {m_left, m_right, m_columns})
        splitter->setChildrenCollapsible(false);
    setCentralWidget(m_columns);

    for (QWidget *panel : {m_panelA, m_panelB, m_panelC})
        panel->installEventFilter(this);
    m_notes->installEventFilter(this);

    connect(m_monthView, &MonthView::DaySelected, this, &frmMain::SSMonth_DaySelected);
    connect(m_monthView, &MonthView::DisplayedMonthsChanged, this, &frmMain::SSMonth_DisplayedMonthsChanged);
    connect(m_dayView, &DayView::Click, this, &frmMain::SSDay_Click);
    connect(m_dayView, &DayView::DblClick, this, &frmMain::SSDay_DblClick);
    connect(m_dayView, &DayView::MouseUp, this, &frmMain::SSDay_MouseUp);
    connect(m_dayView, &DayView::AddRequest, this, [this](const QString &) { CreateNewEvent(); });
    connect(m_today, &QPushButton::clicked, this, &frmMain::Today);
}

void frmMain::BuildMenus()
{
    auto item = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };

    m_mnuFile = menuBar()->addMenu(tr("&File"));
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m_mnuFileNewEvent = item(m_mnuFile, "mnuFileNewEvent", tr("&New Event..."));
    m_mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSep1"));
    m_mnuFileImportCalendar = item(m_mnuFile, "mnuFileImportCalendar", tr("&Import Calendar..."));
    m_mnuFileExportCalendar = item(m_mnuFile, "mnuFileExportCalendar", tr("Ex&port Calendar..."));
    m_mnuFileCalendars = item(m_mnuFile, "mnuFileCalendars", tr("&Calendars..."));
    m_mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSep2"));
    m_mnuFileExit = item(m_mnuFile, "mnuFileExit", tr("E&xit"));

    m_mnuEdit = menuBar()->addMenu(tr("&Edit"));
    m_mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    m_mnuEditEditEvent = item(m_mnuEdit, "mnuEditEditEvent", tr("&Edit Event..."));
    m_mnuEditDeleteEvent = item(m_mnuEdit, "mnuEditDeleteEvent", tr("&Delete Event"));
    m_mnuEditDeleteAllDayEvent = m_mnuEdit->addMenu(tr("Delete &All Day Event"));
    m_mnuEditDeleteAllDayEvent->setObjectName(QStringLiteral("mnuEditDeleteAllDayEvent"));
    m_mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuEditSep1"));
    m_mnuEditOptions = item(m_mnuEdit, "mnuEditOptions", tr("&Options"));

    m_mnuHelp = menuBar()->addMenu(tr("&Help"));
    m_mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    m_mnuHelpContents = item(m_mnuHelp, "mnuHelpContents", tr("&Contents..."));
    m_mnuHelpAbout = item(m_mnuHelp, "mnuHelpAbout", tr("&About Quillon..."));

    // The day view's context menu, never in the menu bar.
    m_mnuPopup = new QMenu(tr("PopupMenu"), this);
    m_mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    m_mnuPopupNewEvent = item(m_mnuPopup, "mnuPopupNewEvent", tr("&New Event..."));
    m_mnuPopupEditEvent = item(m_mnuPopup, "mnuPopupEditEvent", tr("&Edit Event..."));
    m_mnuPopupDeleteEvent = item(m_mnuPopup, "mnuPopupDeleteEvent", tr("&Delete Event"));

    connect(m_mnuEdit, &QMenu::aboutToShow, this, &frmMain::mnuEdit_Click);
    for (QAction *newEvent : {m_mnuFileNewEvent, m_mnuPopupNewEvent})
        connect(newEvent, &QAction::triggered, this, &frmMain::CreateNewEvent);
    connect(m_mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(m_mnuFileImportCalendar, &QAction::triggered, this, [this] { ImportCalendar(); });
    connect(m_mnuFileExportCalendar, &QAction::triggered, this, [this] { ExportCalendar(); });
    connect(m_mnuFileCalendars, &QAction::triggered, this, &frmMain::mnuFileCalendars_Click);
    connect(m_mnuEditEditEvent, &QAction::triggered, this, [this] {
        basOperation::TrapVoid("frmMain.mnuEditEditEvent_Click", [&](Steps &) { EditSelectedEvent(); });
    });
    connect(m_mnuPopupEditEvent, &QAction::triggered, this, &frmMain::EditSelectedEvent);
    connect(m_mnuEditDeleteEvent, &QAction::triggered, this, [this] {
        basOperation::TrapVoid("frmMain.mnuEditDeleteEvent_Click", [&](Steps &) { DeleteSelectedEvent(); });
    });
    connect(m_mnuPopupDeleteEvent, &QAction::triggered, this, [this] {
        DeleteSelectedEvent();
        QApplication::processEvents();
    });
    connect(m_mnuEditOptions, &QAction::triggered, this, &frmMain::mnuEditOptions_Click);

    // Keys: Ctrl+N anywhere makes a new event; Delete in the day view deletes the
    // selected one (Enter there opens it, as a double click does).
    m_mnuFileNewEvent->setShortcut(QKeySequence::New);
    auto *deleteKey = new QShortcut(QKeySequence::Delete, m_dayView, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] {
        basOperation::TrapVoid("frmMain.mnuEditDeleteEvent_Click", [&](Steps &) { DeleteSelectedEvent(); });
    });
    connect(m_mnuHelpContents, &QAction::triggered, this, &frmMain::ShowHelpContents);
    connect(m_mnuHelpAbout, &QAction::triggered, this, &frmMain::ShowAbout);
}

void frmMain::BuildToolbar()
{
    m_toolbar = addToolBar(tr("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    // The bar's design height, less the frame the style draws round its buttons.
    const int side = std::max(16, ToPixels(kToolbarHeight) - 8);
    m_toolbar->setIconSize(QSize(side, side));

    auto button = [this](const char *key, const QString &tooltip) {
        QAction *action = m_toolbar->addAction(basToolbarIcons::ToolbarIcon(QLatin1String(key)), tooltip);
        action->setObjectName(QStringLiteral("Toolbar_") + QLatin1String(key));
        action->setData(QLatin1String(key));
        action->setToolTip(tooltip);
        return action;
    };
    m_tbNew = button("New", tr("New Event"));
    m_tbEdit = button("Edit", tr("Edit Event"));
    m_tbDelete = button("Delete", tr("Delete Event"));
    m_toolbar->addSeparator();
    m_tbRefresh = button("Refresh", tr("Refresh Desktop Calendar"));
    m_toolbar->addSeparator();
    m_tbHelp = button("Help", tr("Help"));
    m_tbEdit->setEnabled(false);
    m_tbDelete->setEnabled(false);
    m_tbRefresh->setEnabled(false);

    connect(m_tbNew, &QAction::triggered, this, &frmMain::CreateNewEvent);
    connect(m_tbEdit, &QAction::triggered, this, [this] {
        basOperation::TrapVoid("frmMain:ToolBar_ButtonClick", [&](Steps &) { EditSelectedEvent(); });
    });
    connect(m_tbDelete, &QAction::triggered, this, [this] {
        basOperation::TrapVoid("frmMain:ToolBar_ButtonClick", [&](Steps &) { DeleteSelectedEvent(); });
    });
    connect(m_tbRefresh, &QAction::triggered, this, &frmMain::Refresh);
    connect(m_tbHelp, &QAction::triggered, this, &frmMain::ShowHelpContents);
}

void frmMain::BuildStatusBar()
{
    m_statusText = new QLabel;
    m_statusText->setObjectName(QStringLiteral("StatusBar_Text"));
    m_statusDate = new QLabel;
    m_statusDate->setObjectName(QStringLiteral("StatusBar_Date"));
    m_statusTime = new QLabel;
    m_statusTime->setObjectName(QStringLiteral("StatusBar_Time"));
    statusBar()->addWidget(m_statusText, 1);
    statusBar()->addPermanentWidget(m_statusDate);
    statusBar()->addPermanentWidget(m_statusTime);
    m_clock = new QTimer(this);
    connect(m_clock, &QTimer::timeout, this, &frmMain::UpdateStatusClock);
    m_clock->start(kStatusClockInterval);
    UpdateStatusClock();
}

void frmMain::UpdateStatusClock()
{
    const QDateTime now = basPlatform::Now();
    const QLocale locale;
    m_statusDate->setText(QStringLiteral(" %1 ").arg(locale.toString(now.date(), QLocale::ShortFormat)));
    // The locale's short time, without seconds where it shows them.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.remove(QStringLiteral(":ss"));
    m_statusTime->setText(QStringLiteral(" %1 ").arg(locale.toString(now.time(), format)));
}

QAction *frmMain::ToolbarButton(const QString &key) const
{
    for (QAction *action : {m_tbNew, m_tbEdit, m_tbDelete, m_tbRefresh, m_tbHelp})
        if (action->data().toString() == key)
            return action;
    return nullptr;
}

void frmMain::SetEventPresentation(std::function<std::int32_t(const QString &)> colorFromName,
                                   std::function<QIcon(int)> eventIcon)
{
    if (colorFromName)
        m_colorFromName = std::move(colorFromName);
    if (eventIcon)
        m_eventIcon = std::move(eventIcon);
}

double frmMain::TwipsPerPixel() const
{
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return basWindowGeometry::TwipsPerPixel(shown ? shown->logicalDotsPerInchY() : 96.0);
}

int frmMain::ToPixels(std::int32_t twips) const { return basWindowGeometry::TwipsToPixels(twips, TwipsPerPixel()); }

std::int32_t frmMain::ToTwips(int pixels) const { return basWindowGeometry::PixelsToTwips(pixels, TwipsPerPixel()); }

std::int32_t frmMain::ButtonFace() const { return basColor::FromQColor(palette().color(QPalette::Button)); }

// --- Load and unload ----------------------------------------------------------------

bool frmMain::Form_Load()
{
    const bool loaded = basOperation::Trap("frmMain.Form_Load", false, [&](Steps &step) {
        step(10);
        m_calendarRefreshNeeded = false;
        m_firstRun = false;
        m_lastKnownToday = basPlatform::Today();
        step(20);
        m_settings = basQuillon::LoadGeneralSettings();
        step(30);
        if (!m_store.OpenDatabaseConnection())
            return false;
        step(40);
        m_tbNew->setEnabled(true);
        m_tbHelp->setEnabled(true);
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
        m_currentDate = basPlatform::Today();
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
            m_monthView->SelectDate(basPlatform::Today());
        }
        step(130);
        QApplication::processEvents();
        step(140);
        m_timer->start(kTimerInterval);
        m_storeVersion = m_store.ChangesByOthers();
        if (m_storeLookInterval > 0)
            m_storeLook->start(m_storeLookInterval);
        return true;
    });
    if (loaded || isVisible())
        return true;
    // Never shown: nothing is left behind.
    m_unloaded = true;
    m_store.CloseDatabaseConnection();
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
    for (auto it = m_unsavedNotes.begin(); it != m_unsavedNotes.end();)
        it = it.key() != m_notesDate && m_store.IsOpen() && m_store.UpdateDateNotes(it.key(), it.value())
            ? m_unsavedNotes.erase(it)
            : std::next(it);
    if (m_unsavedNotes.isEmpty())
        return true;

    QMap<QDate, QString> notes; // in the order of the days
    for (auto it = m_unsavedNotes.cbegin(); it != m_unsavedNotes.cend(); ++it)
        notes.insert(it.key(), it.value());
    switch (basPlatform::ShowMessage(UnsavedNotes::ClosingQuestion(notes), QLatin1String(kCaption),
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
    m_unsavedNotes.clear();
    m_notes->document()->setModified(false);
    m_notesDate = QDate();
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
        for (auto it = m_unsavedNotes.cbegin(); it != m_unsavedNotes.cend(); ++it)
            if (it.key() != m_notesDate)
                m_store.UpdateDateNotes(it.key(), it.value());
        return 0;
    });
    basOperation::TrapSilently(0, [&](Steps &) {
        m_store.CloseDatabaseConnection();
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
        if (m_calendarRefreshNeeded && DesktopCalendar::IsShown()) {
            if (const std::int32_t result = DesktopCalendar::RequestRedraw(); result != 0)
                basExecuteProgram::ShowStartError(basExecuteProgram::ProgramPath(QStringLiteral("calendar")), result);
        }
        return 0;
    });
    basOperation::TrapSilently(0, [&](Steps &) {
        UnloadOtherWindows();
        return 0;
    });
    m_allDayEvents.clear();
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

// --- Geometry -----------------------------------------------------------------------

void frmMain::SetWindowDimensions()
{
    basOperation::TrapVoid("frmMain:SetWindowDimensions", [&](Steps &step) {
        step(10);
        FlagScope busy(m_busy);
        basQuillon::BadValues bad;
        step(20);
        const auto left = StoredNumber(20, "MainWindowLeft", bad);
        const auto top = StoredNumber(20, "MainWindowTop", bad);
        const auto width = StoredNumber(20, "MainWindowWidth", bad);
        const auto height = StoredNumber(20, "MainWindowHeight", bad);
        step(30);
        if (!left)
            m_firstRun = true;
        step(40);
        QRect frame(pos(), size());
        if (left)
            frame.moveLeft(ToPixels(*left));
        if (top)
            frame.moveTop(ToPixels(*top));
        if (width)
            frame.setWidth(std::max(1, ToPixels(*width)));
        if (height)
            frame.setHeight(std::max(1, ToPixels(*height)));
        step(50);
        // A position saved on a screen that is gone comes back onto the primary one.
        QList<QRect> screens;
        QSize largest;
        for (const QScreen *each : QGuiApplication::screens()) {
            screens.append(each->availableGeometry());
            largest = largest.expandedTo(each->availableGeometry().size());
        }
        // A stored size no screen can show, or too small to use, is brought within reach.
        if (!largest.isEmpty())
            frame.setSize(frame.size().boundedTo(largest).expandedTo(minimumSizeHint()));
        if (const QScreen *primary = QGuiApplication::primaryScreen()) {
            if (!left && !top)
                frame.moveCenter(primary->availableGeometry().center()); // first start
            frame = basWindowGeometry::PlaceOnScreens(frame, screens, primary->availableGeometry());
        }
        step(60);
        move(frame.topLeft());
        resize(frame.size());
        step(70);
        QApplication::processEvents();
        bad.Report("frmMain:SetWindowDimensions");
    });
}

namespace {
void SetFirstSize(QSplitter &splitter, int first)
{
    QList<int> sizes = splitter.sizes();
    int total = 0;
    for (int size : sizes)
        total += size;
    if (sizes.size() < 2 || total <= 0)
        return;
    // Neither pane is squeezed out of sight, whatever size was stored.
    auto least = [&](int index) {
        const QSize hint = splitter.widget(index)->minimumSizeHint();
        return std::max(kLeastPaneSize, splitter.orientation() == Qt::Horizontal ? hint.width() : hint.height());
    };
    const int low = std::min(least(0), total / 2);
    const int high = std::max(low, total - std::min(least(1), total / 2));
    first = std::clamp(first, low, high);
    splitter.setSizes({first, total - first});
}
} // namespace

void frmMain::SetSplitterDimensions()
{
    basOperation::TrapVoid("frmMain:SetSplitterDimensions", [&](Steps &step) {
        basQuillon::BadValues bad;
        {
            step(10);
            FlagScope busy(m_busy);
            const std::int32_t windowHeight = ToTwips(height());
            const std::int32_t windowWidth = ToTwips(width());
            step(20);
            const std::int32_t pane0Height = StoredNumber(20, "Pane0Height", bad).value_or(
                basWindowGeometry::Share(windowHeight, basWindowGeometry::kPane0HeightShare));
            step(30);
            const std::int32_t pane0Width = StoredNumber(30, "Pane0Width", bad).value_or(
                basWindowGeometry::Share(windowWidth, basWindowGeometry::kPane0WidthShare));
            SetFirstSize(*m_left, ToPixels(pane0Height));
            SetFirstSize(*m_columns, ToPixels(pane0Width));
            step(40);
            const std::int32_t pane2Height = StoredNumber(40, "Pane2Height", bad).value_or(
                basWindowGeometry::Share(windowHeight, basWindowGeometry::kPane2HeightShare));
            SetFirstSize(*m_right, ToPixels(pane2Height));
        }
        step(50);
        picPanelA_Resize();
        picPanelB_Resize();
        picPanelC_Resize();
        bad.Report("frmMain:SetSplitterDimensions");
    });
}

std::int32_t frmMain::Pane0Height() const { return ToTwips(m_left->sizes().value(0)); }
std::int32_t frmMain::Pane0Width() const { return ToTwips(m_columns->sizes().value(0)); }
std::int32_t frmMain::Pane2Height() const { return ToTwips(m_right->sizes().value(0)); }

void frmMain::SaveWindowDimensions()
{
    basOperation::TrapVoid("frmMain:SaveWindowDimensions", [&](Steps &step) {
        step(10);
        SaveStoredValue("MainWindowLeft", ToTwips(pos().x()));
        SaveStoredValue("MainWindowTop", ToTwips(pos().y()));
        SaveStoredValue("MainWindowWidth", ToTwips(width()));
        SaveStoredValue("MainWindowHeight", ToTwips(height()));
        step(20);
        SaveStoredValue("Pane0Height", Pane0Height());
        SaveStoredValue("Pane0Width", Pane0Width());
        SaveStoredValue("Pane2Height", Pane2Height());
    });
}

void frmMain::picPanelA_Resize()
{
    if (m_busy)
        return;
    if (!m_allDayEvents.isEmpty()) {
        // How many all-day lines fit depends on the pane's height.
        UpdateDayViewCaption(m_captionColor);
        return;
    }
    basOperation::TrapSilently(0, [&](Steps &) {
        FlagScope busy(m_busy);
        const int width = m_panelA->width();
        const int captionHeight = ToPixels(m_captionHeight);
        m_caption->setGeometry(0, 0, width, captionHeight);
        m_dayView->setGeometry(0, captionHeight, width, std::max(0, m_panelA->height() - captionHeight));
        return 0;
    });
}

void frmMain::picPanelB_Resize()
{
    if (m_busy)
        return;
    basOperation::TrapSilently(0, [&](Steps &) {
        FlagScope busy(m_busy);
        // The strip under the month view keeps its design height unless the style's
        // button needs more.
        const int strip = std::max(ToPixels(kTodayStripHeight), m_today->sizeHint().height());
        const int buttonWidth = std::max(ToPixels(kTodayButtonWidth), m_today->sizeHint().width());
        const int width = m_panelB->width();
        const int monthHeight = std::max(0, m_panelB->height() - strip);
        m_monthView->setGeometry(0, 0, width, monthHeight);
        // Weekday names in full short form while they fit their columns, else initials.
        QCalendarWidget *calendar = m_monthView->Calendar();
        const QLocale locale = calendar->locale();
        int widest = 0;
        for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
            widest = std::max(widest, calendar->fontMetrics().horizontalAdvance(locale.dayName(day, QLocale::ShortFormat)));
        const int spare = calendar->style()->pixelMetric(QStyle::PM_HeaderMargin) * 2 + 2;
        calendar->setHorizontalHeaderFormat(widest + spare <= width / MonthViewModel::kColumns
                                                ? QCalendarWidget::ShortDayNames
                                                : QCalendarWidget::SingleLetterDayNames);
        m_today->setGeometry(width - buttonWidth, monthHeight, buttonWidth, strip);
        return 0;
    });
}

void frmMain::picPanelC_Resize()
{
    if (m_busy)
        return;
    basOperation::TrapSilently(0, [&](Steps &) {
        FlagScope busy(m_busy);
        m_notesLabel->setGeometry(0, ToPixels(kNotesLabelTop), ToPixels(kNotesLabelWidth),
                                  ToPixels(kNotesLabelHeight));
        const int top = ToPixels(kNotesTop);
        m_notes->setGeometry(0, top, m_panelC->width(), std::max(0, m_panelC->height() - top));
        return 0;
    });
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == m_panelA)
            picPanelA_Resize();
        else if (watched == m_panelB)
            picPanelB_Resize();
        else if (watched == m_panelC)
            picPanelC_Resize();
    } else if (watched == m_notes && event->type() == QEvent::FocusOut) {
        // The box's own context menu takes the focus only for a moment.
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            txtNotes_LostFocus();
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- Views --------------------------------------------------------------------------

void frmMain::UpdateDayView()
{
    basOperation::TrapVoid("frmMain:UpdateDayView", [&](Steps &step) {
        step(10);
        PaintingSuspended suspended(*this, *m_left);
        StoreNotesBeforeLeavingDay();
        step(20);
        ClearAllDayEvents();
        m_dayView->RemoveAllTasks();
        m_dayView->SetSelectedTimeSlot(-1);
        m_tbEdit->setEnabled(false);
        m_tbDelete->setEnabled(false);
        UpdateStatusText();
        step(30);
        // The day's events with their data in one query.
        QList<basDatabase::DatedEvent> events;
        if (m_store.GetEventsInRange(m_currentDate, m_currentDate, events))
            for (const basDatabase::DatedEvent &dated : events)
                AddEventToDayView(dated.Event);
        step(40);
        QList<basDatabase::DayRecord> days;
        if (m_store.GetDates(m_currentDate, m_currentDate, days)) {
            const basDatabase::DayRecord day = days.value(0);
            step(50);
            UpdateDayViewCaption(day.DateColor);
            const auto unsaved = m_unsavedNotes.constFind(m_currentDate);
            m_notes->setPlainText(unsaved != m_unsavedNotes.cend() ? *unsaved : day.DateNotes);
            m_notes->document()->setModified(unsaved != m_unsavedNotes.cend());
            m_notesDate = m_currentDate;
            UpdateFactOfTheDay(day.DateColor, day.DateText);
        } else {
            // The box must not keep another day's notes: its next loss of focus would
            // store them for this one.
            step(60);
            m_notesDate = QDate();
            m_notes->clear();
            m_notes->document()->setModified(false);
            UpdateDayViewCaption(QString());
            m_fact->clear();
        }
    });
}

void frmMain::StoreNotesBeforeLeavingDay()
{
    // Notes typed but not yet stored: the box kept the focus while the day was reloaded.
    if (m_notesDate.isValid() && m_notes->document()->isModified()) {
        txtNotes_LostFocus();
        // The store said why it refused them; the text stays for its day.
        if (m_notes->document()->isModified())
            m_unsavedNotes.insert(m_notesDate, m_notes->toPlainText());
    }
}

void frmMain::AddEventToDayView(const basDatabase::EventRecord &event)
{
    basOperation::TrapVoid("frmMain:AddEventToDayView", [&](Steps &step) {
        step(10);
        FlagScope busy(m_busy);
        PaintingSuspended suspended(*this, *m_left);
        step(20);
        if (event.AllDayEvent) {
            for (const AllDayEvent &entry : m_allDayEvents)
                if (entry.EventID == event.EventID)
                    throw basOperation::Failure(kDuplicateKey, QStringLiteral("This key is already associated "
                                                                              "with an element of this collection"));
            m_allDayEvents.append({event.EventID, event.EventName});
            step(30);
            UpdateDayViewCaption(QString());
            return;
        }
        step(40);
        const std::int32_t color =
            event.EventColor.isEmpty() ? m_dayView->DurationBarFillColor() : m_colorFromName(event.EventColor);
        step(50);
        m_dayView->AddTask(basTimeText::FormatTimeText(event.StartTime), basTimeText::FormatTimeText(event.EndTime),
                           event.EventName, color);
        step(60);
        const int index = m_dayView->TaskCount() - 1;
        if (index >= 0) {
            m_dayView->SetTaskTagVariant(index, QString::number(event.EventID));
            if (event.EventIcon > 0)
                m_dayView->SetTaskPicture(index, m_eventIcon(event.EventIcon));
        }
    });
}

void frmMain::UpdateDayViewCaption(const QString &dateColor)
{
    basOperation::TrapVoid("frmMain:UpdateDayViewCaption", [&](Steps &step) {
        step(10);
        FlagScope busy(m_busy);
        PaintingSuspended suspended(*this, *m_left);
        step(20);
        QStringList names;
        for (const AllDayEvent &entry : m_allDayEvents)
            names.append(entry.EventName);
        const basDayCaption::Caption caption = basDayCaption::BuildCaption(
            m_currentDate, names, dateColor, QLocale(), palette().color(QPalette::Button),
            ToTwips(m_panelA->height()) / 2);
        step(40);
        m_caption->setText(caption.text);
        step(50);
        auto *label = static_cast<DayCaptionLabel *>(m_caption);
        label->SetColors(caption.background, caption.foreground);
        label->SetLineHeights(ToPixels(basDayCaption::kBaseHeight),
                              ToPixels(basDayCaption::kBaseHeight + basDayCaption::kLineHeight)
                                  - ToPixels(basDayCaption::kBaseHeight));
        step(60);
        m_captionHeight = caption.height;
        m_captionColor = dateColor;
        const int captionHeight = ToPixels(caption.height);
        m_caption->setGeometry(0, 0, m_panelA->width(), captionHeight);
        m_dayView->setGeometry(0, m_caption->y() + captionHeight, m_panelA->width(),
                               std::max(0, m_panelA->height() - captionHeight));
    });
}

void frmMain::ClearAllDayEvents() { m_allDayEvents.clear(); }

int frmMain::GetTaskIndex(qint64 eventId)
{
    return basOperation::Trap("frmMain:GetTaskIndex", -1, [&](Steps &step) {
        step(10);
        const QString tag = QString::number(eventId);
        for (int i = 0; i < m_dayView->TaskCount(); ++i)
            if (m_dayView->TaskTagVariant(i) == tag)
                return i;
        return -1;
    });
}

void frmMain::UpdateMonthView()
{
    basOperation::TrapVoid("frmMain:UpdateMonthView", [&](Steps &step) {
        step(10);
        FlagScope busy(m_busy);
        PaintingSuspended suspended(*this, *m_panelB);
        step(20);
        const GridMonth first = m_monthView->DisplayedMonth(0);
        const GridMonth last = m_monthView->DisplayedMonth(2);
        const QDate firstDate(first.year, first.month, 1);
        const QDate lastDate(last.year, last.month, last.days);
        step(30);
        // All rows of the displayed months in one query.
        QList<basDatabase::DayRecord> days;
        if (!m_store.GetDates(firstDate, lastDate, days))
            return;
        step(40);
        m_monthView->ResetMarks();
        step(50);
        for (const basDatabase::DayRecord &day : days)
            if (day.DateKey.isValid())
                m_monthView->MarkDate(day.DateKey, basMonthMarks::StyleSetName(day.DateColor, day.EventCount));
    });
}

void frmMain::SetStyleSets()
{
    basOperation::TrapVoid("frmMain:SetStyleSets", [&](Steps &step) {
        step(10);
        for (const basMonthMarks::StyleSetDefinition &set : basMonthMarks::StyleSets(ButtonFace()))
            m_monthView->AddStyleSet(set.name, set.backColor, set.textColor, set.bold);
    });
}

void frmMain::UpdateFactOfTheDay(const QString &dateColor, const QString &dateText)
{
    basOperation::TrapVoid("frmMain:UpdateFactOfTheDay", [&](Steps &step) {
        step(10);
        const bool welcome = m_firstRun;
        const QString fact = welcome ? QString() : m_store.GetFactOfTheDay(m_currentDate);
        step(20);
        const QString text = basFactOfTheDay::ComposeText(welcome, dateText, fact, dateColor);
        m_firstRun = false;
        step(30);
        m_fact->setPlainText(text);
    });
}

void frmMain::txtNotes_LostFocus()
{
    // Stored for the day the box was filled for, whatever day is shown by now.
    if (!m_notesDate.isValid() || !m_store.IsOpen())
        return;
    if (m_store.UpdateDateNotes(m_notesDate, m_notes->toPlainText())) {
        m_notes->document()->setModified(false);
        m_unsavedNotes.remove(m_notesDate);
    }
}

void frmMain::SSMonth_DaySelected(const QDate &date)
{
    if (m_busy)
        return;
    m_currentDate = date;
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
    // The selected event at a glance: "9:30 AM - 10:30 AM  Staff meeting".
    const int selected = m_dayView->SelectedTask();
    if (selected < 0) {
        m_statusText->clear();
        return;
    }
    const DayViewTask &task = m_dayView->Model().Task(selected);
    m_statusText->setText(task.startText + QStringLiteral(" - ") + task.endText + QStringLiteral("  ") + task.text);
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
            EditEvent(m_dayView->TaskTagVariant(selected).toLongLong(), selected);
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
            const int index = GetTaskIndex(m_dayView->TaskTagVariant(task).toLongLong());
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
    return task >= 0 && EventCommands().IsOwnEvent(m_dayView->TaskTagVariant(task).toLongLong());
}

void frmMain::EditSelectedEvent()
{
    const int selected = m_dayView->SelectedTask();
    if (selected >= 0)
        EditEvent(m_dayView->TaskTagVariant(selected).toLongLong(), selected);
}

void frmMain::DeleteSelectedEvent()
{
    const int selected = m_dayView->SelectedTask();
    if (selected < 0)
        return;
    DeleteEvent(m_dayView->TaskTagVariant(selected).toLongLong(), selected);
    m_tbEdit->setEnabled(false);
    UpdateStatusText();
}

void frmMain::mnuEdit_Click()
{
    basOperation::TrapVoid("frmMain.mnuEdit_Click", [&](Steps &step) {
        step(10);
        const bool selected = m_dayView->SelectedTask() >= 0;
        m_mnuEditEditEvent->setEnabled(selected);
        m_mnuEditDeleteEvent->setEnabled(selected && IsOwnTask(m_dayView->SelectedTask()));
    });
    basOperation::TrapSilently(0, [&](Steps &) {
        m_mnuEditDeleteAllDayEvent->clear();
        m_mnuEditDeleteAllDayEvent->setEnabled(!m_allDayEvents.isEmpty());
        for (qsizetype i = 0; i < m_allDayEvents.size(); ++i) {
            QAction *item = m_mnuEditDeleteAllDayEvent->addAction(MenuText(m_allDayEvents[i].EventName));
            item->setObjectName(QStringLiteral("mnuEditDeleteAllDayEventItems"));
            const int position = static_cast<int>(i) + 1;
            item->setData(position);
            item->setEnabled(EventCommands().IsOwnEvent(m_allDayEvents[i].EventID));
            connect(item, &QAction::triggered, this, [this, position] { DeleteAllDayEvent(position); });
        }
        return 0;
    });
}

// --- Commands -----------------------------------------------------------------------

void frmMain::NoteEventDatesChanged(const QList<QDate> &dates)
{
    if (basMain::CurrentMonthChanged(dates))
        m_calendarRefreshNeeded = true;
}

void frmMain::ShowChangesByOthers()
{
    // Not while a dialog of ours is open: the change is still there to show after it.
    // Nor before the load has finished (it knows the version then).
    if (m_storeVersion < 0 || m_busy || m_unloaded || QApplication::activeModalWidget() || !m_store.IsOpen())
        return;
    const qint64 version = m_store.ChangesByOthers();
    if (version < 0 || version == m_storeVersion)
        return;
    m_storeVersion = version;
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
        if (today <= m_lastKnownToday)
            return; // a clock set back changes nothing
        step(20);
        m_currentDate = today;
        UpdateDayView();
        step(30);
        Today();
        step(40);
        m_lastKnownToday = today;
    });
}

void frmMain::Today()
{
    basOperation::TrapSilently(0, [&](Steps &) {
        m_monthView->SetDate(basPlatform::Today());
        return 0;
    });
    basOperation::TrapSilently(0, [&](Steps &) {
        m_monthView->SelectDate(m_currentDate);
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
        m_calendarRefreshNeeded = false;
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

void frmMain::SelectCurrentDateInMonthView() { m_monthView->SelectDate(m_currentDate); }

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
