// The options window as a whole: loading, saving, starting the calendar, the three
// buttons, the colour and font dialogs and closing.
#include "frmOptions.h"

#include "basFormControl.h"

#include "CalendarPreview.h"
#include "ImageFileList.h"
#include "ReminderSetting.h"
#include "OptionsRules.h"
#include "OptionsTexts.h"
#include "basColor.h"
#include "basConvert.h"
#include "basDateText.h"
#include "basExecuteProgram.h"
#include "basOperation.h"
#include "frmSelectFolder.h"
#include "platform/basPlatform.h"
#include "views/DayView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QTimer>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace quillon {

using basOperation::Steps;

frmOptions::frmOptions(OptionsEnvironment environment, QWidget *parent)
    : QDialog(parent), m_environment(std::move(environment))
{
    BuildWindow();
}

frmOptions::~frmOptions()
{
    // The timeout box loses its focus while the window goes: that is no user leaving it.
    txtWarnTimeOut->removeEventFilter(this);
}

void frmOptions::Form_Load()
{
    basOperation::TrapVoid("frmOptions.Form_Load", [&](Steps &step) {
        step(10);
        m_loading = true;
        m_fonts = {};
        step(20);
        m_settings = basQuillon::LoadGeneralSettings();
        m_storedWallpaperFile = m_settings.WallpaperFile;
        m_fonts = basCalendarFonts::LoadCalendarFonts();
        step(30);
        const QSize screen = m_environment.screenPixels;

        step(40);
        if (m_settings.SchedulerBackColor >= 0)
            SSDay->SetBackColor(m_settings.SchedulerBackColor);
        if (m_settings.SchedulerDurationFillColor >= 0)
            SSDay->SetDurationBarFillColor(m_settings.SchedulerDurationFillColor);
        SSDay->RemoveAllTasks();
        SSDay->AddTask(QTime(11, 0), QTime(12, 0),
                       OptionsTexts::Tr(OptionsTexts::kSampleEvent));

        step(50);
        lstImages->SetPattern(QLatin1String(OptionsTexts::kImagePattern));
        cboChangeWallpaper->clear();
        // Shown in the user's words, stored in English.
        for (const char *period : OptionsTexts::kRotationPeriods)
            cboChangeWallpaper->addItem(OptionsTexts::Tr(period), QLatin1String(period));
        cboChangeWallpaper->setCurrentIndex(cboChangeWallpaper->findData(QLatin1String(OptionsTexts::kDefaultRotation)));
        imgWallpaper->hide();
        lblWallpaper->hide();

        step(60);
        cmdFont->setEnabled(false);
        cmdFontColor->setEnabled(false);

        step(80);
        cmdOk->setEnabled(true);
        cmdCancel->setEnabled(true);
        cmdApply->setEnabled(false);

        step(90);
        m_smallScreen = OptionsRules::IsSmallScreen(screen);
        if (m_smallScreen)
            m_settings.CalendarOrientation = OptionsRules::CodeOfPosition(OptionsRules::kFullScreen);

        step(100);
        PopulateControls();
        step(110);
        m_calendarShown = chkDisplayCalendar->isChecked() ? 1 : 0;
        step(120);
        m_loading = false;
        RequestPreview();
    });
}

void frmOptions::PopulateControls()
{
    // Each part fills on its own: a part that fails is reported and the others still
    // show the stored values, so OK never writes a page that was never filled.
    const auto part = [this](void (frmOptions::*fill)()) {
        basOperation::TrapVoid("frmOptions.PopulateControls", [&](Steps &) { (this->*fill)(); });
    };
    part(&frmOptions::PopulateGeneralPage);
    part(&frmOptions::PopulateWallpaperList);
    part(&frmOptions::PopulateWallpaperPreview);
    part(&frmOptions::PopulateWallpaperState);
    part(&frmOptions::PopulateFontsPage);
    part(&frmOptions::PopulatePositionOption);
}

