#include "ICalendarReader.h"

#include "ICalendarColors.h"
#include "ICalendarLines.h"
#include "basOperation.h"
#include "platform/basPlatform.h"

#include <libical/ical.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_map>

namespace ICalendarReader {

namespace {

using basOperation::Failure;

struct ComponentDeleter {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentDeleter>;

struct IteratorDeleter {
    void operator()(icalrecur_iterator *iterator) const { icalrecur_iterator_free(iterator); }
};
using IteratorPtr = std::unique_ptr<icalrecur_iterator, IteratorDeleter>;

const QTime kAllDayEnd(23, 59);

[[noreturn]] void Refuse(int line, const QString &reason)
{
    throw Failure(basOperation::kTypeMismatch, QStringLiteral("line %1: %2").arg(line).arg(reason));
}

[[noreturn]] void RefuseSize(int line, const QString &reason)
{
    throw Failure(basOperation::kOverflow, QStringLiteral("line %1: %2").arg(line).arg(reason));
}

// Large numbers as people read them: 100,000.
QString Count(qint64 number) { return QLocale(QLocale::English).toString(number); }

QString Utf8(const char *text) { return text ? QString::fromUtf8(text) : QString(); }

QDate WallDate(const icaltimetype &time) { return QDate(time.year, time.month, time.day); }
QTime WallTime(const icaltimetype &time) { return QTime(time.hour, time.minute, std::min(time.second, 59)); }

icalproperty *FirstProperty(icalcomponent *component, icalproperty_kind kind)
{
    return icalcomponent_get_first_property(component, kind);
}

// The X- properties by name (libical keeps them all under one kind).
QString XProperty(icalcomponent *component, const char *name)
{
    for (icalproperty *property = FirstProperty(component, ICAL_X_PROPERTY); property;
         property = icalcomponent_get_next_property(component, ICAL_X_PROPERTY)) {
        if (qstricmp(icalproperty_get_x_name(property), name) == 0)
            return Utf8(icalproperty_get_value_as_string(property)).trimmed();
    }
    return QString();
}

// Which components' text goes into the events: an error there stops the import.
bool Matters(icalcomponent_kind kind)
{
    return kind == ICAL_VCALENDAR_COMPONENT || kind == ICAL_VEVENT_COMPONENT || kind == ICAL_VTIMEZONE_COMPONENT
           || kind == ICAL_XSTANDARD_COMPONENT || kind == ICAL_XDAYLIGHT_COMPONENT;
}

// A time zone that a time is written in: one of the file (or libical's own), or one
// Qt knows by name.
struct Zone {
    icaltimezone *ical = nullptr;
    QTimeZone qt;
    bool IsValid() const { return ical || qt.isValid(); }
};

// How the wall-clock times of one property are to be read.
struct TimeBasis {
    enum Kind { Floating, Utc, Zoned } kind = Floating;
    Zone zone;
};

class Reader {
public:
    Reader(const QByteArray &text, const ReadOptions &options)
        : m_text(text), m_options(options), m_index(text)
    {
        if (!m_options.LocalZone.isValid())
            m_options.LocalZone = QTimeZone::systemTimeZone();
        if (!m_options.Today.isValid())
            m_options.Today = basPlatform::Today();
        m_openRuleEnd = std::min(kLastDate, m_options.Today.addYears(kOpenRuleYears));
    }

    CalendarContents Read()
    {
        icalerror_set_errors_are_fatal(0);
        m_root.reset(icalparser_parse_string(m_text.constData()));
        if (!m_root)
            Refuse(1, QStringLiteral("libical could not read the file as iCalendar"));
        MapLines(m_root.get());
        CheckParseErrors(m_root.get());

        QList<icalcomponent *> calendars;
        if (icalcomponent_isa(m_root.get()) == ICAL_VCALENDAR_COMPONENT) {
            calendars.append(m_root.get());
        } else {
            for (icalcomponent *c = icalcomponent_get_first_component(m_root.get(), ICAL_VCALENDAR_COMPONENT); c;
                 c = icalcomponent_get_next_component(m_root.get(), ICAL_VCALENDAR_COMPONENT))
                calendars.append(c);
        }
        for (icalcomponent *calendar : std::as_const(calendars))
            ReadCalendarComponent(calendar);
        ApplyOverrides();
        return std::move(m_contents);
    }

private:
    struct Override {
        icalcomponent *component;
        icalcomponent *calendar;
        QString uid;
    };
    // What one master event contributes before its overrides are applied.
    struct Pending {
        icalcomponent *component = nullptr;
        icalcomponent *calendar = nullptr;
        bool allDay = false;
        qint64 durationSecs = 0; // timed events
        int durationDays = 1;    // all-day events
        TimeBasis startBasis;
        QSet<QDate> excludedDates;
        QSet<qint64> excludedInstants;
        QSet<QDate> days;
    };

