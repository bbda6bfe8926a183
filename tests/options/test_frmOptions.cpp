// Loading, saving, Apply and starting the calendar, driven through the dialog's handlers.
#include "ImageFileList.h"
#include "OptionsFixture.h"
#include "frmSelectFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace quillon {

namespace optionstest {

class OptionsDialogTest : public OptionsTest {};

TEST_F(OptionsDialogTest, OkWritesEveryValueBackWithOnlyTheKnownNormalisations)
{
    const QString pictures = MakeFolder(QStringLiteral("Fotos d'été, 2026"), {});
    const QString picture = MakePicture(pictures + QStringLiteral("/plage ☀ #1.jpg"), Qt::yellow);
    const std::map<const char *, QString> stored = {
        {"SchedulerBackColor", "255"},          {"SchedulerDurationFillColor", "65280"},
        {"DisplayCalendarOnDesktop", "1"},      {"ImagesLocation", pictures},
        {"WallpaperFile", picture},             {"WallpaperColor", "16711680"},
        {"ChangeWallpaper", "Weekly"},          {"CalendarOrientation", "3"},
        {"DisplaySchedulerOnStart", "0"},       {"DisplaySchedulerOnce", "1"},
        {"CheckForConflicts", "0"},             {"CalendarWarning", "1"},
        {"CalendarWarningTimeout", "45"},       {"CalendarUseLiturgicalColors", "1"},
        {"MonthNameFont", "Arial,10,1,0,1,0"},  {"MonthNameColor", "255"},
        {"DayNameFont", "DejaVu Sans,12,0,1,0,1"}, {"DayNameColor", "-1"},
        {"DayNumberColor", "32768"},            {"CurrentDayColor", "16711935"}};
    for (const auto &[name, value] : stored)
        Store(name, value);

    frmOptions &form = Open();
    EXPECT_FALSE(form.cmdApply->isEnabled());
    EXPECT_EQ(form.lstImages->FileName(), QStringLiteral("plage ☀ #1.jpg"));
    EXPECT_EQ(form.txtWarnTimeOut->text(), QLatin1String("45"));
    form.cmdOk_Click();

    // A picture wins over the colour; "once" goes with "on start"; font flags as -1.
    std::map<const char *, QString> expected = stored;
    expected["WallpaperColor"] = QStringLiteral("-1");
    expected["DisplaySchedulerOnce"] = QStringLiteral("0");
    expected["MonthNameFont"] = QStringLiteral("Arial,10,-1,0,-1,0");
    expected["DayNameFont"] = QStringLiteral("DejaVu Sans,12,0,-1,0,-1");
    for (const auto &[name, value] : expected)
        EXPECT_EQ(Stored(name), value) << name;
    EXPECT_EQ(Stored("DayNumberFont"), QLatin1String("MS Sans Serif,12,-1,0,0,0"));
    EXPECT_EQ(Stored("AllDayEventsColor"), QLatin1String("0"));

    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, calendarProgram);
    EXPECT_TRUE(started[0].arguments.isEmpty());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.ExitCode(), 0);
    EXPECT_EQ(ReportCount(), 0);
}

TEST_F(OptionsDialogTest, WithTheCalendarOffTheWarningIsClearedAndNothingStarts)
{
    Store("DisplayCalendarOnDesktop", QStringLiteral("0"));
    Store("CalendarWarning", QStringLiteral("1"));
    Store("CalendarWarningTimeout", QStringLiteral("20"));
    frmOptions &form = Open();
    for (int page : {frmOptions::kWallpaperPage, frmOptions::kFontsPage, frmOptions::kOrientationPage})
        EXPECT_FALSE(form.SSTab1->isTabEnabled(page));
    EXPECT_FALSE(form.chkWarnBeforeChanging->isEnabled());
    form.cmdOk_Click();
    EXPECT_EQ(Stored("CalendarWarning"), QLatin1String("0"));
    EXPECT_EQ(Stored("CalendarWarningTimeout"), QLatin1String("-1"));
    EXPECT_TRUE(started.empty());
}

