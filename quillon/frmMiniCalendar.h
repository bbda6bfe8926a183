// The small month calendar that the middle button on the tray icon shows and hides.
// It docks in the corner of the work area next to the taskbar and follows the work
// area when the taskbar moves or the screen changes.
#pragma once

#include <QDate>
#include <QElapsedTimer>
#include <QRect>
#include <QSize>
#include <QWidget>

class QScreen;

namespace quillon {

class MonthView;

class frmMiniCalendar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 2050;

    // Loads the window without showing it.
    explicit frmMiniCalendar(QWidget *parent = nullptr);

    // Places the window beside the tray icon, or by the taskbar of the primary screen
    // when the icon's place is not known.
    void MoveForm();
    // The tray icon's rectangle on the desktop; empty when the tray does not say.
    void SetIconGeometry(const QRect &icon);
    // The middle click on the icon: shows the window, or hides it. A click on the icon
    // that has just hidden the window (it lost the focus to the click) leaves it hidden.
    void Toggle();

    MonthView *SSMonth() const { return m_month; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    bool event(QEvent *event) override;

private:
    void WatchScreen(QScreen *screen);

    MonthView *m_month;
    QScreen *m_watched = nullptr;
    QRect m_icon;
    QElapsedTimer m_hiddenByOutsideClick;
    QElapsedTimer m_shown;
    QSize m_dockedFrame; // the frame's size when it was last docked
};

} // namespace quillon
