// What basSecrets asks of the system beside QtKeychain, answered by
// basSecretsSystem_unix.cpp (the Secret Service on the session bus) or
// basSecretsSystem_other.cpp. Private to the secrets library.
#pragma once

#include <QString>

namespace quillon {

namespace basSecrets::system {

// Why the running store has nowhere to keep a password (a Secret Service without a
// default collection, or whose default names a collection that does not exist); empty
// when it has one, or when that cannot be told within timeoutMs.
QString UnusableStoreReason(int timeoutMs);

} // namespace basSecrets::system

} // namespace quillon
