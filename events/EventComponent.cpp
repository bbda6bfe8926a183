#include "EventComponent.h"

#include "IcalComponent.h"
#include "EventColors.h"

#include <libical/ical.h>

#include <QSet>

#include <algorithm>

namespace quillon {

namespace EventComponent {

namespace {

using ComponentPtr = IcalComponentPtr;

icalproperty *First(icalcomponent *component, icalproperty_kind kind)
{
    return icalcomponent_get_first_property(component, kind);
}

icalproperty *XProperty(icalcomponent *component, const char *name)
{
    for (icalproperty *p = First(component, ICAL_X_PROPERTY); p; p = icalcomponent_get_next_property(component, ICAL_X_PROPERTY)) {
        if (const char *x = icalproperty_get_x_name(p); x && qstricmp(x, name) == 0)
            return p;
    }
    return nullptr;
}

void RemoveAll(icalcomponent *component, icalproperty_kind kind)
{
    while (icalproperty *p = First(component, kind)) {
        icalcomponent_remove_property(component, p);
        icalproperty_free(p);
    }
}

void SetText(icalcomponent *component, icalproperty_kind kind, const QString &value,
             icalproperty *(*make)(const char *))
{
    RemoveAll(component, kind);
    if (!value.isEmpty())
        icalcomponent_add_property(component, make(value.toUtf8().constData()));
}

// The zone a DTSTART is in, as Qt knows it; nothing for one it does not.
std::optional<QTimeZone> ZoneOf(icalproperty *start, const QTimeZone &localZone)
{
    const icaltimetype value = icalproperty_get_dtstart(start);
    if (icaltime_is_utc(value))
        return QTimeZone::utc();
    icalparameter *tzid = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER);
    if (!tzid)
        return localZone; // floating: the wall clock wherever the user is
    QByteArray name = icalparameter_get_tzid(tzid);
    while (name.startsWith('/'))
        name.remove(0, 1);
    const QTimeZone zone(name);
    if (zone.isValid())
        return zone;
    return std::nullopt;
}

// The occurrence of day (local) at time (local) as a value in the DTSTART's own terms.
icaltimetype InstanceOf(QDate day, QTime time, icalproperty *start, const QTimeZone &zone, const QTimeZone &localZone)
{
    const icaltimetype form = icalproperty_get_dtstart(start);
    if (form.is_date)
        return IcalDate(day);
    const QDateTime there = QDateTime(day, time, localZone).toTimeZone(zone);
    icaltimetype value = IcalWallTime(there.date(), there.time());
    if (icaltime_is_utc(form))
        value.zone = icaltimezone_get_utc_timezone();
    return value;
}

// The property with the start's own TZID (a timed value) or VALUE=DATE (a date).
icalproperty *LikeStart(icalproperty *property, icalproperty *start, const icaltimetype &value)
{
    if (icalparameter *tzid = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER); tzid && !value.is_date)
        icalproperty_add_parameter(property, icalparameter_new_clone(tzid));
    if (value.is_date)
        icalproperty_add_parameter(property, icalparameter_new_value(ICAL_VALUE_DATE));
    return property;
}

icalproperty *RdateProperty(icalproperty *start, const icaltimetype &value)
{
    icaldatetimeperiodtype when;
    when.time = value;
    when.period = icalperiodtype_null_period();
    return LikeStart(icalproperty_new_rdate(when), start, value);
}

icalproperty *ExdateProperty(icalproperty *start, const icaltimetype &value)
{
    return LikeStart(icalproperty_new_exdate(value), start, value);
}

void AddX(icalcomponent *event, const char *name, const QByteArray &value)
{
    icalproperty *property = icalproperty_new_x(value.constData());
    icalproperty_set_x_name(property, name);
    icalcomponent_add_property(event, property);
}

// Moves every timed instant of the component that names an occurrence by seconds.
void Shift(icalcomponent *event, int seconds)
{
    if (seconds == 0)
        return;
    const icaldurationtype by = icaldurationtype_from_int(seconds);
    for (icalproperty_kind kind : {ICAL_EXDATE_PROPERTY, ICAL_RDATE_PROPERTY, ICAL_RECURRENCEID_PROPERTY}) {
        for (icalproperty *p = First(event, kind); p; p = icalcomponent_get_next_property(event, kind)) {
            if (kind == ICAL_RDATE_PROPERTY) {
                icaldatetimeperiodtype when = icalproperty_get_rdate(p);
                if (icalperiodtype_is_null_period(when.period) && !when.time.is_date) {
                    when.time = icaltime_add(when.time, by);
                    icalproperty_set_rdate(p, when);
                }
            } else if (kind == ICAL_EXDATE_PROPERTY) {
                icaltimetype time = icalproperty_get_exdate(p);
                if (!time.is_date)
                    icalproperty_set_exdate(p, icaltime_add(time, by));
            } else {
                icaltimetype time = icalproperty_get_recurrenceid(p);
                if (!time.is_date)
                    icalproperty_set_recurrenceid(p, icaltime_add(time, by));
            }
        }
    }
}

int MinutesOf(QTime time) { return time.hour() * 60 + time.minute(); }

bool WriteTimes(icalcomponent *master, const QList<icalcomponent *> &changes, const Change &change)
{
    const int startBy = (MinutesOf(change.After.StartTime) - MinutesOf(change.Before.StartTime)) * 60;
    const int endBy = (MinutesOf(change.After.EndTime) - MinutesOf(change.Before.EndTime)) * 60;
    if (startBy == 0 && endBy == 0)
        return true;
    icalproperty *start = First(master, ICAL_DTSTART_PROPERTY);
    if (!start)
        return false;
    icaltimetype value = icalproperty_get_dtstart(start);
    icalproperty_set_dtstart(start, icaltime_add(value, icaldurationtype_from_int(startBy)));
    if (icalproperty *end = First(master, ICAL_DTEND_PROPERTY))
        icalproperty_set_dtend(end, icaltime_add(icalproperty_get_dtend(end), icaldurationtype_from_int(endBy)));
    else if (icalproperty *duration = First(master, ICAL_DURATION_PROPERTY))
        icalproperty_set_duration(
            duration, icaldurationtype_from_int(icaldurationtype_as_int(icalproperty_get_duration(duration)) + endBy - startBy));
    else if (endBy != startBy)
        return false;
    // A rule's last instant moves with its occurrences, or the last of them would drop out.
    for (icalproperty *rule = First(master, ICAL_RRULE_PROPERTY); rule;
         rule = icalcomponent_get_next_property(master, ICAL_RRULE_PROPERTY)) {
        icalrecurrencetype recurrence = icalproperty_get_rrule(rule);
        if (!icaltime_is_null_time(recurrence.until) && !recurrence.until.is_date) {
            recurrence.until = icaltime_add(recurrence.until, icaldurationtype_from_int(startBy));
            icalproperty_set_rrule(rule, recurrence);
        }
    }
    Shift(master, startBy);
    for (icalcomponent *other : changes)
        Shift(other, startBy);
    return true;
}

// The event's first alarm set to minutes before its start; none when empty.
void SetReminder(icalcomponent *event, const std::optional<int> &minutes, const QString &name)
{
    icalcomponent *alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    if (!minutes) {
        if (alarm) {
            icalcomponent_remove_component(event, alarm);
            icalcomponent_free(alarm);
        }
        return;
    }
    icaltriggertype trigger;
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-*minutes * 60);
    if (alarm) {
        RemoveAll(alarm, ICAL_TRIGGER_PROPERTY);
        icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
        return;
    }
    alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_description(
                                          (name.isEmpty() ? QStringLiteral("Reminder") : name).toUtf8().constData()));
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_component(event, alarm);
}

