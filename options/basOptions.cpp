#include "basOptions.h"

#include "OptionsEnvironment.h"
#include "OptionsTexts.h"
#include "frmOptions.h"
#include "platform/basPlatform.h"

#include <QApplication>

namespace basOptions {

int Main()
{
    if (basPlatform::PreviousInstanceRunning(QStringLiteral("options"))) {
        basPlatform::ShowMessage(QLatin1String(OptionsTexts::kAlreadyOpen),
                                 QLatin1String(OptionsTexts::kAlreadyOpenTitle), basPlatform::MessageIcon::None,
                                 basPlatform::MessageButtons::Ok);
        return kExitNotSaved;
    }
    frmOptions form(SystemOptionsEnvironment());
    form.Form_Load();
    form.show();
    QApplication::exec();
    return form.ExitCode() == 0 ? kExitSaved : kExitNotSaved;
}

} // namespace basOptions
