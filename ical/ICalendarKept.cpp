#include "ICalendarKept.h"

#include <libical/ical.h>

#include <QRegularExpression>
#include <QSet>


namespace quillon {

namespace ICalendarKept {

namespace {

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
    const QSet<QByteArray> named = ZonesNamed(pieces.Events);
    pieces.NamedZones = QList<QByteArray>(named.cbegin(), named.cend());
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
