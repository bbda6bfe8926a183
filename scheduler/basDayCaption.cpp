#include "basDayCaption.h"

#include <QCoreApplication>

#include "basColor.h"
#include "basColorCombo.h"

#include <algorithm>

namespace quillon {

namespace basDayCaption {

QString MoreText(qsizetype count) { return QCoreApplication::translate("basDayCaption", "and %1 more").arg(count); }

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
        // A day takes any of the sixteen event colours, not only the liturgical five;
        // a name outside them reads as black.
        caption.background = basColor::ToQColor(basColorCombo::ColorFromName(dateColor));
        caption.foreground = dateColor == QLatin1String("White") ? QColor(Qt::black) : QColor(Qt::white);
    }
    return caption;
}

} // namespace basDayCaption

} // namespace quillon
