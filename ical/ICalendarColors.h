// Between the 16 event colour names and the CSS colour names that calendar files carry
// (COLOR, and colour words in CATEGORIES).
#pragma once

#include <QString>
#include <QStringList>

namespace quillon {

namespace ICalendarColors {

// The 16 event colour names, in the colour list's order ("Fuschia" spelled so).
const QStringList &EventColorNames();

// The CSS name of an event colour ("Fuschia" -> "fuchsia"); empty for any other text.
QString CssNameOf(const QString &eventColor);

// The event colour nearest to a CSS colour name or #rrggbb text; empty when the text
// names no colour.
QString NearestEventColor(const QString &cssColor);

// The first category that is, or holds a word that is, a colour name, as the nearest
// event colour; empty when none does.
QString EventColorFromCategories(const QStringList &categories);

} // namespace ICalendarColors

} // namespace quillon
