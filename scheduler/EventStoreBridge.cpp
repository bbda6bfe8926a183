// The store object over the text-list store functions, for as long as the database
// library has no object of its own. The build leaves this file out once it has one.
#include "EventStore.h"

#include "basDatabase.h"
#include "basDateText.h"
#include "basTimeText.h"

namespace basDatabase {

namespace {
QString Flag(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

QStringList Values(const EventRecord &event)
{
    return {event.EventName,
            Flag(event.AllDayEvent),
            event.StartTime.isValid() ? basTimeText::FormatTimeText(event.StartTime) : QString(),
            event.EndTime.isValid() ? basTimeText::FormatTimeText(event.EndTime) : QString(),
            event.EventColor,
            event.EventIcon > 0 ? QString::number(event.EventIcon) : QString(),
            event.Notes,
            Flag(event.Recurring)};
}

QStringList Texts(const QList<QDate> &dates)
{
    QStringList texts;
    for (const QDate &date : dates)
        texts.append(basDateText::FormatDateText(date));
    return texts;
}
} // namespace

struct EventStore::Impl {
    bool open = false;
};

EventStore::EventStore() : d(std::make_unique<Impl>()) {}
EventStore::~EventStore() { CloseDatabaseConnection(); }

QString EventStore::DatabasePath() { return basDatabase::DatabasePath(); }

bool EventStore::OpenDatabaseConnection(const QString &)
{
    d->open = basDatabase::OpenDatabaseConnection();
    return d->open;
}

void EventStore::CloseDatabaseConnection()
{
    if (d->open)
        basDatabase::CloseDatabaseConnection();
    d->open = false;
}

bool EventStore::IsOpen() const { return d->open; }

bool EventStore::AddEventToDatabase(const EventRecord &event, const QList<QDate> &dates, qint64 &eventId)
{
    QString id;
    const bool ok = basDatabase::AddEventToDatabase(Values(event), Texts(dates), id);
    eventId = id.toLongLong();
    return ok;
}

bool EventStore::AddEventDate(qint64 eventId, QDate date)
{
    return basDatabase::AddEventDate(QString::number(eventId), basDateText::FormatDateText(date));
}

bool EventStore::DeleteEventDate(qint64 eventId, QDate date)
{
    return basDatabase::DeleteEventDate(QString::number(eventId), basDateText::FormatDateText(date));
}

bool EventStore::DeleteEventFromDatabase(qint64 eventId)
{
    return basDatabase::DeleteEventFromDatabase(QString::number(eventId), {});
}

bool EventStore::UpdateEventInDatabase(qint64 eventId, const EventRecord &event, const QList<QDate> &dates)
{
    return basDatabase::UpdateEventInDatabase(QString::number(eventId), Values(event), Texts(dates));
}

bool EventStore::GetDates(QDate firstDate, QDate lastDate, QList<DayRecord> &dayRecords)
{
    dayRecords.clear();
    QStringList records;
    if (!basDatabase::GetDates(basDateText::FormatDateText(firstDate), basDateText::FormatDateText(lastDate), records))
        return false;
    for (const QString &record : records) {
        if (record.isEmpty())
            continue;
        const QStringList f = SplitDayRecord(record);
        dayRecords.append({basDateText::ParseDateText(f[0]), f[1], f[2].toLongLong(), f[3], f[4]});
    }
    return true;
}

bool EventStore::GetEventsByDate(QDate date, QList<qint64> &eventIds)
{
    eventIds.clear();
    QStringList ids;
    if (!basDatabase::GetEventsByDate(basDateText::FormatDateText(date), ids))
        return false;
    for (const QString &id : ids)
        if (!id.isEmpty())
            eventIds.append(id.toLongLong());
    return true;
}

bool EventStore::GetEventData(qint64 eventId, EventRecord &event)
{
    QStringList r;
    if (!basDatabase::GetEventData(QString::number(eventId), r))
        return false;
    event = {r[0].toLongLong(), r[1], r[2] == QLatin1String("True"), basTimeText::ParseTimeText(r[3]),
             basTimeText::ParseTimeText(r[4]), r[5], r[6].toInt(), r[7], r[8] == QLatin1String("True")};
    return true;
}

bool EventStore::GetAllDatesForEvent(qint64 eventId, QList<QDate> &dates)
{
    dates.clear();
    QStringList texts;
    if (!basDatabase::GetAllDatesForEvent(QString::number(eventId), texts))
        return false;
    for (const QString &text : texts)
        if (!text.isEmpty())
            dates.append(basDateText::ParseDateText(text));
    return true;
}

bool EventStore::GetEventsInRange(QDate firstDate, QDate lastDate, QList<DatedEvent> &events)
{
    events.clear();
    for (QDate date = firstDate; date <= lastDate; date = date.addDays(1)) {
        QList<qint64> ids;
        if (!GetEventsByDate(date, ids))
            return false;
        for (qint64 id : ids) {
            EventRecord event;
            if (GetEventData(id, event))
                events.append({date, event});
        }
    }
    return true;
}

QString EventStore::GetFactOfTheDay(QDate date)
{
    return basDatabase::GetFactOfTheDay(basDateText::FormatDateText(date));
}

bool EventStore::DecrementEventCount(QDate date)
{
    return basDatabase::DecrementEventCount(basDateText::FormatDateText(date));
}

bool EventStore::IncrementEventCount(QDate date)
{
    return basDatabase::IncrementEventCount(basDateText::FormatDateText(date));
}

bool EventStore::UpdateDateNotes(QDate date, const QString &notes)
{
    return basDatabase::UpdateDateNotes(basDateText::FormatDateText(date), notes);
}

QString EventStore::QueryDateColor(QDate date)
{
    return basDatabase::QueryDateColor(basDateText::FormatDateText(date));
}

} // namespace basDatabase
