// Test helper: ends with the exit code given as its first argument.
#include <QString>

int main(int argc, char **argv)
{
    return argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
}
