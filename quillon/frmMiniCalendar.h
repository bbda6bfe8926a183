// The small month calendar that the middle button on the tray icon shows and hides.
// It docks in the corner of the work area next to the taskbar and follows the work
// area when the taskbar moves or the screen changes.
#pragma once

#include <QDate>
#include <QWidget>

class MonthView;
class QScreen;

class frmMiniCalendar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 2050;

    // Loads the window without showing it.
    explicit frmMiniCalendar(QWidget *parent = nullptr);

    // Places the window by the taskbar of the primary screen.
    void MoveForm();

    MonthView *SSMonth() const { return m_month; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void WatchScreen(QScreen *screen);

    MonthView *m_month;
    QScreen *m_watched = nullptr;
};
