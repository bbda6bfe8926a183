// The main window's views of several days: the View menu, the week, work week, month
// and agenda shown in pane A in place of the day, their events opened, deleted and
// dragged through the same commands as the day view's.
#include "frmMain.h"

#include "EventService.h"
#include "RangePane.h"
#include "SchedulerCommands.h"
#include "UndoHistory.h"
#include "basLocale.h"
#include "basOperation.h"
#include "basQuillon.h"
#include "frmMainParts.h"
#include "platform/basPlatform.h"
#include "views/DayView.h"
#include "views/MonthView.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>

namespace quillon {

using basOperation::Steps;

void frmMain::BuildViewMenu()
{
    QMenu *mnuView = new QMenu(tr("&View"), this);
    mnuView->setObjectName(QStringLiteral("mnuView"));
    menuBar()->insertMenu(menuBar()->actions().value(2), mnuView);
    auto *group = new QActionGroup(this);
    const struct {
        SchedulerView view;
        const char *name;
        QString caption;
    } views[] = {
        {SchedulerView::Day, "mnuViewDay", tr("&Day")},
        {SchedulerView::WorkWeek, "mnuViewWorkWeek", tr("&Work Week")},
        {SchedulerView::Week, "mnuViewWeek", tr("W&eek")},
        {SchedulerView::Month, "mnuViewMonth", tr("&Month")},
        {SchedulerView::Agenda, "mnuViewAgenda", tr("&Agenda")},
    };
    int key = Qt::Key_1;
    for (const auto &entry : views) {
        QAction *action = mnuView->addAction(entry.caption);
        action->setObjectName(QLatin1String(entry.name));
        action->setCheckable(true);
        action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(key++)));
        action->setData(static_cast<int>(entry.view));
        group->addAction(action);
        m_viewActions.append(action);
        const SchedulerView view = entry.view;
        connect(action, &QAction::triggered, this, [this, view] { SetView(view); });
    }
    // How far the agenda looks ahead, kept with the view.
    m_agendaDays = ShownRange::AgendaDaysFromSettingText(
        basQuillon::GetOption(QLatin1String(ShownRange::kAgendaDaysSettingName), QString()));
    QMenu *span = mnuView->addMenu(tr("Agenda &Span"));
    span->setObjectName(QStringLiteral("mnuViewAgendaSpan"));
    auto *spans = new QActionGroup(this);
    for (int days : ShownRange::kAgendaSpans) {
        QAction *action = span->addAction(tr("%n days", nullptr, days));
        action->setObjectName(QStringLiteral("mnuViewAgendaSpan%1").arg(days));
        action->setCheckable(true);
        action->setChecked(days == m_agendaDays);
        spans->addAction(action);
        connect(action, &QAction::triggered, this, [this, days] {
            m_agendaDays = days;
            basQuillon::SaveOption(QLatin1String(ShownRange::kAgendaDaysSettingName), QString::number(days));
            UpdateRangeView();
        });
    }
    mnuView->addSeparator();
    QAction *previous = mnuView->addAction(tr("&Previous"));
    previous->setObjectName(QStringLiteral("mnuViewPrevious"));
    previous->setShortcut(QKeySequence(Qt::ALT | Qt::Key_PageUp));
    QAction *next = mnuView->addAction(tr("&Next"));
    next->setObjectName(QStringLiteral("mnuViewNext"));
    next->setShortcut(QKeySequence(Qt::ALT | Qt::Key_PageDown));
    auto step = [this](int direction) {
        const QDate day = m_view == SchedulerView::Day ? m_page.CurrentDate().addDays(direction) : m_range.Step(direction);
        ShowDay(day, false);
    };
    connect(previous, &QAction::triggered, this, [step] { step(-1); });
    connect(next, &QAction::triggered, this, [step] { step(1); });

    connect(m_rangePane, &RangePane::StepRequested, this, step);
    connect(m_rangePane, &RangePane::EventActivated, this, &frmMain::OpenRangeEvent);
    connect(m_rangePane, &RangePane::DayActivated, this, [this](QDate date) { ShowDay(date, true); });
    connect(m_rangePane, &RangePane::DaySelected, this, [this](QDate date) {
        // The month keeps its page; the notes and the navigator follow the chosen day.
        const PaintingSuspended suspended(*this, *m_rangePane);
        m_page.SetCurrentDate(date);
        SelectCurrentDateInMonthView();
    });
    connect(m_rangePane, &RangePane::EventDropped, this, &frmMain::RangeEventDropped);
    connect(m_rangePane, &RangePane::DeleteRequested, this, &frmMain::DeleteRangeEvent);
    connect(m_rangePane, &RangePane::SelectionChanged, this, [this] {
        const std::optional<ViewEvent> selected = m_rangePane->SelectedEvent();
        m_tbEdit->setEnabled(selected.has_value());
        m_tbDelete->setEnabled(selected && EventCommands().IsChangeable(selected->id));
    });

    m_view = ShownRange::FromSettingText(basQuillon::GetOption(QLatin1String(ShownRange::kSettingName), QString()));
    m_viewActions[static_cast<int>(m_view)]->setChecked(true);
    m_viewStack->setCurrentWidget(m_view == SchedulerView::Day ? static_cast<QWidget *>(m_panelA) : m_rangePane);
}

