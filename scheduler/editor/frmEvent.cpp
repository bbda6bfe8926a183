#include "frmEvent.h"

#include "basFormControl.h"

#include <QCoreApplication>
#include <QTimer>

#include "IconPalette.h"
#include "RepeatRuleEditor.h"
#include "basColorCombo.h"
#include "basComboBox.h"
#include "basEventIcons.h"
#include "basOperation.h"
#include "basLocale.h"
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
    basPlatform::ShowMessage(QCoreApplication::translate("quillon::frmEvent", text),
                             QCoreApplication::translate("quillon::frmEvent", frmEvent::kDataEntryTitle),
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
      m_runConflictDialog([](frmConflict &dialog) { dialog.ShowModal(); }),
      m_chooseOccurrences([this](const QString &text, const QString &title) -> std::optional<EventService::Occurrences> {
          // An editor filled in and confirmed by code, with nobody to ask, means the series.
          if (basPlatform::IsNonInteractive())
              return EventService::Occurrences::All;
          return OccurrenceChoice::Ask(this, text, title);
      })
{
    setObjectName(QStringLiteral("frmEvent"));
    setWindowTitle(tr(kCaptionNew));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    auto *details = new QWidget;
    auto *recurrence = new QWidget;
    m_tabs->addTab(details, tr("Details"));
    m_tabs->addTab(recurrence, tr("Recurrence"));
    BuildDetailsPage(details);
    BuildRecurrencePage(recurrence);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_cancel = new QPushButton(tr("Cancel"), this);
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
    connect(m_repeat, &QRadioButton::clicked, this, [this] { optRepeat_Click(); });
    connect(m_repeatRule, &RepeatRuleEditor::RuleChanged, this, [this] {
        if (m_repeat->isChecked())
            ShowRuleDays();
    });
    connect(m_year, &YearView::SelectionChanged, this, [this] { SSYear1_SelectionChanged(); });
    connect(m_date, &QDateEdit::userDateChanged, this, [this] { m_dateTouched = true; });
    // The picker holds the rule's start.
    connect(m_date, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (m_repeat->isChecked())
            m_repeatRule->SetStart(date);
    });
    m_date->installEventFilter(this);

    setTabOrder(m_subject, m_location);
    setTabOrder(m_location, m_date);
    setTabOrder(m_date, m_start);
    setTabOrder(m_start, m_end);
    setTabOrder(m_end, m_allDay);
    setTabOrder(m_allDay, m_color);
    setTabOrder(m_color, m_reminder);
    setTabOrder(m_reminder, m_iconButton);
    setTabOrder(m_iconButton, m_calendar);
    setTabOrder(m_calendar, m_notes);
    setTabOrder(m_notes, m_ok);
    setTabOrder(m_ok, m_cancel);
    setTabOrder(m_once, m_recurring);
    setTabOrder(m_recurring, m_repeat);
    setTabOrder(m_repeat, m_repeatRule);
    setTabOrder(m_repeatRule, m_year);

    Form_Load();
}

frmEvent::~frmEvent() = default;

