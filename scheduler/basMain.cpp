#include "basMain.h"

#include "EventService.h"
#include "EventStore.h"
#include "basFirstStart.h"
#include "basOperation.h"
#include "frmMain.h"
#include "platform/basPlatform.h"

#include <QCoreApplication>
#include <QApplication>

#if __has_include("basMessageBox.h")
#include "basMessageBox.h"
#define QUILLON_HAS_MESSAGE_BOX 1
#endif

#include <memory>

namespace quillon {

namespace basMain {

int Main()
{
    using basOperation::Steps;
    return basOperation::Trap("basMain.Main", kExitError, [&](Steps &step) {
        step(10);
#ifdef QUILLON_HAS_MESSAGE_BOX
        basMessageBox::Install();
#endif
        step(20);
        if (basPlatform::PreviousInstanceRunning(QLatin1String(kProgramName))) {
            step(30);
            basPlatform::ShowMessage(QCoreApplication::translate("basMain", kAlreadyRunningText), QLatin1String(kAlreadyRunningTitle),
                                     basPlatform::MessageIcon::None, basPlatform::MessageButtons::Ok);
            return kExitDone;
        }
        step(40);
        if (basFirstStart::PrepareStore(basFirstStart::ForProgram(QStringLiteral("Quillon Scheduler"), true))
            == basFirstStart::Outcome::Quit)
            return kExitNoDatabase;
        step(50);
        basDatabase::EventStore store;
        step(60);
        auto window = std::make_unique<frmMain>(store);
        step(70);
        if (!window->Form_Load())
            return kExitNoDatabase; // the store has reported why; no window is left
        step(80);
        QApplication::exec();
        return kExitDone;
    });
}

bool CurrentMonthChanged(const QList<QDate> &dates)
{
    return basOperation::Trap("basMain:CurrentMonthChanged", false, [&](basOperation::Steps &step) {
        step(10);
        const QDate today = basPlatform::Today();
        step(20);
        return EventService::TouchesShownMonth(dates, today);
    });
}

} // namespace basMain

} // namespace quillon
