// One watched run of the calendar program at a time: started without a shell, its
// output passed on to the launcher's own, its exit code reported when it ends. A run
// asked for while one is going is made once after it, never beside it. A run that does
// not end within its time is killed, so it cannot hold up every later one.
#pragma once

#include "basExecuteProgram.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cstdint>

namespace quillon {

class CalendarRun : public QObject {
    Q_OBJECT

public:
    static constexpr int kExitDesktopNotReady = basExecuteProgram::kCalendarDesktopNotReady;
    // Exit code reported for a run that crashed or was killed by someone else.
    static constexpr int kExitAbnormal = -1;
    // Exit code reported for a run killed because it did not end within its time.
    static constexpr int kExitTimedOut = -2;
    // How long a run may take: a month is drawn in well under a second, a slow share
    // with the pictures may take some seconds.
    static constexpr int kRunTimeoutMs = 60000;
    // How long the launcher's end waits for a run still going.
    static constexpr int kSettleMs = 5000;

    explicit CalendarRun(QObject *parent = nullptr);
    ~CalendarRun() override;

    // Starts the program now, or once the run going now has ended. 0 when started or
    // queued; otherwise the start error (53 no such file, 75 not executable).
    std::int32_t Start(const QString &program, const QStringList &arguments = {});

    // How long each run may take from now on (kRunTimeoutMs unless set).
    void SetTimeout(int ms);
    int Timeout() const { return m_timeoutMs; }

    // A run going, or one queued behind it.
    bool IsBusy() const;

    // Drops any queued run and waits up to waitMs for the one going to end.
    void Settle(int waitMs = kSettleMs);

signals:
    // A run ended; lastErrorLine is the last line it wrote to stderr (empty if none).
    // For a run that crashed it names the signal instead when the run wrote nothing.
    void Finished(int exitCode, const QString &lastErrorLine);
    // A queued run could not be started when its turn came.
    void StartFailed(const QString &program, std::int32_t number);

private:
    static std::int32_t CheckProgram(const QString &program);
    void Launch();
    void PassOnErrorOutput();
    void OnFinished(int exitCode, QProcess::ExitStatus status);
    void OnError(QProcess::ProcessError error);
    void OnTimedOut();

    static constexpr qsizetype kMaxLineBytes = 4096;

    QProcess *m_process = nullptr;
    QString m_program;
    QStringList m_arguments;
    bool m_queued = false;
    QByteArray m_errorTail; // stderr not yet ended by a line break
    QString m_lastErrorLine;
    QTimer m_deadline;
    int m_timeoutMs = kRunTimeoutMs;
    bool m_timedOut = false;
};

} // namespace quillon
