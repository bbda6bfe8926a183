#include "StoreTest.h"

#include "basDatabase.h"
#include "basOperation.h"
#include "basSchema.h"
#include "basStringFunctions.h"

#include <QFile>
#include <QFileInfo>

namespace {
using quillontest::QuillonTest;
using quillontest::StoreTest;
namespace db = basDatabase;

const QStringList kOneEmpty{QString()};

class Store : public StoreTest {};

TEST_F(Store, AnyTextReadsBackUnchanged)
{
    const QStringList texts = {
        QStringLiteral("O'Brien's \"party\""), QStringLiteral("a|b||c"), QStringLiteral("#1/5/2004# -- ; DROP TABLE Events"),
        QStringLiteral("Grüße, 日本語, emoji \U0001F389"), QStringLiteral("two\r\nlines\ttab"), QStringLiteral("back\\slash %s"),
        QString(QChar(0x1B)) + QStringLiteral("p|") + QChar(0x1B)};
    for (const QString &text : texts) {
        QString id;
        ASSERT_TRUE(db::AddEventToDatabase(Store::Values(text, text), {QStringLiteral("3/4/2026")}, id));
        QStringList record;
        ASSERT_TRUE(db::GetEventData(id, record));
        ASSERT_EQ(record.size(), 9);
        EXPECT_EQ(record[1], text);
        EXPECT_EQ(record[7], text);

        // Day notes and the day record keep the text too.
        ASSERT_TRUE(db::UpdateDateNotes(QStringLiteral("3/4/2026"), text));
        QStringList days;
        ASSERT_TRUE(db::GetDates(QStringLiteral("3/4/2026"), QStringLiteral("3/4/2026"), days));
        ASSERT_EQ(days.size(), 1);
        EXPECT_EQ(basStringFunctions::CountFields(days[0], QStringLiteral("|")), 5);
        EXPECT_EQ(db::SplitDayRecord(days[0])[3], text);
    }
    EXPECT_EQ(db::SplitDayRecord(QStringLiteral("1/05/2004")).size(), 5);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Store, EventRecordHasItsReadForms)
{
    QString id;
    ASSERT_TRUE(db::AddEventToDatabase({QStringLiteral("Choir"), QStringLiteral("0"), QStringLiteral("7:15 PM"),
                                        QStringLiteral("9:00 PM"), QStringLiteral("Blue"), QStringLiteral("112"),
                                        QStringLiteral("bring music"), QStringLiteral("1")},
                                       {QStringLiteral("12/6/2026")}, id));
    QStringList record;
    ASSERT_TRUE(db::GetEventData(id, record));
    EXPECT_EQ(record, QStringList({id, QStringLiteral("Choir"), QStringLiteral("False"), QStringLiteral("7:15 PM"),
                                   QStringLiteral("9:00 PM"), QStringLiteral("Blue"), QStringLiteral("112"),
                                   QStringLiteral("bring music"), QStringLiteral("True")}));
    // Stored in 24-hour form, booleans as 0/1.
    EXPECT_EQ(Raw(QStringLiteral("SELECT StartTime || '-' || EndTime || '-' || AllDayEvent || Recurring FROM Events")).toString(),
              QStringLiteral("19:15-21:00-01"));

    QString allDay;
    ASSERT_TRUE(db::AddEventToDatabase({QStringLiteral("Holiday"), QStringLiteral("1"), QStringLiteral("0:00 AM"),
                                        QStringLiteral("11:59 PM"), QString(), QString(), QString(), QStringLiteral("0")},
                                       {QStringLiteral("12/6/2026")}, allDay));
    ASSERT_TRUE(db::GetEventData(allDay, record));
    EXPECT_EQ(record[2], QStringLiteral("True"));
    EXPECT_EQ(record[3], QStringLiteral("12:00 AM"));
    EXPECT_EQ(record[4], QStringLiteral("11:59 PM"));
    EXPECT_EQ(record[8], QStringLiteral("False"));
}

TEST_F(Store, TimesConvertBothWays)
{
    const struct {
        const char *in, *stored, *out;
    } table[] = {
        {"9:30 AM", "09:30", "9:30 AM"},   {"0:00 AM", "00:00", "12:00 AM"}, {"12:00 AM", "00:00", "12:00 AM"},
        {"12:00 PM", "12:00", "12:00 PM"}, {"12:30 PM", "12:30", "12:30 PM"}, {"11:59 PM", "23:59", "11:59 PM"},
        {"1:05 pm", "13:05", "1:05 PM"},   {"21:30", "21:30", "9:30 PM"},     {"", "", ""},
    };
    for (const auto &row : table) {
        QString id;
        ASSERT_TRUE(db::AddEventToDatabase(Store::Values(QStringLiteral("t"), {}, QString::fromLatin1(row.in)), {}, id))
            << row.in;
        EXPECT_EQ(Raw(QStringLiteral("SELECT StartTime FROM Events WHERE EventID = ?"), {id}).toString(),
                  QString::fromLatin1(row.stored));
        QStringList record;
        ASSERT_TRUE(db::GetEventData(id, record));
        EXPECT_EQ(record[3], QString::fromLatin1(row.out)) << row.in;
    }
    for (const char *bad : {"13:00 PM", "0:30 PM", "9:60 AM", "24:00", "noon", "9.30 AM"}) {
        QString id;
        EXPECT_FALSE(db::AddEventToDatabase(Store::Values(QStringLiteral("t"), {}, QString::fromLatin1(bad)), {}, id)) << bad;
        EXPECT_TRUE(id.isEmpty());
    }
    EXPECT_EQ(messages.size(), 6u);
}

TEST_F(Store, AddSkipsEmptyDatesAndCountsEachDay)
{
    QString first;
    ASSERT_TRUE(db::AddEventToDatabase(Store::Values(QStringLiteral("a")),
                                       {QStringLiteral("1/5/2004"), QString(), QStringLiteral("01/06/2004")}, first));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM EventDates")), 2);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-05")), 1);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-06")), 1);
    // A new day's row has empty colour, notes and text.
    QStringList days;
    ASSERT_TRUE(db::GetDates(QStringLiteral("1/1/2004"), QStringLiteral("1/31/2004"), days));
    EXPECT_EQ(days, QStringList({QStringLiteral("1/05/2004||1||"), QStringLiteral("1/06/2004||1||")}));

    QString second;
    ASSERT_TRUE(db::AddEventToDatabase(Store::Values(QStringLiteral("b")), {QStringLiteral("1/05/2004")}, second));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-05")), 2);
    EXPECT_NE(first, second);

    QStringList ids;
    ASSERT_TRUE(db::GetEventsByDate(QStringLiteral("1/5/2004"), ids));
    EXPECT_EQ(ids, QStringList({first, second}));
    QStringList dates;
    ASSERT_TRUE(db::GetAllDatesForEvent(first, dates));
    EXPECT_EQ(dates, QStringList({QStringLiteral("1/05/2004"), QStringLiteral("1/06/2004")}));

    // The same day twice in one list is one occurrence.
    QString third;
    ASSERT_TRUE(db::AddEventToDatabase(Store::Values(QStringLiteral("c")),
                                       {QStringLiteral("2/1/2004"), QStringLiteral("02/01/2004")}, third));
    EXPECT_EQ(DayCount(QStringLiteral("2004-02-01")), 1);
}

