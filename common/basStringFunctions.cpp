#include "basStringFunctions.h"

namespace quillon {

namespace basStringFunctions {

namespace {
// Start of field n (from 1) and its length; start -1 when there is no such field.
std::pair<qsizetype, qsizetype> FieldSpan(const QString &text, const QString &delimiter, int n)
{
    if (n < 1)
        return {-1, 0};
    if (delimiter.isEmpty())
        return n == 1 ? std::pair<qsizetype, qsizetype>{0, text.size()} : std::pair<qsizetype, qsizetype>{-1, 0};
    qsizetype start = 0;
    for (int field = 1; field < n; ++field) {
        const qsizetype next = text.indexOf(delimiter, start);
        if (next < 0)
            return {-1, 0};
        start = next + delimiter.size();
    }
    const qsizetype end = text.indexOf(delimiter, start);
    return {start, (end < 0 ? text.size() : end) - start};
}
} // namespace

QString GetField(const QString &text, const QString &delimiter, int n)
{
    const auto [start, length] = FieldSpan(text, delimiter, n);
    return start < 0 ? QString() : text.mid(start, length);
}

int CountFields(const QString &text, const QString &delimiter)
{
    if (delimiter.isEmpty())
        return 1;
    // Non-overlapping, as the split itself: "|||" holds one "||".
    int count = 1;
    for (qsizetype at = text.indexOf(delimiter); at >= 0; at = text.indexOf(delimiter, at + delimiter.size()))
        ++count;
    return count;
}

QString GetFields(const QString &text, const QString &delimiter, int first, int last)
{
    if (last < 0 || last <= first)
        return GetField(text, delimiter, first);
    const auto [start, length] = FieldSpan(text, delimiter, first);
    if (start < 0)
        return QString();
    const auto [lastStart, lastLength] = FieldSpan(text, delimiter, last);
    if (lastStart < 0)
        return text.mid(start);
    return text.mid(start, lastStart + lastLength - start);
}

} // namespace basStringFunctions

} // namespace quillon
