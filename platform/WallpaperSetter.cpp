// The wallpaper backends' choice and commands: the same on every platform.
#include "WallpaperSetter.h"

#include <QRegularExpression>
#include <QUrl>

#include <map>
#include <tuple>

namespace basPlatform {

namespace {
bool DesktopIs(const QStringList &parts, const char *name)
{
    for (const QString &part : parts)
        if (part.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A GVariant string literal, as gsettings parses its value argument.
QString GVariantString(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString FileUri(const QString &path)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}
} // namespace

WallpaperChoice ChooseWallpaperBackend(const DesktopEnvironment &env)
{
    if (env.platformName == QLatin1String("windows"))
        return {WallpaperBackend::Windows, {}};
    if (env.platformName == QLatin1String("offscreen") || env.platformName == QLatin1String("minimal"))
        return {WallpaperBackend::None,
                QStringLiteral("no desktop to set it on (the %1 platform is in use)").arg(env.platformName)};

    const QStringList parts = env.currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (DesktopIs(parts, "GNOME") || DesktopIs(parts, "Unity") || DesktopIs(parts, "Budgie"))
        return {WallpaperBackend::Gnome, {}};
    if (DesktopIs(parts, "X-Cinnamon") || DesktopIs(parts, "Cinnamon"))
        return {WallpaperBackend::Cinnamon, {}};
    if (DesktopIs(parts, "MATE"))
        return {WallpaperBackend::Mate, {}};
    if (DesktopIs(parts, "KDE"))
        return {WallpaperBackend::Kde, {}};
    if (DesktopIs(parts, "XFCE"))
        return {WallpaperBackend::Xfce, {}};
    if (DesktopIs(parts, "LXQt"))
        return {WallpaperBackend::Lxqt, {}};
    if (DesktopIs(parts, "sway") || env.swaySocket)
        return {WallpaperBackend::Sway, {}};
    if (env.platformName == QLatin1String("xcb") && env.x11Display) {
        if (env.hasProgram(QStringLiteral("feh")))
            return {WallpaperBackend::Feh, {}};
        if (env.hasProgram(QStringLiteral("xwallpaper")))
            return {WallpaperBackend::Xwallpaper, {}};
        return {WallpaperBackend::None, QStringLiteral("neither feh nor xwallpaper is installed for this X11 desktop")};
    }
    return {WallpaperBackend::None,
            env.currentDesktop.isEmpty()
                ? QStringLiteral("the desktop is unknown (XDG_CURRENT_DESKTOP is not set)")
                : QStringLiteral("no wallpaper backend for the desktop \"%1\"").arg(env.currentDesktop)};
}

WallpaperSetter::WallpaperSetter() : m_environment(CurrentDesktopEnvironment()) {}

WallpaperSetter::WallpaperSetter(DesktopEnvironment environment) : m_environment(std::move(environment)) {}

MonitorLayout WallpaperSetter::Layout() const
{
    return LayoutFor(ChooseWallpaperBackend(m_environment).backend);
}

QString BackendName(WallpaperBackend backend)
{
    switch (backend) {
    case WallpaperBackend::None: return QStringLiteral("none");
    case WallpaperBackend::Windows: return QStringLiteral("Windows");
    case WallpaperBackend::Gnome: return QStringLiteral("GNOME");
    case WallpaperBackend::Cinnamon: return QStringLiteral("Cinnamon");
    case WallpaperBackend::Mate: return QStringLiteral("MATE");
    case WallpaperBackend::Kde: return QStringLiteral("KDE Plasma");
    case WallpaperBackend::Xfce: return QStringLiteral("Xfce");
    case WallpaperBackend::Lxqt: return QStringLiteral("LXQt");
    case WallpaperBackend::Sway: return QStringLiteral("sway");
    case WallpaperBackend::Feh: return QStringLiteral("feh");
    case WallpaperBackend::Xwallpaper: return QStringLiteral("xwallpaper");
    }
    return QString();
}

MonitorLayout LayoutFor(WallpaperBackend backend)
{
    switch (backend) {
    case WallpaperBackend::Xfce:
    case WallpaperBackend::Feh:
    case WallpaperBackend::Xwallpaper:
    case WallpaperBackend::Sway:
        return MonitorLayout::PerMonitor;
    case WallpaperBackend::Gnome:
    case WallpaperBackend::Cinnamon:
    case WallpaperBackend::Mate:
        return MonitorLayout::Spanned;
    default:
        return MonitorLayout::Shared;
    }
}

namespace {
// The part of an Xfce backdrop property that names its monitor:
// "/backdrop/screen0/monitorHDMI-1/workspace0/last-image" gives "HDMI-1".
QString XfceMonitorOf(const QString &property)
{
    static const QRegularExpression monitor(QStringLiteral("/monitor([^/]*)/"));
    const QRegularExpressionMatch match = monitor.match(property);
    return match.hasMatch() ? match.captured(1) : QString();
}

const QString &PictureFor(const std::vector<MonitorPicture> &pictures, const QString &monitor)
{
    for (const MonitorPicture &picture : pictures)
        if (picture.monitor == monitor)
            return picture.path;
    return pictures.front().path;
}
} // namespace

std::vector<WallpaperCommand> WallpaperCommands(WallpaperBackend backend, const QString &path,
                                                const QStringList &xfceProperties)
{
    return WallpaperCommands(backend, {MonitorPicture{QString(), path}}, 1, xfceProperties);
}

std::vector<WallpaperCommand> WallpaperCommands(WallpaperBackend backend, const std::vector<MonitorPicture> &pictures,
                                                int monitorCount, const QStringList &xfceProperties)
{
    if (pictures.empty())
        return {};
    const QString &path = pictures.front().path;
    const bool several = monitorCount > 1;
    // One picture over several monitors is spanned, so that each shows its part in its
    // own shape; on one monitor it has that monitor's size already.
    const QString fit = GVariantString(several ? QStringLiteral("spanned") : QStringLiteral("stretched"));
    const QString gsettings = QStringLiteral("gsettings");
    const QString set = QStringLiteral("set");
    switch (backend) {
    case WallpaperBackend::Gnome: {
        const QString schema = QStringLiteral("org.gnome.desktop.background");
        const QString uri = GVariantString(FileUri(path));
        return {{gsettings, {set, schema, QStringLiteral("picture-options"), fit}},
                {gsettings, {set, schema, QStringLiteral("picture-uri"), uri}},
                {gsettings, {set, schema, QStringLiteral("picture-uri-dark"), uri}}};
    }
    case WallpaperBackend::Cinnamon: {
        const QString schema = QStringLiteral("org.cinnamon.desktop.background");
        return {{gsettings, {set, schema, QStringLiteral("picture-options"), fit}},
                {gsettings, {set, schema, QStringLiteral("picture-uri"), GVariantString(FileUri(path))}}};
    }
    case WallpaperBackend::Mate: {
        const QString schema = QStringLiteral("org.mate.background");
        return {{gsettings, {set, schema, QStringLiteral("picture-options"), fit}},
                {gsettings, {set, schema, QStringLiteral("picture-filename"), GVariantString(path)}}};
    }
    case WallpaperBackend::Kde:
        return {{QStringLiteral("plasma-apply-wallpaperimage"), {path}}};
    case WallpaperBackend::Xfce: {
        std::vector<WallpaperCommand> commands;
        for (const QString &property : xfceProperties)
            commands.push_back({QStringLiteral("xfconf-query"),
                                {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"),
                                 property, QStringLiteral("-s"), PictureFor(pictures, XfceMonitorOf(property))}});
        return commands;
    }
    case WallpaperBackend::Lxqt:
        // Zoomed, on several monitors: the desktop crops the picture to each one's shape.
        return {{QStringLiteral("pcmanfm-qt"),
                 {QStringLiteral("--set-wallpaper=") + path,
                  several ? QStringLiteral("--wallpaper-mode=zoom") : QStringLiteral("--wallpaper-mode=stretch")}}};
    case WallpaperBackend::Sway: {
        std::vector<WallpaperCommand> commands;
        for (const MonitorPicture &picture : pictures) {
            // swaymsg joins its arguments into one sway command, which splits at blanks
            // unless the path is quoted.
            QString quoted = picture.path;
            quoted.replace(QLatin1Char('"'), QStringLiteral("\\\""));
            const QString output = pictures.size() == 1 ? QStringLiteral("*") : picture.monitor;
            commands.push_back({QStringLiteral("swaymsg"),
                                {QStringLiteral("output"), output, QStringLiteral("bg"),
                                 QLatin1Char('"') + quoted + QLatin1Char('"'), QStringLiteral("stretch")}});
        }
        return commands;
    }
    case WallpaperBackend::Feh: {
        // feh gives its files to the screens in Xinerama's order, the primary first.
        QStringList arguments = {QStringLiteral("--bg-scale"), QStringLiteral("--no-fehbg")};
        for (const MonitorPicture &picture : pictures)
            arguments.append(picture.path);
        return {{QStringLiteral("feh"), arguments}};
    }
    case WallpaperBackend::Xwallpaper: {
        if (pictures.size() == 1)
            return {{QStringLiteral("xwallpaper"), {QStringLiteral("--stretch"), path}}};
        QStringList arguments;
        for (const MonitorPicture &picture : pictures)
            arguments << QStringLiteral("--output") << picture.monitor << QStringLiteral("--stretch") << picture.path;
        return {{QStringLiteral("xwallpaper"), arguments}};
    }
    case WallpaperBackend::Windows:
    case WallpaperBackend::None:
        break;
    }
    return {};
}

namespace {
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
                  std::tuple{QStringLiteral("last-image"), QStringLiteral("string"), PictureFor(pictures, monitor)}})
                commands.push_back({QStringLiteral("xfconf-query"),
                                    {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"),
                                     base + property, QStringLiteral("-n"), QStringLiteral("-t"), type,
                                     QStringLiteral("-s"), value}});
        }
    }
    return commands;
}

QString DesktopBusName(WallpaperBackend backend)
{
    switch (backend) {
    case WallpaperBackend::Kde: // its tool fails with a message nobody reads when the shell is not up
        return QStringLiteral("org.kde.plasmashell");
    case WallpaperBackend::Lxqt: // without a running desktop, pcmanfm-qt takes the path and drops it
        return QStringLiteral("org.pcmanfm.PCManFM");
    default:
        return QString();
    }
}

bool ForgetsWallpaperOnRestart(WallpaperBackend backend)
{
    return backend == WallpaperBackend::Lxqt;
}

bool NeedsNewFileName(WallpaperBackend backend)
{
    switch (backend) {
    case WallpaperBackend::Gnome:
    case WallpaperBackend::Cinnamon:
    case WallpaperBackend::Mate:
    case WallpaperBackend::Kde:
    case WallpaperBackend::Xfce:
    case WallpaperBackend::Lxqt:
        return true;
    default:
        return false;
    }
}

} // namespace basPlatform
