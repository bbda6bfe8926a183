// quillon-db subscribe, subscriptions, refresh, unsubscribe, trust: calendars followed
// from a server. Passwords go to the secret store (or are asked each time), never to a
// command line: from the terminal without echo, or one line of stdin (--password-stdin).
#pragma once

#include <QStringList>

namespace quillon {

namespace SubscriptionCommands {

int Subscribe(const QStringList &arguments);
int List(const QStringList &arguments);
// Exit 0 only when every refresh succeeded, 1 when one failed.
int Refresh(const QStringList &arguments);
int Unsubscribe(const QStringList &arguments);
int Trust(const QStringList &arguments);

// A password typed into an address on the command line is blanked in the process's own
// arguments (what ps and /proc/PID/cmdline show) once they were read.
void HidePasswords(int argc, char **argv);

inline constexpr auto kSubscribeUsage = "quillon-db subscribe DB URL [--name TEXT] [--user NAME] [--password-stdin] "
                                        "[--calendar NAME] [--trust SHA256]";
inline constexpr auto kSubscriptionsUsage = "quillon-db subscriptions DB";
inline constexpr auto kRefreshUsage = "quillon-db refresh DB [ID] [--allow-mass-delete]";
inline constexpr auto kUnsubscribeUsage = "quillon-db unsubscribe DB ID";
inline constexpr auto kTrustUsage = "quillon-db trust DB ID SHA256";

} // namespace SubscriptionCommands

} // namespace quillon
