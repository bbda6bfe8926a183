#include "RepeatRuleEditor.h"

#include "platform/basPlatform.h"
#include "views/YearViewModel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>

#include <algorithm>

namespace quillon {

namespace {

using Freq = Recurrence::Frequency;

// The pages under "Repeats:": nothing more to choose, the weekdays, the day of the month.
constexpr int kNoDaysPage = 0;
constexpr int kWeekdaysPage = 1;
constexpr int kMonthPage = 2;

// The order of the weekday boxes until the user's week start is set.
constexpr int kWeekOrder[] = {Qt::Sunday, Qt::Monday, Qt::Tuesday, Qt::Wednesday, Qt::Thursday, Qt::Friday, Qt::Saturday};

QHBoxLayout *Row(QWidget *parent = nullptr)
{
    auto *row = parent ? new QHBoxLayout(parent) : new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    return row;
}

} // namespace

RepeatRuleEditor::RepeatRuleEditor(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RepeatRule"));
    m_freq = new QComboBox(this);
    m_freq->setObjectName(QStringLiteral("cboRepeats"));
    m_freq->addItem(tr("Daily"), int(Freq::Daily));
    m_freq->addItem(tr("Weekly"), int(Freq::Weekly));
    m_freq->addItem(tr("Monthly"), int(Freq::Monthly));
    m_freq->addItem(tr("Yearly"), int(Freq::Yearly));
    m_interval = new QSpinBox(this);
    m_interval->setObjectName(QStringLiteral("spnEvery"));
    m_interval->setRange(1, kMaxInterval);
    m_unit = new QLabel(this);
    m_unit->setObjectName(QStringLiteral("lblEveryUnit"));

    m_days = new QStackedWidget(this);
    m_days->addWidget(new QWidget);
    auto *weekPage = new QWidget;
    auto *weekRow = Row(weekPage);
    m_weekRow = weekRow;
    weekRow->addWidget(new QLabel(tr("On:", "the weekdays a weekly event repeats on"), weekPage));
    m_weekdays.resize(7);
    for (const int day : kWeekOrder) {
        auto *box = new QCheckBox(locale().dayName(day, QLocale::ShortFormat), weekPage);
        box->setObjectName(QStringLiteral("chkRepeatDay%1").arg(day));
        m_weekdays[day - 1] = box;
        weekRow->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { Changed(); });
    }
    weekRow->addStretch(1);
    m_days->addWidget(weekPage);

    auto *monthPage = new QWidget;
    m_onMonthDay = new QRadioButton(tr("On day"), monthPage);
    m_onMonthDay->setObjectName(QStringLiteral("optMonthDay"));
    m_monthDay = new QSpinBox(monthPage);
    m_monthDay->setObjectName(QStringLiteral("spnMonthDay"));
    m_monthDay->setRange(1, 31);
    m_onWeekday = new QRadioButton(tr("On the"), monthPage);
    m_onWeekday->setObjectName(QStringLiteral("optMonthWeekday"));
    m_weekOfMonth = new QComboBox(monthPage);
    m_weekOfMonth->setObjectName(QStringLiteral("cboWeekOfMonth"));
    const std::pair<const char *, int> weeks[] = {{"First", 1}, {"Second", 2}, {"Third", 3}, {"Fourth", 4}, {"Last", -1}};
    for (const auto &[text, week] : weeks)
        m_weekOfMonth->addItem(QLatin1String(text), week);
    m_monthWeekday = new QComboBox(monthPage);
    m_monthWeekday->setObjectName(QStringLiteral("cboMonthWeekday"));
    for (const int day : kWeekOrder)
        m_monthWeekday->addItem(locale().dayName(day), day);
    auto *monthGroup = new QButtonGroup(monthPage);
    monthGroup->addButton(m_onMonthDay);
    monthGroup->addButton(m_onWeekday);
    m_onMonthDay->setChecked(true);
    auto *monthRow = Row(monthPage);
    monthRow->addWidget(m_onMonthDay);
    monthRow->addWidget(m_monthDay);
    monthRow->addSpacing(16);
    monthRow->addWidget(m_onWeekday);
    monthRow->addWidget(m_weekOfMonth);
    monthRow->addWidget(m_monthWeekday);
    monthRow->addStretch(1);
    m_days->addWidget(monthPage);

