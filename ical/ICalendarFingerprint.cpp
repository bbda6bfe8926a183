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

    // All of it in one buffer, hashed at once: an import takes the fingerprint of every
    // event of the file.
    QByteArray data;
    data.reserve(form.EventName.size() * 3 + form.Notes.size() * 3 + days.size() * qsizetype(sizeof(qint64)) + 96);
    // Each text with its length in front, so that no two events run together alike.
    const auto addBytes = [&data](QByteArrayView bytes) {
        data.append(QByteArray::number(bytes.size()));
        data.append(':');
        data.append(bytes);
    };
    const auto add = [&addBytes](const QString &text) { addBytes(text.toUtf8()); };
    const auto addTime = [&addBytes](QTime time) {
        if (!time.isValid()) {
            addBytes({});
            return;
        }
        const char text[] = {char('0' + time.hour() / 10), char('0' + time.hour() % 10), ':',
                             char('0' + time.minute() / 10), char('0' + time.minute() % 10)};
        addBytes(QByteArrayView(text, sizeof text));
    };
    add(form.EventName);
    addBytes(form.AllDayEvent ? "1" : "0");
    addTime(form.StartTime);
    addTime(form.EndTime);
    add(form.EventColor);
    addBytes(QByteArray::number(form.EventIcon));
    add(form.Notes);
    addBytes(form.Recurring ? "1" : "0");
    // Only when there is one: the fingerprints of events without stay what they were.
    if (form.Reminder)
        add(QStringLiteral("reminder %1").arg(*form.Reminder));
    // The days as numbers: a year-long series has hundreds of them.
    data.append(QByteArray::number(days.size()));
    data.append(':');
    for (const QDate &day : std::as_const(days)) {
        const qint64 julian = day.toJulianDay();
        data.append(reinterpret_cast<const char *>(&julian), sizeof julian);
    }
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex());
}

} // namespace ICalendarFingerprint

} // namespace quillon
