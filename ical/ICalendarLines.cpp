#include "ICalendarLines.h"

#include "ICalendarTexts.h"
#include "basOperation.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <cctype>
#include <utility>

namespace quillon {

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
    return QString::fromUtf8(ICalendarTexts::kAtLine).arg(line).arg(reason);
}

[[noreturn]] void Refuse(int line, const QString &reason)
{
    throw basOperation::Failure(basOperation::kTypeMismatch, Where(line, reason));
}

// How much of a file is read at a time.
constexpr qsizetype kChunkBytes = 1024 * 1024;

// The content lines of text[from, to), unfolded, each with the number of its first
// physical line (that of from is first) and where it starts; an empty line carries
// nothing. visit(number, begin, line) returns false to stop. The text is taken a part
// of whole lines at a time.
template<typename Visit>
void ForEachLine(const Text &text, qsizetype from, qsizetype to, int first, const Visit &visit)
{
    QByteArray logical;
    int logicalNumber = 0;
    qsizetype logicalBegin = -1;
    int number = first;
    for (qsizetype at = from; at < to;) {
        qsizetype end = std::min(to, at + kChunkBytes);
        QByteArray chunk = text.Slice(at, end);
        // A line longer than a part makes the part longer.
        qsizetype lastBreak = chunk.lastIndexOf('\n');
        while (lastBreak < 0 && end < to) {
            end = std::min(to, at + 2 * (end - at));
            chunk = text.Slice(at, end);
            lastBreak = chunk.lastIndexOf('\n');
        }
        if (end < to)
            chunk.truncate(lastBreak + 1);
        for (qsizetype pos = 0; pos < chunk.size(); ++number) {
            qsizetype lineEnd = chunk.indexOf('\n', pos);
            const qsizetype next = lineEnd < 0 ? chunk.size() : lineEnd + 1;
            if (lineEnd < 0)
                lineEnd = chunk.size();
            QByteArrayView line(chunk.constData() + pos, lineEnd - pos);
            if (line.endsWith('\r'))
                line.chop(1);
            if (!line.isEmpty()) {
                // A folded continuation starts with a blank.
                if (line.startsWith(' ') || line.startsWith('\t')) {
                    if (logicalBegin >= 0)
                        logical += line.sliced(1);
                } else {
                    if (logicalBegin >= 0 && !visit(logicalNumber, logicalBegin, logical))
                        return;
                    logical.resize(0);
                    logical += line;
                    logicalNumber = number;
                    logicalBegin = at + pos;
                }
            }
            pos = next;
        }
        at += chunk.size();
    }
    if (logicalBegin >= 0)
        visit(logicalNumber, logicalBegin, logical);
}

// A content line starts with a name (letters, digits and '-') and its ';' or ':'.
bool IsContentLine(QByteArrayView line)
{
    qsizetype at = 0;
    while (at < line.size() && (std::isalnum(static_cast<unsigned char>(line[at])) || line[at] == '-'))
        ++at;
    return at > 0 && at < line.size() && (line[at] == ':' || line[at] == ';');
}

} // namespace

bool ForEachContentLine(const QByteArray &text, const std::function<bool(qsizetype begin, QByteArrayView line)> &visit)
{
    bool going = true;
    ForEachLine(Text(text), 0, text.size(), 1, [&](int, qsizetype begin, const QByteArray &line) {
        going = visit(begin, line);
        return going;
    });
    return going;
}

QList<ContentLine> MendedLines(const QByteArray &text, int first, StrayLine stray)
{
    // Writers fold at 75 bytes; some count characters or fold a little earlier.
    constexpr qsizetype kFoldedLength = 70;
    QList<ContentLine> lines;
    qsizetype previousLength = 0;
    int number = first;
    for (qsizetype pos = 0; pos < text.size(); ++number) {
        qsizetype end = text.indexOf('\n', pos);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        QByteArrayView line(text.constData() + pos, end - pos);
        pos = next;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const qsizetype length = std::exchange(previousLength, line.size());
        if (lines.isEmpty() || IsContentLine(line)) {
            lines.append({number, line.toByteArray(), {}});
        } else if (line[0] == ' ' || line[0] == '\t') {
            lines.last().Text += line.sliced(1);
        } else if (stray == StrayLine::Dropped) {
            lines.last().Joined.append(number);
        } else {
            const bool withinCharacter = (static_cast<unsigned char>(line[0]) & 0xC0) == 0x80;
            if (!withinCharacter && length < kFoldedLength)
                lines.last().Text += "\\n";
            lines.last().Text += line;
            lines.last().Joined.append(number);
        }
    }
    return lines;
}

Text::Text(const QByteArray &bytes) : m_bytes(bytes), m_size(bytes.size()) {}

Text::Text(std::shared_ptr<QFile> file, qint64 offset, qsizetype size)
    : m_file(std::move(file)), m_offset(offset), m_size(size)
{
}

