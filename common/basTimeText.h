// The one text form of a time of day that crosses component boundaries: "h:mm AM/PM"
// (9:30 AM, 12:00 PM), as the editor's half-hour list shows it. Parsing is lenient
// about how people and older data write times.
#pragma once

#include <QString>
#include <QTime>

namespace quillon {

namespace basTimeText {

// "9:30 AM", "9:30am", "9:30 p.m.", "0:00 AM" (midnight), "17:45", "6:46:25 PM".
// An invalid QTime for anything else, "13:00 PM" and "0:30 PM" included.
QTime ParseTimeText(const QString &text);
// "h:mm AM/PM", seconds dropped.
QString FormatTimeText(const QTime &time);

} // namespace basTimeText

} // namespace quillon
