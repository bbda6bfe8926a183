// quillon-db import and export: calendar files in and out of a store file.
#pragma once

#include <QStringList>

namespace quillon {

namespace CalendarCommands {

// quillon-db import FILE.ics DB
int Import(const QStringList &arguments);
// quillon-db export DB FILE.ics [--church-year FROM TO]
int Export(const QStringList &arguments);
// After a change to this month the desktop calendar is drawn again, as after a save
// in the scheduler.
void RedrawDesktopCalendar();

inline constexpr auto kImportUsage = "quillon-db import FILE.ics DB";
inline constexpr auto kExportUsage = "quillon-db export DB FILE.ics [--church-year FROM TO]";

} // namespace CalendarCommands

} // namespace quillon
