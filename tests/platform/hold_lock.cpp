// Test helper: takes the single-instance lock of the program named in argv[1], says
// "locked" and holds it until its standard input closes.
#include "platform/basPlatform.h"

#include <QCoreApplication>

#include <cstdio>

namespace quillon {

int Main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2 || basPlatform::PreviousInstanceRunning(QString::fromLocal8Bit(argv[1])))
        return 1;
    std::puts("locked");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
