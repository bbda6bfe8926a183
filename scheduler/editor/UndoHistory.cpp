#include "UndoHistory.h"

#include "EventService.h"

#include <optional>

namespace quillon {

// One step: the event as it was (none: it did not exist) and as it became (none: deleted).
class UndoHistory::Step : public QUndoCommand {
public:
    Step(UndoHistory &history, const QString &text, std::optional<Event> before, std::optional<Event> after)
        : QUndoCommand(text), m_history(history), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { Apply(m_after, m_before); }
    void redo() override
    {
        // Pushing does what was already done.
        if (m_first) {
            m_first = false;
            return;
        }
        Apply(m_before, m_after);
    }

private:
    void Apply(const std::optional<Event> &from, const std::optional<Event> &to)
    {
        if (!m_history.Bring(from ? &*from : nullptr, to ? &*to : nullptr))
            setObsolete(true); // the store refused (it said why): this step cannot be taken again
    }

    UndoHistory &m_history;
    std::optional<Event> m_before;
    std::optional<Event> m_after;
    bool m_first = true;
};

// A change of one occurrence: taken back by removing what it made and saving the series
// as it was; made again by the same service call as the command.
class UndoHistory::OccurrenceStep : public QUndoCommand {
public:
    OccurrenceStep(UndoHistory &history, const QString &text, Event before, qint64 look, bool wholeSeries, Again again)
        : QUndoCommand(text), m_history(history), m_before(std::move(before)), m_look(look), m_wholeSeries(wholeSeries),
          m_again(std::move(again))
    {
    }
    void undo() override
    {
        if (!m_history.TakeBack(m_before, m_look, m_wholeSeries))
            setObsolete(true);
    }
    void redo() override
    {
        if (m_first) {
            m_first = false;
            return;
        }
        const std::optional<qint64> made = m_history.MakeAgain(m_before.EventID, m_again);
        if (made)
            m_look = *made;
        else
            setObsolete(true);
    }

private:
    UndoHistory &m_history;
    Event m_before;
    qint64 m_look;
    bool m_wholeSeries;
    Again m_again;
    bool m_first = true;
};

UndoHistory::UndoHistory(EventService &events, std::function<void(const QList<QDate> &)> changed, QObject *parent)
    : QObject(parent), m_events(events), m_changed(std::move(changed))
{
    m_stack.setUndoLimit(50);
}

qint64 UndoHistory::Current(qint64 id) const
{
    while (m_renamed.contains(id))
        id = m_renamed.value(id);
    return id;
}

void UndoHistory::Created(const Event &made)
{
    m_stack.push(new Step(*this, tr("New Event \"%1\"").arg(made.EventName), std::nullopt, made));
}

void UndoHistory::Changed(const Event &before, const Event &after)
{
    m_stack.push(new Step(*this, tr("Change \"%1\"").arg(before.EventName), before, after));
}

void UndoHistory::Deleted(const Event &gone)
{
    m_stack.push(new Step(*this, tr("Delete \"%1\"").arg(gone.EventName), gone, std::nullopt));
}

void UndoHistory::ChangedOccurrence(const Event &before, qint64 look, bool wholeSeries, Again again)
{
    m_stack.push(new OccurrenceStep(*this, tr("Change \"%1\"").arg(before.EventName), before, look, wholeSeries,
                                    std::move(again)));
}

bool UndoHistory::TakeBack(const Event &before, qint64 look, bool wholeSeries)
{
    // The series that went on from the occurrence is a series of its own; an occurrence's
    // own event is one look of the series and goes with it.
    QList<QDate> touched;
    if (wholeSeries) {
        const std::optional<QList<QDate>> gone = m_events.DeleteSeries(Current(look));
        if (!gone)
            return false;
        touched = *gone;
    }
    // The series as it was, with the text it had (a save would work the change back
    // into the text the occurrence's change left, not give back the one before).
    const qint64 id = Current(before.EventID);
    const std::optional<bool> there = m_events.Exists(id);
    if (!there)
        return false;
    if (*there) {
        const std::optional<QList<QDate>> gone = m_events.DeleteSeries(id);
        if (!gone)
            return false;
        touched += *gone;
    }
    const std::optional<EventService::Saved> saved = m_events.Restore(before);
    if (!saved)
        return false;
    m_renamed.insert(id, saved->EventID);
    m_changed(touched + saved->TouchedDates);
    return true;
}

std::optional<qint64> UndoHistory::MakeAgain(qint64 eventId, const Again &again)
{
    const std::optional<EventService::Saved> made = again(Current(eventId));
    if (!made)
        return std::nullopt;
    m_changed(made->TouchedDates);
    return made->EventID;
}

bool UndoHistory::Bring(const Event *from, const Event *to)
{
    QList<QDate> touched;
    if (from && !to) {
        const std::optional<QList<QDate>> days = m_events.DeleteSeries(Current(from->EventID));
        if (!days)
            return false;
        touched = *days;
    } else if (!from && to) {
        const std::optional<EventService::Saved> saved = m_events.Restore(*to);
        if (!saved)
            return false;
        m_renamed.insert(Current(to->EventID), saved->EventID);
        touched = saved->TouchedDates;
    } else if (from && to) {
        Event again = *to;
        again.EventID = Current(to->EventID);
        const std::optional<EventService::Saved> saved = m_events.Save(again);
        if (!saved)
            return false;
        touched = saved->TouchedDates + from->Dates;
    }
    m_changed(touched);
    return true;
}

} // namespace quillon
