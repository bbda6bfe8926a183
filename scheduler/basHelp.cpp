#include "basHelp.h"

#include "basHelpPage.h"
#include "basTranslations.h"
#include "platform/basPlatform.h"

#include <QLocale>


#include <cstdio>

namespace quillon {

namespace basHelp {

QString ContentsPath()
{
    return basTranslations::HelpContents(basPlatform::ProgramFolder(), QLocale());
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
