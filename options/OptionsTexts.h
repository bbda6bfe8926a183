// Every caption, tip and message of the options program, word for word as the user
// reads them.
#pragma once

namespace quillon {

namespace OptionsTexts {

// --- The window and its buttons -------------------------------------------------
inline constexpr auto kCaption = "Quillon Options";
inline constexpr auto kAlreadyOpen = "The Options windows is already open.";
inline constexpr auto kAlreadyOpenTitle = "Quillon Desktop Calendar";
inline constexpr auto kPageGeneral = "General";
inline constexpr auto kPageWallpaper = "Wallpaper";
inline constexpr auto kPageFonts = "Fonts and Colors";
inline constexpr auto kPageOrientation = "Orientation";
inline constexpr auto kOk = "OK";
inline constexpr auto kCancel = "Cancel";
inline constexpr auto kApply = "&Apply";

// --- General page ---------------------------------------------------------------
inline constexpr auto kSchedulerOptions = "Scheduler Options";
inline constexpr auto kDisplayScheduler = "Display Scheduler on &startup";
inline constexpr auto kDisplaySchedulerTip = "Check this box to display the Scheduler when Windows starts.";
inline constexpr auto kDisplayOnce = "Display only &once per day";
inline constexpr auto kDisplayOnceTip =
    "If 'Display Scheduler on startup' is checked, check this box to display the Scheduler only the "
    "first time Windows starts.";
inline constexpr auto kNoConflictChecking = "Do not check for event &conflicts.";
inline constexpr auto kNoConflictCheckingTip =
    "Check this box to have the Scheduler ignore scheduling conflicts between events.";
inline constexpr auto kSchedulerColors = "Scheduler Colors";
inline constexpr auto kRemindOfEvents = "&Remind me of events";
inline constexpr auto kRemindOfEventsTip =
    "Select this option to have a notification shown before each event that has a reminder.";
inline constexpr auto kBackgroundColor = "&Background Color...";
inline constexpr auto kBackgroundColorTip = "Click this button to change the background color used in the Scheduler.";
inline constexpr auto kEventColor = "&Event Color...";
inline constexpr auto kEventColorTip = "Click this button to change the color used for events in the Scheduler.";
inline constexpr auto kPreviewTip =
    "Click the 'Background Color' or 'Event Color' buttons to change the colors used in the DayTimer. "
    "Colors selected will be displayed here.";
inline constexpr auto kSampleEvent = "Sample event";
inline constexpr auto kDesktopCalendar = "Desktop Calendar";
inline constexpr auto kDisplayCalendar = "&Display calendar on desktop?";
inline constexpr auto kDisplayCalendarTip = "Check this box to display the calendar on your desktop wallpaper.";
inline constexpr auto kWarnBeforeChanging = "&Warn me before changing the calendar at midnight";
inline constexpr auto kWarningTimeOut = "Warning &times out after";
inline constexpr auto kSeconds = "seconds";
inline constexpr auto kWeekStart = "Wee&k starts on:";
inline constexpr auto kWeekStartTip = "The first day of each week in the Scheduler's views and on the desktop calendar.";
// %1: the weekday the user's language and country start the week on.
inline constexpr auto kWeekStartLocale = "As in my region (%1)";

// --- Timeout checks -------------------------------------------------------------
inline constexpr auto kInvalidEntry = "Invalid Entry";
inline constexpr auto kRequiredEntry = "Required Entry";
inline constexpr auto kMustBeNumber = "Entry must be a number greater than 0.";
inline constexpr auto kTimeoutRequired = "An entry for warning timeout is required.";
inline constexpr auto kMustBeWhole = "Entry must be a whole number greater than 0.";
inline constexpr auto kMustBePositive = "Warning timeout must be a number greater than 0.";
inline constexpr auto kDefaultTimeout = "30";

// --- Wallpaper page -------------------------------------------------------------
inline constexpr auto kImages = "Images";
inline constexpr auto kImagesTip =
    "Click on one of the file names listed to select an image to be used for your desktop wallpaper.";
inline constexpr auto kWallpaperColor = "Co&lor...";
inline constexpr auto kWallpaperColorTip =
    "Click on this button to select a background color instead of an image for your desktop wallpaper.";
inline constexpr auto kBrowse = "B&rowse...";
inline constexpr auto kBrowseTip =
    "Click on this button to select a folder containing images that you want to use for your desktop wallpaper.";
inline constexpr auto kChangeWallpaper = "Change Wallpaper";
inline constexpr auto kChangeWallpaperTip =
    "Select a time period from this drop-down list to use for automatically changing your desktop wallpaper.";
inline constexpr auto kLocation = "Location";
inline constexpr auto kImagePattern = "*.jpg;*.jpeg;*.png;*.gif;*.bmp";
inline constexpr const char *kRotationPeriods[] = {"Do Not Change", "Daily", "Weekly", "Bi-weekly", "Monthly"};
inline constexpr auto kDefaultRotation = "Monthly";
inline constexpr auto kNoRotation = "Do Not Change";

// --- Fonts and Colors page ------------------------------------------------------
inline constexpr auto kUseLiturgicalColors = "Use &liturgical colors";
inline constexpr auto kLegibility = "Le&gibility:";
inline constexpr auto kLegibilityTip =
    "Automatic keeps the calendar readable over any picture: event texts at least a readable size, and a solid "
    "outline or a panel behind the day where a text would not stand out. \"Automatic\" may also make a color a "
    "little lighter or darker where that is needed; \"keep my colors\" never changes them. Off draws the texts "
    "exactly in the chosen colors and sizes.";
struct LegibilityChoice {
    const char *caption;
    const char *value;   // CalendarLegibility
};
inline constexpr LegibilityChoice kLegibilityChoices[] = {
    {"Automatic, keep my colors", "AutomaticKeepColours"},
    {"Automatic", "Automatic"},
    {"Off", "Off"},
};
// --- Orientation page -------------------------------------------------------------
inline constexpr auto kMonitors = "&Monitors:";
inline constexpr auto kMonitorsTip =
    "Primary draws the calendar on the primary monitor and the background alone on the others. "
    "All draws the calendar on every monitor.";
inline constexpr auto kCalendarPreview = "Desktop preview";
inline constexpr auto kCalendarPreviewTip =
    "Your desktop as the calendar will draw it with the values in this window.";
inline constexpr auto kFont = "&Font...";
inline constexpr auto kFontTip =
    "First select an option to the left, then click this button to change the font for that element.";
inline constexpr auto kFontColor = "&Color...";
inline constexpr auto kFontColorTip =
    "First select an option to the left, then click this button to change the font color for that element.";

struct ElementText {
    const char *caption;
    const char *tip;
};
// Month name, day name, day number, all-day event, timed event, current day.
inline constexpr ElementText kElements[] = {
    {"&Month Name", "To change the font and/or color of the name of the month, select this option then click "
                    "either the 'Font' or 'Color' button."},
    {"Day Of The &Week Name", "To change the font and/or color of the name of the day of the week, select this "
                              "option then click either the 'Font' or 'Color' button."},
    {"Day &Number", "To change the font and/or color of the number of the day, select this option then click "
                    "either the 'Font' or 'Color' button."},
    {"&All Day Event Text", "To change the font and/or color of the all day event text, select this option then "
                            "click either the 'Font' or 'Color' button."},
    {"Event &text", "To change the font and/or color of the event text, select this option then click either the "
                    "'Font' or 'Color' button."},
    {"C&urrent Day Color", "To change the color to be used for the current date, select this option then click "
                           "the 'Color' button."},
};
inline constexpr const char *kSampleTexts[] = {"January", "Sun", "25", "New Years Day", "9:00 AM - Meeting"};

// --- Orientation page -----------------------------------------------------------
struct PositionText {
    const char *caption;
    const char *tip;
};
// In the order of the position codes 0 to 5.
inline constexpr PositionText kPositions[] = {
    {"C&enter", "Select this option to position the desktop calendar in the center of your screen."},
    {"Top le&ft", "Select this option to position the desktop calendar in the top left portion of your screen."},
    {"Top ri&ght", "Select this option to position the desktop calendar in the top right portion of your screen."},
    {"&Bottom Left",
     "Select this option to position the desktop calendar in the bottom left portion of your screen."},
    {"Bottom rig&ht",
     "Select this option to position the desktop calendar in the bottom right portion of your screen."},
    {"F&ull Screen", "Select this option to make the desktop calendar fill the entire screen."},
};

// --- Folder picker --------------------------------------------------------------
inline constexpr auto kSelectFolder = "Select Folder...";
inline constexpr auto kLookIn = "Look &in:";
inline constexpr auto kFolderName = "Folder &name:";
inline constexpr auto kPickerOk = "&OK";
inline constexpr auto kPickerCancel = "&Cancel";

} // namespace OptionsTexts

} // namespace quillon
