// Asking for a password on the terminal: the typed text is not echoed.
#pragma once

#include <QString>

#include <optional>

namespace quillon {

namespace basTerminal {

// Writes prompt to stderr and reads one line from a terminal on stdin without echo;
// nothing when stdin is not a terminal (or is closed).
std::optional<QString> ReadHiddenLine(const QString &prompt);

} // namespace basTerminal

} // namespace quillon
