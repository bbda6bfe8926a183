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
