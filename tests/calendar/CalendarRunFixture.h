// Runs the real calendar program on the test's own data folder, settings, clock and
// offscreen screen, and looks at the bitmap it writes.
#pragma once

#include "QuillonTestEnvironment.h"

#include <QDate>
#include <QFile>
#include <QImage>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

namespace quillon {

namespace calendartest {

struct RunResult {
    int exitCode = -1;
    bool finished = false;
    QString out;
    QString err;
};

class CalendarRun : public quillontest::QuillonTest {
protected:
    void SetUp() override;

    void SetScreen(int width, int height, double dpr = 1.0, int logicalDpi = 96);
    void SetToday(const QDate &today) { m_today = today; }
    void Option(const char *name, const QString &value);
    // An empty store, then the events: (name, all-day, start "h:mm AM", date).
    void CreateDatabase();
    void AddEvent(const QString &name, bool allDay, const QString &start, const QDate &date);

    RunResult Run(const QStringList &arguments = {}, int killAfterMs = -1);
    QString WallpaperPath() const { return TempPath(QStringLiteral("wallpaper.bmp")); }
    QImage Wallpaper() const { return QImage(WallpaperPath()).convertToFormat(QImage::Format_RGB32); }
    static QByteArray ReadBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString ErrorLog() const { return ReadDataFile(QStringLiteral("error.log")); }
    QString CacheDir() const { return TempPath(QStringLiteral("cache")); }

    // An RGB PNG of one colour, made without holding the picture in memory as pixels.
    // With rowsStored below height the pixel data stops early (a picture that only
    // claims its size).
    static bool WritePng(const QString &path, int width, int height, QRgb color, int rowsStored = -1);

    // The bounding box of the pixels of that colour (or, with matching false, of every other).
    static QRect Box(const QImage &image, QRgb color, bool matching);
    static QRect InkBox(const QImage &image, QRgb background) { return Box(image, background, false); }
    static QRect ColorBox(const QImage &image, QRgb color) { return Box(image, color, true); }

    QDate m_today{2026, 12, 7};
    bool m_noDisplay = false;   // no platform chosen and no display: the program picks one
    QProcessEnvironment m_desktopEnv; // a real desktop's variables, in place of the offscreen screen
    QStringList m_runAs;              // the program runs under this command (as another user)

private:
    QString m_screens;
};

} // namespace calendartest

} // namespace quillon
