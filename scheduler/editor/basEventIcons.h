// The 56 event icons, numbered 101 to 156 as events store them. Drawn as SVG, so they
// are sharp at every size and device pixel ratio.
#pragma once

#include <QIcon>
#include <QString>

namespace quillon {

namespace basEventIcons {

inline constexpr int kFirstIcon = 101;
inline constexpr int kLastIcon = 156;
inline constexpr int kIconCount = kLastIcon - kFirstIcon + 1;

bool IsEventIcon(int number);
// A null icon for a number outside 101..156.
QIcon EventIcon(int number);
// What the icon shows ("Birthday"), for tooltips; empty outside 101..156.
QString EventIconTitle(int number);

// The number of a stored icon text ("120"); 0 for an empty text. Throws
// basOperation::Failure 326 when the text names no icon.
int IconNumberFromText(const QString &text);

} // namespace basEventIcons

} // namespace quillon
