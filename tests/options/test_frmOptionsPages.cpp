// The pages' own behaviour: the wallpaper's three states, the scheduler colours, the
// warning controls and the fonts and colours samples.
#include "ImageFileList.h"
#include "OptionsFixture.h"
#include "basColor.h"
#include "frmSelectFolder.h"
#include "views/DayView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>

#include <utility>
#include <vector>

namespace quillon {

namespace optionstest {

class OptionsPagesTest : public OptionsTest {
protected:
    void SetUp() override
    {
        OptionsTest::SetUp();
        Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    }
    static std::int32_t LabelColor(const QLabel *label)
    {
        return basColor::FromQColor(label->palette().color(QPalette::WindowText));
    }
    std::vector<std::int32_t> SampleColors() const
    {
        std::vector<std::int32_t> colors;
        for (const QLabel *label : m_form->lblSample)
            colors.push_back(LabelColor(label));
        return colors;
    }
    int FramedSample() const
    {
        int framed = -1;
        for (int i = 0; i < frmOptions::kSampleCount; ++i)
            if (m_form->lblSample[i]->frameShape() == QFrame::Box)
                framed = framed == -1 ? i : -2;
        return framed;
    }
};

TEST_F(OptionsPagesTest, WallpaperMovesBetweenPictureColourAndFolderStates)
{
    const QString pictures = MakeFolder(QStringLiteral("pictures"), {QStringLiteral("b.gif")});
    MakePicture(pictures + QStringLiteral("/a.jpg"), Qt::green);
    Store("ImagesLocation", pictures);
    Store("WallpaperColor", QStringLiteral("255"));
    frmOptions &form = Open();

    // Colour state: swatch shown, the list, folder box and rotation off.
    EXPECT_FALSE(form.lblWallpaper->isHidden());
    EXPECT_TRUE(form.imgWallpaper->isHidden());
    EXPECT_FALSE(form.lstImages->isEnabled());
    EXPECT_FALSE(form.txtImagesFolder->isEnabled());
    EXPECT_FALSE(form.cboChangeWallpaper->isEnabled());
    EXPECT_TRUE(form.cmdBrowse->isEnabled());
    ASSERT_EQ(form.lstImages->ListCount(), 2);

    // Browse and OK: the list and folder are back, the colour stays until a picture is picked.
    const QString other = MakeFolder(QStringLiteral("other"), {QStringLiteral("broken.jpg")});
    MakePicture(other + QStringLiteral("/c.bmp"), Qt::cyan);
    QString pickerStart;
    folderPicker = [&](frmSelectFolder &picker) {
        pickerStart = picker.FolderName();
        picker.txtFolderName->setText(other);
        picker.cmdOk_Click();
    };
    form.txtImagesFolder->setText(QStringLiteral("typed but not saved"));
    form.cmdBrowse_Click();
    EXPECT_EQ(pickerStart, QDir::toNativeSeparators(pictures));   // the stored folder, not the box
    WaitForImageList();
    EXPECT_TRUE(form.lstImages->isEnabled());
    EXPECT_TRUE(form.cboChangeWallpaper->isEnabled());
    EXPECT_EQ(form.txtImagesFolder->text(), other);
    EXPECT_EQ(form.lstImages->ListCount(), 2);
    EXPECT_EQ(form.Settings().WallpaperColor, 255);
    EXPECT_FALSE(form.cmdApply->isEnabled());

    // A file that is no picture is reported and changes nothing.
    form.lstImages->setCurrentIndex(form.lstImages->model()->index(0, 0));
    EXPECT_EQ(ReportsUnder(QStringLiteral("frmOptions.lstImages_Click")), 1);
    EXPECT_EQ(form.Settings().WallpaperColor, 255);
    EXPECT_FALSE(form.cmdApply->isEnabled());

    // Picture state: picked from the list, the colour goes.
    form.lstImages->setCurrentIndex(form.lstImages->model()->index(1, 0));
    EXPECT_EQ(form.Settings().WallpaperFile, QDir::toNativeSeparators(other + QStringLiteral("/c.bmp")));
    EXPECT_EQ(form.Settings().WallpaperColor, -1);
    EXPECT_FALSE(form.imgWallpaper->isHidden());
    EXPECT_TRUE(form.lblWallpaper->isHidden());
    EXPECT_TRUE(form.cmdApply->isEnabled());

    // A colour accepted: the picture is dropped.
    colorAnswers.push_back(QColor(0, 0, 128));
    form.cmdWallpaperColor_Click();
    EXPECT_EQ(form.Settings().WallpaperFile, QString());
    EXPECT_EQ(form.Settings().WallpaperColor, 128 * 65536);
    EXPECT_FALSE(form.lstImages->isEnabled());
    form.cmdOk_Click();
    EXPECT_EQ(Stored("ImagesLocation"), other);
    EXPECT_EQ(Stored("WallpaperFile"), QLatin1String("<none>"));   // empty reads as absent
    EXPECT_EQ(Stored("WallpaperColor"), QString::number(128 * 65536));
}

TEST_F(OptionsPagesTest, APictureClickedWithTheMouseIsTakenAndItsPeriodStartsThatDay)
{
    const QString pictures = MakeFolder(QStringLiteral("pictures"), {});
    MakePicture(pictures + QStringLiteral("/a.bmp"), Qt::red);
    const QString chosen = QDir::toNativeSeparators(MakePicture(pictures + QStringLiteral("/b.bmp"), Qt::blue));
    Store("ImagesLocation", pictures);
    Store("WallpaperFile", pictures + QStringLiteral("/a.bmp"));
    Store("ChangeWallpaper", QStringLiteral("Daily"));
    frmOptions &form = Open();
    form.SSTab1->setCurrentIndex(frmOptions::kWallpaperPage);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    // Saving the picture it opened with starts no period.
    form.cmdApply_Click();
    EXPECT_EQ(Stored("WallpaperChangedDate"), QLatin1String("<none>"));

    QListView *list = form.lstImages;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    EXPECT_EQ(form.lstImages->FileName(), QLatin1String("b.bmp"));
    EXPECT_EQ(form.Settings().WallpaperFile, chosen);
    const QImage preview = form.imgWallpaper->pixmap().toImage();
    EXPECT_EQ(preview.pixelColor(preview.rect().center()), QColor(Qt::blue));
    EXPECT_TRUE(form.cmdApply->isEnabled());
    form.cmdOk_Click();
    EXPECT_EQ(Stored("WallpaperFile"), chosen);
    EXPECT_EQ(Stored("WallpaperChangedDate"), QLatin1String("12/06/2026"));
    EXPECT_EQ(ReportCount(), 0);
}

TEST_F(OptionsPagesTest, ATypedFolderThatDoesNotExistIsReportedAndKeptInTheBox)
{
    frmOptions &form = Open();
    folderPicker = [](frmSelectFolder &picker) {
        picker.txtFolderName->setText(QStringLiteral("/no/such/folder"));
        picker.cmdOk_Click();
    };
    form.cmdBrowse_Click();
    WaitForImageList();
    EXPECT_EQ(ReportsUnder(QStringLiteral("frmOptions.cmdBrowse_Click")), 1);
    EXPECT_TRUE(messages.back().text.contains(QLatin1String("Line Number: \t60\r\n\r\nError Number: \t76\r\n")));
    EXPECT_EQ(form.txtImagesFolder->text(), QLatin1String("/no/such/folder"));
    EXPECT_EQ(form.lstImages->ListCount(), 0);
    EXPECT_TRUE(form.isEnabled());
}

TEST_F(OptionsPagesTest, TheStoredFolderAndPictureAreCheckedAfterTheDialogHasOpened)
{
    Store("ImagesLocation", TempPath(QStringLiteral("unplugged")));
    Store("WallpaperFile", MakePicture(TempPath(QStringLiteral("sun.jpg")), Qt::yellow));
    frmOptions &form = Load();
    // Neither has been looked at yet: a share that does not answer cannot hold the
    // dialog up. A colour chosen meanwhile is not undone by the late answer.
    EXPECT_EQ(ReportCount(), 0);
    colorAnswers.push_back(QColor(0, 0, 128));
    form.cmdWallpaperColor_Click();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(ReportsUnder(QStringLiteral("frmOptions.PopulateControls")), 1);
    EXPECT_TRUE(messages.back().text.contains(
        QLatin1String("Error Number: \t76\r\nError Description: \tPath not found")));
    EXPECT_TRUE(form.imgWallpaper->isHidden());
    EXPECT_FALSE(form.lblWallpaper->isHidden());
    EXPECT_EQ(ReportCount(), 1);
}

TEST_F(OptionsPagesTest, APictureOutsideTheFolderSelectsTheEntryOfTheSameName)
{
    const QString pictures = MakeFolder(QStringLiteral("pictures"), {QStringLiteral("sun.jpg")});
    const QString elsewhere = MakeFolder(QStringLiteral("elsewhere"), {});
    MakePicture(elsewhere + QStringLiteral("/sun.jpg"), Qt::yellow);
    Store("ImagesLocation", pictures);
    Store("WallpaperFile", elsewhere + QStringLiteral("/sun.jpg"));
    Store("ChangeWallpaper", QStringLiteral("Bi-weekly"));
    frmOptions &form = Open();
    EXPECT_EQ(form.lstImages->FileName(), QLatin1String("sun.jpg"));
    EXPECT_EQ(form.cboChangeWallpaper->currentText(), QLatin1String("Bi-weekly"));
    EXPECT_TRUE(form.cboChangeWallpaper->isEnabled());
    EXPECT_FALSE(form.imgWallpaper->isHidden());
    EXPECT_EQ(ReportCount(), 0);
}

TEST_F(OptionsPagesTest, SchedulerColoursShowOnThePreviewAndTheOnceBoxFollowsTheStartBox)
{
    Store("DisplaySchedulerOnStart", QStringLiteral("1"));
    Store("DisplaySchedulerOnce", QStringLiteral("1"));
    Store("SchedulerBackColor", QStringLiteral("65535"));
    frmOptions &form = Open();
    EXPECT_EQ(form.SSDay->BackColor(), 65535);
    ASSERT_EQ(form.SSDay->TaskCount(), 1);
    EXPECT_EQ(form.SSDay->TaskText(0), QLatin1String("Sample event"));

    colorAnswers.push_back(QColor(10, 20, 30));
    form.cmdEventColor_Click();
    EXPECT_EQ(form.SSDay->DurationBarFillColor(), 10 + 20 * 256 + 30 * 65536);
    EXPECT_EQ(colorDialogStarts.back(), basColor::ToQColor(-1));

    form.chkDisplayScheduler->setChecked(false);
    EXPECT_FALSE(form.chkDisplayOnce->isEnabled());
    EXPECT_TRUE(form.chkDisplayOnce->isChecked());
    form.cmdOk_Click();
    EXPECT_EQ(Stored("DisplaySchedulerOnce"), QLatin1String("0"));
    EXPECT_EQ(Stored("SchedulerBackColor"), QLatin1String("65535"));
    EXPECT_EQ(Stored("SchedulerDurationFillColor"), QString::number(10 + 20 * 256 + 30 * 65536));
}

TEST_F(OptionsPagesTest, WarningControlsFollowTheirBoxesAndTheCalendarSwitch)
{
    Store("CalendarWarning", QStringLiteral("1"));
    Store("CalendarWarningTimeout", QStringLiteral("90"));
    frmOptions &form = Open();
    EXPECT_TRUE(form.txtWarnTimeOut->isEnabled());
    EXPECT_TRUE(form.updWarnTimeOut->isEnabled());
    form.updWarnTimeOutUp->click();
    EXPECT_EQ(form.txtWarnTimeOut->text(), QLatin1String("91"));

    form.chkWarnBeforeChanging->setChecked(false);
    EXPECT_FALSE(form.chkWarningTimeOut->isEnabled());
    EXPECT_FALSE(form.chkWarningTimeOut->isChecked());
    EXPECT_TRUE(form.txtWarnTimeOut->text().isEmpty());
    EXPECT_FALSE(form.lblWarnTimeOutMinutes->isEnabled());

    form.chkWarnBeforeChanging->setChecked(true);
    form.chkDisplayCalendar->setChecked(false);
    form.chkDisplayCalendar->setChecked(true);
    EXPECT_TRUE(form.chkWarnBeforeChanging->isEnabled());
    EXPECT_FALSE(form.chkWarnBeforeChanging->isChecked());
    EXPECT_TRUE(Notices().isEmpty());
}

TEST_F(OptionsPagesTest, ElementSelectionFramesItsSampleAndEnablesTheRightButtons)
{
    frmOptions &form = Open();
    EXPECT_FALSE(form.cmdFont->isEnabled());
    EXPECT_FALSE(form.cmdFontColor->isEnabled());
    EXPECT_EQ(FramedSample(), -1);
    EXPECT_EQ(form.lblSample[3]->text(), QLatin1String("New Years Day"));

    form.optElement[frmOptions::kDayNumber]->setChecked(true);
    EXPECT_EQ(FramedSample(), frmOptions::kDayNumber);
    EXPECT_TRUE(form.cmdFont->isEnabled());
    EXPECT_TRUE(form.cmdFontColor->isEnabled());

    form.optElement[frmOptions::kCurrentDay]->setChecked(true);
    EXPECT_EQ(FramedSample(), -1);
    EXPECT_FALSE(form.cmdFont->isEnabled());
    EXPECT_TRUE(form.cmdFontColor->isEnabled());
    fontAnswers.push_back(QFont(QStringLiteral("DejaVu Serif"), 20));
    form.cmdFont_Click();   // no text element selected: nothing happens
    EXPECT_EQ(fontAnswers.size(), 1u);
    EXPECT_FALSE(form.cmdApply->isEnabled());

    // Liturgical colours on: Color goes off, and comes back only with the current day
    // selected anew after another element.
    form.chkUseLiturgicalColors->setChecked(true);
    EXPECT_FALSE(form.cmdFontColor->isEnabled());
    form.optElement[frmOptions::kMonthName]->setChecked(true);
    EXPECT_FALSE(form.cmdFontColor->isEnabled());
    form.optElement[frmOptions::kCurrentDay]->setChecked(true);
    EXPECT_TRUE(form.cmdFontColor->isEnabled());
}

TEST_F(OptionsPagesTest, ColoursRepaintOnlyTheirSamplesAndLiturgicalGreenPaintsThemAll)
{
    Store("DayNumberColor", QStringLiteral("255"));
    Store("CurrentDayColor", QStringLiteral("16711680"));
    Store("MonthNameColor", QStringLiteral("-1"));
    frmOptions &form = Open();
    const std::vector<std::int32_t> loaded = SampleColors();
    EXPECT_EQ(loaded[frmOptions::kDayNumber], 255);

    form.optElement[frmOptions::kDayNumber]->setChecked(true);
    colorAnswers.push_back(QColor(0, 255, 0));
    form.cmdFontColor_Click();
    std::vector<std::int32_t> expected = loaded;
    expected[frmOptions::kDayNumber] = 65280;
    EXPECT_EQ(SampleColors(), expected);

    form.optElement[frmOptions::kCurrentDay]->setChecked(true);
    EXPECT_EQ(SampleColors(), (std::vector<std::int32_t>{loaded[0], loaded[1], 16711680, 16711680, 16711680}));
    colorAnswers.push_back(QColor(0, 0, 64));
    form.cmdFontColor_Click();
    EXPECT_EQ(SampleColors(), (std::vector<std::int32_t>{loaded[0], loaded[1], 4194304, 4194304, 4194304}));

    // With the current day selected, only the month and day names turn green.
    form.chkUseLiturgicalColors->setChecked(true);
    EXPECT_EQ(SampleColors(), (std::vector<std::int32_t>{32768, 32768, 4194304, 4194304, 4194304}));
    form.optElement[frmOptions::kDayName]->setChecked(true);
    form.chkUseLiturgicalColors->setChecked(false);
    form.chkUseLiturgicalColors->setChecked(true);
    EXPECT_EQ(SampleColors(), (std::vector<std::int32_t>(5, 32768)));
    EXPECT_TRUE(form.cmdApply->isEnabled());   // from the colour buttons
    form.cmdOk_Click();
    EXPECT_EQ(Stored("DayNumberColor"), QLatin1String("65280"));
    EXPECT_EQ(Stored("CurrentDayColor"), QLatin1String("4194304"));
    EXPECT_EQ(Stored("MonthNameColor"), QLatin1String("-1"));
}

TEST_F(OptionsPagesTest, AChosenFontShowsWithItsFractionKeepsItsEffectsAndIsStoredWhole)
{
    Store("AllDayEventsFont", QStringLiteral("DejaVu Sans,8,0,0,1,1"));
    frmOptions &form = Open();
    form.optElement[frmOptions::kAllDayEvent]->setChecked(true);
    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSizeF(10.5);
    chosen.setBold(true);
    fontAnswers.push_back(chosen);
    form.cmdFont_Click();
    EXPECT_DOUBLE_EQ(form.lblSample[frmOptions::kAllDayEvent]->font().pointSizeF(), 10.5);
    EXPECT_TRUE(form.lblSample[frmOptions::kAllDayEvent]->font().bold());
    EXPECT_TRUE(form.cmdApply->isEnabled());
    form.cmdOk_Click();
    EXPECT_EQ(Stored("AllDayEventsFont"), QLatin1String("DejaVu Serif,10,-1,0,-1,-1"));
}

TEST_F(OptionsPagesTest, TheFontDialogOffersNoEffectsAndKeepsWhatTheUserLeftAsStored)
{
    systemFontDialog = true;
    frmOptions &form = Open();   // the month name in its default, a face missing here
    form.optElement[frmOptions::kMonthName]->setChecked(true);
    // Answers the real dialog once it is up: picks entries of its face (0), style (1)
    // and size (2) lists, then OK.
    bool effectsOffered = false;
    const auto answerDialog = [&](const std::vector<std::pair<int, QString>> &picks) {
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QFontDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll.stop();
            for (const QCheckBox *box : dialog->findChildren<QCheckBox *>())
                effectsOffered = effectsOffered || box->isVisible();
            for (const auto &[list, entry] : picks) {
                const QListView *view = dialog->findChildren<QListView *>().at(list);
                const QModelIndexList found = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole,
                                                                   entry, 1, Qt::MatchFixedString);
                EXPECT_EQ(found.size(), 1) << entry.toStdString();
                view->selectionModel()->setCurrentIndex(found.value(0), QItemSelectionModel::ClearAndSelect);
            }
            dialog->accept();
        });
        poll.start();
        form.cmdFont_Click();
        EXPECT_FALSE(poll.isActive()) << "no font dialog";
    };

    answerDialog({});
    EXPECT_FALSE(effectsOffered);
    form.cmdApply_Click();
    EXPECT_EQ(Stored("MonthNameFont"), QLatin1String("MS Sans Serif,14,-1,0,0,0"));
    // Only what the user picks is taken: a size alone, then a face and style.
    answerDialog({{2, QStringLiteral("20")}});
    form.cmdApply_Click();
    EXPECT_EQ(Stored("MonthNameFont"), QLatin1String("MS Sans Serif,20,-1,0,0,0"));
    answerDialog({{0, QStringLiteral("DejaVu Serif")}, {1, QStringLiteral("Italic")}});
    form.cmdOk_Click();
    EXPECT_EQ(Stored("MonthNameFont"), QLatin1String("DejaVu Serif,20,0,-1,0,0"));
    EXPECT_EQ(ReportCount(), 0);
}

} // namespace optionstest

} // namespace quillon
