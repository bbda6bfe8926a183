// The editor's properties: the event's values written to and read from its controls,
// as typed values; the draft they make together.
#include "frmEvent.h"

#include "IconPalette.h"
#include "RepeatRuleEditor.h"
#include "basColorCombo.h"
#include "basEventIcons.h"
#include "basOperation.h"
#include "basTimeList.h"
#include "platform/basPlatform.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>

namespace quillon {

void frmEvent::SetEventID(qint64 id)
{
    m_okPressed = false;
    m_eventId = id;
    if (id == 0) {
        setWindowTitle(tr(kCaptionNew));
        ShowIcon(0);
        m_ok->setEnabled(false);
    } else {
        setWindowTitle(tr(kCaptionEdit));
        m_ok->setEnabled(true);
    }
    m_dateTouched = false;
    m_tabs->setCurrentIndex(kDetailsPage);
}

QString frmEvent::EventSubject() const
{
    return m_subject->text();
}

void frmEvent::SetEventSubject(const QString &subject)
{
    m_subject->setText(subject);
}

bool frmEvent::AllDayEvent() const
{
    return m_allDay->isChecked();
}

void frmEvent::SetAllDayEvent(bool value)
{
    m_allDay->setChecked(value);
}

QDate frmEvent::EventDate() const
{
    return m_date->date();
}

void frmEvent::SetEventDate(QDate date)
{
    if (!date.isValid())
        basOperation::ThrowTypeMismatch();
    m_date->setDate(date);
    m_dateTouched = false;
}

QTime frmEvent::EventStartTime() const
{
    return SelectedTime(*m_start);
}

void frmEvent::SetEventStartTime(QTime time)
{
    // The lists hold whole minutes.
    const QTime minute = time.isValid() ? QTime(time.hour(), time.minute()) : QTime();
    int index = minute.isValid() ? m_start->findData(minute) : -1;
    if (index < 0 && minute.isValid())
        index = m_start->findData(basTimeList::NextTimePeriod(minute));
    m_start->setCurrentIndex(index);
    cboStartTime_Click();
}

QTime frmEvent::EventEndTime() const
{
    return SelectedTime(*m_end);
}

void frmEvent::SetEventEndTime(QTime time)
{
    m_end->setCurrentIndex(time.isValid() ? m_end->findData(QTime(time.hour(), time.minute())) : -1);
}

QString frmEvent::EventColor() const
{
    const QString key = basColorCombo::SelectedKey(*m_color);
    return key == QLatin1String(basColorCombo::kDefaultKey) ? m_keptColor : key;
}

void frmEvent::SetEventColor(const QString &color)
{
    const QString defaultKey = QString::fromLatin1(basColorCombo::kDefaultKey);
    const int index = basColorCombo::FindKey(*m_color, color.isEmpty() ? defaultKey : color);
    m_keptColor = index < 0 ? color : QString();
    m_color->setCurrentIndex(index < 0 ? basColorCombo::FindKey(*m_color, defaultKey) : index);
}

void frmEvent::SetEventIconIndex(int icon)
{
    if (icon != 0 && !basEventIcons::IsEventIcon(icon))
        throw basOperation::Failure(326, QStringLiteral("Resource with identifier '%1' not found").arg(icon),
                                    QCoreApplication::translate("basErrorHandler", "Resource with identifier '%1' not found")
                                        .arg(icon));
    ShowIcon(icon);
}

void frmEvent::ShowIcon(int number)
{
    m_iconNumber = number;
    if (number == 0) {
        m_iconPicture->clear();
        m_iconPicture->setToolTip(QString());
        return;
    }
    m_iconPicture->setPixmap(basEventIcons::EventIcon(number).pixmap(QSize(kIconPreviewPixels, kIconPreviewPixels),
                                                                     devicePixelRatioF()));
    m_iconPicture->setToolTip(basEventIcons::EventIconTitle(number));
}

QString frmEvent::EventNotes() const
{
    return m_notes->toPlainText();
}

void frmEvent::SetEventNotes(const QString &notes)
{
    m_notes->setPlainText(notes);
}

QString frmEvent::EventLocation() const
{
    return m_location->text();
}

void frmEvent::SetEventLocation(const QString &location)
{
    m_location->setText(location);
}

bool frmEvent::EventRecurring() const
{
    return m_recurring->isChecked();
}

void frmEvent::SetEventRecurring(bool value)
{
    if (value) {
        m_recurring->setChecked(true);
        optRecurring_Click();
    } else {
        m_once->setChecked(true);
        optOnce_Click();
    }
}

std::optional<Recurrence> frmEvent::EventRule() const
{
    if (!m_repeat->isChecked())
        return std::nullopt;
    return m_repeatRule->Rule();
}

void frmEvent::SetEventRule(const std::optional<Recurrence> &rule)
{
    if (rule) {
        m_repeatRule->SetStart(m_date->date());
        m_repeatRule->SetRule(*rule);
        m_repeat->setChecked(true);
        optRepeat_Click();
    } else if (m_repeat->isChecked()) {
        m_once->setChecked(true);
        optOnce_Click();
    }
}

const QList<int> &frmEvent::ReminderChoices()
{
    static const QList<int> minutes = {0, 5, 10, 15, 30, 60, 120, 1440, 10080};
    return minutes;
}

QString frmEvent::ReminderText(std::optional<int> minutes)
{
    if (!minutes)
        //: No reminder for the event.
        return tr("None");
    const int value = *minutes;
    // Before the event: "1 week", "2 weeks" ...
    if (value > 0 && value % 10080 == 0)
        return value == 10080 ? tr("1 week") : tr("%1 weeks").arg(value / 10080);
    if (value > 0 && value % 1440 == 0)
        return value == 1440 ? tr("1 day") : tr("%1 days").arg(value / 1440);
    if (value > 0 && value % 60 == 0)
        return value == 60 ? tr("1 hour") : tr("%1 hours").arg(value / 60);
    return value == 1 ? tr("1 minute") : tr("%1 minutes").arg(value);
}

std::optional<int> frmEvent::EventReminder() const
{
    const QVariant chosen = m_reminder->currentData();
    if (!chosen.isValid() || chosen.toInt() < 0)
        return std::nullopt;
    return chosen.toInt();
}

void frmEvent::SetEventReminder(std::optional<int> minutes)
{
    // The offered entries, and the given one in its place when it is another number.
    QList<int> entries = ReminderChoices();
    if (minutes && *minutes >= 0 && !entries.contains(*minutes)) {
        entries.append(*minutes);
        std::sort(entries.begin(), entries.end());
    }
    m_reminder->clear();
    m_reminder->addItem(ReminderText(std::nullopt), -1);
    for (const int entry : std::as_const(entries))
        m_reminder->addItem(ReminderText(entry), entry);
    m_reminder->setCurrentIndex(std::max(0, m_reminder->findData(minutes && *minutes >= 0 ? *minutes : -1)));
}

qint64 frmEvent::EventCalendar() const { return m_calendar->currentData().toLongLong(); }

void frmEvent::SetEventCalendar(qint64 calendar)
{
    // A calendar no longer writable keeps to this computer's entry.
    m_calendar->setCurrentIndex(std::max(0, m_calendar->findData(calendar)));
}

Event frmEvent::Draft()
{
    Event draft;
    draft.EventID = m_eventId;
    draft.EventName = m_subject->text();
    draft.AllDayEvent = m_allDay->isChecked();
    draft.StartTime = SelectedTime(*m_start);
    draft.EndTime = SelectedTime(*m_end);
    draft.EventColor = EventColor();
    draft.EventIcon = m_iconNumber;
    draft.Notes = m_notes->toPlainText();
    draft.Location = m_location->text();
    draft.Recurring = m_recurring->isChecked();
    draft.Reminder = EventReminder();
    draft.Rule = EventRule();
    if (draft.Rule)
        draft.RuleStart = m_date->date();
    draft.Dates = GetEventDates();
    draft.Calendar = EventCalendar();
    draft.Component = m_component;
    return draft;
}

void frmEvent::SetDraft(const Event &event, QDate date)
{
    SetEventID(event.EventID);
    SetEventSubject(event.EventName);
    SetEventLocation(event.Location);
    SetAllDayEvent(event.AllDayEvent);
    QList<QDate> dates = event.Dates;
    std::sort(dates.begin(), dates.end());
    // A repeating event opens on its start; without one known, on its first day.
    const QDate start = !event.Rule             ? date
                        : event.RuleStart.isValid() ? event.RuleStart
                        : dates.isEmpty()           ? date
                                                    : dates.first();
    SetEventDate(start);
    SetEventStartTime(event.StartTime);
    SetEventEndTime(event.EndTime);
    SetEventColor(event.EventColor);
    SetEventIconIndex(event.EventIcon);
    SetEventNotes(event.Notes);
    SetEventRecurring(event.Recurring);
    SetEventReminder(event.Reminder);
    SetEventCalendar(event.Calendar);
    m_component = event.Component;
    m_occurrenceDay = date;
    m_openedDates = dates;
    m_openedRule = event.Rule;
    m_excluded.clear();
    m_extra.clear();
    if (event.Rule && !dates.isEmpty()) {
        // The rule's days the event lacks were ticked off, its days the rule lacks picked
        // besides. An endless rule's days are known only as far as the stored ones go.
        const bool endless = !event.Rule->Until.isValid() && event.Rule->Count <= 0;
        const QDate last = endless ? dates.last() : RepeatRuleEditor::PreviewLast(*event.Rule, start, basPlatform::Today());
        const QList<QDate> ruleDays = event.Rule->Days(start, start, std::max(last, start));
        for (const QDate &day : ruleDays) {
            if (!std::binary_search(dates.cbegin(), dates.cend(), day))
                m_excluded.insert(day);
        }
        for (const QDate &day : std::as_const(dates)) {
            if (!std::binary_search(ruleDays.cbegin(), ruleDays.cend(), day))
                m_extra.insert(day);
        }
    }
    SetEventRule(event.Rule);
}

} // namespace quillon
