// The launcher at rest: the real build/bin/quillon over a store of 10,000 events, 5,000
// of them with a reminder, all due after the run, in a data and settings folder of its
// own. After a settling time it reads the process's processor time (every thread's
// scheduler time in /proc/PID/task/*/schedstat, nanoseconds; utime+stime of
// /proc/PID/stat as a cross-check, in clock ticks) over a measured window and its
// resident memory (VmRSS, VmHWM) at the end. A window shorter than five minutes is
// scaled to five minutes, and the output says so.
//
// Run: build/bin/bench_quillon_idle [--settle SECONDS] [--window SECONDS]
// Without a DISPLAY it runs the launcher on Qt's "minimal" platform, which has no tray
// (the launcher then looks for one every 5 s); under Xvfb with a tray it is the
// desktop's case:  xvfb-run -a sh -c 'trayer & sleep 1; build/bin/bench_quillon_idle'
#include "EventStore.h"
#include "ReminderStoreFill.h"
#include "basQuillon.h"
#include "basSchema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <unistd.h>

namespace quillon {

namespace {

struct Usage {
    double schedMs = 0; // every live thread's time on a processor
    double statMs = 0;  // utime + stime, clock ticks
};

Usage Read(qint64 pid)
{
    Usage usage;
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    for (const QString &task : QDir(proc + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(proc + QStringLiteral("/task/") + task + QStringLiteral("/schedstat"));
        if (file.open(QIODevice::ReadOnly))
            usage.schedMs += QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 0).toDouble() / 1e6;
    }
    QFile stat(proc + QStringLiteral("/stat"));
    if (stat.open(QIODevice::ReadOnly)) {
        // Fields after the command's closing parenthesis: utime and stime are the 12th and 13th.
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12)
            usage.statMs = (fields[11].toDouble() + fields[12].toDouble()) * 1000.0 / double(::sysconf(_SC_CLK_TCK));
    }
    return usage;
}

QString StatusLine(qint64 pid, const char *name)
{
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : file.readAll().split('\n'))
        if (line.startsWith(name))
            return QString::fromLatin1(line.mid(qstrlen(name))).simplified();
    return {};
}

int Argument(const QStringList &args, const QString &name, int fallback)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args[at + 1].toInt() : fallback;
}

} // namespace

int Main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int settleS = Argument(args, QStringLiteral("--settle"), 15);
    const int windowS = Argument(args, QStringLiteral("--window"), 60);

    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/bench-quillon-XXXXXX"));
    const QString data = dir.filePath(QStringLiteral("data"));
    const QString config = dir.filePath(QStringLiteral("config"));
    const QString runtime = dir.filePath(QStringLiteral("runtime"));
    for (const QString &folder : {data, config, runtime})
        QDir().mkpath(folder);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // This process's settings calls and the launcher's see the same folders.
    qputenv("QUILLON_DATA_DIR", data.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    qputenv("QUILLON_NONINTERACTIVE", "1");

    const QString path = data + QStringLiteral("/dbcalndr.sqlite");
    QString error;
    {
        basDatabase::EventStore store;
        // From the day after tomorrow, reminders at most a day before: none is due during
        // the run, and the launcher rests with its one timer set.
        if (!basSchema::CreateDatabaseFile(path, error) || !store.OpenDatabaseConnection(path)
            || !FillWithReminders(store, QDate::currentDate().addDays(2), {0, 5, 10, 15, 30, 60, 120, 1440})) {
            std::fprintf(stderr, "cannot make the store: %s\n", qPrintable(error));
            return 1;
        }
    }
    // Resting: no scheduler window, no drawing (the renderer is a process of its own).
    basQuillon::SaveOption(QStringLiteral("DisplaySchedulerOnStart"), QStringLiteral("0"));
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("0"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    if (!env.contains(QStringLiteral("DISPLAY")) && !env.contains(QStringLiteral("WAYLAND_DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("minimal"));
    QProcess launcher;
    launcher.setProcessEnvironment(env);
    launcher.setProcessChannelMode(QProcess::ForwardedChannels);
    launcher.start(QStringLiteral(QUILLON_PROGRAM_DIR "/quillon"), {});
    if (!launcher.waitForStarted(10000)) {
        std::fprintf(stderr, "quillon did not start: %s\n", qPrintable(launcher.errorString()));
        return 1;
    }
    const qint64 pid = launcher.processId();
    QThread::sleep(settleS);
    if (launcher.state() != QProcess::Running) {
        std::fprintf(stderr, "quillon ended during the settling time (exit code %d)\n", launcher.exitCode());
        return 1;
    }
    const Usage before = Read(pid);
    const QString rssStart = StatusLine(pid, "VmRSS:");
    QThread::sleep(windowS);
    const Usage after = Read(pid);
    const QString rss = StatusLine(pid, "VmRSS:");
    const QString hwm = StatusLine(pid, "VmHWM:");
    launcher.terminate();
    if (!launcher.waitForFinished(5000)) {
        launcher.kill();
        launcher.waitForFinished(5000);
    }

    const double scale = 300.0 / windowS;
    std::printf("platform: %s\n", qPrintable(env.value(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb (DISPLAY)"))));
    std::printf("store: 10,000 events, 5,000 with a reminder, none due during the run\n");
    std::printf("settled %d s, measured %d s%s\n", settleS, windowS,
                windowS == 300 ? "" : qPrintable(QStringLiteral(" (times below scaled x%1 to five minutes)").arg(scale)));
    std::printf("processor time per five minutes: %.2f ms (threads' scheduler time), %.0f ms (utime+stime, %ld ticks a second)\n",
                (after.schedMs - before.schedMs) * scale, (after.statMs - before.statMs) * scale, ::sysconf(_SC_CLK_TCK));
    std::printf("resident memory: %s after settling, %s at the end, peak %s\n", qPrintable(rssStart), qPrintable(rss),
                qPrintable(hwm));
    return 0;
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
