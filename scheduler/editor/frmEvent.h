// The modal window in which an event is entered or changed. The caller writes the
// properties, shows the window, reads OkPressed and the properties back. On OK the
// window validates, asks EventService for conflicts when the setting is on, and hands
// the event as its controls describe it to EventService to save. Page "Details" holds the
// fields, page "Recurrence" the choice between one date, days picked in a year view and a
// repeat rule, whose days the year view shows for ticking some off.
#pragma once

#include <optional>

#include "EventService.h"
#include "OccurrenceChoice.h"
#include "basQuillon.h"

#include <QDialog>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace quillon {

class IconPalette;
class RepeatRuleEditor;
class YearView;
class frmConflict;

class frmEvent : public QDialog {
    Q_OBJECT

public:
    static constexpr auto kCaptionNew = QT_TRANSLATE_NOOP("quillon::frmEvent", "New Event");
    static constexpr auto kCaptionEdit = QT_TRANSLATE_NOOP("quillon::frmEvent", "Edit Event");
    static constexpr auto kDataEntryTitle = QT_TRANSLATE_NOOP("quillon::frmEvent", "Data Entry Error");
    static constexpr auto kEndBeforeStart = QT_TRANSLATE_NOOP("quillon::frmEvent", "The End Time cannot be earlier than the Start Time.");
    static constexpr auto kDateBeforeToday = QT_TRANSLATE_NOOP("quillon::frmEvent", "Event date cannot be earlier than today.");
    static constexpr auto kNoTime = QT_TRANSLATE_NOOP("quillon::frmEvent", "Choose a start time and an end time, or tick All day event.");
    static constexpr auto kNoDays = QT_TRANSLATE_NOOP("quillon::frmEvent", "Select at least one day on which this event occurs, or choose Once.");
    static constexpr auto kPickDays = QT_TRANSLATE_NOOP("quillon::frmEvent", "Select the days on which this event occurs:");
    static constexpr auto kRuleDays = QT_TRANSLATE_NOOP("quillon::frmEvent", "The days of this event (click a day to leave it out or add it):");

    // Told the dates a save touched: the new ones and, on a change, the ones left.
    using DatesChanged = std::function<void(const QList<QDate> &)>;

    // The events, the program's settings (the conflict check may switch itself off) and
    // whom to tell which dates a save touched (the desktop calendar may need drawing).
    frmEvent(EventService &events, basQuillon::GeneralSettingsRecord &settings, DatesChanged datesChanged,
             QWidget *parent = nullptr);
    ~frmEvent() override;

    // --- Properties -----------------------------------------------------------------
    bool OkPressed() const { return m_okPressed; }
    void SetOkPressed(bool value) { m_okPressed = value; }
    // The stored event being edited; 0 for a new one.
    qint64 EventID() const { return m_eventId; }
    void SetEventID(qint64 id);
    QString EventSubject() const;
    void SetEventSubject(const QString &subject);
    bool AllDayEvent() const;
    void SetAllDayEvent(bool value);
    // Writing an invalid date throws basOperation::Failure.
    QDate EventDate() const;
    void SetEventDate(QDate date);
    // The time of the list's entry, null when nothing is selected. Writing selects the
    // equal entry, else the next half hour's (start only), else nothing.
    QTime EventStartTime() const;
    void SetEventStartTime(QTime time);
    QTime EventEndTime() const;
    void SetEventEndTime(QTime time);
    // A colour name, empty for the default; an unknown name throws basOperation::Failure.
    QString EventColor() const;
    void SetEventColor(const QString &color);
    // 101..156, or 0 for none; any other number throws basOperation::Failure.
    int EventIconIndex() const { return m_iconNumber; }
    void SetEventIconIndex(int icon);
    QString EventNotes() const;
    void SetEventNotes(const QString &notes);
    QString EventLocation() const;
    void SetEventLocation(const QString &location);
    bool EventRecurring() const;
    void SetEventRecurring(bool value);
    // The repeat rule when "Repeat" is chosen, else none. Writing a rule chooses "Repeat"
    // with the rule's controls set, for a start on the event date; writing none while
    // "Repeat" is chosen chooses "Once".
    std::optional<Recurrence> EventRule() const;
    void SetEventRule(const std::optional<Recurrence> &rule);
    // Minutes before the start, none when empty. A number the list does not offer (from
    // a calendar file) gets an entry of its own.
    std::optional<int> EventReminder() const;
    void SetEventReminder(std::optional<int> minutes);
    // The subscribed calendar the event came from: the window then only shows it, with
    // "From <name>" above the pages and Close for Cancel. Empty: the user's own event.
    // The calendar the event is written to ("Calendar:", shown when the user has a writable
    // one): 0 for this computer, else a writable calendar's id.
    qint64 EventCalendar() const;
    void SetEventCalendar(qint64 calendar);
    QString Subscription() const { return m_subscription; }
    void SetSubscription(const QString &name);
    // A change of the event waits to be sent to its calendar's server (with why the last
    // try failed, empty before one): said under the pages. Nothing: none waits.
    void SetWaiting(const std::optional<QString> &lastError);
    // The list's entries: none, then the minutes offered.
    static const QList<int> &ReminderChoices();
    static QString ReminderText(std::optional<int> minutes);

