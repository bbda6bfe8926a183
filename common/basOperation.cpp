#include "basOperation.h"

#include "basErrorHandler.h"

namespace quillon {

namespace basOperation {

void ThrowTypeMismatch() { throw Failure(kTypeMismatch, QStringLiteral("Type mismatch")); }
void ThrowOverflow() { throw Failure(kOverflow, QStringLiteral("Overflow")); }

void ReportTrapped(const char *name, int step, const std::exception_ptr &error)
{
    int number = kInvalidProcedureCall;
    QString description = QStringLiteral("Unexpected error");
    try {
        std::rethrow_exception(error);
    } catch (const Failure &failure) {
        number = failure.number();
        description = failure.description();
    } catch (const std::exception &other) {
        description = QString::fromLocal8Bit(other.what());
    } catch (...) {
    }
    basErrorHandler::ReportError(QString::fromUtf8(name), {number, description, step}, true, QString());
}

} // namespace basOperation

} // namespace quillon
