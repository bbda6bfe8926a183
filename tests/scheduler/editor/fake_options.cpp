// Test helper standing in for the options program: saves the scheduler colours named
// by QUILLON_FAKE_BACKCOLOR / QUILLON_FAKE_FILLCOLOR and ends with QUILLON_FAKE_EXIT.
#include "basQuillon.h"

#include <QCoreApplication>

namespace quillon {

int Main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString back = qEnvironmentVariable("QUILLON_FAKE_BACKCOLOR");
    const QString fill = qEnvironmentVariable("QUILLON_FAKE_FILLCOLOR");
    if (!back.isEmpty())
        basQuillon::SaveOption(QStringLiteral("SchedulerBackColor"), back);
    if (!fill.isEmpty())
        basQuillon::SaveOption(QStringLiteral("SchedulerDurationFillColor"), fill);
    return qEnvironmentVariableIntValue("QUILLON_FAKE_EXIT");
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
