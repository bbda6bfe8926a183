// The suite's help pages, opened at their contents page in the user's browser.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace quillon {

namespace basHelp {

// The contents page of the help pages shipped beside the programs.
QString ContentsPath();

using UrlOpener = std::function<bool(const QUrl &)>;
// Opens the contents page with the opener (the desktop's by default). Without a user
// to read it (QUILLON_NONINTERACTIVE) the path goes to stderr instead. A missing page
// is the browser's to report.
void ShowContents(const UrlOpener &opener = {});

} // namespace basHelp

} // namespace quillon
