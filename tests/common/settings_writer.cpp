// Test helper: writes N values named PREFIX0..PREFIX(N-1) to the settings store, one
// write each, as a second program would.
#include "basQuillon.h"

#include <QCoreApplication>

namespace quillon {

int Main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    const int count = QString::fromLocal8Bit(argv[2]).toInt();
    int failed = 0;
    for (int i = 0; i < count; ++i)
        failed += !basQuillon::SaveOption(prefix + QString::number(i), QString::number(i * 7));
    return failed == 0 ? 0 : 1;
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
