// The month view: Qt's calendar grid, Sunday first, with named style sets, marks of
// dates with them, today framed, and a selectable range. The grid arithmetic (the
// three displayed months) lives in MonthViewModel.
//
// DaySelected is raised whenever the user changes the selected day (mouse or keys)
// and on every SelectDate and SetDate, even when the day was selected already, so a
// caller can reload the shown day by selecting it again. DisplayedMonthsChanged is
// raised whenever the grid moves to another month, by the user or by a call, before
// the DaySelected that a move by selection brings.
#pragma once

#include "views/MonthViewModel.h"

#include <QDate>
#include <QWidget>

class QCalendarWidget;

namespace quillon {

class MonthView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinimumYear = 1900;

    explicit MonthView(QWidget *parent = nullptr);

    // The day of the first column (basLocale::FirstDayOfWeek of the settings).
    void SetFirstDayOfWeek(Qt::DayOfWeek day);

    // Style sets and marks (colour values; -1 keeps the view's own colour).
    void AddStyleSet(const QString &name, std::int32_t backColor, std::int32_t textColor, bool bold);
    std::optional<MonthStyleSet> StyleSet(const QString &name) const;
    QStringList StyleSets() const;
    void MarkDate(const QDate &date, const QString &styleSetName);
    QString MarkOf(const QDate &date) const;
    void ResetMarks();

    // Selects the day (the grid moves to it when needed) and raises DaySelected.
    // False, and nothing happens, for a date outside the selectable range.
    bool SelectDate(const QDate &date);
    // The selected day; setting it moves the grid to that day's month and selects it.
    QDate Date() const;
    bool SetDate(const QDate &date);

    // Month i (0 the earliest, 1 the shown month, 2 the latest) whose days the grid shows.
    GridMonth DisplayedMonth(int i) const;

    // 1900-01-01 to 2100-12-31 unless set.
    void SetSelectableRange(const QDate &minimum, const QDate &maximum);
    QDate MinimumDate() const;
    QDate MaximumDate() const;

    const MonthViewModel &Model() const { return m_model; }
    // The calendar inside, for tests and for the look (fonts, grid).
    QCalendarWidget *Calendar() const { return m_calendar; }

signals:
    void DaySelected(const QDate &date);
    void DisplayedMonthsChanged();

private:
    void ApplyMark(const QDate &date);
    void OnPageChanged(int year, int month);
    void OnSelectionChanged();

    MonthViewModel m_model;
    QCalendarWidget *m_calendar;
    bool m_programmatic = false;
};

} // namespace quillon
