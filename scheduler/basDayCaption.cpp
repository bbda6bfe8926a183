#include "basDayCaption.h"

#include "basColor.h"
#include "basQuillon.h"

#include <algorithm>

namespace basDayCaption {

QString MoreText(qsizetype count) { return QStringLiteral("and %1 more").arg(count); }

Caption BuildCaption(const QDate &date, const QStringList &allDayNames, const QString &dateColor,
                     const QLocale &locale, const QColor &buttonFace, std::int32_t maxHeight)
{
    Caption caption;
    caption.text = locale.toString(date, QLocale::LongFormat);
    qsizetype lines = allDayNames.size();
    if (maxHeight > 0 && kBaseHeight + lines * kLineHeight > maxHeight)
        lines = std::max<qsizetype>(1, (maxHeight - kBaseHeight) / kLineHeight);
    const bool cut = lines < allDayNames.size();
    for (qsizetype i = 0; i < lines; ++i) {
        const bool last = i == lines - 1;
        caption.text += QLatin1Char('\n') + (cut && last ? MoreText(allDayNames.size() - i) : allDayNames[i]);
        caption.height += kLineHeight;
    }
    if (dateColor.isEmpty()) {
        caption.background = buttonFace;
        caption.foreground = Qt::black;
    } else {
        // Names outside the five liturgical colours read as black, as in the colour list.
        caption.background = basColor::ToQColor(basQuillon::LiturgicalColorFromName(dateColor));
        caption.foreground = dateColor == QLatin1String("White") ? QColor(Qt::black) : QColor(Qt::white);
    }
    return caption;
}

} // namespace basDayCaption