void WriteReminder(icalcomponent *event, const std::optional<int> &before, const std::optional<int> &after,
                   const QString &name)
{
    if (before != after)
        SetReminder(event, after, name);
}

void SetIcon(icalcomponent *event, int icon)
{
    if (icalproperty *old = XProperty(event, "X-QUILLON-ICON")) {
        icalcomponent_remove_property(event, old);
        icalproperty_free(old);
    }
    if (icon != 0)
        AddX(event, "X-QUILLON-ICON", QByteArray::number(icon));
}

void WriteLook(icalcomponent *event, const Change &change, bool master)
{
    const basDatabase::EventRecord &before = change.Before;
    const basDatabase::EventRecord &after = change.After;
    // A changed occurrence keeps what it says of its own unless it said what the series said.
    const auto own = [&](icalproperty_kind kind, const QString &old) {
        if (master)
            return true;
        icalproperty *p = First(event, kind);
        return p && QString::fromUtf8(icalproperty_get_value_as_string(p)) == old;
    };
    if (before.EventName != after.EventName && own(ICAL_SUMMARY_PROPERTY, before.EventName))
        SetText(event, ICAL_SUMMARY_PROPERTY, after.EventName, icalproperty_new_summary);
    if (before.Notes != after.Notes && (master || First(event, ICAL_DESCRIPTION_PROPERTY)))
        SetText(event, ICAL_DESCRIPTION_PROPERTY, after.Notes, icalproperty_new_description);
    if (before.EventColor != after.EventColor && master)
        SetText(event, ICAL_COLOR_PROPERTY, EventColors::CssNameOf(after.EventColor), icalproperty_new_color);
    if (before.EventIcon != after.EventIcon && master)
        SetIcon(event, after.EventIcon);
    if (master)
        WriteReminder(event, before.Reminder, after.Reminder, after.EventName);
}

