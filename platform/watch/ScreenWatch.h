// Says once when the screens have settled after a change: a screen added or removed,
// or one that changed its size. A burst of changes (a monitor plugged in, then
// rotated) gives one notice.
#pragma once

#include <QObject>
#include <QTimer>

class QScreen;

namespace quillon {

class ScreenWatch : public QObject {
    Q_OBJECT

public:
    static constexpr int kSettleMs = 2000;

    explicit ScreenWatch(int settleMs = kSettleMs, QObject *parent = nullptr);
    // A change was seen; the notice follows when none came for the settle time.
    void Notice();

signals:
    void Changed();

private:
    void Watch(QScreen *screen);

    QTimer m_settle;
};

} // namespace quillon
