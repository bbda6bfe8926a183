#include "basCalendarFonts.h"

#include "basConvert.h"
#include "basOperation.h"
#include "platform/basPlatform.h"
#include "basQuillon.h"
#include "basStringFunctions.h"

#include <QCoreApplication>
#include <QWidget>

namespace quillon {

namespace basCalendarFonts {

namespace {
const QString kComma = QStringLiteral(",");

bool Flag(const QString &fontSpec, int field)
{
    return basConvert::ToInt32(basStringFunctions::GetField(fontSpec, kComma, field)) != 0;
}

QString FlagText(bool on) { return on ? QStringLiteral("-1") : QStringLiteral("0"); }

void Write(const char *name, const QString &value)
{
    if (!basQuillon::SaveOption(QLatin1String(name), value))
        throw basOperation::Failure(
            basOperation::kPathFileAccessError,
            QStringLiteral("The settings could not be written to %1").arg(basPlatform::SettingsLocation()),
            QCoreApplication::translate("basErrorHandler", "The settings could not be written to %1")
                .arg(basPlatform::SettingsLocation()));
}

void WriteFont(const char *name, const std::optional<QFont> &font)
{
    Write(name, font ? FontToSpec(*font) : QString());
}

void WriteColor(const char *name, std::int32_t color) { Write(name, QString::number(color)); }
} // namespace

CalendarFontSet LoadCalendarFonts()
{
    CalendarFontSet c;
    basQuillon::BadValues bad;
    int step = 0;
    auto font = [&](const char *name, const char *defaultSpec) {
        step += 10;
        const QString text = basQuillon::GetOption(QLatin1String(name), QLatin1String(defaultSpec));
        return bad.Take(step, name, text, [](const QString &fontText) { return SpecToFont(fontText); },
                        SpecToFont(QLatin1String(defaultSpec)));
    };
    auto color = [&](const char *name) {
        step += 10;
        const QString text = basQuillon::GetOption(QLatin1String(name), QString());
        return bad.Take(step, name, text,
                        [](const QString &t) { return t.isEmpty() ? 0 : basConvert::ToInt32(t); }, std::int32_t{0});
    };
    c.MonthNameFont = font("MonthNameFont", kMonthNameFontDefault);
    c.MonthNameColor = color("MonthNameColor");
    c.DayNameFont = font("DayNameFont", kDayNameFontDefault);
    c.DayNameColor = color("DayNameColor");
    c.DayNumberFont = font("DayNumberFont", kDayNumberFontDefault);
    c.DayNumberColor = color("DayNumberColor");
    c.AllDayEventsFont = font("AllDayEventsFont", kAllDayEventsFontDefault);
    c.AllDayEventsColor = color("AllDayEventsColor");
    c.DayEventsFont = font("DayEventsFont", kDayEventsFontDefault);
    c.DayEventsColor = color("DayEventsColor");
    c.CurrentDayColor = color("CurrentDayColor");
    bad.Report("basCalendarFonts.LoadCalendarFonts");
    return c;
}

void SaveCalendarFonts(const CalendarFontSet &c)
{
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

} // namespace quillon
