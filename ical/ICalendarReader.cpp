#include "ICalendarReader.h"

#include "IcalComponent.h"
#include "ICalendarColors.h"
#include "ICalendarLines.h"
#include "ICalendarTexts.h"
#include "EventSeries.h"
#include "basOperation.h"
#include "platform/basPlatform.h"

#include <libical/ical.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace quillon {

namespace ICalendarReader {

namespace {

using basOperation::Failure;

using ComponentPtr = IcalComponentPtr;

const QTime kAllDayEnd(23, 59);

[[noreturn]] void Refuse(int line, const QString &reason)
{
    throw Failure(basOperation::kTypeMismatch, QString::fromUtf8(ICalendarTexts::kAtLine).arg(line).arg(reason));
}

[[noreturn]] void RefuseSize(int line, const QString &reason)
{
    throw Failure(basOperation::kOverflow, QString::fromUtf8(ICalendarTexts::kAtLine).arg(line).arg(reason));
}

// An event left out while the rest of the file is read: "its repeat rule ...".
struct Skipped {
    int line;
    QString reason;
};

// Large numbers as people read them: 100,000.
QString Count(qint64 number) { return QLocale(QLocale::English).toString(number); }

QString Utf8(const char *text) { return text ? QString::fromUtf8(text) : QString(); }

// A DURATION in seconds, in 64 bits: libical's own sum overflows an int past 3550 weeks.
qint64 Seconds(const icaldurationtype &duration)
{
    const qint64 seconds = qint64(duration.weeks) * 7 * 86400 + qint64(duration.days) * 86400
                           + qint64(duration.hours) * 3600 + qint64(duration.minutes) * 60 + qint64(duration.seconds);
    return duration.is_neg ? -seconds : seconds;
}

// No event lasts longer than the days the store keeps.
constexpr qint64 kMaxDurationSecs = 73415LL * 86400;

// A quoted piece of the file in a message: at most about 80 characters of it.
QString Short(const QString &text)
{
    constexpr qsizetype kMaxQuote = 80;
    return text.size() <= kMaxQuote ? text : text.left(kMaxQuote) + QStringLiteral("...");
}

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
// A zone of the file whose observances start late is that zone by name before them,
// when its name is one Qt knows.
struct Zone {
    icaltimezone *ical = nullptr;
    QTimeZone qt;
    QDateTime observedFrom; // of ical: its earliest observance, a wall-clock time held as UTC
    bool IsValid() const { return ical || qt.isValid(); }
    bool UsesQt(const QDateTime &wall) const { return !ical || (qt.isValid() && wall < observedFrom); }
};

// The zone Qt knows by this name: an IANA or Windows name, or the longest IANA name at
// its end (vendors put their own prefix in front: /mozilla.org/20070129_1/Europe/Berlin).
QTimeZone KnownZone(QByteArray name)
{
    while (name.startsWith('/'))
        name.remove(0, 1);
    if (name.isEmpty())
        return QTimeZone();
    if (QTimeZone::isTimeZoneIdAvailable(name))
        return QTimeZone(name);
    const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(name);
    if (!iana.isEmpty())
        return QTimeZone(iana);
    for (qsizetype slash = name.indexOf('/'); slash >= 0; slash = name.indexOf('/', slash + 1)) {
        const QByteArray tail = name.mid(slash + 1);
        if (tail.contains('/') && QTimeZone::isTimeZoneIdAvailable(tail))
            return QTimeZone(tail);
    }
    return QTimeZone();
}

// How the wall-clock times of one property are to be read.
struct TimeBasis {
    enum Kind { Floating, Utc, Zoned } kind = Floating;
    Zone zone;
};

// Windows-1252 where it differs from Latin-1 (0x80-0x9F); 0 where it has no character.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QString FromWindows1252(const QByteArray &text)
{
    QString result(text.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t mapped = byte >= 0x80 && byte < 0xA0 ? kWindows1252[byte - 0x80] : char16_t(0);
        *out++ = QChar(mapped ? mapped : char16_t(byte));
    }
    return result;
}

} // namespace

// The text as UTF-8 with CRLF or LF line ends, whatever the program that wrote it used:
// a byte order mark is dropped, UTF-16 (with a byte order mark, or plainly so by its
// zero bytes) is converted, text that is not UTF-8 is read as Windows-1252 (which
// Latin-1 is part of; said once in notes), and lines ended by CR alone end in CRLF.
QByteArray AsUtf8(const QByteArray &text, QStringList &notes)
{
    QByteArray utf8;
    const bool bomLe = text.startsWith("\xFF\xFE");
    const bool bomBe = text.startsWith("\xFE\xFF");
    const bool plainLe = !bomLe && !bomBe && text.size() >= 4 && text[0] != 0 && text[1] == 0 && text[3] == 0;
    const bool plainBe = !bomLe && !bomBe && text.size() >= 4 && text[0] == 0 && text[1] != 0 && text[2] == 0;
    if (bomLe || bomBe || plainLe || plainBe) {
        QStringDecoder decode(bomLe || plainLe ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                              QStringConverter::Flag::Stateless);
        const QString decoded = decode(QByteArrayView(text).sliced(bomLe || bomBe ? 2 : 0));
        if (decode.hasError())
            throw Failure(basOperation::kTypeMismatch,
                          QString::fromUtf8(ICalendarTexts::kUtf16Unreadable));
        utf8 = decoded.toUtf8();
    } else if (text.startsWith("\xEF\xBB\xBF")) {
        // Some programs put a UTF-8 byte order mark in front of the first line.
        utf8 = text.mid(3);
    } else {
        utf8 = text;
    }
    // Folding may split a character between lines, with or without the fold's blank (the
    // reading joins such a line again): only the unfolded text must be UTF-8.
    const auto unfoldedIsUtf8 = [](const QByteArray &folded) {
        QByteArray unfolded;
        unfolded.reserve(folded.size());
        for (qsizetype i = 0; i < folded.size(); ++i) {
            const qsizetype next = folded.at(i) == '\n' ? i + 1
                                   : folded.at(i) == '\r' && i + 1 < folded.size() && folded.at(i + 1) == '\n' ? i + 2
                                                                                                              : -1;
            if (next < 0 || next == folded.size()) {
                unfolded += folded.at(i);
                continue;
            }
            const auto after = static_cast<unsigned char>(folded.at(next));
            if (after == ' ' || after == '\t')
                i = next;
            else if ((after & 0xC0) == 0x80)
                i = next - 1;
            else
                unfolded += folded.at(i);
        }
        return unfolded.isValidUtf8();
    };
    if (!utf8.isValidUtf8() && !unfoldedIsUtf8(utf8)) {
        utf8 = FromWindows1252(utf8).toUtf8();
        notes.append(QString::fromUtf8(ICalendarTexts::kReadAsLatin1));
    }
    // Lines ended by CR alone (old Mac programs): each CR not followed by LF ends a line.
    const qsizetype firstCr = utf8.indexOf('\r');
    if (firstCr >= 0 && (firstCr + 1 == utf8.size() || utf8.at(firstCr + 1) != '\n')) {
        QByteArray ended;
        ended.reserve(utf8.size() + utf8.size() / 32);
        for (qsizetype i = 0; i < utf8.size(); ++i) {
            ended.append(utf8.at(i));
            if (utf8.at(i) == '\r' && (i + 1 == utf8.size() || utf8.at(i + 1) != '\n'))
                ended.append('\n');
        }
        utf8 = std::move(ended);
    }
    return utf8;
}

namespace {

class Reader {
public:
    Reader(const ICalendarLines::Text &text, const ReadOptions &options, const EventTaker &take = {},
           const std::function<void(qsizetype)> &expect = {}, bool inOrder = false)
        : m_text(text), m_options(options), m_index(text), m_take(take), m_expect(expect), m_inOrder(take && inOrder)
    {
        if (!m_options.LocalZone.isValid())
            m_options.LocalZone = QTimeZone::systemTimeZone();
        if (!m_options.Today.isValid())
            m_options.Today = basPlatform::Today();
        m_openRuleEnd = std::min(kLastDate, m_options.Today.addYears(kOpenRuleYears));
        m_fileSteps = kMaxFileSteps + qint64(m_text.size()) * kFileStepsPerByte;
    }

    CalendarContents Read()
    {
        icalerror_set_errors_are_fatal(0);
        QList<Found> events;
        const QList<ICalendarLines::ComponentLines> &lines = m_index.Components();
        events.reserve(std::count_if(lines.cbegin(), lines.cend(), [](const ICalendarLines::ComponentLines &component) {
            return component.Depth == 1 && component.Name == QLatin1String("VEVENT");
        }));
        for (int c = 0; c < lines.size(); ++c) {
            if (lines[c].Depth != 0)
                continue;
            QList<int> children; // the calendar's own events, in the order of the file
            for (int i = c + 1; i < lines.size() && lines[i].Depth > 0; ++i) {
                if (lines[i].Depth == 1 && lines[i].Name == QLatin1String("VEVENT"))
                    children.append(i);
            }
            icalcomponent *calendar = ReadFrame(c);
            ScanEvents(calendar, children, events);
        }
        ReadEvents(events);
        events = {};
        ApplyLeftOverrides();
        return std::move(m_contents);
    }

private:
    // A VEVENT of the file before it is read: what decides which version of an event is
    // read and which occurrences it changes.
    struct Found {
        icalcomponent *calendar;
        int index; // in m_index.Components()
        QString uid;
        QString key; // KeyOf
        int sequence;
        bool changesOccurrence; // has a RECURRENCE-ID
        // Decided once all are known: this is the version read; some version of its UID is.
        bool read = false;
        bool anyRead = false;
    };
    struct Override {
        int index;
        icalcomponent *calendar;
        QString uid;
        QString key; // KeyOf
        icalcomponent *component = nullptr; // while its batch is parsed
        bool applied = false; // to its series, at the end of the series' batch
    };
    // What one master event contributes before its overrides are applied.
    struct Pending {
        QString recurring; // X-QUILLON-RECURRING
        bool allDay = false;
        qint64 durationSecs = 0; // timed events
        int durationDays = 1;    // all-day events
        TimeBasis startBasis;
        QSet<QDate> excludedDates;
        QSet<qint64> excludedInstants;
        // One occurrence: its length (seconds, or days when all-day), its start in the
        // series' own clock (see Wall; a later occurrence moves by a change measured
        // there) and how it looks.
        struct Occurrence {
            qint64 length = 0;
            qint64 wall = 0;
            int look = 0; // in looks
            bool allDay = false;
        };
        // By the local wall-clock start (seconds, see Wall; an all-day one at 00:00), as
        // the series gives them: that start is what a RECURRENCE-ID names.
        QHash<qint64, Occurrence> occurrences;
        // An occurrence a changed one replaced, by the start it had: where it is now.
        // One changed alone stays as it was changed; one changed with later ones, until
        // a change of a later occurrence with later ones replaces it.
        static constexpr qint64 kAlone = std::numeric_limits<qint64>::max();
        struct Moved {
            qint64 start = 0;
            Occurrence now;
            Occurrence original;
            qint64 range = kAlone; // the start of the occurrence whose change moved it with later ones
            bool cancelled = false;
            int sequence = 0; // of the change
        };
        QHash<qint64, Moved> moved;
        // Name, notes, colour, icon and reminder of the occurrences: the master's first,
        // then each different one a changed occurrence brings.
        QList<basDatabase::EventRecord> looks;
        int look = 0; // what the occurrences added now look like
        // Days whose work is paid from runFirst to runLast: occurrences come in order,
        // and a long one need not pay for its days again.
        QDate runFirst;
        QDate runLast;
        ICalendarRecurrence::Budget budget{kMaxEventSteps};

