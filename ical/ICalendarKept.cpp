#include "ICalendarKept.h"

#include <libical/ical.h>

#include <QRegularExpression>
#include <QSet>

#include <memory>

namespace quillon {

namespace ICalendarKept {

namespace {

struct ComponentDeleter {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentDeleter>;

const QByteArray kCalendarHead = QByteArrayLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                                                   "PRODID:-//Velmora Software//Quillon Desktop Calendar//EN\r\n");
const QByteArray kCalendarTail = QByteArrayLiteral("END:VCALENDAR\r\n");

// The TZID parameters a component's text names.
QSet<QByteArray> ZonesNamed(const QByteArray &text)
{
    static const QRegularExpression tzid(QStringLiteral("[;:]TZID=(\"[^\"]*\"|[^;:\r\n]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    QSet<QByteArray> names;
    const QString unfolded = QString::fromUtf8(QByteArray(text).replace("\r\n ", "").replace("\n ", ""));
    for (auto match = tzid.globalMatch(unfolded); match.hasNext();) {
        QString name = match.next().captured(1);
        if (name.startsWith(QLatin1Char('"')))
            name = name.mid(1, name.size() - 2);
        names.insert(name.toUtf8());
    }
    return names;
}

QByteArray Unfolded(const QByteArray &value) { return QByteArray(value).replace("\r\n ", "").replace("\r\n\t", ""); }

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

icaltimetype Utc(const QDateTime &stamp)
{
    const QDateTime utc = stamp.toUTC();
    icaltimetype time = icaltime_null_time();
    time.year = utc.date().year();
    time.month = utc.date().month();
    time.day = utc.date().day();
    time.hour = utc.time().hour();
    time.minute = utc.time().minute();
    time.second = utc.time().second();
    time.zone = icaltimezone_get_utc_timezone();
    return time;
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
    icaltimetype value = icaltime_null_time();
    if (form.is_date) {
        value.year = day.year();
        value.month = day.month();
        value.day = day.day();
        value.is_date = 1;
        return value;
    }
    const QDateTime there = QDateTime(day, time, localZone).toTimeZone(zone);
    value.year = there.date().year();
    value.month = there.date().month();
    value.day = there.date().day();
    value.hour = there.time().hour();
    value.minute = there.time().minute();
    value.second = there.time().second();
    if (icaltime_is_utc(form))
        value.zone = icaltimezone_get_utc_timezone();
    return value;
}

// A date or date-time property with its parameters (TZID, VALUE) as the start has them.
icalproperty *DateProperty(icalproperty *(*make)(struct icaldatetimeperiodtype), icalproperty *start, icaltimetype value)
{
    icaldatetimeperiodtype when;
    when.time = value;
    when.period = icalperiodtype_null_period();
    icalproperty *property = make(when);
    if (icalparameter *tzid = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER); tzid && !value.is_date)
        icalproperty_add_parameter(property, icalparameter_new_clone(tzid));
    if (value.is_date)
        icalproperty_add_parameter(property, icalparameter_new_value(ICAL_VALUE_DATE));
    return property;
}

icalproperty *ExdateProperty(icalproperty *start, icaltimetype value)
{
    icalproperty *property = icalproperty_new_exdate(value);
    if (icalparameter *tzid = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER); tzid && !value.is_date)
        icalproperty_add_parameter(property, icalparameter_new_clone(tzid));
    if (value.is_date)
        icalproperty_add_parameter(property, icalparameter_new_value(ICAL_VALUE_DATE));
    return property;
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

void WriteReminder(icalcomponent *event, const std::optional<int> &before, const std::optional<int> &after,
                   const QString &name)
{
    if (before == after)
        return;
    icalcomponent *alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    if (!after) {
        if (alarm) {
            icalcomponent_remove_component(event, alarm);
            icalcomponent_free(alarm);
        }
        return;
    }
    icaltriggertype trigger;
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-*after * 60);
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
        SetText(event, ICAL_COLOR_PROPERTY, change.CssColor, icalproperty_new_color);
    if (before.EventIcon != after.EventIcon && master) {
        if (icalproperty *icon = XProperty(event, "X-QUILLON-ICON")) {
            icalcomponent_remove_property(event, icon);
            icalproperty_free(icon);
        }
        if (after.EventIcon != 0) {
            icalproperty *icon = icalproperty_new_x(QByteArray::number(after.EventIcon).constData());
            icalproperty_set_x_name(icon, "X-QUILLON-ICON");
            icalcomponent_add_property(event, icon);
        }
    }
    if (master)
        WriteReminder(event, before.Reminder, after.Reminder, after.EventName);
}

} // namespace

QString SeriesKey(const QString &origin, const QString &seriesUid)
{
    return origin.isEmpty() ? seriesUid : origin + QChar(0x1F) + seriesUid;
}

QHash<QString, QByteArray> SeriesTexts(const ICalendarLines::Text &text)
{
    const ICalendarLines::LineIndex index(text);
    const QList<ICalendarLines::ComponentLines> &components = index.Components();
    QHash<QByteArray, QByteArray> zones;
    QHash<QString, QByteArray> events; // the VEVENT blocks of each series
    QList<QString> order;
    for (int i = 0; i < components.size(); ++i) {
        const ICalendarLines::ComponentLines &component = components[i];
        if (component.Depth != 1)
            continue;
        if (component.Name == QLatin1String("VTIMEZONE")) {
            QByteArray id = Unfolded(index.RawPropertyValue(i, QStringLiteral("TZID"))).trimmed();
            zones.insert(id, text.Slice(component.From, component.To));
        } else if (component.Name == QLatin1String("VEVENT")) {
            const QString uid = QString::fromUtf8(Unfolded(index.RawPropertyValue(i, QStringLiteral("UID")))).trimmed();
            if (uid.isEmpty())
                continue;
            const QString origin =
                QString::fromUtf8(Unfolded(index.RawPropertyValue(i, QStringLiteral("X-QUILLON-ORIGIN")))).trimmed();
            QByteArray block = text.Slice(component.From, component.To);
            if (!block.endsWith('\n'))
                block += "\r\n";
            const QString key = SeriesKey(origin, uid);
            auto found = events.find(key);
            if (found == events.end())
                events.insert(key, block);
            else
                found->append(block);
        }
    }
    QHash<QString, QByteArray> texts;
    texts.reserve(events.size());
    for (auto it = events.cbegin(); it != events.cend(); ++it) {
        QByteArray calendar = kCalendarHead;
        for (const QByteArray &zone : ZonesNamed(it.value())) {
            if (const auto known = zones.constFind(zone); known != zones.cend())
                calendar += *known;
        }
        calendar += it.value();
        calendar += kCalendarTail;
        texts.insert(it.key(), calendar);
    }
    return texts;
}

QByteArray Updated(const QByteArray &kept, const Change &change, const QDateTime &stamp, const QTimeZone &localZone)
{
    if (change.Before.AllDayEvent != change.After.AllDayEvent)
        return {};
    icalerror_set_errors_are_fatal(0);
    ComponentPtr calendar(icalparser_parse_string(kept.constData()));
    if (!calendar)
        return {};
    icalcomponent *master = nullptr;
    QList<icalcomponent *> changes;
    for (icalcomponent *event = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        if (First(event, ICAL_RECURRENCEID_PROPERTY))
            changes.append(event);
        else if (!master)
            master = event;
    }
    icalproperty *start = master ? First(master, ICAL_DTSTART_PROPERTY) : nullptr;
    if (!start)
        return {};
    const std::optional<QTimeZone> zone = ZoneOf(start, localZone);
    if (!zone)
        return {};
    if (!change.After.AllDayEvent && !WriteTimes(master, changes, change))
        return {};
    WriteLook(master, change, true);
    for (icalcomponent *other : std::as_const(changes))
        WriteLook(other, change, false);

    // Days the user took off or added, in the series' own terms.
    const QSet<QDate> before(change.DatesBefore.cbegin(), change.DatesBefore.cend());
    const QSet<QDate> after(change.DatesAfter.cbegin(), change.DatesAfter.cend());
    if (after.isEmpty())
        return {};
    for (const QDate &day : change.DatesBefore) {
        if (!after.contains(day))
            icalcomponent_add_property(
                master, ExdateProperty(start, InstanceOf(day, change.After.StartTime, start, *zone, localZone)));
    }
    for (const QDate &day : change.DatesAfter) {
        if (!before.contains(day))
            icalcomponent_add_property(master, DateProperty(icalproperty_new_rdate, start,
                                                            InstanceOf(day, change.After.StartTime, start, *zone, localZone)));
    }

    const icaltimetype now = Utc(stamp);
    for (icalcomponent *event : QList<icalcomponent *>{master} + changes) {
        icalcomponent_set_dtstamp(event, now);
        RemoveAll(event, ICAL_LASTMODIFIED_PROPERTY);
        icalcomponent_add_property(event, icalproperty_new_lastmodified(now));
        icalproperty *sequence = First(event, ICAL_SEQUENCE_PROPERTY);
        const int next = sequence ? icalproperty_get_sequence(sequence) + 1 : 1;
        RemoveAll(event, ICAL_SEQUENCE_PROPERTY);
        icalcomponent_add_property(event, icalproperty_new_sequence(next));
    }
    char *text = icalcomponent_as_ical_string_r(calendar.get());
    QByteArray result(text);
    icalmemory_free_buffer(text);
    return result;
}

Pieces Split(const QByteArray &kept, const QString &originTag)
{
    Pieces pieces;
    const ICalendarLines::Text text(kept);
    const ICalendarLines::LineIndex index(text);
    const QList<ICalendarLines::ComponentLines> &components = index.Components();
    for (int i = 0; i < components.size(); ++i) {
        const ICalendarLines::ComponentLines &component = components[i];
        if (component.Depth != 1)
            continue;
        QByteArray block = text.Slice(component.From, component.To);
        if (!block.endsWith('\n'))
            block += "\r\n";
        if (component.Name == QLatin1String("VTIMEZONE")) {
            pieces.ZoneIds.append(Unfolded(index.RawPropertyValue(i, QStringLiteral("TZID"))).trimmed());
            pieces.Zones.append(block);
        } else if (component.Name == QLatin1String("VEVENT")) {
            // Where the event comes from is this store's to say, as it is now.
            static const QRegularExpression origin(QStringLiteral("\r?\nX-QUILLON-ORIGIN[;:][^\r\n]*(\r?\n[ \t][^\r\n]*)*"),
                                                   QRegularExpression::CaseInsensitiveOption);
            if (!index.RawPropertyValue(i, QStringLiteral("X-QUILLON-ORIGIN")).isNull())
                block = QString::fromUtf8(block).remove(origin).toUtf8();
            if (!originTag.isEmpty()) {
                const qsizetype lineEnd = block.indexOf('\n');
                block.insert(lineEnd + 1, "X-QUILLON-ORIGIN:" + originTag.toUtf8() + "\r\n");
            }
            pieces.Events += block;
        }
    }
    return pieces;
}

} // namespace ICalendarKept

} // namespace quillon
