#include "basStoredForms.h"
#include "StoreTest.h"

#include "EventStore.h"
#include "basOperation.h"
#include "basSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace quillon {

namespace {
using basDatabase::DatedEvent;
using basDatabase::DayRecord;
using basDatabase::EventRecord;
using quillontest::QuillonTest;
using quillontest::StoreTest;

QDate D(int month, int day, int year) { return QDate(year, month, day); }

class Store : public StoreTest {};

TEST_F(Store, AnyTextReadsBackUnchanged)
{
    const QStringList texts = {
        QStringLiteral("O'Brien's \"party\""), QStringLiteral("a|b||c"), QStringLiteral("#1/5/2004# -- ; DROP TABLE Events"),
        QStringLiteral("Grüße, 日本語, emoji \U0001F389"), QStringLiteral("two\r\nlines\ttab"), QStringLiteral("back\\slash %s"),
        QString(QChar(0x1B)) + QStringLiteral("p|") + QChar(0x1B)};
    for (const QString &text : texts) {
        qint64 id = 0;
        ASSERT_TRUE(store.AddEventToDatabase(Event(text, text), {D(3, 4, 2026)}, id));
        EventRecord record;
        ASSERT_TRUE(store.GetEventData(id, record));
        EXPECT_EQ(record.EventName, text);
        EXPECT_EQ(record.Notes, text);

        ASSERT_TRUE(store.UpdateDateNotes(D(3, 4, 2026), text));
        QList<DayRecord> days;
        ASSERT_TRUE(store.GetDates(D(3, 4, 2026), D(3, 4, 2026), days));
        ASSERT_EQ(days.size(), 1);
        EXPECT_EQ(days[0].DateNotes, text);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(Store, EventRecordRoundTripsAndAllDayIsTheWholeDay)
{
    EventRecord choir = Event(QStringLiteral("Choir"), QStringLiteral("bring music"), QTime(19, 15), QTime(21, 0), true);
    choir.EventColor = QStringLiteral("Blue");
    choir.EventIcon = 112;
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(choir, {D(12, 6, 2026)}, id));
    EventRecord record;
    ASSERT_TRUE(store.GetEventData(id, record));
    choir.EventID = id;
    EXPECT_EQ(record, choir);
    // Stored in 24-hour form, booleans as 0/1.
    EXPECT_EQ(Raw(QStringLiteral("SELECT StartTime || '-' || EndTime || '-' || AllDayEvent || Recurring FROM Events")).toString(),
              QStringLiteral("19:15-21:00-01"));

    // An all-day event is stored from 0:00 to 23:59 without colour or icon, whatever
    // the caller left in the record.
    EventRecord holiday = Event(QStringLiteral("Holiday"), QString(), QTime(), QTime(15, 0));
    holiday.AllDayEvent = true;
    ASSERT_TRUE(store.AddEventToDatabase(holiday, {D(12, 6, 2026)}, id));
    ASSERT_TRUE(store.GetEventData(id, record));
    EXPECT_TRUE(record.AllDayEvent);
    EXPECT_EQ(record.StartTime, QTime(0, 0));
    EXPECT_EQ(record.EndTime, QTime(23, 59));
    EXPECT_TRUE(record.EventColor.isEmpty());
    EXPECT_EQ(record.EventIcon, 0);
    EXPECT_FALSE(record.Recurring);
}

TEST_F(Store, TimedEventWithoutBothTimesIsRefusedAndNothingWritten)
{
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("kept")), {D(1, 5, 2004)}, id));
    const qint64 kept = id;
    for (const auto &[start, end] : {std::pair{QTime(), QTime(10, 0)}, std::pair{QTime(9, 0), QTime()},
                                     std::pair{QTime(25, 0), QTime(26, 0)}}) {
        EXPECT_FALSE(store.AddEventToDatabase(Event(QStringLiteral("no time"), {}, start, end), {D(1, 6, 2004)}, id));
        EXPECT_EQ(id, 0);
        EXPECT_FALSE(store.UpdateEventInDatabase(kept, Event(QStringLiteral("lost"), {}, start, end), {D(1, 6, 2004)}));
    }
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Events")), 1);
    EXPECT_EQ(Raw(QStringLiteral("SELECT EventName FROM Events")).toString(), QStringLiteral("kept"));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-06")), -1);
    ASSERT_EQ(messages.size(), 6u);
    EXPECT_TRUE(messages[0].text.contains(QLatin1String("Type mismatch")));
}