    QByteArray m_text;
    ReadOptions m_options;
    ICalendarLines::LineIndex m_index;
    ComponentPtr m_root;
    std::unordered_map<const icalcomponent *, int> m_componentIndex;
    QDate m_openRuleEnd;
    CalendarContents m_contents;
    QHash<QString, qsizetype> m_eventByUid;
    QList<Pending> m_pending; // parallel to m_contents.Events
    QList<Override> m_overrides;
    QHash<QByteArray, Zone> m_zones;
    QSet<QString> m_warnedZones;
    qint64 m_totalDates = 0;

    // --- Lines -------------------------------------------------------------------

    // A depth-first walk meets the components in the order of their BEGIN lines; a
    // component libical renamed or dropped is skipped over.
    void MapLines(icalcomponent *component)
    {
        int next = 0;
        MapLines(component, next);
    }

    void MapLines(icalcomponent *component, int &next)
    {
        const QString name = Utf8(icalcomponent_kind_to_string(icalcomponent_isa(component)));
        const QList<ICalendarLines::ComponentLines> &lines = m_index.Components();
        for (int i = next; i < lines.size(); ++i) {
            if (lines[i].Name == name) {
                m_componentIndex[component] = i;
                next = i + 1;
                break;
            }
        }
        for (icalcomponent *child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); child;
             child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
            MapLines(child, next);
    }

    int IndexOf(const icalcomponent *component) const
    {
        const auto found = m_componentIndex.find(component);
        return found == m_componentIndex.end() ? -1 : found->second;
    }

    int BeginLine(const icalcomponent *component) const
    {
        const int index = IndexOf(component);
        return index < 0 ? 0 : m_index.Components()[index].Begin;
    }

    int LineOf(const icalcomponent *component, const char *propertyName, const QByteArray &value = QByteArray()) const
    {
        const int index = IndexOf(component);
        return index < 0 ? 0 : m_index.PropertyLine(index, QString::fromLatin1(propertyName), value);
    }

    int LineOf(const icalcomponent *component, icalproperty *property) const
    {
        const char *name = icalproperty_isa(property) == ICAL_X_PROPERTY ? icalproperty_get_x_name(property)
                                                                          : icalproperty_kind_to_string(icalproperty_isa(property));
        const char *value = icalproperty_get_value_as_string(property);
        const int line = LineOf(component, name, value ? QByteArray(value).left(20) : QByteArray());
        return line;
    }

    // libical reads past what it cannot parse and leaves an X-LIC-PARSEERROR behind.
    void CheckParseErrors(icalcomponent *component)
    {
        static const QRegularExpression propertyName(QStringLiteral("in ([A-Za-z0-9-]+) property"));
        const icalcomponent_kind kind = icalcomponent_isa(component);
        for (icalproperty *error = FirstProperty(component, ICAL_XLICERROR_PROPERTY); error;
             error = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
            const QString text = Utf8(icalproperty_get_xlicerror(error)).trimmed();
            icalparameter *type = icalproperty_get_first_parameter(error, ICAL_XLICERRORTYPE_PARAMETER);
            const bool parameterOnly = type
                                       && (icalparameter_get_xlicerrortype(type) == ICAL_XLICERRORTYPE_PARAMETERNAMEPARSEERROR
                                           || icalparameter_get_xlicerrortype(type)
                                                  == ICAL_XLICERRORTYPE_PARAMETERVALUEPARSEERROR);
            int line = BeginLine(component);
            const QRegularExpressionMatch match = propertyName.match(text);
            if (match.hasMatch()) {
                const int colon = int(text.lastIndexOf(QStringLiteral(": ")));
                const QByteArray value = colon >= 0 ? text.mid(colon + 2).left(20).toUtf8() : QByteArray();
                line = LineOf(component, match.captured(1).toUtf8().constData(), value);
            }
            // An empty property ("DESCRIPTION:") is dropped, which is what it says.
            if (!Matters(kind) || text.startsWith(QLatin1String("No value for")))
                continue;
            if (parameterOnly)
                m_contents.Warnings.append(QStringLiteral("line %1: %2 (ignored)").arg(line).arg(text));
            else
                Refuse(line, text);
        }
        for (icalcomponent *child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); child;
             child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
            CheckParseErrors(child);
    }

