// The day view: one day on a time scale of half-hour slots, tasks drawn as coloured
// blocks from their start to their end time, overlapping tasks side by side.
// All arithmetic lives in DayViewModel; this widget draws, takes input and raises
// the notifications. Coordinates of hit tests and MouseUp are the widget's own.
//
// Input: a left press selects the task under it, or else the time slot; a release
// raises MouseUp (every button) and then Click (left button); a double click raises
// DblClick. Keys: Up/Down a slot, Page Up/Down a screen, Home/End the first and last
// slot, Left/Right the previous and next task in time order (each raises Click as a
// click would), Enter raises DblClick, Insert raises AddRequest with the selected
// slot's start time. A task dragged with the left button moves in half hours (Alt: five
// minutes), or, grabbed at its foot, changes its end; the release raises TaskDropped
// instead of Click, and Esc cancels the drag.
#pragma once

#include "views/DayViewModel.h"
#include "views/ViewMirror.h"

#include <QAbstractScrollArea>
#include <QIcon>

class QPainter;

#include <array>
#include <cstdint>
#include <optional>

namespace quillon {

class DayView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // MouseUp's button and shift values.
    static constexpr int kLeftButton = 1;
    static constexpr int kRightButton = 2;
    static constexpr int kMiddleButton = 4;
    static constexpr int kShiftMask = 1;
    static constexpr int kCtrlMask = 2;
    static constexpr int kAltMask = 4;
    static constexpr int kAreaSchedule = DayViewModel::kAreaSchedule;

    explicit DayView(QWidget *parent = nullptr);

    // Tasks, addressed by index from 0 in the order added. A bad index is ignored (reads
    // as empty); a null time adds nothing and AddTask gives -1.
    int AddTask(QTime startTime, QTime endTime, const QString &text, std::int32_t color = -1);
    int TaskCount() const;
    QString TaskText(int index) const;
    void SetTaskText(int index, const QString &text);
    // The caller's key of a task (0 when none or a bad index).
    qint64 TaskTag(int index) const;
    void SetTaskTag(int index, qint64 tag);
    QIcon TaskPicture(int index) const;
    void SetTaskPicture(int index, const QIcon &picture);
    void SetTaskLocation(int index, const QString &location) { m_model.SetTaskLocation(index, location); }
    void RemoveTask(int index);
    void RemoveAllTasks();

    int SelectedTask() const;
    void SetSelectedTask(int index);
    int SelectedTimeSlot() const;
    void SetSelectedTimeSlot(int slot);

    // A slot's start (null outside the day) and the slot of a time (-1 for a null time).
    QTime TimeOfSlot(int slot) const;
    int SlotOfTime(QTime time) const;

    int AreaAt(int x, int y) const;
    int TaskAt(int x, int y) const;
    // The start of the slot at the point; null outside the rows.
    QTime TimeAt(int x, int y) const;

    // Colour values (red + 256 x green + 65536 x blue). Reading gives the colour in
    // use; setting -1 goes back to the style's own colour.
    std::int32_t BackColor() const;
    void SetBackColor(std::int32_t color);
    std::int32_t DurationBarFillColor() const;
    void SetDurationBarFillColor(std::int32_t color);

    // Scrolls so that the slot is the top row.
    void ScrollToSlot(int slot);
    // Where a task or slot is drawn now, in widget coordinates; it may lie outside the
    // visible part when scrolled away.
    QRect TaskRect(int index) const;
    QRect SlotRect(int slot) const;

    const DayViewModel &Model() const { return m_model; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Click();
    void DblClick();
    void MouseUp(int button, int shift, int x, int y);
    void AddRequest(QTime startTime);
    void TaskDropped(int index, QTime startTime, QTime endTime);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    DayViewGeometry Geometry() const;
    // The viewport's mirror in a right-to-left layout (the hours on the right).
    ViewMirror Mirror() const;
    QPointF ToContent(QPoint widgetPoint) const;     // widget -> unscrolled content
    QPointF ViewportToContent(QPointF viewportPoint) const;
    QPoint ViewportToWidget(QPointF viewportPoint) const;
    void UpdateScrollBar();
    void SelectAt(QPointF viewportPoint);
    void EnsureVisible(double top, double bottom);
    void EnsureSelectionVisible();
    void MoveSlot(int delta);
    void MoveTask(int direction);
    QColor EffectiveBackColor() const;
    QColor EffectiveFillColor() const;
    int VisibleSlots() const;

    // The hour texts of the time scale and their widest advance, worked out once per
    // font, locale or style change rather than on every paint and hit test.
    struct TimeScale {
        std::array<QString, 24> hourLabels;
        int widest = 0;
        int lineHeight = 0;
    };
    const TimeScale &Scale() const;

    DayViewModel m_model;
    mutable std::optional<TimeScale> m_scale;
    std::int32_t m_backColor = -1;
    std::int32_t m_fillColor = -1;
    bool m_followWorkday = true;   // keep 8:00 AM at the top until the user scrolls
    bool m_scrolling = false;      // our own scroll, not the user's
    bool m_pressed = false;
    bool m_doubleClicked = false;

    struct Drag {
        int task = -1;
        bool resize = false;
        QPointF from;        // content point of the press
        bool moving = false; // past the start distance
        DayViewModel::DraggedTimes landing;
    };
    std::optional<Drag> m_drag;
    void PaintDrag(QPainter &painter, const DayViewGeometry &geometry, const ViewMirror &mirror) const;
};

} // namespace quillon
