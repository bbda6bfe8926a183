#include "RangePane.h"

#include "views/AgendaView.h"
#include "views/MonthGrid.h"
#include "views/WeekView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillon {

RangePane::RangePane(QWidget *parent)
    : QWidget(parent), m_title(new QLabel), m_previous(new QToolButton), m_next(new QToolButton),
      m_stack(new QStackedWidget), m_week(new WeekView), m_month(new MonthGrid), m_agenda(new AgendaView)
{
    m_title->setObjectName(QStringLiteral("lblRangeTitle"));
    m_week->setObjectName(QStringLiteral("SSWeek"));
    m_month->setObjectName(QStringLiteral("SSMonthEvents"));
    m_agenda->setObjectName(QStringLiteral("SSAgenda"));
    m_previous->setObjectName(QStringLiteral("cmdPrevious"));
    m_next->setObjectName(QStringLiteral("cmdNext"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    m_title->setFont(titleFont);
    m_previous->setArrowType(layoutDirection() == Qt::RightToLeft ? Qt::RightArrow : Qt::LeftArrow);
    m_next->setArrowType(layoutDirection() == Qt::RightToLeft ? Qt::LeftArrow : Qt::RightArrow);
    m_previous->setToolTip(tr("Previous"));
    m_next->setToolTip(tr("Next"));
    m_previous->setAutoRaise(true);
    m_next->setAutoRaise(true);

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(m_previous);
    bar->addWidget(m_next);
    bar->addSpacing(6);
    bar->addWidget(m_title, 1);
    m_stack->addWidget(m_week);
    m_stack->addWidget(m_month);
    m_stack->addWidget(m_agenda);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_stack, 1);

    connect(m_previous, &QToolButton::clicked, this, [this] { emit StepRequested(-1); });
    connect(m_next, &QToolButton::clicked, this, [this] { emit StepRequested(1); });
    connect(m_week, &WeekView::EventActivated, this, &RangePane::EventActivated);
    connect(m_week, &WeekView::DayActivated, this, &RangePane::DayActivated);
    connect(m_week, &WeekView::EventDropped, this, &RangePane::EventDropped);
    connect(m_week, &WeekView::SelectionChanged, this, &RangePane::SelectionChanged);
    connect(m_week, &WeekView::DeleteRequested, this, &RangePane::DeleteRequested);
    connect(m_month, &MonthGrid::EventActivated, this, &RangePane::EventActivated);
    connect(m_month, &MonthGrid::DayActivated, this, &RangePane::DayActivated);
    connect(m_month, &MonthGrid::DaySelected, this, &RangePane::DaySelected);
    connect(m_agenda, &AgendaView::EventActivated, this, &RangePane::EventActivated);
    connect(m_agenda, &AgendaView::DayActivated, this, &RangePane::DayActivated);
    connect(m_agenda, &AgendaView::SelectionChanged, this, &RangePane::SelectionChanged);
}

void RangePane::Show(const ShownRange &range, QDate today)
{
    m_view = range.View();
    m_title->setText(range.Title(locale()));
    switch (range.View()) {
    case SchedulerView::Day:
    case SchedulerView::WorkWeek:
    case SchedulerView::Week:
        m_week->SetDays(range.First(), range.DayCount(), today);
        m_week->SetEvents(range.Events());
        m_stack->setCurrentWidget(m_week);
        break;
    case SchedulerView::Month:
        m_month->SetMonth(range.Day(), range.WeekStart(), today);
        m_month->SetEvents(range.Events());
        m_stack->setCurrentWidget(m_month);
        break;
    case SchedulerView::Agenda:
        m_agenda->SetEvents(range.First(), range.Last(), range.Events());
        m_stack->setCurrentWidget(m_agenda);
        break;
    }
}

std::optional<ViewEvent> RangePane::SelectedEvent() const
{
    if (m_stack->currentWidget() == m_week)
        return m_week->SelectedEvent();
    if (m_stack->currentWidget() == m_agenda)
        return m_agenda->SelectedEvent();
    return std::nullopt;
}

void RangePane::SetFillColor(std::int32_t color)
{
    m_week->SetFillColor(color);
    m_month->SetFillColor(color);
    m_agenda->SetFillColor(color);
}

QString RangePane::Title() const { return m_title->text(); }

} // namespace quillon
