#include "EventService.h"

#include "EventComponent.h"
#include "EventSeries.h"
#include "EventStore.h"
#include "SubscriptionStore.h"
#include "basOperation.h"
#include "platform/basPlatform.h"

#include <QCoreApplication>
#include <QHash>
#include <QUrl>
#include <QUuid>
#include <QSet>

#include <algorithm>

namespace quillon {

namespace {

const QTime kAllDayStart(0, 0);
const QTime kAllDayEnd(23, 59);

// A calendar that takes no change: English for error.log, the user's language in the box.
basOperation::Failure NotWritten(const char *text, const QString &name)
{
    return basOperation::Failure(basOperation::kInvalidProcedureCall, QString::fromUtf8(text).arg(name),
                                 QCoreApplication::translate("EventService", text).arg(name));
}

// Minutes since midnight: seconds never decide a conflict.
int Minutes(QTime time) { return time.hour() * 60 + time.minute(); }

// Each valid date once, in date order.
QList<QDate> SortedDays(QList<QDate> dates)
{
    dates.removeIf([](const QDate &date) { return !date.isValid(); });
    std::sort(dates.begin(), dates.end());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    return dates;
}

// The number the next look of the series is linked under.
int NextPart(basDatabase::EventStore &store, const basDatabase::EventStore::SeriesText &series)
{
    QList<basDatabase::EventStore::EventUid> uids;
    int next = 1;
    if (!store.GetEventUids(uids))
        return next;
    for (const basDatabase::EventStore::EventUid &row : std::as_const(uids)) {
        const qsizetype at = row.Uid.indexOf(EventSeries::kSeparator);
        if (row.Source == series.Source && EventSeries::SeriesUid(row.Uid) == series.Uid && at >= 0)
            next = std::max(next, row.Uid.mid(at + 1).toInt() + 1);
    }
    return next;
}

// An event a calendar file or a server gave: its text is theirs to give.
bool FromElsewhere(const basDatabase::EventStore::EventSeries &kept)
{
    return kept.HasUid && !kept.Series.Source.isEmpty();
}

// The UID an event of this computer keeps when it gets its text (one an export gave it);
// empty for a new one.
QString OwnUid(const basDatabase::EventStore::EventSeries &kept)
{
    return kept.HasUid ? kept.Series.Uid : QString();
}

// The series' new text kept, and, for a writable calendar's resource, queued for its
// server in the same transaction. A text given up is given up here alone: a calendar's
// resource must go back whole, so such a change is refused.
bool KeepSeries(basDatabase::EventStore &store, const basDatabase::EventStore::SeriesText &series)
{
    const qint64 calendar = basDatabase::SubscriptionStore::SubscriptionOfSource(series.Source);
    if (series.Component.isEmpty()) {
        if (calendar != 0)
            throw NotWritten(QT_TRANSLATE_NOOP("EventService", "The change cannot be written into the calendar's event %1; "
                                                                "it was not saved"),
                             series.Uid);
        return store.DeleteSeries(series.Source, series.Uid);
    }
    return store.SetSeries(series)
           && (calendar == 0
               || basDatabase::SubscriptionStore(store).QueueChange({0, calendar, series.Uid, false, series.Component, {}, {}}));
}

} // namespace

basDatabase::EventRecord EventService::ToRecord(const Event &draft)
{
    basDatabase::EventRecord record;
    record.EventID = draft.EventID;
    record.EventName = draft.EventName;
    record.AllDayEvent = draft.AllDayEvent;
    record.StartTime = draft.StartTime;
    record.EndTime = draft.EndTime;
    record.EventColor = draft.EventColor;
    record.EventIcon = draft.EventIcon;
    record.Notes = draft.Notes;
    record.Recurring = draft.Recurring;
    record.Reminder = draft.Reminder;
    if (record.AllDayEvent) {
        // Whatever the draft says, an all-day event spans the whole day and is plain.
        record.StartTime = kAllDayStart;
        record.EndTime = kAllDayEnd;
        record.EventColor.clear();
        record.EventIcon = 0;
    }
    return record;
}

Event EventService::ToDraft(const basDatabase::EventRecord &record, const QList<QDate> &dates)
{
    Event draft;
    draft.EventID = record.EventID;
    draft.EventName = record.EventName;
    draft.AllDayEvent = record.AllDayEvent;
    draft.StartTime = record.StartTime;
    draft.EndTime = record.EndTime;
    draft.EventColor = record.EventColor;
    draft.EventIcon = record.EventIcon;
    draft.Notes = record.Notes;
    draft.Recurring = record.Recurring;
    draft.Reminder = record.Reminder;
    draft.Dates = dates;
    return draft;
}

std::optional<Event> EventService::Load(qint64 eventId)
{
    basDatabase::EventRecord record;
    QList<QDate> dates;
    basDatabase::EventStore::EventSeries series;
    if (!m_store.GetEventData(eventId, record) || !m_store.GetAllDatesForEvent(eventId, dates)
        || !m_store.GetSeriesOfEvent(eventId, series))
        return std::nullopt;
    Event event = ToDraft(record, dates);
    if (!basDatabase::SubscriptionStore(m_store).GetEventSubscription(eventId, event.Calendar))
        return std::nullopt;
    if (series.HasText) {
        // Kept with the event, so that an undo of a delete brings back its UID and every property.
        event.Component = series.Series.Component;
        const EventComponent::Extras extras = EventComponent::ExtrasOf(series.Series.Component, m_localZone);
        event.Location = extras.Location;
        // A rule shown whole only where the event is all of its series.
        if (!series.SeveralLooks && extras.Rule) {
            event.Rule = extras.Rule;
            event.RuleStart = extras.RuleStart;
        }
    }
    return event;
}

std::optional<EventService::Saved> EventService::Restore(const Event &gone)
{
    Event fresh = gone;
    fresh.EventID = 0;
    const QString uid = EventComponent::UidOf(gone.Component);
    if (gone.Calendar != 0 || uid.isEmpty())
        return Save(fresh);
    Saved saved;
    const bool done = m_store.RunInTransaction([&] {
        return m_store.AddEventToDatabase(ToRecord(fresh), fresh.Dates, saved.EventID)
               && m_store.SetEventUid(QString(), uid, saved.EventID, QString())
               && m_store.SetSeries({QString(), uid, gone.Component, 0});
    });
    if (!done)
        return std::nullopt;
    saved.TouchedDates = SortedDays(fresh.Dates);
    return saved;
}

std::optional<QList<Event>> EventService::Between(QDate first, QDate last)
{
    QList<basDatabase::DatedEvent> stored;
    if (!m_store.GetEventsInRange(first, last, stored))
        return std::nullopt;
    QList<Event> events;
    events.reserve(stored.size());
    for (const basDatabase::DatedEvent &dated : std::as_const(stored))
        events.append(ToDraft(dated.Event, {dated.Date}));
    return events;
}

std::optional<QString> EventService::WaitingToBeSent(qint64 eventId)
{
    basDatabase::SubscriptionStore subscriptions(m_store);
    qint64 calendar = 0;
    if (!subscriptions.GetEventSubscription(eventId, calendar) || calendar == 0)
        return std::nullopt;
    basDatabase::EventStore::EventSeries series;
    QList<basDatabase::OutboxEntry> waiting;
    if (!m_store.GetSeriesOfEvent(eventId, series) || !series.HasUid || !subscriptions.GetOutbox(calendar, waiting))
        return std::nullopt;
    // A calendar's resource is the series; its href is the series' UID.
    for (const basDatabase::OutboxEntry &entry : std::as_const(waiting))
        if (entry.Href == series.Series.Uid)
            return entry.LastError;
    return std::nullopt;
}

std::optional<bool> EventService::Exists(qint64 eventId)
{
    bool exists = false;
    if (!m_store.EventExists(eventId, exists))
        return std::nullopt;
    return exists;
}

QString EventService::LocationOf(qint64 eventId)
{
    basDatabase::EventStore::EventSeries series;
    if (!m_store.GetSeriesOfEvent(eventId, series) || !series.HasText)
        return QString();
    return EventComponent::ExtrasOf(series.Series.Component, m_localZone).Location;
}

std::optional<QString> EventService::ReadOnlyCalendarOf(qint64 eventId)
{
    basDatabase::SubscriptionStore subscriptions(m_store);
    qint64 id = 0;
    if (!subscriptions.GetEventSubscription(eventId, id))
        return std::nullopt;
    if (id == 0)
        return QString();
    basDatabase::Subscription subscription;
    if (!subscriptions.GetSubscription(id, subscription))
        return std::nullopt;
    if (subscription.Writable)
        return QString();
    return subscription.DisplayName.isEmpty() ? subscription.Address : subscription.DisplayName;
}

bool EventService::IsOneLookOfSeveral(qint64 eventId)
{
    basDatabase::EventStore::EventSeries series;
    return m_store.GetSeriesOfEvent(eventId, series) && series.SeveralLooks;
}

std::optional<QList<QDate>> EventService::DatesOf(qint64 eventId)
{
    QList<QDate> dates;
    if (!m_store.GetAllDatesForEvent(eventId, dates))
        return std::nullopt;
    return dates;
}

bool EventService::KeepNewText(qint64 eventId, const Event &draft, QString uid)
{
    if (uid.isEmpty())
        uid = QUuid::createUuid().toString(QUuid::WithoutBraces) + EventSeries::kOwnUidSuffix;
    const QByteArray text = EventComponent::Created(draft, uid, basPlatform::Now(), m_localZone);
    return text.isEmpty()
           || (m_store.SetEventUid(QString(), uid, eventId, QString()) && m_store.SetSeries({QString(), uid, text, 0}));
}

QList<CalendarChoice> EventService::WritableCalendars()
{
    QList<CalendarChoice> choices{{0, QCoreApplication::translate("EventService", "This computer")}};
    QList<basDatabase::Subscription> subscriptions;
    if (!basDatabase::SubscriptionStore(m_store).GetSubscriptions(subscriptions))
        return choices;
    for (const basDatabase::Subscription &subscription : std::as_const(subscriptions)) {
        if (subscription.Writable)
            choices.append({subscription.Id, subscription.DisplayName.isEmpty() ? subscription.Address : subscription.DisplayName});
    }
    return choices;
}

namespace {
const QString kNewEventsCalendar = QStringLiteral("NewEventsCalendar");
} // namespace

qint64 EventService::NewEventsCalendar()
{
    QString value;
    bool found = false;
    if (!m_store.GetStoreValue(kNewEventsCalendar, value, found) || !found)
        return 0;
    // A calendar unsubscribed or no longer writable sends new events here again.
    const qint64 calendar = value.toLongLong();
    const QList<CalendarChoice> choices = WritableCalendars();
    return std::any_of(choices.cbegin(), choices.cend(), [&](const CalendarChoice &c) { return c.Id == calendar; }) ? calendar : 0;
}

bool EventService::SetNewEventsCalendar(qint64 calendar)
{
    return m_store.SetStoreValue(kNewEventsCalendar, QString::number(calendar));
}

bool EventService::PlaceInCalendar(qint64 eventId, const Event &draft)
{
    return m_store.RunInTransaction([&] {
        basDatabase::EventStore::EventSeries kept;
        if (!m_store.GetSeriesOfEvent(eventId, kept))
            return false;
        if (kept.SeveralLooks || !kept.HasText)
            throw basOperation::Failure(basOperation::kInvalidProcedureCall,
                                        QStringLiteral("\"%1\" has occurrences of its own or no calendar text; it cannot "
                                                       "move to another calendar")
                                            .arg(draft.EventName));
        basDatabase::SubscriptionStore subscriptions(m_store);
        const qint64 from = basDatabase::SubscriptionStore::SubscriptionOfSource(kept.Series.Source);
        if (from != 0 && !subscriptions.QueueChange({0, from, kept.Series.Uid, true, {}, {}, {}}))
            return false;
        if (!m_store.DeleteSeries(kept.Series.Source, kept.Series.Uid))
            return false;
        basDatabase::EventStore::SeriesText moved{QString(), EventComponent::UidOf(kept.Series.Component),
                                                  kept.Series.Component, kept.Series.Sequence};
        if (draft.Calendar != 0) {
            basDatabase::Subscription calendar;
            if (!subscriptions.GetSubscription(draft.Calendar, calendar))
                return false;
            if (!calendar.Writable)
                throw NotWritten(QT_TRANSLATE_NOOP("EventService", "The calendar %1 cannot be written to"),
                                 calendar.DisplayName);
            // A name of plain letters and digits, which every server writes back the same.
            QString path = QUrl(calendar.Address).path();
            if (!path.endsWith(QLatin1Char('/')))
                path += QLatin1Char('/');
            moved.Source = basDatabase::SubscriptionStore::SourceOf(draft.Calendar);
            moved.Uid = path + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".ics");
        }
        if (moved.Uid.isEmpty())
            throw basOperation::Failure(basOperation::kInvalidProcedureCall,
                                        QStringLiteral("\"%1\" has no UID in its calendar text; it cannot move to "
                                                       "this computer")
                                            .arg(draft.EventName));
        return m_store.SetEventUid(moved.Source, moved.Uid, eventId, QString())
               && subscriptions.SetEventCalendar(eventId, draft.Calendar) && KeepSeries(m_store, moved);
    });
}

