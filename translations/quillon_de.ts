<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CalendarLabel</name>
    <message>
        <source>+%1 more</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OccurrenceChoice</name>
    <message>
        <source>&amp;Only this event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This and &amp;following events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;All events</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OptionsTexts</name>
    <message>
        <source>Quillon Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Options windows is already open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillon Desktop Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fonts and Colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scheduler Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display Scheduler on &amp;startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check this box to display the Scheduler when Windows starts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display only &amp;once per day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If &apos;Display Scheduler on startup&apos; is checked, check this box to display the Scheduler only the first time Windows starts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do not check for event &amp;conflicts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check this box to have the Scheduler ignore scheduling conflicts between events.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scheduler Colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remind me of events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select this option to have a notification shown before each event that has a reminder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Background Color...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click this button to change the background color used in the Scheduler.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Event Color...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click this button to change the color used for events in the Scheduler.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the &apos;Background Color&apos; or &apos;Event Color&apos; buttons to change the colors used in the DayTimer. Colors selected will be displayed here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Display calendar on desktop?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check this box to display the calendar on your desktop wallpaper.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Warn me before changing the calendar at midnight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning &amp;times out after</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wee&amp;k starts on:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first day of each week in the Scheduler&apos;s views and on the desktop calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As in my region (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Entry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Required Entry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entry must be a number greater than 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An entry for warning timeout is required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entry must be a whole number greater than 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning timeout must be a number greater than 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click on one of the file names listed to select an image to be used for your desktop wallpaper.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Co&amp;lor...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click on this button to select a background color instead of an image for your desktop wallpaper.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B&amp;rowse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click on this button to select a folder containing images that you want to use for your desktop wallpaper.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a time period from this drop-down list to use for automatically changing your desktop wallpaper.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do Not Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bi-weekly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use &amp;liturgical colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Le&amp;gibility:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic keeps the calendar readable over any picture: event texts at least a readable size, and a solid outline or a panel behind the day where a text would not stand out. &quot;Automatic&quot; may also make a color a little lighter or darker where that is needed; &quot;keep my colors&quot; never changes them. Off draws the texts exactly in the chosen colors and sizes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic, keep my colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Primary</source>
        <extracomment>Draw the desktop calendar on the primary monitor only.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <extracomment>Draw the desktop calendar on every monitor.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Monitors:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Primary draws the calendar on the primary monitor and the background alone on the others. All draws the calendar on every monitor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your desktop as the calendar will draw it with the values in this window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First select an option to the left, then click this button to change the font for that element.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Color...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First select an option to the left, then click this button to change the font color for that element.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Month Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To change the font and/or color of the name of the month, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day Of The &amp;Week Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To change the font and/or color of the name of the day of the week, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day &amp;Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To change the font and/or color of the number of the day, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;All Day Event Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To change the font and/or color of the all day event text, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event &amp;text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To change the font and/or color of the event text, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;urrent Day Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To change the color to be used for the current date, select this option then click the &apos;Color&apos; button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>January</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Years Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9:00 AM - Meeting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the center of your screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top le&amp;ft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the top left portion of your screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top ri&amp;ght</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the top right portion of your screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bottom Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the bottom left portion of your screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bottom rig&amp;ht</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the bottom right portion of your screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;ull Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select this option to make the desktop calendar fill the entire screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Look &amp;in:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder &amp;name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <extracomment>&quot;LTR&quot; for a language written left to right, &quot;RTL&quot; for one written right to left.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Reading %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Storing the events of %1...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UnsavedNotes</name>
    <message>
        <source>The notes for %1 could not be stored.

Copy them to the clipboard before closing?
(No closes without them; Cancel keeps the window open.)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>basDayCaption</name>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>basErrorHandler</name>
    <message>
        <source>An error has occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Product Name: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Application File:  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Module: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Number: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Number: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Description: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>basFactOfTheDay</name>
    <message>
        <source>Welcome!  We hope that you will enjoy using Quillon, and that you will find it helpful in managing your valuable time. The purpose of the liturgical calendar is to relive the major events in Jesus’ life in real time. In this box, we&apos;ll display information about the liturgical church year, special days, and the liturgical colors. The liturgical calendar is built around six seasons and twelve festival days. Each day in the liturgical calendar has an associated color, and each color has its own meaning and symbolism. Along the way, we&apos;ll also display some interesting facts about the Carrowan Church and its history. Enjoy the calendar!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The liturgical color green is used for &apos;Ordinary Time&apos;, the Sundays of the church year that are not part of a specific season. Ordinary time serves to remind the church that God acts within the routine of our daily lives. The color green is symbolic of spiritual growth.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The liturgical color purple is used for seasons of preparation, such as Lent and Advent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The liturgical color red is used for Pentecost and for ordination services. Red is symbolic of the &apos;tongues of fire&apos; that sat on each of the apostles on the Day of Pentecost and suggests the presence and power of the Holy Spirit bringing life to the church.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The liturgical color white is used for special days in the redemptive work of Jesus Christ, such as Christmas and Easter. The color white is symbolic of purity and light.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The liturgical color gray is used only from the end of Maundy Thursday until Easter.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>basMain</name>
    <message>
        <source>Quillon Scheduler is already running.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::AgendaView</name>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing planned from %1 to %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::CalendarList</name>
    <message>
        <source>never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another calendar is being fetched.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fetching %1 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no calendars.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be added: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1.

Password for %2 at %3:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No such calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refreshing %1 ...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::CalendarPreview</name>
    <message>
        <source>The calendar would not be drawn: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::EventSearchModel</name>
    <message>
        <source>The events could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No event holds “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first %1 of %2 events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Past: last on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::LauncherReminders</name>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 reminders while you were away</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 reminders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (all day)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snooze 5 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Scheduler</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::LauncherSubscriptions</name>
    <message>
        <source> Open Calendars... to decide.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calendar &quot;%1&quot; could not be refreshed: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1.

Password for %2 at %3:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::MonthGrid</name>
    <message numerus="yes">
        <source>+%n more</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>quillon::RangePane</name>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::RepeatRuleEditor</name>
    <message>
        <source>Daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On the</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>After</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeats:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ends:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>occurrences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>weeks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>years</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::SchedulerCommands</name>
    <message>
        <source>Delete event &apos;%1&apos;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete all day event &apos;%1&apos;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move event &apos;%1&apos;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; would overlap &apos;%2&apos; on %3. Move it anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conflict</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete All Day Event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::UndoHistory</name>
    <message>
        <source>New Event &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::YearView</name>
    <message>
        <source>Previous year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next year</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::frmAbout</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop Calendar/Schedule for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning: this computer program is protected by copyright law and international treaties; unauthorized reproduction or distribution of it, or of any part of it, is prohibited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::frmCalendars</name>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting to be sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh &amp;now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New events &amp;go to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 change(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where new events go could not be kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the calendar &apos;%1&apos; and its events?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

Trust this certificate for this calendar?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

Send the password anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>https://, webcal:// or a CalDAV server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User name and password only for a CalDAV account or a private address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Calendar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::frmConflict</name>
    <message>
        <source>&amp;Do not check for event conflicts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Accept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Reschedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Existing events:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scheduling Conflict</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This event conflicts with the existing events listed below.  Click on &apos;Accept&apos; to accept the conflict, or &apos;Reschedule&apos; to change the date and/or time of the event.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::frmEvent</name>
    <message>
        <source>Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recurrence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;All day event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;End time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;ubject:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Location:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event &amp;date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event &amp;color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;minder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calenda&amp;r:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Notes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Recurring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;peat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From %1</source>
        <extracomment>Above a read-only event: the server calendar it comes from.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting to be sent to the calendar&apos;s server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting to be sent to the calendar&apos;s server (last try: %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change event &apos;%1&apos;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <extracomment>No reminder for the event.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 weeks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Entry Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The End Time cannot be earlier than the Start Time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event date cannot be earlier than today.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a start time and an end time, or tick All day event.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select at least one day on which this event occurs, or choose Once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the days on which this event occurs:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The days of this event (click a day to leave it out or add it):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::frmFind</name>
    <message>
        <source>&amp;Show Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name, notes or place</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::frmHelp</name>
    <message>
        <source>&amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::frmMain</name>
    <message>
        <source>&amp;Use Liturgical Colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh Desktop Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh &amp;Calendars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;alendars...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  - waiting to be sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1:
%2 added, %3 updated, %4 unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 events were written to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left out:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New Event...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import Calendar...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ex&amp;port Calendar...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Calendars...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;rint...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit Event...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &amp;All Day Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Quillon...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PopupMenu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh Desktop Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Work Week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W&amp;eek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Agenda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Agenda &amp;Span</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exiting Quillon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to clear the calendar from the desktop?<byte value="xd"/>
<byte value="xd"/>
Click &apos;Yes&apos; to clear the calendar from the desktop wallpaper.<byte value="xd"/>
Click &apos;No&apos; to keep the calendar on the desktop wallpaper.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillon Scheduler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar files (*.ics);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::frmWarning</name>
    <message>
        <source>Later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK (%1 second)</source>
        <extracomment>The button with the seconds left before the calendar is changed.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK (%1 seconds)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillon needs to change the desktop calendar.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the &apos;OK&apos; button to change the calendar now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the &apos;OK&apos; button to change the calendar now (or wait until the timeout has completed and Quillon will then perform the change).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the &apos;Later&apos; button to change the calendar yourself at a time that is more convenient. You can change the calendar by right-clicking on the Quillon icon in the system tray and selecting the &apos;Refresh Desktop Calendar&quot; option.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
