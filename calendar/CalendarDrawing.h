// Drawing the desktop calendar into a bitmap: what the renderer writes to the wallpaper
// file, and what the options dialog previews. Both go through here, so a preview is the
// renderer's own picture, not a look-alike.
#pragma once

#include "PanelledBitmap.h"
#include "basCalendarFonts.h"
#include "basQuillon.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

class QScreen;

namespace quillon {

class frmCalendar;

namespace basDatabase {
class EventStore;
}

namespace CalendarDrawing {

// Exactly what the full-screen window shows, at the screen's physical pixel size.
QImage RenderWindow(frmCalendar &window);
// The same with the guard's panels and texts left to the writing of the file
// (PanelledBitmap), and its check of the finished drawing with them
// (frmCalendar::EndLegibility of the rings written): the picture is only read.
PanelledBitmap RenderPanelsLater(frmCalendar &window);

// A drawing for a preview: with these values (not the stored ones), on the screen
// given (the primary one when null), with the days' events read from store. It writes
// nothing: the picture rotation does not run, the picture shown is the one given.
struct Preview {
    QImage image;     // at the screen's pixel size; null when not drawn
    QRect today;      // today's cell in image, device pixels; empty when not shown
    QString notDrawn; // why the renderer would not draw with these values (the desktop keeps its wallpaper)
};
Preview DrawPreview(const basQuillon::GeneralSettingsRecord &settings, const basCalendarFonts::CalendarFontSet &fonts,
                    bool backgroundOnly, basDatabase::EventStore *store, QScreen *screen = nullptr);

// The drawing reduced to fit box, its shape kept: the one transform between a drawing
// and what a preview pane shows.
QImage FitInto(const QImage &drawing, const QSize &box);
// The part of the drawing of that size, pixel for pixel, centred on around and kept
// inside the drawing: how a text really looks on the desktop.
QImage CropAround(const QImage &drawing, const QRect &around, const QSize &size);

} // namespace CalendarDrawing

} // namespace quillon
