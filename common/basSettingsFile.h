#pragma once
// One value written into an INI settings file that several programs write at once.

#include <QByteArray>
#include <QString>

namespace basSettingsFile {

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