TEST_F(OptionsDialogTest, ApplyAfterSwitchingOffClearsTheCalendarOnceThenStartsNothing)
{
    Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    frmOptions &form = Open();
    form.chkDisplayCalendar->setChecked(false);
    EXPECT_TRUE(form.cmdApply->isEnabled());
    form.cmdApply_Click();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].arguments, QStringList{QStringLiteral("-1")});
    EXPECT_FALSE(form.cmdApply->isEnabled());
    EXPECT_EQ(Stored("DisplayCalendarOnDesktop"), QLatin1String("0"));

    form.chkNoConflictChecking->setChecked(true);
    form.cmdApply_Click();
    EXPECT_EQ(started.size(), 1u);
    EXPECT_EQ(Stored("CheckForConflicts"), QLatin1String("0"));

    // Switched on again: the next Apply draws it.
    form.chkDisplayCalendar->setChecked(true);
    form.cmdApply_Click();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_TRUE(started[1].arguments.isEmpty());
}

TEST_F(OptionsDialogTest, AnyStoredValueButZeroShowsTheCalendarAndOkDrawsIt)
{
    // "-1" is a true flag in the original settings format; text that is not a number is on too.
    for (const char *stored : {"-1", "2", "yes", " 0 ", ""}) {
        const bool shown = QString::fromLatin1(stored).trimmed() != QLatin1String("0")
            && !QString::fromLatin1(stored).trimmed().isEmpty();
        started.clear();
        Store("DisplayCalendarOnDesktop", QString::fromLatin1(stored));
        frmOptions &form = Open();
        EXPECT_EQ(form.chkDisplayCalendar->isChecked(), shown) << '"' << stored << '"';
        form.cmdOk_Click();
        EXPECT_EQ(Stored("DisplayCalendarOnDesktop"), shown ? QLatin1String("1") : QLatin1String("0")) << stored;
        ASSERT_EQ(started.size(), shown ? 1u : 0u) << '"' << stored << '"';
        if (shown) {
            EXPECT_TRUE(started[0].arguments.isEmpty());
        }
    }
}

TEST_F(OptionsDialogTest, ASmallScreenForcesFullScreenAndLocksThePositions)
{
    screen = QSize(800, 600);
    Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    Store("CalendarOrientation", QStringLiteral("2"));
    frmOptions &form = Open();
    EXPECT_TRUE(form.IsSmallScreen());
    EXPECT_TRUE(form.optPosition[OptionsRules::kFullScreen]->isChecked());
    for (QRadioButton *option : form.optPosition)
        EXPECT_FALSE(option->isEnabled());
    // Switching the calendar off and on keeps them locked.
    form.chkDisplayCalendar->setChecked(false);
    form.chkDisplayCalendar->setChecked(true);
    for (QRadioButton *option : form.optPosition)
        EXPECT_FALSE(option->isEnabled());
    form.cmdOk_Click();
    EXPECT_EQ(Stored("CalendarOrientation"), QLatin1String("5"));
}

TEST_F(OptionsDialogTest, AStoredOrientationOutsideTheCodesShowsFullScreenAndSavesFive)
{
    Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    Store("CalendarOrientation", QStringLiteral("7"));
    frmOptions &form = Open();
    EXPECT_TRUE(form.optPosition[OptionsRules::kFullScreen]->isChecked());
    EXPECT_TRUE(form.optPosition[OptionsRules::kFullScreen]->isEnabled());
    form.cmdOk_Click();
    EXPECT_EQ(Stored("CalendarOrientation"), QLatin1String("5"));
}

