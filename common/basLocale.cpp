#include "basLocale.h"

#include <QRegularExpression>

namespace quillon {

namespace basLocale {

QLocale ShownLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

bool TwelveHourClock(const QLocale &locale)
{
    return ShownLocale(locale).timeFormat(QLocale::ShortFormat).contains(QLatin1Char('a'), Qt::CaseInsensitive);
}

QString ShownTime(QTime time, const QLocale &locale)
{
    if (!time.isValid())
        return QString();
    // Some locales put seconds even into their short form.
    static const QRegularExpression seconds(QStringLiteral("[:.]?s{1,2}"));
    const QLocale shown = ShownLocale(locale);
    QString format = shown.timeFormat(QLocale::ShortFormat);
    format.remove(seconds);
    return shown.toString(time, format.trimmed());
}

QString CompactTime(QTime time, const QLocale &locale)
{
    if (!time.isValid())
        return QString();
    if (!TwelveHourClock(locale))
        return ShownTime(time, locale);
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2%3")
        .arg(hour12)
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QLatin1Char('a') : QLatin1Char('p'));
}

QString WeekStartsOnValue(const QString &weekStartsOn)
{
    const QString text = weekStartsOn.trimmed();
    for (const char *value : {kWeekStartsOnSunday, kWeekStartsOnMonday, kWeekStartsOnSaturday})
        if (text.compare(QLatin1String(value), Qt::CaseInsensitive) == 0)
            return QLatin1String(value);
    return QLatin1String(kWeekStartsOnLocale);
}

Qt::DayOfWeek FirstDayOfWeek(const QString &weekStartsOn, const QLocale &locale)
{
    const QString value = WeekStartsOnValue(weekStartsOn);
    if (value == QLatin1String(kWeekStartsOnSunday))
        return Qt::Sunday;
    if (value == QLatin1String(kWeekStartsOnMonday))
        return Qt::Monday;
    if (value == QLatin1String(kWeekStartsOnSaturday))
        return Qt::Saturday;
    return ShownLocale(locale).firstDayOfWeek();
}

} // namespace basLocale

} // namespace quillon
