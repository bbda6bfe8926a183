#include "frmEvent.h"

#include "IconPalette.h"
#include "basColorCombo.h"
#include "basComboBox.h"
#include "basEventIcons.h"
#include "basOperation.h"
#include "basTimeList.h"
#include "basTimeText.h"
#include "frmConflict.h"
#include "platform/basPlatform.h"
#include "views/YearView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quillon {

using basOperation::Steps;

namespace {

void ShowDataEntryError(const char *text)
{
    basPlatform::ShowMessage(QString::fromLatin1(text), QString::fromLatin1(frmEvent::kDataEntryTitle),
                             basPlatform::MessageIcon::Exclamation, basPlatform::MessageButtons::Ok);
}

QLabel *BuddyLabel(const QString &caption, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

QTime frmEvent::SelectedTime(const QComboBox &times)
{
    return times.currentIndex() < 0 ? QTime() : times.currentData().toTime();
}

frmEvent::frmEvent(EventService &events, basQuillon::GeneralSettingsRecord &settings, DatesChanged datesChanged,
                   QWidget *parent)
    : QDialog(parent), m_events(events), m_settings(settings), m_datesChanged(std::move(datesChanged)),
      m_runConflictDialog([](frmConflict &dialog) { dialog.ShowModal(); })
{
    setObjectName(QStringLiteral("frmEvent"));
    setWindowTitle(QString::fromLatin1(kCaptionNew));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    auto *details = new QWidget;
    auto *recurrence = new QWidget;
    m_tabs->addTab(details, QStringLiteral("Details"));
    m_tabs->addTab(recurrence, QStringLiteral("Recurrence"));
    BuildDetailsPage(details);
    BuildRecurrencePage(recurrence);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_ok->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    m_from = new QLabel(this);
    m_from->setObjectName(QStringLiteral("lblFrom"));
    m_from->hide();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_from);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);

    // Over the pages, so it opens across the notes below the Icon button.
    m_palette = new IconPalette(this);