TEST_F(Store, AddCountsEachDayOnce)
{
    qint64 first = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("a")), {D(1, 5, 2004), D(1, 6, 2004)}, first));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM EventDates")), 2);
    // A new day's row has empty colour, notes and text.
    QList<DayRecord> days;
    ASSERT_TRUE(store.GetDates(D(1, 1, 2004), D(1, 31, 2004), days));
    EXPECT_EQ(days, QList<DayRecord>({{D(1, 5, 2004), {}, 1, {}, {}}, {D(1, 6, 2004), {}, 1, {}, {}}}));

    qint64 second = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("b")), {D(1, 5, 2004)}, second));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-05")), 2);
    EXPECT_NE(first, second);

    QList<qint64> ids;
    ASSERT_TRUE(store.GetEventsByDate(D(1, 5, 2004), ids));
    EXPECT_EQ(ids, QList<qint64>({first, second}));
    QList<QDate> dates;
    ASSERT_TRUE(store.GetAllDatesForEvent(first, dates));
    EXPECT_EQ(dates, QList<QDate>({D(1, 5, 2004), D(1, 6, 2004)}));

    // The same day twice in one list is one occurrence.
    qint64 third = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("c")), {D(2, 1, 2004), D(2, 1, 2004)}, third));
    EXPECT_EQ(DayCount(QStringLiteral("2004-02-01")), 1);
    // Nothing found is an empty list and success.
    ASSERT_TRUE(store.GetEventsByDate(D(7, 4, 2026), ids));
    EXPECT_TRUE(ids.isEmpty());
}

TEST_F(Store, CountsNeverGoBelowZeroAndNotesMakeADay)
{
    ASSERT_TRUE(store.DecrementEventCount(D(5, 5, 2026)));
    EXPECT_EQ(DayCount(QStringLiteral("2026-05-05")), -1); // no row created

    ASSERT_TRUE(store.UpdateDateNotes(D(5, 5, 2026), QStringLiteral("dentist | 3pm")));
    EXPECT_EQ(DayCount(QStringLiteral("2026-05-05")), 0);
    ASSERT_TRUE(store.DecrementEventCount(D(5, 5, 2026)));
    EXPECT_EQ(DayCount(QStringLiteral("2026-05-05")), 0);

    ASSERT_TRUE(store.IncrementEventCount(D(5, 5, 2026)));
    ASSERT_TRUE(store.IncrementEventCount(D(5, 5, 2026)));
    EXPECT_EQ(DayCount(QStringLiteral("2026-05-05")), 2);
    ASSERT_TRUE(store.UpdateDateNotes(D(5, 5, 2026), QStringLiteral("moved")));
    QList<DayRecord> days;
    ASSERT_TRUE(store.GetDates(D(5, 5, 2026), D(5, 5, 2026), days));
    EXPECT_EQ(days, (QList<DayRecord>{{D(5, 5, 2026), {}, 2, QStringLiteral("moved"), {}}}));

    // A broken row (null count) fails rather than guessing; GetDates reads it as 0.
    Raw(QStringLiteral("UPDATE Dates SET EventCount = NULL"));
    EXPECT_FALSE(store.DecrementEventCount(D(5, 5, 2026)));
    EXPECT_EQ(ReportedModules(), QStringList{QStringLiteral("basDatabase.DecrementEventCount")});
    ASSERT_TRUE(store.GetDates(D(5, 5, 2026), D(5, 5, 2026), days));
    EXPECT_EQ(days, (QList<DayRecord>{{D(5, 5, 2026), {}, 0, QStringLiteral("moved"), {}}}));
}

TEST_F(Store, AnEventOfManyDaysCountsEachDayOnceWhateverItsRow)
{
    // Days with a count, with notes only, without a row, in no order.
    ASSERT_TRUE(store.IncrementEventCount(D(1, 6, 2004)));
    ASSERT_TRUE(store.IncrementEventCount(D(1, 6, 2004)));
    ASSERT_TRUE(store.UpdateDateNotes(D(1, 8, 2004), QStringLiteral("notes")));
    const QList<QDate> days = {D(1, 9, 2004), D(1, 6, 2004), D(1, 5, 2004), D(1, 8, 2004), D(1, 6, 2004)};
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("x")), days, id));
    const std::pair<const char *, int> counts[] = {{"2004-01-05", 1}, {"2004-01-06", 3}, {"2004-01-08", 1}, {"2004-01-09", 1}};
    for (const auto &[day, count] : counts)
        EXPECT_EQ(DayCount(QLatin1String(day)), count) << day;
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM EventDates WHERE EventId = ?"), {id}), 4);

    // A broken day among them: reported once, by the count, and nothing of the event stays.
    Raw(QStringLiteral("UPDATE Dates SET EventCount = NULL WHERE DateKey = '2004-01-08'"));
    EXPECT_FALSE(store.AddEventToDatabase(Event(QStringLiteral("y")), days, id));
    EXPECT_EQ(ReportedModules(), QStringList{QStringLiteral("basDatabase.IncrementEventCount")});
    for (const auto &[day, count] : counts) {
        if (QByteArray(day) != "2004-01-08")
            EXPECT_EQ(DayCount(QLatin1String(day)), count) << day;
    }
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Dates WHERE EventCount IS NULL")), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Events")), 1);
}

