#include "basTranslations.h"

#include "platform/basPlatform.h"

#include <QCoreApplication>
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
