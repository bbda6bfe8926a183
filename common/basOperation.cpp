#include "basOperation.h"

#include "basErrorHandler.h"

#include <QCoreApplication>

namespace quillon {

namespace basOperation {

void ThrowTypeMismatch()
{
    throw Failure(kTypeMismatch, QStringLiteral("Type mismatch"),
                  QCoreApplication::translate("basErrorHandler", "Type mismatch"));
}

void ThrowOverflow()
{
    throw Failure(kOverflow, QStringLiteral("Overflow"), QCoreApplication::translate("basErrorHandler", "Overflow"));
}

void ReportTrapped(const char *name, int step, const std::exception_ptr &error)
{
    int number = kInvalidProcedureCall;
    QString description = QStringLiteral("Unexpected error");
    QString shown = QCoreApplication::translate("basErrorHandler", "Unexpected error");
    try {
        std::rethrow_exception(error);
    } catch (const Failure &failure) {
        number = failure.number();
        description = failure.description();
        shown = failure.shown();
    } catch (const std::exception &other) {
        // The system's own text, as it gave it.
        description = QString::fromLocal8Bit(other.what());
        shown = description;
    } catch (...) {
    }
    basErrorHandler::ReportError(QString::fromUtf8(name), {number, description, step, shown}, true, QString());
}

} // namespace basOperation

} // namespace quillon
