// Stands in for a sibling program (calendar, scheduler, options) in a test's program
// folder: appends one line to $QUILLON_STUB_LOG with the name it was started as and its
// arguments; when $QUILLON_STUB_SETTINGS names a settings file, also the line of it that
// starts with $QUILLON_STUB_KEY, as the program would have read it at its start.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char **argv)
{
    const char *logPath = std::getenv("QUILLON_STUB_LOG");
    if (!logPath || argc < 1)
        return 3;
    std::string line = argv[0];
    const auto slash = line.find_last_of("/\\");
    if (slash != std::string::npos)
        line.erase(0, slash + 1);
    for (int i = 1; i < argc; ++i)
        line += std::string(" ") + argv[i];

    const char *settings = std::getenv("QUILLON_STUB_SETTINGS");
    const char *key = std::getenv("QUILLON_STUB_KEY");
    if (settings && key) {
        std::ifstream in(settings);
        std::string setting;
        std::string seen = "(none)";
        while (std::getline(in, setting))
            if (setting.rfind(std::string(key) + "=", 0) == 0)
                seen = setting;
        line += " | " + seen;
    }
    std::ofstream out(logPath, std::ios::app);
    out << line << '\n';
    return 0;
}