bool frmOptions::SaveOptions()
{
    return basOperation::Trap("frmOptions.SaveOptions", false, [&](Steps &step) {
        // Everything is read from the controls first: a value that does not convert
        // stops the save before anything reaches the store.
        basQuillon::GeneralSettingsRecord s = m_settings;
        step(10);
        s.DisplayCalendarOnDesktop = chkDisplayCalendar->isChecked() ? 1 : 0;
        step(20);
        s.ImagesLocation = txtImagesFolder->text();
        step(30);
        s.ChangeWallpaper = cboChangeWallpaper->currentData().toString();
        step(40);
        s.CalendarOrientation = OptionsRules::CodeOfPosition(SelectedPosition());
        step(50);
        s.DisplaySchedulerOnStart = chkDisplayScheduler->isChecked() ? 1 : 0;
        step(60);
        s.DisplaySchedulerOnce = chkDisplayOnce->isEnabledTo(this) && chkDisplayOnce->isChecked() ? 1 : 0;
        step(70);
        s.CheckForConflicts = !chkNoConflictChecking->isChecked();
        step(80);
        if (chkWarnBeforeChanging->isChecked()) {
            s.CalendarWarning = true;
            s.CalendarWarningTimeout =
                chkWarningTimeOut->isChecked() ? basConvert::ToInt32(txtWarnTimeOut->text()) : -1;
        } else {
            s.CalendarWarning = false;
            s.CalendarWarningTimeout = -1;
        }
        step(90);
        s.CalendarUseLiturgicalColors = chkUseLiturgicalColors->isChecked();
        s.CalendarLegibility = cboLegibility->currentData().toString();
        s.CalendarMonitors = cboMonitors->currentData().toString();
        s.WeekStartsOn = cboWeekStart->currentData().toString();
        step(100);
        m_settings = s;
        basQuillon::SaveGeneralSettings(m_settings);
        // The store reports a write that failed, as for the record above.
        (void)ReminderSetting::Save(chkRemindOfEvents->isChecked());
        step(110);
        basCalendarFonts::SaveCalendarFonts(m_fonts);
        step(120);
        // A newly chosen picture starts its period today; without a date the calendar's
        // next redraw would take its period as long over and rotate straight past it.
        if (!s.WallpaperFile.isEmpty() && s.WallpaperFile != m_storedWallpaperFile
            && !basQuillon::SaveOption(QLatin1String(basQuillon::kWallpaperChangedDate),
                                       basDateText::FormatDateText(basPlatform::Today())))
            throw OptionsTexts::Failed(basOperation::kPathFileAccessError, OptionsTexts::kSettingsNotWritten,
                                       basPlatform::SettingsLocation());
        m_storedWallpaperFile = s.WallpaperFile;
        return true;
    });
}

void frmOptions::StartCalendar()
{
    basOperation::TrapVoid("frmOptions.StartCalendar", [&](Steps &step) {
        step(10);
        auto drawing = DesktopCalendar::Drawing::Calendar;   // redraw with the new settings
        if (!DesktopCalendar::IsShown(QString::number(m_settings.DisplayCalendarOnDesktop))) {
            // Shown when the dialog opened (or at the last Apply): take it off the desktop.
            if (m_calendarShown == 0)
                return;
            step(20);
            drawing = DesktopCalendar::Drawing::BackgroundOnly;
        }
        step(30);
        const std::int32_t result = DesktopCalendar::RequestRedraw(
            drawing, {m_environment.calendarProgram, m_environment.startProgram, m_environment.askLauncher});
        step(40);
        if (result != 0)
            basExecuteProgram::ShowStartError(m_environment.calendarProgram, result);
    });
}

bool frmOptions::TimeoutAcceptable()
{
    // A click on OK or Apply takes the focus from the box: the box is checked first,
    // and a refused entry keeps the dialog as it is.
    if (!chkWarningTimeOut->isChecked() || !txtWarnTimeOut->isEnabled())
        return true;
    if (txtWarnTimeOut_Validate())
        return true;
    txtWarnTimeOut->setFocus();
    return false;
}

void frmOptions::cmdApply_Click()
{
    basOperation::TrapVoid("frmOptions.cmdApply_Click", [&](Steps &step) {
        step(10);
        if (!TimeoutAcceptable())
            return;
        step(20);
        // A save that failed wrote nothing: Apply stays on and nothing is redrawn.
        if (!SaveOptions())
            return;
        m_saved = true;
        step(30);
        StartCalendar();
        step(40);
        m_calendarShown = chkDisplayCalendar->isChecked() ? 1 : 0;
        step(50);
        cmdApply->setEnabled(false);
    });
}

