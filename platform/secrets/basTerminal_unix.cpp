#include "basTerminal.h"

#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace quillon {

namespace basTerminal {

std::optional<QString> ReadHiddenLine(const QString &prompt)
{
    if (!isatty(STDIN_FILENO))
        return std::nullopt;
    std::fputs(prompt.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    termios saved{};
    const bool hidden = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hidden) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    int c = 0;
    bool any = false;
    while ((c = std::getchar()) != EOF && c != '\n') {
        line.push_back(char(c));
        any = true;
    }
    if (hidden)
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputc('\n', stderr);
    if (c == EOF && !any)
        return std::nullopt;
    return QString::fromLocal8Bit(line.c_str());
}

} // namespace basTerminal

} // namespace quillon