TEST_F(Store, EmptyResultsAreOneEmptyEntry)
{
    QStringList list{QStringLiteral("stale"), QStringLiteral("entries")};
    ASSERT_TRUE(db::GetEventsByDate(QStringLiteral("7/4/2026"), list));
    EXPECT_EQ(list, kOneEmpty);
    list = {QStringLiteral("stale")};
    ASSERT_TRUE(db::GetDates(QStringLiteral("7/1/2026"), QStringLiteral("7/31/2026"), list));
    EXPECT_EQ(list, kOneEmpty);
    QString id;
    ASSERT_TRUE(db::AddEventToDatabase(Store::Values(QStringLiteral("no dates")), {QString()}, id));
    list = {QStringLiteral("stale")};
    ASSERT_TRUE(db::GetAllDatesForEvent(id, list));
    EXPECT_EQ(list, kOneEmpty);
}

TEST_F(Store, CountsNeverGoBelowZeroAndNotesMakeADay)
{
    ASSERT_TRUE(db::DecrementEventCount(QStringLiteral("5/5/2026")));
    EXPECT_EQ(DayCount(QStringLiteral("2026-05-05")), -1); // no row created

    ASSERT_TRUE(db::UpdateDateNotes(QStringLiteral("5/5/2026"), QStringLiteral("dentist | 3pm")));
    EXPECT_EQ(DayCount(QStringLiteral("2026-05-05")), 0);
    ASSERT_TRUE(db::DecrementEventCount(QStringLiteral("5/05/2026")));
    EXPECT_EQ(DayCount(QStringLiteral("2026-05-05")), 0);

    ASSERT_TRUE(db::IncrementEventCount(QStringLiteral("5/5/2026")));
    ASSERT_TRUE(db::IncrementEventCount(QStringLiteral("5/5/2026")));
    EXPECT_EQ(DayCount(QStringLiteral("2026-05-05")), 2);
    ASSERT_TRUE(db::UpdateDateNotes(QStringLiteral("5/5/2026"), QStringLiteral("moved")));
    QStringList days;
    ASSERT_TRUE(db::GetDates(QStringLiteral("5/5/2026"), QStringLiteral("5/5/2026"), days));
    EXPECT_EQ(days, QStringList{QStringLiteral("5/05/2026||2|moved|")});

    // A broken row (null count) fails rather than guessing.
    Raw(QStringLiteral("UPDATE Dates SET EventCount = NULL"));
    EXPECT_FALSE(db::DecrementEventCount(QStringLiteral("5/5/2026")));
    EXPECT_EQ(ReportedModules(), QStringList{QStringLiteral("basDatabase.DecrementEventCount")});
    ASSERT_TRUE(db::GetDates(QStringLiteral("5/5/2026"), QStringLiteral("5/5/2026"), days));
    EXPECT_EQ(days, QStringList{QStringLiteral("5/05/2026||0|moved|")});
}

