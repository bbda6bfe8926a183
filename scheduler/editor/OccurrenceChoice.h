// Which occurrences of a repeating event a change or a delete is for, asked as calendar
// programs ask it: "Only this event", "This and following events" or "All events".
#pragma once

#include "EventService.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace quillon {

namespace OccurrenceChoice {

inline constexpr auto kOnlyThis = QT_TRANSLATE_NOOP("OccurrenceChoice", "&Only this event");
inline constexpr auto kThisAndFollowing = QT_TRANSLATE_NOOP("OccurrenceChoice", "This and &following events");
inline constexpr auto kAll = QT_TRANSLATE_NOOP("OccurrenceChoice", "&All events");

// Nothing when the user cancelled (or nobody can be asked).
using Chooser = std::function<std::optional<EventService::Occurrences>(const QString &text, const QString &title)>;

// A message box with the three choices and Cancel, over parent.
std::optional<EventService::Occurrences> Ask(QWidget *parent, const QString &text, const QString &title);

} // namespace OccurrenceChoice

} // namespace quillon