    // The event as the controls describe it, with its dates (GetEventDates); after a
    // save it carries the id the event was saved under.
    Event Draft();
    // The last save's change as it went to the service: the draft (with the id it was
    // saved on), the day it was opened on and which occurrences it took.
    struct Change {
        Event Draft;
        QDate Day;
        EventService::Occurrences Which = EventService::Occurrences::All;
    };
    const std::optional<Change> &LastChange() const { return m_lastChange; }
    // Every property from a stored event, shown on one of its dates (a repeating one from
    // its start, with the days it leaves out ticked off).
    void SetDraft(const Event &event, QDate date);

    // --- Operations -----------------------------------------------------------------
    // The event's dates, in date order: the date picker's for "Once", the year view's
    // selection for "Recurring", for "Repeat" the rule's days from the picker's date (to
    // its end, or RepeatRuleEditor::kOpenPreviewYears on) less those ticked off, with
    // those picked besides.
    QList<QDate> GetEventDates();
    void PopulateYearView();
    // Runs the check and, on conflicts, the dialog; reschedule is true when the user
    // wants to go back and change the event.
    void CheckForConflicts(bool &reschedule);

    // How the conflict dialog is shown (modal by default); tests answer it instead.
    using ConflictDialogRunner = std::function<void(frmConflict &)>;
    void SetConflictDialogRunner(ConflictDialogRunner runner) { m_runConflictDialog = std::move(runner); }
    // How a change of a repeating event's fields is said to be for which occurrences.
    static constexpr auto kChangeEventTitle = QT_TRANSLATE_NOOP("quillon::frmEvent", "Change Event");
    void SetOccurrenceChooser(OccurrenceChoice::Chooser chooser) { m_chooseOccurrences = std::move(chooser); }

    // --- Reactions ------------------------------------------------------------------
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdIcon_Click();
    void imgIcon_Click(int index);
    void chkAllDayEvent_Click();
    void cboStartTime_Click();
    void txtSubject_Change();
    void cboEventColor_Click();
    void optOnce_Click();
    void optRecurring_Click();
    void optRepeat_Click();
    // The user ticked a day on or off; under "Repeat" the rule's days left out and the
    // days picked besides follow.
    void SSYear1_SelectionChanged();
    // False (and the message shown) when the picker holds a day before today.
    bool dtEventDate_Validate();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    static constexpr int kDetailsPage = 0;
    static constexpr int kRecurrencePage = 1;
    static constexpr int kIconPreviewPixels = 32;
    // The time of the entry chosen in a time list, null when none is.
    static QTime SelectedTime(const QComboBox &times);

    void BuildDetailsPage(QWidget *page);
    void BuildRecurrencePage(QWidget *page);
    void Form_Load();
    void ShowIcon(int number); // 0: none
    // Shows the year view, and the rule's controls under "Repeat" only.
    void ShowRecurrenceChoice();
    // The repeat rule's days from the picker's date, in date order, none left out.
    QList<QDate> RuleDays() const;
    QList<QDate> RepeatDates() const;
    // Fills the year view with RepeatDates.
    void ShowRuleDays();
    // One call to the service; reported as frmEvent.AddEvent or frmEvent.UpdateEvent.
    bool SaveEvent();

    EventService &m_events;
    basQuillon::GeneralSettingsRecord &m_settings;
    DatesChanged m_datesChanged;
    ConflictDialogRunner m_runConflictDialog;
    OccurrenceChoice::Chooser m_chooseOccurrences;
    // The stored event as opened, on the day it was opened on: a change of its fields only
    // may be for that occurrence alone.
    QDate m_occurrenceDay;
    std::optional<Change> m_lastChange;
    QList<QDate> m_openedDates;
    std::optional<Recurrence> m_openedRule;

    bool m_loading = false;
    bool m_okPressed = false;
    QString m_subscription;
    QLabel *m_from = nullptr;
    bool m_validating = false;
    bool m_dateTouched = false;
    qint64 m_eventId = 0;
    int m_iconNumber = 0;

    QTabWidget *m_tabs;
    QLineEdit *m_subject;
    QLineEdit *m_location;
    QDateEdit *m_date;
    QLabel *m_startLabel;
    QComboBox *m_start;
    QLabel *m_endLabel;
    QComboBox *m_end;
    QCheckBox *m_allDay;
    QComboBox *m_color;
    // A stored colour the list does not offer (an older file, an import): shown as
    // "(Default)" and saved unchanged until the user picks a colour.
    QString m_keptColor;
    QComboBox *m_reminder;
    QLabel *m_calendarLabel;
    QComboBox *m_calendar;
    QPlainTextEdit *m_notes;
    QLabel *m_iconPicture;
    QPushButton *m_iconButton;
    IconPalette *m_palette;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QGroupBox *m_frame;
    QRadioButton *m_once;
    QRadioButton *m_recurring;
    QRadioButton *m_repeat;
    RepeatRuleEditor *m_repeatRule;
    // Under "Repeat": the rule's days the user ticked off, and the other days ticked on.
    QSet<QDate> m_excluded;
    QSet<QDate> m_extra;
    // The stored event's iCalendar, handed back with the draft.
    QByteArray m_component;
    QLabel *m_yearLabel;
    YearView *m_year;
};

} // namespace quillon
