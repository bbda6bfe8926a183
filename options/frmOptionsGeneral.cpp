// The General page: scheduler start and conflict boxes, the scheduler colours on the
// day-view preview, the desktop-calendar switch that turns the other pages on and
// off, and the midnight warning with its checked timeout.
#include "frmOptions.h"

#include "ImageFileList.h"
#include "OptionsRules.h"
#include "OptionsTexts.h"
#include "ReminderSetting.h"
#include "basLocale.h"
#include "basOperation.h"
#include "platform/basPlatform.h"
#include "views/DayView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

namespace quillon {

using basOperation::Steps;

void frmOptions::PopulateGeneralPage()
{
    chkDisplayScheduler->setChecked(m_settings.DisplaySchedulerOnStart > 0);
    chkDisplayOnce->setChecked(m_settings.DisplaySchedulerOnce > 0);
    chkDisplayOnce->setEnabled(chkDisplayScheduler->isChecked());
    chkNoConflictChecking->setChecked(!m_settings.CheckForConflicts);
    chkRemindOfEvents->setChecked(ReminderSetting::IsOn());
    cboWeekStart->setCurrentIndex(cboWeekStart->findData(basLocale::WeekStartsOnValue(m_settings.WeekStartsOn)));
    // The stored text decides: the loaded record reads text that is not a number as 0.
    if (!DesktopCalendar::IsShown()) {
        chkDisplayCalendar->setChecked(false);
        DisableCalendarOptions();
    } else {
        chkDisplayCalendar->setChecked(true);
        EnableCalendarOptions();
        PopulateWarningOptions();
    }
}

void frmOptions::cboWeekStart_Click() { MarkChanged(); }

void frmOptions::chkDisplayScheduler_Click()
{
    if (m_loading)
        return;
    basOperation::TrapVoid("frmOptions.chkDisplayScheduler_Click", [&](Steps &step) {
        step(10);
        // The check mark of "once" stays; it is saved as 0 while the box is off.
        chkDisplayOnce->setEnabled(chkDisplayScheduler->isChecked());
        step(20);
        MarkChanged();
    });
}

void frmOptions::chkDisplayOnce_Click() { MarkChanged(); }

void frmOptions::chkNoConflictChecking_Click() { MarkChanged(); }

void frmOptions::cmdBackgroundColor_Click()
{
    basOperation::TrapVoid("frmOptions.cmdBackgroundColor_Click", [&](Steps &step) {
        step(10);
        const std::int32_t color = SelectColor(m_settings.SchedulerBackColor);
        step(20);
        if (color != -1) {
            SSDay->SetBackColor(color);
            m_settings.SchedulerBackColor = color;
        }
        step(30);
        MarkChanged();
    });
}

void frmOptions::cmdEventColor_Click()
{
    basOperation::TrapVoid("frmOptions.cmdEventColor_Click", [&](Steps &step) {
        step(10);
        const std::int32_t color = SelectColor(m_settings.SchedulerDurationFillColor);
        step(20);
        if (color != -1) {
            SSDay->SetDurationBarFillColor(color);
            m_settings.SchedulerDurationFillColor = color;
        }
        step(30);
        MarkChanged();
    });
}

void frmOptions::chkDisplayCalendar_Click()
{
    if (m_loading)
        return;
    basOperation::TrapVoid("frmOptions.chkDisplayCalendar_Click", [&](Steps &step) {
        step(10);
        if (chkDisplayCalendar->isChecked())
            EnableCalendarOptions();
        else
            DisableCalendarOptions();
        step(20);
        MarkChanged();
    });
}

void frmOptions::DisableCalendarOptions()
{
    basOperation::TrapVoid("frmOptions.DisableCalendarOptions", [&](Steps &step) {
        step(10);
        for (int page : {kWallpaperPage, kFontsPage, kOrientationPage})
            SSTab1->setTabEnabled(page, false);
        step(20);
        chkWarnBeforeChanging->setChecked(false);
        chkWarnBeforeChanging->setEnabled(false);
        chkWarningTimeOut->setChecked(false);
        chkWarningTimeOut->setEnabled(false);
        SetTimeoutBox(false, QString());
        updWarnTimeOut->setEnabled(false);
        lblWarnTimeOutMinutes->setEnabled(false);
        step(30);
        for (QWidget *control : std::initializer_list<QWidget *>{fraImages, lstImages, imgWallpaper, cmdBrowse,
                                                                 cmdWallpaperColor, fraLocation, txtImagesFolder,
                                                                 fraChangeWallpaper, cboChangeWallpaper})
            control->setEnabled(false);
        step(40);
        for (QRadioButton *option : optElement)
            option->setEnabled(false);
        for (QLabel *label : lblSample)
            label->setEnabled(false);
        step(50);
        for (QRadioButton *option : optPosition)
            option->setEnabled(false);
    });
}

void frmOptions::EnableCalendarOptions()
{
    basOperation::TrapVoid("frmOptions.EnableCalendarOptions", [&](Steps &step) {
        step(10);
        for (int page : {kWallpaperPage, kFontsPage, kOrientationPage})
            SSTab1->setTabEnabled(page, true);
        step(20);
        chkWarnBeforeChanging->setEnabled(true);
        step(30);
        for (QWidget *control : std::initializer_list<QWidget *>{fraImages, lstImages, imgWallpaper, cmdBrowse,
                                                                 cmdWallpaperColor, fraLocation, txtImagesFolder,
                                                                 fraChangeWallpaper, cboChangeWallpaper})
            control->setEnabled(true);
        step(40);
        for (QRadioButton *option : optElement)
            option->setEnabled(true);
        for (QLabel *label : lblSample)
            label->setEnabled(true);
        step(50);
        // A small screen always shows the calendar full screen.
        for (QRadioButton *option : optPosition)
            option->setEnabled(!m_smallScreen);
    });
}

void frmOptions::PopulateWarningOptions()
{
    if (!m_settings.CalendarWarning) {
        chkWarnBeforeChanging->setChecked(false);
        chkWarningTimeOut->setEnabled(false);
        chkWarningTimeOut->setChecked(false);
        SetTimeoutBox(false, QString());
        updWarnTimeOut->setEnabled(false);
        lblWarnTimeOutMinutes->setEnabled(false);
        return;
    }
    chkWarnBeforeChanging->setChecked(true);
    chkWarningTimeOut->setEnabled(true);
    if (m_settings.CalendarWarningTimeout < 1) {
        chkWarningTimeOut->setChecked(false);
        SetTimeoutBox(false, QString());
        updWarnTimeOut->setEnabled(false);
        lblWarnTimeOutMinutes->setEnabled(false);
    } else {
        // Checking the box writes "30"; the stored value then takes its place.
        chkWarningTimeOut->setChecked(true);
        SetTimeoutBox(true, QString::number(m_settings.CalendarWarningTimeout));
        updWarnTimeOut->setEnabled(true);
        lblWarnTimeOutMinutes->setEnabled(true);
    }
}

void frmOptions::SetTimeoutBox(bool enabled, const QString &text)
{
    txtWarnTimeOut->setEnabled(enabled);
    QPalette palette = txtWarnTimeOut->palette();
    const QPalette standard = QPalette();
    palette.setColor(QPalette::Base, enabled ? standard.color(QPalette::Base) : standard.color(QPalette::Button));
    txtWarnTimeOut->setPalette(palette);
    txtWarnTimeOut->setText(text);
}

void frmOptions::chkWarnBeforeChanging_Click()
{
    basOperation::TrapVoid("frmOptions.chkWarnBeforeChanging_Click", [&](Steps &step) {
        step(10);
        if (chkWarnBeforeChanging->isChecked()) {
            chkWarningTimeOut->setEnabled(true);
            return;
        }
        step(20);
        chkWarningTimeOut->setEnabled(false);
        chkWarningTimeOut->setChecked(false);
        SetTimeoutBox(false, QString());
        updWarnTimeOut->setEnabled(false);
        lblWarnTimeOutMinutes->setEnabled(false);
    });
}

void frmOptions::chkWarningTimeOut_Click()
{
    basOperation::TrapVoid("frmOptions.chkWarningTimeOut_Click", [&](Steps &step) {
        step(10);
        const bool on = chkWarningTimeOut->isChecked();
        SetTimeoutBox(on, on ? QLatin1String(OptionsTexts::kDefaultTimeout) : QString());
        step(20);
        updWarnTimeOut->setEnabled(on);
        lblWarnTimeOutMinutes->setEnabled(on);
    });
}

void frmOptions::txtWarnTimeOut_Change()
{
    basOperation::TrapVoid("frmOptions.txtWarnTimeOut_Change", [&](Steps &step) {
        step(10);
        const auto problem = OptionsRules::CheckTimeoutWhileTyping(txtWarnTimeOut->text());
        if (problem == OptionsRules::TimeoutProblem::None)
            return;
        step(20);
        // The text stays as typed; the focus goes back into the box.
        m_checkingTimeout = true;
        const OptionsRules::Message message = OptionsRules::MessageFor(problem);
        basPlatform::ShowMessage(QLatin1String(message.text), QLatin1String(message.title),
                                 basPlatform::MessageIcon::Exclamation, basPlatform::MessageButtons::Ok);
        m_checkingTimeout = false;
        txtWarnTimeOut->setFocus();
    });
}

bool frmOptions::txtWarnTimeOut_Validate()
{
    // A text that is no number at all is reported and the focus may leave; saving it
    // then fails in turn.
    return basOperation::Trap("frmOptions.txtWarnTimeOut_Validate", true, [&](Steps &step) {
        step(10);
        const auto problem = OptionsRules::CheckTimeoutOnLeave(txtWarnTimeOut->text());
        if (problem == OptionsRules::TimeoutProblem::None)
            return true;
        step(20);
        m_checkingTimeout = true;
        const OptionsRules::Message message = OptionsRules::MessageFor(problem);
        basPlatform::ShowMessage(QLatin1String(message.text), QLatin1String(message.title),
                                 basPlatform::MessageIcon::Exclamation, basPlatform::MessageButtons::Ok);
        m_checkingTimeout = false;
        return false;
    });
}

bool frmOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtWarnTimeOut && event->type() == QEvent::FocusOut && !m_checkingTimeout
        && txtWarnTimeOut->isEnabled() && !m_unloading) {
        // Only the user moving on counts; a message box or another window taking the
        // focus does not, and neither does going to Cancel, which keeps nothing.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const bool movingOn = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && QApplication::focusWidget() != cmdCancel;
        if (movingOn && !txtWarnTimeOut_Validate())
            QTimer::singleShot(0, txtWarnTimeOut, [box = txtWarnTimeOut] { box->setFocus(); });
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quillon
