#pragma once
// One value written into an INI settings file that several programs write at once.

#include <QByteArray>
#include <QString>

#include <memory>

class QSettings;

namespace quillon {

namespace basSettingsFile {

// The INI file `fileName` opened for reading. Qt takes "<file>.lock" for every read and
// write and waits for it forever, so where a folder stands in its place the settings are
// a path that cannot exist: defaults for every read, a failure for every write. A line
// whose quote is never closed is read as absent (see WithoutUnclosedQuotes), from a
// private copy of the text, which lives as long as the settings returned.
std::unique_ptr<QSettings> Open(const QString &fileName);

// Sets `key` to the text `value` in the INI file `fileName` and writes the file at once.
// Writers take "<file>.lock" (the lock QSettings itself takes) and read the file afresh
// under it, so a value another program wrote a moment ago is kept. Each version of the
// file gets a later modification time than the one before, so a reader that remembers
// size and time sees the change. False, with the file untouched, when the file cannot
// be read, locked within `lockWaitMs` or replaced.
bool WriteValue(const QString &fileName, const QString &key, const QString &value, int lockWaitMs = 10000);

// The file's text with every line dropped whose quote is never closed on it. The INI
// reader would otherwise take all later lines, to the end of the file, as that one value.
// The text itself when no line is damaged.
QByteArray WithoutUnclosedQuotes(const QByteArray &text);

} // namespace basSettingsFile

} // namespace quillon