    connect(m_ok, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(m_iconButton, &QPushButton::clicked, this, [this] { cmdIcon_Click(); });
    connect(m_palette, &IconPalette::CellClicked, this, [this](int index) { imgIcon_Click(index); });
    connect(m_allDay, &QCheckBox::toggled, this, [this] { chkAllDayEvent_Click(); });
    connect(m_start, &QComboBox::activated, this, [this] { cboStartTime_Click(); });
    connect(m_subject, &QLineEdit::textChanged, this, [this] { txtSubject_Change(); });
    connect(m_color, &QComboBox::activated, this, [this] { cboEventColor_Click(); });
    connect(m_once, &QRadioButton::clicked, this, [this] { optOnce_Click(); });
    connect(m_recurring, &QRadioButton::clicked, this, [this] { optRecurring_Click(); });
    connect(m_date, &QDateEdit::userDateChanged, this, [this] { m_dateTouched = true; });
    m_date->installEventFilter(this);

    setTabOrder(m_subject, m_date);
    setTabOrder(m_date, m_start);
    setTabOrder(m_start, m_end);
    setTabOrder(m_end, m_allDay);
    setTabOrder(m_allDay, m_color);
    setTabOrder(m_color, m_reminder);
    setTabOrder(m_reminder, m_iconButton);
    setTabOrder(m_iconButton, m_notes);
    setTabOrder(m_notes, m_ok);
    setTabOrder(m_ok, m_cancel);
    setTabOrder(m_once, m_recurring);
    setTabOrder(m_recurring, m_year);

    Form_Load();
}

frmEvent::~frmEvent() = default;

void frmEvent::BuildDetailsPage(QWidget *page)
{
    m_subject = new QLineEdit(page);
    m_subject->setObjectName(QStringLiteral("txtSubject"));
    m_date = new QDateEdit(page);
    m_date->setObjectName(QStringLiteral("dtEventDate"));
    m_date->setCalendarPopup(true);
    m_date->setDateRange(QDate(1900, 1, 1), QDate(2100, 12, 31));
    QString dateFormat = locale().dateFormat(QLocale::ShortFormat);
    if (!dateFormat.contains(QLatin1String("yyyy")))
        dateFormat.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    m_date->setDisplayFormat(dateFormat);
    m_start = new QComboBox(page);
    m_start->setObjectName(QStringLiteral("cboStartTime"));
    m_end = new QComboBox(page);
    m_end->setObjectName(QStringLiteral("cboEndTime"));
    for (QComboBox *times : {m_start, m_end})
        times->setMaxVisibleItems(12);
    m_allDay = new QCheckBox(QStringLiteral("&All day event"), page);
    m_allDay->setObjectName(QStringLiteral("chkAllDayEvent"));
    m_color = new QComboBox(page);
    m_color->setObjectName(QStringLiteral("cboEventColor"));
    m_reminder = new QComboBox(page);
    m_reminder->setObjectName(QStringLiteral("cboReminder"));
    SetEventReminder(std::nullopt);
    m_notes = new QPlainTextEdit(page);
    m_notes->setObjectName(QStringLiteral("txtNotes"));
    m_notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notes->setTabChangesFocus(true);
    m_iconPicture = new QLabel(page);
    m_iconPicture->setObjectName(QStringLiteral("imgEventIcon"));
    m_iconPicture->setFixedSize(kIconPreviewPixels + 4, kIconPreviewPixels + 4);
    m_iconPicture->setAlignment(Qt::AlignCenter);
    m_iconPicture->setFrameShape(QFrame::StyledPanel);
    m_iconButton = new QPushButton(QStringLiteral("&Icon"), page);
    m_iconButton->setObjectName(QStringLiteral("cmdIcon"));

    m_startLabel = BuddyLabel(QStringLiteral("&Start time:"), m_start, page);
    m_startLabel->setObjectName(QStringLiteral("Label3"));
    m_endLabel = BuddyLabel(QStringLiteral("&End time:"), m_end, page);
    m_endLabel->setObjectName(QStringLiteral("Label4"));

    auto *grid = new QGridLayout(page);
    grid->addWidget(BuddyLabel(QStringLiteral("S&ubject:"), m_subject, page), 0, 0);
    grid->addWidget(m_subject, 0, 1, 1, 4);
    grid->addWidget(BuddyLabel(QStringLiteral("Event &date:"), m_date, page), 1, 0);
    grid->addWidget(m_date, 1, 1);
    auto *iconBox = new QHBoxLayout;
    iconBox->addStretch(1);
    iconBox->addWidget(m_iconPicture);
    iconBox->addWidget(m_iconButton);
    grid->addLayout(iconBox, 1, 3, 1, 2);
    grid->addWidget(m_startLabel, 2, 0);
    grid->addWidget(m_start, 2, 1);
    grid->addWidget(m_endLabel, 2, 3, Qt::AlignRight);
    grid->addWidget(m_end, 2, 4);
    grid->addWidget(m_allDay, 3, 1, 1, 2);
    grid->addWidget(BuddyLabel(QStringLiteral("Event &color:"), m_color, page), 4, 0);
    grid->addWidget(m_color, 4, 1);
    grid->addWidget(BuddyLabel(QStringLiteral("Re&minder:"), m_reminder, page), 4, 3, Qt::AlignRight);
    grid->addWidget(m_reminder, 4, 4);
    grid->addWidget(BuddyLabel(QStringLiteral("&Notes:"), m_notes, page), 5, 0, 1, 5);
    grid->addWidget(m_notes, 6, 0, 1, 5);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(6, 1);
}

void frmEvent::BuildRecurrencePage(QWidget *page)
{
    m_frame = new QGroupBox(page);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_once = new QRadioButton(QStringLiteral("&Once"), m_frame);
    m_once->setObjectName(QStringLiteral("optOnce"));
    m_recurring = new QRadioButton(QStringLiteral("&Recurring"), m_frame);
    m_recurring->setObjectName(QStringLiteral("optRecurring"));
    m_once->setChecked(true);
    auto *options = new QHBoxLayout(m_frame);
    options->addWidget(m_once);
    options->addWidget(m_recurring);
    options->addStretch(1);
    m_yearLabel = new QLabel(QStringLiteral("Select the days on which this event occurs:"), page);
    m_yearLabel->setObjectName(QStringLiteral("Label7"));
    m_year = new YearView(page);
    m_year->setObjectName(QStringLiteral("SSYear1"));
    m_yearLabel->setBuddy(m_year);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_frame);
    layout->addWidget(m_yearLabel);
    layout->addWidget(m_year, 1);
    // Keeps the page's size while the year view is hidden.
    auto policy = m_year->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_year->setSizePolicy(policy);
    m_yearLabel->hide();
    m_year->hide();
}

