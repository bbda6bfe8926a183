#include "ICalendarWriter.h"

#include "IcalComponent.h"
#include "ICalendarKept.h"

#include <libical/ical.h>

#include <QMultiHash>
#include <QSet>
#include <QTimeZone>

#include <algorithm>
#include <cstring>
#include <memory>

namespace quillon {

namespace ICalendarWriter {

namespace {

using ComponentPtr = IcalComponentPtr;

icaltimetype DateValue(QDate date) { return IcalDate(date); }

// A floating time to the minute: the local time of whoever reads the file, as the store
// keeps it.
icaltimetype DateTimeValue(QDate date, QTime time) { return IcalWallTime(date, QTime(time.hour(), time.minute())); }

icaltimetype UtcValue(const QDateTime &stamp) { return IcalUtc(stamp); }

void AddText(icalcomponent *component, icalproperty *(*make)(const char *), const QString &text)
{
    icalcomponent_add_property(component, make(text.toUtf8().constData()));
}

// A name or notes as a TEXT value: control characters other than TAB and line feed
// cannot be written (a raw one breaks the file for every reader) and are left out.
QString TextValue(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if ((c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n')) || c.unicode() == 0x7F)
            continue;
        clean.append(c);
    }
    return clean;
}

void AddX(icalcomponent *component, const char *name, const QString &value)
{
    icalproperty *property = icalproperty_new_x(value.toUtf8().constData());
    icalproperty_set_x_name(property, name);
    icalcomponent_add_property(component, property);
}

using Part = OutgoingEvent::Part;

// One occurrence as written: from its first day and start to its last day and end
// (all-day: whole days), looking like its part.
struct Occurrence {
    QDate first;
    QTime start;
    QDate last;
    QTime end;
    const Part *part;

    QDateTime Start() const { return QDateTime(first, start, Qt::UTC); }
    QDateTime End() const { return QDateTime(last, end, Qt::UTC); }
    bool AllDay() const { return part->Event.AllDayEvent; }
    // What a RECURRENCE-ID must say again: all but the times and days.
    basDatabase::EventRecord Look() const
    {
        basDatabase::EventRecord look = part->Event;
        look.StartTime = look.EndTime = QTime();
        look.Recurring = false;
        return look;
    }
    qint64 Length() const { return AllDay() ? first.daysTo(last) : Start().secsTo(End()); }
};

const QTime kDayEnd(23, 59);

// The days of the series' events as occurrences, in order. An all-day event whose days
// follow each other is one occurrence; a timed day that ends at 23:59 goes on into a day
// after it that starts at 00:00 and looks the same (the morning carries no reminder of
// its own when the evening has one).
QList<Occurrence> OccurrencesOf(const QList<const Part *> &parts)
{
    QList<Occurrence> occurrences;
    struct Piece {
        QDate date;
        const Part *part;
        bool used = false;
    };
    QList<Piece> timed;
    for (const Part *part : parts) {
        const QList<QDate> &dates = part->Dates;
        if (dates.isEmpty())
            continue;
        if (!part->Event.AllDayEvent) {
            for (const QDate &date : dates)
                timed.append(Piece{date, part});
        } else if (dates.first().daysTo(dates.last()) == dates.size() - 1) {
            occurrences.append(Occurrence{dates.first(), QTime(0, 0), dates.last().addDays(1), QTime(0, 0), part});
        } else {
            for (const QDate &date : dates)
                occurrences.append(Occurrence{date, QTime(0, 0), date.addDays(1), QTime(0, 0), part});
        }
    }
    std::sort(timed.begin(), timed.end(), [](const Piece &a, const Piece &b) {
        return std::pair(a.date, a.part->Event.StartTime) < std::pair(b.date, b.part->Event.StartTime);
    });
    QMultiHash<QDate, qsizetype> mornings; // the pieces that start at 00:00, by day
    for (qsizetype i = 0; i < timed.size(); ++i) {
        if (timed[i].part->Event.StartTime == QTime(0, 0))
            mornings.insert(timed[i].date, i);
    }
    const auto alike = [](const basDatabase::EventRecord &a, const basDatabase::EventRecord &b) {
        return a.EventName == b.EventName && a.Notes == b.Notes && a.EventColor == b.EventColor
               && a.EventIcon == b.EventIcon && !b.Reminder;
    };
    for (qsizetype i = 0; i < timed.size(); ++i) {
        if (timed[i].used)
            continue;
        timed[i].used = true;
        Occurrence occurrence{timed[i].date, timed[i].part->Event.StartTime, timed[i].date,
                              timed[i].part->Event.EndTime, timed[i].part};
        for (bool goesOn = occurrence.end == kDayEnd; goesOn;) {
            goesOn = false;
            const QDate next = occurrence.last.addDays(1);
            for (auto it = mornings.constFind(next); it != mornings.cend() && it.key() == next; ++it) {
                Piece &morning = timed[*it];
                if (morning.used || !alike(occurrence.part->Event, morning.part->Event))
                    continue;
                morning.used = true;
                occurrence.last = next;
                occurrence.end = morning.part->Event.EndTime;
                goesOn = occurrence.end == kDayEnd;
                break;
            }
        }
        occurrences.append(occurrence);
    }
    std::sort(occurrences.begin(), occurrences.end(), [](const Occurrence &a, const Occurrence &b) {
        return std::pair(a.first, a.start) < std::pair(b.first, b.start);
    });
    return occurrences;
}

void AddTimes(icalcomponent *component, const Occurrence &occurrence)
{
    if (occurrence.AllDay()) {
        icalcomponent_add_property(component, icalproperty_new_dtstart(DateValue(occurrence.first)));
        icalcomponent_add_property(component, icalproperty_new_dtend(DateValue(occurrence.last)));
    } else {
        icalcomponent_add_property(component, icalproperty_new_dtstart(DateTimeValue(occurrence.first, occurrence.start)));
        icalcomponent_add_property(component, icalproperty_new_dtend(DateTimeValue(occurrence.last, occurrence.end)));
    }
}

// What the occurrence is called and says, its colour, icon and reminder.
void AddLook(icalcomponent *component, const Occurrence &occurrence, const QString &origin)
{
    const basDatabase::EventRecord &event = occurrence.part->Event;
    // An empty value is no value to most readers: an event without a name has none.
    if (!event.EventName.isEmpty())
        AddText(component, icalproperty_new_summary, TextValue(event.EventName));
    if (!event.Notes.isEmpty())
        AddText(component, icalproperty_new_description, TextValue(event.Notes));
    if (!occurrence.part->CssColor.isEmpty())
        AddText(component, icalproperty_new_color, occurrence.part->CssColor);
    if (!origin.isEmpty())
        AddX(component, "X-QUILLON-ORIGIN", origin);
    if (event.EventIcon != 0)
        AddX(component, "X-QUILLON-ICON", QString::number(event.EventIcon));
    // The reminder as other programs know it: a display alarm counting from the start.
    if (event.Reminder) {
        icalcomponent *alarm = icalcomponent_new_valarm();
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        AddText(alarm, icalproperty_new_description,
                event.EventName.isEmpty() ? QStringLiteral("Reminder") : TextValue(event.EventName));
        icaltriggertype trigger;
        trigger.time = icaltime_null_time();
        trigger.duration = icaldurationtype_null_duration();
        trigger.duration.is_neg = *event.Reminder > 0 ? 1 : 0;
        trigger.duration.minutes = static_cast<unsigned int>(*event.Reminder);
        icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
        icalcomponent_add_component(component, alarm);
    }
}

// The further occurrences of each series as RDATE lines, written by hand in libical's own
// form: a year-long weekly series has 52 of them, and as libical properties they were
// most of an export's time. A placeholder property stands where they go (Splice).
const char kRdatesHere[] = "X-QUILLON-RDATES-HERE";

void AppendDigits(QByteArray &text, int value, int width)
{
    char digits[4];
    for (int i = width - 1; i >= 0; --i, value /= 10)
        digits[i] = char('0' + value % 10);
    text.append(digits, width);
}

void AppendRdate(QByteArray &lines, const icaltimetype &time)
{
    lines += time.is_date ? "RDATE;VALUE=DATE:" : "RDATE:";
    AppendDigits(lines, time.year, 4);
    AppendDigits(lines, time.month, 2);
    AppendDigits(lines, time.day, 2);
    if (!time.is_date) {
        lines += 'T';
        AppendDigits(lines, time.hour, 2);
        AppendDigits(lines, time.minute, 2);
        AppendDigits(lines, time.second, 2);
    }
    lines += "\r\n";
}

// libical's text with each placeholder line replaced by its series' RDATE lines, in order.
QByteArray Splice(const QByteArray &text, const QList<QByteArray> &blocks)
{
    qsizetype extra = 0;
    for (const QByteArray &block : blocks)
        extra += block.size();
    QByteArray result;
    result.reserve(text.size() + extra);
    const QByteArray marker = QByteArrayLiteral("\r\n") + kRdatesHere + ':';
    qsizetype from = 0;
    for (const QByteArray &block : blocks) {
        const qsizetype at = text.indexOf(marker, from);
        const qsizetype next = at < 0 ? -1 : text.indexOf("\r\n", at + 2);
        Q_ASSERT(next >= 0);
        if (next < 0)
            break;
        result.append(text.constData() + from, at + 2 - from);
        result += block;
        from = next + 2;
    }
    result.append(text.constData() + from, text.size() - from);
    return result;
}

// The master VEVENT and one for each occurrence that differs from it, added to calendar.
void AddSeries(icalcomponent *calendar, const OutgoingEvent &outgoing, const icaltimetype &stamp,
               QList<QByteArray> &rdates)
{
    const Part own{outgoing.Event, outgoing.Dates, outgoing.CssColor};
    QList<const Part *> parts{&own};
    for (const Part &other : outgoing.Others)
        parts.append(&other);
    const QList<Occurrence> occurrences = OccurrencesOf(parts);
    if (occurrences.isEmpty())
        return;
    const Occurrence &master = occurrences.first();
    icalcomponent *component = icalcomponent_new_vevent();
    AddText(component, icalproperty_new_uid, outgoing.Uid);
    icalcomponent_add_property(component, icalproperty_new_dtstamp(stamp));
    AddTimes(component, master);
    // Each further occurrence where it starts, in the master's kind of value; the first
    // of two at one instant is the one written.
    const auto instant = [&master](const Occurrence &occurrence) {
        return master.AllDay() ? DateValue(occurrence.first) : DateTimeValue(occurrence.first, occurrence.start);
    };
    QSet<std::pair<QDate, QTime>> taken{{master.first, master.AllDay() ? QTime() : master.start}};
    QList<const Occurrence *> changed;
    int written = 1;
    QByteArray lines;
    for (qsizetype i = 1; i < occurrences.size(); ++i) {
        const Occurrence &occurrence = occurrences[i];
        const std::pair<QDate, QTime> at{occurrence.first, master.AllDay() ? QTime() : occurrence.start};
        if (taken.contains(at))
            continue;
        taken.insert(at);
        ++written;
        AppendRdate(lines, instant(occurrence));
        if (occurrence.AllDay() != master.AllDay() || occurrence.Length() != master.Length()
            || occurrence.Look() != master.Look())
            changed.append(&occurrence);
    }
    if (!lines.isEmpty()) {
        AddX(component, kRdatesHere, QString::number(rdates.size()));
        rdates.append(lines);
    }
    AddLook(component, master, outgoing.Origin);
    // Said only where the number of occurrences and days would suggest otherwise.
    const bool said = std::any_of(parts.cbegin(), parts.cend(), [&](const Part *part) {
        return !part->Dates.isEmpty() && part->Event.Recurring != (written > 1 || part->Dates.size() > 1);
    });
    if (said)
        AddX(component, "X-QUILLON-RECURRING", outgoing.Event.Recurring ? QStringLiteral("1") : QStringLiteral("0"));
    icalcomponent_add_component(calendar, component);
    for (const Occurrence *occurrence : std::as_const(changed)) {
        icalcomponent *change = icalcomponent_new_vevent();
        AddText(change, icalproperty_new_uid, outgoing.Uid);
        icalcomponent_add_property(change, icalproperty_new_dtstamp(stamp));
        icalcomponent_add_property(change, icalproperty_new_recurrenceid(instant(*occurrence)));
        AddTimes(change, *occurrence);
        AddLook(change, *occurrence, outgoing.Origin);
        icalcomponent_add_component(calendar, change);
    }
}

} // namespace

QByteArray WriteCalendar(const QList<OutgoingEvent> &events, const QDateTime &stamp)
{
    ComponentPtr calendar(icalcomponent_new_vcalendar());
    AddText(calendar.get(), icalproperty_new_version, QStringLiteral("2.0"));
    AddText(calendar.get(), icalproperty_new_prodid, QStringLiteral("-//Velmora Software//Quillon Desktop Calendar//EN"));
    AddText(calendar.get(), icalproperty_new_calscale, QStringLiteral("GREGORIAN"));
    const icaltimetype stampValue = UtcValue(stamp);
    QList<QByteArray> rdates;
    QByteArray zones;
    QByteArray keptEvents;
    QSet<QByteArray> zoneIds;
    QList<QByteArray> named;
    for (const OutgoingEvent &event : events) {
        if (event.Kept.isEmpty()) {
            AddSeries(calendar.get(), event, stampValue, rdates);
            continue;
        }
        const ICalendarKept::Pieces pieces = ICalendarKept::Split(event.Kept, event.Origin);
        for (qsizetype i = 0; i < pieces.Zones.size(); ++i) {
            if (!zoneIds.contains(pieces.ZoneIds[i])) {
                zoneIds.insert(pieces.ZoneIds[i]);
                zones += pieces.Zones[i];
            }
        }
        keptEvents += pieces.Events;
        named += pieces.NamedZones;
    }
    // A zone named but not given (an event made here names the system's) from the system.
    for (const QByteArray &id : std::as_const(named)) {
        if (zoneIds.contains(id))
            continue;
        zoneIds.insert(id);
        zones += ICalendarKept::SystemZone(id);
    }
    char *text = icalcomponent_as_ical_string_r(calendar.get());
    QByteArray result = Splice(QByteArray::fromRawData(text, qsizetype(std::strlen(text))), rdates);
    icalmemory_free_buffer(text);
    if (!keptEvents.isEmpty()) {
        // The time zones first, as readers that read once expect them.
        const qsizetype end = result.lastIndexOf("END:VCALENDAR");
        result.insert(end, keptEvents);
        const qsizetype first = std::min(result.indexOf("BEGIN:VEVENT"), end);
        result.insert(first < 0 ? end : first, zones);
    }
    return result;
}

} // namespace ICalendarWriter

} // namespace quillon
