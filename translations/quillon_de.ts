<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BackgroundPicture</name>
    <message>
        <source>the picture %1 does not exist</source>
        <translation>das Bild %1 existiert nicht</translation>
    </message>
    <message>
        <source>the picture %1 is not a file</source>
        <translation>das Bild %1 ist keine Datei</translation>
    </message>
    <message>
        <source>the picture %1 cannot be read: %2</source>
        <translation>das Bild %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is not a picture that can be read (%2)</source>
        <translation>%1 ist kein lesbares Bild (%2)</translation>
    </message>
    <message>
        <source>the picture %1 is too large: %2 x %3 pixels, at most %4 million for this screen</source>
        <translation>das Bild %1 ist zu groß: %2 × %3 Pixel, höchstens %4 Millionen für diesen Bildschirm</translation>
    </message>
    <message>
        <source>the picture %1 could not be decoded: %2</source>
        <translation>das Bild %1 konnte nicht dekodiert werden: %2</translation>
    </message>
</context>
<context>
    <name>CalendarDrawing</name>
    <message>
        <source>no event database</source>
        <translation>keine Termindatenbank</translation>
    </message>
</context>
<context>
    <name>CalendarLabel</name>
    <message numerus="yes">
        <source>+%n more</source>
        <translation>
            <numerusform>+%n weiterer</numerusform>
            <numerusform>+%n weitere</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EventService</name>
    <message>
        <source>The change cannot be written into the calendar&apos;s event %1; it was not saved</source>
        <translation>Die Änderung kann nicht in den Termin %1 des Kalenders geschrieben werden; sie wurde nicht gespeichert</translation>
    </message>
    <message>
        <source>This computer</source>
        <translation>Dieser Computer</translation>
    </message>
    <message>
        <source>The calendar %1 cannot be written to</source>
        <translation>In den Kalender %1 kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>ICalendarTexts</name>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>line 1: this is UTF-16 text that cannot be read; save it as UTF-8</source>
        <translation>Zeile 1: Dieser UTF-16-Text kann nicht gelesen werden; speichern Sie die Datei als UTF-8</translation>
    </message>
    <message>
        <source>the file is not UTF-8; read as Latin-1 (Windows-1252)</source>
        <translation>Die Datei ist nicht in UTF-8 kodiert; sie wurde als Latin-1 (Windows-1252) gelesen</translation>
    </message>
    <message>
        <source>the file changed while it was read</source>
        <translation>die Datei wurde während des Lesens geändert</translation>
    </message>
    <message>
        <source>this is not a text file</source>
        <translation>dies ist keine Textdatei</translation>
    </message>
    <message>
        <source>this is not an iCalendar file (it does not start with BEGIN:VCALENDAR)</source>
        <translation>dies ist keine iCalendar-Datei (sie beginnt nicht mit BEGIN:VCALENDAR)</translation>
    </message>
    <message>
        <source>components nested more than %1 deep</source>
        <translation>Komponenten mehr als %1 Ebenen tief verschachtelt</translation>
    </message>
    <message>
        <source>BEGIN:%1 outside of a calendar</source>
        <translation>BEGIN:%1 außerhalb eines Kalenders</translation>
    </message>
    <message>
        <source>END:%1 without BEGIN:%1</source>
        <translation>END:%1 ohne BEGIN:%1</translation>
    </message>
    <message>
        <source>END:%1 where END:%2 (of line %3) was expected</source>
        <translation>END:%1, wo END:%2 (zu Zeile %3) erwartet wurde</translation>
    </message>
    <message>
        <source>text after the end of the calendar</source>
        <translation>Text nach dem Ende des Kalenders</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>BEGIN:%1 has no END:%1; the file is truncated</source>
        <translation>BEGIN:%1 hat kein END:%1; die Datei ist unvollständig</translation>
    </message>
    <message>
        <source>libical could not read the file as iCalendar</source>
        <translation>libical konnte die Datei nicht als iCalendar lesen</translation>
    </message>
    <message>
        <source>the file gives more than %1 days of events</source>
        <translation>die Datei ergibt mehr als %1 Tage mit Terminen</translation>
    </message>
    <message>
        <source>line %1: %2 (ignored)</source>
        <extracomment>%2 is the reading library&apos;s own (English) message</extracomment>
        <translation>Zeile %1: %2 (ignoriert)</translation>
    </message>
    <message>
        <source>line %1: a line that is no property, read as the rest of line %2</source>
        <translation>Zeile %1: Eine Zeile ohne Eigenschaft, als Fortsetzung von Zeile %2 gelesen</translation>
    </message>
    <message>
        <source>line %1: a line that is no property (left out)</source>
        <translation>Zeile %1: Eine Zeile ohne Eigenschaft (ausgelassen)</translation>
    </message>
    <message>
        <source>line %1: the repeat rule has both COUNT and UNTIL; read up to its UNTIL</source>
        <translation>Zeile %1: Die Wiederholungsregel hat sowohl COUNT als auch UNTIL; bis zu ihrem UNTIL gelesen</translation>
    </message>
    <message>
        <source>line %1: the time zone &quot;%2&quot; of the file is left out: %3</source>
        <translation>Zeile %1: Die Zeitzone »%2« der Datei wird nicht verwendet: %3</translation>
    </message>
    <message>
        <source>a change of clock has no DTSTART</source>
        <translation>eine Zeitumstellung hat kein DTSTART</translation>
    </message>
    <message>
        <source>line %1: unknown time zone &quot;%2&quot;; its times are taken as local times</source>
        <translation>Zeile %1: Unbekannte Zeitzone »%2«; ihre Uhrzeiten gelten als Ortszeit</translation>
    </message>
    <message>
        <source>line %1, UID &quot;%2&quot;: %3; skipped</source>
        <extracomment>%3 is why the event was left out</extracomment>
        <translation>Zeile %1, UID »%2«: %3; übersprungen</translation>
    </message>
    <message>
        <source>line %1: an older version of the event with the UID &quot;%2&quot; (left out)</source>
        <translation>Zeile %1: Eine ältere Fassung des Termins mit der UID »%2« (ausgelassen)</translation>
    </message>
    <message>
        <source>line %1: an older version of a changed occurrence of the event with the UID &quot;%2&quot; (left out)</source>
        <translation>Zeile %1: Eine ältere Fassung eines geänderten Einzeltermins der Serie mit der UID »%2« (ausgelassen)</translation>
    </message>
    <message>
        <source>line %1: a cancelled event (left out)</source>
        <translation>Zeile %1: Ein abgesagter Termin (ausgelassen)</translation>
    </message>
    <message>
        <source>line %1: &quot;%2&quot; has no day left (left out)</source>
        <translation>Zeile %1: »%2« hat keinen Tag mehr (ausgelassen)</translation>
    </message>
    <message>
        <source>line %1: &quot;%2&quot;: days outside 1900-2100 left out</source>
        <translation>Zeile %1: »%2«: Tage außerhalb der Jahre 1900 bis 2100 ausgelassen</translation>
    </message>
    <message>
        <source>line %1: &quot;%2&quot; repeats without end; dates taken up to %3</source>
        <translation>Zeile %1: »%2« wiederholt sich ohne Ende; Termine bis %3 übernommen</translation>
    </message>
    <message>
        <source>its dates could not be worked out within the limit</source>
        <translation>seine Termine konnten nicht innerhalb der Grenze berechnet werden</translation>
    </message>
    <message>
        <source>its changed occurrences could not be worked out within the limit</source>
        <translation>seine geänderten Einzeltermine konnten nicht innerhalb der Grenze berechnet werden</translation>
    </message>
    <message>
        <source>the event has no DTSTART</source>
        <translation>der Termin hat kein DTSTART</translation>
    </message>
    <message>
        <source>the event&apos;s DTSTART is no date</source>
        <translation>das DTSTART des Termins ist kein Datum</translation>
    </message>
    <message>
        <source>the event&apos;s DTEND is no date</source>
        <translation>das DTEND des Termins ist kein Datum</translation>
    </message>
    <message>
        <source>ends before it starts</source>
        <translation>endet, bevor er beginnt</translation>
    </message>
    <message>
        <source>the event&apos;s DURATION is negative</source>
        <translation>die DURATION des Termins ist negativ</translation>
    </message>
    <message>
        <source>its DURATION of %1 days is longer than the years 1900-2100</source>
        <translation>seine DURATION von %1 Tagen ist länger als die Jahre 1900 bis 2100</translation>
    </message>
    <message>
        <source>%1 is no date</source>
        <extracomment>%1 is a property&apos;s name (EXDATE, DTSTART)</extracomment>
        <translation>%1 ist kein Datum</translation>
    </message>
    <message>
        <source>RDATE is no date</source>
        <translation>RDATE ist kein Datum</translation>
    </message>
    <message>
        <source>RECURRENCE-ID is no date</source>
        <translation>RECURRENCE-ID ist kein Datum</translation>
    </message>
    <message>
        <source>its repeat rule &quot;%1&quot; cannot be read</source>
        <translation>seine Wiederholungsregel »%1« kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the RRULE has no valid FREQ</source>
        <translation>die RRULE hat keine gültige FREQ</translation>
    </message>
    <message>
        <source>its repeat rule can never match (%1)</source>
        <extracomment>%1 is why the rule can never match</extracomment>
        <translation>seine Wiederholungsregel trifft nie zu (%1)</translation>
    </message>
    <message>
        <source>its repeat rule ends on no date</source>
        <translation>seine Wiederholungsregel endet an keinem Datum</translation>
    </message>
    <message>
        <source>its repeat rule could not be expanded within the limit</source>
        <translation>seine Wiederholungsregel konnte nicht innerhalb der Grenze aufgelöst werden</translation>
    </message>
    <message>
        <source>the RRULE of &quot;%1&quot; gives more than %2 dates</source>
        <translation>die RRULE von »%1« ergibt mehr als %2 Termine</translation>
    </message>
    <message>
        <source>its repeat rule gives no date at all</source>
        <translation>seine Wiederholungsregel ergibt überhaupt keinen Termin</translation>
    </message>
    <message>
        <source>INTERVAL=%1 is no positive number</source>
        <translation>INTERVAL=%1 ist keine positive Zahl</translation>
    </message>
    <message>
        <source>BYSECOND=%1 names no second</source>
        <translation>BYSECOND=%1 bezeichnet keine Sekunde</translation>
    </message>
    <message>
        <source>BYMINUTE=%1 names no minute</source>
        <translation>BYMINUTE=%1 bezeichnet keine Minute</translation>
    </message>
    <message>
        <source>BYHOUR=%1 names no hour</source>
        <translation>BYHOUR=%1 bezeichnet keine Stunde</translation>
    </message>
    <message>
        <source>BYMONTHDAY=%1 names no day of a month</source>
        <translation>BYMONTHDAY=%1 bezeichnet keinen Tag eines Monats</translation>
    </message>
    <message>
        <source>BYYEARDAY=%1 names no day of a year</source>
        <translation>BYYEARDAY=%1 bezeichnet keinen Tag eines Jahres</translation>
    </message>
    <message>
        <source>BYWEEKNO=%1 names no week of a year</source>
        <translation>BYWEEKNO=%1 bezeichnet keine Woche eines Jahres</translation>
    </message>
    <message>
        <source>BYMONTH=%1 names no month</source>
        <translation>BYMONTH=%1 bezeichnet keinen Monat</translation>
    </message>
    <message>
        <source>BYMONTH=%1L names a leap month, which the Gregorian calendar has not</source>
        <translation>BYMONTH=%1L bezeichnet einen Schaltmonat, den der gregorianische Kalender nicht kennt</translation>
    </message>
    <message>
        <source>BYWEEKNO fits only a yearly rule</source>
        <translation>BYWEEKNO passt nur zu einer jährlichen Regel</translation>
    </message>
    <message>
        <source>BYYEARDAY does not fit a daily, weekly or monthly rule</source>
        <translation>BYYEARDAY passt nicht zu einer täglichen, wöchentlichen oder monatlichen Regel</translation>
    </message>
    <message>
        <source>BYMONTHDAY does not fit a weekly rule</source>
        <translation>BYMONTHDAY passt nicht zu einer wöchentlichen Regel</translation>
    </message>
    <message>
        <source>RSCALE=%1: only Gregorian rules are expanded</source>
        <translation>RSCALE=%1: Nur gregorianische Regeln werden aufgelöst</translation>
    </message>
    <message>
        <source>BYDAY names no weekday</source>
        <translation>BYDAY bezeichnet keinen Wochentag</translation>
    </message>
    <message>
        <source>BYDAY=%1: a numbered weekday fits only a monthly or yearly rule</source>
        <translation>BYDAY=%1: Ein nummerierter Wochentag passt nur zu einer monatlichen oder jährlichen Regel</translation>
    </message>
    <message>
        <source>BYDAY=%1: a month has at most %2 of each weekday</source>
        <translation>BYDAY=%1: Ein Monat hat jeden Wochentag höchstens %2-mal</translation>
    </message>
    <message>
        <source>BYDAY=%1: a year has at most %2 of each weekday</source>
        <translation>BYDAY=%1: Ein Jahr hat jeden Wochentag höchstens %2-mal</translation>
    </message>
    <message>
        <source>BYMONTHDAY=%1 falls in none of the months BYMONTH=%2</source>
        <translation>BYMONTHDAY=%1 fällt in keinen der Monate BYMONTH=%2</translation>
    </message>
    <message>
        <source>BYYEARDAY=%1 falls in none of the months BYMONTH=%2</source>
        <translation>BYYEARDAY=%1 fällt in keinen der Monate BYMONTH=%2</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one second holds</source>
        <translation>BYSETPOS=%1 verlangt mehr Termine, als in eine Sekunde passen</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one minute holds</source>
        <translation>BYSETPOS=%1 verlangt mehr Termine, als in eine Minute passen</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one hour holds</source>
        <translation>BYSETPOS=%1 verlangt mehr Termine, als in eine Stunde passen</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one day holds</source>
        <translation>BYSETPOS=%1 verlangt mehr Termine, als in einen Tag passen</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one week holds</source>
        <translation>BYSETPOS=%1 verlangt mehr Termine, als in eine Woche passen</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one month holds</source>
        <translation>BYSETPOS=%1 verlangt mehr Termine, als in einen Monat passen</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one year holds</source>
        <translation>BYSETPOS=%1 verlangt mehr Termine, als in ein Jahr passen</translation>
    </message>
    <message>
        <source>its rule is not yearly</source>
        <translation>ihre Regel ist nicht jährlich</translation>
    </message>
    <message>
        <source>its rule has more than %1 %2 values</source>
        <extracomment>%2 is a part of the rule (BYDAY, BYMONTH)</extracomment>
        <translation>ihre Regel hat mehr als %1 %2-Werte</translation>
    </message>
    <message>
        <source>its start is no date</source>
        <translation>ihr Beginn ist kein Datum</translation>
    </message>
    <message>
        <source>its rule gives no change within two years of its start</source>
        <translation>ihre Regel ergibt innerhalb von zwei Jahren nach ihrem Beginn keine Zeitumstellung</translation>
    </message>
    <message>
        <source>%1: the folder %2 does not exist or cannot be entered (no permission)</source>
        <translation>%1: Der Ordner %2 existiert nicht oder kann nicht geöffnet werden (keine Berechtigung)</translation>
    </message>
    <message>
        <source>%1: file not found</source>
        <translation>%1: Datei nicht gefunden</translation>
    </message>
    <message>
        <source>%1: the file cannot be read (no permission)</source>
        <translation>%1: Die Datei kann nicht gelesen werden (keine Berechtigung)</translation>
    </message>
    <message>
        <source>%1: the file is larger than %2 MB (%3 bytes); nothing was imported</source>
        <translation>%1: Die Datei ist größer als %2 MB (%3 Bytes); es wurde nichts importiert</translation>
    </message>
    <message>
        <source>%1: the file changed while it was read; nothing was imported</source>
        <translation>%1: Die Datei wurde während des Lesens geändert; es wurde nichts importiert</translation>
    </message>
    <message>
        <source>%1: %2; nothing was imported</source>
        <extracomment>%2 is why the file was refused</extracomment>
        <translation>%1: %2; es wurde nichts importiert</translation>
    </message>
    <message>
        <source>%1: line %2: &quot;%3&quot; could not be stored: %4; nothing was imported</source>
        <translation>%1: Zeile %2: »%3« konnte nicht gespeichert werden: %4; es wurde nichts importiert</translation>
    </message>
    <message>
        <source>%1: line %2: the store did not take &quot;%3&quot;; nothing was imported</source>
        <translation>%1: Zeile %2: Die Datenbank hat »%3« nicht angenommen; es wurde nichts importiert</translation>
    </message>
    <message>
        <source>%1 church-year days left out (the store has them already)</source>
        <translation>%1 Tage des Kirchenjahres ausgelassen (die Datenbank enthält sie bereits)</translation>
    </message>
    <message>
        <source>%1: the folder %2 does not exist</source>
        <translation>%1: Der Ordner %2 existiert nicht</translation>
    </message>
    <message>
        <source>%1: the disk is full (%2 bytes free, %3 needed); the file was not written</source>
        <translation>%1: Der Datenträger ist voll (%2 Bytes frei, %3 benötigt); die Datei wurde nicht geschrieben</translation>
    </message>
    <message>
        <source>%1: the file could not be written (%2); it was not changed</source>
        <extracomment>%2 is the system&apos;s reason</extracomment>
        <translation>%1: Die Datei konnte nicht geschrieben werden (%2); sie wurde nicht verändert</translation>
    </message>
    <message>
        <source>The church-year range %1-%2 is not within 1900-2100</source>
        <translation>Der Bereich des Kirchenjahres %1–%2 liegt nicht zwischen 1900 und 2100</translation>
    </message>
    <message>
        <source>event %1 &quot;%2&quot;: no date</source>
        <translation>Termin %1 »%2«: kein Datum</translation>
    </message>
    <message>
        <source>event %1 &quot;%2&quot;: no readable time</source>
        <translation>Termin %1 »%2«: keine lesbare Uhrzeit</translation>
    </message>
