// The scheduler's undo and redo of what the user did to events in this session: a new
// event, a change or move of one, a delete. Each step is done and undone through
// EventService, as the commands themselves do, so the redraw of the desktop calendar
// and a calendar's upload follow an undo too. An event that an undo brings back gets a
// new id; the later steps find it under its old one.
#pragma once

#include "Event.h"
#include "EventService.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QUndoStack>

#include <functional>
#include <optional>

namespace quillon {

class UndoHistory : public QObject {
    Q_OBJECT

public:
    // changed hears the days each undo and redo touched.
    UndoHistory(EventService &events, std::function<void(const QList<QDate> &)> changed, QObject *parent = nullptr);

    QUndoStack &Stack() { return m_stack; }

    // What was done, with the events as the store holds them (Load) before and after.
    void Created(const Event &made);
    void Changed(const Event &before, const Event &after);
    void Deleted(const Event &gone);

    // A change of one occurrence (or of it and those after it) of before, the repeating
    // event as the store held it: the change made look (the occurrence's own event, or the
    // series that now goes on from it; wholeSeries then). Undone, look goes and before is
    // saved again; redone, again makes the change anew on the event (its id now) and says
    // what it made.
    using Again = std::function<std::optional<EventService::Saved>(qint64 eventId)>;
    void ChangedOccurrence(const Event &before, qint64 look, bool wholeSeries, Again again);

    // The id an event has now, after undos brought it back under new ones.
    qint64 Current(qint64 id) const;

private:
    class Step;
    class OccurrenceStep;
    friend class Step;
    friend class OccurrenceStep;

    // The event made again (or removed) as the step demands; false when the store refused.
    bool Bring(const Event *from, const Event *to);
    bool TakeBack(const Event &before, qint64 look, bool wholeSeries);
    std::optional<qint64> MakeAgain(qint64 eventId, const Again &again);

    EventService &m_events;
    std::function<void(const QList<QDate> &)> m_changed;
    QHash<qint64, qint64> m_renamed;
    QUndoStack m_stack;
};

} // namespace quillon
