#include "DayPage.h"

#include "EventService.h"
#include "EventStore.h"
#include "basMain.h"
#include "basOperation.h"
#include "basICalendar.h"

#include <QCoreApplication>

namespace quillon {

bool DayPage::Open(QDate today)
{
    m_calendarRefreshNeeded = false;
    m_firstRun = false;
    m_lastKnownToday = today;
    if (!m_store.OpenDatabaseConnection())
        return false;
    // The times follow a change of the system zone; a failure is reported and the store shown as it is.
    basICalendar::KeepIndexCurrent(m_store);
    return true;
}

void DayPage::Close()
{
    m_store.CloseDatabaseConnection();
    m_allDayEvents.clear();
}

bool DayPage::IsOpen() const { return m_store.IsOpen(); }

void DayPage::AddAllDayEvent(qint64 eventId, const QString &name)
{
    for (const AllDayEvent &entry : m_allDayEvents)
        if (entry.EventID == eventId)
            throw basOperation::Failure(
                basOperation::kDuplicateKey, QStringLiteral("This key is already associated with an element of this collection"),
                QCoreApplication::translate("basErrorHandler",
                                            "This key is already associated with an element of this collection"));
    m_allDayEvents.append({eventId, name});
}

void DayPage::NoteEventDatesChanged(const QList<QDate> &dates)
{
    if (basMain::CurrentMonthChanged(dates))
        m_calendarRefreshNeeded = true;
}

QList<Event> DayPage::EventsOn(QDate date)
{
    QList<Event> drafts;
    QList<basDatabase::DatedEvent> events;
    if (m_store.GetEventsInRange(date, date, events))
        for (const basDatabase::DatedEvent &dated : events) {
            drafts.append(EventService::ToDraft(dated.Event, {dated.Date}));
            drafts.back().Location = EventService(m_store).LocationOf(dated.Event.EventID);
        }
    return drafts;
}

std::optional<DayPage::Day> DayPage::ReadDay(QDate date)
{
    QList<basDatabase::DayRecord> days;
    if (!m_store.GetDates(date, date, days)) {
        m_notesDate = QDate();
        return std::nullopt;
    }
    const basDatabase::DayRecord row = days.value(0);
    Day day{row.DateColor, row.DateText, row.DateNotes, false};
    if (const auto unsaved = m_unsavedNotes.constFind(date); unsaved != m_unsavedNotes.cend()) {
        day.Notes = *unsaved;
        day.NotesUnsaved = true;
    }
    m_notesDate = date;
    return day;
}

std::optional<QList<DayPage::Mark>> DayPage::ReadMarks(QDate firstDate, QDate lastDate)
{
    QList<basDatabase::DayRecord> days;
    if (!m_store.GetDates(firstDate, lastDate, days))
        return std::nullopt;
    QList<Mark> marks;
    for (const basDatabase::DayRecord &day : days)
        if (day.DateKey.isValid())
            marks.append({day.DateKey, day.DateColor, day.EventCount});
    return marks;
}

QString DayPage::FactOfTheDay(QDate date) { return m_store.GetFactOfTheDay(date); }

void DayPage::WatchChanges() { m_storeVersion = m_store.ChangesByOthers(); }

bool DayPage::ChangedByOthers()
{
    // Not before the watch began: the load knows the version then.
    if (m_storeVersion < 0 || !m_store.IsOpen())
        return false;
    const qint64 version = m_store.ChangesByOthers();
    if (version < 0 || version == m_storeVersion)
        return false;
    m_storeVersion = version;
    return true;
}

bool DayPage::StoreNotes(const QString &text)
{
    // Stored for the day the box was filled for, whatever day is shown by now.
    if (!m_notesDate.isValid() || !m_store.IsOpen() || !m_store.UpdateDateNotes(m_notesDate, text))
        return false;
    m_unsavedNotes.remove(m_notesDate);
    return true;
}

void DayPage::KeepUnsaved(const QString &text)
{
    if (m_notesDate.isValid())
        m_unsavedNotes.insert(m_notesDate, text);
}

void DayPage::RetryUnsaved()
{
    for (auto it = m_unsavedNotes.begin(); it != m_unsavedNotes.end();)
        it = it.key() != m_notesDate && m_store.IsOpen() && m_store.UpdateDateNotes(it.key(), it.value())
            ? m_unsavedNotes.erase(it)
            : std::next(it);
}

QMap<QDate, QString> DayPage::Unsaved() const
{
    QMap<QDate, QString> notes;
    for (auto it = m_unsavedNotes.cbegin(); it != m_unsavedNotes.cend(); ++it)
        notes.insert(it.key(), it.value());
    return notes;
}

void DayPage::ForgetUnsaved()
{
    m_unsavedNotes.clear();
    m_notesDate = QDate();
}

} // namespace quillon