void frmOptions::cmdOk_Click()
{
    if (!TimeoutAcceptable())
        return;
    // A save that failed keeps the dialog open, so the changes are not lost unseen.
    if (!SaveOptions())
        return;
    m_saved = true;
    StartCalendar();
    Unload();
}

void frmOptions::cmdCancel_Click() { Unload(); }

void frmOptions::reject() { cmdCancel_Click(); }

void frmOptions::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    basFormControl::FitOnScreen(*this);
    // Once more when the window manager has put its frame round it.
    QTimer::singleShot(0, this, [this] { basFormControl::FitOnScreen(*this); });
}

void frmOptions::closeEvent(QCloseEvent *event)
{
    // The title-bar close is a Cancel: nothing is written.
    if (!m_unloading) {
        m_unloading = true;
        Form_Unload();
    }
    event->accept();
}

void frmOptions::Unload()
{
    m_unloading = true;
    Form_Unload();
    close();
}

void frmOptions::Form_Unload()
{
    m_fonts.MonthNameFont.reset();
    m_fonts.DayNameFont.reset();
    m_fonts.DayNumberFont.reset();
    m_fonts.AllDayEventsFont.reset();
    m_fonts.DayEventsFont.reset();
}

void frmOptions::MarkChanged()
{
    if (m_loading)
        return;
    cmdApply->setEnabled(true);
    RequestPreview();
}

basQuillon::GeneralSettingsRecord frmOptions::ShownCalendarSettings() const
{
    basQuillon::GeneralSettingsRecord s = m_settings;
    s.DisplayCalendarOnDesktop = chkDisplayCalendar->isChecked() ? 1 : 0;
    s.ImagesLocation = txtImagesFolder->text();
    s.ChangeWallpaper = cboChangeWallpaper->currentData().toString();
    s.CalendarOrientation = OptionsRules::CodeOfPosition(SelectedPosition());
    s.CalendarUseLiturgicalColors = chkUseLiturgicalColors->isChecked();
    s.CalendarLegibility = cboLegibility->currentData().toString();
    s.CalendarMonitors = cboMonitors->currentData().toString();
    s.WeekStartsOn = cboWeekStart->currentData().toString();
    return s;
}

void frmOptions::RequestPreview()
{
    if (m_loading)
        return;
    CalendarPreview::Values values;
    values.settings = ShownCalendarSettings();
    values.fonts = m_fonts;
    values.backgroundOnly = !DesktopCalendar::IsShown(QString::number(values.settings.DisplayCalendarOnDesktop));
    picCalendar->Request(std::move(values));
}

void frmOptions::SSTab1_Click()
{
    const int page = SSTab1->currentIndex();
    picCalendar->setVisible(page == kWallpaperPage || page == kFontsPage || page == kOrientationPage);
}

std::int32_t frmOptions::SelectColor(std::int32_t initialColor)
{
    const std::optional<QColor> chosen = m_environment.chooseColor(this, basColor::ToQColor(initialColor));
    if (!chosen || !chosen->isValid())
        return basColor::kNoColor;
    return basColor::FromQColor(*chosen);
}

std::optional<QFont> frmOptions::SelectFont(const std::optional<QFont> &initialFont)
{
    const QFont initial = initialFont.value_or(QFont());
    const std::optional<QFont> chosen = m_environment.chooseFont(this, initial);
    if (!chosen)
        return std::nullopt;
    // Face, style and size come from the dialog; the effects are not offered there
    // and come back as they went in.
    QFont font;
    font.setFamily(chosen->family());
    font.setBold(chosen->bold());
    font.setItalic(chosen->italic());
    font.setPointSizeF(chosen->pointSizeF());
    font.setStrikeOut(initial.strikeOut());
    font.setUnderline(initial.underline());
    return font;
}

int frmOptions::SelectedPosition() const
{
    for (int p = 0; p < OptionsRules::kPositionCount; ++p)
        if (optPosition[p]->isChecked())
            return p;
    return OptionsRules::kNoPosition;
}

int frmOptions::SelectedElement() const
{
    for (int i = 0; i < kElementCount; ++i)
        if (optElement[i]->isChecked())
            return i;
    return -1;
}

} // namespace quillon