        // The same event with no occurrence, exclusion or work done yet.
        Pending Fresh(const std::function<bool()> &cancelled) const
        {
            Pending fresh = *this;
            fresh.excludedDates.clear();
            fresh.excludedInstants.clear();
            fresh.occurrences.clear();
            fresh.moved.clear();
            fresh.runFirst = fresh.runLast = QDate();
            fresh.budget = ICalendarRecurrence::Budget(kMaxEventSteps, cancelled);
            return fresh;
        }
    };
    // An event with changed occurrences until they are applied: at the end of its batch,
    // or, for those that came without their series, of the file.
    struct Waiting {
        CalendarEvent series;
        Pending pending;
        QString key;          // KeyOf
        qsizetype place = -1; // in the list (m_handed + its index in m_contents.Events), when kept there
    };

    ICalendarLines::Text m_text;
    ReadOptions m_options;
    ICalendarLines::LineIndex m_index;
    // Where each event goes once it is read whole; without it, into m_contents.Events.
    EventTaker m_take;
    std::function<void(qsizetype)> m_expect; // told how many series come, with m_take
    // With m_take: the events are handed in the order of the list, each once those before
    // it are; the list holds only those that wait for a series before them.
    bool m_inOrder = false;
    qsizetype m_handed = 0; // places of the list handed so far (a series waiting is one)
    std::optional<int> m_overLimitLine; // the event with which the days went over kMaxDates

    // Each calendar of the file with its own properties and time zones, not its events:
    // those are parsed a batch at a time, and freed, so that a large file never stands
    // whole in libical's form.
    std::vector<ComponentPtr> m_frames;
    std::unordered_map<const icalcomponent *, int> m_componentIndex;
    QList<const icalcomponent *> m_batchComponents; // mapped in m_componentIndex while their batch lives
    // A small file's events as the scan parsed them (KeepScanned), read from there
    // instead of being parsed a second time; with their components, mapped meanwhile.
    std::vector<ComponentPtr> m_scanned;
    QHash<int, icalcomponent *> m_scannedByIndex;
    QList<const icalcomponent *> m_scannedComponents;
    QDate m_openRuleEnd;
    CalendarContents m_contents;
    // The events that changed occurrences look for (an id in m_waiting), and those
    // skipped (-1).
    QHash<QString, qsizetype> m_eventByUid;
    QSet<QString> m_changedKeys; // KeyOf the events with changed occurrences
    // By id, in the order read: how an event with changed occurrences was read, and what
    // our own file said of its days being picked by hand, while it waits for them. The
    // others keep only their dates (in the event), so that a large file takes little
    // room; and a series waits no longer than its batch, so that a feed of many series
    // with changed occurrences never holds them all in this form.
    std::map<qsizetype, Waiting> m_waiting;
    qsizetype m_nextWaiting = 0;
    QList<qsizetype> m_batchWaiting; // read from the batch parsed now
    // The events each waiting series became, by its place in m_contents.Events.
    QHash<qsizetype, QList<CalendarEvent>> m_expanded;
    QList<Override> m_overrides; // in the order of the file
    QHash<QString, QList<qsizetype>> m_overridesOf; // by KeyOf: positions in m_overrides
    QHash<QByteArray, Zone> m_zones;
    // The local zone's skipped hours by the day they are on (wall-clock start, length in
    // seconds), for the years looked at so far.
    mutable QSet<int> m_gapYears;
    mutable QHash<QDate, std::pair<QTime, int>> m_localGaps;
    // The same for the zones of the file: by zone and day, whether its offset may change.
    mutable QHash<std::pair<const icaltimezone *, qint64>, bool> m_zoneChangeDays;
    QSet<QString> m_warnedZones;
    qint64 m_totalDates = 0;
    qint64 m_fileSteps = 0; // what the events still to come may spend together
    // VEVENTs (by index) with a line libical could not read: the first such line and why.
    QHash<int, std::pair<int, QString>> m_unreadable;
    // The text of those that read once mended (see Mend), by index.
    QHash<int, QByteArray> m_mended;
    // The same for the VTIMEZONEs: such a zone is left out.
    QHash<const icalcomponent *, std::pair<int, QString>> m_brokenZones;
    // What a limit reached now is reported as.
    int m_limitLine = 0;
    QString m_limitReason;

    // --- Lines -------------------------------------------------------------------

    // How much of the file's events one parse takes: libical's form of a component is
    // many times its text.
    static constexpr qsizetype kBatchBytes = 256 * 1024;
    // Up to this size of file, the events' parse of the scan is kept for their reading.
    static constexpr qsizetype kKeepScannedBytes = 4 * 1024 * 1024;

    // The calendar at index with its own lines and time zones, parsed and kept for the
    // whole read: its events refer to its zones.
    icalcomponent *ReadFrame(int index)
    {
        const QList<ICalendarLines::ComponentLines> &lines = m_index.Components();
        const ICalendarLines::ComponentLines &calendar = lines[index];
        QByteArray frame;
        qsizetype at = calendar.From;
        for (int i = index + 1; i < lines.size() && lines[i].Depth > 0; ++i) {
            if (lines[i].Depth != 1)
                continue;
            frame += m_text.Slice(at, lines[i].From);
            if (lines[i].Name == QLatin1String("VTIMEZONE"))
                frame += m_text.Slice(lines[i].From, lines[i].To);
            at = lines[i].To;
        }
        frame += m_text.Slice(at, calendar.To);
        ComponentPtr root(icalparser_parse_string(frame.constData()));
        if (!root || icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT)
            Refuse(1, QString::fromUtf8(ICalendarTexts::kLibicalUnreadable));
        MapTree(root.get(), index);
        m_batchComponents.clear(); // the frame's stay mapped
        CheckParseErrors(root.get());
        m_frames.push_back(std::move(root));
        return m_frames.back().get();
    }

    // Components of the file (by index, at depth 1) parsed together in one calendar of
    // their own; MapBatch gives each its component until the batch is released.
    ComponentPtr ParseBatch(const QList<int> &indexes)
    {
        const QList<ICalendarLines::ComponentLines> &lines = m_index.Components();
        QByteArray text = "BEGIN:VCALENDAR\r\n";
        for (const int i : indexes) {
            const auto mended = m_mended.isEmpty() ? m_mended.cend() : m_mended.constFind(i);
            text += mended != m_mended.cend() ? *mended : m_text.Slice(lines[i].From, lines[i].To);
        }
        if (!text.endsWith('\n'))
            text += "\r\n";
        text += "END:VCALENDAR\r\n";
        ComponentPtr root(icalparser_parse_string(text.constData()));
        if (!root)
            Refuse(lines[indexes.first()].Begin, QString::fromUtf8(ICalendarTexts::kLibicalUnreadable));
        return root;
    }

    // The batch's components by their index; libical keeps those of one kind in order.
    QHash<int, icalcomponent *> MapBatch(icalcomponent *root, const QList<int> &indexes)
    {
        const QList<ICalendarLines::ComponentLines> &lines = m_index.Components();
        QHash<int, icalcomponent *> byIndex;
        qsizetype next = 0;
        for (icalcomponent *child = icalcomponent_get_first_component(root, ICAL_ANY_COMPONENT); child;
             child = icalcomponent_get_next_component(root, ICAL_ANY_COMPONENT)) {
            const QString name = NameOf(child);
            for (qsizetype k = next; k < indexes.size(); ++k) {
                if (lines[indexes[k]].Name == name) {
                    next = k + 1;
                    MapTree(child, indexes[k]);
                    byIndex.insert(indexes[k], child);
                    break;
                }
            }
        }
        return byIndex;
    }

    void ReleaseBatch(ComponentPtr &root)
    {
        for (const icalcomponent *component : std::as_const(m_batchComponents))
            m_componentIndex.erase(component);
        m_batchComponents.clear();
        root.reset();
    }

    // The indexes in runs of about kBatchBytes of text, each of one calendar.
    template<typename Item, typename IndexOf, typename CalendarOf, typename Use>
    void InBatches(const QList<Item> &items, const IndexOf &indexOf, const CalendarOf &calendarOf, const Use &use,
                   bool keep = false)
    {
        const QList<ICalendarLines::ComponentLines> &lines = m_index.Components();
        for (qsizetype first = 0; first < items.size();) {
            QList<int> indexes;
            qsizetype bytes = 0;
            qsizetype last = first;
            for (; last < items.size() && (indexes.isEmpty() || bytes < kBatchBytes)
                   && calendarOf(items[last]) == calendarOf(items[first]);
                 ++last) {
                const int index = indexOf(items[last]);
                indexes.append(index);
                bytes += lines[index].To - lines[index].From;
            }
            if (m_options.Cancelled && m_options.Cancelled())
                throw Cancelled();
            ComponentPtr root = ParseBatch(indexes);
            const QHash<int, icalcomponent *> components = MapBatch(root.get(), indexes);
            use(first, last, components);
            if (keep) {
                m_scannedByIndex.insert(components);
                m_scannedComponents += std::exchange(m_batchComponents, {});
                m_scanned.push_back(std::move(root));
            } else {
                ReleaseBatch(root);
            }
            first = last;
        }
    }

    static QString NameOf(icalcomponent *component)
    {
        return Utf8(icalcomponent_kind_to_string(icalcomponent_isa(component)));
    }

    void MapTree(icalcomponent *component, int index)
    {
        m_componentIndex[component] = index;
        m_batchComponents.append(component);
        MapChildren(component, index);
    }