TEST_F(Store, CountsRaisedInATransactionAreThereForItsReadsAndGoWithItsRollback)
{
    const QList<QDate> week = {D(3, 2, 2026), D(3, 3, 2026), D(3, 4, 2026), D(3, 5, 2026)};
    ASSERT_TRUE(store.IncrementEventCount(D(3, 2, 2026)));
    qint64 id = 0;
    // Rolled back: no count stays raised, and none is raised later by a leftover.
    EXPECT_FALSE(store.RunInTransaction([&] { return store.AddEventToDatabase(Event(QStringLiteral("gone")), week, id) && false; }));
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("alone")), {D(3, 9, 2026)}, id));
    EXPECT_EQ(DayCount(QStringLiteral("2026-03-02")), 1);
    EXPECT_EQ(DayCount(QStringLiteral("2026-03-03")), -1);

    QList<DayRecord> days;
    ASSERT_TRUE(store.RunInTransaction([&] {
        // Several days, one day, and the same days again; read and lowered meanwhile.
        return store.AddEventToDatabase(Event(QStringLiteral("a")), week, id)
               && store.AddEventToDatabase(Event(QStringLiteral("b")), {D(3, 2, 2026)}, id)
               && store.GetDates(D(3, 2, 2026), D(3, 2, 2026), days) && store.DecrementEventCount(D(3, 3, 2026))
               && store.AddEventToDatabase(Event(QStringLiteral("c")), week, id)
               // The event just added has no UID to give up; its second one replaces its first.
               && store.SetEventUid(QStringLiteral("f.ics"), QStringLiteral("one"), id, QString())
               && store.SetEventUid(QStringLiteral("f.ics"), QStringLiteral("two"), id, QString());
    }));
    EXPECT_EQ(Raw(QStringLiteral("SELECT group_concat(Uid) FROM EventUids WHERE EventId = ?"), {id}).toString(), QStringLiteral("two"));
    ASSERT_EQ(days.size(), 1);
    EXPECT_EQ(days[0].EventCount, 3);
    const std::pair<const char *, int> counts[] = {{"2026-03-02", 4}, {"2026-03-03", 1}, {"2026-03-04", 2}, {"2026-03-05", 2}};
    for (const auto &[day, count] : counts)
        EXPECT_EQ(DayCount(QLatin1String(day)), count) << day;
    EXPECT_TRUE(messages.empty());
}

// Many UIDs and texts by one statement leave the rows that one at a time leaves: events
// just added, a UID moved from an event of before, an event given a second UID, a text
// replaced; 70 rows cross each size of statement.
TEST_F(Store, UidsAndTextsWrittenTogetherAreWhatOneAtATimeWrites)
{
    using Uid = basDatabase::EventStore::EventUid;
    using Text = basDatabase::EventStore::SeriesText;
    const QString otherFile = TempPath(QStringLiteral("one-at-a-time.sqlite"));
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(otherFile, error)) << error.toStdString();
    basDatabase::EventStore oneAtATime;
    ASSERT_TRUE(oneAtATime.OpenDatabaseConnection(otherFile));
    const auto write = [](basDatabase::EventStore &target, bool together) {
        qint64 before = 0;
        qint64 other = 0;
        if (!target.AddEventToDatabase(Event(QStringLiteral("before")), {QDate(2026, 1, 1)}, before)
            || !target.AddEventToDatabase(Event(QStringLiteral("other")), {QDate(2026, 1, 1)}, other)
            || !target.SetEventUid(QStringLiteral("f.ics"), QStringLiteral("b"), before, QStringLiteral("fb"))
            || !target.SetEventUid(QStringLiteral("f.ics"), QStringLiteral("o"), other, QStringLiteral("fo"))
            || !target.SetSeries({QStringLiteral("f.ics"), QStringLiteral("u3"), "old", 0}))
            return false;
        return target.RunInTransaction([&] {
            QList<Uid> uids;
            QList<Text> texts;
            for (int i = 0; i < 70; ++i) {
                qint64 id = 0;
                if (!target.AddEventToDatabase(Event(QStringLiteral("new")), {QDate(2026, 2, 1)}, id))
                    return false;
                const QString uid = QStringLiteral("u%1").arg(i);
                uids.append({QStringLiteral("f.ics"), uid, id, QStringLiteral("f%1").arg(i)});
                texts.append({QStringLiteral("f.ics"), uid, "text " + uid.toUtf8(), i});
                if (i == 10)
                    uids.append({QStringLiteral("f.ics"), QStringLiteral("o"), before, QStringLiteral("moved")});
            }
            uids.append({QString(), QStringLiteral("second"), uids[0].EventId, QString()});
            if (together)
                return target.SetEventUids(uids) && target.SetSeriesTexts(texts);
            for (const Uid &row : std::as_const(uids)) {
                if (!target.SetEventUid(row.Source, row.Uid, row.EventId, row.Fingerprint))
                    return false;
            }
            return std::all_of(texts.cbegin(), texts.cend(), [&](const Text &text) { return target.SetSeries(text); });
        });
    };
    ASSERT_TRUE(write(store, true));
    ASSERT_TRUE(write(oneAtATime, false));
    const auto rows = [](basDatabase::EventStore &source) {
        QList<Uid> uids;
        QList<Text> texts;
        EXPECT_TRUE(source.GetEventUids(uids) && source.GetAllSeries(texts));
        QStringList lines;
        for (const Uid &row : std::as_const(uids))
            lines.append(QStringLiteral("%1|%2|%3|%4").arg(row.Source, row.Uid).arg(row.EventId).arg(row.Fingerprint));
        for (const Text &text : std::as_const(texts))
            lines.append(QStringLiteral("%1|%2|%3|%4").arg(text.Source, text.Uid, QString::fromUtf8(text.Component)).arg(text.Sequence));
        lines.sort();
        return lines;
    };
    const QStringList together = rows(store);
    EXPECT_EQ(together, rows(oneAtATime));
    EXPECT_EQ(together.size(), 71 + 70);
    EXPECT_TRUE(together.contains(QStringLiteral("f.ics|o|1|moved")));
    EXPECT_TRUE(messages.empty());
}

