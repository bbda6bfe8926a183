#include "ShownRange.h"

#include "EventService.h"

#include <QCoreApplication>

#include <array>

namespace quillon {

namespace {

constexpr std::array<const char *, 5> kSettingTexts = {"Day", "WorkWeek", "Week", "Month", "Agenda"};

QDate WeekStartOf(QDate day, Qt::DayOfWeek weekStart) { return day.addDays(-((day.dayOfWeek() - weekStart + 7) % 7)); }

} // namespace

QString ShownRange::SettingText(SchedulerView view)
{
    return QLatin1String(kSettingTexts[static_cast<std::size_t>(view)]);
}

SchedulerView ShownRange::FromSettingText(const QString &text)
{
    for (std::size_t i = 0; i < kSettingTexts.size(); ++i)
        if (text.compare(QLatin1String(kSettingTexts[i]), Qt::CaseInsensitive) == 0)
            return static_cast<SchedulerView>(i);
    return SchedulerView::Day;
}

int ShownRange::AgendaDaysFromSettingText(const QString &text)
{
    bool ok = false;
    const int days = text.trimmed().toInt(&ok);
    for (int span : kAgendaSpans)
        if (ok && days == span)
            return days;
    return kAgendaDays;
}

void ShownRange::Show(SchedulerView view, QDate day, Qt::DayOfWeek weekStart, int agendaDays)
{
    m_view = view;
    m_agendaDays = agendaDays > 0 ? agendaDays : kAgendaDays;
    m_day = day;
    m_weekStart = weekStart;
    const QDate week = WeekStartOf(day, weekStart);
    switch (view) {
    case SchedulerView::Day: m_first = m_last = day; break;
    case SchedulerView::WorkWeek:
        // Monday to Friday of the week that holds the day, wherever the week starts.
        m_first = week.addDays((Qt::Monday - weekStart + 7) % 7);
        m_last = m_first.addDays(4);
        break;
    case SchedulerView::Week:
        m_first = week;
        m_last = week.addDays(6);
        break;
    case SchedulerView::Month: {
        const QDate first(day.year(), day.month(), 1);
        m_first = WeekStartOf(first, weekStart);
        m_last = m_first.addDays(6 * 7 - 1);
        break;
    }
    case SchedulerView::Agenda:
        m_first = day;
        m_last = day.addDays(m_agendaDays - 1);
        break;
    }
    m_events.clear();
}

QDate ShownRange::Step(int direction) const
{
    switch (m_view) {
    case SchedulerView::Day: return m_day.addDays(direction);
    case SchedulerView::WorkWeek:
    case SchedulerView::Week: return m_day.addDays(7 * direction);
    case SchedulerView::Month: return m_day.addMonths(direction);
    case SchedulerView::Agenda: return m_day.addDays(m_agendaDays * direction);
    }
    return m_day;
}

QString ShownRange::Title(const QLocale &locale) const
{
    const QString monthYear = QStringLiteral("MMMM yyyy");
    switch (m_view) {
    case SchedulerView::Day: return locale.toString(m_day, QLocale::LongFormat);
    case SchedulerView::Month: return locale.toString(m_day, monthYear);
    case SchedulerView::WorkWeek:
    case SchedulerView::Week:
    case SchedulerView::Agenda:
        break;
    }
    // A span reads "December 6 - 12, 2026", across months "November 29 - December 5, 2026",
    // across years with both years; each language puts day and month in its own order.
    const QString last = locale.toString(
        m_last, QCoreApplication::translate("ShownRange", "MMMM d, yyyy", "date form: last day of a span"));
    if (m_first.year() != m_last.year())
        return locale.toString(m_first, QCoreApplication::translate("ShownRange", "MMMM d, yyyy",
                                                                    "date form: first day of a span across years"))
               + QStringLiteral(" \u2013 ") + last;
    if (m_first.month() != m_last.month())
        return locale.toString(
                   m_first, QCoreApplication::translate("ShownRange", "MMMM d", "date form: first day of a span across months"))
               + QStringLiteral(" \u2013 ") + last;
    return locale.toString(m_first,
                           QCoreApplication::translate("ShownRange", "MMMM d", "date form: first day of a span within one month"))
           + QStringLiteral(" \u2013 ")
           + locale.toString(m_last,
                             QCoreApplication::translate("ShownRange", "d, yyyy", "date form: last day of a span within one month"));
}

bool ShownRange::Load(EventService &events, const ColorOf &color, const IconOf &icon)
{
    const std::optional<QList<Event>> found = events.Between(m_first, m_last);
    if (!found)
        return false;
    m_events.clear();
    m_events.reserve(found->size());
    for (const Event &event : *found) {
        ViewEvent shown;
        shown.id = event.EventID;
        shown.date = event.Dates.value(0);
        shown.allDay = event.AllDayEvent;
        shown.start = event.StartTime;
        shown.end = event.EndTime;
        shown.name = event.EventName;
        shown.color = event.EventColor.isEmpty() ? -1 : color(event.EventColor);
        if (event.EventIcon > 0)
            shown.picture = icon(event.EventIcon);
        m_events.append(std::move(shown));
    }
    return true;
}

} // namespace quillon
