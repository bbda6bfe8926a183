// What the fact-of-the-day box says about the shown day: the welcome on a first run,
// else the day's own text and the fact of the day, else what its liturgical colour means.
#pragma once

#include <QString>

namespace quillon {

namespace basFactOfTheDay {

QString WelcomeText();
// The meaning of "Green", "Purple", "Red", "White" or "Gray" (exact case); else empty.
QString ColorExplanation(const QString &dateColor);

// The box's text by priority: the welcome (firstRun), else the date text and the fact
// separated by one empty line, else the colour explanation, else nothing.
QString ComposeText(bool firstRun, const QString &dateText, const QString &fact, const QString &dateColor);

} // namespace basFactOfTheDay

} // namespace quillon
