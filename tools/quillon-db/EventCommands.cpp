#include "EventCommands.h"

#include "CalendarCommands.h"
#include "EventService.h"
#include "EventStore.h"
#include "ICalendarReader.h"
#include "Output.h"
#include "platform/basPlatform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>

#include <algorithm>
#include <optional>

namespace quillon {

namespace EventCommands {

namespace {

using quillondb::Print;

constexpr int kDone = 0;
constexpr int kFailed = 2;
constexpr int kUsage = 64;
constexpr int kHour = 3600;

int Refuse(const char *usage, const QString &why)
{
    Print(stderr, QStringLiteral("quillon-db: %1").arg(why));
    Print(stderr, QStringLiteral("usage: %1").arg(QLatin1String(usage)));
    return kUsage;
}

// The command line: each option with its value, and the other arguments in order.
struct Arguments {
    QHash<QString, QString> Options;
    QStringList Plain;
};

// Only the options given in known, each with a value and at most once; what is wrong is
// named in why.
std::optional<Arguments> Read(const QStringList &given, const QStringList &known, QString &why)
{
    Arguments read;
    for (qsizetype i = 0; i < given.size(); ++i) {
        const QString &argument = given[i];
        if (!argument.startsWith(QLatin1String("--"))) {
            read.Plain.append(argument);
            continue;
        }
        if (!known.contains(argument))
            why = QCoreApplication::translate("quillon-db", "%1 is not an option of this command").arg(argument);
        else if (i + 1 >= given.size())
            why = QCoreApplication::translate("quillon-db", "%1 needs a value").arg(argument);
        else if (read.Options.contains(argument))
            why = QCoreApplication::translate("quillon-db", "%1 is given twice").arg(argument);
        if (!why.isEmpty())
            return std::nullopt;
        read.Options.insert(argument, given[++i]);
    }
    return read;
}

// "YYYY-MM-DD HH:MM" on a day the store keeps; why names the option when it is not.
std::optional<QDateTime> ReadWhen(const QString &option, const QString &text, QString &why)
{
    const QStringList parts = text.simplified().split(QLatin1Char(' '));
    const QDate day = parts.size() == 2 ? QDate::fromString(parts[0], QStringLiteral("yyyy-MM-dd")) : QDate();
    const QTime time = parts.size() == 2 ? QTime::fromString(parts[1], QStringLiteral("HH:mm")) : QTime();
    if (!day.isValid() || !time.isValid()) {
        why = QCoreApplication::translate("quillon-db", "%1 takes a day and time as \"YYYY-MM-DD HH:MM\", not \"%2\"").arg(option, text);
        return std::nullopt;
    }
    if (day < ICalendarReader::kFirstDate || day > ICalendarReader::kLastDate) {
        why = QCoreApplication::translate("quillon-db", "%1: %2 is not a day from %3 to %4")
                  .arg(option, text, ICalendarReader::kFirstDate.toString(Qt::ISODate),
                       ICalendarReader::kLastDate.toString(Qt::ISODate));
        return std::nullopt;
    }
    return QDateTime(day, time);
}

std::optional<qint64> ReadEventId(const QString &text, QString &why)
{
    bool ok = false;
    const qint64 id = text.toLongLong(&ok);
    if (ok && id > 0)
        return id;
    why = QCoreApplication::translate("quillon-db", "EVENT-ID is a number, not \"%1\"").arg(text);
    return std::nullopt;
}

// An event lasts within its day: the end on the start's day and not before it.
bool ReadSpan(const QDateTime &start, const QDateTime &end, QString &why)
{
    if (end.date() != start.date())
        why = QCoreApplication::translate("quillon-db", "--end (%1) is not on the day of --start (%2): an event lasts within one day")
                  .arg(end.toString(QStringLiteral("yyyy-MM-dd HH:mm")), start.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    else if (end.time() < start.time())
        why = QCoreApplication::translate("quillon-db", "--end (%1) is before --start (%2)")
                  .arg(end.toString(QStringLiteral("HH:mm")), start.toString(QStringLiteral("HH:mm")));
    return why.isEmpty();
}

// The days of a rule from start, as far as the scheduler lays them out: to its end, or
// some years on for a rule without one.
QList<QDate> RuleDays(const Recurrence &rule, QDate start)
{
    QDate last = ICalendarReader::kLastDate;
    if (rule.Until.isValid())
        last = std::min(rule.Until, last);
    else if (rule.Count == 0)
        last = std::min(std::max(start, basPlatform::Today()).addYears(ICalendarReader::kOpenRuleYears), last);
    return rule.Days(start, start, last);
}

// Whether the event is one quillon-db may change: stored, and not of a read-only
// calendar. Said when it is not.
bool Changeable(EventService &events, qint64 id)
{
    const std::optional<bool> exists = events.Exists(id);
    if (!exists)
        return false;
    if (!*exists) {
        Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: no event with the id %1").arg(id));
        return false;
    }
    const std::optional<QString> readOnly = events.ReadOnlyCalendarOf(id);
    if (!readOnly)
        return false;
    if (!readOnly->isEmpty()) {
        Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: the event %1 is of the read-only calendar \"%2\"; it cannot be changed here")
                          .arg(id)
                          .arg(*readOnly));
        return false;
    }
    return true;
}

void RedrawWhenShown(const QList<QDate> &touched)
{
    if (EventService::TouchesShownMonth(touched, basPlatform::Today()))
        CalendarCommands::RedrawDesktopCalendar();
}

} // namespace

int Add(const QStringList &arguments)
{
    QString why;
    const std::optional<Arguments> read =
        Read(arguments, {QStringLiteral("--calendar"), QStringLiteral("--name"), QStringLiteral("--start"),
                         QStringLiteral("--end"), QStringLiteral("--rrule")},
             why);
    if (!read)
        return Refuse(kAddUsage, why);
    if (read->Plain.size() != 1)
        return Refuse(kAddUsage, QCoreApplication::translate("quillon-db", "add takes one DB"));
    for (const QString &needed : {QStringLiteral("--name"), QStringLiteral("--start"), QStringLiteral("--end")}) {
        if (!read->Options.contains(needed))
            return Refuse(kAddUsage, QCoreApplication::translate("quillon-db", "add needs %1").arg(needed));
    }
    Event event;
    event.EventName = read->Options.value(QStringLiteral("--name")).trimmed();
    if (event.EventName.isEmpty())
        return Refuse(kAddUsage, QCoreApplication::translate("quillon-db", "--name is empty"));
    const std::optional<QDateTime> start = ReadWhen(QStringLiteral("--start"), read->Options.value(QStringLiteral("--start")), why);
    const std::optional<QDateTime> end =
        start ? ReadWhen(QStringLiteral("--end"), read->Options.value(QStringLiteral("--end")), why) : std::nullopt;
    if (!end || !ReadSpan(*start, *end, why))
        return Refuse(kAddUsage, why);
    event.StartTime = start->time();
    event.EndTime = end->time();
    event.Dates = {start->date()};
    if (read->Options.contains(QStringLiteral("--rrule"))) {
        const QString value = read->Options.value(QStringLiteral("--rrule"));
        event.Rule = Recurrence::FromRRule(value, start->date());
        if (!event.Rule)
            return Refuse(kAddUsage, QCoreApplication::translate("quillon-db", "--rrule \"%1\" is not a rule quillon-db takes (FREQ=DAILY, WEEKLY, "
                                                    "MONTHLY or YEARLY, with INTERVAL, BYDAY, BYMONTHDAY, COUNT or UNTIL)")
                                         .arg(value));
        event.RuleStart = start->date();
        event.Dates = RuleDays(*event.Rule, event.RuleStart);
    }
    bool calendarOk = true;
    if (read->Options.contains(QStringLiteral("--calendar"))) {
        event.Calendar = read->Options.value(QStringLiteral("--calendar")).toLongLong(&calendarOk);
        calendarOk = calendarOk && event.Calendar >= 0;
    }
    if (!calendarOk)
        return Refuse(kAddUsage, QCoreApplication::translate("quillon-db", "--calendar takes the ID of a calendar (0: this computer), not \"%1\"")
                                     .arg(read->Options.value(QStringLiteral("--calendar"))));

    const QString &databaseFile = read->Plain[0];
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(databaseFile))
        return kFailed;
    EventService events(store);
    if (event.Calendar != 0) {
        const QList<CalendarChoice> writable = events.WritableCalendars();
        if (std::none_of(writable.cbegin(), writable.cend(), [&](const CalendarChoice &c) { return c.Id == event.Calendar; })) {
            Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: --calendar %1: no calendar of that ID takes events from here "
                                         "(quillon-db subscriptions %2 lists them)")
                              .arg(event.Calendar)
                              .arg(databaseFile));
            return kFailed;
        }
    }
    const std::optional<EventService::Saved> saved = events.Save(event);
    if (!saved) {
        Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: the event was not added to %1").arg(databaseFile));
        return kFailed;
    }
    store.CloseDatabaseConnection();
    Print(stdout, QString::number(saved->EventID));
    RedrawWhenShown(saved->TouchedDates);
    return kDone;
}

