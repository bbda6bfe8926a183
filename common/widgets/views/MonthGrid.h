// The month with its events: six weeks of day cells, each listing its events (time
// and name in their colour) as many as fit and "+N more" for the rest; today framed,
// the days of other months dimmed. Arithmetic lives in MonthGridModel.
//
// A click selects a day (DaySelected); a double click on an event raises
// EventActivated, elsewhere in a cell (its "+N more" too) DayActivated.
#pragma once

#include "views/MonthGridModel.h"

#include <QWidget>

namespace quillon {

class MonthGrid : public QWidget {
    Q_OBJECT

public:
    explicit MonthGrid(QWidget *parent = nullptr);

    void SetMonth(QDate date, Qt::DayOfWeek weekStart, QDate today);
    void SetEvents(const QList<ViewEvent> &events);
    QDate SelectedDay() const { return m_selected; }
    const MonthGridModel &Model() const { return m_model; }
    MonthGridModel::Geometry Geometry() const;
    void SetFillColor(std::int32_t color);

    QSize sizeHint() const override { return {640, 480}; }
    QSize minimumSizeHint() const override;

signals:
    void DaySelected(QDate date);
    void DayActivated(QDate date);
    void EventActivated(qint64 id, QDate date);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    MonthGridModel m_model;
    Qt::DayOfWeek m_weekStart = Qt::Sunday;
    QDate m_today;
    QDate m_selected;
    std::int32_t m_fill = -1;
};

} // namespace quillon
