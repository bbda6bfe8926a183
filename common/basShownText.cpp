#include "basShownText.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

namespace quillon {

namespace basShownText {

namespace {

const QRegularExpression &PlaceMarker()
{
    static const QRegularExpression marker(QStringLiteral("%([1-9])"));
    return marker;
}

// The form as a pattern: its words literally, each %N any text (the shortest that fits).
QRegularExpression Pattern(const QString &form, QList<int> &numbers)
{
    QString pattern = QStringLiteral("^");
    qsizetype from = 0;
    for (const QRegularExpressionMatch &place : PlaceMarker().globalMatch(form)) {
        pattern += QRegularExpression::escape(form.mid(from, place.capturedStart() - from)) + QStringLiteral("(.*?)");
        numbers << place.captured(1).toInt();
        from = place.capturedEnd();
    }
    pattern += QRegularExpression::escape(form.mid(from)) + QLatin1Char('$');
    return QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption);
}

qsizetype LiteralLength(const char *form)
{
    return QString::fromUtf8(form).remove(PlaceMarker()).size();
}

// A form with its pattern, made once for all the lines of a text.
struct Form {
    const char *context;
    const char *text;
    QRegularExpression pattern;
    QList<int> numbers;
};

QString Line(const QString &line, const std::vector<Form> &forms, int depth);

QString Filled(const QString &translated, const QList<int> &numbers, const QRegularExpressionMatch &match,
               const std::vector<Form> &forms, int depth)
{
    QString result;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &place : PlaceMarker().globalMatch(translated)) {
        result += translated.mid(from, place.capturedStart() - from);
        const auto index = numbers.indexOf(place.captured(1).toInt());
        result += index < 0 ? place.captured(0) : Line(match.captured(int(index) + 1), forms, depth + 1);
        from = place.capturedEnd();
    }
    return result + translated.mid(from);
}

QString Line(const QString &line, const std::vector<Form> &forms, int depth)
{
    // Words within words go no deeper than the forms themselves nest.
    if (line.isEmpty() || depth > 4)
        return line;
    for (const Form &form : forms) {
        const QRegularExpressionMatch match = form.pattern.match(line);
        if (match.hasMatch())
            return Filled(QCoreApplication::translate(form.context, form.text), form.numbers, match, forms, depth);
    }
    // A sentence's full stop is no part of its form ("... if the server offers it.").
    if (line.endsWith(QLatin1Char('.')) && !line.endsWith(QLatin1String(".."))) {
        const QString bare = line.chopped(1);
        const QString shown = Line(bare, forms, depth + 1);
        if (shown != bare)
            return shown + QLatin1Char('.');
    }
    return line;
}

} // namespace

QString Of(const QString &english, std::span<const Forms> groups)
{
    std::vector<std::pair<qsizetype, Form>> sized;
    for (const Forms &group : groups) {
        for (const char *text : group.forms) {
            Form form{group.context, text, {}, {}};
            form.pattern = Pattern(QString::fromUtf8(text), form.numbers);
            sized.emplace_back(LiteralLength(text), std::move(form));
        }
    }
    // The most specific form first: "%1: %2 failed" before "%1: %2".
    std::stable_sort(sized.begin(), sized.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    std::vector<Form> ordered;
    ordered.reserve(sized.size());
    for (auto &entry : sized)
        ordered.push_back(std::move(entry.second));
    QStringList lines = english.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = Line(line, ordered, 0);
    return lines.join(QLatin1Char('\n'));
}

QString Of(const QString &english, const char *context, std::span<const char *const> forms)
{
    const Forms group[] = {{context, forms}};
    return Of(english, group);
}

} // namespace basShownText

} // namespace quillon
