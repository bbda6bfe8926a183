// The controls of a repeat rule on the editor's recurrence page: how often ("Repeats:"),
// every how many, on which weekdays or which day of the month, and the end (never, on a
// date, after a number of times). They describe a Recurrence that starts on Start();
// the start primes what the rule leaves to it (the weekday, the day of the month).
#pragma once

#include "Recurrence.h"

#include <QDate>
#include <QList>
#include <QWidget>

class QCheckBox;
class QHBoxLayout;
class QComboBox;
class QDateEdit;
class QLabel;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

namespace quillon {

class RepeatRuleEditor : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxInterval = 999;
    static constexpr int kMaxCount = 9999;
    static constexpr int kDefaultCount = 10;
    // A rule without end is shown this many years past its start (or today, when it
    // started earlier).
    static constexpr int kOpenPreviewYears = 5;

    explicit RepeatRuleEditor(QWidget *parent = nullptr);

    QDate Start() const { return m_start; }
    // The rule's first day, and the earliest end date. The weekday and the day of the
    // month that followed the old start follow the new one; what the user chose stays.
    void SetStart(QDate start);
    // The rule as the controls describe it: weekdays, day of the month or week of the
    // month always named.
    Recurrence Rule() const;
    // The controls from a rule that starts on Start().
    void SetRule(const Recurrence &rule);
    // The weekday boxes in the order of the user's week, as the year view below them.
    void SetFirstDayOfWeek(Qt::DayOfWeek first);

    // The last day a rule's days are looked for: its end date, else kOpenPreviewYears
    // past the later of start and today.
    static QDate PreviewLast(const Recurrence &rule, QDate start, QDate today);
    // The unit after "Every": "day", "weeks" ...
    static QString UnitText(Recurrence::Frequency freq, int interval);

signals:
    // The user (or SetRule, SetStart) changed the rule.
    void RuleChanged();

private:
    // The week of the month and weekday that name the start ("the second Tuesday").
    static int WeekOfMonthOf(QDate day);
    void PrimeFromStart(QDate previous);
    void ShowFrequency();
    void Changed();

    QDate m_start;
    bool m_setting = false;
    QComboBox *m_freq;
    QSpinBox *m_interval;
    QLabel *m_unit;
    QStackedWidget *m_days;
    QList<QCheckBox *> m_weekdays; // Qt::Monday .. Qt::Sunday
    QHBoxLayout *m_weekRow = nullptr; // "On:", then the boxes in the week's order
    QRadioButton *m_onMonthDay;
    QSpinBox *m_monthDay;
    QRadioButton *m_onWeekday;
    QComboBox *m_weekOfMonth;
    QComboBox *m_monthWeekday;
    QRadioButton *m_endNever;
    QRadioButton *m_endOn;
    QDateEdit *m_endDate;
    QRadioButton *m_endAfter;
    QSpinBox *m_count;
};

} // namespace quillon
