#include "MonitorDrawings.h"

#include "ScreenPixels.h"
#include "basQuillon.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace quillon {

namespace MonitorDrawings {

std::vector<Monitor> Monitors()
{
    std::vector<Monitor> monitors;
    const QScreen *primary = QGuiApplication::primaryScreen();
    for (QScreen *screen : QGuiApplication::screens()) {
        Monitor monitor{screen, screen->name(), ScreenPixels::DeviceGeometry(*screen), screen == primary};
        if (monitor.primary)
            monitors.insert(monitors.begin(), monitor);
        else
            monitors.push_back(monitor);
    }
    return monitors;
}

bool DrawsMonth(const QString &calendarMonitors, bool primary)
{
    return primary || basQuillon::CalendarOnEveryMonitor(calendarMonitors);
}

QString MonitorFile(const QString &wallpaperPath, const QString &monitorName)
{
    QString safe = monitorName;
    for (QChar &c : safe)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_'))
            c = QLatin1Char('_');
    if (safe.isEmpty())
        safe = QStringLiteral("_");
    const QFileInfo info(wallpaperPath);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('.') + safe + QLatin1Char('.')
        + info.suffix();
}

QImage Spanned(const std::vector<Placed> &drawings, const QColor &fill)
{
    QRect whole;
    for (const Placed &drawing : drawings)
        whole |= drawing.pixels;
    if (whole.isEmpty())
        return {};
    QImage picture(whole.size(), QImage::Format_RGB32);
    picture.fill(fill);
    QPainter painter(&picture);
    for (const Placed &drawing : drawings)
        painter.drawImage(QRect(drawing.pixels.topLeft() - whole.topLeft(), drawing.pixels.size()), drawing.image);
    return picture;
}

} // namespace MonitorDrawings

} // namespace quillon
