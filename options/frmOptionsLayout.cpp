// Building the options window: the four pages with their captions and tips, the
// buttons, and the wiring of every control to its handler.
#include "frmOptions.h"

#include "CalendarPreview.h"
#include "ImageFileList.h"
#include "OptionsRules.h"
#include "OptionsTexts.h"
#include "OrientationPictures.h"
#include "basLocale.h"
#include "views/DayView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace quillon {

namespace {
using namespace OptionsTexts;

constexpr int kImageListWidthTwips = 2300;
constexpr int kImageListHeightTwips = 2800;
constexpr int kTimeoutBoxWidthTwips = 700;
// 480 pixels at 96 DPI: wide enough to judge the month over the picture.
constexpr int kCalendarPreviewWidthTwips = 7200;
constexpr int kPreviewSlots = 9;           // 8:00 AM to the sample event's end
constexpr int kWarningIndent = 20;         // pixels: the timeout row sits under the warning box

QString Text(const char *text) { return Tr(text); }

// The controls kept in arrays carry their own names as object names.
constexpr const char *kElementOptionNames[] = {"optMonthName",   "optDayName",   "optDayNumber",
                                               "optAllDayEvent", "optDayEvents", "optCurrentDay"};
constexpr const char *kPositionOptionNames[] = {"optCenter",     "optTopLeft",     "optTopRight",
                                                "optBottomLeft", "optBottomRight", "optFullScreen"};
constexpr const char *kPositionPictureNames[] = {"imgCenter",     "imgTopLeft",     "imgTopRight",
                                                 "imgBottomLeft", "imgBottomRight", "imgFullScreen"};

QCheckBox *CheckBox(const char *caption, const char *tip, QWidget *parent)
{
    auto *box = new QCheckBox(Text(caption), parent);
    if (tip)
        box->setToolTip(Text(tip));
    return box;
}

QPushButton *Button(const char *caption, const char *tip, QWidget *parent)
{
    auto *button = new QPushButton(Text(caption), parent);
    button->setAutoDefault(false);
    if (tip)
        button->setToolTip(Text(tip));
    return button;
}
} // namespace

int frmOptions::Twips(int twips) const
{
    return static_cast<int>(std::lround(twips * m_environment.logicalDpi / 1440.0));
}

void frmOptions::BuildWindow()
{
    setWindowTitle(Text(kCaption));

    SSTab1 = new QTabWidget(this);
    SSTab1->addTab(BuildGeneralPage(), Text(kPageGeneral));
    SSTab1->addTab(BuildWallpaperPage(), Text(kPageWallpaper));
    SSTab1->addTab(BuildFontsPage(), Text(kPageFonts));
    SSTab1->addTab(BuildOrientationPage(), Text(kPageOrientation));

    // OK is not the Enter key's button; Esc is Cancel (reject).
    cmdOk = Button(kOk, nullptr, this);
    cmdCancel = Button(kCancel, nullptr, this);
    cmdApply = Button(kApply, nullptr, this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply);

    // The preview stands beside the pages, level with their contents.
    picCalendar = new CalendarPreview(Twips(kCalendarPreviewWidthTwips), this);
    picCalendar->setObjectName(QStringLiteral("picCalendar"));
    picCalendar->setToolTip(Text(kCalendarPreviewTip));
    // Its caption stands level with the tabs.
    picCalendar->lblPreview->setText(Text(kCalendarPreview));
    picCalendar->lblPreview->setFixedHeight(SSTab1->tabBar()->sizeHint().height() + 8);
    auto *previewColumn = new QVBoxLayout;
    previewColumn->addWidget(picCalendar);
    previewColumn->addStretch(1);
    // The pages and the preview scroll where the screen is smaller than they are (a scale
    // factor of 2 on a laptop); OK and Cancel stay in sight below them.
    auto *content = new QWidget;
    auto *pages = new QHBoxLayout(content);
    pages->setContentsMargins(0, 0, 0, 0);
    pages->addWidget(SSTab1, 1);
    pages->addLayout(previewColumn);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrPages"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    ConnectHandlers();
    // Sized with the preview showing, so that turning to its pages does not grow the window;
    // a scroll area alone would ask for less than its pages.
    const QMargins margins = layout->contentsMargins();
    resize(QSize(std::max(content->sizeHint().width(), buttons->sizeHint().width()),
                 content->sizeHint().height() + layout->spacing() + buttons->sizeHint().height())
           + QSize(margins.left() + margins.right(), margins.top() + margins.bottom()));
    SSTab1_Click();
}

