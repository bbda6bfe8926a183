<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>BackgroundPicture</name>
    <message>
        <source>the picture %1 does not exist</source>
        <translation>l’image %1 n’existe pas</translation>
    </message>
    <message>
        <source>the picture %1 is not a file</source>
        <translation>l’image %1 n’est pas un fichier</translation>
    </message>
    <message>
        <source>the picture %1 cannot be read: %2</source>
        <translation>l’image %1 ne peut pas être lue : %2</translation>
    </message>
    <message>
        <source>%1 is not a picture that can be read (%2)</source>
        <translation>%1 n’est pas une image lisible (%2)</translation>
    </message>
    <message>
        <source>the picture %1 is too large: %2 x %3 pixels, at most %4 million for this screen</source>
        <translation>l’image %1 est trop grande : %2 × %3 pixels, au plus %4 millions pour cet écran</translation>
    </message>
    <message>
        <source>the picture %1 could not be decoded: %2</source>
        <translation>l’image %1 n’a pas pu être décodée : %2</translation>
    </message>
</context>
<context>
    <name>CalendarDrawing</name>
    <message>
        <source>no event database</source>
        <translation>aucune base de données d’événements</translation>
    </message>
</context>
<context>
    <name>CalendarLabel</name>
    <message numerus="yes">
        <source>+%n more</source>
        <translation>
            <numerusform>+%n autre</numerusform>
            <numerusform>+%n autres</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EventService</name>
    <message>
        <source>The change cannot be written into the calendar&apos;s event %1; it was not saved</source>
        <translation>La modification ne peut pas être écrite dans l’événement %1 du calendrier ; elle n’a pas été enregistrée</translation>
    </message>
    <message>
        <source>This computer</source>
        <translation>Cet ordinateur</translation>
    </message>
    <message>
        <source>The calendar %1 cannot be written to</source>
        <translation>Le calendrier %1 n’accepte pas d’écriture</translation>
    </message>
</context>
<context>
    <name>ICalendarTexts</name>
    <message>
        <source>line %1: %2</source>
        <translation>ligne %1 : %2</translation>
    </message>
    <message>
        <source>line 1: this is UTF-16 text that cannot be read; save it as UTF-8</source>
        <translation>ligne 1 : ce texte UTF-16 ne peut pas être lu ; enregistrez le fichier en UTF-8</translation>
    </message>
    <message>
        <source>the file is not UTF-8; read as Latin-1 (Windows-1252)</source>
        <translation>le fichier n’est pas codé en UTF-8 ; il a été lu comme Latin-1 (Windows-1252)</translation>
    </message>
    <message>
        <source>the file changed while it was read</source>
        <translation>le fichier a été modifié pendant sa lecture</translation>
    </message>
    <message>
        <source>this is not a text file</source>
        <translation>ce n’est pas un fichier texte</translation>
    </message>
    <message>
        <source>this is not an iCalendar file (it does not start with BEGIN:VCALENDAR)</source>
        <translation>ce n’est pas un fichier iCalendar (il ne commence pas par BEGIN:VCALENDAR)</translation>
    </message>
    <message>
        <source>components nested more than %1 deep</source>
        <translation>composants imbriqués sur plus de %1 niveaux</translation>
    </message>
    <message>
        <source>BEGIN:%1 outside of a calendar</source>
        <translation>BEGIN:%1 en dehors d’un calendrier</translation>
    </message>
    <message>
        <source>END:%1 without BEGIN:%1</source>
        <translation>END:%1 sans BEGIN:%1</translation>
    </message>
    <message>
        <source>END:%1 where END:%2 (of line %3) was expected</source>
        <translation>END:%1 là où END:%2 (de la ligne %3) était attendu</translation>
    </message>
    <message>
        <source>text after the end of the calendar</source>
        <translation>du texte après la fin du calendrier</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>le fichier est vide</translation>
    </message>
    <message>
        <source>BEGIN:%1 has no END:%1; the file is truncated</source>
        <translation>BEGIN:%1 n’a pas de END:%1 ; le fichier est tronqué</translation>
    </message>
    <message>
        <source>libical could not read the file as iCalendar</source>
        <translation>libical n’a pas pu lire le fichier comme iCalendar</translation>
    </message>
    <message>
        <source>the file gives more than %1 days of events</source>
        <translation>le fichier donne plus de %1 jours d’événements</translation>
    </message>
    <message>
        <source>line %1: %2 (ignored)</source>
        <extracomment>%2 is the reading library&apos;s own (English) message</extracomment>
        <translation>ligne %1 : %2 (ignoré)</translation>
    </message>
    <message>
        <source>line %1: a line that is no property, read as the rest of line %2</source>
        <translation>ligne %1 : une ligne qui n’est pas une propriété, lue comme la suite de la ligne %2</translation>
    </message>
    <message>
        <source>line %1: a line that is no property (left out)</source>
        <translation>ligne %1 : une ligne qui n’est pas une propriété (ignorée)</translation>
    </message>
    <message>
        <source>line %1: the repeat rule has both COUNT and UNTIL; read up to its UNTIL</source>
        <translation>ligne %1 : la règle de périodicité a à la fois COUNT et UNTIL ; lue jusqu’à son UNTIL</translation>
    </message>
    <message>
        <source>line %1: the time zone &quot;%2&quot; of the file is left out: %3</source>
        <translation>ligne %1 : le fuseau horaire « %2 » du fichier est ignoré : %3</translation>
    </message>
    <message>
        <source>a change of clock has no DTSTART</source>
        <translation>un changement d’heure n’a pas de DTSTART</translation>
    </message>
    <message>
        <source>line %1: unknown time zone &quot;%2&quot;; its times are taken as local times</source>
        <translation>ligne %1 : fuseau horaire « %2 » inconnu ; ses heures sont prises comme heures locales</translation>
    </message>
    <message>
        <source>line %1, UID &quot;%2&quot;: %3; skipped</source>
        <extracomment>%3 is why the event was left out</extracomment>
        <translation>ligne %1, UID « %2 » : %3 ; ignoré</translation>
    </message>
    <message>
        <source>line %1: an older version of the event with the UID &quot;%2&quot; (left out)</source>
        <translation>ligne %1 : une version plus ancienne de l’événement d’UID « %2 » (ignorée)</translation>
    </message>
    <message>
        <source>line %1: an older version of a changed occurrence of the event with the UID &quot;%2&quot; (left out)</source>
        <translation>ligne %1 : une version plus ancienne d’une occurrence modifiée de l’événement d’UID « %2 » (ignorée)</translation>
    </message>
    <message>
        <source>line %1: a cancelled event (left out)</source>
        <translation>ligne %1 : un événement annulé (ignoré)</translation>
    </message>
    <message>
        <source>line %1: &quot;%2&quot; has no day left (left out)</source>
        <translation>ligne %1 : « %2 » n’a plus aucun jour (ignoré)</translation>
    </message>
    <message>
        <source>line %1: &quot;%2&quot;: days outside 1900-2100 left out</source>
        <translation>ligne %1 : « %2 » : jours en dehors des années 1900 à 2100 ignorés</translation>
    </message>
    <message>
        <source>line %1: &quot;%2&quot; repeats without end; dates taken up to %3</source>
        <translation>ligne %1 : « %2 » se répète sans fin ; dates reprises jusqu’au %3</translation>
    </message>
    <message>
        <source>its dates could not be worked out within the limit</source>
        <translation>ses dates n’ont pas pu être calculées dans la limite fixée</translation>
    </message>
    <message>
        <source>its changed occurrences could not be worked out within the limit</source>
        <translation>ses occurrences modifiées n’ont pas pu être calculées dans la limite fixée</translation>
    </message>
    <message>
        <source>the event has no DTSTART</source>
        <translation>l’événement n’a pas de DTSTART</translation>
    </message>
    <message>
        <source>the event&apos;s DTSTART is no date</source>
        <translation>le DTSTART de l’événement n’est pas une date</translation>
    </message>
    <message>
        <source>the event&apos;s DTEND is no date</source>
        <translation>le DTEND de l’événement n’est pas une date</translation>
    </message>
    <message>
        <source>ends before it starts</source>
        <translation>se termine avant de commencer</translation>
    </message>
    <message>
        <source>the event&apos;s DURATION is negative</source>
        <translation>la DURATION de l’événement est négative</translation>
    </message>
    <message>
        <source>its DURATION of %1 days is longer than the years 1900-2100</source>
        <translation>sa DURATION de %1 jours dépasse les années 1900 à 2100</translation>
    </message>
    <message>
        <source>%1 is no date</source>
        <extracomment>%1 is a property&apos;s name (EXDATE, DTSTART)</extracomment>
        <translation>%1 n’est pas une date</translation>
    </message>
    <message>
        <source>RDATE is no date</source>
        <translation>RDATE n’est pas une date</translation>
    </message>
    <message>
        <source>RECURRENCE-ID is no date</source>
        <translation>RECURRENCE-ID n’est pas une date</translation>
    </message>
    <message>
        <source>its repeat rule &quot;%1&quot; cannot be read</source>
        <translation>sa règle de périodicité « %1 » ne peut pas être lue</translation>
    </message>
    <message>
        <source>the RRULE has no valid FREQ</source>
        <translation>la RRULE n’a pas de FREQ valide</translation>
    </message>
    <message>
        <source>its repeat rule can never match (%1)</source>
        <extracomment>%1 is why the rule can never match</extracomment>
        <translation>sa règle de périodicité ne peut jamais s’appliquer (%1)</translation>
    </message>
    <message>
        <source>its repeat rule ends on no date</source>
        <translation>sa règle de périodicité ne se termine à aucune date</translation>
    </message>
    <message>
        <source>its repeat rule could not be expanded within the limit</source>
        <translation>sa règle de périodicité n’a pas pu être développée dans la limite fixée</translation>
    </message>
    <message>
        <source>the RRULE of &quot;%1&quot; gives more than %2 dates</source>
        <translation>la RRULE de « %1 » donne plus de %2 dates</translation>
    </message>
    <message>
        <source>its repeat rule gives no date at all</source>
        <translation>sa règle de périodicité ne donne aucune date</translation>
    </message>
    <message>
        <source>INTERVAL=%1 is no positive number</source>
        <translation>INTERVAL=%1 n’est pas un nombre positif</translation>
    </message>
    <message>
        <source>BYSECOND=%1 names no second</source>
        <translation>BYSECOND=%1 ne désigne aucune seconde</translation>
    </message>
    <message>
        <source>BYMINUTE=%1 names no minute</source>
        <translation>BYMINUTE=%1 ne désigne aucune minute</translation>
    </message>
    <message>
        <source>BYHOUR=%1 names no hour</source>
        <translation>BYHOUR=%1 ne désigne aucune heure</translation>
    </message>
    <message>
        <source>BYMONTHDAY=%1 names no day of a month</source>
        <translation>BYMONTHDAY=%1 ne désigne aucun jour du mois</translation>
    </message>
    <message>
        <source>BYYEARDAY=%1 names no day of a year</source>
        <translation>BYYEARDAY=%1 ne désigne aucun jour de l’année</translation>
    </message>
    <message>
        <source>BYWEEKNO=%1 names no week of a year</source>
        <translation>BYWEEKNO=%1 ne désigne aucune semaine de l’année</translation>
    </message>
    <message>
        <source>BYMONTH=%1 names no month</source>
        <translation>BYMONTH=%1 ne désigne aucun mois</translation>
    </message>
    <message>
        <source>BYMONTH=%1L names a leap month, which the Gregorian calendar has not</source>
        <translation>BYMONTH=%1L désigne un mois intercalaire, que le calendrier grégorien ne connaît pas</translation>
    </message>
    <message>
        <source>BYWEEKNO fits only a yearly rule</source>
        <translation>BYWEEKNO ne convient qu’à une règle annuelle</translation>
    </message>
    <message>
        <source>BYYEARDAY does not fit a daily, weekly or monthly rule</source>
        <translation>BYYEARDAY ne convient pas à une règle quotidienne, hebdomadaire ou mensuelle</translation>
    </message>
    <message>
        <source>BYMONTHDAY does not fit a weekly rule</source>
        <translation>BYMONTHDAY ne convient pas à une règle hebdomadaire</translation>
    </message>
    <message>
        <source>RSCALE=%1: only Gregorian rules are expanded</source>
        <translation>RSCALE=%1 : seules les règles grégoriennes sont développées</translation>
    </message>
    <message>
        <source>BYDAY names no weekday</source>
        <translation>BYDAY ne désigne aucun jour de la semaine</translation>
    </message>
    <message>
        <source>BYDAY=%1: a numbered weekday fits only a monthly or yearly rule</source>
        <translation>BYDAY=%1 : un jour de la semaine numéroté ne convient qu’à une règle mensuelle ou annuelle</translation>
    </message>
    <message>
        <source>BYDAY=%1: a month has at most %2 of each weekday</source>
        <translation>BYDAY=%1 : un mois compte au plus %2 fois chaque jour de la semaine</translation>
    </message>
    <message>
        <source>BYDAY=%1: a year has at most %2 of each weekday</source>
        <translation>BYDAY=%1 : une année compte au plus %2 fois chaque jour de la semaine</translation>
    </message>
    <message>
        <source>BYMONTHDAY=%1 falls in none of the months BYMONTH=%2</source>
        <translation>BYMONTHDAY=%1 ne tombe dans aucun des mois BYMONTH=%2</translation>
    </message>
    <message>
        <source>BYYEARDAY=%1 falls in none of the months BYMONTH=%2</source>
        <translation>BYYEARDAY=%1 ne tombe dans aucun des mois BYMONTH=%2</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one second holds</source>
        <translation>BYSETPOS=%1 demande plus d’occurrences qu’une seconde n’en contient</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one minute holds</source>
        <translation>BYSETPOS=%1 demande plus d’occurrences qu’une minute n’en contient</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one hour holds</source>
        <translation>BYSETPOS=%1 demande plus d’occurrences qu’une heure n’en contient</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one day holds</source>
        <translation>BYSETPOS=%1 demande plus d’occurrences qu’un jour n’en contient</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one week holds</source>
        <translation>BYSETPOS=%1 demande plus d’occurrences qu’une semaine n’en contient</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one month holds</source>
        <translation>BYSETPOS=%1 demande plus d’occurrences qu’un mois n’en contient</translation>
    </message>
    <message>
        <source>BYSETPOS=%1 asks for more occurrences than one year holds</source>
        <translation>BYSETPOS=%1 demande plus d’occurrences qu’une année n’en contient</translation>
    </message>
    <message>
        <source>its rule is not yearly</source>
        <translation>sa règle n’est pas annuelle</translation>
    </message>
    <message>
        <source>its rule has more than %1 %2 values</source>
        <extracomment>%2 is a part of the rule (BYDAY, BYMONTH)</extracomment>
        <translation>sa règle a plus de %1 valeurs %2</translation>
    </message>
    <message>
        <source>its start is no date</source>
        <translation>son début n’est pas une date</translation>
    </message>
    <message>
        <source>its rule gives no change within two years of its start</source>
        <translation>sa règle ne donne aucun changement d’heure dans les deux ans qui suivent son début</translation>
    </message>
    <message>
        <source>%1: the folder %2 does not exist or cannot be entered (no permission)</source>
        <translation>%1 : le dossier %2 n’existe pas ou n’est pas accessible (autorisation refusée)</translation>
    </message>
    <message>
        <source>%1: file not found</source>
        <translation>%1 : fichier introuvable</translation>
    </message>
    <message>
        <source>%1: the file cannot be read (no permission)</source>
        <translation>%1 : le fichier ne peut pas être lu (autorisation refusée)</translation>
    </message>
    <message>
        <source>%1: the file is larger than %2 MB (%3 bytes); nothing was imported</source>
        <translation>%1 : le fichier dépasse %2 Mo (%3 octets) ; rien n’a été importé</translation>
    </message>
    <message>
        <source>%1: the file changed while it was read; nothing was imported</source>
        <translation>%1 : le fichier a été modifié pendant sa lecture ; rien n’a été importé</translation>
    </message>
    <message>
        <source>%1: %2; nothing was imported</source>
        <extracomment>%2 is why the file was refused</extracomment>
        <translation>%1 : %2 ; rien n’a été importé</translation>
    </message>
    <message>
        <source>%1: line %2: &quot;%3&quot; could not be stored: %4; nothing was imported</source>
        <translation>%1 : ligne %2 : « %3 » n’a pas pu être enregistré : %4 ; rien n’a été importé</translation>
    </message>
    <message>
        <source>%1: line %2: the store did not take &quot;%3&quot;; nothing was imported</source>
        <translation>%1 : ligne %2 : la base de données n’a pas accepté « %3 » ; rien n’a été importé</translation>
    </message>
    <message>
        <source>%1 church-year days left out (the store has them already)</source>
        <translation>%1 jours de l’année liturgique ignorés (la base de données les contient déjà)</translation>
    </message>
    <message>
        <source>%1: the folder %2 does not exist</source>
        <translation>%1 : le dossier %2 n’existe pas</translation>
    </message>
    <message>
        <source>%1: the disk is full (%2 bytes free, %3 needed); the file was not written</source>
        <translation>%1 : le disque est plein (%2 octets libres, %3 nécessaires) ; le fichier n’a pas été écrit</translation>
    </message>
    <message>
        <source>%1: the file could not be written (%2); it was not changed</source>
        <extracomment>%2 is the system&apos;s reason</extracomment>
        <translation>%1 : le fichier n’a pas pu être écrit (%2) ; il n’a pas été modifié</translation>
    </message>
    <message>
        <source>The church-year range %1-%2 is not within 1900-2100</source>
        <translation>La plage d’années liturgiques %1-%2 n’est pas comprise entre 1900 et 2100</translation>
    </message>
    <message>
        <source>event %1 &quot;%2&quot;: no date</source>
        <translation>événement %1 « %2 » : aucune date</translation>
    </message>
    <message>
        <source>event %1 &quot;%2&quot;: no readable time</source>
        <translation>événement %1 « %2 » : aucune heure lisible</translation>
    </message>
