#include "basHelp.h"

#include "basHelpPage.h"
#include "platform/basPlatform.h"


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
    if (!opener && basPlatform::IsNonInteractive()) {
        std::fprintf(stderr, "help: %s\n", qPrintable(url.toString()));
        std::fflush(stderr);
        return;
    }
    basHelpPage::Open(url, opener);
}

} // namespace basHelp

} // namespace quillon
