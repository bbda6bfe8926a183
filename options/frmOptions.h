// The options dialog: four pages that edit every shared setting, OK / Cancel / Apply.
// It loads the general settings and the calendar fonts when it opens, keeps them as
// its own values while open, and on Apply or OK writes both back and starts the
// calendar program so the desktop shows the result. The handlers carry the names of
// the controls and events they serve, so tests drive the dialog exactly as clicks do.
#pragma once

#include "OptionsEnvironment.h"
#include "basCalendarFonts.h"
#include "basQuillon.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

namespace quillon {

class CalendarPreview;
class DayView;
class ImageFileList;
class frmSelectFolder;
struct WallpaperRead;

class frmOptions : public QDialog {
    Q_OBJECT

public:
    explicit frmOptions(OptionsEnvironment environment, QWidget *parent = nullptr);
    ~frmOptions() override;

    // Pages of SSTab1, in their order.
    enum Page { kGeneralPage = 0, kWallpaperPage = 1, kFontsPage = 2, kOrientationPage = 3 };
    // Text elements of the Fonts and Colors page, in the order of the sample labels.
    enum Element { kMonthName = 0, kDayName, kDayNumber, kAllDayEvent, kDayEvents, kCurrentDay };
    static constexpr int kSampleCount = 5;
    static constexpr int kElementCount = 6;

    // --- Operations ---------------------------------------------------------------
    void Form_Load();
    void PopulateControls();
    bool SaveOptions();                   // false when it reported an error (nothing written)
    void StartCalendar();
    std::int32_t SelectColor(std::int32_t initialColor);   // -1 when cancelled
    std::optional<QFont> SelectFont(const std::optional<QFont> &initialFont);
    void EnableCalendarOptions();
    void DisableCalendarOptions();
    void PopulateWarningOptions();
    void SetLabelBorder(int index);
    void SetLabelColors(int element);
    // The focus is about to leave the timeout box: false keeps it there.
    bool txtWarnTimeOut_Validate();

    // The values being edited, as the dialog holds them now.
    const basQuillon::GeneralSettingsRecord &Settings() const { return m_settings; }
    const basCalendarFonts::CalendarFontSet &Fonts() const { return m_fonts; }
    bool IsLoading() const { return m_loading; }
    // The stored picture is still being read (it shows, or is reported, when read).
    bool IsReadingWallpaper() const { return m_wallpaperRead != nullptr; }
    bool IsSmallScreen() const { return m_smallScreen; }
    int CalendarShown() const { return m_calendarShown; }
    // The program's exit code: 0 once OK or an Apply has saved, else 1.
    int ExitCode() const { return m_saved ? 0 : 1; }
    // The element whose option is selected, -1 for none.
    int SelectedElement() const;
    // The selected position option (its code), -1 for none.
    int SelectedPosition() const;

    // --- Controls -----------------------------------------------------------------
    QTabWidget *SSTab1;
    QPushButton *cmdOk;
    QPushButton *cmdCancel;
    QPushButton *cmdApply;

    // General
    QGroupBox *fraSchedulerOptions;
    QCheckBox *chkDisplayScheduler;
    QCheckBox *chkDisplayOnce;
    QCheckBox *chkNoConflictChecking;
    QCheckBox *chkRemindOfEvents;
    QGroupBox *fraSchedulerColors;
    QPushButton *cmdBackgroundColor;
    QPushButton *cmdEventColor;
    DayView *SSDay;
    QGroupBox *fraCalendar;
    QCheckBox *chkDisplayCalendar;
    QCheckBox *chkWarnBeforeChanging;
    QCheckBox *chkWarningTimeOut;
    QLineEdit *txtWarnTimeOut;
    QWidget *updWarnTimeOut;
    QToolButton *updWarnTimeOutUp;
    QToolButton *updWarnTimeOutDown;
    QLabel *lblWarnTimeOutMinutes;
    QLabel *lblWeekStart;
    QComboBox *cboWeekStart;    // WeekStartsOn: "Locale", "Sunday", "Monday" or "Saturday"

    // Wallpaper
    QGroupBox *fraImages;
    ImageFileList *lstImages;
    QFrame *picWallpaper;
    QLabel *imgWallpaper;
    QLabel *lblWallpaper;
    QPushButton *cmdWallpaperColor;
    QPushButton *cmdBrowse;
    QGroupBox *fraChangeWallpaper;
    QComboBox *cboChangeWallpaper;
    QGroupBox *fraLocation;
    QLineEdit *txtImagesFolder;