    // --- Time zones --------------------------------------------------------------

    Zone FindZone(icalcomponent *calendar, const QByteArray &tzid)
    {
        const QByteArray key = QByteArray::number(quintptr(calendar)) + ' ' + tzid;
        const auto cached = m_zones.constFind(key);
        if (cached != m_zones.cend())
            return *cached;
        Zone zone;
        zone.ical = icalcomponent_get_timezone(calendar, tzid.constData());
        if (!zone.ical) {
            // Files that lean on well-known names without a VTIMEZONE block.
            QByteArray name = tzid;
            while (name.startsWith('/'))
                name.remove(0, 1);
            zone.qt = QTimeZone(name);
            if (!zone.qt.isValid()) {
                const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(name);
                if (!iana.isEmpty())
                    zone.qt = QTimeZone(iana);
            }
        }
        m_zones.insert(key, zone);
        return zone;
    }

    std::optional<Zone> FloatingZone(icalcomponent *calendar)
    {
        const QString name = XProperty(calendar, "X-WR-TIMEZONE");
        if (name.isEmpty())
            return std::nullopt;
        const Zone zone = FindZone(calendar, name.toUtf8());
        if (!zone.IsValid()) {
            WarnZoneOnce(BeginLine(calendar), name);
            return std::nullopt;
        }
        return zone;
    }

    void WarnZoneOnce(int line, const QString &tzid)
    {
        if (m_warnedZones.contains(tzid))
            return;
        m_warnedZones.insert(tzid);
        m_contents.Warnings.append(
            QStringLiteral("line %1: unknown time zone \"%2\"; its times are taken as local times").arg(line).arg(tzid));
    }

    TimeBasis BasisOf(icalcomponent *calendar, icalcomponent *component, icalproperty *property, const icaltimetype &time)
    {
        TimeBasis basis;
        if (icaltime_is_utc(time)) {
            basis.kind = TimeBasis::Utc;
            return basis;
        }
        icalparameter *tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
        if (tzid) {
            const QByteArray name = icalparameter_get_tzid(tzid);
            const Zone zone = FindZone(calendar, name);
            if (zone.IsValid()) {
                basis.kind = TimeBasis::Zoned;
                basis.zone = zone;
                return basis;
            }
            WarnZoneOnce(LineOf(component, property), QString::fromUtf8(name));
            return basis;
        }
        if (const std::optional<Zone> floating = FloatingZone(calendar)) {
            basis.kind = TimeBasis::Zoned;
            basis.zone = *floating;
        }
        return basis;
    }

    // A wall-clock time of the file as the local wall-clock time. It is held as a time of
    // UTC so that arithmetic on it knows no clock changes: the store keeps local days and
    // times of day, and a floating time needs no zone at all.
    static QDateTime Wall(QDate date, QTime time) { return QDateTime(date, time, Qt::UTC); }

    QDateTime Local(QDate date, QTime time, const TimeBasis &basis) const
    {
        QDateTime local;
        switch (basis.kind) {
        case TimeBasis::Floating:
            return Wall(date, time);
        case TimeBasis::Utc:
            local = Wall(date, time).toTimeZone(m_options.LocalZone);
            break;
        case TimeBasis::Zoned:
            if (basis.zone.ical) {
                icaltimetype wall = icaltime_null_time();
                wall.year = date.year();
                wall.month = date.month();
                wall.day = date.day();
                wall.hour = time.hour();
                wall.minute = time.minute();
                wall.second = time.second();
                const time_t seconds = icaltime_as_timet_with_zone(wall, basis.zone.ical);
                local = QDateTime::fromSecsSinceEpoch(qint64(seconds), m_options.LocalZone);
            } else {
                local = QDateTime(date, time, basis.zone.qt).toTimeZone(m_options.LocalZone);
            }
            break;
        }
        return Wall(local.date(), local.time());
    }