TEST_F(OptionsDialogTest, ApplyIsEnabledByChangesOnlyAndNotByTheBoxesThatDoNotCount)
{
    Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    const QString pictures = MakeFolder(QStringLiteral("pictures"), {});
    MakePicture(pictures + QStringLiteral("/a.bmp"), Qt::red);
    MakePicture(pictures + QStringLiteral("/b.bmp"), Qt::blue);
    Store("ImagesLocation", pictures);
    Store("WallpaperFile", pictures + QStringLiteral("/a.bmp"));
    frmOptions &form = Open();
    ASSERT_FALSE(form.cmdApply->isEnabled());

    const auto enables = [&](const char *what, const std::function<void()> &action) {
        form.cmdApply->setEnabled(false);
        action();
        EXPECT_TRUE(form.cmdApply->isEnabled()) << what;
    };
    const auto leaves = [&](const char *what, const std::function<void()> &action) {
        form.cmdApply->setEnabled(false);
        action();
        EXPECT_FALSE(form.cmdApply->isEnabled()) << what;
    };
    enables("display scheduler", [&] { form.chkDisplayScheduler->toggle(); });
    enables("display once", [&] { form.chkDisplayOnce->toggle(); });
    enables("conflicts", [&] { form.chkNoConflictChecking->toggle(); });
    enables("rotation", [&] { form.cboChangeWallpaper_Click(); });
    enables("top left", [&] { form.optPosition[OptionsRules::kTopLeft]->setChecked(true); });
    enables("full screen", [&] { form.optPosition[OptionsRules::kFullScreen]->setChecked(true); });
    enables("cancelled background colour", [&] { form.cmdBackgroundColor_Click(); });
    enables("cancelled event colour", [&] { form.cmdEventColor_Click(); });
    enables("picture picked", [&] { form.lstImages->setCurrentIndex(form.lstImages->model()->index(1, 0)); });
    leaves("cancelled wallpaper colour", [&] { form.cmdWallpaperColor_Click(); });
    leaves("liturgical colours", [&] { form.chkUseLiturgicalColors->toggle(); });
    leaves("warning", [&] { form.chkWarnBeforeChanging->toggle(); });
    leaves("timeout box", [&] { form.chkWarningTimeOut->toggle(); });
    leaves("timeout text", [&] { form.txtWarnTimeOut->setText(QStringLiteral("12")); });
    leaves("element picked", [&] { form.optElement[frmOptions::kDayName]->setChecked(true); });
    leaves("cancelled font", [&] { form.cmdFont_Click(); });
    enables("cancelled text colour", [&] { form.cmdFontColor_Click(); });
    folderPicker = [&](frmSelectFolder &picker) { picker.cmdOk_Click(); };
    leaves("folder chosen", [&] { form.cmdBrowse_Click(); });
    enables("calendar switch", [&] { form.chkDisplayCalendar->toggle(); });

    // Cancelled dialogs changed no colour.
    EXPECT_EQ(form.Settings().SchedulerBackColor, -1);
    EXPECT_EQ(form.Settings().WallpaperColor, -1);
    EXPECT_EQ(ReportCount(), 0);
}

TEST_F(OptionsDialogTest, TheLiturgicalBoxAloneLeavesApplyOffButOkStillSavesIt)
{
    Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    frmOptions &form = Open();
    form.chkUseLiturgicalColors->setChecked(true);
    EXPECT_FALSE(form.cmdApply->isEnabled());
    form.cmdOk_Click();
    EXPECT_EQ(Stored("CalendarUseLiturgicalColors"), QLatin1String("1"));
}

TEST_F(OptionsDialogTest, CancelAfterApplyKeepsWhatApplyWroteAndExitsWithZero)
{
    Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    frmOptions &form = Open();
    form.chkDisplayScheduler->setChecked(true);
    form.cmdApply_Click();
    form.chkNoConflictChecking->setChecked(true);
    form.cmdCancel_Click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Stored("DisplaySchedulerOnStart"), QLatin1String("1"));
    EXPECT_EQ(Stored("CheckForConflicts"), QLatin1String("1"));
    EXPECT_EQ(form.ExitCode(), 0);
    EXPECT_FALSE(form.Fonts().MonthNameFont.has_value());   // released on unload
}

TEST_F(OptionsDialogTest, EnterIsNotOkWhileEscAndTheCloseBoxCancelWithNothingWritten)
{
    Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    frmOptions &form = Open();
    form.show();
    form.chkDisplayScheduler->setChecked(true);
    form.chkDisplayScheduler->setFocus();
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Stored("DisplaySchedulerOnStart"), QLatin1String("<none>"));
    EXPECT_EQ(form.ExitCode(), 1);

    frmOptions &again = Open();
    again.show();
    again.chkDisplayScheduler->setChecked(true);
    EXPECT_TRUE(again.close());
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(Stored("DisplaySchedulerOnStart"), QLatin1String("<none>"));
    EXPECT_EQ(again.ExitCode(), 1);
    EXPECT_TRUE(started.empty());
}