TEST_F(Store, UpdateChangesOnlyTheDatesThatDiffer)
{
    QString id;
    ASSERT_TRUE(db::AddEventToDatabase(Store::Values(QStringLiteral("old")),
                                       {QStringLiteral("1/5/2004"), QStringLiteral("1/6/2004")}, id));
    QString other;
    ASSERT_TRUE(db::AddEventToDatabase(Store::Values(QStringLiteral("other")), {QStringLiteral("1/6/2004")}, other));
    Raw(QStringLiteral("CREATE TABLE Removed (EventDate TEXT)"));
    Raw(QStringLiteral("CREATE TRIGGER removed AFTER DELETE ON EventDates BEGIN INSERT INTO Removed VALUES (OLD.EventDate); END"));

    ASSERT_TRUE(db::UpdateEventInDatabase(id, Store::Values(QStringLiteral("new"), QStringLiteral("n"), QStringLiteral("8:00 AM"),
                                                            QStringLiteral("8:30 AM"), QStringLiteral("1")),
                                          {QStringLiteral("01/06/2004"), QStringLiteral("1/7/2004"), QString()}));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-05")), 0);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-06")), 2);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-07")), 1);
    // The date kept is not deleted and added again.
    EXPECT_EQ(Raw(QStringLiteral("SELECT group_concat(EventDate) FROM Removed")).toString(), QStringLiteral("2004-01-05"));
    QStringList record;
    ASSERT_TRUE(db::GetEventData(id, record));
    EXPECT_EQ(record[1], QStringLiteral("new"));
    EXPECT_EQ(record[3], QStringLiteral("8:00 AM"));
    EXPECT_EQ(record[8], QStringLiteral("True"));
    QStringList dates;
    ASSERT_TRUE(db::GetAllDatesForEvent(id, dates));
    EXPECT_EQ(dates, QStringList({QStringLiteral("1/06/2004"), QStringLiteral("1/07/2004")}));
}