bool EventService::GiveOwnEventsTheirTexts()
{
    QList<qint64> ids;
    if (!m_store.GetOwnEventsWithoutText(ids))
        return false;
    return ids.isEmpty() || m_store.RunInTransaction([&] {
        for (const qint64 id : std::as_const(ids)) {
            basDatabase::EventStore::EventSeries kept;
            const std::optional<Event> event = Load(id);
            if (!event || !m_store.GetSeriesOfEvent(id, kept)
                || !KeepNewText(id, *event, OwnUid(kept)))
                return false;
        }
        return true;
    });
}

bool EventService::KeepText(const Event &draft, const basDatabase::EventRecord &after, const std::function<bool()> &update)
{
    const qint64 eventId = draft.EventID;
    return m_store.RunInTransaction([&] {
        basDatabase::EventStore::EventSeries kept;
        if (!m_store.GetSeriesOfEvent(eventId, kept))
            return false;
        EventComponent::Change change;
        if (kept.HasText
            && (!m_store.GetEventData(eventId, change.Before) || !m_store.GetAllDatesForEvent(eventId, change.DatesBefore)))
            return false;
        if (!update())
            return false;
        if (!kept.HasText) {
            // An event of this computer from before texts were kept gets its own now (one
            // an export gave a UID keeps it); one of a file keeps to the store's terms.
            if (!FromElsewhere(kept))
                return KeepNewText(eventId, draft, OwnUid(kept));
            // A server's resource goes back whole: without its text the change is refused.
            return basDatabase::SubscriptionStore::SubscriptionOfSource(kept.Series.Source) == 0
                   || KeepSeries(m_store, {kept.Series.Source, kept.Series.Uid, {}, 0});
        }
        basDatabase::EventStore::SeriesText &series = kept.Series;
        const EventComponent::Extras extras = EventComponent::ExtrasOf(series.Component, m_localZone);
        change.LocationBefore = extras.Location;
        change.RuleBefore = extras.Rule;
        change.LocationAfter = draft.Location;
        change.RuleAfter = draft.Rule;
        change.RuleStartAfter = draft.RuleStart;
        change.After = after;
        change.DatesAfter = draft.Dates;
        std::sort(change.DatesBefore.begin(), change.DatesBefore.end());
        std::sort(change.DatesAfter.begin(), change.DatesAfter.end());
        change.DatesAfter.erase(std::unique(change.DatesAfter.begin(), change.DatesAfter.end()), change.DatesAfter.end());
        change.Before.EventID = change.After.EventID = 0;
        change.OneLookOfSeveral = kept.SeveralLooks;
        series.Component = EventComponent::Updated(series.Component, change, basPlatform::Now(), m_localZone);
        return KeepSeries(m_store, series);
    });
}