TEST_F(OptionsDialogTest, TimeoutEntriesAreCheckedWithTheirFourMessages)
{
    Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    Store("CalendarWarning", QStringLiteral("1"));
    Store("CalendarWarningTimeout", QStringLiteral("-1"));
    frmOptions &form = Open();
    EXPECT_TRUE(form.chkWarnBeforeChanging->isChecked());
    EXPECT_FALSE(form.chkWarningTimeOut->isChecked());
    EXPECT_FALSE(form.txtWarnTimeOut->isEnabled());

    form.chkWarningTimeOut->setChecked(true);
    EXPECT_EQ(form.txtWarnTimeOut->text(), QLatin1String("30"));
    form.txtWarnTimeOut->setText(QStringLiteral("a"));
    ASSERT_EQ(Notices(), QStringList{QStringLiteral("Invalid Entry|Entry must be a number greater than 0.")});
    EXPECT_EQ(form.txtWarnTimeOut->text(), QLatin1String("a"));   // left as typed

    const struct {
        const char *text;
        const char *notice;
    } leaving[] = {
        {"2.5", "Invalid Entry|Entry must be a whole number greater than 0."},
        {"0", "Invalid Entry|Warning timeout must be a number greater than 0."},
        {"-3", "Invalid Entry|Warning timeout must be a number greater than 0."},
        {"", "Required Entry|An entry for warning timeout is required."},
    };
    for (const auto &entry : leaving) {
        messages.clear();
        form.txtWarnTimeOut->setText(QString::fromUtf8(entry.text));
        EXPECT_FALSE(form.txtWarnTimeOut_Validate()) << entry.text;
        EXPECT_EQ(Notices(), QStringList{QString::fromUtf8(entry.notice)}) << entry.text;
        // OK checks the box first and stays open with nothing written.
        messages.clear();
        form.cmdOk_Click();
        EXPECT_EQ(Notices(), QStringList{QString::fromUtf8(entry.notice)}) << entry.text;
        EXPECT_EQ(Stored("CalendarWarningTimeout"), QLatin1String("-1")) << entry.text;
    }
    messages.clear();
    form.txtWarnTimeOut->setText(QStringLiteral("75"));
    EXPECT_TRUE(form.txtWarnTimeOut_Validate());
    form.cmdOk_Click();
    EXPECT_TRUE(Notices().isEmpty());
    EXPECT_EQ(Stored("CalendarWarningTimeout"), QLatin1String("75"));

    // Opened again: the stored value shows; unchecking the box empties it and saves -1.
    frmOptions &again = Open();
    EXPECT_EQ(again.txtWarnTimeOut->text(), QLatin1String("75"));
    again.chkWarningTimeOut->setChecked(false);
    EXPECT_TRUE(again.txtWarnTimeOut->text().isEmpty());
    again.cmdOk_Click();
    EXPECT_EQ(Stored("CalendarWarningTimeout"), QLatin1String("-1"));
    EXPECT_EQ(Stored("CalendarWarning"), QLatin1String("1"));
}

TEST_F(OptionsDialogTest, ATimeoutThatIsNoNumberIsReportedAndKeepsTheDialogOpenWithNothingWritten)
{
    Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    Store("CalendarWarning", QStringLiteral("1"));
    Store("CalendarWarningTimeout", QStringLiteral("45"));
    frmOptions &form = Open();
    form.show();
    form.chkDisplayScheduler->setChecked(true);
    form.txtWarnTimeOut->setText(QStringLiteral("ten"));
    form.cmdOk_Click();
    EXPECT_EQ(ReportsUnder(QStringLiteral("frmOptions.txtWarnTimeOut_Validate")), 1);
    EXPECT_EQ(ReportsUnder(QStringLiteral("frmOptions.SaveOptions")), 1);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.cmdApply->isEnabled());
    EXPECT_EQ(Stored("DisplaySchedulerOnStart"), QLatin1String("<none>"));
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(form.ExitCode(), 1);
}

