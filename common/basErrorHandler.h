// The one way every program reports a run-time error: a message box with a fixed
// layout and, when asked, a block appended to error.log in the data folder.
#pragma once

#include <QDateTime>
#include <QCoreApplication>
#include <QString>

namespace quillon {

namespace basErrorHandler {

// The error being reported: what the failing operation raised and the number of the
// last step it reached (0 when it numbers no steps). It is handed to the report, so no
// "current error" outlives it.
struct ErrorState {
    ErrorState() = default;
    ErrorState(int errorNumber, QString errorDescription, int errorLine = 0, QString shownText = QString())
        : number(errorNumber), description(std::move(errorDescription)), line(errorLine), shown(std::move(shownText))
    {
    }

    int number = 0;
    QString description; // English: error.log is read by whoever supports the user
    int line = 0;
    QString shown;       // the box's text in the user's language; empty: the description
};

// Shows the report (unless quiet) and appends the log block (when logError).
void ReportError(const QString &moduleName, const ErrorState &error, bool logError, const QString &extraText,
                 bool quiet = false);

// The pieces of a report, exposed so their exact text can be checked.
QString MessageText(const QString &productName, const QString &applicationFile,
                    const QString &moduleName, const ErrorState &error,
                    const QString &extraText);
QString LogBlock(const QDateTime &when, const QString &applicationFile,
                 const QString &moduleName, const ErrorState &error);

// The report box's title, in English; shown in the user's language.
inline constexpr auto kMessageTitle = QT_TRANSLATE_NOOP("basErrorHandler", "Application Error");

} // namespace basErrorHandler

} // namespace quillon
