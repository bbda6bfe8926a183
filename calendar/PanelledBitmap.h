// The guard's translucent panels and texts, and a drawing that leaves them to the
// writing of the wallpaper file: they are blended band by band as the rows go out.
// The picture is a private mapping of its cache file: drawn on in place, each page a
// panel or a text covers would be copied first (at 4K the grid's texts cover half the
// picture). Blended on the way out, in a few bands of rows used again and again, the
// picture's pages stay shared and the bytes written are the same. The texts' rings are
// read back from the rows as written, for the guard's check of the finished drawing.
#pragma once

#include <QColor>
#include <QPoint>
#include <QImage>
#include <QRect>
#include <QRegion>

#include <vector>

class QIODevice;
class QPainter;

namespace quillon {

struct Panel {
    QRect rect;   // in the window's coordinates
    QColor color; // with its opacity
    bool square = false; // a cell of the grid, meeting its neighbours without a notch
};

// The panels as the window draws them, in order, each over the ones before.
void PaintPanels(QPainter &painter, const std::vector<Panel> &panels);

// A text drawn over the panels on the way out, as the window draws a guarded text: its
// outline (if any) in one colour, then its glyphs in another.
struct LaidText {
    QPoint origin;                // the coverage's top-left corner, device pixels
    QImage coverage;              // Format_Alpha8
    QRgb color = 0;
    QImage outline;               // the outline's coverage (Format_Alpha8), or null
    QRgb outlineColor = 0;
    const std::vector<QPoint> *ring = nullptr; // the coverage's, row by row; the label's own
};

struct PanelledBitmap {
    QImage image;               // device pixels (device-pixel ratio 1)
    qreal ratio = 1.0;          // device pixels per window coordinate
    std::vector<Panel> panels;  // all the panels of the drawing
    QRegion laid;               // where they are in image already, in the window's coordinates
    std::vector<LaidText> texts; // not in image yet: drawn over every panel, in order
};

// The pixels under each text's ring in the finished drawing, in the order of texts.
using RingPixels = std::vector<std::vector<QRgb>>;

// The whole drawing, every panel laid and every text drawn; with rings, what each
// text's ring reads on it.
QImage Finished(const PanelledBitmap &bitmap, RingPixels *rings = nullptr);
// The drawing (Format_RGB32) as a 24-bit Windows bitmap (the bytes Qt's BMP writer gives
// for the finished image), the panels laid and the texts drawn band by band as the rows
// go out; with rings, what each text's ring reads in the rows written.
bool WriteBmp(const PanelledBitmap &bitmap, QIODevice &device, RingPixels *rings = nullptr);

} // namespace quillon
