#include "ICalendarColors.h"

#include "EventColors.h"

#include <QColor>
#include <QRegularExpression>

#include <limits>

namespace quillon {

namespace ICalendarColors {

const QStringList &EventColorNames() { return EventColors::Names(); }

QString CssNameOf(const QString &eventColor) { return EventColors::CssNameOf(eventColor); }

QString NearestEventColor(const QString &cssColor)
{
    const QString text = cssColor.trimmed().toLower();
    if (text.isEmpty() || !QColor::isValidColorName(text))
        return QString();
    const QColor wanted = QColor::fromString(text);
    QString nearest;
    long best = std::numeric_limits<long>::max();
    for (const QString &name : EventColorNames()) {
        const QColor candidate = QColor::fromString(CssNameOf(name));
        const long dr = wanted.red() - candidate.red();
        const long dg = wanted.green() - candidate.green();
        const long db = wanted.blue() - candidate.blue();
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < best) {
            best = distance;
            nearest = name;
        }
    }
    return nearest;
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
