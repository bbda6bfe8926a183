// The week view: several days side by side on the day view's time scale, each day's
// timed events as coloured blocks (overlaps side by side), all-day events in a strip
// above under the day names, today's column marked. Arithmetic lives in WeekViewModel.
//
// Input: a press selects the event under it; a drag moves it (whole days across, half
// hours down; Alt for five minutes) and a drag of its lower edge changes its end; Esc
// cancels a drag. A double click on an event raises EventActivated, elsewhere
// DayActivated with that column's day. Keys: Enter opens the selected event, Delete
// asks for its removal.
#pragma once

#include "views/ViewMirror.h"
#include "views/WeekViewModel.h"

#include <QAbstractScrollArea>

#include <optional>

namespace quillon {

class WeekView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit WeekView(QWidget *parent = nullptr);

    void SetDays(QDate first, int count, QDate today);
    void SetEvents(const QList<ViewEvent> &events);
    const WeekViewModel &Model() const { return m_model; }
    // The selected occurrence, or none.
    std::optional<ViewEvent> SelectedEvent() const;
    void Select(qint64 id, QDate date);
    // Colour of events without one of their own (-1: the palette's highlight).
    void SetFillColor(std::int32_t color);

    // Where the grid lies in the widget, for tests and for pointer scripts.
    WeekViewModel::Geometry Geometry() const;
    // The widget point of content point (unscrolled grid coordinates).
    QPoint ContentToWidget(QPointF point) const;
    void ScrollToSlot(int slot);

    QSize sizeHint() const override { return {640, 480}; }

signals:
    void SelectionChanged();
    void EventActivated(qint64 id, QDate date);
    void DayActivated(QDate date);
    // A drag ended on a new place: the caller decides whether it is kept.
    void EventDropped(qint64 id, QDate fromDate, QDate toDate, QTime start, QTime end);
    void DeleteRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    class Header;
    friend class Header;

    int HeaderHeight() const;
    int LineHeight() const;
    QPointF ToContent(QPointF viewportPoint) const;
    // The grid's mirror in a right-to-left layout, drawn on the viewport or on the header.
    ViewMirror Mirror() const;
    ViewMirror HeaderMirror() const;
    void UpdateLayout();
    void PaintHeader(QPainter &painter, const QRect &rect) const;
    void HeaderDoubleClicked(QPoint point);
    void CancelDrag();
    QColor FillOf(const ViewEvent &event) const;

    WeekViewModel m_model;
    QDate m_today;
    std::int32_t m_fill = -1;
    Header *m_header = nullptr;
    bool m_scrolledOnce = false;

    struct Drag {
        int event = -1;
        WeekViewModel::DragKind kind = WeekViewModel::DragKind::Move;
        QPointF from;           // content point of the press
        bool moving = false;    // past the start distance
        WeekViewModel::Landing landing;
    };
    std::optional<Drag> m_drag;
};

} // namespace quillon
