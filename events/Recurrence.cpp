#include "Recurrence.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace quillon {

namespace {

// In the order of Qt's weekdays: Monday = 1.
constexpr const char *kDayNames[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

const char *FrequencyName(Recurrence::Frequency freq)
{
    switch (freq) {
    case Recurrence::Frequency::Daily:
        return "DAILY";
    case Recurrence::Frequency::Weekly:
        return "WEEKLY";
    case Recurrence::Frequency::Monthly:
        return "MONTHLY";
    case Recurrence::Frequency::Yearly:
        break;
    }
    return "YEARLY";
}

bool IsWeekday(int day) { return day >= Qt::Monday && day <= Qt::Sunday; }

int WeekdayOf(QStringView name)
{
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day) {
        if (name.compare(QLatin1String(kDayNames[day - 1]), Qt::CaseInsensitive) == 0)
            return day;
    }
    return 0;
}

std::optional<int> Number(QStringView text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<QList<int>> Numbers(QStringView text)
{
    QList<int> values;
    for (QStringView item : text.split(u',')) {
        const std::optional<int> value = Number(item);
        if (!value)
            return std::nullopt;
        values.append(*value);
    }
    return values;
}

// One BYDAY entry: its position (0 for none) and weekday.
struct DayEntry {
    int Position = 0;
    int Weekday = 0;
};

std::optional<QList<DayEntry>> DayEntries(QStringView text)
{
    QList<DayEntry> entries;
    for (QStringView item : text.split(u',')) {
        if (item.size() < 2)
            return std::nullopt;
        DayEntry entry;
        entry.Weekday = WeekdayOf(item.right(2));
        const QStringView position = item.chopped(2);
        if (!position.isEmpty()) {
            const std::optional<int> value = Number(position);
            if (!value || *value == 0)
                return std::nullopt;
            entry.Position = *value;
        }
        if (entry.Weekday == 0)
            return std::nullopt;
        entries.append(entry);
    }
    return entries;
}

// A DATE (yyyymmdd) or DATE-TIME (yyyymmddThhmmss, Z or not): its date.
QDate UntilDate(QStringView text)
{
    if (text.size() != 8 && !(text.size() >= 15 && text[8] == u'T'))
        return {};
    return QDate::fromString(text.left(8).toString(), QStringLiteral("yyyyMMdd"));
}

// The weekday's n-th day in the month (n from 1, -1 the last); invalid when the month
// has no such day.
QDate NthWeekday(int year, int month, int n, int weekday)
{
    const QDate first(year, month, 1);
    const int days = first.daysInMonth();
    int day = 0;
    if (n > 0) {
        day = 1 + (weekday - first.dayOfWeek() + 7) % 7 + 7 * (n - 1);
    } else {
        const QDate last(year, month, days);
        day = days - (last.dayOfWeek() - weekday + 7) % 7 + 7 * (n + 1);
    }
    return day >= 1 && day <= days ? QDate(year, month, day) : QDate();
}

bool IsWeekOfMonth(int n) { return (n >= 1 && n <= 4) || n == -1; }

} // namespace

QString Recurrence::ToRRule() const
{
    QStringList parts{QStringLiteral("FREQ=") + QLatin1String(FrequencyName(Freq))};
    if (Interval > 1)
        parts << QStringLiteral("INTERVAL=%1").arg(Interval);
    if (Freq == Frequency::Weekly && !Weekdays.isEmpty()) {
        QStringList days;
        for (int day = Qt::Monday; day <= Qt::Sunday; ++day) {
            if (Weekdays.contains(day))
                days << QLatin1String(kDayNames[day - 1]);
        }
        parts << QStringLiteral("BYDAY=") + days.join(QLatin1Char(','));
    } else if (Freq == Frequency::Monthly && WeekOfMonth != 0 && IsWeekday(Weekday)) {
        parts << QStringLiteral("BYDAY=%1%2").arg(WeekOfMonth).arg(QLatin1String(kDayNames[Weekday - 1]));
    } else if (Freq == Frequency::Monthly && MonthDay > 0) {
        parts << QStringLiteral("BYMONTHDAY=%1").arg(MonthDay);
    }
    if (Until.isValid())
        parts << QStringLiteral("UNTIL=") + Until.toString(QStringLiteral("yyyyMMdd"));
    else if (Count > 0)
        parts << QStringLiteral("COUNT=%1").arg(Count);
    return parts.join(QLatin1Char(';'));
}

std::optional<Recurrence> Recurrence::FromRRule(const QString &value, QDate start)
{
    QHash<QString, QString> parts;
    for (const QString &part : value.trimmed().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return std::nullopt;
        const QString name = part.left(equals).trimmed().toUpper();
        // A part given twice has no meaning.
        if (parts.contains(name))
            return std::nullopt;
        parts.insert(name, part.mid(equals + 1).trimmed());
    }
    static const QStringList known{QStringLiteral("FREQ"),       QStringLiteral("INTERVAL"), QStringLiteral("COUNT"),
                                   QStringLiteral("UNTIL"),      QStringLiteral("BYDAY"),    QStringLiteral("BYMONTHDAY"),
                                   QStringLiteral("BYMONTH"),    QStringLiteral("BYSETPOS"), QStringLiteral("WKST")};
    for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
        if (!known.contains(it.key()))
            return std::nullopt; // hours, minutes, year days, week numbers, other calendars
    }

