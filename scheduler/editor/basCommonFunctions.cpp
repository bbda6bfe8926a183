#include "basCommonFunctions.h"

namespace basCommonFunctions {

bool IsInArray(const QString &text, const QStringList &list)
{
    for (const QString &entry : list) {
        if (!entry.isEmpty() && entry == text)
            return true;
    }
    return false;
}

} // namespace basCommonFunctions
