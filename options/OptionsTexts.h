// Every caption, tip and message of the options program, word for word as the user
// reads them in English; Tr gives them in the user's language. The rotation periods are
// also the stored values of ChangeWallpaper: store the English text, show Tr of it.
#pragma once

#include "basOperation.h"

#include <QCoreApplication>
#include <QString>

namespace quillon {

namespace OptionsTexts {

inline QString Tr(const char *text) { return QCoreApplication::translate("OptionsTexts", text); }

// --- The window and its buttons -------------------------------------------------
inline constexpr auto kCaption = QT_TRANSLATE_NOOP("OptionsTexts", "Quillon Options");
inline constexpr auto kAlreadyOpen = QT_TRANSLATE_NOOP("OptionsTexts", "The Options windows is already open.");
inline constexpr auto kAlreadyOpenTitle = QT_TRANSLATE_NOOP("OptionsTexts", "Quillon Desktop Calendar");
inline constexpr auto kPageGeneral = QT_TRANSLATE_NOOP("OptionsTexts", "General");
inline constexpr auto kPageWallpaper = QT_TRANSLATE_NOOP("OptionsTexts", "Wallpaper");
inline constexpr auto kPageFonts = QT_TRANSLATE_NOOP("OptionsTexts", "Fonts and Colors");
inline constexpr auto kPageOrientation = QT_TRANSLATE_NOOP("OptionsTexts", "Orientation");
inline constexpr auto kOk = QT_TRANSLATE_NOOP("OptionsTexts", "OK");
inline constexpr auto kCancel = QT_TRANSLATE_NOOP("OptionsTexts", "Cancel");
inline constexpr auto kApply = QT_TRANSLATE_NOOP("OptionsTexts", "&Apply");

// --- General page ---------------------------------------------------------------
inline constexpr auto kSchedulerOptions = QT_TRANSLATE_NOOP("OptionsTexts", "Scheduler Options");
inline constexpr auto kDisplayScheduler = QT_TRANSLATE_NOOP("OptionsTexts", "Display Scheduler on &startup");
inline constexpr auto kDisplaySchedulerTip = QT_TRANSLATE_NOOP("OptionsTexts", "Check this box to display the Scheduler when Windows starts.");
inline constexpr auto kDisplayOnce = QT_TRANSLATE_NOOP("OptionsTexts", "Display only &once per day");
inline constexpr auto kDisplayOnceTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "If 'Display Scheduler on startup' is checked, check this box to display the Scheduler only the "
    "first time Windows starts.");
inline constexpr auto kNoConflictChecking = QT_TRANSLATE_NOOP("OptionsTexts", "Do not check for event &conflicts.");
inline constexpr auto kNoConflictCheckingTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "Check this box to have the Scheduler ignore scheduling conflicts between events.");
inline constexpr auto kSchedulerColors = QT_TRANSLATE_NOOP("OptionsTexts", "Scheduler Colors");
inline constexpr auto kRemindOfEvents = QT_TRANSLATE_NOOP("OptionsTexts", "&Remind me of events");
inline constexpr auto kRemindOfEventsTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "Select this option to have a notification shown before each event that has a reminder.");
inline constexpr auto kBackgroundColor = QT_TRANSLATE_NOOP("OptionsTexts", "&Background Color...");
inline constexpr auto kBackgroundColorTip = QT_TRANSLATE_NOOP("OptionsTexts", "Click this button to change the background color used in the Scheduler.");
inline constexpr auto kEventColor = QT_TRANSLATE_NOOP("OptionsTexts", "&Event Color...");
inline constexpr auto kEventColorTip = QT_TRANSLATE_NOOP("OptionsTexts", "Click this button to change the color used for events in the Scheduler.");
inline constexpr auto kPreviewTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "Click the 'Background Color' or 'Event Color' buttons to change the colors used in the DayTimer. "
    "Colors selected will be displayed here.");
