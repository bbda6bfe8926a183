// What quillon-db says: one line a message, on stdout or stderr.
#pragma once

#include <QString>

#include <cstdio>

namespace quillon {

namespace quillondb {

inline void Print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

} // namespace quillondb

} // namespace quillon
