#include "basCalendarFonts.h"

#include "basConvert.h"
#include "basQuillon.h"
#include "basStringFunctions.h"

#include <QWidget>

namespace basCalendarFonts {

CalendarFontSet Current;

namespace {
const QString kComma = QStringLiteral(",");

bool Flag(const QString &fontSpec, int field)
{
    return basConvert::ToInt32(basStringFunctions::GetField(fontSpec, kComma, field)) != 0;
}

QString FlagText(bool on) { return on ? QStringLiteral("-1") : QStringLiteral("0"); }

std::int32_t ReadColor(const char *name)
{
    const QString text = basQuillon::GetOption(QLatin1String(name), QString());
    return text.isEmpty() ? 0 : basConvert::ToInt32(text);
}

std::optional<QFont> ReadFont(const char *name, const char *defaultSpec)
{
    return SpecToFont(basQuillon::GetOption(QLatin1String(name), QLatin1String(defaultSpec)));
}

void WriteFont(const char *name, const std::optional<QFont> &font)
{
    basQuillon::SaveOption(QLatin1String(name), font ? FontToSpec(*font) : QString());
}

void WriteColor(const char *name, std::int32_t color)
{
    basQuillon::SaveOption(QLatin1String(name), QString::number(color));
}
} // namespace

void LoadCalendarFonts()
{
    CalendarFontSet &c = Current;
    c.MonthNameFont = ReadFont("MonthNameFont", kMonthNameFontDefault);
    c.MonthNameColor = ReadColor("MonthNameColor");
    c.DayNameFont = ReadFont("DayNameFont", kDayNameFontDefault);
    c.DayNameColor = ReadColor("DayNameColor");
    c.DayNumberFont = ReadFont("DayNumberFont", kDayNumberFontDefault);
    c.DayNumberColor = ReadColor("DayNumberColor");
    c.AllDayEventsFont = ReadFont("AllDayEventsFont", kAllDayEventsFontDefault);
    c.AllDayEventsColor = ReadColor("AllDayEventsColor");
    c.DayEventsFont = ReadFont("DayEventsFont", kDayEventsFontDefault);
    c.DayEventsColor = ReadColor("DayEventsColor");
    c.CurrentDayColor = ReadColor("CurrentDayColor");
}

void SaveCalendarFonts()
{
    const CalendarFontSet &c = Current;
    WriteFont("MonthNameFont", c.MonthNameFont);
    WriteColor("MonthNameColor", c.MonthNameColor);
    WriteFont("DayNameFont", c.DayNameFont);
    WriteColor("DayNameColor", c.DayNameColor);
    WriteFont("DayNumberFont", c.DayNumberFont);
    WriteColor("DayNumberColor", c.DayNumberColor);
    WriteFont("AllDayEventsFont", c.AllDayEventsFont);
    WriteColor("AllDayEventsColor", c.AllDayEventsColor);
    WriteFont("DayEventsFont", c.DayEventsFont);
    WriteColor("DayEventsColor", c.DayEventsColor);
    WriteColor("CurrentDayColor", c.CurrentDayColor);
}

std::optional<QFont> SpecToFont(const QString &fontSpec, EmptySpec empty)
{
    if (fontSpec.isEmpty())
        return empty == EmptySpec::DefaultFont ? std::optional<QFont>(QFont()) : std::nullopt;
    QFont font;
    // The order matters: a font text with too few fields fails on the bold field.
    font.setFamily(basStringFunctions::GetField(fontSpec, kComma, 1));
    font.setBold(Flag(fontSpec, 3));
    font.setItalic(Flag(fontSpec, 4));
    const std::int32_t size = basConvert::ToInt32(basStringFunctions::GetField(fontSpec, kComma, 2));
    if (size > 0)
        font.setPointSizeF(size);
    font.setStrikeOut(Flag(fontSpec, 5));
    font.setUnderline(Flag(fontSpec, 6));
    return font;
}

QString FontToSpec(const QFont &font)
{
    // Four decimal places first, then to a whole number with halves to even.
    const double fourPlaces = basConvert::RoundHalfEven(font.pointSizeF() * 10000.0) / 10000.0;
    const auto size = static_cast<long long>(basConvert::RoundHalfEven(fourPlaces));
    return QStringList{font.family(), QString::number(size), FlagText(font.bold()),
                       FlagText(font.italic()), FlagText(font.strikeOut()), FlagText(font.underline())}
        .join(kComma);
}

void ApplyFontToLabel(const QFont &font, QWidget &label)
{
    QFont target = label.font();
    target.setFamily(font.family());
    target.setBold(font.bold());
    target.setItalic(font.italic());
    target.setPointSizeF(font.pointSizeF());
    target.setStrikeOut(font.strikeOut());
    target.setUnderline(font.underline());
    label.setFont(target);
}

} // namespace basCalendarFonts