std::optional<EventService::Saved> EventService::Save(const Event &draft, Text text)
{
    const basDatabase::EventRecord record = ToRecord(draft);
    Saved saved;
    QList<QDate> left;
    if (draft.EventID == 0) {
        const auto add = [&] { return m_store.AddEventToDatabase(record, draft.Dates, saved.EventID); };
        if (!(text == Text::FromFile
                  ? add()
                  : m_store.RunInTransaction([&] {
                        return add() && KeepNewText(saved.EventID, draft)
                               && (draft.Calendar == 0 || PlaceInCalendar(saved.EventID, draft));
                    })))
            return std::nullopt;
    } else {
        const auto update = [&] { return m_store.UpdateEventInDatabase(draft.EventID, record, draft.Dates, &left); };
        // A change of calendar moves the event once the change itself is in its text.
        const auto change = [&] {
            qint64 calendar = 0;
            return KeepText(draft, record, update)
                   && basDatabase::SubscriptionStore(m_store).GetEventSubscription(draft.EventID, calendar)
                   && (calendar == draft.Calendar || PlaceInCalendar(draft.EventID, draft));
        };
        if (!(text == Text::FromFile ? update() : m_store.RunInTransaction(change)))
            return std::nullopt;
        saved.EventID = draft.EventID;
    }
    saved.TouchedDates = SortedDays(draft.Dates + left);
    return saved;
}

