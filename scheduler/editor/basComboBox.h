// Looking up an entry of a combo box by its text.
#pragma once

#include <QString>

class QComboBox;

namespace quillon {

namespace basComboBox {

// The position (from 0) of the first entry whose text equals text exactly, or -1.
int FindComboItem(const QComboBox &combo, const QString &text);

} // namespace basComboBox

} // namespace quillon
