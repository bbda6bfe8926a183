// quillon-db add, edit, delete: events written from scripts, through the same service as
// the scheduler's, so that a change to a server's calendar is queued for it in the
// change's own transaction.
#pragma once

#include <QStringList>

namespace quillon {

namespace EventCommands {

// Prints the new event's id alone, for a script to keep.
int Add(const QStringList &arguments);
int Edit(const QStringList &arguments);
// The whole event: a series with every occurrence.
int Delete(const QStringList &arguments);

inline constexpr auto kAddUsage = "quillon-db add DB [--calendar ID] --name TEXT --start \"YYYY-MM-DD HH:MM\" "
                                  "--end \"YYYY-MM-DD HH:MM\" [--rrule RULE]";
inline constexpr auto kEditUsage = "quillon-db edit DB EVENT-ID [--name TEXT] [--start \"YYYY-MM-DD HH:MM\"] "
                                   "[--end \"YYYY-MM-DD HH:MM\"]";
inline constexpr auto kDeleteUsage = "quillon-db delete DB EVENT-ID";

} // namespace EventCommands

} // namespace quillon
