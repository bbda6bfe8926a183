// The conventions of the user's locale for what a person reads: the form of a time of
// day and the first day of the week. Stored forms never pass through here.
#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

namespace quillon {

namespace basLocale {

// The locale whose conventions are shown: the given one, except that the C locale (no
// one's language, the default of a bare system) shows US English forms, the suite's own.
QLocale ShownLocale(const QLocale &locale = QLocale());
// True when the locale writes times with AM and PM.
bool TwelveHourClock(const QLocale &locale = QLocale());
// The time as the locale writes it short, seconds dropped: "9:30 AM" (en_US), "09:30" (de).
QString ShownTime(QTime time, const QLocale &locale = QLocale());
// The short form of the desktop calendar's cells: "9:30a" where the clock has AM and PM,
// else the shown time.
QString CompactTime(QTime time, const QLocale &locale = QLocale());

// The values of the setting WeekStartsOn; any other text counts as Locale.
inline constexpr auto kWeekStartsOn = "WeekStartsOn";
inline constexpr auto kWeekStartsOnLocale = "Locale";
inline constexpr auto kWeekStartsOnSunday = "Sunday";
inline constexpr auto kWeekStartsOnMonday = "Monday";
inline constexpr auto kWeekStartsOnSaturday = "Saturday";
// The first day of the week the setting names; Locale takes the locale's own.
Qt::DayOfWeek FirstDayOfWeek(const QString &weekStartsOn, const QLocale &locale = QLocale());
// One of the four values above: the stored text read as FirstDayOfWeek reads it.
QString WeekStartsOnValue(const QString &weekStartsOn);

} // namespace basLocale

} // namespace quillon
