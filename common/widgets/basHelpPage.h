// Opening a help page: in the desktop's browser where there is one that takes it,
// otherwise in our own help window, so that Help always shows something.
#pragma once

#include <QUrl>

#include <functional>

namespace quillon {

class frmHelp;

namespace basHelpPage {

using UrlOpener = std::function<bool(const QUrl &)>;

// Hands the page to the opener (the desktop's, QDesktopServices, when there is a browser);
// when it refuses or there is none, shows the page in our help window. True when either
// showed it.
bool Open(const QUrl &page, const UrlOpener &opener = {});
// Our help window with the page: the one already open, else a new one.
frmHelp *ShowInOwnWindow(const QUrl &page);

} // namespace basHelpPage

} // namespace quillon
