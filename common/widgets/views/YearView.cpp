#include "views/YearView.h"

#include "basLocale.h"
#include "platform/basPlatform.h"
#include "views/DayChangeWatch.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quillon {

// The drawing surface of the twelve months; YearView holds the model and the header.
class YearGrid : public QWidget {
public:
    explicit YearGrid(YearView *owner) : QWidget(owner), m_owner(owner)
    {
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    YearViewLayout Layout() const { return YearViewModel::ComputeLayout(QSizeF(size())); }

    QSize sizeHint() const override
    {
        const int cell = fontMetrics().height() + 6;
        return QSize(static_cast<int>(cell * (4 * 7 + 3 * YearViewModel::kGapInCells)) + 8,
                     static_cast<int>(cell * (3 * YearViewModel::kBlockRows
                                              + 2 * YearViewModel::kGapInCells)) + 8);
    }

    QSize minimumSizeHint() const override
    {
        const int cell = fontMetrics().height();
        return QSize(cell * 7 * 3, cell * YearViewModel::kBlockRows * 2);
    }

    // The day under the keyboard cursor; kept in the shown year.
    QDate Cursor() const
    {
        const int year = m_owner->m_model.Year();
        if (m_cursor.isValid() && m_cursor.year() == year)
            return m_cursor;
        for (const QDate &date : m_owner->m_model.SelectedDates())
            if (date.year() == year)
                return date;
        const QDate today = basPlatform::Today();
        return today.year() == year ? today : QDate(year, 1, 1);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const YearViewModel &model = m_owner->m_model;
        const YearViewLayout layout = Layout();
        const QPalette &pal = palette();
        const QLocale locale = this->locale();
        painter.fillRect(rect(), pal.color(QPalette::Base));

        QFont dayFont = font();
        QFont titleFont = font();
        titleFont.setBold(true);
        QFont nameFont = font();
        // Small cells get a smaller font rather than clipped numbers.
        const double fits = layout.cell * 0.62;
        if (QFontMetricsF(dayFont).height() > fits && fits > 4) {
            dayFont.setPixelSize(std::max(5, static_cast<int>(fits)));
            nameFont.setPixelSize(dayFont.pixelSize());
            titleFont.setPixelSize(dayFont.pixelSize());
        }

        const QDate today = basPlatform::Today();
        const QDate cursor = Cursor();
        for (int month = 1; month <= YearViewModel::kMonths; ++month) {
            painter.setFont(titleFont);
            painter.setPen(pal.color(QPalette::Text));
            painter.drawText(model.TitleRect(month, layout), Qt::AlignCenter,
                             locale.standaloneMonthName(month, QLocale::LongFormat));
            painter.setFont(nameFont);
            painter.setPen(pal.color(QPalette::PlaceholderText));
            for (int column = 0; column < YearViewModel::kDaysPerWeek; ++column)
                painter.drawText(model.DayNameRect(month, column, layout), Qt::AlignCenter,
                                 locale.standaloneDayName(model.DayOfColumn(column),
                                                          QLocale::NarrowFormat));
            const QRectF names = model.DayNameRect(month, 0, layout);
            painter.setPen(QPen(pal.color(QPalette::Midlight), 0));
            painter.drawLine(QPointF(names.left(), names.bottom() - 0.5),
                             QPointF(names.left() + 7 * layout.cell, names.bottom() - 0.5));

            painter.setFont(dayFont);
            const QDate first(model.Year(), month, 1);
            for (QDate date = first; date.month() == month; date = date.addDays(1)) {
                const QRectF cell = model.DayRect(date, layout);
                const bool selected = model.IsSelected(date);
                if (selected) {
                    painter.setRenderHint(QPainter::Antialiasing, true);
                    QPainterPath path;
                    path.addRoundedRect(cell.adjusted(1, 1, -1, -1), 3, 3);
                    painter.fillPath(path, pal.color(QPalette::Highlight));
                    painter.setRenderHint(QPainter::Antialiasing, false);
                }
                if (date == today) {
                    painter.setPen(QPen(selected ? pal.color(QPalette::HighlightedText)
                                                 : pal.color(QPalette::Highlight), 1));
                    painter.drawRect(cell.adjusted(1.5, 1.5, -1.5, -1.5));
                }
                painter.setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
                painter.drawText(cell, Qt::AlignCenter, QString::number(date.day()));
                if (hasFocus() && date == cursor) {
                    QStyleOptionFocusRect option;
                    option.initFrom(this);
                    option.rect = cell.toAlignedRect().adjusted(2, 2, -2, -2);
                    option.backgroundColor = selected ? pal.color(QPalette::Highlight)
                                                      : pal.color(QPalette::Base);
                    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
                }
            }
        }
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton) {
            QWidget::mousePressEvent(event);
            return;
        }
        const QDate date = m_owner->m_model.DateAt(event->position(), Layout());
        if (date.isValid()) {
            m_cursor = date;
            Toggle(date);
        }
        event->accept();
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        const QDate cursor = Cursor();
        const bool control = event->modifiers() & Qt::ControlModifier;
        QDate next;
        switch (event->key()) {
        case Qt::Key_Left: next = cursor.addDays(layoutDirection() == Qt::RightToLeft ? 1 : -1); break;
        case Qt::Key_Right: next = cursor.addDays(layoutDirection() == Qt::RightToLeft ? -1 : 1); break;
        case Qt::Key_Up: next = cursor.addDays(-7); break;
        case Qt::Key_Down: next = cursor.addDays(7); break;
        case Qt::Key_PageUp: next = control ? cursor.addYears(-1) : cursor.addMonths(-1); break;
        case Qt::Key_PageDown: next = control ? cursor.addYears(1) : cursor.addMonths(1); break;
        case Qt::Key_Home: next = QDate(cursor.year(), cursor.month(), 1); break;
        case Qt::Key_End: next = QDate(cursor.year(), cursor.month(), cursor.daysInMonth()); break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_cursor = cursor;
            Toggle(cursor);
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
            return;
        }
        if (next.year() < YearViewModel::kMinimumYear || next.year() > YearViewModel::kMaximumYear) {
            event->accept();
            return;
        }
        m_cursor = next;
        if (next.year() != m_owner->m_model.Year())
            m_owner->SetYear(next.year());
        update();
        event->accept();
    }