// The local day of the master's first occurrence.
QDate StartDate(icalproperty *start, const QTimeZone &zone, const QTimeZone &localZone)
{
    const icaltimetype value = icalproperty_get_dtstart(start);
    const QDate day(value.year, value.month, value.day);
    if (value.is_date)
        return day;
    return QDateTime(day, QTime(value.hour, value.minute, value.second), zone).toTimeZone(localZone).date();
}

// A timed series ends its rule at the end of its last day in its zone, in UTC, as the
// standard wants UNTIL of the same kind as the start.
void AddRule(icalcomponent *event, const Recurrence &rule, const std::optional<QTimeZone> &timedZone)
{
    const QByteArray value = rule.ToRRule().toUtf8();
    if (value.isEmpty())
        return;
    icalrecurrencetype recurrence = icalrecurrencetype_from_string(value.constData());
    if (timedZone && rule.Until.isValid()) {
        recurrence.until = IcalUtc(QDateTime(rule.Until, QTime(23, 59, 59), *timedZone));
    }
    icalcomponent_add_property(event, icalproperty_new_rrule(recurrence));
}

// A rule without end is looked at as far as the event's days go, and five years at least.
QList<QDate> RuleDays(const Recurrence &rule, QDate first, const QList<QDate> &dates)
{
    QDate last = first.addYears(5);
    for (const QDate &day : dates)
        last = std::max(last, day);
    return rule.Days(first, first, last);
}

icalproperty *Zoned(icalproperty *property, const QByteArray &tzid)
{
    if (!tzid.isEmpty())
        icalproperty_add_parameter(property, icalparameter_new_tzid(tzid.constData()));
    return property;
}

QByteArray Serialized(icalcomponent *calendar)
{
    char *text = icalcomponent_as_ical_string_r(calendar);
    QByteArray result(text);
    icalmemory_free_buffer(text);
    return result;
}

// DTSTAMP and LAST-MODIFIED the stamp, SEQUENCE one higher.
void Stamp(icalcomponent *event, const icaltimetype &now)
{
    icalcomponent_set_dtstamp(event, now);
    RemoveAll(event, ICAL_LASTMODIFIED_PROPERTY);
    icalcomponent_add_property(event, icalproperty_new_lastmodified(now));
    icalproperty *sequence = First(event, ICAL_SEQUENCE_PROPERTY);
    const int next = sequence ? icalproperty_get_sequence(sequence) + 1 : 1;
    RemoveAll(event, ICAL_SEQUENCE_PROPERTY);
    icalcomponent_add_property(event, icalproperty_new_sequence(next));
}

// A kept text read: its master VEVENT with the DTSTART and zone its occurrences are
// counted in, and its changed occurrences.
struct Parsed {
    ComponentPtr Calendar;
    icalcomponent *Master = nullptr;
    QList<icalcomponent *> Changes;
    icalproperty *Start = nullptr;
    QTimeZone Zone;
};

