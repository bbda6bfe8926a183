#include "basQuillon.h"

#include "basConvert.h"
#include "basErrorHandler.h"
#include "basLocale.h"
#include "basOperation.h"
#include "basRegistry.h"
#include "platform/basPlatform.h"

#include <QCoreApplication>

namespace quillon {

namespace basQuillon {

QString GetRegistryRoot() { return basRegistry::ProductKey(); }

QString OptionsKey()
{
    return GetRegistryRoot() + QStringLiteral("\\Options");
}

QString GeneralKey()
{
    return GetRegistryRoot() + QStringLiteral("\\General");
}

QString GetOption(const QString &valueName, const QString &defaultValue)
{
    return basRegistry::GetRegistryString(basRegistry::HKEY_CURRENT_USER, OptionsKey(), valueName, defaultValue);
}

bool SaveOption(const QString &valueName, const QString &value)
{
    return basRegistry::SaveRegistryString(basRegistry::HKEY_CURRENT_USER, OptionsKey(), valueName, value);
}

void BadValues::Add(int step, const QString &what, const QString &shown)
{
    if (m_items.isEmpty())
        m_firstStep = step;
    m_items.append(what);
    m_shown.append(shown.isEmpty() ? what : shown);
}

void BadValues::Report(const char *operationName) const
{
    if (m_items.isEmpty())
        return;
    const QString items = m_items.join(QStringLiteral("; "));
    basErrorHandler::ReportError(
        QString::fromLatin1(operationName),
        {basOperation::kTypeMismatch,
         QStringLiteral("Settings values that could not be read (their defaults are used): %1").arg(items), m_firstStep,
         QCoreApplication::translate("basErrorHandler",
                                     "Settings values that could not be read (their defaults are used): %1")
             .arg(m_shown.join(QStringLiteral("; ")))},
        true, QString());
}

namespace {
std::int32_t ColorOrUnset(const QString &text)
{
    return text.isEmpty() ? -1 : basConvert::ToInt32(text);
}

QString BooleanText(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }
} // namespace

GeneralSettingsRecord DefaultGeneralSettings()
{
    GeneralSettingsRecord s;
    s.SchedulerBackColor = -1;
    s.SchedulerDurationFillColor = -1;
    s.DisplayCalendarOnDesktop = 0;
    s.WallpaperColor = -1;
    s.ChangeWallpaper = QStringLiteral("Monthly");
    s.CalendarOrientation = QStringLiteral("0");
    s.CheckForConflicts = true;
    s.CalendarWarning = false;
    s.CalendarWarningTimeout = 30;
    s.CalendarUseLiturgicalColors = false;
    s.CalendarLegibility = QLatin1String(kLegibilityKeepColours);
    s.CalendarMonitors = QLatin1String(kMonitorsPrimary);
    s.WeekStartsOn = QLatin1String(basLocale::kWeekStartsOnLocale);
    return s;
}

GeneralSettingsRecord LoadGeneralSettings()
{
    const GeneralSettingsRecord defaults = DefaultGeneralSettings();
    GeneralSettingsRecord s = defaults;
    BadValues bad;
    basOperation::TrapVoid("basQuillon.LoadGeneralSettings", [&](basOperation::Steps &step) {
        step(20);
        const QString key = OptionsKey();
        QString unreadableShown;
        const QString unreadable = basRegistry::StoreReadProblem(&unreadableShown);
        if (!unreadable.isEmpty())
            bad.Add(20, unreadable, unreadableShown);
        int next = 30;
        // Each value is one step; a value that does not convert keeps its default and
        // the reading goes on with the next one.
        auto read = [&](const char *valueName, const char *defaultValue) {
            step(next);
            next += 10;
            return basRegistry::GetRegistryString(basRegistry::HKEY_CURRENT_USER, key,
                                                  QLatin1String(valueName), QLatin1String(defaultValue));
        };
        auto int16 = [](const QString &t) { return basConvert::ToInt16(t); };
        auto int32 = [](const QString &t) { return basConvert::ToInt32(t); };
        auto boolean = [](const QString &t) { return basConvert::ToBoolean(t); };
        auto take = [&](const char *valueName, const char *defaultValue, auto convert, auto fallback) {
            const int at = next;
            const QString text = read(valueName, defaultValue);
            return bad.Take(at, valueName, text, convert, fallback);
        };
        s.SchedulerBackColor = take("SchedulerBackColor", "", ColorOrUnset, defaults.SchedulerBackColor);
        s.SchedulerDurationFillColor = take("SchedulerDurationFillColor", "", ColorOrUnset, defaults.SchedulerDurationFillColor);
        s.DisplayCalendarOnDesktop = take("DisplayCalendarOnDesktop", "0", int16, defaults.DisplayCalendarOnDesktop);
        s.ImagesLocation = read("ImagesLocation", "");
        s.WallpaperFile = read("WallpaperFile", "");
        s.WallpaperColor = take("WallpaperColor", "-1", int32, defaults.WallpaperColor);
        s.ChangeWallpaper = read("ChangeWallpaper", "Monthly");
        s.CalendarOrientation = read("CalendarOrientation", "0");
        s.DisplaySchedulerOnStart = take("DisplaySchedulerOnStart", "0", int16, defaults.DisplaySchedulerOnStart);
        s.DisplaySchedulerOnce = take("DisplaySchedulerOnce", "0", int16, defaults.DisplaySchedulerOnce);
        s.CheckForConflicts = take("CheckForConflicts", "1", boolean, defaults.CheckForConflicts);
        s.CalendarWarning = take("CalendarWarning", "0", boolean, defaults.CalendarWarning);
        s.CalendarWarningTimeout = take("CalendarWarningTimeout", "30", int32, defaults.CalendarWarningTimeout);
        s.CalendarUseLiturgicalColors = take("CalendarUseLiturgicalColors", "0", boolean, defaults.CalendarUseLiturgicalColors);
        s.CalendarLegibility = read("CalendarLegibility", kLegibilityKeepColours);
        s.CalendarMonitors = read("CalendarMonitors", kMonitorsPrimary);
        s.WeekStartsOn = read(basLocale::kWeekStartsOn, basLocale::kWeekStartsOnLocale);
    });
    bad.Report("basQuillon.LoadGeneralSettings");
    return s;
}

void SaveGeneralSettings(const GeneralSettingsRecord &s)
{
    basOperation::TrapVoid("basQuillon.SaveGeneralSettings", [&](basOperation::Steps &step) {
        step(20);
        const QString key = OptionsKey();
        int next = 30;
        auto write = [&](const char *name, const QString &value) {
            step(next);
            next += 10;
            if (!basRegistry::SaveRegistryString(basRegistry::HKEY_CURRENT_USER, key, QLatin1String(name), value))
                throw basOperation::Failure(
                    basOperation::kPathFileAccessError,
                    QStringLiteral("The settings could not be written to %1").arg(basPlatform::SettingsLocation()),
                    QCoreApplication::translate("basErrorHandler", "The settings could not be written to %1")
                        .arg(basPlatform::SettingsLocation()));
        };
        write("SchedulerBackColor", QString::number(s.SchedulerBackColor));
        write("SchedulerDurationFillColor", QString::number(s.SchedulerDurationFillColor));
        write("DisplayCalendarOnDesktop", QString::number(s.DisplayCalendarOnDesktop));
        write("WallpaperFile", s.WallpaperFile);
        write("WallpaperColor", QString::number(s.WallpaperColor));
        write("ImagesLocation", s.ImagesLocation);
        write("ChangeWallpaper", s.ChangeWallpaper);
        write("CalendarOrientation", s.CalendarOrientation);
        write("DisplaySchedulerOnStart", QString::number(s.DisplaySchedulerOnStart));
        write("DisplaySchedulerOnce", QString::number(s.DisplaySchedulerOnce));
        write("CheckForConflicts", BooleanText(s.CheckForConflicts));
        write("CalendarWarning", BooleanText(s.CalendarWarning));
        write("CalendarWarningTimeout", QString::number(s.CalendarWarningTimeout));
        write("CalendarUseLiturgicalColors", BooleanText(s.CalendarUseLiturgicalColors));
        write("CalendarLegibility", s.CalendarLegibility);
        write("CalendarMonitors", s.CalendarMonitors);
        write(basLocale::kWeekStartsOn, s.WeekStartsOn);
    });
}

QString LegibilityValue(const QString &calendarLegibility)
{
    const QString text = calendarLegibility.trimmed();
    for (const char *value : {kLegibilityOff, kLegibilityAutomatic})
        if (text.compare(QLatin1String(value), Qt::CaseInsensitive) == 0)
            return QLatin1String(value);
    return QLatin1String(kLegibilityKeepColours);
}

bool LegibilityGuardOn(const QString &calendarLegibility)
{
    return LegibilityValue(calendarLegibility) != QLatin1String(kLegibilityOff);
}

bool LegibilityMayShade(const QString &calendarLegibility)
{
    return LegibilityValue(calendarLegibility) == QLatin1String(kLegibilityAutomatic);
}

bool CalendarOnEveryMonitor(const QString &calendarMonitors)
{
    return calendarMonitors.trimmed().compare(QLatin1String(kMonitorsAll), Qt::CaseInsensitive) == 0;
}

std::int32_t LiturgicalColorFromName(const QString &name)
{
    if (name == QLatin1String("Green"))
        return 32768;
    if (name == QLatin1String("Purple"))
        return 8388736;
    if (name == QLatin1String("Red"))
        return 255;
    if (name == QLatin1String("White"))
        return 16777215;
    if (name == QLatin1String("Gray"))
        return 8421504;
    return 0;
}

} // namespace basQuillon

} // namespace quillon
