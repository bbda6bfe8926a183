#include "basErrorHandler.h"

#include "platform/basPlatform.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QMetaObject>
#include <QMutex>
#include <QThread>

#include <cstdio>

namespace quillon {

namespace basErrorHandler {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QChar kTab = QLatin1Char('\t');

// The log's date: two-digit day, the locale's month abbreviation, four-digit year.
QString LogDate(const QDateTime &when)
{
    const QDate date = when.date();
    return QStringLiteral("%1-%2-%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(QLocale::system().monthName(date.month(), QLocale::ShortFormat))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

// Reports may come from any thread (a refresh runs on one of its own): their blocks are
// appended one at a time so none is cut into another.
QMutex &LogMutex()
{
    static QMutex mutex;
    return mutex;
}

bool AppendToLog(const QString &block)
{
    const QMutexLocker locked(&LogMutex());
    QFile log(basPlatform::DataFile(QLatin1String(basPlatform::kErrorLogFileName)));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = block.toUtf8();
    const bool written = log.write(bytes) == bytes.size();
    log.close();
    return written && log.error() == QFileDevice::NoError;
}
} // namespace

QString MessageText(const QString &productName, const QString &applicationFile,
                    const QString &moduleName, const ErrorState &error, const QString &extraText)
{
    QString text;
    text += QCoreApplication::translate("basErrorHandler", "An error has occurred.") + kCrLf + kCrLf;
    text += QCoreApplication::translate("basErrorHandler", "Product Name: ") + kTab + productName + kCrLf;
    text += QCoreApplication::translate("basErrorHandler", "Application File:  ") + kTab + applicationFile + kCrLf;
    text += QCoreApplication::translate("basErrorHandler", "Module: ") + kTab + kTab + moduleName + kCrLf;
    text += QCoreApplication::translate("basErrorHandler", "Line Number: ") + kTab + QString::number(error.line) + kCrLf + kCrLf;
    text += QCoreApplication::translate("basErrorHandler", "Error Number: ") + kTab + QString::number(error.number) + kCrLf;
    text += QCoreApplication::translate("basErrorHandler", "Error Description: ") + kTab
            + (error.shown.isEmpty() ? error.description : error.shown) + kCrLf + kCrLf;
    text += kCrLf + extraText + kCrLf;
    return text;
}

QString LogBlock(const QDateTime &when, const QString &applicationFile,
                 const QString &moduleName, const ErrorState &error)
{
    QString block;
    block += LogDate(when) + QStringLiteral("  ") + when.time().toString(QStringLiteral("HH:mm:ss")) + kCrLf;
    block += QStringLiteral("Error logged by application: ") + applicationFile + kCrLf;
    block += QStringLiteral("In module: ") + moduleName + kCrLf;
    block += QStringLiteral("At line: ") + QString::number(error.line) + kCrLf;
    block += QStringLiteral("Error Number: ") + QString::number(error.number) + kCrLf;
    block += QStringLiteral("Error Description: ") + error.description + kCrLf;
    block += QString(50, QLatin1Char('-')) + kCrLf;
    block += kCrLf;
    return block;
}

void ReportError(const QString &moduleName, const ErrorState &error, bool logError, const QString &extraText,
                 bool quiet)
{
    // A report raised while this thread makes a report (a message handler that fails,
    // say) must not recurse; the inner one goes to stderr only.
    thread_local bool reporting = false;
    const QString application = basPlatform::ExecutableName();
    const QString text = MessageText(basPlatform::ProductName(), application, moduleName, error, extraText);
    if (reporting) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return;
    }
    reporting = true;

    if (logError && !AppendToLog(LogBlock(basPlatform::Now(), application, moduleName, error))) {
        // The log is out of reach (a read-only folder, a full disk): the report
        // itself must still reach someone.
        std::fprintf(stderr, "error.log could not be written; the report was:\n%s\n", qPrintable(text));
        std::fflush(stderr);
    }
    if (!quiet) {
        QCoreApplication *app = QCoreApplication::instance();
        const auto show = [text] {
            basPlatform::ShowMessage(text, QCoreApplication::translate("basErrorHandler", kMessageTitle),
                                     basPlatform::MessageIcon::Information,
                                     basPlatform::MessageButtons::Ok);
        };
        // A window belongs to the GUI thread: from any other the box is shown there, and
        // the reporting thread does not wait for the user to close it. Programs without
        // windows print the report, which any thread may do.
        if (app && app->inherits("QGuiApplication") && QThread::currentThread() != app->thread())
            QMetaObject::invokeMethod(app, show, Qt::QueuedConnection);
        else
            show();
    }
    reporting = false;
}

} // namespace basErrorHandler

} // namespace quillon