    // Fonts and Colors
    QGroupBox *Frame1;
    std::array<QRadioButton *, kElementCount> optElement{};   // optMonthName ... optCurrentDay
    std::array<QLabel *, kSampleCount> lblSample{};
    QPushButton *cmdFont;
    QPushButton *cmdFontColor;
    QCheckBox *chkUseLiturgicalColors;
    QLabel *lblLegibility;
    QComboBox *cboLegibility;   // CalendarLegibility: "Automatic" or "Off"
    QLabel *lblMonitors;
    QComboBox *cboMonitors;     // CalendarMonitors: "Primary" or "All"

    // Orientation, indexed by position code (optCenter, optTopLeft ... optFullScreen)
    QGroupBox *Frame2;
    std::array<QRadioButton *, 6> optPosition{};
    std::array<QLabel *, 6> imgPosition{};

    // The desktop as the renderer would draw it with the values shown, beside the
    // Wallpaper, Fonts and Colors and Orientation pages.
    CalendarPreview *picCalendar;
    // The calendar values as the controls show them now (what OK would save of them).
    basQuillon::GeneralSettingsRecord ShownCalendarSettings() const;

    // The folder picker, made on the first Browse and kept for the next.
    frmSelectFolder *Picker() const { return m_picker; }

public slots:
    // Esc: Cancel.
    void reject() override;
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdApply_Click();

    void chkDisplayScheduler_Click();
    void chkDisplayOnce_Click();
    void chkNoConflictChecking_Click();
    void cmdBackgroundColor_Click();
    void cmdEventColor_Click();
    void chkDisplayCalendar_Click();
    void chkWarnBeforeChanging_Click();
    void chkWarningTimeOut_Click();
    void txtWarnTimeOut_Change();

    void lstImages_Click();
    void cmdWallpaperColor_Click();
    void cmdBrowse_Click();
    void cboChangeWallpaper_Click();
    void optPosition_Click(int position);

    void optElement_Click(int element);
    void cmdFont_Click();
    void cmdFontColor_Click();
    void chkUseLiturgicalColors_Click();
    void cboLegibility_Click();
    void cboMonitors_Click();
    void cboWeekStart_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Building the pages (frmOptionsLayout.cpp).
    void BuildWindow();
    QWidget *BuildGeneralPage();
    QWidget *BuildWallpaperPage();
    QWidget *BuildFontsPage();
    QWidget *BuildOrientationPage();
    void ConnectHandlers();
    int Twips(int twips) const;

    // Filling the pages, one page at a time (each reports its own error).
    void PopulateGeneralPage();
    void PopulateWallpaperList();
    void PopulateWallpaperPreview();
    void PopulateWallpaperState();
    void PopulateFontsPage();
    void PopulatePositionOption();

    void MarkChanged();                     // enables Apply unless loading; redraws the preview
    void RequestPreview();
    void SSTab1_Click();                    // the preview shows beside the pages it concerns
    void Unload();
    void Form_Unload();
    void SetTimeoutBox(bool enabled, const QString &text);
    // The stored picture is read off the GUI thread; it shows, or is reported, when read.
    void ReadStoredWallpaper(const QString &path);
    QSize PreviewSize() const;
    void ShowWallpaperPicture(const WallpaperRead &read);
    void ShowWallpaperSwatch(std::int32_t color);
    void PaintLabel(int index, std::int32_t color);
    std::int32_t ElementColor(int element) const;
    void SetElementColor(int element, std::int32_t color);
    std::optional<QFont> &ElementFont(int element);
    bool TimeoutAcceptable();

    OptionsEnvironment m_environment;
    basQuillon::GeneralSettingsRecord m_settings;
    basCalendarFonts::CalendarFontSet m_fonts;
    QString m_storedWallpaperFile;   // the picture as last loaded or saved
    frmSelectFolder *m_picker = nullptr;
    const QObject *m_wallpaperRead = nullptr;   // the stored picture's reading, until it shows
    bool m_loading = false;
    bool m_smallScreen = false;
    int m_calendarShown = 0;
    bool m_saved = false;
    bool m_unloading = false;
    bool m_checkingTimeout = false;
};

} // namespace quillon
