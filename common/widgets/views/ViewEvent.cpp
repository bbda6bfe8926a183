#include "views/ViewEvent.h"

#include "basColor.h"
#include "basLocale.h"

namespace quillon {

QColor ViewEventColor(const ViewEvent &event, std::int32_t fill, const QPalette &palette)
{
    if (event.color >= 0)
        return basColor::ToQColor(event.color);
    return fill >= 0 ? basColor::ToQColor(fill) : palette.color(QPalette::Highlight);
}

QString ViewTimeText(const QLocale &locale, QTime time)
{
    return basLocale::ShownTime(time, locale);
}

} // namespace quillon
