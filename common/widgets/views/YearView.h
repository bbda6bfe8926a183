// The year view: the twelve months of one year, with buttons to the year before and
// after, in which the user selects and deselects single days by clicking them (or by
// Space and Enter on the day under the keyboard cursor). Weeks start on Sunday,
// as in the month view. The selection may hold days of any year; it is kept in date order.
//
// Keys: arrows move the cursor a day or a week, Page Up/Down a month, Ctrl+Page
// Up/Down a year, Home/End to the first and last day of the month; the shown year
// follows the cursor.
#pragma once

#include "views/YearViewModel.h"

#include <QWidget>

class QLabel;
class QToolButton;

namespace quillon {

class YearGrid;

class YearView : public QWidget {
    Q_OBJECT

public:
    explicit YearView(QWidget *parent = nullptr);

    // The day of the first column (basLocale::FirstDayOfWeek of the settings).
    void SetFirstDayOfWeek(Qt::DayOfWeek day);

    // Clears the selection. The next AddDate also brings its year into view, so a view
    // filled with "clear, add the first day, add the rest" opens on the first day's year.
    void Clear();
    // Adds one day; false when invalid or already selected.
    bool AddDate(const QDate &date);
    int SelectedCount() const;
    // The i-th selected day, from the earliest (i from 0); an invalid date for an i
    // outside 0..count-1.
    QDate SelectedDate(int i) const;
    bool IsSelected(const QDate &date) const;

    int Year() const;
    void SetYear(int year);
    void NextYear();
    void PreviousYear();

    // Where a day of the shown year is drawn, in this widget's coordinates (empty for a
    // day of another year), and the day at a point (invalid over no day).
    QRect DateRect(const QDate &date) const;
    QDate DateAt(QPoint point) const;

    const YearViewModel &Model() const { return m_model; }

signals:
    // The user selected or deselected a day.
    void SelectionChanged();

private:
    friend class YearGrid;
    void YearChanged();

    YearViewModel m_model;
    bool m_followNextAdd = true;
    QToolButton *m_previous;
    QToolButton *m_next;
    QLabel *m_yearLabel;
    YearGrid *m_grid;
};

} // namespace quillon
