// The calendar window: the background picture or colour with the month grid on top.
// It is never put on the screen; basDesktopWallpaper renders it straight into the
// wallpaper bitmap at the screen's size.
#pragma once

#include "CalendarGrid.h"
#include "CalendarLabel.h"
#include "MonthEvents.h"
#include "PanelledBitmap.h"
#include "StretchedPicture.h"
#include "basCalendarFonts.h"
#include "basQuillon.h"

#include <QDate>
#include <QImage>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QScreen;

namespace quillon {

// Why the load sequence stopped: the step it reached and the error it met.
struct LoadFailure {
    int step = 0;
    int number = 0;
    QString description; // in English, for error.log
    QString shown;       // in the user's language, for a window; empty: the description
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
    // After a load that did not succeed: its cause, naming the file, key or value.
    const LoadFailure &LoadFailureCause() const { return m_loadFailure; }

    // The picture rotation, which saves the picture it moves to, runs in Form_Load
    // unless turned off (a preview shows the picture it is given and writes nothing).
    void SetRotation(bool on) { m_rotation = on; }
    // The settings as the load left them (the rotation moves WallpaperFile on).
    const basQuillon::GeneralSettingsRecord &Settings() const { return m_settings; }
    // The weekday of the grid's first column.
    Qt::DayOfWeek WeekStart() const;
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
    // The background picture when it covers the bitmap exactly and opaquely, handed
    // over so the bitmap can be drawn on it in place; otherwise a null image and the
    // picture stays.
    QImage TakeBackground();

    // The legibility guard around one rendering into target (the background already in
    // it): measures every text's ring on it, plans the panels and gives each label its
    // means. EndLegibility checks the finished bitmap, mends a text that still misses
    // its ratio, and lets go. Both do nothing with the guard off. inPlace: the texts
    // will be drawn into target (not handed to TextsForLater).
    void BeginLegibility(QImage *target, bool inPlace = true);
    void EndLegibility(QImage &image);
    // The guarded texts handed to the writing of the file instead (in the order the
    // window draws them; they draw nothing in it meanwhile), and the check on what
    // their rings read there: true when every text reached its ratio (the guard lets
    // go); false leaves them to EndLegibility on the drawing finished in place.
    std::vector<LaidText> TextsForLater();
    bool EndLegibility(const RingPixels &rings);
    bool LegibilityGuard() const { return m_legibilityGuard; }
    // How much the guard grew the texts and the grid so events reach a readable size
    // on this screen (1: not at all).
    double TextScale() const { return m_textScale; }
    // The translucent panels of the last rendering, in the window's coordinates.
    using Panel = quillon::Panel;
    const std::vector<Panel> &Panels() const { return m_panels; }
    // The panels left to the writing of the file (PanelledBitmap), or painted by the
    // window again.
    void SetPanelsLater(bool later) { m_panelsLater = later; }
    // Every label that shows text (for checks).
    std::vector<CalendarLabel *> TextLabels() const;

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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Where cell's tile lies on the grid's panel: the whole cell, meeting its neighbours'.
    QRect CellTile(int cell) const;
    void PlaceLabels(const CalendarGrid::Layout &layout, double twipsPerPixelX, double twipsPerPixelY);
    void SetBackgroundColor(const QColor &color);
    void SetTextShadows(bool on);
    void GrowSmallTexts();

    basQuillon::GeneralSettingsRecord m_settings;
    basCalendarFonts::CalendarFontSet m_fonts;
    bool m_clearCalendarMode = false;
    bool m_rotation = true;
    QScreen *m_screen = nullptr;
    bool m_formLoadSuccessful = false;
    LoadFailure m_loadFailure;
    // The events of the days ReadEvents read last.
    MonthEvents m_events;
    std::optional<CalendarGrid::Layout> m_lastLayout;
    bool m_legibilityGuard = true;
    double m_textScale = 1.0;
    std::vector<Panel> m_panels;
    bool m_panelsLater = false;
    std::vector<CalendarLabel *> m_textsLater; // in the order of TextsForLater
};

} // namespace quillon
