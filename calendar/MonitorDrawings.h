// A desktop of several monitors: which of them show the month, where each one's
// drawing is written, and the one picture that spans them all for desktops that take
// a single picture.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

class QScreen;

namespace quillon {

namespace MonitorDrawings {

struct Monitor {
    QScreen *screen = nullptr;
    QString name;    // as the windowing system names it
    QRect pixels;    // its place on the whole desktop, in device pixels
    bool primary = false;
};

// The screens the application sees, the primary first, the others in the platform's order.
std::vector<Monitor> Monitors();

// Whether a monitor gets the month (the others get the background alone).
bool DrawsMonth(const QString &calendarMonitors, bool primary);

// The file of a monitor other than the primary, beside the wallpaper file:
// "wallpaper.bmp" and "HDMI-1" give "wallpaper.HDMI-1.bmp". Characters a file name
// should not carry become "_".
QString MonitorFile(const QString &wallpaperPath, const QString &monitorName);

// One picture of the whole desktop with each drawing at its monitor's place; what no
// monitor covers is filled.
struct Placed {
    QRect pixels;
    QImage image;
};
QImage Spanned(const std::vector<Placed> &drawings, const QColor &fill);

} // namespace MonitorDrawings

} // namespace quillon