inline constexpr auto kSampleEvent = QT_TRANSLATE_NOOP("OptionsTexts", "Sample event");
inline constexpr auto kDesktopCalendar = QT_TRANSLATE_NOOP("OptionsTexts", "Desktop Calendar");
inline constexpr auto kDisplayCalendar = QT_TRANSLATE_NOOP("OptionsTexts", "&Display calendar on desktop?");
inline constexpr auto kDisplayCalendarTip = QT_TRANSLATE_NOOP("OptionsTexts", "Check this box to display the calendar on your desktop wallpaper.");
inline constexpr auto kWarnBeforeChanging = QT_TRANSLATE_NOOP("OptionsTexts", "&Warn me before changing the calendar at midnight");
inline constexpr auto kWarningTimeOut = QT_TRANSLATE_NOOP("OptionsTexts", "Warning &times out after");
inline constexpr auto kSeconds = QT_TRANSLATE_NOOP("OptionsTexts", "seconds");
inline constexpr auto kWeekStart = QT_TRANSLATE_NOOP("OptionsTexts", "Wee&k starts on:");
inline constexpr auto kWeekStartTip = QT_TRANSLATE_NOOP("OptionsTexts", "The first day of each week in the Scheduler's views and on the desktop calendar.");
// %1: the weekday the user's language and country start the week on.
inline constexpr auto kWeekStartLocale = QT_TRANSLATE_NOOP("OptionsTexts", "As in my region (%1)");

// --- Timeout checks -------------------------------------------------------------
inline constexpr auto kInvalidEntry = QT_TRANSLATE_NOOP("OptionsTexts", "Invalid Entry");
inline constexpr auto kRequiredEntry = QT_TRANSLATE_NOOP("OptionsTexts", "Required Entry");
inline constexpr auto kMustBeNumber = QT_TRANSLATE_NOOP("OptionsTexts", "Entry must be a number greater than 0.");
inline constexpr auto kTimeoutRequired = QT_TRANSLATE_NOOP("OptionsTexts", "An entry for warning timeout is required.");
inline constexpr auto kMustBeWhole = QT_TRANSLATE_NOOP("OptionsTexts", "Entry must be a whole number greater than 0.");
inline constexpr auto kMustBePositive = QT_TRANSLATE_NOOP("OptionsTexts", "Warning timeout must be a number greater than 0.");
inline constexpr auto kDefaultTimeout = "30";

// --- Wallpaper page -------------------------------------------------------------
inline constexpr auto kImages = QT_TRANSLATE_NOOP("OptionsTexts", "Images");
inline constexpr auto kImagesTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "Click on one of the file names listed to select an image to be used for your desktop wallpaper.");
inline constexpr auto kWallpaperColor = QT_TRANSLATE_NOOP("OptionsTexts", "Co&lor...");
inline constexpr auto kWallpaperColorTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "Click on this button to select a background color instead of an image for your desktop wallpaper.");
inline constexpr auto kBrowse = QT_TRANSLATE_NOOP("OptionsTexts", "B&rowse...");
inline constexpr auto kBrowseTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "Click on this button to select a folder containing images that you want to use for your desktop wallpaper.");
inline constexpr auto kChangeWallpaper = QT_TRANSLATE_NOOP("OptionsTexts", "Change Wallpaper");
inline constexpr auto kChangeWallpaperTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "Select a time period from this drop-down list to use for automatically changing your desktop wallpaper.");
inline constexpr auto kLocation = QT_TRANSLATE_NOOP("OptionsTexts", "Location");
inline constexpr auto kImagePattern = "*.jpg;*.jpeg;*.png;*.gif;*.bmp";
inline constexpr const char *kRotationPeriods[] = {QT_TRANSLATE_NOOP("OptionsTexts", "Do Not Change"), QT_TRANSLATE_NOOP("OptionsTexts", "Daily"), QT_TRANSLATE_NOOP("OptionsTexts", "Weekly"), QT_TRANSLATE_NOOP("OptionsTexts", "Bi-weekly"),
                                                  QT_TRANSLATE_NOOP("OptionsTexts", "Monthly")};
inline constexpr auto kDefaultRotation = "Monthly";
inline constexpr auto kNoRotation = "Do Not Change";

