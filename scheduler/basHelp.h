// The suite's help pages, opened at their contents page in the user's browser or our own window.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace quillon {

namespace basHelp {

// The contents page of the help pages shipped beside the programs.
QString ContentsPath();

using UrlOpener = std::function<bool(const QUrl &)>;
// Opens the contents page with the opener (the desktop's browser by default); when it
// refuses, or there is no browser, the page shows in our own help window. Without a
// user to read it (QUILLON_NONINTERACTIVE) and no opener, the path goes to stderr instead.
void ShowContents(const UrlOpener &opener = {});

} // namespace basHelp

} // namespace quillon