    m_endNever = new QRadioButton(tr("Never"), this);
    m_endNever->setObjectName(QStringLiteral("optEndNever"));
    m_endOn = new QRadioButton(tr("On", "the repeat ends on a date"), this);
    m_endOn->setObjectName(QStringLiteral("optEndOn"));
    m_endDate = new QDateEdit(this);
    m_endDate->setObjectName(QStringLiteral("dtEndDate"));
    m_endDate->setCalendarPopup(true);
    m_endDate->setDateRange(QDate(YearViewModel::kMinimumYear, 1, 1), QDate(YearViewModel::kMaximumYear, 12, 31));
    m_endAfter = new QRadioButton(tr("After"), this);
    m_endAfter->setObjectName(QStringLiteral("optEndAfter"));
    m_count = new QSpinBox(this);
    m_count->setObjectName(QStringLiteral("spnEndCount"));
    m_count->setRange(1, kMaxCount);
    m_count->setValue(kDefaultCount);
    auto *endGroup = new QButtonGroup(this);
    for (QRadioButton *end : {m_endNever, m_endOn, m_endAfter})
        endGroup->addButton(end);
    m_endNever->setChecked(true);

    auto *repeatsLabel = new QLabel(tr("Repeats:"), this);
    repeatsLabel->setBuddy(m_freq);
    auto *everyLabel = new QLabel(tr("Every"), this);
    everyLabel->setBuddy(m_interval);
    auto *endsLabel = new QLabel(tr("Ends:"), this);
    endsLabel->setBuddy(m_endNever);
    auto *freqRow = Row();
    freqRow->addWidget(m_freq);
    freqRow->addSpacing(16);
    freqRow->addWidget(everyLabel);
    freqRow->addWidget(m_interval);
    freqRow->addWidget(m_unit);
    freqRow->addStretch(1);
    auto *endRow = Row();
    endRow->addWidget(m_endNever);
    endRow->addSpacing(8);
    endRow->addWidget(m_endOn);
    endRow->addWidget(m_endDate);
    endRow->addSpacing(8);
    endRow->addWidget(m_endAfter);
    endRow->addWidget(m_count);
    endRow->addWidget(new QLabel(tr("occurrences"), this));
    endRow->addStretch(1);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(repeatsLabel, 0, 0);
    grid->addLayout(freqRow, 0, 1);
    grid->addWidget(m_days, 1, 1);
    grid->addWidget(endsLabel, 2, 0);
    grid->addLayout(endRow, 2, 1);
    grid->setColumnStretch(1, 1);

    connect(m_freq, &QComboBox::currentIndexChanged, this, [this] {
        ShowFrequency();
        Changed();
    });
    connect(m_interval, &QSpinBox::valueChanged, this, [this] {
        ShowFrequency();
        Changed();
    });
    for (QRadioButton *option : {m_onMonthDay, m_onWeekday, m_endNever, m_endOn, m_endAfter}) {
        connect(option, &QRadioButton::toggled, this, [this](bool checked) {
            ShowFrequency();
            if (checked)
                Changed();
        });
    }
    connect(m_monthDay, &QSpinBox::valueChanged, this, [this] { Changed(); });
    connect(m_weekOfMonth, &QComboBox::currentIndexChanged, this, [this] { Changed(); });
    connect(m_monthWeekday, &QComboBox::currentIndexChanged, this, [this] { Changed(); });
    connect(m_endDate, &QDateEdit::dateChanged, this, [this] { Changed(); });
    connect(m_count, &QSpinBox::valueChanged, this, [this] { Changed(); });

    m_freq->setCurrentIndex(m_freq->findData(int(Freq::Weekly)));
    SetStart(basPlatform::Today());
    ShowFrequency();
}

int RepeatRuleEditor::WeekOfMonthOf(QDate day)
{
    const int week = (day.day() - 1) / 7 + 1;
    return week > 4 ? -1 : week;
}

void RepeatRuleEditor::SetStart(QDate start)
{
    if (!start.isValid() || start == m_start)
        return;
    const QDate previous = m_start;
    m_start = start;
    const bool setting = m_setting;
    m_setting = true;
    PrimeFromStart(previous);
    m_setting = setting;
    Changed();
}

void RepeatRuleEditor::PrimeFromStart(QDate previous)
{
    const auto follows = [&](bool sameAsPrevious) { return !previous.isValid() || sameAsPrevious; };
    QList<int> checked;
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day) {
        if (m_weekdays[day - 1]->isChecked())
            checked << day;
    }
    if (checked.isEmpty() || follows(checked == QList<int>{previous.dayOfWeek()})) {
        for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
            m_weekdays[day - 1]->setChecked(day == m_start.dayOfWeek());
    }
    if (follows(m_monthDay->value() == previous.day()))
        m_monthDay->setValue(m_start.day());
    if (follows(m_weekOfMonth->currentData().toInt() == WeekOfMonthOf(previous) &&
                m_monthWeekday->currentData().toInt() == previous.dayOfWeek())) {
        m_weekOfMonth->setCurrentIndex(m_weekOfMonth->findData(WeekOfMonthOf(m_start)));
        m_monthWeekday->setCurrentIndex(m_monthWeekday->findData(m_start.dayOfWeek()));
    }
    m_endDate->setMinimumDate(m_start);
    if (!m_endOn->isChecked())
        m_endDate->setDate(m_start.addYears(1));
}

