// Splitting text at a delimiter of any length, counting fields from 1.
#pragma once

#include <QString>

namespace quillon {

namespace basStringFunctions {

// The n-th field (from 1) of text split at delimiter; a field beyond the last is empty.
QString GetField(const QString &text, const QString &delimiter, int n);
// The number of delimiters plus one.
int CountFields(const QString &text, const QString &delimiter);
// Fields first to last joined by the delimiter; with last omitted, the same as GetField.
QString GetFields(const QString &text, const QString &delimiter, int first, int last = -1);

} // namespace basStringFunctions

} // namespace quillon
