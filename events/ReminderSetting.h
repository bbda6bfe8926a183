// The switch for reminders ("Remind me of events" on the options dialog's General page):
// the launcher reads it afresh before it shows any, so a change needs no restart.
#pragma once

namespace quillon {

namespace ReminderSetting {

inline constexpr auto kKey = "RemindMeOfEvents";

// On unless the stored value is a number equal to zero (on when there is none).
bool IsOn();
// False when the settings store could not be written.
bool Save(bool on);

} // namespace ReminderSetting

} // namespace quillon
