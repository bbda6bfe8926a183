// The translations of what a person reads, chosen from the user's locale: the suite's own
// (translations/quillon_<language>.qm in the program folder) and Qt's (the standard
// dialogs' buttons), and the help pages (help/<language>/ beside help/, the English ones).
// English, the texts in the code, needs none.
#pragma once

class QCoreApplication;
class QLocale;
class QString;

namespace quillon {

namespace basTranslations {

// Installs both translations for the locale into the application; the layout direction
// then follows the language (Qt reads it from the translation). False when the suite
// has no translation for the locale's languages.
bool Install(QCoreApplication &app, const QLocale &locale);
// Where the suite's .qm files are looked for.
QString Folder();
// The help contents page under the program folder in the first of the locale's languages
// that has one (help/de/index.html), else the English help/index.html.
QString HelpContents(const QString &programFolder, const QLocale &locale);

} // namespace basTranslations

} // namespace quillon
