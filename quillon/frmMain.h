// The launcher's hidden main window: it owns the tray icon's menu, the day-change
// timer and the mini calendar, and starts the other programs. It is never shown.
#pragma once

#include "CalendarRun.h"
#include "DesktopCalendar.h"
#include "DesktopWaitRule.h"
#include "LauncherClock.h"
#include "TrayIcon.h"
#include "frmMiniCalendar.h"

#include <QDate>
#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;

namespace quillon {

// What the window works with, handed in so tests can run it without a tray, a clock
// or a help viewer of the machine's.
struct LauncherServices {
    QString programFolder;                         // the sibling programs' folder
    const LauncherClock *clock = nullptr;
    TrayIcon *tray = nullptr;
    std::function<bool()> askBeforeRedraw;          // the warning, modal; true on OK
    std::function<bool(const QUrl &)> openUrl;      // the help viewer
    std::function<void()> quit;                     // ends the program
    int trayRetryMs = 5000;                         // how often to look for a tray that is missing
    // How long after the start a desktop not ready for the wallpaper is waited for,
    // and the first pause before drawing again for it.
    std::int64_t desktopWaitMs = DesktopWaitRule::kDefaultWindowMs;
    std::int64_t desktopFirstRetryMs = DesktopWaitRule::kDefaultFirstDelayMs;
    // The desktop shows nothing of the wallpaper after it restarts (a new login the
    // same day), so every start of the launcher draws it again, not only the day's first.
    bool desktopForgetsWallpaper = false;
    // How long one run of the calendar program may take before it is stopped.
    int calendarTimeoutMs = CalendarRun::kRunTimeoutMs;
    // The subscribed calendars fetched again now (the tray's "Refresh Calendars");
    // without it the item is disabled.
    std::function<void()> refreshCalendars;
    // The "Calendars..." window, modal; without it the item is disabled.
    std::function<void()> openCalendars;
};

class frmMain : public QWidget {
    Q_OBJECT

public:
    inline static const QString kCaption = QStringLiteral("Quillon Desktop Calendar");
    inline static const QString kTrayTip = QStringLiteral("Quillon");
    inline static constexpr const char *kExitTitle = QT_TRANSLATE_NOOP("quillon::frmMain", "Exiting Quillon");
    inline static constexpr const char *kExitQuestion = QT_TRANSLATE_NOOP("quillon::frmMain", "Do you want to clear the calendar from the desktop?\r\n\r\n"
        "Click 'Yes' to clear the calendar from the desktop wallpaper.\r\n"
        "Click 'No' to keep the calendar on the desktop wallpaper.");
    static constexpr int kTimerIntervalMs = 60000;

    explicit frmMain(LauncherServices services, QWidget *parent = nullptr);
    ~frmMain() override;

    // The start: the first start of a day redraws the calendar, the scheduler opens
    // when asked to, the icon goes into the tray and the day-change timer starts.
    void Form_Load();
    // The icon's mouse messages.
    void Form_MouseMove(TrayMessage message);
    // The day-change check, every minute and after a wake from sleep.
    void Timer1_Timer();
    // The screens changed: the wallpaper is redrawn to their new size.
    void OnScreensChanged();
    // The desktop program (re)started and shows no wallpaper of ours: it is drawn again.
    void OnDesktopRestarted();
    // A subscription's refresh changed the month on the wallpaper.
    void OnSubscribedEventsChanged();
    // The store's times moved with a change of the system's zone.
    void OnEventTimesMoved();
    void Form_Unload();
    // A redraw asked for by another program (over the session bus): it joins the queue
    // of calendar runs. 0, or the error number of a start that failed.
    std::int32_t OnRedrawRequested(DesktopCalendar::Drawing drawing);

    void mnuScheduler_Click();
    void mnuOptions_Click();
    void mnuUseLiturgicalColors_Click();
    void mnuRefreshCalendar_Click();
    void mnuRefreshCalendars_Click();
    void mnuCalendars_Click();
    void mnuHelp_Click();
    void mnuExit_Click();

    // Fresh reads of the settings; false when missing or unreadable (shown: DesktopCalendar's rule).
    static bool IsCalendarDisplayed();
    static bool IsWarningEnabled();

    QDate LastDayHandled() const { return m_lastDayHandled; }
    frmMiniCalendar *MiniCalendar() const { return m_miniCalendar; }
    const QTimer &Timer1() const { return m_timer1; }
    const QTimer &TrayRetry() const { return m_trayRetry; }
    const QTimer &DesktopRetry() const { return m_desktopRetry; }
    bool CalendarBusy() const { return m_calendarRun.IsBusy(); }

    // The sibling program's file in the program folder ("calendar", or "calendar.exe").
    QString ProgramFile(const QString &programName) const;
    static QString ProgramFileIn(const QString &folder, const QString &programName);

private:
    void BuildMenu();
    void PrepareTrayMenu();
    void AddTrayIcon();
    void StartProgram(const char *reportName, const QString &programName,
                      const QStringList &arguments = {});
    // The redraw: a watched run of the calendar program, one at a time.
    void StartCalendar(const char *reportName);
    std::int32_t QueueCalendar(DesktopCalendar::Drawing drawing);
    // A redraw the user did not ask for: only while the calendar is on the desktop.
    void RedrawWhenDisplayed();
    void OnCalendarFinished(int exitCode, const QString &lastErrorLine);
    void ReportBrokenRun(int exitCode, const QString &lastErrorLine);

    LauncherServices m_services;
    QMenu *m_menu;
    QAction *m_mnuScheduler = nullptr;
    QAction *m_mnuOptions = nullptr;
    QAction *m_mnuUseLiturgicalColors = nullptr;
    QAction *m_mnuRefreshCalendar = nullptr;
    QAction *m_mnuRefreshCalendars = nullptr;
    QAction *m_mnuCalendars = nullptr;
    QAction *m_mnuHelp = nullptr;
    QAction *m_mnuExit = nullptr;
    QPointer<frmMiniCalendar> m_miniCalendar;
    QTimer m_timer1;
    QTimer m_trayRetry;
    CalendarRun m_calendarRun;
    DesktopWaitRule m_desktopWait;
    QTimer m_desktopRetry;
    QElapsedTimer m_sinceStart;
    bool m_trayWaitNoted = false;
    bool m_inTick = false;
    QDate m_lastDayHandled;
    ClockJumpWatch m_jumpWatch;
};

} // namespace quillon
