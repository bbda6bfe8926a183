// What the scheduler's main view shows: one of its views (day, work week, week, month
// with events, agenda), the days that view covers around a chosen day, its title, the
// step to the period before or after, and the occurrences of those days read through
// EventService, coloured for the views. No widgets: the rules are tested alone.
#pragma once

#include "views/ViewEvent.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <functional>

namespace quillon {

class EventService;

enum class SchedulerView { Day, WorkWeek, Week, Month, Agenda };

class ShownRange {
public:
    static constexpr int kAgendaDays = 30;
    static constexpr auto kSettingName = "SchedulerView";
    static constexpr auto kAgendaDaysSettingName = "SchedulerAgendaDays";
    // The spans the agenda offers; another stored number reads as kAgendaDays.
    static constexpr int kAgendaSpans[] = {7, 14, 30, 60, 90};
    static int AgendaDaysFromSettingText(const QString &text);

    // The settings text of a view and back; anything else reads as the day view.
    static QString SettingText(SchedulerView view);
    static SchedulerView FromSettingText(const QString &text);

    void Show(SchedulerView view, QDate day, Qt::DayOfWeek weekStart, int agendaDays = kAgendaDays);
    SchedulerView View() const { return m_view; }
    QDate Day() const { return m_day; }
    QDate First() const { return m_first; }
    QDate Last() const { return m_last; }
    Qt::DayOfWeek WeekStart() const { return m_weekStart; }
    int AgendaDays() const { return m_agendaDays; }
    int DayCount() const { return static_cast<int>(m_first.daysTo(m_last)) + 1; }
    // The chosen day of the period before (-1) or after (+1).
    QDate Step(int direction) const;
    // "December 6 - 12, 2026", "December 2026", ...
    QString Title(const QLocale &locale) const;

    // Reads the occurrences of the shown days; false (and the last ones kept) when the
    // store could not read them, which it has reported.
    using ColorOf = std::function<std::int32_t(const QString &colorName)>;
    using IconOf = std::function<QIcon(int icon)>;
    bool Load(EventService &events, const ColorOf &color, const IconOf &icon);
    const QList<ViewEvent> &Events() const { return m_events; }

private:
    SchedulerView m_view = SchedulerView::Day;
    QDate m_day;
    QDate m_first;
    QDate m_last;
    Qt::DayOfWeek m_weekStart = Qt::Sunday;
    int m_agendaDays = kAgendaDays;
    QList<ViewEvent> m_events;
};

} // namespace quillon
