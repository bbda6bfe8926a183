// One occurrence of an event as the range views (week, month with events, agenda)
// show it: already coloured and named, so the views need nothing of the store.
#pragma once

#include <QDate>
#include <QIcon>
#include <QLocale>
#include <QPalette>
#include <QString>
#include <QTime>

#include <cstdint>

namespace quillon {

struct ViewEvent {
    qint64 id = 0;  // the stored event, the caller's key
    QDate date;     // the day this occurrence is on
    bool allDay = false;
    QTime start;    // timed events only
    QTime end;
    QString name;
    std::int32_t color = -1; // colour value; -1 draws with the view's fill colour
    QIcon picture;
};

// The colour an occurrence is drawn in: its own, else the view's fill colour (-1: none
// set), else the palette's highlight.
QColor ViewEventColor(const ViewEvent &event, std::int32_t fill, const QPalette &palette);

// A time as the range views write it: the locale's short form, never with seconds.
QString ViewTimeText(const QLocale &locale, QTime time);

} // namespace quillon
