#include "basSysTray.h"

#include "ApplicationIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QGuiApplication>

namespace quillon {

namespace basSysTray {

TrayMessage MessageFor(QSystemTrayIcon::ActivationReason reason, bool hostSendsDoubleClick)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        return TrayMessage::DoubleClick;
    case QSystemTrayIcon::Trigger:
        return hostSendsDoubleClick ? TrayMessage::None : TrayMessage::DoubleClick;
    case QSystemTrayIcon::Context:
        return TrayMessage::RightButtonUp;
    case QSystemTrayIcon::MiddleClick:
        return TrayMessage::MiddleButtonUp;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return TrayMessage::None;
}

bool StatusNotifierHostRunning()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    return bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")).value();
}

QString AbsentTrayNote(const QString &currentDesktop)
{
    const QStringList parts = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (parts.contains(QStringLiteral("GNOME"), Qt::CaseInsensitive))
        return QStringLiteral("GNOME Shell shows no tray icons without its AppIndicator extension (Debian package "
                              "gnome-shell-extension-appindicator); the calendar is still drawn and reminders still "
                              "come, and the scheduler opens from the desktop's menu. The icon appears once the "
                              "extension is on");
    return TrayIcon::kNoTrayYet;
}

SystemTray::SystemTray() = default;

SystemTray::~SystemTray() = default;

QString SystemTray::AbsentNote() const { return AbsentTrayNote(qEnvironmentVariable("XDG_CURRENT_DESKTOP")); }

bool SystemTray::IsAvailable() const
{
    // Qt settles at its first look, for good, whether the session has a StatusNotifierItem
    // host. Off X11 there is no other tray, so Qt is asked only once a host is there:
    // a launcher started before its panel would otherwise never show its icon.
    if (QGuiApplication::platformName() != QLatin1String("xcb") && !StatusNotifierHostRunning())
        return false;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool SystemTray::AddTrayIcon(const QString &tip, QMenu *menu)
{
    if (!IsAvailable())
        return false;
    if (!m_icon) {
        m_hostSendsDoubleClick = !StatusNotifierHostRunning();
        m_icon = std::make_unique<QSystemTrayIcon>();
        QObject::connect(m_icon.get(), &QSystemTrayIcon::activated,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             const TrayMessage message = MessageFor(reason, m_hostSendsDoubleClick);
                             if (message != TrayMessage::None && m_handler)
                                 m_handler(message);
                         });
    }
    // The icon before show(): some hosts take the first one they are given for good.
    m_icon->setIcon(ApplicationIcon::Icon());
    m_icon->setToolTip(tip);
    m_icon->setContextMenu(menu);
    m_icon->show();
    return true;
}

void SystemTray::RemoveTrayIcon()
{
    if (m_icon)
        m_icon->hide();
}

bool SystemTray::IsShown() const { return m_icon && m_icon->isVisible(); }

void SystemTray::SetMessageHandler(MessageHandler handler) { m_handler = std::move(handler); }

QRect SystemTray::IconGeometry() const { return m_icon ? m_icon->geometry() : QRect(); }

void SystemTray::ShowMessage(const QString &title, const QString &text)
{
    if (m_icon && m_icon->isVisible())
        m_icon->showMessage(title, text, ApplicationIcon::Icon());
}

} // namespace basSysTray

} // namespace quillon
