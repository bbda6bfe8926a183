#include "basStoredForms.h"

#include "basOperation.h"
#include "basTimeText.h"

namespace basStoredForms {

QString DateText(QDate date)
{
    if (!date.isValid())
        basOperation::ThrowTypeMismatch();
    return date.toString(Qt::ISODate);
}

QDate ReadDate(const QVariant &value)
{
    return value.isNull() ? QDate() : QDate::fromString(value.toString(), Qt::ISODate);
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
