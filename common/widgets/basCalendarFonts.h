// The fonts and colours of the desktop calendar's texts: held in memory as the
// current set, read from and written to the settings store as one-line font specs.
#pragma once

#include <QFont>
#include <QString>

#include <cstdint>
#include <optional>

class QWidget;

namespace quillon {

namespace basCalendarFonts {

struct CalendarFontSet {
    std::optional<QFont> MonthNameFont;
    std::optional<QFont> DayNameFont;
    std::optional<QFont> DayNumberFont;
    std::optional<QFont> AllDayEventsFont;
    std::optional<QFont> DayEventsFont;
    std::int32_t MonthNameColor = 0;
    std::int32_t DayNameColor = 0;
    std::int32_t DayNumberColor = 0;
    std::int32_t AllDayEventsColor = 0;
    std::int32_t DayEventsColor = 0;
    std::int32_t CurrentDayColor = 0;
};

inline constexpr auto kMonthNameFontDefault = "MS Sans Serif,14,1,0,0,0";
inline constexpr auto kDayNameFontDefault = "MS Sans Serif,12,1,0,0,0";
inline constexpr auto kDayNumberFontDefault = "MS Sans Serif,12,1,0,0,0";
inline constexpr auto kAllDayEventsFontDefault = "MS Sans Serif,8,1,0,0,0";
inline constexpr auto kDayEventsFontDefault = "MS Sans Serif,8,0,0,0,0";

// Reads the eleven values in their fixed order. A value that does not convert takes
// its default (the default font, colour 0) and the others load; one report under
// "basCalendarFonts.LoadCalendarFonts" names each such key and value.
CalendarFontSet LoadCalendarFonts();
// Writes the eleven values in their fixed order. A store that cannot be written throws
// basOperation::Failure to the caller's trap, naming the settings file.
void SaveCalendarFonts(const CalendarFontSet &fonts);

// How an empty font text reads: no font (the renderer) or the platform's default font.
enum class EmptySpec { NoFont, DefaultFont };

std::optional<QFont> SpecToFont(const QString &fontSpec, EmptySpec empty = EmptySpec::NoFont);
QString FontToSpec(const QFont &font);
void ApplyFontToLabel(const QFont &font, QWidget &label);

} // namespace basCalendarFonts

} // namespace quillon
