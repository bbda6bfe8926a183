// The agenda: what is coming, day by day, as a list: a heading for each day that has
// events (its long date), under it the events with their times, names and colours.
// Enter or a double click on an event raises EventActivated, on a heading DayActivated.
#pragma once

#include "views/ViewEvent.h"

#include <QTreeWidget>

#include <optional>

namespace quillon {

class AgendaView : public QTreeWidget {
    Q_OBJECT

public:
    explicit AgendaView(QWidget *parent = nullptr);

    // The events (in the order of their days and times) between two days.
    void SetEvents(QDate first, QDate last, const QList<ViewEvent> &events);
    std::optional<ViewEvent> SelectedEvent() const;
    void Select(qint64 id, QDate date);
    // The rows as a person reads them, heading or "time  name", for tests and for print.
    QStringList Lines() const;
    void SetFillColor(std::int32_t color) { m_fill = color; }

signals:
    void EventActivated(qint64 id, QDate date);
    void DayActivated(QDate date);
    void SelectionChanged();

private:
    void Activated(QTreeWidgetItem *item);

    QList<ViewEvent> m_events;
    std::int32_t m_fill = -1;
};

} // namespace quillon
