// The calendar window: the background picture or colour with the month grid on top.
// It is never put on the screen; basDesktopWallpaper renders it straight into the
// wallpaper bitmap at the screen's size.
#pragma once

#include "CalendarGrid.h"
#include "EventStore.h"
#include "basCalendarFonts.h"
#include "basQuillon.h"

#include <QDate>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

class QScreen;

// The background picture, stretched over the whole control.
class StretchedPicture : public QWidget {
public:
    explicit StretchedPicture(QWidget *parent);
    // Reads a JPEG, GIF or BMP file; decodes a large one straight at about the
    // target size. False when the file is missing or no picture.
    bool LoadPicture(const QString &path, const QSize &targetSize);
    bool HasPicture() const { return !m_picture.isNull(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
};

// A text label with a transparent background. Over a picture it can draw a faint
// contrasting shadow one pixel off, so light or dark text stays readable on a busy photo.
class CalendarLabel : public QLabel {
public:
    explicit CalendarLabel(QWidget *parent) : QLabel(parent) {}
    void SetShadow(bool on) { m_shadow = on; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_shadow = false;
};

class frmCalendar : public QWidget {
public:
    // What the window draws with: the settings record and the calendar fonts as the
    // program read them, whether it draws only the background ("-1"), and the store it
    // reads the days' events and colours from (without one the grid shows the days
    // alone, and the failed read is reported).
    frmCalendar(basQuillon::GeneralSettingsRecord settings, basCalendarFonts::CalendarFontSet fonts,
                bool clearCalendarMode = false, QScreen *screen = nullptr, basDatabase::EventStore *store = nullptr);

    // The load sequence: settings-dependent background, then the grid. Never throws;
    // FormLoadSuccessful tells whether it went through.
    void Form_Load();
    bool FormLoadSuccessful() const { return m_formLoadSuccessful; }

    void ChangeWallpaper();
    void ClearCalendar();
    void LoadCalendar();
    void ResizeCalendar();
    void SetFonts_Error();
    // The shown lines of one day, from the days read last (ReadEvents) or, for a day
    // outside them, from one read of that day.
    void GetEvents(const QString &dateText, QString &timedEvents, QString &allDayText);
    // Reads the events of firstDate to lastDate with one query. A failed read leaves
    // those days empty and is reported once.
    void ReadEvents(QDate firstDate, QDate lastDate);
    static void SortCollection_Error(QStringList &entries);

    // The screen the window covers and the size of the bitmap it makes, in pixels.
    QScreen *TargetScreen() const { return m_screen; }
    QSize PhysicalSize() const;

    // Window state, set while the window loads.
    std::int16_t CurrentMonth = 0;
    std::int16_t CurrentYear = 0;
    QString TodayKey;
    QString FirstDayOfMonth;
    std::int16_t DaysInMonth = 0;

    // Controls.
    StretchedPicture *imgBackground = nullptr;
    CalendarLabel *lblMonth = nullptr;
    std::array<CalendarLabel *, CalendarGrid::kColumns> lblDayOfWeek{};
    std::array<CalendarLabel *, CalendarGrid::kCellCount> lblDayNumber{};
    std::array<CalendarLabel *, CalendarGrid::kCellCount> lblDayAllDayEvents{};
    std::array<CalendarLabel *, CalendarGrid::kCellCount> lblDayEvents{};

    // The layout ResizeCalendar placed last (for checks and benchmarks).
    const std::optional<CalendarGrid::Layout> &LastLayout() const { return m_lastLayout; }

private:
    void PlaceLabels(const CalendarGrid::Layout &layout, double twipsPerPixelX, double twipsPerPixelY);
    void SetBackgroundColor(const QColor &color);
    void SetTextShadows(bool on);

    basQuillon::GeneralSettingsRecord m_settings;
    basCalendarFonts::CalendarFontSet m_fonts;
    bool m_clearCalendarMode = false;
    QScreen *m_screen = nullptr;
    basDatabase::EventStore *m_store = nullptr;
    bool m_formLoadSuccessful = false;
    // The events of the days ReadEvents read last, by day, in the store's order.
    QDate m_eventsFirst;
    QDate m_eventsLast;
    QHash<QDate, QList<basDatabase::EventRecord>> m_events;
    std::optional<CalendarGrid::Layout> m_lastLayout;
};
