#include "HeadlessRun.h"

#include "CalendarRun.h"
#include "basExecuteProgram.h"
#include "platform/basPlatform.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace quillon {

namespace HeadlessRun {

int RenderOnce(const QString &calendarProgram)
{
    const QString picture = basPlatform::DataFile(QLatin1String(basPlatform::kWallpaperFileName));
    const QDateTime before = QFileInfo(picture).lastModified();

    const std::int32_t result = basExecuteProgram::ExecuteAndWait(calendarProgram);
    if (result == -1) {
        basExecuteProgram::ShowStartError(calendarProgram, result);
        return kExitNotStarted;
    }
    const QFileInfo after(picture);
    // A desktop not ready for the wallpaper still got its picture drawn.
    const bool finished = result == 0 || result == CalendarRun::kExitDesktopNotReady;
    const bool drawn = finished && after.isFile() && after.lastModified() != before;
    if (!drawn) {
        std::fprintf(stderr, "quillon: no display, so no tray icon; the calendar program drew nothing "
                             "(exit code %d)\n", static_cast<int>(result));
        return kExitNotDrawn;
    }
    std::printf("quillon: no display, so no tray icon; the desktop calendar was drawn once into %s\n",
                qPrintable(QDir::toNativeSeparators(picture)));
    std::fflush(stdout);
    return kExitDrawn;
}

} // namespace HeadlessRun

} // namespace quillon
