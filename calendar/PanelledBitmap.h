// The guard's translucent panels, and a drawing whose panels are laid only where texts
// stand on them: the rest is blended as the rows are written to the wallpaper file.
// A panel behind the whole grid covers a good part of the picture, and the picture is
// a private mapping of its cache file: blended in place, each page it covers would be
// copied first. Blended on the way out, in a band of rows used again and again, the
// picture's pages stay shared and the bytes written are the same.
#pragma once

#include <QColor>
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

struct PanelledBitmap {
    QImage image;               // device pixels (device-pixel ratio 1)
    qreal ratio = 1.0;          // device pixels per window coordinate
    std::vector<Panel> panels;  // all the panels of the drawing
    QRegion laid;               // where they are in image already, in the window's coordinates
};

// The panels laid into image (device pixels, ratio per window coordinate) within area
// (window coordinates), as the window's painter would lay them: in stripes of rows on
// two threads at once.
void LayPanels(QImage &image, qreal ratio, const std::vector<Panel> &panels, const QRegion &area);

// The whole drawing, every panel laid.
QImage Finished(const PanelledBitmap &bitmap);
// The drawing (Format_RGB32) as a 24-bit Windows bitmap (the bytes Qt's BMP writer gives
// for the finished image), the panels laid band by band as the rows go out.
bool WriteBmp(const PanelledBitmap &bitmap, QIODevice &device);

} // namespace quillon