TEST_F(OptionsDialogTest, AFailedCalendarStartIsShownAndTheSettingsStayWritten)
{
    Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    startResult = 53;
    frmOptions &form = Open();
    form.cmdOk_Click();
    ASSERT_EQ(Notices().size(), 1);
    EXPECT_TRUE(Notices()[0].startsWith(QStringLiteral("Quillon Error|Error starting program 'calendar'.\r\nExit code: 53\r\n"
                                                       "The file ")));
    EXPECT_EQ(Stored("DisplayCalendarOnDesktop"), QLatin1String("1"));
    EXPECT_EQ(form.ExitCode(), 0);
}

TEST_F(OptionsDialogTest, ADeletedPictureIsReportedWhileTheOtherPagesStillFill)
{
    const QString pictures = MakeFolder(QStringLiteral("pictures"), {});
    Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    Store("ImagesLocation", pictures);
    Store("WallpaperFile", pictures + QStringLiteral("/deleted.jpg"));
    Store("CalendarOrientation", QStringLiteral("4"));
    Store("CalendarUseLiturgicalColors", QStringLiteral("1"));
    frmOptions &form = Open();
    EXPECT_EQ(ReportsUnder(QStringLiteral("frmOptions.PopulateControls")), 1);
    EXPECT_EQ(ReportCount(), 1);
    EXPECT_EQ(form.lstImages->ListIndex(), -1);
    EXPECT_TRUE(form.optPosition[OptionsRules::kBottomRight]->isChecked());
    EXPECT_TRUE(form.chkUseLiturgicalColors->isChecked());
    form.cmdOk_Click();
    EXPECT_EQ(Stored("CalendarOrientation"), QLatin1String("4"));
    EXPECT_EQ(Stored("CalendarUseLiturgicalColors"), QLatin1String("1"));
}

TEST_F(OptionsDialogTest, LegibilityAndMonitorsCombosShowAndSaveTheirSettings)
{
    // Stored value -> shown; then choosing another one enables Apply and stores its value.
    const char *const keep = "Automatic, keep my colors";
    const struct {
        const char *key;
        const char *stored;
        const char *shown;
        const char *other;       // chosen
        const char *otherValue;  // and stored
        int count;
    } cases[] = {{"CalendarLegibility", "", keep, "Off", "Off", 3},
                 {"CalendarLegibility", "Off", "Off", "Automatic", "Automatic", 3},
                 {"CalendarLegibility", "off", "Off", keep, "AutomaticKeepColours", 3},
                 {"CalendarLegibility", "Automatic", "Automatic", keep, "AutomaticKeepColours", 3},
                 {"CalendarLegibility", "nonsense", keep, "Automatic", "Automatic", 3},
                 {"CalendarMonitors", "", "Primary", "All", "All", 2},
                 {"CalendarMonitors", "all", "All", "Primary", "Primary", 2},
                 {"CalendarMonitors", "2", "Primary", "All", "All", 2}};
    for (const auto &c : cases) {
        Store(c.key, QLatin1String(c.stored));
        frmOptions &form = Open();
        const bool legibility = qstrcmp(c.key, "CalendarLegibility") == 0;
        QComboBox *combo = legibility ? form.cboLegibility : form.cboMonitors;
        EXPECT_EQ(combo->currentText(), QLatin1String(c.shown)) << c.key << c.stored;
        EXPECT_EQ(combo->count(), c.count);
        EXPECT_FALSE(form.cmdApply->isEnabled());
        combo->setCurrentText(QLatin1String(c.other));
        legibility ? form.cboLegibility_Click() : form.cboMonitors_Click();
        EXPECT_TRUE(form.cmdApply->isEnabled());
        form.cmdOk_Click();
        EXPECT_EQ(Stored(c.key), QLatin1String(c.otherValue)) << c.key << c.stored;
    }
}

TEST_F(OptionsDialogTest, WeekStartShowsTheStoredDayAndSavesTheChosenOne)
{
    const struct {
        const char *stored;
        int shown;           // Locale, Sunday, Monday, Saturday
        int chosen;
        const char *saved;
    } cases[] = {{nullptr, 0, 2, "Monday"}, {"saturday", 3, 0, "Locale"}, {"Friday", 0, 1, "Sunday"}};
    for (const auto &c : cases) {
        if (c.stored)
            Store("WeekStartsOn", QLatin1String(c.stored));
        frmOptions &form = Open();
        EXPECT_EQ(form.cboWeekStart->currentIndex(), c.shown) << (c.stored ? c.stored : "none");
        EXPECT_EQ(form.cboWeekStart->itemText(0), QStringLiteral("As in my region (Sunday)"));
        form.cboWeekStart->setCurrentIndex(c.chosen);
        form.cboWeekStart_Click();
        EXPECT_TRUE(form.cmdApply->isEnabled());
        form.cmdOk_Click();
        EXPECT_EQ(Stored("WeekStartsOn"), QLatin1String(c.saved));
    }
}