    void MapChildren(icalcomponent *parent, int parentIndex)
    {
        const QList<ICalendarLines::ComponentLines> &lines = m_index.Components();
        const int depth = parentIndex < 0 ? 0 : lines[parentIndex].Depth + 1;
        const int end = parentIndex < 0 ? std::numeric_limits<int>::max() : lines[parentIndex].End;
        QHash<QString, int> next; // by name: where its next line is looked for
        for (icalcomponent *child = icalcomponent_get_first_component(parent, ICAL_ANY_COMPONENT); child;
             child = icalcomponent_get_next_component(parent, ICAL_ANY_COMPONENT)) {
            const QString name = NameOf(child);
            for (int i = next.value(name, parentIndex + 1); i < lines.size() && lines[i].Begin < end; ++i) {
                if (lines[i].Depth == depth && lines[i].Name == name) {
                    next[name] = i + 1;
                    MapTree(child, i);
                    break;
                }
            }
        }
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

    // libical reads past what it cannot parse and leaves an X-LIC-PARSEERROR behind. A
    // property of a name it does not know is no error: calendars carry many (X- names,
    // newer ones such as LINK, a vendor's own). Anything else costs its own event, or
    // its own time zone; only the calendar's own lines stop the import.
    void CheckParseErrors(icalcomponent *component)
    {
        static const QRegularExpression propertyName(QStringLiteral("in ([A-Za-z0-9-]+) property"));
        static const QRegularExpression unknownName(QStringLiteral("^Parse error in property name: ([A-Za-z0-9-]+)$"));
        static const QLatin1String removed("Removing entire property: ");
        static const QLatin1String dataLine("could not find a property name or component begin tag: ");
        const icalcomponent_kind kind = icalcomponent_isa(component);
        const int index = IndexOf(component);
        QHash<QString, int> seen; // how often a line was named already, so that the next one is found
        const auto nth = [&seen](const QString &key) { return seen[key]++; };
        for (icalproperty *error = FirstProperty(component, ICAL_XLICERROR_PROPERTY); error;
             error = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
            const QString fullText = Utf8(icalproperty_get_xlicerror(error)).trimmed();
            // Messages quote libical's text, which may hold a whole line: at most 80 characters.
            const QString text = Short(fullText);
            // An empty property ("DESCRIPTION:") is dropped, which is what it says.
            if (text.startsWith(QLatin1String("No value for")))
                continue;
            const QRegularExpressionMatch unknown = unknownName.match(fullText);
            if (unknown.hasMatch())
                continue;
            if (!Matters(kind))
                continue;
            icalparameter *type = icalproperty_get_first_parameter(error, ICAL_XLICERRORTYPE_PARAMETER);
            const bool parameterOnly = type
                                       && (icalparameter_get_xlicerrortype(type) == ICAL_XLICERRORTYPE_PARAMETERNAMEPARSEERROR
                                           || icalparameter_get_xlicerrortype(type)
                                                  == ICAL_XLICERRORTYPE_PARAMETERVALUEPARSEERROR);
            int line = BeginLine(component);
            QString value;
            const QRegularExpressionMatch match = propertyName.match(fullText);
            if (match.hasMatch()) {
                const qsizetype at = fullText.indexOf(removed);
                const qsizetype colon = at >= 0 ? at + removed.size() - 2 : fullText.lastIndexOf(QStringLiteral(": "));
                value = colon >= 0 ? fullText.mid(colon + 2) : QString();
                const QString name = match.captured(1);
                line = m_index.NthPropertyLineWithValue(index, name, nth(name + QLatin1Char(':') + value), value.toUtf8());
            } else if (const qsizetype at = fullText.indexOf(dataLine); at >= 0) {
                const QString junk = fullText.mid(at + dataLine.size());
                line = m_index.NthLineStartingWith(index, junk.toUtf8(), nth(QLatin1Char('#') + junk));
            }
            if (parameterOnly) {
                m_contents.Warnings.append(QString::fromUtf8(ICalendarTexts::kIgnored).arg(line).arg(text));
            } else if (kind == ICAL_VEVENT_COMPONENT) {
                // A repeat rule libical cannot read (BYMONTHDAY=32) costs its event only.
                const QString reason = match.captured(1).compare(QLatin1String("RRULE"), Qt::CaseInsensitive) == 0
                                           ? QString::fromUtf8(ICalendarTexts::kRuleUnreadable).arg(Short(value))
                                           : text;
                if (!m_unreadable.contains(index))
                    m_unreadable.insert(index, {line, reason});
            } else if (kind != ICAL_VCALENDAR_COMPONENT) {
                icalcomponent *zone = component;
                while (zone && icalcomponent_isa(zone) != ICAL_VTIMEZONE_COMPONENT)
                    zone = icalcomponent_get_parent(zone);
                if (zone && !m_brokenZones.contains(zone))
                    m_brokenZones.insert(zone, {line, text});
            } else {
                Refuse(line, text);
            }
        }
        for (icalcomponent *child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); child;
             child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
            CheckParseErrors(child);
    }

    // An event libical could not read, mended where a lenient reader gets past the flaw
    // (MendedText) and read again: kept so when it then reads without fault, each mend
    // named in a warning; else it stays unreadable. A line that is no property is read
    // as part of the one before, or, when that cannot be read, left out. Gives the
    // mended event's calendar.
    ComponentPtr Mend(int index)
    {
        const ICalendarLines::ComponentLines &lines = m_index.Components()[index];
        const QByteArray text = m_text.Slice(lines.From, lines.To);
        QByteArray tried;
        for (const ICalendarLines::StrayLine stray : {ICalendarLines::StrayLine::Joined, ICalendarLines::StrayLine::Dropped}) {
            QStringList notes;
            QByteArray mended = MendedText(text, lines.Begin, stray, notes);
            if (notes.isEmpty() || mended == tried)
                return {};
            tried = mended;
            if (ComponentPtr root = ReadMended(index, std::move(mended))) {
                m_contents.Warnings += notes;
                return root;
            }
        }
        return {};
    }

    ComponentPtr ReadMended(int index, QByteArray &&text)
    {
        const std::pair<int, QString> unreadable = m_unreadable.take(index);
        const qsizetype warned = m_contents.Warnings.size();
        m_mended.insert(index, std::move(text));
        ComponentPtr root = ParseBatch({index});
        icalcomponent *event = MapBatch(root.get(), {index}).value(index);
        if (event)
            CheckParseErrors(event);
        // What the first reading warned of is said already.
        m_contents.Warnings.resize(warned);
        if (!event || m_unreadable.contains(index)) {
            m_unreadable.insert(index, unreadable);
            m_mended.remove(index);
            return {};
        }
        return root;
    }

    // A component's text as a lenient reader takes it: lines a careless writer broke
    // joined again (ICalendarLines::MendedLines), and a repeat rule with both COUNT and
    // UNTIL, which none may have, read up to its UNTIL. Each mend is named in notes.
    static QByteArray MendedText(const QByteArray &text, int firstLine, ICalendarLines::StrayLine stray,
                                 QStringList &notes)
    {
        QByteArray mended;
        mended.reserve(text.size());
        for (ICalendarLines::ContentLine &line : ICalendarLines::MendedLines(text, firstLine, stray)) {
            for (const int joined : std::as_const(line.Joined))
                notes.append(stray == ICalendarLines::StrayLine::Joined
                                 ? QString::fromUtf8(ICalendarTexts::kStrayJoined)
                                       .arg(joined)
                                       .arg(line.Number)
                                 : QString::fromUtf8(ICalendarTexts::kStrayLeftOut).arg(joined));
            if (line.Text.size() > 6 && qstrnicmp(line.Text.constData(), "RRULE", 5) == 0
                && (line.Text.at(5) == ':' || line.Text.at(5) == ';') && DropCountBesideUntil(line.Text))
                notes.append(QString::fromUtf8(ICalendarTexts::kCountAndUntil)
                                 .arg(line.Number));
            mended += line.Text + "\r\n";
        }
        return mended;
    }

    // Drops COUNT from an RRULE line that has UNTIL too. False when it has not both.
    static bool DropCountBesideUntil(QByteArray &line)
    {
        // The value follows the first colon that is not within a quoted parameter.
        qsizetype colon = -1;
        bool quoted = false;
        for (qsizetype i = 0; i < line.size() && colon < 0; ++i) {
            if (line.at(i) == '"')
                quoted = !quoted;
            else if (line.at(i) == ':' && !quoted)
                colon = i;
        }
        if (colon < 0)
            return false;
        QList<QByteArray> parts = line.mid(colon + 1).split(';');
        const auto named = [](const QByteArray &part, const char *name) {
            return qstrnicmp(part.trimmed().constData(), name, qstrlen(name)) == 0;
        };
        const bool until = std::any_of(parts.cbegin(), parts.cend(), [&](const QByteArray &part) { return named(part, "UNTIL="); });
        const qsizetype before = parts.size();
        if (until)
            parts.removeIf([&](const QByteArray &part) { return named(part, "COUNT="); });
        if (parts.size() == before)
            return false;
        line = line.left(colon + 1) + parts.join(';');
        return true;
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
        if (zone.ical) {
            icalcomponent *definition = icaltimezone_get_component(zone.ical);
            const auto broken = definition ? m_brokenZones.constFind(definition) : m_brokenZones.cend();
            const bool isBroken = broken != m_brokenZones.cend();
            const QString problem = isBroken ? broken->second : definition ? ZoneProblem(definition) : QString();
            if (!problem.isEmpty()) {
                m_contents.Warnings.append(QString::fromUtf8(ICalendarTexts::kZoneLeftOut)
                                               .arg(isBroken ? broken->first : BeginLine(definition))
                                               .arg(QString::fromUtf8(tzid), problem));
                zone.ical = nullptr;
            } else {
                // A definition without observances says no more than its name.
                zone.observedFrom = definition ? EarliestObservance(definition) : QDateTime();
                if (!zone.observedFrom.isValid())
                    zone.ical = nullptr;
            }
        }
        // Files that lean on well-known names without a VTIMEZONE block.
        zone.qt = KnownZone(tzid);
        m_zones.insert(key, zone);
        return zone;
    }

    static QDateTime EarliestObservance(icalcomponent *definition)
    {
        QDateTime earliest;
        for (icalcomponent *observance = icalcomponent_get_first_component(definition, ICAL_ANY_COMPONENT); observance;
             observance = icalcomponent_get_next_component(definition, ICAL_ANY_COMPONENT)) {
            icalproperty *start = FirstProperty(observance, ICAL_DTSTART_PROPERTY);
            if (!start)
                continue;
            const icaltimetype time = icalproperty_get_dtstart(start);
            const QDateTime wall = Wall(WallDate(time), WallTime(time));
            if (wall.isValid() && (!earliest.isValid() || wall < earliest))
                earliest = wall;
        }
        return earliest;
    }

    // libical works out a zone's clock changes from its rules, every year up to the one
    // converted: only rules it can expand quickly are used.
    static QString ZoneProblem(icalcomponent *definition)
    {
        for (icalcomponent *observance = icalcomponent_get_first_component(definition, ICAL_ANY_COMPONENT); observance;
             observance = icalcomponent_get_next_component(definition, ICAL_ANY_COMPONENT)) {
            icalproperty *start = FirstProperty(observance, ICAL_DTSTART_PROPERTY);
            for (icalproperty *property = FirstProperty(observance, ICAL_RRULE_PROPERTY); property;
                 property = icalcomponent_get_next_property(observance, ICAL_RRULE_PROPERTY)) {
                if (!start)
                    return QString::fromUtf8(ICalendarTexts::kClockChangeWithoutStart);
                const QString why =
                    ICalendarRecurrence::WhyNotAZoneRule(icalproperty_get_rrule(property), icalproperty_get_dtstart(start));
                if (!why.isEmpty())
                    return why;
            }
        }
        return QString();
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
            QString::fromUtf8(ICalendarTexts::kUnknownZone).arg(line).arg(tzid));
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
        if (basis.kind == TimeBasis::Floating)
            return AfterLocalGap(date, time);
        const QDateTime local = QDateTime::fromSecsSinceEpoch(Instant(date, time, basis), m_options.LocalZone);
        return Wall(local.date(), local.time());
    }

    // A wall-clock time of the file as seconds since the epoch (a floating one in the
    // local zone).
    qint64 Instant(QDate date, QTime time, const TimeBasis &basis) const
    {
        switch (basis.kind) {
        case TimeBasis::Floating: {
            const QDateTime wall = AfterLocalGap(date, time);
            return QDateTime(wall.date(), wall.time(), m_options.LocalZone).toSecsSinceEpoch();
        }
        case TimeBasis::Utc:
            return Wall(date, time).toSecsSinceEpoch();
        case TimeBasis::Zoned:
            break;
        }
        if (!basis.zone.UsesQt(Wall(date, time)))
            return ZonedToUtc(date, time, basis.zone);
        const QDateTime zoned(date, time, basis.zone.qt);
        if (zoned.isValid() && zoned.time() == time)
            return zoned.toSecsSinceEpoch();
        // A time the zone's clock skips: the offset before the jump, so the time after it.
        const QDateTime wall = Wall(date, time);
        return wall.toSecsSinceEpoch() - basis.zone.qt.offsetFromUtc(wall.addDays(-1));
    }

