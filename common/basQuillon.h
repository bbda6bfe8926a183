// The suite's general settings: the key path built from the version data, the record
// every program loads at start, and the liturgical colour names.
#pragma once

#include <QString>

#include <cstdint>

namespace basQuillon {

struct GeneralSettingsRecord {
    std::int32_t SchedulerBackColor = 0;
    std::int32_t SchedulerDurationFillColor = 0;
    std::int16_t DisplayCalendarOnDesktop = 0;
    QString ImagesLocation;
    QString WallpaperFile;
    std::int32_t WallpaperColor = 0;
    QString ChangeWallpaper;
    QString CalendarOrientation;
    std::int16_t DisplaySchedulerOnStart = 0;
    std::int16_t DisplaySchedulerOnce = 0;
    bool CheckForConflicts = false;
    bool CalendarWarning = false;
    std::int32_t CalendarWarningTimeout = 0;
    bool CalendarUseLiturgicalColors = false;

    bool operator==(const GeneralSettingsRecord &) const = default;
};

// The program's copy of the settings, filled by LoadGeneralSettings.
extern GeneralSettingsRecord GeneralSettings;
// "Software\Velmora Software\Quillon Desktop Calendar" once the program has set it.
extern QString RegistryRoot;

QString GetRegistryRoot();
// RegistryRoot + "\Options", where every value of the suite lives.
QString OptionsKey();
// RegistryRoot + "\General", the scheduler's window geometry.
QString GeneralKey();

// Reads one value of the Options key afresh (for the few values read at the moment of use).
QString GetOption(const QString &valueName, const QString &defaultValue);
void SaveOption(const QString &valueName, const QString &value);

void LoadGeneralSettings();
void SaveGeneralSettings();

// "Green", "Purple", "Red", "White", "Gray" (exact case) to colour values; else 0.
std::int32_t LiturgicalColorFromName(const QString &name);

// Values outside the record.
inline constexpr auto kWallpaperChangedDate = "WallpaperChangedDate";
inline constexpr auto kWallpaperChangedDateDefault = "1/1/2000";
inline constexpr auto kLastStartUpDate = "LastStartUpDate";
inline constexpr auto kLastStartUpDateDefault = "1/1/2004";

} // namespace basQuillon
