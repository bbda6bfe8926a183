// Tells when the machine wakes from sleep, from logind's PrepareForSleep signal on the
// system bus. Without a system bus (or logind) it stays silent; the day-change timer
// still notices the new day, only later.
#pragma once

#include <QObject>

namespace quillon {

class SleepWatch : public QObject {
    Q_OBJECT

public:
    explicit SleepWatch(QObject *parent = nullptr);
    bool IsWatching() const { return m_watching; }

signals:
    void Resumed();

private slots:
    void OnPrepareForSleep(bool goingToSleep);

private:
    bool m_watching = false;
};

} // namespace quillon