    // An instant as the wall-clock time of a clock (the local one for floating times),
    // held as in Wall.
    QDateTime WallIn(const TimeBasis &basis, qint64 instant) const
    {
        QDateTime at;
        switch (basis.kind) {
        case TimeBasis::Floating:
            at = QDateTime::fromSecsSinceEpoch(instant, m_options.LocalZone);
            break;
        case TimeBasis::Utc:
            at = QDateTime::fromSecsSinceEpoch(instant, QTimeZone::utc());
            break;
        case TimeBasis::Zoned:
            // Whether it is before the zone's first observance: the instant tells it as
            // well as its wall-clock time, hours from it.
            if (!basis.zone.UsesQt(QDateTime::fromSecsSinceEpoch(instant, QTimeZone::utc()))) {
                const icaltimetype converted = icaltime_from_timet_with_zone(time_t(instant), 0, basis.zone.ical);
                return Wall(WallDate(converted), WallTime(converted));
            }
            at = QDateTime::fromSecsSinceEpoch(instant, basis.zone.qt);
            break;
        }
        return Wall(at.date(), at.time());
    }

    // A time of one clock in Wall's seconds of another.
    qint64 WallSecsIn(const TimeBasis &clock, QDate date, QTime time, const TimeBasis &basis) const
    {
        if (SameClock(clock, basis))
            return WallSecs(date, time);
        return WallIn(clock, Instant(date, time, basis)).toSecsSinceEpoch();
    }

    static bool SameClock(const TimeBasis &a, const TimeBasis &b)
    {
        return a.kind == b.kind
               && (a.kind != TimeBasis::Zoned || (a.zone.ical == b.zone.ical && a.zone.qt == b.zone.qt));
    }

    // A local time that the clock skips (02:30 on the night it jumps from 02:00 to 03:00)
    // is the time that far after the jump (03:30), as calendar programs take it.
    QDateTime AfterLocalGap(QDate date, QTime time) const
    {
        const QDateTime wall = Wall(date, time);
        if (!m_gapYears.contains(date.year())) {
            m_gapYears.insert(date.year());
            const QDateTime from(QDate(date.year(), 1, 1).addDays(-1), QTime(0, 0), QTimeZone::utc());
            const QDateTime to(QDate(date.year(), 12, 31).addDays(1), QTime(0, 0), QTimeZone::utc());
            for (const QTimeZone::OffsetData &change : m_options.LocalZone.transitions(from, to)) {
                const QDateTime at = change.atUtc;
                const int before = m_options.LocalZone.offsetFromUtc(at.addSecs(-1));
                const int jump = change.offsetFromUtc - before;
                if (jump <= 0)
                    continue;
                // The skipped wall-clock hour starts at the change in the old offset.
                const QDateTime skippedFrom = at.addSecs(before);
                m_localGaps.insert(skippedFrom.date(), {skippedFrom.time(), jump});
            }
        }
        const auto gap = m_localGaps.constFind(date);
        if (gap == m_localGaps.cend())
            return wall;
        const QDateTime skippedFrom = Wall(date, gap->first);
        if (wall >= skippedFrom && wall < skippedFrom.addSecs(gap->second))
            return wall.addSecs(gap->second);
        return wall;
    }

    static qint64 IcalToUtc(QDate date, QTime time, icaltimezone *zone)
    {
        return qint64(icaltime_as_timet_with_zone(IcalWallTime(date, time), zone));
    }

    // A wall-clock time of a zone of the file as seconds since the epoch. Before its first
    // observance libical knows only its standard offset: its rules are taken back instead,
    // at the same day of a year 28 years on (or a multiple of it: the same calendar).
    qint64 ZonedToUtc(QDate date, QTime time, const Zone &zone) const
    {
        const QDateTime wall = Wall(date, time);
        if (wall >= zone.observedFrom)
            return IcalToUtcAfterGap(wall, zone.ical);
        const int cycles = int((zone.observedFrom.date().year() - date.year()) / 28 + 1);
        const QDate later = date.addYears(28 * cycles);
        const qint64 offset = Wall(later, time).toSecsSinceEpoch() - IcalToUtcAfterGap(Wall(later, time), zone.ical);
        return wall.toSecsSinceEpoch() - offset;
    }

    // A time the zone's clock skips (02:30 on the night it jumps from 02:00 to 03:00) has
    // the offset before the jump, so it is the time that far after it (03:30), as in the
    // zones Qt knows; libical would give it the offset after.
    qint64 IcalToUtcAfterGap(const QDateTime &wall, icaltimezone *zone) const
    {
        const qint64 utc = IcalToUtc(wall.date(), wall.time(), zone);
        if (!MayChangeOn(zone, wall.date()))
            return utc;
        const icaltimetype back = icaltime_from_timet_with_zone(time_t(utc), 0, zone);
        if (Wall(WallDate(back), WallTime(back)) == wall)
            return utc;
        const QDateTime dayBefore = wall.addDays(-1);
        const qint64 offsetBefore = dayBefore.toSecsSinceEpoch() - IcalToUtc(dayBefore.date(), dayBefore.time(), zone);
        return wall.toSecsSinceEpoch() - offsetBefore;
    }

    // Whether the zone's offset may change on the day (or the evening before): only then
    // can a time be one its clock skips, which takes another conversion to tell.
    bool MayChangeOn(icaltimezone *zone, QDate date) const
    {
        const std::pair<const icaltimezone *, qint64> key(zone, date.toJulianDay());
        auto found = m_zoneChangeDays.constFind(key);
        if (found == m_zoneChangeDays.cend()) {
            const QDateTime from = Wall(date.addDays(-1), QTime(12, 0));
            const QDateTime to = Wall(date.addDays(1), QTime(0, 0));
            const qint64 offsetFrom = from.toSecsSinceEpoch() - IcalToUtc(from.date(), from.time(), zone);
            const qint64 offsetTo = to.toSecsSinceEpoch() - IcalToUtc(to.date(), to.time(), zone);
            found = m_zoneChangeDays.insert(key, offsetFrom != offsetTo);
        }
        return *found;
    }

    // --- Events ------------------------------------------------------------------

    static int SequenceOf(icalcomponent *event)
    {
        icalproperty *sequence = FirstProperty(event, ICAL_SEQUENCE_PROPERTY);
        return sequence ? icalproperty_get_sequence(sequence) : 0;
    }

    // What decides which version of each event is read: libical's reading of each
    // event, a batch at a time. A line it could not read costs its event.
    void ScanEvents(icalcomponent *calendar, const QList<int> &indexes, QList<Found> &events)
    {
        InBatches(indexes, [](int index) { return index; }, [](int) { return 0; },
                  [&](qsizetype first, qsizetype last, const QHash<int, icalcomponent *> &components) {
                      for (qsizetype k = first; k < last; ++k) {
                          icalcomponent *event = components.value(indexes[k]);
                          if (!event)
                              continue;
                          CheckParseErrors(event);
                          ComponentPtr mended = m_unreadable.contains(indexes[k]) ? Mend(indexes[k]) : ComponentPtr();
                          if (mended)
                              event = icalcomponent_get_first_component(mended.get(), ICAL_VEVENT_COMPONENT);
                          const QString uid = UidOf(event);
                          events.append({calendar, indexes[k], uid, KeyOf(event, uid), SequenceOf(event),
                                         FirstProperty(event, ICAL_RECURRENCEID_PROPERTY) != nullptr});
                      }
                  },
                  m_text.size() <= kKeepScannedBytes);
    }

    // The scan's parse given up: all of it, or (once read) what is left of it.
    void ReleaseScanned()
    {
        for (const icalcomponent *component : std::as_const(m_scannedComponents))
            m_componentIndex.erase(component);
        m_scannedComponents.clear();
        m_scannedByIndex.clear();
        m_scanned.clear();
    }

    void ReadEvents(QList<Found> &events)
    {
        // A mended event is read from its mended text, parsed again with the others.
        if (!m_mended.isEmpty())
            ReleaseScanned();
        const bool scanned = !m_scanned.empty();
        // Room for every event and some later looks of series at once: a list of 200,000
        // events that grows by doubling holds its old and its new block together, which
        // was the peak of a large import.
        if (!m_take)
            m_contents.Events.reserve(events.size() + events.size() / 4);
        // A calendar that sends an event twice means its latest version: the highest
        // SEQUENCE, and of equal ones the later in the file.
        {
            QHash<QString, Found *> latest;
            for (Found &found : events) {
                if (found.changesOccurrence)
                    m_changedKeys.insert(found.key);
                if (m_unreadable.contains(found.index) || found.changesOccurrence)
                    continue;
                Found *&best = latest[found.key];
                if (!best || found.sequence >= best->sequence)
                    best = &found;
            }
            for (Found *found : std::as_const(latest))
                found->read = true;
            for (Found &found : events)
                found.anyRead = latest.contains(found.key);
        }
        QList<const Found *> masters;
        for (const Found &found : events) {
            if (found.read)
                masters.append(&found);
            // The changed occurrences, in the order of the file, each found by its series.
            if (found.changesOccurrence && !m_unreadable.contains(found.index)) {
                m_overridesOf[found.key].append(m_overrides.size());
                m_overrides.append({found.index, found.calendar, found.uid, found.key});
            }
        }
        if (!m_take)
            m_contents.Events.reserve(masters.size());
        else if (m_expect)
            m_expect(masters.size());
        // The masters are read a batch at a time; the others take their place in between.
        qsizetype master = 0;   // the position of the next one in masters
        qsizetype batchEnd = 0; // the batch parsed holds the masters up to here
        QHash<int, icalcomponent *> parsed;
        ComponentPtr batch;
        int read = 0;
        for (const Found &found : events) {
            if (++read % 256 == 0 && m_options.Cancelled && m_options.Cancelled())
                throw Cancelled();
            const auto unreadable = m_unreadable.constFind(found.index);
            if (unreadable != m_unreadable.cend()) {
                // Its changed occurrences go with it, unless another version of it is read.
                if (found.anyRead)
                    Warn(found.uid, unreadable->first, unreadable->second);
                else
                    Skip(found.key, found.uid, unreadable->first, unreadable->second);
                continue;
            }
            if (found.changesOccurrence)
                continue;
            if (!found.read) {
                m_contents.Warnings.append(QString::fromUtf8(ICalendarTexts::kOlderVersion)
                                               .arg(m_index.Components()[found.index].Begin)
                                               .arg(found.uid));
                continue;
            }
            if (master++ >= batchEnd) {
                ReleaseBatch(batch);
                FinishWaiting();
                QList<int> indexes;
                qsizetype bytes = 0;
                for (batchEnd = master - 1; batchEnd < masters.size() && (indexes.isEmpty() || bytes < kBatchBytes)
                                            && masters[batchEnd]->calendar == found.calendar;
                     ++batchEnd) {
                    const ICalendarLines::ComponentLines &lines = m_index.Components()[masters[batchEnd]->index];
                    indexes.append(masters[batchEnd]->index);
                    bytes += lines.To - lines.From;
                }
                if (!scanned) {
                    batch = ParseBatch(indexes);
                    parsed = MapBatch(batch.get(), indexes);
                }
            }
            if (icalcomponent *event = (scanned ? m_scannedByIndex : parsed).value(found.index))
                ReadMaster(found.calendar, event, found.uid);
        }
        ReleaseBatch(batch);
        FinishWaiting();
        ReleaseScanned();
    }