</context>
<context>
    <name>OccurrenceChoice</name>
    <message>
        <source>&amp;Only this event</source>
        <translation>&amp;Uniquement cet événement</translation>
    </message>
    <message>
        <source>This and &amp;following events</source>
        <translation>Cet événement et les &amp;suivants</translation>
    </message>
    <message>
        <source>&amp;All events</source>
        <translation>&amp;Tous les événements</translation>
    </message>
</context>
<context>
    <name>OptionsTexts</name>
    <message>
        <source>Quillon Options</source>
        <translation>Préférences de Quillon</translation>
    </message>
    <message>
        <source>The Options windows is already open.</source>
        <translation>La fenêtre des préférences est déjà ouverte.</translation>
    </message>
    <message>
        <source>Quillon Desktop Calendar</source>
        <translation>Calendrier de bureau Quillon</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Wallpaper</source>
        <translation>Fond d’écran</translation>
    </message>
    <message>
        <source>Fonts and Colors</source>
        <translation>Polices et couleurs</translation>
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
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Appliquer</translation>
    </message>
    <message>
        <source>Scheduler Options</source>
        <translation>Agenda</translation>
    </message>
    <message>
        <source>Display Scheduler on &amp;startup</source>
        <translation>Ouvrir l’agenda à l’&amp;ouverture de session</translation>
    </message>
    <message>
        <source>Check this box to display the Scheduler when Windows starts.</source>
        <translation>Cocher pour ouvrir l’agenda à l’ouverture de session.</translation>
    </message>
    <message>
        <source>Display only &amp;once per day</source>
        <translation>Une &amp;seule fois par jour</translation>
    </message>
    <message>
        <source>If &apos;Display Scheduler on startup&apos; is checked, check this box to display the Scheduler only the first time Windows starts.</source>
        <translation>Si « Ouvrir l’agenda à l’ouverture de session » est coché : ne l’ouvrir qu’à la première session de la journée.</translation>
    </message>
    <message>
        <source>Do not check for event &amp;conflicts.</source>
        <translation>Ne pas vérifier les &amp;conflits entre événements</translation>
    </message>
    <message>
        <source>Check this box to have the Scheduler ignore scheduling conflicts between events.</source>
        <translation>Cocher pour que l’agenda ne signale pas les événements qui se chevauchent.</translation>
    </message>
    <message>
        <source>Scheduler Colors</source>
        <translation>Couleurs de l’agenda</translation>
    </message>
    <message>
        <source>&amp;Remind me of events</source>
        <translation>Me &amp;rappeler les événements</translation>
    </message>
    <message>
        <source>Select this option to have a notification shown before each event that has a reminder.</source>
        <translation>Afficher une notification avant chaque événement qui a un rappel.</translation>
    </message>
    <message>
        <source>&amp;Background Color...</source>
        <translation>Couleur de &amp;fond…</translation>
    </message>
    <message>
        <source>Click this button to change the background color used in the Scheduler.</source>
        <translation>Changer la couleur de fond de l’agenda.</translation>
    </message>
    <message>
        <source>&amp;Event Color...</source>
        <translation>Couleur des &amp;événements…</translation>
    </message>
    <message>
        <source>Click this button to change the color used for events in the Scheduler.</source>
        <translation>Changer la couleur des événements dans l’agenda.</translation>
    </message>
    <message>
        <source>Click the &apos;Background Color&apos; or &apos;Event Color&apos; buttons to change the colors used in the DayTimer. Colors selected will be displayed here.</source>
        <translation>Utilisez « Couleur de fond » ou « Couleur des événements » pour changer les couleurs de la vue Jour. Les couleurs choisies s’affichent ici.</translation>
    </message>
    <message>
        <source>Sample event</source>
        <translation>Exemple d’événement</translation>
    </message>
    <message>
        <source>Desktop Calendar</source>
        <translation>Calendrier de bureau</translation>
    </message>
    <message>
        <source>&amp;Display calendar on desktop?</source>
        <translation>Afficher le calendrier sur le &amp;bureau</translation>
    </message>
    <message>
        <source>Check this box to display the calendar on your desktop wallpaper.</source>
        <translation>Cocher pour afficher le calendrier dans le fond d’écran.</translation>
    </message>
    <message>
        <source>&amp;Warn me before changing the calendar at midnight</source>
        <translation>M’a&amp;vertir avant de changer le calendrier à minuit</translation>
    </message>
    <message>
        <source>Warning &amp;times out after</source>
        <translation>L’avertissement se &amp;ferme après</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>secondes</translation>
    </message>
    <message>
        <source>Wee&amp;k starts on:</source>
        <translation>&amp;La semaine commence le :</translation>
    </message>
    <message>
        <source>The first day of each week in the Scheduler&apos;s views and on the desktop calendar.</source>
        <translation>Le premier jour de chaque semaine dans les vues de l’agenda et dans le calendrier de bureau.</translation>
    </message>
    <message>
        <source>As in my region (%1)</source>
        <translation>Selon ma région (%1)</translation>
    </message>
    <message>
        <source>Invalid Entry</source>
        <translation>Saisie non valide</translation>
    </message>
    <message>
        <source>Required Entry</source>
        <translation>Saisie obligatoire</translation>
    </message>
    <message>
        <source>Entry must be a number greater than 0.</source>
        <translation>La saisie doit être un nombre supérieur à 0.</translation>
    </message>
    <message>
        <source>An entry for warning timeout is required.</source>
        <translation>Indiquez après combien de secondes l’avertissement se ferme.</translation>
    </message>
    <message>
        <source>Entry must be a whole number greater than 0.</source>
        <translation>La saisie doit être un nombre entier supérieur à 0.</translation>
    </message>
    <message>
        <source>Warning timeout must be a number greater than 0.</source>
        <translation>Le délai de l’avertissement doit être un nombre supérieur à 0.</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Click on one of the file names listed to select an image to be used for your desktop wallpaper.</source>
        <translation>Cliquez sur un nom de fichier pour utiliser cette image comme fond d’écran.</translation>
    </message>
    <message>
        <source>Co&amp;lor...</source>
        <translation>Cou&amp;leur…</translation>
    </message>
    <message>
        <source>Click on this button to select a background color instead of an image for your desktop wallpaper.</source>
        <translation>Choisir une couleur de fond au lieu d’une image pour le bureau.</translation>
    </message>
    <message>
        <source>B&amp;rowse...</source>
        <translation>&amp;Parcourir…</translation>
    </message>
    <message>
        <source>Click on this button to select a folder containing images that you want to use for your desktop wallpaper.</source>
        <translation>Choisir un dossier d’images pour le fond d’écran.</translation>
    </message>
    <message>
        <source>Change Wallpaper</source>
        <translation>Changer de fond d’écran</translation>
    </message>
    <message>
        <source>Select a time period from this drop-down list to use for automatically changing your desktop wallpaper.</source>
        <translation>Choisissez à quelle fréquence le fond d’écran change automatiquement.</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Emplacement</translation>
    </message>
    <message>
        <source>Do Not Change</source>
        <translation>Ne pas changer</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Chaque jour</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Chaque semaine</translation>
    </message>
    <message>
        <source>Bi-weekly</source>
        <translation>Toutes les deux semaines</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Chaque mois</translation>
    </message>
    <message>
        <source>Use &amp;liturgical colors</source>
        <translation>Utiliser les couleurs &amp;liturgiques</translation>
    </message>
    <message>
        <source>Le&amp;gibility:</source>
        <translation>Li&amp;sibilité :</translation>
    </message>
    <message>
        <source>Automatic keeps the calendar readable over any picture: event texts at least a readable size, and a solid outline or a panel behind the day where a text would not stand out. &quot;Automatic&quot; may also make a color a little lighter or darker where that is needed; &quot;keep my colors&quot; never changes them. Off draws the texts exactly in the chosen colors and sizes.</source>
        <translation>« Automatique » garde le calendrier lisible sur toute image : des textes d’une taille lisible, et un contour ou un fond derrière le jour là où un texte ne ressortirait pas. « Automatique » peut aussi éclaircir ou foncer légèrement une couleur ; « garder mes couleurs » ne les change jamais. « Désactivée » dessine les textes exactement dans les couleurs et tailles choisies.</translation>
    </message>
    <message>
        <source>Automatic, keep my colors</source>
        <translation>Automatique, garder mes couleurs</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivée</translation>
    </message>
    <message>
        <source>Primary</source>
        <extracomment>Draw the desktop calendar on the primary monitor only.</extracomment>
        <translation>Écran principal</translation>
    </message>
    <message>
        <source>All</source>
        <extracomment>Draw the desktop calendar on every monitor.</extracomment>
        <translation>Tous</translation>
    </message>
    <message>
        <source>&amp;Monitors:</source>
        <translation>É&amp;crans :</translation>
    </message>
    <message>
        <source>Primary draws the calendar on the primary monitor and the background alone on the others. All draws the calendar on every monitor.</source>
        <translation>« Écran principal » dessine le calendrier sur l’écran principal et seulement le fond sur les autres. « Tous » le dessine sur chaque écran.</translation>
    </message>
    <message>
        <source>Desktop preview</source>
        <translation>Aperçu du bureau</translation>
    </message>
    <message>
        <source>Your desktop as the calendar will draw it with the values in this window.</source>
        <translation>Votre bureau tel que le calendrier le dessinera avec les valeurs de cette fenêtre.</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>Poli&amp;ce…</translation>
    </message>
    <message>
        <source>First select an option to the left, then click this button to change the font for that element.</source>
        <translation>Choisissez d’abord un élément à gauche, puis changez ici sa police.</translation>
    </message>
    <message>
        <source>&amp;Color...</source>
        <translation>Cou&amp;leur…</translation>
    </message>
    <message>
        <source>First select an option to the left, then click this button to change the font color for that element.</source>
        <translation>Choisissez d’abord un élément à gauche, puis changez ici la couleur de son texte.</translation>
    </message>
    <message>
        <source>&amp;Month Name</source>
        <translation>Nom du &amp;mois</translation>
    </message>
    <message>
        <source>To change the font and/or color of the name of the month, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation>Pour changer la police ou la couleur du nom du mois, choisissez cette option puis « Police » ou « Couleur ».</translation>
    </message>
    <message>
        <source>Day Of The &amp;Week Name</source>
        <translation>Jours de la &amp;semaine</translation>
    </message>
    <message>
        <source>To change the font and/or color of the name of the day of the week, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation>Pour changer la police ou la couleur des jours de la semaine, choisissez cette option puis « Police » ou « Couleur ».</translation>
    </message>
    <message>
        <source>Day &amp;Number</source>
        <translation>&amp;Numéro du jour</translation>
    </message>
    <message>
        <source>To change the font and/or color of the number of the day, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation>Pour changer la police ou la couleur des numéros des jours, choisissez cette option puis « Police » ou « Couleur ».</translation>
    </message>
    <message>
        <source>&amp;All Day Event Text</source>
        <translation>Événements sur la &amp;journée</translation>
    </message>
    <message>
        <source>To change the font and/or color of the all day event text, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation>Pour changer la police ou la couleur des événements sur la journée, choisissez cette option puis « Police » ou « Couleur ».</translation>
    </message>
    <message>
        <source>Event &amp;text</source>
        <translation>&amp;Texte des événements</translation>
    </message>
    <message>
        <source>To change the font and/or color of the event text, select this option then click either the &apos;Font&apos; or &apos;Color&apos; button.</source>
        <translation>Pour changer la police ou la couleur du texte des événements, choisissez cette option puis « Police » ou « Couleur ».</translation>
    </message>
    <message>
        <source>C&amp;urrent Day Color</source>
        <translation>Couleur du jour &amp;courant</translation>
    </message>
    <message>
        <source>To change the color to be used for the current date, select this option then click the &apos;Color&apos; button.</source>
        <translation>Pour changer la couleur du jour courant, choisissez cette option puis « Couleur ».</translation>
    </message>
    <message>
        <source>January</source>
        <translation>Janvier</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>dim.</translation>
    </message>
    <message>
        <source>New Years Day</source>
        <translation>Jour de l’an</translation>
    </message>
    <message>
        <source>9:00 AM - Meeting</source>
        <translation>09:00 – Réunion</translation>
    </message>
    <message>
        <source>C&amp;enter</source>
        <translation>C&amp;entre</translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the center of your screen.</source>
        <translation>Placer le calendrier de bureau au centre de l’écran.</translation>
    </message>
    <message>
        <source>Top le&amp;ft</source>
        <translation>En haut à &amp;gauche</translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the top left portion of your screen.</source>
        <translation>Placer le calendrier de bureau en haut à gauche de l’écran.</translation>
    </message>
    <message>
        <source>Top ri&amp;ght</source>
        <translation>En haut à &amp;droite</translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the top right portion of your screen.</source>
        <translation>Placer le calendrier de bureau en haut à droite de l’écran.</translation>
    </message>
    <message>
        <source>&amp;Bottom Left</source>
        <translation>En &amp;bas à gauche</translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the bottom left portion of your screen.</source>
        <translation>Placer le calendrier de bureau en bas à gauche de l’écran.</translation>
    </message>
    <message>
        <source>Bottom rig&amp;ht</source>
        <translation>En bas à d&amp;roite</translation>
    </message>
    <message>
        <source>Select this option to position the desktop calendar in the bottom right portion of your screen.</source>
        <translation>Placer le calendrier de bureau en bas à droite de l’écran.</translation>
    </message>
    <message>
        <source>F&amp;ull Screen</source>
        <translation>&amp;Plein écran</translation>
    </message>
    <message>
        <source>Select this option to make the desktop calendar fill the entire screen.</source>
        <translation>Étendre le calendrier de bureau à tout l’écran.</translation>
    </message>
    <message>
        <source>Select Folder...</source>
        <translation>Choisir un dossier…</translation>
    </message>
    <message>
        <source>Look &amp;in:</source>
        <translation>&amp;Chercher dans :</translation>
    </message>
    <message>
        <source>Folder &amp;name:</source>
        <translation>&amp;Nom du dossier :</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Chemin introuvable : %1</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>Fichier introuvable : %1</translation>
    </message>
    <message>
        <source>Invalid picture: %1</source>
        <translation>Image non valide : %1</translation>
    </message>
    <message>
        <source>Device unavailable</source>
        <translation>Périphérique non disponible</translation>
    </message>
    <message>
        <source>The settings could not be written to %1</source>
        <translation>Les paramètres n’ont pas pu être enregistrés dans %1</translation>
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
        <translation>Lecture de %1…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Storing the events of %1...</source>
        <translation>Enregistrement des événements de %1…</translation>
    </message>