TEST_F(Store, DeletingKeepsCountsRight)
{
    QString id;
    ASSERT_TRUE(db::AddEventToDatabase(Store::Values(QStringLiteral("x")),
                                       {QStringLiteral("1/5/2004"), QStringLiteral("1/6/2004")}, id));
    // A date the event does not have changes no count.
    ASSERT_TRUE(db::DeleteEventDate(id, QStringLiteral("1/7/2004")));
    ASSERT_TRUE(db::IncrementEventCount(QStringLiteral("1/7/2004")));
    ASSERT_TRUE(db::DeleteEventDate(id, QStringLiteral("1/7/2004")));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-07")), 1);

    ASSERT_TRUE(db::DeleteEventDate(id, QStringLiteral("1/05/2004")));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-05")), 0);

    // The counts follow the stored dates even when the caller's list is stale.
    ASSERT_TRUE(db::DeleteEventFromDatabase(id, {QStringLiteral("1/5/2004"), QStringLiteral("1/6/2004")}));
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
    QString id = QStringLiteral("stale");
    EXPECT_FALSE(db::AddEventToDatabase(Store::Values(QStringLiteral("x")),
                                        {QStringLiteral("1/5/2004"), QStringLiteral("1/6/2004"), QStringLiteral("1/7/2004")}, id));
    EXPECT_TRUE(id.isEmpty());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Events")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM EventDates")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM Dates")), 0);
    // Reported once, by the operation that failed.
    EXPECT_EQ(ReportedModules(), QStringList{QStringLiteral("basDatabase.AddEventDate")});

    // An update that fails half way keeps the old values, dates and counts.
    ASSERT_TRUE(db::AddEventToDatabase(Store::Values(QStringLiteral("kept")), {QStringLiteral("1/5/2004")}, id));
    EXPECT_FALSE(db::UpdateEventInDatabase(id, Store::Values(QStringLiteral("lost")),
                                           {QStringLiteral("1/6/2004"), QStringLiteral("1/7/2004")}));
    QStringList record;
    ASSERT_TRUE(db::GetEventData(id, record));
    EXPECT_EQ(record[1], QStringLiteral("kept"));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-05")), 1);
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-06")), -1);

    // The store is usable afterwards: no transaction was left open.
    ASSERT_TRUE(db::AddEventDate(id, QStringLiteral("1/6/2004")));
    EXPECT_EQ(DayCount(QStringLiteral("2004-01-06")), 1);
}

TEST_F(Store, MissingOrMalformedIdsReport)
{
    QStringList record{QStringLiteral("stale")};
    EXPECT_FALSE(db::GetEventData(QStringLiteral("999"), record));
    EXPECT_TRUE(record.isEmpty());
    EXPECT_FALSE(db::GetEventData(QStringLiteral("abc"), record));
    EXPECT_FALSE(db::AddEventDate(QStringLiteral("999"), QStringLiteral("1/5/2004")));
    EXPECT_FALSE(db::UpdateEventInDatabase(QStringLiteral("999"), Store::Values(QStringLiteral("x")), {QStringLiteral("1/5/2004")}));
    EXPECT_FALSE(db::IncrementEventCount(QStringLiteral("2/30/2026")));
    QString id;
    EXPECT_FALSE(db::AddEventToDatabase({QStringLiteral("too few")}, {}, id));
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
    EXPECT_EQ(db::GetFactOfTheDay(QStringLiteral("1/05/2004")), QStringLiteral("second"));
    EXPECT_EQ(db::GetFactOfTheDay(QStringLiteral("1/5/1999")), QStringLiteral("second"));
    EXPECT_EQ(db::GetFactOfTheDay(QStringLiteral("2/29/2028")), QStringLiteral("leap"));
    EXPECT_EQ(db::GetFactOfTheDay(QStringLiteral("1/6/2004")), QString());
    EXPECT_EQ(db::GetFactOfTheDay(QStringLiteral("not a date")), QString());
    db::CloseDatabaseConnection();
    EXPECT_EQ(db::GetFactOfTheDay(QStringLiteral("1/5/2004")), QString());
    EXPECT_TRUE(messages.empty());
}

