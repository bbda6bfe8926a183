#include "ICalendarWriter.h"

#include "ICalendarKept.h"

#include <QMultiHash>
#include <QSet>

#include <algorithm>
#include <optional>

namespace quillon {

namespace ICalendarWriter {

namespace {

// The file is written here as libical writes the same components (the tests hold the
// two to each other): building and printing a libical component for each of 10,000
// events was most of an export's time.

void AppendDigits(QByteArray &text, int value, int width)
{
    char digits[4];
    for (int i = width - 1; i >= 0; --i, value /= 10)
        digits[i] = char('0' + value % 10);
    text.append(digits, width);
}

void AppendDate(QByteArray &text, QDate date)
{
    AppendDigits(text, date.year(), 4);
    AppendDigits(text, date.month(), 2);
    AppendDigits(text, date.day(), 2);
}

void AppendTime(QByteArray &text, QTime time)
{
    text += 'T';
    AppendDigits(text, time.hour(), 2);
    AppendDigits(text, time.minute(), 2);
    AppendDigits(text, time.second(), 2);
}

// A whole day ("name;VALUE=DATE:20261224"), or a floating time to the minute: the local
// time of whoever reads the file, as the store keeps it.
void AppendInstant(QByteArray &lines, const char *name, QDate date, std::optional<QTime> time)
{
    lines += name;
    lines += time ? ":" : ";VALUE=DATE:";
    AppendDate(lines, date);
    if (time)
        AppendTime(lines, QTime(time->hour(), time->minute()));
    lines += "\r\n";
}

// The content line, ending in CRLF, folded as libical folds it: the line with its CRLF
// is cut after the last ';', ':' or blank of its first 74 bytes, else before the last
// character that starts within 75 (a last part of 74 bytes so has an empty one after it).
void AppendFolded(QByteArray &lines, const QByteArray &line)
{
    constexpr qsizetype kLongest = 75;
    if (line.size() < kLongest) {
        lines += line;
        return;
    }
    const char *text = line.constData();
    for (qsizetype from = 0; from < line.size();) {
        qsizetype next = line.size();
        if (line.size() - from >= kLongest) {
            next = from + kLongest - 1;
            qsizetype at = from + kLongest - 2;
            while (at > from && text[at] != ';' && text[at] != ':' && text[at] != ' ')
                --at;
            if (at > from) {
                next = at + 1;
            } else {
                for (at = from + kLongest - 1; at > from; --at) {
                    const auto byte = static_cast<unsigned char>(text[at]);
                    if ((byte & 0x80) == 0 || (byte & 0xC0) == 0xC0)
                        break;
                }
                if (at > from)
                    next = at;
            }
        }
        if (from > 0)
            lines += "\r\n ";
        lines.append(text + from, next - from);
        from = next;
    }
}

// A TEXT property as libical writes it: a line break as "\n", ',', ';' and '\' after a
// '\', carriage return, backspace and form feed left out; a NUL ends the value.
void AddText(QByteArray &lines, const char *name, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray line = name;
    line.reserve(line.size() + utf8.size() + 8);
    line += ':';
    for (const char c : utf8) {
        if (c == '\0')
            break;
        switch (c) {
        case '\n':
            line += "\\n";
            break;
        case ',':
        case ';':
        case '\\':
            line += '\\';
            line += c;
            break;
        case '\r':
        case '\b':
        case '\f':
            break;
        default:
            line += c;
        }
    }
    line += "\r\n";
    AppendFolded(lines, line);
}

// An X- property of ours: its values (a tag of hex digits, a number) need no escaping.
void AddX(QByteArray &lines, const char *name, const QString &value)
{
    AppendFolded(lines, name + (':' + value.toUtf8()) + "\r\n");
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

void AddTimes(QByteArray &lines, const Occurrence &occurrence)
{
    if (occurrence.AllDay()) {
        AppendInstant(lines, "DTSTART", occurrence.first, std::nullopt);
        AppendInstant(lines, "DTEND", occurrence.last, std::nullopt);
    } else {
        AppendInstant(lines, "DTSTART", occurrence.first, occurrence.start);
        AppendInstant(lines, "DTEND", occurrence.last, occurrence.end);
    }
}

// What the occurrence is called and says, its colour and icon (its reminder: Alarm).
void AddLook(QByteArray &lines, const Occurrence &occurrence, const QString &origin)
{
    const basDatabase::EventRecord &event = occurrence.part->Event;
    // An empty value is no value to most readers: an event without a name has none.
    if (!event.EventName.isEmpty())
        AddText(lines, "SUMMARY", TextValue(event.EventName));
    if (!event.Notes.isEmpty())
        AddText(lines, "DESCRIPTION", TextValue(event.Notes));
    if (!occurrence.part->CssColor.isEmpty())
        AddText(lines, "COLOR", occurrence.part->CssColor);
    if (!origin.isEmpty())
        AddX(lines, "X-QUILLON-ORIGIN", origin);
    if (event.EventIcon != 0)
        AddX(lines, "X-QUILLON-ICON", QString::number(event.EventIcon));
}

// The reminder as other programs know it: a display alarm counting from the start,
// after the event's properties.
void AddAlarm(QByteArray &lines, const Occurrence &occurrence)
{
    const basDatabase::EventRecord &event = occurrence.part->Event;
    if (!event.Reminder)
        return;
    lines += "BEGIN:VALARM\r\nACTION:DISPLAY\r\n";
    AddText(lines, "DESCRIPTION", event.EventName.isEmpty() ? QStringLiteral("Reminder") : TextValue(event.EventName));
    // libical's duration: minutes as they are, none as zero seconds.
    lines += *event.Reminder > 0 ? "TRIGGER:-PT" + QByteArray::number(*event.Reminder) + "M\r\n" : "TRIGGER:PT0S\r\n";
    lines += "END:VALARM\r\n";
}

void AppendStamp(QByteArray &lines, const QDateTime &stamp)
{
    const QDateTime utc = stamp.toUTC();
    lines += "DTSTAMP:";
    AppendDate(lines, utc.date());
    AppendTime(lines, utc.time());
    lines += "Z\r\n";
}

// The master VEVENT and one for each occurrence that differs from it.
void AddSeries(QByteArray &lines, const OutgoingEvent &outgoing, const QDateTime &stamp)
{
    const Part own{outgoing.Event, outgoing.Dates, outgoing.CssColor};
    QList<const Part *> parts{&own};
    for (const Part &other : outgoing.Others)
        parts.append(&other);
    const QList<Occurrence> occurrences = OccurrencesOf(parts);
    if (occurrences.isEmpty())
        return;
    const Occurrence &master = occurrences.first();
    lines += "BEGIN:VEVENT\r\n";
    AddText(lines, "UID", outgoing.Uid);
    AppendStamp(lines, stamp);
    AddTimes(lines, master);
    // Each further occurrence where it starts, in the master's kind of value; the first
    // of two at one instant is the one written.
    const auto instant = [&master](const Occurrence &occurrence) {
        return master.AllDay() ? std::nullopt : std::optional(occurrence.start);
    };
    QSet<std::pair<QDate, QTime>> taken{{master.first, master.AllDay() ? QTime() : master.start}};
    QList<const Occurrence *> changed;
    int written = 1;
    for (qsizetype i = 1; i < occurrences.size(); ++i) {
        const Occurrence &occurrence = occurrences[i];
        const std::pair<QDate, QTime> at{occurrence.first, master.AllDay() ? QTime() : occurrence.start};
        if (taken.contains(at))
            continue;
        taken.insert(at);
        ++written;
        AppendInstant(lines, "RDATE", occurrence.first, instant(occurrence));
        if (occurrence.AllDay() != master.AllDay() || occurrence.Length() != master.Length()
            || occurrence.Look() != master.Look())
            changed.append(&occurrence);
    }
    AddLook(lines, master, outgoing.Origin);
    // Said only where the number of occurrences and days would suggest otherwise.
    const bool said = std::any_of(parts.cbegin(), parts.cend(), [&](const Part *part) {
        return !part->Dates.isEmpty() && part->Event.Recurring != (written > 1 || part->Dates.size() > 1);
    });
    if (said)
        AddX(lines, "X-QUILLON-RECURRING", outgoing.Event.Recurring ? QStringLiteral("1") : QStringLiteral("0"));
    AddAlarm(lines, master);
    lines += "END:VEVENT\r\n";
    for (const Occurrence *occurrence : std::as_const(changed)) {
        lines += "BEGIN:VEVENT\r\n";
        AddText(lines, "UID", outgoing.Uid);
        AppendStamp(lines, stamp);
        AppendInstant(lines, "RECURRENCE-ID", occurrence->first, instant(*occurrence));
        AddTimes(lines, *occurrence);
        AddLook(lines, *occurrence, outgoing.Origin);
        AddAlarm(lines, *occurrence);
        lines += "END:VEVENT\r\n";
    }
}

} // namespace

QByteArray WriteCalendar(const QList<OutgoingEvent> &events, const QDateTime &stamp)
{
    QByteArray own;
    QByteArray zones;
    QByteArray keptEvents;
    QSet<QByteArray> zoneIds;
    QList<QByteArray> named;
    for (const OutgoingEvent &event : events) {
        if (event.Kept.isEmpty()) {
            AddSeries(own, event, stamp);
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
    // The time zones first, as readers that read once expect them.
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velmora Software//Quillon Desktop Calendar//EN\r\n"
           "CALSCALE:GREGORIAN\r\n"
           + zones + own + keptEvents + "END:VCALENDAR\r\n";
}

} // namespace ICalendarWriter

} // namespace quillon
