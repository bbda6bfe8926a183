// Stands in for the calendar program under its real lock protocol: each drawing appends
// "draw [-1] [again]" to $QUILLON_STUB_LOG and lasts $QUILLON_STUB_SLEEP_MS; a copy that
// leaves its request to the one drawing appends "left".
#include "DesktopCalendar.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

namespace quillon {

namespace {
void Log(const QByteArray &line)
{
    QFile log(qEnvironmentVariable("QUILLON_STUB_LOG"));
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(line + '\n');
}
} // namespace

int Main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const auto asked = DesktopCalendar::DrawingOf(QCoreApplication::arguments().mid(1));
    const auto done = DesktopCalendar::DrawUnderLock(asked, [](DesktopCalendar::Drawing drawing, bool again) {
        QByteArray line = "draw";
        if (drawing == DesktopCalendar::Drawing::BackgroundOnly)
            line += " -1";
        if (again)
            line += " again";
        Log(line);
        QThread::msleep(static_cast<unsigned long>(qEnvironmentVariableIntValue("QUILLON_STUB_SLEEP_MS")));
        return 0;
    });
    if (done.outcome == DesktopCalendar::LockedDrawing::Outcome::LeftToOther)
        Log("left");
    return done.outcome == DesktopCalendar::LockedDrawing::Outcome::Drawn
            || done.outcome == DesktopCalendar::LockedDrawing::Outcome::LeftToOther
        ? 0
        : 1;
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
