#include "basFormControl.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace quillon {

namespace basFormControl {

namespace {
QPointer<QWidget> &LockedWindow()
{
    static QPointer<QWidget> locked;
    return locked;
}
} // namespace

void SetAlwaysOnTop(QWidget &window)
{
    const QRect geometry = window.geometry();
    const bool visible = window.isVisible();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // Changing the flags re-creates the native window; put it back where it was.
    window.setGeometry(geometry);
    if (visible)
        window.show();
}

bool LockWindowRedraw(QWidget &window)
{
    if (LockedWindow() && LockedWindow() != &window)
        return false;
    LockedWindow() = &window;
    window.setUpdatesEnabled(false);
    return true;
}

void UnlockWindowRedraw()
{
    if (QWidget *window = LockedWindow()) {
        window->setUpdatesEnabled(true);
        window->update();
    }
    LockedWindow() = nullptr;
}

void FitOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // The frame the window manager adds; before the first show it is not known yet.
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    const QSize room = (area.size() - frame).expandedTo(window.minimumSizeHint());
    if (window.width() > room.width() || window.height() > room.height())
        window.resize(window.size().boundedTo(room));
    QRect placed = window.frameGeometry();
    if (placed.right() > area.right())
        placed.moveRight(area.right());
    if (placed.bottom() > area.bottom())
        placed.moveBottom(area.bottom());
    if (placed.left() < area.left())
        placed.moveLeft(area.left());
    if (placed.top() < area.top())
        placed.moveTop(area.top());
    if (placed.topLeft() != window.frameGeometry().topLeft())
        window.move(placed.topLeft());
}

void UnloadAllForms()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    QList<QPointer<QWidget>> loaded;
    for (QWidget *window : windows)
        loaded.append(window);
    for (const QPointer<QWidget> &window : loaded)
        if (window)
            window->hide();
    for (const QPointer<QWidget> &window : loaded)
        if (window && !window->parentWidget())
            delete window.data();
}

} // namespace basFormControl

} // namespace quillon
