// The notification-area icon on QSystemTrayIcon, and how its activations map to the
// launcher's messages.
#pragma once

#include "TrayIcon.h"

#include <QSystemTrayIcon>

#include <memory>

namespace quillon {

namespace basSysTray {

// Double click opens the scheduler. Hosts that speak StatusNotifierItem never send a
// double click; a left click arrives as Trigger there and stands for it. Elsewhere a
// Trigger is only the first click of a double click and means nothing.
TrayMessage MessageFor(QSystemTrayIcon::ActivationReason reason, bool hostSendsDoubleClick);

// True when the session's tray host takes StatusNotifierItem icons (a watcher is on the
// session bus), which is the tray Qt then uses.
bool StatusNotifierHostRunning();

// Why there is no icon, for the desktop named by XDG_CURRENT_DESKTOP: GNOME Shell has
// no tray of its own and shows icons only with an extension, which is named.
QString AbsentTrayNote(const QString &currentDesktop);

// The launcher's icon: the application icon, made only once the tray exists, since Qt
// picks its tray protocol when the icon is made.
class SystemTray : public TrayIcon {
public:
    SystemTray();
    ~SystemTray() override;
    bool IsAvailable() const override;
    bool AddTrayIcon(const QString &tip, QMenu *menu) override;
    void RemoveTrayIcon() override;
    bool IsShown() const override;
    void SetMessageHandler(MessageHandler handler) override;
    QRect IconGeometry() const override;
    void ShowMessage(const QString &title, const QString &text) override;
    QString AbsentNote() const override;

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
    MessageHandler m_handler;
    bool m_hostSendsDoubleClick = true;
};

} // namespace basSysTray

} // namespace quillon
