// The wallpaper bitmap: the calendar window rendered at the screen's pixel size into
// wallpaper.bmp, and the switch of the desktop to that file.
#pragma once

#include "platform/WallpaperSetter.h"

#include <QImage>
#include <QString>

#include <vector>

namespace quillon {

class frmCalendar;

namespace basDesktopWallpaper {

// Exactly what the full-screen window shows, at the screen's physical pixel size
// (CalendarDrawing::RenderWindow).
QImage RenderWindow(frmCalendar &window);

// Renders the window and replaces the file at path in one step: a reader (or a run
// killed halfway) sees the old file or the new one, never a part. Reports nothing;
// false when the file was not replaced.
bool CaptureWindowToFile(frmCalendar &window, const QString &path);
// The same for a drawing already made.
bool WriteBitmap(const QImage &image, const QString &path);

// Shows the bitmap as the desktop wallpaper; when no desktop can take it, says why
// on stderr and leaves the file in place. True when the desktop was there but not
// ready to take it, so a later try may succeed.
bool SetDesktopWallpaper(const QString &path);
// The same with each monitor's own file, the primary monitor's first.
bool SetDesktopWallpaper(basPlatform::WallpaperSetter &setter, const std::vector<basPlatform::MonitorPicture> &pictures);

} // namespace basDesktopWallpaper

} // namespace quillon
