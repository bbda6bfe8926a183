// Stands in for a sibling program (calendar, scheduler, options) in a test's program
// folder: appends one line to $QUILLON_STUB_LOG with the name it was started as and its
// arguments; when $QUILLON_STUB_SETTINGS names a settings file, also the line of it that
// starts with $QUILLON_STUB_KEY, as the program would have read it at its start.
// For the launcher's watched runs: $QUILLON_STUB_EXITS names a file of exit codes, of
// which each run takes the first (the last one stays for every later run), exit code 3
// with a reason on stderr as the calendar program gives it; $QUILLON_STUB_SLEEP_MS
// makes a run last; $QUILLON_STUB_BUSY names a marker file held while a run lasts, so
// a run that finds it already there logs "overlap"; $QUILLON_STUB_TOUCH names a file
// each run rewrites; $QUILLON_STUB_CRASH makes a run abort after its sleep.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace quillon {

namespace {
int TakeExitCode(const char *path)
{
    if (!path)
        return 0;
    std::vector<int> codes;
    {
        std::ifstream in(path);
        int code = 0;
        while (in >> code)
            codes.push_back(code);
    }
    if (codes.empty())
        return 0;
    if (codes.size() > 1) {
        std::ofstream out(path, std::ios::trunc);
        for (std::size_t i = 1; i < codes.size(); ++i)
            out << codes[i] << ' ';
    }
    return codes.front();
}
} // namespace

int Main(int argc, char **argv)
{
    const char *logPath = std::getenv("QUILLON_STUB_LOG");
    if (!logPath || argc < 1)
        return 1;
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
    const char *busy = std::getenv("QUILLON_STUB_BUSY");
    if (busy) {
        if (std::FILE *marker = std::fopen(busy, "wx"))
            std::fclose(marker);
        else
            line += " overlap";
    }
    {
        std::ofstream out(logPath, std::ios::app);
        out << line << '\n';
    }
    const int exitCode = TakeExitCode(std::getenv("QUILLON_STUB_EXITS"));
    if (const char *touch = std::getenv("QUILLON_STUB_TOUCH"))
        std::ofstream(touch, std::ios::trunc) << line << '\n';
    if (const char *sleepMs = std::getenv("QUILLON_STUB_SLEEP_MS"))
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(sleepMs)));
    if (busy)
        std::remove(busy);
    if (std::getenv("QUILLON_STUB_CRASH"))
        std::abort();
    if (exitCode == 3)
        std::fprintf(stderr, "calendar: the desktop wallpaper was not set: the stand-in desktop is not ready\n");
    return exitCode;
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
