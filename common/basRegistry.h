// The two primitives of the settings store: read one text value with a default,
// write one text value. Only these two touch the store.
#pragma once

#include <QString>

namespace basRegistry {

// The store's root: the current user. Kept as a handle so callers read as they did.
enum class RootKey { CurrentUser };
inline constexpr RootKey HKEY_CURRENT_USER = RootKey::CurrentUser;

// Returns the value, or the default when it is missing, empty, not text or unreadable.
// The text is cut at its first NUL.
QString GetRegistryString(RootKey root, const QString &subKey, const QString &valueName,
                          const QString &defaultValue);
// Writes the value, creating the key; a failed write is lost silently.
void SaveRegistryString(RootKey root, const QString &subKey, const QString &valueName,
                        const QString &value);

} // namespace basRegistry
