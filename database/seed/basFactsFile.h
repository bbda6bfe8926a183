// The facts-of-the-day file shipped in data/: UTF-8, one fact a line as
// "MM-DD<TAB>text"; lines starting with '#' and blank lines are skipped.
#pragma once

#include <QList>
#include <QString>

namespace quillon {

namespace basFactsFile {

struct Fact {
    QString monthDay; // "MM-DD"
    QString text;
};

// Reads the whole file. On a malformed line (a month-day that no year has, such as
// 02-30, no tab, empty text, a second tab) or a file that cannot be read or is not
// UTF-8, returns false with the reason and line number in error and leaves facts empty.
bool LoadFactsFile(const QString &path, QList<Fact> &facts, QString &error);

} // namespace basFactsFile

} // namespace quillon