QByteArray Text::Slice(qsizetype from, qsizetype to) const
{
    if (!m_file)
        return m_bytes.sliced(from, to - from);
    if (from < m_windowFrom || to > m_windowFrom + m_window.size()) {
        const qsizetype length = std::min(m_size - from, std::max(to - from, kChunkBytes));
        m_window.clear();
        m_windowFrom = from;
        if (m_file->seek(m_offset + from))
            m_window = m_file->read(length);
        if (m_window.size() != length) {
            m_window.clear();
            throw basOperation::Failure(basOperation::kPathFileAccessError,
                                        QString::fromUtf8(ICalendarTexts::kChangedWhileRead));
        }
    }
    return m_window.sliced(from - m_windowFrom, to - from);
}

LineIndex::LineIndex(const Text &text) : m_text(text)
{
    // A file read a part at a time was found to be text before.
    if (text.InMemory() && text.Bytes().contains('\0'))
        Refuse(1 + int(text.Bytes().left(text.Bytes().indexOf('\0')).count('\n')), QString::fromUtf8(ICalendarTexts::kNotText));
    QList<int> open;    // indexes into m_components
    QList<int> closed;  // components whose text ends where the next line starts
    QHash<QByteArray, QString> names; // one copy of each name
    const auto nameOf = [&names](const QByteArray &line, qsizetype at) {
        const QByteArray key = line.mid(at).trimmed().toUpper();
        auto found = names.find(key);
        if (found == names.end())
            found = names.insert(key, QString::fromUtf8(key));
        return *found;
    };
    bool first = true;
    ForEachLine(text, 0, text.size(), 1, [&](int number, qsizetype begin, const QByteArray &line) {
        for (const int index : std::as_const(closed))
            m_components[index].To = begin;
        closed.clear();
        if (first && !StartsWithWord(line, "BEGIN:VCALENDAR"))
            Refuse(number, QString::fromUtf8(ICalendarTexts::kNotICalendar));
        first = false;
        if (StartsWithWord(line, "BEGIN:")) {
            ComponentLines component;
            component.Name = nameOf(line, 6);
            component.Begin = number;
            component.Depth = int(open.size());
            component.From = begin;
            // Real calendars nest three deep; libical and we walk nesting recursively.
            if (component.Depth >= kMaxDepth)
                Refuse(number, QString::fromUtf8(ICalendarTexts::kNestedTooDeep).arg(kMaxDepth));
            if (component.Depth == 0 && component.Name != QLatin1String("VCALENDAR"))
                Refuse(number, QString::fromUtf8(ICalendarTexts::kBeginOutside).arg(Short(component.Name)));
            m_components.append(component);
            open.append(int(m_components.size()) - 1);
        } else if (StartsWithWord(line, "END:")) {
            const QString name = nameOf(line, 4);
            if (open.isEmpty())
                Refuse(number, QString::fromUtf8(ICalendarTexts::kEndWithoutBegin).arg(Short(name)));
            ComponentLines &innermost = m_components[open.last()];
            if (innermost.Name != name)
                Refuse(number, QString::fromUtf8(ICalendarTexts::kEndNotExpected)
                                   .arg(Short(name), Short(innermost.Name), QString::number(innermost.Begin)));
            innermost.End = number;
            closed.append(open.takeLast());
        } else if (open.isEmpty()) {
            Refuse(number, QString::fromUtf8(ICalendarTexts::kTextAfterEnd));
        }
        return true;
    });
    for (const int index : std::as_const(closed))
        m_components[index].To = text.size();
    if (first)
        Refuse(1, QString::fromUtf8(ICalendarTexts::kEmpty));
    if (!open.isEmpty()) {
        const ComponentLines &innermost = m_components[open.last()];
        Refuse(innermost.Begin, QString::fromUtf8(ICalendarTexts::kTruncated).arg(Short(innermost.Name)));
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

QByteArray LineIndex::RawPropertyValue(int componentIndex, const QString &name) const
{
    const QByteArray wanted = name.toUpper().toUtf8();
    QByteArray value;
    FindLine(componentIndex, 0, [&](const QByteArray &line) {
        if (line.size() <= wanted.size() || !StartsWithWord(line, wanted.constData())
            || (line.at(wanted.size()) != ':' && line.at(wanted.size()) != ';'))
            return false;
        // The value follows the first colon that is not within a quoted parameter.
        bool quoted = false;
        for (qsizetype i = wanted.size(); i < line.size(); ++i) {
            if (line.at(i) == '"')
                quoted = !quoted;
            else if (line.at(i) == ':' && !quoted) {
                value = line.mid(i + 1);
                if (value.isNull())
                    value = QByteArray("");
                return true;
            }
        }
        return false;
    });
    return value;
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
    int found = component.Begin;
    ForEachLine(m_text, component.From, component.To, component.Begin, [&](int number, qsizetype, const QByteArray &line) {
        if (number == component.Begin)
            return true;
        if (number >= component.End)
            return false;
        if (StartsWithWord(line, "BEGIN:")) {
            ++depth;
            return true;
        }
        if (StartsWithWord(line, "END:")) {
            --depth;
            return true;
        }
        if (depth == 0 && match(line) && skip-- == 0) {
            found = number;
            return false;
        }
        return true;
    });
    return found;
}

} // namespace ICalendarLines

} // namespace quillon
