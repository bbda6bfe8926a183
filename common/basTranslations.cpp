#include "basTranslations.h"

#include "platform/basPlatform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quillon {

namespace basTranslations {

namespace {
// Qt reads the layout direction of a language from this message of its translation.
//: "LTR" for a language written left to right, "RTL" for one written right to left.
[[maybe_unused]] const char *const kLayoutDirection = QT_TRANSLATE_NOOP("QGuiApplication", "QT_LAYOUT_DIRECTION");
} // namespace

QString Folder() { return basPlatform::ProgramFolder() + QStringLiteral("/translations"); }

QString HelpContents(const QString &programFolder, const QLocale &locale)
{
    const QString help = programFolder + QStringLiteral("/help/");
    for (const QString &name : locale.uiLanguages()) {
        // "de-DE" and "de" both take the German pages; a page per region is not kept.
        const QString language = name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (language.isEmpty() || language == QLatin1String("en") || language == QLatin1String("c"))
            break;
        const QString page = help + language + QStringLiteral("/index.html");
        if (QFileInfo(page).isFile())
            return page;
    }
    return help + QStringLiteral("index.html");
}

bool Install(QCoreApplication &app, const QLocale &locale)
{
    // The translators live as long as the application that uses them.
    auto *qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    auto *own = new QTranslator(&app);
    if (!own->load(locale, QStringLiteral("quillon"), QStringLiteral("_"), Folder()))
        return false;
    QCoreApplication::installTranslator(own);
    return true;
}

} // namespace basTranslations

} // namespace quillon
