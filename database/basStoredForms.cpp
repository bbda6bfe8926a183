#include "basStoredForms.h"

#include "basOperation.h"
#include "basTimeText.h"

#include <iterator>

namespace quillon {

namespace basStoredForms {

QString DateText(QDate date)
{
    if (!date.isValid())
        basOperation::ThrowTypeMismatch();
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    // Written by hand for the years of four digits: an import writes hundreds of
    // thousands of days, and QDate::toString goes through a printf.
    if (year < 1000 || year > 9999)
        return date.toString(Qt::ISODate);
    const auto digit = [](int value) { return QChar(u'0' + value); };
    const QChar text[] = {digit(year / 1000), digit(year / 100 % 10), digit(year / 10 % 10), digit(year % 10),
                          u'-',               digit(month / 10),      digit(month % 10),     u'-',
                          digit(day / 10),    digit(day % 10)};
    return QString(text, std::size(text));
}

QDate ReadDate(const QVariant &value) { return value.isNull() ? QDate() : ReadDateText(value.toString()); }

QDate ReadDateText(QStringView text)
{
    // Read by hand for the same years; anything else the general way.
    const auto digits = [&text](qsizetype from, qsizetype count) {
        int number = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                return -1;
            number = number * 10 + (c - u'0');
        }
        return number;
    };
    if (text.size() == 10 && text[4] == u'-' && text[7] == u'-') {
        const int year = digits(0, 4);
        const int month = digits(5, 2);
        const int day = digits(8, 2);
        if (year >= 1000 && month >= 0 && day >= 0)
            return QDate(year, month, day);
    }
    return QDate::fromString(text, Qt::ISODate);
}

QString TimeText(QTime time) { return time.isValid() ? time.toString(QStringLiteral("HH:mm")) : QString(); }

QTime ReadTime(const QVariant &value)
{
    const QString text = value.isNull() ? QString() : value.toString().trimmed();
    if (text.isEmpty())
        return QTime();
    // The stored form read by hand: a month of events parses a thousand of them.
    if (text.size() == 5 && text[2] == QLatin1Char(':')) {
        const auto digit = [&](int i) { return text[i].isDigit() ? text[i].digitValue() : -100; };
        const QTime time(digit(0) * 10 + digit(1), digit(3) * 10 + digit(4));
        if (time.isValid())
            return time;
    }
    return basTimeText::ParseTimeText(text);
}

} // namespace basStoredForms

} // namespace quillon
