// What the main window's commands need from the main window: the shown day, its views
// and its list of all-day events. The main window implements it; tests use a stand-in.
#pragma once

#include "EventStore.h"

#include <QString>
#include <QStringList>

class SchedulerCommandHost {
public:
    virtual ~SchedulerCommandHost() = default;

    // The shown day, "m/dd/yyyy".
    virtual QString CurrentDate() const = 0;
    // Shows one event in the day view, or among the all-day events of the caption.
    virtual void AddEventToDayView(const basDatabase::EventRecord &event) = 0;
    virtual void UpdateDayViewCaption(const QString &dateColor) = 0;
    virtual void UpdateMonthView() = 0;
    // Selects CurrentDate in the month view, which reloads the shown day.
    virtual void SelectCurrentDateInMonthView() = 0;
    // The all-day events of the shown day, in order, each "id|name".
    virtual QStringList AllDayEvents() const = 0;
    virtual void RemoveAllDayEvent(const QString &eventId) = 0;
};
