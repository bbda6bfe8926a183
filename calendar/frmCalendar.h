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
#include <vector>

class QScreen;

// The background picture, stretched over the whole control.
class StretchedPicture : public QWidget {
public:
    explicit StretchedPicture(QWidget *parent);
    // Reads a picture file scaled to the target size (from the cache when it was read
    // before). False, with the reason naming the file, when it cannot be used.
    bool LoadPicture(const QString &path, const QSize &targetSize, QString &reason);
    bool HasPicture() const { return !m_picture.isNull(); }
    // The file the picture shown was read from.
    const QString &LoadedPath() const { return m_loadedPath; }
    // Hands the picture over (to be drawn on in place); the control is empty afterwards.
    QImage TakePicture();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QString m_loadedPath;
};

// A text label with a transparent background. Over a picture it can draw a faint
// contrasting shadow one pixel off (with the legibility guard off), so light or dark
// text stays readable on a busy photo. A one-line label can also cut its text at its
// right edge with an ellipsis.
//
// With the legibility guard on, the label looks at the bitmap it is drawn into: when
// the pixels framing its glyphs do not reach the contrast it needs, it draws a halo of
// the opposite luminance around them first.
class CalendarLabel : public QLabel {
public:
    explicit CalendarLabel(QWidget *parent) : QLabel(parent) {}
    void SetShadow(bool on) { m_shadow = on; }
    void SetElided(bool on) { m_elided = on; }
    // The text as painted: cut with an ellipsis when it is elided and too long.
    QString ShownText() const;
    // Keeps the lines that fit entirely; when some do not, the last line that fits
    // becomes "+N more" (N the lines no longer shown). A day of a hundred events lays
    // out only the first few.
    void FitLines();
    // How many lines the last FitLines left out (0 when all fit).
    int HiddenLines() const { return m_hiddenLines; }

    // The guard: the bitmap being drawn (read at paint time; null = draw as set) and the
    // contrast the text must reach there.
    void SetGuard(const QImage *target, double requiredRatio);
    double RequiredRatio() const { return m_requiredRatio; }
    // Whether the last guarded paint drew a halo.
    bool HaloDrawn() const { return m_haloDrawn; }
    QColor TextColor() const { return palette().color(QPalette::WindowText); }
    // The text alone on a transparent layer, as the guard draws it, at the given
    // device-pixel ratio, for the part box of the label; and the coverage of the whole
    // label (Format_Alpha8, 255 = fully inked).
    QImage GlyphLayer(qreal ratio, const QRect &box) const;
    QImage GlyphCoverage(qreal ratio) const;
    // The box the text takes inside the label, in the label's coordinates.
    QRect TextBox() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int Flags() const;
    void PaintGuarded();

    bool m_shadow = false;
    bool m_elided = false;
    int m_hiddenLines = 0;
    const QImage *m_target = nullptr;
    double m_requiredRatio = 4.5;
    bool m_haloDrawn = false;
};

// Why the load sequence stopped: the step it reached and the error it met.
struct LoadFailure {
    int step = 0;
    int number = 0;
    QString description;
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
    // it): decides the panels behind busy parts and hands the labels the bitmap to look
    // at. Does nothing with the guard off. EndLegibility lets go of the bitmap.
    void BeginLegibility(const QImage *target);
    void EndLegibility();
    bool LegibilityGuard() const { return m_legibilityGuard; }
    // The translucent panels of the last rendering, in the window's coordinates.
    struct Panel {
        QRect rect;
        QColor color; // with its opacity
    };
    const std::vector<Panel> &Panels() const { return m_panels; }
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
    void PlaceLabels(const CalendarGrid::Layout &layout, double twipsPerPixelX, double twipsPerPixelY);
    void SetBackgroundColor(const QColor &color);
    void SetTextShadows(bool on);

    basQuillon::GeneralSettingsRecord m_settings;
    basCalendarFonts::CalendarFontSet m_fonts;
    bool m_clearCalendarMode = false;
    bool m_rotation = true;
    QScreen *m_screen = nullptr;
    basDatabase::EventStore *m_store = nullptr;
    bool m_formLoadSuccessful = false;
    LoadFailure m_loadFailure;
    // The events of the days ReadEvents read last, by day, in the store's order.
    QDate m_eventsFirst;
    QDate m_eventsLast;
    QHash<QDate, QList<basDatabase::EventRecord>> m_events;
    std::optional<CalendarGrid::Layout> m_lastLayout;
    bool m_legibilityGuard = true;
    std::vector<Panel> m_panels;
};