Recurrence RepeatRuleEditor::Rule() const
{
    Recurrence rule;
    rule.Freq = Freq(m_freq->currentData().toInt());
    rule.Interval = m_interval->value();
    if (rule.Freq == Freq::Weekly) {
        for (int day = Qt::Monday; day <= Qt::Sunday; ++day) {
            if (m_weekdays[day - 1]->isChecked())
                rule.Weekdays << day;
        }
    } else if (rule.Freq == Freq::Monthly) {
        if (m_onWeekday->isChecked()) {
            rule.WeekOfMonth = m_weekOfMonth->currentData().toInt();
            rule.Weekday = m_monthWeekday->currentData().toInt();
        } else {
            rule.MonthDay = m_monthDay->value();
        }
    }
    if (m_endOn->isChecked())
        rule.Until = m_endDate->date();
    else if (m_endAfter->isChecked())
        rule.Count = m_count->value();
    return rule;
}

void RepeatRuleEditor::SetFirstDayOfWeek(Qt::DayOfWeek first)
{
    QWidget *previous = nullptr;
    for (int k = 0; k < 7; ++k) {
        QCheckBox *box = m_weekdays[(first - 1 + k) % 7];
        m_weekRow->removeWidget(box);
        m_weekRow->insertWidget(1 + k, box);
        if (previous)
            setTabOrder(previous, box);
        previous = box;
    }
}

void RepeatRuleEditor::SetRule(const Recurrence &rule)
{
    m_setting = true;
    m_freq->setCurrentIndex(std::max(0, m_freq->findData(int(rule.Freq))));
    m_interval->setValue(std::clamp(rule.Interval, 1, kMaxInterval));
    // What the rule leaves open is the start's.
    PrimeFromStart(QDate());
    if (rule.Freq == Freq::Weekly && !rule.Weekdays.isEmpty()) {
        for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
            m_weekdays[day - 1]->setChecked(rule.Weekdays.contains(day));
    }
    const int week = rule.Freq == Freq::Monthly ? m_weekOfMonth->findData(rule.WeekOfMonth) : -1;
    const int weekday = m_monthWeekday->findData(rule.Weekday);
    if (week >= 0 && weekday >= 0) {
        m_onWeekday->setChecked(true);
        m_weekOfMonth->setCurrentIndex(week);
        m_monthWeekday->setCurrentIndex(weekday);
    } else {
        m_onMonthDay->setChecked(true);
        if (rule.Freq == Freq::Monthly && rule.MonthDay >= 1 && rule.MonthDay <= 31)
            m_monthDay->setValue(rule.MonthDay);
    }
    if (rule.Until.isValid()) {
        m_endOn->setChecked(true);
        m_endDate->setDate(rule.Until);
    } else if (rule.Count > 0) {
        m_endAfter->setChecked(true);
        m_count->setValue(std::min(rule.Count, kMaxCount));
    } else {
        m_endNever->setChecked(true);
    }
    m_setting = false;
    ShowFrequency();
    Changed();
}

QDate RepeatRuleEditor::PreviewLast(const Recurrence &rule, QDate start, QDate today)
{
    const QDate lastShown(YearViewModel::kMaximumYear, 12, 31);
    if (rule.Until.isValid())
        return std::min(rule.Until, lastShown);
    if (rule.Count > 0)
        return lastShown; // the count ends it
    return std::min(std::max(start, today).addYears(kOpenPreviewYears), lastShown);
}

QString RepeatRuleEditor::UnitText(Recurrence::Frequency freq, int interval)
{
    const bool one = interval == 1;
    switch (freq) {
    case Freq::Daily:
        return one ? tr("day") : tr("days");
    case Freq::Weekly:
        return one ? tr("week") : tr("weeks");
    case Freq::Monthly:
        return one ? tr("month") : tr("months");
    case Freq::Yearly:
        break;
    }
    return one ? tr("year") : tr("years");
}

void RepeatRuleEditor::ShowFrequency()
{
    const Freq freq = Freq(m_freq->currentData().toInt());
    m_unit->setText(UnitText(freq, m_interval->value()));
    m_days->setCurrentIndex(freq == Freq::Weekly ? kWeekdaysPage : freq == Freq::Monthly ? kMonthPage : kNoDaysPage);
    m_monthDay->setEnabled(m_onMonthDay->isChecked());
    m_weekOfMonth->setEnabled(m_onWeekday->isChecked());
    m_monthWeekday->setEnabled(m_onWeekday->isChecked());
    m_endDate->setEnabled(m_endOn->isChecked());
    m_count->setEnabled(m_endAfter->isChecked());
}

void RepeatRuleEditor::Changed()
{
    if (!m_setting)
        emit RuleChanged();
}

} // namespace quillon