    Recurrence rule;
    const QString freq = parts.value(QStringLiteral("FREQ")).toUpper();
    if (freq == QLatin1String("DAILY"))
        rule.Freq = Frequency::Daily;
    else if (freq == QLatin1String("WEEKLY"))
        rule.Freq = Frequency::Weekly;
    else if (freq == QLatin1String("MONTHLY"))
        rule.Freq = Frequency::Monthly;
    else if (freq == QLatin1String("YEARLY"))
        rule.Freq = Frequency::Yearly;
    else
        return std::nullopt;

    if (parts.contains(QStringLiteral("INTERVAL"))) {
        const std::optional<int> interval = Number(parts.value(QStringLiteral("INTERVAL")));
        if (!interval || *interval < 1)
            return std::nullopt;
        rule.Interval = *interval;
    }
    if (parts.contains(QStringLiteral("COUNT")) && parts.contains(QStringLiteral("UNTIL")))
        return std::nullopt;
    if (parts.contains(QStringLiteral("COUNT"))) {
        const std::optional<int> count = Number(parts.value(QStringLiteral("COUNT")));
        if (!count || *count < 1)
            return std::nullopt;
        rule.Count = *count;
    }
    if (parts.contains(QStringLiteral("UNTIL"))) {
        rule.Until = UntilDate(parts.value(QStringLiteral("UNTIL")));
        if (!rule.Until.isValid())
            return std::nullopt;
    }

    QList<DayEntry> days;
    if (parts.contains(QStringLiteral("BYDAY"))) {
        const std::optional<QList<DayEntry>> entries = DayEntries(parts.value(QStringLiteral("BYDAY")));
        if (!entries)
            return std::nullopt;
        days = *entries;
    }
    const auto numbers = [&](const char *name) -> std::optional<QList<int>> {
        const QString key = QLatin1String(name);
        return parts.contains(key) ? Numbers(parts.value(key)) : std::optional<QList<int>>(QList<int>());
    };
    const std::optional<QList<int>> monthDays = numbers("BYMONTHDAY");
    const std::optional<QList<int>> months = numbers("BYMONTH");
    const std::optional<QList<int>> positions = numbers("BYSETPOS");
    if (!monthDays || !months || !positions)
        return std::nullopt;
    int weekStart = Qt::Monday;
    if (parts.contains(QStringLiteral("WKST"))) {
        weekStart = WeekdayOf(parts.value(QStringLiteral("WKST")));
        if (weekStart == 0)
            return std::nullopt;
    }
    const bool plainDays = std::all_of(days.cbegin(), days.cend(), [](const DayEntry &day) { return day.Position == 0; });