// --- Fonts and Colors page ------------------------------------------------------
inline constexpr auto kUseLiturgicalColors = QT_TRANSLATE_NOOP("OptionsTexts", "Use &liturgical colors");
inline constexpr auto kLegibility = QT_TRANSLATE_NOOP("OptionsTexts", "Le&gibility:");
inline constexpr auto kLegibilityTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "Automatic keeps the calendar readable over any picture: event texts at least a readable size, and a solid "
    "outline or a panel behind the day where a text would not stand out. \"Automatic\" may also make a color a "
    "little lighter or darker where that is needed; \"keep my colors\" never changes them. Off draws the texts "
    "exactly in the chosen colors and sizes.");
struct LegibilityChoice {
    const char *caption;
    const char *value;   // CalendarLegibility
};
inline constexpr LegibilityChoice kLegibilityChoices[] = {
    {QT_TRANSLATE_NOOP("OptionsTexts", "Automatic, keep my colors"), "AutomaticKeepColours"},
    {QT_TRANSLATE_NOOP("OptionsTexts", "Automatic"), "Automatic"},
    {QT_TRANSLATE_NOOP("OptionsTexts", "Off"), "Off"},
};
// --- Orientation page -------------------------------------------------------------
//: Draw the desktop calendar on the primary monitor only.
inline constexpr auto kMonitorsPrimaryCaption = QT_TRANSLATE_NOOP("OptionsTexts", "Primary");
//: Draw the desktop calendar on every monitor.
inline constexpr auto kMonitorsAllCaption = QT_TRANSLATE_NOOP("OptionsTexts", "All");
inline constexpr auto kMonitors = QT_TRANSLATE_NOOP("OptionsTexts", "&Monitors:");
inline constexpr auto kMonitorsTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "Primary draws the calendar on the primary monitor and the background alone on the others. "
    "All draws the calendar on every monitor.");
inline constexpr auto kCalendarPreview = QT_TRANSLATE_NOOP("OptionsTexts", "Desktop preview");
inline constexpr auto kCalendarPreviewTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "Your desktop as the calendar will draw it with the values in this window.");
inline constexpr auto kFont = QT_TRANSLATE_NOOP("OptionsTexts", "&Font...");
inline constexpr auto kFontTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "First select an option to the left, then click this button to change the font for that element.");
inline constexpr auto kFontColor = QT_TRANSLATE_NOOP("OptionsTexts", "&Color...");
inline constexpr auto kFontColorTip =
    QT_TRANSLATE_NOOP("OptionsTexts", "First select an option to the left, then click this button to change the font color for that element.");

struct ElementText {
    const char *caption;
    const char *tip;
};
// Month name, day name, day number, all-day event, timed event, current day.
inline constexpr ElementText kElements[] = {
    {QT_TRANSLATE_NOOP("OptionsTexts", "&Month Name"), QT_TRANSLATE_NOOP("OptionsTexts", "To change the font and/or color of the name of the month, select this option then click "
                    "either the 'Font' or 'Color' button.")},
    {QT_TRANSLATE_NOOP("OptionsTexts", "Day Of The &Week Name"), QT_TRANSLATE_NOOP("OptionsTexts", "To change the font and/or color of the name of the day of the week, select this "
                              "option then click either the 'Font' or 'Color' button.")},
    {QT_TRANSLATE_NOOP("OptionsTexts", "Day &Number"), QT_TRANSLATE_NOOP("OptionsTexts", "To change the font and/or color of the number of the day, select this option then click "
                    "either the 'Font' or 'Color' button.")},
    {QT_TRANSLATE_NOOP("OptionsTexts", "&All Day Event Text"), QT_TRANSLATE_NOOP("OptionsTexts", "To change the font and/or color of the all day event text, select this option then "
                            "click either the 'Font' or 'Color' button.")},
    {QT_TRANSLATE_NOOP("OptionsTexts", "Event &text"), QT_TRANSLATE_NOOP("OptionsTexts", "To change the font and/or color of the event text, select this option then click either the "
                    "'Font' or 'Color' button.")},
    {QT_TRANSLATE_NOOP("OptionsTexts", "C&urrent Day Color"), QT_TRANSLATE_NOOP("OptionsTexts", "To change the color to be used for the current date, select this option then click "
                           "the 'Color' button.")},
};
inline constexpr const char *kSampleTexts[] = {QT_TRANSLATE_NOOP("OptionsTexts", "January"), QT_TRANSLATE_NOOP("OptionsTexts", "Sun"), "25", QT_TRANSLATE_NOOP("OptionsTexts", "New Years Day"), QT_TRANSLATE_NOOP("OptionsTexts", "9:00 AM - Meeting")};

