// The table the desktop is chosen from, and what the backends share.
#include "DesktopBackend.h"

#include <QUrl>

namespace quillon {

namespace basPlatform::wallpaper {

const std::vector<const DesktopBackend *> &Backends()
{
    // The order settles a desktop that names several ("X-Cinnamon:GNOME" is GNOME's);
    // the plain X11 tools come last, for a session no desktop claims.
    static const std::vector<const DesktopBackend *> backends = {
        &WindowsBackend(), &GnomeBackend(), &CinnamonBackend(), &MateBackend(), &KdeBackend(),
        &XfceBackend(), &LxqtBackend(), &SwayBackend(), &FehBackend(), &XwallpaperBackend()};
    return backends;
}

const DesktopBackend *BackendOf(WallpaperBackend id)
{
    for (const DesktopBackend *backend : Backends())
        if (backend->Id() == id)
            return backend;
    return nullptr;
}

bool DesktopIs(const QStringList &parts, const QStringList &names)
{
    for (const QString &part : parts)
        for (const QString &name : names)
            if (part.compare(name, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

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

QString GsettingsFit(int monitorCount)
{
    return GVariantString(monitorCount > 1 ? QStringLiteral("spanned") : QStringLiteral("stretched"));
}

const QString &PictureFor(const std::vector<MonitorPicture> &pictures, const QString &monitor)
{
    for (const MonitorPicture &picture : pictures)
        if (picture.monitor == monitor)
            return picture.path;
    return pictures.front().path;
}

} // namespace basPlatform::wallpaper

} // namespace quillon