void frmEvent::Form_Load()
{
    basOperation::TrapVoid("frmEvent.Form_Load", [&](Steps &step) {
        step(10);
        m_loading = true;
        m_okPressed = false;
        m_iconNumber = 0;
        m_ok->setEnabled(false);
        step(20);
        // Each entry carries its time, so that the draft is built from typed values.
        for (const QString &time : basTimeList::LoadTimes()) {
            const QTime value = basTimeText::ParseTimeText(time);
            m_start->addItem(time, value);
            m_end->addItem(time, value);
        }
        step(30);
        basColorCombo::LoadColorCombo(*m_color, true);
        m_color->setCurrentIndex(0);
        step(40);
        m_date->setDate(basPlatform::Today());
        m_loading = false;
    });
    m_loading = false;
    resize(sizeHint().expandedTo(QSize(560, 520)));
}

void frmEvent::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_subject->setFocus();
}

// --- Reactions -------------------------------------------------------------------------

void frmEvent::txtSubject_Change()
{
    if (m_loading)
        return;
    m_ok->setEnabled(!m_subject->text().isEmpty());
}

void frmEvent::cboStartTime_Click()
{
    if (m_loading || m_eventId != 0)
        return;
    basOperation::TrapVoid("frmEvent.cboStartTime_Click", [&](Steps &step) {
        step(10);
        const QTime start = SelectedTime(*m_start);
        if (!start.isValid())
            return;
        step(20);
        const QTime end = basTimeList::NextTimePeriod(basTimeList::NextTimePeriod(start));
        m_end->setCurrentIndex(m_end->findData(end));
    });
}

void frmEvent::chkAllDayEvent_Click()
{
    basOperation::TrapVoid("frmEvent.chkAllDayEvent_Click", [&](Steps &step) {
        step(10);
        const bool timed = !m_allDay->isChecked();
        for (QWidget *control : std::initializer_list<QWidget *>{m_start, m_end, m_color, m_startLabel, m_endLabel, m_iconButton})
            control->setEnabled(timed);
        if (!timed) {
            step(20);
            m_color->setCurrentIndex(0);
            ShowIcon(0);
            m_palette->hide();
        }
    });
}

void frmEvent::cboEventColor_Click()
{
    m_keptColor.clear();   // the user's pick, "(Default)" included, replaces a kept colour
    if (!m_loading)
        m_notes->setFocus();
}

void frmEvent::cmdIcon_Click()
{
    basOperation::TrapVoid("frmEvent.cmdIcon_Click", [&](Steps &step) {
        step(10);
        if (m_palette->CellCount() == 1) {
            basOperation::TrapVoid("frmEvent.LoadIcons", [&](Steps &load) {
                load(10);
                m_palette->LoadIcons(*m_iconButton);
            });
        }
        step(20);
        if (m_palette->isVisible()) {
            m_palette->hide();
            return;
        }
        m_palette->PlaceUnder(*m_iconButton);
        m_palette->show();
        m_palette->raise();
    });
}

void frmEvent::imgIcon_Click(int index)
{
    basOperation::TrapVoid("frmEvent.imgIcon_Click", [&](Steps &step) {
        step(10);
        m_palette->hide();
        step(20);
        ShowIcon(m_palette->CellTag(index).toInt());
    });
}

void frmEvent::optOnce_Click()
{
    m_yearLabel->hide();
    m_year->hide();
    m_date->setEnabled(true);
}

void frmEvent::optRecurring_Click()
{
    m_yearLabel->show();
    m_year->show();
    // The year view now holds the dates; the picker only offers the first one.
    m_date->setEnabled(false);
    PopulateYearView();
}

bool frmEvent::dtEventDate_Validate()
{
    return basOperation::Trap("frmEvent.dtEventDate_Validate", true, [&](Steps &step) {
        step(10);
        if (m_date->date() >= basPlatform::Today())
            return true;
        step(20);
        ShowDataEntryError(kDateBeforeToday);
        return false;
    });
}