int Edit(const QStringList &arguments)
{
    QString why;
    const std::optional<Arguments> read =
        Read(arguments, {QStringLiteral("--name"), QStringLiteral("--start"), QStringLiteral("--end")}, why);
    if (!read)
        return Refuse(kEditUsage, why);
    if (read->Plain.size() != 2)
        return Refuse(kEditUsage, QCoreApplication::translate("quillon-db", "edit takes a DB and an EVENT-ID"));
    if (read->Options.isEmpty())
        return Refuse(kEditUsage, QCoreApplication::translate("quillon-db", "edit needs --name, --start or --end"));
    const std::optional<qint64> id = ReadEventId(read->Plain[1], why);
    if (!id)
        return Refuse(kEditUsage, why);
    const QString name = read->Options.value(QStringLiteral("--name")).trimmed();
    if (read->Options.contains(QStringLiteral("--name")) && name.isEmpty())
        return Refuse(kEditUsage, QCoreApplication::translate("quillon-db", "--name is empty"));
    std::optional<QDateTime> start;
    std::optional<QDateTime> end;
    if (read->Options.contains(QStringLiteral("--start"))
        && !(start = ReadWhen(QStringLiteral("--start"), read->Options.value(QStringLiteral("--start")), why)))
        return Refuse(kEditUsage, why);
    if (read->Options.contains(QStringLiteral("--end"))
        && !(end = ReadWhen(QStringLiteral("--end"), read->Options.value(QStringLiteral("--end")), why)))
        return Refuse(kEditUsage, why);

    const QString &databaseFile = read->Plain[0];
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(databaseFile))
        return kFailed;
    EventService events(store);
    if (!Changeable(events, *id))
        return kFailed;
    std::optional<Event> event = events.Load(*id);
    if (!event)
        return kFailed;
    if (!name.isEmpty())
        event->EventName = name;
    if (start || end) {
        // An event of several days keeps them; only its times change.
        const bool severalDays = event->Rule || event->Dates.size() > 1;
        const QDate first = event->Rule ? event->RuleStart : event->Dates.value(0);
        const QDateTime from = start.value_or(QDateTime(first, event->AllDayEvent ? QTime(0, 0) : event->StartTime));
        // A new start alone keeps the event's length.
        const int length = event->AllDayEvent ? kHour : event->StartTime.secsTo(event->EndTime);
        const QDateTime to = end.value_or(from.addSecs(length));
        if (!end && to.date() != from.date())
            return Refuse(kEditUsage, QCoreApplication::translate("quillon-db", "--start: the event's %1 minutes from %2 would end on the next day; "
                                                     "give --end too")
                                          .arg(length / 60)
                                          .arg(from.toString(QStringLiteral("HH:mm"))));
        if (severalDays && from.date() != first)
            return Refuse(kEditUsage, QCoreApplication::translate("quillon-db", "--start: the event %1 falls on several days from %2; give that day "
                                                     "to change its times (its days stay)")
                                          .arg(*id)
                                          .arg(first.toString(Qt::ISODate)));
        if (!ReadSpan(from, to, why))
            return Refuse(kEditUsage, why);
        event->AllDayEvent = false;
        event->StartTime = from.time();
        event->EndTime = to.time();
        if (!severalDays)
            event->Dates = {from.date()};
    }
    const std::optional<EventService::Saved> saved = events.Save(*event);
    if (!saved) {
        Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: the event %1 was not changed").arg(*id));
        return kFailed;
    }
    store.CloseDatabaseConnection();
    Print(stdout, QStringLiteral("changed %1: %2").arg(saved->EventID).arg(event->EventName));
    RedrawWhenShown(saved->TouchedDates);
    return kDone;
}

int Delete(const QStringList &arguments)
{
    QString why;
    if (arguments.size() != 2 || arguments[0].startsWith(QLatin1String("--")))
        return Refuse(kDeleteUsage, QCoreApplication::translate("quillon-db", "delete takes a DB and an EVENT-ID"));
    const std::optional<qint64> id = ReadEventId(arguments[1], why);
    if (!id)
        return Refuse(kDeleteUsage, why);
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(arguments[0]))
        return kFailed;
    EventService events(store);
    if (!Changeable(events, *id))
        return kFailed;
    const std::optional<Event> event = events.Load(*id);
    if (!event)
        return kFailed;
    const std::optional<QList<QDate>> deleted = events.DeleteSeries(*id);
    if (!deleted) {
        Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: the event %1 was not deleted").arg(*id));
        return kFailed;
    }
    store.CloseDatabaseConnection();
    Print(stdout, QStringLiteral("deleted %1: %2").arg(*id).arg(event->EventName));
    RedrawWhenShown(*deleted);
    return kDone;
}

} // namespace EventCommands

} // namespace quillon