QWidget *frmOptions::BuildGeneralPage()
{
    auto *page = new QWidget;

    fraSchedulerOptions = new QGroupBox(Text(kSchedulerOptions), page);
    chkDisplayScheduler = CheckBox(kDisplayScheduler, kDisplaySchedulerTip, fraSchedulerOptions);
    chkDisplayOnce = CheckBox(kDisplayOnce, kDisplayOnceTip, fraSchedulerOptions);
    chkNoConflictChecking = CheckBox(kNoConflictChecking, kNoConflictCheckingTip, fraSchedulerOptions);
    chkRemindOfEvents = CheckBox(kRemindOfEvents, kRemindOfEventsTip, fraSchedulerOptions);
    chkRemindOfEvents->setObjectName(QStringLiteral("chkRemindOfEvents"));
    auto *schedulerLayout = new QVBoxLayout(fraSchedulerOptions);
    schedulerLayout->addWidget(chkDisplayScheduler);
    schedulerLayout->addWidget(chkDisplayOnce);
    schedulerLayout->addWidget(chkNoConflictChecking);
    schedulerLayout->addWidget(chkRemindOfEvents);
    cboWeekStart = new QComboBox(fraSchedulerOptions); // a list: no typing
    cboWeekStart->setObjectName(QStringLiteral("cboWeekStart"));
    // Shown in the user's words, stored as fixed values.
    const QLocale shown = basLocale::ShownLocale();
    cboWeekStart->addItem(Text(kWeekStartLocale).arg(shown.standaloneDayName(shown.firstDayOfWeek())),
                          QLatin1String(basLocale::kWeekStartsOnLocale));
    for (const auto &[day, value] : {std::pair{Qt::Sunday, basLocale::kWeekStartsOnSunday},
                                     std::pair{Qt::Monday, basLocale::kWeekStartsOnMonday},
                                     std::pair{Qt::Saturday, basLocale::kWeekStartsOnSaturday}})
        cboWeekStart->addItem(shown.standaloneDayName(day), QLatin1String(value));
    cboWeekStart->setToolTip(Text(kWeekStartTip));
    lblWeekStart = new QLabel(Text(kWeekStart), fraSchedulerOptions);
    lblWeekStart->setBuddy(cboWeekStart);
    auto *weekStart = new QHBoxLayout;
    weekStart->addWidget(lblWeekStart);
    weekStart->addWidget(cboWeekStart);
    weekStart->addStretch(1);
    schedulerLayout->addLayout(weekStart);
    schedulerLayout->addStretch(1);

    fraSchedulerColors = new QGroupBox(Text(kSchedulerColors), page);
    cmdBackgroundColor = Button(kBackgroundColor, kBackgroundColorTip, fraSchedulerColors);
    cmdEventColor = Button(kEventColor, kEventColorTip, fraSchedulerColors);
    SSDay = new DayView(fraSchedulerColors);
    SSDay->setToolTip(Text(kPreviewTip));
    SSDay->setFocusPolicy(Qt::NoFocus);
    SSDay->setMinimumHeight(SSDay->SlotRect(0).height() * kPreviewSlots + 2 * SSDay->frameWidth());
    auto *colorButtons = new QHBoxLayout;
    colorButtons->addWidget(cmdBackgroundColor);
    colorButtons->addWidget(cmdEventColor);
    colorButtons->addStretch(1);
    auto *colorsLayout = new QVBoxLayout(fraSchedulerColors);
    colorsLayout->addLayout(colorButtons);
    colorsLayout->addWidget(SSDay, 1);

    fraCalendar = new QGroupBox(Text(kDesktopCalendar), page);
    chkDisplayCalendar = CheckBox(kDisplayCalendar, kDisplayCalendarTip, fraCalendar);
    chkWarnBeforeChanging = CheckBox(kWarnBeforeChanging, nullptr, fraCalendar);
    chkWarningTimeOut = CheckBox(kWarningTimeOut, nullptr, fraCalendar);
    txtWarnTimeOut = new QLineEdit(fraCalendar);
    txtWarnTimeOut->setFixedWidth(std::max(Twips(kTimeoutBoxWidthTwips), txtWarnTimeOut->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12));
    txtWarnTimeOut->setAlignment(Qt::AlignRight);
    updWarnTimeOut = new QWidget(fraCalendar);
    updWarnTimeOutUp = new QToolButton(updWarnTimeOut);
    updWarnTimeOutUp->setArrowType(Qt::UpArrow);
    updWarnTimeOutDown = new QToolButton(updWarnTimeOut);
    updWarnTimeOutDown->setArrowType(Qt::DownArrow);
    for (QToolButton *arrow : {updWarnTimeOutUp, updWarnTimeOutDown}) {
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setFixedSize(txtWarnTimeOut->sizeHint().height(), txtWarnTimeOut->sizeHint().height() / 2);
    }
    auto *arrows = new QVBoxLayout(updWarnTimeOut);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(updWarnTimeOutUp);
    arrows->addWidget(updWarnTimeOutDown);
    lblWarnTimeOutMinutes = new QLabel(Text(kSeconds), fraCalendar);

    auto *timeoutRow = new QHBoxLayout;
    timeoutRow->addSpacing(kWarningIndent);
    timeoutRow->addWidget(chkWarningTimeOut);
    timeoutRow->addWidget(txtWarnTimeOut);
    timeoutRow->addSpacing(0);
    timeoutRow->addWidget(updWarnTimeOut);
    timeoutRow->addWidget(lblWarnTimeOutMinutes);
    timeoutRow->addStretch(1);
    auto *calendarLayout = new QVBoxLayout(fraCalendar);
    calendarLayout->addWidget(chkDisplayCalendar);
    calendarLayout->addWidget(chkWarnBeforeChanging);
    calendarLayout->addLayout(timeoutRow);
    calendarLayout->addStretch(1);

    auto *layout = new QGridLayout(page);
    layout->addWidget(fraSchedulerOptions, 0, 0);
    layout->addWidget(fraCalendar, 1, 0);
    layout->addWidget(fraSchedulerColors, 0, 1, 2, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    return page;
}

QWidget *frmOptions::BuildWallpaperPage()
{
    auto *page = new QWidget;

    fraImages = new QGroupBox(Text(kImages), page);
    lstImages = new ImageFileList(fraImages);
    lstImages->setToolTip(Text(kImagesTip));
    lstImages->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);   // the three-dimensional border
    lstImages->setFixedSize(Twips(kImageListWidthTwips), Twips(kImageListHeightTwips));

    // The square preview: the picture stretched over the box, or the plain swatch.
    picWallpaper = new QFrame(fraImages);
    picWallpaper->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    picWallpaper->setFixedSize(Twips(kImageListHeightTwips), Twips(kImageListHeightTwips));
    imgWallpaper = new QLabel(picWallpaper);
    imgWallpaper->setScaledContents(true);
    lblWallpaper = new QLabel(picWallpaper);
    lblWallpaper->setAutoFillBackground(true);
    auto *preview = new QGridLayout(picWallpaper);
    preview->setContentsMargins(picWallpaper->frameWidth(), picWallpaper->frameWidth(), picWallpaper->frameWidth(),
                                picWallpaper->frameWidth());
    preview->addWidget(imgWallpaper, 0, 0);
    preview->addWidget(lblWallpaper, 0, 0);

    cmdWallpaperColor = Button(kWallpaperColor, kWallpaperColorTip, fraImages);
    cmdBrowse = Button(kBrowse, kBrowseTip, fraImages);
    auto *imageButtons = new QVBoxLayout;
    imageButtons->addWidget(cmdWallpaperColor);
    imageButtons->addWidget(cmdBrowse);
    imageButtons->addStretch(1);
    auto *imagesLayout = new QHBoxLayout(fraImages);
    imagesLayout->addWidget(lstImages);
    imagesLayout->addWidget(picWallpaper);
    imagesLayout->addLayout(imageButtons);
    imagesLayout->addStretch(1);

    fraLocation = new QGroupBox(Text(kLocation), page);
    txtImagesFolder = new QLineEdit(fraLocation);
    (new QVBoxLayout(fraLocation))->addWidget(txtImagesFolder);

    fraChangeWallpaper = new QGroupBox(Text(kChangeWallpaper), page);
    cboChangeWallpaper = new QComboBox(fraChangeWallpaper);   // a list: no typing
    cboChangeWallpaper->setToolTip(Text(kChangeWallpaperTip));
    (new QVBoxLayout(fraChangeWallpaper))->addWidget(cboChangeWallpaper);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(fraLocation, 3);
    bottom->addWidget(fraChangeWallpaper, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(fraImages);
    layout->addLayout(bottom);
    layout->addStretch(1);
    return page;
}

QWidget *frmOptions::BuildFontsPage()
{
    auto *page = new QWidget;

    Frame1 = new QGroupBox(page);
    auto *options = new QVBoxLayout(Frame1);
    for (int i = 0; i < kElementCount; ++i) {
        optElement[i] = new QRadioButton(Text(kElements[i].caption), Frame1);
        optElement[i]->setToolTip(Text(kElements[i].tip));
        optElement[i]->setObjectName(QLatin1String(kElementOptionNames[i]));
        options->addWidget(optElement[i]);
    }
    options->addStretch(1);

    cmdFont = Button(kFont, kFontTip, page);
    cmdFontColor = Button(kFontColor, kFontColorTip, page);
    auto *fontButtons = new QVBoxLayout;
    fontButtons->addWidget(cmdFont);
    fontButtons->addWidget(cmdFontColor);
    fontButtons->addStretch(1);

    auto *samples = new QVBoxLayout;
    for (int i = 0; i < kSampleCount; ++i) {
        lblSample[i] = new QLabel(Text(kSampleTexts[i]), page);
        lblSample[i]->setObjectName(QStringLiteral("lblSample%1").arg(i));
        lblSample[i]->setFrameShape(QFrame::NoFrame);
        lblSample[i]->setLineWidth(1);
        lblSample[i]->setMargin(2);
        lblSample[i]->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
        samples->addWidget(lblSample[i], 0, Qt::AlignLeft);
    }
    samples->addStretch(1);

    chkUseLiturgicalColors = CheckBox(kUseLiturgicalColors, nullptr, page);
    cboLegibility = new QComboBox(page);   // a list: no typing
    // Shown as the user reads them, stored as the renderer's values.
    for (const auto &[caption, value] : kLegibilityChoices)
        cboLegibility->addItem(Text(caption), QLatin1String(value));
    cboLegibility->setToolTip(Text(kLegibilityTip));
    lblLegibility = new QLabel(Text(kLegibility), page);
    lblLegibility->setBuddy(cboLegibility);
    auto *legibility = new QHBoxLayout;
    legibility->addWidget(lblLegibility);
    legibility->addWidget(cboLegibility);
    legibility->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addWidget(Frame1, 0, Qt::AlignTop);
    top->addLayout(fontButtons);
    top->addSpacing(12);
    top->addLayout(samples, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(chkUseLiturgicalColors);
    layout->addLayout(legibility);
    layout->addStretch(1);
    return page;
}

QWidget *frmOptions::BuildOrientationPage()
{
    auto *page = new QWidget;
    Frame2 = new QGroupBox(page);
    auto *grid = new QGridLayout(Frame2);
    // Laid out as they sit on the screen: top corners, centre and full, bottom corners.
    struct Cell {
        int position, row, column;
    };
    const Cell cells[] = {{OptionsRules::kTopLeft, 0, 0},    {OptionsRules::kTopRight, 0, 1},
                          {OptionsRules::kCenter, 1, 0},     {OptionsRules::kFullScreen, 1, 1},
                          {OptionsRules::kBottomLeft, 2, 0}, {OptionsRules::kBottomRight, 2, 1}};
    const qreal ratio = devicePixelRatioF();
    for (const Cell &cell : cells) {
        const int p = cell.position;
        optPosition[p] = new QRadioButton(Text(kPositions[p].caption), Frame2);
        optPosition[p]->setToolTip(Text(kPositions[p].tip));
        optPosition[p]->setObjectName(QLatin1String(kPositionOptionNames[p]));
        imgPosition[p] = new QLabel(Frame2);
        imgPosition[p]->setPixmap(OrientationPictures::Picture(p, ratio));
        imgPosition[p]->setToolTip(Text(kPositions[p].tip));
        imgPosition[p]->setObjectName(QLatin1String(kPositionPictureNames[p]));
        auto *row = new QHBoxLayout;
        row->addWidget(imgPosition[p]);
        row->addSpacing(6);
        row->addWidget(optPosition[p]);
        row->addStretch(1);
        grid->addLayout(row, cell.row, cell.column);
    }
    grid->setHorizontalSpacing(40);
    grid->setVerticalSpacing(16);
    cboMonitors = new QComboBox(page); // a list: no typing
    cboMonitors->addItem(Text(kMonitorsPrimaryCaption), QLatin1String(basQuillon::kMonitorsPrimary));
    cboMonitors->addItem(Text(kMonitorsAllCaption), QLatin1String(basQuillon::kMonitorsAll));
    cboMonitors->setToolTip(Text(kMonitorsTip));
    lblMonitors = new QLabel(Text(kMonitors), page);
    lblMonitors->setBuddy(cboMonitors);
    auto *monitors = new QHBoxLayout;
    monitors->addWidget(lblMonitors);
    monitors->addWidget(cboMonitors);
    monitors->addStretch(1);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(Frame2);
    layout->addSpacing(8);
    layout->addLayout(monitors);
    layout->addStretch(1);
    return page;
}

void frmOptions::ConnectHandlers()
{
    connect(cmdOk, &QPushButton::clicked, this, &frmOptions::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);

    // A box's click event is its change of state, by the user or by the filling.
    connect(chkDisplayScheduler, &QCheckBox::toggled, this, &frmOptions::chkDisplayScheduler_Click);
    connect(chkDisplayOnce, &QCheckBox::toggled, this, &frmOptions::chkDisplayOnce_Click);
    connect(chkNoConflictChecking, &QCheckBox::toggled, this, &frmOptions::chkNoConflictChecking_Click);
    connect(chkRemindOfEvents, &QCheckBox::toggled, this, &frmOptions::chkNoConflictChecking_Click);
    connect(cmdBackgroundColor, &QPushButton::clicked, this, &frmOptions::cmdBackgroundColor_Click);
    connect(cmdEventColor, &QPushButton::clicked, this, &frmOptions::cmdEventColor_Click);
    connect(chkDisplayCalendar, &QCheckBox::toggled, this, &frmOptions::chkDisplayCalendar_Click);
    connect(chkWarnBeforeChanging, &QCheckBox::toggled, this, &frmOptions::chkWarnBeforeChanging_Click);
    connect(chkWarningTimeOut, &QCheckBox::toggled, this, &frmOptions::chkWarningTimeOut_Click);
    connect(txtWarnTimeOut, &QLineEdit::textChanged, this, &frmOptions::txtWarnTimeOut_Change);
    txtWarnTimeOut->installEventFilter(this);
    connect(updWarnTimeOutUp, &QToolButton::clicked, this,
            [this] { txtWarnTimeOut->setText(OptionsRules::StepTimeout(txtWarnTimeOut->text(), 1)); });
    connect(updWarnTimeOutDown, &QToolButton::clicked, this,
            [this] { txtWarnTimeOut->setText(OptionsRules::StepTimeout(txtWarnTimeOut->text(), -1)); });

    connect(lstImages, &ImageFileList::Click, this, &frmOptions::lstImages_Click);
    connect(cmdWallpaperColor, &QPushButton::clicked, this, &frmOptions::cmdWallpaperColor_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmOptions::cmdBrowse_Click);
    connect(cboChangeWallpaper, &QComboBox::activated, this, &frmOptions::cboChangeWallpaper_Click);
    for (int p = 0; p < OptionsRules::kPositionCount; ++p)
        connect(optPosition[p], &QRadioButton::toggled, this, [this, p](bool on) {
            if (on)
                optPosition_Click(p);
        });

    for (int i = 0; i < kElementCount; ++i)
        connect(optElement[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optElement_Click(i);
        });
    connect(cmdFont, &QPushButton::clicked, this, &frmOptions::cmdFont_Click);
    connect(cmdFontColor, &QPushButton::clicked, this, &frmOptions::cmdFontColor_Click);
    connect(chkUseLiturgicalColors, &QCheckBox::toggled, this, &frmOptions::chkUseLiturgicalColors_Click);
    connect(cboLegibility, &QComboBox::activated, this, &frmOptions::cboLegibility_Click);
    connect(cboMonitors, &QComboBox::activated, this, &frmOptions::cboMonitors_Click);
    connect(cboWeekStart, &QComboBox::activated, this, &frmOptions::cboWeekStart_Click);
    // The liturgical box changes no Apply state, but it changes the drawing.
    connect(chkUseLiturgicalColors, &QCheckBox::toggled, this, &frmOptions::RequestPreview);
    connect(SSTab1, &QTabWidget::currentChanged, this, &frmOptions::SSTab1_Click);
}

} // namespace quillon
