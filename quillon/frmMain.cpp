#include "frmMain.h"

#include "ApplicationIcon.h"
#include "DesktopCalendar.h"
#include "basConvert.h"
#include "basDateText.h"
#include "basErrorHandler.h"
#include "basExecuteProgram.h"
#include "basOperation.h"
#include "basQuillon.h"
#include "basTranslations.h"
#include "frmMiniCalendar.h"
#include "platform/basPlatform.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>

#include <cstdio>

namespace quillon {

namespace {
const QString kCalendarWarning = QStringLiteral("CalendarWarning");
const QString kCalendarUseLiturgicalColors = QStringLiteral("CalendarUseLiturgicalColors");

[[noreturn]] void ThrowNotWritten()
{
    throw basOperation::Failure(basOperation::kPathFileAccessError,
                                QStringLiteral("The settings could not be written: ") + basPlatform::SettingsLocation(),
                                frmMain::tr("The settings could not be written: %1").arg(basPlatform::SettingsLocation()));
}

void Note(const QString &text)
{
    std::fprintf(stderr, "quillon: %s\n", qPrintable(text));
    std::fflush(stderr);
}

QString Duration(std::int64_t ms)
{
    if (ms > 0 && ms % 60000 == 0)
        return ms == 60000 ? QStringLiteral("1 minute") : QStringLiteral("%1 minutes").arg(ms / 60000);
    if (ms == 1000)
        return QStringLiteral("1 second");
    return QStringLiteral("%1 seconds").arg(QString::number(static_cast<double>(ms) / 1000.0, 'g', 3));
}

// The same for a box, in the user's language.
QString ShownDuration(std::int64_t ms)
{
    if (ms == 60000)
        return frmMain::tr("1 minute");
    if (ms > 0 && ms % 60000 == 0)
        return frmMain::tr("%n minutes", nullptr, static_cast<int>(ms / 60000));
    if (ms == 1000)
        return frmMain::tr("1 second");
    return frmMain::tr("%1 seconds").arg(QLocale().toString(static_cast<double>(ms) / 1000.0, 'g', 3));
}

constexpr const char *kWaitForDesktop = "quillon.exe:frmMain.WaitForDesktop";
constexpr const char *kCalendarRun = "quillon.exe:frmMain.CalendarRun";
} // namespace

frmMain::frmMain(LauncherServices services, QWidget *parent)
    : QWidget(parent), m_services(std::move(services)), m_menu(new QMenu(QStringLiteral("&PopupMenu"), this)),
      m_desktopWait(m_services.desktopWaitMs, m_services.desktopFirstRetryMs)
{
    m_sinceStart.start();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kCaption);
    setWindowIcon(ApplicationIcon::Icon());
    BuildMenu();

    m_timer1.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    m_trayRetry.setInterval(m_services.trayRetryMs);
    connect(&m_trayRetry, &QTimer::timeout, this, &frmMain::AddTrayIcon);
    m_desktopRetry.setSingleShot(true);
    connect(&m_desktopRetry, &QTimer::timeout, this, [this] { StartCalendar(kWaitForDesktop); });
    m_calendarRun.SetTimeout(m_services.calendarTimeoutMs);
    connect(&m_calendarRun, &CalendarRun::Finished, this, &frmMain::OnCalendarFinished);
    connect(&m_calendarRun, &CalendarRun::StartFailed, this, [](const QString &program, std::int32_t number) {
        basExecuteProgram::ShowStartError(program, number);
    });
    if (m_services.tray)
        m_services.tray->SetMessageHandler([this](TrayMessage message) { Form_MouseMove(message); });
}

frmMain::~frmMain()
{
    if (m_services.tray)
        m_services.tray->SetMessageHandler({});
    delete m_miniCalendar.data();
}

