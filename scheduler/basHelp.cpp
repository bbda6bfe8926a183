#include "basHelp.h"

#include "platform/basPlatform.h"

#include <QDesktopServices>

#include <cstdio>

namespace quillon {

namespace basHelp {

QString ContentsPath()
{
    return basPlatform::ProgramFolder() + QStringLiteral("/help/index.html");
}

void ShowContents(const UrlOpener &opener)
{
    const QUrl url = QUrl::fromLocalFile(ContentsPath());
    if (opener) {
        opener(url);
    } else if (basPlatform::IsNonInteractive()) {
        std::fprintf(stderr, "help: %s\n", qPrintable(url.toString()));
        std::fflush(stderr);
    } else {
        QDesktopServices::openUrl(url);
    }
}

} // namespace basHelp

} // namespace quillon