std::optional<EventService::Saved> EventService::SaveOccurrence(const Event &edited, QDate day, Occurrences which,
                                                                QDate moveTo)
{
    if (edited.EventID == 0 || which == Occurrences::All)
        return Save(edited);
    const std::optional<QList<QDate>> stored = DatesOf(edited.EventID);
    if (!stored)
        return std::nullopt;
    // An event of one day is its own occurrence.
    if (stored->size() < 2 || !stored->contains(day))
        return Save(edited);
    if (which == Occurrences::ThisAndFollowing)
        return SplitAt(edited, day);
    const QDate target = moveTo.isValid() ? moveTo : day;
    Saved saved;
    const bool done = m_store.RunInTransaction([&] {
        const qint64 seriesId = edited.EventID;
        basDatabase::EventStore::EventSeries kept;
        if (!m_store.GetSeriesOfEvent(seriesId, kept))
            return false;
        // An event of this computer from before texts were kept gets its own first.
        if (!kept.HasText && !FromElsewhere(kept)) {
            const std::optional<Event> before = Load(seriesId);
            if (!before || !KeepNewText(seriesId, *before, OwnUid(kept))
                || !m_store.GetSeriesOfEvent(seriesId, kept))
                return false;
        }
        basDatabase::EventRecord series;
        if (!m_store.GetEventData(seriesId, series))
            return false;
        QList<QDate> rest = *stored;
        rest.removeAll(day);
        const basDatabase::EventRecord occurrence = ToRecord(edited);
        if (!m_store.UpdateEventInDatabase(seriesId, series, rest, nullptr)
            || !m_store.AddEventToDatabase(occurrence, {target}, saved.EventID))
            return false;
        if (!kept.HasUid)
            return true;
        // The occurrence stays in the calendar of its series.
        const qint64 calendar = basDatabase::SubscriptionStore::SubscriptionOfSource(kept.Series.Source);
        if (!m_store.SetEventUid(kept.Series.Source, EventSeries::PartUid(kept.Series.Uid, NextPart(m_store, kept.Series)),
                                 saved.EventID, QString())
            || (calendar != 0 && !basDatabase::SubscriptionStore(m_store).SetEventCalendar(saved.EventID, calendar)))
            return false;
        if (!kept.HasText)
            return true;
        EventComponent::OccurrenceChange change{series, day, occurrence, target,
                                                EventComponent::ExtrasOf(kept.Series.Component, m_localZone).Location,
                                                edited.Location};
        kept.Series.Component = EventComponent::Overridden(kept.Series.Component, change, basPlatform::Now(), m_localZone);
        ++kept.Series.Sequence;
        return KeepSeries(m_store, kept.Series);
    });
    if (!done)
        return std::nullopt;
    saved.TouchedDates = SortedDays({day, target});
    return saved;
}

