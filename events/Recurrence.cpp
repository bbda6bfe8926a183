#include "Recurrence.h"

namespace quillon {

QString Recurrence::ToRRule() const { return {}; }

std::optional<Recurrence> Recurrence::FromRRule(const QString &) { return std::nullopt; }

QList<QDate> Recurrence::Days(QDate, QDate, QDate, int) const { return {}; }

} // namespace quillon