    // The changed occurrences of the series read from the batch just done, in the order
    // of the file, and then those series whole.
    void FinishWaiting()
    {
        QList<qsizetype> positions;
        for (const qsizetype id : std::as_const(m_batchWaiting))
            positions += m_overridesOf.value(m_waiting.at(id).key);
        std::sort(positions.begin(), positions.end());
        QList<Override> changes;
        changes.reserve(positions.size());
        for (const qsizetype at : std::as_const(positions)) {
            m_overrides[at].applied = true;
            changes.append(m_overrides[at]);
        }
        ApplyOverrides(changes);
        for (const qsizetype id : std::exchange(m_batchWaiting, {}))
            FinishSeries(id);
    }

    // A waiting series whole: handed on, or kept for its place in the list.
    void FinishSeries(qsizetype id)
    {
        const auto found = m_waiting.find(id);
        if (found == m_waiting.end())
            return; // skipped
        const Waiting waiting = std::move(found->second);
        m_waiting.erase(found);
        QList<CalendarEvent> parts = Expand(waiting.pending, waiting.series);
        if (m_take && !m_inOrder) {
            Hand(std::move(parts));
            return;
        }
        m_expanded.insert(waiting.place, std::move(parts));
        if (m_inOrder)
            HandInOrder();
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

    // Which events are one: those of one UID, and of our own exports one UID of one origin
    // (events of two files may share a UID).
    static QString KeyOf(icalcomponent *event, const QString &uid)
    {
        const QString origin = XProperty(event, "X-QUILLON-ORIGIN");
        return origin.isEmpty() ? uid : origin + QChar(0x1F) + uid;
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
            m_contents.Warnings.append(QString::fromUtf8(ICalendarTexts::kCancelled).arg(line));
            return;
        }
        CalendarEvent result;
        result.Uid = uid;
        result.Origin = XProperty(event, "X-QUILLON-ORIGIN");
        result.Line = line;
        Pending pending;
        pending.recurring = XProperty(event, "X-QUILLON-RECURRING");
        m_limitLine = line;
        m_limitReason = QString::fromUtf8(ICalendarTexts::kDatesOverLimit);
        try {
            ReadEvent(calendar, event, result, pending);
        } catch (const Skipped &skipped) {
            Skip(KeyOf(event, uid), uid, skipped.line, skipped.reason, pending);
            return;
        } catch (const ICalendarRecurrence::LimitReached &) {
            Skip(KeyOf(event, uid), uid, m_limitLine, m_limitReason, pending);
            return;
        }
        m_fileSteps -= pending.budget.Used();

        // An event with changed occurrences waits for them (in its place in the list).
        const QString key = KeyOf(event, uid);
        if (m_changedKeys.contains(key)) {
            const qsizetype id = m_nextWaiting++;
            m_eventByUid.insert(key, id);
            Waiting waiting{std::move(result), std::move(pending), key};
            if (!m_take || m_inOrder) {
                waiting.place = m_handed + m_contents.Events.size();
                m_contents.Events.append(CalendarEvent{});
            }
            m_waiting.emplace(id, std::move(waiting));
            m_batchWaiting.append(id);
            return;
        }
        Hand(Expand(pending, result));
    }

    // Events read whole: kept in the list, or handed on at once.
    void Hand(QList<CalendarEvent> &&parts)
    {
        if (!m_take || m_inOrder) {
            m_contents.Events += std::move(parts);
            if (m_inOrder)
                HandInOrder();
            return;
        }
        for (CalendarEvent &part : parts) {
            CountDates(part);
            m_take(std::move(part));
        }
    }

    // The events of the list up to the first series still waiting for its changed
    // occurrences, handed in its order. Past kMaxDates nothing more is handed; the read
    // is refused at its end, as that of the list would be, so that an error met later in
    // the file is the one named.
    void HandInOrder()
    {
        const qsizetype ready = m_waiting.empty() ? m_contents.Events.size() : m_waiting.begin()->second.place - m_handed;
        const auto give = [this](CalendarEvent &event) {
            if (m_overLimitLine)
                return;
            m_totalDates += event.Dates.size();
            if (m_totalDates > kMaxDates)
                m_overLimitLine = event.Line;
            else
                m_take(std::move(event));
        };
        for (qsizetype i = 0; i < ready; ++i) {
            const auto expanded = m_expanded.find(m_handed + i);
            if (expanded == m_expanded.end()) {
                give(m_contents.Events[i]);
                continue;
            }
            for (CalendarEvent &part : *expanded)
                give(part);
            m_expanded.erase(expanded);
        }
        m_contents.Events.remove(0, ready);
        m_handed += ready;
    }