TEST_F(Store, DateColorThrowsToItsCaller)
{
    Raw(QStringLiteral("INSERT INTO Dates VALUES ('2026-12-06', 'Purple', 0, '', 'Second Sunday of Advent'), "
                       "('2026-12-07', NULL, 0, '', '')"));
    EXPECT_EQ(db::QueryDateColor(QStringLiteral("12/6/2026")), QStringLiteral("Purple"));
    EXPECT_EQ(db::QueryDateColor(QStringLiteral("12/07/2026")), QString());
    EXPECT_EQ(db::QueryDateColor(QStringLiteral("12/8/2026")), QString());
    EXPECT_THROW(db::QueryDateColor(QStringLiteral("13/1/2026")), basOperation::Failure);
    db::CloseDatabaseConnection();
    EXPECT_THROW(db::QueryDateColor(QStringLiteral("12/6/2026")), basOperation::Failure);
    EXPECT_TRUE(messages.empty());
}

class Connection : public QuillonTest {};

TEST_F(Connection, MissingEmptyOrCorruptFileReportsAtStep50)
{
    const QString path = TempPath(QStringLiteral("dbcalndr.sqlite"));
    ASSERT_EQ(db::DatabasePath(), path);
    EXPECT_FALSE(db::OpenDatabaseConnection());
    EXPECT_FALSE(QFileInfo::exists(path)); // never created by the program

    {
        QFile empty(path);
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    EXPECT_FALSE(db::OpenDatabaseConnection());
    EXPECT_EQ(QFileInfo(path).size(), 0);

    {
        QFile corrupt(path);
        ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
        corrupt.write(QByteArray(8192, 'x'));
    }
    EXPECT_FALSE(db::OpenDatabaseConnection());

    ASSERT_EQ(messages.size(), 3u);
    for (const auto &message : messages) {
        EXPECT_TRUE(message.text.contains(QStringLiteral("basDatabase.OpenDatabaseConnection")));
        EXPECT_TRUE(message.text.contains(QStringLiteral("Line Number: \t50")));
    }
    // Operations without a connection report and fail; nothing crashes.
    QStringList ids;
    EXPECT_FALSE(db::GetEventsByDate(QStringLiteral("1/5/2004"), ids));
    EXPECT_EQ(ids, kOneEmpty);

    // A good file opens, in a folder whose name needs quoting in a URI, and a second
    // open replaces the first connection.
    const QString folder = TempPath(QStringLiteral("my data #1 %20?&"));
    env.Set("QUILLON_DATA_DIR", folder.toLocal8Bit());
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(db::DatabasePath(), false, error)) << error.toStdString();
    ASSERT_TRUE(db::DatabasePath().startsWith(folder));
    EXPECT_TRUE(db::OpenDatabaseConnection());
    EXPECT_TRUE(db::OpenDatabaseConnection());
    EXPECT_TRUE(db::GetEventsByDate(QStringLiteral("1/5/2004"), ids));
    db::CloseDatabaseConnection();
    db::CloseDatabaseConnection();
}

} // namespace
