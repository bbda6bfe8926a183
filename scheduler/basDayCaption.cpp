#include "basDayCaption.h"

#include "basColor.h"
#include "basQuillon.h"

namespace basDayCaption {

Caption BuildCaption(const QDate &date, const QStringList &allDayNames, const QString &dateColor,
                     const QLocale &locale, const QColor &buttonFace)
{
    Caption caption;
    caption.text = locale.toString(date, QLocale::LongFormat);
    for (const QString &name : allDayNames) {
        caption.text += QLatin1Char('\n') + name;
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
