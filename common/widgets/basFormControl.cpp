#include "basFormControl.h"

#include <QApplication>
#include <QPointer>
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
