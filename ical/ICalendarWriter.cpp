#include "ICalendarWriter.h"

#include <libical/ical.h>

#include <memory>

namespace ICalendarWriter {

namespace {

struct ComponentDeleter {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentDeleter>;

icaltimetype DateValue(QDate date)
{
    icaltimetype value = icaltime_null_date();
    value.year = date.year();
    value.month = date.month();
    value.day = date.day();
    return value;
}

// A floating time: the local time of whoever reads the file, as the store keeps it.
icaltimetype DateTimeValue(QDate date, QTime time)
{
    icaltimetype value = icaltime_null_time();
    value.year = date.year();
    value.month = date.month();
    value.day = date.day();
    value.hour = time.hour();
    value.minute = time.minute();
    return value;
}

icaltimetype UtcValue(const QDateTime &stamp)
{
    const QDateTime utc = stamp.toUTC();
    icaltimetype value = DateTimeValue(utc.date(), utc.time());
    value.second = utc.time().second();
    return icaltime_set_timezone(&value, icaltimezone_get_utc_timezone());
}

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

icalcomponent *EventComponent(const OutgoingEvent &outgoing, const icaltimetype &stamp)
{
    const basDatabase::EventRecord &event = outgoing.Event;
    icalcomponent *component = icalcomponent_new_vevent();
    AddText(component, icalproperty_new_uid, outgoing.Uid);
    icalcomponent_add_property(component, icalproperty_new_dtstamp(stamp));
    const QDate first = outgoing.Dates.first();
    // All-day days that follow each other are one event of that many days, as other
    // programs show them; the end is exclusive.
    const bool oneRun = event.AllDayEvent && first.daysTo(outgoing.Dates.last()) == outgoing.Dates.size() - 1;
    if (oneRun) {
        icalcomponent_add_property(component, icalproperty_new_dtstart(DateValue(first)));
        icalcomponent_add_property(component, icalproperty_new_dtend(DateValue(outgoing.Dates.last().addDays(1))));
    } else if (event.AllDayEvent) {
        icalcomponent_add_property(component, icalproperty_new_dtstart(DateValue(first)));
        icalcomponent_add_property(component, icalproperty_new_dtend(DateValue(first.addDays(1))));
    } else {
        icalcomponent_add_property(component, icalproperty_new_dtstart(DateTimeValue(first, event.StartTime)));
        icalcomponent_add_property(component, icalproperty_new_dtend(DateTimeValue(first, event.EndTime)));
    }
    for (qsizetype i = 1; !oneRun && i < outgoing.Dates.size(); ++i) {
        icaldatetimeperiodtype further;
        further.time = event.AllDayEvent ? DateValue(outgoing.Dates[i])
                                         : DateTimeValue(outgoing.Dates[i], event.StartTime);
        further.period = icalperiodtype_null_period();
        icalcomponent_add_property(component, icalproperty_new_rdate(further));
    }
    // An empty value is no value to most readers: an event without a name has none.
    if (!event.EventName.isEmpty())
        AddText(component, icalproperty_new_summary, TextValue(event.EventName));
    if (!event.Notes.isEmpty())
        AddText(component, icalproperty_new_description, TextValue(event.Notes));
    if (!outgoing.CssColor.isEmpty())
        AddText(component, icalproperty_new_color, outgoing.CssColor);
    if (!outgoing.Origin.isEmpty())
        AddX(component, "X-QUILLON-ORIGIN", outgoing.Origin);
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
    // Said only where the number of days would suggest otherwise.
    if (event.Recurring != (outgoing.Dates.size() > 1))
        AddX(component, "X-QUILLON-RECURRING", event.Recurring ? QStringLiteral("1") : QStringLiteral("0"));
    return component;
}

} // namespace

QByteArray WriteCalendar(const QList<OutgoingEvent> &events, const QDateTime &stamp)
{
    ComponentPtr calendar(icalcomponent_new_vcalendar());
    AddText(calendar.get(), icalproperty_new_version, QStringLiteral("2.0"));
    AddText(calendar.get(), icalproperty_new_prodid, QStringLiteral("-//Velmora Software//Quillon Desktop Calendar//EN"));
    AddText(calendar.get(), icalproperty_new_calscale, QStringLiteral("GREGORIAN"));
    const icaltimetype stampValue = UtcValue(stamp);
    for (const OutgoingEvent &event : events) {
        if (!event.Dates.isEmpty())
            icalcomponent_add_component(calendar.get(), EventComponent(event, stampValue));
    }
    char *text = icalcomponent_as_ical_string_r(calendar.get());
    const QByteArray result(text);
    icalmemory_free_buffer(text);
    return result;
}

} // namespace ICalendarWriter
