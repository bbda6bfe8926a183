#include "basSecretsSystem.h"

namespace quillon {

namespace basSecrets::system {

// The keychain and the credential store always have room for a password.
QString UnusableStoreReason(int) { return QString(); }

} // namespace basSecrets::system

} // namespace quillon
