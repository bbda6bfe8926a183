// What the event commands need from the main window: the shown day, its views, its
// all-day events, the toolbar and the program's shared state. The main window
// implements it; tests use a stand-in.
#pragma once

#include "Event.h"
#include "basQuillon.h"

#include <QDate>
#include <QList>
#include <QString>

namespace quillon {

class DayView;

class SchedulerCommandHost {
public:
    struct AllDayEntry {
        qint64 EventID = 0;
        QString EventName;
    };

    virtual ~SchedulerCommandHost() = default;

    // The program's settings; the conflict check and Options change them.
    virtual basQuillon::GeneralSettingsRecord &Settings() = 0;
    // A save or delete touched these dates (the desktop calendar may need drawing).
    virtual void NoteEventDatesChanged(const QList<QDate> &dates) = 0;

    virtual DayView &SSDay() = 0;
    virtual QDate CurrentDate() const = 0;
    // Shows one event in the day view, or among the all-day events of the caption.
    virtual void AddEventToDayView(const Event &event) = 0;
    virtual void UpdateDayViewCaption(const QString &dateColor) = 0;
    virtual void UpdateMonthView() = 0;
    // The settings' WeekStartsOn changed: the views start their weeks anew.
    virtual void WeekStartChanged() {}
    // Selects CurrentDate in the month view, which reloads the shown day.
    virtual void SelectCurrentDateInMonthView() = 0;
    // The all-day events of the shown day, in order.
    virtual QList<AllDayEntry> AllDayEvents() const = 0;

    virtual void SetToolbarEditEnabled(bool enabled) = 0;
    virtual void SetToolbarDeleteEnabled(bool enabled) = 0;
    virtual void EnableRefreshButton() = 0;
};

} // namespace quillon
