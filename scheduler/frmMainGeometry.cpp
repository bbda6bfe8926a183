// The main window's controls and their places: the panes and splitters, the window's
// size and position kept between runs, and each pane's layout when it is resized.
#include "frmMain.h"

#include "DayCaptionLabel.h"
#include "basConvert.h"
#include "basOperation.h"
#include "RangePane.h"
#include "basRegistry.h"
#include "basWindowGeometry.h"
#include "frmMainParts.h"
#include "views/DayView.h"
#include "views/MonthView.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>

#include <optional>

namespace quillon {

using basOperation::Steps;
using namespace frmMainParts;

namespace {

QString StoredValue(const char *name)
{
    return basRegistry::GetRegistryString(basRegistry::HKEY_CURRENT_USER, basQuillon::GeneralKey(),
                                          QLatin1String(name), QString());
}

void SaveStoredValue(const char *name, std::int32_t value)
{
    basRegistry::SaveRegistryString(basRegistry::HKEY_CURRENT_USER, basQuillon::GeneralKey(), QLatin1String(name),
                                    QString::number(value));
}

// A stored size: nothing when the value is empty. A value that is not a whole number
// counts as empty and joins bad, for one report once the others are applied.
std::optional<std::int32_t> StoredNumber(int step, const char *name, basQuillon::BadValues &bad)
{
    const QString text = StoredValue(name);
    if (text.isEmpty())
        return std::nullopt;
    return bad.Take(step, name, text, [](const QString &value) { return std::optional(basConvert::ToInt32(value)); },
                    std::optional<std::int32_t>());
}

void SetFirstSize(QSplitter &splitter, int first)
{
    QList<int> sizes = splitter.sizes();
    int total = 0;
    for (int size : sizes)
        total += size;
    if (sizes.size() < 2 || total <= 0)
        return;
    // Neither pane is squeezed out of sight, whatever size was stored.
    auto least = [&](int index) {
        const QSize hint = splitter.widget(index)->minimumSizeHint();
        return std::max(kLeastPaneSize, splitter.orientation() == Qt::Horizontal ? hint.width() : hint.height());
    };
    const int low = std::min(least(0), total / 2);
    const int high = std::max(low, total - std::min(least(1), total / 2));
    first = std::clamp(first, low, high);
    splitter.setSizes({first, total - first});
}

} // namespace

void frmMain::BuildControls()
{
    auto named = [](QWidget *widget, const char *name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };

    m_panelA = named(new QWidget, "picPanelA");
    m_caption = new DayCaptionLabel(m_panelA);
    named(m_caption, "lblDayViewCaption");
    QFont captionFont(QLatin1String(kCaptionFontFamily), kCaptionFontPoints);
    captionFont.setBold(true);
    m_caption->setFont(captionFont);
    m_dayView = new DayView(m_panelA);
    named(m_dayView, "SSDay");

    m_fact = new QPlainTextEdit;
    named(m_fact, "txtFactOfTheDay");
    m_fact->setReadOnly(true);
    m_fact->setFont(QFont(QLatin1String(kFactFontFamily), kFactFontPoints));

    m_panelB = named(new QWidget, "picPanelB");
    m_monthView = new MonthView(m_panelB);
    named(m_monthView, "SSMonth");
    m_today = new QPushButton(tr("&Today"), m_panelB);
    named(m_today, "cmdToday");

    m_panelC = named(new QWidget, "picPanelC");
    m_notesLabel = new QLabel(tr("Notes:"), m_panelC);
    named(m_notesLabel, "lblNotes");
    m_notes = new QPlainTextEdit(m_panelC);
    named(m_notes, "txtNotes");

    m_left = new QSplitter(Qt::Vertical);
    m_left->setObjectName(QStringLiteral("Pane A over Pane D"));
    m_viewStack = new QStackedWidget;
    m_viewStack->setObjectName(QStringLiteral("Pane A views"));
    m_rangePane = new RangePane;
    m_rangePane->setObjectName(QStringLiteral("picRangeViews"));
    m_viewStack->addWidget(m_panelA);
    m_viewStack->addWidget(m_rangePane);
    m_left->addWidget(m_viewStack);
    m_left->addWidget(m_fact);
    m_right = new QSplitter(Qt::Vertical);
    m_right->setObjectName(QStringLiteral("Pane B over Pane C"));
    m_right->addWidget(m_panelB);
    m_right->addWidget(m_panelC);
    m_columns = new QSplitter(Qt::Horizontal);
    m_columns->setObjectName(QStringLiteral("SSSplitter"));
    m_columns->addWidget(m_left);
    m_columns->addWidget(m_right);
    for (QSplitter *splitter : {m_left, m_right, m_columns})
        splitter->setChildrenCollapsible(false);
    setCentralWidget(m_columns);

    for (QWidget *panel : {m_panelA, m_panelB, m_panelC})
        panel->installEventFilter(this);
    m_notes->installEventFilter(this);

    connect(m_monthView, &MonthView::DaySelected, this, &frmMain::SSMonth_DaySelected);
    connect(m_monthView, &MonthView::DisplayedMonthsChanged, this, &frmMain::SSMonth_DisplayedMonthsChanged);
    connect(m_dayView, &DayView::Click, this, &frmMain::SSDay_Click);
    connect(m_dayView, &DayView::DblClick, this, &frmMain::SSDay_DblClick);
    connect(m_dayView, &DayView::TaskDropped, this, [this](int task, QTime start, QTime end) {
        const QDate day = m_page.CurrentDate();
        RangeEventDropped(m_dayView->TaskTag(task), day, day, start, end);
    });
    connect(m_dayView, &DayView::MouseUp, this, &frmMain::SSDay_MouseUp);
    connect(m_dayView, &DayView::AddRequest, this, [this](QTime) { CreateNewEvent(); });
    connect(m_today, &QPushButton::clicked, this, &frmMain::Today);
}

double frmMain::TwipsPerPixel() const
{
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return basWindowGeometry::TwipsPerPixel(shown ? shown->logicalDotsPerInchY() : 96.0);
}

int frmMain::ToPixels(std::int32_t twips) const { return basWindowGeometry::TwipsToPixels(twips, TwipsPerPixel()); }

std::int32_t frmMain::ToTwips(int pixels) const { return basWindowGeometry::PixelsToTwips(pixels, TwipsPerPixel()); }

void frmMain::SetWindowDimensions()
{
    basOperation::TrapVoid("frmMain:SetWindowDimensions", [&](Steps &step) {
        step(10);
        FlagScope busy(m_busy);
        basQuillon::BadValues bad;
        step(20);
        const auto left = StoredNumber(20, "MainWindowLeft", bad);
        const auto top = StoredNumber(20, "MainWindowTop", bad);
        const auto width = StoredNumber(20, "MainWindowWidth", bad);
        const auto height = StoredNumber(20, "MainWindowHeight", bad);
        step(30);
        if (!left)
            m_page.SetFirstRun(true);
        step(40);
        QRect frame(pos(), size());
        if (left)
            frame.moveLeft(ToPixels(*left));
        if (top)
            frame.moveTop(ToPixels(*top));
        if (width)
            frame.setWidth(std::max(1, ToPixels(*width)));
        if (height)
            frame.setHeight(std::max(1, ToPixels(*height)));
        step(50);
        // A position saved on a screen that is gone comes back onto the primary one.
        QList<QRect> screens;
        QSize largest;
        for (const QScreen *each : QGuiApplication::screens()) {
            screens.append(each->availableGeometry());
            largest = largest.expandedTo(each->availableGeometry().size());
        }
        // A stored size no screen can show, or too small to use, is brought within reach.
        if (!largest.isEmpty())
            frame.setSize(frame.size().boundedTo(largest).expandedTo(minimumSizeHint()));
        if (const QScreen *primary = QGuiApplication::primaryScreen()) {
            if (!left && !top)
                frame.moveCenter(primary->availableGeometry().center()); // first start
            frame = basWindowGeometry::PlaceOnScreens(frame, screens, primary->availableGeometry());
        }
        step(60);
        move(frame.topLeft());
        resize(frame.size());
        step(70);
        QApplication::processEvents();
        bad.Report("frmMain:SetWindowDimensions");
    });
}

void frmMain::SetSplitterDimensions()
{
    basOperation::TrapVoid("frmMain:SetSplitterDimensions", [&](Steps &step) {
        basQuillon::BadValues bad;
        {
            step(10);
            FlagScope busy(m_busy);
            const std::int32_t windowHeight = ToTwips(height());
            const std::int32_t windowWidth = ToTwips(width());
            step(20);
            const std::int32_t pane0Height = StoredNumber(20, "Pane0Height", bad).value_or(
                basWindowGeometry::Share(windowHeight, basWindowGeometry::kPane0HeightShare));
            step(30);
            const std::int32_t pane0Width = StoredNumber(30, "Pane0Width", bad).value_or(
                basWindowGeometry::Share(windowWidth, basWindowGeometry::kPane0WidthShare));
            SetFirstSize(*m_left, ToPixels(pane0Height));
            SetFirstSize(*m_columns, ToPixels(pane0Width));
            step(40);
            const std::int32_t pane2Height = StoredNumber(40, "Pane2Height", bad).value_or(
                basWindowGeometry::Share(windowHeight, basWindowGeometry::kPane2HeightShare));
            SetFirstSize(*m_right, ToPixels(pane2Height));
        }
        step(50);
        picPanelA_Resize();
        picPanelB_Resize();
        picPanelC_Resize();
        bad.Report("frmMain:SetSplitterDimensions");
    });
}

std::int32_t frmMain::Pane0Height() const { return ToTwips(m_left->sizes().value(0)); }
std::int32_t frmMain::Pane0Width() const { return ToTwips(m_columns->sizes().value(0)); }
std::int32_t frmMain::Pane2Height() const { return ToTwips(m_right->sizes().value(0)); }

void frmMain::SaveWindowDimensions()
{
    basOperation::TrapVoid("frmMain:SaveWindowDimensions", [&](Steps &step) {
        step(10);
        SaveStoredValue("MainWindowLeft", ToTwips(pos().x()));
        SaveStoredValue("MainWindowTop", ToTwips(pos().y()));
        SaveStoredValue("MainWindowWidth", ToTwips(width()));
        SaveStoredValue("MainWindowHeight", ToTwips(height()));
        step(20);
        SaveStoredValue("Pane0Height", Pane0Height());
        SaveStoredValue("Pane0Width", Pane0Width());
        SaveStoredValue("Pane2Height", Pane2Height());
    });
}

void frmMain::picPanelA_Resize()
{
    if (m_busy)
        return;
    if (!m_page.AllDayEvents().isEmpty()) {
        // How many all-day lines fit depends on the pane's height.
        UpdateDayViewCaption(m_captionColor);
        return;
    }
    basOperation::TrapSilently(0, [&](Steps &) {
        FlagScope busy(m_busy);
        const int width = m_panelA->width();
        const int captionHeight = ToPixels(m_captionHeight);
        m_caption->setGeometry(0, 0, width, captionHeight);
        m_dayView->setGeometry(0, captionHeight, width, std::max(0, m_panelA->height() - captionHeight));
        return 0;
    });
}

void frmMain::picPanelB_Resize()
{
    if (m_busy)
        return;
    basOperation::TrapSilently(0, [&](Steps &) {
        FlagScope busy(m_busy);
        // The strip under the month view keeps its design height unless the style's
        // button needs more.
        const int strip = std::max(ToPixels(kTodayStripHeight), m_today->sizeHint().height());
        const int buttonWidth = std::max(ToPixels(kTodayButtonWidth), m_today->sizeHint().width());
        const int width = m_panelB->width();
        const int monthHeight = std::max(0, m_panelB->height() - strip);
        m_monthView->setGeometry(0, 0, width, monthHeight);
        // Weekday names in full short form while they fit their columns, else initials.
        QCalendarWidget *calendar = m_monthView->Calendar();
        const QLocale locale = calendar->locale();
        int widest = 0;
        for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
            widest = std::max(widest, calendar->fontMetrics().horizontalAdvance(locale.dayName(day, QLocale::ShortFormat)));
        const int spare = calendar->style()->pixelMetric(QStyle::PM_HeaderMargin) * 2 + 2;
        calendar->setHorizontalHeaderFormat(widest + spare <= width / MonthViewModel::kColumns
                                                ? QCalendarWidget::ShortDayNames
                                                : QCalendarWidget::SingleLetterDayNames);
        m_today->setGeometry(width - buttonWidth, monthHeight, buttonWidth, strip);
        return 0;
    });
}

void frmMain::picPanelC_Resize()
{
    if (m_busy)
        return;
    basOperation::TrapSilently(0, [&](Steps &) {
        FlagScope busy(m_busy);
        m_notesLabel->setGeometry(0, ToPixels(kNotesLabelTop), ToPixels(kNotesLabelWidth),
                                  ToPixels(kNotesLabelHeight));
        const int top = ToPixels(kNotesTop);
        m_notes->setGeometry(0, top, m_panelC->width(), std::max(0, m_panelC->height() - top));
        return 0;
    });
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == m_panelA)
            picPanelA_Resize();
        else if (watched == m_panelB)
            picPanelB_Resize();
        else if (watched == m_panelC)
            picPanelC_Resize();
    } else if (watched == m_notes && event->type() == QEvent::FocusOut) {
        // The box's own context menu takes the focus only for a moment.
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            txtNotes_LostFocus();
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace quillon
