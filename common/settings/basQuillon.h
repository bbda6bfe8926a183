// The suite's general settings: the key path built from the version data, the record
// every program loads at start, and the liturgical colour names.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace quillon {

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
    // "AutomaticKeepColours", "Automatic" (texts kept readable over any background, the
    // second also by shading their colours) or "Off" (drawn as set).
    QString CalendarLegibility;
    // "Primary" (the month on the primary monitor, the background alone on the others)
    // or "All" (the month on every monitor).
    QString CalendarMonitors;
    // "Locale" (the locale's own first day of the week), "Sunday", "Monday" or "Saturday":
    // where every view and the desktop calendar start their weeks (basLocale).
    QString WeekStartsOn;

    bool operator==(const GeneralSettingsRecord &) const = default;
};

// "Software\Velmora Software\Quillon Desktop Calendar".
QString GetRegistryRoot();
// GetRegistryRoot() + "\Options", where every value of the suite lives.
QString OptionsKey();
// GetRegistryRoot() + "\General", the scheduler's window geometry.
QString GeneralKey();

// Reads one value of the Options key afresh (for the few values read at the moment of use).
QString GetOption(const QString &valueName, const QString &defaultValue);
// False when the store could not be written (a read-only file, a full disk).
bool SaveOption(const QString &valueName, const QString &value);

// The record with every documented default (what an empty store reads as).
GeneralSettingsRecord DefaultGeneralSettings();
// Reads the record. A value that does not convert takes its key's default while the
// other keys load as usual; one report under "basQuillon.LoadGeneralSettings" names
// each such key and value. A store that cannot be read at all gives the defaults and
// says so in that report.
GeneralSettingsRecord LoadGeneralSettings();
// Writes the record in its fixed order; a store that cannot be written is reported
// once under "basQuillon.SaveGeneralSettings" and the remaining values are not tried.
void SaveGeneralSettings(const GeneralSettingsRecord &settings);

// Gathers the values of one load that did not convert and reports them together.
class BadValues {
public:
    // Converts text; on a conversion error keeps the key, the text and the step.
    template <class Convert, class Value>
    Value Take(int step, const char *key, const QString &text, Convert convert, Value fallback);
    // what in English for the log; shown, where given, in the user's language for the box.
    void Add(int step, const QString &what, const QString &shown = QString());
    bool Empty() const { return m_items.isEmpty(); }
    // One report under operationName: "Settings values that could not be read (their
    // defaults are used): WallpaperColor = "oops"; ...". Nothing when empty.
    void Report(const char *operationName) const;

private:
    int m_firstStep = 0;
    QStringList m_items;
    QStringList m_shown;
};

// "Green", "Purple", "Red", "White", "Gray" (exact case) to colour values; else 0.
std::int32_t LiturgicalColorFromName(const QString &name);

// The values of CalendarLegibility. Automatic, keep my colours (the default): texts that
// would not stand out get an outline or a panel behind them, never another colour.
// Automatic: the same, and as a last step a lighter or darker shade of the text's colour.
// Off: drawn exactly in the chosen colours and sizes. Any other text counts as the default.
inline constexpr auto kLegibilityKeepColours = "AutomaticKeepColours";
inline constexpr auto kLegibilityAutomatic = "Automatic";
inline constexpr auto kLegibilityOff = "Off";
bool LegibilityGuardOn(const QString &calendarLegibility);
bool LegibilityMayShade(const QString &calendarLegibility);
// One of the three values above: the stored text read as the guard reads it.
QString LegibilityValue(const QString &calendarLegibility);

// The two values of CalendarMonitors; any other text counts as Primary.
inline constexpr auto kMonitorsPrimary = "Primary";
inline constexpr auto kMonitorsAll = "All";
bool CalendarOnEveryMonitor(const QString &calendarMonitors);

// Values outside the record.
inline constexpr auto kWallpaperChangedDate = "WallpaperChangedDate";
inline constexpr auto kWallpaperChangedDateDefault = "1/1/2000";
inline constexpr auto kLastStartUpDate = "LastStartUpDate";
inline constexpr auto kLastStartUpDateDefault = "1/1/2004";

template <class Convert, class Value>
Value BadValues::Take(int step, const char *key, const QString &text, Convert convert, Value fallback)
{
    try {
        return convert(text);
    } catch (...) {
        Add(step, QStringLiteral("%1 = \"%2\"").arg(QLatin1String(key), text));
        return fallback;
    }
}

} // namespace basQuillon

} // namespace quillon