</context>
<context>
    <name>SessionPasswords</name>
    <message>
        <source>The password could not be kept in the secret store (%1).</source>
        <translation>Le mot de passe n’a pas pu être conservé dans le trousseau (%1).</translation>
    </message>
</context>
<context>
    <name>ShownRange</name>
    <message>
        <source>MMMM d, yyyy</source>
        <comment>date form: last day of a span</comment>
        <translation>d MMMM yyyy</translation>
    </message>
    <message>
        <source>MMMM d, yyyy</source>
        <comment>date form: first day of a span across years</comment>
        <translation>d MMMM yyyy</translation>
    </message>
    <message>
        <source>MMMM d</source>
        <comment>date form: first day of a span across months</comment>
        <translation>d MMMM</translation>
    </message>
    <message>
        <source>MMMM d</source>
        <comment>date form: first day of a span within one month</comment>
        <translation>d</translation>
    </message>
    <message>
        <source>d, yyyy</source>
        <comment>date form: last day of a span within one month</comment>
        <translation>d MMMM yyyy</translation>
    </message>
</context>
<context>
    <name>SyncTexts</name>
    <message>
        <source>%1: %2 failed (HTTP %3)</source>
        <translation>%1 : échec de %2 (HTTP %3)</translation>
    </message>
    <message>
        <source>%1: the server did not answer calendar-multiget</source>
        <translation>%1 : le serveur n’a pas répondu à calendar-multiget</translation>
    </message>
    <message>
        <source>%1: the server lists %2 but sends no calendar data for it (calendar-multiget)</source>
        <translation>%1 : le serveur liste %2 mais n’envoie aucune donnée de calendrier pour cet élément (calendar-multiget)</translation>
    </message>
    <message>
        <source>%1: the server refused the CalDAV request (%2 answered HTTP %3)</source>
        <translation>%1 : le serveur a refusé la requête CalDAV (%2 a répondu HTTP %3)</translation>
    </message>
    <message>
        <source>PROPFIND of %1</source>
        <translation>PROPFIND de %1</translation>
    </message>
    <message>
        <source>%1: the answer to PROPFIND of %2 is not readable</source>
        <translation>%1 : la réponse à PROPFIND de %2 est illisible</translation>
    </message>
    <message>
        <source>%1: the server refused the CalDAV request (PROPFIND answered HTTP %2) and gives no calendar at %3 (HTTP %4)</source>
        <translation>%1 : le serveur a refusé la requête CalDAV (PROPFIND a répondu HTTP %2) et ne fournit aucun calendrier à l’adresse %3 (HTTP %4)</translation>
    </message>
    <message>
        <source>%1: the answer to sync-collection is not readable</source>
        <translation>%1 : la réponse à sync-collection est illisible</translation>
    </message>
    <message>
        <source>%1: the server answered neither sync-collection nor calendar-query</source>
        <translation>%1 : le serveur n’a répondu ni à sync-collection ni à calendar-query</translation>
    </message>
    <message>
        <source>%1: the answer is larger than %2 MB; nothing was changed</source>
        <translation>%1 : la réponse dépasse %2 Mo ; rien n’a été modifié</translation>
    </message>
    <message>
        <source>%1: too many redirects or a redirect to nowhere</source>
        <translation>%1 : trop de redirections ou une redirection vers nulle part</translation>
    </message>
    <message>
        <source>%1: refused a redirect from https to %2</source>
        <translation>%1 : redirection de https vers %2 refusée</translation>
    </message>
    <message>
        <source>%1: a network request on the GUI thread was refused</source>
        <translation>%1 : une requête réseau dans le fil de l’interface a été refusée</translation>
    </message>
    <message>
        <source>%1: the answer was not complete within %2 seconds; the request was stopped</source>
        <translation>%1 : la réponse n’était pas complète au bout de %2 secondes ; la requête a été interrompue</translation>
    </message>
    <message>
        <source>%1: the certificate is not trusted (%2); its SHA-256 fingerprint is %3</source>
        <translation>%1 : le certificat n’est pas approuvé (%2) ; son empreinte SHA-256 est %3</translation>
    </message>
    <message>
        <source>%1: the certificate changed since it was trusted (%2); its SHA-256 fingerprint is now %3</source>
        <translation>%1 : le certificat a changé depuis qu’il a été approuvé (%2) ; son empreinte SHA-256 est désormais %3</translation>
    </message>
    <message>
        <source>%1: no answer within %2 seconds</source>
        <translation>%1 : pas de réponse en %2 secondes</translation>
    </message>
    <message>
        <source>%1: the server refused the user name or password</source>
        <translation>%1 : le serveur a refusé le nom d’utilisateur ou le mot de passe</translation>
    </message>
    <message>
        <source>%1: the server asks for a user name and password</source>
        <translation>%1 : le serveur demande un nom d’utilisateur et un mot de passe</translation>
    </message>
    <message>
        <source>%1: the connection ended after %2 of the %3 bytes announced; the answer is incomplete</source>
        <translation>%1 : la connexion s’est terminée après %2 des %3 octets annoncés ; la réponse est incomplète</translation>
    </message>
    <message>
        <source>%1: the answer cannot be read (%2)</source>
        <translation>%1 : la réponse ne peut pas être lue (%2)</translation>
    </message>
    <message>
        <source>%1: the connection broke off during the answer (%2)</source>
        <translation>%1 : la connexion a été coupée pendant la réponse (%2)</translation>
    </message>
    <message>
        <source>%1: %2 was changed on the server; it stays, not deleted</source>
        <translation>%1 : %2 a été modifié sur le serveur ; l’événement est conservé, pas supprimé</translation>
    </message>
    <message>
        <source>%1: %2 was changed on the server too; your change was not kept</source>
        <translation>%1 : %2 a aussi été modifié sur le serveur ; votre modification n’a pas été conservée</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; was changed on the server too; your change is kept on this computer as &quot;%3&quot;</source>
        <translation>%1 : « %2 » a aussi été modifié sur le serveur ; votre modification est conservée sur cet ordinateur sous le nom « %3 »</translation>
    </message>
    <message>
        <source>waits for the change before it: %1</source>
        <translation>attend la modification précédente : %1</translation>
    </message>
    <message>
        <source>%1: the server answered HTTP %2 to %3 of %4</source>
        <translation>%1 : le serveur a répondu HTTP %2 à %3 de %4</translation>
    </message>
    <message>
        <source>%1 change(s) wait to be sent: %2</source>
        <translation>%1 modification(s) en attente d’envoi : %2</translation>
    </message>
    <message>
        <source>%1; the change waits to be sent</source>
        <translation>%1 ; la modification attend d’être envoyée</translation>
    </message>
    <message>
        <source>%1 later change(s) of the same events wait with them</source>
        <translation>%1 modification(s) ultérieure(s) des mêmes événements attendent avec elles</translation>
    </message>
    <message>
        <source>%1: the server now has none of the %2 events kept here. Remove them here too?</source>
        <translation>%1 : le serveur n’a plus aucun des %2 événements conservés ici. Les supprimer ici aussi ?</translation>
    </message>
    <message>
        <source>%1: the server now has %2 of the %3 events kept here. Remove the other %4 here too?</source>
        <translation>%1 : le serveur n’a plus que %2 des %3 événements conservés ici. Supprimer aussi ici les %4 autres ?</translation>
    </message>
    <message>
        <source>The subscription %1 was removed meanwhile; nothing was stored</source>
        <translation>L’abonnement %1 a été supprimé entre-temps ; rien n’a été enregistré</translation>
    </message>
    <message>
        <source>%1: %2; skipped</source>
        <translation>%1 : %2 ; ignoré</translation>
    </message>
    <message>
        <source>%1: the server answered HTTP %2 for %3</source>
        <translation>%1 : le serveur a répondu HTTP %2 pour %3</translation>
    </message>
    <message>
        <source>%1: the address gave no calendar (%2) for %3</source>
        <translation>%1 : l’adresse n’a fourni aucun calendrier (%2) pour %3</translation>
    </message>
    <message>
        <source>no content type</source>
        <translation>aucun type de contenu</translation>
    </message>
    <message>
        <source>%1: the calendar cannot be read: %2</source>
        <translation>%1 : le calendrier ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>The events could not be stored: %1</source>
        <translation>Les événements n’ont pas pu être enregistrés : %1</translation>
    </message>
    <message>
        <source>The subscription %1 could not be read: %2</source>
        <translation>L’abonnement %1 n’a pas pu être lu : %2</translation>
    </message>
    <message>
        <source>The state of the subscription could not be stored: %1</source>
        <translation>L’état de l’abonnement n’a pas pu être enregistré : %1</translation>
    </message>
    <message>
        <source>%1 is not an http, https or webcal address</source>
        <translation>%1 n’est pas une adresse http, https ou webcal</translation>
    </message>
    <message>
        <source>%1 sends your password unencrypted (http://); use https:// if the server offers it</source>
        <translation>%1 envoie votre mot de passe en clair (http://) ; utilisez https:// si le serveur le propose</translation>
    </message>
    <message>
        <source>The database could not be opened: %1</source>
        <translation>La base de données n’a pas pu être ouverte : %1</translation>
    </message>
    <message>
        <source>%1 (my change, not sent)</source>
        <extracomment>%1 is the event&apos;s own name.</extracomment>
        <translation>%1 (ma modification, non envoyée)</translation>
    </message>
</context>
<context>
    <name>UnsavedNotes</name>
    <message>
        <source>The notes for %1 could not be stored.

Copy them to the clipboard before closing?
(No closes without them; Cancel keeps the window open.)</source>
        <translation>Les notes du %1 n’ont pas pu être enregistrées.

Les copier dans le presse-papiers avant de fermer ?
(« Non » ferme sans elles, « Annuler » laisse la fenêtre ouverte.)</translation>
    </message>
</context>
<context>
    <name>basCalendar</name>
    <message>
        <source>No single-instance lock can be made (%1)</source>
        <translation>Le verrou empêchant un second lancement ne peut pas être créé (%1)</translation>
    </message>
</context>
<context>
    <name>basColorCombo</name>
    <message>
        <source>Black</source>
        <translation>Noir</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Bordeaux</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Bleu marine</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Violet</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Sarcelle</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gris</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Argent</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Vert citron</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Jaune</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>Fuschia</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanc</translation>
    </message>
    <message>
        <source>(Default)</source>
        <extracomment>The event takes the Scheduler&apos;s own event colour.</extracomment>
        <translation>(Par défaut)</translation>
    </message>
</context>
<context>
    <name>basDayCaption</name>
    <message>
        <source>and %1 more</source>
        <translation>et %1 autres</translation>
    </message>
</context>
<context>
    <name>basErrorHandler</name>
    <message>
        <source>An error has occurred.</source>
        <translation>Une erreur s’est produite.</translation>
    </message>
    <message>
        <source>Product Name: </source>
        <translation>Produit : </translation>
    </message>
    <message>
        <source>Application File:  </source>
        <translation>Programme :  </translation>
    </message>
    <message>
        <source>Module: </source>
        <translation>Module : </translation>
    </message>
    <message>
        <source>Line Number: </source>
        <translation>Ligne : </translation>
    </message>
    <message>
        <source>Error Number: </source>
        <translation>Numéro d’erreur : </translation>
    </message>
    <message>
        <source>Error Description: </source>
        <translation>Description : </translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Type incompatible</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Dépassement de capacité</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Erreur inattendue</translation>
    </message>
    <message>
        <source>Settings values that could not be read (their defaults are used): %1</source>
        <translation>Paramètres illisibles (leurs valeurs par défaut sont utilisées) : %1</translation>
    </message>
    <message>
        <source>The settings could not be written to %1</source>
        <translation>Les paramètres n’ont pas pu être enregistrés dans %1</translation>
    </message>
    <message>
        <source>This key is already associated with an element of this collection</source>
        <translation>Cette clé est déjà associée à un élément de cette collection</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Appel de procédure ou argument incorrect</translation>
    </message>
    <message>
        <source>Resource with identifier &apos;%1&apos; not found</source>
        <translation>Ressource d’identifiant « %1 » introuvable</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Erreur de l’application</translation>
    </message>
</context>
<context>
    <name>basExecuteProgram</name>
    <message>
        <source>Quillon Error</source>
        <translation>Erreur de Quillon</translation>
    </message>
    <message>
        <source>Error starting program &apos;%1&apos;.</source>
        <translation>Erreur au lancement du programme « %1 ».</translation>
    </message>
    <message>
        <source>Exit code: %1</source>
        <translation>Code de sortie : %1</translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>Le fichier %1 n’existe pas.</translation>
    </message>
    <message>
        <source>The file %1 cannot be run: it is no program, or there is no permission to run it.</source>
        <translation>Le fichier %1 ne peut pas être exécuté : ce n’est pas un programme, ou l’autorisation de l’exécuter manque.</translation>
    </message>
    <message>
        <source>It could not be started, or it ended abnormally.</source>
        <translation>Il n’a pas pu être lancé, ou s’est terminé anormalement.</translation>
    </message>
</context>
<context>
    <name>basFactOfTheDay</name>
    <message>
        <source>Welcome!  We hope that you will enjoy using Quillon, and that you will find it helpful in managing your valuable time. The purpose of the liturgical calendar is to relive the major events in Jesus’ life in real time. In this box, we&apos;ll display information about the liturgical church year, special days, and the liturgical colors. The liturgical calendar is built around six seasons and twelve festival days. Each day in the liturgical calendar has an associated color, and each color has its own meaning and symbolism. Along the way, we&apos;ll also display some interesting facts about the Carrowan Church and its history. Enjoy the calendar!</source>
        <translation>Bienvenue ! Nous espérons que Quillon vous plaira et vous aidera à organiser votre temps précieux. L’année liturgique fait revivre au fil du temps les grands événements de la vie de Jésus. Ici, nous présentons l’année liturgique, les jours particuliers et les couleurs liturgiques. L’année liturgique compte six temps et douze jours de fête. Chaque jour a sa couleur liturgique, et chaque couleur a son sens et sa symbolique. Nous vous ferons aussi découvrir l’Église de Carrowan et son histoire. Bonne utilisation du calendrier !</translation>
    </message>
    <message>
        <source>The liturgical color green is used for &apos;Ordinary Time&apos;, the Sundays of the church year that are not part of a specific season. Ordinary time serves to remind the church that God acts within the routine of our daily lives. The color green is symbolic of spiritual growth.</source>
        <translation>La couleur liturgique verte est celle du temps ordinaire, les dimanches de l’année liturgique qui n’appartiennent à aucun temps particulier. Il rappelle à l’Église que Dieu agit dans le quotidien de nos vies. Le vert symbolise la croissance spirituelle.</translation>
    </message>
    <message>
        <source>The liturgical color purple is used for seasons of preparation, such as Lent and Advent.</source>
        <translation>La couleur liturgique violette est celle des temps de préparation, comme le Carême et l’Avent.</translation>
    </message>
    <message>
        <source>The liturgical color red is used for Pentecost and for ordination services. Red is symbolic of the &apos;tongues of fire&apos; that sat on each of the apostles on the Day of Pentecost and suggests the presence and power of the Holy Spirit bringing life to the church.</source>
        <translation>La couleur liturgique rouge est celle de la Pentecôte et des ordinations. Le rouge rappelle les « langues de feu » qui se posèrent sur chacun des apôtres le jour de la Pentecôte, et la présence et la force de l’Esprit Saint qui donne vie à l’Église.</translation>
    </message>
    <message>
        <source>The liturgical color white is used for special days in the redemptive work of Jesus Christ, such as Christmas and Easter. The color white is symbolic of purity and light.</source>
        <translation>La couleur liturgique blanche est celle des grandes fêtes de l’œuvre du salut de Jésus-Christ, comme Noël et Pâques. Le blanc symbolise la pureté et la lumière.</translation>
    </message>
    <message>
        <source>The liturgical color gray is used only from the end of Maundy Thursday until Easter.</source>
        <translation>La couleur liturgique grise n’est utilisée que de la fin du Jeudi saint jusqu’à Pâques.</translation>
    </message>
</context>
<context>
    <name>basMain</name>
    <message>
        <source>Quillon Scheduler is already running.</source>
        <translation>L’agenda Quillon est déjà ouvert.</translation>
    </message>
</context>
<context>
    <name>basPlatform</name>
    <message>
        <source>%1 cannot be made</source>
        <translation>%1 ne peut pas être créé</translation>
    </message>
    <message>
        <source>%1 is not this user&apos;s alone</source>
        <translation>%1 n’appartient pas à ce seul utilisateur</translation>
    </message>
    <message>
        <source>%1 cannot be locked</source>
        <translation>%1 ne peut pas être verrouillé</translation>
    </message>
</context>
<context>
    <name>basRegistry</name>
    <message>
        <source>%1.lock is a folder, so the settings cannot be locked</source>
        <translation>%1.lock est un dossier : les paramètres ne peuvent pas être verrouillés</translation>
    </message>
    <message>
        <source>%1 is a folder, not a settings file</source>
        <translation>%1 est un dossier, pas un fichier de paramètres</translation>
    </message>
    <message>
        <source>%1 cannot be read (no permission)</source>
        <translation>%1 ne peut pas être lu (autorisation refusée)</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 ne peut pas être lu</translation>
    </message>
    <message>
        <source>%1 is not a settings file</source>
        <translation>%1 n’est pas un fichier de paramètres</translation>
    </message>
</context>
<context>
    <name>basSecrets</name>
    <message>
        <source>waiting for the desktop&apos;s keyring (it may be showing a prompt); giving up after %1</source>
        <translation>attente du trousseau du bureau (il affiche peut-être une demande) ; abandon au bout de %1</translation>
    </message>
    <message>
        <source>No secret store is running (%1): the password is not kept; it is asked each time</source>
        <translation>Aucun trousseau de mots de passe n’est actif (%1) : le mot de passe n’est pas conservé ; il est demandé à chaque fois</translation>
    </message>
</context>
<context>
    <name>quillon-db</name>
    <message>
        <source>quillon-db: nothing was imported into %1</source>
        <translation>quillon-db : rien n’a été importé dans %1</translation>
    </message>
    <message>
        <source>quillon-db: no event with the id %1</source>
        <translation>quillon-db : aucun événement avec l’ID %1</translation>
    </message>
    <message>
        <source>quillon-db: the event %1 is of the read-only calendar &quot;%2&quot;; it cannot be changed here</source>
        <translation>quillon-db : l’événement %1 appartient au calendrier en lecture seule « %2 » ; il ne peut pas être modifié ici</translation>
    </message>
    <message>
        <source>quillon-db: the event was not added to %1</source>
        <translation>quillon-db : l’événement n’a pas été ajouté à %1</translation>
    </message>
    <message>
        <source>quillon-db: the event %1 was not changed</source>
        <translation>quillon-db : l’événement %1 n’a pas été modifié</translation>
    </message>
    <message>
        <source>quillon-db: the event %1 was not deleted</source>
        <translation>quillon-db : l’événement %1 n’a pas été supprimé</translation>
    </message>
    <message>
        <source>quillon-db: no password on standard input (--password-stdin reads it from the first line)</source>
        <translation>quillon-db : aucun mot de passe sur l’entrée standard (--password-stdin le lit sur la première ligne)</translation>
    </message>
    <message>
        <source>quillon-db: nothing was subscribed</source>
        <translation>quillon-db : aucun abonnement n’a été créé</translation>
    </message>
    <message>
        <source>quillon-db: %1 already exists (use --force to replace it)</source>
        <translation>quillon-db : %1 existe déjà (--force le remplace)</translation>
    </message>
    <message>
        <source>quillon-db: cannot create %1: %2</source>
        <translation>quillon-db : impossible de créer %1 : %2</translation>
    </message>
    <message>
        <source>quillon-db: cannot check %1: %2</source>
        <translation>quillon-db : impossible de vérifier %1 : %2</translation>
    </message>
    <message>
        <source>%1 is not an option of this command</source>
        <translation>%1 n’est pas une option de cette commande</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 demande une valeur</translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation>%1 est donné deux fois</translation>
    </message>
    <message>
        <source>%1 takes a day and time as &quot;YYYY-MM-DD HH:MM&quot;, not &quot;%2&quot;</source>
        <translation>%1 attend une date et une heure sous la forme « AAAA-MM-JJ HH:MM », pas « %2 »</translation>
    </message>
    <message>
        <source>%1: %2 is not a day from %3 to %4</source>
        <translation>%1 : %2 n’est pas un jour du %3 au %4</translation>
    </message>
    <message>
        <source>EVENT-ID is a number, not &quot;%1&quot;</source>
        <translation>EVENT-ID est un nombre, pas « %1 »</translation>
    </message>
    <message>
        <source>--end (%1) is not on the day of --start (%2): an event lasts within one day</source>
        <translation>--end (%1) n’est pas le même jour que --start (%2) : un événement ne dure pas au-delà de sa journée</translation>
    </message>
    <message>
        <source>--end (%1) is before --start (%2)</source>
        <translation>--end (%1) précède --start (%2)</translation>
    </message>
    <message>
        <source>add takes one DB</source>
        <translation>add attend une seule DB</translation>
    </message>
    <message>
        <source>add needs %1</source>
        <translation>add demande %1</translation>
    </message>
    <message>
        <source>--name is empty</source>
        <translation>--name est vide</translation>
    </message>
    <message>
        <source>--rrule &quot;%1&quot; is not a rule quillon-db takes (FREQ=DAILY, WEEKLY, MONTHLY or YEARLY, with INTERVAL, BYDAY, BYMONTHDAY, COUNT or UNTIL)</source>
        <translation>--rrule « %1 » n’est pas une règle acceptée par quillon-db (FREQ=DAILY, WEEKLY, MONTHLY ou YEARLY, avec INTERVAL, BYDAY, BYMONTHDAY, COUNT ou UNTIL)</translation>
    </message>
    <message>
        <source>--calendar takes the ID of a calendar (0: this computer), not &quot;%1&quot;</source>
        <translation>--calendar attend l’ID d’un calendrier (0 : cet ordinateur), pas « %1 »</translation>
    </message>
    <message>
        <source>quillon-db: --calendar %1: no calendar of that ID takes events from here (quillon-db subscriptions %2 lists them)</source>
        <translation>quillon-db : --calendar %1 : aucun calendrier de cet ID n’accepte d’événements d’ici (quillon-db subscriptions %2 les liste)</translation>
    </message>
    <message>
        <source>edit takes a DB and an EVENT-ID</source>
        <translation>edit attend une DB et un EVENT-ID</translation>
    </message>
    <message>
        <source>edit needs --name, --start or --end</source>
        <translation>edit demande --name, --start ou --end</translation>
    </message>
    <message>
        <source>--start: the event&apos;s %1 minutes from %2 would end on the next day; give --end too</source>
        <translation>--start : les %1 minutes de l’événement à partir de %2 se termineraient le lendemain ; indiquez aussi --end</translation>
    </message>
    <message>
        <source>--start: the event %1 falls on several days from %2; give that day to change its times (its days stay)</source>
        <translation>--start : l’événement %1 tombe sur plusieurs jours à partir du %2 ; indiquez ce jour pour changer ses heures (ses jours restent)</translation>
    </message>
    <message>
        <source>delete takes a DB and an EVENT-ID</source>
        <translation>delete attend une DB et un EVENT-ID</translation>
    </message>
    <message>
        <source>Password for %1 at %2: </source>
        <translation>Mot de passe de %1 sur %2 : </translation>
    </message>
    <message>
        <source>quillon-db: no password for %1 at %2 (none stored, and no terminal to ask on)</source>
        <translation>quillon-db : aucun mot de passe pour %1 sur %2 (aucun n’est enregistré, et aucun terminal ne permet de le demander)</translation>
    </message>
    <message>
        <source>quillon-db: no subscription with the id %1</source>
        <translation>quillon-db : aucun abonnement d’ID %1</translation>
    </message>
    <message>
        <source>quillon-db: %1 is already subscribed as ID %2 (%3)</source>
        <translation>quillon-db : %1 est déjà abonné sous l’ID %2 (%3)</translation>
    </message>
    <message>
        <source>quillon-db: to remove them: quillon-db refresh DB %1 --allow-mass-delete</source>
        <translation>quillon-db : pour les supprimer : quillon-db refresh DB %1 --allow-mass-delete</translation>
    </message>
    <message>
        <source>quillon-db: to trust this certificate: quillon-db trust DB %1 %2</source>
        <translation>quillon-db : pour approuver ce certificat : quillon-db trust DB %1 %2</translation>
    </message>
    <message>
        <source>quillon-db: --trust takes a SHA-256 fingerprint (32 hex bytes, as AB:CD:...), not &quot;%1&quot;</source>
        <translation>quillon-db : --trust attend une empreinte SHA-256 (32 octets hexadécimaux, comme AB:CD:...), pas « %1 »</translation>
    </message>
    <message>
        <source>quillon-db: to trust this certificate, subscribe again with --trust %1</source>
        <translation>quillon-db : pour approuver ce certificat, abonnez-vous de nouveau avec --trust %1</translation>
    </message>
    <message>
        <source>quillon-db: %1 has no calendars</source>
        <translation>quillon-db : %1 n’a aucun calendrier</translation>
    </message>
    <message>
        <source>quillon-db: %1 has no calendar named &quot;%2&quot;</source>
        <translation>quillon-db : %1 n’a aucun calendrier nommé « %2 »</translation>
    </message>
    <message>
        <source>quillon-db: %1 is a single calendar, not a CalDAV account: --calendar does not apply</source>
        <translation>quillon-db : %1 est un calendrier unique, pas un compte CalDAV : --calendar ne s’applique pas</translation>
    </message>
    <message>
        <source>quillon-db: the password could not be kept in the secret store (%1); it is asked each time</source>
        <translation>quillon-db : le mot de passe n’a pas pu être conservé dans le trousseau (%1) ; il sera demandé à chaque fois</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>sans raison indiquée</translation>
    </message>
</context>
<context>
    <name>quillon::AgendaView</name>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Toute la journée</translation>
    </message>
    <message>
        <source>Nothing planned from %1 to %2.</source>
        <translation>Rien de prévu du %1 au %2.</translation>
    </message>
</context>
<context>
    <name>quillon::CalendarList</name>
    <message>
        <source>never</source>
        <translation>jamais</translation>
    </message>
    <message>
        <source>Another calendar is being fetched.</source>
        <translation>Un autre calendrier est en cours de récupération.</translation>
    </message>
    <message>
        <source>Fetching %1 ...</source>
        <translation>Récupération de %1…</translation>
    </message>
    <message>
        <source>%1 has no calendars.</source>
        <translation>%1 ne contient aucun calendrier.</translation>
    </message>
    <message>
        <source>%1 could not be added: %2</source>
        <translation>%1 n’a pas pu être ajouté : %2</translation>
    </message>
    <message>
        <source>%1.

Password for %2 at %3:</source>
        <translation>%1.

Mot de passe de %2 sur %3 :</translation>
    </message>
    <message>
        <source>No such calendar.</source>
        <translation>Ce calendrier n’existe pas.</translation>
    </message>
    <message>
        <source>Refreshing %1 ...</source>
        <translation>Actualisation de %1…</translation>
    </message>
    <message>
        <source>%1 is already subscribed as ID %2 (%3).</source>
        <translation>%1 est déjà abonné sous l’ID %2 (%3).</translation>
    </message>
    <message>
        <source>The conflict could not be settled: %1</source>
        <translation>Le conflit n’a pas pu être résolu : %1</translation>
    </message>
    <message>
        <source>The calendars could not be read from %1</source>
        <translation>Les calendriers n’ont pas pu être lus depuis %1</translation>
    </message>
</context>
<context>
    <name>quillon::CalendarPreview</name>
    <message>
        <source>The calendar would not be drawn: %1.</source>
        <translation>Le calendrier ne serait pas dessiné : %1.</translation>
    </message>
</context>
<context>
    <name>quillon::ConflictsPane</name>
    <message>
        <source>Delete It Anyway</source>
        <translation>Supprimer quand même</translation>
    </message>
    <message>
        <source>Send My Change</source>
        <translation>Envoyer ma modification</translation>
    </message>
    <message>
        <source>Keep Both</source>
        <translation>Garder les deux</translation>
    </message>
    <message>
        <source>Keep the Server&apos;s</source>
        <translation>Garder celle du serveur</translation>
    </message>
    <message>
        <source>Drop My Change</source>
        <translation>Abandonner ma modification</translation>
    </message>
    <message>
        <source>Changes the server also had</source>
        <translation>Événements modifiés aussi sur le serveur</translation>
    </message>
</context>
<context>
    <name>quillon::EventSearchModel</name>
    <message>
        <source>The events could not be read.</source>
        <translation>Les événements n’ont pas pu être lus.</translation>
    </message>
    <message>
        <source>No event holds “%1”.</source>
        <translation>Aucun événement ne contient « %1 ».</translation>
    </message>
    <message>
        <source>The first %1 of %2 events</source>
        <translation>Les %1 premiers des %2 événements</translation>
    </message>
    <message>
        <source>1 event</source>
        <translation>1 événement</translation>
    </message>
    <message>
        <source>%1 events</source>
        <translation>%1 événements</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>Toute la journée</translation>
    </message>
    <message>
        <source>Past: last on %1</source>
        <translation>Passé : dernière fois le %1</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>ddd d MMM yyyy</source>
        <comment>date form of a found event</comment>
        <translation>ddd d MMM yyyy</translation>
    </message>
</context>
<context>
    <name>quillon::LauncherReminders</name>
    <message>
        <source>and %1 more</source>
        <translation>et %1 autres</translation>
    </message>
    <message>
        <source>%1 reminders while you were away</source>
        <translation>%1 rappels pendant votre absence</translation>
    </message>
    <message>
        <source>%1 reminders</source>
        <translation>%1 rappels</translation>
    </message>
    <message>
        <source> (all day)</source>
        <translation> (toute la journée)</translation>
    </message>
    <message>
        <source>Snooze 5 minutes</source>
        <translation>Rappeler dans 5 minutes</translation>
    </message>
    <message>
        <source>Open Scheduler</source>
        <translation>Ouvrir l’agenda</translation>
    </message>
</context>
<context>
    <name>quillon::LauncherSubscriptions</name>
    <message>
        <source> Open Calendars... to decide.</source>
        <translation> Décidez dans « Calendriers… ».</translation>
    </message>
    <message>
        <source>The calendar &quot;%1&quot; could not be refreshed: %2</source>
        <translation>Le calendrier « %1 » n’a pas pu être actualisé : %2</translation>
    </message>
    <message>
        <source>%1.

Password for %2 at %3:</source>
        <translation>%1.

Mot de passe de %2 sur %3 :</translation>
    </message>
    <message>
        <source>Open Calendars... to send your change, keep both or drop it.</source>
        <translation>Ouvrez « Calendriers… » pour envoyer votre modification, garder les deux ou l’abandonner.</translation>
    </message>
</context>
<context>
    <name>quillon::MonthGrid</name>
    <message numerus="yes">
        <source>+%n more</source>
        <translation>
            <numerusform>+%n autre</numerusform>
            <numerusform>+%n autres</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>quillon::RangePane</name>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
</context>
<context>
    <name>quillon::RepeatRuleEditor</name>
    <message>
        <source>Daily</source>
        <translation>Chaque jour</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Chaque semaine</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Chaque mois</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Chaque année</translation>
    </message>
    <message>
        <source>On day</source>
        <translation>Le jour</translation>
    </message>
    <message>
        <source>On the</source>
        <translation>Le</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Après</translation>
    </message>
    <message>
        <source>Repeats:</source>
        <translation>Répétition :</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>Tous les</translation>
    </message>
    <message>
        <source>Ends:</source>
        <translation>Fin :</translation>
    </message>
    <message>
        <source>occurrences</source>
        <translation>occurrences</translation>
    </message>
    <message>
        <source>day</source>
        <translation>jour</translation>
    </message>
    <message>
        <source>days</source>
        <translation>jours</translation>
    </message>
    <message>
        <source>week</source>
        <translation>semaine</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>semaines</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>months</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>year</source>
        <translation>an</translation>
    </message>
    <message>
        <source>years</source>
        <translation>ans</translation>
    </message>
    <message>
        <source>On:</source>
        <comment>the weekdays a weekly event repeats on</comment>
        <translation>Le :</translation>
    </message>
    <message>
        <source>On</source>
        <comment>the repeat ends on a date</comment>
        <translation>Le</translation>
    </message>
</context>
<context>
    <name>quillon::SchedulerCommands</name>
    <message>
        <source>Delete event &apos;%1&apos;?</source>
        <translation>Supprimer l’événement « %1 » ?</translation>
    </message>
    <message>
        <source>Delete all day event &apos;%1&apos;?</source>
        <translation>Supprimer l’événement sur la journée « %1 » ?</translation>
    </message>
    <message>
        <source>Move event &apos;%1&apos;?</source>
        <translation>Déplacer l’événement « %1 » ?</translation>
    </message>
    <message>
        <source>Move Event</source>
        <translation>Déplacer l’événement</translation>
    </message>
    <message>
        <source>&apos;%1&apos; would overlap &apos;%2&apos; on %3. Move it anyway?</source>
        <translation>« %1 » chevaucherait « %2 » le %3. Le déplacer quand même ?</translation>
    </message>
    <message>
        <source>Conflict</source>
        <translation>Conflit</translation>
    </message>
    <message>
        <source>Delete Event</source>
        <translation>Supprimer l’événement</translation>
    </message>
    <message>
        <source>Delete All Day Event</source>
        <translation>Supprimer l’événement sur la journée</translation>
    </message>
</context>
<context>
    <name>quillon::UndoHistory</name>
    <message>
        <source>New Event &quot;%1&quot;</source>
        <translation>Nouvel événement « %1 »</translation>
    </message>
    <message>
        <source>Change &quot;%1&quot;</source>
        <translation>Modifier « %1 »</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;</source>
        <translation>Supprimer « %1 »</translation>
    </message>
</context>
<context>
    <name>quillon::YearView</name>
    <message>
        <source>Previous year</source>
        <translation>Année précédente</translation>
    </message>
    <message>
        <source>Next year</source>
        <translation>Année suivante</translation>
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
        <translation>Calendrier de bureau et agenda pour </translation>
    </message>
    <message>
        <source>Warning: this computer program is protected by copyright law and international treaties; unauthorized reproduction or distribution of it, or of any part of it, is prohibited.</source>
        <translation>Avertissement : ce programme est protégé par le droit d’auteur et par des traités internationaux ; toute reproduction ou diffusion non autorisée de tout ou partie de ce programme est interdite.</translation>
    </message>
    <message>
        <source>About </source>
        <translation>À propos de </translation>
    </message>
</context>
<context>
    <name>quillon::frmCalendars</name>
    <message>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
    <message>
        <source>Last refresh</source>
        <translation>Dernière actualisation</translation>
    </message>
    <message>
        <source>Waiting to be sent</source>
        <translation>En attente d’envoi</translation>
    </message>
    <message>
        <source>Last error</source>
        <translation>Dernière erreur</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Ajouter…</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Retirer</translation>
    </message>
    <message>
        <source>Refresh &amp;now</source>
        <translation>Actualiser &amp;maintenant</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>New events &amp;go to:</source>
        <translation>Les nouveaux événements &amp;vont dans :</translation>
    </message>
    <message>
        <source>read only</source>
        <translation>lecture seule</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
    <message>
        <source>%1 change(s)</source>
        <translation>%1 modification(s)</translation>
    </message>
    <message>
        <source>Where new events go could not be kept.</source>
        <translation>Le calendrier des nouveaux événements n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>Remove the calendar &apos;%1&apos; and its events?</source>
        <translation>Retirer le calendrier « %1 » et ses événements ?</translation>
    </message>
    <message>
        <source>%1

Trust this certificate for this calendar?</source>
        <translation>%1

Faire confiance à ce certificat pour ce calendrier ?</translation>
    </message>
    <message>
        <source>%1

Send the password anyway?</source>
        <translation>%1

Envoyer quand même le mot de passe ?</translation>
    </message>
    <message>
        <source>https://, webcal:// or a CalDAV server</source>
        <translation>https://, webcal:// ou un serveur CalDAV</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse :</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>Nom d’&amp;utilisateur :</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Mot de passe :</translation>
    </message>
    <message>
        <source>User name and password only for a CalDAV account or a private address.</source>
        <translation>Nom d’utilisateur et mot de passe seulement pour un compte CalDAV ou une adresse privée.</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Calendriers</translation>
    </message>
    <message>
        <source>Add Calendar</source>
        <translation>Ajouter un calendrier</translation>
    </message>
    <message>
        <source>&amp;Colour...</source>
        <translation>&amp;Couleur…</translation>
    </message>
    <message>
        <source>Ticked: shown in the views and on the desktop</source>
        <translation>Coché : affiché dans les vues et sur le bureau</translation>
    </message>
    <message>
        <source>Whether the calendar is shown could not be kept.</source>
        <translation>L’affichage du calendrier n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>Calendar Colour</source>
        <translation>Couleur du calendrier</translation>
    </message>
    <message>
        <source>The calendar&apos;s colour could not be kept.</source>
        <translation>La couleur du calendrier n’a pas pu être enregistrée.</translation>
    </message>
</context>
<context>
    <name>quillon::frmConflict</name>
    <message>
        <source>&amp;Do not check for event conflicts.</source>
        <translation>Ne plus &amp;vérifier les conflits</translation>
    </message>
    <message>
        <source>&amp;Accept</source>
        <translation>&amp;Accepter</translation>
    </message>
    <message>
        <source>&amp;Reschedule</source>
        <translation>&amp;Replanifier</translation>
    </message>
    <message>
        <source>Existing events:</source>
        <translation>Événements existants :</translation>
    </message>
    <message>
        <source>Scheduling Conflict</source>
        <translation>Conflit d’horaire</translation>
    </message>
    <message>
        <source>This event conflicts with the existing events listed below.  Click on &apos;Accept&apos; to accept the conflict, or &apos;Reschedule&apos; to change the date and/or time of the event.</source>
        <translation>Cet événement chevauche les événements ci-dessous. Cliquez sur « Accepter » pour l’accepter quand même, ou sur « Replanifier » pour changer sa date ou son heure.</translation>
    </message>
</context>
<context>
    <name>quillon::frmEvent</name>
    <message>
        <source>Details</source>
        <translation>Détails</translation>
    </message>
    <message>
        <source>Recurrence</source>
        <translation>Répétition</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;All day event</source>
        <translation>&amp;Toute la journée</translation>
    </message>
    <message>
        <source>&amp;Icon</source>
        <translation>&amp;Icône</translation>
    </message>
    <message>
        <source>&amp;Start time:</source>
        <translation>&amp;Début :</translation>
    </message>
    <message>
        <source>&amp;End time:</source>
        <translation>&amp;Fin :</translation>
    </message>
    <message>
        <source>S&amp;ubject:</source>
        <translation>&amp;Titre :</translation>
    </message>
    <message>
        <source>&amp;Location:</source>
        <translation>&amp;Lieu :</translation>
    </message>
    <message>
        <source>Event &amp;date:</source>
        <translation>Dat&amp;e :</translation>
    </message>
    <message>
        <source>Event &amp;color:</source>
        <translation>&amp;Couleur :</translation>
    </message>
    <message>
        <source>Re&amp;minder:</source>
        <translation>Ra&amp;ppel :</translation>
    </message>
    <message>
        <source>Calenda&amp;r:</source>
        <translation>Calend&amp;rier :</translation>
    </message>
    <message>
        <source>&amp;Notes:</source>
        <translation>&amp;Notes :</translation>
    </message>
    <message>
        <source>&amp;Once</source>
        <translation>&amp;Une fois</translation>
    </message>
    <message>
        <source>&amp;Recurring</source>
        <translation>Plusieurs &amp;jours</translation>
    </message>
    <message>
        <source>Re&amp;peat</source>
        <translation>Ré&amp;péter</translation>
    </message>
    <message>
        <source>From %1</source>
        <extracomment>Above a read-only event: the server calendar it comes from.</extracomment>
        <translation>De %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Waiting to be sent to the calendar&apos;s server</source>
        <translation>En attente d’envoi au serveur du calendrier</translation>
    </message>
    <message>
        <source>Waiting to be sent to the calendar&apos;s server (last try: %1)</source>
        <translation>En attente d’envoi au serveur du calendrier (dernier essai : %1)</translation>
    </message>
    <message>
        <source>Change event &apos;%1&apos;?</source>
        <translation>Modifier l’événement « %1 » ?</translation>
    </message>
    <message>
        <source>None</source>
        <extracomment>No reminder for the event.</extracomment>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>1 week</source>
        <translation>1 semaine</translation>
    </message>
    <message>
        <source>%1 weeks</source>
        <translation>%1 semaines</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 jour</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 jours</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 heure</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation>%1 heures</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 minute</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 minutes</translation>
    </message>
    <message>
        <source>New Event</source>
        <translation>Nouvel événement</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>Modifier l’événement</translation>
    </message>
    <message>
        <source>Data Entry Error</source>
        <translation>Erreur de saisie</translation>
    </message>
    <message>
        <source>The End Time cannot be earlier than the Start Time.</source>
        <translation>La fin ne peut pas précéder le début.</translation>
    </message>
    <message>
        <source>Event date cannot be earlier than today.</source>
        <translation>La date de l’événement ne peut pas être antérieure à aujourd’hui.</translation>
    </message>
    <message>
        <source>Choose a start time and an end time, or tick All day event.</source>
        <translation>Choisissez un début et une fin, ou cochez « Toute la journée ».</translation>
    </message>
    <message>
        <source>Select at least one day on which this event occurs, or choose Once.</source>
        <translation>Choisissez au moins un jour pour cet événement, ou choisissez « Une fois ».</translation>
    </message>
    <message>
        <source>Select the days on which this event occurs:</source>
        <translation>Choisissez les jours de cet événement :</translation>
    </message>
    <message>
        <source>The days of this event (click a day to leave it out or add it):</source>
        <translation>Les jours de cet événement (cliquez sur un jour pour l’exclure ou l’ajouter) :</translation>
    </message>
    <message>
        <source>Change Event</source>
        <translation>Modifier l’événement</translation>
    </message>
</context>
<context>
    <name>quillon::frmFind</name>
    <message>
        <source>&amp;Show Day</source>
        <translation>Affic&amp;her le jour</translation>
    </message>
    <message>
        <source>Find Events</source>
        <translation>Rechercher des événements</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Rechercher :</translation>
    </message>
    <message>
        <source>Name, notes or place</source>
        <translation>Titre, notes ou lieu</translation>
    </message>
</context>
<context>
    <name>quillon::frmHelp</name>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Précédent</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Sommaire</translation>
    </message>
</context>
<context>
    <name>quillon::frmMain</name>
    <message>
        <source>&amp;Use Liturgical Colors</source>
        <translation>Couleurs &amp;liturgiques</translation>
    </message>
    <message>
        <source>&amp;Refresh Desktop Calendar</source>
        <translation>&amp;Actualiser le calendrier de bureau</translation>
    </message>
    <message>
        <source>Refresh &amp;Calendars</source>
        <translation>Actualiser les &amp;calendriers</translation>
    </message>
    <message>
        <source>C&amp;alendars...</source>
        <translation>Calen&amp;driers…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>  - waiting to be sent</source>
        <translation>  – en attente d’envoi</translation>
    </message>
    <message>
        <source>Import Calendar</source>
        <translation>Importer un calendrier</translation>
    </message>
    <message>
        <source>%1:
%2 added, %3 updated, %4 unchanged.</source>
        <translation>%1 :
%2 ajoutés, %3 mis à jour, %4 inchangés.</translation>
    </message>
    <message>
        <source>Export Calendar</source>
        <translation>Exporter le calendrier</translation>
    </message>
    <message>
        <source>%1 events were written to %2.</source>
        <translation>%1 événements ont été écrits dans %2.</translation>
    </message>
    <message>
        <source>Left out:</source>
        <translation>Ignorés :</translation>
    </message>
    <message>
        <source>&amp;Today</source>
        <translation>Aujourd’&amp;hui</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Notes :</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;New Event...</source>
        <translation>&amp;Nouvel événement…</translation>
    </message>
    <message>
        <source>&amp;Import Calendar...</source>
        <translation>&amp;Importer un calendrier…</translation>
    </message>
    <message>
        <source>Ex&amp;port Calendar...</source>
        <translation>E&amp;xporter le calendrier…</translation>
    </message>
    <message>
        <source>&amp;Calendars...</source>
        <translation>&amp;Calendriers…</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>&amp;Aperçu avant impression…</translation>
    </message>
    <message>
        <source>P&amp;rint...</source>
        <translation>Imp&amp;rimer…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>&amp;Edit Event...</source>
        <translation>&amp;Modifier l’événement…</translation>
    </message>
    <message>
        <source>&amp;Delete Event</source>
        <translation>&amp;Supprimer l’événement</translation>
    </message>
    <message>
        <source>Delete &amp;All Day Event</source>
        <translation>Supprimer un événement sur la &amp;journée</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Rechercher…</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Préférences</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation>&amp;Sommaire…</translation>
    </message>
    <message>
        <source>&amp;About Quillon...</source>
        <translation>À &amp;propos de Quillon…</translation>
    </message>
    <message>
        <source>PopupMenu</source>
        <translation>Menu contextuel</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d’outils</translation>
    </message>
    <message>
        <source>New Event</source>
        <translation>Nouvel événement</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>Modifier l’événement</translation>
    </message>
    <message>
        <source>Delete Event</source>
        <translation>Supprimer l’événement</translation>
    </message>
    <message>
        <source>Refresh Desktop Calendar</source>
        <translation>Actualiser le calendrier de bureau</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Day</source>
        <translation>&amp;Jour</translation>
    </message>
    <message>
        <source>&amp;Work Week</source>
        <translation>Semaine de &amp;travail</translation>
    </message>
    <message>
        <source>W&amp;eek</source>
        <translation>&amp;Semaine</translation>
    </message>
    <message>
        <source>&amp;Month</source>
        <translation>&amp;Mois</translation>
    </message>
    <message>
        <source>&amp;Agenda</source>
        <translation>&amp;Liste</translation>
    </message>
    <message>
        <source>Agenda &amp;Span</source>
        <translation>&amp;Durée de la liste</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Précédent</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Suivant</translation>
    </message>
    <message>
        <source>Exiting Quillon</source>
        <translation>Quitter Quillon</translation>
    </message>
    <message>
        <source>Do you want to clear the calendar from the desktop?<byte value="xd"/>
<byte value="xd"/>
Click &apos;Yes&apos; to clear the calendar from the desktop wallpaper.<byte value="xd"/>
Click &apos;No&apos; to keep the calendar on the desktop wallpaper.</source>
        <translation>Voulez-vous retirer le calendrier du bureau ?<byte value="xd"/>
<byte value="xd"/>
« Oui » retire le calendrier du fond d’écran.<byte value="xd"/>
« Non » le laisse dans le fond d’écran.</translation>
    </message>
    <message>
        <source>Quillon Scheduler</source>
        <translation>Agenda Quillon</translation>
    </message>
    <message>
        <source>Calendar files (*.ics);;All files (*)</source>
        <translation>Fichiers de calendrier (*.ics);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation>
… et %1 autres</translation>
    </message>
    <message>
        <source>Open &amp;Scheduler</source>
        <translation>Ouvrir l’&amp;agenda</translation>
    </message>
    <message>
        <source>The settings could not be written: %1</source>
        <translation>Les paramètres n’ont pas pu être enregistrés : %1</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 minute</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>1 second</source>
        <translation>1 seconde</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 secondes</translation>
    </message>
    <message>
        <source>The calendar program did not finish within %1 and was stopped</source>
        <translation>Le programme du calendrier ne s’est pas terminé en %1 et a été arrêté</translation>
    </message>
    <message>
        <source>The calendar program ended abnormally</source>
        <translation>Le programme du calendrier s’est terminé anormalement</translation>
    </message>
    <message>
        <source>; the desktop calendar was not redrawn</source>
        <translation> ; le calendrier du bureau n’a pas été redessiné</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>Fichier introuvable : %1</translation>
    </message>
    <message>
        <source>No help viewer could open %1</source>
        <translation>Aucun visualiseur d’aide n’a pu ouvrir %1</translation>
    </message>
</context>
<context>
    <name>quillon::frmWarning</name>
    <message>
        <source>Later</source>
        <translation>Plus tard</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>OK (%1 second)</source>
        <extracomment>The button with the seconds left before the calendar is changed.</extracomment>
        <translation>OK (%1 seconde)</translation>
    </message>
    <message>
        <source>OK (%1 seconds)</source>
        <translation>OK (%1 secondes)</translation>
    </message>
    <message>
        <source>Quillon needs to change the desktop calendar.</source>
        <translation>Quillon doit changer le calendrier de bureau.</translation>
    </message>
    <message>
        <source>Click the &apos;OK&apos; button to change the calendar now.</source>
        <translation>Cliquez sur « OK » pour changer le calendrier maintenant.</translation>
    </message>
    <message>
        <source>Click the &apos;OK&apos; button to change the calendar now (or wait until the timeout has completed and Quillon will then perform the change).</source>
        <translation>Cliquez sur « OK » pour changer le calendrier maintenant (ou attendez la fin du délai : Quillon le changera alors lui-même).</translation>
    </message>
    <message>
        <source>Click the &apos;Later&apos; button to change the calendar yourself at a time that is more convenient. You can change the calendar by right-clicking on the Quillon icon in the system tray and selecting the &apos;Refresh Desktop Calendar&quot; option.</source>
        <translation>Cliquez sur « Plus tard » pour changer le calendrier vous-même au moment qui vous convient : cliquez avec le bouton droit sur l’icône de Quillon dans la zone de notification et choisissez « Actualiser le calendrier de bureau ».</translation>
    </message>
</context>
</TS>
