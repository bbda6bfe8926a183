#include "RefreshMachine.h"

#include "basOperation.h"
#include "EventSeries.h"
#include "EventStore.h"
#include "HttpSession.h"
#include "ICalendarColors.h"
#include "IncomingEvents.h"
#include "SyncTexts.h"

#include <QSet>

#include <utility>

namespace quillon {

namespace basSync {

namespace {

using basDatabase::IncomingEvent;
using basDatabase::Subscription;

// Whether removing removed of the known events needs the user's yes first: a server
// that suddenly says "empty" (an outage, a wrong account) must not empty the calendar here.
bool HoldBack(const Subscription &subscription, qsizetype known, qsizetype removed, const RefreshOptions &options,
              RefreshResult &result)
{
    if (options.AllowMassDelete || removed <= kMassDelete || removed * 2 <= known)
        return false;
    const QString name = subscription.DisplayName.isEmpty() ? subscription.Address : subscription.DisplayName;
    result.HeldBack = int(removed);
    result.Message = removed == known
                         ? QString::fromUtf8(SyncTexts::kRemoveAll)
                               .arg(name)
                               .arg(known)
                         : QString::fromUtf8(SyncTexts::kRemoveOthers)
                               .arg(name)
                               .arg(known - removed)
                               .arg(known)
                               .arg(removed);
    return true;
}

// How many of the known keys a complete list of incoming events leaves out.
qsizetype LeftOut(const QHash<QString, QString> &known, const QList<IncomingEvent> &incoming)
{
    QSet<QString> kept;
    for (const IncomingEvent &event : incoming)
        kept.insert(event.Key);
    qsizetype gone = 0;
    for (auto it = known.cbegin(); it != known.cend(); ++it)
        gone += kept.contains(it.key()) ? 0 : 1;
    return gone;
}

[[noreturn]] void Fail(const QString &text) { throw basOperation::Failure(basOperation::kDeviceUnavailable, text); }

} // namespace

QString RemovedMeanwhileText(qint64 id)
{
    return QString::fromUtf8(SyncTexts::kRemovedMeanwhile).arg(id);
}

RefreshMachine::RefreshMachine(basDatabase::EventStore &store, basDatabase::SubscriptionStore &subscriptions,
                               Subscription &subscription, Transport &session, const RefreshOptions &options,
                               RefreshResult &result)
    : m_store(store), m_subscriptions(subscriptions), m_subscription(subscription), m_session(session),
      m_options(options), m_result(result)
{
}

bool RefreshMachine::Run()
{
    State state = m_subscription.Type == Subscription::Kind::CalDav ? State::SendOutbox : State::GetFeed;
    while (state != State::Done && state != State::Failed) {
        try {
            switch (state) {
            case State::SendOutbox: state = SendOutbox(); break;
            case State::AskCalendar: state = AskCalendar(); break;
            case State::AskChanges: state = AskChanges(); break;
            case State::FetchItems: state = FetchItems(); break;
            case State::StoreChanges: state = StoreChanges(); break;
            case State::GetFeed: state = GetFeed(); break;
            case State::StoreFeed: state = StoreFeed(); break;
            case State::Done:
            case State::Failed: break;
            }
        } catch (const basOperation::Failure &failure) {
            // What waits to be sent, and why, is said with the reason the refresh failed.
            m_result.Message = (QStringList{failure.description()} + m_sent.Messages).join(QLatin1Char('\n'));
            state = State::Failed;
        }
    }
    return state == State::Done;
}

// The changes made here go first: what the server has after them is what is asked.
RefreshMachine::State RefreshMachine::SendOutbox()
{
    if (!basSync::SendOutbox(m_store, m_subscription, m_session, m_sent))
        return StoreFailed();
    m_result.Sent = m_sent.Sent;
    m_result.Waiting = m_sent.Waiting;
    return State::AskCalendar;
}

RefreshMachine::State RefreshMachine::AskCalendar()
{
    m_color = CalDav::AskColor(m_session, QUrl(m_subscription.Address));
    return State::AskChanges;
}

RefreshMachine::State RefreshMachine::AskChanges()
{
    m_changes = CalDav::AskChanges(m_session, QUrl(m_subscription.Address), m_subscription.SyncToken, [&] {
        QHash<QString, QString> etagOfHref;
        if (LoadKnown())
            for (auto it = m_known.cbegin(); it != m_known.cend(); ++it)
                etagOfHref.insert(EventSeries::SeriesKey(it.key()), it.value());
        return etagOfHref;
    });
    return m_changes.Missing.isEmpty() ? State::StoreChanges : State::FetchItems;
}

RefreshMachine::State RefreshMachine::FetchItems()
{
    CalDav::FetchItems(m_session, QUrl(m_subscription.Address), m_changes);
    return State::StoreChanges;
}

RefreshMachine::State RefreshMachine::StoreChanges()
{
    if (!StoreColor())
        return StoreFailed();
    // After an answer that names nothing (the launcher's usual refresh) the store's
    // events are not even read.
    if (!m_changes.Complete && m_changes.Changed.isEmpty() && m_changes.Removed.isEmpty()) {
        m_subscription.SyncToken = m_changes.SyncToken;
        m_result.Message = m_sent.Messages.join(QLatin1Char('\n'));
        return State::Done;
    }
    if (!LoadKnown())
        return StoreFailed();
    QMultiHash<QString, QString> keysOfHref;
    for (auto it = m_known.cbegin(); it != m_known.cend(); ++it)
        keysOfHref.insert(EventSeries::SeriesKey(it.key()), it.key());
    QStringList warnings = m_sent.Messages;
    QList<IncomingEvent> incoming;
    QStringList removed;
    for (CalDav::Changes::Resource &resource : m_changes.Changed) {
        // A change made here that still waits for the server stays as made.
        if (m_sent.WaitingHrefs.contains(resource.Href))
            resource.Data.clear();
        if (resource.Data.isEmpty()) {
            // Listed unchanged: its events stay as they are.
            for (const QString &key : keysOfHref.values(resource.Href))
                incoming.append(IncomingEvent{key, m_known.value(key), {}, {}, {}});
            continue;
        }
        QList<IncomingEvent> events;
        try {
            events = IncomingEvents::OfResource(resource, m_options.Today, warnings);
        } catch (const basOperation::Failure &failure) {
            warnings.append(QString::fromUtf8(SyncTexts::kSkipped).arg(resource.Href, failure.description()));
        }
        resource.Data = {}; // read: its text is not needed while the events are stored
        QSet<QString> now;
        for (const IncomingEvent &event : std::as_const(events))
            now.insert(event.Key);
        for (const QString &key : keysOfHref.values(resource.Href)) {
            if (!now.contains(key))
                removed.append(key);
        }
        incoming += std::move(events);
    }
    for (const QString &href : std::as_const(m_changes.Removed)) {
        if (!m_sent.WaitingHrefs.contains(href))
            removed += keysOfHref.values(href);
    }
    if (HoldBack(m_subscription, m_known.size(), m_changes.Complete ? LeftOut(m_known, incoming) : removed.size(),
                 m_options, m_result))
        return State::Failed;
    const bool stored = m_changes.Complete
                            ? m_subscriptions.ReplaceEvents(m_subscription.Id, std::move(incoming), m_result.Count)
                            : m_subscriptions.ApplyChanges(m_subscription.Id, std::move(incoming), removed, m_result.Count);
    if (!stored)
        return StoreFailed();
    m_subscription.SyncToken = m_changes.SyncToken;
    m_result.Message = warnings.join(QLatin1Char('\n'));
    return State::Done;
}

RefreshMachine::State RefreshMachine::GetFeed()
{
    const QUrl address(m_subscription.Address);
    HttpRequest request;
    request.Address = address;
    request.Headers.insert("Accept", "text/calendar, */*;q=0.5");
    if (!m_subscription.ETag.isEmpty())
        request.Headers.insert("If-None-Match", m_subscription.ETag.toLatin1());
    if (!m_subscription.LastModified.isEmpty())
        request.Headers.insert("If-Modified-Since", m_subscription.LastModified.toLatin1());
    m_feed = m_session.Send(request);
    if (m_feed.Failed != HttpReply::Failure::None) {
        m_result.OfferedCertificate = m_feed.OfferedCertificate;
        Fail(m_feed.Error);
    }
    if (m_feed.Status == 304) {
        m_result.NotModified = true;
        return State::Done;
    }
    if (m_feed.Status != 200)
        Fail(QString::fromUtf8(SyncTexts::kHttpFor)
                 .arg(HttpSession::HostOf(m_feed.FinalAddress))
                 .arg(m_feed.Status)
                 .arg(address.path()));
    // A login page or an error page in place of the calendar is named as such, not as a
    // broken calendar.
    if (!m_feed.Body.left(4096).contains("BEGIN:VCALENDAR"))
        Fail(QString::fromUtf8(SyncTexts::kNoCalendar)
                 .arg(HttpSession::HostOf(m_feed.FinalAddress),
                      m_feed.Headers.value("content-type").isEmpty()
                          ? QString::fromUtf8(SyncTexts::kNoContentType)
                          : QString::fromLatin1(m_feed.Headers.value("content-type")),
                      address.path()));
    return State::StoreFeed;
}

RefreshMachine::State RefreshMachine::StoreFeed()
{
    QStringList warnings;
    QList<IncomingEvent> events;
    {
        // The body is let go as soon as it is read: the events are stored without it.
        const QByteArray body = std::exchange(m_feed.Body, {});
        try {
            events = IncomingEvents::OfFeed(body, m_options.Today, warnings);
        } catch (const basOperation::Failure &failure) {
            Fail(QString::fromUtf8(SyncTexts::kCalendarUnreadable)
                     .arg(HttpSession::HostOf(m_feed.FinalAddress), failure.description()));
        }
    }
    if (!LoadKnown())
        return StoreFailed();
    if (HoldBack(m_subscription, m_known.size(), LeftOut(m_known, events), m_options, m_result))
        return State::Failed;
    if (!m_subscriptions.ReplaceEvents(m_subscription.Id, std::move(events), m_result.Count))
        return StoreFailed();
    m_subscription.ETag = QString::fromLatin1(m_feed.Headers.value("etag"));
    m_subscription.LastModified = QString::fromLatin1(m_feed.Headers.value("last-modified"));
    m_result.Message = warnings.join(QLatin1Char('\n'));
    return State::Done;
}

RefreshMachine::State RefreshMachine::StoreFailed()
{
    m_result.Message = m_subscriptions.Gone()
                           ? RemovedMeanwhileText(m_subscription.Id)
                           : QString::fromUtf8(SyncTexts::kNotStored).arg(m_subscriptions.LastFailure());
    return State::Failed;
}

bool RefreshMachine::LoadKnown()
{
    if (!m_knownLoaded) {
        m_knownLoaded = true;
        m_knownReadable = m_subscriptions.GetKnownKeys(m_subscription.Id, m_known);
    }
    return m_knownReadable;
}

// A new colour redraws the calendar's days, as one chosen in the Calendars window does.
bool RefreshMachine::StoreColor()
{
    if (m_color.isEmpty())
        return true;
    bool changed = false;
    if (!m_subscriptions.SetServerColor(m_subscription.Id, m_color, ICalendarColors::NearestEventColor(m_color), changed))
        return false;
    if (!changed)
        return true;
    m_subscription.Color = m_color;
    m_subscription.EventColor = ICalendarColors::NearestEventColor(m_color);
    QList<QDate> days;
    if (!m_subscriptions.GetDaysOf(m_subscription.Id, days))
        return false;
    m_result.Count.TouchedDates += days;
    return true;
}

} // namespace basSync

} // namespace quillon
