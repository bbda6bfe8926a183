#include "basQuillon.h"

#include "basConvert.h"
#include "basOperation.h"
#include "basRegistry.h"
#include "platform/basPlatform.h"

namespace basQuillon {

GeneralSettingsRecord GeneralSettings;
QString RegistryRoot;

QString GetRegistryRoot()
{
    return QStringLiteral("Software\\") + basPlatform::CompanyName() + QLatin1Char('\\')
        + basPlatform::ProductName();
}

QString OptionsKey()
{
    return (RegistryRoot.isEmpty() ? GetRegistryRoot() : RegistryRoot) + QStringLiteral("\\Options");
}

QString GeneralKey()
{
    return (RegistryRoot.isEmpty() ? GetRegistryRoot() : RegistryRoot) + QStringLiteral("\\General");
}

QString GetOption(const QString &valueName, const QString &defaultValue)
{
    return basRegistry::GetRegistryString(basRegistry::HKEY_CURRENT_USER, OptionsKey(), valueName, defaultValue);
}

void SaveOption(const QString &valueName, const QString &value)
{
    basRegistry::SaveRegistryString(basRegistry::HKEY_CURRENT_USER, OptionsKey(), valueName, value);
}

namespace {
std::int32_t ColorOrUnset(const QString &text)
{
    return text.isEmpty() ? -1 : basConvert::ToInt32(text);
}

QString BooleanText(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }
} // namespace

void LoadGeneralSettings()
{
    basOperation::TrapVoid("basQuillon.LoadGeneralSettings", [](basOperation::Steps &step) {
        step(20);
        const QString key = OptionsKey();
        int next = 30;
        // Each value is one step; a conversion error stops here, so the fields read
        // so far keep their new values and the rest keep their old ones.
        auto read = [&](const char *name, const char *defaultValue) {
            step(next);
            next += 10;
            return basRegistry::GetRegistryString(basRegistry::HKEY_CURRENT_USER, key,
                                                  QLatin1String(name), QLatin1String(defaultValue));
        };
        GeneralSettingsRecord &s = GeneralSettings;
        s.SchedulerBackColor = ColorOrUnset(read("SchedulerBackColor", ""));
        s.SchedulerDurationFillColor = ColorOrUnset(read("SchedulerDurationFillColor", ""));
        s.DisplayCalendarOnDesktop = basConvert::ToInt16(read("DisplayCalendarOnDesktop", "0"));
        s.ImagesLocation = read("ImagesLocation", "");
        s.WallpaperFile = read("WallpaperFile", "");
        s.WallpaperColor = basConvert::ToInt32(read("WallpaperColor", "-1"));
        s.ChangeWallpaper = read("ChangeWallpaper", "Monthly");
        s.CalendarOrientation = read("CalendarOrientation", "0");
        s.DisplaySchedulerOnStart = basConvert::ToInt16(read("DisplaySchedulerOnStart", "0"));
        s.DisplaySchedulerOnce = basConvert::ToInt16(read("DisplaySchedulerOnce", "0"));
        s.CheckForConflicts = basConvert::ToBoolean(read("CheckForConflicts", "1"));
        s.CalendarWarning = basConvert::ToBoolean(read("CalendarWarning", "0"));
        s.CalendarWarningTimeout = basConvert::ToInt32(read("CalendarWarningTimeout", "30"));
        s.CalendarUseLiturgicalColors = basConvert::ToBoolean(read("CalendarUseLiturgicalColors", "0"));
    });
}

void SaveGeneralSettings()
{
    basOperation::TrapVoid("basQuillon.SaveGeneralSettings", [](basOperation::Steps &step) {
        step(20);
        const QString key = OptionsKey();
        int next = 30;
        auto write = [&](const char *name, const QString &value) {
            step(next);
            next += 10;
            basRegistry::SaveRegistryString(basRegistry::HKEY_CURRENT_USER, key, QLatin1String(name), value);
        };
        const GeneralSettingsRecord &s = GeneralSettings;
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
    });
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