    // The occurrences as the store keeps them: each day of each occurrence with its own
    // times, and one event for each different look of a day (name, times, all-day,
    // notes, colour, icon, reminder), linked by their UID (EventSeries), the earliest
    // first. So a series seen across a change of clock, or with changed occurrences,
    // keeps the times and names of each; a timed occurrence past midnight is its
    // evening and the next morning, which carries no reminder of its own.
    QList<CalendarEvent> Expand(const Pending &pending, const CalendarEvent &series)
    {
        struct Group {
            QList<QDate> dates;
            qint64 first; // the earliest day and minute
            QTime start;
            QTime end;
            int look;
            bool allDay;
            bool unreminded;
        };
        QHash<quint64, qsizetype> byKey;
        std::vector<Group> groups;
        bool outside = false;
        const auto add = [&](QDate day, QTime start, QTime end, int look, bool allDay, bool continued) {
            if (day < kFirstDate || day > kLastDate) {
                outside = true;
                return;
            }
            const bool unreminded = continued && pending.looks[look].Reminder.has_value();
            const int from = start.hour() * 60 + start.minute();
            const int to = end.hour() * 60 + end.minute();
            const quint64 key = quint64(look) << 24 | quint64(allDay) << 23 | quint64(unreminded) << 22
                                | quint64(from) << 11 | quint64(to);
            const qint64 first = day.toJulianDay() * 1440 + from;
            auto found = byKey.constFind(key);
            if (found == byKey.cend()) {
                found = byKey.insert(key, qsizetype(groups.size()));
                groups.push_back(Group{{}, first, QTime(start.hour(), start.minute()), QTime(end.hour(), end.minute()),
                                       look, allDay, unreminded});
            }
            Group &group = groups[*found];
            group.first = std::min(group.first, first);
            group.dates.append(day);
        };
        const QDate low = kFirstDate.addDays(-1);
        const QDate high = kLastDate.addDays(1);
        // In order, so that the whole days of long occurrences that overlap are gone
        // through once (by look: the last such day so far).
        std::vector<std::pair<qint64, Pending::Occurrence>> ordered;
        ordered.reserve(size_t(pending.occurrences.size() + pending.moved.size()));
        for (auto it = pending.occurrences.cbegin(); it != pending.occurrences.cend(); ++it)
            ordered.emplace_back(it.key(), it.value());
        for (const Pending::Moved &moved : pending.moved) {
            if (!moved.cancelled)
                ordered.emplace_back(moved.start, moved.now);
        }
        std::sort(ordered.begin(), ordered.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        QHash<std::pair<int, bool>, QDate> covered;
        const auto wholeDays = [&](QDate from, QDate to, int look, bool allDay) {
            QDate &done = covered[{look, allDay}];
            from = std::max({from, low, done.isValid() ? done.addDays(1) : from});
            to = std::min(to, high);
            for (QDate day = from; day <= to; day = day.addDays(1))
                add(day, QTime(0, 0), kAllDayEnd, look, allDay, !allDay);
            if (from <= to)
                done = to;
        };
        for (const auto &[key, occurrence] : ordered) {
            const WallParts start = WallPartsOf(key);
            if (occurrence.allDay) {
                wholeDays(start.date, start.date.addDays(std::max<qint64>(occurrence.length, 1) - 1), occurrence.look,
                          true);
                continue;
            }
            const WallParts end = WallPartsOf(key + occurrence.length);
            const QDate first = start.date;
            // An end at midnight belongs to the day before (LastDayOf).
            const QDate last =
                std::max(occurrence.length > 0 && end.time == QTime(0, 0) ? end.date.addDays(-1) : end.date, first);
            const auto endOn = [&end](QDate day) { return end.date > day ? kAllDayEnd : end.time; };
            if (first == last) {
                add(first, start.time, endOn(first), occurrence.look, false, false);
                continue;
            }
            add(first, start.time, kAllDayEnd, occurrence.look, false, false);
            wholeDays(first.addDays(1), last.addDays(-1), occurrence.look, false);
            add(last, QTime(0, 0), endOn(last), occurrence.look, false, true);
        }
        std::sort(groups.begin(), groups.end(), [](const Group &a, const Group &b) { return a.first < b.first; });
        const QString name = pending.looks.isEmpty() ? series.Event.EventName : pending.looks.first().EventName;
        if (groups.empty()) {
            m_contents.Warnings.append(
                QString::fromUtf8(ICalendarTexts::kNoDayLeft).arg(series.Line).arg(name));
            return {};
        }
        if (outside)
            m_contents.Warnings.append(
                QString::fromUtf8(ICalendarTexts::kDaysOutside).arg(series.Line).arg(name));
        QList<CalendarEvent> parts;
        parts.reserve(qsizetype(groups.size()));
        for (Group &group : groups) {
            CalendarEvent part;
            part.Uid = EventSeries::PartUid(series.Uid, int(parts.size()));
            part.Origin = series.Origin;
            part.Line = series.Line;
            part.Event = pending.looks[group.look];
            part.Event.AllDayEvent = group.allDay;
            part.Event.StartTime = group.start;
            part.Event.EndTime = group.end;
            if (group.unreminded)
                part.Event.Reminder.reset();
            std::sort(group.dates.begin(), group.dates.end());
            group.dates.erase(std::unique(group.dates.begin(), group.dates.end()), group.dates.end());
            // A list grown a day at a time has room for up to as many again: the days of a
            // large file's series are kept until they are stored.
            group.dates.squeeze();
            // Our own files say whether the days were picked by hand; others by their count.
            part.Event.Recurring = pending.recurring.isEmpty()
                                       ? ordered.size() > 1 || group.dates.size() > 1
                                       : pending.recurring == QLatin1String("1");
            part.Dates = std::move(group.dates);
            parts.append(std::move(part));
        }
        return parts;
    }

    // A text as the file has it: libical drops the blanks around a value, which are the
    // user's own ("  Padded  ").
    QString WithItsBlanks(const icalcomponent *event, const char *name, const QString &parsed) const
    {
        const QByteArray raw = m_index.RawPropertyValue(IndexOf(event), QString::fromLatin1(name));
        if (raw.isEmpty() || (raw.front() != ' ' && raw.front() != '\t' && raw.back() != ' ' && raw.back() != '\t'))
            return parsed;
        QByteArray text;
        text.reserve(raw.size());
        for (qsizetype i = 0; i < raw.size(); ++i) {
            char c = raw.at(i);
            if (c == '\\' && i + 1 < raw.size()) {
                c = raw.at(++i);
                if (c == 'n' || c == 'N')
                    c = '\n';
            }
            text += c;
        }
        const QString unescaped = QString::fromUtf8(text);
        // Only blanks may differ: anything else libical read its own way.
        return unescaped.trimmed() == parsed.trimmed() ? unescaped : parsed;
    }

    // Throws Skipped for what it cannot take, LimitReached when it needs more work.
    void ReadEvent(icalcomponent *calendar, icalcomponent *event, CalendarEvent &result, Pending &pending)
    {
        const int line = result.Line;
        icalproperty *startProperty = FirstProperty(event, ICAL_DTSTART_PROPERTY);
        if (!startProperty)
            throw Skipped{line, QString::fromUtf8(ICalendarTexts::kNoStart)};
        const icaltimetype start = icalproperty_get_dtstart(startProperty);
        if (icaltime_is_null_time(start) || !WallDate(start).isValid())
            throw Skipped{LineOf(event, "DTSTART"), QString::fromUtf8(ICalendarTexts::kStartNoDate)};
        pending.allDay = start.is_date != 0;
        pending.startBasis = BasisOf(calendar, event, startProperty, start);

        basDatabase::EventRecord &record = result.Event;
        record.EventName = WithItsBlanks(event, "SUMMARY", Utf8(icalcomponent_get_summary(event)));
        record.Notes = WithItsBlanks(event, "DESCRIPTION", Utf8(icalcomponent_get_description(event)));
        record.AllDayEvent = pending.allDay;
        record.Reminder = ReminderOf(event);
        ReadDuration(calendar, event, start, pending);

        // The times are each occurrence's own (Expand).
        if (!pending.allDay) {
            record.EventColor = ColorOf(event);
            record.EventIcon = IconOf(event);
        }
        pending.looks = {record};

        ReadExclusions(calendar, event, pending);
        // The work of one event is bounded, and so is that of all events of the file;
        // a few steps are always there, so that simple events are read whatever the
        // ones before them took.
        pending.budget = ICalendarRecurrence::Budget(std::clamp(m_fileSteps, kMinEventSteps, kMaxEventSteps), m_options.Cancelled);
        // DTSTART is always the first occurrence; the rules and RDATEs add the others.
        AddOccurrence(pending, WallDate(start), WallTime(start));
        ExpandRules(event, start, pending, record.EventName);
        m_limitLine = line;
        m_limitReason = QString::fromUtf8(ICalendarTexts::kDatesOverLimit);
        ReadRecurrenceDates(calendar, event, pending);
    }

    // The event is left out; its UID stays taken, so that its changed occurrences and a
    // second event of that UID are left out with it.
    void Skip(const QString &key, const QString &uid, int line, const QString &reason, const Pending &pending)
    {
        m_fileSteps -= pending.budget.Used();
        Skip(key, uid, line, reason);
    }

    void Skip(const QString &key, const QString &uid, int line, const QString &reason)
    {
        m_eventByUid.insert(key, -1);
        Warn(uid, line, reason);
    }

    void Warn(const QString &uid, int line, const QString &reason)
    {
        m_contents.Warnings.append(QString::fromUtf8(ICalendarTexts::kSkipped).arg(line).arg(uid, reason));
    }

    void ReadDuration(icalcomponent *calendar, icalcomponent *event, const icaltimetype &start, Pending &pending)
    {
        icalproperty *endProperty = FirstProperty(event, ICAL_DTEND_PROPERTY);
        icalproperty *durationProperty = FirstProperty(event, ICAL_DURATION_PROPERTY);
        if (endProperty) {
            const icaltimetype end = icalproperty_get_dtend(endProperty);
            if (icaltime_is_null_time(end) || !WallDate(end).isValid())
                throw Skipped{LineOf(event, "DTEND"), QString::fromUtf8(ICalendarTexts::kEndNoDate)};
            if (pending.allDay) {
                const qint64 days = WallDate(start).daysTo(WallDate(end));
                if (days < 0)
                    throw Skipped{LineOf(event, "DTEND"), QString::fromUtf8(ICalendarTexts::kEndsBeforeStart)};
                pending.durationDays = int(std::clamp<qint64>(days, 1, kMaxOccurrences));
            } else {
                const QDateTime from = Local(WallDate(start), WallTime(start), pending.startBasis);
                const QDateTime to = end.is_date ? Wall(WallDate(end), QTime(0, 0))
                                                 : Local(WallDate(end), WallTime(end),
                                                         BasisOf(calendar, event, endProperty, end));
                pending.durationSecs = from.secsTo(to);
                if (pending.durationSecs < 0)
                    throw Skipped{LineOf(event, "DTEND"), QString::fromUtf8(ICalendarTexts::kEndsBeforeStart)};
            }
        } else if (durationProperty) {
            const icaldurationtype duration = icalproperty_get_duration(durationProperty);
            const qint64 seconds = Seconds(duration);
            if (seconds < 0)
                throw Skipped{LineOf(event, "DURATION"), QString::fromUtf8(ICalendarTexts::kNegativeDuration)};
            if (seconds > kMaxDurationSecs)
                throw Skipped{LineOf(event, "DURATION"),
                              QString::fromUtf8(ICalendarTexts::kDurationTooLong)
                                  .arg(Count(seconds / 86400))};
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

    // The earliest VALARM whose TRIGGER counts from the start (not from the end, not at a
    // fixed time), as minutes before it; an alarm after the start is none we can give.
    static std::optional<int> ReminderOf(icalcomponent *event)
    {
        std::optional<int> earliest;
        for (icalcomponent *alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT); alarm;
             alarm = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT)) {
            icalproperty *trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
            if (!trigger)
                continue;
            const icaltriggertype value = icalproperty_get_trigger(trigger);
            if (!icaltime_is_null_time(value.time))
                continue;
            icalparameter *related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
            if (related && icalparameter_get_related(related) == ICAL_RELATED_END)
                continue;
            const qint64 seconds = -qint64(icaldurationtype_as_int(value.duration));
            if (seconds < 0 || seconds / 60 > std::numeric_limits<int>::max())
                continue;
            const int minutes = int(seconds / 60);
            if (!earliest || minutes > *earliest)
                earliest = minutes;
        }
        return earliest;
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
            throw Skipped{LineOf(event, property), QString::fromUtf8(ICalendarTexts::kNoDate)
                                                       .arg(Utf8(icalproperty_kind_to_string(icalproperty_isa(property))))};
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

    // Adds one occurrence unless it is excluded. False when it was. wall is its start in
    // the series' clock when date and time are another's (an RDATE of its own zone).
    bool AddOccurrence(Pending &pending, QDate date, QTime time, std::optional<qint64> wall = std::nullopt)
    {
        QDate firstDay = date;
        QDate lastDay = date;
        qint64 key = 0;
        qint64 length = 0;
        if (pending.allDay) {
            if (pending.excludedDates.contains(date))
                return false;
            lastDay = date.addDays(pending.durationDays - 1);
            key = Wall(date, QTime(0, 0)).toSecsSinceEpoch();
            length = pending.durationDays;
        } else {
            if (pending.startBasis.kind != TimeBasis::Floating)
                pending.budget.Charge(ICalendarRecurrence::kStepsPerZoneConversion);
            const QDateTime start = Local(date, time, pending.startBasis);
            key = start.toSecsSinceEpoch();
            if (pending.excludedInstants.contains(key) || pending.excludedDates.contains(date))
                return false;
            const QDateTime end = start.addSecs(pending.durationSecs);
            firstDay = start.date();
            lastDay = std::max(LastDayOf(start, end), firstDay);
            length = pending.durationSecs;
        }
        ChargeDays(pending, firstDay, lastDay);
        if (!wall)
            wall = pending.allDay ? key : WallSecs(date, time);
        pending.occurrences.insert(key, Pending::Occurrence{length, *wall, pending.look, pending.allDay});
        return true;
    }

    // Wall's seconds of a day and time, without a QDateTime (see WallPartsOf).
    static qint64 WallSecs(QDate date, QTime time)
    {
        constexpr qint64 kJulianDayOf1970 = 2440588;
        return (date.toJulianDay() - kJulianDayOf1970) * 86400 + time.msecsSinceStartOfDay() / 1000;
    }

    // The day and time of a key (Wall's seconds), without a QDateTime: Expand takes
    // apart each occurrence of every series.
    struct WallParts {
        QDate date;
        QTime time;
    };
    static WallParts WallPartsOf(qint64 secs)
    {
        constexpr qint64 kDay = 86400;
        constexpr qint64 kJulianDayOf1970 = 2440588;
        const qint64 days = secs >= 0 ? secs / kDay : -((-secs + kDay - 1) / kDay);
        const qint64 rest = secs - days * kDay;
        return {QDate::fromJulianDay(kJulianDayOf1970 + days), QTime::fromMSecsSinceStartOfDay(int(rest * 1000))};
    }

    // An end at midnight belongs to the day before.
    static QDate LastDayOf(const QDateTime &start, const QDateTime &end)
    {
        return end > start && end.time() == QTime(0, 0) ? end.date().addDays(-1) : end.date();
    }

    // The work of the days an occurrence stands on (those in the stored centuries and a
    // day each side, which Expand needs to say that some were left out): its first day
    // always, the others once.
    static void ChargeDays(Pending &pending, QDate first, QDate last)
    {
        // Occurrences outside are left out (Expand).
        if (last < kFirstDate.addDays(-1) || first > kLastDate.addDays(1))
            return;
        first = std::max(first, std::min(last, kFirstDate.addDays(-1)));
        last = std::min(last, std::max(first, kLastDate.addDays(1)));
        // An occurrence on days already paid for is only kept (about an eighth of a day).
        constexpr qint64 kStepsPerOccurrence = ICalendarRecurrence::kStepsPerStoredDay / 8;
        if (pending.runFirst.isValid() && first >= pending.runFirst && first <= pending.runLast.addDays(1)) {
            const QDate from = pending.runLast.addDays(1);
            pending.runLast = std::max(pending.runLast, last);
            first = std::max(first, from);
            pending.budget.Charge(kStepsPerOccurrence);
        } else {
            pending.runFirst = first;
            pending.runLast = last;
        }
        if (first <= last)
            pending.budget.Charge(ICalendarRecurrence::kStepsPerStoredDay * (first.daysTo(last) + 1));
    }

    static constexpr qsizetype kAllOfADay = 24;

    // The occurrences of one day of a rule: the days from the first to the last of them
    // are the days of all of them (they lie within one day of each other).
    void AddRuleDay(Pending &pending, const ICalendarRecurrence::Day &day)
    {
        if (pending.allDay || pending.excludedDates.contains(day.date)) {
            AddOccurrence(pending, day.date, QTime(0, 0));
            return;
        }
        const auto timeOf = [](int seconds) { return QTime::fromMSecsSinceStartOfDay(seconds * 1000); };
        // A few a day are each their own (09:00, 13:00 and 17:00 are three events that
        // day).
        if (day.seconds.size() <= kAllOfADay) {
            for (const int seconds : day.seconds) {
                pending.budget.Charge();
                AddOccurrence(pending, day.date, timeOf(seconds));
            }
            return;
        }
        // Of many, one span from the first to the end of the last.
        const qint64 savedDuration = pending.durationSecs;
        pending.durationSecs += day.seconds.last() - day.seconds.first();
        const bool added = AddOccurrence(pending, day.date, timeOf(day.seconds.first()));
        pending.durationSecs = savedDuration;
        if (added)
            return;
        qsizetype first = 0;
        for (; first < day.seconds.size(); ++first) {
            pending.budget.Charge();
            if (AddOccurrence(pending, day.date, timeOf(day.seconds[first])))
                break;
        }
        for (qsizetype last = day.seconds.size() - 1; last > first; --last) {
            pending.budget.Charge();
            if (AddOccurrence(pending, day.date, timeOf(day.seconds[last])))
                break;
        }
    }

    // UNTIL in the clock of the start: a UTC end as the wall-clock time of the start's
    // zone, or of the local zone for a start taken as local (a floating time, a zone
    // nobody knows), so that the occurrence at the instant of UNTIL is the last.
    ICalendarRecurrence::WallTime UntilOf(const icaltimetype &until, const Pending &pending) const
    {
        if (icaltime_is_null_time(until))
            return {};
        QDate date = WallDate(until);
        QTime time = until.is_date || pending.allDay ? QTime(23, 59, 59) : WallTime(until);
        if (date.isValid() && !until.is_date && !pending.allDay && icaltime_is_utc(until)
            && pending.startBasis.kind != TimeBasis::Utc) {
            QDateTime wall;
            if (pending.startBasis.kind == TimeBasis::Floating) {
                wall = QDateTime(date, time, QTimeZone::utc()).toTimeZone(m_options.LocalZone);
            } else if (pending.startBasis.zone.ical && !pending.startBasis.zone.UsesQt(Wall(date, time))) {
                const time_t seconds = icaltime_as_timet(until);
                icaltimetype converted = icaltime_from_timet_with_zone(seconds, 0, pending.startBasis.zone.ical);
                wall = Wall(WallDate(converted), WallTime(converted));
            } else {
                wall = QDateTime(date, time, QTimeZone::utc()).toTimeZone(pending.startBasis.zone.qt);
            }
            date = wall.date();
            time = wall.time();
        }
        return {date, time.msecsSinceStartOfDay() / 1000};
    }

    void ExpandRules(icalcomponent *event, const icaltimetype &start, Pending &pending, const QString &name)
    {
        int index = 0;
        for (icalproperty *property = FirstProperty(event, ICAL_RRULE_PROPERTY); property;
             property = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY), ++index) {
            const int line = m_index.NthPropertyLine(IndexOf(event), QStringLiteral("RRULE"), index);
            const icalrecurrencetype rule = icalproperty_get_rrule(property);
            if (rule.freq == ICAL_NO_RECURRENCE)
                throw Skipped{line, QString::fromUtf8(ICalendarTexts::kNoFreq)};
            const QString never = ICalendarRecurrence::WhyNever(rule);
            if (!never.isEmpty())
                throw Skipped{line, QString::fromUtf8(ICalendarTexts::kNeverMatches).arg(never)};
            const ICalendarRecurrence::WallTime until = UntilOf(rule.until, pending);
            if (!icaltime_is_null_time(rule.until) && !until.date.isValid())
                throw Skipped{line, QString::fromUtf8(ICalendarTexts::kEndsOnNoDate)};
            const bool open = rule.count == 0 && !until.date.isValid();
            const QDate stop = open ? m_openRuleEnd : kLastDate;
            m_limitLine = line;
            m_limitReason = QString::fromUtf8(ICalendarTexts::kRuleOverLimit);
            // Days are looked at from the day before the first stored one (a local day may
            // be the next one) to two days after the last wanted, which tells a series
            // that goes on from one that has ended.
            ICalendarRecurrence::Expansion expansion(rule, start, until, kFirstDate.addDays(-1), stop.addDays(2),
                                                     pending.budget);
            qint64 occurrences = 0;
            bool clipped = false;
            for (ICalendarRecurrence::Day day; expansion.Next(day);) {
                if (day.date > stop.addDays(1)) {
                    clipped = true;
                    break;
                }
                occurrences += day.seconds.size();
                if (occurrences > kMaxOccurrences)
                    RefuseSize(line, QString::fromUtf8(ICalendarTexts::kTooManyDates)
                                         .arg(name, Count(kMaxOccurrences)));
                AddRuleDay(pending, day);
            }
            // A series that starts after the last day wanted is clipped, not empty.
            if (expansion.Found() == 0 && !clipped && !expansion.SkippedAhead() && WallDate(start) <= stop)
                throw Skipped{line, QString::fromUtf8(ICalendarTexts::kNoDateAtAll)};
            if (open) {
                m_contents.Warnings.append(QString::fromUtf8(ICalendarTexts::kEndless)
                                               .arg(line)
                                               .arg(name, stop.toString(Qt::ISODate)));
                ClipAfter(pending, stop);
            }
        }
    }

    static void ClipAfter(Pending &pending, QDate last)
    {
        const qint64 after = Wall(last.addDays(1), QTime(0, 0)).toSecsSinceEpoch();
        pending.occurrences.removeIf([after](const auto &occurrence) { return occurrence.key() >= after; });
    }

    void ReadRecurrenceDates(icalcomponent *calendar, icalcomponent *event, Pending &pending)
    {
        for (icalproperty *property = FirstProperty(event, ICAL_RDATE_PROPERTY); property;
             property = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype value = icalproperty_get_rdate(property);
            const icaltimetype time = icaltime_is_null_time(value.time) ? value.period.start : value.time;
            if (icaltime_is_null_time(time) || !WallDate(time).isValid())
                throw Skipped{LineOf(event, property), QString::fromUtf8(ICalendarTexts::kRdateNoDate)};
            if (pending.allDay || time.is_date) {
                AddOccurrence(pending, WallDate(time), QTime(0, 0));
                continue;
            }
            // An RDATE may name its own zone; the occurrence is kept at that instant.
            const TimeBasis basis = BasisOf(calendar, event, property, time);
            const QDateTime local = Local(WallDate(time), WallTime(time), basis);
            const TimeBasis saved = pending.startBasis;
            const qint64 savedDuration = pending.durationSecs;
            // A period has its own end (or length), not the event's.
            if (icaltime_is_null_time(value.time)) {
                const icaltimetype end = value.period.end;
                if (!icaltime_is_null_time(end) && WallDate(end).isValid())
                    pending.durationSecs = std::max<qint64>(0, local.secsTo(Local(WallDate(end), WallTime(end), basis)));
                else if (!icaldurationtype_is_null_duration(value.period.duration))
                    pending.durationSecs = std::clamp<qint64>(Seconds(value.period.duration), 0, kMaxDurationSecs);
            }
            const qint64 wall = WallSecsIn(saved, WallDate(time), WallTime(time), basis);
            pending.startBasis = TimeBasis{}; // local is a floating time already
            AddOccurrence(pending, local.date(), local.time(), wall);
            pending.startBasis = saved;
            pending.durationSecs = savedDuration;
        }
    }

    // The changed occurrences not applied yet: those of no series read (each the first
    // of its UID an event of its own) or of one left out. Then the read is done.
    void ApplyLeftOverrides()
    {
        QList<Override> left;
        for (const Override &change : std::as_const(m_overrides)) {
            if (!change.applied)
                left.append(change);
        }
        m_overrides.clear();
        m_overridesOf.clear();
        ApplyOverrides(left);
        m_batchWaiting.clear();
        Finish();
    }

    // A moved or cancelled occurrence replaces the one its RECURRENCE-ID names. One that
    // cannot be read is skipped; its series keeps the occurrence.
    void ApplyOverrides(const QList<Override> &changes)
    {
        InBatches(changes, [](const Override &change) { return change.index; },
                  [](const Override &change) { return change.calendar; },
                  [&](qsizetype first, qsizetype last, const QHash<int, icalcomponent *> &components) {
                      for (qsizetype k = first; k < last; ++k) {
                          Override change = changes[k];
                          change.component = components.value(change.index);
                          if (change.component)
                              ApplyOverride(change);
                      }
                  });
    }

    void ApplyOverride(const Override &change)
    {
        const auto master = m_eventByUid.constFind(change.key);
        if (master == m_eventByUid.cend()) {
            // An occurrence sent on its own: an event of its own.
            ReadMaster(change.calendar, change.component, change.uid);
            return;
        }
        if (*master < 0)
            return; // its event was skipped
        const auto waiting = m_waiting.find(*master);
        if (waiting == m_waiting.end())
            return;
        try {
            ApplyOverride(change, waiting->second.pending);
        } catch (const Skipped &skipped) {
            Warn(change.uid, skipped.line, skipped.reason);
        } catch (const ICalendarRecurrence::LimitReached &) {
            // The changed occurrences need more than their series has left: the series
            // goes, as one whose own dates do.
            if (waiting->second.place >= 0)
                m_expanded.insert(waiting->second.place, {});
            m_waiting.erase(waiting);
            Skip(change.key, change.uid, BeginLine(change.component),
                 QString::fromUtf8(ICalendarTexts::kChangesOverLimit));
        }
    }

    // What a changed occurrence looks like: its own name and notes (the series' when it
    // has none), colour, icon and reminder. Looks that are alike are one.
    int LookOf(icalcomponent *component, Pending &pending, bool allDay)
    {
        basDatabase::EventRecord look = pending.looks.first();
        look.AllDayEvent = allDay;
        if (FirstProperty(component, ICAL_SUMMARY_PROPERTY))
            look.EventName = Utf8(icalcomponent_get_summary(component));
        if (FirstProperty(component, ICAL_DESCRIPTION_PROPERTY))
            look.Notes = Utf8(icalcomponent_get_description(component));
        look.EventColor = allDay ? QString() : ColorOf(component);
        look.EventIcon = allDay ? 0 : IconOf(component);
        look.Reminder = ReminderOf(component);
        const qsizetype known = pending.looks.indexOf(look);
        if (known >= 0)
            return int(known);
        pending.looks.append(look);
        return int(pending.looks.size() - 1);
    }

    // The start a RECURRENCE-ID names, as the series gave it: the occurrence at that
    // instant; else, as lenient readers take it, the one at that wall-clock time of the
    // series' own clock (a RECURRENCE-ID written without its zone, or in one nobody
    // knows). A date names the earliest timed occurrence of that day of the series'
    // clock. When none is named, the instant itself: an occurrence the series lacks.
    qint64 NamedStart(const Override &change, icalproperty *id, const icaltimetype &time, Pending &pending)
    {
        const QDate date = WallDate(time);
        if (pending.allDay)
            return WallSecs(date, QTime(0, 0));
        const auto has = [&pending](qint64 start) {
            return pending.occurrences.contains(start) || pending.moved.contains(start);
        };
        pending.budget.Charge(ICalendarRecurrence::kStepsPerZoneConversion);
        if (time.is_date) {
            const qint64 day = Local(date, QTime(0, 0), pending.startBasis).toSecsSinceEpoch();
            std::optional<qint64> earliest;
            const auto consider = [&](qint64 start) {
                if (start >= day && start < day + 86400 && (!earliest || start < *earliest))
                    earliest = start;
            };
            for (auto it = pending.occurrences.cbegin(); it != pending.occurrences.cend(); ++it)
                consider(it.key());
            for (auto it = pending.moved.cbegin(); it != pending.moved.cend(); ++it)
                consider(it.key());
            return earliest.value_or(day);
        }
        const TimeBasis basis = BasisOf(change.calendar, change.component, id, time);
        const qint64 start = Local(date, WallTime(time), basis).toSecsSinceEpoch();
        if (has(start) || SameClock(basis, pending.startBasis))
            return start;
        pending.budget.Charge(ICalendarRecurrence::kStepsPerZoneConversion);
        const qint64 inSeriesClock = Local(date, WallTime(time), pending.startBasis).toSecsSinceEpoch();
        return has(inSeriesClock) ? inSeriesClock : start;
    }

    // A changed occurrence replaces the one its RECURRENCE-ID names; with
    // RANGE=THISANDFUTURE it changes that one and all later ones alike: each moved by as
    // much as that one was, measured in the series' own clock (09:00 to 11:00 in New
    // York is 11:00 there on every later day, whatever the local clock did meanwhile),
    // and given its length and look. The change of one occurrence alone wins over a
    // change of it with others, and of those the one of the later occurrence, whatever
    // the order of the file.
    void ApplyOverride(const Override &change, Pending &pending)
    {
        icalproperty *id = FirstProperty(change.component, ICAL_RECURRENCEID_PROPERTY);
        const icaltimetype time = icalproperty_get_recurrenceid(id);
        if (icaltime_is_null_time(time) || !WallDate(time).isValid())
            throw Skipped{LineOf(change.component, "RECURRENCE-ID"), QString::fromUtf8(ICalendarTexts::kRecurrenceIdNoDate)};
        icalparameter *range = icalproperty_get_first_parameter(id, ICAL_RANGE_PARAMETER);
        const bool andFuture = range && icalparameter_get_range(range) == ICAL_RANGE_THISANDFUTURE;
        const qint64 from = NamedStart(change, id, time, pending);
        const qint64 rangeFrom = andFuture ? from : Pending::kAlone;
        // Of two versions of one change, the highest SEQUENCE is read, of equal ones the later.
        const int sequence = SequenceOf(change.component);
        if (const auto before = pending.moved.constFind(from);
            before != pending.moved.cend() && before->range == rangeFrom && before->sequence > sequence) {
            m_contents.Warnings.append(
                QString::fromUtf8(ICalendarTexts::kOlderChange)
                    .arg(BeginLine(change.component))
                    .arg(change.uid));
            return;
        }
        // The occurrences it changes, by the start the series gave them, as it gave them.
        QList<std::pair<qint64, Pending::Occurrence>> changed;
        if (const auto given = pending.occurrences.constFind(from); given != pending.occurrences.cend())
            changed.append({from, *given});
        else if (const auto moved = pending.moved.constFind(from); moved != pending.moved.cend())
            changed.append({from, moved->original});
        else
            changed.append({from, Pending::Occurrence{pending.allDay ? pending.durationDays : pending.durationSecs,
                                                      SeriesWallOf(pending, from), 0, pending.allDay}});
        if (andFuture) {
            for (auto it = pending.occurrences.cbegin(); it != pending.occurrences.cend(); ++it) {
                if (it.key() > from)
                    changed.append({it.key(), it.value()});
            }
            for (auto it = pending.moved.cbegin(); it != pending.moved.cend(); ++it) {
                if (it.key() > from && it->range <= from)
                    changed.append({it.key(), it->original});
            }
        }
        const auto place = [&pending](qint64 at, const Pending::Moved &moved) {
            pending.budget.Charge(ICalendarRecurrence::kStepsPerStoredDay);
            pending.occurrences.remove(at);
            pending.moved.insert(at, moved);
        };
        if (IsCancelled(change.component)) {
            for (const auto &[at, occurrence] : std::as_const(changed))
                place(at, Pending::Moved{at, occurrence, occurrence, rangeFrom, true, sequence});
            return;
        }
        const Pending::Occurrence &was = changed.first().second;
        // Its new start, length and look; without DTSTART each keeps its place.
        std::optional<qint64> newStart;
        qint64 shift = 0; // in Wall's seconds of shiftClock
        TimeBasis shiftClock = pending.startBasis;
        std::optional<qint64> length;
        bool allDay = was.allDay;
        icalproperty *startProperty = FirstProperty(change.component, ICAL_DTSTART_PROPERTY);
        if (startProperty) {
            const icaltimetype start = icalproperty_get_dtstart(startProperty);
            if (icaltime_is_null_time(start) || !WallDate(start).isValid())
                throw Skipped{LineOf(change.component, "DTSTART"), QString::fromUtf8(ICalendarTexts::kStartNoDate)};
            Pending moved = pending.Fresh(m_options.Cancelled);
            moved.allDay = start.is_date != 0;
            moved.durationDays = 1;
            moved.startBasis = BasisOf(change.calendar, change.component, startProperty, start);
            moved.durationSecs = was.allDay ? 0 : was.length;
            if (FirstProperty(change.component, ICAL_DTEND_PROPERTY)
                || FirstProperty(change.component, ICAL_DURATION_PROPERTY)) {
                ReadDuration(change.calendar, change.component, start, moved);
                length = moved.allDay ? moved.durationDays : moved.durationSecs;
            } else if (moved.allDay != was.allDay) {
                length = moved.allDay ? 1 : 0;
            }
            AddOccurrence(moved, WallDate(start), WallTime(start));
            if (moved.occurrences.isEmpty())
                return;
            newStart = moved.occurrences.cbegin().key();
            allDay = moved.allDay;
            // The days of an all-day series have no clock: the new start's is taken.
            if (pending.allDay)
                shiftClock = moved.startBasis;
            const qint64 newWall = moved.allDay ? WallSecs(WallDate(start), QTime(0, 0))
                                                : WallSecsIn(shiftClock, WallDate(start), WallTime(start), moved.startBasis);
            shift = newWall - was.wall;
        }
        const int look = LookOf(change.component, pending, allDay);
        for (const auto &[at, occurrence] : std::as_const(changed)) {
            Pending::Occurrence now = occurrence;
            if (length)
                now.length = *length;
            else if (allDay != occurrence.allDay)
                now.length = allDay ? 1 : 0;
            now.allDay = allDay;
            now.look = look;
            qint64 start = at;
            if (!newStart) {
                const auto moved = pending.moved.constFind(at);
                if (moved != pending.moved.cend() && !moved->cancelled)
                    start = moved->start;
            } else if (at == from) {
                start = *newStart;
            } else {
                const WallParts shifted = WallPartsOf(occurrence.wall + shift);
                if (allDay) {
                    start = WallSecs(shifted.date, QTime(0, 0));
                } else {
                    pending.budget.Charge(ICalendarRecurrence::kStepsPerZoneConversion);
                    start = Local(shifted.date, shifted.time, shiftClock).toSecsSinceEpoch();
                }
            }
            place(at, Pending::Moved{start, now, occurrence, rangeFrom, false, sequence});
        }
    }

    // The start of an occurrence in the series' clock, from its local start.
    qint64 SeriesWallOf(const Pending &pending, qint64 start) const
    {
        if (pending.allDay)
            return start;
        const WallParts local = WallPartsOf(start);
        return WallIn(pending.startBasis, Instant(local.date, local.time, TimeBasis{})).toSecsSinceEpoch();
    }

    void Finish()
    {
        // The events made of changed occurrences that came without their series.
        while (!m_waiting.empty())
            FinishSeries(m_waiting.begin()->first);
        if (m_inOrder) {
            HandInOrder();
            if (m_overLimitLine)
                RefuseSize(*m_overLimitLine, QString::fromUtf8(ICalendarTexts::kTooManyDays).arg(Count(kMaxDates)));
            return;
        }
        if (m_take)
            return;
        if (m_expanded.isEmpty()) {
            // Nothing waited for changed occurrences: the list stays where it is, rather
            // than a second list of every event standing beside it.
            for (const CalendarEvent &event : std::as_const(m_contents.Events))
                CountDates(event);
            return;
        }
        QList<CalendarEvent> events;
        events.reserve(m_contents.Events.size());
        for (qsizetype i = 0; i < m_contents.Events.size(); ++i) {
            const auto expanded = m_expanded.find(i);
            if (expanded == m_expanded.end())
                events.append(std::move(m_contents.Events[i]));
            else
                events += std::move(*expanded);
        }
        m_expanded.clear();
        for (const CalendarEvent &event : std::as_const(events))
            CountDates(event);
        m_contents.Events = std::move(events);
    }

    void CountDates(const CalendarEvent &event)
    {
        m_totalDates += event.Dates.size();
        if (m_totalDates > kMaxDates)
            RefuseSize(event.Line, QString::fromUtf8(ICalendarTexts::kTooManyDays).arg(Count(kMaxDates)));
    }
};

} // namespace

CalendarContents ReadCalendar(const QByteArray &text, const ReadOptions &options)
{
    QStringList notes;
    const QByteArray utf8 = AsUtf8(text, notes);
    Reader reader(ICalendarLines::Text(utf8), options);
    CalendarContents contents = reader.Read();
    contents.Warnings = notes + contents.Warnings;
    return contents;
}

QStringList ReadCalendar(const QByteArray &text, const ReadOptions &options, const EventTaker &take,
                         const std::function<void(qsizetype)> &expect)
{
    QStringList notes;
    const QByteArray utf8 = AsUtf8(text, notes);
    Reader reader(ICalendarLines::Text(utf8), options, take, expect);
    return notes + reader.Read().Warnings;
}

CalendarContents ReadCalendar(const ICalendarLines::Text &text, const ReadOptions &options)
{
    if (text.InMemory())
        return ReadCalendar(text.Bytes(), options);
    Reader reader(text, options);
    return reader.Read();
}

QStringList ReadCalendarInOrder(const ICalendarLines::Text &text, const ReadOptions &options, const EventTaker &take)
{
    QStringList notes;
    const ICalendarLines::Text utf8 = text.InMemory() ? ICalendarLines::Text(AsUtf8(text.Bytes(), notes)) : text;
    Reader reader(utf8, options, take, {}, true);
    return notes + reader.Read().Warnings;
}

ICalendarLines::Text FileText(const std::shared_ptr<QFile> &file, qsizetype size)
{
    // Nearly every file is UTF-8 with LF or CRLF line ends, which is read as it is; what
    // must be converted is read whole, as the text of a small file.
    bool plain = file->seek(0);
    const QByteArray head = file->peek(4);
    const bool utf16 = head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF")
                       || (head.size() == 4 && ((head[1] == 0 && head[3] == 0) || (head[0] == 0 && head[2] == 0)));
    const qint64 offset = head.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    plain = plain && !utf16 && file->seek(offset);
    constexpr qsizetype kChunkBytes = 1024 * 1024;
    QByteArray chunk;
    qsizetype left = size - offset;
    while (plain && left > 0) {
        const QByteArray read = file->read(std::min(left, kChunkBytes));
        if (read.isEmpty())
            break; // cut short: the reading says so
        left -= read.size();
        chunk += read;
        // Whole lines at a time: a character never spans a line break.
        const qsizetype cut = left > 0 ? chunk.lastIndexOf('\n') + 1 : chunk.size();
        const QByteArrayView lines(chunk.constData(), cut);
        qsizetype cr = lines.indexOf('\r');
        for (; cr >= 0 && cr + 1 < lines.size() && lines[cr + 1] == '\n'; cr = lines.indexOf('\r', cr + 1)) {
        }
        plain = cr < 0 && !lines.contains('\0') && lines.isValidUtf8();
        chunk.remove(0, cut);
    }
    if (plain)
        return ICalendarLines::Text(file, offset, size - offset);
    file->seek(0);
    return ICalendarLines::Text(file->read(size));
}

} // namespace ICalendarReader

} // namespace quillon
