#include "ICalendarLines.h"

#include "basOperation.h"

namespace ICalendarLines {

namespace {

constexpr int kMaxDepth = 16;

bool StartsWithWord(const QByteArray &line, const char *word)
{
    const qsizetype length = qsizetype(qstrlen(word));
    return line.size() >= length && qstrnicmp(line.constData(), word, length) == 0;
}

// A name quoted from the file: at most about 80 characters of its line.
QString Short(const QString &text)
{
    constexpr qsizetype kMaxQuote = 80;
    return text.size() <= kMaxQuote ? text : text.left(kMaxQuote) + QStringLiteral("...");
}

QString Where(int line, const QString &reason)
{
    return QStringLiteral("line %1: %2").arg(line).arg(reason);
}

[[noreturn]] void Refuse(int line, const QString &reason)
{
    throw basOperation::Failure(basOperation::kTypeMismatch, Where(line, reason));
}

} // namespace

LineIndex::LineIndex(const QByteArray &text)
{
    if (text.contains('\0'))
        Refuse(1 + int(text.left(text.indexOf('\0')).count('\n')), QStringLiteral("this is not a text file"));
    const QList<QByteArray> physical = text.split('\n');
    m_lines.reserve(physical.size());
    for (int i = 0; i < physical.size(); ++i) {
        QByteArrayView line(physical[i]);
        if (line.endsWith('\r'))
            line.chop(1);
        // A folded continuation starts with a blank; an empty line carries nothing.
        if (line.isEmpty())
            continue;
        if (line.startsWith(' ') || line.startsWith('\t')) {
            if (!m_lines.isEmpty())
                m_lines.last().text += line.sliced(1);
            continue;
        }
        m_lines.append({i + 1, line.toByteArray()});
    }
    QList<int> open; // indexes into m_components
    for (int i = 0; i < m_lines.size(); ++i) {
        const QByteArray &line = m_lines[i].text;
        const int number = m_lines[i].number;
        if (i == 0 && !StartsWithWord(line, "BEGIN:VCALENDAR"))
            Refuse(number, QStringLiteral("this is not an iCalendar file (it does not start with BEGIN:VCALENDAR)"));
        if (StartsWithWord(line, "BEGIN:")) {
            ComponentLines component;
            component.Name = QString::fromUtf8(line.mid(6)).trimmed().toUpper();
            component.Begin = number;
            component.Depth = int(open.size());
            // Real calendars nest three deep; libical and we walk nesting recursively.
            if (component.Depth >= kMaxDepth)
                Refuse(number, QStringLiteral("components nested more than %1 deep").arg(kMaxDepth));
            if (component.Depth == 0 && component.Name != QLatin1String("VCALENDAR"))
                Refuse(number, QStringLiteral("BEGIN:%1 outside of a calendar").arg(Short(component.Name)));
            m_components.append(component);
            m_beginLine.append(i);
            open.append(int(m_components.size()) - 1);
        } else if (StartsWithWord(line, "END:")) {
            const QString name = QString::fromUtf8(line.mid(4)).trimmed().toUpper();
            if (open.isEmpty())
                Refuse(number, QStringLiteral("END:%1 without BEGIN:%1").arg(Short(name)));
            ComponentLines &innermost = m_components[open.last()];
            if (innermost.Name != name)
                Refuse(number, QStringLiteral("END:%1 where END:%2 (of line %3) was expected")
                                   .arg(Short(name), Short(innermost.Name), QString::number(innermost.Begin)));
            innermost.End = number;
            open.removeLast();
        } else if (open.isEmpty()) {
            Refuse(number, QStringLiteral("text after the end of the calendar"));
        }
    }
    if (m_lines.isEmpty())
        Refuse(1, QStringLiteral("the file is empty"));
    if (!open.isEmpty()) {
        const ComponentLines &innermost = m_components[open.last()];
        Refuse(innermost.Begin, QStringLiteral("BEGIN:%1 has no END:%1; the file is truncated").arg(Short(innermost.Name)));
    }
}

int LineIndex::PropertyLine(int componentIndex, const QString &name, const QByteArray &value) const
{
    return FindPropertyLine(componentIndex, name, value, false, 0);
}

int LineIndex::NthPropertyLine(int componentIndex, const QString &name, int n) const
{
    return FindPropertyLine(componentIndex, name, QByteArray(), false, n);
}

int LineIndex::NthPropertyLineWithValue(int componentIndex, const QString &name, int n, const QByteArray &value) const
{
    return FindPropertyLine(componentIndex, name, ':' + value, true, n);
}

int LineIndex::NthLineStartingWith(int componentIndex, const QByteArray &text, int n) const
{
    return FindLine(componentIndex, n, [&text](const QByteArray &line) { return line.startsWith(text); });
}

int LineIndex::FindPropertyLine(int componentIndex, const QString &name, const QByteArray &value, bool whole,
                                int skip) const
{
    const QByteArray wanted = name.toUpper().toUtf8();
    return FindLine(componentIndex, skip, [&](const QByteArray &line) {
        if (line.size() <= wanted.size() || !StartsWithWord(line, wanted.constData()))
            return false;
        const char after = line.at(wanted.size());
        if (after != ':' && after != ';')
            return false;
        return value.isEmpty() || (whole ? line.trimmed().endsWith(value) : line.contains(value));
    });
}

// The component's own lines: those of its children are passed over.
template<typename Match>
int LineIndex::FindLine(int componentIndex, int skip, const Match &match) const
{
    if (componentIndex < 0 || componentIndex >= m_components.size())
        return 0;
    const ComponentLines &component = m_components[componentIndex];
    int depth = 0;
    for (int i = m_beginLine[componentIndex] + 1; i < m_lines.size() && m_lines[i].number < component.End; ++i) {
        const QByteArray &line = m_lines[i].text;
        if (StartsWithWord(line, "BEGIN:")) {
            ++depth;
            continue;
        }
        if (StartsWithWord(line, "END:")) {
            --depth;
            continue;
        }
        if (depth == 0 && match(line) && skip-- == 0)
            return m_lines[i].number;
    }
    return component.Begin;
}

} // namespace ICalendarLines