    // --- Events ------------------------------------------------------------------

    void ReadCalendarComponent(icalcomponent *calendar)
    {
        for (icalcomponent *event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
             event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
            const QString uid = UidOf(event);
            if (FirstProperty(event, ICAL_RECURRENCEID_PROPERTY)) {
                m_overrides.append({event, calendar, uid});
                continue;
            }
            if (m_eventByUid.contains(uid)) {
                m_contents.Warnings.append(
                    QStringLiteral("line %1: a second event with the UID \"%2\" (left out)").arg(BeginLine(event)).arg(uid));
                continue;
            }
            ReadMaster(calendar, event, uid);
        }
    }

    // Events without a UID get one from what they say, so that a second import of the
    // same file finds them again.
    QString UidOf(icalcomponent *event) const
    {
        const QString uid = Utf8(icalcomponent_get_uid(event)).trimmed();
        if (!uid.isEmpty())
            return uid;
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (icalproperty_kind kind : {ICAL_SUMMARY_PROPERTY, ICAL_DTSTART_PROPERTY, ICAL_DTEND_PROPERTY,
                                       ICAL_DURATION_PROPERTY, ICAL_RRULE_PROPERTY, ICAL_DESCRIPTION_PROPERTY}) {
            for (icalproperty *property = FirstProperty(event, kind); property;
                 property = icalcomponent_get_next_property(event, kind)) {
                hash.addData(QByteArrayView(icalproperty_get_value_as_string(property)));
                hash.addData("\n");
            }
        }
        return QStringLiteral("quillon-import-%1").arg(QString::fromLatin1(hash.result().toHex()));
    }

    static bool IsCancelled(icalcomponent *event)
    {
        icalproperty *status = FirstProperty(event, ICAL_STATUS_PROPERTY);
        return status && icalproperty_get_status(status) == ICAL_STATUS_CANCELLED;
    }

    void ReadMaster(icalcomponent *calendar, icalcomponent *event, const QString &uid)
    {
        const int line = BeginLine(event);
        if (IsCancelled(event)) {
            m_contents.Warnings.append(QStringLiteral("line %1: a cancelled event (left out)").arg(line));
            return;
        }
        CalendarEvent result;
        result.Uid = uid;
        result.Line = line;
        Pending pending;
        pending.component = event;
        pending.calendar = calendar;

        icalproperty *startProperty = FirstProperty(event, ICAL_DTSTART_PROPERTY);
        if (!startProperty)
            Refuse(line, QStringLiteral("the event has no DTSTART"));
        const icaltimetype start = icalproperty_get_dtstart(startProperty);
        if (icaltime_is_null_time(start) || !WallDate(start).isValid())
            Refuse(LineOf(event, "DTSTART"), QStringLiteral("the event's DTSTART is no date"));
        pending.allDay = start.is_date != 0;
        pending.startBasis = BasisOf(calendar, event, startProperty, start);

        basDatabase::EventRecord &record = result.Event;
        record.EventName = Utf8(icalcomponent_get_summary(event));
        record.Notes = Utf8(icalcomponent_get_description(event));
        record.AllDayEvent = pending.allDay;
        ReadDuration(calendar, event, start, pending);

        const QDateTime first = pending.allDay ? QDateTime() : Local(WallDate(start), WallTime(start), pending.startBasis);
        if (pending.allDay) {
            // As the store keeps every all-day event.
            record.StartTime = QTime(0, 0);
            record.EndTime = kAllDayEnd;
        } else {
            const QDateTime end = first.addSecs(pending.durationSecs);
            record.StartTime = QTime(first.time().hour(), first.time().minute());
            record.EndTime = end.date() > first.date() ? kAllDayEnd : QTime(end.time().hour(), end.time().minute());
            record.EventColor = ColorOf(event);
            record.EventIcon = IconOf(event);
        }

        ReadExclusions(calendar, event, pending);
        // DTSTART is always the first occurrence; the rules and RDATEs add the others.
        AddOccurrence(pending, WallDate(start), WallTime(start));
        ExpandRules(event, start, pending, record.EventName);
        ReadRecurrenceDates(calendar, event, pending);

        m_eventByUid.insert(uid, m_contents.Events.size());
        m_contents.Events.append(result);
        m_pending.append(pending);
    }

