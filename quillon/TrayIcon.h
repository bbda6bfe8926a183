// What the launcher needs of the notification area: add and remove its icon with a
// tip and a menu, and the icon's mouse messages. Behind an interface so the
// launcher's logic runs in tests without a tray.
#pragma once

#include <QRect>
#include <QString>

#include <functional>

class QMenu;

namespace quillon {

// The icon's mouse messages, numbered as the launcher's handler knows them.
enum class TrayMessage { None = 0, DoubleClick = 515, RightButtonUp = 517, MiddleButtonUp = 520 };

class TrayIcon {
public:
    using MessageHandler = std::function<void(TrayMessage)>;

    virtual ~TrayIcon() = default;
    // False while the session has no notification area (its panel not started yet).
    virtual bool IsAvailable() const = 0;
    // Shows the icon; the menu opens on the context request. False when it could not.
    virtual bool AddTrayIcon(const QString &tip, QMenu *menu) = 0;
    virtual void RemoveTrayIcon() = 0;
    virtual bool IsShown() const = 0;
    virtual void SetMessageHandler(MessageHandler handler) = 0;
    // Where the icon sits on the desktop; empty when the tray does not tell.
    virtual QRect IconGeometry() const = 0;
    // A balloon from the icon, where no notification server runs; nothing without an icon.
    virtual void ShowMessage(const QString &title, const QString &text) = 0;
    // What the user is told, once, while there is no notification area.
    virtual QString AbsentNote() const { return kNoTrayYet; }
    inline static const QString kNoTrayYet =
        QStringLiteral("no notification area yet; the icon appears as soon as there is one");
};

} // namespace quillon
