#include "ReminderSetting.h"

#include "basQuillon.h"

#include <QString>

namespace quillon {

namespace ReminderSetting {

bool IsOn()
{
    const QString text = basQuillon::GetOption(QLatin1String(kKey), QStringLiteral("1")).trimmed();
    bool number = false;
    const double value = text.toDouble(&number);
    return !number || value != 0;
}

bool Save(bool on) { return basQuillon::SaveOption(QLatin1String(kKey), on ? QStringLiteral("1") : QStringLiteral("0")); }

} // namespace ReminderSetting

} // namespace quillon