std::optional<Parsed> Parse(const QByteArray &kept, const QTimeZone &localZone)
{
    icalerror_set_errors_are_fatal(0);
    Parsed parsed;
    parsed.Calendar.reset(icalparser_parse_string(kept.constData()));
    if (!parsed.Calendar)
        return std::nullopt;
    for (icalcomponent *event = icalcomponent_get_first_component(parsed.Calendar.get(), ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(parsed.Calendar.get(), ICAL_VEVENT_COMPONENT)) {
        if (First(event, ICAL_RECURRENCEID_PROPERTY))
            parsed.Changes.append(event);
        else if (!parsed.Master)
            parsed.Master = event;
    }
    parsed.Start = parsed.Master ? First(parsed.Master, ICAL_DTSTART_PROPERTY) : nullptr;
    const std::optional<QTimeZone> zone = parsed.Start ? ZoneOf(parsed.Start, localZone) : std::nullopt;
    if (!zone)
        return std::nullopt;
    parsed.Zone = *zone;
    return parsed;
}

// The changed occurrence that takes place on day (local), if any.
icalcomponent *ChangeOn(const Parsed &parsed, QDate day, const QTimeZone &localZone)
{
    for (icalcomponent *change : parsed.Changes) {
        icalproperty *start = First(change, ICAL_DTSTART_PROPERTY);
        const std::optional<QTimeZone> zone = start ? ZoneOf(start, localZone) : std::nullopt;
        if (zone && StartDate(start, *zone, localZone) == day)
            return change;
    }
    return nullptr;
}

// A DTSTART or DTEND of day at time (local): in the series' zone and form when the series
// is timed, in the local zone (by its name) when it is all-day.
icalproperty *TimedLike(icalproperty *(*make)(icaltimetype), QDate day, QTime time, const Parsed &parsed,
                        const QTimeZone &localZone)
{
    if (!icalproperty_get_dtstart(parsed.Start).is_date) {
        const icaltimetype value = InstanceOf(day, time, parsed.Start, parsed.Zone, localZone);
        return LikeStart(make(value), parsed.Start, value);
    }
    const bool utc = localZone == QTimeZone::utc() || localZone.id() == "UTC";
    icaltimetype value = IcalWallTime(day, QTime(time.hour(), time.minute()));
    if (utc)
        value.zone = icaltimezone_get_utc_timezone();
    return Zoned(make(value), utc ? QByteArray() : localZone.id());
}

icalproperty *NewDtstart(icaltimetype value) { return icalproperty_new_dtstart(value); }
icalproperty *NewDtend(icaltimetype value) { return icalproperty_new_dtend(value); }

// A changed occurrence given the look of after on day; its place too unless location is null.
void WriteOccurrence(icalcomponent *event, const Parsed &parsed, const basDatabase::EventRecord &after, QDate day,
                     const QString *location, const QTimeZone &localZone)
{
    for (icalproperty_kind kind : {ICAL_DTSTART_PROPERTY, ICAL_DTEND_PROPERTY, ICAL_DURATION_PROPERTY})
        RemoveAll(event, kind);
    if (after.AllDayEvent) {
        icalproperty *start = icalproperty_new_dtstart(IcalDate(day));
        icalproperty_add_parameter(start, icalparameter_new_value(ICAL_VALUE_DATE));
        icalproperty *end = icalproperty_new_dtend(IcalDate(day.addDays(1)));
        icalproperty_add_parameter(end, icalparameter_new_value(ICAL_VALUE_DATE));
        icalcomponent_add_property(event, start);
        icalcomponent_add_property(event, end);
    } else {
        icalcomponent_add_property(event, TimedLike(NewDtstart, day, after.StartTime, parsed, localZone));
        icalcomponent_add_property(event, TimedLike(NewDtend, day, after.EndTime, parsed, localZone));
    }
    SetText(event, ICAL_SUMMARY_PROPERTY, after.EventName, icalproperty_new_summary);
    SetText(event, ICAL_DESCRIPTION_PROPERTY, after.Notes, icalproperty_new_description);
    SetText(event, ICAL_COLOR_PROPERTY, EventColors::CssNameOf(after.EventColor), icalproperty_new_color);
    SetIcon(event, after.EventIcon);
    SetReminder(event, after.Reminder, after.EventName);
    if (location)
        SetText(event, ICAL_LOCATION_PROPERTY, *location, icalproperty_new_location);
}

// The series' own instance of day: its DTSTART's wall time that day, in its terms.
icaltimetype SeriesInstance(const Parsed &parsed, QDate day)
{
    icaltimetype value = icalproperty_get_dtstart(parsed.Start);
    value.year = day.year();
    value.month = day.month();
    value.day = day.day();
    return value;
}

} // namespace