std::optional<EventService::Saved> EventService::SplitAt(const Event &edited, QDate day)
{
    // The series ends before the day; the change starts a series of its own there.
    Event following = edited;
    following.EventID = 0;
    following.Component.clear();
    following.Dates.removeIf([&](const QDate &date) { return date < day; });
    if (following.Rule) {
        const QDate start = following.RuleStart.isValid() ? following.RuleStart : day;
        if (following.Rule->Count > 0)
            following.Rule->Count -= int(following.Rule->Days(start, start, day.addDays(-1)).size());
        following.RuleStart = day;
    }
    if (following.Dates.isEmpty())
        return Save(edited);
    std::optional<Saved> saved;
    QList<QDate> gone;
    const bool done = m_store.RunInTransaction([&] {
        const std::optional<QList<QDate>> left = DeleteOccurrences(edited.EventID, day, Occurrences::ThisAndFollowing);
        if (!left)
            return false;
        gone = *left;
        saved = Save(following);
        return saved.has_value();
    });
    if (!done)
        return std::nullopt;
    saved->TouchedDates = SortedDays(saved->TouchedDates + gone);
    return saved;
}

std::optional<QList<QDate>> EventService::Delete(qint64 eventId)
{
    QList<QDate> dates;
    if (!m_store.DeleteEventFromDatabase(eventId, &dates))
        return std::nullopt;
    return dates;
}