bool frmEvent::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_date && event->type() == QEvent::FocusOut && !m_validating && m_dateTouched) {
        // Leaving for Cancel or for another window does not check.
        const QWidget *next = QApplication::focusWidget();
        if (next != m_cancel && isActiveWindow()) {
            m_validating = true;
            if (!dtEventDate_Validate())
                m_date->setFocus();
            m_validating = false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- Dates -----------------------------------------------------------------------------

QList<QDate> frmEvent::GetEventDates()
{
    return basOperation::Trap("frmEvent.GetEventDates", QList<QDate>(), [&](Steps &step) {
        step(10);
        if (!m_recurring->isChecked())
            return QList<QDate>{m_date->date()};
        step(20);
        QList<QDate> dates;
        const int count = m_year->SelectedCount();
        dates.reserve(count);
        for (int i = 0; i < count; ++i)
            dates << m_year->SelectedDate(i);
        return dates;
    });
}

void frmEvent::PopulateYearView()
{
    basOperation::TrapVoid("frmEvent.PopulateYearView", [&](Steps &step) {
        step(10);
        m_year->Clear();
        step(20);
        m_year->AddDate(m_date->date());
        step(30);
        if (m_eventId == 0)
            return;
        if (const auto stored = m_events.DatesOf(m_eventId)) {
            step(40);
            for (const QDate &date : *stored)
                m_year->AddDate(date);
        }
    });
}

// --- OK and Cancel ---------------------------------------------------------------------

void frmEvent::CheckForConflicts(bool &reschedule)
{
    reschedule = false;
    basOperation::TrapVoid("frmEvent.CheckForConflicts", [&](Steps &step) {
        step(20);
        const Event draft = Draft();
        step(30);
        const QList<EventConflict> conflicts = m_events.Conflicts(draft);
        if (conflicts.isEmpty())
            return;
        step(40);
        QStringList lines;
        for (const EventConflict &conflict : conflicts)
            lines << frmConflict::ConflictLine(conflict);
        frmConflict dialog(this);
        dialog.SetEventConflicts(lines);
        m_runConflictDialog(dialog);
        step(50);
        m_settings.CheckForConflicts = !dialog.DisableConflictChecking();
        reschedule = !dialog.AcceptPressed();
    });
}

void frmEvent::SetSubscription(const QString &name)
{
    m_subscription = name;
    const bool readOnly = !name.isEmpty();
    m_from->setText(QStringLiteral("From ") + name);
    m_from->setVisible(readOnly);
    // The server's event: its pages can be read (the recurrence tab too), not changed.
    for (int page = 0; page < m_tabs->count(); ++page)
        m_tabs->widget(page)->setEnabled(!readOnly);
    m_ok->setVisible(!readOnly);
    m_cancel->setText(readOnly ? QStringLiteral("Close") : QStringLiteral("Cancel"));
    m_cancel->setDefault(readOnly);
}

void frmEvent::cmdOK_Click()
{
    if (!m_subscription.isEmpty())
        return;
    basOperation::TrapVoid("frmEvent.cmdOK_Click", [&](Steps &step) {
        step(10);
        if (!m_allDay->isChecked()) {
            // An all-day event keeps its whole-day span, whatever the lists show.
            const QTime start = SelectedTime(*m_start);
            const QTime end = SelectedTime(*m_end);
            if (!start.isValid() || !end.isValid()) {
                ShowDataEntryError(kNoTime);
                (start.isValid() ? m_end : m_start)->setFocus();
                return;
            }
            if (start > end) {
                ShowDataEntryError(kEndBeforeStart);
                m_tabs->setCurrentIndex(kDetailsPage);
                m_start->setFocus();
                return;
            }
        }
        step(15);
        if (m_dateTouched && !m_recurring->isChecked() && !dtEventDate_Validate()) {
            m_tabs->setCurrentIndex(kDetailsPage);
            m_date->setFocus();
            return;
        }
        step(20);
        if (GetEventDates().isEmpty()) {
            ShowDataEntryError(kNoDays);
            m_tabs->setCurrentIndex(kRecurrencePage);
            m_year->setFocus();
            return;
        }
        step(30);
        if (m_settings.CheckForConflicts) {
            bool reschedule = false;
            CheckForConflicts(reschedule);
            if (reschedule)
                return;
        }
        step(40);
        const bool saved = SaveEvent();
        // The store has said why; the window stays open with what the user typed.
        if (!saved)
            return;
        step(50);
        m_okPressed = true;
        m_palette->hide();
        accept();
    });
}

void frmEvent::cmdCancel_Click()
{
    m_okPressed = false;
    m_palette->hide();
    QDialog::reject();
}

void frmEvent::reject()
{
    cmdCancel_Click();
}

bool frmEvent::SaveEvent()
{
    const char *operation = m_eventId == 0 ? "frmEvent.AddEvent" : "frmEvent.UpdateEvent";
    return basOperation::Trap(operation, false, [&](Steps &step) {
        step(10);
        const Event draft = Draft();
        step(20);
        const std::optional<EventService::Saved> saved = m_events.Save(draft);
        if (!saved)
            return false;
        step(30);
        m_eventId = saved->EventID;
        // The days the event leaves change on the desktop calendar too.
        if (m_datesChanged)
            m_datesChanged(saved->TouchedDates);
        return true;
    });
}

} // namespace quillon