Extras ExtrasOf(const QByteArray &kept, const QTimeZone &localZone)
{
    Extras extras;
    icalerror_set_errors_are_fatal(0);
    ComponentPtr calendar(icalparser_parse_string(kept.constData()));
    if (!calendar)
        return extras;
    for (icalcomponent *event = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        if (First(event, ICAL_RECURRENCEID_PROPERTY))
            continue;
        if (icalproperty *location = First(event, ICAL_LOCATION_PROPERTY))
            extras.Location = QString::fromUtf8(icalproperty_get_location(location));
        icalproperty *start = First(event, ICAL_DTSTART_PROPERTY);
        if (const std::optional<QTimeZone> zone = start ? ZoneOf(start, localZone) : std::nullopt)
            extras.RuleStart = StartDate(start, *zone, localZone);
        icalproperty *rule = First(event, ICAL_RRULE_PROPERTY);
        if (rule && extras.RuleStart.isValid() && !icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
            icalrecurrencetype recurrence = icalproperty_get_rrule(rule);
            char *text = icalrecurrencetype_as_string_r(&recurrence);
            extras.Rule = Recurrence::FromRRule(QString::fromUtf8(text), extras.RuleStart);
            icalmemory_free_buffer(text);
        }
        break;
    }
    return extras;
}

QString UidOf(const QByteArray &kept)
{
    std::optional<Parsed> parsed = Parse(kept, QTimeZone::utc());
    const char *uid = parsed ? icalcomponent_get_uid(parsed->Master) : nullptr;
    return uid ? QString::fromUtf8(uid) : QString();
}

QByteArray Created(const Event &event, const QString &uid, const QDateTime &stamp, const QTimeZone &zone)
{
    QList<QDate> dates = event.Dates;
    std::sort(dates.begin(), dates.end());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    if (dates.isEmpty())
        return {};
    const QDate first = event.Rule && event.RuleStart.isValid() ? event.RuleStart : dates.front();
    const bool allDay = event.AllDayEvent;
    // UTC has no VTIMEZONE; any other zone is named by its IANA id.
    const bool utc = zone == QTimeZone::utc() || zone.id() == "UTC";
    const QByteArray tzid = allDay || utc ? QByteArray() : zone.id();
    const auto value = [&](QDate day, QTime time) {
        if (allDay)
            return IcalDate(day);
        icaltimetype v = IcalWallTime(day, QTime(time.hour(), time.minute()));
        if (utc)
            v.zone = icaltimezone_get_utc_timezone();
        return v;
    };
    ComponentPtr calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Velmora Software//Quillon Desktop Calendar//EN"));
    icalcomponent *vevent = icalcomponent_new_vevent();
    const icaltimetype now = IcalUtc(stamp);
    icalcomponent_add_property(vevent, icalproperty_new_uid(uid.toUtf8().constData()));
    icalcomponent_add_property(vevent, icalproperty_new_dtstamp(now));
    icalcomponent_add_property(vevent, icalproperty_new_created(now));
    icalcomponent_add_property(vevent, icalproperty_new_sequence(0));
    icalproperty *start = Zoned(icalproperty_new_dtstart(value(first, event.StartTime)), tzid);
    if (allDay)
        icalproperty_add_parameter(start, icalparameter_new_value(ICAL_VALUE_DATE));
    icalcomponent_add_property(vevent, start);
    icalproperty *end = allDay ? icalproperty_new_dtend(value(first.addDays(1), {}))
                               : Zoned(icalproperty_new_dtend(value(first, event.EndTime)), tzid);
    if (allDay)
        icalproperty_add_parameter(end, icalparameter_new_value(ICAL_VALUE_DATE));
    icalcomponent_add_property(vevent, end);
    QList<QDate> given{first};
    if (event.Rule) {
        AddRule(vevent, *event.Rule, allDay ? std::nullopt : std::optional<QTimeZone>(zone));
        given = RuleDays(*event.Rule, first, dates);
    }
    const QSet<QDate> wanted(dates.cbegin(), dates.cend());
    const QSet<QDate> ruled(given.cbegin(), given.cend());
    for (const QDate &day : std::as_const(given)) {
        if (!wanted.contains(day))
            icalcomponent_add_property(vevent, ExdateProperty(start, value(day, event.StartTime)));
    }
    for (const QDate &day : std::as_const(dates)) {
        if (!ruled.contains(day))
            icalcomponent_add_property(vevent, RdateProperty(start, value(day, event.StartTime)));
    }
    if (!event.EventName.isEmpty())
        icalcomponent_add_property(vevent, icalproperty_new_summary(event.EventName.toUtf8().constData()));
    if (!event.Notes.isEmpty())
        icalcomponent_add_property(vevent, icalproperty_new_description(event.Notes.toUtf8().constData()));
    if (!event.Location.isEmpty())
        icalcomponent_add_property(vevent, icalproperty_new_location(event.Location.toUtf8().constData()));
    if (const QString css = EventColors::CssNameOf(event.EventColor); !css.isEmpty() && !allDay)
        icalcomponent_add_property(vevent, icalproperty_new_color(css.toUtf8().constData()));
    if (event.EventIcon != 0 && !allDay)
        AddX(vevent, "X-QUILLON-ICON", QByteArray::number(event.EventIcon));
    // Hand-picked days are said to be so, as the editor reopens them that way.
    if (event.Recurring && !event.Rule)
        AddX(vevent, "X-QUILLON-RECURRING", "1");
    WriteReminder(vevent, std::nullopt, event.Reminder, event.EventName);
    icalcomponent_add_component(calendar.get(), vevent);
    return Serialized(calendar.get());
}