void frmEvent::BuildDetailsPage(QWidget *page)
{
    m_subject = new QLineEdit(page);
    m_subject->setObjectName(QStringLiteral("txtSubject"));
    m_location = new QLineEdit(page);
    m_location->setObjectName(QStringLiteral("txtLocation"));
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
    m_allDay = new QCheckBox(tr("&All day event"), page);
    m_allDay->setObjectName(QStringLiteral("chkAllDayEvent"));
    m_color = new QComboBox(page);
    m_color->setObjectName(QStringLiteral("cboEventColor"));
    m_reminder = new QComboBox(page);
    m_reminder->setObjectName(QStringLiteral("cboReminder"));
    SetEventReminder(std::nullopt);
    m_calendar = new QComboBox(page);
    m_calendar->setObjectName(QStringLiteral("cboCalendar"));
    for (const CalendarChoice &choice : m_events.WritableCalendars())
        m_calendar->addItem(choice.Name, choice.Id);
    m_notes = new QPlainTextEdit(page);
    m_notes->setObjectName(QStringLiteral("txtNotes"));
    m_notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notes->setTabChangesFocus(true);
    m_iconPicture = new QLabel(page);
    m_iconPicture->setObjectName(QStringLiteral("imgEventIcon"));
    m_iconPicture->setFixedSize(kIconPreviewPixels + 4, kIconPreviewPixels + 4);
    m_iconPicture->setAlignment(Qt::AlignCenter);
    m_iconPicture->setFrameShape(QFrame::StyledPanel);
    m_iconButton = new QPushButton(tr("&Icon"), page);
    m_iconButton->setObjectName(QStringLiteral("cmdIcon"));

    m_startLabel = BuddyLabel(tr("&Start time:"), m_start, page);
    m_startLabel->setObjectName(QStringLiteral("Label3"));
    m_endLabel = BuddyLabel(tr("&End time:"), m_end, page);
    m_endLabel->setObjectName(QStringLiteral("Label4"));

    auto *grid = new QGridLayout(page);
    grid->addWidget(BuddyLabel(tr("S&ubject:"), m_subject, page), 0, 0);
    grid->addWidget(m_subject, 0, 1, 1, 4);
    grid->addWidget(BuddyLabel(tr("&Location:"), m_location, page), 1, 0);
    grid->addWidget(m_location, 1, 1, 1, 4);
    grid->addWidget(BuddyLabel(tr("Event &date:"), m_date, page), 2, 0);
    grid->addWidget(m_date, 2, 1);
    auto *iconBox = new QHBoxLayout;
    iconBox->addStretch(1);
    iconBox->addWidget(m_iconPicture);
    iconBox->addWidget(m_iconButton);
    grid->addLayout(iconBox, 2, 3, 1, 2);
    grid->addWidget(m_startLabel, 3, 0);
    grid->addWidget(m_start, 3, 1);
    grid->addWidget(m_endLabel, 3, 3, Qt::AlignRight);
    grid->addWidget(m_end, 3, 4);
    grid->addWidget(m_allDay, 4, 1, 1, 2);
    grid->addWidget(BuddyLabel(tr("Event &color:"), m_color, page), 5, 0);
    grid->addWidget(m_color, 5, 1);
    grid->addWidget(BuddyLabel(tr("Re&minder:"), m_reminder, page), 5, 3, Qt::AlignRight);
    grid->addWidget(m_reminder, 5, 4);
    m_calendarLabel = BuddyLabel(tr("Calenda&r:"), m_calendar, page);
    grid->addWidget(m_calendarLabel, 6, 0);
    grid->addWidget(m_calendar, 6, 1, 1, 2);
    // Only a user with a calendar to write to has a choice to make.
    m_calendarLabel->setVisible(m_calendar->count() > 1);
    m_calendar->setVisible(m_calendar->count() > 1);
    grid->addWidget(BuddyLabel(tr("&Notes:"), m_notes, page), 7, 0, 1, 5);
    grid->addWidget(m_notes, 8, 0, 1, 5);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(8, 1);
}