// A series' text is stored as the text Qt reads from its bytes, one by one or many
// together: UTF-8 as it is, a broken byte replaced, a byte order mark in front dropped.
TEST_F(Store, ASeriesTextIsStoredAsTextWhateverItsBytes)
{
    const QList<QByteArray> texts = {"BEGIN:VCALENDAR caf\xC3\xA9 \xE2\x98\x95", "broken \xC3(", "\xEF\xBB\xBFwith a mark"};
    ASSERT_TRUE(store.SetSeries({QStringLiteral("f.ics"), QStringLiteral("0"), texts[0], 0}));
    ASSERT_TRUE(store.SetSeriesTexts({{QStringLiteral("f.ics"), QStringLiteral("1"), texts[1], 0},
                                      {QStringLiteral("f.ics"), QStringLiteral("2"), texts[2], 0}}));
    for (int i = 0; i < int(texts.size()); ++i) {
        const QVariantList key = {QString::number(i)};
        EXPECT_EQ(Raw(QStringLiteral("SELECT typeof(Component) FROM Series WHERE Uid = ?"), key).toString(), QStringLiteral("text"));
        EXPECT_EQ(Raw(QStringLiteral("SELECT Component FROM Series WHERE Uid = ?"), key).toString(), QString::fromUtf8(texts[i]));
    }
}

TEST_F(Store, ALargeAdditionMakesTheIndexOfDaysAnewAndARollbackKeepsIt)
{
    const QString index = QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'EventDatesByDate'");
    const QString made = Raw(index).toString();
    ASSERT_FALSE(made.isEmpty());
    QList<QDate> year;
    for (QDate day(2026, 1, 1); day.year() == 2026; day = day.addDays(1))
        year.append(day);
    qint64 id = 0;
    const auto add = [&] { return store.AddEventToDatabase(Event(QStringLiteral("daily")), year, id); };
    EXPECT_FALSE(store.RunAddingDays(20 * year.size(), [&] { return add() && false; }));
    EXPECT_EQ(Raw(index).toString(), made);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM EventDates")), 0);

    ASSERT_TRUE(store.RunAddingDays(20 * year.size(), [&] {
        for (int i = 0; i < 20; ++i) {
            if (!add())
                return false;
        }
        return true;
    }));
    EXPECT_EQ(Raw(index).toString(), made);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM EventDates INDEXED BY EventDatesByDate WHERE EventDate = '2026-06-30'")), 20);
    EXPECT_EQ(DayCount(QStringLiteral("2026-06-30")), 20);
    // Inside another transaction it is that one's work.
    ASSERT_TRUE(store.RunInTransaction([&] { return store.RunAddingDays(20 * year.size(), add); }));
    EXPECT_EQ(DayCount(QStringLiteral("2026-12-31")), 21);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Store, UpdateChangesOnlyTheDatesThatDiffer)
{
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("old")), {D(1, 5, 2004), D(1, 6, 2004)}, id));
    qint64 other = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("other")), {D(1, 6, 2004)}, other));
    Raw(QStringLiteral("CREATE TABLE Removed (EventDate TEXT)"));
    Raw(QStringLiteral("CREATE TRIGGER removed AFTER DELETE ON EventDates BEGIN INSERT INTO Removed VALUES (OLD.EventDate); END"));

    ASSERT_TRUE(store.UpdateEventInDatabase(
        id, Event(QStringLiteral("new"), QStringLiteral("n"), QTime(8, 0), QTime(8, 30), true), {D(1, 6, 2004), D(1, 7, 2004)}));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-05")), 0);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-06")), 2);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-07")), 1);
    // The date kept is not deleted and added again.
    EXPECT_EQ(Raw(QStringLiteral("SELECT group_concat(EventDate) FROM Removed")).toString(), QStringLiteral("2004-01-05"));
    EventRecord record;
    ASSERT_TRUE(store.GetEventData(id, record));
    EXPECT_EQ(record.EventName, QStringLiteral("new"));
    EXPECT_EQ(record.StartTime, QTime(8, 0));
    EXPECT_TRUE(record.Recurring);
    QList<QDate> dates;
    ASSERT_TRUE(store.GetAllDatesForEvent(id, dates));
    EXPECT_EQ(dates, QList<QDate>({D(1, 6, 2004), D(1, 7, 2004)}));
}

