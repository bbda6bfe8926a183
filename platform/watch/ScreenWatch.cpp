#include "ScreenWatch.h"

#include <QGuiApplication>
#include <QScreen>

namespace quillon {

ScreenWatch::ScreenWatch(int settleMs, QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &ScreenWatch::Changed);
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return;
    connect(app, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        Watch(screen);
        Notice();
    });
    connect(app, &QGuiApplication::screenRemoved, this, &ScreenWatch::Notice);
    for (QScreen *screen : QGuiApplication::screens())
        Watch(screen);
}

void ScreenWatch::Watch(QScreen *screen)
{
    connect(screen, &QScreen::geometryChanged, this, &ScreenWatch::Notice);
}

void ScreenWatch::Notice() { m_settle.start(); }

} // namespace quillon