std::optional<QList<QDate>> EventService::DeleteOccurrences(qint64 eventId, QDate day, Occurrences which)
{
    if (which == Occurrences::All)
        return DeleteSeries(eventId);
    std::optional<Event> event = Load(eventId);
    if (!event)
        return std::nullopt;
    QList<QDate> gone;
    event->Dates.removeIf([&](const QDate &date) {
        const bool goes = which == Occurrences::OnlyThis ? date == day : date >= day;
        if (goes)
            gone.append(date);
        return goes;
    });
    if (event->Dates.isEmpty() && which == Occurrences::OnlyThis) {
        basDatabase::EventStore::EventSeries kept;
        if (!m_store.GetSeriesOfEvent(eventId, kept))
            return std::nullopt;
        if (kept.SeveralLooks)
            return DeleteLook(eventId, gone);
    }
    if (event->Dates.isEmpty())
        return DeleteSeries(eventId);
    if (which == Occurrences::ThisAndFollowing && event->Rule) {
        event->Rule->Until = day.addDays(-1);
        event->Rule->Count = 0;
    }
    if (!Save(*event))
        return std::nullopt;
    return SortedDays(gone);
}

std::optional<QList<QDate>> EventService::DeleteLook(qint64 eventId, const QList<QDate> &days)
{
    const bool done = m_store.RunInTransaction([&] {
        basDatabase::EventStore::EventSeries kept;
        if (!m_store.GetSeriesOfEvent(eventId, kept))
            return false;
        if (!m_store.DeleteEventFromDatabase(eventId, nullptr))
            return false;
        if (!kept.HasText)
            return true;
        kept.Series.Component = EventComponent::Cancelled(kept.Series.Component, days, basPlatform::Now(), m_localZone);
        ++kept.Series.Sequence;
        return KeepSeries(m_store, kept.Series);
    });
    if (!done)
        return std::nullopt;
    return SortedDays(days);
}