void frmMain::SetView(SchedulerView view)
{
    basOperation::TrapVoid("frmMain:SetView", [&](Steps &step) {
        step(10);
        m_view = view;
        m_viewActions[static_cast<int>(view)]->setChecked(true);
        basQuillon::SaveOption(QLatin1String(ShownRange::kSettingName), ShownRange::SettingText(view));
        step(20);
        m_viewStack->setCurrentWidget(view == SchedulerView::Day ? static_cast<QWidget *>(m_panelA) : m_rangePane);
        m_tbEdit->setEnabled(false);
        m_tbDelete->setEnabled(false);
        UpdateRangeView();
    });
}

void frmMain::UpdateRangeView()
{
    if (m_view == SchedulerView::Day || !m_rangePane)
        return;
    basOperation::TrapVoid("frmMain:UpdateRangeView", [&](Steps &step) {
        step(10);
        const PaintingSuspended suspended(*this, *m_rangePane);
        m_range.Show(m_view, m_page.CurrentDate(), basLocale::FirstDayOfWeek(m_settings.WeekStartsOn), m_agendaDays);
        EventService events(m_page.Store());
        step(20);
        const std::int32_t fill = m_dayView->DurationBarFillColor();
        m_range.Load(events, m_colorFromName, m_eventIcon);
        m_rangePane->SetFillColor(fill);
        step(30);
        m_rangePane->Show(m_range, basPlatform::Today());
    });
}

void frmMain::ShowDay(QDate date, bool inDayView)
{
    if (!date.isValid())
        return;
    m_page.SetCurrentDate(date);
    if (inDayView && m_view != SchedulerView::Day)
        SetView(SchedulerView::Day);
    SelectCurrentDateInMonthView();
}

void frmMain::OpenRangeEvent(qint64 eventId, QDate date)
{
    basOperation::TrapVoid("frmMain:OpenRangeEvent", [&](Steps &step) {
        step(10);
        // The editor works on the occurrence of the shown day, as from the day view.
        m_page.SetCurrentDate(date);
        UpdateDayView();
        step(20);
        EditEvent(eventId, GetTaskIndex(eventId));
    });
}

void frmMain::DeleteRangeEvent()
{
    basOperation::TrapVoid("frmMain:DeleteRangeEvent", [&](Steps &step) {
        step(10);
        const std::optional<ViewEvent> selected = m_rangePane->SelectedEvent();
        if (!selected)
            return;
        m_page.SetCurrentDate(selected->date);
        UpdateDayView();
        step(20);
        if (selected->allDay) {
            const QList<DayPage::AllDayEvent> &allDay = m_page.AllDayEvents();
            for (qsizetype i = 0; i < allDay.size(); ++i)
                if (allDay[i].EventID == selected->id)
                    DeleteAllDayEvent(static_cast<int>(i) + 1);
        } else {
            DeleteEvent(selected->id, GetTaskIndex(selected->id));
        }
    });
}

void frmMain::RangeEventDropped(qint64 eventId, QDate fromDate, QDate toDate, QTime start, QTime end)
{
    basOperation::TrapVoid("frmMain:RangeEventDropped", [&](Steps &step) {
        step(10);
        m_page.SetCurrentDate(fromDate);
        if (EventCommands().MoveEvent(eventId, fromDate, toDate, start, end))
            m_page.SetCurrentDate(toDate);
        step(20);
        // Moved or not, the views show what the store holds.
        SelectCurrentDateInMonthView();
    });
}

} // namespace quillon
