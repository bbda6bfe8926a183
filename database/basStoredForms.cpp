#include "basStoredForms.h"

#include "basOperation.h"
#include "basTimeText.h"

#include <algorithm>
#include <iterator>

namespace quillon {

namespace basStoredForms {

namespace {

// The date's ten characters for the years of four digits, written by hand: an import
// writes hundreds of thousands of days, and QDate::toString goes through a printf.
// False for other years, which the general way writes.
bool WriteDate(QDate date, char (&written)[kDateTextMax])
{
    if (!date.isValid())
        basOperation::ThrowTypeMismatch();
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    if (year < 1000 || year > 9999)
        return false;
    const auto digit = [](int value) { return char('0' + value); };
    const char text[] = {digit(year / 1000), digit(year / 100 % 10), digit(year / 10 % 10), digit(year % 10),
                         '-',                digit(month / 10),      digit(month % 10),     '-',
                         digit(day / 10),    digit(day % 10)};
    std::copy(std::begin(text), std::end(text), written);
    return true;
}

} // namespace

QString DateText(QDate date)
{
    char written[kDateTextMax];
    return WriteDate(date, written) ? QString::fromLatin1(written, qsizetype(std::size(written))) : date.toString(Qt::ISODate);
}

qsizetype WriteDateText(QDate date, char *text)
{
    char written[kDateTextMax];
    if (WriteDate(date, written)) {
        std::copy(std::begin(written), std::end(written), text);
        return qsizetype(std::size(written));
    }
    const QByteArray other = date.toString(Qt::ISODate).toLatin1().left(kDateTextMax);
    std::copy(other.cbegin(), other.cend(), text);
    return other.size();
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

QString TimeText(QTime time)
{
    if (!time.isValid())
        return QString();
    // By hand, as the dates: an event stored writes two.
    const char16_t text[] = {char16_t(u'0' + time.hour() / 10), char16_t(u'0' + time.hour() % 10), u':',
                             char16_t(u'0' + time.minute() / 10), char16_t(u'0' + time.minute() % 10)};
    return QString(reinterpret_cast<const QChar *>(text), qsizetype(std::size(text)));
}

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
