// The main window's views of several days: the week and work week, the month with its
// events and the agenda, under a bar with the shown period's title and the buttons to
// the period before and after. It shows what a ShownRange holds and passes on what the
// user does with it.
#pragma once

#include "ShownRange.h"

#include <QWidget>

#include <optional>

class QLabel;
class QStackedWidget;
class QToolButton;

namespace quillon {

class AgendaView;
class MonthGrid;
class WeekView;

class RangePane : public QWidget {
    Q_OBJECT

public:
    explicit RangePane(QWidget *parent = nullptr);

    // Shows the range's view, days and events; today is marked.
    void Show(const ShownRange &range, QDate today);
    // The occurrence selected in the shown view, or none.
    std::optional<ViewEvent> SelectedEvent() const;
    void SetFillColor(std::int32_t color);

    WeekView *Week() const { return m_week; }
    MonthGrid *Month() const { return m_month; }
    AgendaView *Agenda() const { return m_agenda; }
    QString Title() const;

signals:
    void StepRequested(int direction);
    void EventActivated(qint64 id, QDate date);
    void DayActivated(QDate date);
    void DaySelected(QDate date);
    void EventDropped(qint64 id, QDate fromDate, QDate toDate, QTime start, QTime end);
    void SelectionChanged();
    void DeleteRequested();

private:
    SchedulerView m_view = SchedulerView::Week;
    QLabel *m_title;
    QToolButton *m_previous;
    QToolButton *m_next;
    QStackedWidget *m_stack;
    WeekView *m_week;
    MonthGrid *m_month;
    AgendaView *m_agenda;
};

} // namespace quillon