void frmMain::BuildMenu()
{
    m_menu->setObjectName(QStringLiteral("mnuPopupMenu"));
    auto add = [this](const char *name, const QString &caption, void (frmMain::*handler)()) {
        QAction *action = m_menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    m_mnuScheduler = add("mnuScheduler", tr("Open &Scheduler"), &frmMain::mnuScheduler_Click);
    m_mnuOptions = add("mnuOptions", tr("&Options"), &frmMain::mnuOptions_Click);
    m_mnuUseLiturgicalColors = m_menu->addAction(tr("&Use Liturgical Colors"));
    m_mnuUseLiturgicalColors->setObjectName(QStringLiteral("mnuUseLiturgicalColors"));
    m_mnuUseLiturgicalColors->setCheckable(true);
    // Qt flips the check before it reports the click; the handler decides from the
    // mark as it was, so the flip is taken back first.
    connect(m_mnuUseLiturgicalColors, &QAction::triggered, this, [this](bool checkedNow) {
        m_mnuUseLiturgicalColors->setChecked(!checkedNow);
        mnuUseLiturgicalColors_Click();
    });
    m_mnuRefreshCalendar = add("mnuRefreshCalendar", tr("&Refresh Desktop Calendar"),
                               &frmMain::mnuRefreshCalendar_Click);
    m_mnuRefreshCalendars = add("mnuRefreshCalendars", tr("Refresh &Calendars"),
                                &frmMain::mnuRefreshCalendars_Click);
    m_mnuRefreshCalendars->setEnabled(static_cast<bool>(m_services.refreshCalendars));
    m_mnuCalendars = add("mnuCalendars", tr("C&alendars..."), &frmMain::mnuCalendars_Click);
    m_mnuCalendars->setEnabled(static_cast<bool>(m_services.openCalendars));
    m_mnuHelp = add("mnuHelp", tr("&Help"), &frmMain::mnuHelp_Click);
    QAction *separator = m_menu->addSeparator();
    separator->setObjectName(QStringLiteral("mnuSep"));
    m_mnuExit = add("mnuExit", tr("&Exit"), &frmMain::mnuExit_Click);

    // The default item, drawn bold.
    m_menu->setDefaultAction(m_mnuScheduler);
    QFont bold = m_mnuScheduler->font();
    bold.setBold(true);
    m_mnuScheduler->setFont(bold);

    // Hosts that draw the menu themselves ask for it without a right-click message.
    connect(m_menu, &QMenu::aboutToShow, this, &frmMain::PrepareTrayMenu);
}

QString frmMain::ProgramFile(const QString &programName) const
{
    return ProgramFileIn(m_services.programFolder, programName);
}

QString frmMain::ProgramFileIn(const QString &folder, const QString &programName)
{
    // The launching module knows the platform's file name; the folder is ours.
    const QString fileName = QFileInfo(basExecuteProgram::ProgramPath(programName)).fileName();
    return folder + QLatin1Char('/') + fileName;
}

bool frmMain::IsCalendarDisplayed()
{
    return DesktopCalendar::IsShown();
}

bool frmMain::IsWarningEnabled()
{
    return basOperation::TrapSilently(false, [](basOperation::Steps &) {
        return basConvert::ToBoolean(basQuillon::GetOption(kCalendarWarning, QStringLiteral("0")));
    });
}

void frmMain::Form_Load()
{
    basOperation::TrapVoid("quillon.exe:frmMain.Form_Load", [this](basOperation::Steps &step) {
        step(40);
        const basQuillon::GeneralSettingsRecord settings = basQuillon::LoadGeneralSettings();

        step(50);
        const QString storedStart = basQuillon::GetOption(QLatin1String(basQuillon::kLastStartUpDate),
                                                          QLatin1String(basQuillon::kLastStartUpDateDefault));
        step(60);
        const QString lastStart = basDateText::NormalizeDateText(storedStart);
        step(70);
        const QDate today = m_services.clock->Today();
        const QString todayText = basDateText::FormatDateText(today);

        step(80);
        if (DesktopCalendar::IsShown() && (todayText != lastStart || m_services.desktopForgetsWallpaper)) {
            step(90);
            mnuRefreshCalendar_Click();
        }

        step(130);
        if (settings.DisplaySchedulerOnStart > 0) {
            step(140);
            const bool onceAlreadyToday = settings.DisplaySchedulerOnce >= 1 && todayText == lastStart;
            if (!onceAlreadyToday) {
                step(200);
                mnuScheduler_Click();
            }
        }

        step(240);
        if (!m_miniCalendar)
            m_miniCalendar = new frmMiniCalendar;

        step(250);
        m_mnuUseLiturgicalColors->setChecked(settings.CalendarUseLiturgicalColors);

        step(300);
        QCoreApplication::processEvents();
        step(310);
        AddTrayIcon();
        step(320);
        QCoreApplication::processEvents();

        step(330);
        m_lastDayHandled = today;
        m_jumpWatch.Reset(*m_services.clock);

        // The timer runs whatever the setting is now: every tick reads it afresh, so a
        // calendar switched on later in the options program is honoured at once.
        step(340);
        m_timer1.start(kTimerIntervalMs);

        step(420);
        if (!basQuillon::SaveOption(QLatin1String(basQuillon::kLastStartUpDate), todayText))
            ThrowNotWritten();
    });
}

void frmMain::AddTrayIcon()
{
    if (!m_services.tray)
        return;
    if (m_services.tray->AddTrayIcon(kTrayTip, m_menu)) {
        m_trayRetry.stop();
        return;
    }
    // A session that starts us before its panel: keep looking rather than leave.
    if (!m_trayWaitNoted) {
        m_trayWaitNoted = true;
        Note(m_services.tray->AbsentNote());
    }
    if (!m_trayRetry.isActive())
        m_trayRetry.start();
}

void frmMain::PrepareTrayMenu()
{
    m_mnuRefreshCalendar->setEnabled(IsCalendarDisplayed());
}

void frmMain::Form_MouseMove(TrayMessage message)
{
    basOperation::TrapVoid("quillon.exe:frmMain.Form_MouseMove", [&](basOperation::Steps &step) {
        step(20);
        if (isVisible())
            return;
        switch (message) {
        case TrayMessage::DoubleClick:
            step(100);
            mnuScheduler_Click();
            break;
        case TrayMessage::RightButtonUp:
            // The tray shows the menu itself; it only has to be right when it opens.
            step(120);
            PrepareTrayMenu();
            break;
        case TrayMessage::MiddleButtonUp:
            step(40);
            if (!m_miniCalendar)
                m_miniCalendar = new frmMiniCalendar;
            step(50);
            if (!m_miniCalendar->isVisible() && m_services.tray)
                m_miniCalendar->SetIconGeometry(m_services.tray->IconGeometry());
            step(70);
            m_miniCalendar->Toggle();
            break;
        case TrayMessage::None:
            break;
        }
    });
}

void frmMain::StartProgram(const char *reportName, const QString &programName, const QStringList &arguments)
{
    basOperation::TrapVoid(reportName, [&](basOperation::Steps &step) {
        step(20);
        const QString file = ProgramFile(programName);
        step(30);
        const std::int32_t result = basExecuteProgram::ExecuteProgram(file, arguments);
        step(40);
        if (result != 0) {
            step(50);
            basExecuteProgram::ShowStartError(file, result);
        }
    });
}

void frmMain::mnuScheduler_Click()
{
    StartProgram("quillon.exe:frmMain.mnuScheduler_Click", QStringLiteral("scheduler"));
}

void frmMain::mnuOptions_Click()
{
    StartProgram("quillon.exe:frmMain.mnuOptions_Click", QStringLiteral("options"));
}

void frmMain::StartCalendar(const char *reportName)
{
    basOperation::TrapVoid(reportName, [&](basOperation::Steps &step) {
        step(20);
        const QString file = ProgramFile(QStringLiteral("calendar"));
        step(30);
        const std::int32_t result = QueueCalendar(DesktopCalendar::Drawing::Calendar);
        step(40);
        if (result != 0) {
            step(50);
            basExecuteProgram::ShowStartError(file, result);
        }
    });
}

std::int32_t frmMain::QueueCalendar(DesktopCalendar::Drawing drawing)
{
    // This run is the next try for a desktop that was not ready.
    m_desktopRetry.stop();
    return m_calendarRun.Start(ProgramFile(QStringLiteral("calendar")), DesktopCalendar::Arguments(drawing));
}

std::int32_t frmMain::OnRedrawRequested(DesktopCalendar::Drawing drawing)
{
    // The asking program shows the error itself: the launcher only answers.
    return basOperation::TrapSilently(std::int32_t{basOperation::kPathFileAccessError},
                                      [&](basOperation::Steps &) { return QueueCalendar(drawing); });
}

void frmMain::OnCalendarFinished(int exitCode, const QString &lastErrorLine)
{
    if (exitCode == CalendarRun::kExitTimedOut || exitCode == CalendarRun::kExitAbnormal) {
        ReportBrokenRun(exitCode, lastErrorLine);
        return;
    }
    basOperation::TrapVoid(kWaitForDesktop, [&](basOperation::Steps &step) {
        step(20);
        if (exitCode != CalendarRun::kExitDesktopNotReady) {
            m_desktopWait.Reset();
            return;
        }
        step(30);
        if (m_calendarRun.IsBusy())
            return; // the run asked for meanwhile is the next try
        step(40);
        const int triesBefore = m_desktopWait.Tries();
        if (const auto delay = m_desktopWait.NextDelay(m_sinceStart.elapsed())) {
            step(50);
            Note(QStringLiteral("the desktop is not ready for the wallpaper yet; drawing again in %1")
                     .arg(Duration(*delay)));
            m_desktopRetry.start(static_cast<int>(*delay));
            return;
        }
        // Nobody can act on a message box at login: the report goes to error.log only.
        step(60);
        QString text = triesBefore > 0
            ? QStringLiteral("The desktop did not take the wallpaper within %1 of the start")
                  .arg(Duration(m_desktopWait.WindowMs()))
            : QStringLiteral("The desktop was not ready to take the wallpaper");
        if (!lastErrorLine.isEmpty())
            text += QStringLiteral(" (") + lastErrorLine + QLatin1Char(')');
        m_desktopWait.Reset();
        Note(text);
        basErrorHandler::ReportError(QLatin1String(kWaitForDesktop),
                                     {CalendarRun::kExitDesktopNotReady, text, step.last()}, true, QString(), true);
    });
}

void frmMain::ReportBrokenRun(int exitCode, const QString &lastErrorLine)
{
    // The renderer cannot report a crash or a hang itself; the runs queued behind it
    // have gone on already.
    m_desktopWait.Reset();
    QString text = exitCode == CalendarRun::kExitTimedOut
        ? QStringLiteral("The calendar program did not finish within %1 and was stopped")
              .arg(Duration(m_calendarRun.Timeout()))
        : QStringLiteral("The calendar program ended abnormally");
    if (!lastErrorLine.isEmpty())
        text += QStringLiteral(" (") + lastErrorLine + QLatin1Char(')');
    text += QStringLiteral("; the desktop calendar was not redrawn");
    Note(text);
    QString shown = exitCode == CalendarRun::kExitTimedOut
        ? tr("The calendar program did not finish within %1 and was stopped").arg(ShownDuration(m_calendarRun.Timeout()))
        : tr("The calendar program ended abnormally");
    if (!lastErrorLine.isEmpty())
        shown += QStringLiteral(" (") + lastErrorLine + QLatin1Char(')');
    shown += tr("; the desktop calendar was not redrawn");
    basErrorHandler::ReportError(QLatin1String(kCalendarRun), {basOperation::kProgramFailed, text, 0, shown}, true,
                                 QString());
}

void frmMain::mnuRefreshCalendar_Click()
{
    StartCalendar("quillon.exe:frmMain.mnuRefreshCalendar_Click");
}

void frmMain::mnuRefreshCalendars_Click()
{
    if (m_services.refreshCalendars)
        m_services.refreshCalendars();
}

void frmMain::mnuCalendars_Click()
{
    if (m_services.openCalendars)
        m_services.openCalendars();
}

void frmMain::mnuUseLiturgicalColors_Click()
{
    basOperation::TrapVoid("quillon.exe.mnuUseLiturgicalColors_Click", [this](basOperation::Steps &step) {
        step(30);
        const bool wasChecked = m_mnuUseLiturgicalColors->isChecked();
        step(40);
        // Written before the redraw starts, so the calendar program reads the new value;
        // a value that could not be written leaves the mark and the wallpaper as they were.
        if (!basQuillon::SaveOption(kCalendarUseLiturgicalColors, wasChecked ? QStringLiteral("0") : QStringLiteral("1")))
            ThrowNotWritten();
        step(50);
        m_mnuUseLiturgicalColors->setChecked(!wasChecked);
        step(100);
        mnuRefreshCalendar_Click();
    });
}

void frmMain::mnuHelp_Click()
{
    basOperation::TrapVoid("quillon.exe:frmMain.mnuHelp_Click", [this](basOperation::Steps &step) {
        step(20);
        const QString contents = basTranslations::HelpContents(m_services.programFolder, QLocale());
        step(30);
        if (!QFileInfo(contents).isFile())
            throw basOperation::Failure(basOperation::kFileNotFound, QStringLiteral("File not found: ") + contents,
                                        tr("File not found: %1").arg(contents));
        step(40);
        if (!m_services.openUrl || !m_services.openUrl(QUrl::fromLocalFile(contents)))
            throw basOperation::Failure(basOperation::kPathFileAccessError,
                                        QStringLiteral("No help viewer could open ") + contents,
                                        tr("No help viewer could open %1").arg(contents));
    });
}

void frmMain::mnuExit_Click()
{
    basOperation::TrapVoid("quillon.exe:frmMain.mnuExit_Click", [this](basOperation::Steps &step) {
        step(20);
        if (IsCalendarDisplayed()) {
            step(30);
            const auto answer = basPlatform::ShowMessage(tr(kExitQuestion), tr(kExitTitle), basPlatform::MessageIcon::Exclamation,
                                                         basPlatform::MessageButtons::YesNo,
                                                         basPlatform::MessageResult::Yes);
            step(50);
            if (answer == basPlatform::MessageResult::Yes) {
                step(60);
                // A redraw still going would otherwise hold the calendar's lock and
                // put the calendar back after the clearing run gave way to it.
                m_desktopRetry.stop();
                m_calendarRun.Settle();
                // Started on its own, as it outlives the launcher; a copy still drawing draws it after itself.
                const QString file = ProgramFile(QStringLiteral("calendar"));
                const std::int32_t result = DesktopCalendar::RequestRedraw(
                    DesktopCalendar::Drawing::BackgroundOnly, {file, &basExecuteProgram::ExecuteProgram, {}});
                step(70);
                if (result != 0)
                    basExecuteProgram::ShowStartError(file, result);
            }
        }
        step(140);
        Form_Unload();
    });
}

void frmMain::Form_Unload()
{
    // Each step on its own: the program ends whatever fails on the way.
    basOperation::TrapSilently(0, [this](basOperation::Steps &) {
        m_timer1.stop();
        m_trayRetry.stop();
        m_desktopRetry.stop();
        if (m_services.tray)
            m_services.tray->RemoveTrayIcon();
        return 0;
    });
    basOperation::TrapSilently(0, [](basOperation::Steps &) {
        QCoreApplication::processEvents();
        return 0;
    });
    basOperation::TrapSilently(0, [this](basOperation::Steps &) {
        if (m_miniCalendar)
            m_miniCalendar->hide();
        if (m_services.quit)
            m_services.quit();
        return 0;
    });
}

void frmMain::Timer1_Timer()
{
    // A tick while the warning of an earlier one still waits leaves the day to the
    // next tick after it.
    if (m_inTick)
        return;
    m_inTick = true;
    basOperation::TrapSilently(0, [this](basOperation::Steps &step) {
        // A wall clock that moved apart from the awake time means the clock was set
        // or the machine slept: then any other date is a change of day, even an earlier one.
        const bool jumped = m_jumpWatch.Jumped(*m_services.clock);
        step(20);
        if (!IsCalendarDisplayed())
            return 0;
        step(50);
        const QDate today = m_services.clock->Today();
        const bool newDay = today > m_lastDayHandled || (jumped && today != m_lastDayHandled);
        if (!newDay)
            return 0;
        step(70);
        m_lastDayHandled = today;
        step(90);
        bool proceed = true;
        if (IsWarningEnabled()) {
            step(100);
            proceed = m_services.askBeforeRedraw ? m_services.askBeforeRedraw() : true;
        }
        step(160);
        if (proceed)
            mnuRefreshCalendar_Click();
        return 0;
    });
    m_inTick = false;
}

void frmMain::OnScreensChanged() { RedrawWhenDisplayed(); }

void frmMain::OnDesktopRestarted() { RedrawWhenDisplayed(); }

void frmMain::OnSubscribedEventsChanged() { RedrawWhenDisplayed(); }

void frmMain::OnEventTimesMoved() { RedrawWhenDisplayed(); }

void frmMain::RedrawWhenDisplayed()
{
    if (IsCalendarDisplayed())
        mnuRefreshCalendar_Click();
}

} // namespace quillon
