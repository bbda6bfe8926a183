// The toolbar's pictures, drawn in code from shapes so they stay sharp at any size and
// device pixel ratio. Keys: "New", "Edit", "Delete", "Refresh", "Help", "Print".
#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

namespace quillon {

namespace basToolbarIcons {

QStringList Keys();
// A null icon for an unknown key.
QIcon ToolbarIcon(const QString &key);
// The program's own picture, a calendar sheet (window icon, about box).
QIcon ProgramIcon();

} // namespace basToolbarIcons

} // namespace quillon
