// Where things are in a calendar file, so that a message can name the line: the
// BEGIN and END lines of every component, in the order the file has them. It reads
// only the lines that start a component, end one or start a property; the parsing
// itself is libical's.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace ICalendarLines {

struct ComponentLines {
    QString Name; // "VEVENT", upper case
    int Begin = 0;
    int End = 0;  // 0 while open
    int Depth = 0;
};

class LineIndex {
public:
    // Maps the text. Throws basOperation::Failure ("line N: reason") when the file is no
    // calendar text: a NUL byte, no BEGIN:VCALENDAR first, an END without its BEGIN, or
    // a component that is never closed (a truncated file).
    explicit LineIndex(const QByteArray &text);

    // Every component in the order of its BEGIN line (the order of a depth-first walk).
    const QList<ComponentLines> &Components() const { return m_components; }

    // The first line of the component at index whose property name is name (and whose
    // text contains value, when value is given); the component's BEGIN line when none.
    int PropertyLine(int componentIndex, const QString &name, const QByteArray &value = QByteArray()) const;
    // The line of its n-th property of that name (from 0); its BEGIN line when it has fewer.
    int NthPropertyLine(int componentIndex, const QString &name, int n) const;

private:
    int FindPropertyLine(int componentIndex, const QString &name, const QByteArray &value, int skip) const;

    QList<QByteArray> m_lines; // each line without its end of line
    QList<ComponentLines> m_components;
};

} // namespace ICalendarLines
