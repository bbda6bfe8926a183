#include "basHelpPage.h"

#include "frmHelp.h"
#include "platform/basPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>

namespace quillon {

namespace basHelpPage {

bool Open(const QUrl &page, const UrlOpener &opener)
{
    if (opener) {
        if (opener(page))
            return true;
    } else if (basPlatform::CanShowWebPages() && QDesktopServices::openUrl(page)) {
        return true;
    }
    if (page.isLocalFile() && !QFileInfo(page.toLocalFile()).isFile())
        return false;
    return ShowInOwnWindow(page) != nullptr;
}

frmHelp *ShowInOwnWindow(const QUrl &page)
{
    // One help window: the program's windows are where it is found, no record of our own.
    frmHelp *window = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *help = qobject_cast<frmHelp *>(top); help && help->isVisible())
            window = help; // a closed one is on its way out
    if (!window)
        window = new frmHelp;
    window->ShowPage(page);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace basHelpPage

} // namespace quillon