void frmEvent::BuildRecurrencePage(QWidget *page)
{
    m_frame = new QGroupBox(page);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_once = new QRadioButton(tr("&Once"), m_frame);
    m_once->setObjectName(QStringLiteral("optOnce"));
    m_recurring = new QRadioButton(tr("&Recurring"), m_frame);
    m_recurring->setObjectName(QStringLiteral("optRecurring"));
    m_repeat = new QRadioButton(tr("Re&peat"), m_frame);
    m_repeat->setObjectName(QStringLiteral("optRepeat"));
    m_once->setChecked(true);
    auto *options = new QHBoxLayout(m_frame);
    options->addWidget(m_once);
    options->addWidget(m_recurring);
    options->addWidget(m_repeat);
    options->addStretch(1);
    m_repeatRule = new RepeatRuleEditor(page);
    m_yearLabel = new QLabel(tr(kPickDays), page);
    m_yearLabel->setObjectName(QStringLiteral("Label7"));
    m_year = new YearView(page);
    m_year->SetFirstDayOfWeek(basLocale::FirstDayOfWeek(m_settings.WeekStartsOn));
    m_repeatRule->SetFirstDayOfWeek(basLocale::FirstDayOfWeek(m_settings.WeekStartsOn));
    m_year->setObjectName(QStringLiteral("SSYear1"));
    m_yearLabel->setBuddy(m_year);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_frame);
    layout->addWidget(m_repeatRule);
    layout->addWidget(m_yearLabel);
    layout->addWidget(m_year, 1);
    // Keeps the page's size while the year view is hidden.
    auto policy = m_year->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_year->setSizePolicy(policy);
    m_repeatRule->hide();
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
        for (const QTime &time : basTimeList::Times()) {
            const QString text = basLocale::ShownTime(time);
            m_start->addItem(text, time);
            m_end->addItem(text, time);
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
    basFormControl::FitOnScreen(*this);
    // Once more when the window manager has put its frame round it.
    QTimer::singleShot(0, this, [this] { basFormControl::FitOnScreen(*this); });
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

void frmEvent::ShowRecurrenceChoice()
{
    const bool once = m_once->isChecked();
    m_repeatRule->setVisible(m_repeat->isChecked());
    m_yearLabel->setText(tr(m_repeat->isChecked() ? kRuleDays : kPickDays));
    m_yearLabel->setVisible(!once);
    m_year->setVisible(!once);
    // Picked days leave the picker only the first one to offer; a rule starts on its date.
    m_date->setEnabled(!m_recurring->isChecked());
}

void frmEvent::optOnce_Click()
{
    ShowRecurrenceChoice();
}

void frmEvent::optRecurring_Click()
{
    ShowRecurrenceChoice();
    PopulateYearView();
}

void frmEvent::optRepeat_Click()
{
    ShowRecurrenceChoice();
    m_repeatRule->SetStart(m_date->date());
    ShowRuleDays();
}

void frmEvent::SSYear1_SelectionChanged()
{
    if (!m_repeat->isChecked())
        return;
    basOperation::TrapVoid("frmEvent.SSYear1_SelectionChanged", [&](Steps &step) {
        step(10);
        const QList<QDate> days = RuleDays();
        for (const QDate &day : days) {
            if (m_year->IsSelected(day))
                m_excluded.remove(day);
            else
                m_excluded.insert(day);
        }
        step(20);
        m_extra.clear();
        for (int i = 0; i < m_year->SelectedCount(); ++i) {
            const QDate day = m_year->SelectedDate(i);
            if (!std::binary_search(days.cbegin(), days.cend(), day))
                m_extra.insert(day);
        }
    });
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
        if (m_repeat->isChecked())
            return RepeatDates();
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

QList<QDate> frmEvent::RuleDays() const
{
    const Recurrence rule = m_repeatRule->Rule();
    const QDate start = m_date->date();
    return rule.Days(start, start, RepeatRuleEditor::PreviewLast(rule, start, basPlatform::Today()));
}

QList<QDate> frmEvent::RepeatDates() const
{
    QList<QDate> dates;
    for (const QDate &day : RuleDays()) {
        if (!m_excluded.contains(day))
            dates << day;
    }
    for (const QDate &day : m_extra)
        dates << day;
    std::sort(dates.begin(), dates.end());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    return dates;
}

void frmEvent::ShowRuleDays()
{
    basOperation::TrapVoid("frmEvent.ShowRuleDays", [&](Steps &step) {
        step(10);
        m_year->Clear();
        step(20);
        for (const QDate &day : RepeatDates())
            m_year->AddDate(day);
        m_year->SetYear(m_date->date().year());
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
    //: Above a read-only event: the server calendar it comes from.
    m_from->setText(tr("From %1").arg(name));
    m_from->setVisible(readOnly);
    // The server's event: its pages can be read (the recurrence tab too), not changed.
    for (int page = 0; page < m_tabs->count(); ++page)
        m_tabs->widget(page)->setEnabled(!readOnly);
    m_ok->setVisible(!readOnly);
    m_cancel->setText(readOnly ? tr("Close") : tr("Cancel"));
    m_cancel->setDefault(readOnly);
}

void frmEvent::SetWaiting(const std::optional<QString> &lastError)
{
    if (!m_subscription.isEmpty())
        return; // a read-only calendar's event has nothing of ours to send
    m_from->setVisible(lastError.has_value());
    if (lastError)
        m_from->setText(lastError->isEmpty() ? tr("Waiting to be sent to the calendar's server")
                                             : tr("Waiting to be sent to the calendar's server (last try: %1)").arg(*lastError));
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
        // Only the fields of a repeating event changed: the user says for which occurrences.
        EventService::Occurrences which = EventService::Occurrences::All;
        if (m_eventId != 0 && m_openedDates.size() > 1 && m_openedDates.contains(m_occurrenceDay)
            && draft.Dates == m_openedDates && draft.Rule == m_openedRule) {
            const std::optional<EventService::Occurrences> chosen =
                m_chooseOccurrences(tr("Change event '%1'?").arg(draft.EventName),
                                    tr(kChangeEventTitle));
            if (!chosen)
                return false;
            which = *chosen;
        }
        step(25);
        const std::optional<EventService::Saved> saved = m_events.SaveOccurrence(draft, m_occurrenceDay, which);
        if (!saved)
            return false;
        step(30);
        m_lastChange = Change{draft, m_occurrenceDay, which};
        m_eventId = saved->EventID;
        // The days the event leaves change on the desktop calendar too.
        if (m_datesChanged)
            m_datesChanged(saved->TouchedDates);
        return true;
    });
}

} // namespace quillon
