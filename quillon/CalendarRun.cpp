#include "CalendarRun.h"

#include "basOperation.h"
#include "platform/basPlatform.h"

#include <QFileInfo>

#include <cstdio>

namespace quillon {

CalendarRun::CalendarRun(QObject *parent) : QObject(parent)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &CalendarRun::OnTimedOut);
}

void CalendarRun::SetTimeout(int ms) { m_timeoutMs = ms; }

void CalendarRun::OnTimedOut()
{
    if (!m_process)
        return;
    m_timedOut = true;
    m_process->kill(); // it ends through finished, which starts the next run
}

CalendarRun::~CalendarRun()
{
    // Nobody listens any more; a run still going gets a short while to finish its
    // work (its file is replaced in one step, so even a kill after it loses nothing).
    disconnect(this, nullptr, nullptr, nullptr);
    m_queued = false;
    if (m_process) {
        m_process->disconnect(this);
        m_process->waitForFinished(kSettleMs);
        const QByteArray rest = m_process->readAllStandardError();
        std::fwrite(rest.constData(), 1, static_cast<std::size_t>(rest.size()), stderr);
        std::fflush(stderr);
    }
}

std::int32_t CalendarRun::CheckProgram(const QString &program)
{
    const QFileInfo info(program);
    if (!info.exists())
        return basOperation::kFileNotFound;
    if (!info.isFile() || !info.isExecutable())
        return basOperation::kPathFileAccessError;
    return 0;
}

std::int32_t CalendarRun::Start(const QString &program, const QStringList &arguments)
{
    if (const std::int32_t error = CheckProgram(program))
        return error;
    m_program = program;
    m_arguments = arguments;
    if (m_process) {
        m_queued = true;
        return 0;
    }
    Launch();
    return 0;
}

bool CalendarRun::IsBusy() const { return m_process || m_queued; }

void CalendarRun::Settle(int waitMs)
{
    m_queued = false;
    if (m_process)
        m_process->waitForFinished(waitMs);
}

void CalendarRun::Launch()
{
    m_errorTail.clear();
    m_lastErrorLine.clear();
    m_timedOut = false;
    m_process = new QProcess(this);
    m_process->setProgram(m_program);
    m_process->setArguments(m_arguments);
    m_process->setWorkingDirectory(QFileInfo(m_program).absolutePath());
    // Its stdout is ours; stderr is read so its last line can name a failure's cause.
    m_process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    connect(m_process, &QProcess::readyReadStandardError, this, &CalendarRun::PassOnErrorOutput);
    connect(m_process, &QProcess::finished, this, &CalendarRun::OnFinished);
    connect(m_process, &QProcess::errorOccurred, this, &CalendarRun::OnError);
    m_process->start();
    m_deadline.start(m_timeoutMs);
}

void CalendarRun::PassOnErrorOutput()
{
    if (!m_process)
        return;
    const QByteArray chunk = m_process->readAllStandardError();
    std::fwrite(chunk.constData(), 1, static_cast<std::size_t>(chunk.size()), stderr);
    std::fflush(stderr);
    m_errorTail += chunk;
    // Keep the last complete line and the unfinished rest only: the output may be long.
    const qsizetype lastBreak = m_errorTail.lastIndexOf('\n');
    if (lastBreak >= 0) {
        const QList<QByteArray> lines = m_errorTail.left(lastBreak).split('\n');
        for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
            const QString text = QString::fromLocal8Bit(*line).trimmed();
            if (!text.isEmpty()) {
                m_lastErrorLine = text;
                break;
            }
        }
        m_errorTail.remove(0, lastBreak + 1);
    }
    if (m_errorTail.size() > kMaxLineBytes)
        m_errorTail = m_errorTail.right(kMaxLineBytes);
}

void CalendarRun::OnFinished(int exitCode, QProcess::ExitStatus status)
{
    PassOnErrorOutput();
    const QString unfinished = QString::fromLocal8Bit(m_errorTail).trimmed();
    if (!unfinished.isEmpty()) {
        std::fputc('\n', stderr);
        m_lastErrorLine = unfinished;
    }
    m_deadline.stop();
    int code = status == QProcess::NormalExit ? exitCode : kExitAbnormal;
    if (m_timedOut)
        code = kExitTimedOut;
    // On a crash Qt gives the signal as the exit code.
    else if (code == kExitAbnormal && m_lastErrorLine.isEmpty())
        m_lastErrorLine = basPlatform::CrashDescription(exitCode);
    const QString lastLine = m_lastErrorLine;
    m_process->deleteLater();
    m_process = nullptr;
    // The queued run goes first, so a listener sees the program busy again.
    if (m_queued) {
        m_queued = false;
        Launch();
    }
    emit Finished(code, lastLine);
}

void CalendarRun::OnError(QProcess::ProcessError error)
{
    // A run that started and then failed also ends through finished.
    if (error != QProcess::FailedToStart || !m_process)
        return;
    m_deadline.stop();
    m_process->deleteLater();
    m_process = nullptr;
    const QString program = m_program;
    if (m_queued) {
        m_queued = false;
        Launch();
    }
    emit StartFailed(program, basOperation::kPathFileAccessError);
}

} // namespace quillon
