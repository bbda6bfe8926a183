// Says when the desktop program takes its name on the session bus: it has started or
// restarted. A desktop that forgets a wallpaper set from outside when it restarts
// (LXQt's) shows black until it is given the calendar again.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace quillon {

class DesktopRestartWatch : public QObject {
    Q_OBJECT

public:
    // Time for the desktop to open its windows after taking its name.
    static constexpr int kSettleMs = 1000;

    // An empty name, or no session bus, watches nothing.
    explicit DesktopRestartWatch(const QString &busName, int settleMs = kSettleMs, QObject *parent = nullptr);

signals:
    void Restarted();

private:
    QTimer m_settle;
};

} // namespace quillon
