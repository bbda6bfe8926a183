#include "basOptions.h"

#include "OptionsEnvironment.h"
#include "basFirstStart.h"
#include "OptionsTexts.h"
#include "frmOptions.h"
#include "platform/basPlatform.h"

#include <QApplication>

namespace quillon {

namespace basOptions {

int Main()
{
    if (basPlatform::PreviousInstanceRunning(QStringLiteral("options"))) {
        basPlatform::ShowMessage(OptionsTexts::Tr(OptionsTexts::kAlreadyOpen),
                                 OptionsTexts::Tr(OptionsTexts::kAlreadyOpenTitle), basPlatform::MessageIcon::None,
                                 basPlatform::MessageButtons::Ok);
        return kExitNotSaved;
    }
    if (basFirstStart::PrepareStore(basFirstStart::ForProgram(QStringLiteral("Quillon Options"), false))
        == basFirstStart::Outcome::Quit)
        return kExitNotSaved;
    frmOptions form(SystemOptionsEnvironment());
    // A report shown while loading is the only window for a moment: closing it must
    // not end the program before the dialog appears.
    QApplication::setQuitOnLastWindowClosed(false);
    form.Form_Load();
    form.show();
    QApplication::setQuitOnLastWindowClosed(true);
    QApplication::exec();
    return form.ExitCode() == 0 ? kExitSaved : kExitNotSaved;
}

} // namespace basOptions

} // namespace quillon
