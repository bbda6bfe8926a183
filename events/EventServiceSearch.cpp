// The search: each event's folded texts made where the store lacks them, then the
// store's query over them.
#include "EventService.h"

#include "EventComponent.h"
#include "EventStore.h"
#include "SearchIndex.h"
#include "SearchText.h"

namespace quillon {

namespace {

QList<basDatabase::SearchIndex::Entry> EntriesOf(const QList<basDatabase::SearchIndex::Unindexed> &events,
                                                 const QTimeZone &zone)
{
    QList<basDatabase::SearchIndex::Entry> entries;
    entries.reserve(events.size());
    for (const basDatabase::SearchIndex::Unindexed &event : events) {
        // Reading a kept text costs; most say nothing of a place.
        const QString place = event.Component.contains("LOCATION")
                                  ? EventComponent::ExtrasOf(event.Component, zone).Location
                                  : QString();
        entries.append({event.EventId, SearchText::IndexText(event.EventName, event.Notes, place), place});
    }
    return entries;
}

} // namespace

bool EventService::UpdateSearchIndex()
{
    basDatabase::SearchIndex index(m_store);
    bool all = false;
    if (!index.AllIndexed(all))
        return false;
    if (all)
        return true;
    QList<basDatabase::SearchIndex::Unindexed> events;
    if (!index.GetUnindexed(events))
        return false;
    if (events.isEmpty())
        return true;
    // A store the user may only read keeps the texts it has.
    if (!m_store.IsWritable())
        return true;
    // Read again under the write lock, so that no other program's change slips in between.
    return m_store.RunInTransaction([&] {
        return index.GetUnindexed(events) && index.SetEntries(EntriesOf(events, m_localZone));
    });
}

std::optional<SearchResult> EventService::Search(const QString &text, QDate today, int limit)
{
    const QStringList words = SearchText::Words(text);
    if (words.isEmpty())
        return SearchResult{};
    if (!UpdateSearchIndex())
        return std::nullopt;
    QList<basDatabase::SearchIndex::Hit> hits;
    SearchResult result;
    if (!basDatabase::SearchIndex(m_store).Find(words, today, limit, hits, &result.Total))
        return std::nullopt;
    result.Events.reserve(hits.size());
    for (const basDatabase::SearchIndex::Hit &hit : std::as_const(hits))
        result.Events.append(FoundEvent{hit.EventId, hit.Date, hit.Past, hit.EventName, hit.AllDayEvent, hit.StartTime,
                                        hit.EndTime, hit.EventColor, hit.Place});
    return result;
}

} // namespace quillon