TEST_F(Store, DeletingKeepsCountsRight)
{
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("x")), {D(1, 5, 2004), D(1, 6, 2004)}, id));
    // A date the event does not have changes no count.
    ASSERT_TRUE(store.IncrementEventCount(D(1, 7, 2004)));
    ASSERT_TRUE(store.DeleteEventDate(id, D(1, 7, 2004)));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-07")), 1);

    ASSERT_TRUE(store.DeleteEventDate(id, D(1, 5, 2004)));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-05")), 0);

    ASSERT_TRUE(store.DeleteEventFromDatabase(id));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM EventDates WHERE EventId = ?"), {id}), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Events")), 0);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-05")), 0);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-06")), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Store, AFailureInTheMiddleLeavesNothingBehind)
{
    // The third date's insert fails inside the store.
    Raw(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON EventDates WHEN NEW.EventDate = '2004-01-07' "
                       "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    qint64 id = 77;
    EXPECT_FALSE(store.AddEventToDatabase(Event(QStringLiteral("x")), {D(1, 5, 2004), D(1, 6, 2004), D(1, 7, 2004)}, id));
    EXPECT_EQ(id, 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Events")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM EventDates")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Dates")), 0);
    // Reported once, by the operation that failed.
    EXPECT_EQ(ReportedModules(), QStringList{QStringLiteral("basDatabase.AddEventDate")});

    // An update that fails half way keeps the old values, dates and counts.
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("kept")), {D(1, 5, 2004)}, id));
    EXPECT_FALSE(store.UpdateEventInDatabase(id, Event(QStringLiteral("lost")), {D(1, 6, 2004), D(1, 7, 2004)}));
    EventRecord record;
    ASSERT_TRUE(store.GetEventData(id, record));
    EXPECT_EQ(record.EventName, QStringLiteral("kept"));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-05")), 1);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-06")), -1);

    // The store is usable afterwards: no transaction was left open.
    ASSERT_TRUE(store.AddEventDate(id, D(1, 6, 2004)));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-06")), 1);
}

TEST_F(Store, MissingOrInvalidKeysReport)
{
    EventRecord record;
    record.EventName = QStringLiteral("stale");
    EXPECT_FALSE(store.GetEventData(999, record));
    EXPECT_EQ(record, EventRecord{});
    EXPECT_FALSE(store.GetEventData(-1, record));
    EXPECT_FALSE(store.AddEventDate(999, D(1, 5, 2004)));
    EXPECT_FALSE(store.UpdateEventInDatabase(999, Event(QStringLiteral("x")), {D(1, 5, 2004)}));
    EXPECT_FALSE(store.IncrementEventCount(QDate()));
    qint64 id = 0;
    EXPECT_FALSE(store.AddEventToDatabase(Event(QStringLiteral("bad date")), {D(1, 5, 2004), QDate()}, id));
    EXPECT_EQ(ReportedModules(),
              QStringList({QStringLiteral("basDatabase.GetEventData"), QStringLiteral("basDatabase.GetEventData"),
                           QStringLiteral("basDatabase.AddEventDate"), QStringLiteral("basDatabase.UpdateEventInDatabase"),
                           QStringLiteral("basDatabase.IncrementEventCount"), QStringLiteral("basDatabase.AddEventToDatabase")}));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Dates")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Events")), 0);
}