std::optional<QList<QDate>> EventService::DeleteSeries(qint64 eventId)
{
    QList<basDatabase::EventStore::EventUid> uids;
    if (!m_store.GetEventUids(uids))
        return std::nullopt;
    QList<qint64> looks{eventId};
    QString source;
    QString series;
    const auto own = std::find_if(uids.cbegin(), uids.cend(), [&](const auto &row) { return row.EventId == eventId; });
    if (own != uids.cend()) {
        source = own->Source;
        series = EventSeries::SeriesKey(own->Uid);
        for (const basDatabase::EventStore::EventUid &row : std::as_const(uids)) {
            if (row.EventId != eventId && row.Source == source && EventSeries::SeriesKey(row.Uid) == series)
                looks.append(row.EventId);
        }
    }
    const qint64 calendar = basDatabase::SubscriptionStore::SubscriptionOfSource(source);
    QList<QDate> dates;
    const bool done = m_store.RunInTransaction([&] {
        // Queued first: the delete takes the ETag of the events it removes.
        if (calendar != 0 && !basDatabase::SubscriptionStore(m_store).QueueChange({0, calendar, series, true, {}, {}, {}}))
            return false;
        for (const qint64 look : std::as_const(looks)) {
            QList<QDate> lookDates;
            if (!m_store.DeleteEventFromDatabase(look, &lookDates))
                return false;
            dates += lookDates;
        }
        return true;
    });
    if (!done)
        return std::nullopt;
    return SortedDays(dates);
}

bool EventService::Overlaps(QTime newStart, QTime newEnd, QTime existingStart, QTime existingEnd)
{
    const int start = Minutes(newStart);
    const int end = Minutes(newEnd);
    const int otherStart = Minutes(existingStart);
    const int otherEnd = Minutes(existingEnd);
    const bool startInside = otherStart <= start && start < otherEnd;
    const bool endInside = otherStart < end && end <= otherEnd;
    const bool encloses = start < otherStart && otherEnd < end && otherStart < otherEnd;
    return startInside || endInside || encloses;
}

QList<EventConflict> EventService::Conflicts(const Event &draft)
{
    QList<EventConflict> conflicts;
    if (draft.AllDayEvent || !draft.StartTime.isValid() || !draft.EndTime.isValid())
        return conflicts;
    // The draft's days in the order given, each once.
    QList<QDate> days;
    QSet<QDate> seen;
    for (const QDate &day : draft.Dates) {
        if (day.isValid() && !seen.contains(day)) {
            seen.insert(day);
            days << day;
        }
    }
    if (days.isEmpty())
        return conflicts;
    // All the days in one query.
    const auto [first, last] = std::minmax_element(days.begin(), days.end());
    QList<basDatabase::DatedEvent> stored;
    if (!m_store.GetEventsInRange(*first, *last, stored))
        return conflicts;
    QHash<QDate, QList<const basDatabase::EventRecord *>> byDay;
    for (const basDatabase::DatedEvent &occurrence : std::as_const(stored))
        byDay[occurrence.Date] << &occurrence.Event;

    for (const QDate &day : std::as_const(days)) {
        const auto found = byDay.constFind(day);
        if (found == byDay.cend())
            continue;
        QList<const basDatabase::EventRecord *> events = found.value();
        std::stable_sort(events.begin(), events.end(),
                         [](const auto *a, const auto *b) { return a->EventID < b->EventID; });
        for (const basDatabase::EventRecord *existing : std::as_const(events)) {
            if (existing->EventID == draft.EventID || existing->AllDayEvent)
                continue;
            if (!existing->StartTime.isValid() || !existing->EndTime.isValid())
                continue;
            if (Overlaps(draft.StartTime, draft.EndTime, existing->StartTime, existing->EndTime))
                conflicts << EventConflict{day, existing->EventID, existing->EventName, existing->StartTime,
                                           existing->EndTime};
        }
    }
    return conflicts;
}

bool EventService::TouchesShownMonth(const QList<QDate> &touchedDates, QDate today)
{
    return std::any_of(touchedDates.begin(), touchedDates.end(), [today](const QDate &date) {
        return date.isValid() && date.month() == today.month() && date.year() == today.year();
    });
}

} // namespace quillon