    void ReadDuration(icalcomponent *calendar, icalcomponent *event, const icaltimetype &start, Pending &pending)
    {
        icalproperty *endProperty = FirstProperty(event, ICAL_DTEND_PROPERTY);
        icalproperty *durationProperty = FirstProperty(event, ICAL_DURATION_PROPERTY);
        if (endProperty) {
            const icaltimetype end = icalproperty_get_dtend(endProperty);
            if (icaltime_is_null_time(end) || !WallDate(end).isValid())
                Refuse(LineOf(event, "DTEND"), QStringLiteral("the event's DTEND is no date"));
            if (pending.allDay) {
                const qint64 days = WallDate(start).daysTo(WallDate(end));
                if (days < 0)
                    Refuse(LineOf(event, "DTEND"), QStringLiteral("the event ends before it starts"));
                pending.durationDays = int(std::clamp<qint64>(days, 1, kMaxOccurrences));
            } else {
                const QDateTime from = Local(WallDate(start), WallTime(start), pending.startBasis);
                const QDateTime to = end.is_date ? Wall(WallDate(end), QTime(0, 0))
                                                 : Local(WallDate(end), WallTime(end),
                                                         BasisOf(calendar, event, endProperty, end));
                pending.durationSecs = from.secsTo(to);
                if (pending.durationSecs < 0)
                    Refuse(LineOf(event, "DTEND"), QStringLiteral("the event ends before it starts"));
            }
        } else if (durationProperty) {
            const icaldurationtype duration = icalproperty_get_duration(durationProperty);
            const qint64 seconds = icaldurationtype_as_int(duration);
            if (seconds < 0)
                Refuse(LineOf(event, "DURATION"), QStringLiteral("the event's DURATION is negative"));
            if (pending.allDay)
                pending.durationDays = int(std::clamp<qint64>((seconds + 86399) / 86400, 1, kMaxOccurrences));
            else
                pending.durationSecs = seconds;
        }
    }

    QString ColorOf(icalcomponent *event) const
    {
        if (icalproperty *color = FirstProperty(event, ICAL_COLOR_PROPERTY)) {
            const QString name = ICalendarColors::NearestEventColor(Utf8(icalproperty_get_color(color)));
            if (!name.isEmpty())
                return name;
        }
        QStringList categories;
        for (icalproperty *property = FirstProperty(event, ICAL_CATEGORIES_PROPERTY); property;
             property = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY))
            categories += Utf8(icalproperty_get_categories(property)).split(QLatin1Char(','));
        return ICalendarColors::EventColorFromCategories(categories);
    }

    static int IconOf(icalcomponent *event)
    {
        bool ok = false;
        const int icon = XProperty(event, "X-QUILLON-ICON").toInt(&ok);
        return ok && icon >= 101 && icon <= 156 ? icon : 0;
    }

    // The key an EXDATE or RECURRENCE-ID matches an occurrence by.
    void Exclude(icalcomponent *calendar, icalcomponent *event, icalproperty *property, const icaltimetype &time,
                 Pending &pending)
    {
        if (icaltime_is_null_time(time) || !WallDate(time).isValid())
            Refuse(LineOf(event, property), QStringLiteral("%1 is no date")
                                                .arg(Utf8(icalproperty_kind_to_string(icalproperty_isa(property)))));
        if (time.is_date || pending.allDay) {
            pending.excludedDates.insert(WallDate(time));
            return;
        }
        pending.excludedInstants.insert(
            Local(WallDate(time), WallTime(time), BasisOf(calendar, event, property, time)).toSecsSinceEpoch());
    }

