#include "views/MonthView.h"

#include "basColor.h"
#include "basLocale.h"
#include "views/DayChangeWatch.h"
#include "platform/basPlatform.h"

#include <QCalendarWidget>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTextCharFormat>
#include <QVBoxLayout>

namespace quillon {

namespace {

// Qt's calendar with today framed. The date formats carry the marks.
class MarkedCalendar : public QCalendarWidget {
public:
    using QCalendarWidget::QCalendarWidget;

protected:
    void paintCell(QPainter *painter, const QRect &rect, QDate date) const override
    {
        QCalendarWidget::paintCell(painter, rect, date);
        if (date != basPlatform::Today())
            return;
        painter->save();
        const QColor frame = date == selectedDate() ? palette().color(QPalette::HighlightedText)
                                                    : palette().color(QPalette::Highlight);
        const qreal width = 2.0;
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(frame, width));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(rect).adjusted(width / 2 + 1, width / 2 + 1, -width / 2 - 1,
                                                -width / 2 - 1));
        painter->restore();
    }
};

} // namespace

MonthView::MonthView(QWidget *parent)
    : QWidget(parent), m_model(basLocale::FirstDayOfWeek(QString(), QWidget::locale())),
      m_calendar(new MarkedCalendar(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_calendar);
    setFocusProxy(m_calendar);

    // The locale's first day until the program passes the setting's.
    m_calendar->setFirstDayOfWeek(m_model.FirstDayOfWeek());
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    m_calendar->setGridVisible(true);
    m_calendar->setDateRange(QDate(kMinimumYear, 1, 1), QDate(2100, 12, 31));

    const QDate today = basPlatform::Today();
    {
        QScopedValueRollback guard(m_programmatic, true);
        m_calendar->setSelectedDate(today);
        m_calendar->setCurrentPage(today.year(), today.month());
    }
    m_model.SetShownMonth(m_calendar->yearShown(), m_calendar->monthShown());

    DayChangeWatch::RepaintOnNewDay(m_calendar);

    connect(m_calendar, &QCalendarWidget::currentPageChanged, this, &MonthView::OnPageChanged);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &MonthView::OnSelectionChanged);
}

void MonthView::SetFirstDayOfWeek(Qt::DayOfWeek day)
{
    m_model.SetFirstDayOfWeek(day);
    m_calendar->setFirstDayOfWeek(day);
}

// --- Style sets and marks -----------------------------------------------------------

void MonthView::AddStyleSet(const QString &name, std::int32_t backColor, std::int32_t textColor,
                            bool bold)
{
    m_model.AddStyleSet(name, MonthStyleSet{backColor, textColor, bold});
    // Days already marked with this name take the new look.
    for (const QDate &date : m_model.MarkedDates())
        if (m_model.MarkOf(date) == name)
            ApplyMark(date);
}

std::optional<MonthStyleSet> MonthView::StyleSet(const QString &name) const
{
    return m_model.StyleSet(name);
}

QStringList MonthView::StyleSets() const { return m_model.StyleSetNames(); }

void MonthView::MarkDate(const QDate &date, const QString &styleSetName)
{
    if (!date.isValid())
        return;
    m_model.MarkDate(date, styleSetName);
    ApplyMark(date);
}

QString MonthView::MarkOf(const QDate &date) const { return m_model.MarkOf(date); }

void MonthView::ResetMarks()
{
    m_model.ResetMarks();
    m_calendar->setDateTextFormat(QDate(), QTextCharFormat()); // clears every date's format
}

void MonthView::ApplyMark(const QDate &date)
{
    QTextCharFormat format;
    if (const std::optional<MonthStyleSet> style = m_model.StyleFor(date)) {
        if (style->backColor >= 0)
            format.setBackground(basColor::ToQColor(style->backColor));
        if (style->textColor >= 0)
            format.setForeground(basColor::ToQColor(style->textColor));
        format.setFontWeight(style->bold ? QFont::Bold : QFont::Normal);
    }
    m_calendar->setDateTextFormat(date, format);
}

// --- Selection and moving -----------------------------------------------------------

bool MonthView::SelectDate(const QDate &date)
{
    if (!date.isValid() || date < MinimumDate() || date > MaximumDate())
        return false;
    {
        QScopedValueRollback guard(m_programmatic, true);
        m_calendar->setSelectedDate(date);
        // The selected day is always in view, as a click on a neighbouring month's day
        // brings that month; the page change raises DisplayedMonthsChanged first.
        m_calendar->setCurrentPage(date.year(), date.month());
    }
    emit DaySelected(date);
    return true;
}

QDate MonthView::Date() const { return m_calendar->selectedDate(); }

bool MonthView::SetDate(const QDate &date) { return SelectDate(date); }

void MonthView::OnPageChanged(int year, int month)
{
    m_model.SetShownMonth(year, month);
    emit DisplayedMonthsChanged();
}

void MonthView::OnSelectionChanged()
{
    if (!m_programmatic)
        emit DaySelected(m_calendar->selectedDate());
}

GridMonth MonthView::DisplayedMonth(int i) const { return m_model.DisplayedMonth(i); }

// --- Range --------------------------------------------------------------------------

void MonthView::SetSelectableRange(const QDate &minimum, const QDate &maximum)
{
    if (!minimum.isValid() || !maximum.isValid() || maximum < minimum)
        return;
    QScopedValueRollback guard(m_programmatic, true);
    m_calendar->setDateRange(minimum, maximum);
}

QDate MonthView::MinimumDate() const { return m_calendar->minimumDate(); }
QDate MonthView::MaximumDate() const { return m_calendar->maximumDate(); }

} // namespace quillon