TEST_F(Store, FactOfTheDayMatchesMonthAndDayInAnyYear)
{
    Raw(QStringLiteral("INSERT INTO FactOfTheDay VALUES ('01-05', ''), ('01-05', 'second'), ('01-05', 'third'), "
                       "('02-29', 'leap')"));
    EXPECT_EQ(store.GetFactOfTheDay(D(1, 5, 2004)), QStringLiteral("second"));
    EXPECT_EQ(store.GetFactOfTheDay(D(1, 5, 1999)), QStringLiteral("second"));
    EXPECT_EQ(store.GetFactOfTheDay(D(2, 29, 2028)), QStringLiteral("leap"));
    EXPECT_EQ(store.GetFactOfTheDay(D(1, 6, 2004)), QString());
    EXPECT_EQ(store.GetFactOfTheDay(QDate()), QString());
    store.CloseDatabaseConnection();
    EXPECT_EQ(store.GetFactOfTheDay(D(1, 5, 2004)), QString());
    EXPECT_TRUE(messages.empty());
}

TEST_F(Store, DateColorThrowsToItsCaller)
{
    Raw(QStringLiteral("INSERT INTO Dates VALUES ('2026-12-06', 'Purple', 0, '', 'Second Sunday of Advent'), "
                       "('2026-12-07', NULL, 0, '', '')"));
    EXPECT_EQ(store.QueryDateColor(D(12, 6, 2026)), QStringLiteral("Purple"));
    EXPECT_EQ(store.QueryDateColor(D(12, 7, 2026)), QString());
    EXPECT_EQ(store.QueryDateColor(D(12, 8, 2026)), QString());
    EXPECT_THROW(store.QueryDateColor(QDate()), basOperation::Failure);
    store.CloseDatabaseConnection();
    EXPECT_THROW(store.QueryDateColor(D(12, 6, 2026)), basOperation::Failure);
    EXPECT_TRUE(messages.empty());
}

// The renderer's read of its month: one query, the days in order, each day's all-day
// events first, then the timed ones by start time; ties by the order they were saved.
TEST_F(Store, EventsInRangeComeInTheRenderersOrder)
{
    auto add = [&](const QString &name, QTime start, QList<QDate> dates, bool allDay = false) {
        EventRecord event = Event(name, {}, start, start);
        event.AllDayEvent = allDay;
        qint64 id = 0;
        EXPECT_TRUE(store.AddEventToDatabase(event, dates, id));
        return id;
    };
    const qint64 review = add(QStringLiteral("Review"), QTime(14, 0), {D(12, 7, 2026)});
    const qint64 lunch = add(QStringLiteral("Lunch"), QTime(12, 0), {D(12, 7, 2026), D(12, 8, 2026)});
    const qint64 holiday = add(QStringLiteral("Holiday"), {}, {D(12, 8, 2026), D(12, 7, 2026)}, true);
    const qint64 budget = add(QStringLiteral("Budget"), QTime(12, 0), {D(12, 7, 2026)});
    const qint64 early = add(QStringLiteral("Early"), QTime(0, 0), {D(12, 7, 2026)});
    add(QStringLiteral("Outside"), QTime(8, 0), {D(12, 6, 2026), D(12, 9, 2026)});

    const qint64 laterHoliday = add(QStringLiteral("Later holiday"), {}, {D(12, 8, 2026)}, true);
    // An older file's all-day times do not reorder the all-day events.
    Raw(QStringLiteral("UPDATE Events SET StartTime = '23:00' WHERE EventID = ?"), {holiday});

    QList<DatedEvent> events;
    ASSERT_TRUE(store.GetEventsInRange(D(12, 7, 2026), D(12, 8, 2026), events));
    QList<std::pair<QDate, qint64>> order;
    for (const DatedEvent &dated : events)
        order.append({dated.Date, dated.Event.EventID});
    EXPECT_EQ(order, (QList<std::pair<QDate, qint64>>{{D(12, 7, 2026), holiday},
                                                       {D(12, 7, 2026), early},
                                                       {D(12, 7, 2026), lunch},
                                                       {D(12, 7, 2026), budget},
                                                       {D(12, 7, 2026), review},
                                                       {D(12, 8, 2026), holiday},
                                                       {D(12, 8, 2026), laterHoliday},
                                                       {D(12, 8, 2026), lunch}}));
    EXPECT_EQ(events[2].Event.EventName, QStringLiteral("Lunch"));
    EXPECT_TRUE(messages.empty());
}

