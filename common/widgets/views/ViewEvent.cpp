#include "views/ViewEvent.h"

namespace quillon {

QString ViewTimeText(const QLocale &locale, QTime time)
{
    // Some locales put seconds even into their short form.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.remove(QStringLiteral(":ss")).remove(QStringLiteral(".ss"));
    return locale.toString(time, format);
}

} // namespace quillon
