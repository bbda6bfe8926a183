// The main window's menus, toolbar and status bar: built once, their items named as
// the program knows them, and the Edit menu's states each time it opens.
#include "frmMain.h"

#include "RangePane.h"
#include "SchedulerCommands.h"
#include "UndoHistory.h"
#include "basOperation.h"
#include "basLocale.h"
#include "basToolbarIcons.h"
#include "frmMainParts.h"
#include "platform/basPlatform.h"
#include "views/DayView.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace quillon {

using basOperation::Steps;

namespace {

// Menu captions take "&" as the access-key mark; a name shows its own "&" doubled.
QString MenuText(const QString &name)
{
    QString text = name;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

void frmMain::BuildMenus()
{
    auto item = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };

    QMenu *mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QAction *mnuFileNewEvent = item(mnuFile, "mnuFileNewEvent", tr("&New Event..."));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSep1"));
    QAction *mnuFileImportCalendar = item(mnuFile, "mnuFileImportCalendar", tr("&Import Calendar..."));
    QAction *mnuFileExportCalendar = item(mnuFile, "mnuFileExportCalendar", tr("Ex&port Calendar..."));
    QAction *mnuFileCalendars = item(mnuFile, "mnuFileCalendars", tr("&Calendars..."));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSep2"));
    QAction *mnuFilePrintPreview = item(mnuFile, "mnuFilePrintPreview", tr("Print Pre&view..."));
    QAction *mnuFilePrint = item(mnuFile, "mnuFilePrint", tr("P&rint..."));
    mnuFilePrint->setShortcut(QKeySequence::Print);
    connect(mnuFilePrintPreview, &QAction::triggered, this, [this] { PrintView(true); });
    connect(mnuFilePrint, &QAction::triggered, this, [this] { PrintView(false); });
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSep3"));
    QAction *mnuFileExit = item(mnuFile, "mnuFileExit", tr("E&xit"));

    m_mnuEdit = menuBar()->addMenu(tr("&Edit"));
    m_mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    m_mnuEditEditEvent = item(m_mnuEdit, "mnuEditEditEvent", tr("&Edit Event..."));
    m_mnuEditDeleteEvent = item(m_mnuEdit, "mnuEditDeleteEvent", tr("&Delete Event"));
    m_mnuEditDeleteAllDayEvent = m_mnuEdit->addMenu(tr("Delete &All Day Event"));
    m_mnuEditDeleteAllDayEvent->setObjectName(QStringLiteral("mnuEditDeleteAllDayEvent"));
    m_mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuEditSep1"));
    QAction *mnuEditFind = item(m_mnuEdit, "mnuEditFind", tr("&Find..."));
    mnuEditFind->setShortcut(QKeySequence::Find);
    connect(mnuEditFind, &QAction::triggered, this, &frmMain::mnuEditFind_Click);
    m_mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuEditSep2"));
    QAction *mnuEditOptions = item(m_mnuEdit, "mnuEditOptions", tr("&Options"));

    // Undo and redo of what was done to events, above the rest of the menu.
    QAction *mnuEditUndo = History().Stack().createUndoAction(this, tr("&Undo"));
    mnuEditUndo->setObjectName(QStringLiteral("mnuEditUndo"));
    mnuEditUndo->setShortcut(QKeySequence::Undo);
    QAction *mnuEditRedo = History().Stack().createRedoAction(this, tr("&Redo"));
    mnuEditRedo->setObjectName(QStringLiteral("mnuEditRedo"));
    mnuEditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence::Redo});
    QAction *firstEditItem = m_mnuEdit->actions().value(0);
    m_mnuEdit->insertAction(firstEditItem, mnuEditUndo);
    m_mnuEdit->insertAction(firstEditItem, mnuEditRedo);
    m_mnuEdit->insertSeparator(firstEditItem)->setObjectName(QStringLiteral("mnuEditSep0"));

    QMenu *mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction *mnuHelpContents = item(mnuHelp, "mnuHelpContents", tr("&Contents..."));
    QAction *mnuHelpAbout = item(mnuHelp, "mnuHelpAbout", tr("&About Quillon..."));

    // The day view's context menu, never in the menu bar.
    m_mnuPopup = new QMenu(tr("PopupMenu"), this);
    m_mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    m_mnuPopupNewEvent = item(m_mnuPopup, "mnuPopupNewEvent", tr("&New Event..."));
    m_mnuPopupEditEvent = item(m_mnuPopup, "mnuPopupEditEvent", tr("&Edit Event..."));
    m_mnuPopupDeleteEvent = item(m_mnuPopup, "mnuPopupDeleteEvent", tr("&Delete Event"));

    connect(m_mnuEdit, &QMenu::aboutToShow, this, &frmMain::mnuEdit_Click);
    for (QAction *newEvent : {mnuFileNewEvent, m_mnuPopupNewEvent})
        connect(newEvent, &QAction::triggered, this, &frmMain::CreateNewEvent);
    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuFileImportCalendar, &QAction::triggered, this, [this] { ImportCalendar(); });
    connect(mnuFileExportCalendar, &QAction::triggered, this, [this] { ExportCalendar(); });
    connect(mnuFileCalendars, &QAction::triggered, this, &frmMain::mnuFileCalendars_Click);
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
    connect(mnuEditOptions, &QAction::triggered, this, &frmMain::mnuEditOptions_Click);

    // Keys: Ctrl+N anywhere makes a new event; Delete in the day view deletes the
    // selected one (Enter there opens it, as a double click does).
    mnuFileNewEvent->setShortcut(QKeySequence::New);
    auto *deleteKey = new QShortcut(QKeySequence::Delete, m_dayView, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] {
        basOperation::TrapVoid("frmMain.mnuEditDeleteEvent_Click", [&](Steps &) { DeleteSelectedEvent(); });
    });
    connect(mnuHelpContents, &QAction::triggered, this, &frmMain::ShowHelpContents);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::ShowAbout);
    BuildViewMenu();
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
    const int side = std::max(16, ToPixels(frmMainParts::kToolbarHeight) - 8);
    m_toolbar->setIconSize(QSize(side, side));

    auto button = [this](const char *key, const QString &tooltip) {
        QAction *action = m_toolbar->addAction(basToolbarIcons::ToolbarIcon(QLatin1String(key)), tooltip);
        action->setObjectName(QStringLiteral("Toolbar_") + QLatin1String(key));
        action->setData(QLatin1String(key));
        action->setToolTip(tooltip);
        return action;
    };
    QAction *tbNew = button("New", tr("New Event"));
    m_tbEdit = button("Edit", tr("Edit Event"));
    m_tbDelete = button("Delete", tr("Delete Event"));
    m_toolbar->addSeparator();
    m_tbRefresh = button("Refresh", tr("Refresh Desktop Calendar"));
    m_toolbar->addSeparator();
    QAction *tbHelp = button("Help", tr("Help"));
    m_tbEdit->setEnabled(false);
    m_tbDelete->setEnabled(false);
    m_tbRefresh->setEnabled(false);

    connect(tbNew, &QAction::triggered, this, &frmMain::CreateNewEvent);
    connect(m_tbEdit, &QAction::triggered, this, [this] {
        basOperation::TrapVoid("frmMain:ToolBar_ButtonClick", [&](Steps &) { EditSelectedEvent(); });
    });
    connect(m_tbDelete, &QAction::triggered, this, [this] {
        basOperation::TrapVoid("frmMain:ToolBar_ButtonClick", [&](Steps &) { DeleteSelectedEvent(); });
    });
    connect(m_tbRefresh, &QAction::triggered, this, &frmMain::Refresh);
    connect(tbHelp, &QAction::triggered, this, &frmMain::ShowHelpContents);
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
    m_clock->start(frmMainParts::kStatusClockInterval);
    UpdateStatusClock();
}

