#include "basLauncher.h"

#include "CalendarList.h"
#include "DesktopCalendarService.h"
#include "EventService.h"
#include "DesktopRestartWatch.h"
#include "HeadlessRun.h"
#include "LauncherReminders.h"
#include "LauncherSubscriptions.h"
#include "ReminderNotifier.h"
#include "ScreenWatch.h"
#include "SleepWatch.h"
#include "basFirstStart.h"
#include "basHelpPage.h"
#include "basSysTray.h"
#include "frmCalendars.h"
#include "frmMain.h"
#include "frmWarning.h"
#include "platform/WallpaperSetter.h"
#include "platform/basPlatform.h"

#include <QApplication>
#include <QDBusConnection>
#include <QTimer>

#include <cstdio>

namespace quillon {

namespace basLauncher {

bool IsHeadless() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

int Main(QApplication &app)
{
    if (basPlatform::PreviousInstanceRunning(QStringLiteral("quillon"))) {
        std::fprintf(stderr, "quillon: already running\n");
        return kExitAlreadyRunning;
    }

    if (IsHeadless())
        return HeadlessRun::RenderOnce(frmMain::ProgramFileIn(basPlatform::ProgramFolder(), QStringLiteral("calendar")));
    if (basFirstStart::PrepareStore(basFirstStart::ForProgram(QStringLiteral("Quillon"), false))
        == basFirstStart::Outcome::Quit)
        return kExitNoDatabase;

    SystemLauncherClock clock;
    basSysTray::SystemTray tray;
    LauncherServices services;
    services.programFolder = basPlatform::ProgramFolder();
    const basPlatform::WallpaperBackend backend =
        basPlatform::ChooseWallpaperBackend(basPlatform::CurrentDesktopEnvironment()).backend;
    services.desktopForgetsWallpaper = basPlatform::ForgetsWallpaperOnRestart(backend);
    services.clock = &clock;
    services.tray = &tray;
    services.askBeforeRedraw = [] {
        frmWarning warning;
        warning.exec();
        return warning.OkPressed();
    };
    services.openUrl = [](const QUrl &url) { return basHelpPage::Open(url); };
    services.quit = [] { QCoreApplication::quit(); };

    // Subscribed calendars: a change in the month shown goes through the window's redraw.
    frmMain *shown = nullptr;
    // Where no secret store runs, a password given once serves the whole session:
    // the refreshes and the Calendars window share it.
    const auto passwords = std::make_shared<SessionPasswords>();
    SubscriptionRefreshServices subscriptionServices;
    subscriptionServices.clock = &clock;
    subscriptionServices.passwords = passwords;
    subscriptionServices.askPassword = [](const QString &prompt, std::function<void(const QString &)> answer) {
        frmCalendars::AskPasswordLater(prompt, std::move(answer));
    };
    subscriptionServices.monthChanged = [&shown] {
        if (shown)
            shown->OnSubscribedEventsChanged();
    };
    subscriptionServices.notify = [&tray](const QString &title, const QString &text) { tray.ShowMessage(title, text); };
    LauncherSubscriptions subscriptions(subscriptionServices);
    services.refreshCalendars = [&subscriptions] { subscriptions.RefreshAll(); };
    services.openCalendars = [&shown, &clock, passwords] {
        CalendarList list(QString(), passwords);
        QObject::connect(&list, &CalendarList::DatesChanged, [&](const QList<QDate> &dates) {
            if (shown && EventService::TouchesShownMonth(dates, clock.Today()))
                shown->OnSubscribedEventsChanged();
        });
        frmCalendars window(list);
        window.exec();
    };

    frmMain form(services);
    shown = &form;

    // The launcher lives in the tray: closing the mini calendar or a dialog must not end it.
    app.setQuitOnLastWindowClosed(false);
    SleepWatch sleep;
    QObject::connect(&sleep, &SleepWatch::Resumed, &form, &frmMain::Timer1_Timer);
    ScreenWatch screens;
    QObject::connect(&screens, &ScreenWatch::Changed, &form, &frmMain::OnScreensChanged);
    DesktopRestartWatch desktop(services.desktopForgetsWallpaper ? basPlatform::DesktopBusName(backend) : QString());
    QObject::connect(&desktop, &DesktopRestartWatch::Restarted, &form, &frmMain::OnDesktopRestarted);

    // Other programs ask for their redraws here, so every drawing joins the one queue.
    DesktopCalendarService redraws([&form](DesktopCalendar::Drawing drawing) { return form.OnRedrawRequested(drawing); });
    if (QString why; !redraws.Register(&why))
        std::fprintf(stderr, "quillon: other programs start the calendar themselves: %s\n", qPrintable(why));

    // Reminders: on the desktop's notification server, else as the icon's balloon.
    ReminderNotifier notifier(QDBusConnection::sessionBus(),
                              [&tray](const QString &title, const QString &body) { tray.ShowMessage(title, body); });
    ReminderServices reminderServices;
    reminderServices.clock = &clock;
    reminderServices.notifier = &notifier;
    reminderServices.openScheduler = [&form] { form.mnuScheduler_Click(); };
    LauncherReminders reminders(reminderServices);
    QObject::connect(&sleep, &SleepWatch::Resumed, &reminders, &LauncherReminders::Replan);
    QObject::connect(&reminders, &LauncherReminders::EventTimesMoved, &form, &frmMain::OnEventTimesMoved);
    // A change made in the scheduler for a server's calendar goes out at once, not at the next refresh.
    QObject::connect(&reminders, &LauncherReminders::StoreChanged, &subscriptions, &LauncherSubscriptions::SendWaiting);

    // The network comes back a little after the machine: asked at once, every server would fail.
    QObject::connect(&sleep, &SleepWatch::Resumed, &subscriptions, [&subscriptions] {
        QTimer::singleShot(LauncherSubscriptions::kWakeDelayMs, &subscriptions, &LauncherSubscriptions::RefreshAll);
    });

    form.Form_Load();
    reminders.Start();
    subscriptions.RefreshAll();
    return app.exec();
}

} // namespace basLauncher

} // namespace quillon
