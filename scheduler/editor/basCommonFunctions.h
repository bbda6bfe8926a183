// Small list helpers of the event editor.
#pragma once

#include <QString>
#include <QStringList>

namespace basCommonFunctions {

// True when some non-empty entry equals text exactly; an empty text is never found.
bool IsInArray(const QString &text, const QStringList &list);

} // namespace basCommonFunctions
