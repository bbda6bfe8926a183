// The question before the desktop calendar is redrawn for a new day: now (OK, or by
// itself when the countdown ends) or later. Shown modally; the caller reads OkPressed.
#pragma once

#include <QDialog>
#include <QTimer>

#include <cstdint>

class QLabel;
class QPushButton;

namespace quillon {

class frmWarning : public QDialog {
    Q_OBJECT

public:
    inline static const QString kCaption = QStringLiteral("Quillon Calendar");
    inline static constexpr const char *kTopText = QT_TRANSLATE_NOOP("quillon::frmWarning", "Quillon needs to change the desktop calendar.");
    inline static constexpr const char *kOkText = QT_TRANSLATE_NOOP("quillon::frmWarning", "Click the 'OK' button to change the calendar now.");
    inline static constexpr const char *kOkCountdownText = QT_TRANSLATE_NOOP("quillon::frmWarning", "Click the 'OK' button to change the calendar now (or wait until the timeout has completed "
        "and Quillon will then perform the change).");
    inline static constexpr const char *kLaterText = QT_TRANSLATE_NOOP("quillon::frmWarning", "Click the 'Later' button to change the calendar yourself at a time that is more convenient. "
        "You can change the calendar by right-clicking on the Quillon icon in the system tray and "
        "selecting the 'Refresh Desktop Calendar\" option.");
    static constexpr int kTickMs = 1000;

    // Loads: reads CalendarWarningTimeout afresh and starts the countdown when it is 1 or more.
    explicit frmWarning(QWidget *parent = nullptr);

    bool OkPressed() const { return m_okPressed; }
    void SetOkPressed(bool pressed) { m_okPressed = pressed; }
    std::int32_t SecondsLeft() const { return m_secondsLeft; }

    // One second of the countdown (the timer's tick).
    void Timer_Timer();
    void cmdOK_Click();
    void cmdLater_Click();
    const QTimer &Timer() const { return m_timer; }

    // The timeout as stored; 0 (no countdown) when missing or not a whole number.
    static std::int32_t ReadTimeout();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void ShowSecondsLeft();

    bool m_okPressed = false;
    std::int32_t m_secondsLeft = 0;
    QLabel *m_lblTop;
    QLabel *m_lblOk;
    QLabel *m_lblLater;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdLater;
    QTimer m_timer;
};

} // namespace quillon