// A look of changed occurrences only: each written into its override, day for day.
// Empty when the look's days are not all such, or its number of days changed.
std::optional<QByteArray> UpdatedChanges(Parsed &parsed, const Change &change, const icaltimetype &now,
                                         const QTimeZone &localZone)
{
    QList<icalcomponent *> own;
    for (const QDate &day : change.DatesBefore) {
        icalcomponent *event = ChangeOn(parsed, day, localZone);
        if (!event)
            return std::nullopt;
        own.append(event);
    }
    if (own.isEmpty() || own.size() != change.DatesAfter.size())
        return QByteArray();
    const QString *location = change.LocationBefore != change.LocationAfter ? &change.LocationAfter : nullptr;
    for (qsizetype i = 0; i < own.size(); ++i) {
        WriteOccurrence(own[i], parsed, change.After, change.DatesAfter[i], location, localZone);
        Stamp(own[i], now);
    }
    return Serialized(parsed.Calendar.get());
}

QByteArray Updated(const QByteArray &kept, const Change &change, const QDateTime &stamp, const QTimeZone &localZone)
{
    if (change.Before == change.After && change.DatesBefore == change.DatesAfter
        && change.LocationBefore == change.LocationAfter && change.RuleBefore == change.RuleAfter)
        return kept;
    std::optional<Parsed> parsed = Parse(kept, localZone);
    if (!parsed)
        return {};
    const icaltimetype now = IcalUtc(stamp);
    if (change.OneLookOfSeveral) {
        if (std::optional<QByteArray> text = UpdatedChanges(*parsed, change, now, localZone))
            return *text;
    }
    if (change.Before.AllDayEvent != change.After.AllDayEvent)
        return {};
    icalcomponent *master = parsed->Master;
    icalproperty *start = parsed->Start;
    const QTimeZone &zone = parsed->Zone;
    const QList<icalcomponent *> &changes = parsed->Changes;
    if (!change.After.AllDayEvent && !WriteTimes(master, changes, change))
        return {};
    WriteLook(master, change, true);
    // The other looks of a series of several are events of their own in the store; they
    // keep what they say, as the store has them.
    if (!change.OneLookOfSeveral) {
        for (icalcomponent *other : changes)
            WriteLook(other, change, false);
    }

    if (change.LocationBefore != change.LocationAfter)
        SetText(master, ICAL_LOCATION_PROPERTY, change.LocationAfter, icalproperty_new_location);

    // A new rule: the days it gives are the series' now, whatever it had before. The
    // series' look of several cannot show its rule, so it keeps it.
    QList<QDate> datesBefore = change.DatesBefore;
    if (change.RuleBefore != change.RuleAfter && !change.OneLookOfSeveral) {
        for (icalproperty_kind kind : {ICAL_RRULE_PROPERTY, ICAL_RDATE_PROPERTY, ICAL_EXDATE_PROPERTY})
            RemoveAll(master, kind);
        const QDate first = change.RuleStartAfter.isValid() ? change.RuleStartAfter : StartDate(start, zone, localZone);
        datesBefore = {StartDate(start, zone, localZone)};
        if (change.RuleAfter) {
            AddRule(master, *change.RuleAfter, change.After.AllDayEvent ? std::nullopt : std::optional<QTimeZone>(zone));
            datesBefore = RuleDays(*change.RuleAfter, first, change.DatesAfter);
        }
    }
    // Days the user took off or added, in the series' own terms.
    const QSet<QDate> before(datesBefore.cbegin(), datesBefore.cend());
    const QSet<QDate> after(change.DatesAfter.cbegin(), change.DatesAfter.cend());
    if (after.isEmpty())
        return {};
    for (const QDate &day : std::as_const(datesBefore)) {
        if (!after.contains(day))
            icalcomponent_add_property(master,
                                       ExdateProperty(start, InstanceOf(day, change.After.StartTime, start, zone, localZone)));
    }
    for (const QDate &day : change.DatesAfter) {
        if (!before.contains(day))
            icalcomponent_add_property(master,
                                       RdateProperty(start, InstanceOf(day, change.After.StartTime, start, zone, localZone)));
    }
    Stamp(master, now);
    if (!change.OneLookOfSeveral) {
        for (icalcomponent *event : changes)
            Stamp(event, now);
    }
    return Serialized(parsed->Calendar.get());
}

