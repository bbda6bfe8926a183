// Where things are in a calendar file, so that a message can name the line: the
// BEGIN and END lines of every component and where its text is, in the order the file
// has them. It keeps no copy of the lines (a large file has millions): a component's
// own lines are read again from the text when one is looked for. The parsing itself
// is libical's.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QFile;

namespace quillon {

namespace ICalendarLines {

// The text of a calendar file: held in memory, or read from the open file a part at a
// time, so that a large file never stands whole in memory.
class Text {
public:
    Text() = default;
    explicit Text(const QByteArray &bytes);
    // The bytes from offset of the open file, size of them; the file is read as it is
    // when a part is asked for.
    Text(std::shared_ptr<QFile> file, qint64 offset, qsizetype size);

    qsizetype size() const { return m_size; }
    bool InMemory() const { return !m_file; }
    const QByteArray &Bytes() const { return m_bytes; } // of a text in memory
    // The bytes [from, to). Throws basOperation::Failure when the file no longer has them
    // (it was cut short while it was read).
    QByteArray Slice(qsizetype from, qsizetype to) const;

private:
    QByteArray m_bytes;
    std::shared_ptr<QFile> m_file;
    qint64 m_offset = 0;
    qsizetype m_size = 0;
    // The part of the file read last: the lines of one component are looked at together.
    mutable QByteArray m_window;
    mutable qsizetype m_windowFrom = 0;
};

struct ComponentLines {
    QString Name; // "VEVENT", upper case
    int Begin = 0;
    int End = 0;  // 0 while open
    int Depth = 0;
    // Its text in the file: from its BEGIN line to the line break after its END line.
    qsizetype From = 0;
    qsizetype To = 0;
};

// One content line of a component's text, unfolded, with the number of its first line in
// the file and those of the lines mended into it (see MendedLines).
struct ContentLine {
    int Number = 0;
    QByteArray Text;
    QList<int> Joined;
};

// What becomes of a line that is no content line (see MendedLines).
enum class StrayLine { Joined, Dropped };

// The content lines of a component's text (numbered from first), unfolded, with what a
// careless writer broke mended: a line that is no content line (no name before a ':' or
// ';', or it starts within a character) continues the one before, or is dropped. It
// continues it directly when the break fell within a character or the line before is
// as long as folded lines are, as a fold that lost its blank; else as the value's next
// line ("\n"), as a line break the writer did not escape.
QList<ContentLine> MendedLines(const QByteArray &text, int first, StrayLine stray);

// The content lines of a text in memory, unfolded as a file's are read (a line that
// starts with a blank continues the one before; an empty line carries nothing), each
// with where it starts. visit(begin, line) returns false to stop; so does this then.
bool ForEachContentLine(const QByteArray &text, const std::function<bool(qsizetype begin, QByteArrayView line)> &visit);

class LineIndex {
public:
    // Maps the text, which it keeps (shared, not copied; a file's is read a part at a time). Throws basOperation::Failure ("line N: reason") when the file is no
    // calendar text: a NUL byte, no BEGIN:VCALENDAR first, an END without its BEGIN, or
    // a component that is never closed (a truncated file).
    explicit LineIndex(const Text &text);

    // Every component in the order of its BEGIN line (the order of a depth-first walk).
    const QList<ComponentLines> &Components() const { return m_components; }

    // The first line of the component at index whose property name is name (and whose
    // text contains value, when value is given); the component's BEGIN line when none.
    // Folded lines are matched unfolded.
    int PropertyLine(int componentIndex, const QString &name, const QByteArray &value = QByteArray()) const;
    // The line of its n-th property of that name (from 0); its BEGIN line when it has fewer.
    int NthPropertyLine(int componentIndex, const QString &name, int n) const;
    // The line of its n-th property of that name whose whole value is value.
    int NthPropertyLineWithValue(int componentIndex, const QString &name, int n, const QByteArray &value) const;
    // The n-th line of the component (not of its children) that starts with text; its
    // BEGIN line when it has fewer.
    int NthLineStartingWith(int componentIndex, const QByteArray &text, int n) const;
    // The value of its first property of that name as the file has it (unfolded, still
    // escaped, with its blanks), or a null array when it has none.
    QByteArray RawPropertyValue(int componentIndex, const QString &name) const;

private:
    int FindPropertyLine(int componentIndex, const QString &name, const QByteArray &value, bool whole, int skip) const;
    template<typename Match>
    int FindLine(int componentIndex, int skip, const Match &match) const;

    Text m_text;
    QList<ComponentLines> m_components;
};

} // namespace ICalendarLines

} // namespace quillon
