#include "basTerminal.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace quillon {

namespace basTerminal {

std::optional<QString> ReadHiddenLine(const QString &prompt)
{
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (input == INVALID_HANDLE_VALUE || !GetConsoleMode(input, &mode))
        return std::nullopt;
    std::fputws(reinterpret_cast<const wchar_t *>(prompt.utf16()), stderr);
    SetConsoleMode(input, mode & ~DWORD(ENABLE_ECHO_INPUT));
    std::wstring line;
    wchar_t c = 0;
    DWORD read = 0;
    while (ReadConsoleW(input, &c, 1, &read, nullptr) && read == 1 && c != L'\n') {
        if (c != L'\r')
            line.push_back(c);
    }
    SetConsoleMode(input, mode);
    std::fputc('\n', stderr);
    return QString::fromStdWString(line);
}

} // namespace basTerminal

} // namespace quillon