// --- Orientation page -----------------------------------------------------------
struct PositionText {
    const char *caption;
    const char *tip;
};
// In the order of the position codes 0 to 5.
inline constexpr PositionText kPositions[] = {
    {QT_TRANSLATE_NOOP("OptionsTexts", "C&enter"), QT_TRANSLATE_NOOP("OptionsTexts", "Select this option to position the desktop calendar in the center of your screen.")},
    {QT_TRANSLATE_NOOP("OptionsTexts", "Top le&ft"), QT_TRANSLATE_NOOP("OptionsTexts", "Select this option to position the desktop calendar in the top left portion of your screen.")},
    {QT_TRANSLATE_NOOP("OptionsTexts", "Top ri&ght"), QT_TRANSLATE_NOOP("OptionsTexts", "Select this option to position the desktop calendar in the top right portion of your screen.")},
    {QT_TRANSLATE_NOOP("OptionsTexts", "&Bottom Left"),
     QT_TRANSLATE_NOOP("OptionsTexts", "Select this option to position the desktop calendar in the bottom left portion of your screen.")},
    {QT_TRANSLATE_NOOP("OptionsTexts", "Bottom rig&ht"),
     QT_TRANSLATE_NOOP("OptionsTexts", "Select this option to position the desktop calendar in the bottom right portion of your screen.")},
    {QT_TRANSLATE_NOOP("OptionsTexts", "F&ull Screen"), QT_TRANSLATE_NOOP("OptionsTexts", "Select this option to make the desktop calendar fill the entire screen.")},
};

// --- Folder picker --------------------------------------------------------------
inline constexpr auto kSelectFolder = QT_TRANSLATE_NOOP("OptionsTexts", "Select Folder...");
inline constexpr auto kLookIn = QT_TRANSLATE_NOOP("OptionsTexts", "Look &in:");
inline constexpr auto kFolderName = QT_TRANSLATE_NOOP("OptionsTexts", "Folder &name:");
inline constexpr auto kPickerOk = QT_TRANSLATE_NOOP("OptionsTexts", "&OK");
inline constexpr auto kPickerCancel = QT_TRANSLATE_NOOP("OptionsTexts", "&Cancel");

// --- Failures: English for error.log, Tr of them in the report box -----------------
inline constexpr auto kPathNotFound = QT_TRANSLATE_NOOP("OptionsTexts", "Path not found: %1");
inline constexpr auto kFileNotFound = QT_TRANSLATE_NOOP("OptionsTexts", "File not found: %1");
inline constexpr auto kInvalidPicture = QT_TRANSLATE_NOOP("OptionsTexts", "Invalid picture: %1");
inline constexpr auto kDeviceUnavailable = QT_TRANSLATE_NOOP("OptionsTexts", "Device unavailable");
inline constexpr auto kSettingsNotWritten = QT_TRANSLATE_NOOP("OptionsTexts", "The settings could not be written to %1");

// A failure with its English description and the same in the user's language.
inline basOperation::Failure Failed(int number, const char *text, const QString &word = QString())
{
    const QString english = QString::fromUtf8(text);
    return word.isNull() ? basOperation::Failure(number, english, Tr(text))
                         : basOperation::Failure(number, english.arg(word), Tr(text).arg(word));
}

} // namespace OptionsTexts

} // namespace quillon