    switch (rule.Freq) {
    case Frequency::Daily:
        // Every day on some weekdays is a weekly rule on them.
        if (!monthDays->isEmpty() || !months->isEmpty() || !positions->isEmpty() || !plainDays)
            return std::nullopt;
        if (!days.isEmpty()) {
            if (rule.Interval != 1)
                return std::nullopt;
            rule.Freq = Frequency::Weekly;
        }
        break;
    case Frequency::Weekly:
        if (!monthDays->isEmpty() || !months->isEmpty() || !positions->isEmpty() || !plainDays)
            return std::nullopt;
        break;
    case Frequency::Monthly:
        if (!months->isEmpty() || days.size() > 1 || monthDays->size() > 1 || positions->size() > 1 ||
            (!days.isEmpty() && !monthDays->isEmpty()))
            return std::nullopt;
        if (!days.isEmpty()) {
            // "BYDAY=TU;BYSETPOS=2" says what "BYDAY=2TU" says.
            const int position = positions->isEmpty() ? days[0].Position : (days[0].Position == 0 ? positions->at(0) : 0);
            if (!IsWeekOfMonth(position))
                return std::nullopt;
            rule.WeekOfMonth = position;
            rule.Weekday = days[0].Weekday;
        } else if (!monthDays->isEmpty()) {
            if (!positions->isEmpty() || monthDays->at(0) < 1 || monthDays->at(0) > 31)
                return std::nullopt;
            rule.MonthDay = monthDays->at(0);
        } else if (!positions->isEmpty()) {
            return std::nullopt;
        }
        break;
    case Frequency::Yearly:
        if (!days.isEmpty() || !positions->isEmpty() || months->size() > 1 || monthDays->size() > 1)
            return std::nullopt;
        if ((!months->isEmpty() && (!start.isValid() || months->at(0) != start.month())) ||
            (!monthDays->isEmpty() && (!start.isValid() || monthDays->at(0) != start.day())))
            return std::nullopt;
        break;
    }
    if (rule.Freq == Frequency::Weekly) {
        for (const DayEntry &day : std::as_const(days)) {
            if (!rule.Weekdays.contains(day.Weekday))
                rule.Weekdays.append(day.Weekday);
        }
        std::sort(rule.Weekdays.begin(), rule.Weekdays.end());
        // The week's first day decides which weeks of several days are taken.
        if (weekStart != Qt::Monday && rule.Interval > 1 && rule.Weekdays.size() > 1)
            return std::nullopt;
    }
    return rule;
}

QList<QDate> Recurrence::Days(QDate start, QDate first, QDate last, int limit) const
{
    QList<QDate> days;
    if (!start.isValid() || !last.isValid() || limit <= 0)
        return days;
    const int count = Until.isValid() ? 0 : std::max(0, Count);
    const QDate end = Until.isValid() ? std::min(last, Until) : last;
    const qint64 step = std::max(1, Interval);
    int found = 0;
    // False once no further day is wanted.
    const auto take = [&](QDate day) {
        ++found;
        if (day >= first && day <= last)
            days.append(day);
        return !(count > 0 && found >= count) && days.size() < limit;
    };
    if (!take(start))
        return days;

    QList<int> weekdays;
    for (int day : Weekdays) {
        if (IsWeekday(day) && !weekdays.contains(day))
            weekdays.append(day);
    }
    std::sort(weekdays.begin(), weekdays.end());
    if (weekdays.isEmpty())
        weekdays.append(start.dayOfWeek());
    const bool byWeekday = WeekOfMonth != 0 && IsWeekday(Weekday);
    const int monthDay = MonthDay > 0 ? MonthDay : start.day();
    const QDate monday = start.addDays(Qt::Monday - start.dayOfWeek());
    const qint64 startMonth = qint64(start.year()) * 12 + start.month() - 1;

    // One period (a day, week, month or year) at a time; within it the days ascend.
    QList<QDate> candidates;
    for (qint64 period = 0;; ++period) {
        candidates.clear();
        QDate floor;
        switch (Freq) {
        case Frequency::Daily:
            floor = start.addDays(period * step);
            candidates << floor;
            break;
        case Frequency::Weekly:
            floor = monday.addDays(7 * period * step);
            for (int day : std::as_const(weekdays))
                candidates << floor.addDays(day - Qt::Monday);
            break;
        case Frequency::Monthly: {
            const qint64 month = startMonth + period * step;
            const int year = int(month / 12);
            floor = QDate(year, int(month % 12) + 1, 1);
            if (byWeekday)
                candidates << NthWeekday(year, floor.month(), WeekOfMonth, Weekday);
            else if (monthDay <= floor.daysInMonth()) // RFC 5545: a day the month lacks is no day
                candidates << QDate(year, floor.month(), monthDay);
            break;
        }
        case Frequency::Yearly:
            floor = QDate(int(start.year() + period * step), 1, 1);
            candidates << QDate(floor.year(), start.month(), start.day());
            break;
        }
        if (!floor.isValid() || floor > end)
            return days;
        for (const QDate &day : std::as_const(candidates)) {
            if (!day.isValid() || day <= start)
                continue;
            if (day > end)
                return days;
            if (!take(day))
                return days;
        }
    }
}

} // namespace quillon
