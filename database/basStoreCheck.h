// Checking an existing store file, and mending what can be mended without guessing:
// the counts of the days, missing day rows and occurrences of deleted events. Dates
// and times that cannot be read are listed, never turned into new rows.
#pragma once

#include <QString>
#include <QStringList>

namespace quillon {

namespace basStoreCheck {

enum class CheckResult {
    Clean,        // nothing wrong (after the repair, when asked)
    Problems,     // findings listed; with repair, those it could not mend
    RepairFailed, // the repair's transaction failed: nothing was changed
    CannotOpen,   // the file could not be opened or read
};

// Verifies the file: integrity, tables, every EventCount equal to the day's EventDates
// rows, no negative or missing counts, no orphan EventDates or EventUids rows, every stored date a
// date and every timed event's times readable. With repair the counts, missing day
// rows and orphans are mended in one transaction, each mend listed as "repaired: ...",
// and what is left as "not mended: ...". problems gets one line per finding (or the
// reason the file could not be checked or mended). Opening it upgrades an older file
// to the newest schema version; fileVersion (when given) gets the version it had then,
// or -1 when it could not be opened.
CheckResult CheckDatabaseFile(const QString &path, bool repair, QStringList &problems, int busyTimeoutMs,
                              int *fileVersion = nullptr);
// The same with the usual busy timeout; true when nothing is wrong afterwards.
bool CheckDatabaseFile(const QString &path, bool repair, QStringList &problems);

} // namespace basStoreCheck

} // namespace quillon