</context>
<context>
    <name>OccurrenceChoice</name>
    <message>
        <source>&amp;Only this event</source>
        <translation>&amp;Nur diesen Termin</translation>
    </message>
    <message>
        <source>This and &amp;following events</source>
        <translation>Diesen und alle &amp;folgenden Termine</translation>
    </message>
    <message>
        <source>&amp;All events</source>
        <translation>&amp;Alle Termine</translation>
    </message>
</context>
<context>
    <name>OptionsTexts</name>
    <message>
        <source>Quillon Options</source>
        <translation>Quillon-Einstellungen</translation>
    </message>
    <message>
        <source>The Options windows is already open.</source>
        <translation>Das Fenster »Einstellungen« ist bereits geöffnet.</translation>
    </message>
    <message>
        <source>Quillon Desktop Calendar</source>
        <translation>Quillon Desktop-Kalender</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Wallpaper</source>
        <translation>Hintergrundbild</translation>
    </message>
    <message>
        <source>Fonts and Colors</source>
        <translation>Schriften und Farben</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>Ü&amp;bernehmen</translation>
    </message>
    <message>
        <source>Scheduler Options</source>
        <translation>Terminplaner</translation>
    </message>
    <message>
        <source>Display Scheduler on &amp;startup</source>
        <translation>Terminplaner beim &amp;Anmelden öffnen</translation>
    </message>
    <message>
        <source>Check this box to display the Scheduler when Windows starts.</source>
        <translation>Aktivieren, um den Terminplaner beim Anmelden zu öffnen.</translation>
    </message>
    <message>
        <source>Display only &amp;once per day</source>
        <translation>Nur &amp;einmal am Tag öffnen</translation>
    </message>
    <message>
        <source>If &apos;Display Scheduler on startup&apos; is checked, check this box to display the Scheduler only the first time Windows starts.</source>
        <translation>Wenn »Terminplaner beim Anmelden öffnen« aktiviert ist: den Terminplaner nur bei der ersten Anmeldung des Tages öffnen.</translation>
    </message>
    <message>
        <source>Do not check for event &amp;conflicts.</source>
        <translation>&amp;Terminüberschneidungen nicht prüfen</translation>
    </message>
    <message>
        <source>Check this box to have the Scheduler ignore scheduling conflicts between events.</source>
        <translation>Aktivieren, damit der Terminplaner sich überschneidende Termine nicht meldet.</translation>
    </message>
    <message>
        <source>Scheduler Colors</source>
        <translation>Farben des Terminplaners</translation>
    </message>
    <message>
        <source>&amp;Remind me of events</source>
        <translation>An Termine &amp;erinnern</translation>
    </message>
    <message>
        <source>Select this option to have a notification shown before each event that has a reminder.</source>
        <translation>Vor jedem Termin mit Erinnerung eine Benachrichtigung anzeigen.</translation>
    </message>
    <message>
        <source>&amp;Background Color...</source>
        <translation>&amp;Hintergrundfarbe …</translation>
    </message>
    <message>
        <source>Click this button to change the background color used in the Scheduler.</source>
        <translation>Die Hintergrundfarbe des Terminplaners ändern.</translation>
    </message>
    <message>
        <source>&amp;Event Color...</source>
        <translation>Ter&amp;minfarbe …</translation>
    </message>
    <message>
        <source>Click this button to change the color used for events in the Scheduler.</source>
        <translation>Die Farbe der Termine im Terminplaner ändern.</translation>
    </message>
    <message>
        <source>Click the &apos;Background Color&apos; or &apos;Event Color&apos; buttons to change the colors used in the DayTimer. Colors selected will be displayed here.</source>
        <translation>Mit »Hintergrundfarbe« oder »Terminfarbe« die Farben der Tagesansicht ändern. Die gewählten Farben erscheinen hier.</translation>
    </message>
    <message>
        <source>Sample event</source>
        <translation>Beispieltermin</translation>
    </message>
    <message>
        <source>Desktop Calendar</source>
        <translation>Desktop-Kalender</translation>
    </message>
    <message>
        <source>&amp;Display calendar on desktop?</source>
        <translation>Kalender auf dem &amp;Desktop anzeigen</translation>
    </message>
    <message>
        <source>Check this box to display the calendar on your desktop wallpaper.</source>
        <translation>Aktivieren, um den Kalender im Hintergrundbild des Desktops anzuzeigen.</translation>
    </message>
    <message>
        <source>&amp;Warn me before changing the calendar at midnight</source>
        <translation>Vor dem Wechsel des Kalenders um Mitternacht &amp;warnen</translation>
    </message>
    <message>
        <source>Warning &amp;times out after</source>
        <translation>Warnung &amp;schließt nach</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Wee&amp;k starts on:</source>
        <translation>Wo&amp;che beginnt am:</translation>
    </message>
    <message>
        <source>The first day of each week in the Scheduler&apos;s views and on the desktop calendar.</source>
        <translation>Der erste Tag jeder Woche in den Ansichten des Terminplaners und im Desktop-Kalender.</translation>
    </message>
    <message>
        <source>As in my region (%1)</source>
        <translation>Wie in meiner Region (%1)</translation>
    </message>
    <message>
        <source>Invalid Entry</source>
        <translation>Ungültige Eingabe</translation>
    </message>
    <message>
        <source>Required Entry</source>
        <translation>Eingabe erforderlich</translation>
    </message>
    <message>
        <source>Entry must be a number greater than 0.</source>
        <translation>Die Eingabe muss eine Zahl größer als 0 sein.</translation>
    </message>
    <message>
        <source>An entry for warning timeout is required.</source>
        <translation>Bitte geben Sie an, nach wie vielen Sekunden die Warnung schließt.</translation>
    </message>
    <message>
        <source>Entry must be a whole number greater than 0.</source>
        <translation>Die Eingabe muss eine ganze Zahl größer als 0 sein.</translation>
    </message>
    <message>
        <source>Warning timeout must be a number greater than 0.</source>
        <translation>Die Wartezeit der Warnung muss eine Zahl größer als 0 sein.</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Click on one of the file names listed to select an image to be used for your desktop wallpaper.</source>
        <translation>Einen Dateinamen anklicken, um das Bild als Hintergrundbild zu verwenden.</translation>
    </message>
    <message>
        <source>Co&amp;lor...</source>
        <translation>&amp;Farbe …</translation>
    </message>
    <message>
        <source>Click on this button to select a background color instead of an image for your desktop wallpaper.</source>
        <translation>Statt eines Bildes eine Hintergrundfarbe für den Desktop wählen.</translation>
    </message>
    <message>
        <source>B&amp;rowse...</source>
        <translation>&amp;Durchsuchen …</translation>
    </message>
    <message>
        <source>Click on this button to select a folder containing images that you want to use for your desktop wallpaper.</source>
        <translation>Einen Ordner mit Bildern für das Hintergrundbild wählen.</translation>
    </message>
    <message>
        <source>Change Wallpaper</source>
        <translation>Hintergrundbild wechseln</translation>
    </message>
    <message>
        <source>Select a time period from this drop-down list to use for automatically changing your desktop wallpaper.</source>
        <translation>Wählen Sie, wie oft das Hintergrundbild automatisch wechseln soll.</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Speicherort</translation>
    </message>
    <message>
        <source>Do Not Change</source>
        <translation>Nicht wechseln</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Bi-weekly</source>
        <translation>Alle zwei Wochen</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Use &amp;liturgical colors</source>
        <translation>&amp;Liturgische Farben verwenden</translation>
    </message>
    <message>
        <source>Le&amp;gibility:</source>
        <translation>&amp;Lesbarkeit:</translation>
    </message>
    <message>
        <source>Automatic keeps the calendar readable over any picture: event texts at least a readable size, and a solid outline or a panel behind the day where a text would not stand out. &quot;Automatic&quot; may also make a color a little lighter or darker where that is needed; &quot;keep my colors&quot; never changes them. Off draws the texts exactly in the chosen colors and sizes.</source>
        <translation>»Automatisch« hält den Kalender über jedem Bild lesbar: Termintexte mindestens in lesbarer Größe und eine Kontur oder eine Fläche hinter dem Tag, wo ein Text sich nicht abhebt. »Automatisch« darf eine Farbe dafür etwas heller oder dunkler machen, »meine Farben behalten« ändert sie nie. »Aus« zeichnet die Texte genau in den gewählten Farben und Größen.</translation>
    </message>
    <message>
        <source>Automatic, keep my colors</source>
        <translation>Automatisch, meine Farben behalten</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Primary</source>
        <extracomment>Draw the desktop calendar on the primary monitor only.</extracomment>
        <translation>Hauptbildschirm</translation>
    </message>
    <message>
        <source>All</source>
        <extracomment>Draw the desktop calendar on every monitor.</extracomment>
        <translation>Alle</translation>
    </message>
    <message>
        <source>&amp;Monitors:</source>
        <translation>&amp;Bildschirme:</translation>
    </message>
    <message>
        <source>Primary draws the calendar on the primary monitor and the background alone on the others. All draws the calendar on every monitor.</source>
        <translation>»Hauptbildschirm« zeichnet den Kalender auf dem Hauptbildschirm und auf den anderen nur den Hintergrund. »Alle« zeichnet ihn auf jedem Bildschirm.</translation>
    </message>
    <message>
        <source>Desktop preview</source>
        <translation>Vorschau des Desktops</translation>
    </message>
    <message>
        <source>Your desktop as the calendar will draw it with the values in this window.</source>
        <translation>Ihr Desktop, wie der Kalender ihn mit den Werten dieses Fensters zeichnet.</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>Sc&amp;hrift …</translation>
    </message>
    <message>
        <source>First select an option to the left, then click this button to change the font for that element.</source>
        <translation>Zuerst links ein Element wählen, dann hier seine Schrift ändern.</translation>
    </message>
    <message>
        <source>&amp;Color...</source>
        <translation>&amp;Farbe …</translation>
    </message>
    <message>
        <source>First select an option to the left, then click this button to change the font color for that element.</source>
        <translation>Zuerst links ein Element wählen, dann hier seine Schriftfarbe ändern.</translation>
    </message>
    <message>
        <source>&amp;Month Name</source>
        <translation>&amp;Monatsname</translation>
    </message>
    <message>
        <source>To change the font and/or color of the name of the month, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation>Um Schrift oder Farbe des Monatsnamens zu ändern, dies wählen und dann »Schrift« oder »Farbe« anklicken.</translation>
    </message>
    <message>
        <source>Day Of The &amp;Week Name</source>
        <translation>&amp;Wochentag</translation>
    </message>
    <message>
        <source>To change the font and/or color of the name of the day of the week, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation>Um Schrift oder Farbe der Wochentage zu ändern, dies wählen und dann »Schrift« oder »Farbe« anklicken.</translation>
    </message>
    <message>
        <source>Day &amp;Number</source>
        <translation>Tages&amp;zahl</translation>
    </message>
    <message>
        <source>To change the font and/or color of the number of the day, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation>Um Schrift oder Farbe der Tageszahlen zu ändern, dies wählen und dann »Schrift« oder »Farbe« anklicken.</translation>
    </message>
    <message>
        <source>&amp;All Day Event Text</source>
        <translation>&amp;Ganztägige Termine</translation>
    </message>
    <message>
        <source>To change the font and/or color of the all day event text, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation>Um Schrift oder Farbe der ganztägigen Termine zu ändern, dies wählen und dann »Schrift« oder »Farbe« anklicken.</translation>
    </message>
    <message>
        <source>Event &amp;text</source>
        <translation>Termin&amp;text</translation>
    </message>
    <message>
        <source>To change the font and/or color of the event text, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation>Um Schrift oder Farbe der Termintexte zu ändern, dies wählen und dann »Schrift« oder »Farbe« anklicken.</translation>
    </message>
    <message>
        <source>C&amp;urrent Day Color</source>
        <translation>Farbe des &amp;heutigen Tages</translation>
    </message>
    <message>
        <source>To change the color to be used for the current date, select this option then click the &apos;Color&apos; button.</source>
        <translation>Um die Farbe des heutigen Tages zu ändern, dies wählen und dann »Farbe« anklicken.</translation>
    </message>
    <message>
        <source>January</source>
        <translation>Januar</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>So.</translation>
    </message>
    <message>
        <source>New Years Day</source>
        <translation>Neujahr</translation>
    </message>
    <message>
        <source>9:00 AM - Meeting</source>
        <translation>09:00 – Besprechung</translation>
    </message>
    <message>
        <source>C&amp;enter</source>
        <translation>&amp;Mitte</translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the center of your screen.</source>
        <translation>Den Desktop-Kalender in der Mitte des Bildschirms anzeigen.</translation>
    </message>
    <message>
        <source>Top le&amp;ft</source>
        <translation>Oben &amp;links</translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the top left portion of your screen.</source>
        <translation>Den Desktop-Kalender oben links auf dem Bildschirm anzeigen.</translation>
    </message>
    <message>
        <source>Top ri&amp;ght</source>
        <translation>Oben &amp;rechts</translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the top right portion of your screen.</source>
        <translation>Den Desktop-Kalender oben rechts auf dem Bildschirm anzeigen.</translation>
    </message>
    <message>
        <source>&amp;Bottom Left</source>
        <translation>Unten l&amp;inks</translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the bottom left portion of your screen.</source>
        <translation>Den Desktop-Kalender unten links auf dem Bildschirm anzeigen.</translation>
    </message>
    <message>
        <source>Bottom rig&amp;ht</source>
        <translation>Unten r&amp;echts</translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the bottom right portion of your screen.</source>
        <translation>Den Desktop-Kalender unten rechts auf dem Bildschirm anzeigen.</translation>
    </message>
    <message>
        <source>F&amp;ull Screen</source>
        <translation>&amp;Ganzer Bildschirm</translation>
    </message>
    <message>
        <source>Select this option to make the desktop calendar fill the entire screen.</source>
        <translation>Den Desktop-Kalender über den ganzen Bildschirm ziehen.</translation>
    </message>
    <message>
        <source>Select Folder...</source>
        <translation>Ordner wählen …</translation>
    </message>
    <message>
        <source>Look &amp;in:</source>
        <translation>&amp;Suchen in:</translation>
    </message>
    <message>
        <source>Folder &amp;name:</source>
        <translation>Ordner&amp;name:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Pfad nicht gefunden: %1</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>Datei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Invalid picture: %1</source>
        <translation>Ungültiges Bild: %1</translation>
    </message>
    <message>
        <source>Device unavailable</source>
        <translation>Gerät nicht verfügbar</translation>
    </message>
    <message>
        <source>The settings could not be written to %1</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <extracomment>&quot;LTR&quot; for a language written left to right, &quot;RTL&quot; for one written right to left.</extracomment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Reading %1...</source>
        <translation>%1 wird gelesen …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Storing the events of %1...</source>
        <translation>Die Termine aus %1 werden gespeichert …</translation>
    </message>
