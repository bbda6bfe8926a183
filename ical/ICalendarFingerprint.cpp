#include "ICalendarFingerprint.h"

#include "ICalendarColors.h"

#include <QCryptographicHash>

#include <algorithm>

namespace quillon {

namespace ICalendarFingerprint {

basDatabase::EventRecord FileForm(const basDatabase::EventRecord &event)
{
    basDatabase::EventRecord form = event;
    form.EventID = 0;
    if (form.AllDayEvent) {
        form.StartTime = QTime(0, 0);
        form.EndTime = QTime(23, 59);
        form.EventColor.clear();
        form.EventIcon = 0;
        return form;
    }
    // A file carries only the 16 colours and the icons there are.
    if (!ICalendarColors::EventColorNames().contains(form.EventColor))
        form.EventColor.clear();
    if (form.EventIcon < 101 || form.EventIcon > 156)
        form.EventIcon = 0;
    form.StartTime = QTime(event.StartTime.hour(), event.StartTime.minute());
    form.EndTime = QTime(event.EndTime.hour(), event.EndTime.minute());
    if (form.EndTime < form.StartTime)
        form.EndTime = form.StartTime;
    return form;
}

QString Fingerprint(const basDatabase::EventRecord &event, const QList<QDate> &dates)
{
    const basDatabase::EventRecord form = FileForm(event);
    QList<QDate> days = dates;
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());

    QCryptographicHash hash(QCryptographicHash::Sha1);
    // Each text with its length in front, so that no two events run together alike.
    const auto add = [&hash](const QString &text) {
        const QByteArray bytes = text.toUtf8();
        hash.addData(QByteArray::number(bytes.size()) + ':');
        hash.addData(bytes);
    };
    add(form.EventName);
    add(form.AllDayEvent ? QStringLiteral("1") : QStringLiteral("0"));
    add(form.StartTime.toString(QStringLiteral("HH:mm")));
    add(form.EndTime.toString(QStringLiteral("HH:mm")));
    add(form.EventColor);
    add(QString::number(form.EventIcon));
    add(form.Notes);
    add(form.Recurring ? QStringLiteral("1") : QStringLiteral("0"));
    // Only when there is one: the fingerprints of events without stay what they were.
    if (form.Reminder)
        add(QStringLiteral("reminder %1").arg(*form.Reminder));
    // The days as numbers: a year-long series has hundreds of them.
    QByteArray numbers;
    numbers.reserve(days.size() * qsizetype(sizeof(qint64)));
    for (const QDate &day : std::as_const(days)) {
        const qint64 julian = day.toJulianDay();
        numbers.append(reinterpret_cast<const char *>(&julian), sizeof julian);
    }
    hash.addData(QByteArray::number(days.size()) + ':');
    hash.addData(numbers);
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace ICalendarFingerprint

} // namespace quillon
