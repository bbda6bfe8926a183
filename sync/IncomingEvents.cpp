#include "IncomingEvents.h"

#include "EventSeries.h"
#include "ICalendarFingerprint.h"
#include "ICalendarReader.h"
#include "platform/basPlatform.h"

namespace quillon {

namespace basSync::IncomingEvents {

namespace {

using basDatabase::IncomingEvent;

ICalendarReader::ReadOptions ReadOptionsFor(const QDate &today)
{
    ICalendarReader::ReadOptions read;
    read.Today = today.isValid() ? today : basPlatform::Today();
    return read;
}

// An event read as the store takes it, keyed by key. One that brings no colour keeps
// none: it is drawn in its calendar's, and follows when that changes. The fingerprint is
// the event's own content unless the server gave one (an ETag).
IncomingEvent Incoming(ICalendarReader::CalendarEvent &&event, QString key, const QString &fingerprint)
{
    IncomingEvent incoming;
    incoming.Key = std::move(key);
    incoming.Event = std::move(event.Event);
    incoming.Dates = std::move(event.Dates);
    incoming.Fingerprint =
        fingerprint.isNull() ? ICalendarFingerprint::Fingerprint(incoming.Event, incoming.Dates) : fingerprint;
    return incoming;
}

} // namespace

// A large feed's events stand in memory once, as the store takes them, not also as read.
QList<IncomingEvent> OfFeed(const QByteArray &text, const QDate &today, QStringList &warnings)
{
    QList<IncomingEvent> events;
    const auto take = [&](ICalendarReader::CalendarEvent &&event) {
        QString key = event.Uid;
        events.append(Incoming(std::move(event), std::move(key), QString()));
    };
    // Room for every series and a later look of each at once (a list that grows by
    // doubling holds its old and its new block together); room not filled is never
    // touched, and takes no memory.
    const auto expect = [&](qsizetype series) { events.reserve(series * 2); };
    warnings += ICalendarReader::ReadCalendar(text, ReadOptionsFor(today), take, expect);
    return events;
}

QList<IncomingEvent> OfResource(const CalDav::Changes::Resource &resource, const QDate &today, QStringList &warnings)
{
    ICalendarReader::CalendarContents contents = ICalendarReader::ReadCalendar(resource.Data, ReadOptionsFor(today));
    warnings += contents.Warnings;
    QList<IncomingEvent> events;
    events.reserve(contents.Events.size());
    for (ICalendarReader::CalendarEvent &event : contents.Events) {
        const bool first = events.isEmpty();
        QString key = first ? resource.Href : resource.Href + EventSeries::kResourceSeparator + event.Uid;
        events.append(Incoming(std::move(event), std::move(key), resource.ETag));
        // The whole resource goes back to the server with a change of any of its events.
        if (first)
            events.last().Component = resource.Data;
    }
    return events;
}

} // namespace basSync::IncomingEvents

} // namespace quillon