</context>
<context>
    <name>SessionPasswords</name>
    <message>
        <source>The password could not be kept in the secret store (%1).</source>
        <translation>Das Passwort konnte nicht im Schlüsselbund gespeichert werden (%1).</translation>
    </message>
</context>
<context>
    <name>ShownRange</name>
    <message>
        <source>MMMM d, yyyy</source>
        <comment>date form: last day of a span</comment>
        <translation>d. MMMM yyyy</translation>
    </message>
    <message>
        <source>MMMM d, yyyy</source>
        <comment>date form: first day of a span across years</comment>
        <translation>d. MMMM yyyy</translation>
    </message>
    <message>
        <source>MMMM d</source>
        <comment>date form: first day of a span across months</comment>
        <translation>d. MMMM</translation>
    </message>
    <message>
        <source>MMMM d</source>
        <comment>date form: first day of a span within one month</comment>
        <translation>d.</translation>
    </message>
    <message>
        <source>d, yyyy</source>
        <comment>date form: last day of a span within one month</comment>
        <translation>d. MMMM yyyy</translation>
    </message>
</context>
<context>
    <name>SyncTexts</name>
    <message>
        <source>%1: %2 failed (HTTP %3)</source>
        <translation>%1: %2 fehlgeschlagen (HTTP %3)</translation>
    </message>
    <message>
        <source>%1: the server did not answer calendar-multiget</source>
        <translation>%1: Der Server hat auf calendar-multiget nicht geantwortet</translation>
    </message>
    <message>
        <source>%1: the server lists %2 but sends no calendar data for it (calendar-multiget)</source>
        <translation>%1: Der Server führt %2 auf, sendet dafür aber keine Kalenderdaten (calendar-multiget)</translation>
    </message>
    <message>
        <source>%1: the server refused the CalDAV request (%2 answered HTTP %3)</source>
        <translation>%1: Der Server hat die CalDAV-Anfrage abgelehnt (%2 ergab HTTP %3)</translation>
    </message>
    <message>
        <source>PROPFIND of %1</source>
        <translation>PROPFIND von %1</translation>
    </message>
    <message>
        <source>%1: the answer to PROPFIND of %2 is not readable</source>
        <translation>%1: Die Antwort auf PROPFIND von %2 ist nicht lesbar</translation>
    </message>
    <message>
        <source>%1: the server refused the CalDAV request (PROPFIND answered HTTP %2) and gives no calendar at %3 (HTTP %4)</source>
        <translation>%1: Der Server hat die CalDAV-Anfrage abgelehnt (PROPFIND ergab HTTP %2) und liefert unter %3 keinen Kalender (HTTP %4)</translation>
    </message>
    <message>
        <source>%1: the answer to sync-collection is not readable</source>
        <translation>%1: Die Antwort auf sync-collection ist nicht lesbar</translation>
    </message>
    <message>
        <source>%1: the server answered neither sync-collection nor calendar-query</source>
        <translation>%1: Der Server hat weder auf sync-collection noch auf calendar-query geantwortet</translation>
    </message>
    <message>
        <source>%1: the answer is larger than %2 MB; nothing was changed</source>
        <translation>%1: Die Antwort ist größer als %2 MB; es wurde nichts geändert</translation>
    </message>
    <message>
        <source>%1: too many redirects or a redirect to nowhere</source>
        <translation>%1: Zu viele Weiterleitungen oder eine Weiterleitung ins Leere</translation>
    </message>
    <message>
        <source>%1: refused a redirect from https to %2</source>
        <translation>%1: Weiterleitung von https auf %2 abgelehnt</translation>
    </message>
    <message>
        <source>%1: a network request on the GUI thread was refused</source>
        <translation>%1: Eine Netzwerkanfrage im Thread der Oberfläche wurde abgelehnt</translation>
    </message>
    <message>
        <source>%1: the answer was not complete within %2 seconds; the request was stopped</source>
        <translation>%1: Die Antwort war nach %2 Sekunden nicht vollständig; die Anfrage wurde abgebrochen</translation>
    </message>
    <message>
        <source>%1: the certificate is not trusted (%2); its SHA-256 fingerprint is %3</source>
        <translation>%1: Dem Zertifikat wird nicht vertraut (%2); sein SHA-256-Fingerabdruck ist %3</translation>
    </message>
    <message>
        <source>%1: the certificate changed since it was trusted (%2); its SHA-256 fingerprint is now %3</source>
        <translation>%1: Das Zertifikat hat sich geändert, seit ihm vertraut wurde (%2); sein SHA-256-Fingerabdruck ist jetzt %3</translation>
    </message>
    <message>
        <source>%1: no answer within %2 seconds</source>
        <translation>%1: Keine Antwort innerhalb von %2 Sekunden</translation>
    </message>
    <message>
        <source>%1: the server refused the user name or password</source>
        <translation>%1: Der Server hat den Benutzernamen oder das Passwort abgelehnt</translation>
    </message>
    <message>
        <source>%1: the server asks for a user name and password</source>
        <translation>%1: Der Server verlangt einen Benutzernamen und ein Passwort</translation>
    </message>
    <message>
        <source>%1: the connection ended after %2 of the %3 bytes announced; the answer is incomplete</source>
        <translation>%1: Die Verbindung endete nach %2 der angekündigten %3 Bytes; die Antwort ist unvollständig</translation>
    </message>
    <message>
        <source>%1: the answer cannot be read (%2)</source>
        <translation>%1: Die Antwort kann nicht gelesen werden (%2)</translation>
    </message>
    <message>
        <source>%1: the connection broke off during the answer (%2)</source>
        <translation>%1: Die Verbindung brach während der Antwort ab (%2)</translation>
    </message>
    <message>
        <source>%1: %2 was changed on the server; it stays, not deleted</source>
        <translation>%1: %2 wurde auf dem Server geändert; der Termin bleibt und wird nicht gelöscht</translation>
    </message>
    <message>
        <source>%1: %2 was changed on the server too; your change was not kept</source>
        <translation>%1: %2 wurde auch auf dem Server geändert; Ihre Änderung wurde nicht übernommen</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; was changed on the server too; your change is kept on this computer as &quot;%3&quot;</source>
        <translation>%1: »%2« wurde auch auf dem Server geändert; Ihre Änderung bleibt auf diesem Computer als »%3« erhalten</translation>
    </message>
    <message>
        <source>waits for the change before it: %1</source>
        <translation>wartet auf die vorherige Änderung: %1</translation>
    </message>
    <message>
        <source>%1: the server answered HTTP %2 to %3 of %4</source>
        <translation>%1: Der Server antwortete mit HTTP %2 auf %3 von %4</translation>
    </message>
    <message>
        <source>%1 change(s) wait to be sent: %2</source>
        <translation>%1 Änderung(en) warten auf das Senden: %2</translation>
    </message>
    <message>
        <source>%1; the change waits to be sent</source>
        <translation>%1; die Änderung wartet auf das Senden</translation>
    </message>
    <message>
        <source>%1 later change(s) of the same events wait with them</source>
        <translation>%1 spätere Änderung(en) derselben Termine warten mit</translation>
    </message>
    <message>
        <source>%1: the server now has none of the %2 events kept here. Remove them here too?</source>
        <translation>%1: Der Server hat keinen der %2 hier gespeicherten Termine mehr. Sollen sie auch hier entfernt werden?</translation>
    </message>
    <message>
        <source>%1: the server now has %2 of the %3 events kept here. Remove the other %4 here too?</source>
        <translation>%1: Der Server hat nur noch %2 der %3 hier gespeicherten Termine. Sollen die übrigen %4 auch hier entfernt werden?</translation>
    </message>
    <message>
        <source>The subscription %1 was removed meanwhile; nothing was stored</source>
        <translation>Das Abonnement %1 wurde inzwischen entfernt; es wurde nichts gespeichert</translation>
    </message>
    <message>
        <source>%1: %2; skipped</source>
        <translation>%1: %2; übersprungen</translation>
    </message>
    <message>
        <source>%1: the server answered HTTP %2 for %3</source>
        <translation>%1: Der Server antwortete mit HTTP %2 für %3</translation>
    </message>
    <message>
        <source>%1: the address gave no calendar (%2) for %3</source>
        <translation>%1: Die Adresse lieferte keinen Kalender (%2) für %3</translation>
    </message>
    <message>
        <source>no content type</source>
        <translation>kein Inhaltstyp</translation>
    </message>
    <message>
        <source>%1: the calendar cannot be read: %2</source>
        <translation>%1: Der Kalender kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The events could not be stored: %1</source>
        <translation>Die Termine konnten nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The subscription %1 could not be read: %2</source>
        <translation>Das Abonnement %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The state of the subscription could not be stored: %1</source>
        <translation>Der Stand des Abonnements konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>%1 is not an http, https or webcal address</source>
        <translation>%1 ist keine http-, https- oder webcal-Adresse</translation>
    </message>
    <message>
        <source>%1 sends your password unencrypted (http://); use https:// if the server offers it</source>
        <translation>%1 sendet Ihr Passwort unverschlüsselt (http://); verwenden Sie https://, wenn der Server es anbietet</translation>
    </message>
    <message>
        <source>The database could not be opened: %1</source>
        <translation>Die Datenbank konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>%1 (my change, not sent)</source>
        <extracomment>%1 is the event&apos;s own name.</extracomment>
        <translation>%1 (meine Änderung, nicht gesendet)</translation>
    </message>
</context>
<context>
    <name>UnsavedNotes</name>
    <message>
        <source>The notes for %1 could not be stored.

Copy them to the clipboard before closing?
(No closes without them; Cancel keeps the window open.)</source>
        <translation>Die Notizen für %1 konnten nicht gespeichert werden.

Vor dem Schließen in die Zwischenablage kopieren?
(»Nein« schließt ohne sie, »Abbrechen« lässt das Fenster offen.)</translation>
    </message>
</context>
<context>
    <name>basCalendar</name>
    <message>
        <source>No single-instance lock can be made (%1)</source>
        <translation>Die Sperre gegen einen zweiten gleichzeitigen Programmstart kann nicht angelegt werden (%1)</translation>
    </message>
</context>
<context>
    <name>basColorCombo</name>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Kastanienbraun</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Oliv</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Marineblau</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Blaugrün</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Silber</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Hellgrün</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Fuschia</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Türkis</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>(Default)</source>
        <extracomment>The event takes the Scheduler&apos;s own event colour.</extracomment>
        <translation>(Standard)</translation>
    </message>
</context>
<context>
    <name>basDayCaption</name>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
</context>
<context>
    <name>basErrorHandler</name>
    <message>
        <source>An error has occurred.</source>
        <translation>Ein Fehler ist aufgetreten.</translation>
    </message>
    <message>
        <source>Product Name: </source>
        <translation>Produkt: </translation>
    </message>
    <message>
        <source>Application File:  </source>
        <translation>Programmdatei:  </translation>
    </message>
    <message>
        <source>Module: </source>
        <translation>Modul: </translation>
    </message>
    <message>
        <source>Line Number: </source>
        <translation>Zeile: </translation>
    </message>
    <message>
        <source>Error Number: </source>
        <translation>Fehlernummer: </translation>
    </message>
    <message>
        <source>Error Description: </source>
        <translation>Beschreibung: </translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Unerwarteter Fehler</translation>
    </message>
    <message>
        <source>Settings values that could not be read (their defaults are used): %1</source>
        <translation>Einstellungen, die nicht gelesen werden konnten (es gelten ihre Standardwerte): %1</translation>
    </message>
    <message>
        <source>The settings could not be written to %1</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden</translation>
    </message>
    <message>
        <source>This key is already associated with an element of this collection</source>
        <translation>Dieser Schlüssel ist bereits einem Element dieser Auflistung zugeordnet</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Unzulässiger Prozeduraufruf oder unzulässiges Argument</translation>
    </message>
    <message>
        <source>Resource with identifier &apos;%1&apos; not found</source>
        <translation>Ressource mit der Kennung »%1« nicht gefunden</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Anwendungsfehler</translation>
    </message>
</context>
<context>
    <name>basExecuteProgram</name>
    <message>
        <source>Quillon Error</source>
        <translation>Quillon-Fehler</translation>
    </message>
    <message>
        <source>Error starting program &apos;%1&apos;.</source>
        <translation>Fehler beim Starten des Programms »%1«.</translation>
    </message>
    <message>
        <source>Exit code: %1</source>
        <translation>Rückgabewert: %1</translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>Die Datei %1 existiert nicht.</translation>
    </message>
    <message>
        <source>The file %1 cannot be run: it is no program, or there is no permission to run it.</source>
        <translation>Die Datei %1 kann nicht ausgeführt werden: Sie ist kein Programm, oder die Berechtigung zum Ausführen fehlt.</translation>
    </message>
    <message>
        <source>It could not be started, or it ended abnormally.</source>
        <translation>Es konnte nicht gestartet werden oder wurde unerwartet beendet.</translation>
    </message>
</context>
<context>
    <name>basFactOfTheDay</name>
    <message>
        <source>Welcome!  We hope that you will enjoy using Quillon, and that you will find it helpful in managing your valuable time. The purpose of the liturgical calendar is to relive the major events in Jesus’ life in real time. In this box, we&apos;ll display information about the liturgical church year, special days, and the liturgical colors. The liturgical calendar is built around six seasons and twelve festival days. Each day in the liturgical calendar has an associated color, and each color has its own meaning and symbolism. Along the way, we&apos;ll also display some interesting facts about the Carrowan Church and its history. Enjoy the calendar!</source>
        <translation>Willkommen! Wir hoffen, dass Ihnen Quillon Freude macht und Ihnen hilft, Ihre kostbare Zeit einzuteilen. Das Kirchenjahr lässt die großen Ereignisse im Leben Jesu im Lauf der Zeit neu erleben. Hier zeigen wir Wissenswertes über das Kirchenjahr, besondere Tage und die liturgischen Farben. Das Kirchenjahr gliedert sich in sechs Zeiten und zwölf Festtage. Jeder Tag hat eine liturgische Farbe, und jede Farbe hat ihre eigene Bedeutung. Dazwischen erzählen wir auch Interessantes über die Carrowan-Kirche und ihre Geschichte. Viel Freude mit dem Kalender!</translation>
    </message>
    <message>
        <source>The liturgical color green is used for &apos;Ordinary Time&apos;, the Sundays of the church year that are not part of a specific season. Ordinary time serves to remind the church that God acts within the routine of our daily lives. The color green is symbolic of spiritual growth.</source>
        <translation>Die liturgische Farbe Grün gilt für die Zeit im Jahreskreis, die Sonntage des Kirchenjahres, die zu keiner besonderen Zeit gehören. Sie erinnert die Kirche daran, dass Gott im Alltag unseres Lebens wirkt. Grün steht für geistliches Wachstum.</translation>
    </message>
    <message>
        <source>The liturgical color purple is used for seasons of preparation, such as Lent and Advent.</source>
        <translation>Die liturgische Farbe Violett gilt für die Zeiten der Vorbereitung, etwa die Fastenzeit und den Advent.</translation>
    </message>
    <message>
        <source>The liturgical color red is used for Pentecost and for ordination services. Red is symbolic of the &apos;tongues of fire&apos; that sat on each of the apostles on the Day of Pentecost and suggests the presence and power of the Holy Spirit bringing life to the church.</source>
        <translation>Die liturgische Farbe Rot gilt für Pfingsten und für Ordinationen. Rot steht für die »Zungen wie von Feuer«, die sich am Pfingsttag auf die Apostel setzten, und für die Gegenwart und Kraft des Heiligen Geistes, der der Kirche Leben gibt.</translation>
    </message>
    <message>
        <source>The liturgical color white is used for special days in the redemptive work of Jesus Christ, such as Christmas and Easter. The color white is symbolic of purity and light.</source>
        <translation>Die liturgische Farbe Weiß gilt für die hohen Feste des Heilswerks Jesu Christi wie Weihnachten und Ostern. Weiß steht für Reinheit und Licht.</translation>
    </message>
    <message>
        <source>The liturgical color gray is used only from the end of Maundy Thursday until Easter.</source>
        <translation>Die liturgische Farbe Grau gilt nur vom Ende des Gründonnerstags bis Ostern.</translation>
    </message>
</context>
<context>
    <name>basMain</name>
    <message>
        <source>Quillon Scheduler is already running.</source>
        <translation>Der Quillon-Terminplaner läuft bereits.</translation>
    </message>
</context>
<context>
    <name>basPlatform</name>
    <message>
        <source>%1 cannot be made</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1 is not this user&apos;s alone</source>
        <translation>%1 gehört nicht allein diesem Benutzer</translation>
    </message>
    <message>
        <source>%1 cannot be locked</source>
        <translation>%1 kann nicht gesperrt werden</translation>
    </message>
</context>
<context>
    <name>basRegistry</name>
    <message>
        <source>%1.lock is a folder, so the settings cannot be locked</source>
        <translation>%1.lock ist ein Ordner, daher können die Einstellungen nicht gesperrt werden</translation>
    </message>
    <message>
        <source>%1 is a folder, not a settings file</source>
        <translation>%1 ist ein Ordner, keine Einstellungsdatei</translation>
    </message>
    <message>
        <source>%1 cannot be read (no permission)</source>
        <translation>%1 kann nicht gelesen werden (keine Berechtigung)</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 is not a settings file</source>
        <translation>%1 ist keine Einstellungsdatei</translation>
    </message>
</context>
<context>
    <name>basSecrets</name>
    <message>
        <source>waiting for the desktop&apos;s keyring (it may be showing a prompt); giving up after %1</source>
        <translation>Warte auf den Schlüsselbund des Desktops (er zeigt vielleicht eine Abfrage); Abbruch nach %1</translation>
    </message>
    <message>
        <source>No secret store is running (%1): the password is not kept; it is asked each time</source>
        <translation>Es läuft kein Schlüsselbund (%1): Das Passwort wird nicht gespeichert, sondern jedes Mal abgefragt</translation>
    </message>
</context>
<context>
    <name>quillon-db</name>
    <message>
        <source>quillon-db: nothing was imported into %1</source>
        <translation>quillon-db: Nichts wurde in %1 importiert</translation>
    </message>
    <message>
        <source>quillon-db: no event with the id %1</source>
        <translation>quillon-db: Kein Termin mit der ID %1</translation>
    </message>
    <message>
        <source>quillon-db: the event %1 is of the read-only calendar &quot;%2&quot;; it cannot be changed here</source>
        <translation>quillon-db: Der Termin %1 gehört zum schreibgeschützten Kalender »%2« und kann hier nicht geändert werden</translation>
    </message>
    <message>
        <source>quillon-db: the event was not added to %1</source>
        <translation>quillon-db: Der Termin wurde %1 nicht hinzugefügt</translation>
    </message>
    <message>
        <source>quillon-db: the event %1 was not changed</source>
        <translation>quillon-db: Der Termin %1 wurde nicht geändert</translation>
    </message>
    <message>
        <source>quillon-db: the event %1 was not deleted</source>
        <translation>quillon-db: Der Termin %1 wurde nicht gelöscht</translation>
    </message>
    <message>
        <source>quillon-db: no password on standard input (--password-stdin reads it from the first line)</source>
        <translation>quillon-db: Kein Passwort auf der Standardeingabe (--password-stdin liest es aus der ersten Zeile)</translation>
    </message>
    <message>
        <source>quillon-db: nothing was subscribed</source>
        <translation>quillon-db: Es wurde nichts abonniert</translation>
    </message>
    <message>
        <source>quillon-db: %1 already exists (use --force to replace it)</source>
        <translation>quillon-db: %1 ist bereits vorhanden (mit --force wird die Datei ersetzt)</translation>
    </message>
    <message>
        <source>quillon-db: cannot create %1: %2</source>
        <translation>quillon-db: %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>quillon-db: cannot check %1: %2</source>
        <translation>quillon-db: %1 kann nicht geprüft werden: %2</translation>
    </message>
    <message>
        <source>%1 is not an option of this command</source>
        <translation>%1 ist keine Option dieses Befehls</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation>%1 ist zweimal angegeben</translation>
    </message>
    <message>
        <source>%1 takes a day and time as &quot;YYYY-MM-DD HH:MM&quot;, not &quot;%2&quot;</source>
        <translation>%1 erwartet Tag und Uhrzeit als »JJJJ-MM-TT HH:MM«, nicht »%2«</translation>
    </message>
    <message>
        <source>%1: %2 is not a day from %3 to %4</source>
        <translation>%1: %2 ist kein Tag von %3 bis %4</translation>
    </message>
    <message>
        <source>EVENT-ID is a number, not &quot;%1&quot;</source>
        <translation>EVENT-ID ist eine Zahl, nicht »%1«</translation>
    </message>
    <message>
        <source>--end (%1) is not on the day of --start (%2): an event lasts within one day</source>
        <translation>--end (%1) liegt nicht am Tag von --start (%2): Ein Termin dauert höchstens bis zum Ende seines Tages</translation>
    </message>
    <message>
        <source>--end (%1) is before --start (%2)</source>
        <translation>--end (%1) liegt vor --start (%2)</translation>
    </message>
    <message>
        <source>add takes one DB</source>
        <translation>add erwartet genau eine DB</translation>
    </message>
    <message>
        <source>add needs %1</source>
        <translation>add braucht %1</translation>
    </message>
    <message>
        <source>--name is empty</source>
        <translation>--name ist leer</translation>
    </message>
    <message>
        <source>--rrule &quot;%1&quot; is not a rule quillon-db takes (FREQ=DAILY, WEEKLY, MONTHLY or YEARLY, with INTERVAL, BYDAY, BYMONTHDAY, COUNT or UNTIL)</source>
        <translation>--rrule »%1« ist keine Regel, die quillon-db annimmt (FREQ=DAILY, WEEKLY, MONTHLY oder YEARLY, mit INTERVAL, BYDAY, BYMONTHDAY, COUNT oder UNTIL)</translation>
    </message>
    <message>
        <source>--calendar takes the ID of a calendar (0: this computer), not &quot;%1&quot;</source>
        <translation>--calendar erwartet die ID eines Kalenders (0: dieser Computer), nicht »%1«</translation>
    </message>
    <message>
        <source>quillon-db: --calendar %1: no calendar of that ID takes events from here (quillon-db subscriptions %2 lists them)</source>
        <translation>quillon-db: --calendar %1: Kein Kalender mit dieser ID nimmt von hier Termine an (quillon-db subscriptions %2 zeigt sie)</translation>
    </message>
    <message>
        <source>edit takes a DB and an EVENT-ID</source>
        <translation>edit erwartet eine DB und eine EVENT-ID</translation>
    </message>
    <message>
        <source>edit needs --name, --start or --end</source>
        <translation>edit braucht --name, --start oder --end</translation>
    </message>
    <message>
        <source>--start: the event&apos;s %1 minutes from %2 would end on the next day; give --end too</source>
        <translation>--start: Die %1 Minuten des Termins ab %2 würden erst am nächsten Tag enden; geben Sie auch --end an</translation>
    </message>
    <message>
        <source>--start: the event %1 falls on several days from %2; give that day to change its times (its days stay)</source>
        <translation>--start: Der Termin %1 liegt ab %2 auf mehreren Tagen; geben Sie diesen Tag an, um seine Uhrzeiten zu ändern (seine Tage bleiben)</translation>
    </message>
    <message>
        <source>delete takes a DB and an EVENT-ID</source>
        <translation>delete erwartet eine DB und eine EVENT-ID</translation>
    </message>
    <message>
        <source>Password for %1 at %2: </source>
        <translation>Passwort für %1 bei %2: </translation>
    </message>
    <message>
        <source>quillon-db: no password for %1 at %2 (none stored, and no terminal to ask on)</source>
        <translation>quillon-db: Kein Passwort für %1 bei %2 (keines gespeichert und kein Terminal, um danach zu fragen)</translation>
    </message>
    <message>
        <source>quillon-db: no subscription with the id %1</source>
        <translation>quillon-db: Kein Abonnement mit der ID %1</translation>
    </message>
    <message>
        <source>quillon-db: %1 is already subscribed as ID %2 (%3)</source>
        <translation>quillon-db: %1 ist bereits als ID %2 abonniert (%3)</translation>
    </message>
    <message>
        <source>quillon-db: to remove them: quillon-db refresh DB %1 --allow-mass-delete</source>
        <translation>quillon-db: Zum Entfernen: quillon-db refresh DB %1 --allow-mass-delete</translation>
    </message>
    <message>
        <source>quillon-db: to trust this certificate: quillon-db trust DB %1 %2</source>
        <translation>quillon-db: Um diesem Zertifikat zu vertrauen: quillon-db trust DB %1 %2</translation>
    </message>
    <message>
        <source>quillon-db: --trust takes a SHA-256 fingerprint (32 hex bytes, as AB:CD:...), not &quot;%1&quot;</source>
        <translation>quillon-db: --trust erwartet einen SHA-256-Fingerabdruck (32 Hex-Bytes, etwa AB:CD:...), nicht »%1«</translation>
    </message>
    <message>
        <source>quillon-db: to trust this certificate, subscribe again with --trust %1</source>
        <translation>quillon-db: Um diesem Zertifikat zu vertrauen, abonnieren Sie erneut mit --trust %1</translation>
    </message>
    <message>
        <source>quillon-db: %1 has no calendars</source>
        <translation>quillon-db: %1 hat keine Kalender</translation>
    </message>
    <message>
        <source>quillon-db: %1 has no calendar named &quot;%2&quot;</source>
        <translation>quillon-db: %1 hat keinen Kalender namens »%2«</translation>
    </message>
    <message>
        <source>quillon-db: %1 is a single calendar, not a CalDAV account: --calendar does not apply</source>
        <translation>quillon-db: %1 ist ein einzelner Kalender, kein CalDAV-Konto: --calendar gilt hier nicht</translation>
    </message>
    <message>
        <source>quillon-db: the password could not be kept in the secret store (%1); it is asked each time</source>
        <translation>quillon-db: Das Passwort konnte nicht im Schlüsselbund gespeichert werden (%1); es wird jedes Mal abgefragt</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>ohne Angabe eines Grundes</translation>
    </message>
</context>
<context>
    <name>quillon::AgendaView</name>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Termin</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Ganztägig</translation>
    </message>
    <message>
        <source>Nothing planned from %1 to %2.</source>
        <translation>Vom %1 bis %2 ist nichts geplant.</translation>
    </message>
</context>
<context>
    <name>quillon::CalendarList</name>
    <message>
        <source>never</source>
        <translation>nie</translation>
    </message>
    <message>
        <source>Another calendar is being fetched.</source>
        <translation>Es wird gerade ein anderer Kalender abgerufen.</translation>
    </message>
    <message>
        <source>Fetching %1 ...</source>
        <translation>%1 wird abgerufen …</translation>
    </message>
    <message>
        <source>%1 has no calendars.</source>
        <translation>%1 enthält keine Kalender.</translation>
    </message>
    <message>
        <source>%1 could not be added: %2</source>
        <translation>%1 konnte nicht hinzugefügt werden: %2</translation>
    </message>
    <message>
        <source>%1.

Password for %2 at %3:</source>
        <translation>%1.

Passwort für %2 bei %3:</translation>
    </message>
    <message>
        <source>No such calendar.</source>
        <translation>Diesen Kalender gibt es nicht.</translation>
    </message>
    <message>
        <source>Refreshing %1 ...</source>
        <translation>%1 wird aktualisiert …</translation>
    </message>
    <message>
        <source>%1 is already subscribed as ID %2 (%3).</source>
        <translation>%1 ist bereits als ID %2 (%3) abonniert.</translation>
    </message>
    <message>
        <source>The conflict could not be settled: %1</source>
        <translation>Der Konflikt konnte nicht gelöst werden: %1</translation>
    </message>
    <message>
        <source>The calendars could not be read from %1</source>
        <translation>Die Kalender konnten nicht aus %1 gelesen werden</translation>
    </message>
</context>
<context>
    <name>quillon::CalendarPreview</name>
    <message>
        <source>The calendar would not be drawn: %1.</source>
        <translation>Der Kalender würde nicht gezeichnet: %1.</translation>
    </message>
</context>
<context>
    <name>quillon::ConflictsPane</name>
    <message>
        <source>Delete It Anyway</source>
        <translation>Trotzdem löschen</translation>
    </message>
    <message>
        <source>Send My Change</source>
        <translation>Meine Änderung senden</translation>
    </message>
    <message>
        <source>Keep Both</source>
        <translation>Beide behalten</translation>
    </message>
    <message>
        <source>Keep the Server&apos;s</source>
        <translation>Die des Servers behalten</translation>
    </message>
    <message>
        <source>Drop My Change</source>
        <translation>Meine Änderung verwerfen</translation>
    </message>
    <message>
        <source>Changes the server also had</source>
        <translation>Auch auf dem Server geänderte Termine</translation>
    </message>
</context>
<context>
    <name>quillon::EventSearchModel</name>
    <message>
        <source>The events could not be read.</source>
        <translation>Die Termine konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>No event holds “%1”.</source>
        <translation>Kein Termin enthält »%1«.</translation>
    </message>
    <message>
        <source>The first %1 of %2 events</source>
        <translation>Die ersten %1 von %2 Terminen</translation>
    </message>
    <message>
        <source>1 event</source>
        <translation>1 Termin</translation>
    </message>
    <message>
        <source>%1 events</source>
        <translation>%1 Termine</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Ganztägig</translation>
    </message>
    <message>
        <source>Past: last on %1</source>
        <translation>Vorbei: zuletzt am %1</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Termin</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>ddd d MMM yyyy</source>
        <comment>date form of a found event</comment>
        <translation>ddd d. MMM yyyy</translation>
    </message>
</context>
<context>
    <name>quillon::LauncherReminders</name>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>%1 reminders while you were away</source>
        <translation>%1 Erinnerungen während Ihrer Abwesenheit</translation>
    </message>
    <message>
        <source>%1 reminders</source>
        <translation>%1 Erinnerungen</translation>
    </message>
    <message>
        <source> (all day)</source>
        <translation> (ganztägig)</translation>
    </message>
    <message>
        <source>Snooze 5 minutes</source>
        <translation>In 5 Minuten erneut erinnern</translation>
    </message>
    <message>
        <source>Open Scheduler</source>
        <translation>Terminplaner öffnen</translation>
    </message>
</context>
<context>
    <name>quillon::LauncherSubscriptions</name>
    <message>
        <source> Open Calendars... to decide.</source>
        <translation> Entscheiden Sie unter »Kalender …«.</translation>
    </message>
    <message>
        <source>The calendar &quot;%1&quot; could not be refreshed: %2</source>
        <translation>Der Kalender »%1« konnte nicht aktualisiert werden: %2</translation>
    </message>
    <message>
        <source>%1.

Password for %2 at %3:</source>
        <translation>%1.

Passwort für %2 bei %3:</translation>
    </message>
    <message>
        <source>Open Calendars... to send your change, keep both or drop it.</source>
        <translation>Unter »Kalender …« können Sie Ihre Änderung senden, beide behalten oder Ihre Änderung verwerfen.</translation>
    </message>
</context>
<context>
    <name>quillon::MonthGrid</name>
    <message numerus="yes">
        <source>+%n more</source>
        <translation>
            <numerusform>+%n weiterer</numerusform>
            <numerusform>+%n weitere</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>quillon::RangePane</name>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>quillon::RepeatRuleEditor</name>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>On day</source>
        <translation>Am Tag</translation>
    </message>
    <message>
        <source>On the</source>
        <translation>Am</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Nach</translation>
    </message>
    <message>
        <source>Repeats:</source>
        <translation>Wiederholung:</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Ends:</source>
        <translation>Endet:</translation>
    </message>
    <message>
        <source>occurrences</source>
        <translation>Terminen</translation>
    </message>
    <message>
        <source>day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>On:</source>
        <comment>the weekdays a weekly event repeats on</comment>
        <translation>Am:</translation>
    </message>
    <message>
        <source>On</source>
        <comment>the repeat ends on a date</comment>
        <translation>Am</translation>
    </message>
</context>
<context>
    <name>quillon::SchedulerCommands</name>
    <message>
        <source>Delete event &apos;%1&apos;?</source>
        <translation>Termin »%1« löschen?</translation>
    </message>
    <message>
        <source>Delete all day event &apos;%1&apos;?</source>
        <translation>Ganztägigen Termin »%1« löschen?</translation>
    </message>
    <message>
        <source>Move event &apos;%1&apos;?</source>
        <translation>Termin »%1« verschieben?</translation>
    </message>
    <message>
        <source>Move Event</source>
        <translation>Termin verschieben</translation>
    </message>
    <message>
        <source>&apos;%1&apos; would overlap &apos;%2&apos; on %3. Move it anyway?</source>
        <translation>»%1« würde sich am %3 mit »%2« überschneiden. Trotzdem verschieben?</translation>
    </message>
    <message>
        <source>Conflict</source>
        <translation>Überschneidung</translation>
    </message>
    <message>
        <source>Delete Event</source>
        <translation>Termin löschen</translation>
    </message>
    <message>
        <source>Delete All Day Event</source>
        <translation>Ganztägigen Termin löschen</translation>
    </message>
</context>
<context>
    <name>quillon::UndoHistory</name>
    <message>
        <source>New Event &quot;%1&quot;</source>
        <translation>Neuer Termin »%1«</translation>
    </message>
    <message>
        <source>Change &quot;%1&quot;</source>
        <translation>»%1« ändern</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;</source>
        <translation>»%1« löschen</translation>
    </message>
</context>
<context>
    <name>quillon::YearView</name>
    <message>
        <source>Previous year</source>
        <translation>Voriges Jahr</translation>
    </message>
    <message>
        <source>Next year</source>
        <translation>Nächstes Jahr</translation>
    </message>
</context>
<context>
    <name>quillon::frmAbout</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>Desktop Calendar/Schedule for </source>
        <translation>Desktop-Kalender und Terminplaner für </translation>
    </message>
    <message>
        <source>Warning: this computer program is protected by copyright law and international treaties; unauthorized reproduction or distribution of it, or of any part of it, is prohibited.</source>
        <translation>Warnung: Dieses Programm ist urheberrechtlich und durch internationale Verträge geschützt. Unerlaubte Vervielfältigung oder Verbreitung des Programms oder von Teilen davon ist verboten.</translation>
    </message>
    <message>
        <source>About </source>
        <translation>Über </translation>
    </message>
</context>
<context>
    <name>quillon::frmCalendars</name>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Last refresh</source>
        <translation>Zuletzt aktualisiert</translation>
    </message>
    <message>
        <source>Waiting to be sent</source>
        <translation>Noch zu senden</translation>
    </message>
    <message>
        <source>Last error</source>
        <translation>Letzter Fehler</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Hinzufügen …</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Refresh &amp;now</source>
        <translation>&amp;Jetzt aktualisieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>New events &amp;go to:</source>
        <translation>Neue Termine &amp;kommen in:</translation>
    </message>
    <message>
        <source>read only</source>
        <translation>nur lesbar</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>%1 change(s)</source>
        <translation>%1 Änderung(en)</translation>
    </message>
    <message>
        <source>Where new events go could not be kept.</source>
        <translation>Der Kalender für neue Termine konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Remove the calendar &apos;%1&apos; and its events?</source>
        <translation>Den Kalender »%1« mit seinen Terminen entfernen?</translation>
    </message>
    <message>
        <source>%1

Trust this certificate for this calendar?</source>
        <translation>%1

Diesem Zertifikat für diesen Kalender vertrauen?</translation>
    </message>
    <message>
        <source>%1

Send the password anyway?</source>
        <translation>%1

Das Passwort trotzdem senden?</translation>
    </message>
    <message>
        <source>https://, webcal:// or a CalDAV server</source>
        <translation>https://, webcal:// oder ein CalDAV-Server</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>User name and password only for a CalDAV account or a private address.</source>
        <translation>Benutzername und Passwort nur für ein CalDAV-Konto oder eine private Adresse.</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Add Calendar</source>
        <translation>Kalender hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Colour...</source>
        <translation>&amp;Farbe …</translation>
    </message>
    <message>
        <source>Ticked: shown in the views and on the desktop</source>
        <translation>Angehakt: in den Ansichten und auf dem Desktop angezeigt</translation>
    </message>
    <message>
        <source>Whether the calendar is shown could not be kept.</source>
        <translation>Ob der Kalender angezeigt wird, konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Calendar Colour</source>
        <translation>Kalenderfarbe</translation>
    </message>
    <message>
        <source>The calendar&apos;s colour could not be kept.</source>
        <translation>Die Farbe des Kalenders konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>quillon::frmConflict</name>
    <message>
        <source>&amp;Do not check for event conflicts.</source>
        <translation>Über&amp;schneidungen nicht mehr prüfen</translation>
    </message>
    <message>
        <source>&amp;Accept</source>
        <translation>&amp;Annehmen</translation>
    </message>
    <message>
        <source>&amp;Reschedule</source>
        <translation>&amp;Verlegen</translation>
    </message>
    <message>
        <source>Existing events:</source>
        <translation>Vorhandene Termine:</translation>
    </message>
    <message>
        <source>Scheduling Conflict</source>
        <translation>Terminüberschneidung</translation>
    </message>
    <message>
        <source>This event conflicts with the existing events listed below.  Click on &apos;Accept&apos; to accept the conflict, or &apos;Reschedule&apos; to change the date and/or time of the event.</source>
        <translation>Dieser Termin überschneidet sich mit den unten aufgeführten Terminen. Mit »Annehmen« lassen Sie die Überschneidung zu, mit »Verlegen« ändern Sie Datum oder Uhrzeit des Termins.</translation>
    </message>
</context>
<context>
    <name>quillon::frmEvent</name>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Recurrence</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;All day event</source>
        <translation>&amp;Ganztägig</translation>
    </message>
    <message>
        <source>&amp;Icon</source>
        <translation>&amp;Symbol</translation>
    </message>
    <message>
        <source>&amp;Start time:</source>
        <translation>&amp;Beginn:</translation>
    </message>
    <message>
        <source>&amp;End time:</source>
        <translation>&amp;Ende:</translation>
    </message>
    <message>
        <source>S&amp;ubject:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>&amp;Location:</source>
        <translation>&amp;Ort:</translation>
    </message>
    <message>
        <source>Event &amp;date:</source>
        <translation>&amp;Datum:</translation>
    </message>
    <message>
        <source>Event &amp;color:</source>
        <translation>&amp;Farbe:</translation>
    </message>
    <message>
        <source>Re&amp;minder:</source>
        <translation>E&amp;rinnerung:</translation>
    </message>
    <message>
        <source>Calenda&amp;r:</source>
        <translation>&amp;Kalender:</translation>
    </message>
    <message>
        <source>&amp;Notes:</source>
        <translation>&amp;Notizen:</translation>
    </message>
    <message>
        <source>&amp;Once</source>
        <translation>&amp;Einmalig</translation>
    </message>
    <message>
        <source>&amp;Recurring</source>
        <translation>&amp;Mehrere Tage</translation>
    </message>
    <message>
        <source>Re&amp;peat</source>
        <translation>Wieder&amp;holen</translation>
    </message>
    <message>
        <source>From %1</source>
        <extracomment>Above a read-only event: the server calendar it comes from.</extracomment>
        <translation>Aus %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Waiting to be sent to the calendar&apos;s server</source>
        <translation>Wartet auf das Senden an den Server des Kalenders</translation>
    </message>
    <message>
        <source>Waiting to be sent to the calendar&apos;s server (last try: %1)</source>
        <translation>Wartet auf das Senden an den Server des Kalenders (letzter Versuch: %1)</translation>
    </message>
    <message>
        <source>Change event &apos;%1&apos;?</source>
        <translation>Termin »%1« ändern?</translation>
    </message>
    <message>
        <source>None</source>
        <extracomment>No reminder for the event.</extracomment>
        <translation>Keine</translation>
    </message>
    <message>
        <source>1 week</source>
        <translation>1 Woche</translation>
    </message>
    <message>
        <source>%1 weeks</source>
        <translation>%1 Wochen</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 Tag</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 Tage</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 Stunde</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation>%1 Stunden</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 Minute</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <source>New Event</source>
        <translation>Neuer Termin</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>Termin bearbeiten</translation>
    </message>
    <message>
        <source>Data Entry Error</source>
        <translation>Fehlerhafte Eingabe</translation>
    </message>
    <message>
        <source>The End Time cannot be earlier than the Start Time.</source>
        <translation>Das Ende darf nicht vor dem Beginn liegen.</translation>
    </message>
    <message>
        <source>Event date cannot be earlier than today.</source>
        <translation>Das Datum des Termins darf nicht vor heute liegen.</translation>
    </message>
    <message>
        <source>Choose a start time and an end time, or tick All day event.</source>
        <translation>Wählen Sie Beginn und Ende oder kreuzen Sie »Ganztägig« an.</translation>
    </message>
    <message>
        <source>Select at least one day on which this event occurs, or choose Once.</source>
        <translation>Wählen Sie mindestens einen Tag für diesen Termin oder wählen Sie »Einmalig«.</translation>
    </message>
    <message>
        <source>Select the days on which this event occurs:</source>
        <translation>Wählen Sie die Tage dieses Termins:</translation>
    </message>
    <message>
        <source>The days of this event (click a day to leave it out or add it):</source>
        <translation>Die Tage dieses Termins (einen Tag anklicken, um ihn auszulassen oder hinzuzufügen):</translation>
    </message>
    <message>
        <source>Change Event</source>
        <translation>Termin ändern</translation>
    </message>
</context>
<context>
    <name>quillon::frmFind</name>
    <message>
        <source>&amp;Show Day</source>
        <translation>Tag an&amp;zeigen</translation>
    </message>
    <message>
        <source>Find Events</source>
        <translation>Termine suchen</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Suchen:</translation>
    </message>
    <message>
        <source>Name, notes or place</source>
        <translation>Titel, Notizen oder Ort</translation>
    </message>
</context>
<context>
    <name>quillon::frmHelp</name>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
</context>
<context>
    <name>quillon::frmMain</name>
    <message>
        <source>&amp;Use Liturgical Colors</source>
        <translation>&amp;Liturgische Farben verwenden</translation>
    </message>
    <message>
        <source>&amp;Refresh Desktop Calendar</source>
        <translation>Desktop-Kalender &amp;aktualisieren</translation>
    </message>
    <message>
        <source>Refresh &amp;Calendars</source>
        <translation>&amp;Kalender aktualisieren</translation>
    </message>
    <message>
        <source>C&amp;alendars...</source>
        <translation>Ka&amp;lender …</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>  - waiting to be sent</source>
        <translation>  – wartet auf das Senden</translation>
    </message>
    <message>
        <source>Import Calendar</source>
        <translation>Kalender importieren</translation>
    </message>
    <message>
        <source>%1:
%2 added, %3 updated, %4 unchanged.</source>
        <translation>%1:
%2 hinzugefügt, %3 aktualisiert, %4 unverändert.</translation>
    </message>
    <message>
        <source>Export Calendar</source>
        <translation>Kalender exportieren</translation>
    </message>
    <message>
        <source>%1 events were written to %2.</source>
        <translation>%1 Termine wurden in %2 geschrieben.</translation>
    </message>
    <message>
        <source>Left out:</source>
        <translation>Ausgelassen:</translation>
    </message>
    <message>
        <source>&amp;Today</source>
        <translation>&amp;Heute</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Notizen:</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New Event...</source>
        <translation>&amp;Neuer Termin …</translation>
    </message>
    <message>
        <source>&amp;Import Calendar...</source>
        <translation>Kalender &amp;importieren …</translation>
    </message>
    <message>
        <source>Ex&amp;port Calendar...</source>
        <translation>Kalender e&amp;xportieren …</translation>
    </message>
    <message>
        <source>&amp;Calendars...</source>
        <translation>&amp;Kalender …</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>Druck&amp;vorschau …</translation>
    </message>
    <message>
        <source>P&amp;rint...</source>
        <translation>&amp;Drucken …</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Edit Event...</source>
        <translation>Termin &amp;bearbeiten …</translation>
    </message>
    <message>
        <source>&amp;Delete Event</source>
        <translation>Termin &amp;löschen</translation>
    </message>
    <message>
        <source>Delete &amp;All Day Event</source>
        <translation>&amp;Ganztägigen Termin löschen</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen …</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation>&amp;Inhalt …</translation>
    </message>
    <message>
        <source>&amp;About Quillon...</source>
        <translation>&amp;Über Quillon …</translation>
    </message>
    <message>
        <source>PopupMenu</source>
        <translation>Kontextmenü</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>New Event</source>
        <translation>Neuer Termin</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>Termin bearbeiten</translation>
    </message>
    <message>
        <source>Delete Event</source>
        <translation>Termin löschen</translation>
    </message>
    <message>
        <source>Refresh Desktop Calendar</source>
        <translation>Desktop-Kalender aktualisieren</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Day</source>
        <translation>&amp;Tag</translation>
    </message>
    <message>
        <source>&amp;Work Week</source>
        <translation>&amp;Arbeitswoche</translation>
    </message>
    <message>
        <source>W&amp;eek</source>
        <translation>&amp;Woche</translation>
    </message>
    <message>
        <source>&amp;Month</source>
        <translation>&amp;Monat</translation>
    </message>
    <message>
        <source>&amp;Agenda</source>
        <translation>Ter&amp;minliste</translation>
    </message>
    <message>
        <source>Agenda &amp;Span</source>
        <translation>&amp;Zeitraum der Terminliste</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>Exiting Quillon</source>
        <translation>Quillon beenden</translation>
    </message>
    <message>
        <source>Do you want to clear the calendar from the desktop?<byte value="xd"/>
<byte value="xd"/>
Click &apos;Yes&apos; to clear the calendar from the desktop wallpaper.<byte value="xd"/>
Click &apos;No&apos; to keep the calendar on the desktop wallpaper.</source>
        <translation>Möchten Sie den Kalender vom Desktop entfernen?<byte value="xd"/>
<byte value="xd"/>
»Ja« entfernt den Kalender aus dem Hintergrundbild.<byte value="xd"/>
»Nein« lässt den Kalender im Hintergrundbild.</translation>
    </message>
    <message>
        <source>Quillon Scheduler</source>
        <translation>Quillon-Terminplaner</translation>
    </message>
    <message>
        <source>Calendar files (*.ics);;All files (*)</source>
        <translation>Kalenderdateien (*.ics);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation>
… und %1 weitere</translation>
    </message>
    <message>
        <source>Open &amp;Scheduler</source>
        <translation>&amp;Terminplaner öffnen</translation>
    </message>
    <message>
        <source>The settings could not be written: %1</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 Minute</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n Minute</numerusform>
            <numerusform>%n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>1 second</source>
        <translation>1 Sekunde</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <source>The calendar program did not finish within %1 and was stopped</source>
        <translation>Das Kalenderprogramm war nach %1 nicht fertig und wurde beendet</translation>
    </message>
    <message>
        <source>The calendar program ended abnormally</source>
        <translation>Das Kalenderprogramm wurde unerwartet beendet</translation>
    </message>
    <message>
        <source>; the desktop calendar was not redrawn</source>
        <translation>; der Kalender auf dem Desktop wurde nicht neu gezeichnet</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>Datei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>No help viewer could open %1</source>
        <translation>Kein Programm konnte die Hilfe %1 öffnen</translation>
    </message>
</context>
<context>
    <name>quillon::frmWarning</name>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>OK (%1 second)</source>
        <extracomment>The button with the seconds left before the calendar is changed.</extracomment>
        <translation>OK (%1 Sekunde)</translation>
    </message>
    <message>
        <source>OK (%1 seconds)</source>
        <translation>OK (%1 Sekunden)</translation>
    </message>
    <message>
        <source>Quillon needs to change the desktop calendar.</source>
        <translation>Quillon muss den Desktop-Kalender wechseln.</translation>
    </message>
    <message>
        <source>Click the &apos;OK&apos; button to change the calendar now.</source>
        <translation>Klicken Sie auf »OK«, um den Kalender jetzt zu wechseln.</translation>
    </message>
    <message>
        <source>Click the &apos;OK&apos; button to change the calendar now (or wait until the timeout has completed and Quillon will then perform the change).</source>
        <translation>Klicken Sie auf »OK«, um den Kalender jetzt zu wechseln (oder warten Sie, bis die Zeit abgelaufen ist; dann wechselt Quillon ihn selbst).</translation>
    </message>
    <message>
        <source>Click the &apos;Later&apos; button to change the calendar yourself at a time that is more convenient. You can change the calendar by right-clicking on the Quillon icon in the system tray and selecting the &apos;Refresh Desktop Calendar&quot; option.</source>
        <translation>Klicken Sie auf »Später«, um den Kalender selbst zu einem passenderen Zeitpunkt zu wechseln: mit einem Rechtsklick auf das Quillon-Symbol im Benachrichtigungsfeld und »Desktop-Kalender aktualisieren«.</translation>
    </message>
</context>
</TS>
