#include "basComboBox.h"

#include <QComboBox>

namespace quillon {

namespace basComboBox {

int FindComboItem(const QComboBox &combo, const QString &text)
{
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.itemText(i) == text)
            return i;
    }
    return -1;
}

} // namespace basComboBox

} // namespace quillon
