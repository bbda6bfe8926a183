// The text, height and colours of the caption above the day view: the shown day's
// long date, one further line per all-day event, on the day's liturgical colour.
#pragma once

#include <QColor>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace quillon {

namespace basDayCaption {

// Twips: the date line, and each all-day event's line below it.
inline constexpr std::int32_t kBaseHeight = 600;
inline constexpr std::int32_t kLineHeight = 250;

struct Caption {
    QString text;
    std::int32_t height = kBaseHeight; // twips
    QColor background;
    QColor foreground;
};

// dateColor is the day's liturgical colour name, or empty for none; buttonFace is the
// colour of a day without one. When the lines would make the caption higher than
// maxHeight (twips; 0 for no limit), the last line that fits says how many more there are,
// so the time scale below never disappears.
Caption BuildCaption(const QDate &date, const QStringList &allDayNames, const QString &dateColor,
                     const QLocale &locale, const QColor &buttonFace, std::int32_t maxHeight = 0);

// "and 3 more"
QString MoreText(qsizetype count);

} // namespace basDayCaption

} // namespace quillon
