#include "ICalendarColors.h"

#include "EventColors.h"

#include <QColor>
#include <QRegularExpression>

#include <limits>

namespace quillon {

namespace ICalendarColors {

const QStringList &EventColorNames() { return EventColors::Names(); }

QString CssNameOf(const QString &eventColor) { return EventColors::CssNameOf(eventColor); }

namespace {

// The 16 colours as CSS has them, looked up once: every coloured event of a file asks.
const QList<QColor> &EventColorValues()
{
    static const QList<QColor> values = [] {
        QList<QColor> colors;
        for (const QString &name : EventColorNames())
            colors.append(QColor::fromString(CssNameOf(name)));
        return colors;
    }();
    return values;
}

} // namespace

QString NearestEventColor(const QString &cssColor)
{
    const QString text = cssColor.trimmed().toLower();
    if (text.isEmpty())
        return QString();
    const QColor wanted = QColor::fromString(text);
    if (!wanted.isValid())
        return QString();
    const QList<QColor> &candidates = EventColorValues();
    qsizetype nearest = -1;
    long best = std::numeric_limits<long>::max();
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const long dr = wanted.red() - candidates[i].red();
        const long dg = wanted.green() - candidates[i].green();
        const long db = wanted.blue() - candidates[i].blue();
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest < 0 ? QString() : EventColorNames().at(nearest);
}

QString EventColorFromCategories(const QStringList &categories)
{
    static const QRegularExpression nonLetters(QStringLiteral("[^A-Za-z]+"));
    for (const QString &category : categories) {
        QString color = NearestEventColor(category);
        if (!color.isEmpty())
            return color;
        for (const QString &word : category.split(nonLetters, Qt::SkipEmptyParts)) {
            color = NearestEventColor(word);
            if (!color.isEmpty())
                return color;
        }
    }
    return QString();
}

} // namespace ICalendarColors

} // namespace quillon
