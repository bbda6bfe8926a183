#include "basDateText.h"

#include <QStringList>

namespace quillon {

namespace basDateText {

QString FormatDateText(const QDate &date)
{
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1/%2/%3")
        .arg(date.month())
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QDate ParseDateText(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('/'));
    if (parts.size() != 3)
        return {};
    bool okMonth = false, okDay = false, okYear = false;
    const int month = parts[0].toInt(&okMonth);
    const int day = parts[1].toInt(&okDay);
    const int year = parts[2].toInt(&okYear);
    if (!okMonth || !okDay || !okYear || parts[2].size() != 4)
        return {};
    return QDate(year, month, day); // invalid for 2/30/2026 and the like
}

QString NormalizeDateText(const QString &text) { return FormatDateText(ParseDateText(text)); }

} // namespace basDateText

} // namespace quillon