QByteArray Overridden(const QByteArray &kept, const OccurrenceChange &change, const QDateTime &stamp,
                      const QTimeZone &localZone)
{
    std::optional<Parsed> parsed = Parse(kept, localZone);
    if (!parsed || !change.Day.isValid())
        return {};
    icalcomponent *event = ChangeOn(*parsed, change.Day, localZone);
    if (!event) {
        // The instance the override stands for: the series' own start on that day.
        const icaltimetype id = InstanceOf(change.Day, change.Series.StartTime, parsed->Start, parsed->Zone, localZone);
        event = icalcomponent_new_clone(parsed->Master);
        for (icalproperty_kind kind : {ICAL_RRULE_PROPERTY, ICAL_RDATE_PROPERTY, ICAL_EXDATE_PROPERTY, ICAL_EXRULE_PROPERTY})
            RemoveAll(event, kind);
        if (icalproperty *picked = XProperty(event, "X-QUILLON-RECURRING")) {
            icalcomponent_remove_property(event, picked);
            icalproperty_free(picked);
        }
        icalcomponent_add_property(event, LikeStart(icalproperty_new_recurrenceid(id), parsed->Start, id));
        icalcomponent_add_component(parsed->Calendar.get(), event);
    }
    const QString *location = change.LocationBefore != change.LocationAfter ? &change.LocationAfter : nullptr;
    WriteOccurrence(event, *parsed, change.After, change.MovedTo.isValid() ? change.MovedTo : change.Day, location,
                    localZone);
    const icaltimetype now = IcalUtc(stamp);
    Stamp(event, now);
    Stamp(parsed->Master, now);
    return Serialized(parsed->Calendar.get());
}

QByteArray Cancelled(const QByteArray &kept, const QList<QDate> &days, const QDateTime &stamp, const QTimeZone &localZone)
{
    std::optional<Parsed> parsed = Parse(kept, localZone);
    if (!parsed)
        return {};
    for (const QDate &day : days) {
        icalcomponent *event = ChangeOn(*parsed, day, localZone);
        icalproperty *id = event ? First(event, ICAL_RECURRENCEID_PROPERTY) : nullptr;
        if (!id) {
            icalcomponent_add_property(parsed->Master, ExdateProperty(parsed->Start, SeriesInstance(*parsed, day)));
            continue;
        }
        // The instance the override stood for is excluded in the override's own terms.
        const icaltimetype value = icalproperty_get_recurrenceid(id);
        icalproperty *excluded = icalproperty_new_exdate(value);
        if (icalparameter *tzid = icalproperty_get_first_parameter(id, ICAL_TZID_PARAMETER))
            icalproperty_add_parameter(excluded, icalparameter_new_clone(tzid));
        if (value.is_date)
            icalproperty_add_parameter(excluded, icalparameter_new_value(ICAL_VALUE_DATE));
        icalcomponent_add_property(parsed->Master, excluded);
        icalcomponent_remove_component(parsed->Calendar.get(), event);
        icalcomponent_free(event);
        parsed->Changes.removeOne(event);
    }
    Stamp(parsed->Master, IcalUtc(stamp));
    return Serialized(parsed->Calendar.get());
}

} // namespace EventComponent

} // namespace quillon
