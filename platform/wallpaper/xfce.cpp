// Xfce: xfconf-query. Every backdrop image Xfce lists gets the picture of its monitor;
// a monitor with none listed yet (a new user's first login, the desktop still starting,
// a monitor plugged in since) gets one made, with a stretched style, on the workspaces
// Xfce will show. Ready once xfconf answers the listing. xfdesktop ignores a path it
// already shows.
#include "DesktopBackend.h"

#include <QRegularExpression>

#include <map>
#include <tuple>

namespace quillon {

namespace basPlatform {

namespace {
const QString kXfconf = QStringLiteral("xfconf-query");

// "property value" lines of "xfconf-query -l -v" (or bare property names of "-l").
std::map<QString, QString> XfceValues(const QString &listing)
{
    static const QRegularExpression lines(QStringLiteral("[\r\n]+"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    std::map<QString, QString> values;
    for (const QString &line : listing.split(lines, Qt::SkipEmptyParts)) {
        const QString trimmed = line.trimmed();
        const qsizetype gap = trimmed.indexOf(blanks);
        if (gap < 0)
            values[trimmed] = QString();
        else
            values[trimmed.left(gap)] = trimmed.mid(gap).trimmed();
    }
    return values;
}

// The part of an Xfce backdrop property that names its monitor:
// "/backdrop/screen0/monitorHDMI-1/workspace0/last-image" gives "HDMI-1".
QString XfceMonitorOf(const QString &property)
{
    static const QRegularExpression monitor(QStringLiteral("/monitor([^/]*)/"));
    const QRegularExpressionMatch match = monitor.match(property);
    return match.hasMatch() ? match.captured(1) : QString();
}
} // namespace

QStringList XfceImageProperties(const QString &listing)
{
    QStringList properties;
    for (const auto &[property, value] : XfceValues(listing))
        if (property.startsWith(QLatin1String("/backdrop/")) && property.endsWith(QLatin1String("/last-image")))
            properties.append(property);
    return properties;
}

QList<int> XfceWorkspacesToCreate(const QString &listing, int currentWorkspace)
{
    const auto values = XfceValues(listing);
    const auto mode = values.find(QStringLiteral("/backdrop/single-workspace-mode"));
    QList<int> workspaces;
    if (mode == values.end() || mode->second.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0) {
        const auto number = values.find(QStringLiteral("/backdrop/single-workspace-number"));
        bool ok = false;
        const int chosen = number == values.end() ? 0 : number->second.toInt(&ok);
        workspaces.append(ok && chosen >= 0 ? chosen : 0);
    }
    if (!workspaces.contains(currentWorkspace))
        workspaces.append(currentWorkspace);
    return workspaces;
}

std::vector<WallpaperCommand> XfceNewBackdropCommands(const QString &path, const QStringList &monitorNames,
                                                      const QList<int> &workspaces, const QStringList &existing)
{
    return XfceNewBackdropCommands({MonitorPicture{QString(), path}}, monitorNames, workspaces, existing);
}

std::vector<WallpaperCommand> XfceNewBackdropCommands(const std::vector<MonitorPicture> &pictures,
                                                      const QStringList &monitorNames, const QList<int> &workspaces,
                                                      const QStringList &existing)
{
    if (pictures.empty())
        return {};
    // The style first: a desktop that is running picks up the image as soon as it exists.
    // Stretched, as on the other desktops: the bitmap already has the screen's size.
    const QString stretched = QStringLiteral("3");
    std::vector<WallpaperCommand> commands;
    for (const int workspace : workspaces) {
        for (const QString &monitor : monitorNames) {
            const QString base =
                QStringLiteral("/backdrop/screen0/monitor%1/workspace%2/").arg(monitor).arg(workspace);
            if (existing.contains(base + QStringLiteral("last-image")))
                continue;
            for (const auto &[property, type, value] :
                 {std::tuple{QStringLiteral("image-style"), QStringLiteral("int"), stretched},
                  std::tuple{QStringLiteral("last-image"), QStringLiteral("string"),
                             wallpaper::PictureFor(pictures, monitor)}})
                commands.push_back({kXfconf,
                                    {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"),
                                     base + property, QStringLiteral("-n"), QStringLiteral("-t"), type,
                                     QStringLiteral("-s"), value}});
        }
    }
    return commands;
}

namespace wallpaper {

namespace {
class Xfce final : public DesktopBackend {
public:
    WallpaperBackend Id() const override { return WallpaperBackend::Xfce; }
    QString Name() const override { return QStringLiteral("Xfce"); }
    bool Serves(const DesktopEnvironment &, const QStringList &parts) const override
    {
        return DesktopIs(parts, {QStringLiteral("XFCE")});
    }
    MonitorLayout Layout() const override { return MonitorLayout::PerMonitor; }
    bool NeedsNewFileName() const override { return true; }
    QStringList ProgramsAskedFirst() const override { return {kXfconf}; }

    // A desktop still starting fails the listing (no xfconfd on the bus yet).
    bool Prepare(const Runner &run, DesktopState &state, QString &reason) const override
    {
        if (!run({kXfconf, {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-l"),
                            QStringLiteral("-v")}},
                 state.listing, reason))
            return false;
        state.imageProperties = XfceImageProperties(state.listing);
        if (state.imageProperties.isEmpty() && state.monitorNames.isEmpty()) {
            reason = QStringLiteral("Xfce lists no backdrop image and the screen reports no monitor to make one for");
            return false;
        }
        return true;
    }

    std::vector<WallpaperCommand> Commands(const std::vector<MonitorPicture> &pictures, int,
                                           const DesktopState &state) const override
    {
        std::vector<WallpaperCommand> commands;
        for (const QString &property : state.imageProperties)
            commands.push_back({kXfconf,
                                {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"),
                                 property, QStringLiteral("-s"), PictureFor(pictures, XfceMonitorOf(property))}});
        for (auto &command : XfceNewBackdropCommands(pictures, state.monitorNames,
                                                     XfceWorkspacesToCreate(state.listing, state.currentWorkspace),
                                                     state.imageProperties))
            commands.push_back(std::move(command));
        return commands;
    }
};
} // namespace

const DesktopBackend &XfceBackend()
{
    static const Xfce backend;
    return backend;
}

} // namespace wallpaper
} // namespace basPlatform

} // namespace quillon
