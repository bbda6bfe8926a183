// The two primitives of the settings store: read one text value with a default,
// write one text value. Only these two touch the store.
#pragma once

#include <QString>

namespace quillon {

namespace basRegistry {

// The store's root: the current user. Kept as a handle so callers read as they did.
enum class RootKey { CurrentUser };
inline constexpr RootKey HKEY_CURRENT_USER = RootKey::CurrentUser;

// "Software\Velmora Software\Quillon Desktop Calendar": the product's own key, which
// the store holds itself (its groups are the sub-keys below it).
QString ProductKey();

// Returns the value, or the default when it is missing, empty, not text or unreadable.
// The text is cut at its first NUL.
QString GetRegistryString(RootKey root, const QString &subKey, const QString &valueName,
                          const QString &defaultValue);
// Writes the value, creating the key. False when the store could not be written
// (a read-only file, a folder in its place, a full disk); nothing reports here.
bool SaveRegistryString(RootKey root, const QString &subKey, const QString &valueName,
                        const QString &value);

// Why the store cannot be read at all (a folder in its place, no permission, not a
// settings file); empty when it can be read or does not exist yet. In English, for the
// log; shown (if given) gets the same in the user's language, for the box.
QString StoreReadProblem(QString *shown = nullptr);

} // namespace basRegistry

} // namespace quillon
