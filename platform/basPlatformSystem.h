// What basPlatform.cpp asks of the system it runs on, answered by basPlatform_unix.cpp
// or basPlatform_win.cpp. Private to the platform library.
#pragma once

#include <QString>

namespace quillon {

namespace basPlatform::system {

// The per-user data folder's base when XDG_DATA_HOME is not set.
QString DefaultDataHome();
// A packaged copy's folder belongs to the package manager: never the data folder, even
// for root, who could write there.
bool IsInstalledFolder(const QString &folder);

} // namespace basPlatform::system

} // namespace quillon
