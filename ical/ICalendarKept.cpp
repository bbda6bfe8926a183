#include "ICalendarKept.h"

#include "basOperation.h"

#include <libical/ical.h>

#include <QRegularExpression>
#include <QSet>

#include <optional>
#include <utility>


namespace quillon {

namespace ICalendarKept {

namespace {

const QByteArray kCalendarHead = QByteArrayLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                                                   "PRODID:-//Velmora Software//Quillon Desktop Calendar//EN\r\n");
const QByteArray kCalendarTail = QByteArrayLiteral("END:VCALENDAR\r\n");

// The TZID parameters a component's text names.
// In the order the text first names them, so that the same text is always written the same.
QList<QByteArray> ZonesNamed(const QByteArray &text)
{
    static const QRegularExpression tzid(QStringLiteral("[;:]TZID=(\"[^\"]*\"|[^;:\r\n]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    QList<QByteArray> names;
    const QByteArray bytes = text.contains("\n ") ? QByteArray(text).replace("\r\n ", "").replace("\n ", "") : text;
    // Most texts name no zone: the expression is not worth running on them.
    if (!QLatin1StringView(bytes).contains(QLatin1StringView("TZID="), Qt::CaseInsensitive))
        return names;
    const QString unfolded = QString::fromUtf8(bytes);
    for (auto match = tzid.globalMatch(unfolded); match.hasNext();) {
        QString name = match.next().captured(1);
        if (name.startsWith(QLatin1Char('"')))
            name = name.mid(1, name.size() - 2);
        if (QByteArray zone = name.toUtf8(); !names.contains(zone))
            names.append(std::move(zone));
    }
    return names;
}

QByteArray Unfolded(const QByteArray &value) { return QByteArray(value).replace("\r\n ", "").replace("\r\n\t", ""); }

} // namespace

QString SeriesKey(const QString &origin, const QString &seriesUid)
{
    return origin.isEmpty() ? seriesUid : origin + QChar(0x1F) + seriesUid;
}

SeriesTexts::SeriesTexts(const ICalendarLines::Text &text)
{
    const ICalendarLines::LineIndex index(text);
    const QList<ICalendarLines::ComponentLines> &components = index.Components();
    for (int i = 0; i < components.size(); ++i) {
        const ICalendarLines::ComponentLines &component = components[i];
        if (component.Depth != 1)
            continue;
        if (component.Name == QLatin1String("VTIMEZONE")) {
            QByteArray id = Unfolded(index.RawPropertyValue(i, QStringLiteral("TZID"))).trimmed();
            m_zones.insert(id, text.Slice(component.From, component.To));
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
            auto found = m_events.find(key);
            if (found == m_events.end())
                m_events.insert(key, block);
            else
                found->append(block);
        }
    }
}

std::optional<QByteArray> SeriesTexts::Of(const QString &seriesKey) const
{
    const auto events = m_events.constFind(seriesKey);
    if (events == m_events.cend())
        return std::nullopt;
    QByteArray calendar = kCalendarHead;
    // A file without zones of its own has none to add (most have none).
    if (!m_zones.isEmpty()) {
        for (const QByteArray &zone : ZonesNamed(*events)) {
            if (const auto known = m_zones.constFind(zone); known != m_zones.cend())
                calendar += *known;
        }
    }
    calendar += *events;
    calendar += kCalendarTail;
    return calendar;
}

namespace {

bool StartsWithWord(QByteArrayView line, QByteArrayView word)
{
    return line.size() >= word.size() && qstrnicmp(line.data(), word.data(), word.size()) == 0;
}

// Where the value of the unfolded line starts when it is a property of that name (upper
// case): after the first ':' that is not within a quoted parameter; -1 when it is none.
qsizetype ValueAt(QByteArrayView line, QByteArrayView name)
{
    if (line.size() <= name.size() || !StartsWithWord(line, name) || (line[name.size()] != ':' && line[name.size()] != ';'))
        return -1;
    bool quoted = false;
    for (qsizetype i = name.size(); i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i + 1;
    }
    return -1;
}

// A component of a kept text's calendar, and what Split asks of its own lines.
struct Block {
    QByteArray name; // upper case
    qsizetype from = 0;
    qsizetype to = 0;
    std::optional<QByteArray> tzid; // the value of its first TZID
    bool hasOrigin = false;         // it has an X-QUILLON-ORIGIN of its own
};

// The components of the calendar a kept text is, as LineIndex finds them (a line that
// starts with a blank continues the one before, an empty line is passed over, a
// component's text goes on to where the next line starts); none when the text is no
// calendar. LineIndex, made for files of any size and for messages that name the line,
// was most of the time an export took to split its thousands of texts.
std::optional<QList<Block>> CalendarBlocks(const QByteArray &text)
{
    constexpr int kMaxDepth = 16;
    if (text.contains('\0'))
        return std::nullopt;
    QList<Block> blocks;
    QList<QByteArray> open;
    qsizetype closed = -1; // the block whose text ends where the next line starts
    const auto visit = [&](qsizetype begin, QByteArrayView line) {
        if (closed >= 0)
            blocks[std::exchange(closed, -1)].to = begin;
        if (blocks.isEmpty() && open.isEmpty() && !StartsWithWord(line, "BEGIN:VCALENDAR"))
            return false;
        const bool begins = StartsWithWord(line, "BEGIN:");
        if (begins || StartsWithWord(line, "END:")) {
            const QByteArray name = line.sliced(begins ? 6 : 4).trimmed().toByteArray().toUpper();
            if (begins) {
                if (open.size() >= kMaxDepth || (open.isEmpty() && name != "VCALENDAR"))
                    return false;
                if (open.size() == 1)
                    blocks.append(Block{name, begin, 0, {}, false});
                open.append(name);
            } else {
                if (open.isEmpty() || open.last() != name)
                    return false;
                open.removeLast();
                if (open.size() == 1)
                    closed = blocks.size() - 1;
            }
        } else if (open.isEmpty()) {
            return false;
        } else if (open.size() == 2) {
            Block &block = blocks.last();
            if (const qsizetype at = ValueAt(line, "TZID"); at >= 0 && !block.tzid)
                block.tzid = line.sliced(at).toByteArray().trimmed();
            block.hasOrigin = block.hasOrigin || ValueAt(line, "X-QUILLON-ORIGIN") >= 0;
        }
        return true;
    };
    bool any = false;
    const bool read = ICalendarLines::ForEachContentLine(text, [&](qsizetype begin, QByteArrayView line) {
        any = true;
        return visit(begin, line);
    });
    if (!read || !any || !open.isEmpty())
        return std::nullopt;
    if (closed >= 0)
        blocks[closed].to = text.size();
    return blocks;
}

} // namespace

Pieces Split(const QByteArray &kept, const QString &originTag)
{
    const std::optional<QList<Block>> blocks = CalendarBlocks(kept);
    if (!blocks) {
        // No calendar: the index says where and why.
        const ICalendarLines::LineIndex index{ICalendarLines::Text(kept)};
        throw basOperation::Failure(basOperation::kTypeMismatch, QStringLiteral("not a calendar text"));
    }
    Pieces pieces;
    for (const Block &component : *blocks) {
        QByteArray block = kept.sliced(component.from, component.to - component.from);
        if (!block.endsWith('\n'))
            block += "\r\n";
        if (component.name == "VTIMEZONE") {
            pieces.ZoneIds.append(component.tzid.value_or(QByteArray()));
            pieces.Zones.append(block);
        } else if (component.name == "VEVENT") {
            // Where the event comes from is this store's to say, as it is now.
            static const QRegularExpression origin(QStringLiteral("\r?\nX-QUILLON-ORIGIN[;:][^\r\n]*(\r?\n[ \t][^\r\n]*)*"),
                                                   QRegularExpression::CaseInsensitiveOption);
            if (component.hasOrigin)
                block = QString::fromUtf8(block).remove(origin).toUtf8();
            if (!originTag.isEmpty()) {
                const qsizetype lineEnd = block.indexOf('\n');
                block.insert(lineEnd + 1, "X-QUILLON-ORIGIN:" + originTag.toUtf8() + "\r\n");
            }
            pieces.Events += block;
        }
    }
    pieces.NamedZones = ZonesNamed(pieces.Events);
    return pieces;
}

QByteArray SystemZone(const QByteArray &tzid)
{
    icaltimezone *zone = icaltimezone_get_builtin_timezone(tzid.constData());
    icalcomponent *definition = zone ? icaltimezone_get_component(zone) : nullptr;
    if (!definition)
        return {};
    icalcomponent *copy = icalcomponent_new_clone(definition);
    if (icalproperty *id = icalcomponent_get_first_property(copy, ICAL_TZID_PROPERTY))
        icalproperty_set_tzid(id, tzid.constData());
    char *text = icalcomponent_as_ical_string_r(copy);
    QByteArray block(text);
    icalmemory_free_buffer(text);
    icalcomponent_free(copy);
    return block;
}

} // namespace ICalendarKept

} // namespace quillon