    void ReadExclusions(icalcomponent *calendar, icalcomponent *event, Pending &pending)
    {
        for (icalproperty *property = FirstProperty(event, ICAL_EXDATE_PROPERTY); property;
             property = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
            Exclude(calendar, event, property, icalproperty_get_exdate(property), pending);
    }

    // Adds the days of one occurrence unless it is excluded. False when it was.
    bool AddOccurrence(Pending &pending, QDate date, QTime time)
    {
        QDate firstDay = date;
        QDate lastDay = date;
        if (pending.allDay) {
            if (pending.excludedDates.contains(date))
                return false;
            lastDay = date.addDays(pending.durationDays - 1);
        } else {
            const QDateTime start = Local(date, time, pending.startBasis);
            if (pending.excludedInstants.contains(start.toSecsSinceEpoch()) || pending.excludedDates.contains(date))
                return false;
            const QDateTime end = start.addSecs(pending.durationSecs);
            firstDay = start.date();
            lastDay = end.date();
            // An end at midnight belongs to the day before.
            if (end > start && end.time() == QTime(0, 0))
                lastDay = lastDay.addDays(-1);
            lastDay = std::max(lastDay, firstDay);
        }
        for (QDate day = firstDay; day <= lastDay; day = day.addDays(1))
            pending.days.insert(day);
        return true;
    }

    void ExpandRules(icalcomponent *event, const icaltimetype &start, Pending &pending, const QString &name)
    {
        for (icalproperty *property = FirstProperty(event, ICAL_RRULE_PROPERTY); property;
             property = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
            const int line = LineOf(event, "RRULE");
            icalrecurrencetype rule = icalproperty_get_rrule(property);
            if (rule.freq == ICAL_NO_RECURRENCE)
                Refuse(line, QStringLiteral("the RRULE has no valid FREQ"));
            const bool open = rule.count == 0 && icaltime_is_null_time(rule.until);
            const QDate stop = open ? m_openRuleEnd : kLastDate;
            // libical searches a long way for a date that a rule may never give: an end
            // a little after the last day wanted bounds that search.
            if (rule.count == 0 && (open || WallDate(rule.until) > stop.addDays(2))) {
                icaltimetype until = start;
                const QDate last = stop.addDays(2);
                until.year = last.year();
                until.month = last.month();
                until.day = last.day();
                rule.until = until;
            }
            IteratorPtr iterator(icalrecur_iterator_new(rule, start));
            if (!iterator)
                Refuse(line, QStringLiteral("the RRULE cannot give any date (or uses parts that cannot be expanded)"));
            int occurrences = 0;
            bool clipped = false;
            for (icaltimetype next = icalrecur_iterator_next(iterator.get()); !icaltime_is_null_time(next);
                 next = icalrecur_iterator_next(iterator.get())) {
                const QDate date = WallDate(next);
                // A day of margin: the local day may be the next one.
                if (!date.isValid() || date > stop.addDays(1)) {
                    clipped = true;
                    break;
                }
                if (++occurrences > kMaxOccurrences)
                    RefuseSize(line, QStringLiteral("the RRULE of \"%1\" gives more than %2 dates")
                                         .arg(name, Count(kMaxOccurrences)));
                AddOccurrence(pending, date, WallTime(next));
            }
            // A series that starts after the last day wanted is clipped, not empty.
            if (occurrences == 0 && !clipped && WallDate(start) <= stop)
                Refuse(line, QStringLiteral("the RRULE gives no date at all"));
            if (open) {
                m_contents.Warnings.append(QStringLiteral("line %1: \"%2\" repeats without end; dates taken up to %3")
                                               .arg(line)
                                               .arg(name, stop.toString(Qt::ISODate)));
                ClipAfter(pending, stop);
            }
        }
    }

    static void ClipAfter(Pending &pending, QDate last)
    {
        for (auto it = pending.days.begin(); it != pending.days.end();) {
            if (*it > last)
                it = pending.days.erase(it);
            else
                ++it;
        }
    }

    void ReadRecurrenceDates(icalcomponent *calendar, icalcomponent *event, Pending &pending)
    {
        for (icalproperty *property = FirstProperty(event, ICAL_RDATE_PROPERTY); property;
             property = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype value = icalproperty_get_rdate(property);
            const icaltimetype time = icaltime_is_null_time(value.time) ? value.period.start : value.time;
            if (icaltime_is_null_time(time) || !WallDate(time).isValid())
                Refuse(LineOf(event, property), QStringLiteral("RDATE is no date"));
            if (pending.allDay || time.is_date) {
                AddOccurrence(pending, WallDate(time), QTime(0, 0));
                continue;
            }
            // An RDATE may name its own zone; the occurrence is kept at that instant.
            const QDateTime local = Local(WallDate(time), WallTime(time), BasisOf(calendar, event, property, time));
            const TimeBasis saved = pending.startBasis;
            pending.startBasis = TimeBasis{}; // local is a floating time already
            AddOccurrence(pending, local.date(), local.time());
            pending.startBasis = saved;
        }
    }

    // A moved or cancelled occurrence replaces the one its RECURRENCE-ID names.
    void ApplyOverrides()
    {
        for (const Override &change : std::as_const(m_overrides)) {
            const auto master = m_eventByUid.constFind(change.uid);
            if (master == m_eventByUid.cend()) {
                // An occurrence sent on its own: an event of its own.
                icalcomponent *event = change.component;
                ReadMaster(change.calendar, event, change.uid);
                continue;
            }
            Pending &pending = m_pending[*master];
            icalproperty *id = FirstProperty(change.component, ICAL_RECURRENCEID_PROPERTY);
            const icaltimetype time = icalproperty_get_recurrenceid(id);
            if (icaltime_is_null_time(time) || !WallDate(time).isValid())
                Refuse(LineOf(change.component, "RECURRENCE-ID"), QStringLiteral("RECURRENCE-ID is no date"));
            // The days the original occurrence had go.
            Pending original = pending;
            original.excludedDates.clear();
            original.excludedInstants.clear();
            original.days.clear();
            if (!pending.allDay && !time.is_date)
                original.startBasis = BasisOf(change.calendar, change.component, id, time);
            AddOccurrence(original, WallDate(time), WallTime(time));
            for (const QDate &day : std::as_const(original.days))
                pending.days.remove(day);
            if (IsCancelled(change.component))
                continue;
            icalproperty *startProperty = FirstProperty(change.component, ICAL_DTSTART_PROPERTY);
            if (!startProperty)
                continue; // the occurrence keeps its place
            const icaltimetype start = icalproperty_get_dtstart(startProperty);
            if (icaltime_is_null_time(start) || !WallDate(start).isValid())
                Refuse(LineOf(change.component, "DTSTART"), QStringLiteral("the event's DTSTART is no date"));
            Pending moved = pending;
            moved.excludedDates.clear();
            moved.excludedInstants.clear();
            moved.days.clear();
            moved.startBasis = BasisOf(change.calendar, change.component, startProperty, start);
            if (FirstProperty(change.component, ICAL_DTEND_PROPERTY)
                || FirstProperty(change.component, ICAL_DURATION_PROPERTY))
                ReadDuration(change.calendar, change.component, start, moved);
            AddOccurrence(moved, WallDate(start), WallTime(start));
            pending.days += moved.days;
        }
        Finish();
    }

    void Finish()
    {
        QList<CalendarEvent> kept;
        for (qsizetype i = 0; i < m_contents.Events.size(); ++i) {
            CalendarEvent &event = m_contents.Events[i];
            const Pending &pending = m_pending[i];
            QList<QDate> dates;
            bool early = false;
            bool late = false;
            for (const QDate &day : pending.days) {
                if (day < kFirstDate)
                    early = true;
                else if (day > kLastDate)
                    late = true;
                else
                    dates.append(day);
            }
            std::sort(dates.begin(), dates.end());
            if ((early || late) && !dates.isEmpty())
                m_contents.Warnings.append(QStringLiteral("line %1: \"%2\": days outside 1900-2100 left out")
                                               .arg(event.Line)
                                               .arg(event.Event.EventName));
            if (dates.isEmpty()) {
                m_contents.Warnings.append(
                    QStringLiteral("line %1: \"%2\" has no day left (left out)").arg(event.Line).arg(event.Event.EventName));
                continue;
            }
            m_totalDates += dates.size();
            if (m_totalDates > kMaxDates)
                RefuseSize(event.Line, QStringLiteral("the file gives more than %1 days of events").arg(Count(kMaxDates)));
            // Our own files say whether the days were picked by hand; others by their count.
            const QString recurring = XProperty(pending.component, "X-QUILLON-RECURRING");
            event.Event.Recurring = recurring.isEmpty() ? dates.size() > 1 : recurring == QLatin1String("1");
            event.Dates = std::move(dates);
            kept.append(std::move(event));
        }
        m_contents.Events = std::move(kept);
    }
};

} // namespace

CalendarContents ReadCalendar(const QByteArray &text, const ReadOptions &options)
{
    // Some programs put a UTF-8 byte order mark in front of the first line.
    static const QByteArray byteOrderMark("\xEF\xBB\xBF");
    Reader reader(text.startsWith(byteOrderMark) ? text.mid(byteOrderMark.size()) : text, options);
    return reader.Read();
}

} // namespace ICalendarReader