void frmMain::UpdateStatusClock()
{
    const QDateTime now = basPlatform::Now();
    const QLocale locale;
    m_statusDate->setText(QStringLiteral(" %1 ").arg(locale.toString(now.date(), QLocale::ShortFormat)));
    m_statusTime->setText(QStringLiteral(" %1 ").arg(basLocale::ShownTime(now.time(), locale)));
}

void frmMain::mnuEdit_Click()
{
    basOperation::TrapVoid("frmMain.mnuEdit_Click", [&](Steps &step) {
        step(10);
        if (m_view != SchedulerView::Day) {
            const std::optional<ViewEvent> chosen = m_rangePane->SelectedEvent();
            m_mnuEditEditEvent->setEnabled(chosen.has_value());
            m_mnuEditDeleteEvent->setEnabled(chosen && EventCommands().IsChangeable(chosen->id));
            return;
        }
        const bool selected = m_dayView->SelectedTask() >= 0;
        m_mnuEditEditEvent->setEnabled(selected);
        m_mnuEditDeleteEvent->setEnabled(selected && IsOwnTask(m_dayView->SelectedTask()));
    });
    basOperation::TrapSilently(0, [&](Steps &) {
        m_mnuEditDeleteAllDayEvent->clear();
        m_mnuEditDeleteAllDayEvent->setEnabled(!m_page.AllDayEvents().isEmpty());
        const QList<DayPage::AllDayEvent> &allDay = m_page.AllDayEvents();
        for (qsizetype i = 0; i < allDay.size(); ++i) {
            QAction *item = m_mnuEditDeleteAllDayEvent->addAction(MenuText(allDay[i].EventName));
            item->setObjectName(QStringLiteral("mnuEditDeleteAllDayEventItems"));
            const int position = static_cast<int>(i) + 1;
            item->setData(position);
            item->setEnabled(EventCommands().IsChangeable(allDay[i].EventID));
            connect(item, &QAction::triggered, this, [this, position] { DeleteAllDayEvent(position); });
        }
        return 0;
    });
}

} // namespace quillon
