#include "basCalendar.h"

#include "basICalendar.h"

#include "basCalendarFonts.h"
#include "DesktopCalendar.h"
#include "EventStore.h"
#include "MonitorDrawings.h"
#include "basDateText.h"
#include "basDesktopWallpaper.h"
#include "basErrorHandler.h"
#include "basOperation.h"
#include "basQuillon.h"
#include "frmCalendar.h"
#include "platform/WallpaperSetter.h"
#include "platform/basPlatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <memory>

namespace quillon {

namespace basCalendar {


namespace {
void Note(const QString &text)
{
    std::fprintf(stderr, "calendar: %s\n", qPrintable(text));
    std::fflush(stderr);
}
} // namespace

QString CommandLineText(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

namespace {
// One drawing: the month (or the background alone) into wallpaper.bmp, set as the wallpaper.
int Draw(bool clearCalendarMode, basOperation::Steps &step)
{
    step(110);
    const basQuillon::GeneralSettingsRecord settings = basQuillon::LoadGeneralSettings();

    step(120);
    basDatabase::EventStore store;
    if (!clearCalendarMode) {
        step(130);
        if (!DesktopCalendar::IsShown()) {
            step(140);
            Note(QStringLiteral("the desktop calendar is switched off (DisplayCalendarOnDesktop is 0 or empty)"));
            return kExitDone;
        }
        step(160);
        if (!store.OpenDatabaseConnection()) {
            step(170);
            return kExitNotDrawn;
        }
        step(180);
        basICalendar::KeepIndexCurrent(store); // reports its own failure; the month is drawn as stored

    }

    step(200);
    const basCalendarFonts::CalendarFontSet fonts = basCalendarFonts::LoadCalendarFonts();
    const std::vector<MonitorDrawings::Monitor> monitors = MonitorDrawings::Monitors();
    basPlatform::WallpaperSetter setter;
    // A desktop that fits one picture to each monitor by itself gets the primary
    // monitor's drawing alone, as on one monitor.
    const basPlatform::MonitorLayout layout = setter.Layout();
    const bool eachMonitor = monitors.size() > 1 && layout != basPlatform::MonitorLayout::Shared;
    auto form = std::make_unique<frmCalendar>(settings, fonts, clearCalendarMode,
                                              monitors.empty() ? nullptr : monitors.front().screen, &store);
    step(210);
    form->Form_Load();
    step(220);
    bool loaded = form->FormLoadSuccessful();
    LoadFailure cause = form->LoadFailureCause();
    // The other monitors: drawn with the picture the primary's load chose, never rotated again.
    std::vector<std::unique_ptr<frmCalendar>> others;
    if (loaded && eachMonitor) {
        step(230);
        for (std::size_t m = 1; m < monitors.size() && loaded; ++m) {
            const bool month = !clearCalendarMode && MonitorDrawings::DrawsMonth(settings.CalendarMonitors, false);
            auto other = std::make_unique<frmCalendar>(form->Settings(), fonts, !month, monitors[m].screen, &store);
            other->SetRotation(false);
            other->Form_Load();
            loaded = other->FormLoadSuccessful();
            if (!loaded)
                cause = other->LoadFailureCause();
            others.push_back(std::move(other));
        }
    }
    step(250);
    QApplication::processEvents();
    step(260);
    if (!clearCalendarMode) {
        step(270);
        store.CloseDatabaseConnection();
    }

    int result = kExitNotDrawn;
    step(290);
    if (loaded) {
        step(300);
        const QString path = basPlatform::DataFile(QLatin1String(basPlatform::kWallpaperFileName));
        step(310);
        std::vector<basPlatform::MonitorPicture> pictures;
        bool written = false;
        if (!eachMonitor) {
            written = basDesktopWallpaper::CaptureWindowToFile(*form, path);
            pictures.push_back({QString(), path});
        } else {
            std::vector<MonitorDrawings::Placed> drawings;
            drawings.push_back({monitors.front().pixels, basDesktopWallpaper::RenderWindow(*form)});
            for (std::size_t m = 1; m < monitors.size(); ++m)
                drawings.push_back({monitors[m].pixels, basDesktopWallpaper::RenderWindow(*others[m - 1])});
            if (layout == basPlatform::MonitorLayout::Spanned) {
                written = basDesktopWallpaper::WriteBitmap(
                    MonitorDrawings::Spanned(drawings, form->palette().color(QPalette::Window)), path);
                pictures.push_back({QString(), path});
            } else {
                written = basDesktopWallpaper::WriteBitmap(drawings.front().image, path);
                pictures.push_back({monitors.front().name, path});
                for (std::size_t m = 1; m < monitors.size(); ++m) {
                    const QString file = MonitorDrawings::MonitorFile(path, monitors[m].name);
                    written = basDesktopWallpaper::WriteBitmap(drawings[m].image, file) && written;
                    pictures.push_back({monitors[m].name, file});
                }
            }
        }
        step(330);
        form.reset();
        others.clear();
        // No pause here: no window was ever on the screen, so the desktop has
        // nothing to repaint before the switch.
        step(380);
        if (written) {
            std::fprintf(stdout, "%s\n", qPrintable(QDir::toNativeSeparators(path)));
            std::fflush(stdout);
            result = kExitDone;
        } else {
            Note(QStringLiteral("%1 could not be written; it keeps its previous content").arg(path));
        }
        if (QFileInfo::exists(path) && basDesktopWallpaper::SetDesktopWallpaper(setter, pictures) && written)
            result = kExitDesktopNotReady;
    } else {
        // The load reports nothing itself; the stop is said here, with its cause,
        // in error.log and on stderr (no message box for a run nobody watches).
        basErrorHandler::ReportError(QStringLiteral("basCalendar.Main"), {cause.number, cause.description, cause.step, cause.shown},
                                     true, QString(), true);
        Note(QStringLiteral("the calendar was not drawn: %1 (error %2 at step %3 of the window's load); "
                            "the wallpaper is left as it was")
                 .arg(cause.description)
                 .arg(cause.number)
                 .arg(cause.step));
    }

    return result;
}

} // namespace

int Main(const QStringList &arguments)
{
    using basOperation::Steps;
    return basOperation::Trap("basCalendar.Main", kExitError, [&](Steps &step) {
        step(20);
        const auto asked = CommandLineText(arguments) == QLatin1String(kClearArgument)
            ? DesktopCalendar::Drawing::BackgroundOnly
            : DesktopCalendar::Drawing::Calendar;
        const DesktopCalendar::LockedDrawing done = DesktopCalendar::DrawUnderLock(
            asked, [&step](DesktopCalendar::Drawing drawing, bool again) {
                if (again)
                    Note(QStringLiteral("drawing again, as asked while the last drawing ran"));
                return Draw(drawing == DesktopCalendar::Drawing::BackgroundOnly, step);
            });
        switch (done.outcome) {
        case DesktopCalendar::LockedDrawing::Outcome::Drawn:
            break;
        case DesktopCalendar::LockedDrawing::Outcome::LeftToOther:
            step(30);
            Note(QStringLiteral("another copy is drawing; it draws again when it is done"));
            break; // the running one finishes the work
        case DesktopCalendar::LockedDrawing::Outcome::NotLeft:
            step(30);
            Note(QStringLiteral("another copy is drawing, and it cannot be asked to draw again: %1").arg(done.why));
            break;
        case DesktopCalendar::LockedDrawing::Outcome::NoLock:
            // Not "another copy runs": nothing was drawn, and the caller must hear why.
            step(40);
            Note(QStringLiteral("no single-instance lock can be made (%1); not drawn").arg(done.why));
            throw basOperation::Failure(
                basOperation::kPathFileAccessError, QStringLiteral("No single-instance lock can be made (%1)").arg(done.why),
                QCoreApplication::translate("basCalendar", "No single-instance lock can be made (%1)").arg(done.shownWhy));
        }
        return done.result;
    });
}

} // namespace basCalendar

} // namespace quillon
