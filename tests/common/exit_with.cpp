// Test helper: ends with the exit code given as its first argument.
#include <QString>

namespace quillon {

int Main(int argc, char **argv)
{
    return argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