TEST_F(OptionsDialogTest, RemindMeOfEventsIsOnUnlessAZeroIsStoredAndIsSavedAsOneOrZero)
{
    const struct {
        const char *stored;
        bool shown;
    } cases[] = {{nullptr, true}, {"0", false}, {"1", true}, {"yes", true}};
    for (const auto &c : cases) {
        if (c.stored)
            Store("RemindMeOfEvents", QLatin1String(c.stored));
        frmOptions &form = Open();
        EXPECT_EQ(form.chkRemindOfEvents->isChecked(), c.shown) << (c.stored ? c.stored : "none");
        EXPECT_EQ(form.chkRemindOfEvents->text(), QStringLiteral("&Remind me of events"));
        form.chkRemindOfEvents->setChecked(!c.shown);
        EXPECT_TRUE(form.cmdApply->isEnabled());
        form.cmdOk_Click();
        EXPECT_EQ(Stored("RemindMeOfEvents"), c.shown ? QStringLiteral("0") : QStringLiteral("1"));
    }
}

TEST_F(OptionsDialogTest, GarbageInEveryValueOpensWithTheDefaultsAndSavesCleanValues)
{
    for (const char *name :
         {"SchedulerBackColor", "SchedulerDurationFillColor", "DisplayCalendarOnDesktop", "WallpaperColor",
          "ChangeWallpaper", "CalendarOrientation", "DisplaySchedulerOnStart", "DisplaySchedulerOnce",
          "CheckForConflicts", "CalendarWarning", "CalendarWarningTimeout", "CalendarUseLiturgicalColors",
          "MonthNameFont", "MonthNameColor", "DayNameFont", "DayNameColor", "DayNumberFont", "DayNumberColor",
          "AllDayEventsFont", "AllDayEventsColor", "DayEventsFont", "DayEventsColor", "CurrentDayColor"})
        Store(name, QStringLiteral("#%?garbage,x,y"));
    frmOptions &form = Open();
    EXPECT_GE(ReportCount(), 1);
    // Only a zero switches the desktop calendar off: text that is no number leaves it on.
    EXPECT_TRUE(form.chkDisplayCalendar->isChecked());
    EXPECT_FALSE(form.chkNoConflictChecking->isChecked());
    EXPECT_EQ(form.cboChangeWallpaper->currentText(), QLatin1String("Do Not Change"));
    form.cmdOk_Click();
    EXPECT_TRUE(form.isHidden());
    const std::map<const char *, const char *> clean = {
        {"SchedulerBackColor", "-1"},        {"SchedulerDurationFillColor", "-1"},
        {"DisplayCalendarOnDesktop", "1"},   {"WallpaperColor", "-1"},
        {"ChangeWallpaper", "Do Not Change"}, {"DisplaySchedulerOnStart", "0"},
        {"DisplaySchedulerOnce", "0"},       {"CheckForConflicts", "1"},
        {"CalendarWarning", "0"},            {"CalendarWarningTimeout", "-1"},
        {"CalendarUseLiturgicalColors", "0"}, {"MonthNameFont", "MS Sans Serif,14,-1,0,0,0"},
        {"DayEventsFont", "MS Sans Serif,8,0,0,0,0"}, {"MonthNameColor", "0"},
        {"CurrentDayColor", "0"}};
    for (const auto &[name, value] : clean)
        EXPECT_EQ(Stored(name), QLatin1String(value)) << name;
    // The orientation text is stored as written; what it selects is saved as a code.
    EXPECT_TRUE(OptionsRules::PositionFromCode(Stored("CalendarOrientation")) >= 0);
}

} // namespace optionstest

} // namespace quillon