    void focusInEvent(QFocusEvent *event) override
    {
        QWidget::focusInEvent(event);
        update();
    }

    void focusOutEvent(QFocusEvent *event) override
    {
        QWidget::focusOutEvent(event);
        update();
    }

private:
    void Toggle(const QDate &date)
    {
        m_owner->m_model.ToggleDate(date);
        update();
        emit m_owner->SelectionChanged();
    }

    YearView *m_owner;
    QDate m_cursor;
};

YearView::YearView(QWidget *parent)
    // The locale's first day until the program passes the setting's.
    : QWidget(parent), m_model(basLocale::FirstDayOfWeek(QString(), QWidget::locale()), basPlatform::Today().year()),
      m_previous(new QToolButton(this)), m_next(new QToolButton(this)),
      m_yearLabel(new QLabel(this)), m_grid(new YearGrid(this))
{
    m_previous->setArrowType(Qt::LeftArrow);
    m_next->setArrowType(Qt::RightArrow);
    m_previous->setAutoRaise(true);
    m_next->setAutoRaise(true);
    m_previous->setToolTip(tr("Previous year"));
    m_next->setToolTip(tr("Next year"));
    m_previous->setFocusPolicy(Qt::NoFocus);
    m_next->setFocusPolicy(Qt::NoFocus);
    QFont yearFont = m_yearLabel->font();
    yearFont.setBold(true);
    m_yearLabel->setFont(yearFont);
    m_yearLabel->setAlignment(Qt::AlignCenter);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addWidget(m_previous);
    header->addWidget(m_yearLabel, 1);
    header->addWidget(m_next);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(header);
    layout->addWidget(m_grid, 1);
    setFocusProxy(m_grid);

    DayChangeWatch::RepaintOnNewDay(m_grid);

    connect(m_previous, &QToolButton::clicked, this, &YearView::PreviousYear);
    connect(m_next, &QToolButton::clicked, this, &YearView::NextYear);
    YearChanged();
}

void YearView::SetFirstDayOfWeek(Qt::DayOfWeek day)
{
    m_model.SetFirstDayOfWeek(day);
    m_grid->update();
}

void YearView::Clear()
{
    m_model.Clear();
    m_followNextAdd = true;
    m_grid->update();
}

bool YearView::AddDate(const QDate &date)
{
    const bool added = m_model.AddDate(date);
    if (date.isValid() && m_followNextAdd) {
        m_followNextAdd = false;
        SetYear(date.year());
    }
    m_grid->update();
    return added;
}

int YearView::SelectedCount() const { return m_model.SelectedCount(); }
QDate YearView::SelectedDate(int i) const { return m_model.SelectedDate(i); }
bool YearView::IsSelected(const QDate &date) const { return m_model.IsSelected(date); }

int YearView::Year() const { return m_model.Year(); }

void YearView::SetYear(int year)
{
    m_model.SetYear(year);
    YearChanged();
}

void YearView::NextYear() { SetYear(m_model.Year() + 1); }
void YearView::PreviousYear() { SetYear(m_model.Year() - 1); }

void YearView::YearChanged()
{
    m_yearLabel->setText(QString::number(m_model.Year()));
    m_previous->setEnabled(m_model.Year() > YearViewModel::kMinimumYear);
    m_next->setEnabled(m_model.Year() < YearViewModel::kMaximumYear);
    m_grid->update();
}

QRect YearView::DateRect(const QDate &date) const
{
    const QRectF rect = m_model.DayRect(date, m_grid->Layout());
    if (rect.isEmpty())
        return QRect();
    return rect.toAlignedRect().translated(m_grid->pos());
}

QDate YearView::DateAt(QPoint point) const
{
    return m_model.DateAt(QPointF(point - m_grid->pos()), m_grid->Layout());
}

} // namespace quillon