// Damaged rows written by something else: each is left out, the rest of the day stays,
// and one report names them all.
TEST_F(Store, OneBrokenEventLeavesTheOthersOfItsDay)
{
    qint64 good = 0, emptyStart = 0, garbageEnd = 0, allDay = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("good")), {D(12, 7, 2026)}, good));
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("empty start")), {D(12, 7, 2026)}, emptyStart));
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("garbage end")), {D(12, 7, 2026)}, garbageEnd));
    EventRecord holiday = Event(QStringLiteral("holiday"));
    holiday.AllDayEvent = true;
    ASSERT_TRUE(store.AddEventToDatabase(holiday, {D(12, 7, 2026)}, allDay));
    Raw(QStringLiteral("UPDATE Events SET StartTime = '' WHERE EventID = ?"), {emptyStart});
    Raw(QStringLiteral("UPDATE Events SET EndTime = 'half past' WHERE EventID = ?"), {garbageEnd});
    // An all-day event needs no times; an older file's "9:30 AM" still reads.
    Raw(QStringLiteral("UPDATE Events SET StartTime = NULL, EndTime = NULL WHERE EventID = ?"), {allDay});
    Raw(QStringLiteral("UPDATE Events SET StartTime = '9:30 AM' WHERE EventID = ?"), {good});
    // A malformed stored date inside the range's text span.
    Raw(QStringLiteral("INSERT INTO EventDates VALUES (?, '2026-12-1x')"), {good});

    QList<DatedEvent> events;
    ASSERT_TRUE(store.GetEventsInRange(D(12, 1, 2026), D(12, 31, 2026), events));
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].Event.EventID, allDay);
    EXPECT_EQ(events[1].Event.EventID, good);
    EXPECT_EQ(events[1].Event.StartTime, QTime(9, 30));
    ASSERT_EQ(ReportedModules(), QStringList{QStringLiteral("basDatabase.GetEventsInRange")});
    for (const char *named : {"empty start", "garbage end", "2026-12-07", "2026-12-1x"})
        EXPECT_TRUE(messages[0].text.contains(QLatin1String(named))) << named << "\n" << messages[0].text.toStdString();

    // The editor can still open the broken event to mend it.
    EventRecord record;
    ASSERT_TRUE(store.GetEventData(emptyStart, record));
    EXPECT_FALSE(record.StartTime.isValid());
    EXPECT_EQ(record.EndTime, QTime(10, 0));
}

// Every event with its days ascending, as the export reads them, or only its first; a
// stored text that is no date is left out, also one that holds a list of dates.
TEST_F(Store, AllEventsComeWithTheirDaysAndNoTextThatIsNoDate)
{
    qint64 weekly = 0, once = 0, none = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("weekly")), {D(1, 19, 2027), D(1, 5, 2027), D(1, 12, 2027)}, weekly));
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("once")), {D(12, 7, 2026)}, once));
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("none")), {}, none));
    Raw(QStringLiteral("INSERT INTO EventDates VALUES (?, 'x,2027-02-02'), (?, '2027-13-01'), (?, '0999-05-01')"),
        {weekly, once, once});

    QList<basDatabase::EventStore::EventWithDates> events;
    ASSERT_TRUE(store.GetAllEvents(events));
    ASSERT_EQ(events.size(), 3);
    EXPECT_EQ(events[0].Event.EventName, QStringLiteral("weekly"));
    EXPECT_EQ(events[0].Dates, (QList<QDate>{D(1, 5, 2027), D(1, 12, 2027), D(1, 19, 2027)}));
    EXPECT_EQ(events[1].Dates, (QList<QDate>{D(5, 1, 999), D(12, 7, 2026)}));
    EXPECT_EQ(events[2].Event.EventID, none);
    EXPECT_TRUE(events[2].Dates.isEmpty());

    // Of those asked so, the first date only: when the first text is no date, all.
    Raw(QStringLiteral("INSERT INTO EventDates VALUES (?, '-bad')"), {once});
    ASSERT_TRUE(store.GetAllEvents(events, {weekly, once, none}));
    ASSERT_EQ(events.size(), 3);
    EXPECT_EQ(events[0].Dates, QList<QDate>{D(1, 5, 2027)});
    EXPECT_EQ(events[1].Dates, (QList<QDate>{D(5, 1, 999), D(12, 7, 2026)}));
    EXPECT_TRUE(events[2].Dates.isEmpty());
}

TEST_F(Store, ASeriesTextReadsBackByteForByte)
{
    const QByteArray text = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:Caf\xC3\xA9 \xF0\x9F\x98\x80\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    ASSERT_TRUE(store.SetSeries({QStringLiteral("/feeds/\u00fc.ics"), QStringLiteral("s@x"), text, 2}));
    QList<basDatabase::EventStore::SeriesText> series;
    ASSERT_TRUE(store.GetAllSeries(series));
    ASSERT_EQ(series.size(), 1);
    EXPECT_EQ(series[0].Component, text);
    EXPECT_EQ(series[0].Source, QStringLiteral("/feeds/\u00fc.ics"));
    EXPECT_EQ(series[0].Sequence, 2);
}

class Connection : public QuillonTest {};

