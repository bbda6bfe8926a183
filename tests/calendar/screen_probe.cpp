// Prints what the renderer reads of each screen, one line a screen, the primary first:
// name, logical geometry, work area, device-pixel geometry, pixel ratio and logical dpi.
#include "MonitorDrawings.h"
#include "ScreenPixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextStream>

namespace {
QString Rect(const QRect &rect)
{
    return QStringLiteral("%1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}
} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    for (const quillon::MonitorDrawings::Monitor &monitor : quillon::MonitorDrawings::Monitors()) {
        const QScreen &screen = *monitor.screen;
        out << monitor.name << " | " << Rect(screen.geometry()) << " | " << Rect(screen.availableGeometry()) << " | "
            << Rect(monitor.pixels) << " | " << quillon::ScreenPixels::Ratio(screen) << " | "
            << screen.logicalDotsPerInch() << '\n';
    }
    return 0;
}