TEST_F(Connection, MissingEmptyOrCorruptFileReportsAtStep50)
{
    basDatabase::EventStore store;
    const QString path = TempPath(QStringLiteral("dbcalndr.sqlite"));
    ASSERT_EQ(basDatabase::EventStore::DatabasePath(), path);
    EXPECT_FALSE(store.OpenDatabaseConnection());
    EXPECT_FALSE(QFileInfo::exists(path)); // never created by the program

    {
        QFile empty(path);
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    EXPECT_FALSE(store.OpenDatabaseConnection());
    EXPECT_EQ(QFileInfo(path).size(), 0);

    {
        QFile corrupt(path);
        ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
        corrupt.write(QByteArray(8192, 'x'));
    }
    EXPECT_FALSE(store.OpenDatabaseConnection());

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_FALSE(store.OpenDatabaseConnection());

    // Each says why: no file, a file of no tables, no database at all, a folder.
    ASSERT_EQ(messages.size(), 4u);
    for (const auto &message : messages) {
        EXPECT_TRUE(message.text.contains(QStringLiteral("basDatabase.OpenDatabaseConnection")));
        EXPECT_TRUE(message.text.contains(QStringLiteral("Line Number: \t50")));
    }
    EXPECT_TRUE(messages[0].text.contains(QLatin1String("not found")));
    EXPECT_TRUE(messages[1].text.contains(QLatin1String("is not a Quillon database: table Events is missing")));
    EXPECT_TRUE(messages[2].text.contains(QLatin1String("is not a database")));
    EXPECT_FALSE(messages[2].text.contains(QLatin1String("not a Quillon database")));
    EXPECT_TRUE(messages[3].text.contains(QLatin1String("is a folder, not a database file")));
    ASSERT_TRUE(QDir(path).removeRecursively());
    // Operations without a connection report and fail; nothing crashes.
    QList<qint64> ids;
    EXPECT_FALSE(store.GetEventsByDate(D(1, 5, 2004), ids));
    EXPECT_FALSE(store.IsOpen());

    // A good file opens, in a folder whose name needs quoting in a URI, and a second
    // open replaces the first connection.
    const QString folder = TempPath(QStringLiteral("my data #1 %20?&"));
    env.Set("QUILLON_DATA_DIR", folder.toLocal8Bit());
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(basDatabase::EventStore::DatabasePath(), error)) << error.toStdString();
    ASSERT_TRUE(basDatabase::EventStore::DatabasePath().startsWith(folder));
    EXPECT_TRUE(store.OpenDatabaseConnection());
    EXPECT_TRUE(store.OpenDatabaseConnection());
    EXPECT_TRUE(store.GetEventsByDate(D(1, 5, 2004), ids));

    // Two stores in one process each keep their own connection.
    basDatabase::EventStore second;
    ASSERT_TRUE(second.OpenDatabaseConnection());
    EXPECT_NE(second.ConnectionName(), store.ConnectionName());
    qint64 id = 0;
    ASSERT_TRUE(second.AddEventToDatabase(StoreTest::Event(QStringLiteral("shared")), {D(1, 5, 2004)}, id));
    second.CloseDatabaseConnection();
    ASSERT_TRUE(store.GetEventsByDate(D(1, 5, 2004), ids));
    EXPECT_EQ(ids, QList<qint64>{id});
    store.CloseDatabaseConnection();
    store.CloseDatabaseConnection();
}

} // namespace

namespace {

// The stored date form is written and read by hand for four-digit years; it must agree
// with Qt's ISO form everywhere, and give no date for a text that is none.
TEST(StoredForms, DatesReadAndWrittenAsQtsIsoFormDoes)
{
    for (const QDate date : {QDate(1000, 1, 1), QDate(1900, 1, 1), QDate(2026, 12, 8), QDate(2100, 12, 31),
                             QDate(9999, 12, 31), QDate(999, 6, 15)}) {
        const QString text = basStoredForms::DateText(date);
        EXPECT_EQ(text, date.toString(Qt::ISODate));
        char written[basStoredForms::kDateTextMax];
        EXPECT_EQ(QLatin1String(written, basStoredForms::WriteDateText(date, written)), text);
        EXPECT_EQ(basStoredForms::ReadDate(text), date) << text.toStdString();
    }
    for (const char *bad : {"2026-02-30", "2026-13-01", "2026-00-10", "2026-1a-01", "", "20260101x"})
        EXPECT_FALSE(basStoredForms::ReadDate(QString::fromLatin1(bad)).isValid()) << bad;
    EXPECT_FALSE(basStoredForms::ReadDate(QVariant()).isValid());
    for (const QTime time : {QTime(0, 0), QTime(9, 5, 59), QTime(23, 59)})
        EXPECT_EQ(basStoredForms::TimeText(time), time.toString(QStringLiteral("HH:mm")));
    EXPECT_TRUE(basStoredForms::TimeText(QTime()).isNull());
}

} // namespace

} // namespace quillon
